// The MDI menu bar on an MDI frame: a maximised child brings its icon first and its caption
// glyphs last; the close glyph closes the child, and the buttons go with its maximised state.
#include <gtest/gtest.h>

#include "tests/support/screenshot.h"
#include "toolbar_test_frame.h"
#include "toolbars/menu_bar.h"

namespace {
class MDIMenuBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &::DefMDIChildProcW;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.hIcon = ::LoadIconW(NULL, IDI_INFORMATION);
        wc.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"MenuBarTestChild";
        ::RegisterClassW(&wc);
        m_pMain = new CMDIFrameWnd;
        ASSERT_TRUE(
            m_pMain->Create(NULL, L"MDI menu bar", WS_OVERLAPPEDWINDOW, CRect(60, 60, 560, 360)));
        m_hMenu = ::CreateMenu();
        for (const wchar_t* text : {L"&File", L"&Window"})
            ::AppendMenuW(m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), text);
        m_pBar = new SECMDIMenuBar;
        m_pBar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(m_pBar->CreateEx(0, m_pMain, WS_VISIBLE | CBRS_ALIGN_TOP, SEC_IDW_MENUBAR));
        ASSERT_TRUE(m_pBar->SetMenu(m_hMenu, 0));
        m_pMain->ShowWindow(SW_SHOW);
        m_hChild =
            ::CreateMDIWindowW(L"MenuBarTestChild", L"Child", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                               10, 200, 120, m_pMain->m_hWndMDIClient, ::GetModuleHandleW(NULL), 0);
        ASSERT_NE(nullptr, m_hChild);
        m_pMain->RecalcLayout();
        PumpToolBarMessages();
    }
    void TearDown() override {
        if (::IsWindow(m_pMain->m_hWnd))
            m_pMain->DestroyWindow();
        PumpToolBarMessages();
        ::DestroyMenu(m_hMenu);
    }
    void Relayout() {
        m_pBar->RefreshChildButtons();
        m_pMain->RecalcLayout();
        m_pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpToolBarMessages();
    }
    CMDIFrameWnd* m_pMain = nullptr;
    SECMDIMenuBar* m_pBar = nullptr;
    HMENU m_hMenu = NULL;
    HWND m_hChild = NULL;
};
} // namespace

TEST_F(MDIMenuBarTest, AMaximisedChildShowsItsIconAndCaptionGlyphs) {
    EXPECT_FALSE(m_pBar->RefreshChildButtons()) << "a child that is not maximised adds nothing";
    EXPECT_EQ(2, m_pBar->GetButtonCount());
    ::SendMessageW(m_pMain->m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hChild), 0);
    EXPECT_TRUE(m_pBar->RefreshChildButtons());
    EXPECT_FALSE(m_pBar->RefreshChildButtons()) << "nothing changed since";
    Relayout();
    ASSERT_EQ(4, m_pBar->GetButtonCount());
    SECCapMenuBtn* pIcon = m_pBar->GetIconButton();
    SECBtnCaption* pCaption = m_pBar->GetCaptionButton();
    ASSERT_NE(nullptr, pIcon);
    ASSERT_NE(nullptr, pCaption);
    EXPECT_EQ(m_hChild, pIcon->GetChild());
    EXPECT_EQ(pIcon, m_pBar->GetButton(0));
    // The glyphs: three of the same size, the close one 2 pixels apart, at the bar's far end.
    const CSize glyph = SECBtnCaption::GlyphSize();
    const CRect rcMin = pCaption->GlyphRect(SECBtnCaption::glyphMin);
    const CRect rcRestore = pCaption->GlyphRect(SECBtnCaption::glyphRestore);
    const CRect rcClose = pCaption->GlyphRect(SECBtnCaption::glyphClose);
    EXPECT_EQ(glyph, rcMin.Size());
    EXPECT_EQ(rcMin.right, rcRestore.left);
    EXPECT_EQ(rcRestore.right + 2, rcClose.left);
    CRect client;
    m_pBar->GetClientRect(&client);
    EXPECT_GT(rcClose.right, client.right - 8);
    EXPECT_GT(rcMin.left, m_pBar->GetButton(2)->GetRect().right + 100) << "apart, at the far end";
    // Looked at in a screenshot.
    CRect shot;
    m_pMain->GetWindowRect(&shot);
    EXPECT_TRUE(SaveScreenPng(shot, ScreenshotPath(L"menubar-mdi.png").c_str()));

    // A click on the close glyph closes the child; its buttons go with it.
    const CPoint at = rcClose.CenterPoint();
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    m_pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    PumpToolBarMessages();
    EXPECT_FALSE(::IsWindow(m_hChild));
    EXPECT_TRUE(m_pBar->RefreshChildButtons());
    EXPECT_EQ(2, m_pBar->GetButtonCount());
    EXPECT_EQ(nullptr, m_pBar->GetIconButton());
}

TEST_F(MDIMenuBarTest, APressOutsideTheGlyphOrReleasedElsewhereDoesNothing) {
    ::SendMessageW(m_pMain->m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hChild), 0);
    Relayout();
    SECBtnCaption* pCaption = m_pBar->GetCaptionButton();
    ASSERT_NE(nullptr, pCaption);
    const CPoint close = pCaption->GlyphRect(SECBtnCaption::glyphClose).CenterPoint();
    const CPoint restore = pCaption->GlyphRect(SECBtnCaption::glyphRestore).CenterPoint();
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(close.x, close.y));
    m_pBar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(restore.x, restore.y));
    m_pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(restore.x, restore.y));
    PumpToolBarMessages();
    EXPECT_TRUE(::IsWindow(m_hChild));
    EXPECT_TRUE(::IsZoomed(m_hChild));
    // The restore glyph restores it.
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(restore.x, restore.y));
    m_pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(restore.x, restore.y));
    PumpToolBarMessages();
    EXPECT_FALSE(::IsZoomed(m_hChild));
    EXPECT_TRUE(m_pBar->RefreshChildButtons());
    EXPECT_EQ(2, m_pBar->GetButtonCount());
}
