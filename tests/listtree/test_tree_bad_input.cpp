// Handles that are no items, refused places, owners that delete what the tree is working on,
// comparisons that misbehave, and a chain far deeper than any stack.
#include "tree_fixture.h"

#include "list_fixture.h"

#include <stdexcept>

namespace {

class TreeBadInput : public TreeCtrlFixture {
protected:
    HTREEITEM a = NULL, a1 = NULL, b = NULL;
    void SetUp() override {
        TreeCtrlFixture::SetUp();
        a = tree.InsertItem(L"a");
        a1 = tree.InsertItem(L"a1", a);
        b = tree.InsertItem(L"b");
    }
};

TEST_F(TreeBadInput, HandlesThatAreNoItemsChangeNothing) {
    const HTREEITEM hDead = tree.InsertItem(L"dead");
    tree.DeleteItem(hDead);
    int stray = 0;
    const HTREEITEM bad[] = {hDead, TVI_FIRST, TVI_LAST, TVI_SORT,
                             reinterpret_cast<HTREEITEM>(&stray)};
    for (HTREEITEM h : bad) {
        EXPECT_FALSE(tree.SetItemText(h, L"x"));
        EXPECT_EQ(CString(), tree.GetItemText(h));
        EXPECT_FALSE(tree.Expand(h, TVE_EXPAND));
        EXPECT_FALSE(tree.EnsureVisible(h));
        EXPECT_FALSE(tree.DeleteItem(h));
        EXPECT_FALSE(tree.SelectItem(h));
        EXPECT_EQ(-1, tree.FindItemIndex(h));
        EXPECT_EQ(nullptr, tree.InsertItem(L"child", h));
        EXPECT_FALSE(tree.MoveItem(a, h));
        EXPECT_EQ(0u, tree.GetItemData(h));
    }
    EXPECT_EQ(3, tree.GetItemCountInTree());
    EXPECT_EQ(std::vector<HTREEITEM>({a, b}), Rows());
}

TEST_F(TreeBadInput, RefusedPlacesLeaveTheTreeAsItWas) {
    // After an item that is not a child of the parent.
    EXPECT_EQ(nullptr, tree.InsertItem(L"x", a, b));
    EXPECT_EQ(3, tree.GetItemCountInTree());
    // Under itself or its descendant.
    EXPECT_FALSE(tree.MoveItem(a, a1));
    EXPECT_FALSE(tree.MoveItem(a, a));
    // After an item of another parent: nothing moves, nothing is lost.
    EXPECT_FALSE(tree.MoveItem(b, a, TRUE, b));
    EXPECT_EQ(a, tree.GetParentItem(a1));
    EXPECT_EQ(nullptr, tree.GetParentItem(b));
    EXPECT_EQ(std::vector<HTREEITEM>({a, b}), Rows());
}

TEST_F(TreeBadInput, OwnersDeletingTheItemInItsNotificationsEndTheCall) {
    const UINT codes[] = {TVN_ITEMEXPANDINGW, TVN_SELCHANGINGW};
    for (UINT code : codes) {
        const HTREEITEM h = tree.InsertItem(L"victim");
        tree.InsertItem(L"child", h);
        parent.answer = [&, code, h](NMHDR* p) -> LRESULT {
            if (p->code == code)
                tree.DeleteItem(h);
            return 0;
        };
        if (code == TVN_ITEMEXPANDINGW)
            EXPECT_FALSE(tree.Expand(h, TVE_EXPAND));
        else
            EXPECT_FALSE(tree.SelectItem(h));
        parent.answer = nullptr;
        EXPECT_EQ(-1, tree.FindItemIndex(h));
    }
    // The parent goes while the owner answers for a text during a paint.
    const HTREEITEM hParent = tree.InsertItem(L"parent");
    HTREEITEM hChild = tree.InsertItem(LPSTR_TEXTCALLBACKW, hParent);
    tree.Expand(hParent, TVE_EXPAND);
    parent.answer = [&](NMHDR* p) -> LRESULT {
        if (p->code == TVN_GETDISPINFOW)
            tree.DeleteItem(hParent);
        return 0;
    };
    Paint();
    parent.answer = nullptr;
    EXPECT_EQ(-1, tree.FindItemIndex(hChild));
    EXPECT_EQ(std::vector<HTREEITEM>({a, b}), Rows());
}

TEST_F(TreeBadInput, OwnersChangingTheTreeInsideDeleteNotifications) {
    const HTREEITEM c = tree.InsertItem(L"c");
    tree.InsertItem(L"c1", c);
    int nInserted = 0;
    parent.answer = [&](NMHDR* p) -> LRESULT {
        if (p->code != TVN_DELETEITEMW)
            return 0;
        const HTREEITEM h = reinterpret_cast<NMTREEVIEWW*>(p)->itemOld.hItem;
        tree.DeleteItem(h); // the same item again
        tree.DeleteItem(b); // another one
        if (nInserted++ == 0)
            tree.InsertItem(L"late", c); // a child of the dying parent
        return 0;
    };
    tree.DeleteItem(c);
    parent.answer = nullptr;
    EXPECT_EQ(-1, tree.FindItemIndex(c));
    EXPECT_EQ(2, tree.GetItemCountInTree()); // a and a1 remain
    EXPECT_EQ(std::vector<HTREEITEM>({a}), Rows());
}

TEST_F(TreeBadInput, OwnerDeletingTheEditedItemCancelsTheEdit) {
    tree.ModifyTreeStyle(0, TVS_EDITLABELS, FALSE);
    parent.answer = [&](NMHDR* p) -> LRESULT {
        if (p->code != TVN_ENDLABELEDITW)
            return 0;
        tree.DeleteItem(b);
        return 1;
    };
    ASSERT_TRUE(tree.EditLabel(b));
    tree.GetEditControl()->SetWindowText(L"new");
    tree.EndLabelEdit(TRUE);
    parent.answer = nullptr;
    EXPECT_TRUE(parent.endEdits.empty());
    EXPECT_EQ(-1, tree.FindItemIndex(b));
    // Deleted while editing: cancelled, no announcement.
    const HTREEITEM c = tree.InsertItem(L"c");
    ASSERT_TRUE(tree.EditLabel(c));
    parent.Clear();
    tree.DeleteItem(c);
    EXPECT_TRUE(parent.endEdits.empty());
    EXPECT_EQ(nullptr, tree.GetEditControl()->GetSafeHwnd() != NULL &&
                               tree.GetEditControl()->IsWindowVisible()
                           ? tree.GetEditControl()
                           : nullptr);
}

int CALLBACK RandomCompare(LPARAM, LPARAM, LPARAM) {
    return (int)(::GetTickCount() * 2654435761u >> 30) - 1;
}
int CALLBACK AlwaysOne(LPARAM, LPARAM, LPARAM) {
    return 1;
}
int CALLBACK Throws(LPARAM, LPARAM, LPARAM) {
    throw std::runtime_error("compare");
}
SECTreeCtrl* g_pSortTree = nullptr;
int CALLBACK Mutates(LPARAM, LPARAM, LPARAM lParam) {
    if (lParam == 1)
        g_pSortTree->InsertItem(L"new");
    else
        g_pSortTree->SortChildren(TVI_ROOT, FALSE, TRUE);
    return -1;
}

TEST_F(TreeBadInput, MisbehavingComparisonsKeepTheChildren) {
    for (int i = 0; i < 40; ++i)
        tree.InsertItem((L"n" + std::to_wstring(i)).c_str(), a);
    tree.Expand(a, TVE_EXPAND);
    PFNTVCOMPARE compares[] = {RandomCompare, AlwaysOne, Throws, Mutates, Mutates};
    g_pSortTree = &tree;
    for (int k = 0; k < 5; ++k) {
        std::vector<HTREEITEM> before;
        for (HTREEITEM h = tree.GetChildItem(a); h != NULL; h = tree.GetNextSiblingItem(h))
            before.push_back(h);
        TVSORTCB sort = {a, compares[k], k == 3 ? 1 : 2};
        if (k == 3) // inserts elsewhere while sorting this one
            sort.hParent = a;
        tree.SortChildrenCB(&sort, TRUE);
        std::vector<HTREEITEM> after;
        for (HTREEITEM h = tree.GetChildItem(a); h != NULL; h = tree.GetNextSiblingItem(h))
            after.push_back(h);
        std::vector<HTREEITEM> s1 = before, s2 = after;
        std::sort(s1.begin(), s1.end());
        std::sort(s2.begin(), s2.end());
        EXPECT_EQ(s1, s2) << k;
        if (k == 2) {
            EXPECT_EQ(before, after); // a throw keeps the old order
        }
        // The rows still follow the nodes.
        std::vector<HTREEITEM> rows{a};
        rows.insert(rows.end(), after.begin(), after.end());
        const std::vector<HTREEITEM> all = Rows();
        EXPECT_EQ(rows, std::vector<HTREEITEM>(all.begin(), all.begin() + rows.size())) << k;
    }
    g_pSortTree = nullptr;
}

TEST_F(TreeBadInput, TheRootIsNeverReported) {
    tree.Expand(a, TVE_COLLAPSE);
    parent.Clear();
    EXPECT_TRUE(tree.ExpandAll(TVI_ROOT));
    EXPECT_TRUE(tree.IsItemExpanded(a));
    for (const TreeEvent& e : parent.events)
        EXPECT_NE(nullptr, e.hNew);
    EXPECT_FALSE(tree.EnsureVisible(TVI_ROOT));
}

TEST_F(TreeBadInput, AChainFarDeeperThanTheStack) {
    tree.DeleteItem(TVI_ROOT);
    const int kDepth = 100000;
    HTREEITEM h = TVI_ROOT;
    for (int i = 0; i < kDepth; ++i)
        h = tree.InsertItem(L"deep", h);
    ASSERT_NE(nullptr, h);
    EXPECT_TRUE(tree.EnsureVisible(h));
    EXPECT_EQ(kDepth - 1, tree.FindItemIndex(h));
    Paint();
    EXPECT_TRUE(tree.CollapseAll(TVI_ROOT, TRUE));
    EXPECT_EQ(1, tree.GetItemCount());
    EXPECT_TRUE(tree.ExpandAll(TVI_ROOT, TRUE));
    EXPECT_EQ(kDepth, tree.GetItemCount());
    Paint();
    EXPECT_TRUE(tree.DeleteItem(tree.GetRootItem()));
    EXPECT_EQ(0, tree.GetItemCount());
    EXPECT_EQ(0, tree.GetItemCountInTree());
}

} // namespace
