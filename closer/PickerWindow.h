// Which window the handle names, and whether it is a picker's dialog.
#pragma once

#include "WinOps.h"

// Handles are 32 bits wide between processes; a 64-bit process widens them
// with their sign.
HWND WindowFromHandleValue(DWORD value);

// True for an existing top-level window of the dialog class with the
// picker's caption; never for no window or the broadcast handle.
bool IsPickerDialog(HWND window);
