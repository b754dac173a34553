// Every road through the picker, run again and again with the k-th fallible
// Windows call failing on the k-th run, for every call the road makes. Each
// run must end with exit code 0, no leaked or misused heap block, and on the
// clipboard either the road's own text or nothing new.
#include "FailureSweep.h"
#include "PickerFixture.h"

#include <functional>
#include <vector>

namespace {

const COLORREF kTarget = 0x00FFC80A;
const COLORREF kWhite = 0x00FFFFFF;

struct Road {
    const char* name;
    const char* clipboard;                         // what a run without failures leaves
    std::function<void(HWND, POINT target)> drive; // the user, given the target's client point
};

class FailureSweep : public PickerTest {
  protected:
    // The whole screen is white but for the target pixel, so a sample taken
    // in the wrong place is refused rather than picked.
    POINT PrepareScreen() {
        fake::SetScreenBackground(kWhite);
        POINT at = ScreenPointOf(40, 30);
        fake::SetPixelColour(at.x, at.y, kTarget);
        return POINT{40, 30};
    }

    void Sweep(const Road& road) {
        int exitCode = -1;
        fake::SweptRoad swept;
        swept.prepare = [&] {
            fake::Reset();
            fake::SetDialogControls({{IDOK, "Button", "start"},
                                     {IDC_HEXCODE, "Static", ""},
                                     {IDC_SWATCH, "Static", "  "}});
            fake::AddIconResource(module, IDI_APP, appIcon);
            fake::SetClipboardTextFromElsewhere("earlier");
            g_red = g_green = g_blue = 0;
            g_swatch = 0;
        };
        swept.drive = [&] {
            exitCode = RunPicker([&](HWND d) { road.drive(d, PrepareScreen()); });
        };
        swept.judge = [&](long failAt) { return Judge(road, failAt, exitCode); };
        SCOPED_TRACE(std::string(road.name) + " road");
        long total = fake::SweepFailurePoints(swept);
        std::printf("failure sweep: %s road, %ld failure points tried\n", road.name, total);
    }

    ::testing::AssertionResult Judge(const Road& road, long failAt, int exitCode) {
        std::string failed = fake::FailedCallName();
        delete g_dialog; // left only where the dispose message itself failed
        g_dialog = 0;
        std::string text;
        bool hasText = fake::ClipboardText(&text);
        // A block whose release failed is still the caller's, and lost to it.
        std::size_t lost = failed == "GlobalFree" ? 1 : 0;
        if (exitCode != 0) {
            return ::testing::AssertionFailure() << "exit code " << exitCode;
        }
        if (fake::LiveBlockCount() != lost) {
            return ::testing::AssertionFailure() << fake::LiveBlockCount() << " heap blocks left";
        }
        if (fake::InvalidHandleUses() != 0) {
            return ::testing::AssertionFailure() << "a freed or foreign heap handle was used";
        }
        if (hasText && text != road.clipboard && text != "earlier") {
            return ::testing::AssertionFailure() << "clipboard holds \"" << text << "\"";
        }
        if (failAt == 0 && text != road.clipboard) {
            return ::testing::AssertionFailure()
                   << "without failures the clipboard holds \"" << text << "\"";
        }
        return ::testing::AssertionSuccess();
    }
};

void Move(HWND d, int x, int y) {
    PickerDialogProc(d, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

TEST_F(FailureSweep, PickRoad) {
    Sweep(Road{"pick", "0AC8FF", [](HWND d, POINT target) {
                   Move(d, 5, 5);
                   Move(d, target.x, target.y);
                   PickerDialogProc(d, WM_COMMAND, IDOK, 0);
                   Move(d, -20, -20);
                   PickerDialogProc(d, WM_RBUTTONDOWN, 0, MAKELPARAM(2, 2)); // white: refused
                   PickerDialogProc(d, WM_RBUTTONDOWN, 0, MAKELPARAM(target.x, target.y));
               }});
}

TEST_F(FailureSweep, CancelRoad) {
    Sweep(Road{"cancel", "#", [](HWND d, POINT target) {
                   Move(d, target.x, target.y);
                   PickerDialogProc(d, WM_COMMAND, IDOK, 0);
                   PickerDialogProc(d, WM_RBUTTONDOWN, 0, MAKELPARAM(2, 2));
                   PickerDialogProc(d, WM_COMMAND, IDCANCEL, 0);
               }});
}

TEST_F(FailureSweep, ReleaseRoad) {
    Sweep(Road{"release", "#", [](HWND d, POINT target) {
                   Move(d, target.x, target.y);
                   PickerDialogProc(d, WM_COMMAND, IDOK, 0);
                   PickerDialogProc(d, WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
               }});
}

} // namespace
