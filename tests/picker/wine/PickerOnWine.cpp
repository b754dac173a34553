#include "PickerOnWine.h"

#include <cstdio>

#include "ClipboardText.h"
#include "ColourWindow.h"
#include "UserInput.h"
#include "Waiting.h"

std::string HexCode(COLORREF colour) {
    char code[8];
    std::snprintf(code, sizeof code, "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return code;
}

void PickerOnWine::SetUp() {
    // A known text, so that a stale "#" or code cannot pass for the picker's.
    ASSERT_TRUE(PutClipboardText("before"));
    ASSERT_NO_FATAL_FAILURE(MovePointer(kRestingPoint));
}

void PickerOnWine::TearDown() {
    run.reset();
    // The picker's Start presses the left button and never releases it.
    ReleaseHeldButtons();
}

void PickerOnWine::StartPicker() {
    run.reset(new PickerRun);
    std::string error;
    ASSERT_TRUE(run->Start(&error)) << error;
    dialog = run->WaitForDialog(kAppearMs);
    ASSERT_NE(nullptr, dialog) << "no picker dialog within " << kAppearMs << " ms";
    // Keyboard input goes to the foreground window; the new dialog must be it.
    const HWND shown = dialog;
    ASSERT_TRUE(WaitFor([shown] { return GetForegroundWindow() == shown; }, kReactMs))
        << "foreground window is " << GetForegroundWindow() << ", not the dialog " << dialog;
    // Painted once the label's sunken edge shows its two shades.
    const RECT label = ControlRect(kHexCodeLabel);
    const POINT shadow = {label.left, label.top};
    const POINT light = {label.right - 1, label.bottom - 1};
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(shadow) != ScreenPixel(light); }, kReactMs))
        << "the dialog never showed on the screen";
}

void PickerOnWine::StartPickingWithKey(WORD virtualKey) {
    ASSERT_NO_FATAL_FAILURE(MovePointer(BackgroundPoint()));
    TapKey(virtualKey);
    ASSERT_NO_FATAL_FAILURE(ExpectCaptureHeld());
}

void PickerOnWine::ExpectCaptureHeld() {
    ASSERT_TRUE(WaitFor([this] { return Capture() == dialog; }, kReactMs))
        << "capture is with " << Capture() << ", not the dialog " << dialog;
}

void PickerOnWine::ExpectEndedWith(const char* clipboard) {
    DWORD code = 0;
    ASSERT_TRUE(run->WaitForExit(kExitMs, &code))
        << "picker still running after " << kExitMs << " ms";
    EXPECT_EQ(0u, code);
    EXPECT_EQ(clipboard, Clipboard());
}

void PickerOnWine::MovePointer(POINT screen) {
    POINT reached = {};
    ASSERT_TRUE(MovePointerTo(screen, &reached))
        << "pointer sent to " << screen.x << ", " << screen.y << " is at " << reached.x << ", "
        << reached.y;
}

POINT PickerOnWine::ScreenPointOfClient(int x, int y) const {
    POINT point = {x, y};
    ClientToScreen(dialog, &point);
    return point;
}

// A client point that belongs to the dialog itself, not to a control.
POINT PickerOnWine::BackgroundPoint() const {
    POINT client = {2, 2};
    EXPECT_EQ(dialog, ChildWindowFromPointEx(dialog, client, CWP_ALL))
        << "client point (2, 2) is not the dialog's background";
    return ScreenPointOfClient(client.x, client.y);
}

RECT PickerOnWine::ControlRect(int id) const {
    RECT rect = {};
    EXPECT_TRUE(GetWindowRect(GetDlgItem(dialog, id), &rect)) << "no control " << id;
    return rect;
}

POINT PickerOnWine::ControlCentre(int id) const {
    const RECT rect = ControlRect(id);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return centre;
}

std::string PickerOnWine::Label() const {
    char text[64] = "";
    GetDlgItemTextA(dialog, kHexCodeLabel, text, sizeof text);
    return text;
}

std::string PickerOnWine::WaitForLabel(const std::string& code, DWORD milliseconds) const {
    std::string seen;
    WaitFor([&] { return (seen = Label()) == code; }, milliseconds);
    return seen;
}

// GetCapture answers for the calling thread only; the picker's is another.
HWND PickerOnWine::Capture() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(run->ThreadId(), &info)) {
        return 0;
    }
    return info.hwndCapture;
}

HCURSOR PickerOnWine::CurrentCursor() const {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info) || !(info.flags & CURSOR_SHOWING)) {
        return 0;
    }
    return info.hCursor;
}

std::string PickerOnWine::Clipboard() const {
    std::string text;
    if (!ReadClipboardText(&text)) {
        return "(no CF_TEXT on the clipboard)";
    }
    return text;
}
