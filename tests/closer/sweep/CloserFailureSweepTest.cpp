// The closer's run, again and again with the k-th fallible Windows call
// failing on the k-th run: each run ends with exit code 0 and at most one
// close request, to the picker's dialog and nowhere else.
#include "CloserRun.h"
#include "FailureSweep.h"
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

    ScratchDirectory directory;
    std::filesystem::path previous;
};

TEST_F(CloserFailureSweep, EveryFailingCallLeavesOtherWindowsAlone) {
    HWND picker = 0;
    int exitCode = -1;
    fake::SweptRoad road;
    // A run against a picker and an unrelated window.
    road.prepare = [&] {
        fake::Reset();
        fake::CreateFakeWindow("#32770", "another dialog");
        picker = fake::CreateFakeWindow("#32770", kPickerCaptionUtf8);
        directory.Write("hwnd.dat",
                        std::to_string(reinterpret_cast<std::uintptr_t>(picker)) + "\r\n");
    };
    road.drive = [&] { exitCode = RunCloser(); };
    road.judge = [&](long failAt) -> ::testing::AssertionResult {
        const std::vector<fake::PostedMessage>& posts = fake::PostedMessages();
        if (exitCode != 0) {
            return ::testing::AssertionFailure() << "exit code " << exitCode;
        }
        if (posts.size() > 1) {
            return ::testing::AssertionFailure() << posts.size() << " posts";
        }
        if (!posts.empty() && (posts[0].window != picker || posts[0].message != WM_CLOSE)) {
            return ::testing::AssertionFailure()
                   << "a post to another window or of another message";
        }
        if (failAt == 0 && posts.size() != 1) {
            return ::testing::AssertionFailure()
                   << "without failures the picker got no close request";
        }
        return ::testing::AssertionSuccess();
    };
    long total = fake::SweepFailurePoints(road);
    std::printf("failure sweep: closer run, %ld failure points tried\n", total);
}

} // namespace
