// What the owner hears, in order: expansion, selection, deletion, label edits; the keys and
// clicks that expand, collapse and move; the hover expansion; the style words.
#include "tree_fixture.h"

#include "list_fixture.h"

#include <tuple>

namespace {

using Codes = std::vector<UINT>;

class TreeNotify : public TreeCtrlFixture {
protected:
    HTREEITEM a = NULL, a1 = NULL, a2 = NULL, b = NULL;
    void SetUp() override {
        TreeCtrlFixture::SetUp();
        a = tree.InsertItem(L"a");
        a1 = tree.InsertItem(L"a1", a);
        a2 = tree.InsertItem(L"a2", a);
        b = tree.InsertItem(L"b");
        PumpPending();
        parent.Clear();
    }
    CPoint ButtonPoint(HTREEITEM h) {
        for (int x = 0; x < 60; ++x) {
            const int r = tree.FindItemIndex(h);
            CRect rc;
            tree.GetSubItemRect(r, 0, &rc, LVIR_BOUNDS);
            UINT flags = 0;
            CPoint pt(x, (rc.top + rc.bottom) / 2);
            if (tree.HitTest(pt, &flags) == h && (flags & TVHT_ONITEMBUTTON) == TVHT_ONITEMBUTTON)
                return pt;
        }
        ADD_FAILURE() << "no button";
        return CPoint(0, 0);
    }
    CPoint LabelPoint(HTREEITEM h) {
        CRect rc;
        tree.GetItemRect(h, &rc, TRUE);
        return CPoint(rc.left + 2, (rc.top + rc.bottom) / 2);
    }
};

TEST_F(TreeNotify, ExpandingAnItemThatClaimsChildrenAsksTheOwnerToFillIt) {
    TVITEMW item = {};
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = b;
    item.cChildren = 1;
    tree.SetItem(&item);
    // Without children inserted: only the first, and 0.
    EXPECT_FALSE(tree.Expand(b, TVE_EXPAND));
    EXPECT_EQ(Codes({TVN_ITEMEXPANDINGW}), parent.Codes());
    parent.Clear();
    parent.answer = [&](NMHDR* p) -> LRESULT {
        if (p->code == TVN_ITEMEXPANDINGW)
            tree.InsertItem(L"b1", b);
        return 0;
    };
    EXPECT_TRUE(tree.Expand(b, TVE_EXPAND));
    parent.answer = nullptr;
    EXPECT_EQ(Codes({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}), parent.Codes());
    EXPECT_EQ(TVIS_EXPANDED, parent.events.back().newState);
    EXPECT_EQ(1, tree.FindItemIndex(tree.GetChildItem(b)) - tree.FindItemIndex(b));
    // An expanded item: only the first.
    parent.Clear();
    EXPECT_TRUE(tree.Expand(b, TVE_EXPAND));
    EXPECT_EQ(Codes({TVN_ITEMEXPANDINGW}), parent.Codes());
}

// Expanding everything asks only items that can open (children, or a claimed count), and a
// tree where none can leaves the window as it is; the count of such items follows inserts,
// moves, claims and deletions.
TEST_F(TreeNotify, ExpandAllAsksOnlyItemsThatCanOpen) {
    auto claim = [&](HTREEITEM h, int n) {
        TVITEMW item = {};
        item.mask = TVIF_HANDLE | TVIF_CHILDREN;
        item.hItem = h;
        item.cChildren = n;
        tree.SetItem(&item);
    };
    auto expandAllLeavesNoUpdate = [&] {
        tree.UpdateWindow();
        parent.Clear();
        EXPECT_TRUE(tree.ExpandAll(TVI_ROOT, TRUE));
        EXPECT_EQ(Codes(), parent.Codes());
        EXPECT_FALSE(::GetUpdateRect(tree.m_hWnd, NULL, FALSE));
    };
    tree.DeleteItem(a1);
    tree.DeleteItem(a2);
    expandAllLeavesNoUpdate();
    claim(b, 1);
    parent.Clear();
    tree.ExpandAll(TVI_ROOT, TRUE);
    EXPECT_EQ(Codes({TVN_ITEMEXPANDINGW}), parent.Codes());
    EXPECT_EQ(b, parent.events[0].hNew);
    claim(b, 0);
    expandAllLeavesNoUpdate();
    const HTREEITEM a3 = tree.InsertItem(L"a3", a);
    parent.Clear();
    tree.ExpandAll(TVI_ROOT, TRUE);
    EXPECT_EQ(Codes({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}), parent.Codes());
    EXPECT_EQ(std::vector<HTREEITEM>({a, a3, b}), Rows());
    EXPECT_TRUE(tree.MoveItem(a3, TVI_ROOT));
    expandAllLeavesNoUpdate();
    EXPECT_TRUE(tree.MoveItem(b, a3));
    parent.Clear();
    tree.ExpandAll(TVI_ROOT, TRUE);
    EXPECT_EQ(Codes({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}), parent.Codes());
    EXPECT_EQ(std::vector<HTREEITEM>({a, a3, b}), Rows());
    tree.DeleteItem(a3); // with b below it
    expandAllLeavesNoUpdate();
    EXPECT_EQ(std::vector<HTREEITEM>({a}), Rows());
}

TEST_F(TreeNotify, ToggleReportsTheCodeItResolvedTo) {
    tree.Expand(a, TVE_TOGGLE);
    tree.Expand(a, TVE_TOGGLE);
    std::vector<UINT> actions;
    for (const TreeEvent& e : parent.events)
        if (e.code == TVN_ITEMEXPANDINGW || e.code == TVN_ITEMEXPANDEDW)
            actions.push_back(e.action);
    EXPECT_EQ(std::vector<UINT>({TVE_EXPAND, TVE_EXPAND, TVE_COLLAPSE, TVE_COLLAPSE}), actions);
}

TEST_F(TreeNotify, CollapsingOverTheCaretMovesItToTheItemAsAMouseSelection) {
    tree.Expand(a, TVE_EXPAND);
    tree.SelectItem(a2);
    parent.Clear();
    tree.Expand(a, TVE_COLLAPSE);
    EXPECT_EQ(Codes({TVN_ITEMEXPANDINGW, TVN_SELCHANGINGW, TVN_SELCHANGEDW, LVN_DELETEITEM,
                     TVN_ITEMEXPANDEDW}),
              parent.Codes());
    EXPECT_EQ((UINT)TVC_BYMOUSE, parent.events[1].action);
    EXPECT_EQ(a, tree.GetSelectedItem());
}

TEST_F(TreeNotify, DeletingEverythingReportsEachItemLeavesFirstWithoutListDeletions) {
    tree.Expand(a, TVE_EXPAND);
    parent.Clear();
    ASSERT_TRUE(tree.DeleteItem(TVI_ROOT));
    EXPECT_EQ(Codes({TVN_DELETEITEMW, TVN_DELETEITEMW, TVN_DELETEITEMW, TVN_DELETEITEMW}),
              parent.Codes());
    std::vector<HTREEITEM> order;
    for (const TreeEvent& e : parent.events)
        order.push_back(e.hOld);
    EXPECT_EQ(std::vector<HTREEITEM>({a1, a2, a, b}), order);
    EXPECT_EQ(0, tree.GetItemCount());
    EXPECT_NE(nullptr, tree.InsertItem(L"again"));
}

TEST_F(TreeNotify, SelectionActionsSayWhoMovedIt) {
    // The program: two pairs with no cause in a single-selection tree.
    tree.SelectItem(b);
    EXPECT_EQ(Codes({TVN_SELCHANGINGW, TVN_SELCHANGEDW, TVN_SELCHANGINGW, TVN_SELCHANGEDW}),
              parent.Codes());
    for (const TreeEvent& e : parent.events)
        EXPECT_EQ(0u, e.action);
    // A key.
    tree.SetFocus();
    parent.Clear();
    tree.SendMessage(WM_KEYDOWN, VK_UP, 1);
    ASSERT_FALSE(parent.Codes().empty());
    EXPECT_EQ((UINT)TVN_SELCHANGINGW, parent.Codes()[0]);
    for (const TreeEvent& e : parent.events) {
        if (e.code == TVN_SELCHANGINGW) {
            EXPECT_EQ((UINT)TVC_BYKEYBOARD, e.action);
        }
    }
    // A click.
    parent.Clear();
    const CPoint pt = LabelPoint(b);
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    bool bSeen = false;
    for (const TreeEvent& e : parent.events)
        if (e.code == TVN_SELCHANGINGW) {
            EXPECT_EQ((UINT)TVC_BYMOUSE, e.action);
            bSeen = true;
        }
    EXPECT_TRUE(bSeen);
    EXPECT_EQ(b, tree.GetSelectedItem());
}

TEST_F(TreeNotify, AClickThatCollapsesAMultipleSelectionIsASelectionChangeTheOwnerMayRefuse) {
    tree.ModifyTreeExStyle(0, TVXS_MULTISEL, FALSE);
    tree.Expand(a, TVE_EXPAND);
    tree.SetFocus();
    auto click = [&](HTREEITEM h, UINT nFlags) {
        const CPoint pt = LabelPoint(h);
        tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nFlags, MAKELPARAM(pt.x, pt.y));
        tree.SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(pt.x, pt.y));
    };
    auto selected = [&] {
        std::vector<HTREEITEM> out;
        for (HTREEITEM h = tree.GetFirstSelectedItem(); h != NULL; h = tree.GetNextSelectedItem(h))
            out.push_back(h);
        return out;
    };
    for (bool bRefuse : {false, true}) {
        SCOPED_TRACE(bRefuse ? "refused" : "allowed");
        parent.answer = nullptr;
        click(a1, 0);
        click(b, MK_SHIFT);
        ASSERT_EQ(std::vector<HTREEITEM>({a1, a2, b}), selected());
        parent.Clear();
        if (bRefuse)
            parent.answer = [](NMHDR* p) -> LRESULT { return p->code == TVN_SELCHANGINGW ? 1 : 0; };
        click(a2, 0);
        std::vector<TreeEvent> changes;
        for (const TreeEvent& e : parent.events)
            if (e.code == TVN_SELCHANGINGW || e.code == TVN_SELCHANGEDW)
                changes.push_back(e);
        ASSERT_EQ(bRefuse ? 1u : 2u, changes.size());
        for (const TreeEvent& e : changes) {
            EXPECT_EQ((UINT)TVC_BYMOUSE, e.action);
            EXPECT_EQ(b, e.hOld);
            EXPECT_EQ(a2, e.hNew);
        }
        EXPECT_EQ(bRefuse ? std::vector<HTREEITEM>({a1, a2, b}) : std::vector<HTREEITEM>({a2}),
                  selected());
        EXPECT_EQ(bRefuse ? b : a2, tree.GetSelectedItem());
    }
}

