// A whole run of the closer against the stand-in: the handle file in the
// current directory, its conversion, the screening and the one post.
#include "CloserRun.h"

#include "EscapedText.h"
#include "FakeTest.h"
#include "PickerTexts.h"
#include "ScratchDirectory.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

std::string Decimal(std::uint64_t value) {
    return std::to_string(value);
}

std::string Hex(std::uint64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string Octal(std::uint64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "0%llo", static_cast<unsigned long long>(value));
    return text;
}

DWORD ValueOf(HWND window) {
    return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(window));
}

class CloserRun : public FakeTest {
  protected:
    void SetUp() override {
        FakeTest::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(directory.Path());
        picker = fake::CreateFakeWindow("#32770", kPickerCaptionUtf8);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        FakeTest::TearDown();
    }

    // Runs the closer on the file content; the posts it made.
    std::vector<fake::PostedMessage> RunOn(const std::string& content) {
        directory.Write("hwnd.dat", content);
        fake::ClearCalls();
        std::size_t before = fake::PostedMessages().size();
        EXPECT_EQ(0, RunCloser()) << "content " << Escaped(content);
        EXPECT_EQ(content, directory.Read("hwnd.dat")) << "the run changed the file";
        return std::vector<fake::PostedMessage>(fake::PostedMessages().begin() + before,
                                                fake::PostedMessages().end());
    }

    void ExpectOneCloseTo(HWND window, const std::string& content) {
        std::vector<fake::PostedMessage> posts = RunOn(content);
        ASSERT_EQ(1u, posts.size()) << "content " << Escaped(content);
        EXPECT_EQ(window, posts[0].window) << "content " << Escaped(content);
        EXPECT_EQ(static_cast<UINT>(WM_CLOSE), posts[0].message);
        EXPECT_EQ(0u, posts[0].wParam);
        EXPECT_EQ(0, posts[0].lParam);
    }

    void ExpectNothingPosted(const std::string& content, const char* what) {
        std::vector<fake::PostedMessage> posts = RunOn(content);
        EXPECT_EQ(0u, fake::CountCalls("PostMessageA"))
            << what << ": content " << Escaped(content) << ", " << posts.size() << " posted";
    }

    ScratchDirectory directory;
    std::filesystem::path previous;
    HWND picker = 0;
};

TEST_F(CloserRun, EveryFormOfThePickersHandleClosesIt) {
    DWORD value = ValueOf(picker);
    const std::string contents[] = {
        Decimal(value),
        "   " + Decimal(value),
        "\t \t" + Decimal(value),
        Decimal(value) + "\r\n",
        Decimal(value) + "\n" + Decimal(value + 2),
        Decimal(value) + "abc",
        Hex(value),
        Octal(value),
        "+" + Decimal(value),
        "-" + Decimal(0x100000000ull - value),
        // Its last digit is character 127; what follows is not read.
        std::string(127 - Decimal(value).size(), ' ') + Decimal(value) + "99",
    };
    for (const std::string& content : contents) {
        ExpectOneCloseTo(picker, content);
    }
}

TEST_F(CloserRun, TextsThatNameNoWindowPostNothing) {
    std::string digits = Decimal(ValueOf(picker));
    struct Case {
        std::string content;
        const char* what;
    };
    const Case cases[] = {
        {"", "an empty file"},
        {"abc", "letters"},
        {"- " + digits, "a sign followed by white space"},
        {"\n" + digits, "an empty first line, the handle on the second"},
        {"\r\n" + digits, "an empty first line with CR LF"},
        {"-1", "minus one"},
        {"99999999999", "an eleven-digit number"},
        {std::string(128 - digits.size(), ' ') + digits, "the handle past character 127"},
        {std::string(127, '0') + digits, "127 zeros before the handle"},
    };
    for (const Case& c : cases) {
        ExpectNothingPosted(c.content, c.what);
    }
}

TEST_F(CloserRun, MissingFileAsksNothingOfWindows) {
    fake::ClearCalls();
    EXPECT_EQ(0, RunCloser());
    EXPECT_TRUE(fake::Calls().empty()) << fake::DescribeCalls();
    EXPECT_FALSE(std::filesystem::exists(directory.File("hwnd.dat")));
}

TEST_F(CloserRun, PostsOnlyToAPickersDialog) {
    HWND gone = fake::CreateFakeWindow("#32770", kPickerCaptionUtf8);
    DestroyWindow(gone);
    HWND button = fake::CreateFakeWindow("Button", kPickerCaptionUtf8);
    HWND otherDialog = fake::CreateFakeWindow("#32770", "Find");
    HWND child = fake::CreateFakeWindow("#32770", kPickerCaptionUtf8, otherDialog, 7);
    HWND lookalike = fake::CreateFakeWindow("#32770", "\xE3\x82\xB9\xE3\x83\x9D\xE3\x82\xA4");
    struct Case {
        DWORD value;
        const char* what;
    };
    const Case cases[] = {
        {0xFFFF, "the broadcast handle"},
        {0, "handle 0"},
        {ValueOf(gone), "a window that no longer exists"},
        {ValueOf(button), "a window that is no dialog"},
        {ValueOf(otherDialog), "a dialog with another caption"},
        {ValueOf(child), "a child dialog with the picker's caption"},
        {ValueOf(lookalike), "a dialog with the caption's first three characters"},
    };
    for (const Case& c : cases) {
        ExpectNothingPosted(Decimal(c.value), c.what);
        EXPECT_TRUE(fake::FindWindowState(picker)) << c.what;
    }
    ExpectOneCloseTo(picker, Decimal(ValueOf(picker)));
}

TEST_F(CloserRun, BroadcastAndZeroAreRefusedBeforeAnyWindowIsAsked) {
    const char* contents[] = {"65535", "0xFFFF", "0", "abc"};
    for (const char* content : contents) {
        RunOn(content);
        EXPECT_TRUE(fake::Calls().empty()) << "content " << content << ":\n"
                                           << fake::DescribeCalls();
    }
}

TEST_F(CloserRun, EachRunPostsAgain) {
    ExpectOneCloseTo(picker, Decimal(ValueOf(picker)));
    ExpectOneCloseTo(picker, Decimal(ValueOf(picker)));
}

TEST_F(CloserRun, AFailingCallNeverLeadsToAPostElsewhereOrAnotherExitCode) {
    std::string content = Decimal(ValueOf(picker));
    directory.Write("hwnd.dat", content);
    for (long k = 1;; ++k) {
        fake::Reset();
        picker = fake::CreateFakeWindow("#32770", kPickerCaptionUtf8);
        fake::FailNthCall(k);
        EXPECT_EQ(0, RunCloser()) << "failing call " << k;
        long forced = -1;
        for (std::size_t i = 0; i < fake::Calls().size(); ++i) {
            if (fake::Calls()[i].forced) {
                forced = static_cast<long>(i);
            }
        }
        if (forced < 0) {
            EXPECT_EQ(1u, fake::PostedMessages().size()) << "no failure, yet no post";
            break;
        }
        const std::string failed = fake::Calls()[forced].name;
        // A failed check must not let the post through; a failed post is ignored.
        EXPECT_TRUE(fake::PostedMessages().empty()) << failed << " failed:\n"
                                                    << fake::DescribeCalls();
        if (failed != "PostMessageA") {
            EXPECT_EQ(0u, fake::CountCalls("PostMessageA")) << failed << " failed:\n"
                                                            << fake::DescribeCalls();
        }
    }
}

} // namespace
