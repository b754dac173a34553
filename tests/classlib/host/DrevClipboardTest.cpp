// The clipboard writer: the block it hands over, and a clipboard that another
// program holds or that refuses the block.
#include "DrevClipboard.h"

#include "CallSequence.h"
#include "FakeTest.h"

#include <vector>

namespace {

class Clipboard : public FakeTest {
  protected:
    std::string Text() {
        std::string text;
        return fake::ClipboardText(&text) ? text : "<none>";
    }
};

TEST_F(Clipboard, PlacesTheTextAloneInAZeroFilledMoveableBlock) {
    fake::SetClipboardTextFromElsewhere("earlier");
    EXPECT_EQ(1, g_clipboard.CopyText("0AC8FF"));
    EXPECT_TRUE(fake::CallsAre({
        "lstrlenA",
        {"GlobalAlloc", {GMEM_MOVEABLE | GMEM_ZEROINIT, 134}},
        "GlobalLock",
        "lstrcpyA",
        "GlobalUnlock",
        {"OpenClipboard", {0}},
        "EmptyClipboard",
        {"SetClipboardData", {CF_TEXT, fake::ExpectedArg::Any()}},
        "CloseClipboard",
    }));
    EXPECT_EQ("0AC8FF", Text());
    EXPECT_EQ((std::vector<UINT>{CF_TEXT}), fake::ClipboardFormats());
    const fake::Block* block = fake::FindBlock(fake::ClipboardData(CF_TEXT));
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(static_cast<UINT>(GMEM_MOVEABLE | GMEM_ZEROINIT), block->flags);
    EXPECT_EQ(134u, block->size);
    EXPECT_EQ(0, block->locks);
    EXPECT_FALSE(fake::ClipboardIsOpen());
    EXPECT_EQ(0u, fake::LiveBlockCount());
}

TEST_F(Clipboard, WaitsForAClipboardThatFreesUpOnTheThirdTry) {
    fake::SetClipboardBusy(2);
    EXPECT_EQ(1, CopyTextToClipboard("#"));
    EXPECT_EQ("#", Text());
    EXPECT_EQ(3u, fake::CountCalls("OpenClipboard"));
    std::vector<fake::Call> sleeps = fake::CallsTo("Sleep");
    ASSERT_EQ(2u, sleeps.size());
    EXPECT_EQ(50u, sleeps[0].args[0]);
}

TEST_F(Clipboard, GivesUpOnAClipboardThatStaysBusyAndFreesTheBlock) {
    fake::SetClipboardTextFromElsewhere("earlier");
    fake::SetClipboardBusy(-1);
    EXPECT_EQ(0, CopyTextToClipboard("123456"));
    EXPECT_EQ(10u, fake::CountCalls("OpenClipboard"));
    fake::Word slept = 0;
    for (const fake::Call& call : fake::CallsTo("Sleep")) {
        slept += call.args[0];
    }
    EXPECT_EQ(450u, slept) << "about half a second at most";
    EXPECT_EQ(0u, fake::CountCalls("EmptyClipboard"));
    EXPECT_EQ(0u, fake::CountCalls("SetClipboardData"));
    EXPECT_EQ("earlier", Text());
    EXPECT_EQ(0u, fake::LiveBlockCount());
    EXPECT_EQ(0u, fake::InvalidHandleUses());
}

TEST_F(Clipboard, FailuresReturnZeroAndLeaveNoBlock) {
    struct Case {
        const char* failing;
        const char* left; // the clipboard was emptied before the refusal
    } cases[] = {
        {"GlobalAlloc", "earlier"}, {"GlobalLock", "earlier"}, {"SetClipboardData", "<none>"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.failing) + " fails");
        fake::Reset();
        fake::SetClipboardTextFromElsewhere("earlier");
        fake::FailCall(c.failing);
        EXPECT_EQ(0, CopyTextToClipboard("123456"));
        EXPECT_EQ(c.left, Text());
        EXPECT_EQ(0u, fake::LiveBlockCount());
        EXPECT_EQ(0u, fake::InvalidHandleUses());
        EXPECT_FALSE(fake::ClipboardIsOpen());
    }
}

TEST_F(Clipboard, FailedEmptyStillOffersTheBlock) {
    fake::FailCall("EmptyClipboard");
    EXPECT_EQ(1, CopyTextToClipboard("ABCDEF"));
    EXPECT_EQ("ABCDEF", Text());
}

} // namespace
