#include "Counters.h"

#include <psapi.h>

namespace {

const int kProbeObjects = 32;
const SIZE_T kProbeBytes = 8 * 1024 * 1024;

MemoryCounter MemoryCounterThatMoves() {
    const ProcessCounters before = ReadCounters(GetCurrentProcess());
    char* block =
        static_cast<char*>(VirtualAlloc(0, kProbeBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!block) {
        return kNoMemoryCounter;
    }
    // Touched, so that a counter of resident private pages sees them too.
    for (SIZE_T offset = 0; offset < kProbeBytes; offset += 4096) {
        block[offset] = 1;
    }
    const ProcessCounters after = ReadCounters(GetCurrentProcess());
    VirtualFree(block, 0, MEM_RELEASE);
    if (after.privateUsage >= before.privateUsage + kProbeBytes / 2) {
        return kPrivateUsage;
    }
    if (after.pagefileUsage >= before.pagefileUsage + kProbeBytes / 2) {
        return kPagefileUsage;
    }
    return kNoMemoryCounter;
}

bool GdiCounterMoves() {
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    HBRUSH brushes[kProbeObjects];
    for (int i = 0; i < kProbeObjects; ++i) {
        brushes[i] = CreateSolidBrush(RGB(i, 0, 0));
    }
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < kProbeObjects; ++i) {
        DeleteObject(brushes[i]);
    }
    return after >= before + kProbeObjects;
}

bool UserCounterMoves() {
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    HMENU menus[kProbeObjects];
    for (int i = 0; i < kProbeObjects; ++i) {
        menus[i] = CreateMenu();
    }
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < kProbeObjects; ++i) {
        DestroyMenu(menus[i]);
    }
    return after >= before + kProbeObjects;
}

} // namespace

ProcessCounters ReadCounters(HANDLE process) {
    ProcessCounters counters = {};
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        counters.privateUsage = memory.PrivateUsage;
        counters.pagefileUsage = memory.PagefileUsage;
    }
    counters.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    counters.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    return counters;
}

CounterSupport ProbeCounterSupport() {
    CounterSupport support;
    support.memory = MemoryCounterThatMoves();
    support.gdiObjects = GdiCounterMoves();
    support.userObjects = UserCounterMoves();
    return support;
}

SIZE_T PrivateBytes(const ProcessCounters& counters, MemoryCounter memory) {
    switch (memory) {
    case kPrivateUsage:
        return counters.privateUsage;
    case kPagefileUsage:
        return counters.pagefileUsage;
    case kNoMemoryCounter:
        break;
    }
    return 0;
}

const char* MemoryCounterName(MemoryCounter memory) {
    switch (memory) {
    case kPrivateUsage:
        return "PrivateUsage";
    case kPagefileUsage:
        return "PagefileUsage";
    case kNoMemoryCounter:
        break;
    }
    return "none";
}
