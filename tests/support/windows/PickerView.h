// The picker's dialog as another program on the desktop sees it: the label's
// text, the swatch's colour on the screen, its thread's capture and the
// cursor shown.
#pragma once

#include <windows.h>

#include <string>

std::string LabelText(HWND dialog);

// The swatch paints its colour as a bar behind its spaces, from its left
// edge; this is a point of that bar.
POINT SwatchBarPoint(HWND dialog);

// GetCapture answers for the calling thread only; the picker's is another.
HWND CaptureOfThread(DWORD thread);

// The cursor on the screen; null while none shows.
HCURSOR ShownCursor();
