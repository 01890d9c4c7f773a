#include "tests/support/message_pump.h"

#include "framework/afx.h"

void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void PumpIdle() {
    PumpMessages();
    AfxGetApp()->OnIdle(0);
    PumpMessages();
}
