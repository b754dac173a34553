// Display device contexts over a screen of pixels, and stock objects.
#include "FakeInternal.h"

#include <cstring>

using fake::detail::S;

namespace fake {

namespace {
const std::uintptr_t kStockObjectBase = 0x5700;
const int kLastStockObject = 19;
} // namespace

void SetScreenSize(int width, int height) {
    S().screen.width = width;
    S().screen.height = height;
}

void SetScreenBackground(COLORREF colour) {
    S().screen.background = colour;
}

void SetPixelColour(int x, int y, COLORREF colour) {
    S().screen.pixels[std::make_pair(x, y)] = colour;
}

std::size_t LiveDeviceContexts() {
    return S().deviceContexts.size();
}

COLORREF BackgroundColourOf(HDC dc) {
    auto live = S().deviceContexts.find(dc);
    if (live != S().deviceContexts.end()) {
        return live->second;
    }
    auto other = S().otherContexts.find(dc);
    return other == S().otherContexts.end() ? 0xFFFFFF : other->second;
}

} // namespace fake

HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR port, const void* mode) {
    FAKE_ENTER(HDC, driver, device, port, mode);
    if (!driver || std::strcmp(driver, "DISPLAY") != 0) {
        return 0;
    }
    HDC dc = reinterpret_cast<HDC>(S().nextDeviceContext);
    S().nextDeviceContext += 4;
    S().deviceContexts[dc] = 0xFFFFFF;
    return dc;
}

BOOL DeleteDC(HDC dc) {
    FAKE_ENTER(BOOL, dc);
    return S().deviceContexts.erase(dc) ? TRUE : FALSE;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    FAKE_ENTER(COLORREF, dc, x, y);
    if (!S().deviceContexts.count(dc)) {
        return CLR_INVALID;
    }
    const fake::detail::Screen& screen = S().screen;
    if (x < 0 || y < 0 || x >= screen.width || y >= screen.height) {
        return CLR_INVALID;
    }
    auto found = screen.pixels.find(std::make_pair(x, y));
    return found == screen.pixels.end() ? screen.background : found->second;
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
    FAKE_ENTER(COLORREF, dc, colour);
    if (!dc) {
        return CLR_INVALID;
    }
    COLORREF previous = fake::BackgroundColourOf(dc);
    auto live = S().deviceContexts.find(dc);
    if (live != S().deviceContexts.end()) {
        live->second = colour;
    } else {
        S().otherContexts[dc] = colour;
    }
    return previous;
}

HGDIOBJ GetStockObject(int index) {
    FAKE_ENTER(HGDIOBJ, index);
    if (index < 0 || index > fake::kLastStockObject) {
        return 0;
    }
    return reinterpret_cast<HGDIOBJ>(fake::kStockObjectBase + index);
}

BOOL DeleteObject(HGDIOBJ object) {
    FAKE_ENTER(BOOL, object);
    return object ? TRUE : FALSE;
}
