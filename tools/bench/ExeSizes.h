// The sizes of the shipped executables, against their limits.
#pragma once

#include <string>

struct ExeSize {
    std::string label;
    std::string path;
    unsigned long limit; // bytes; 0 where there is no goal
    bool built;
    unsigned long long bytes;
};

void ReadExeSize(ExeSize* size);
