#include "DrevWindow.h"

int MoveWindowTo(HWND window, int x, int y) {
    return SetWindowPos(window, 0, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE) ? 1 : 0;
}

HINSTANCE GetWindowInstance(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPointer(window, GWLP_HINSTANCE));
}

DrevWindowBase::DrevWindowBase()
    : brush(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), hwnd(0) {}

DrevWindowBase::~DrevWindowBase() {
    if (brush) {
        DeleteObject(brush);
        brush = 0;
    }
    hwnd = 0;
}

DrevMixin::DrevMixin() {}

DrevMixin::~DrevMixin() {}

DrevWindow::DrevWindow() : ownedWindow(0) {
    hwnd = 0;
}

DrevWindow::~DrevWindow() {
    ReleaseOwnedWindow();
}

void DrevWindow::ReleaseOwnedWindow() {
    if (ownedWindow) {
        DestroyWindow(ownedWindow);
        ownedWindow = 0;
    }
}

LRESULT DrevWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND target = hwnd;
    return SendMessageA(target, message, wParam, lParam);
}

int DrevWindow::MoveTo(int x, int y) {
    return MoveWindowTo(hwnd, x, y);
}

ULONG_PTR DrevWindow::SetClassIcon(int id) {
    HICON icon = LoadIconA(GetWindowInstance(hwnd), MAKEINTRESOURCEA(id));
    return SetClassLongPointer(hwnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

DrevDialog::DrevDialog(HWND window) : dialog(window) {
    hwnd = window;
}

DrevDialog::~DrevDialog() {
    ReleaseOwnedWindow();
}

BOOL DrevDialog::End(INT_PTR result) {
    return EndDialog(dialog, result);
}
