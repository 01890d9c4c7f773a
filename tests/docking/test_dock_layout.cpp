// The layout of docked bars in a real frame, measured after one idle pass.
#include "docking_test_support.h"

namespace {
const UINT ID_A = 0xE880, ID_B = 0xE881, ID_C = 0xE882, ID_D = 0xE883;

// Bars of known docked sizes: 200 x 40 lying, 60 x 200 standing.
void Shape(CTestBar& bar) {
    bar.m_szHorzDock = CSize(200, 40);
    bar.m_szVertDock = CSize(60, 200);
}

CRect InParent(CWnd& wnd) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    ::MapWindowPoints(NULL, ::GetParent(wnd.m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

bool HasSplitter(SECDockBar* pDock, int nKind, const CRect& rect) {
    for (const auto& s : pDock->m_splitters)
        if (s->m_nKind == nKind && s->m_rect == rect)
            return true;
    return false;
}
} // namespace

TEST_F(DockingTest, BarsDockOnEachSideAndTheDockBarsTakeTheirRowsAndFrames) {
    CTestBar bars[4];
    const UINT sides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                           AFX_IDW_DOCKBAR_RIGHT};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(bars[i].Make(m_pFrame, ID_A + i, L"bar"));
        Shape(bars[i]);
        m_pFrame->DockControlBar(&bars[i], sides[i]);
    }
    PumpIdle();
    // Each sizable row: a 2-pixel edge toward the frame's edge, a 6-pixel splitter toward the
    // client area.
    EXPECT_EQ(CRect(0, 0, 640, 48), InParent(*m_pFrame->DockBar(AFX_IDW_DOCKBAR_TOP)));
    EXPECT_EQ(CRect(0, 432, 640, 480), InParent(*m_pFrame->DockBar(AFX_IDW_DOCKBAR_BOTTOM)));
    EXPECT_EQ(CRect(0, 48, 68, 432), InParent(*m_pFrame->DockBar(AFX_IDW_DOCKBAR_LEFT)));
    EXPECT_EQ(CRect(572, 48, 640, 432), InParent(*m_pFrame->DockBar(AFX_IDW_DOCKBAR_RIGHT)));
    EXPECT_EQ(CRect(-2, 2, 640, 42), InParent(bars[0]));
    EXPECT_EQ(CRect(-2, 6, 640, 46), InParent(bars[1]));
    EXPECT_EQ(CRect(2, -2, 62, 384), InParent(bars[2]));
    EXPECT_EQ(CRect(6, -2, 66, 384), InParent(bars[3]));
    for (int i = 0; i < 4; ++i) {
        int nRow, nCol;
        UINT nID;
        EXPECT_TRUE(bars[i].GetDockPosition(nRow, nCol, nID));
        EXPECT_EQ(sides[i], nID);
        EXPECT_EQ(m_pFrame->DockBar(sides[i])->m_hWnd, ::GetParent(bars[i].m_hWnd));
    }
    EXPECT_TRUE(bars[2].GetBarStyle() & CBRS_ALIGN_LEFT);
    EXPECT_EQ((DWORD)CBRS_BORDER_ANY, bars[2].GetBarStyle() & CBRS_BORDER_ANY);
}

