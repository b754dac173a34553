// Control characters and bytes above 0x7F shown as escapes in failure messages.
#pragma once

#include <cstdio>
#include <string>

inline std::string Escaped(const std::string& text) {
    std::string shown = "\"";
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        } else {
            shown += c;
        }
    }
    return shown + "\"";
}
