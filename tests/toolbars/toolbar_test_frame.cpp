#include <gtest/gtest.h>

#include "toolbar_test_frame.h"

namespace {
bool IsTestCommand(UINT nID) {
    return nID >= 40000 && nID < 40100;
}
} // namespace

CToolBarTestFrame::CToolBarTestFrame() {
    m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
    m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
}

CToolBarTestFrame::~CToolBarTestFrame() = default;

BOOL CToolBarTestFrame::Open(int cx, int cy) {
    CRect rect(0, 0, cx, cy);
    ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
    rect.OffsetRect(60 - rect.left, 60 - rect.top);
    if (!Create(NULL, L"Toolbars", WS_OVERLAPPEDWINDOW, rect))
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    m_pManager.reset(new SECToolBarManager(this));
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
    return TRUE;
}

BOOL CToolBarTestFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (m_pPlugIn != nullptr) {
        LRESULT result = 0;
        m_pPlugIn->OnWndMsg(message, wParam, lParam, &result);
        if (m_pPlugIn->GetExitFlag()) {
            if (pResult != nullptr)
                *pResult = result;
            return TRUE;
        }
    }
    if (message == WM_NOTIFY && lParam != 0) {
        const auto* pRecord = reinterpret_cast<const SECTBNotify*>(lParam);
        const int nCode = static_cast<int>(pRecord->hdr.code);
        if (nCode == SEC_TBN_DROPDOWN ||
            (nCode <= SEC_TBN_OPENDROPDOWN && nCode >= SEC_TBN_ENDTRACKING))
            m_notices.push_back({nCode, static_cast<UINT>(pRecord->nID), pRecord->a});
    }
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && m_onMenuIdle)
        m_onMenuIdle(reinterpret_cast<HWND>(lParam));
    return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CToolBarTestFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra,
                                 AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (IsTestCommand(nID) && nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) &&
        nID == m_nDisabledID) {
        static_cast<CCmdUI*>(pExtra)->Enable(FALSE);
        return TRUE;
    }
    if (IsTestCommand(nID) && nCode == CN_COMMAND) {
        if (pHandlerInfo == nullptr) {
            if (m_onCommand)
                m_onCommand(nID);
            m_commands.push_back(nID);
        }
        return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void PumpToolBarMessages() {
    MSG msg;
    for (int pass = 0; pass < 2; ++pass) {
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        AfxGetApp()->OnIdle(0);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD nTimeout) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > nTimeout)
            return done();
        PumpToolBarMessages();
        ::Sleep(5);
    }
    return true;
}

void MoveMouseTo(CPoint screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (screen.x * 65535 + cx / 2) / (cx - 1);
    input.mi.dy = (screen.y * 65535 + cy / 2) / (cy - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    PumpUntil(
        [&] {
            POINT now;
            ::GetCursorPos(&now);
            return now.x == screen.x && now.y == screen.y;
        },
        500);
    PumpToolBarMessages();
}

void PressMouse(BOOL bDown) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(20);
    PumpToolBarMessages();
}

void ClickMouse() {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    ::Sleep(20);
    PumpToolBarMessages();
}

void PressKey(WORD vk) {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = vk;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    ::Sleep(20);
    PumpToolBarMessages();
}

void ToolBarFrameTest::SetUp() {
    m_pFrame = new CToolBarTestFrame;
    ASSERT_TRUE(m_pFrame->Open());
    PumpToolBarMessages();
}

void ToolBarFrameTest::TearDown() {
    if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow(); // the frame deletes itself with its bars
    PumpToolBarMessages();
}
