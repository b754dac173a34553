// Start and the right-button pick, driven as a person would.
#include "PickerOnWine.h"

#include "ColourWindow.h"
#include "UserInput.h"
#include "PickerView.h"
#include "WaitChecks.h"

namespace {

enum class StartBy { Click, Enter, Space };

class PickerStart : public PickerOnWine, public testing::WithParamInterface<StartBy> {};

// Cursor handles belong to the process that loaded them, and another process
// cannot read their images (GetIconInfo fails), so the cross is known here
// only as the cursor that replaces the dialog's arrow and stays over windows
// whose own cursor is another.
TEST_P(PickerStart, TakesCaptureAndCrossThenPicksAPaintedColour) {
    ColourWindow known(kKnownColour, kRightArea);
    ASSERT_TRUE(Shown(known));
    ASSERT_TRUE(StartPicker());

    // The dialog sets its cursor before it handles the move that shows in the label.
    const POINT background = BackgroundPoint();
    const std::string backgroundCode = HexCode(ScreenPixel(background));
    ASSERT_TRUE(MovePointer(background));
    ASSERT_TRUE(LabelShows(backgroundCode));
    ASSERT_TRUE(WaitUntilSeen(
        "a cursor over the dialog", ShownCursor, [](HCURSOR cursor) { return cursor != 0; },
        kReactMs));
    const HCURSOR arrow = ShownCursor();

    switch (GetParam()) {
    case StartBy::Click:
        ASSERT_TRUE(MovePointer(ControlCentre(IDOK)));
        PressLeftButton();
        ReleaseLeftButton();
        break;
    case StartBy::Enter:
        TapKey(VK_RETURN);
        break;
    case StartBy::Space:
        TapKey(VK_SPACE);
        break;
    }
    ASSERT_TRUE(CaptureHeld());
    // Start presses the left button for the person and leaves it down.
    EXPECT_TRUE(WaitUntilEqual(
        "the left button down after Start",
        [] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }, true, kReactMs));
    EXPECT_TRUE(WaitUntilSeen(
        "a cursor other than the dialog's arrow after Start", ShownCursor,
        [arrow](HCURSOR cursor) { return cursor && cursor != arrow; }, kReactMs));
    const HCURSOR cross = ShownCursor();

    ASSERT_TRUE(MovePointer(known.Centre()));
    EXPECT_TRUE(LabelShows(kKnownCode));
    EXPECT_TRUE(SwatchShows(kKnownCode));
    EXPECT_EQ(dialog, Capture());
    EXPECT_EQ(cross, ShownCursor());
    EXPECT_NE(LoadCursorA(0, IDC_ARROW), ShownCursor()) << "the colour window's own cursor";

    PressRightButton();
    ReleaseRightButton();
    ASSERT_TRUE(EndedWith(kKnownCode));
}

std::string StartName(const testing::TestParamInfo<StartBy>& row) {
    switch (row.param) {
    case StartBy::Click:
        return "ClickOnStart";
    case StartBy::Enter:
        return "Enter";
    case StartBy::Space:
        return "Space";
    }
    return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(ByEachWay, PickerStart,
                         testing::Values(StartBy::Click, StartBy::Enter, StartBy::Space),
                         StartName);

TEST_F(PickerOnWine, RefusesBlackAndWhiteAndGoesOnToPickAnotherColour) {
    ColourWindow black(RGB(0, 0, 0), kLeftArea);
    ColourWindow white(RGB(255, 255, 255), kMiddleArea);
    ColourWindow known(kKnownColour, kRightArea);
    ASSERT_TRUE(Shown(black));
    ASSERT_TRUE(Shown(white));
    ASSERT_TRUE(Shown(known));
    ASSERT_TRUE(StartPicker());
    ASSERT_TRUE(StartPickingWithKey());

    const ColourWindow* refused[] = {&black, &white};
    for (const ColourWindow* window : refused) {
        const std::string code = HexCode(ScreenPixel(window->Centre()));
        SCOPED_TRACE("right press on " + code);
        ASSERT_TRUE(MovePointer(window->Centre()));
        ASSERT_TRUE(LabelShows(code));
        PressRightButton();
        ReleaseRightButton();
        Settle(kStaysMs);
        ASSERT_TRUE(run->IsRunning()) << "the picker ended on a refused pick";
        EXPECT_EQ("before", Clipboard());
        EXPECT_EQ(dialog, Capture());
    }

    ASSERT_TRUE(MovePointer(known.Centre()));
    ASSERT_TRUE(LabelShows(kKnownCode));
    PressRightButton();
    ReleaseRightButton();
    ASSERT_TRUE(EndedWith(kKnownCode));
}

} // namespace
