// State shared by the stand-in's source files.
#pragma once

#include "Fake.h"

#include <initializer_list>
#include <type_traits>

namespace fake {
namespace detail {

struct Rule {
    std::string name;
    Word value;
    int skip;
    int times; // < 0: unlimited
};

struct Screen {
    int width = 1024;
    int height = 768;
    COLORREF background = 0;
    std::map<std::pair<int, int>, COLORREF> pixels;
};

struct Clipboard {
    bool open = false;
    int busyAttempts = 0;
    std::map<UINT, HANDLE> formats;
};

struct State {
    std::vector<Call> calls;
    std::vector<Rule> rules;
    long fallibleCalls = 0;
    long failAtFallibleCall = 0;

    std::map<HGLOBAL, Block> blocks;
    std::size_t invalidHandleUses = 0;
    std::uintptr_t nextMoveableHandle = 0x10000;

    std::vector<MessageBoxShown> messageBoxes;

    Screen screen;
    std::map<HDC, COLORREF> deviceContexts; // live display contexts and their background
    std::map<HDC, COLORREF> otherContexts;  // contexts the test hands in (WM_CTLCOLORSTATIC)
    std::uintptr_t nextDeviceContext = 0xDC000;

    std::map<HWND, WindowState> windows;
    std::uintptr_t nextWindow = 0x10010;
    HWND desktop = 0;
    std::vector<PostedMessage> posted;
    HWND capture = 0;
    HCURSOR cursor = 0;
    std::vector<INPUT> injected;
    std::map<std::pair<HINSTANCE, int>, HICON> iconResources;
    std::map<std::string, HICON> classIcons;
    std::function<void(HWND)> dialogSession;
    std::vector<DialogControl> dialogControls;

    Clipboard clipboard;
};

State& S();
void ReleaseHeap();

// Failure values that are not plain numbers.
const Word kCannotFail = ~Word(0) - 0x5A5A; // no failure mode; FailNthCall passes it by
const Word kEchoFirstArgument =
    ~Word(0) - 0x5A5B; // fails by handing back its argument (GlobalFree)

template <typename T> Word ToWord(T value) {
    if constexpr (std::is_pointer<T>::value) {
        return reinterpret_cast<Word>(value);
    } else {
        return static_cast<Word>(value);
    }
}

bool EnterList(const char* name, Word* forced, std::initializer_list<Word> args);

// Logs the call; true when a rule decides its result, which is then in *forced.
template <typename... A> bool Enter(const char* name, Word* forced, A... args) {
    return EnterList(name, forced, {ToWord(args)...});
}

template <typename T> T FromWord(Word value) {
    if constexpr (std::is_pointer<T>::value) {
        return reinterpret_cast<T>(value);
    } else {
        return static_cast<T>(value);
    }
}

} // namespace detail
} // namespace fake

// First statement of every fake operation: log it and honour forced results.
#define FAKE_ENTER(ResultType, ...)                                                                \
    do {                                                                                           \
        ::fake::Word forced_ = 0;                                                                  \
        if (::fake::detail::Enter(__func__, &forced_, ##__VA_ARGS__)) {                            \
            return ::fake::detail::FromWord<ResultType>(forced_);                                  \
        }                                                                                          \
    } while (0)

#define FAKE_ENTER_VOID(...)                                                                       \
    do {                                                                                           \
        ::fake::Word forced_ = 0;                                                                  \
        if (::fake::detail::Enter(__func__, &forced_, ##__VA_ARGS__)) {                            \
            return;                                                                                \
        }                                                                                          \
    } while (0)
