#include "HandleLine.h"

#include <cstdio>

const char kHandleFileName[] = "hwnd.dat";

bool ReadFirstLine(const char* fileName, char (&line)[kHandleLineSize]) {
    std::FILE* file = std::fopen(fileName, "rt");
    if (!file) {
        return false;
    }
    // fgets leaves the buffer alone when it reads nothing.
    if (!std::fgets(line, kHandleLineSize, file)) {
        line[0] = '\0';
    }
    std::fclose(file);
    return true;
}
