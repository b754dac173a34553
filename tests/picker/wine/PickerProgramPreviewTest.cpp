// The picker's dialog before Start: where it appears, the handle file it
// leaves, and the preview that follows the pointer over it.
#include "PickerOnWine.h"

#include "ColourWindow.h"
#include "UserInput.h"
#include "WaitChecks.h"

namespace {

TEST_F(PickerOnWine, PublishesItsDialogInTheHandleFileAndSitsAtTheOrigin) {
    ASSERT_TRUE(StartPicker());

    const std::string handle =
        std::to_string(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(dialog) & 0xFFFFFFFFu));
    const auto handleFile = [this] {
        std::string content;
        return run->ReadHandleFile(&content) ? content
                                             : "(no hwnd.dat in " + run->Directory() + ")";
    };
    EXPECT_TRUE(WaitUntilEqual("hwnd.dat", handleFile, handle, kReactMs));

    RECT frame = {};
    ASSERT_TRUE(GetWindowRect(dialog, &frame));
    EXPECT_EQ(0, frame.left);
    EXPECT_EQ(0, frame.top);

    // Before the first move: an empty label and a black bar in the swatch.
    EXPECT_EQ("", Label());
    EXPECT_TRUE(SwatchShows("000000"));

    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(EndedWith("#"));
    // The file outlives the picker.
    EXPECT_EQ(handle, handleFile());
}

TEST_F(PickerOnWine, LabelAndSwatchFollowThePixelUnderThePointer) {
    ASSERT_TRUE(StartPicker());
    const HWND label = GetDlgItem(dialog, IDC_HEXCODE);
    RECT frame = ControlRect(IDC_HEXCODE);
    RECT client = {};
    ASSERT_TRUE(GetClientRect(label, &client));
    POINT inner = {client.right - 1, client.bottom - 1};
    ClientToScreen(label, &inner);
    // The sunken edge's two shades and the inside, in an order where each
    // colour differs from the one before. The inside point lies below and
    // right of where the code's text is drawn, so its colour stays put.
    const POINT points[] = {
        {frame.left, frame.top},
        inner,
        {frame.right - 1, frame.bottom - 1},
    };
    std::string previous = Label();
    for (const POINT& point : points) {
        SCOPED_TRACE(testing::Message() << "pointer at " << point.x << ", " << point.y);
        const std::string expected = HexCode(ScreenPixel(point));
        ASSERT_NE(previous, expected) << "neighbouring points need different colours";
        ASSERT_TRUE(MovePointer(point));
        EXPECT_TRUE(LabelShows(expected));
        EXPECT_TRUE(SwatchShows(expected));
        previous = expected;
    }

    // The Start button keeps the pointer's moves to itself.
    ASSERT_TRUE(MovePointer(ControlCentre(IDOK)));
    Settle(kStaysMs);
    EXPECT_EQ(previous, Label());
}

} // namespace
