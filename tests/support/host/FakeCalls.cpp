// The call log, forced results and failure injection.
#include "FakeInternal.h"

#include <cstdio>

namespace fake {
namespace detail {

namespace {

struct FailureValue {
    const char* name;
    Word value;
};

// What each operation returns when it fails.
const FailureValue kFailureValues[] = {
    {"GlobalAlloc", 0},
    {"GlobalFree", kEchoFirstArgument},
    {"GlobalSize", 0},
    {"GlobalLock", 0},
    {"GlobalUnlock", 0},
    {"lstrlenA", kCannotFail},
    {"lstrcpyA", kCannotFail},
    {"lstrcmpA", kCannotFail},
    {"Sleep", kCannotFail},
    {"wvsprintfA", kCannotFail},
    {"MessageBoxA", 0},
    {"DialogBoxParamA", static_cast<Word>(-1)},
    {"EndDialog", 0},
    {"GetDlgItem", 0},
    {"GetDesktopWindow", kCannotFail},
    {"SetWindowTextA", 0},
    {"SetWindowPos", 0},
    {"GetWindowRect", 0},
    {"SetClassLongPointer", 0},
    {"GetClassLongPointer", 0},
    {"GetWindowLongPointer", 0},
    {"LoadIconA", 0},
    {"CreateWindowExA", 0},
    {"DestroyWindow", 0},
    {"IsWindow", kCannotFail},
    {"CreateWindowExW", 0},
    {"GetAncestor", 0},
    {"GetClassNameW", 0},
    {"GetWindowTextW", 0},
    {"SendMessageA", 0},
    {"PostMessageA", 0},
    {"ClientToScreen", 0},
    {"SendInput", 0},
    {"SetCapture", 0},
    {"ReleaseCapture", 0},
    {"SetCursor", 0},
    {"LoadCursorA", 0},
    {"OpenClipboard", 0},
    {"EmptyClipboard", 0},
    {"SetClipboardData", 0},
    {"CloseClipboard", 0},
    {"CreateDCA", 0},
    {"DeleteDC", 0},
    {"GetPixel", CLR_INVALID},
    {"SetBkColor", CLR_INVALID},
    {"GetStockObject", 0},
    {"DeleteObject", 0},
};

bool LookUpFailureValue(const std::string& name, Word* value) {
    for (const FailureValue& entry : kFailureValues) {
        if (name == entry.name) {
            *value = entry.value;
            return true;
        }
    }
    return false;
}

Word ResolveFailure(Word failure, std::initializer_list<Word> args) {
    if (failure == kEchoFirstArgument) {
        return args.size() > 0 ? *args.begin() : 0;
    }
    return failure;
}

} // namespace

State& S() {
    static State state;
    return state;
}

bool EnterList(const char* name, Word* forced, std::initializer_list<Word> args) {
    State& s = S();
    s.calls.push_back(Call{name, std::vector<Word>(args), false});
    Word failure = kCannotFail;
    if (!LookUpFailureValue(name, &failure)) {
        std::fprintf(stderr, "fake: %s has no failure value\n", name);
        std::abort();
    }
    bool fails = false;
    Word result = 0;
    if (failure != kCannotFail) {
        ++s.fallibleCalls;
        if (s.failAtFallibleCall != 0 && s.fallibleCalls == s.failAtFallibleCall) {
            fails = true;
            result = ResolveFailure(failure, args);
        }
    }
    for (Rule& rule : s.rules) {
        if (fails || rule.name != name || rule.times == 0) {
            continue;
        }
        if (rule.skip > 0) {
            --rule.skip;
            continue;
        }
        if (rule.times > 0) {
            --rule.times;
        }
        fails = true;
        result = rule.value == kEchoFirstArgument ? ResolveFailure(rule.value, args) : rule.value;
    }
    if (fails) {
        s.calls.back().forced = true;
        *forced = result;
    }
    return fails;
}

} // namespace detail

using detail::S;

void Reset() {
    detail::ReleaseHeap();
    detail::S() = detail::State();
}

const std::vector<Call>& Calls() {
    return S().calls;
}

std::vector<std::string> CallNames() {
    std::vector<std::string> names;
    for (const Call& call : S().calls) {
        names.push_back(call.name);
    }
    return names;
}

std::vector<Call> CallsTo(const std::string& name) {
    std::vector<Call> found;
    for (const Call& call : S().calls) {
        if (call.name == name) {
            found.push_back(call);
        }
    }
    return found;
}

std::size_t CountCalls(const std::string& name) {
    return CallsTo(name).size();
}

long FindCall(const std::string& name, long from) {
    const std::vector<Call>& calls = S().calls;
    for (long i = from < 0 ? 0 : from; i < static_cast<long>(calls.size()); ++i) {
        if (calls[i].name == name) {
            return i;
        }
    }
    return -1;
}

void ClearCalls() {
    S().calls.clear();
}

std::string DescribeCalls() {
    std::string text;
    for (const Call& call : S().calls) {
        text += call.name + "(";
        for (std::size_t i = 0; i < call.args.size(); ++i) {
            char number[32];
            std::snprintf(number, sizeof number, "%s0x%llx", i ? ", " : "",
                          static_cast<unsigned long long>(call.args[i]));
            text += number;
        }
        text += call.forced ? ") forced\n" : ")\n";
    }
    return text;
}

void ForceResult(const std::string& name, Word value, int times, int skip) {
    Word unused;
    if (!detail::LookUpFailureValue(name, &unused)) {
        std::fprintf(stderr, "fake: no operation %s\n", name.c_str());
        std::abort();
    }
    S().rules.push_back(detail::Rule{name, value, skip, times});
}

void FailCall(const std::string& name, int times, int skip) {
    ForceResult(name, FailureValueOf(name), times, skip);
}

void FailNthCall(long k) {
    S().failAtFallibleCall = S().fallibleCalls + k;
}

long FallibleCallCount() {
    return S().fallibleCalls;
}

Word FailureValueOf(const std::string& name) {
    Word value = 0;
    if (!detail::LookUpFailureValue(name, &value) || value == detail::kCannotFail) {
        std::fprintf(stderr, "fake: %s cannot fail\n", name.c_str());
        std::abort();
    }
    return value;
}

} // namespace fake
