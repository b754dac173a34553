// Start-up: from CreateProcessA to a complete handle file, for the picker and
// for the bare dialog, started in turn.
#pragma once

#include <string>

struct StartupTimes {
    double picker; // median seconds
    double bare;   // median seconds
    int starts;    // of each program
};

// One start of each goes first, untimed, so that both are timed with their
// files in the cache. Every start is closed with WM_CLOSE before the next.
bool MeasureStartups(const std::string& picker, const std::string& bare, int starts,
                     StartupTimes* times, std::string* error);
