#include "HandleText.h"

#ifdef _WIN32

#include <cstdlib>

// unsigned long is 32 bits on Windows, so the library's own conversion is it.
DWORD ConvertHandleText(const char* text) {
    return static_cast<DWORD>(std::strtoul(text, 0, 0));
}

#else

// The host's unsigned long is 64 bits; its strtoul would keep values above
// 0xFFFFFFFF and negate in 64 bits. The same steps, in Windows' width.
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The digit's value, or 36 for a character that is no digit in any base.
unsigned DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned>(c - 'a') + 10;
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned>(c - 'A') + 10;
    }
    return 36;
}

} // namespace

DWORD ConvertHandleText(const char* text) {
    const char* at = text;
    while (IsSpace(*at)) {
        ++at;
    }
    bool negative = false;
    if (*at == '-' || *at == '+') {
        negative = *at == '-';
        ++at;
    }
    DWORD base = 10;
    if (at[0] == '0' && (at[1] == 'x' || at[1] == 'X')) {
        base = 16;
        at += 2;
    } else if (at[0] == '0') {
        base = 8;
    }
    DWORD value = 0;
    for (; DigitValue(*at) < base; ++at) {
        DWORD digit = DigitValue(*at);
        if (value > (0xFFFFFFFFu - digit) / base) {
            value = 0xFFFFFFFFu;
            break;
        }
        value = value * base + digit;
    }
    return negative ? 0u - value : value;
}

#endif
