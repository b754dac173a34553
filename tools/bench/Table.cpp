#include "Table.h"

#include <cstdarg>
#include <cstdio>

namespace {

// Columns are padded by characters as the terminal shows them: a UTF-8
// sequence counts once.
size_t DisplayWidth(const std::string& text) {
    size_t width = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) {
            ++width;
        }
    }
    return width;
}

void PrintRow(const std::vector<std::string>& row, const std::vector<size_t>& widths) {
    std::string line = "|";
    for (size_t i = 0; i < widths.size(); ++i) {
        const std::string cell = i < row.size() ? row[i] : std::string();
        line += " " + cell + std::string(widths[i] - DisplayWidth(cell), ' ') + " |";
    }
    std::printf("%s\n", line.c_str());
}

} // namespace

Table::Table(const std::vector<std::string>& header) {
    rows.push_back(header);
}

void Table::Add(const std::vector<std::string>& row) {
    rows.push_back(row);
}

void Table::Print() const {
    std::vector<size_t> widths(rows[0].size(), 3);
    for (const std::vector<std::string>& row : rows) {
        for (size_t i = 0; i < row.size() && i < widths.size(); ++i) {
            if (DisplayWidth(row[i]) > widths[i]) {
                widths[i] = DisplayWidth(row[i]);
            }
        }
    }
    PrintRow(rows[0], widths);
    std::vector<std::string> rule;
    for (size_t width : widths) {
        rule.push_back(std::string(width, '-'));
    }
    PrintRow(rule, widths);
    for (size_t i = 1; i < rows.size(); ++i) {
        PrintRow(rows[i], widths);
    }
    std::fflush(stdout);
}

std::string Text(const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}
