#include "PickerDialog.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HWND desktop = GetDesktopWindow();
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PICKER), desktop, PickerDialogProc, 0);
    return 0;
}
