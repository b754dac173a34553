// The built closer.exe and picker.exe, driven as a person would: programs
// started in folders of their own, the closer run where a picker runs, the
// result read from the clipboard, the windows and the exit codes.
#include "ClipboardText.h"
#include "CloserRunChecks.h"
#include "PickerView.h"
#include "PickerTexts.h"
#include "ProgramFiles.h"
#include "RunningProgram.h"
#include "UserInput.h"
#include "WaitChecks.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const WCHAR kDialogClass[] = L"#32770";
const WCHAR kStaticClass[] = L"Static";
const WCHAR kOtherCaption[] = L"Notes";
const char kFolderPrefix[] = "closer-run";

std::wstring ClassOf(HWND window) {
    WCHAR name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring CaptionOf(HWND window) {
    WCHAR text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

// WM_CLOSE messages posted to the test's own windows: taken out of the
// queue and counted. A post is in the queue by the time its poster ends.
// Count them before any wait, which pumps them to the windows.
int TakeCloseMessages(HWND window) {
    int count = 0;
    MSG message;
    while (PeekMessageW(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
        ++count;
    }
    return count;
}

// A top-level window of the test's own, never shown.
HWND MakeWindow(const WCHAR* className, const WCHAR* caption) {
    return CreateWindowExW(0, className, caption, WS_POPUP, 600, 400, 120, 80, 0, 0, 0, 0);
}

class CloserProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FileExists(closer)) << "no closer.exe beside the tests";
        ASSERT_FALSE(TakeCloseMessages(0)) << "WM_CLOSE left over from an earlier test";
    }
    void TearDown() override {
        for (HWND window : windows) {
            DestroyWindow(window);
        }
    }

    HWND Make(const WCHAR* className, const WCHAR* caption) {
        HWND window = MakeWindow(className, caption);
        EXPECT_NE(nullptr, window) << "could not create a test window";
        windows.push_back(window);
        return window;
    }

    ::testing::AssertionResult CloserRanIn(const ScratchFolder& folder) {
        return ::CloserRanIn(closer, folder);
    }

    ::testing::AssertionResult CloserRanOn(const std::string& content) {
        ScratchFolder folder(kFolderPrefix);
        if (!folder.Write("hwnd.dat", content)) {
            return ::testing::AssertionFailure() << "could not write hwnd.dat in " << folder.Path();
        }
        return CloserRanIn(folder);
    }

    const std::string closer = ProgramBesideThis("closer.exe");
    std::vector<HWND> windows;
};

TEST_F(CloserProgram, WithoutAHandleFileEndsAtOnceWithZero) {
    ScratchFolder folder(kFolderPrefix);
    ASSERT_FALSE(folder.Path().empty());
    EXPECT_TRUE(CloserRanIn(folder));
    std::string content;
    EXPECT_FALSE(folder.Read("hwnd.dat", &content)) << "the closer wrote a handle file";
}

TEST_F(CloserProgram, PostsOnlyToATopLevelDialogWithThePickersCaption) {
    HWND lookalike = Make(kDialogClass, kPickerCaption);
    HWND otherDialog = Make(kDialogClass, kOtherCaption);
    HWND label = Make(kStaticClass, kPickerCaption);
    HWND gone = MakeWindow(kDialogClass, kPickerCaption);
    ASSERT_TRUE(gone && DestroyWindow(gone));
    struct Case {
        std::string content;
        const char* what;
    };
    // The picker's lookalike exists all the while, so a broadcast would reach it.
    const Case untouched[] = {
        {"65535", "the broadcast handle"},
        {"0", "handle 0"},
        {"", "an empty file"},
        {Decimal(gone), "a window that no longer exists"},
        {Decimal(otherDialog), "a dialog with another caption"},
        {Decimal(label), "a static control's window with the caption"},
        {"\n" + Decimal(lookalike), "the handle on the second line"},
    };
    for (const Case& c : untouched) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(CloserRanOn(c.content));
        EXPECT_EQ(0, TakeCloseMessages(0)) << "a window of the test was asked to close";
    }
    EXPECT_TRUE(CloserRanOn(Decimal(lookalike) + "\r\n"));
    EXPECT_EQ(1, TakeCloseMessages(lookalike)) << "the lookalike got no WM_CLOSE";
    EXPECT_EQ(0, TakeCloseMessages(0)) << "another window got WM_CLOSE";
    EXPECT_TRUE(IsWindow(otherDialog) && IsWindow(label));
}

// The pickers of these tests run in folders of their own; a picker that
// fails a test is killed at its end.
class CloserWithPicker : public CloserProgram {
  protected:
    void SetUp() override {
        CloserProgram::SetUp();
        ASSERT_TRUE(FileExists(picker)) << "no picker.exe beside the tests";
        ASSERT_TRUE(PutClipboardText("before")) << "could not set the clipboard";
    }

    ::testing::AssertionResult Launch(RunningProgram& run, const ScratchFolder& folder) {
        std::string error;
        if (run.Start(picker, folder.Path(), &error)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << error;
    }

    // Waits until the picker has published in the folder's handle file a
    // visible window of its process, and checks that it is a dialog with the
    // picker's caption; `dialog` gets it.
    ::testing::AssertionResult Published(const RunningProgram& run, const ScratchFolder& folder,
                                         HWND* dialog) {
        std::string content;
        ::testing::AssertionResult shown = PublishedWindow(run, folder, dialog, &content);
        if (!shown) {
            return shown;
        }
        if (ClassOf(*dialog) != kDialogClass || CaptionOf(*dialog) != kPickerCaption) {
            return ::testing::AssertionFailure()
                   << "the published window is not the picker's dialog";
        }
        return ::testing::AssertionSuccess();
    }

    // Ends a picker that a test left running, as the user's Esc would.
    ::testing::AssertionResult Dismissed(RunningProgram& run, HWND dialog) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        DWORD exitCode = 0;
        if (!run.WaitForExit(kWithin, &exitCode)) {
            return ::testing::AssertionFailure()
                   << "the picker still runs " << kWithin << " ms after it was closed";
        }
        return ::testing::AssertionSuccess();
    }

