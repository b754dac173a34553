// The performance counter, in seconds.
#pragma once

#include <windows.h>

class Stopwatch {
  public:
    Stopwatch();
    // Seconds since construction or the last Restart.
    double Seconds() const;
    void Restart();

  private:
    LONGLONG started;
};

// Seconds between two counter readings.
double CounterSeconds(LONGLONG from, LONGLONG to);
LONGLONG CounterNow();
