// The editor window's routing with real windows: the controller before the window's own map,
// and a mouse message outside the viewport offered to the controller once.
#include "tests/support/editorwin_support.h"

#include <gtest/gtest.h>

namespace {

using namespace ewtest;

class CountingController : public SECEditController {
public:
    int clicks = 0, keys = 0;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { ++clicks; }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { ++keys; }
    DECLARE_MESSAGE_MAP()
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-local-typedefs"
BEGIN_MESSAGE_MAP(CountingController, SECEditController)
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()
#pragma GCC diagnostic pop

class CountingCtrl : public SECEditCtrl {
public:
    CountingController* counting = nullptr;
    BOOL UsesController() override {
        counting = new CountingController;
        SetController(counting, TRUE);
        return TRUE;
    }
};

TEST(EditorRouting, TheControllerComesFirstAndAMouseMessageIsOfferedOnce) {
    auto* control = new CountingCtrl;
    Host host(300, 200, control);
    host.Load(kFixture);
    ASSERT_NE(control->counting, nullptr);
    const HWND w = control->m_hWnd;
    ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(control->counting->clicks, 1) << "inside the viewport";
    control->SetBounds(CRect(0, 0, 50, 50));
    ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    EXPECT_EQ(control->counting->clicks, 2) << "outside: the second offer, once";
    ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    EXPECT_EQ(control->counting->clicks, 3);

    // Escape handled by the controller never reaches the control's own handler, which would
    // post it to the parent.
    ::SendMessageW(w, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(control->counting->keys, 1);
    MSG posted;
    EXPECT_FALSE(::PeekMessageW(&posted, host.Frame().m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
}

TEST(EditorRouting, DragScrollAsksSidewaysWithoutThePage) {
    Host host(300, 120);
    host.Load(std::wstring(400, L'x').c_str());
    const HWND w = host.Ctrl().m_hWnd;
    ::SendMessageW(w, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 400), 0);
    const CPoint last = host.Ctrl().GetLogOrigin();
    ASSERT_GT(last.x, 0);
    // On the last page the sideways test still says it can go on; the step moves nothing.
    EXPECT_TRUE(host.Ctrl().OnScroll(MAKEWORD(1, 0xFF), 0, FALSE));
    EXPECT_TRUE(host.Ctrl().OnScroll(MAKEWORD(1, 0xFF), 0, TRUE));
    EXPECT_EQ(host.Ctrl().GetLogOrigin(), last);
    EXPECT_TRUE(host.Ctrl().OnScroll(MAKEWORD(0, 0xFF), 0, TRUE));
    EXPECT_LT(host.Ctrl().GetLogOrigin().x, last.x);
    EXPECT_FALSE(host.Ctrl().OnScroll(MAKEWORD(0xFF, 0), 0, FALSE)) << "at the top";
    EXPECT_FALSE(host.Ctrl().OnScroll(MAKEWORD(0xFF, 1), 0, FALSE)) << "one line fits";
}

} // namespace
