#include "PickerBranches.h"

#include "DrevClipboard.h"
#include "PickerDialog.h"
#include "ScreenColour.h"

namespace {

// Ends the dialog and deletes its object, which is gone when this returns.
// Without an object the dialog is still ended, through its own handle.
void EndPicker(HWND dialog, INT_PTR result) {
    if (!g_dialog) {
        EndDialog(dialog, result);
        return;
    }
    g_dialog->End(result);
    g_dialog->Send(WM_PICKER_DISPOSE, 0, 0);
}

} // namespace

void StartPicking(HWND dialog) {
    INPUT press = {};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof(INPUT));
    SetCapture(dialog);
    SetCursor(LoadCursorA(0, IDC_CROSS));
}

void CancelPicking(HWND dialog, WORD command) {
    SetCursor(LoadCursorA(0, IDC_ARROW));
    ReleaseCapture();
    EndPicker(dialog, command);
    g_clipboard.CopyText("#");
}

void EndOnLeftRelease(HWND dialog, WORD keys) {
    ReleaseCapture();
    EndPicker(dialog, keys);
    g_clipboard.CopyText("#");
}

void PickUnderPointer(HWND dialog, WORD keys, LPARAM position) {
    COLORREF colour = SampleScreenColour(dialog, position);
    DrevString code;
    FormatHexCode(code, colour);
    // Without a text there is no code to pick; like white and black, nothing happens.
    if (!code.buffer) {
        return;
    }
    if (code.Differs("FFFFFF") && code.Differs("000000")) {
        g_clipboard.CopyText(code.buffer);
        EndPicker(dialog, keys);
    }
}

void DisposeDialogObject() {
    if (g_dialog) {
        delete g_dialog;
        g_dialog = 0;
    }
}
