// A long run of pointer moves against one picker, with its counters read
// before, along the way and after.
#pragma once

#include "Counters.h"

#include <windows.h>

#include <vector>

struct SoakResult {
    int moves;
    ProcessCounters before;
    ProcessCounters after;
    // The counters after each tenth of the moves.
    std::vector<ProcessCounters> trace;
};

// `before` is read after a warm-up of moves, once the picker's first-use
// allocations (fonts, caches, the heap's first pages) are behind it.
SoakResult RunSoak(HANDLE process, HWND dialog, int moves);
