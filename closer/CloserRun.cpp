#include "CloserRun.h"

#include "HandleLine.h"
#include "HandleText.h"
#include "PickerWindow.h"

int RunCloser() {
    char line[kHandleLineSize];
    if (!ReadFirstLine(kHandleFileName, line)) {
        return 0;
    }
    HWND window = WindowFromHandleValue(ConvertHandleText(line));
    // A handle that is not a picker's dialog, stale, foreign or the broadcast
    // value, gets nothing: a post would close some other program's window.
    if (IsPickerDialog(window)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return 0;
}
