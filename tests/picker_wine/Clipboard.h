// The clipboard as another program on the desktop sees it.
#ifndef PICKER_WINE_CLIPBOARD_H
#define PICKER_WINE_CLIPBOARD_H

#include <string>

// Puts a known text on the clipboard as CF_TEXT; false if it could not.
bool PutClipboardText(const char* text);

// The clipboard's CF_TEXT up to its first zero byte; false when there is none
// or the clipboard stayed busy.
bool ReadClipboardText(std::string* text);

#endif
