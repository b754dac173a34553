// The handle text's conversion, the same table on the host and on Windows, so
// that the host's 32-bit model cannot drift from the library's strtoul.
#include "HandleText.h"

#include "EscapedText.h"

#include <gtest/gtest.h>

namespace {

struct ConversionCase {
    const char* text;
    DWORD expected;
};

const ConversionCase kConversions[] = {
    // The forms a handle may take.
    {"1234", 1234},
    {"   1234", 1234},
    {"\t \t1234", 1234},
    {"1234\n", 1234},
    {"1234\r\n", 1234},
    {"1234abc", 1234},
    {"0x4D2", 1234},
    {"0X4d2", 1234},
    {"02322", 1234},
    {"+1234", 1234},
    {"\v\f\r\n 1234", 1234},
    {"2032294", 2032294},
    // No digit: handle 0.
    {"", 0},
    {"abc", 0},
    {"-", 0},
    {"+", 0},
    {"- 1234", 0},
    {"+\t1234", 0},
    {"--1", 0},
    {"+-1", 0},
    {"\xA0"
     "1234",
     0},
    {"\x85"
     "1234",
     0},
    // A digit must be below the base; the prefix alone is a zero.
    {"0", 0},
    {"08", 0},
    {"0778", 077},
    {"0x", 0},
    {"0xg", 0},
    {"00x5", 0},
    {"0x1fZ", 0x1F},
    {"12\xB3"
     "4",
     12},
    {"1234\x1A", 1234},
    // Negative numbers wrap modulo 2^32.
    {"-1", 4294967295u},
    {"-0x10", 4294967280u},
    {"-4294967295", 1},
    {"-0", 0},
    // Values past 32 bits clamp to 0xFFFFFFFF, then a minus negates.
    {"4294967295", 4294967295u},
    {"4294967296", 4294967295u},
    {"12345678901", 4294967295u},
    {"99999999999999999999999", 4294967295u},
    {"0xFFFFFFFF", 4294967295u},
    {"0x100000000", 4294967295u},
    {"037777777777", 4294967295u},
    {"040000000000", 4294967295u},
    {"429496729", 429496729},
    {"4294967290", 4294967290u},
    {"-4294967296", 1},
    {"-12345678901", 1},
};

TEST(HandleTextPlatform, ConvertsAsStrtoulDoesInThirtyTwoBits) {
    for (const ConversionCase& c : kConversions) {
        EXPECT_EQ(c.expected, ConvertHandleText(c.text)) << "text " << Escaped(c.text);
    }
}

} // namespace
