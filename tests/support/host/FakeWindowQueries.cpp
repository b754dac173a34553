// What a program can learn about a window it did not create: its parent, its
// class name and its caption in Unicode; and CreateWindowExW, so that tests can
// make windows with Unicode captions. The fake keeps texts in UTF-8.
#include "FakeInternal.h"

using fake::detail::S;

namespace fake {

namespace {

const char16_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at text[*at]; malformed bytes give U+FFFD.
char32_t DecodeUtf8(const std::string& text, std::size_t* at) {
    unsigned char lead = static_cast<unsigned char>(text[*at]);
    ++*at;
    int extra = 0;
    char32_t point = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, point = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, point = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, point = lead & 0x07, least = 0x10000;
    } else {
        return kReplacement;
    }
    for (int i = 0; i < extra; ++i) {
        if (*at >= text.size() || (static_cast<unsigned char>(text[*at]) & 0xC0) != 0x80) {
            return kReplacement;
        }
        point = (point << 6) | (static_cast<unsigned char>(text[*at]) & 0x3F);
        ++*at;
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        return kReplacement;
    }
    return point;
}

std::u16string ToUtf16(const std::string& text) {
    std::u16string units;
    std::size_t at = 0;
    while (at < text.size()) {
        char32_t point = DecodeUtf8(text, &at);
        if (point >= 0x10000) {
            point -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(point));
        }
    }
    return units;
}

void AppendUtf8(char32_t point, std::string* text) {
    if (point < 0x80) {
        text->push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        text->push_back(static_cast<char>(0xC0 | (point >> 6)));
        text->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        text->push_back(static_cast<char>(0xE0 | (point >> 12)));
        text->push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        text->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        text->push_back(static_cast<char>(0xF0 | (point >> 18)));
        text->push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        text->push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        text->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

// A NUL-terminated UTF-16 text; unpaired surrogates give U+FFFD.
std::string ToUtf8(const WCHAR* units) {
    std::string text;
    for (std::size_t i = 0; units[i]; ++i) {
        char32_t point = units[i];
        if (point >= 0xD800 && point <= 0xDBFF && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (point >= 0xD800 && point <= 0xDFFF) {
            point = kReplacement;
        }
        AppendUtf8(point, &text);
    }
    return text;
}

// Copies as much as fits with a NUL, as Windows does; the count excludes the NUL.
int CopyTruncated(const std::u16string& units, LPWSTR buffer, int size) {
    if (!buffer || size <= 0) {
        return 0;
    }
    int count =
        static_cast<int>(units.size()) < size - 1 ? static_cast<int>(units.size()) : size - 1;
    for (int i = 0; i < count; ++i) {
        buffer[i] = units[i];
    }
    buffer[count] = 0;
    return count;
}

} // namespace

} // namespace fake

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    FAKE_ENTER(HWND, exStyle, className, windowName, style, x, y, width, height, parent, menu,
               instance, param);
    // Class atoms are not modelled: only names.
    if (!className || (reinterpret_cast<std::uintptr_t>(className) >> 16) == 0) {
        return 0;
    }
    if (parent && !fake::FindWindowState(parent)) {
        return 0;
    }
    bool child = (style & WS_CHILD) != 0;
    HWND window = fake::CreateFakeWindow(
        fake::ToUtf8(className), windowName ? fake::ToUtf8(windowName) : "", child ? parent : 0,
        child ? static_cast<int>(reinterpret_cast<std::intptr_t>(menu)) : 0, 0, instance);
    fake::WindowState* state = fake::FindWindowState(window);
    state->rect = RECT{x, y, x + width, y + height};
    state->style = style;
    return window;
}

// Only GA_PARENT is modelled: a child's parent, or the desktop for a
// top-level window (an owner is not a parent).
HWND GetAncestor(HWND window, UINT flags) {
    FAKE_ENTER(HWND, window, flags);
    fake::WindowState* state = fake::FindWindowState(window);
    if (!state || flags != GA_PARENT || window == S().desktop) {
        return 0;
    }
    if (state->parent) {
        return state->parent;
    }
    if (!S().desktop) {
        S().desktop = fake::CreateFakeWindow("#32769", "", 0);
    }
    return S().desktop;
}

int GetClassNameW(HWND window, LPWSTR name, int size) {
    FAKE_ENTER(int, window, name, size);
    fake::WindowState* state = fake::FindWindowState(window);
    return state ? fake::CopyTruncated(fake::ToUtf16(state->className), name, size) : 0;
}

int GetWindowTextW(HWND window, LPWSTR text, int size) {
    FAKE_ENTER(int, window, text, size);
    fake::WindowState* state = fake::FindWindowState(window);
    if (!state) {
        if (text && size > 0) {
            text[0] = 0;
        }
        return 0;
    }
    return fake::CopyTruncated(fake::ToUtf16(state->text), text, size);
}
