// Fixture that gives each test a fresh stand-in and shows its call log when a
// check fails.
#pragma once

#include "Fake.h"

#include <gtest/gtest.h>

class FakeTest : public ::testing::Test {
  protected:
    void SetUp() override { fake::Reset(); }
    void TearDown() override {
        if (HasFailure()) {
            std::printf("calls made:\n%s", fake::DescribeCalls().c_str());
        }
        fake::Reset();
    }
};

template <typename T> fake::Word W(T value) {
    if constexpr (std::is_pointer<T>::value) {
        return reinterpret_cast<fake::Word>(value);
    } else {
        return static_cast<fake::Word>(value);
    }
}