TEST_F(DockingTest, ARowIsSharedByItsBarsWithSplittersBetweenThem) {
    CTestBar a, b, c;
    CTestBar* bars[3] = {&a, &b, &c};
    const float shares[3] = {0.5f, 0.25f, 0.25f};
    SECDockBar* pDock = m_pFrame->DockBar(AFX_IDW_DOCKBAR_BOTTOM);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(bars[i]->Make(m_pFrame, ID_A + i, L"bar"));
        Shape(*bars[i]);
        pDock->DockControlBarColumnRow(bars[i], i, 0);
        bars[i]->m_fFloatProportion = shares[i];
    }
    PumpIdle();
    // The row less two splitters (row - 12) is shared 0.5 / 0.25 / 0.25; the last bar reaches
    // the end of the row.
    const int nShared = 640 - 12;
    EXPECT_EQ(CRect(-2, 6, -2 + nShared / 2, 46), InParent(a));
    EXPECT_EQ(CRect(a.RectInParent().right + 6, 6, a.RectInParent().right + 6 + nShared / 4, 46),
              InParent(b));
    EXPECT_EQ(CRect(b.RectInParent().right + 6, 6, 640, 46), InParent(c));
    EXPECT_TRUE(HasSplitter(pDock, 1, CRect(a.RectInParent().right, 6, b.RectInParent().left, 46)));
    EXPECT_TRUE(HasSplitter(pDock, 1, CRect(b.RectInParent().right, 6, c.RectInParent().left, 46)));
    EXPECT_TRUE(HasSplitter(pDock, 0, CRect(0, 0, 640, 6))); // toward the client
    ASSERT_EQ(1u, pDock->m_edges.size());
    EXPECT_EQ(CRect(0, 46, 640, 48), pDock->m_edges[0]->m_rect); // toward the frame's edge
    EXPECT_EQ(3u, pDock->m_splitters.size());

    // A hidden bar's length goes to its neighbours, and comes back when it is shown.
    const CRect rectA = InParent(a), rectC = InParent(c);
    m_pFrame->ShowControlBar(&b, FALSE, FALSE);
    PumpIdle();
    EXPECT_EQ(InParent(a).right + 6, InParent(c).left);
    EXPECT_EQ(640, InParent(c).right);
    EXPECT_GT(InParent(a).Width(), rectA.Width());
    m_pFrame->ShowControlBar(&b, TRUE, FALSE);
    PumpIdle();
    EXPECT_EQ(rectA, InParent(a));
    EXPECT_EQ(rectC, InParent(c));
}

TEST_F(DockingTest, BarsThatKeepTheirPlaceAreNotMoved) {
    CTestBar top1, top2, left;
    ASSERT_TRUE(top1.Make(m_pFrame, ID_A, L"one"));
    ASSERT_TRUE(top2.Make(m_pFrame, ID_B, L"two"));
    ASSERT_TRUE(left.Make(m_pFrame, ID_C, L"left"));
    Shape(top1);
    Shape(top2);
    Shape(left);
    m_pFrame->DockControlBar(&top1, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockBar(AFX_IDW_DOCKBAR_TOP)->DockControlBarColumnRow(&top2, 1, 0);
    m_pFrame->DockControlBar(&left, AFX_IDW_DOCKBAR_LEFT);
    PumpIdle();
    top1.m_nPosChanged = top2.m_nPosChanged = left.m_nPosChanged = 0;
    m_pFrame->RecalcLayout();
    EXPECT_EQ(0, top1.m_nPosChanged + top2.m_nPosChanged + left.m_nPosChanged);
    // A change on the left side leaves the top row where it is.
    left.m_szVertDock.cx = 90;
    m_pFrame->RecalcLayout();
    EXPECT_EQ(0, top1.m_nPosChanged + top2.m_nPosChanged);
    EXPECT_EQ(90, InParent(left).Width());
}

TEST_F(DockingTest, NewRowsAndRowsOfTheirOwnBreakTheArray) {
    CTestBar a, b, own, fresh;
    SECDockBar* pDock = m_pFrame->DockBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(a.Make(m_pFrame, ID_A, L"a"));
    ASSERT_TRUE(b.Make(m_pFrame, ID_B, L"b"));
    ASSERT_TRUE(own.Make(m_pFrame, ID_C, L"own", CBRS_EX_OWNROW));
    ASSERT_TRUE(fresh.Make(m_pFrame, ID_D, L"fresh"));
    for (CTestBar* p : {&a, &b, &own, &fresh})
        Shape(*p);
    pDock->DockControlBarColumnRow(&a, 0, 0);
    pDock->DockControlBarColumnRow(&b, 1, 0);
    // Column 1 of row 0 for a bar that takes a row of its own: the row breaks around it.
    const int nAt = pDock->FindBar(&b);
    own.SetParent(pDock);
    own.m_pDockBar = pDock;
    pDock->InsertBarAt(nAt, &own);
    pDock->DockControlBarAtPosition(&fresh, SECDockPos{0, 0, SECDockPos::newRow});
    PumpIdle();
    int nRow, nCol;
    ASSERT_TRUE(fresh.GetDockPosition(nRow, nCol));
    EXPECT_EQ(0, nRow);
    ASSERT_TRUE(a.GetDockPosition(nRow, nCol));
    EXPECT_EQ(1, nRow);
    ASSERT_TRUE(own.GetDockPosition(nRow, nCol));
    EXPECT_EQ(2, nRow);
    EXPECT_EQ(0, nCol);
    ASSERT_TRUE(b.GetDockPosition(nRow, nCol));
    EXPECT_EQ(3, nRow);
    // Rows stack down the dock bar: edge, row, splitter each.
    EXPECT_EQ(2, InParent(fresh).top);
    EXPECT_EQ(2 + 40 + 6 + 2, InParent(a).top);
    EXPECT_EQ(4 * 48, InParent(*pDock).Height());
}

TEST_F(DockingTest, ADockBarOfNoSizeAndACrowdedRowGiveNoNegativeLengths) {
    CTestBar bars[8];
    SECDockBar* pDock = m_pFrame->DockBar(AFX_IDW_DOCKBAR_TOP);
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(bars[i].Make(m_pFrame, ID_A + 0x10 + i, L"crowd"));
        Shape(bars[i]);
        pDock->DockControlBarColumnRow(&bars[i], i, 0);
    }
    const struct {
        CRect client;
    } cases[] = {{CRect(0, 0, 0, 0)}, {CRect(0, 0, 30, 200)}, {CRect(0, 0, 640, 480)}};
    for (const auto& c : cases) {
        m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposDefault, NULL,
                                 &c.client);
        for (CTestBar& bar : bars) {
            EXPECT_GE(bar.m_szHorzDock.cx, 0) << c.client.Width();
            EXPECT_GE(bar.m_fFloatProportion, 0.0f);
            EXPECT_LE(bar.m_fFloatProportion, 1.0f);
        }
    }
    // A hidden bar has no place to report, and says so with zeroes.
    m_pFrame->ShowControlBar(&bars[3], FALSE, FALSE);
    int nRow = 5, nCol = 5, nHeight = 5;
    UINT nID = 5;
    float fShare = 5.0f;
    EXPECT_FALSE(bars[3].GetDockPosition(nRow, nCol, nID, fShare, nHeight));
    EXPECT_EQ(0, nRow + nCol + nHeight + (int)nID);
    EXPECT_EQ(0.0f, fShare);
}

