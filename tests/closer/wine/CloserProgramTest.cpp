// The built closer.exe and picker.exe, driven as a person would: programs
// started in folders of their own, the closer run where a picker runs, the
// result read from the clipboard, the windows and the exit codes.
#include "ClipboardText.h"
#include "PickerTexts.h"
#include "ProgramFiles.h"
#include "RunningProgram.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const WCHAR kDialogClass[] = L"#32770";
const WCHAR kStaticClass[] = L"Static";
const WCHAR kOtherCaption[] = L"Notes";

// Bounds of every wait: a program that has not done its part by then hangs.
const DWORD kWithin = 10000;
// How long a picker that was asked to close would take at most to end; one
// still running after this was not asked.
const DWORD kGrace = 1500;
const DWORD kPoll = 20;
const char kFolderPrefix[] = "closer-run";
// Exit codes of RunCloserIn besides the closer's own.
const DWORD kNotStarted = 0xFFFFFF01u;
const DWORD kStillRunning = 0xFFFFFF02u;

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) {
            return condition();
        }
        Sleep(kPoll);
    }
    return true;
}

std::string Decimal(HWND window) {
    return std::to_string(static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(window)));
}

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

    // The closer's exit code, after it ended in the folder.
    DWORD RunCloserIn(const ScratchFolder& folder) {
        RunningProgram run;
        std::string error;
        if (!run.Start(closer, folder.Path(), &error)) {
            ADD_FAILURE() << error;
            return kNotStarted;
        }
        DWORD exitCode = 0;
        if (!run.WaitForExit(kWithin, &exitCode)) {
            ADD_FAILURE() << "closer.exe did not end";
            return kStillRunning;
        }
        return exitCode;
    }

    DWORD RunCloserOn(const std::string& content) {
        ScratchFolder folder(kFolderPrefix);
        EXPECT_TRUE(folder.Write("hwnd.dat", content));
        return RunCloserIn(folder);
    }

    const std::string closer = ProgramBesideThis("closer.exe");
    std::vector<HWND> windows;
};

TEST_F(CloserProgram, WithoutAHandleFileEndsAtOnceWithZero) {
    ScratchFolder folder(kFolderPrefix);
    ASSERT_FALSE(folder.Path().empty());
    EXPECT_EQ(0u, RunCloserIn(folder));
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
        EXPECT_EQ(0u, RunCloserOn(c.content)) << c.what;
        EXPECT_EQ(0, TakeCloseMessages(0)) << c.what << ": a window of the test was asked to close";
    }
    EXPECT_EQ(0u, RunCloserOn(Decimal(lookalike) + "\r\n"));
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

    // The dialog that the picker published in the folder's handle file: a
    // visible window of that process, with the picker's class and caption.
    HWND WaitForDialog(const RunningProgram& run, const ScratchFolder& folder) {
        HWND dialog = 0;
        bool published = WaitUntil(
            [&] {
                std::string content;
                if (!folder.Read("hwnd.dat", &content) || content.empty()) {
                    return false;
                }
                HWND named = reinterpret_cast<HWND>(
                    static_cast<LONG_PTR>(static_cast<LONG>(std::strtoul(content.c_str(), 0, 10))));
                DWORD owner = 0;
                GetWindowThreadProcessId(named, &owner);
                if (!IsWindow(named) || owner != run.ProcessId() || !IsWindowVisible(named)) {
                    return false;
                }
                dialog = named;
                return true;
            },
            kWithin);
        EXPECT_TRUE(published) << "the picker published no dialog in its handle file";
        if (dialog) {
            EXPECT_EQ(std::wstring(kDialogClass), ClassOf(dialog));
            EXPECT_EQ(std::wstring(kPickerCaption), CaptionOf(dialog));
        }
        return dialog;
    }

    void ExpectEndsWithHash(RunningProgram& run) {
        DWORD exitCode = 0;
        ASSERT_TRUE(run.WaitForExit(kWithin, &exitCode)) << "the picker did not end";
        EXPECT_EQ(0u, exitCode) << "the picker's exit code";
        std::string text;
        EXPECT_TRUE(ReadClipboardText(&text)) << "no text on the clipboard";
        EXPECT_EQ("#", text) << "the clipboard after the picker";
    }

    void ExpectStillRunning(RunningProgram& run, HWND dialog, const char* what) {
        DWORD exitCode = 0;
        EXPECT_FALSE(run.WaitForExit(kGrace, &exitCode)) << what << ": the picker ended";
        EXPECT_TRUE(IsWindow(dialog)) << what << ": the picker's dialog is gone";
    }

    // Ends a picker that a test left running, as the user's Esc would.
    void Dismiss(RunningProgram& run, HWND dialog) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        DWORD exitCode = 0;
        EXPECT_TRUE(run.WaitForExit(kWithin, &exitCode)) << "the picker did not end when closed";
    }

    const std::string picker = ProgramBesideThis("picker.exe");
};

