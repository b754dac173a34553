// A NUL-terminated ANSI text in one block of the Windows global heap.
#pragma once

#include "WinOps.h"

// Leaves a new block for `size` bytes of text (128 bytes longer, its first
// size + 10 bytes zero, the old text carried over) or null in *slot, frees
// the old block, and returns what it left.
char* ReserveBuffer(char** slot, DWORD size);

class DrevString {
  public:
    DrevString();
    virtual ~DrevString();

    // printf-style formatting in the manner of wvsprintfA, replacing the text.
    int Format(const char* format, ...);
    // 1 when the text differs from `text`, 0 when it is the same.
    int Differs(const char* text);

    char* buffer;

  private:
    DrevString(const DrevString&);
    DrevString& operator=(const DrevString&);
};
