// The text buffer on whichever Windows operations the build has: the host
// stand-in or a real Win32 implementation. Both must agree.
#include "DrevString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

bool AllZero(const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

TEST(TextBufferPlatform, NewStringHoldsEmptyTextInBlockOf160Bytes) {
    DrevString text;
    ASSERT_NE(nullptr, text.buffer);
    EXPECT_EQ(160u, GlobalSize(text.buffer)) << "block for a 32-byte request";
    EXPECT_TRUE(AllZero(text.buffer, 42)) << "first 32 + 10 bytes must be zero";
    EXPECT_EQ(0, text.Differs(""));
    EXPECT_EQ(1, text.Differs("000000"));
}

TEST(TextBufferPlatform, FormatGivesTwoUpperCaseDigitsPerComponent) {
    struct Case {
        int red, green, blue;
        const char* expected;
    } cases[] = {
        {18, 171, 5, "12AB05"},   {0, 0, 0, "000000"},   {255, 255, 255, "FFFFFF"},
        {10, 200, 255, "0AC8FF"}, {255, 0, 0, "FF0000"}, {1, 15, 16, "010F10"},
    };
    for (const Case& c : cases) {
        DrevString text;
        int written = text.Format("%02X%02X%02X", c.red, c.green, c.blue);
        EXPECT_STREQ(c.expected, text.buffer) << c.red << "," << c.green << "," << c.blue;
        EXPECT_EQ(6, written);
        EXPECT_EQ(1152u, GlobalSize(text.buffer)) << "block for a 1024-byte request";
    }
}

TEST(TextBufferPlatform, SecondFormatReplacesTheFirstText) {
    DrevString text;
    text.Format("%02X%02X%02X", 1, 2, 3);
    char* first = text.buffer;
    text.Format("%02X", 0xAB);
    EXPECT_STREQ("AB", text.buffer);
    EXPECT_NE(first, text.buffer) << "every reservation makes a new block";
    EXPECT_EQ(1152u, GlobalSize(text.buffer));
}

TEST(TextBufferPlatform, FormattedTextStaysInsideItsBlock) {
    std::string longText(3000, 'x');
    DrevString text;
    int written = text.Format("%s", longText.c_str());
    std::size_t length = std::strlen(text.buffer);
    EXPECT_EQ(1023u, length) << "1024 bytes at most, with the NUL";
    EXPECT_EQ(1024, written) << "what wvsprintfA reports for output it cut";
    EXPECT_LT(length, GlobalSize(text.buffer));
}

TEST(TextBufferPlatform, DiffersFoldsEveryNonZeroComparisonToOne) {
    struct Case {
        const char* left;
        const char* right;
        int order; // sign of lstrcmpA
    } cases[] = {
        {"12AB05", "FFFFFF", -1}, {"FFFFFF", "12AB05", 1}, {"FFFFFF", "FFFFFF", 0},
        {"000001", "000000", 1},  {"", "000000", -1},      {"FFFFFE", "FFFFFF", -1},
    };
    for (const Case& c : cases) {
        int order = lstrcmpA(c.left, c.right);
        EXPECT_EQ(c.order, order < 0 ? -1 : (order > 0 ? 1 : 0)) << c.left << " vs " << c.right;
        DrevString text;
        text.Format("%s", c.left);
        EXPECT_EQ(c.order != 0 ? 1 : 0, text.Differs(c.right)) << c.left << " vs " << c.right;
    }
}

} // namespace
