// Selection by keys and clicks, type-ahead, wheel, the divider drag and keys for the parent.
#include "list_fixture.h"

namespace {

struct KeyCase {
    const char* name;
    int caret;                              // start: FocusItem(caret, TRUE)
    std::vector<int> extra;                 // further rows selected at the start
    std::vector<std::pair<UINT, int>> keys; // vkey, 1 Shift, 2 Ctrl
    int endCaret, endAnchor;
    std::vector<int> endSelected;
};

TEST_F(ListFixture, KeysMoveTheCaretAnchorAndSelection) {
    const KeyCase cases[] = {
        {"down", 2, {}, {{VK_DOWN, 0}}, 3, 3, {3}},
        {"shift down twice", 2, {}, {{VK_DOWN, 1}, {VK_DOWN, 1}}, 4, 2, {2, 3, 4}},
        {"shift up from anchor", 5, {}, {{VK_UP, 1}, {VK_UP, 1}}, 3, 5, {3, 4, 5}},
        {"ctrl down moves caret only", 2, {}, {{VK_DOWN, 2}}, 3, 3, {2}},
        {"ctrl down then ctrl space", 2, {}, {{VK_DOWN, 2}, {VK_SPACE, 2}}, 3, 3, {2, 3}},
        {"plain up inside a selection collapses it", 5, {3, 4}, {{VK_UP, 0}}, 4, 4, {4}},
        {"space on the caret keeps the selection", 3, {4, 5}, {{VK_SPACE, 0}}, 3, 3, {3, 4, 5}},
        {"home on the caret row keeps the selection", 0, {1, 2}, {{VK_HOME, 0}}, 0, 0, {0, 1, 2}},
        {"space selects a caret row toggled off", 3, {}, {{VK_SPACE, 2}, {VK_SPACE, 0}}, 3, 3, {3}},
        {"up onto the one selected row moves the caret there",
         3,
         {},
         {{VK_DOWN, 2}, {VK_UP, 0}, {VK_UP, 0}},
         2,
         2,
         {2}},
        {"home", 5, {}, {{VK_HOME, 0}}, 0, 0, {0}},
        {"end", 1, {}, {{VK_END, 0}}, 19, 19, {19}},
        {"up at the top stays", 0, {}, {{VK_UP, 0}}, 0, 0, {0}},
    };
    Fill(20);
    list.SetFocus();
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        list.DeselectAllExcept(-1);
        list.FocusItem(c.caret, TRUE);
        for (int r : c.extra)
            list.SelectItem(r, TRUE);
        for (auto [vk, mod] : c.keys)
            PressKey(vk, mod == 1, mod == 2);
        EXPECT_EQ(c.endCaret, list.GetFocusIndex());
        EXPECT_EQ(c.endAnchor, list.GetAnchorIndex());
        EXPECT_EQ(c.endSelected, SelectedRows());
    }
}

TEST_F(ListFixture, ClicksKeepASelectionForDraggingAndCollapseItOnRelease) {
    Fill(10);
    list.SetFocus();
    list.FocusItem(2, TRUE);
    PressKey(VK_DOWN, true);
    PressKey(VK_DOWN, true);
    ASSERT_EQ((std::vector<int>{2, 3, 4}), SelectedRows());
    const CPoint pt = CellPoint(4, 0); // the caret row of the selection
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((std::vector<int>{2, 3, 4}), SelectedRows());
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((std::vector<int>{4}), SelectedRows());

    const CPoint pt7 = CellPoint(7, 0);
    Click(pt7.x, pt7.y, MK_CONTROL);
    EXPECT_EQ((std::vector<int>{4, 7}), SelectedRows());
    const CPoint pt6 = CellPoint(6, 0);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(pt6.x, pt6.y));
    EXPECT_EQ((std::vector<int>{6, 7}), SelectedRows());
    list.SendMessage(WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(pt6.x, pt6.y));
}

TEST_F(ListFixture, TypeAheadFindsPrefixesAndBeepsOnceOnAMiss) {
    list.SetRedrawFlag(FALSE);
    const wchar_t* names[] = {L"alpha", L"Beta", L"abacus", L"Abba", L"gamma"};
    for (int i = 0; i < 5; ++i)
        list.InsertItemText(i, names[i]);
    list.SetFocus();
    list.FocusItem(0, TRUE);
    list.SendMessage(WM_CHAR, L'a', 0);
    EXPECT_EQ(2, list.GetFocusIndex()); // the next row starting with "a"
    list.SendMessage(WM_CHAR, L'b', 0);
    EXPECT_EQ(2, list.GetFocusIndex()); // "ab": abacus itself
    list.SendMessage(WM_TIMER, SECLIST_TYPEAHEAD_TIMER, 0);
    list.SendMessage(WM_TIMER, SECLIST_TYPEAHEAD_TIMER, 0);
    EXPECT_EQ(0u, list.GetTypeAheadFlags());
    list.SendMessage(WM_CHAR, L'A', 0);
    EXPECT_EQ(3, list.GetFocusIndex()); // "Abba", any case
    list.SendMessage(WM_CHAR, L'z', 0);
    EXPECT_EQ(7u, list.GetTypeAheadFlags()); // failed: later keys are swallowed
    list.SendMessage(WM_CHAR, L'b', 0);
    EXPECT_EQ(3, list.GetFocusIndex());
    list.SendMessage(WM_TIMER, SECLIST_TYPEAHEAD_TIMER, 0);
    list.SendMessage(WM_TIMER, SECLIST_TYPEAHEAD_TIMER, 0);
    EXPECT_EQ(0u, list.GetTypeAheadFlags());
}

