// A bar docked beside another: in the neighbour's row, right after it, on every side, with real
// toolbars in a docking MDI frame.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "docking/mdi_frame.h"
#include "shell/frame/dock_beside.h"
#include "toolbars/custom_toolbar.h"
#include "toolbars/toolbar_manager.h"

namespace {

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The frame owns its toolbar manager, as the main frame does: the manager goes with the frame
// object, after the bars.
class CBesideFrame : public SECMDIFrameWnd {
public:
    std::unique_ptr<SECToolBarManager> m_pManager;
};

class DockBeside : public ::testing::Test {
protected:
    void SetUp() override {
        m_pFrame = new CBesideFrame;
        ASSERT_TRUE(
            m_pFrame->Create(NULL, L"Beside", WS_OVERLAPPEDWINDOW, CRect(40, 40, 900, 700)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->m_pManager = std::make_unique<SECToolBarManager>(m_pFrame);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        Pump();
    }
    void TearDown() override {
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow(); // the frame and its bars delete themselves
        Pump();
    }
    // A toolbar of three buttons docked at that dock bar, in a row of its own.
    SECCustomToolBar* Bar(UINT nID, UINT nDockBar) {
        static const UINT ids[] = {40001, 40002, 40003};
        auto* pBar = new SECCustomToolBar;
        EXPECT_TRUE(m_pFrame->m_pManager->CreateManagedBar(pBar, nID, L"Bar"));
        pBar->SetButtons(ids, 3);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, nDockBar, nullptr);
        m_pFrame->RecalcLayout();
        Pump();
        return pBar;
    }
    static CRect RectOf(CWnd* pWnd) {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect;
    }

    CBesideFrame* m_pFrame = nullptr;
};

TEST_F(DockBeside, TheBarJoinsTheNeighboursRowRightAfterIt) {
    for (UINT side : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                      AFX_IDW_DOCKBAR_RIGHT}) {
        SCOPED_TRACE(side);
        const bool horizontal = side == AFX_IDW_DOCKBAR_TOP || side == AFX_IDW_DOCKBAR_BOTTOM;
        const UINT first = 59392 + 10 * (side - AFX_IDW_DOCKBAR_TOP);
        SECCustomToolBar* pNeighbour = Bar(first, side);
        SECCustomToolBar* pLast = Bar(first + 1, side);               // a row of its own at first
        SECCustomToolBar* pBar = Bar(first + 2, AFX_IDW_DOCKBAR_TOP); // from elsewhere
        // Along the row: where a bar starts and ends, and the row it stands in.
        auto along = [&](CWnd* pWnd) {
            const CRect r = RectOf(pWnd);
            return horizontal ? std::vector<LONG>{r.left, r.right, r.top}
                              : std::vector<LONG>{r.top, r.bottom, r.left};
        };
        ASSERT_NE(along(pNeighbour)[2], along(pLast)[2]);
        DockControlBarLeftOf(m_pFrame, pLast, pNeighbour);
        m_pFrame->RecalcLayout();
        Pump();
        ASSERT_EQ(along(pNeighbour)[2], along(pLast)[2]);
        // Between the neighbour and the bar after it.
        DockControlBarLeftOf(m_pFrame, pBar, pNeighbour);
        m_pFrame->RecalcLayout();
        Pump();
        EXPECT_EQ(pNeighbour->GetParent(), pBar->GetParent());
        EXPECT_EQ(side, static_cast<UINT>(pBar->GetParent()->GetDlgCtrlID()));
        const std::vector<LONG> neighbour = along(pNeighbour), bar = along(pBar),
                                last = along(pLast);
        EXPECT_EQ(neighbour[2], bar[2]);
        EXPECT_EQ(neighbour[2], last[2]);
        EXPECT_LE(neighbour[1] - 2, bar[0]);
        EXPECT_LE(bar[1] - 2, last[0]);
        EXPECT_LT(bar[0], last[0]);
    }
}

TEST_F(DockBeside, MissingOrFloatingBarsChangeNothing) {
    SECCustomToolBar* pNeighbour = Bar(59392, AFX_IDW_DOCKBAR_TOP);
    SECCustomToolBar* pBar = Bar(59393, AFX_IDW_DOCKBAR_LEFT);
    CWnd* pDockBar = pBar->GetParent();
    DockControlBarLeftOf(m_pFrame, pBar, nullptr);
    DockControlBarLeftOf(m_pFrame, nullptr, pNeighbour);
    DockControlBarLeftOf(nullptr, pBar, pNeighbour);
    DockControlBarLeftOf(m_pFrame, pBar, pBar);
    m_pFrame->FloatControlBar(pNeighbour, CPoint(300, 300));
    Pump();
    DockControlBarLeftOf(m_pFrame, pBar, pNeighbour);
    EXPECT_EQ(pDockBar, pBar->GetParent());
}

} // namespace
