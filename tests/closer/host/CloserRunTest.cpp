// A whole run of the closer against the stand-in: the handle file in the
// current directory, its conversion, the screening and the one post.
#include "CloserRun.h"

#include "CallSequence.h"
#include "EscapedText.h"
#include "FailureSweep.h"
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

    // Runs the closer on the file content and keeps the posts it made; a
    // failure when the run did not end with 0 or changed the file.
    ::testing::AssertionResult RunOn(const std::string& content) {
        directory.Write("hwnd.dat", content);
        fake::ClearCalls();
        std::size_t before = fake::PostedMessages().size();
        int exitCode = RunCloser();
        posts.assign(fake::PostedMessages().begin() + before, fake::PostedMessages().end());
        if (exitCode != 0) {
            return ::testing::AssertionFailure() << "exit code " << exitCode;
        }
        if (directory.Read("hwnd.dat") != content) {
            return ::testing::AssertionFailure() << "the run changed the file";
        }
        return ::testing::AssertionSuccess();
    }

    // One WM_CLOSE with no parameters to the window, and nothing else.
    ::testing::AssertionResult ClosesOnly(HWND window, const std::string& content) {
        ::testing::AssertionResult ran = RunOn(content);
        if (!ran) {
            return ran;
        }
        if (posts.size() != 1) {
            return ::testing::AssertionFailure() << posts.size() << " posts, expected 1";
        }
        const fake::PostedMessage& post = posts[0];
        if (post.window != window || post.message != WM_CLOSE || post.wParam != 0 ||
            post.lParam != 0) {
            return ::testing::AssertionFailure()
                   << "posted message 0x" << std::hex << post.message << " (" << post.wParam << ", "
                   << post.lParam << ") to window " << W(post.window)
                   << ", expected WM_CLOSE (0, 0) to " << W(window);
        }
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult PostsNothing(const std::string& content) {
        ::testing::AssertionResult ran = RunOn(content);
        if (!ran) {
            return ran;
        }
        if (fake::CountCalls("PostMessageA") != 0) {
            return ::testing::AssertionFailure() << posts.size() << " posted";
        }
        return ::testing::AssertionSuccess();
    }

    std::vector<fake::PostedMessage> posts;

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
        SCOPED_TRACE("content " + Escaped(content));
        EXPECT_TRUE(ClosesOnly(picker, content));
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
        SCOPED_TRACE(std::string(c.what) + ", content " + Escaped(c.content));
        EXPECT_TRUE(PostsNothing(c.content));
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
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(PostsNothing(Decimal(c.value)));
        EXPECT_TRUE(fake::FindWindowState(picker));
    }
    EXPECT_TRUE(ClosesOnly(picker, Decimal(ValueOf(picker))));
}

TEST_F(CloserRun, BroadcastAndZeroAreRefusedBeforeAnyWindowIsAsked) {
    const char* contents[] = {"65535", "0xFFFF", "0", "abc"};
    for (const char* content : contents) {
        SCOPED_TRACE(std::string("content ") + content);
        EXPECT_TRUE(RunOn(content));
        EXPECT_TRUE(fake::CallsAre({}));
    }
}

TEST_F(CloserRun, EachRunPostsAgain) {
    EXPECT_TRUE(ClosesOnly(picker, Decimal(ValueOf(picker))));
    EXPECT_TRUE(ClosesOnly(picker, Decimal(ValueOf(picker))));
}

TEST_F(CloserRun, AFailingCallNeverLeadsToAPostElsewhereOrAnotherExitCode) {
    directory.Write("hwnd.dat", Decimal(ValueOf(picker)));
    int exitCode = -1;
    fake::SweptRoad road;
    road.prepare = [&] {
        fake::Reset();
        picker = fake::CreateFakeWindow("#32770", kPickerCaptionUtf8);
    };
    road.drive = [&] { exitCode = RunCloser(); };
    road.judge = [&](long failAt) -> ::testing::AssertionResult {
        if (exitCode != 0) {
            return ::testing::AssertionFailure() << "exit code " << exitCode;
        }
        if (failAt == 0) {
            return fake::PostedMessages().size() == 1
                       ? ::testing::AssertionSuccess()
                       : ::testing::AssertionFailure() << "no failure, yet no post";
        }
        // A failed check must not let the post through; a failed post is ignored.
        if (!fake::PostedMessages().empty()) {
            return ::testing::AssertionFailure() << "posted although a call failed";
        }
        if (fake::FailedCallName() != "PostMessageA" && fake::CountCalls("PostMessageA") != 0) {
            return ::testing::AssertionFailure() << "tried to post after a failed check";
        }
        return ::testing::AssertionSuccess();
    };
    fake::SweepFailurePoints(road);
}

} // namespace
