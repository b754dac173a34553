// Starting the built programs as a person would: each in a folder of its own,
// every wait bounded, and nothing left running at the end of a test.
#pragma once

#include <windows.h>

#include <string>

// A program that the build puts next to this test program.
std::wstring ProgramNextToTests(const wchar_t* name);
bool FileExists(const std::wstring& path);

// A fresh folder under the temporary directory, removed with its files.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const wchar_t* name) const;
    // The bytes as they stand, with no line-end translation.
    bool Write(const wchar_t* name, const std::string& bytes) const;
    bool Read(const wchar_t* name, std::string* bytes) const;

  private:
    std::wstring path_;
};

// A program started with the folder as its current directory; killed at the
// end if it is still running.
class RunningProgram {
  public:
    RunningProgram(const std::wstring& program, const std::wstring& folder);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return info_.hProcess != 0; }
    DWORD StartError() const { return startError_; }
    DWORD ProcessId() const { return info_.dwProcessId; }
    // True when the program ended within the time, with its exit code.
    bool WaitForExit(DWORD milliseconds, DWORD* exitCode);

  private:
    PROCESS_INFORMATION info_;
    DWORD startError_;
};

// Exit codes of RunToEnd besides the program's own.
const DWORD kNotStarted = 0xFFFFFF01u;
const DWORD kStillRunning = 0xFFFFFF02u;

// Runs the program in the folder to its end; its exit code, or one of the above.
DWORD RunToEnd(const std::wstring& program, const std::wstring& folder, DWORD milliseconds);
