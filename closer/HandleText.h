// Conversion of the handle file's text to the 32-bit handle value.
#pragma once

#include "WinOps.h"

// The value of the text as strtoul reads it with base 0, in 32 bits:
// white space, a sign, a 0x or 0 prefix choosing the base, digits up to the
// first that does not fit; too large clamps to 0xFFFFFFFF, a minus negates.
DWORD ConvertHandleText(const char* text);
