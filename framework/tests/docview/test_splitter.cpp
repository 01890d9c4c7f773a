// Static and dynamic splitters: panes, sizes, tracking with the mouse, splitting and unsplitting.
#include "test_app.h"

namespace {
void Click(CWnd* pWnd, CPoint from, CPoint to) {
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    pWnd->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    pWnd->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

CRect RectIn(CWnd* pPane, CWnd* pParent) {
    CRect rect;
    pPane->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}

int ViewCount(CDocument* pDoc) {
    int n = 0;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL; ++n)
        pDoc->GetNextView(pos);
    return n;
}
} // namespace

TEST_F(DocViewTest, AStaticSplitterHoldsTwoViewsOfOneDocument) {
    CFrameWnd* pFrame = nullptr;
    CDocument* pDoc = OpenNew(TestApp().m_pNoteTemplate, &pFrame);
    ASSERT_NE(nullptr, pDoc);
    CSplitterWnd& splitter = static_cast<CStaticSplitFrame*>(pFrame)->m_wndSplitter;
    static_cast<CMDIChildWnd*>(pFrame)->MDIMaximize();
    EXPECT_EQ(1, splitter.GetRowCount());
    EXPECT_EQ(2, splitter.GetColumnCount());
    CWnd* pSide = splitter.GetPane(0, 0);
    CWnd* pMain = splitter.GetPane(0, 1);
    ASSERT_NE(nullptr, pSide);
    ASSERT_NE(nullptr, pMain);
    EXPECT_TRUE(pSide->IsKindOf(RUNTIME_CLASS(CSideView)));
    EXPECT_TRUE(pMain->IsKindOf(RUNTIME_CLASS(CNoteView)));
    EXPECT_EQ(splitter.IdFromRowCol(0, 1), pMain->GetDlgCtrlID());
    EXPECT_EQ(2, ViewCount(pDoc));
    // The template's view (the first pane with the pane id) is the active one.
    EXPECT_EQ(pSide, pFrame->GetActiveView());

    int cxCur = 0, cxMin = 0;
    splitter.GetColumnInfo(0, cxCur, cxMin);
    EXPECT_EQ(80, cxCur);
    EXPECT_EQ(80, RectIn(pSide, &splitter).Width());
    splitter.SetColumnInfo(0, 120, 10);
    splitter.RecalcLayout();
    EXPECT_EQ(120, RectIn(pSide, &splitter).Width());
    CRect right = RectIn(pMain, &splitter);
    EXPECT_EQ(120 + splitter.m_cxSplitterGap, right.left);

    // Dragging the bar 30 pixels to the left moves the boundary with it.
    CPoint bar(120 + splitter.m_cxSplitterGap / 2, 20);
    EXPECT_EQ(CSplitterWnd::hSplitterBar1, splitter.HitTest(bar));
    Click(&splitter, bar, CPoint(bar.x - 30, 20));
    splitter.GetColumnInfo(0, cxCur, cxMin);
    EXPECT_EQ(90, cxCur);
    EXPECT_EQ(90, RectIn(pSide, &splitter).Width());
    // A static splitter keeps its panes even when a bar is dragged to the edge.
    Click(&splitter, CPoint(90 + splitter.m_cxSplitterGap / 2, 20), CPoint(0, 20));
    EXPECT_EQ(2, splitter.GetColumnCount());
    EXPECT_EQ(pSide, splitter.GetPane(0, 0));
}

TEST_F(DocViewTest, ADynamicSplitterSplitsAndUnsplitsWithItsViews) {
    CFrameWnd* pFrame = nullptr;
    CDocument* pDoc = OpenNew(TestApp().m_pDynTemplate, &pFrame);
    ASSERT_NE(nullptr, pDoc);
    static_cast<CMDIChildWnd*>(pFrame)->MDIMaximize();
    CSplitterWnd& splitter = static_cast<CDynSplitFrame*>(pFrame)->m_wndSplitter;
    EXPECT_TRUE(splitter.GetStyle() & SPLS_DYNAMIC_SPLIT);
    EXPECT_EQ(1, splitter.GetRowCount());
    CWnd* pFirst = splitter.GetPane(0, 0);
    EXPECT_EQ(pFirst, pFrame->GetActiveView());

    ASSERT_TRUE(splitter.SplitRow(50));
    EXPECT_EQ(2, splitter.GetRowCount());
    auto* pSecond = DYNAMIC_DOWNCAST(CTextView, splitter.GetPane(1, 0));
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(pDoc, pSecond->GetDocument());
    EXPECT_EQ(1, pSecond->m_nInitialUpdates);
    EXPECT_EQ(2, ViewCount(pDoc));
    EXPECT_EQ(50, RectIn(pFirst, &splitter).Height());
    EXPECT_FALSE(splitter.SplitRow(40)); // at most two rows

    // Panes of one column share the horizontal bar; each row has its own vertical bar.
    EXPECT_NE(nullptr, pFirst->GetScrollBarCtrl(SB_HORZ));
    EXPECT_EQ(pFirst->GetScrollBarCtrl(SB_HORZ), pSecond->GetScrollBarCtrl(SB_HORZ));
    EXPECT_NE(pFirst->GetScrollBarCtrl(SB_VERT), pSecond->GetScrollBarCtrl(SB_VERT));
    // A shared bar's messages reach the pane of its row.
    HWND hBar = reinterpret_cast<CWnd*>(pSecond->GetScrollBarCtrl(SB_VERT))->m_hWnd;
    splitter.SendMessage(WM_VSCROLL, SB_LINEDOWN, (LPARAM)hBar);
    EXPECT_EQ(SB_LINEDOWN, pSecond->m_nLastVScroll);
    EXPECT_EQ(-1, static_cast<CTextView*>(pFirst)->m_nLastVScroll);

    // Unsplit: the active pane goes, the document keeps the other view.
    pFrame->SetActiveView(pSecond);
    splitter.DeleteRow(1);
    EXPECT_EQ(1, splitter.GetRowCount());
    EXPECT_EQ(1, ViewCount(pDoc));
    EXPECT_EQ(pFirst, pFrame->GetActiveView());
    EXPECT_EQ(1, CTextDoc::s_nAlive);
}

