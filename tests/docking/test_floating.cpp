// The floating frame: its borders by their MFS_* bits, its system menu, and resizing a floating
// sizable bar within the floating-size limits.
#include "docking_test_support.h"

TEST(MiniFrameHitTest, BordersActByTheFramesStyleBits) {
    struct Case {
        DWORD dwStyle;
        LRESULT nHit, nExpected;
    };
    const Case cases[] = {
        {MFS_MOVEFRAME, HTLEFT, HTCAPTION}, // borders move the frame
        {MFS_MOVEFRAME, HTBOTTOMRIGHT, HTCAPTION},
        {0, HTRIGHT, HTBORDER},               // no sizing style: a plain border
        {MFS_4THICKFRAME, HTTOPLEFT, HTLEFT}, // corners size like the side edges
        {MFS_4THICKFRAME, HTBOTTOMRIGHT, HTRIGHT},
        {MFS_4THICKFRAME, HTTOP, HTTOP},
        {WS_THICKFRAME | MFS_THICKFRAME, HTTOPLEFT, HTTOPLEFT},
        {MFS_MOVEFRAME, HTCLIENT, HTCLIENT}, // only borders change
        {MFS_MOVEFRAME, HTCAPTION, HTCAPTION},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nExpected, CMiniFrameWnd::AdjustHitTest(c.dwStyle, c.nHit))
            << std::hex << c.dwStyle << " " << std::dec << c.nHit;
}

namespace {
class FloatingTest : public DockingTest {
protected:
    void SetUp() override {
        DockingTest::SetUp();
        ASSERT_TRUE(m_bar.Make(m_pFrame, 0xE8E0, L"Floating"));
        m_bar.m_szFloat = CSize(160, 90);
        m_pFrame->FloatControlBar(&m_bar, CPoint(200, 200));
        PumpIdle();
        ASSERT_TRUE(m_bar.IsFloating());
        m_pMini = m_bar.GetParentFrame();
    }
    CRect MiniRect() {
        CRect rect;
        m_pMini->GetWindowRect(&rect);
        return rect;
    }
    CTestBar m_bar;
    CWnd* m_pMini = nullptr;
};
} // namespace

TEST_F(FloatingTest, TheFrameHidesInsteadOfClosingAndIsSizedByItsBar) {
    // A sizable bar's frame sizes from every edge; the system menu hides instead of closing.
    EXPECT_TRUE(m_pMini->GetStyle() & WS_THICKFRAME);
    wchar_t text[32] = L"";
    ::GetMenuStringW(::GetSystemMenu(m_pMini->m_hWnd, FALSE), SC_CLOSE, text, 32, MF_BYCOMMAND);
    EXPECT_STREQ(L"&Hide", text);
    EXPECT_EQ(0xFFFFFFFFu,
              ::GetMenuState(::GetSystemMenu(m_pMini->m_hWnd, FALSE), SC_SIZE, MF_BYCOMMAND));
    CRect client;
    m_pMini->GetClientRect(&client);
    EXPECT_EQ(CSize(160, 90), client.Size());
    CString caption;
    m_pMini->GetWindowText(caption);
    EXPECT_STREQ(L"Floating", caption.GetString());

    m_pMini->SendMessage(WM_CLOSE);
    EXPECT_FALSE(m_bar.IsVisible());
    EXPECT_FALSE(m_pMini->IsWindowVisible());
    EXPECT_TRUE(::IsWindow(m_pMini->m_hWnd));
}

TEST_F(FloatingTest, ResizingStaysInsideTheFloatingSizeLimits) {
    const CRect before = MiniRect();
    const CPoint edge(before.right - 1, before.CenterPoint().y);
    // Narrower than the smallest floating frame: the width stays as it was.
    PostMouse(m_bar.m_hWnd, WM_MOUSEMOVE, edge - CPoint(before.Width(), 0), MK_LBUTTON);
    PostMouse(m_bar.m_hWnd, WM_LBUTTONUP, edge - CPoint(before.Width(), 0));
    m_bar.m_pDockContext->StartResize(HTRIGHT, edge);
    PumpIdle();
    EXPECT_EQ(before.Width(), MiniRect().Width());
    EXPECT_EQ(160, m_bar.m_szFloat.cx);

    PostMouse(m_bar.m_hWnd, WM_MOUSEMOVE, edge + CPoint(30, 0), MK_LBUTTON);
    PostMouse(m_bar.m_hWnd, WM_LBUTTONUP, edge + CPoint(30, 0));
    m_bar.m_pDockContext->StartResize(HTRIGHT, edge);
    PumpIdle();
    EXPECT_EQ(190, m_bar.m_szFloat.cx); // committed, and the frame follows it
    EXPECT_EQ(before.Width() + 30, MiniRect().Width());
    EXPECT_EQ(before.TopLeft(), MiniRect().TopLeft());
    EXPECT_TRUE(m_bar.IsFloating());
}
