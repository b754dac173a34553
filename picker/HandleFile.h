// The handle file through which the closer finds the picker's dialog.
#pragma once

#include "WinOps.h"

// Writes the dialog's handle, its low 32 bits in decimal, to "hwnd.dat" in
// the current directory. Where the file cannot be created the picker goes on
// without it.
void WriteHandleFile(HWND dialog);
