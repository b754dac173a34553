// Reading the handle file that a running picker leaves in its directory.
#pragma once

// The file the picker writes, looked up in the current directory.
extern const char kHandleFileName[];

// Room for the first line: 127 characters and a NUL.
const int kHandleLineSize = 128;

// Reads the first line of the file, in text mode, into line. False when the
// file cannot be opened; a file without data, or a failed read, gives "".
bool ReadFirstLine(const char* fileName, char (&line)[kHandleLineSize]);
