// A borderless top-level window filled with one colour, for the picker to sample.
#ifndef PICKER_WINE_COLOUR_WINDOW_H
#define PICKER_WINE_COLOUR_WINDOW_H

#include <windows.h>

class ColourWindow {
  public:
    ColourWindow(COLORREF colour, RECT screenArea);
    ~ColourWindow();
    ColourWindow(const ColourWindow&) = delete;
    ColourWindow& operator=(const ColourWindow&) = delete;

    // True once the window is up and the screen shows its colour at the centre.
    bool WaitUntilShown(DWORD milliseconds) const;

    POINT Centre() const;
    HWND Handle() const { return window; }
    COLORREF Colour() const { return colour; }

  private:
    HWND window = 0;
    HBRUSH brush = 0;
    RECT area;
    COLORREF colour;
};

// The colour of one screen pixel, read as the picker reads it.
COLORREF ScreenPixel(POINT screen);

#endif
