// The picker's dialog before Start: where it appears, the handle file it
// leaves, and the preview that follows the pointer over it.
#include "PickerOnWine.h"

#include "ColourWindow.h"
#include "UserInput.h"
#include "Waiting.h"

namespace {

// The swatch paints its colour as a bar behind its spaces, from its left edge.
POINT SwatchBarPoint(const RECT& swatch) {
    POINT point = {swatch.left + 1, (swatch.top + swatch.bottom) / 2};
    return point;
}

TEST_F(PickerOnWine, PublishesItsDialogInTheHandleFileAndSitsAtTheOrigin) {
    ASSERT_NO_FATAL_FAILURE(StartPicker());

    std::string content;
    ASSERT_TRUE(run->ReadHandleFile(&content)) << "no hwnd.dat in " << run->Directory();
    const std::string handle =
        std::to_string(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(dialog) & 0xFFFFFFFFu));
    EXPECT_EQ(handle, content);

    RECT frame = {};
    ASSERT_TRUE(GetWindowRect(dialog, &frame));
    EXPECT_EQ(0, frame.left);
    EXPECT_EQ(0, frame.top);

    // Before the first move: an empty label and a black bar in the swatch.
    EXPECT_EQ("", Label());
    const POINT bar = SwatchBarPoint(ControlRect(kSwatch));
    COLORREF swatch = CLR_INVALID;
    EXPECT_TRUE(WaitFor([&] { return (swatch = ScreenPixel(bar)) == RGB(0, 0, 0); }, kReactMs))
        << "swatch shows " << HexCode(swatch);

    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_NO_FATAL_FAILURE(ExpectEndedWith("#"));
    // The file outlives the picker.
    ASSERT_TRUE(run->ReadHandleFile(&content));
    EXPECT_EQ(handle, content);
}

TEST_F(PickerOnWine, LabelAndSwatchFollowThePixelUnderThePointer) {
    ASSERT_NO_FATAL_FAILURE(StartPicker());
    const HWND label = GetDlgItem(dialog, kHexCodeLabel);
    RECT frame = ControlRect(kHexCodeLabel);
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
        ASSERT_NO_FATAL_FAILURE(MovePointer(point));
        EXPECT_EQ(expected, WaitForLabel(expected));
        const COLORREF swatch = ScreenPixel(SwatchBarPoint(ControlRect(kSwatch)));
        EXPECT_EQ(expected, HexCode(swatch));
        previous = expected;
    }

    // The Start button keeps the pointer's moves to itself.
    ASSERT_NO_FATAL_FAILURE(MovePointer(ControlCentre(kStartButton)));
    Settle(kStaysMs);
    EXPECT_EQ(previous, Label());
}

} // namespace
