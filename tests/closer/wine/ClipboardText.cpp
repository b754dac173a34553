#include "ClipboardText.h"

#include <windows.h>

#include <cstring>

namespace {

// Another program may hold the clipboard for a moment: retry, within bounds.
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
    if (!OpenClipboardPatiently()) {
        return false;
    }
    bool placed = false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (EmptyClipboard() && block) {
        char* bytes = static_cast<char*>(GlobalLock(block));
        if (bytes) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(block);
            placed = SetClipboardData(CF_TEXT, block) != 0;
        }
    }
    if (!placed && block) {
        GlobalFree(block);
    }
    CloseClipboard();
    return placed;
}

bool GetClipboardText(std::string* text) {
    if (!OpenClipboardPatiently()) {
        return false;
    }
    bool found = false;
    HANDLE block = GetClipboardData(CF_TEXT);
    const char* bytes = block ? static_cast<const char*>(GlobalLock(block)) : 0;
    if (bytes) {
        SIZE_T size = GlobalSize(block);
        SIZE_T length = 0;
        while (length < size && bytes[length]) {
            ++length;
        }
        text->assign(bytes, length);
        GlobalUnlock(block);
        found = true;
    }
    CloseClipboard();
    return found;
}
