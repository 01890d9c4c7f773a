// Custom toolbars on a real frame: metrics, rows and hit tests, inserting and removing with
// separator clean-up, drops, presses that send commands, and the saved form.
#include "toolbar_test_frame.h"

#include <list>
#include <string>

namespace {
const UINT kA = 40001, kB = 40002, kC = 40003, kD = 40004;

std::vector<UINT> IdsOf(const SECCustomToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetButtonCount(); ++i)
        ids.push_back((bar.GetButtonStyle(i) & SEC_TBBS_SEPARATOR) ? 0 : bar.GetButtonId(i));
    return ids;
}

class CustomToolBarTest : public ToolBarFrameTest {
protected:
    // A docked bar of the manager holding ids.
    SECCustomToolBar* MakeBar(UINT nID, std::vector<UINT> ids, UINT nDockBar = AFX_IDW_DOCKBAR_TOP) {
        m_ids.push_back(ids);
        auto* pBar = new SECCustomToolBar;
        EXPECT_TRUE(Manager().CreateManagedBar(pBar, nID, L"Bar"));
        pBar->SetButtons(m_ids.back().data(), static_cast<int>(ids.size()));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, nDockBar, nullptr);
        m_pFrame->RecalcLayout();
        PumpToolBarMessages();
        return pBar;
    }
    SECToolBarManager& Manager() { return m_pFrame->Manager(); }
    // Client point of the middle of a button.
    static CPoint Middle(SECCustomToolBar* pBar, int nIndex) {
        CRect rect;
        pBar->GetButtonRect(nIndex, rect);
        return rect.CenterPoint();
    }
    std::list<std::vector<UINT>> m_ids;
};
} // namespace

TEST_F(CustomToolBarTest, ButtonAndSeparatorSizesFollowTheImageSize) {
    Manager().GetBmpMgr()->SetLargeImageSize(32, 30);
    SECCustomToolBar* pBar = MakeBar(59392, {kA, 0, kB});
    struct Case {
        BOOL bLarge;
        CSize button, separator;
    } cases[] = {{FALSE, {23, 22}, {8, 22}}, {TRUE, {39, 37}, {13, 37}}, {FALSE, {23, 22}, {8, 22}}};
    for (const Case& c : cases) {
        Manager().SetLargeButtons(c.bLarge);
        CRect rcButton, rcSep;
        pBar->CalcLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        pBar->GetButtonRect(0, rcButton);
        pBar->GetButtonRect(1, rcSep);
        EXPECT_EQ(c.button, rcButton.Size()) << c.bLarge;
        EXPECT_EQ(c.separator, rcSep.Size()) << c.bLarge;
        EXPECT_EQ(c.button.cx, pBar->GetLargestButtonWidth());
    }
}

TEST_F(CustomToolBarTest, RowsBreakAtSeparatorsAndHitTestsFindTheButtons) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB, 0, kC, kD});
    // Room for three buttons: the row ends at the separator, which becomes the gap.
    std::vector<SECBtnRow> rows;
    ASSERT_EQ(2, pBar->LayoutRow(3 * 23, rows));
    EXPECT_EQ(2, rows[0].nLast);
    EXPECT_EQ(1, rows[0].bBreak);
    EXPECT_EQ(46, rows[0].nWidth);
    EXPECT_EQ(22, rows[0].nHeight);
    EXPECT_EQ(4, rows[1].nLast);
    EXPECT_EQ(0, rows[1].bBreak);
    // Without a separator the row ends before the button that overflows.
    SECCustomToolBar* pPlain = MakeBar(59393, {kA, kB, kC});
    ASSERT_EQ(2, pPlain->LayoutRow(50, rows));
    EXPECT_EQ(1, rows[0].nLast);
    EXPECT_EQ(0, rows[0].bBreak);

    const CSize size = pBar->CalcLayout(3 * 23 + 8, LM_COMMIT);
    CRect rcA, rcC;
    pBar->GetButtonRect(0, rcA);
    pBar->GetButtonRect(3, rcC);
    EXPECT_EQ(rcA.left, rcC.left);                     // the second row starts at the left
    EXPECT_EQ(rcA.bottom + 2 * 8 / 3, rcC.top);        // after the separator's gap
    EXPECT_TRUE(pBar->GetButtonStyle(2) & SEC_TBBS_WRAPPED);
    EXPECT_GE(size.cy, 2 * 22 + 5);
    struct Hit {
        CPoint pt;
        int nIndex;
    } hits[] = {
        {rcA.CenterPoint(), 0},
        {CPoint(rcA.right + 3, rcA.top + 3), 1},
        {rcC.CenterPoint(), 3},
        {CPoint(rcC.right + 3, rcC.top + 3), 4},
        {CPoint(rcA.left, rcA.bottom + 2), -1}, // in the gap
        {CPoint(rcC.right + 23 + 5, rcC.top + 3), -1},
        {CPoint(rcA.left - 10, rcA.top), -1},
    };
    for (const Hit& h : hits)
        EXPECT_EQ(h.nIndex, pBar->HitTest(h.pt.x, h.pt.y)) << h.pt.x << "," << h.pt.y;
    // A hidden button is neither placed in the row nor hit.
    pBar->HideButton(1, TRUE);
    pBar->CalcLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    CRect rcSep;
    pBar->GetButtonRect(2, rcSep);
    EXPECT_EQ(rcA.right, rcSep.left);
}