// Rows and columns alike: the split box splits, Escape cancels a drag, and a bar dragged to
// the edge takes the pane before it away.
TEST_F(DocViewTest, TheMouseSplitsADynamicSplitterAndDraggingABarAwayUnsplits) {
    for (bool bRows : {true, false}) {
        CFrameWnd* pFrame = nullptr;
        CDocument* pDoc = OpenNew(TestApp().m_pDynTemplate, &pFrame);
        ASSERT_NE(nullptr, pDoc);
        static_cast<CMDIChildWnd*>(pFrame)->MDIMaximize();
        CSplitterWnd& splitter = static_cast<CDynSplitFrame*>(pFrame)->m_wndSplitter;
        auto count = [&] { return bRows ? splitter.GetRowCount() : splitter.GetColumnCount(); };
        auto at = [&](int along, int across) {
            return bRows ? CPoint(across, along) : CPoint(along, across);
        };
        CRect client;
        splitter.GetClientRect(&client);
        // The split boxes sit at the start of the scroll bars.
        CPoint box = bRows ? CPoint(client.right - ::GetSystemMetrics(SM_CXVSCROLL) / 2, 2)
                           : CPoint(2, client.bottom - ::GetSystemMetrics(SM_CYHSCROLL) / 2);
        ASSERT_EQ(bRows ? CSplitterWnd::vSplitterBox : CSplitterWnd::hSplitterBox,
                  splitter.HitTest(box));
        Click(&splitter, box, bRows ? CPoint(box.x, 70) : CPoint(70, box.y));
        ASSERT_EQ(2, count());
        EXPECT_EQ(2, ViewCount(pDoc));
        int nCur = 0, nMin = 0;
        if (bRows)
            splitter.GetRowInfo(0, nCur, nMin);
        else
            splitter.GetColumnInfo(0, nCur, nMin);
        EXPECT_EQ(68, nCur); // the tracker keeps the offset at which the box was taken

        CPoint bar = at(nCur + splitter.m_cySplitterGap / 2, 20);
        ASSERT_EQ(bRows ? CSplitterWnd::vSplitterBar1 : CSplitterWnd::hSplitterBar1,
                  splitter.HitTest(bar));
        splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.x, bar.y));
        CPoint edge = at(0, 20);
        splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge.x, edge.y));
        splitter.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(2, count());

        Click(&splitter, bar, edge);
        EXPECT_EQ(1, count());
        EXPECT_EQ(1, ViewCount(pDoc));
        EXPECT_NE(nullptr, splitter.GetPane(0, 0));
        pFrame->SendMessage(WM_CLOSE);
        PumpPending();
    }
}

TEST_F(DocViewTest, SplitterRefusesBadShapes) {
    CSplitterWnd splitter;
    EXPECT_FALSE(splitter.CreateStatic(m_pMain, 0, 2));
    EXPECT_FALSE(splitter.CreateStatic(m_pMain, 17, 1));
    CCreateContext context;
    EXPECT_FALSE(splitter.Create(m_pMain, 3, 1, CSize(10, 10), &context)); // at most 2 x 2
    EXPECT_FALSE(splitter.Create(m_pMain, 2, 2, CSize(10, 10), &context)); // no view class
    ASSERT_TRUE(splitter.CreateStatic(m_pMain, 1, 1, WS_CHILD, 0x1234));
    EXPECT_FALSE(splitter.CreateView(1, 0, RUNTIME_CLASS(CSideView), CSize(0, 0), nullptr));
    EXPECT_FALSE(splitter.SplitRow(10)); // a static splitter does not split
    EXPECT_EQ(nullptr, splitter.GetPane(0, 1));
    splitter.DestroyWindow();
}
