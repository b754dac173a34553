// A fixture that runs the real picker on the Wine desktop and watches it from
// outside, the way a person sees it: its windows, the pointer and the clipboard.
#ifndef PICKER_WINE_PICKER_ON_WINE_H
#define PICKER_WINE_PICKER_ON_WINE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ColourWindow.h"
#include "PickerRun.h"

// Bounds of the waits: generous, since a loaded machine slows Wine down.
enum : DWORD {
    kAppearMs = 15000,
    kReactMs = 5000,
    kExitMs = 10000,
    // How long a refused pick must leave the picker running.
    kStaysMs = 1500,
};

// Where the pointer rests between runs: on the desktop, away from every window.
const POINT kRestingPoint = {700, 650};

// Areas of the test's colour windows, right of and below the dialog at (0, 0).
const RECT kLeftArea = {300, 300, 400, 400};
const RECT kMiddleArea = {450, 300, 550, 400};
const RECT kRightArea = {600, 300, 700, 400};

// The colour of the example, and its code.
const COLORREF kKnownColour = 0x00FFC80A;
const char kKnownCode[] = "0AC8FF";

// Six upper-case hexadecimal digits: red, green, blue.
std::string HexCode(COLORREF colour);

// The fixture's checks return a result for the caller to assert, so that a
// failure shows the test's own line; those that wait say on timeout what they
// waited for, the last value seen and how long.
class PickerOnWine : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts picker.exe and waits until its dialog is in the foreground and
    // painted.
    ::testing::AssertionResult StartPicker();
    // Start from the keyboard: the pointer rests on the dialog's background,
    // where the picker's own injected press lands, then the key; waits until
    // the dialog holds the capture.
    ::testing::AssertionResult StartPickingWithKey(WORD virtualKey = VK_RETURN);
    // Waits until the dialog holds the capture.
    ::testing::AssertionResult CaptureHeld() const;

    // Waits for the picker to exit, then checks exit code 0 and waits for
    // the clipboard text.
    ::testing::AssertionResult EndedWith(const std::string& clipboard);

    // Moves the pointer and waits until it is there.
    ::testing::AssertionResult MovePointer(POINT screen);

    // Waits until the screen shows the window's colour at its centre.
    ::testing::AssertionResult Shown(const ColourWindow& window) const;

    // Screen points on the dialog.
    POINT ScreenPointOfClient(int x, int y) const;
    POINT BackgroundPoint() const;
    RECT ControlRect(int id) const;
    POINT ControlCentre(int id) const;

    std::string Label() const;
    // Wait until the label shows `code`, or the swatch's bar its colour.
    ::testing::AssertionResult LabelShows(const std::string& code) const;
    ::testing::AssertionResult SwatchShows(const std::string& code) const;
    HWND Capture() const;
    std::string Clipboard() const;

    std::unique_ptr<PickerRun> run;
    HWND dialog = 0;
};

#endif
