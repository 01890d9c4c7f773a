// Drop-down tracking mode of a custom toolbar: which buttons the keys and the mouse move along,
// and the notifications its owner gets as tracking starts, moves and ends.
#include "toolbar_test_frame.h"

namespace {
const UINT kA = 40001, kB = 40002, kC = 40003, kD = 40004, kE = 40005;
using Notice = CToolBarTestFrame::Notice;

class ToolBarTrackingTest : public ToolBarFrameTest {
protected:
    // Plain kA, drop-downs kB, kC (hidden) and kD, plain kE.
    SECCustomToolBar* MakeBar() {
        auto* pBar = new SECCustomToolBar;
        EXPECT_TRUE(m_pFrame->Manager().CreateManagedBar(pBar, 59392, L"Bar"));
        pBar->SetButtons(m_ids, 6);
        for (int i : {1, 3, 4}) {
            pBar->GetButton(i)->m_nType = SEC_BTNKIND_DROPDOWN;
            pBar->GetButton(i)->m_nStyle |= SEC_TBBS_DROPDOWN;
        }
        pBar->HideButton(3, TRUE);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, nullptr);
        m_pFrame->RecalcLayout();
        PumpToolBarMessages();
        return pBar;
    }
    static MSG MouseAt(SECCustomToolBar* pBar, UINT message, int nIndex) {
        CRect rect;
        pBar->GetButtonRect(nIndex, rect);
        MSG msg = {};
        msg.hwnd = pBar->m_hWnd;
        msg.message = message;
        msg.lParam = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        return msg;
    }
    const UINT m_ids[6] = {kA, kB, 0, kC, kD, kE};
};
} // namespace

TEST_F(ToolBarTrackingTest, NextSelectableButtonSkipsPlainAndHiddenButtons) {
    SECCustomToolBar* pBar = MakeBar();
    EXPECT_EQ(1, pBar->FirstVisibleButton());
    EXPECT_EQ(4, pBar->LastVisibleButton());
    EXPECT_EQ(-1, pBar->FirstButtonOfKind3());
    struct Case {
        int nTracking;
        BOOL bForward;
        int nNext;
    } cases[] = {{-1, TRUE, 1}, {-1, FALSE, 4}, {1, TRUE, 4},
                 {4, TRUE, -1}, {4, FALSE, 1},  {1, FALSE, -1}};
    for (const Case& c : cases) {
        pBar->ExitTrackingMode();
        if (c.nTracking >= 0)
            pBar->SetTrackingButton(c.nTracking);
        EXPECT_EQ(c.nNext, pBar->NextSelectableButton(c.bForward)) << c.nTracking << c.bForward;
    }
}

TEST_F(ToolBarTrackingTest, TheOwnerHearsTrackingStartMoveAndEnd) {
    SECCustomToolBar* pBar = MakeBar();
    pBar->DropDownButton(pBar->GetButton(1), 7, 2);
    EXPECT_TRUE(pBar->InTrackingMode());
    EXPECT_EQ(1, pBar->GetTrackingButton());
    EXPECT_TRUE(pBar->GetButtonStyle(1) & SEC_TBBS_HOT);
    EXPECT_EQ((std::vector<Notice>{{SEC_TBN_BEGINTRACKING, kB, 0}, {SEC_TBN_OPENDROPDOWN, kB, 7}}),
              m_pFrame->m_notices);

    // Over a plain button the open drop-down is told to close; over the hidden one nothing.
    m_pFrame->m_notices.clear();
    EXPECT_TRUE(pBar->FilterTrackingMessage(MouseAt(pBar, WM_MOUSEMOVE, 0)));
    EXPECT_EQ((std::vector<Notice>{{SEC_TBN_CLOSEDROPDOWN, kB, 0}}), m_pFrame->m_notices);
    EXPECT_FALSE(pBar->FilterTrackingMessage(MouseAt(pBar, WM_MOUSEMOVE, 1)));

    // Over the next drop-down: tracking ends, the old one closes, the new one is pressed.
    m_pFrame->m_notices.clear();
    EXPECT_TRUE(pBar->FilterTrackingMessage(MouseAt(pBar, WM_MOUSEMOVE, 4)));
    EXPECT_EQ((std::vector<Notice>{{SEC_TBN_ENDTRACKING, 0, 0},
                                   {SEC_TBN_CLOSEDROPDOWN, kB, 0},
                                   {SEC_TBN_DROPDOWN, kD, 0}}),
              m_pFrame->m_notices);
    EXPECT_FALSE(pBar->GetButtonStyle(1) & (SEC_TBBS_HOT | SEC_TBBS_PRESSED));
    EXPECT_FALSE(pBar->GetButtonStyle(4) & SEC_TBBS_PRESSED) << "a drop-down is drawn released";

    // A press on the tracking button closes its drop-down; cancel mode leaves tracking.
    pBar->SetTrackingButton(4);
    m_pFrame->m_notices.clear();
    EXPECT_TRUE(pBar->FilterTrackingMessage(MouseAt(pBar, WM_LBUTTONDOWN, 4)));
    EXPECT_EQ((std::vector<Notice>{{SEC_TBN_CLOSEDROPDOWN, kD, 0}}), m_pFrame->m_notices);
    pBar->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(pBar->InTrackingMode());
    EXPECT_EQ(-1, pBar->GetTrackingButton());
    EXPECT_FALSE(pBar->GetButtonStyle(4) & SEC_TBBS_HOT);
    EXPECT_EQ(SEC_TBN_ENDTRACKING, m_pFrame->m_notices.back().nCode);
}
