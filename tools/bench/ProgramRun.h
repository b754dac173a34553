// One start of a dialog program (the picker or the bare dialog) in a working
// directory of its own, found through the handle file it writes.
#pragma once

#include <windows.h>

#include <string>

#include "RunningProgram.h"

class ProgramRun {
  public:
    ProgramRun();

    // Removes an old handle file from `directory`, then starts `program` there.
    // The clock for StartSeconds starts just before the process is created.
    bool Start(const std::string& program, const std::string& directory, std::string* error);

    // Waits until the handle file holds a handle of one of the program's
    // windows; `dialog` gets that handle.
    bool WaitForHandleFile(DWORD milliseconds, std::string* error);

    // Posts WM_CLOSE to the dialog and waits for the process to exit.
    bool Close(DWORD milliseconds, std::string* error);

    HANDLE Process() const { return program.Process(); }
    HWND Dialog() const { return dialog; }
    // From the process's creation to the moment the complete handle file was seen.
    double StartSeconds() const { return startSeconds; }

  private:
    ProgramRun(const ProgramRun&);
    ProgramRun& operator=(const ProgramRun&);

    bool ReadHandle(HWND* handle) const;

    // Ended at the end if it still runs.
    RunningProgram program;
    std::string handleFile;
    std::string programName;
    LONGLONG started;
    double startSeconds;
    HWND dialog;
};
