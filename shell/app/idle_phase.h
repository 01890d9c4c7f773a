// The idle phase of one pump turn, apart from the pump so that its bound can be tested with any
// idle handler.
#pragma once

#include <windows.h>

// Calls onIdle(0), onIdle(1), ... while no message waits and the handler wants more, at most
// maxCalls times: a handler that always wants more cannot hold the host inside the pump.
// Returns the number of calls made.
template <class OnIdle> LONG RunIdlePhase(OnIdle&& onIdle, LONG maxCalls) {
    LONG count = 0;
    MSG peek;
    while (count < maxCalls && !::PeekMessageW(&peek, NULL, 0, 0, PM_NOREMOVE))
        if (!onIdle(count++))
            break;
    return count;
}