// The expansions of a move, as the owner hears them: (code, action, item).
std::vector<std::tuple<UINT, UINT, HTREEITEM>> Expansions(const std::vector<TreeEvent>& events) {
    std::vector<std::tuple<UINT, UINT, HTREEITEM>> out;
    for (const TreeEvent& e : events)
        if (e.code == TVN_ITEMEXPANDINGW || e.code == TVN_ITEMEXPANDEDW)
            out.emplace_back(e.code, e.action, e.hNew);
    return out;
}

TEST_F(TreeNotify, MovingAnItemClosesAndReopensItAndTheBranchesItLeavesAndJoins) {
    const HTREEITEM c = tree.InsertItem(L"c", a1);
    const HTREEITEM b1 = tree.InsertItem(L"b1", b);
    for (HTREEITEM h : {a, a1, b})
        tree.Expand(h, TVE_EXPAND);
    tree.SelectItem(b);
    ASSERT_EQ(std::vector<HTREEITEM>({a, a1, c, a2, b, b1}), Rows());
    parent.Clear();
    ASSERT_TRUE(tree.MoveItem(a1, b, FALSE, TVI_LAST));
    const UINT ing = TVN_ITEMEXPANDINGW, ed = TVN_ITEMEXPANDEDW;
    const UINT col = TVE_COLLAPSE, exp = TVE_EXPAND;
    EXPECT_EQ(
        (std::vector<std::tuple<UINT, UINT, HTREEITEM>>{{ing, col, a1},
                                                        {ed, col, a1}, // the item closes
                                                        {ing, col, a},
                                                        {ed, col, a},
                                                        {ing, exp, a},
                                                        {ed, exp, a}, // the branch it left
                                                        {ing, col, b},
                                                        {ed, col, b},
                                                        {ing, exp, b},
                                                        {ed, exp, b}, // the one it joined
                                                        {ing, exp, a1},
                                                        {ed, exp, a1}}), // the item opens again
        Expansions(parent.events));
    EXPECT_EQ(std::vector<HTREEITEM>({a, a2, b, b1, a1, c}), Rows());
    EXPECT_EQ(b, tree.GetSelectedItem());

    // The owner takes the place away while it hears of the item closing: the item stays where
    // it was, open as before, and the move fails.
    tree.MoveItem(a1, a, FALSE, TVI_FIRST);
    tree.SelectItem(b);
    ASSERT_EQ(std::vector<HTREEITEM>({a, a1, c, a2, b, b1}), Rows());
    bool bDeleted = false;
    parent.answer = [&](NMHDR* p) -> LRESULT {
        if (p->code == TVN_ITEMEXPANDINGW && !bDeleted) {
            bDeleted = true;
            tree.DeleteItem(b1);
        }
        return 0;
    };
    EXPECT_FALSE(tree.MoveItem(a1, b, FALSE, b1));
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(a, tree.GetParentItem(a1));
    EXPECT_TRUE(tree.IsItemExpanded(a1));
    EXPECT_EQ(std::vector<HTREEITEM>({a, a1, c, a2, b}), Rows());
    EXPECT_EQ(b, tree.GetSelectedItem());
}