    const std::string picker = ProgramBesideThis("picker.exe");
};

TEST_F(CloserWithPicker, EndsAPickerInThePreview) {
    ScratchFolder folder(kFolderPrefix);
    RunningProgram run;
    ASSERT_TRUE(Launch(run, folder));
    HWND dialog = 0;
    ASSERT_TRUE(Published(run, folder, &dialog));
    EXPECT_TRUE(CloserRanIn(folder));
    EXPECT_TRUE(EndedWithHash(run));
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(CloserWithPicker, EndsAPickerWhilePicking) {
    ScratchFolder folder(kFolderPrefix);
    RunningProgram run;
    ASSERT_TRUE(Launch(run, folder));
    HWND dialog = 0;
    ASSERT_TRUE(Published(run, folder, &dialog));
    // The press that Start injects goes to the window under the pointer: rest
    // it on the dialog's label, which lets the mouse through to the dialog.
    RECT label = {};
    ASSERT_TRUE(GetWindowRect(GetDlgItem(dialog, IDC_HEXCODE), &label));
    const POINT onLabel = {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    POINT reached = {};
    ASSERT_TRUE(MovePointerTo(onLabel, &reached))
        << "waited " << kPointerArrivalMs << " ms for the pointer on the label; it is at "
        << reached.x << ", " << reached.y;
    DWORD_PTR result = 0;
    ASSERT_TRUE(
        SendMessageTimeoutW(dialog, WM_COMMAND, IDOK, 0, SMTO_ABORTIFHUNG, kWithin, &result))
        << "Start was not taken";
    const DWORD thread = GetWindowThreadProcessId(dialog, 0);
    ASSERT_TRUE(WaitUntilEqual(
        "the picker's capture", [thread] { return CaptureOfThread(thread); }, dialog, kWithin));
    EXPECT_TRUE(StillRunning(run, dialog)) << "picking";

    EXPECT_TRUE(CloserRanIn(folder));
    EXPECT_TRUE(EndedWithHash(run));

    // Let go of the left button that Start pressed.
    EXPECT_TRUE(ReleaseHeldButtons()) << "a mouse button stayed down";
}

TEST_F(CloserWithPicker, TwoPickersInOneFolderEndsOnlyTheLater) {
    ScratchFolder folder(kFolderPrefix);
    RunningProgram first;
    ASSERT_TRUE(Launch(first, folder));
    HWND firstDialog = 0;
    ASSERT_TRUE(Published(first, folder, &firstDialog));
    RunningProgram second;
    ASSERT_TRUE(Launch(second, folder));
    HWND secondDialog = 0;
    ASSERT_TRUE(Published(second, folder, &secondDialog));
    ASSERT_NE(firstDialog, secondDialog);

    EXPECT_TRUE(CloserRanIn(folder));
    EXPECT_TRUE(EndedWithHash(second));
    EXPECT_TRUE(StillRunning(first, firstDialog)) << "the earlier picker";
    EXPECT_TRUE(Dismissed(first, firstDialog));
}

TEST_F(CloserWithPicker, StaleHandleClosesNothing) {
    ScratchFolder ended(kFolderPrefix);
    {
        RunningProgram run;
        ASSERT_TRUE(Launch(run, ended));
        HWND dialog = 0;
        ASSERT_TRUE(Published(run, ended, &dialog));
        ASSERT_TRUE(Dismissed(run, dialog));
    }
    ScratchFolder elsewhere(kFolderPrefix);
    RunningProgram running;
    ASSERT_TRUE(Launch(running, elsewhere));
    HWND dialog = 0;
    ASSERT_TRUE(Published(running, elsewhere, &dialog));
    HWND own = Make(kDialogClass, kOtherCaption);

    EXPECT_TRUE(CloserRanIn(ended));
    EXPECT_TRUE(StillRunning(running, dialog)) << "a stale handle";
    EXPECT_EQ(0, TakeCloseMessages(0));
    EXPECT_TRUE(IsWindow(own));
    EXPECT_TRUE(Dismissed(running, dialog));
}

TEST_F(CloserWithPicker, BroadcastAndForeignHandlesLeaveWindowsOpen) {
    ScratchFolder folder(kFolderPrefix);
    RunningProgram run;
    ASSERT_TRUE(Launch(run, folder));
    HWND dialog = 0;
    ASSERT_TRUE(Published(run, folder, &dialog));
    HWND own = Make(kDialogClass, kOtherCaption);

    EXPECT_TRUE(CloserRanOn("65535"));
    EXPECT_TRUE(StillRunning(run, dialog)) << "the broadcast handle";
    EXPECT_EQ(0, TakeCloseMessages(own)) << "the broadcast handle reached the test's window";

    EXPECT_TRUE(CloserRanOn(Decimal(own)));
    EXPECT_TRUE(StillRunning(run, dialog)) << "the test's own window";
    EXPECT_EQ(0, TakeCloseMessages(own)) << "the test's window was asked to close";
    EXPECT_TRUE(IsWindow(own));
    EXPECT_TRUE(Dismissed(run, dialog));
}

} // namespace
