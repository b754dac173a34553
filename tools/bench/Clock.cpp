#include "Clock.h"

namespace {

double CounterFrequency() {
    static double frequency = 0;
    if (frequency == 0) {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        frequency = static_cast<double>(value.QuadPart);
    }
    return frequency;
}

} // namespace

LONGLONG CounterNow() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value.QuadPart;
}

double CounterSeconds(LONGLONG from, LONGLONG to) {
    return static_cast<double>(to - from) / CounterFrequency();
}

Stopwatch::Stopwatch() {
    Restart();
}

double Stopwatch::Seconds() const {
    return CounterSeconds(started, CounterNow());
}

void Stopwatch::Restart() {
    started = CounterNow();
}
