#include "ScreenShot.h"

#include <vector>

namespace {

// Reads the area through a bottom-up 24-bit DIB, the row order BMP files keep.
bool ReadArea(const RECT& area, BITMAPINFOHEADER* header, std::vector<BYTE>* bits) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    HDC screen = GetDC(0);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    bool ok = memory && bitmap;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != 0;
        SelectObject(memory, old);
    }
    ZeroMemory(header, sizeof *header);
    header->biSize = sizeof *header;
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    header->biSizeImage = stride * height;
    bits->assign(header->biSizeImage, 0);
    if (ok) {
        ok = GetDIBits(memory, bitmap, 0, height, bits->data(),
                       reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS) == height;
    }
    if (bitmap) {
        DeleteObject(bitmap);
    }
    if (memory) {
        DeleteDC(memory);
    }
    ReleaseDC(0, screen);
    return ok;
}

} // namespace

bool SaveScreenArea(const RECT& area, const char* path, DWORD* error) {
    BITMAPINFOHEADER header;
    std::vector<BYTE> bits;
    if (!ReadArea(area, &header, &bits)) {
        *error = GetLastError();
        return false;
    }
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    if (out == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, 0) && written == sizeof file &&
              WriteFile(out, &header, sizeof header, &written, 0) && written == sizeof header &&
              WriteFile(out, bits.data(), header.biSizeImage, &written, 0) &&
              written == header.biSizeImage;
    *error = ok ? 0 : GetLastError();
    CloseHandle(out);
    return ok;
}
