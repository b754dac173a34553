// Reading the screen pixel under a pointer position, and its hex code.
#pragma once

#include "DrevString.h"
#include "WinOps.h"

// The colour of the screen pixel under `position` (a mouse message's lParam,
// in the dialog's client coordinates), or CLR_INVALID.
COLORREF SampleScreenColour(HWND dialog, LPARAM position);

// Leaves the six upper-case hex digits RRGGBB of `colour` in `code`.
void FormatHexCode(DrevString& code, COLORREF colour);
