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

BOOL CToolBarTestFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra,
                                 AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (IsTestCommand(nID) && nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && nID == m_nDisabledID) {
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
