// The tip under the real mouse and keyboard: input goes through the system, the owner relays
// what reaches it, and the control's own timers run.
#include "tip_fixture.h"
#include "tests/support/screenshot.h"

namespace {

class TipHoverTest : public TipFixture {
protected:
    void SetUp() override {
        TipFixture::SetUp();
        holder.SetInitialDelay(50);
        owner.SetForegroundWindow();
        owner.SetFocus();
        PumpPending();
    }
    bool ShowsText(const wchar_t* text) {
        return PumpUntil([&] { return TipVisible() && Tip().GetCurrentText() == CString(text); },
                         3000);
    }
    bool Hides() {
        return PumpUntil([&] { return !TipVisible(); }, 3000);
    }
    // The middle of the two-state marker in the tip's client area, for either state.
    CPoint MarkerPoint(bool bExpanded) {
        CClientDC dc(&Tip());
        CFont* pOld = dc.SelectObject(CFont::FromHandle((HFONT)Tip().SendMessage(WM_GETFONT)));
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        CSize blanks = dc.GetTextExtent(L"  ", 2);
        dc.SelectObject(pOld);
        CRect rect;
        Tip().GetClientRect(&rect);
        rect.DeflateRect(2, 2, 3, 3);
        int h = tm.tmAveCharWidth / 2;
        int y = rect.top + (blanks.cy & ~1) / 2;
        int x = bExpanded ? rect.left + (blanks.cx - h) / 2 : rect.right - (blanks.cx - h) / 2;
        return CPoint(x, y);
    }
    COLORREF TipPixel(CPoint point) {
        Tip().UpdateWindow();
        CClientDC dc(&Tip());
        return ::GetPixel(dc.m_hDC, point.x, point.y);
    }
};

TEST_F(TipHoverTest, HoverShowsRearmsAndHides) {
    MouseTo(OwnerPoint(50, 30));
    ASSERT_TRUE(ShowsText(L"tip A"));
    CPoint cursor;
    ::GetCursorPos(&cursor);
    EXPECT_EQ(TipRect().TopLeft(), cursor + CSize(0, 20));
    EXPECT_EQ(owner.nPops, 0);

    MouseTo(OwnerPoint(300, 30));
    ASSERT_TRUE(ShowsText(L"tip B"));
    EXPECT_EQ(owner.nPops, 1);

    KeyPress('X');
    ASSERT_TRUE(Hides());
    EXPECT_EQ(owner.nPops, 2);

    // The dismissed tip forgot its tool: moving on the same tool shows it again.
    MouseTo(OwnerPoint(310, 40));
    ASSERT_TRUE(ShowsText(L"tip B"));
    // Off the owner no message reaches it: the poll notices.
    MouseTo(OwnerPoint(-60, -60));
    ASSERT_TRUE(Hides());
    EXPECT_EQ(owner.nPops, 3);
}

TEST_F(TipHoverTest, ClickOnTwoStateTipExpandsInPlace) {
    owner.texts[kToolA] = L"A\rB";
    HWND hFocus = ::GetFocus();
    ASSERT_EQ(hFocus, owner.m_hWnd);
    MouseTo(OwnerPoint(50, 30));
    ASSERT_TRUE(ShowsText(L"A  "));
    const CRect collapsed = TipRect();
    EXPECT_EQ(TipPixel(MarkerPoint(false)), RGB(0, 0, 0));
    WindowShots shots;
    shots.Add(Tip().m_hWnd);

    MouseClick(collapsed.CenterPoint());
    ASSERT_TRUE(ShowsText(L"  B"));
    EXPECT_EQ(TipRect().TopLeft(), collapsed.TopLeft());
    EXPECT_EQ(::GetFocus(), hFocus);
    EXPECT_EQ(TipPixel(MarkerPoint(true)), RGB(0, 0, 0));
    shots.Add(Tip().m_hWnd);
    EXPECT_TRUE(shots.Save(ScreenshotPath(L"tooltip.png")));

    MouseClick(TipRect().CenterPoint());
    ASSERT_TRUE(ShowsText(L"A  "));
    EXPECT_EQ(TipRect().TopLeft(), collapsed.TopLeft());
    EXPECT_EQ(::GetFocus(), hFocus);
    EXPECT_EQ(owner.nPops, 0);
}

TEST_F(TipHoverTest, NearTheScreenCornerStaysOnScreen) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    PlaceOwner(cx - 250, cy - 110);
    owner.texts[kToolA] = L"a rather long tip text near the corner";
    MouseTo(OwnerPoint(190, 95));
    ASSERT_TRUE(ShowsText(owner.texts[kToolA].c_str()));
    CRect tip = TipRect();
    CRect tool;
    toolA.GetWindowRect(&tool);
    EXPECT_EQ(tip.right, cx);
    EXPECT_GE(tip.left, 0);
    EXPECT_EQ(tip.bottom, tool.top);
    EXPECT_GE(tip.top, 0);
}

} // namespace
