// Screenshots of the toolbars for a person to look at: docked and floating custom bars with
// large, hot, checked and disabled buttons, and the classic bar docked and floating.
#include "toolbar_test_frame.h"

#include "tests/support/screenshot.h"
#include "toolbars/classic_toolbar.h"

namespace {
const UINT kIds[] = {40001, 40002, 0, 40003, 40004, 40005};

// A strip of coloured squares, one image per command.
HBITMAP MakeStrip(int cx, int cy, int nCount) {
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx * nCount, cy);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT all = {0, 0, cx * nCount, cy};
    ::FillRect(hDC, &all, (HBRUSH)::GetStockObject(LTGRAY_BRUSH));
    const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 200), RGB(200, 150, 0),
                                RGB(150, 0, 150)};
    for (int i = 0; i < nCount; ++i) {
        HBRUSH hBrush = ::CreateSolidBrush(colours[i % 5]);
        RECT r = {i * cx + 2, 2, i * cx + cx - 2, cy - 2};
        ::FillRect(hDC, &r, hBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

void Shoot(CWnd* pFrame, const wchar_t* name) {
    PumpToolBarMessages();
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpToolBarMessages();
    ::Sleep(100);
    CRect rect;
    pFrame->GetWindowRect(&rect);
    rect.right += 260; // the floating bars sit to the right
    rect.bottom += 40;
    EXPECT_TRUE(SaveScreenPng(rect, ScreenshotPath(name).c_str()));
}

CPoint FloatPoint(CWnd* pFrame) {
    CRect rect;
    pFrame->GetWindowRect(&rect);
    return CPoint(rect.right + 10, rect.top + 60);
}

// A floating bar lies inside the client area of its floating frame, where it can be seen.
void ExpectInsideItsFloatingFrame(CWnd* pBar) {
    const HWND hFrame = ::GetAncestor(pBar->m_hWnd, GA_ROOT);
    CRect client, bar;
    ::GetClientRect(hFrame, &client);
    ::MapWindowPoints(hFrame, NULL, reinterpret_cast<POINT*>(&client), 2);
    pBar->GetWindowRect(&bar);
    EXPECT_FALSE(bar.IsRectEmpty());
    EXPECT_EQ(client, client | bar) << "bar " << bar.top << ".." << bar.bottom << ", client "
                                    << client.top << ".." << client.bottom;
}

class ToolBarScreens : public ToolBarFrameTest {};
} // namespace

TEST_F(ToolBarScreens, CustomBarsDockedAndFloating) {
    SECToolBarManager& m = m_pFrame->Manager();
    const UINT images[] = {40001, 40002, 40003, 40004, 40005};
    HBITMAP hSmall = MakeStrip(16, 15, 5);
    HBITMAP hLarge = MakeStrip(32, 30, 5);
    m.GetBmpMgr()->SetLargeImageSize(32, 30);
    ASSERT_TRUE(m.AddToolBarBitmap(hSmall, hLarge, images, 5));
    m.SetCoolLook(TRUE);
    m.DefineDefaultToolBar(59392, L"Standard", 6, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP);
    m.DefineDefaultToolBar(59393, L"Floating", 6, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0,
                           FALSE);
    m.DefineDefaultToolBar(59394, L"Left", 6, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(m.CreateDefaultToolBars());
    m_pFrame->m_nDisabledID = 40004;
    SECCustomToolBar* pBar = m.FindToolBar(59392);
    pBar->SetButtonStyle(1, pBar->GetButtonStyle(1) | SEC_TBBS_CHECKBOX | SEC_TBBS_CHECKED);
    m_pFrame->FloatControlBar(m.FindToolBar(59393), FloatPoint(m_pFrame));
    PumpToolBarMessages();
    ExpectInsideItsFloatingFrame(m.FindToolBar(59393));
    // The cursor over the first button makes it hot.
    CRect rcFirst;
    pBar->GetButtonRect(0, rcFirst);
    pBar->ClientToScreen(&rcFirst);
    ::SetCursorPos(rcFirst.CenterPoint().x, rcFirst.CenterPoint().y);
    m_pFrame->SetActiveWindow();
    pBar->SendMessage(WM_TIMER, SEC_HOT_TIMER, 0);
    EXPECT_EQ(0, pBar->GetHotButton());
    Shoot(m_pFrame, L"toolbars-themed.png");
    m.SetLargeButtons(TRUE);
    m_pFrame->RecalcLayout();
    Shoot(m_pFrame, L"toolbars-themed-large.png");
    CRect rcLarge;
    pBar->GetButtonRect(0, rcLarge);
    EXPECT_EQ(CSize(39, 37), rcLarge.Size());
    ::SetCursorPos(0, 0);
    ::DeleteObject(hSmall);
    ::DeleteObject(hLarge);
}

TEST_F(ToolBarScreens, ClassicBarsDockedAndFloating) {
    const UINT ids[] = {40001, 40002, 0, 40003, 40004};
    SECToolBar* pBars[2] = {};
    for (int i = 0; i < 2; ++i) {
        pBars[i] = new SECToolBar;
        pBars[i]->m_bAutoDelete = TRUE;
        ASSERT_TRUE(
            pBars[i]->CreateEx(m_pFrame, TBSTYLE_FLAT, 0x50002834, CRect(1, 3, 1, 3), 59392 + i));
        ASSERT_TRUE(pBars[i]->SetButtons(ids, 5));
        ASSERT_TRUE(pBars[i]->SetBitmap(MakeStrip(16, 15, 4)));
        pBars[i]->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBars[i], AFX_IDW_DOCKBAR_TOP, nullptr);
    }
    m_pFrame->m_nDisabledID = 40003;
    pBars[0]->SetButtonStyle(1, pBars[0]->GetButtonStyle(1) | 0x10000 | TBSTYLE_CHECK);
    m_pFrame->FloatControlBar(pBars[1], FloatPoint(m_pFrame));
    Shoot(m_pFrame, L"toolbars-classic.png");
    EXPECT_TRUE(pBars[1]->IsFloating());
    ExpectInsideItsFloatingFrame(pBars[1]);
}
