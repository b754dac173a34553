// Every way the picker ends without a pick leaves "#" and exit code 0.
#include "PickerOnWine.h"

#include "UserInput.h"

namespace {

enum class Ending { Escape, LeftClick, CloseRequest };

struct EndCase {
    const char* name;
    bool picking;
    Ending ending;
};

class PickerEnd : public PickerOnWine, public testing::WithParamInterface<EndCase> {};

TEST_P(PickerEnd, LeavesHashOnTheClipboard) {
    ASSERT_TRUE(StartPicker());
    if (GetParam().picking) {
        ASSERT_TRUE(StartPickingWithKey());
        // During picking the click counts wherever it is: here on the desktop.
        ASSERT_TRUE(MovePointer(kRestingPoint));
    } else {
        ASSERT_TRUE(MovePointer(BackgroundPoint()));
    }
    switch (GetParam().ending) {
    case Ending::Escape:
        TapKey(VK_ESCAPE);
        break;
    case Ending::LeftClick:
        PressLeftButton();
        ReleaseLeftButton();
        break;
    case Ending::CloseRequest:
        // As the closer does it.
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        break;
    }
    ASSERT_TRUE(EndedWith("#"));
}

const EndCase kEndCases[] = {
    {"EscapeBeforeStart", false, Ending::Escape},
    {"EscapeWhilePicking", true, Ending::Escape},
    {"LeftClickOnTheBackgroundBeforeStart", false, Ending::LeftClick},
    {"LeftClickWhilePicking", true, Ending::LeftClick},
    {"CloseRequestBeforeStart", false, Ending::CloseRequest},
    {"CloseRequestWhilePicking", true, Ending::CloseRequest},
};

std::string EndName(const testing::TestParamInfo<EndCase>& row) {
    return row.param.name;
}

INSTANTIATE_TEST_SUITE_P(EachWay, PickerEnd, testing::ValuesIn(kEndCases), EndName);

} // namespace
