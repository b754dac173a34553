// A process's private memory and its GDI and USER object counts, and which of
// these counters the platform really keeps.
#pragma once

#include <windows.h>

struct ProcessCounters {
    SIZE_T privateUsage;
    // Windows counts the same commit charge here as in privateUsage; Wine
    // leaves privateUsage 0 and counts the private resident pages here.
    SIZE_T pagefileUsage;
    DWORD gdiObjects;
    DWORD userObjects;
};

ProcessCounters ReadCounters(HANDLE process);

enum MemoryCounter { kNoMemoryCounter, kPrivateUsage, kPagefileUsage };

// What moved when this process used what a counter counts: committed and
// touched memory, brushes, menus.
struct CounterSupport {
    MemoryCounter memory;
    bool gdiObjects;
    bool userObjects;
};

CounterSupport ProbeCounterSupport();

// The private bytes in `counters` as the counter that the platform keeps gives them.
SIZE_T PrivateBytes(const ProcessCounters& counters, MemoryCounter memory);
const char* MemoryCounterName(MemoryCounter memory);
