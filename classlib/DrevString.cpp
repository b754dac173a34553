#include "DrevString.h"

namespace {

// Every text block is this much longer than the text it is reserved for.
const DWORD kBlockSlack = 128;
// Bytes at the start of a new block that are zeroed beyond the text size.
const DWORD kZeroedTail = 10;
// The text size that Format reserves.
const DWORD kFormatReserve = 1024;
// wvsprintfA writes at most this many bytes, its NUL included.
const DWORD kFormatOutputBytes = 1024;

// "メモリの解放に失敗しました" in code page 932.
const char kFreeFailedText[] = "\x83\x81\x83\x82\x83\x8a\x82\xcc\x89\xf0\x95\xfa\x82\xc9\x8e\xb8"
                               "\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd";

void ZeroBytes(char* block, DWORD count) {
    for (DWORD i = 0; i < count; ++i) {
        block[i] = 0;
    }
}

void CopyBytes(char* target, const char* source, DWORD count) {
    for (DWORD i = 0; i < count; ++i) {
        target[i] = source[i];
    }
}

// The old text's share of the new block: size + 10 bytes of a larger old block,
// else all of it but its last 10 bytes; never beyond either block's end.
DWORD CarriedBytes(SIZE_T oldSize, DWORD size, DWORD newSize) {
    SIZE_T count = 0;
    if (oldSize > size) {
        count = size + kZeroedTail;
    } else if (oldSize > kZeroedTail) {
        count = oldSize - kZeroedTail;
    }
    if (count > oldSize) {
        count = oldSize;
    }
    if (count > newSize) {
        count = newSize;
    }
    return static_cast<DWORD>(count);
}

} // namespace

char* ReserveBuffer(char** slot, DWORD size) {
    char* old = *slot;
    // A size whose block length does not fit in 32 bits is an allocation failure.
    bool representable = size <= 0xFFFFFFFFu - kBlockSlack;
    DWORD newSize = representable ? size + kBlockSlack : 0;
    if (!old) {
        *slot = representable ? static_cast<char*>(GlobalAlloc(GMEM_FIXED, newSize)) : 0;
        if (!*slot) {
            return 0;
        }
        ZeroBytes(*slot, size + kZeroedTail);
        return *slot;
    }
    char* block = representable ? static_cast<char*>(GlobalAlloc(GMEM_FIXED, newSize)) : 0;
    if (block) {
        ZeroBytes(block, size + kZeroedTail);
        SIZE_T oldSize = GlobalSize(old);
        CopyBytes(block, old, CarriedBytes(oldSize, size, newSize));
    }
    GlobalFree(old);
    *slot = block;
    return block;
}

DrevString::DrevString() : buffer(0) {
    ReserveBuffer(&buffer, 32);
}

DrevString::~DrevString() {
    if (buffer && GlobalFree(buffer)) {
        MessageBoxA(0, kFreeFailedText, "DrevString", MB_OK);
    }
}

int DrevString::Format(const char* format, ...) {
    static_assert(kFormatOutputBytes <= kFormatReserve + kBlockSlack,
                  "the longest output must fit the block");
    ReserveBuffer(&buffer, kFormatReserve);
    if (!buffer) {
        return 0;
    }
    va_list arguments;
    va_start(arguments, format);
    int written = wvsprintfA(buffer, format, arguments);
    va_end(arguments);
    return written;
}

int DrevString::Differs(const char* text) {
    return lstrcmpA(buffer, text) != 0 ? 1 : 0;
}
