#include "Watchdog.h"

#include <cstdio>

Watchdog::Watchdog(const char* what_, DWORD milliseconds_, HANDLE process_)
    : what(what_), milliseconds(milliseconds_), process(process_),
      finished(CreateEventA(0, TRUE, FALSE, 0)), thread(0) {
    if (finished) {
        thread = CreateThread(0, 0, Watch, this, 0, 0);
    }
    if (!thread) {
        std::fprintf(stderr, "bench: cannot start the watchdog for %s\n", what);
        std::fflush(stderr);
        ExitProcess(3);
    }
}

Watchdog::~Watchdog() {
    SetEvent(finished);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(finished);
}

DWORD WINAPI Watchdog::Watch(void* self) {
    Watchdog* watchdog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(watchdog->finished, watchdog->milliseconds) == WAIT_OBJECT_0) {
        return 0;
    }
    std::fflush(stdout);
    std::fprintf(stderr, "bench: %s did not finish within %lu ms; ending the program and the run\n",
                 watchdog->what, static_cast<unsigned long>(watchdog->milliseconds));
    std::fflush(stderr);
    if (watchdog->process) {
        TerminateProcess(watchdog->process, 1);
    }
    ExitProcess(3);
    return 0;
}
