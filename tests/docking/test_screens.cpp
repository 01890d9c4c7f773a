// A picture of the docking layout for a person to look at: bars on the four sides, a floating
// bar and a dialog bar.
#include "docking_test_ids.h"
#include "docking_test_support.h"

#include "docking/dialog_bar.h"
#include "docking/status_bar.h"
#include "tests/support/screenshot.h"

TEST_F(DockingTest, ScreenBarsOnFourSidesAFloatingBarAndADialogBar) {
    const DWORD dwCaption =
        CBRS_EX_GRIPPER | CBRS_EX_GRIPPER_CLOSE | CBRS_EX_GRIPPER_EXPAND | CBRS_EX_COOL;
    CTestBar top1, top2, left, right, bottom, floating;
    struct {
        CTestBar* pBar;
        UINT nID;
        LPCTSTR lpszName;
        UINT nDock;
    } bars[] = {{&top1, 0xE8D0, L"Watch", AFX_IDW_DOCKBAR_TOP},
                {&top2, 0xE8D1, L"Locals", AFX_IDW_DOCKBAR_TOP},
                {&left, 0xE8D2, L"Files", AFX_IDW_DOCKBAR_LEFT},
                {&right, 0xE8D3, L"Registers", AFX_IDW_DOCKBAR_RIGHT},
                {&bottom, 0xE8D4, L"Output", AFX_IDW_DOCKBAR_BOTTOM},
                {&floating, 0xE8D5, L"Memory", 0}};
    for (auto& b : bars) {
        ASSERT_TRUE(b.pBar->Make(m_pFrame, b.nID, b.lpszName, dwCaption,
                                 WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
        b.pBar->m_szHorzDock = CSize(200, 70);
        b.pBar->m_szVertDock = CSize(110, 200);
        b.pBar->m_szFloat = CSize(180, 90);
    }
    SECDockBar* pTop = m_pFrame->DockBar(AFX_IDW_DOCKBAR_TOP);
    pTop->DockControlBarColumnRow(&top1, 0, 0);
    pTop->DockControlBarColumnRow(&top2, 1, 0);
    top1.m_fFloatProportion = 0.6f;
    top2.m_fFloatProportion = 0.4f;
    for (auto& b : bars)
        if (b.nDock != 0 && b.nDock != AFX_IDW_DOCKBAR_TOP)
            m_pFrame->DockControlBar(b.pBar, b.nDock);
    SECDialogBar dialogBar;
    ASSERT_TRUE(
        dialogBar.Create(m_pFrame, IDD_TEST_BAR, WS_VISIBLE | CBRS_TOP, CBRS_EX_COOL, 0xE8D6));
    dialogBar.SetWindowText(L"Dialog bar");
    dialogBar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockBar(AFX_IDW_DOCKBAR_BOTTOM)
        ->DockControlBarAtPosition(&dialogBar, SECDockPos{0, 1, 0});
    PumpIdle();
    CRect frame;
    m_pFrame->GetWindowRect(&frame);
    m_pFrame->FloatControlBar(&floating, CPoint(frame.right - 150, frame.bottom - 220));
    PumpIdle();
    ::RedrawWindow(m_pFrame->m_hWnd, NULL, NULL,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (CWnd* pMini = floating.GetParentFrame())
        ::RedrawWindow(pMini->m_hWnd, NULL, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    ::Sleep(100);
    PumpMessages();
    CRect shot = frame;
    if (CWnd* pMini = floating.GetParentFrame()) {
        CRect mini;
        pMini->GetWindowRect(&mini);
        shot.UnionRect(&shot, &mini);
    }
    ASSERT_TRUE(floating.IsFloating());
    EXPECT_TRUE(SaveScreenPng(shot, ScreenshotPath(L"docking_bars.png").c_str()));
}
