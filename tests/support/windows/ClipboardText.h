// The clipboard's CF_TEXT as another program on the desktop sees it.
#pragma once

#include <string>

// Both wait a bounded time for a clipboard that another program holds.
bool PutClipboardText(const std::string& text);
// The text up to its first zero byte; false when the clipboard stayed busy
// or holds no CF_TEXT.
bool ReadClipboardText(std::string* text);
