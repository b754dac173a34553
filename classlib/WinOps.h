// The one header through which the class library and the programs reach Windows.
// On Windows it is the platform's own header; on the host it declares the same
// names over the test stand-in, so the code above it compiles unchanged.
#pragma once

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// 32-bit Windows offers only the LONG forms of the class and window fields;
// 64-bit Windows needs the pointer-sized forms for handles. Callers use these.
inline ULONG_PTR SetClassLongPointer(HWND window, int index, LONG_PTR value) {
#ifdef _WIN64
    return SetClassLongPtrA(window, index, value);
#else
    return SetClassLongA(window, index, static_cast<LONG>(value));
#endif
}

inline ULONG_PTR GetClassLongPointer(HWND window, int index) {
#ifdef _WIN64
    return GetClassLongPtrA(window, index);
#else
    return GetClassLongA(window, index);
#endif
}

inline LONG_PTR GetWindowLongPointer(HWND window, int index) {
#ifdef _WIN64
    return GetWindowLongPtrA(window, index);
#else
    return GetWindowLongA(window, index);
#endif
}

#else

#include "WinOpsHost.h"

#endif