TEST_F(CustomToolBarTest, InsertAndRemoveCleanUpSeparators) {
    struct Case {
        std::vector<UINT> ids;
        int nRemove;
        std::vector<UINT> after;
    } cases[] = {
        {{kA, 0, kB, 0, kC}, 2, {kA, 0, kC}}, // the only button between two separators
        {{kA, 0, kB}, 2, {kA}},               // a trailing separator goes too
        {{kA, 0, kB}, 0, {kB}},               // so does a leading one
        {{kA, kB}, 1, {kA}},
    };
    UINT nID = 59392;
    for (const Case& c : cases) {
        SECCustomToolBar* pBar = MakeBar(nID++, c.ids);
        EXPECT_TRUE(pBar->RemoveButton(c.nRemove));
        EXPECT_EQ(c.after, IdsOf(*pBar)) << c.nRemove;
        EXPECT_FALSE(pBar->RemoveButton(pBar->GetButtonCount())); // out of range: nothing
        EXPECT_FALSE(pBar->RemoveButton(-1));
        EXPECT_EQ(c.after, IdsOf(*pBar));
    }
    // The selection after the removed pair moves back by two; an id 0 always inserts a
    // separator.
    SECCustomToolBar* pBar = MakeBar(nID++, {kA, 0, kB, 0, kC});
    Manager().SetCustomizeMode(TRUE);
    pBar->SelectButton(4);
    pBar->RemoveButton(2);
    EXPECT_EQ(2, pBar->GetSelection());
    pBar->InsertButton(99, 0, FALSE);
    EXPECT_EQ((std::vector<UINT>{kA, 0, kC, 0}), IdsOf(*pBar));
    Manager().SetCustomizeMode(FALSE);
}

TEST_F(CustomToolBarTest, AnEmptiedUserBarGoesButDefaultAndHostBarsStay) {
    struct Case {
        UINT nID;
        bool bGoes;
    } cases[] = {{59392, false}, {59424, true}, {59646, true}, {59647, false}, {59700, false}};
    for (const Case& c : cases) {
        SECCustomToolBar* pBar = MakeBar(c.nID, {kA});
        const HWND hBar = pBar->m_hWnd;
        EXPECT_FALSE(pBar->RemoveButton(0));
        PumpToolBarMessages();
        EXPECT_EQ(c.bGoes, !::IsWindow(hBar)) << c.nID;
        if (::IsWindow(hBar)) {
            EXPECT_EQ(0, pBar->GetButtonCount());
        }
    }
}

TEST_F(CustomToolBarTest, DropsByRectangle) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB, kC});
    SECCustomToolBar* pOther = MakeBar(59393, {kD});
    const CRect rcB = [&] {
        CRect r;
        pBar->GetButtonRect(1, r);
        return r;
    }();
    auto shifted = [&](int dx) { return CRect(rcB.left + dx, rcB.top, rcB.right + dx, rcB.bottom); };
    // 1 pixel: nothing.
    EXPECT_FALSE(pBar->DropButton(shifted(1), pBar->GetButton(1), pBar, FALSE));
    EXPECT_EQ((std::vector<UINT>{kA, kB, kC}), IdsOf(*pBar));
    // 3 to the right: a separator before it; 3 back: it goes again.
    EXPECT_TRUE(pBar->DropButton(shifted(3), pBar->GetButton(1), pBar, FALSE));
    EXPECT_EQ((std::vector<UINT>{kA, 0, kB, kC}), IdsOf(*pBar));
    pBar->CalcLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    CRect rcNow;
    pBar->GetButtonRect(2, rcNow);
    rcNow.OffsetRect(-3, 0);
    EXPECT_TRUE(pBar->DropButton(rcNow, pBar->GetButton(2), pBar, FALSE));
    EXPECT_EQ((std::vector<UINT>{kA, kB, kC}), IdsOf(*pBar));
    // A move onto another bar takes it from its source; a copy leaves the source alone.
    pBar->CalcLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    pOther->CalcLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    CRect rcD;
    pOther->GetButtonRect(0, rcD);
    EXPECT_TRUE(pOther->DropButton(CRect(rcD.left, rcD.top, rcD.left + 5, rcD.bottom),
                                   pBar->GetButton(0), pBar, FALSE));
    EXPECT_EQ((std::vector<UINT>{kB, kC}), IdsOf(*pBar));
    EXPECT_EQ((std::vector<UINT>{kA, kD}), IdsOf(*pOther));
    EXPECT_TRUE(pOther->DropButton(CRect(rcD.right + 40, rcD.top, rcD.right + 60, rcD.bottom),
                                   pBar->GetButton(1), pBar, TRUE));
    EXPECT_EQ((std::vector<UINT>{kB, kC}), IdsOf(*pBar));
    EXPECT_EQ((std::vector<UINT>{kA, kD, kC}), IdsOf(*pOther));
}

