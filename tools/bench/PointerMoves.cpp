#include "PointerMoves.h"

#include "Clock.h"

namespace {

// The dialog does nothing with it but hand it to the default processing.
const UINT kIgnoredMessage = WM_USER + 100;
const int kRounds = 10;

// The n-th point of a walk over the client area, row by row.
POINT MovePoint(const RECT& client, int n) {
    const int width = client.right > 1 ? client.right : 1;
    const int height = client.bottom > 1 ? client.bottom : 1;
    POINT point;
    point.x = n % width;
    point.y = (n / width) % height;
    return point;
}

RECT ClientArea(HWND dialog) {
    RECT client = {};
    GetClientRect(dialog, &client);
    return client;
}

double TimeMoves(HWND dialog, const RECT& client, int first, int count) {
    Stopwatch watch;
    for (int i = 0; i < count; ++i) {
        const POINT point = MovePoint(client, first + i);
        SendMessageA(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    }
    return watch.Seconds();
}

// The same pixels as the moves read; the dialog's origin is looked up once,
// since asking for another process's window is no part of the floor.
double TimeSamples(HWND dialog, const RECT& client, int first, int count) {
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    Stopwatch watch;
    for (int i = 0; i < count; ++i) {
        POINT point = MovePoint(client, first + i);
        point.x += origin.x;
        point.y += origin.y;
        HDC display = CreateDCA("DISPLAY", 0, 0, 0);
        GetPixel(display, point.x, point.y);
        DeleteDC(display);
    }
    return watch.Seconds();
}

double TimeIgnored(HWND dialog, int count) {
    Stopwatch watch;
    for (int i = 0; i < count; ++i) {
        SendMessageA(dialog, kIgnoredMessage, 0, 0);
    }
    return watch.Seconds();
}

} // namespace

void SendMoves(HWND dialog, int first, int count) {
    TimeMoves(dialog, ClientArea(dialog), first, count);
}

MoveCosts MeasureMoveCosts(HWND dialog, int count) {
    const RECT client = ClientArea(dialog);
    const int perRound = count / kRounds;
    double move = 0;
    double sample = 0;
    double ignored = 0;
    for (int round = 0; round < kRounds; ++round) {
        const int first = round * perRound;
        move += TimeMoves(dialog, client, first, perRound);
        sample += TimeSamples(dialog, client, first, perRound);
        ignored += TimeIgnored(dialog, perRound);
    }
    MoveCosts costs;
    costs.count = perRound * kRounds;
    costs.move = move / costs.count;
    costs.sample = sample / costs.count;
    costs.ignored = ignored / costs.count;
    return costs;
}