TEST_F(ListFixture, WheelDeltasAccumulateAndAWheelUpAtTheTopIsDropped) {
    Fill(60);
    ASSERT_EQ(0, list.GetTopIndex());
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(0, list.GetTopIndex()); // up at the top: dropped, not kept
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-60), 0);
    EXPECT_EQ(0, list.GetTopIndex());
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-60), 0);
    EXPECT_EQ(1, list.GetTopIndex()); // two halves make a line
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-240), 0);
    EXPECT_EQ(3, list.GetTopIndex());
}

TEST_F(ListFixture, DividerDragRunsItsOwnLoopAndEscapeRestores) {
    Fill(3);
    const int right = list.GetColumnRight(1);
    const int width = list.GetColumnWidth(1);
    // The loop reads what is queued: moves past the minimum, then the button-up.
    list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(right + 30, 5));
    list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(right + 30, 5));
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right, 5));
    EXPECT_EQ(width + 30, list.GetColumnWidth(1));

    const int left = list.GetColumnLeft(1), right2 = list.GetColumnRight(1);
    list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(left + 2, 5));
    list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(left + 2, 5));
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right2, 5));
    EXPECT_EQ(10, list.GetColumnWidth(1)); // never narrower than 10

    const int right3 = list.GetColumnRight(1);
    list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(right3 + 50, 5));
    list.PostMessage(WM_KEYDOWN, 'A', 0); // swallowed
    list.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right3, 5));
    EXPECT_EQ(10, list.GetColumnWidth(1));

    list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(right3 + 50, 5));
    ::PostQuitMessage(7);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right3, 5));
    EXPECT_EQ(10, list.GetColumnWidth(1));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam); // the pump still sees the quit
}

TEST_F(ListFixture, HeaderDragEndsInMoveColumn) {
    Fill(3);
    list.ModifyListExStyle(0, LVXS_HEADERDRAG, TRUE);
    const int x = list.GetColumnLeft(1) + 20;
    const int target = list.GetColumnLeft(3) + list.GetColumnWidth(3) - 10;
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 8));
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 5, 8));
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target, 8));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(target, 8));
    EXPECT_EQ(CString(L"Value"), list.GetColumnText(3));
    EXPECT_EQ(CString(L"Type"), list.GetColumnText(1));
}

TEST_F(ListFixture, TabAndEscapeArePostedToTheParent) {
    Fill(2);
    MSG msg;
    while (::PeekMessageW(&msg, parent.m_hWnd, 0, 0, PM_REMOVE)) {
    }
    PressKey(VK_TAB, true);
    ASSERT_TRUE(::PeekMessageW(&msg, parent.m_hWnd, WM_NEXTDLGCTL, WM_NEXTDLGCTL, PM_REMOVE));
    EXPECT_EQ(1u, msg.wParam);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(::PeekMessageW(&msg, parent.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ((WPARAM)IDCANCEL, msg.wParam);
}

// While a row is dragged, the drag-scroll timer scrolls a row at a time when the pointer rests
// on the first or the last whole row, clearing the drop highlight; elsewhere, without a drag,
// or once stopped, it does nothing.
TEST_F(ListFixture, DraggingToTheEdgesScrollsOnTheDragTimer) {
    Fill(60);
    list.SetFocus();
    list.SetTopIndex(5);
    const CPoint pt = CellPoint(7, 0);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 12, pt.y + 12));
    ASSERT_NE(0u, list.StartTimer(40));
    auto restOn = [&](int nRow) {
        CPoint at = CellPoint(nRow, 0);
        list.ClientToScreen(&at);
        ::SetCursorPos(at.x, at.y);
    };
    auto tick = [&] { list.SendMessage(WM_TIMER, SECLIST_DRAGSCROLL_TIMER, 0); };
    const int nLast = list.GetLastFullyVisibleIndex(NULL);
    restOn(nLast);
    list.SetDropHilite(nLast);
    tick();
    EXPECT_EQ(6, list.GetTopIndex());
    EXPECT_EQ(-1, list.GetDropHilite());
    restOn(list.GetTopIndex());
    tick();
    tick();
    EXPECT_EQ(4, list.GetTopIndex());
    restOn(list.GetTopIndex() + 3); // the middle: nothing
    tick();
    EXPECT_EQ(4, list.GetTopIndex());
    EXPECT_TRUE(list.StopTimer());
    EXPECT_FALSE(list.StopTimer());
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x + 12, pt.y + 12));
    // The drag is over: the timer message alone scrolls nothing.
    restOn(list.GetTopIndex());
    tick();
    EXPECT_EQ(4, list.GetTopIndex());
}

TEST_F(ListFixture, TinyWindowsStillPageByARow) {
    Fill(10);
    for (CSize size : {CSize(0, 0), CSize(1, 1)}) {
        list.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        list.FocusItem(3, TRUE);
        PressKey(VK_NEXT);
        EXPECT_EQ(4, list.GetFocusIndex());
    }
}

} // namespace
