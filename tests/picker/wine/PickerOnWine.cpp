#include "PickerOnWine.h"

#include <cstdio>
#include <ostream>

#include "ClipboardText.h"
#include "ColourWindow.h"
#include "PickerView.h"
#include "UserInput.h"
#include "WaitChecks.h"

std::string HexCode(COLORREF colour) {
    char code[8];
    std::snprintf(code, sizeof code, "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return code;
}

namespace {

// The dialog's pixels that show whether it has been painted whole.
struct DialogPixels {
    COLORREF background;
    COLORREF labelInside;
    COLORREF labelShadow;
    COLORREF labelLight;
};

std::ostream& operator<<(std::ostream& out, const DialogPixels& pixels) {
    return out << "background " << HexCode(pixels.background) << ", label inside "
               << HexCode(pixels.labelInside) << ", label edge " << HexCode(pixels.labelShadow)
               << " and " << HexCode(pixels.labelLight);
}

} // namespace

void PickerOnWine::SetUp() {
    // A known text, so that a stale "#" or code cannot pass for the picker's.
    ASSERT_TRUE(PutClipboardText("before"));
    ASSERT_TRUE(MovePointer(kRestingPoint));
}

void PickerOnWine::TearDown() {
    run.reset();
    // The picker's Start presses the left button and never releases it.
    EXPECT_TRUE(ReleaseHeldButtons()) << "a mouse button stayed down";
}

::testing::AssertionResult PickerOnWine::StartPicker() {
    run.reset(new PickerRun);
    std::string error;
    if (!run->Start(&error)) {
        return ::testing::AssertionFailure() << error;
    }
    dialog = run->WaitForDialog(kAppearMs);
    if (!dialog) {
        return ::testing::AssertionFailure() << "no picker dialog within " << kAppearMs << " ms";
    }
    // Keyboard input goes to the foreground window; the new dialog must be it.
    ::testing::AssertionResult foreground =
        WaitUntilEqual("the foreground window", GetForegroundWindow, dialog, kReactMs);
    if (!foreground) {
        return foreground;
    }
    // Painted once the background and the label's inside show the face
    // colour, and the label's sunken edge its two shades. Tests read these
    // pixels as the colours the picker is to show.
    const HWND label = GetDlgItem(dialog, IDC_HEXCODE);
    const RECT frame = ControlRect(IDC_HEXCODE);
    RECT client = {};
    GetClientRect(label, &client);
    POINT inside = {client.right - 1, client.bottom - 1};
    ClientToScreen(label, &inside);
    const POINT background = BackgroundPoint();
    const POINT shadow = {frame.left, frame.top};
    const POINT light = {frame.right - 1, frame.bottom - 1};
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    return WaitUntilSeen(
        "the dialog painted: background and label inside " + HexCode(face) +
            ", the label's edge in two shades",
        [&] {
            DialogPixels pixels = {ScreenPixel(background), ScreenPixel(inside),
                                   ScreenPixel(shadow), ScreenPixel(light)};
            return pixels;
        },
        [face](const DialogPixels& pixels) {
            return pixels.background == face && pixels.labelInside == face &&
                   pixels.labelShadow != pixels.labelLight;
        },
        kReactMs);
}

::testing::AssertionResult PickerOnWine::StartPickingWithKey(WORD virtualKey) {
    ::testing::AssertionResult moved = MovePointer(BackgroundPoint());
    if (!moved) {
        return moved;
    }
    TapKey(virtualKey);
    return CaptureHeld();
}

::testing::AssertionResult PickerOnWine::CaptureHeld() const {
    return WaitUntilEqual(
        "the picker's capture", [this] { return Capture(); }, dialog, kReactMs);
}

::testing::AssertionResult PickerOnWine::EndedWith(const std::string& clipboard) {
    DWORD code = 0;
    if (!run->WaitForExit(kExitMs, &code)) {
        return ::testing::AssertionFailure() << "picker still running after " << kExitMs << " ms";
    }
    if (code != 0) {
        return ::testing::AssertionFailure() << "picker's exit code is " << code << ", not 0";
    }
    return WaitUntilEqual(
        "the clipboard's text", [this] { return Clipboard(); }, clipboard, kReactMs);
}

::testing::AssertionResult PickerOnWine::MovePointer(POINT screen) {
    POINT reached = {};
    if (MovePointerTo(screen, &reached)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "waited " << kPointerArrivalMs << " ms for the pointer sent to " << screen.x << ", "
           << screen.y << "; it is at " << reached.x << ", " << reached.y;
}

::testing::AssertionResult PickerOnWine::Shown(const ColourWindow& window) const {
    if (!window.Handle()) {
        return ::testing::AssertionFailure()
               << "the colour window " << HexCode(window.Colour()) << " could not be made";
    }
    const POINT centre = window.Centre();
    return WaitUntilEqual(
        "the colour window's centre", [centre] { return HexCode(ScreenPixel(centre)); },
        HexCode(window.Colour()), kReactMs);
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
    return LabelText(dialog);
}

::testing::AssertionResult PickerOnWine::LabelShows(const std::string& code) const {
    return WaitUntilEqual(
        "the label's text", [this] { return Label(); }, code, kReactMs);
}

// The swatch repaints after the label's text has changed, in the picker's
// own time.
::testing::AssertionResult PickerOnWine::SwatchShows(const std::string& code) const {
    const POINT bar = SwatchBarPoint(dialog);
    return WaitUntilEqual(
        "the swatch's colour", [bar] { return HexCode(ScreenPixel(bar)); }, code, kReactMs);
}

HWND PickerOnWine::Capture() const {
    return CaptureOfThread(run->ThreadId());
}

std::string PickerOnWine::Clipboard() const {
    std::string text;
    if (!ReadClipboardText(&text)) {
        return "(no CF_TEXT on the clipboard)";
    }
    return text;
}
