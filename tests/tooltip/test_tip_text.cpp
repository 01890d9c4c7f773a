// What the tip shows: owner answers (sound and unsound), two-state texts, per-tool defaults,
// the tool list under re-entry from the owner, and placement on the screen.
#include "tip_fixture.h"

#include <string>

namespace {

class TipTextTest : public TipFixture {
protected:
    // Arms the tool under client point (x, y) of the owner and lets the delay end.
    void ShowAt(CWnd& tool, int x, int y) {
        CPoint point = OwnerPoint(x, y);
        ::SetCursorPos(point.x, point.y);
        CPoint local = point;
        tool.ScreenToClient(&local);
        MSG msg{tool.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(local.x, local.y), 0, point};
        holder.RelayEvent(&msg);
        Tip().SendMessage(WM_TIMER, 1);
    }
    void ShowA() { ShowAt(toolA, 50, 30); }
    void ShowB() { ShowAt(toolB, 300, 30); }
};

const std::wstring kLong(10000, L'y');
wchar_t g_pointerText[] = L"pointer text";

TEST_F(TipTextTest, OwnerAnswersAreReadSafely) {
    const struct {
        const char* name;
        void (*answer)(NMTTDISPINFOW&);
        std::wstring expected;
    } kRows[] = {
        {"buffer", [](NMTTDISPINFOW& di) { ::wcscpy(di.szText, L"buffer text"); }, L"buffer text"},
        {"text pointer", [](NMTTDISPINFOW& di) { di.lpszText = g_pointerText; }, L"pointer text"},
        {"string id with instance",
         [](NMTTDISPINFOW& di) {
             di.hinst = ::GetModuleHandleW(NULL);
             di.lpszText = MAKEINTRESOURCEW(700);
         },
         L"resource tip"},
        {"missing string id",
         [](NMTTDISPINFOW& di) {
             di.hinst = ::GetModuleHandleW(NULL);
             di.lpszText = MAKEINTRESOURCEW(799);
         },
         L""},
        {"no answer", [](NMTTDISPINFOW&) {}, L""},
        {"text -1", [](NMTTDISPINFOW& di) { di.lpszText = LPSTR_TEXTCALLBACKW; }, L""},
        {"string id without instance",
         [](NMTTDISPINFOW& di) { di.lpszText = MAKEINTRESOURCEW(700); }, L""},
        {"instance with a text pointer",
         [](NMTTDISPINFOW& di) {
             di.hinst = ::GetModuleHandleW(NULL);
             di.lpszText = g_pointerText;
         },
         L"pointer text"},
        {"unterminated buffer", [](NMTTDISPINFOW& di) { ::wmemset(di.szText, L'x', 80); },
         std::wstring(79, L'x')},
        {"overlong text pointer",
         [](NMTTDISPINFOW& di) { di.lpszText = const_cast<LPWSTR>(kLong.c_str()); },
         std::wstring(COXToolTipCtrl::kMaxPointerText, L'y')},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.name);
        owner.answer = [&row](NMTTDISPINFOW& di, UINT) { row.answer(di); };
        CString text(L"stale");
        Tip().GetText(text, &toolA, kToolA);
        EXPECT_EQ(std::wstring(text.GetString()), row.expected);
        ShowA();
        // An empty text shows no tip.
        EXPECT_EQ(TipVisible(), !row.expected.empty());
        Tip().SendMessage(WM_TIMER, 2); // the cursor is still on the tool: no change
        MSG key{owner.m_hWnd, WM_KEYDOWN, 0, 0, 0, {0, 0}};
        holder.RelayEvent(&key);
    }
}

