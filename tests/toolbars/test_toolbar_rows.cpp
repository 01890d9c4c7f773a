// Toolbars in the rows of a dock bar: where a row's toolbars start and how they share their
// borders, and which rows repaint after one of them grows.
#include "toolbar_test_frame.h"

#include <algorithm>
#include <list>

namespace {
const UINT kA = 40001, kB = 40002, kC = 40003;

class ToolBarRowsTest : public ToolBarFrameTest {
protected:
    // A bar of the manager holding ids, docked on a side: in a new row, or at rect (screen).
    SECCustomToolBar* MakeBar(UINT nID, UINT nDockBar, const CRect* pRect = nullptr) {
        m_ids.push_back({kA, kB, kC});
        auto* pBar = new SECCustomToolBar;
        EXPECT_TRUE(m_pFrame->Manager().CreateManagedBar(pBar, nID, L"Bar"));
        pBar->SetButtons(m_ids.back().data(), static_cast<int>(m_ids.back().size()));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, nDockBar, pRect);
        m_pFrame->RecalcLayout();
        PumpToolBarMessages();
        return pBar;
    }
    SECDockBar* DockBar(UINT nID) { return static_cast<SECDockBar*>(m_pFrame->GetControlBar(nID)); }
    static CRect InDockBar(CWnd* pBar) {
        CRect rect;
        pBar->GetWindowRect(&rect);
        ::MapWindowPoints(NULL, ::GetParent(pBar->m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
        return rect;
    }
    std::list<std::vector<UINT>> m_ids;
};
} // namespace

TEST_F(ToolBarRowsTest, CoolToolBarsStartPastTheEdgeAndShareTheirBorders) {
    struct Case {
        BOOL bCool;
        int nStart, nOverlap;
    } cases[] = {{TRUE, -1, 2}, {FALSE, -2, 0}};
    UINT nID = 59392;
    for (const Case& c : cases) {
        m_pFrame->Manager().SetCoolLook(c.bCool);
        SECCustomToolBar* pFirst = MakeBar(nID++, AFX_IDW_DOCKBAR_TOP);
        CRect rect;
        pFirst->GetWindowRect(&rect);
        rect.OffsetRect(rect.Width() + 20, 0);
        SECCustomToolBar* pSecond = MakeBar(nID++, AFX_IDW_DOCKBAR_TOP, &rect);
        const CRect rcFirst = InDockBar(pFirst), rcSecond = InDockBar(pSecond);
        ASSERT_EQ(rcFirst.top, rcSecond.top) << "one row";
        EXPECT_EQ(c.nStart, rcFirst.left) << c.bCool;
        EXPECT_EQ(rcFirst.right - c.nOverlap, rcSecond.left) << c.bCool;
        pFirst->DestroyWindow();
        pSecond->DestroyWindow();
        PumpToolBarMessages();
    }
}

TEST_F(ToolBarRowsTest, ARowThatGrowsRepaintsTheRowsItMoves) {
    struct Case {
        UINT nDockBar;
        std::vector<bool> invalid; // of the three rows' bars, the middle one grown
    } cases[] = {
        {AFX_IDW_DOCKBAR_TOP, {false, true, true}},    // the rows below it move down
        {AFX_IDW_DOCKBAR_BOTTOM, {true, true, false}}, // the rows above it move up
    };
    UINT nID = 59392;
    for (const Case& c : cases) {
        SECCustomToolBar* pBars[3];
        for (SECCustomToolBar*& pBar : pBars)
            pBar = MakeBar(nID++, c.nDockBar);
        SECDockBar* pDock = DockBar(c.nDockBar);
        pDock->m_arrInvalidBars.RemoveAll();
        pBars[1]->GetButton(0)->m_cy = 40;
        pBars[1]->HideButton(0, FALSE); // its layout is due again
        m_pFrame->RecalcLayout();
        ASSERT_EQ(40 + InDockBar(pBars[0]).Height() - 22, InDockBar(pBars[1]).Height());
        std::vector<bool> invalid;
        for (SECCustomToolBar* pBar : pBars) {
            bool bFound = false;
            for (INT_PTR i = 0; i < pDock->m_arrInvalidBars.GetSize(); ++i)
                bFound = bFound || pDock->m_arrInvalidBars[i] == pBar;
            invalid.push_back(bFound);
        }
        EXPECT_EQ(c.invalid, invalid) << c.nDockBar;
        for (SECCustomToolBar* pBar : pBars)
            pBar->DestroyWindow();
        PumpToolBarMessages();
    }
}

TEST_F(ToolBarRowsTest, AToolBarLongerThanItsRowFoldsToItAndUnfoldsWithRoom) {
    struct Case {
        UINT nDockBar;
        CSize narrow; // the frame's client size that leaves the row shorter than the bar
    } cases[] = {
        {AFX_IDW_DOCKBAR_TOP, CSize(150, 400)},  // rows of buttons no wider than the frame
        {AFX_IDW_DOCKBAR_LEFT, CSize(640, 150)}, // columns no taller than the dock bar
    };
    std::vector<UINT> ids;
    for (UINT i = 0; i < 12; ++i)
        ids.push_back(40010 + i);
    UINT nID = 59392;
    for (const Case& c : cases) {
        auto* pBar = new SECCustomToolBar;
        ASSERT_TRUE(m_pFrame->Manager().CreateManagedBar(pBar, nID++, L"Long"));
        pBar->SetButtons(ids.data(), static_cast<int>(ids.size()));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, c.nDockBar, nullptr);
        m_pFrame->RecalcLayout();
        PumpToolBarMessages();
        const bool bHorz = c.nDockBar == AFX_IDW_DOCKBAR_TOP;
        auto along = [bHorz](const CRect& r) { return bHorz ? r.Width() : r.Height(); };
        auto across = [bHorz](const CRect& r) { return bHorz ? r.Height() : r.Width(); };
        const CRect wide = InDockBar(pBar);
        ASSERT_GT(along(wide), 200) << "one row of twelve buttons";
        auto resize = [&](CSize client) {
            CRect rect(0, 0, client.cx, client.cy);
            ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
            m_pFrame->SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(),
                                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            m_pFrame->RecalcLayout();
            PumpToolBarMessages();
        };
        resize(c.narrow);
        CRect dock;
        DockBar(c.nDockBar)->GetClientRect(&dock);
        const CRect folded = InDockBar(pBar);
        EXPECT_LE(along(folded), along(dock) + 2) << c.nDockBar;
        EXPECT_GE(across(folded), across(wide) + 16) << c.nDockBar << ": a row more";
        resize(CSize(640, 400));
        EXPECT_EQ(wide.Size(), InDockBar(pBar).Size()) << c.nDockBar;
        pBar->DestroyWindow();
        PumpToolBarMessages();
    }
}
