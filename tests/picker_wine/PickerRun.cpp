#include "PickerRun.h"

#include "Waiting.h"

const WCHAR kPickerCaption[] = {0x30B9, 0x30DD, 0x30A4, 0x30C8, 0};

namespace {

const char kHandleFile[] = "hwnd.dat";

std::string ThisProgramsDirectory() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(0, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::string();
    }
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

std::string FreshDirectory() {
    static unsigned runs = 0;
    char temp[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) {
        return std::string();
    }
    std::string directory = std::string(temp, length) + "picker-run-" +
                            std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    DeleteFileA((directory + "\\" + kHandleFile).c_str());
    RemoveDirectoryA(directory.c_str());
    if (!CreateDirectoryA(directory.c_str(), 0)) {
        return std::string();
    }
    return directory;
}

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

PickerRun::~PickerRun() {
    if (process.hProcess) {
        if (IsRunning()) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (!directory.empty()) {
        DeleteFileA((directory + "\\" + kHandleFile).c_str());
        RemoveDirectoryA(directory.c_str());
    }
}

bool PickerRun::Start(std::string* error) {
    const std::string program = ThisProgramsDirectory() + "picker.exe";
    if (GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        *error = "no picker at " + program;
        return false;
    }
    directory = FreshDirectory();
    if (directory.empty()) {
        *error = "cannot make a fresh directory";
        return false;
    }
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), &commandLine[0], 0, 0, FALSE, 0, 0, directory.c_str(),
                        &startup, &process)) {
        *error = "CreateProcessA failed with error " + std::to_string(GetLastError());
        process = PROCESS_INFORMATION();
        return false;
    }
    return true;
}

HWND PickerRun::WaitForDialog(DWORD milliseconds) {
    HWND dialog = 0;
    const DWORD id = process.dwProcessId;
    // The dialog exists before its initialisation has run; it shows after it.
    WaitFor(
        [&dialog, id] { return (dialog = FindPickerDialog(id)) != 0 && IsWindowVisible(dialog); },
        milliseconds);
    return dialog && IsWindowVisible(dialog) ? dialog : 0;
}

bool PickerRun::IsRunning() const {
    return process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

bool PickerRun::WaitForExit(DWORD milliseconds, DWORD* code) {
    if (!process.hProcess || !WaitFor([this] { return !IsRunning(); }, milliseconds)) {
        return false;
    }
    return GetExitCodeProcess(process.hProcess, code) != 0;
}

bool PickerRun::ReadHandleFile(std::string* content) const {
    content->clear();
    HANDLE file = CreateFileA((directory + "\\" + kHandleFile).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, 0, OPEN_EXISTING, 0, 0);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    char bytes[64];
    DWORD got = 0;
    bool ok = true;
    while (ok && content->size() < 1024) {
        ok = ReadFile(file, bytes, sizeof bytes, &got, 0) != 0;
        if (!ok || got == 0) {
            break;
        }
        content->append(bytes, got);
    }
    CloseHandle(file);
    return ok;
}
