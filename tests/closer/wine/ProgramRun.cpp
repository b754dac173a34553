#include "ProgramRun.h"

#include <vector>

std::wstring ProgramNextToTests(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(0, path, MAX_PATH);
    std::wstring self(path, length < MAX_PATH ? length : 0);
    std::wstring::size_type slash = self.find_last_of(L"\\/");
    return (slash == std::wstring::npos ? std::wstring() : self.substr(0, slash + 1)) + name;
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ScratchFolder::ScratchFolder() {
    wchar_t temp[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        std::wstring candidate = std::wstring(temp) + L"closer-run-" +
                                 std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount() + attempt);
        if (CreateDirectoryW(candidate.c_str(), 0)) {
            path_ = candidate;
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    if (path_.empty()) {
        return;
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

std::wstring ScratchFolder::File(const wchar_t* name) const {
    return path_ + L"\\" + name;
}

bool ScratchFolder::Write(const wchar_t* name, const std::string& bytes) const {
    HANDLE file = CreateFileW(File(name).c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    BOOL ok = bytes.empty() ||
              WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, 0);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool ScratchFolder::Read(const wchar_t* name, std::string* bytes) const {
    HANDLE file = CreateFileW(File(name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bytes->clear();
    char chunk[256];
    DWORD got = 0;
    BOOL ok = TRUE;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &got, 0)) && got > 0) {
        bytes->append(chunk, got);
    }
    CloseHandle(file);
    return ok != FALSE;
}

RunningProgram::RunningProgram(const std::wstring& program, const std::wstring& folder)
    : info_(), startError_(0) {
    std::wstring quoted = L"\"" + program + L"\"";
    std::vector<wchar_t> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back(0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), commandLine.data(), 0, 0, FALSE, 0, 0, folder.c_str(),
                        &startup, &info_)) {
        startError_ = GetLastError();
        info_ = PROCESS_INFORMATION();
    }
}

RunningProgram::~RunningProgram() {
    if (!Started()) {
        return;
    }
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool RunningProgram::WaitForExit(DWORD milliseconds, DWORD* exitCode) {
    if (!Started() || WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(info_.hProcess, exitCode) != FALSE;
}

DWORD RunToEnd(const std::wstring& program, const std::wstring& folder, DWORD milliseconds) {
    RunningProgram run(program, folder);
    if (!run.Started()) {
        return kNotStarted;
    }
    DWORD exitCode = 0;
    return run.WaitForExit(milliseconds, &exitCode) ? exitCode : kStillRunning;
}
