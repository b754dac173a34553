/*
 * The 32-bit probe's program: built with the win32 toolchain, it prints its
 * line only if an i686 Windows program really ran.
 */
#include <stdio.h>

int main(void) {
    if (sizeof(void*) != 4) {
        return 1;
    }
    puts("i686 code ran");
    return 0;
}
