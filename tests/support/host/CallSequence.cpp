#include "CallSequence.h"

#include <cstdio>

namespace fake {

namespace {

std::string Hex(Word value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string DescribeRow(const ExpectedCall& row) {
    std::string text = row.name;
    if (row.checkArgs) {
        text += "(";
        for (std::size_t i = 0; i < row.args.size(); ++i) {
            text += (i ? ", " : "") + row.args[i].Describe();
        }
        text += ")";
    } else {
        text += "(...)";
    }
    return text;
}

std::string DescribeLogged(const Call& call) {
    std::string text = call.name + "(";
    for (std::size_t i = 0; i < call.args.size(); ++i) {
        text += (i ? ", " : "") + Hex(call.args[i]);
    }
    return text + (call.forced ? ") forced" : ")");
}

bool RowMatches(const ExpectedCall& row, const Call& call) {
    if (row.name != call.name) {
        return false;
    }
    if (!row.checkArgs) {
        return true;
    }
    if (row.args.size() != call.args.size()) {
        return false;
    }
    for (std::size_t i = 0; i < row.args.size(); ++i) {
        if (!row.args[i].Matches(call.args[i])) {
            return false;
        }
    }
    return true;
}

std::string BothSequences(const std::vector<ExpectedCall>& expected,
                          const std::vector<Call>& actual, std::size_t at) {
    std::string text = "expected:\n";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        text += (i == at ? "  > " : "    ") + DescribeRow(expected[i]) + "\n";
    }
    text += "logged:\n";
    for (std::size_t i = 0; i < actual.size(); ++i) {
        text += (i == at ? "  > " : "    ") + DescribeLogged(actual[i]) + "\n";
    }
    return text;
}

::testing::AssertionResult Compare(const std::vector<ExpectedCall>& expected, bool wholeLog) {
    const std::vector<Call>& actual = Calls();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (i >= actual.size() || !RowMatches(expected[i], actual[i])) {
            return ::testing::AssertionFailure() << "call " << i << " differs (marked >)\n"
                                                 << BothSequences(expected, actual, i);
        }
    }
    if (wholeLog && expected.size() < actual.size()) {
        return ::testing::AssertionFailure()
               << "more calls than expected, from call " << expected.size() << "\n"
               << BothSequences(expected, actual, expected.size());
    }
    return ::testing::AssertionSuccess();
}

} // namespace

bool ExpectedArg::Matches(Word actual) const {
    switch (kind_) {
    case kAny:
        return true;
    case kText:
        return actual != 0 && text_ == reinterpret_cast<const char*>(actual);
    default:
        return value_ == actual;
    }
}

std::string ExpectedArg::Describe() const {
    switch (kind_) {
    case kAny:
        return "any";
    case kText:
        return "\"" + text_ + "\"";
    default:
        return Hex(value_);
    }
}

::testing::AssertionResult CallsAre(const std::vector<ExpectedCall>& expected) {
    return Compare(expected, true);
}

::testing::AssertionResult CallsBeginWith(const std::vector<ExpectedCall>& expected) {
    return Compare(expected, false);
}

} // namespace fake
