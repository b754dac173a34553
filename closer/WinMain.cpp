// The closer: no window, no message loop; none of WinMain's arguments is used.
#include "CloserRun.h"

#include "WinOps.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunCloser();
}
