// The text buffer's exact calls and its failure paths, on the stand-in.
#include "DrevString.h"
#include "CallSequence.h"
#include "FakeTest.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class TextBuffer : public FakeTest {};

TEST_F(TextBuffer, ConstructorReservesThirtyTwoBytesAndLeavesTheRestAsHanded) {
    DrevString text;
    EXPECT_TRUE(fake::CallsAre({{"GlobalAlloc", {GMEM_FIXED, 160}}}));
    const fake::Block* block = fake::FindBlock(text.buffer);
    ASSERT_NE(nullptr, block);
    for (int i = 0; i < 160; ++i) {
        EXPECT_EQ(i < 42 ? 0 : fake::kUninitialisedByte, text.buffer[i] & 0xFF) << "byte " << i;
    }
}

TEST_F(TextBuffer, FormatMakesANewBlockCarriesTheOldTextThenFrees) {
    DrevString text;
    char* old = text.buffer;
    std::memset(old, 'a', 160); // the whole old block, so the carried share shows
    fake::ClearCalls();
    text.Format("%02X%02X%02X", 18, 171, 5);
    EXPECT_TRUE(fake::CallsAre(
        {"GlobalAlloc", {"GlobalSize", {old}}, {"GlobalFree", {old}}, "wvsprintfA"}));
    EXPECT_STREQ("12AB05", text.buffer);
    // 150 bytes carried (all but the old block's last 10), zero up to 1034, then as handed.
    for (int i = 7; i < 1152; ++i) {
        int expected = i < 150 ? 'a' : (i < 1034 ? 0 : fake::kUninitialisedByte);
        ASSERT_EQ(expected, text.buffer[i] & 0xFF) << "byte " << i;
    }
    EXPECT_EQ(1u, fake::LiveBlockCount());
}

TEST_F(TextBuffer, SecondFormatCarriesThe1034BytesOfTheLargerOldBlock) {
    DrevString text;
    text.Format("%02X", 1);
    std::memset(text.buffer, 'b', 1152);
    text.Format("%02X", 2);
    EXPECT_STREQ("02", text.buffer);
    for (int i = 3; i < 1152; ++i) {
        int expected = i < 1034 ? 'b' : fake::kUninitialisedByte;
        ASSERT_EQ(expected, text.buffer[i] & 0xFF) << "byte " << i;
    }
}

TEST_F(TextBuffer, ConstructorAllocationFailureLeavesNullAndDestructorFreesNothing) {
    fake::FailCall("GlobalAlloc");
    {
        DrevString text;
        EXPECT_EQ(nullptr, text.buffer);
    }
    EXPECT_EQ(0u, fake::CountCalls("GlobalFree"));
    EXPECT_TRUE(fake::MessageBoxes().empty());
}

TEST_F(TextBuffer, FormatAfterFailedReservationFreesOldBlockAndWritesNothing) {
    DrevString text;
    char* old = text.buffer;
    fake::FailCall("GlobalAlloc");
    fake::ClearCalls();
    EXPECT_EQ(0, text.Format("%02X%02X%02X", 1, 2, 3));
    EXPECT_EQ(nullptr, text.buffer);
    EXPECT_TRUE(fake::CallsAre({"GlobalAlloc", {"GlobalFree", {old}}}));
    EXPECT_EQ(0u, fake::LiveBlockCount());
}

TEST_F(TextBuffer, FailedReleaseShowsTheMessageOnce) {
    {
        DrevString text;
        fake::FailCall("GlobalFree");
    }
    ASSERT_EQ(1u, fake::MessageBoxes().size());
    const fake::MessageBoxShown& shown = fake::MessageBoxes()[0];
    EXPECT_EQ(nullptr, shown.owner);
    EXPECT_EQ("\x83\x81\x83\x82\x83\x8a\x82\xcc\x89\xf0\x95\xfa\x82\xc9\x8e\xb8"
              "\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd",
              shown.text);
    EXPECT_EQ("DrevString", shown.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), shown.type);
}

TEST_F(TextBuffer, FailedReleaseInsideAReservationIsSilent) {
    DrevString text;
    fake::FailCall("GlobalFree", 1);
    text.Format("%02X", 7);
    EXPECT_STREQ("07", text.buffer);
    EXPECT_TRUE(fake::MessageBoxes().empty());
}

// Old blocks of every awkward size: the copy stays inside both blocks (the
// stand-in's blocks are exactly as large as asked, so AddressSanitizer sees
// any overrun) and carries what it can.
TEST_F(TextBuffer, ReservationCopyStaysInsideOldAndNewBlocks) {
    struct Case {
        SIZE_T oldSize;
        DWORD request;
        SIZE_T carried;
    } cases[] = {
        {0, 32, 0},     {5, 32, 0},         {9, 32, 0},         {10, 32, 0},
        {11, 32, 1},    {33, 32, 33},       {35, 32, 35},       {42, 32, 42},
        {160, 32, 42},  {160, 1024, 150},   {1030, 1024, 1030}, {1152, 1024, 1034},
        {5000, 32, 42}, {5000, 1024, 1034},
    };
    for (const Case& c : cases) {
        fake::Reset();
        char* slot = static_cast<char*>(GlobalAlloc(GMEM_FIXED, c.oldSize));
        std::memset(slot, 'c', c.oldSize);
        char* block = ReserveBuffer(&slot, c.request);
        ASSERT_NE(nullptr, block);
        EXPECT_EQ(block, slot);
        EXPECT_EQ(c.request + 128u, GlobalSize(block));
        SIZE_T carried = 0;
        while (carried < c.request + 128u && block[carried] == 'c') {
            ++carried;
        }
        EXPECT_EQ(c.carried, carried) << "old " << c.oldSize << ", request " << c.request;
        EXPECT_EQ(1u, fake::LiveBlockCount()) << "old block freed";
        GlobalFree(block);
    }
}

TEST_F(TextBuffer, ReservationThatCannotBeSizedFailsLikeAnAllocation) {
    char* slot = 0;
    EXPECT_EQ(nullptr, ReserveBuffer(&slot, 0xFFFFFFF0u));
    EXPECT_EQ(nullptr, slot);
    slot = static_cast<char*>(GlobalAlloc(GMEM_FIXED, 160));
    EXPECT_EQ(nullptr, ReserveBuffer(&slot, 0xFFFFFFFFu));
    EXPECT_EQ(nullptr, slot);
    EXPECT_EQ(0u, fake::LiveBlockCount());
}

TEST_F(TextBuffer, ReservationWhenSizeOfOldBlockIsUnknownCarriesNothing) {
    DrevString text;
    std::memset(text.buffer, 'd', 160);
    fake::FailCall("GlobalSize");
    text.Format("%s", "");
    EXPECT_EQ(0, text.buffer[0]);
    EXPECT_EQ(0, text.buffer[1]) << "nothing carried past the new text";
}

} // namespace