TEST_F(CustomToolBarTest, SavedButtonsComeBackInOrderWithTheTitle) {
    SECCustomToolBar* pBar = MakeBar(59424, {57600, 0, 57601});
    pBar->SetWindowText(L"Mine");
    SECControlBarInfo info(&Manager());
    info.m_dwTypeID = Manager().GetBarTypeId(pBar);
    EXPECT_EQ(SEC_BARTYPE_CUSTOMTOOLBAR, info.m_dwTypeID);
    info.m_pBarInfoEx = Manager().CreateBarInfo(&info);
    ASSERT_NE(nullptr, info.m_pBarInfoEx);
    pBar->OnGetBarInfoEx(&info);
    auto* pEx = static_cast<SECCustomToolBarInfoEx*>(info.m_pBarInfoEx);
    const std::vector<BYTE> expected = {0x00, 0xE1, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0xE1, 0, 0, 0};
    EXPECT_EQ(expected, SECEncodeButtons(pEx->m_btnInfo));
    ASSERT_TRUE(pEx->SaveToProfile(L"TbTest-Bar0", &Manager()));

    // Made again by type id, then given its saved buttons.
    SECControlBarInfo again(&Manager());
    again.m_dwTypeID = SEC_BARTYPE_CUSTOMTOOLBAR;
    again.m_nBarID = 59430;
    again.m_pBarInfoEx = Manager().CreateBarInfo(&again);
    ASSERT_TRUE(again.m_pBarInfoEx->LoadFromProfile(L"TbTest-Bar0", &Manager()));
    auto* pMade = dynamic_cast<SECCustomToolBar*>(Manager().CreateBar(&again));
    ASSERT_NE(nullptr, pMade);
    pMade->OnSetBarInfoEx(&again, m_pFrame);
    EXPECT_EQ((std::vector<UINT>{57600, 0, 57601}), IdsOf(*pMade));
    CString title;
    pMade->GetWindowText(title);
    EXPECT_STREQ(L"Mine", title.GetString());
    SECControlBarInfo other(&Manager());
    other.m_dwTypeID = 0;
    EXPECT_EQ(nullptr, Manager().CreateBar(&other));
    other.m_dwTypeID = SEC_BARTYPE_MENUBAR; // no frame here has a menu bar
    EXPECT_EQ(nullptr, Manager().CreateBar(&other));
    AfxGetApp()->WriteProfileString(L"TbTest-Bar0", nullptr, nullptr);
}

TEST_F(CustomToolBarTest, PressAndReleaseSendOneCommandOnlyInsideAndEnabled) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB, 0, kC});
    m_pFrame->m_nDisabledID = kC;
    pBar->OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_TRUE(pBar->GetButtonStyle(3) & SEC_TBBS_DISABLED);
    EXPECT_FALSE(pBar->GetButtonStyle(0) & SEC_TBBS_DISABLED);
    auto click = [&](CPoint down, CPoint up) {
        pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        pBar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(up.x, up.y));
        pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    };
    click(Middle(pBar, 0), Middle(pBar, 0));
    EXPECT_EQ((std::vector<UINT>{kA}), m_pFrame->m_commands);
    click(Middle(pBar, 1), CPoint(Middle(pBar, 1).x, 200)); // released outside
    // A disabled button leaves the press to the bar (a drag of the bar that the release ends).
    const CPoint ptC = Middle(pBar, 3);
    pBar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptC.x, ptC.y));
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptC.x, ptC.y));
    PumpToolBarMessages();
    EXPECT_EQ((std::vector<UINT>{kA}), m_pFrame->m_commands);
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(CustomToolBarTest, ACheckButtonTogglesEverySameIdButtonBeforeItsCommand) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB});
    SECCustomToolBar* pOther = MakeBar(59393, {kB});
    pBar->SetButtonStyle(1, pBar->GetButtonStyle(1) | SEC_TBBS_CHECKBOX);
    DWORD dwSeen = 0;
    m_pFrame->m_onCommand = [&](UINT) { dwSeen = pOther->GetButtonStyle(0); };
    const CPoint pt = Middle(pBar, 1);
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(dwSeen & SEC_TBBS_CHECKED);
    EXPECT_TRUE(pBar->GetButtonStyle(1) & SEC_TBBS_CHECKED);
    EXPECT_FALSE(pBar->GetButtonStyle(0) & SEC_TBBS_CHECKED);
}

TEST_F(CustomToolBarTest, ACommandThatDestroysItsBarLeavesItUntouched) {
    SECCustomToolBar* pBar = MakeBar(59424, {kA, kB});
    const HWND hBar = pBar->m_hWnd;
    m_pFrame->m_onCommand = [&](UINT) { ::DestroyWindow(hBar); };
    const CPoint pt = Middle(pBar, 0);
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::SendMessageW(hBar, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(::IsWindow(hBar));
    EXPECT_EQ((std::vector<UINT>{kA}), m_pFrame->m_commands);
    EXPECT_FALSE(Manager().GetPressedBtnInfo()->m_bPressed);
    EXPECT_FALSE(IsBtnCommandBeingSent());
}
