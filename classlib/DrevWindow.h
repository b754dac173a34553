// Thin objects around a window handle.
#pragma once

#include "WinOps.h"

// SetWindowPos to (x, y), keeping size and z-order; 1 on success, else 0.
int MoveWindowTo(HWND window, int x, int y);
// The module that the window records as its instance.
HINSTANCE GetWindowInstance(HWND window);

class DrevWindowBase {
  public:
    DrevWindowBase();
    virtual ~DrevWindowBase();

    HBRUSH brush;
    HWND hwnd;

  private:
    DrevWindowBase(const DrevWindowBase&);
    DrevWindowBase& operator=(const DrevWindowBase&);
};

// Empty second base of DrevWindow: a window object can be deleted through it too.
class DrevMixin {
  public:
    DrevMixin();
    virtual ~DrevMixin();

  private:
    DrevMixin(const DrevMixin&);
    DrevMixin& operator=(const DrevMixin&);
};

class DrevWindow : public DrevWindowBase, public DrevMixin {
  public:
    DrevWindow();
    ~DrevWindow() override;

    // The message may delete this object: nothing of it is touched afterwards.
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
    int MoveTo(int x, int y);
    // Installs icon `id` of the window's module as its class's icon.
    ULONG_PTR SetClassIcon(int id);

    HWND ownedWindow;

  protected:
    void ReleaseOwnedWindow();
};

class DrevDialog : public DrevWindow {
  public:
    explicit DrevDialog(HWND window);
    ~DrevDialog() override;

    BOOL End(INT_PTR result);

    HWND dialog;
};