TEST_F(TipTextTest, RequestNamesTheToolAndTheState) {
    owner.texts[kToolA] = L"A\rB";
    ShowA();
    ASSERT_TRUE(TipVisible());
    EXPECT_EQ(owner.nLastIdFrom, (UINT_PTR)kChildIdA);
    const struct {
        const wchar_t* text;
        UINT flags; // bit 0: expanded before or after; 0x2: asked while collapsed
    } kClicks[] = {{L"A  ", 0x2}, {L"  B", 0x1}, {L"A  ", 0x3}, {L"  B", 0x1}};
    CPoint topLeft = TipRect().TopLeft();
    for (const auto& click : kClicks) {
        SCOPED_TRACE(click.flags);
        if (click.flags != 0x2)
            Tip().SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
        EXPECT_STREQ(Tip().GetCurrentText().GetString(), click.text);
        EXPECT_EQ(owner.nLastFlags, click.flags);
        EXPECT_EQ(TipRect().TopLeft(), topLeft);
        EXPECT_TRUE(TipVisible());
    }
}

TEST_F(TipTextTest, StoredTextsFromResourcesAndRecords) {
    CWnd* pNull = nullptr;
    EXPECT_FALSE(holder.AddTool(pNull, L"x"));
    ASSERT_TRUE(holder.AddTool(&toolB, 701u, NULL, 9));
    CString text;
    Tip().GetText(text, &toolB, 9);
    EXPECT_STREQ(text.GetString(), L"first  ");

    COXToolTipRecord record{};
    ASSERT_TRUE(Tip().GetToolInfo(record, &toolB, kToolB));
    EXPECT_EQ(record.hwnd, toolB.m_hWnd);
    EXPECT_EQ(CRect(record.rect), CRect(200, 0, 400, 100)); // owner client coordinates
    EXPECT_STREQ(record.lpszText, L"tip B");
    ASSERT_TRUE(Tip().GetToolInfo(record, &toolA, kToolA));
    EXPECT_EQ(record.lpszText, LPSTR_TEXTCALLBACK);

    // A record turns a callback tool into a stored one and back.
    record.lpszText = const_cast<LPTSTR>(L"now stored");
    record.lParam = 77;
    Tip().SetToolInfo(&record);
    Tip().GetText(text, &toolA, kToolA);
    EXPECT_STREQ(text.GetString(), L"now stored");
    record.lpszText = LPSTR_TEXTCALLBACK;
    Tip().SetToolInfo(&record);
    COXToolTipRecord back{};
    ASSERT_TRUE(Tip().GetToolInfo(back, &toolA, kToolA));
    EXPECT_EQ(back.lpszText, LPSTR_TEXTCALLBACK);
    EXPECT_EQ(back.lParam, 77);
    EXPECT_FALSE(Tip().GetToolInfo(back, &toolA, 42));
}

