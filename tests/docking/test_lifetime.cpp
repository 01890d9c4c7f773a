// Bars and frames that go while floating or while their own drag runs. Run again under Wine's
// heap checks (docking_lifetime_heap) with the poisoning delete of this program.
#include "docking_test_support.h"

namespace {
const UINT ID_BAR = 0xE8B0, ID_BAR2 = 0xE8B1;
const UINT WM_TEST_DESTROY = WM_APP + 61;

// A bar that its owner made on the heap and that deletes itself with its window.
class CSelfDeletingBar : public CTestBar {
public:
    CSelfDeletingBar() {
        m_bAutoDelete = TRUE;
        ++s_nAlive;
    }
    ~CSelfDeletingBar() override { --s_nAlive; }
    static int s_nAlive;
    static bool s_bDestroyedInDrag;

protected:
    afx_msg LRESULT OnTestDestroy(WPARAM, LPARAM) {
        s_bDestroyedInDrag = m_pDockContext != nullptr && m_pDockContext->IsTracking();
        DestroyWindow(); // deletes this
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
int CSelfDeletingBar::s_nAlive = 0;
bool CSelfDeletingBar::s_bDestroyedInDrag = false;

BEGIN_MESSAGE_MAP(CSelfDeletingBar, CTestBar)
ON_MESSAGE(WM_TEST_DESTROY, OnTestDestroy)
END_MESSAGE_MAP()

CSelfDeletingBar* MakeBar(CFrameWnd* pFrame, UINT nID) {
    auto* pBar = new CSelfDeletingBar;
    if (!pBar->Make(pFrame, nID, L"heap bar")) {
        delete pBar;
        return nullptr;
    }
    pBar->m_szFloat = CSize(120, 60);
    return pBar;
}
} // namespace

TEST_F(DockingTest, LifetimeABarDestroyedWhileFloatingTakesItsFrameAlong) {
    CSelfDeletingBar* pBar = MakeBar(m_pFrame, ID_BAR);
    ASSERT_NE(nullptr, pBar);
    m_pFrame->FloatControlBar(pBar, CPoint(200, 200));
    PumpIdle();
    ASSERT_TRUE(pBar->IsFloating());
    const HWND hMini = pBar->GetParentFrame()->m_hWnd;
    pBar->DestroyWindow();
    PumpIdle();
    EXPECT_EQ(0, CSelfDeletingBar::s_nAlive);
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(ID_BAR));
}

TEST_F(DockingTest, LifetimeAFrameDestroyedWithFloatingBars) {
    CSelfDeletingBar* pOne = MakeBar(m_pFrame, ID_BAR);
    CSelfDeletingBar* pTwo = MakeBar(m_pFrame, ID_BAR2);
    ASSERT_TRUE(pOne != nullptr && pTwo != nullptr);
    m_pFrame->FloatControlBar(pOne, CPoint(200, 200));
    m_pFrame->FloatControlBar(pTwo, CPoint(300, 300));
    PumpIdle();
    AfxGetApp()->m_pMainWnd = nullptr;
    HideThreadWindows();
    m_pFrame->DestroyWindow();
    m_pFrame = nullptr;
    PumpIdle();
    EXPECT_EQ(0, CSelfDeletingBar::s_nAlive);
}

TEST_F(DockingTest, LifetimeABarDestroyedInsideItsOwnDrag) {
    CSelfDeletingBar* pBar = MakeBar(m_pFrame, ID_BAR);
    ASSERT_NE(nullptr, pBar);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    PumpIdle();
    CRect rect;
    pBar->GetWindowRect(&rect);
    // The drag dispatches the message that destroys the bar; the loop must stop and its
    // context go only after it.
    const HWND hBar = pBar->m_hWnd;
    PostMouse(hBar, WM_LBUTTONDOWN, rect.CenterPoint());
    PostMouse(hBar, WM_MOUSEMOVE, rect.CenterPoint() + CPoint(0, 40), MK_LBUTTON);
    ::PostMessageW(hBar, WM_TEST_DESTROY, 0, 0);
    PostMouse(hBar, WM_MOUSEMOVE, rect.CenterPoint() + CPoint(0, 80), MK_LBUTTON);
    PostMouse(hBar, WM_LBUTTONUP, rect.CenterPoint() + CPoint(0, 80));
    PumpIdle();
    PumpIdle();
    EXPECT_TRUE(CSelfDeletingBar::s_bDestroyedInDrag);
    EXPECT_EQ(0, CSelfDeletingBar::s_nAlive);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(ID_BAR));
}
