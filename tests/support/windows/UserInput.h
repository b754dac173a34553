// Mouse and keyboard input injected as a person's, through SendInput.
#ifndef PICKER_WINE_USER_INPUT_H
#define PICKER_WINE_USER_INPUT_H

#include <windows.h>

// How long a pointer move may take to arrive.
const DWORD kPointerArrivalMs = 5000;

// Moves the pointer to a screen point with an absolute move and waits until
// the system reports it there; false if it never arrived, with where it is
// left in `reached`.
bool MovePointerTo(POINT screen, POINT* reached = nullptr);

void PressLeftButton();
void ReleaseLeftButton();
void PressRightButton();
void ReleaseRightButton();

// A press and release of one key.
void TapKey(WORD virtualKey);

// Releases any button still held down, as after the picker's own press;
// false if one stayed down.
bool ReleaseHeldButtons();

#endif