TEST_F(TreeNotify, AButtonClickTogglesWithoutSelecting) {
    tree.SelectItem(b);
    const CPoint pt = ButtonPoint(a);
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(tree.IsItemExpanded(a));
    EXPECT_EQ(b, tree.GetSelectedItem());
    EXPECT_EQ(std::vector<HTREEITEM>({a, a1, a2, b}), Rows());
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(tree.IsItemExpanded(a));
    EXPECT_EQ(std::vector<HTREEITEM>({a, b}), Rows());
}

TEST_F(TreeNotify, ADoubleClickOnTheLabelToggles) {
    const CPoint pt = LabelPoint(a);
    tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(tree.IsItemExpanded(a));
    tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(tree.IsItemExpanded(a));
}

TEST_F(TreeNotify, SingleExpandCollapsesTheOldBranchAndOpensTheNew) {
    const HTREEITEM b1 = tree.InsertItem(L"b1", b);
    tree.ModifyTreeStyle(0, TVS_SINGLEEXPAND, FALSE);
    tree.SelectItem(a);
    tree.Expand(a, TVE_EXPAND);
    const CPoint pt = LabelPoint(b);
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(tree.IsItemExpanded(a));
    EXPECT_TRUE(tree.IsItemExpanded(b));
    EXPECT_EQ(std::vector<HTREEITEM>({a, b, b1}), Rows());
    // The selected item again: toggles.
    const CPoint pt2 = LabelPoint(b);
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt2.x, pt2.y));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt2.x, pt2.y));
    EXPECT_FALSE(tree.IsItemExpanded(b));
}

