// Pointer moves sent to the picker's dialog, and the least work that handling
// one of them must do, timed side by side.
#pragma once

#include <windows.h>

// Mean seconds per operation.
struct MoveCosts {
    double move;    // WM_MOUSEMOVE sent to the dialog and handled
    double sample;  // CreateDCA("DISPLAY"), GetPixel, DeleteDC, here
    double ignored; // a message the dialog ignores, sent to it
    int count;      // operations of each kind
};

// Sends `count` moves over the dialog's client area, starting at move number
// `first`, so that a later call goes on where an earlier one stopped.
void SendMoves(HWND dialog, int first, int count);

// Times `count` operations of each kind, interleaved in rounds so that a
// change of the machine's load falls on all three alike.
MoveCosts MeasureMoveCosts(HWND dialog, int count);
