// A program under test, started in a folder of its own and killed at the end
// if it still runs.
#pragma once

#include <windows.h>

#include <string>

class RunningProgram {
  public:
    RunningProgram();
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // Starts `program` with `folder` as its current directory. A refused
    // start is tried again a few times unless the program or the folder is
    // missing: a start has been seen to fail once in a long run under Wine,
    // and the tests are about the programs, not the platform's process start.
    // `error` names every refusal.
    bool Start(const std::string& program, const std::string& folder, std::string* error);

    bool Started() const { return process_.hProcess != 0; }
    bool IsRunning() const;
    // True when the program ended within the time, with its exit code.
    bool WaitForExit(DWORD milliseconds, DWORD* exitCode);

    HANDLE Process() const { return process_.hProcess; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    DWORD ThreadId() const { return process_.dwThreadId; }

  private:
    PROCESS_INFORMATION process_;
};
