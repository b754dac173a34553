#include "UserInput.h"

#include "Waiting.h"

namespace {

// How long a move may stay unanswered before it is sent again.
const DWORD kMoveAgainMs = 250;

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void SendKey(WORD virtualKey, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Absolute moves address the primary screen in 65536 steps; rounding up
// lands on the wanted pixel whether the system scales by 65535 or 65536.
LONG Normalised(LONG pixel, int extent) {
    return static_cast<LONG>((static_cast<LONGLONG>(pixel) * 65536 + extent - 1) / extent);
}

bool IsDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

} // namespace

bool MovePointerTo(POINT screen, POINT* reached) {
    const LONG x = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    const LONG y = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    ULONGLONG sent = GetTickCount64();
    POINT now = {};
    // Under Wine an X pointer event that comes in late (as when a pointer
    // grab starts) puts the pointer back where X has it, after the move; an
    // absolute move can be sent again without harm until it holds.
    const bool arrived = WaitFor(
        [&] {
            if (GetCursorPos(&now) && now.x == screen.x && now.y == screen.y) {
                return true;
            }
            if (GetTickCount64() - sent >= kMoveAgainMs) {
                SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
                sent = GetTickCount64();
            }
            return false;
        },
        kPointerArrivalMs);
    if (reached) {
        *reached = now;
    }
    return arrived;
}

void PressLeftButton() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
}

void ReleaseLeftButton() {
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void PressRightButton() {
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
}

void ReleaseRightButton() {
    SendMouse(MOUSEEVENTF_RIGHTUP);
}

void TapKey(WORD virtualKey) {
    SendKey(virtualKey, 0);
    SendKey(virtualKey, KEYEVENTF_KEYUP);
}

bool ReleaseHeldButtons() {
    if (IsDown(VK_LBUTTON)) {
        ReleaseLeftButton();
    }
    if (IsDown(VK_RBUTTON)) {
        ReleaseRightButton();
    }
    return WaitFor([] { return !IsDown(VK_LBUTTON) && !IsDown(VK_RBUTTON); }, kPointerArrivalMs);
}
