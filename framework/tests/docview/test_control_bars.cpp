// The frame's bar machinery: the size-parent pass and its queries, delayed shows and layouts,
// idle updates of docked and floating bars, the bar list and the saved bar records.
#include "test_app.h"

#include "framework/docview/barinfo.h"
#include "framework/docview/dockbar.h"
#include "framework/docview/miniframe.h"

namespace {
// A bar of fixed extents: 80 x 20 lying, 30 x 60 standing; it counts its updates.
class CStripBar : public CControlBar {
public:
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID) {
        SetBarStyle(dwStyle & CBRS_ALL);
        return CWnd::Create(NULL, L"strip", (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0),
                            pParent, nID);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override {
        if (bHorz)
            return CSize(bStretch ? 32767 : 80, 20);
        return CSize(30, bStretch ? 32767 : 60);
    }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override {
        ++m_nUpdates;
        m_pTarget = pTarget;
    }
    int m_nUpdates = 0;
    CFrameWnd* m_pTarget = nullptr;
};

CRect ChildRect(CWnd& wnd) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    ::MapWindowPoints(NULL, ::GetParent(wnd.m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

void IdleOnce(CFrameWnd* pFrame) {
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
}
} // namespace

TEST_F(DocViewTest, AQueryMeasuresTheBarsAndMovesNothing) {
    CStripBar top, left;
    ASSERT_TRUE(top.Create(m_pMain, WS_VISIBLE | CBRS_TOP, AFX_IDW_CONTROLBAR_FIRST + 20));
    top.MoveWindow(5, 300, 10, 10);
    CRect query(0, 0, 32767, 32767);
    m_pMain->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposQuery, &query, &query,
                            FALSE);
    // Without stretch the query answers the bar's own extent: a snapping frame sizes by it.
    EXPECT_EQ(CRect(0, 0, 80, 20), query);
    ASSERT_TRUE(left.Create(m_pMain, WS_VISIBLE | CBRS_LEFT, AFX_IDW_CONTROLBAR_FIRST + 21));
    left.MoveWindow(7, 310, 10, 10);
    m_pMain->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposQuery, &query);
    EXPECT_EQ(CRect(5, 300, 15, 310), ChildRect(top));
    EXPECT_EQ(CRect(7, 310, 17, 320), ChildRect(left));

    m_pMain->RecalcLayout();
    CRect client;
    m_pMain->GetClientRect(&client);
    EXPECT_EQ(CRect(0, 0, client.right, 20), ChildRect(top));
    EXPECT_EQ(CRect(0, 20, 30, client.bottom), ChildRect(left));
}

TEST_F(DocViewTest, DelayedShowsWaitForIdleTimeAndTheLastOneCounts) {
    CStripBar bar;
    ASSERT_TRUE(bar.Create(m_pMain, CBRS_TOP, AFX_IDW_CONTROLBAR_FIRST + 22));
    m_pMain->ShowControlBar(&bar, TRUE, TRUE);
    EXPECT_TRUE(bar.IsVisible());
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
    m_pMain->ShowControlBar(&bar, FALSE, TRUE);
    EXPECT_FALSE(bar.IsVisible());
    IdleOnce(m_pMain);
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);

    m_pMain->ShowControlBar(&bar, TRUE, TRUE);
    EXPECT_TRUE(m_pMain->m_nIdleFlags & CFrameWnd::idleLayout);
    IdleOnce(m_pMain);
    EXPECT_TRUE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(0u, m_pMain->m_nIdleFlags & (CFrameWnd::idleLayout | CFrameWnd::idleNotify));
    CRect client;
    m_pMain->GetClientRect(&client);
    EXPECT_EQ(CRect(0, 0, client.right, 20), ChildRect(bar)); // laid out by the same idle pass
}

TEST_F(DocViewTest, ALayoutDoesTheWaitingOneAndClearsIt) {
    m_pMain->DelayRecalcLayout(TRUE);
    EXPECT_EQ((UINT)(CFrameWnd::idleLayout | CFrameWnd::idleNotify), m_pMain->m_nIdleFlags);
    m_pMain->RecalcLayout(FALSE);
    EXPECT_EQ(0u, m_pMain->m_nIdleFlags);
}

