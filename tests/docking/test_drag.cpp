// Dragging bars between dock bars and floating frames, and splitters, by posted input.
#include "docking_test_support.h"

namespace {
const UINT ID_BAR = 0xE890, ID_OTHER = 0xE891;

CRect ScreenRect(CWnd* pWnd) {
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}

// The point on a floating frame's caption, in screen coordinates.
CPoint CaptionPoint(CWnd* pFrame) {
    const CRect rect = ScreenRect(pFrame);
    return CPoint(rect.CenterPoint().x, rect.top + ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2);
}

class DragTest : public DockingTest {
protected:
    void SetUp() override {
        DockingTest::SetUp();
        ASSERT_TRUE(m_bar.Make(m_pFrame, ID_BAR, L"Dragged"));
        m_bar.m_szHorzDock = CSize(200, 40);
        m_bar.m_szVertDock = CSize(60, 200);
        m_bar.m_szFloat = CSize(120, 50);
        m_pFrame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        PumpIdle();
    }
    void Float() {
        m_pFrame->FloatControlBar(&m_bar, CPoint(300, 260));
        PumpIdle();
    }
    CWnd* MiniFrame() { return m_bar.IsFloating() ? m_bar.GetParentFrame() : nullptr; }
    // The frame's left side, half way down, in screen coordinates.
    CPoint LeftSide() {
        CRect client;
        m_pFrame->GetClientRect(&client);
        CPoint pt(0, client.Height() / 2);
        m_pFrame->ClientToScreen(&pt);
        return pt;
    }
    CTestBar m_bar;
};
} // namespace

TEST_F(DragTest, AFloatingBarDraggedByItsCaptionDocksOnTheLeft) {
    Float();
    CWnd* pMini = MiniFrame();
    ASSERT_NE(nullptr, pMini);
    const CPoint start = CaptionPoint(pMini);
    PostMouse(pMini->m_hWnd, WM_NCLBUTTONDOWN, start, HTCAPTION);
    const CPoint target = LeftSide();
    for (int i = 1; i <= 4; ++i)
        PostMouse(
            m_bar.m_hWnd, WM_MOUSEMOVE,
            CPoint(start.x + (target.x - start.x) * i / 4, start.y + (target.y - start.y) * i / 4),
            MK_LBUTTON);
    PostMouse(m_bar.m_hWnd, WM_LBUTTONUP, target);
    PumpIdle();
    ASSERT_FALSE(m_bar.IsFloating());
    ASSERT_NE(nullptr, m_bar.m_pDockBar);
    EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, m_bar.m_pDockBar->GetDlgCtrlID());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, m_bar.m_pDockContext->m_uMRUDockID);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(CSize(60 + 8, 0).cx, ScreenRect(m_pFrame->DockBar(AFX_IDW_DOCKBAR_LEFT)).Width());
    // The emptied floating frame has gone.
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_FLOAT));
}

TEST_F(DragTest, AFloatingBarNudgedLessThanFivePixelsStaysWhereItWas) {
    Float();
    CWnd* pMini = MiniFrame();
    ASSERT_NE(nullptr, pMini);
    const CRect before = ScreenRect(pMini);
    const CPoint start = CaptionPoint(pMini);
    PostMouse(pMini->m_hWnd, WM_NCLBUTTONDOWN, start, HTCAPTION);
    PostMouse(m_bar.m_hWnd, WM_MOUSEMOVE, start + CPoint(2, 1), MK_LBUTTON);
    PostMouse(m_bar.m_hWnd, WM_LBUTTONUP, start + CPoint(2, 1));
    PumpIdle();
    EXPECT_TRUE(m_bar.IsFloating());
    EXPECT_EQ(pMini, MiniFrame());
    EXPECT_EQ(before, ScreenRect(pMini));
}

TEST_F(DragTest, CtrlFloatsEscapeAndTheRightButtonCancel) {
    const CRect docked = ScreenRect(&m_bar);
    const CPoint start = docked.CenterPoint();
    const CPoint over = LeftSide() + CPoint(0, 10);
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool bFloats;
    };
    const Case cases[] = {{"escape", WM_KEYDOWN, VK_ESCAPE, false},
                          {"right button", WM_RBUTTONDOWN, 0, false},
                          {"ctrl", WM_KEYDOWN, VK_CONTROL, true}};
    for (const Case& c : cases) {
        PostMouse(m_bar.m_hWnd, WM_LBUTTONDOWN, start);
        PostMouse(m_bar.m_hWnd, WM_MOUSEMOVE, start + CPoint(0, 80), MK_LBUTTON);
        if (c.message == WM_KEYDOWN)
            ::PostMessageW(m_bar.m_hWnd, c.message, c.wParam, 0);
        else
            PostMouse(m_bar.m_hWnd, c.message, over);
        PostMouse(m_bar.m_hWnd, WM_MOUSEMOVE, over, MK_LBUTTON);
        PostMouse(m_bar.m_hWnd, WM_LBUTTONUP, over);
        PumpIdle();
        EXPECT_EQ(c.bFloats, m_bar.IsFloating() != FALSE) << c.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
        if (!c.bFloats) {
            EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, m_bar.m_pDockBar->GetDlgCtrlID()) << c.name;
            EXPECT_EQ(docked, ScreenRect(&m_bar)) << c.name;
        }
    }
}

