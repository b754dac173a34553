// The closer's run, again and again with the k-th fallible Windows call
// failing on the k-th run: each run ends with exit code 0 and at most one
// close request, to the picker's dialog and nowhere else.
#include "CloserRun.h"
#include "FakeTest.h"
#include "PickerTexts.h"
#include "ScratchDirectory.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

class CloserFailureSweep : public FakeTest {
  protected:
    void SetUp() override {
        FakeTest::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(directory.Path());
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        FakeTest::TearDown();
    }

    // One run against a picker and an unrelated window; false with the reason.
    bool RunOnce(long failAt, long* fallible, std::string* why) {
        fake::Reset();
        fake::CreateFakeWindow("#32770", "another dialog");
        HWND picker = fake::CreateFakeWindow("#32770", kPickerCaptionUtf8);
        directory.Write("hwnd.dat",
                        std::to_string(reinterpret_cast<std::uintptr_t>(picker)) + "\r\n");
        if (failAt > 0) {
            fake::FailNthCall(failAt);
        }
        int exitCode = RunCloser();
        *fallible = fake::FallibleCallCount();
        const std::vector<fake::PostedMessage>& posts = fake::PostedMessages();
        if (exitCode != 0) {
            *why = "exit code " + std::to_string(exitCode);
        } else if (posts.size() > 1) {
            *why = std::to_string(posts.size()) + " posts";
        } else if (!posts.empty() && (posts[0].window != picker || posts[0].message != WM_CLOSE)) {
            *why = "a post to another window or of another message";
        } else if (failAt == 0 && posts.size() != 1) {
            *why = "without failures the picker got no close request";
        } else {
            return true;
        }
        return false;
    }

    ScratchDirectory directory;
    std::filesystem::path previous;
};

TEST_F(CloserFailureSweep, EveryFailingCallLeavesOtherWindowsAlone) {
    long total = 0;
    std::string why;
    ASSERT_TRUE(RunOnce(0, &total, &why)) << why;
    ASSERT_GT(total, 0);
    for (long k = 1; k <= total; ++k) {
        long ignored = 0;
        EXPECT_TRUE(RunOnce(k, &ignored, &why)) << "call " << k << " failing: " << why << "\n"
                                                << fake::DescribeCalls();
    }
    std::printf("failure sweep: closer run, %ld failure points tried\n", total);
}

} // namespace