// A bar dropped between two rows goes into a new row there, not to the top of the dock bar; one
// dropped past every row goes into a new last row.
TEST_F(DockingTest, ABarDroppedBetweenRowsTakesANewRowThere) {
    SECDockBar* pDock = m_pFrame->DockBar(AFX_IDW_DOCKBAR_TOP);
    struct Case {
        int y; // in the dock bar
        int nDroppedRow, nSecondRow;
    } cases[] = {
        {2 + 40 + 3, 1, 2}, // on the splitter below the first row
        {300, 2, 1},        // below every row
        {1, 0, 2},          // above the first bar
    };
    UINT nID = ID_A + 0x40;
    for (const Case& c : cases) {
        CTestBar a, b, dropped;
        ASSERT_TRUE(a.Make(m_pFrame, nID++, L"a"));
        ASSERT_TRUE(b.Make(m_pFrame, nID++, L"b"));
        ASSERT_TRUE(dropped.Make(m_pFrame, nID++, L"dropped"));
        for (CTestBar* p : {&a, &b, &dropped})
            Shape(*p);
        pDock->DockControlBarColumnRow(&a, 0, 0);
        pDock->DockControlBarAtPosition(&b, SECDockPos{1, 0, SECDockPos::newRow});
        PumpIdle();
        ASSERT_EQ(2 + 40 + 6 + 2, InParent(b).top);
        dropped.SetParent(pDock);
        dropped.m_pDockBar = pDock;
        const CPoint pt(100, c.y);
        pDock->FindInsertIndexAtPoint(&dropped, CRect(pt - CSize(50, 20), CSize(100, 40)), pt);
        PumpIdle();
        int nRow, nCol;
        ASSERT_TRUE(dropped.GetDockPosition(nRow, nCol)) << c.y;
        EXPECT_EQ(c.nDroppedRow, nRow) << c.y;
        ASSERT_TRUE(b.GetDockPosition(nRow, nCol));
        EXPECT_EQ(c.nSecondRow, nRow) << c.y;
        for (CTestBar* p : {&a, &b, &dropped})
            p->DestroyWindow();
        PumpIdle();
    }
}
