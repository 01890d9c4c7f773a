// One turn of the message pump that the host drives.
#include "shell/app/tarvikapp.h"

#include "shell/app/idle_phase.h"
#include "shell/hostlink.h"

namespace {
bool MessageWaits() {
    MSG peek;
    return ::PeekMessageW(&peek, NULL, 0, 0, PM_NOREMOVE) != FALSE;
}
} // namespace

int CTarvikApp::PumpTurn(int mode, MessageFetch fetch) {
    // Idle time while nothing waits; an empty queue makes two calls (0 and 1).
    RunIdlePhase([this](LONG count) { return OnIdle(count); }, kMaxIdleCalls);
    for (;;) {
        MSG msg;
        if (mode == 1) {
            BOOL taken = fetch(&msg, NULL, 0, 0);
            if (taken == -1)
                return ExitInstance(); // a failed wait took nothing: what it wrote is no message
            m_msgCur = msg;
            if (!taken)
                return ExitInstance(); // the quit message's wParam
        } else {
            if (!::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
                return ExitInstance(); // the wParam of the last message taken
            m_msgCur = msg;
        }
        // Copies: a handler may pump again and overwrite the thread's current message.
        const MSG current = m_msgCur;
        MSG forHost = current;
        if (!(HostTable() && HostTable()->PreTranslateMessage(&forHost))) {
            if (current.message != WM_KICKIDLE) {
                MSG forFrame = current;
                if (!PreTranslateMessage(&forFrame)) {
                    ::TranslateMessage(&forFrame);
                    ::DispatchMessageW(&forFrame);
                }
                if (IsIdleMessage(&forFrame))
                    m_bIdleUpdateDue = TRUE;
            }
            m_hWndLastMessage = current.hwnd;
        }
        if (!MessageWaits()) {
            m_hWndLastMessage = NULL;
            return 1;
        }
    }
}
