// This build's closer.exe against the pickers of both builds. The handle file
// holds a 32-bit value in either build, so a 32-bit closer must end a 64-bit
// picker and the other way round. Each build's suite drives its own closer;
// between them the two suites cover all four pairings.
//
// The other build's programs are found from this one's place: both presets
// build into build/<preset>/bin (CMakePresets.json), so from
// build/win64/bin/closer_wine_tests.exe the 32-bit picker is
// ..\..\win32\bin\picker.exe, and from build/win32/bin the 64-bit one is
// ..\..\win64\bin\picker.exe. scripts/test.sh builds both before any test runs.
#include "ClipboardText.h"
#include "CloserRunChecks.h"
#include "PickerTexts.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

namespace {

const char kFolderPrefix[] = "closer-across";

const char* ThisBuild() {
    return sizeof(void*) == 8 ? "win64" : "win32";
}

std::string ProgramOfBuild(const std::string& build, const char* name) {
    const std::string relative = ProgramBesideThis(("..\\..\\" + build + "\\bin\\" + name).c_str());
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(relative.c_str(), MAX_PATH, full, 0);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : relative;
}

// A 64-bit suite can start the 32-bit build's programs only where 32-bit
// code runs; the runner passes the session probe's answer. A 32-bit suite
// that runs at all has its answer.
bool ThirtyTwoBitCodeRuns() {
    if (sizeof(void*) == 4) {
        return true;
    }
    char value[8] = {};
    const DWORD length = GetEnvironmentVariableA("RUNS_32BIT_CODE", value, sizeof value);
    return length > 0 && length < sizeof value && std::string(value) == "yes";
}

class CloserAcrossBuilds : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        build = GetParam();
        if (build == "win32" && !ThirtyTwoBitCodeRuns()) {
            GTEST_SKIP() << "the win32 programs do not run on this machine (RUNS_32BIT_CODE is "
                            "not \"yes\"; see the probe's line in the test output)";
        }
        ASSERT_TRUE(FileExists(closer)) << "no closer.exe beside the tests";
    }

    // Starts `program` of the build under test in `folder` and waits for the
    // dialog it names in its handle file; `written` gets the file as it was.
    ::testing::AssertionResult StartedAndPublished(const char* program, RunningProgram& run,
                                                   const ScratchFolder& folder, HWND* dialog,
                                                   std::string* written) {
        const std::string path = ProgramOfBuild(build, program);
        if (!FileExists(path)) {
            return ::testing::AssertionFailure()
                   << path << " is missing: build the " << build << " preset";
        }
        std::string error;
        if (!run.Start(path, folder.Path(), &error)) {
            return ::testing::AssertionFailure() << error;
        }
        return PublishedWindow(run, folder, dialog, written);
    }

    std::string build;
    const std::string closer = ProgramBesideThis("closer.exe");
};

TEST_P(CloserAcrossBuilds, RefusesThePickersControlsThenEndsIt) {
    ASSERT_TRUE(PutClipboardText("before")) << "could not set the clipboard";
    ScratchFolder folder(kFolderPrefix);
    RunningProgram picker;
    HWND dialog = 0;
    std::string written;
    ASSERT_TRUE(StartedAndPublished("picker.exe", picker, folder, &dialog, &written));

    struct Control {
        int id;
        const char* what;
    };
    const Control controls[] = {{IDC_HEXCODE, "the picker's label"}, {IDOK, "its Start button"}};
    for (const Control& control : controls) {
        SCOPED_TRACE(std::string("the handle of ") + control.what);
        HWND window = GetDlgItem(dialog, control.id);
        ASSERT_TRUE(window) << "not found";
        ASSERT_TRUE(folder.Write("hwnd.dat", Decimal(window)));
        EXPECT_TRUE(CloserRanIn(closer, folder));
        EXPECT_TRUE(StillRunning(picker, dialog));
    }

    ASSERT_TRUE(folder.Write("hwnd.dat", written));
    EXPECT_TRUE(CloserRanIn(closer, folder)) << "with the picker's own handle file";
    EXPECT_TRUE(EndedWithHash(picker));
}

// bare_dialog.exe, from the benchmark, is a dialog of the same class and
// frame that writes hwnd.dat the same way, under another caption.
TEST_P(CloserAcrossBuilds, RefusesAnotherProgramsDialog) {
    ScratchFolder folder(kFolderPrefix);
    RunningProgram bare;
    HWND dialog = 0;
    std::string written;
    ASSERT_TRUE(StartedAndPublished("bare_dialog.exe", bare, folder, &dialog, &written));
    EXPECT_TRUE(CloserRanIn(closer, folder));
    EXPECT_TRUE(StillRunning(bare, dialog)) << "the bare dialog";
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    DWORD exitCode = 0;
    EXPECT_TRUE(bare.WaitForExit(kWithin, &exitCode))
        << "the bare dialog still running " << kWithin << " ms after WM_CLOSE";
}

std::string PairingName(const ::testing::TestParamInfo<const char*>& picker) {
    return std::string(picker.param) +
           (picker.param == std::string(ThisBuild()) ? "_same_build" : "_other_build");
}

INSTANTIATE_TEST_SUITE_P(Pickers, CloserAcrossBuilds, ::testing::Values("win32", "win64"),
                         PairingName);

} // namespace