TEST_F(DragTest, AQuitDuringTheDragIsKeptAndCancelsIt) {
    const CPoint start = ScreenRect(&m_bar).CenterPoint();
    PostMouse(m_bar.m_hWnd, WM_MOUSEMOVE, LeftSide(), MK_LBUTTON);
    ::PostQuitMessage(7);
    m_bar.m_pDockContext->StartDrag(start);
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, m_bar.m_pDockBar->GetDlgCtrlID());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

TEST_F(DragTest, NoDragWhileAnotherWindowHoldsTheCapture) {
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5),
                               m_pFrame, 0xE8F0));
    other.SetCapture();
    PostMouse(m_bar.m_hWnd, WM_MOUSEMOVE, LeftSide(), MK_LBUTTON);
    PostMouse(m_bar.m_hWnd, WM_LBUTTONUP, LeftSide());
    m_bar.m_pDockContext->StartDrag(ScreenRect(&m_bar).CenterPoint());
    EXPECT_EQ(other.m_hWnd, ::GetCapture());
    ::ReleaseCapture();
    PumpMessages();
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, m_bar.m_pDockBar->GetDlgCtrlID());
    other.DestroyWindow();
}

TEST_F(DragTest, ASplitterStopsSixPixelsShortOfItsBoundAndEscapeRestoresIt) {
    CTestBar other;
    ASSERT_TRUE(other.Make(m_pFrame, ID_OTHER, L"Other"));
    other.m_szHorzDock = CSize(200, 40);
    SECDockBar* pDock = m_pFrame->DockBar(AFX_IDW_DOCKBAR_TOP);
    pDock->DockControlBarColumnRow(&other, 1, 0);
    PumpIdle();
    SECDockBar::Splitter* pSplitter = nullptr;
    for (const auto& s : pDock->m_splitters)
        if (s->m_nKind == 1)
            pSplitter = s.get();
    ASSERT_NE(nullptr, pSplitter);
    const CRect rectStart = pSplitter->m_rect;
    CPoint grab = rectStart.CenterPoint();
    pDock->ClientToScreen(&grab);

    PostMouse(pDock->m_hWnd, WM_MOUSEMOVE, grab + CPoint(60, 0), MK_LBUTTON);
    ::PostMessageW(pDock->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    CPoint inDock = rectStart.CenterPoint();
    EXPECT_EQ(0, pDock->TrackAndApplySplitter(pSplitter, inDock));
    EXPECT_EQ(rectStart, pSplitter->m_rect);

    PostMouse(pDock->m_hWnd, WM_MOUSEMOVE, grab + CPoint(2000, 0), MK_LBUTTON);
    PostMouse(pDock->m_hWnd, WM_LBUTTONUP, grab + CPoint(2000, 0));
    const int nMoved = pDock->TrackAndApplySplitter(pSplitter, inDock);
    // The bar after it keeps 24 pixels: the splitter's leading edge stops at 640 - 24 - 6.
    EXPECT_EQ(640 - 24 - 6 - rectStart.left, nMoved);
    PumpIdle();
    CRect rectOther;
    other.GetWindowRect(&rectOther);
    EXPECT_GE(rectOther.Width(), 18);

    // A quit posted during the drag cancels it and stays in the queue.
    PostMouse(pDock->m_hWnd, WM_MOUSEMOVE, grab, MK_LBUTTON);
    ::PostQuitMessage(3);
    pSplitter = pDock->m_splitters.empty() ? nullptr : pDock->m_splitters.front().get();
    ASSERT_NE(nullptr, pSplitter);
    EXPECT_EQ(0, pDock->TrackAndApplySplitter(pSplitter, pSplitter->m_rect.CenterPoint()));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST_F(DragTest, AFloatingBarFillsItsFrameFromTheCorner) {
    Float();
    CWnd* pMini = MiniFrame();
    ASSERT_NE(nullptr, pMini);
    CRect client;
    pMini->GetClientRect(&client);
    pMini->ClientToScreen(&client);
    const CRect bar = ScreenRect(&m_bar);
    EXPECT_EQ(client.TopLeft(), ScreenRect(m_bar.GetParent()).TopLeft());
    CRect inside;
    EXPECT_TRUE(inside.IntersectRect(&client, &bar));
    EXPECT_EQ(bar, inside); // all of it shows
}
