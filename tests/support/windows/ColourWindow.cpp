#include "ColourWindow.h"

#include "Waiting.h"

namespace {

const char kClassName[] = "PickerWineColourWindow";

LRESULT CALLBACK ColourWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client,
                 reinterpret_cast<HBRUSH>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        return 1;
    }
    // Never take the activation, so the picker's dialog keeps the keyboard.
    if (message == WM_MOUSEACTIVATE) {
        return MA_NOACTIVATE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterOnce() {
    static bool registered = false;
    if (registered) {
        return;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ColourWindowProc;
    windowClass.hInstance = GetModuleHandleA(0);
    windowClass.hCursor = LoadCursorA(0, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    registered = RegisterClassA(&windowClass) != 0;
}

} // namespace

ColourWindow::ColourWindow(COLORREF fill, RECT screenArea) : area(screenArea), colour(fill) {
    RegisterOnce();
    brush = CreateSolidBrush(colour);
    window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "",
                             WS_POPUP, area.left, area.top, area.right - area.left,
                             area.bottom - area.top, 0, 0, GetModuleHandleA(0), 0);
    if (window) {
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush));
        ShowWindow(window, SW_SHOWNOACTIVATE);
        UpdateWindow(window);
    }
}

ColourWindow::~ColourWindow() {
    if (window) {
        DestroyWindow(window);
    }
    if (brush) {
        DeleteObject(brush);
    }
    PumpMessages();
}

bool ColourWindow::WaitUntilShown(DWORD milliseconds) const {
    if (!window || !brush) {
        return false;
    }
    const POINT centre = Centre();
    const COLORREF wanted = colour;
    return WaitFor([centre, wanted] { return ScreenPixel(centre) == wanted; }, milliseconds);
}

POINT ColourWindow::Centre() const {
    POINT centre = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    return centre;
}

COLORREF ScreenPixel(POINT screen) {
    HDC display = CreateDCA("DISPLAY", 0, 0, 0);
    if (!display) {
        return CLR_INVALID;
    }
    COLORREF colour = GetPixel(display, screen.x, screen.y);
    DeleteDC(display);
    return colour;
}