TEST_F(TreeNotify, KeysExpandCollapseAndMoveBetweenParentAndChild) {
    tree.SetFocus();
    tree.SelectItem(a);
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 1); // expands
    EXPECT_TRUE(tree.IsItemExpanded(a));
    tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 1); // to the first child
    EXPECT_EQ(a1, tree.GetSelectedItem());
    parent.Clear();
    tree.SendMessage(WM_KEYDOWN, VK_LEFT, 1); // to the parent, asked first, by keyboard
    EXPECT_EQ(a, tree.GetSelectedItem());
    ASSERT_FALSE(parent.Codes().empty());
    EXPECT_EQ((UINT)TVN_SELCHANGINGW, parent.Codes()[0]);
    EXPECT_EQ((UINT)TVC_BYKEYBOARD, parent.events[1].action);
    tree.SendMessage(WM_KEYDOWN, VK_BACK, 1); // collapses
    EXPECT_FALSE(tree.IsItemExpanded(a));
    // The owner refuses the move: the selection stays.
    tree.Expand(a, TVE_EXPAND);
    tree.SelectItem(a2);
    parent.answer = [](NMHDR* p) -> LRESULT { return p->code == TVN_SELCHANGINGW ? 1 : 0; };
    tree.SendMessage(WM_KEYDOWN, VK_LEFT, 1);
    parent.answer = nullptr;
    EXPECT_EQ(a2, tree.GetSelectedItem());
    EXPECT_TRUE(tree.IsItemSelected(tree.FindItemIndex(a2)));
    // * opens everything below.
    const HTREEITEM a21 = tree.InsertItem(L"a21", a2);
    tree.Expand(a, TVE_COLLAPSE);
    tree.SelectItem(a);
    tree.SendMessage(WM_KEYDOWN, VK_MULTIPLY, 1);
    EXPECT_TRUE(tree.IsItemExpanded(a2));
    EXPECT_GE(tree.FindItemIndex(a21), 0);
}

