// Checks that the closer's Wine suites share: running closer.exe in a
// folder, a program publishing its dialog in hwnd.dat, and how a program
// ends or stays. Each returns an AssertionResult, so a failure names the
// test's own line.
#pragma once

#include "ProgramFiles.h"
#include "RunningProgram.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

// Bounds of every wait: a program that has not done its part by then hangs.
const DWORD kWithin = 10000;
// How long a program that was asked to close would take at most to end; one
// still running after this was not asked.
const DWORD kGrace = 1500;

// The window's handle as the picker writes it: unsigned decimal, 32 bits.
std::string Decimal(HWND window);
// The window that a handle file's digits name, widened as the closer does.
HWND Named(const std::string& content);

// Runs `closer` in the folder; success once it ended with exit code 0.
::testing::AssertionResult CloserRanIn(const std::string& closer, const ScratchFolder& folder);

// Waits until the folder's handle file names a visible window of the
// program's process; `window` gets it and `content` the file as it was.
::testing::AssertionResult PublishedWindow(const RunningProgram& run, const ScratchFolder& folder,
                                           HWND* window, std::string* content);

// Waits for the program to end, then checks its exit code and waits for "#"
// on the clipboard.
::testing::AssertionResult EndedWithHash(RunningProgram& run);

// The program keeps running, and its dialog stays, for the grace time that a
// close request would take.
::testing::AssertionResult StillRunning(RunningProgram& run, HWND dialog);
