#include "PickerRun.h"

#include "Waiting.h"

namespace {

struct DialogSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM param) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) {
        return TRUE;
    }
    char className[16] = "";
    WCHAR caption[16] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextW(window, caption, 16);
    if (lstrcmpA(className, "#32770") == 0 && lstrcmpW(caption, kPickerCaption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindPickerDialog(DWORD processId) {
    DialogSearch search = {processId, 0};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

PickerRun::PickerRun() : directory("picker-run") {}

bool PickerRun::Start(std::string* error) {
    const std::string picker = ProgramBesideThis("picker.exe");
    if (!FileExists(picker)) {
        *error = "no picker at " + picker;
        return false;
    }
    if (directory.Path().empty()) {
        *error = "cannot make a fresh directory";
        return false;
    }
    return program.Start(picker, directory.Path(), error);
}

HWND PickerRun::WaitForDialog(DWORD milliseconds) {
    HWND dialog = 0;
    const DWORD id = program.ProcessId();
    // The dialog exists before its initialisation has run; it shows after it.
    WaitFor(
        [&dialog, id] { return (dialog = FindPickerDialog(id)) != 0 && IsWindowVisible(dialog); },
        milliseconds);
    return dialog && IsWindowVisible(dialog) ? dialog : 0;
}

// Pumps this thread's messages while it waits: the test's own windows stay answerable.
bool PickerRun::WaitForExit(DWORD milliseconds, DWORD* code) {
    if (!program.Started() || !WaitFor([this] { return !IsRunning(); }, milliseconds)) {
        return false;
    }
    return program.WaitForExit(0, code);
}

bool PickerRun::ReadHandleFile(std::string* content) const {
    return directory.Read("hwnd.dat", content);
}
