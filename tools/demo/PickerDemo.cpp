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
#include "PickerView.h"
#include "ScreenShot.h"
#include "UserInput.h"
#include "Waiting.h"

namespace {

const COLORREF kDemoColour = 0x00FFC80A;
const char kDemoCode[] = "0AC8FF";
// Beside the dialog at (0, 0), so that one screenshot shows both.
const RECT kColourArea = {140, 10, 240, 110};
const RECT kShotArea = {0, 0, 260, 140};
const POINT kAside = {600, 500};

int Fail(const char* what) {
    std::fprintf(stderr, "picker_demo: %s\n", what);
    return 1;
}

// Says what was awaited, what was last seen and how long the wait took.
int FailWaiting(const char* awaited, const std::string& seen, DWORD waited) {
    std::fprintf(stderr, "picker_demo: waited %lu ms for %s; last seen: %s\n",
                 static_cast<unsigned long>(waited), awaited, seen.c_str());
    return 1;
}

int PrintClipboard() {
    std::string text;
    if (!ReadClipboardText(&text)) {
        return Fail("no text on the clipboard");
    }
    std::printf("clipboard: %s\n", text.c_str());
    return 0;
}

bool MovePointerOrSay(POINT screen) {
    POINT reached = {};
    if (MovePointerTo(screen, &reached)) {
        return true;
    }
    std::fprintf(
        stderr, "picker_demo: waited %lu ms for the pointer at %ld, %ld; it is at %ld, %ld\n",
        static_cast<unsigned long>(kPointerArrivalMs), screen.x, screen.y, reached.x, reached.y);
    return false;
}

int Pick(const char* screenshot) {
    if (!MovePointerOrSay(kAside)) {
        return 1;
    }
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
    if (!MovePointerOrSay(background)) {
        return 1;
    }
    TapKey(VK_RETURN);
    const DWORD thread = run.ThreadId();
    DWORD waited = 0;
    if (!WaitFor([&] { return CaptureOfThread(thread) == dialog; }, 5000, &waited)) {
        return FailWaiting("the dialog to take the capture after Start",
                           CaptureOfThread(thread) ? "another window" : "no capture", waited);
    }
    if (!MovePointerOrSay(colour.Centre())) {
        return 1;
    }
    std::string label;
    if (!WaitFor([&] { return (label = LabelText(dialog)) == kDemoCode; }, 5000, &waited)) {
        return FailWaiting("the label to show 0AC8FF", "\"" + label + "\"", waited);
    }
    // The swatch repaints after the label; the picture shows both.
    const POINT bar = SwatchBarPoint(dialog);
    COLORREF swatch = CLR_INVALID;
    if (!WaitFor([&] { return (swatch = ScreenPixel(bar)) == kDemoColour; }, 5000, &waited)) {
        char seen[16];
        std::snprintf(seen, sizeof seen, "0x%06lX", static_cast<unsigned long>(swatch));
        return FailWaiting("the swatch to show 0AC8FF", seen, waited);
    }
    DWORD shotError = 0;
    if (!SaveScreenArea(kShotArea, screenshot, &shotError)) {
        std::fprintf(stderr, "picker_demo: cannot save %s (error %lu)\n", screenshot, shotError);
    }
    std::printf("label while picking: %s\n", LabelText(dialog).c_str());
    PressRightButton();
    ReleaseRightButton();
    DWORD code = 0;
    if (!run.WaitForExit(10000, &code)) {
        return Fail("the picker did not end on the right press");
    }
    ReleaseHeldButtons();
    std::printf("picker exit code: %lu\n", code);
    std::string text;
    WaitFor([&] { return ReadClipboardText(&text) && text == kDemoCode; }, 5000);
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
