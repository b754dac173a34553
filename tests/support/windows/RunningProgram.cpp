#include "RunningProgram.h"

#include <vector>

namespace {

const int kStartAttempts = 3;
const DWORD kBetweenAttempts = 250;

} // namespace

RunningProgram::RunningProgram() : process_() {}

RunningProgram::~RunningProgram() {
    if (!Started()) {
        return;
    }
    if (IsRunning()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool RunningProgram::Start(const std::string& program, const std::string& folder,
                           std::string* error) {
    error->clear();
    if (Started()) {
        *error = "already started";
        return false;
    }
    const std::string quoted = "\"" + program + "\"";
    for (int attempt = 1; attempt <= kStartAttempts; ++attempt) {
        std::vector<char> commandLine(quoted.begin(), quoted.end());
        commandLine.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (CreateProcessA(program.c_str(), commandLine.data(), 0, 0, FALSE, 0, 0, folder.c_str(),
                           &startup, &process_)) {
            return true;
        }
        const DWORD code = GetLastError();
        process_ = PROCESS_INFORMATION();
        *error += error->empty() ? "starting " + program + " in " + folder + " failed: error "
                                 : ", then error ";
        *error += std::to_string(code);
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ||
            code == ERROR_DIRECTORY) {
            return false;
        }
        Sleep(kBetweenAttempts);
    }
    return false;
}

bool RunningProgram::IsRunning() const {
    return Started() && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::WaitForExit(DWORD milliseconds, DWORD* exitCode) {
    if (!Started() || WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(process_.hProcess, exitCode) != FALSE;
}
