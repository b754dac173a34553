// Bounded waits that keep this thread's own windows painting.
#ifndef PICKER_WINE_WAITING_H
#define PICKER_WINE_WAITING_H

#include <windows.h>

// Dispatches whatever is queued for this thread's windows.
void PumpMessages();

// Pumps messages for the given time, letting other programs catch up.
void Settle(DWORD milliseconds);

// Polls `done` until it holds or the time is up; true if it held.
template <class Condition> bool WaitFor(Condition done, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        PumpMessages();
        if (done()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(10);
    }
}

#endif
