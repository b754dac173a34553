#include "PickerDialog.h"

#include "PickerBranches.h"

DrevDialog* g_dialog = 0;
HWND g_swatch = 0;
int g_red = 0;
int g_green = 0;
int g_blue = 0;

INT_PTR CALLBACK PickerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitialisePicker(dialog);
        return TRUE;
    case WM_MOUSEMOVE:
        ShowSampleUnderPointer(dialog, lParam);
        return FALSE;
    case WM_CTLCOLORSTATIC:
        return ColourForStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            StartPicking(dialog);
        } else if (LOWORD(wParam) == IDCANCEL) {
            CancelPicking(dialog, LOWORD(wParam));
        }
        return FALSE;
    case WM_LBUTTONUP:
        EndOnLeftRelease(dialog, LOWORD(wParam));
        return FALSE;
    case WM_RBUTTONDOWN:
        PickUnderPointer(dialog, LOWORD(wParam), lParam);
        return FALSE;
    case WM_PICKER_DISPOSE:
        DisposeDialogObject();
        return FALSE;
    }
    return FALSE;
}
