#include "CloserRunChecks.h"

#include "ClipboardText.h"
#include "WaitChecks.h"

#include <cstdint>
#include <cstdlib>

std::string Decimal(HWND window) {
    return std::to_string(
        static_cast<unsigned long>(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(window))));
}

HWND Named(const std::string& content) {
    return reinterpret_cast<HWND>(
        static_cast<LONG_PTR>(static_cast<LONG>(std::strtoul(content.c_str(), 0, 10))));
}

::testing::AssertionResult CloserRanIn(const std::string& closer, const ScratchFolder& folder) {
    RunningProgram run;
    std::string error;
    if (!run.Start(closer, folder.Path(), &error)) {
        return ::testing::AssertionFailure() << error;
    }
    DWORD exitCode = 0;
    if (!run.WaitForExit(kWithin, &exitCode)) {
        return ::testing::AssertionFailure()
               << closer << " still running after " << kWithin << " ms";
    }
    if (exitCode != 0) {
        return ::testing::AssertionFailure() << closer << "'s exit code is " << exitCode;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PublishedWindow(const RunningProgram& run, const ScratchFolder& folder,
                                           HWND* window, std::string* content) {
    *window = 0;
    const auto handleFile = [&folder] {
        std::string text;
        return folder.Read("hwnd.dat", &text) ? text : "(no hwnd.dat)";
    };
    const DWORD process = run.ProcessId();
    ::testing::AssertionResult shown = WaitUntilSeen(
        "hwnd.dat to name a visible window of process " + std::to_string(process), handleFile,
        [process](const std::string& text) {
            HWND named = Named(text);
            DWORD owner = 0;
            GetWindowThreadProcessId(named, &owner);
            return IsWindow(named) && owner == process && IsWindowVisible(named);
        },
        kWithin);
    if (shown) {
        *content = handleFile();
        *window = Named(*content);
    }
    return shown;
}

::testing::AssertionResult EndedWithHash(RunningProgram& run) {
    DWORD exitCode = 0;
    if (!run.WaitForExit(kWithin, &exitCode)) {
        return ::testing::AssertionFailure() << "the program still runs after " << kWithin << " ms";
    }
    if (exitCode != 0) {
        return ::testing::AssertionFailure() << "the program's exit code is " << exitCode;
    }
    const auto clipboard = [] {
        std::string text;
        return ReadClipboardText(&text) ? text : "(no CF_TEXT on the clipboard)";
    };
    return WaitUntilEqual("the clipboard's text", clipboard, std::string("#"), kWithin);
}

::testing::AssertionResult StillRunning(RunningProgram& run, HWND dialog) {
    DWORD exitCode = 0;
    if (run.WaitForExit(kGrace, &exitCode)) {
        return ::testing::AssertionFailure() << "the program ended, exit code " << exitCode;
    }
    if (!IsWindow(dialog)) {
        return ::testing::AssertionFailure() << "its dialog is gone";
    }
    return ::testing::AssertionSuccess();
}
