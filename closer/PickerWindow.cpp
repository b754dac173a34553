#include "PickerWindow.h"

namespace {

const WCHAR kDialogClass[] = {'#', '3', '2', '7', '7', '0', 0};
const WCHAR kPickerCaption[] = {0x30B9, 0x30DD, 0x30A4, 0x30C8, 0}; // "スポイト"

// One unit more than the longer text, so that a longer name cannot match.
const int kTextRoom = 8;

bool SameText(const WCHAR* first, const WCHAR* second) {
    int i = 0;
    for (; first[i] && first[i] == second[i]; ++i) {
    }
    return first[i] == second[i];
}

} // namespace

HWND WindowFromHandleValue(DWORD value) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(value)));
}

bool IsPickerDialog(HWND window) {
    if (!window || window == HWND_BROADCAST || !IsWindow(window)) {
        return false;
    }
    if (GetAncestor(window, GA_PARENT) != GetDesktopWindow()) {
        return false;
    }
    WCHAR text[kTextRoom] = {};
    if (!GetClassNameW(window, text, kTextRoom) || !SameText(text, kDialogClass)) {
        return false;
    }
    // For another process's window this reads the caption directly, without
    // sending it a message, so a hung picker cannot hold the closer up.
    text[0] = 0;
    return GetWindowTextW(window, text, kTextRoom) > 0 && SameText(text, kPickerCaption);
}
