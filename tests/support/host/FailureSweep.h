// One road through the code under test, run once without failures and then
// once for every fallible Windows call that run made, the k-th run failing
// the k-th call.
#pragma once

#include "Fake.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace fake {

struct SweptRoad {
    std::function<void()> prepare; // fresh stand-in state for one run
    std::function<void()> drive;   // the road itself
    // The run's verdict; failAt is 0 for the run without failures.
    std::function<::testing::AssertionResult(long failAt)> judge;
};

// The first call whose result a failure rule forced, or "none".
inline std::string FailedCallName() {
    for (const Call& call : Calls()) {
        if (call.forced) {
            return call.name;
        }
    }
    return "none";
}

// Runs the sweep with every check on the caller's failure list; returns the
// number of failure points tried.
inline long SweepFailurePoints(const SweptRoad& road) {
    road.prepare();
    road.drive();
    long total = FallibleCallCount();
    ::testing::AssertionResult clean = road.judge(0);
    EXPECT_TRUE(clean) << "without failures\n" << DescribeCalls();
    EXPECT_GT(total, 0) << "the road made no fallible call";
    if (!clean) {
        return 0;
    }
    for (long k = 1; k <= total; ++k) {
        road.prepare();
        FailNthCall(k);
        road.drive();
        std::string failed = FailedCallName();
        ::testing::AssertionResult verdict = road.judge(k);
        EXPECT_TRUE(verdict) << "call " << k << " failing (" << failed << ")\n" << DescribeCalls();
    }
    return total;
}

} // namespace fake
