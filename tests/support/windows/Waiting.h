// The one bounded wait of the Windows-side tests, the demonstration and the
// benchmark. It pumps this thread's messages while it polls, so that the
// test's own windows keep painting and answering other programs.
#ifndef PICKER_WINE_WAITING_H
#define PICKER_WINE_WAITING_H

#include <windows.h>

// Dispatches whatever is queued for this thread's windows.
void PumpMessages();

// Pumps messages for the given time, letting other programs catch up.
void Settle(DWORD milliseconds);

// Polls `done` until it holds or the time is up; true if it held. The last
// poll comes after the time is up. `waited`, when given, gets the time spent.
template <class Condition>
bool WaitFor(Condition done, DWORD milliseconds, DWORD* waited = nullptr) {
    const ULONGLONG start = GetTickCount64();
    bool held = false;
    for (;;) {
        PumpMessages();
        if (done()) {
            held = true;
            break;
        }
        if (GetTickCount64() - start >= milliseconds) {
            break;
        }
        Sleep(10);
    }
    if (waited) {
        *waited = static_cast<DWORD>(GetTickCount64() - start);
    }
    return held;
}

#endif