TEST_F(TreeNotify, PlusAndStarStartNoTypeAhead) {
    tree.SetFocus();
    for (wchar_t c : {L'+', L'*', L'-', L'=', L'_'}) {
        tree.SendMessage(WM_CHAR, c, 1);
        EXPECT_EQ(0u, tree.GetTypeAheadFlags() & 1) << (char)c;
    }
    tree.SendMessage(WM_CHAR, L'b', 1);
    EXPECT_EQ(b, tree.GetSelectedItem());
}

TEST_F(TreeNotify, TheDropHighlightExpandsAfterTheHoverDelayAndRestartsWhenItMoves) {
    tree.ModifyTreeExStyle(0, TVXS_HOVEREXPAND, FALSE);
    const HTREEITEM b1 = tree.InsertItem(L"b1", b);
    tree.SelectDropTarget(a, FALSE);
    const UINT_PTR nFirst = tree.GetHoverTimer();
    EXPECT_EQ(SECTREE_HOVER_TIMER, nFirst);
    EXPECT_NE(SECLIST_TYPEAHEAD_TIMER, nFirst);
    tree.SelectDropTarget(b, FALSE); // restarted for b
    EXPECT_EQ(SECTREE_HOVER_TIMER, tree.GetHoverTimer());
    tree.SendMessage(WM_TIMER, SECTREE_HOVER_TIMER, 0);
    EXPECT_FALSE(tree.IsItemExpanded(a));
    EXPECT_TRUE(tree.IsItemExpanded(b));
    EXPECT_GE(tree.FindItemIndex(b1), 0);
    EXPECT_EQ(0u, tree.GetHoverTimer());
}

