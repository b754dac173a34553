#include "ReferenceModel.h"

#include <cstring>

namespace reference {

std::string FirstLine(const std::uint8_t* data, std::size_t size) {
    std::string line;
    for (std::size_t i = 0; i < size && line.size() < 127; ++i) {
        line.push_back(static_cast<char>(data[i]));
        if (data[i] == '\n') {
            break;
        }
    }
    return line.substr(0, std::strlen(line.c_str()));
}

namespace {

int ValueOfDigit(unsigned char c) {
    const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
    const char* upper = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int i = 0; i < 36; ++i) {
        if (c == static_cast<unsigned char>(digits[i]) ||
            c == static_cast<unsigned char>(upper[i])) {
            return i;
        }
    }
    return -1;
}

} // namespace

std::uint32_t Convert(const std::string& text) {
    std::size_t at = 0;
    const std::size_t end = text.size();
    // Rule 1: the six white-space characters, and only those.
    while (at < end && text[at] != '\0' && std::strchr(" \t\n\v\f\r", text[at])) {
        ++at;
    }
    // Rule 2: at most one sign.
    bool negative = false;
    if (at < end && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // Rule 3: the base from the prefix.
    unsigned base = 10;
    if (at + 1 < end && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        base = 16;
        at += 2;
    } else if (at < end && text[at] == '0') {
        base = 8;
    }
    // Rules 4 to 6: digits below the base, in a 64-bit accumulator that
    // saturates once it passes 32 bits; no digit leaves 0.
    std::uint64_t value = 0;
    bool tooLarge = false;
    for (; at < end; ++at) {
        int digit = ValueOfDigit(static_cast<unsigned char>(text[at]));
        if (digit < 0 || static_cast<unsigned>(digit) >= base) {
            break;
        }
        value = value * base + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFull) {
            tooLarge = true;
            break;
        }
    }
    if (tooLarge) {
        value = 0xFFFFFFFFull;
    }
    // Rule 7: a minus negates modulo 2^32.
    if (negative) {
        value = (0x100000000ull - value) % 0x100000000ull;
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace reference
