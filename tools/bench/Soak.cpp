#include "Soak.h"

#include "PointerMoves.h"

namespace {

const int kWarmUpMoves = 1000;
const int kTraceSteps = 10;

} // namespace

SoakResult RunSoak(HANDLE process, HWND dialog, int moves) {
    SoakResult result;
    result.moves = moves;
    SendMoves(dialog, 0, kWarmUpMoves);
    result.before = ReadCounters(process);
    const int step = moves / kTraceSteps;
    int sent = 0;
    for (int i = 0; i < kTraceSteps; ++i) {
        const int count = i + 1 < kTraceSteps ? step : moves - sent;
        SendMoves(dialog, kWarmUpMoves + sent, count);
        sent += count;
        result.trace.push_back(ReadCounters(process));
    }
    result.after = ReadCounters(process);
    return result;
}
