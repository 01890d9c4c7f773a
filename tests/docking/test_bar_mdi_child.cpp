// A bar floated in the main window lives in a control-bar MDI child: the child's caption is the
// bar's text, closing the child hides the bar and keeps the child, and the child's size and
// place are the bar's.
#include "docframe_test_support.h"

#include "docking/bar_mdi_child.h"

namespace {

SECControlBar* NewBar(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszName) {
    auto* pBar = new SECControlBar;
    if (!pBar->Create(pFrame, lpszName, WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0, nID)) {
        delete pBar;
        return nullptr;
    }
    pBar->m_bAutoDelete = TRUE;
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

SECControlBarMDIChildWnd* ChildOf(CControlBar* pBar) {
    CWnd* pDockBar = pBar->GetParent();
    return pDockBar != nullptr ? DYNAMIC_DOWNCAST(SECControlBarMDIChildWnd, pDockBar->GetParent())
                               : nullptr;
}

} // namespace

TEST_F(DocFrameTest, ABarInTheMainWindowKeepsItsChildAndItsText) {
    SECControlBar* pBar = NewBar(m_pMain, 0xE8E0, L"Registers");
    ASSERT_NE(nullptr, pBar);
    m_pMain->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    m_pMain->FloatControlBarAsMDIChild(pBar, -1, -1, CBRS_ALIGN_TOP);
    PumpDocMessages();
    SECControlBarMDIChildWnd* pChild = ChildOf(pBar);
    ASSERT_NE(nullptr, pChild);
    const HWND hChild = pChild->m_hWnd;
    CString strText;
    pChild->GetWindowText(strText);
    EXPECT_EQ(CString(L"Registers"), strText);
    // A title update of the frame leaves the bar's text.
    pChild->OnUpdateFrameTitle(TRUE);
    pChild->GetWindowText(strText);
    EXPECT_EQ(CString(L"Registers"), strText);

    // The bar's floating size follows the child's size.
    pChild->SetWindowPos(NULL, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER);
    PumpDocMessages();
    const CSize sizeBefore = pBar->m_szFloat;
    pChild->SetWindowPos(NULL, 0, 0, 360, 260, SWP_NOMOVE | SWP_NOZORDER);
    PumpDocMessages();
    EXPECT_EQ(CSize(40, 60), pBar->m_szFloat - sizeBefore);
    // Its place is the bar's floating place.
    pChild->SetWindowPos(NULL, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CRect rect;
    pChild->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), pBar->m_pDockContext->m_ptMRUFloatPos);

    // Closing hides the bar; the child stays, and comes back with the bar.
    pChild->SendMessage(WM_CLOSE);
    PumpDocMessages();
    ASSERT_TRUE(::IsWindow(hChild));
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(hChild));
    m_pMain->ShowControlBar(pBar, TRUE, FALSE);
    PumpDocMessages();
    EXPECT_TRUE(::IsWindowVisible(hChild));
    EXPECT_TRUE(pBar->IsWindowVisible());
}
