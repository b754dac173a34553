// Expected call sequences as tables, compared with the stand-in's call log.
// A row names an operation and, where given, its arguments; an argument may
// be any value, or text that the logged pointer must point at. A mismatch
// prints both sequences and marks where they part.
#pragma once

#include "Fake.h"

#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

namespace fake {

class ExpectedArg {
  public:
    template <typename T> ExpectedArg(T value) : kind_(kValue), value_(AsWord(value)) {}

    static ExpectedArg Any() { return ExpectedArg(kAny, 0, std::string()); }
    static ExpectedArg Text(const std::string& text) { return ExpectedArg(kText, 0, text); }

    bool Matches(Word actual) const;
    std::string Describe() const;

  private:
    enum Kind { kValue, kAny, kText };
    ExpectedArg(Kind kind, Word value, const std::string& text)
        : kind_(kind), value_(value), text_(text) {}
    template <typename T> static Word AsWord(T value) {
        if constexpr (std::is_pointer<T>::value) {
            return reinterpret_cast<Word>(value);
        } else {
            return static_cast<Word>(value);
        }
    }

    Kind kind_;
    Word value_;
    std::string text_;
};

struct ExpectedCall {
    ExpectedCall(const char* callName) : name(callName), checkArgs(false) {}
    ExpectedCall(const char* callName, std::vector<ExpectedArg> callArgs)
        : name(callName), args(callArgs), checkArgs(true) {}

    std::string name;
    std::vector<ExpectedArg> args;
    bool checkArgs; // without arguments, a row matches any
};

// The whole log is the expected sequence.
::testing::AssertionResult CallsAre(const std::vector<ExpectedCall>& expected);
// The log starts with the expected sequence; later calls may follow.
::testing::AssertionResult CallsBeginWith(const std::vector<ExpectedCall>& expected);

} // namespace fake
