#include "PickerView.h"

#include "PickerTexts.h"

std::string LabelText(HWND dialog) {
    char text[64] = "";
    GetDlgItemTextA(dialog, IDC_HEXCODE, text, sizeof text);
    return text;
}

POINT SwatchBarPoint(HWND dialog) {
    RECT swatch = {};
    GetWindowRect(GetDlgItem(dialog, IDC_SWATCH), &swatch);
    POINT point = {swatch.left + 1, (swatch.top + swatch.bottom) / 2};
    return point;
}

HWND CaptureOfThread(DWORD thread) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndCapture : 0;
}

HCURSOR ShownCursor() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info) || !(info.flags & CURSOR_SHOWING)) {
        return 0;
    }
    return info.hCursor;
}
