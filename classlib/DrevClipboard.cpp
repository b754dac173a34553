#include "DrevClipboard.h"

DrevClipboard g_clipboard;

namespace {

// Clipboard managers and remote-desktop clients hold the clipboard open for
// moments; about half a second of retries outlasts them.
const int kOpenAttempts = 10;
const DWORD kOpenRetryDelay = 50;
const int kBlockSlack = 128;

BOOL OpenClipboardPatiently() {
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(0)) {
            return TRUE;
        }
        if (attempt == kOpenAttempts) {
            return FALSE;
        }
        Sleep(kOpenRetryDelay);
    }
}

} // namespace

int CopyTextToClipboard(const char* text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, lstrlenA(text) + kBlockSlack);
    if (!block) {
        return 0;
    }
    char* data = static_cast<char*>(GlobalLock(block));
    if (!data) {
        GlobalFree(block);
        return 0;
    }
    lstrcpyA(data, text);
    GlobalUnlock(block);
    if (!OpenClipboardPatiently()) {
        GlobalFree(block);
        return 0;
    }
    EmptyClipboard();
    HANDLE placed = SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    if (!placed) {
        GlobalFree(block);
        return 0;
    }
    return 1;
}

DrevClipboard::DrevClipboard() {}

DrevClipboard::~DrevClipboard() {}

int DrevClipboard::CopyText(const char* text) {
    return CopyTextToClipboard(text);
}
