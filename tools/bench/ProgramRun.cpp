#include "ProgramRun.h"

#include "Clock.h"

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

ProgramRun::ProgramRun() : started(0), startSeconds(0), dialog(0) {}

bool ProgramRun::Start(const std::string& programPath, const std::string& directory,
                       std::string* error) {
    programName = programPath;
    handleFile = directory + "\\" + kHandleFileName;
    if (!DeleteFileA(handleFile.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        *error = LastError(("deleting " + handleFile).c_str());
        return false;
    }
    started = CounterNow();
    return program.Start(programPath, directory, error);
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
        if (WaitForSingleObject(program.Process(), 1) == WAIT_OBJECT_0) {
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
    if (owner != program.ProcessId()) {
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
    DWORD exitCode = 0;
    if (!program.WaitForExit(milliseconds, &exitCode)) {
        *error = programName + " did not exit after WM_CLOSE";
        return false;
    }
    return true;
}
