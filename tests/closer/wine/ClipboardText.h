// The clipboard's CF_TEXT, as the programs under test leave it.
#pragma once

#include <string>

// Both retry a busy clipboard for a bounded time.
bool PutClipboardText(const std::string& text);
// False when the clipboard could not be opened or holds no CF_TEXT.
bool GetClipboardText(std::string* text);
