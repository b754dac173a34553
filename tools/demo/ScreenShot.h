// Saves part of the screen as a 24-bit BMP file.
#ifndef PICKER_WINE_SCREEN_SHOT_H
#define PICKER_WINE_SCREEN_SHOT_H

#include <windows.h>

// False, with `error` set, if the area could not be read or the file written.
bool SaveScreenArea(const RECT& area, const char* path, DWORD* error);

#endif
