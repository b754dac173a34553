#include "ScreenColour.h"

namespace {

// Positions left of or above the client area are negative 16-bit values.
LONG SignedLowWord(LPARAM value) {
    return static_cast<short>(LOWORD(value));
}
LONG SignedHighWord(LPARAM value) {
    return static_cast<short>(HIWORD(value));
}

} // namespace

COLORREF SampleScreenColour(HWND dialog, LPARAM position) {
    POINT point;
    point.x = SignedLowWord(position);
    point.y = SignedHighWord(position);
    ClientToScreen(dialog, &point);
    HDC display = CreateDCA("DISPLAY", 0, 0, 0);
    COLORREF colour = GetPixel(display, point.x, point.y);
    DeleteDC(display);
    return colour;
}

void FormatHexCode(DrevString& code, COLORREF colour) {
    code.Format("%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
}
