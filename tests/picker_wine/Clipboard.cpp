#include "Clipboard.h"

#include <windows.h>

#include "Waiting.h"

namespace {

// Another program (the picker, Wine's clipboard keeper) may hold it for a moment.
bool OpenWithin(DWORD milliseconds) {
    return WaitFor([] { return OpenClipboard(0) != 0; }, milliseconds);
}

} // namespace

bool PutClipboardText(const char* text) {
    const SIZE_T size = lstrlenA(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) {
        return false;
    }
    char* bytes = static_cast<char*>(GlobalLock(block));
    if (!bytes) {
        GlobalFree(block);
        return false;
    }
    CopyMemory(bytes, text, size);
    GlobalUnlock(block);
    if (!OpenWithin(2000)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_TEXT, block) != 0;
    CloseClipboard();
    if (!placed) {
        GlobalFree(block);
    }
    return placed;
}

bool ReadClipboardText(std::string* text) {
    text->clear();
    if (!OpenWithin(2000)) {
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
