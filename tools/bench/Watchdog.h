// A bound on a stretch of blocking calls into another process.
#pragma once

#include <windows.h>

// While it lives, a thread watches the clock. If the stretch outlasts its
// limit, the watched process is ended (which releases a SendMessageA blocked
// on it), the reason is printed and the benchmark exits with 3: a hung
// program ends the run instead of hanging it.
class Watchdog {
  public:
    Watchdog(const char* what, DWORD milliseconds, HANDLE process);
    ~Watchdog();

  private:
    Watchdog(const Watchdog&);
    Watchdog& operator=(const Watchdog&);

    static DWORD WINAPI Watch(void* self);

    const char* what;
    DWORD milliseconds;
    HANDLE process;
    HANDLE finished;
    HANDLE thread;
};
