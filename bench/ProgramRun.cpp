#include "ProgramRun.h"

#include "Clock.h"

#include <vector>

namespace {

const char kHandleFileName[] = "hwnd.dat";

// The handle file is complete once it holds 1 to 10 decimal digits.
bool ParseHandle(const char* text, DWORD length, HWND* handle) {
    if (length == 0 || length > 10) {
        return false;
    }
    unsigned long long value = 0;
    for (DWORD i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    if (value == 0 || value > 0xFFFFFFFFull) {
        return false;
    }
    *handle = reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
    return true;
}

std::string LastError(const char* what) {
    char text[160];
    wsprintfA(text, "%s failed, error %lu", what, static_cast<unsigned long>(GetLastError()));
    return text;
}

} // namespace

std::string MakeWorkDirectory(const char* name) {
    char temp[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) {
        return std::string();
    }
    char unique[32];
    wsprintfA(unique, "-%lu", static_cast<unsigned long>(GetCurrentProcessId()));
    std::string directory = std::string(temp, length) + name + unique;
    DeleteFileA((directory + "\\" + kHandleFileName).c_str());
    if (!CreateDirectoryA(directory.c_str(), 0) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return std::string();
    }
    return directory;
}

void RemoveWorkDirectory(const std::string& directory) {
    DeleteFileA((directory + "\\" + kHandleFileName).c_str());
    RemoveDirectoryA(directory.c_str());
}

ProgramRun::ProgramRun() : process(), started(0), startSeconds(0), dialog(0) {}

ProgramRun::~ProgramRun() {
    if (!process.hProcess) {
        return;
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

bool ProgramRun::Start(const std::string& program, const std::string& directory,
                       std::string* error) {
    programName = program;
    handleFile = directory + "\\" + kHandleFileName;
    if (!DeleteFileA(handleFile.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        *error = LastError(("deleting " + handleFile).c_str());
        return false;
    }
    const std::string quoted = "\"" + program + "\"";
    std::vector<char> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started = CounterNow();
    if (!CreateProcessA(program.c_str(), &commandLine[0], 0, 0, FALSE, 0, 0, directory.c_str(),
                        &startup, &process)) {
        process = PROCESS_INFORMATION();
        *error = LastError(("starting " + program).c_str());
        return false;
    }
    return true;
}

bool ProgramRun::ReadHandle(HWND* handle) const {
    HANDLE file =
        CreateFileA(handleFile.c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0, OPEN_EXISTING, 0, 0);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    char text[16];
    DWORD length = 0;
    BOOL read = ReadFile(file, text, sizeof text, &length, 0);
    CloseHandle(file);
    return read && ParseHandle(text, length, handle);
}

bool ProgramRun::WaitForHandleFile(DWORD milliseconds, std::string* error) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    HWND handle = 0;
    // A poll every millisecond: finer than the start-ups measured by two
    // orders of magnitude, and light enough to leave the program its CPU.
    while (!ReadHandle(&handle)) {
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            if (ReadHandle(&handle)) {
                break;
            }
            *error = programName + " exited without writing " + kHandleFileName;
            return false;
        }
        if (GetTickCount64() >= deadline) {
            *error = programName + " wrote no " + kHandleFileName + " in time";
            return false;
        }
    }
    startSeconds = CounterSeconds(started, CounterNow());
    DWORD owner = 0;
    GetWindowThreadProcessId(handle, &owner);
    if (owner != process.dwProcessId) {
        *error = kHandleFileName + std::string(" names no window of ") + programName;
        return false;
    }
    dialog = handle;
    return true;
}

bool ProgramRun::Close(DWORD milliseconds, std::string* error) {
    if (!PostMessageA(dialog, WM_CLOSE, 0, 0)) {
        *error = LastError("PostMessageA(WM_CLOSE)");
        return false;
    }
    if (WaitForSingleObject(process.hProcess, milliseconds) != WAIT_OBJECT_0) {
        *error = programName + " did not exit after WM_CLOSE";
        return false;
    }
    return true;
}
