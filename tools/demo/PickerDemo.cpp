// Plays one pick on the real picker for a person to look at afterwards.
//
//   picker_demo.exe pick SCREENSHOT.bmp   paints a window of a known colour,
//       starts picker.exe, starts picking, moves over the window, saves the
//       screen around the dialog, picks with a right press, prints the result
//   picker_demo.exe clipboard             prints the clipboard's text
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ClipboardText.h"
#include "ColourWindow.h"
#include "PickerRun.h"
#include "ScreenShot.h"
#include "UserInput.h"
#include "Waiting.h"

namespace {

const COLORREF kDemoColour = 0x00FFC80A;
// Beside the dialog at (0, 0), so that one screenshot shows both.
const RECT kColourArea = {140, 10, 240, 110};
const RECT kShotArea = {0, 0, 260, 140};
const POINT kAside = {600, 500};

int Fail(const char* what) {
    std::fprintf(stderr, "picker_demo: %s\n", what);
    return 1;
}

std::string LabelOf(HWND dialog) {
    char text[64] = "";
    GetDlgItemTextA(dialog, IDC_HEXCODE, text, sizeof text);
    return text;
}

HWND CaptureOf(DWORD thread) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndCapture : 0;
}

int PrintClipboard() {
    std::string text;
    if (!ReadClipboardText(&text)) {
        return Fail("no text on the clipboard");
    }
    std::printf("clipboard: %s\n", text.c_str());
    return 0;
}

int Pick(const char* screenshot) {
    MovePointerTo(kAside);
    ColourWindow colour(kDemoColour, kColourArea);
    if (!colour.WaitUntilShown(5000)) {
        return Fail("the colour window did not show");
    }
    PickerRun run;
    std::string error;
    if (!run.Start(&error)) {
        return Fail(error.c_str());
    }
    HWND dialog = run.WaitForDialog(15000);
    if (!dialog) {
        return Fail("no picker dialog appeared");
    }
    // Rest on the dialog's background so the picker's own press lands there.
    POINT background = {2, 2};
    ClientToScreen(dialog, &background);
    MovePointerTo(background);
    TapKey(VK_RETURN);
    const DWORD thread = run.ThreadId();
    if (!WaitFor([&] { return CaptureOf(thread) == dialog; }, 5000)) {
        return Fail("Start did not give the dialog the capture");
    }
    MovePointerTo(colour.Centre());
    if (!WaitFor([&] { return LabelOf(dialog) == "0AC8FF"; }, 5000)) {
        return Fail(("the label shows " + LabelOf(dialog) + ", not 0AC8FF").c_str());
    }
    // Let the swatch finish repainting before the picture is taken.
    Settle(300);
    DWORD shotError = 0;
    if (!SaveScreenArea(kShotArea, screenshot, &shotError)) {
        std::fprintf(stderr, "picker_demo: cannot save %s (error %lu)\n", screenshot, shotError);
    }
    std::printf("label while picking: %s\n", LabelOf(dialog).c_str());
    PressRightButton();
    ReleaseRightButton();
    DWORD code = 0;
    if (!run.WaitForExit(10000, &code)) {
        return Fail("the picker did not end on the right press");
    }
    ReleaseHeldButtons();
    std::printf("picker exit code: %lu\n", code);
    return PrintClipboard();
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "pick") == 0) {
        return Pick(argv[2]);
    }
    if (argc == 2 && std::strcmp(argv[1], "clipboard") == 0) {
        return PrintClipboard();
    }
    std::fprintf(stderr, "usage: picker_demo.exe pick SCREENSHOT.bmp | clipboard\n");
    return 2;
}
