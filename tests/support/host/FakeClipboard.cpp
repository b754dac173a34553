// The clipboard: open state, a program that may hold it, and its formats.
// Blocks placed on it belong to the system from then on.
#include "FakeInternal.h"

#include <cstdlib>
#include <cstring>

using fake::detail::S;

namespace fake {
namespace detail {
void FreeBlockAsSystem(HGLOBAL handle);
void HandBlockToSystem(HGLOBAL handle);
} // namespace detail

namespace {
void DropFormats() {
    for (const auto& entry : S().clipboard.formats) {
        detail::FreeBlockAsSystem(entry.second);
    }
    S().clipboard.formats.clear();
}
} // namespace

void SetClipboardBusy(int attempts) {
    S().clipboard.busyAttempts = attempts;
}

bool ClipboardIsOpen() {
    return S().clipboard.open;
}

std::vector<UINT> ClipboardFormats() {
    std::vector<UINT> formats;
    for (const auto& entry : S().clipboard.formats) {
        formats.push_back(entry.first);
    }
    return formats;
}

HANDLE ClipboardData(UINT format) {
    auto found = S().clipboard.formats.find(format);
    return found == S().clipboard.formats.end() ? 0 : found->second;
}

bool ClipboardText(std::string* text) {
    const Block* block = FindBlock(ClipboardData(CF_TEXT));
    if (!block) {
        return false;
    }
    const char* data = reinterpret_cast<const char*>(block->data);
    *text = std::string(data, strnlen(data, block->size));
    return true;
}

void SetClipboardTextFromElsewhere(const std::string& text) {
    DropFormats();
    unsigned char* data = static_cast<unsigned char*>(std::malloc(text.size() + 1));
    std::memcpy(data, text.c_str(), text.size() + 1);
    HGLOBAL handle = reinterpret_cast<HGLOBAL>(S().nextMoveableHandle);
    S().nextMoveableHandle += 8;
    S().blocks[handle] = Block{text.size() + 1, GMEM_MOVEABLE, 0, true, data};
    S().clipboard.formats[CF_TEXT] = handle;
}

} // namespace fake

BOOL OpenClipboard(HWND owner) {
    FAKE_ENTER(BOOL, owner);
    fake::detail::Clipboard& clipboard = S().clipboard;
    if (clipboard.busyAttempts != 0) {
        if (clipboard.busyAttempts > 0) {
            --clipboard.busyAttempts;
        }
        return FALSE;
    }
    clipboard.open = true;
    return TRUE;
}

BOOL EmptyClipboard() {
    FAKE_ENTER(BOOL);
    if (!S().clipboard.open) {
        return FALSE;
    }
    fake::DropFormats();
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    FAKE_ENTER(HANDLE, format, data);
    if (!S().clipboard.open || !fake::FindBlock(data)) {
        return 0;
    }
    auto previous = S().clipboard.formats.find(format);
    if (previous != S().clipboard.formats.end() && previous->second != data) {
        fake::detail::FreeBlockAsSystem(previous->second);
    }
    S().clipboard.formats[format] = data;
    fake::detail::HandBlockToSystem(data);
    return data;
}

BOOL CloseClipboard() {
    FAKE_ENTER(BOOL);
    if (!S().clipboard.open) {
        return FALSE;
    }
    S().clipboard.open = false;
    return TRUE;
}
