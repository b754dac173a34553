// Start and the right-button pick, driven as a person would.
#include "PickerOnWine.h"

#include "ColourWindow.h"
#include "UserInput.h"
#include "Waiting.h"

namespace {

enum class StartBy { Click, Enter, Space };

class PickerStart : public PickerOnWine, public testing::WithParamInterface<StartBy> {};

// Cursor handles belong to the process that loaded them, and another process
// cannot read their images (GetIconInfo fails), so the cross is known here
// only as the cursor that replaces the dialog's arrow and stays over windows
// whose own cursor is another.
TEST_P(PickerStart, TakesCaptureAndCrossThenPicksAPaintedColour) {
    ColourWindow known(kKnownColour, kRightArea);
    ASSERT_TRUE(known.WaitUntilShown(kReactMs));
    ASSERT_NO_FATAL_FAILURE(StartPicker());

    // The dialog sets its cursor before it handles the move that shows in the label.
    const POINT background = BackgroundPoint();
    const std::string backgroundCode = HexCode(ScreenPixel(background));
    ASSERT_NO_FATAL_FAILURE(MovePointer(background));
    ASSERT_EQ(backgroundCode, WaitForLabel(backgroundCode));
    const HCURSOR arrow = CurrentCursor();
    ASSERT_NE(nullptr, arrow) << "no cursor over the dialog";

    switch (GetParam()) {
    case StartBy::Click:
        ASSERT_NO_FATAL_FAILURE(MovePointer(ControlCentre(kStartButton)));
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
    ASSERT_NO_FATAL_FAILURE(ExpectCaptureHeld());
    // Start presses the left button for the person and leaves it down.
    EXPECT_TRUE(WaitFor([] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }, kReactMs))
        << "the left button is up after Start";
    HCURSOR cross = 0;
    EXPECT_TRUE(WaitFor(
        [&] {
            cross = CurrentCursor();
            return cross && cross != arrow;
        },
        kReactMs))
        << "cursor stayed " << cross << " after Start";

    ASSERT_NO_FATAL_FAILURE(MovePointer(known.Centre()));
    EXPECT_EQ(kKnownCode, WaitForLabel(kKnownCode));
    EXPECT_EQ(dialog, Capture());
    EXPECT_EQ(cross, CurrentCursor());
    EXPECT_NE(LoadCursorA(0, IDC_ARROW), CurrentCursor()) << "the colour window's own cursor";

    PressRightButton();
    ReleaseRightButton();
    ASSERT_NO_FATAL_FAILURE(ExpectEndedWith(kKnownCode));
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
    ASSERT_TRUE(black.WaitUntilShown(kReactMs));
    ASSERT_TRUE(white.WaitUntilShown(kReactMs));
    ASSERT_TRUE(known.WaitUntilShown(kReactMs));
    ASSERT_NO_FATAL_FAILURE(StartPicker());
    ASSERT_NO_FATAL_FAILURE(StartPickingWithKey());

    const ColourWindow* refused[] = {&black, &white};
    for (const ColourWindow* window : refused) {
        const std::string code = HexCode(ScreenPixel(window->Centre()));
        SCOPED_TRACE("right press on " + code);
        ASSERT_NO_FATAL_FAILURE(MovePointer(window->Centre()));
        ASSERT_EQ(code, WaitForLabel(code));
        PressRightButton();
        ReleaseRightButton();
        Settle(kStaysMs);
        ASSERT_TRUE(run->IsRunning()) << "the picker ended on a refused pick";
        EXPECT_EQ("before", Clipboard());
        EXPECT_EQ(dialog, Capture());
    }

    ASSERT_NO_FATAL_FAILURE(MovePointer(known.Centre()));
    ASSERT_EQ(kKnownCode, WaitForLabel(kKnownCode));
    PressRightButton();
    ReleaseRightButton();
    ASSERT_NO_FATAL_FAILURE(ExpectEndedWith(kKnownCode));
}

} // namespace