TEST_F(TreeNotify, HitTestFlags) {
    tree.Expand(a, TVE_EXPAND);
    UINT flags = 0;
    EXPECT_EQ(a, tree.HitTest(LabelPoint(a), &flags));
    EXPECT_EQ((UINT)(TVHT_ONROW | TVHT_ONITEMLABEL), flags);
    EXPECT_EQ(a, tree.HitTest(ButtonPoint(a), &flags));
    EXPECT_EQ((UINT)(TVHT_ONROW | TVHT_ONITEMBUTTON), flags);
    CRect rc;
    tree.GetItemRect(a1, &rc, TRUE);
    EXPECT_EQ(a1, tree.HitTest(CPoint(rc.right + 20, rc.top + 2), &flags));
    EXPECT_EQ((UINT)(TVHT_ONROW | TVHT_ONITEMRIGHT), flags);
    EXPECT_EQ(a1, tree.HitTest(CPoint(2, rc.top + 2), &flags));
    EXPECT_EQ((UINT)(TVHT_ONROW | TVHT_ONITEMINDENT), flags);
    EXPECT_EQ(nullptr, tree.HitTest(CPoint(100, 280), &flags));
    EXPECT_TRUE(flags == TVHT_NOWHERE || flags == TVHT_BELOW) << flags;
}

TEST_F(TreeNotify, AnAcceptedEditIsAnnouncedAfterTheTreeNotifications) {
    tree.ModifyTreeStyle(0, TVS_EDITLABELS, FALSE);
    parent.answer = [](NMHDR* p) -> LRESULT { return p->code == TVN_ENDLABELEDITW ? 1 : 0; };
    ASSERT_TRUE(tree.EditLabel(b));
    SECListEdit* pEdit = tree.GetEditControl();
    ASSERT_NE(nullptr, pEdit);
    pEdit->SetWindowText(L"renamed");
    tree.EndLabelEdit(TRUE);
    parent.answer = nullptr;
    EXPECT_EQ(Codes({TVN_BEGINLABELEDITW, TVN_ENDLABELEDITW}), parent.Codes());
    ASSERT_EQ(1u, parent.endEdits.size());
    EXPECT_EQ((WPARAM)100, parent.endEdits[0].first);
    EXPECT_EQ((LPARAM)b, parent.endEdits[0].second);
    EXPECT_EQ(CString(L"renamed"), tree.GetItemText(b));
}

TEST_F(TreeNotify, NullReachesTheTreesGetNextItem) {
    EXPECT_EQ(a, tree.GetNextItem(NULL, TVGN_CHILD));
    EXPECT_EQ(a, tree.GetNextItem(TVI_ROOT, TVGN_ROOT));
    EXPECT_EQ(b, tree.GetNextItem(a, TVGN_NEXT));
    EXPECT_EQ(nullptr, tree.GetNextItem(a1, TVGN_PARENT) == a ? nullptr : a);
}

