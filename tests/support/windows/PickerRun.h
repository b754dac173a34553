// One run of the real picker.exe in a directory of its own.
#ifndef PICKER_WINE_PICKER_RUN_H
#define PICKER_WINE_PICKER_RUN_H

#include <windows.h>

#include <string>

#include "PickerTexts.h"
#include "ProgramFiles.h"
#include "RunningProgram.h"

class PickerRun {
  public:
    PickerRun();
    PickerRun(const PickerRun&) = delete;
    PickerRun& operator=(const PickerRun&) = delete;

    // Starts picker.exe from this program's own directory in a fresh empty
    // directory; on failure `error` says why.
    bool Start(std::string* error);

    // Waits for the picker's dialog to show; null if it did not in time.
    HWND WaitForDialog(DWORD milliseconds);

    bool IsRunning() const { return program.IsRunning(); }
    // True once the picker has exited; its exit code goes to `code`.
    bool WaitForExit(DWORD milliseconds, DWORD* code);

    // The handle file in the run's directory, read whole; false if absent.
    bool ReadHandleFile(std::string* content) const;

    DWORD ThreadId() const { return program.ThreadId(); }
    DWORD ProcessId() const { return program.ProcessId(); }
    const std::string& Directory() const { return directory.Path(); }

  private:
    // Declared first so that the picker is gone before its directory.
    ScratchFolder directory;
    RunningProgram program;
};

// The picker's dialog among the top-level windows of a process: class
// "#32770" with the picker's caption.
HWND FindPickerDialog(DWORD processId);

#endif
