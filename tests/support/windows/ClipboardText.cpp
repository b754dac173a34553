#include "ClipboardText.h"

#include <windows.h>

#include <cstring>

namespace {

// The picker or Wine's clipboard keeper may hold it for a moment.
bool OpenClipboardPatiently() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(0)) {
            return true;
        }
        Sleep(20);
    }
    return false;
}

} // namespace

bool PutClipboardText(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    char* bytes = block ? static_cast<char*>(GlobalLock(block)) : 0;
    if (!bytes) {
        if (block) {
            GlobalFree(block);
        }
        return false;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (!OpenClipboardPatiently()) {
        GlobalFree(block);
        return false;
    }
    const bool placed = EmptyClipboard() && SetClipboardData(CF_TEXT, block) != 0;
    CloseClipboard();
    if (!placed) {
        GlobalFree(block);
    }
    return placed;
}

bool ReadClipboardText(std::string* text) {
    text->clear();
    if (!OpenClipboardPatiently()) {
        return false;
    }
    bool found = false;
    HANDLE block = GetClipboardData(CF_TEXT);
    const char* bytes = block ? static_cast<const char*>(GlobalLock(block)) : 0;
    if (bytes) {
        const SIZE_T size = GlobalSize(block);
        SIZE_T length = 0;
        while (length < size && bytes[length] != '\0') {
            ++length;
        }
        text->assign(bytes, length);
        GlobalUnlock(block);
        found = true;
    }
    CloseClipboard();
    return found;
}
