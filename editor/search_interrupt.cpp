#include "editor/search_interrupt.h"

bool SECEditSearchInterrupt::Requested() {
    if (m_requested)
        return true;
    const DWORD now = ::GetTickCount();
    if (m_polled && now - m_lastPoll < kPollInterval)
        return false;
    m_polled = true;
    m_lastPoll = now;
    m_requested = EscapePressed();
    return m_requested;
}

bool SECEditSearchInterrupt::EscapePressed() {
    // The first key press waiting for any window of this thread. An Escape is taken out of the
    // queue: it stopped the search and must not also close the dialog the search came from.
    // The queue is peeked only when keys wait in it: a peek also runs messages other threads
    // send, which is best left to the message loop.
    MSG msg;
    if ((HIWORD(::GetQueueStatus(QS_KEY)) & QS_KEY) != 0 &&
        ::PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE | PM_NOYIELD)) {
        if (msg.wParam == VK_ESCAPE) {
            ::PeekMessageW(&msg, msg.hwnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE | PM_NOYIELD);
            return true;
        }
    }
    // An Escape queued behind another key press counts while it is held down.
    return ::GetAsyncKeyState(VK_ESCAPE) < 0;
}
