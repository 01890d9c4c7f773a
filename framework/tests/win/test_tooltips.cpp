// Tooltips: the tool under the mouse is added to the tooltip control as the pre-translation
// sees mouse messages, from the window's hit test (heap text) or the default (child controls).
#include "test_support.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {
constexpr UINT ID_BUTTON = 33;
constexpr UINT_PTR ID_LEFT = 7;

class CTipWnd : public CWnd {
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override {
        if (point.x < 50) {
            pTI->hwnd = m_hWnd;
            pTI->uId = ID_LEFT;
            ::SetRect(&pTI->rect, 0, 0, 50, 100);
            pTI->lpszText = _wcsdup(L"left half");
            return (INT_PTR)ID_LEFT;
        }
        return CWnd::OnToolHitTest(point, pTI);
    }
};

struct TipSearch {
    HWND hOwner;
    HWND hFound;
};

BOOL CALLBACK FindTip(HWND hWnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<TipSearch*>(lParam);
    wchar_t name[64] = L"";
    ::GetClassNameW(hWnd, name, 64);
    if (::lstrcmpiW(name, TOOLTIPS_CLASSW) != 0 || ::GetWindow(hWnd, GW_OWNER) != pSearch->hOwner)
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wnd.CreateEx(0, NULL, L"tips", WS_POPUP, 100, 100, 300, 200, NULL, NULL));
        wnd.ShowWindow(SW_SHOWNOACTIVATE);
        hButton = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 100, 0, 100, 50,
                                    wnd.m_hWnd, (HMENU)(UINT_PTR)ID_BUTTON, NULL, NULL);
        ASSERT_NE(hButton, (HWND)NULL);
    }
    void TearDown() override {
        CWnd::CancelToolTips();
        wnd.DestroyWindow();
    }
    // A mouse move at client point (x, y) of the test window, as the pump would see it.
    void MoveMouse(HWND hWnd, int x, int y) {
        POINT pt = {x, y};
        ::ClientToScreen(wnd.m_hWnd, &pt);
        POINT local = pt;
        ::ScreenToClient(hWnd, &local);
        MSG msg = {hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(local.x, local.y), ++time, pt};
        AfxGetApp()->PreTranslateMessage(&msg);
    }
    // Searched among this thread's windows only: walking the desktop with FindWindowEx stops
    // short whenever another program's tooltip goes away between two steps, as the list and tree
    // controls of test programs running alongside do all the time.
    HWND TipControl() {
        TipSearch search = {wnd.m_hWnd, NULL};
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindTip, (LPARAM)&search);
        return search.hFound;
    }
    int ToolCount() {
        HWND hTip = TipControl();
        return hTip ? (int)::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0) : 0;
    }
    bool FirstTool(TOOLINFOW& ti, wchar_t* text) {
        ti = TOOLINFOW{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.lpszText = text;
        return ::SendMessageW(TipControl(), TTM_ENUMTOOLSW, 0, (LPARAM)&ti) != 0;
    }
    CTipWnd wnd;
    HWND hButton = NULL;
    DWORD time = 1000;
};
} // namespace

TEST_F(ToolTipTest, WindowsWithoutTipsAddNoTools) {
    MoveMouse(wnd.m_hWnd, 10, 10);
    EXPECT_EQ(ToolCount(), 0);
}

TEST_F(ToolTipTest, TheToolUnderTheMouseIsTheOneShown) {
    wnd.EnableToolTips(TRUE);
    MoveMouse(wnd.m_hWnd, 10, 10);
    ASSERT_EQ(ToolCount(), 1);
    TOOLINFOW ti;
    wchar_t text[80] = L"";
    ASSERT_TRUE(FirstTool(ti, text));
    EXPECT_EQ(ti.uId, ID_LEFT);
    wchar_t shown[80] = L"";
    ti.lpszText = shown;
    ::SendMessageW(TipControl(), TTM_GETTEXTW, 80, (LPARAM)&ti);
    EXPECT_STREQ(shown, L"left half"); // copied before the heap text was freed

    MoveMouse(hButton, 120, 10);
    ASSERT_EQ(ToolCount(), 1);
    ASSERT_TRUE(FirstTool(ti, text));
    EXPECT_EQ(ti.uId, (UINT_PTR)hButton);
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);

    MoveMouse(wnd.m_hWnd, 250, 150); // nothing there
    EXPECT_EQ(ToolCount(), 0);
    MoveMouse(wnd.m_hWnd, 10, 10);
    EXPECT_EQ(ToolCount(), 1);
    wnd.EnableToolTips(FALSE);
    EXPECT_EQ(ToolCount(), 0);
}