// Each tree style bit against the list's resulting words: none of the tree's bits left there.
TEST(TreeStyles, CreationSplitsTheTreeBitsFromTheListsWords) {
    TreeParent parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"p", WS_POPUP, 0, 0, 200, 200, NULL, NULL));
    struct Case {
        DWORD style, ex;
        DWORD wantTree, wantTreeEx;
        DWORD listHas, listLacks, listExHas, listExLacks;
    } cases[] = {
        {TVS_HASLINES, TVXS_COLUMNHEADER, TVS_HASLINES, TVXS_COLUMNHEADER, LVS_REPORT,
         LVS_NOCOLUMNHEADER, 0, 0},
        {TVS_EDITLABELS | TVS_SHOWSELALWAYS, 0, TVS_EDITLABELS | TVS_SHOWSELALWAYS, 0,
         LVS_EDITLABELS | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_NOLABELWRAP, 0, 0, 0},
        {TVS_HASBUTTONS, TVXS_MULTISEL | TVXS_WORDWRAP, TVS_HASBUTTONS,
         TVXS_MULTISEL | TVXS_WORDWRAP, LVS_REPORT, LVS_SINGLESEL | LVS_NOLABELWRAP, 0, 0},
        {0, TVXS_LABELTIPS, 0, TVXS_LABELTIPS, 0, 0, LVXS_LABELTIPS, 0},
        {0, TVXS_COLUMNHEADER | TVXS_SORTHEADER | TVXS_HEADERDRAG, 0,
         TVXS_COLUMNHEADER | TVXS_SORTHEADER | TVXS_HEADERDRAG, 0, LVS_NOSORTHEADER,
         LVXS_HEADERDRAG, 0},
        {0, TVXS_SORTHEADER, 0, TVXS_SORTHEADER, LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER, 0, 0,
         LVXS_HEADERDRAG},
    };
    for (const Case& c : cases) {
        SECTreeCtrl tree;
        // Only the bits 0x03F00000 travel in the creation words; the header bits are set after.
        ASSERT_TRUE(tree.CreateEx(WS_CHILD | c.style, c.ex & SECTREE_CREATE_EXSTYLE_MASK,
                                  CRect(0, 0, 100, 100), &parent, 7));
        if (c.ex & ~SECTREE_CREATE_EXSTYLE_MASK)
            tree.ModifyTreeExStyle(0, c.ex, FALSE);
        SCOPED_TRACE(c.style);
        EXPECT_EQ(c.wantTree, tree.GetTreeStyle());
        EXPECT_EQ(c.wantTreeEx, tree.GetTreeExStyle());
        EXPECT_EQ(c.listHas, tree.GetListStyle() & c.listHas);
        EXPECT_EQ(0u, tree.GetListStyle() & c.listLacks);
        EXPECT_EQ(c.listExHas, tree.GetListExStyle() & c.listExHas);
        EXPECT_EQ(0u, tree.GetListExStyle() & c.listExLacks);
        EXPECT_EQ(0u, (DWORD)::GetWindowLongW(tree.m_hWnd, GWL_STYLE) & 0x43F);
        EXPECT_EQ(0u, (DWORD)::GetWindowLongW(tree.m_hWnd, GWL_EXSTYLE) & 0x03F00000);
        EXPECT_EQ(1, tree.GetColumnCount()); // the tree column, made before the window
        tree.DestroyWindow();
    }
    parent.DestroyWindow();
}

TEST(TreeStyles, CreateFromDlgItemKeepsTheIdAndThePlaceInZOrder) {
    TreeParent parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"p", WS_POPUP, 0, 0, 300, 200, NULL, NULL));
    HWND hFirst = ::CreateWindowExW(0, L"STATIC", L"1", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                                    (HMENU)1, NULL, NULL);
    HWND hHolder = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | TVS_HASLINES, 20, 30, 150, 100,
                                     parent.m_hWnd, (HMENU)55, NULL, NULL);
    HWND hLast = ::CreateWindowExW(0, L"STATIC", L"3", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                                   (HMENU)3, NULL, NULL);
    (void)hHolder;
    SECTreeCtrl tree;
    ASSERT_TRUE(tree.CreateFromDlgItem(55, &parent));
    EXPECT_EQ(55, ::GetDlgCtrlID(tree.m_hWnd));
    EXPECT_EQ(hFirst, ::GetWindow(tree.m_hWnd, GW_HWNDPREV));
    EXPECT_EQ(hLast, ::GetWindow(tree.m_hWnd, GW_HWNDNEXT));
    EXPECT_EQ((DWORD)TVS_HASLINES, tree.GetTreeStyle() & TVS_HASLINES);
    EXPECT_TRUE(tree.GetTreeExStyle() & TVXS_LABELTIPS); // no TVS_NOTOOLTIPS on the holder
    CRect rc;
    tree.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    EXPECT_EQ(CRect(20, 30, 170, 130), rc);
    tree.DestroyWindow();
    parent.DestroyWindow();
}

} // namespace
