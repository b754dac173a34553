// Puts text on the clipboard as CF_TEXT.
#pragma once

#include "WinOps.h"

// Copies text into a new moveable block and places it on the clipboard,
// waiting briefly for a clipboard that another program holds open. 1 when
// the clipboard accepted the block; 0 otherwise, the block then freed.
int CopyTextToClipboard(const char* text);

class DrevClipboard {
  public:
    DrevClipboard();
    virtual ~DrevClipboard();

    int CopyText(const char* text);

  private:
    DrevClipboard(const DrevClipboard&);
    DrevClipboard& operator=(const DrevClipboard&);
};

extern DrevClipboard g_clipboard;
