// Bounded waits as GoogleTest checks. When the bound runs out the failure
// names what was awaited, the last value seen and how long the wait took, so
// that a flake on a loaded machine can be told from a fault.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "Waiting.h"

// Reads with `read` until `holds` accepts what it read.
template <class Read, class Holds>
::testing::AssertionResult WaitUntilSeen(const std::string& awaited, Read read, Holds holds,
                                         DWORD milliseconds) {
    auto seen = read();
    DWORD waited = 0;
    const bool held = WaitFor(
        [&] {
            seen = read();
            return holds(seen);
        },
        milliseconds, &waited);
    if (held) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "waited " << waited << " ms for " << awaited
                                         << "; last seen: " << ::testing::PrintToString(seen);
}

// Reads with `read` until it gives `expected`.
template <class Read, class Value>
::testing::AssertionResult WaitUntilEqual(const std::string& what, Read read, const Value& expected,
                                          DWORD milliseconds) {
    return WaitUntilSeen(
        what + " to be " + ::testing::PrintToString(expected), read,
        [&expected](const decltype(read())& value) { return value == expected; }, milliseconds);
}