TEST_F(CloserWithPicker, EndsAPickerInThePreview) {
    ScratchFolder folder(kFolderPrefix);
    RunningProgram run;
    ASSERT_TRUE(Launch(run, folder));
    HWND dialog = WaitForDialog(run, folder);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(0u, RunCloserIn(folder));
    ExpectEndsWithHash(run);
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(CloserWithPicker, EndsAPickerWhilePicking) {
    ScratchFolder folder(kFolderPrefix);
    RunningProgram run;
    ASSERT_TRUE(Launch(run, folder));
    HWND dialog = WaitForDialog(run, folder);
    ASSERT_TRUE(dialog);
    // The press that Start injects goes to the window under the pointer: rest
    // it on the dialog's label, which lets the mouse through to the dialog.
    RECT label = {};
    ASSERT_TRUE(GetWindowRect(GetDlgItem(dialog, IDC_HEXCODE), &label));
    SetCursorPos((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    DWORD_PTR result = 0;
    ASSERT_TRUE(
        SendMessageTimeoutW(dialog, WM_COMMAND, IDOK, 0, SMTO_ABORTIFHUNG, kWithin, &result))
        << "Start was not taken";
    DWORD thread = GetWindowThreadProcessId(dialog, 0);
    bool capturing = WaitUntil(
        [&] {
            GUITHREADINFO info = {};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(thread, &info) && info.hwndCapture == dialog;
        },
        kWithin);
    ASSERT_TRUE(capturing) << "the picker did not take the mouse capture";
    ExpectStillRunning(run, dialog, "picking");

    EXPECT_EQ(0u, RunCloserIn(folder));
    ExpectEndsWithHash(run);

    // Let go of the left button that Start pressed.
    INPUT release = {};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &release, sizeof release);
}

TEST_F(CloserWithPicker, TwoPickersInOneFolderEndsOnlyTheLater) {
    ScratchFolder folder(kFolderPrefix);
    RunningProgram first;
    ASSERT_TRUE(Launch(first, folder));
    HWND firstDialog = WaitForDialog(first, folder);
    ASSERT_TRUE(firstDialog);
    RunningProgram second;
    ASSERT_TRUE(Launch(second, folder));
    HWND secondDialog = WaitForDialog(second, folder);
    ASSERT_TRUE(secondDialog);
    ASSERT_NE(firstDialog, secondDialog);

    EXPECT_EQ(0u, RunCloserIn(folder));
    ExpectEndsWithHash(second);
    ExpectStillRunning(first, firstDialog, "the earlier picker");
    Dismiss(first, firstDialog);
}

TEST_F(CloserWithPicker, StaleHandleClosesNothing) {
    ScratchFolder ended(kFolderPrefix);
    {
        RunningProgram run;
        ASSERT_TRUE(Launch(run, ended));
        HWND dialog = WaitForDialog(run, ended);
        ASSERT_TRUE(dialog);
        Dismiss(run, dialog);
    }
    ScratchFolder elsewhere(kFolderPrefix);
    RunningProgram running;
    ASSERT_TRUE(Launch(running, elsewhere));
    HWND dialog = WaitForDialog(running, elsewhere);
    ASSERT_TRUE(dialog);
    HWND own = Make(kDialogClass, kOtherCaption);

    EXPECT_EQ(0u, RunCloserIn(ended));
    ExpectStillRunning(running, dialog, "a stale handle");
    EXPECT_EQ(0, TakeCloseMessages(0));
    EXPECT_TRUE(IsWindow(own));
    Dismiss(running, dialog);
}

TEST_F(CloserWithPicker, BroadcastAndForeignHandlesLeaveWindowsOpen) {
    ScratchFolder folder(kFolderPrefix);
    RunningProgram run;
    ASSERT_TRUE(Launch(run, folder));
    HWND dialog = WaitForDialog(run, folder);
    ASSERT_TRUE(dialog);
    HWND own = Make(kDialogClass, kOtherCaption);

    EXPECT_EQ(0u, RunCloserOn("65535"));
    ExpectStillRunning(run, dialog, "the broadcast handle");
    EXPECT_EQ(0, TakeCloseMessages(own)) << "the broadcast handle reached the test's window";

    EXPECT_EQ(0u, RunCloserOn(Decimal(own)));
    ExpectStillRunning(run, dialog, "the test's own window");
    EXPECT_EQ(0, TakeCloseMessages(own)) << "the test's window was asked to close";
    EXPECT_TRUE(IsWindow(own));
    Dismiss(run, dialog);
}

} // namespace