TEST_F(DocViewTest, BarsAnswerToTheirOwnerAndUpdateThroughIt) {
    CStripBar bar;
    ASSERT_TRUE(bar.Create(m_pMain, WS_VISIBLE | CBRS_TOP, AFX_IDW_CONTROLBAR_FIRST + 23));
    EXPECT_EQ(m_pMain, bar.GetOwner()); // the parent, while no owner is set
    EXPECT_EQ(&bar, m_pMain->GetControlBar(AFX_IDW_CONTROLBAR_FIRST + 23));
    m_pMain->EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pMain->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    // Inside a dock bar the owner is still the frame, and the parent did not change by it.
    EXPECT_EQ(m_pMain->GetControlBar(AFX_IDW_DOCKBAR_LEFT)->m_hWnd, ::GetParent(bar.m_hWnd));
    EXPECT_EQ(m_pMain, bar.GetOwner());
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(1, bar.m_nUpdates);
    EXPECT_EQ(m_pMain, bar.m_pTarget);
}

TEST_F(DocViewTest, PromptsReachAStatusBarInsideADockBar) {
    CStripBar status;
    ASSERT_TRUE(status.Create(m_pMain, WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
    m_pMain->EnableDocking(CBRS_ALIGN_BOTTOM);
    status.EnableDocking(CBRS_ALIGN_BOTTOM);
    m_pMain->DockControlBar(&status, AFX_IDW_DOCKBAR_BOTTOM);
    ASSERT_NE(m_pMain->m_hWnd, ::GetParent(status.m_hWnd));
    m_pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_VIEW, MF_STRING), 0);
    CString text;
    status.GetWindowText(text);
    EXPECT_STREQ(L"Runs the view's command", text.GetString());
}

TEST_F(DocViewTest, AFloatingFrameSnapsToItsBarAndGetsItsOwnIdleUpdate) {
    CStripBar bar;
    ASSERT_TRUE(bar.Create(m_pMain, WS_VISIBLE | CBRS_TOP, AFX_IDW_CONTROLBAR_FIRST + 24));
    m_pMain->EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pMain->FloatControlBar(&bar, CPoint(40, 50));
    ASSERT_TRUE(bar.IsFloating());
    CWnd* pMini = bar.GetParentFrame();
    ASSERT_NE(nullptr, pMini);
    ASSERT_NE(m_pMain, pMini);
    CRect client;
    pMini->GetClientRect(&client);
    EXPECT_EQ(CSize(80, 20), client.Size());

    // The main frame is hidden here; the floating frame is shown, and idle time reaches it.
    pMini->ShowWindow(SW_SHOWNA);
    static_cast<CFrameWnd*>(pMini)->DelayRecalcLayout();
    TestApp().OnIdle(0);
    EXPECT_GE(bar.m_nUpdates, 1);
    EXPECT_EQ(m_pMain, bar.m_pTarget);
    EXPECT_EQ(0u, static_cast<CFrameWnd*>(pMini)->m_nIdleFlags);
    pMini->ShowWindow(SW_HIDE);
    bar.DestroyWindow(); // the empty floating frame goes with its last bar
    PumpPending();
    EXPECT_EQ(nullptr, m_pMain->GetControlBar(AFX_IDW_DOCKBAR_FLOAT));
}

TEST(BarInfo, TheEmptySideDockBarAndSectionsWithoutAnIdAreDeclined) {
    struct Case {
        BOOL bDockBar, bVisible, bFloating;
        CPoint pos;
        int nIDs;
        BOOL bDeclined;
    };
    const Case cases[] = {
        {TRUE, TRUE, FALSE, CPoint(-1, -1), 1, TRUE},   // an empty side
        {TRUE, TRUE, FALSE, CPoint(-1, -1), 3, FALSE},  // a side holding a bar
        {TRUE, FALSE, FALSE, CPoint(-1, -1), 1, FALSE}, // hidden
        {TRUE, TRUE, TRUE, CPoint(-1, -1), 1, FALSE},   // floating
        {TRUE, TRUE, FALSE, CPoint(0, 0), 1, FALSE},    // placed
        {FALSE, TRUE, FALSE, CPoint(-1, -1), 0, FALSE}, // a bar
    };
    for (const Case& c : cases) {
        CControlBarInfo info;
        info.m_bDockBar = c.bDockBar;
        info.m_bVisible = c.bVisible;
        info.m_bFloating = c.bFloating;
        info.m_pointPos = c.pos;
        for (int i = 0; i < c.nIDs; ++i)
            info.m_arrBarID.Add(i == 1 ? 0xE800 : 0);
        EXPECT_EQ(c.bDeclined, info.IsDeclined()) << c.bDockBar << c.bVisible << c.bFloating;
    }
}
