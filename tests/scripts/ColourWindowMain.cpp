// Paints a window of one colour on the Wine desktop it is started on, for the
// run command's test to pick from with X-level input, and keeps it there.
//
//   colour_window.exe RRGGBB LEFT TOP RIGHT BOTTOM SECONDS
//
// Prints "shown" once the screen shows the colour, then stays for SECONDS.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "ColourWindow.h"
#include "Waiting.h"

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: colour_window.exe RRGGBB LEFT TOP RIGHT BOTTOM SECONDS\n");
        return 2;
    }
    const unsigned long rgb = std::strtoul(argv[1], 0, 16);
    const COLORREF colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    const RECT area = {std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                       std::atoi(argv[5])};
    const DWORD seconds = static_cast<DWORD>(std::strtoul(argv[6], 0, 10));
    ColourWindow window(colour, area);
    if (!window.WaitUntilShown(15000)) {
        std::fprintf(stderr, "colour_window: the window did not show %s\n", argv[1]);
        return 1;
    }
    std::printf("shown\n");
    std::fflush(stdout);
    Settle(seconds * 1000);
    return 0;
}