TEST_F(TipTextTest, DefaultsReachOnlyToolsThatStillFollowThem) {
    COXToolTipRecord record{};
    ASSERT_TRUE(Tip().GetToolInfo(record, &toolB, kToolB));
    record.clrBackColor = RGB(0, 255, 0);
    record.clrTextColor = RGB(0, 0, 255);
    record.nWidth = 33;
    Tip().SetToolInfo(&record);

    EXPECT_EQ(Tip().SetTipBkColor(RGB(255, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(Tip().SetTipTextColor(RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(Tip().SetMaxTipWidth(120), 0);
    ASSERT_TRUE(Tip().GetToolInfo(record, &toolA, kToolA));
    EXPECT_EQ(record.clrBackColor, RGB(255, 0, 0));
    EXPECT_EQ(record.clrTextColor, RGB(1, 2, 3));
    EXPECT_EQ(record.nWidth, 120);
    ASSERT_TRUE(Tip().GetToolInfo(record, &toolB, kToolB));
    EXPECT_EQ(record.clrBackColor, RGB(0, 255, 0));
    EXPECT_EQ(record.clrTextColor, RGB(0, 0, 255));
    EXPECT_EQ(record.nWidth, 33);

    holder.SetDelayTime(TTDT_AUTOPOP, 700);
    holder.SetDelayTime(TTDT_RESHOW, 900);
    EXPECT_EQ(Tip().GetDelayTime(TTDT_AUTOPOP), 700);
    EXPECT_EQ(Tip().GetDelayTime(TTDT_RESHOW), 0);
}

// The owner deletes and adds its tools again whenever a tip pops (as the source view does);
// the control must not go on with a tool it no longer holds.
TEST_F(TipTextTest, OwnerReplacingToolsOnPop) {
    owner.onPop = [this] {
        holder.DelTool(&toolA, kToolA);
        holder.DelTool(&toolB, kToolB);
        holder.AddTool(&toolA, LPSTR_TEXTCALLBACK, NULL, kToolA);
        holder.AddTool(&toolB, L"tip B again", NULL, kToolB);
    };
    ShowA();
    ASSERT_TRUE(TipVisible());
    ShowB(); // arming B hides A's tip first
    EXPECT_EQ(owner.nPops, 1);
    EXPECT_TRUE(TipVisible());
    EXPECT_STREQ(Tip().GetCurrentText().GetString(), L"tip B again");
    holder.DelTool(&toolB, kToolB); // the current tool: hidden first
    EXPECT_EQ(owner.nPops, 2);
    EXPECT_FALSE(TipVisible());
}

TEST_F(TipTextTest, ToolWindowDestroyedUnderItsTip) {
    ShowA();
    ASSERT_TRUE(TipVisible());
    // Move the cursor onto the tip itself: only the lost tool can hide it now.
    CPoint inTip = TipRect().CenterPoint();
    ::SetCursorPos(inTip.x, inTip.y);
    toolA.DestroyWindow();
    Tip().SendMessage(WM_TIMER, 2);
    EXPECT_FALSE(TipVisible());
    EXPECT_EQ(owner.nPops, 1);
}

TEST_F(TipTextTest, PlacementStaysOnScreen) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    PlaceOwner(100, cy - 150);
    CRect rectTool;
    toolA.GetWindowRect(&rectTool);
    const CRect text(0, 0, 80, 30);
    const struct {
        const char* name;
        CPoint point;
        CRect expected;
    } kRows[] = {
        {"room enough", {300, 200}, {300, 200, 380, 230}},
        {"past the right edge", {cx - 20, 200}, {cx - 80, 200, cx, 230}},
        {"past the bottom: above the tool",
         {300, cy - 10},
         {300, rectTool.top - 30, 380, rectTool.top}},
        {"past both", {cx - 5, cy - 5}, {cx - 80, rectTool.top - 30, cx, rectTool.top}},
    };
    COXToolTipInfo info;
    info.hWnd = toolA.m_hWnd;
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.name);
        CRect rect;
        Tip().CalcTipRect(&rect, row.point, &info, text);
        EXPECT_EQ(rect, row.expected);
    }
    // Wider than the screen: the left edge wins.
    CRect rect;
    Tip().CalcTipRect(&rect, CPoint(50, 10), &info, CRect(0, 0, cx + 100, 30));
    EXPECT_EQ(rect.left, 0);
}

TEST_F(TipTextTest, TextRectangleHoldsTheWidestLineAndTheMargins) {
    CRect margin;
    Tip().GetMargin(&margin);
    EXPECT_EQ(margin, CRect(2, 2, 3, 3));
    CWindowDC dc(nullptr);
    CFont* pOld = dc.SelectObject(CFont::FromHandle((HFONT)Tip().SendMessage(WM_GETFONT)));
    CSize wide = dc.GetTextExtent(CString(L"a longer line"));
    CSize line = dc.GetTextExtent(CString(L"x"));
    CSize pair = dc.GetTextExtent(CString(L"ab ab"));
    dc.SelectObject(pOld);
    CRect rect;
    Tip().CalcTextRect(&rect, L"short\na longer line", 0);
    EXPECT_EQ(rect.Width(), wide.cx + 5);
    EXPECT_EQ(rect.Height(), 2 * line.cy + 5);
    // A given width is where lines wrap.
    Tip().CalcTextRect(&rect, L"ab ab ab ab ab ab", pair.cx);
    EXPECT_LE(rect.Width(), pair.cx + 5);
    EXPECT_GE(rect.Height(), 3 * line.cy + 5);
}

} // namespace
