// The gripper's caption buttons, their tips, and the bar's docking commands.
#include "docking_test_support.h"

#include <cstdlib>

namespace {
const UINT ID_ONE = 0xE8C0, ID_TWO = 0xE8C1;
const DWORD kCaption =
    CBRS_EX_GRIPPER | CBRS_EX_GRIPPER_CLOSE | CBRS_EX_GRIPPER_EXPAND | CBRS_EX_STDCONTEXTMENU;

class CaptionTest : public DockingTest {
protected:
    void SetUp() override {
        DockingTest::SetUp();
        for (CTestBar* p : {&m_one, &m_two}) {
            ASSERT_TRUE(p->Make(m_pFrame, p == &m_one ? ID_ONE : ID_TWO, L"Caption", kCaption,
                                WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
            p->m_szHorzDock = CSize(200, 60);
        }
        SECDockBar* pDock = m_pFrame->DockBar(AFX_IDW_DOCKBAR_TOP);
        pDock->DockControlBarColumnRow(&m_one, 0, 0);
        pDock->DockControlBarColumnRow(&m_two, 1, 0);
        PumpIdle();
        m_one.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    }
    void Click(CTestBar& bar, const CRect& rect) {
        const CPoint pt = rect.CenterPoint();
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    CString Tip(CTestBar& bar, const CRect& rect, INT_PTR* pID) {
        TOOLINFO ti = {};
        ti.cbSize = sizeof(ti);
        *pID = bar.OnToolHitTest(rect.CenterPoint(), &ti);
        CString text;
        if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK) {
            text = ti.lpszText;
            std::free(ti.lpszText);
        }
        return text;
    }
    CTestBar m_one, m_two;
};
} // namespace

TEST_F(CaptionTest, TheButtonsSitInTheGripperAndShowTipsOnlyWhileDocked) {
    ASSERT_FALSE(m_one.m_rectClose.IsRectEmpty());
    ASSERT_FALSE(m_one.m_rectExpand.IsRectEmpty());
    // A lying bar's gripper runs down its left edge: the expand button below the close one.
    EXPECT_LT(m_one.m_rectClose.right, 17 + 1);
    EXPECT_GE(m_one.m_rectExpand.top, m_one.m_rectClose.bottom + 2);
    INT_PTR nID = 0;
    EXPECT_STREQ(L"Hide docked window", Tip(m_one, m_one.m_rectClose, &nID).GetString());
    EXPECT_EQ(SEC_TOOL_CLOSE, nID);
    EXPECT_STREQ(L"Expand docked window", Tip(m_one, m_one.m_rectExpand, &nID).GetString());
    EXPECT_EQ(SEC_TOOL_EXPAND, nID);

    const CRect rectClose = m_one.m_rectClose;
    m_pFrame->FloatControlBar(&m_one, CPoint(300, 300));
    PumpIdle();
    EXPECT_EQ(-1, m_one.OnToolHitTest(rectClose.CenterPoint(), nullptr));
}

TEST_F(CaptionTest, ExpandAndContractShareTheRowAndCloseHidesTheBar) {
    Click(m_one, m_one.m_rectExpand);
    EXPECT_NEAR(1.0f, m_one.m_fFloatProportion, 1e-6);
    PumpIdle();
    m_one.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    INT_PTR nID = 0;
    EXPECT_STREQ(L"Contract docked window", Tip(m_one, m_one.m_rectExpand, &nID).GetString());
    Click(m_one, m_one.m_rectExpand);
    EXPECT_NEAR(0.5f, m_one.m_fFloatProportion, 1e-6);
    EXPECT_NEAR(0.5f, m_two.m_fFloatProportion, 1e-6);

    Click(m_one, m_one.m_rectClose);
    EXPECT_FALSE(m_one.IsVisible());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(CaptionTest, AllowDockingOffFloatsTheBarAndOnGivesTheSidesBack) {
    m_one.SendMessage(WM_COMMAND, ID_SEC_ALLOWDOCKING);
    EXPECT_TRUE(m_one.IsFloating());
    EXPECT_EQ(0u, m_one.m_dwDockStyle & CBRS_ALIGN_ANY);
    // Docking is off: a double click on the floating frame's caption leaves it floating.
    m_one.m_pDockContext->ToggleDocking();
    EXPECT_TRUE(m_one.IsFloating());
    m_one.SendMessage(WM_COMMAND, ID_SEC_ALLOWDOCKING);
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, m_one.m_dwDockStyle & CBRS_ALIGN_ANY);
    m_one.m_pDockContext->ToggleDocking();
    EXPECT_FALSE(m_one.IsFloating());
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, m_one.m_pDockBar->GetDlgCtrlID());
}

TEST_F(CaptionTest, ToggleDockingKeepsTheShare) {
    m_one.m_fFloatProportion = 0.7f;
    m_two.m_fFloatProportion = 0.3f;
    PumpIdle();
    const float fShare = m_one.m_fFloatProportion;
    m_one.m_pDockContext->ToggleDocking();
    ASSERT_TRUE(m_one.IsFloating());
    PumpIdle();
    m_one.m_pDockContext->ToggleDocking();
    ASSERT_FALSE(m_one.IsFloating());
    PumpIdle();
    EXPECT_NEAR(fShare, m_one.m_fFloatProportion, 1e-3);
}

TEST_F(CaptionTest, TheFreeIdSearchSkipsTakenIdsAndStopsAtTheEndOfTheRange) {
    EXPECT_EQ(ID_TWO + 1, SECControlBar::FindFreeBarID(m_pFrame, ID_ONE));
    EXPECT_EQ(0u, SECControlBar::FindFreeBarID(m_pFrame, 0x10000));
    EXPECT_EQ(0u, SECControlBar::FindFreeBarID(nullptr, ID_ONE));
}
