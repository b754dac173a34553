#include "Waiting.h"

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Settle(DWORD milliseconds) {
    WaitFor([] { return false; }, milliseconds);
}
