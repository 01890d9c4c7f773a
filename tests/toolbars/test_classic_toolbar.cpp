// The classic toolbar over the common toolbar control, docked and floated.
#include "toolbar_test_frame.h"

#include "toolbars/classic_toolbar.h"

namespace {
// Commands the test frame handles, so the idle update keeps them enabled.
const UINT kIds[] = {40001, 0, 40002};

class ClassicToolBarTest : public ToolBarFrameTest {
protected:
    void TearDown() override {
        SECToolBar::ForceComCtlVersion(0);
        ToolBarFrameTest::TearDown();
    }
    SECToolBar* Make(UINT nID, DWORD dwCtrlStyle = 0) {
        auto* pBar = new SECToolBar;
        pBar->m_bAutoDelete = TRUE;
        EXPECT_TRUE(pBar->CreateEx(m_pFrame, dwCtrlStyle, 0x50002834, CRect(1, 3, 1, 3), nID));
        EXPECT_TRUE(pBar->SetButtons(kIds, 3));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, nullptr);
        m_pFrame->RecalcLayout();
        PumpToolBarMessages();
        return pBar;
    }
    static int SeparatorWidth(SECToolBar* pBar) {
        CRect rect;
        pBar->GetItemRect(1, &rect);
        return rect.Width();
    }
};
} // namespace

TEST_F(ClassicToolBarTest, ButtonsTakeTheNextImagesAndSeparatorsTheirWidth) {
    SECToolBar* pBar = Make(59392);
    EXPECT_TRUE(pBar->GetBarStyle() & CBRS_HIDE_INPLACE);
    EXPECT_FALSE(Make(59393)->GetBarStyle() & CBRS_HIDE_INPLACE);
    struct Expect {
        UINT nID;
        int iImage;
    } expect[] = {{40001, 0}, {0, 8}, {40002, 1}};
    for (int i = 0; i < 3; ++i) {
        UINT nID = 0;
        DWORD dwStyle = 0;
        int iImage = -1;
        pBar->GetButtonInfo(i, nID, dwStyle, iImage);
        EXPECT_EQ(expect[i].nID, nID);
        EXPECT_EQ(expect[i].iImage, iImage) << i;
        EXPECT_FALSE(dwStyle & 0x40000) << i; // enabled reads as not disabled
    }
    EXPECT_EQ(8, SeparatorWidth(pBar));
    EXPECT_EQ(6, SeparatorWidth(Make(59394, TBSTYLE_FLAT)));
    SECToolBar::ForceComCtlVersion(0x40047);
    EXPECT_EQ(6, SeparatorWidth(Make(59395)));
    SECToolBar::ForceComCtlVersion(0);
    EXPECT_GE(SECToolBar::GetComCtlVersion(), 0x40000u);
    // Disabled and checked through the style word.
    pBar->SetButtonStyle(2, pBar->GetButtonStyle(2) | 0x40000 | 0x10000);
    EXPECT_EQ(0x50000u, pBar->GetButtonStyle(2) & 0x50000);
    EXPECT_EQ(0u, ::SendMessageW(pBar->m_hWnd, TB_ISBUTTONENABLED, 40002, 0));
}

TEST_F(ClassicToolBarTest, DockedInOneRowAndFloatedNarrowWithWrapStatesWrittenBack) {
    SECToolBar* pBar = Make(59393);
    const CSize docked = pBar->CalcFixedLayout(FALSE, TRUE);
    CRect rcA, rcB;
    pBar->GetItemRect(0, &rcA);
    pBar->GetItemRect(2, &rcB);
    EXPECT_EQ(23 + 8 + 23, rcB.right - rcA.left);
    EXPECT_EQ(rcA.top, rcB.top);
    EXPECT_GE(docked.cx, 23 + 8 + 23);
    EXPECT_FALSE(pBar->GetButtonStyle(1) & 0x200000);
    m_pFrame->FloatControlBar(pBar, CPoint(300, 300));
    PumpToolBarMessages();
    EXPECT_TRUE(pBar->IsFloating());
    // Narrow enough for one button: the row breaks at the separator.
    const CSize narrow = pBar->CalcDynamicLayout(30, LM_HORZ | LM_COMMIT);
    EXPECT_TRUE(pBar->GetButtonStyle(1) & 0x200000);
    EXPECT_GT(narrow.cy, docked.cy);
    CRect rcFirst, rcLast;
    pBar->GetItemRect(0, &rcFirst);
    pBar->GetItemRect(2, &rcLast);
    EXPECT_GT(rcLast.top, rcFirst.top);
    pBar->CalcDynamicLayout(400, LM_HORZ | LM_COMMIT);
    EXPECT_FALSE(pBar->GetButtonStyle(1) & 0x200000);
}
