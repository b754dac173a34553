// The start-up baseline: a modal dialog with no controls, no icon and nothing
// else, which writes its handle file in WM_INITDIALOG the way the picker does.
// Whatever the picker takes longer to reach that point is its own cost.
#include <windows.h>

#include <cstdio>

namespace {

const int kBareDialog = 1;

void WriteHandleFile(HWND dialog) {
    FILE* file = std::fopen("hwnd.dat", "wt");
    if (!file) {
        return;
    }
    std::fprintf(file, "%u", static_cast<unsigned int>(reinterpret_cast<UINT_PTR>(dialog)));
    std::fclose(file);
}

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        WriteHandleFile(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
        }
        return FALSE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(kBareDialog), GetDesktopWindow(), BareDialogProc, 0);
    return 0;
}
