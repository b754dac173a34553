// ANSI string routines, formatting, message boxes and Sleep.
#include "FakeInternal.h"

#include <cstdio>
#include <cstring>

using fake::detail::S;

namespace fake {
const std::vector<MessageBoxShown>& MessageBoxes() {
    return S().messageBoxes;
}
} // namespace fake

int lstrlenA(LPCSTR text) {
    FAKE_ENTER(int, text);
    return text ? static_cast<int>(std::strlen(text)) : 0;
}

LPSTR lstrcpyA(LPSTR destination, LPCSTR source) {
    FAKE_ENTER(LPSTR, destination, source);
    if (!destination || !source) {
        return 0;
    }
    return std::strcpy(destination, source);
}

int lstrcmpA(LPCSTR first, LPCSTR second) {
    FAKE_ENTER(int, first, second);
    int order = std::strcmp(first ? first : "", second ? second : "");
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void Sleep(DWORD milliseconds) {
    FAKE_ENTER_VOID(milliseconds);
}

// Windows formats into at most 1024 bytes: 1023 characters and a NUL. Output
// that does not fit is cut there, and the result is then 1024.
int wvsprintfA(LPSTR output, LPCSTR format, va_list arguments) {
    FAKE_ENTER(int, output, format);
    const int kBufferBytes = 1024;
    va_list copy;
    va_copy(copy, arguments);
    int wanted = std::vsnprintf(output, kBufferBytes, format, copy);
    va_end(copy);
    if (wanted < 0) {
        return -1;
    }
    return wanted >= kBufferBytes ? kBufferBytes : wanted;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    FAKE_ENTER(int, owner, text, caption, type);
    S().messageBoxes.push_back(
        fake::MessageBoxShown{owner, text ? text : "", caption ? caption : "", type});
    return IDOK;
}
