// Start-up, the handle file and the live preview.
#include "CallSequence.h"
#include "PickerFixture.h"
#include "ScreenColour.h"

#include <vector>

namespace {

typedef std::vector<fake::Word> Args;

class Preview : public PickerTest {};

TEST_F(Preview, StartOpensTheDialogFromItsOwnTemplateOverTheDesktop) {
    int exitCode = RunPicker([](HWND) {});
    EXPECT_EQ(0, exitCode);
    std::vector<fake::Call> boxes = fake::CallsTo("DialogBoxParamA");
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ((Args{W(module), W(IDD_PICKER), W(GetDesktopWindow()), W(&PickerDialogProc), 0}),
              boxes[0].args);
}

TEST_F(Preview, ExitCodeIsZeroWhenTheDialogCannotBeCreated) {
    fake::FailCall("DialogBoxParamA");
    EXPECT_EQ(0, RunPicker([](HWND) {}));
}

TEST_F(Preview, InitialisationInstallsIconMovesToOriginAndWritesHandleFile) {
    fake::WindowState before = {};
    RunPicker([&](HWND shown) {
        before = *fake::FindWindowState(shown);
        EXPECT_EQ(shown, g_dialog ? g_dialog->hwnd : nullptr);
        EXPECT_EQ(Control(IDC_SWATCH).handle, g_swatch);
        EXPECT_EQ(appIcon, fake::ClassIcon("#32770"));
        EXPECT_EQ(0, before.rect.left);
        EXPECT_EQ(0, before.rect.top);
        EXPECT_EQ("", Control(IDC_HEXCODE).text);
        EXPECT_EQ("  ", Control(IDC_SWATCH).text);
        DrevDialog* first = g_dialog;
        EXPECT_EQ(1, Deliver(shown, WM_INITDIALOG)) << "focus to the first tab stop";
        delete first;
        Deliver(shown, WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ((Args{W(dialog), 0, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOSIZE}),
              fake::CallsTo("SetWindowPos")[0].args);
    EXPECT_EQ(std::to_string(reinterpret_cast<std::uintptr_t>(dialog) & 0xFFFFFFFFu),
              HandleFileContent());
}

TEST_F(Preview, HandleFileReplacesALongerEarlierNumberCompletely) {
    std::FILE* earlier = std::fopen("hwnd.dat", "w");
    std::fputs("98765432109876", earlier);
    std::fclose(earlier);
    RunPicker([](HWND) {});
    std::string expected = std::to_string(reinterpret_cast<std::uintptr_t>(dialog));
    EXPECT_EQ(expected, HandleFileContent());
}

TEST_F(Preview, PickerGoesOnWithoutAHandleFileItCannotCreate) {
    // The current directory is gone, so the file cannot be created.
    ASSERT_EQ(0, rmdir(directory.c_str()));
    fake::SetScreenBackground(0x00FFC80A);
    std::string shown;
    int exitCode = RunPicker([&](HWND d) {
        Deliver(d, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
        shown = Control(IDC_HEXCODE).text;
        Deliver(d, WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ("0AC8FF", shown);
    std::string clipboard;
    EXPECT_TRUE(fake::ClipboardText(&clipboard));
    EXPECT_EQ("#", clipboard);
}

TEST_F(Preview, MoveShowsTheCodeOfThePixelUnderThePointer) {
    struct Case {
        COLORREF pixel;
        const char* code;
        COLORREF swatch;
    } cases[] = {
        {0x00FFC80A, "0AC8FF", RGB(0x0A, 0xC8, 0xFF)},
        {0x000000FF, "FF0000", RGB(0xFF, 0, 0)},
        {0x00010203, "030201", RGB(3, 2, 1)},
        {0xAB123456, "563412", RGB(0x56, 0x34, 0x12)}, // bits 24-31 ignored
    };
    for (const Case& c : cases) {
        RunPicker([&](HWND d) {
            POINT at = ScreenPointOf(10, 5);
            fake::SetPixelColour(at.x, at.y, c.pixel);
            fake::ClearCalls();
            EXPECT_EQ(0, Deliver(d, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5)));
            EXPECT_EQ(c.code, Control(IDC_HEXCODE).text);
            EXPECT_EQ("    ", Control(IDC_SWATCH).text);
            EXPECT_EQ(c.swatch, Control(IDC_SWATCH).paintBackground) << c.code;
            EXPECT_EQ(W(GetStockObject(NULL_BRUSH)), W(Control(IDC_SWATCH).paintBrush));
            EXPECT_EQ(0, Control(IDC_HEXCODE).paintBrush) << "label in default colours";
            EXPECT_EQ(0xFFFFFFu, Control(IDC_HEXCODE).paintBackground);
            EXPECT_EQ(c.swatch, RGB(g_red, g_green, g_blue));
            Deliver(d, WM_COMMAND, IDCANCEL);
        });
    }
}

TEST_F(Preview, SampleUsesOneFreshDisplayContextAtTheScreenPoint) {
    RunPicker([&](HWND d) {
        POINT at = ScreenPointOf(10, 5);
        fake::ClearCalls();
        Deliver(d, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
        ASSERT_TRUE(fake::CallsBeginWith({
            {"ClientToScreen", {d, fake::ExpectedArg::Any()}},
            {"CreateDCA", {fake::ExpectedArg::Text("DISPLAY"), 0, 0, 0}},
            {"GetPixel", {fake::ExpectedArg::Any(), at.x, at.y}},
            {"DeleteDC", {fake::ExpectedArg::Any()}},
        }));
        fake::Word context = fake::CallsTo("GetPixel")[0].args[0];
        EXPECT_NE(0u, context);
        EXPECT_EQ(context, fake::CallsTo("DeleteDC")[0].args[0]) << "the context it read";
        EXPECT_EQ(0u, fake::LiveDeviceContexts());
        Deliver(d, WM_COMMAND, IDCANCEL);
    });
}

TEST_F(Preview, CoordinatesLeftOfAndAboveTheClientAreaAreNegative) {
    RunPicker([&](HWND d) {
        POINT origin = ScreenPointOf(0, 0);
        fake::ClearCalls();
        Deliver(d, WM_MOUSEMOVE, 0, MAKELPARAM(0xFFFB, 0xFFF6));
        std::vector<fake::Call> reads = fake::CallsTo("GetPixel");
        ASSERT_EQ(1u, reads.size());
        EXPECT_EQ(W(origin.x - 5), reads[0].args[1]);
        EXPECT_EQ(W(origin.y - 10), reads[0].args[2]);
        Deliver(d, WM_COMMAND, IDCANCEL);
    });
}

TEST_F(Preview, UnreadablePixelShowsWhite) {
    struct Case {
        const char* failing;
    } cases[] = {{"GetPixel"}, {"CreateDCA"}};
    for (const Case& c : cases) {
        RunPicker([&](HWND d) {
            fake::FailCall(c.failing);
            Deliver(d, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
            EXPECT_EQ("FFFFFF", Control(IDC_HEXCODE).text) << c.failing;
            EXPECT_EQ(0xFFFFFFu, Control(IDC_SWATCH).paintBackground) << c.failing;
            Deliver(d, WM_COMMAND, IDCANCEL);
        });
    }
}

TEST_F(Preview, EveryMoveSetsBothTextsAndRepaintsTheSwatch) {
    RunPicker([&](HWND d) {
        Deliver(d, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
        Deliver(d, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
        EXPECT_EQ(4u, fake::CountCalls("SetWindowTextA"));
        EXPECT_EQ(2, Control(IDC_SWATCH).paints);
        EXPECT_EQ(2, Control(IDC_HEXCODE).paints);
        Deliver(d, WM_COMMAND, IDCANCEL);
    });
}

TEST_F(Preview, BeforeTheFirstMoveTheSwatchIsBlackAndTheLabelPlain) {
    RunPicker([&](HWND d) {
        HDC context = reinterpret_cast<HDC>(0xC0DE);
        INT_PTR swatchBrush = Deliver(d, WM_CTLCOLORSTATIC, W(context), W(g_swatch));
        EXPECT_EQ(W(GetStockObject(NULL_BRUSH)), W(swatchBrush));
        EXPECT_EQ(0u, fake::BackgroundColourOf(context));
        fake::ClearCalls();
        HDC labelContext = reinterpret_cast<HDC>(0xC0DF);
        EXPECT_EQ(0,
                  Deliver(d, WM_CTLCOLORSTATIC, W(labelContext), W(Control(IDC_HEXCODE).handle)));
        EXPECT_EQ(0u, fake::CountCalls("SetBkColor"));
        Deliver(d, WM_COMMAND, IDCANCEL);
    });
}

TEST_F(Preview, HexCodeOfAFormatFailureIsNoText) {
    DrevString code;
    fake::FailCall("GlobalAlloc");
    FormatHexCode(code, 0x00FFC80A);
    EXPECT_EQ(nullptr, code.buffer);
}

} // namespace
