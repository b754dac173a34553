#include "ExeSizes.h"

#include <windows.h>

void ReadExeSize(ExeSize* size) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    size->built = GetFileAttributesExA(size->path.c_str(), GetFileExInfoStandard, &data) &&
                  !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    size->bytes = size->built ? (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                    data.nFileSizeLow
                              : 0;
}
