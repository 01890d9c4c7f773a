// Escape stops a long search. The search runs on the window's thread, so between pieces of its
// work it looks at the thread's input queue for an Escape key press; it dispatches nothing, so
// no window changes under the search's feet.
#pragma once

#include <windows.h>

class SECEditSearchInterrupt {
public:
    // Whether the user has asked the search to stop; once asked, always. The queue is looked
    // at on the first call and then at most every kPollInterval milliseconds, so calling this
    // often costs little.
    bool Requested();
    // Whether an earlier call found the request; looks at nothing.
    bool WasRequested() const { return m_requested; }

    static constexpr DWORD kPollInterval = 15;

private:
    bool EscapePressed();

    bool m_requested = false;
    bool m_polled = false;
    DWORD m_lastPoll = 0;
};
