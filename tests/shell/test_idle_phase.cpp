// The idle phase of a pump turn: how many idle calls an empty or busy queue makes, and the bound
// that keeps an idle handler which always wants more from holding the host.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "shell/app/idle_phase.h"
#include "shell/app/tarvikapp.h"

namespace {

void EmptyQueue() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST(IdlePhase, CallsUntilTheHandlerIsDoneAMessageWaitsOrTheBoundIsReached) {
    struct Case {
        const char* name;
        LONG wantsMoreBelow; // the handler answers TRUE for counts below this
        bool messageWaits;
        std::vector<LONG> calls;
    };
    std::vector<LONG> bounded;
    for (LONG i = 0; i < CTarvikApp::kMaxIdleCalls; ++i)
        bounded.push_back(i);
    const Case cases[] = {
        {"the framework's handler: 0 then 1", 1, false, {0, 1}},
        {"a handler that always wants more stops at the bound", LONG_MAX, false, bounded},
        {"a waiting message: no idle time", LONG_MAX, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EmptyQueue();
        if (c.messageWaits)
            PostThreadMessageW(GetCurrentThreadId(), WM_USER, 0, 0);
        std::vector<LONG> calls;
        const LONG made = RunIdlePhase(
            [&](LONG count) {
                calls.push_back(count);
                return count < c.wantsMoreBelow ? TRUE : FALSE;
            },
            CTarvikApp::kMaxIdleCalls);
        EXPECT_EQ(c.calls, calls);
        EXPECT_EQ(static_cast<LONG>(c.calls.size()), made);
    }
    EmptyQueue();
}

TEST(IdlePhase, AMessagePostedByTheHandlerEndsThePhase) {
    EmptyQueue();
    LONG calls = 0;
    RunIdlePhase(
        [&](LONG count) {
            ++calls;
            if (count == 2)
                PostThreadMessageW(GetCurrentThreadId(), WM_USER, 0, 0);
            return TRUE;
        },
        CTarvikApp::kMaxIdleCalls);
    EXPECT_EQ(3, calls);
    EmptyQueue();
}

} // namespace
