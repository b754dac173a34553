#include "HandleFile.h"

#include <cstdio>

void WriteHandleFile(HWND dialog) {
    FILE* file = std::fopen("hwnd.dat", "wt");
    if (!file) {
        return;
    }
    // Window handles are 32-bit values in 64-bit processes too, so a 32-bit
    // closer can read what a 64-bit picker wrote.
    unsigned int handle = static_cast<unsigned int>(reinterpret_cast<UINT_PTR>(dialog));
    std::fprintf(file, "%u", handle);
    std::fclose(file);
}
