// A fixture that runs the real picker on the Wine desktop and watches it from
// outside, the way a person sees it: its windows, the pointer and the clipboard.
#ifndef PICKER_WINE_PICKER_ON_WINE_H
#define PICKER_WINE_PICKER_ON_WINE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PickerRun.h"

// Ids of the dialog's controls, as its template gives them.
enum { kStartButton = IDOK, kHexCodeLabel = 3, kSwatch = 4 };

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

class PickerOnWine : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts picker.exe and finds its dialog; a fatal failure if it does not come up.
    void StartPicker();
    // Start from the keyboard: the pointer rests on the dialog's background,
    // where the picker's own injected press lands, then Enter.
    void StartPickingWithKey(WORD virtualKey = VK_RETURN);
    // Waits until the dialog holds the capture; a fatal failure otherwise.
    void ExpectCaptureHeld();

    // Waits for the picker to exit; checks exit code 0 and the clipboard text.
    void ExpectEndedWith(const char* clipboard);

    // Moves the pointer; a fatal failure, saying where it went, if it did not arrive.
    void MovePointer(POINT screen);

    // Screen points on the dialog.
    POINT ScreenPointOfClient(int x, int y) const;
    POINT BackgroundPoint() const;
    RECT ControlRect(int id) const;
    POINT ControlCentre(int id) const;

    std::string Label() const;
    // Waits until the label shows `code`; returns the last text seen.
    std::string WaitForLabel(const std::string& code, DWORD milliseconds = kReactMs) const;
    HWND Capture() const;
    HCURSOR CurrentCursor() const;
    std::string Clipboard() const;

    std::unique_ptr<PickerRun> run;
    HWND dialog = 0;
};

#endif
