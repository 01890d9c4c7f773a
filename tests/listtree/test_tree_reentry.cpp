// Owners that change the tree inside the notifications of the tree's own operations: whatever
// they delete, insert or select there, the operation ends without touching a freed item and the
// rows are the visible items in order.
#include "tree_fixture.h"

#include "list_fixture.h"

#include <functional>
#include <random>

namespace {

// The items the rows must show: pre-order, hidden branches left out, children of closed items
// too.
void CollectVisible(SECTreeCtrl& tree, HTREEITEM hParent, std::vector<HTREEITEM>& out) {
    for (HTREEITEM h = tree.GetChildItem(hParent); h != NULL; h = tree.GetNextSiblingItem(h)) {
        if (tree.IsItemHidden(h))
            continue;
        out.push_back(h);
        if (tree.GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED)
            CollectVisible(tree, h, out);
    }
}

class TreeReentry : public TreeCtrlFixture {
public:
    HTREEITEM r0 = NULL, r1 = NULL, r2 = NULL;
    std::vector<HTREEITEM> kids;
    void Build() {
        tree.DeleteAllItems();
        kids.clear();
        r0 = tree.InsertItem(L"r0");
        r1 = tree.InsertItem(L"r1");
        r2 = tree.InsertItem(L"r2");
        for (const wchar_t* name : {L"d", L"b", L"c", L"a"}) {
            HTREEITEM h = tree.InsertItem(name, r1);
            tree.InsertItem(L"g", h);
            tree.Expand(h, TVE_EXPAND);
            kids.push_back(h);
        }
        tree.Expand(r1, TVE_EXPAND);
        tree.SelectItem(kids[2]);
    }
    void ExpectRowsAreTheVisibleItems(const std::string& what) {
        std::vector<HTREEITEM> expected;
        CollectVisible(tree, TVI_ROOT, expected);
        EXPECT_EQ(Rows(), expected) << what;
    }
};

struct Operation {
    const char* name;
    std::function<void(TreeReentry&, SECTreeCtrl&)> run;
};

struct OwnerAction {
    const char* name;
    std::function<void(TreeReentry&, SECTreeCtrl&, HTREEITEM hNotified)> act;
};

} // namespace

TEST_F(TreeReentry, OwnersChangingTheTreeInsideEveryOperation) {
    const Operation operations[] = {
        {"hide", [](TreeReentry& t, SECTreeCtrl& c) { c.HideItem(t.r1, TRUE); }},
        {"show", [](TreeReentry& t, SECTreeCtrl& c) { c.HideItem(t.r1, FALSE); }},
        {"disable with hide-disabled",
         [](TreeReentry& t, SECTreeCtrl& c) {
             c.SetHideDisabled(TRUE);
             c.SetItemDisabled(t.r1, TRUE);
         }},
        {"hide-disabled switched on",
         [](TreeReentry& t, SECTreeCtrl& c) {
             c.SetItemDisabled(t.kids[1], TRUE);
             c.SetItemDisabled(t.kids[2], TRUE);
             c.SetHideDisabled(TRUE);
         }},
        {"collapse", [](TreeReentry& t, SECTreeCtrl& c) { c.Expand(t.r1, TVE_COLLAPSE); }},
        {"expand",
         [](TreeReentry& t, SECTreeCtrl& c) {
             c.Expand(t.r0, TVE_EXPAND);
             c.Expand(t.r1, TVE_TOGGLE);
             c.Expand(t.r1, TVE_EXPAND);
         }},
        {"move", [](TreeReentry& t, SECTreeCtrl& c) { c.MoveItem(t.kids[2], t.r2); }},
        {"sort", [](TreeReentry& t, SECTreeCtrl& c) { c.SortChildren(t.r1, TRUE); }},
        {"delete", [](TreeReentry& t, SECTreeCtrl& c) { c.DeleteItem(t.r1); }},
        {"delete all", [](TreeReentry&, SECTreeCtrl& c) { c.DeleteAllItems(); }},
    };
    const OwnerAction actions[] = {
        {"deletes the branch",
         [](TreeReentry& t, SECTreeCtrl& c, HTREEITEM) { c.DeleteItem(t.r1); }},
        {"deletes the notified item",
         [](TreeReentry&, SECTreeCtrl& c, HTREEITEM h) {
             if (h != NULL)
                 c.DeleteItem(h);
         }},
        {"deletes a child",
         [](TreeReentry& t, SECTreeCtrl& c, HTREEITEM) { c.DeleteItem(t.kids[3]); }},
        {"inserts",
         [](TreeReentry& t, SECTreeCtrl& c, HTREEITEM) {
             c.InsertItem(L"new", t.r1);
             c.InsertItem(L"root");
         }},
        {"selects", [](TreeReentry& t, SECTreeCtrl& c, HTREEITEM) { c.SelectItem(t.r2); }},
        {"empties the tree", [](TreeReentry&, SECTreeCtrl& c, HTREEITEM) { c.DeleteAllItems(); }},
    };
    for (const Operation& op : operations)
        for (const OwnerAction& action : actions) {
            const std::string what = std::string(op.name) + ", the owner " + action.name;
            parent.answer = nullptr;
            tree.SetHideDisabled(FALSE);
            Build();
            if (std::string(op.name) == "show")
                tree.HideItem(r1, TRUE);
            int nCalls = 0;
            parent.answer = [&](NMHDR* p) -> LRESULT {
                if (p->code == TVN_GETDISPINFOW || p->code == LVN_GETDISPINFOW ||
                    p->code == NM_CUSTOMDRAW || nCalls >= 3)
                    return 0;
                ++nCalls;
                HTREEITEM h = NULL;
                if (p->code == TVN_DELETEITEMW || p->code == TVN_ITEMEXPANDINGW ||
                    p->code == TVN_ITEMEXPANDEDW || p->code == TVN_SELCHANGINGW ||
                    p->code == TVN_SELCHANGEDW)
                    h = reinterpret_cast<NMTREEVIEWW*>(p)->itemOld.hItem
                            ? reinterpret_cast<NMTREEVIEWW*>(p)->itemOld.hItem
                            : reinterpret_cast<NMTREEVIEWW*>(p)->itemNew.hItem;
                action.act(*this, tree, h);
                return 0;
            };
            op.run(*this, tree);
            parent.answer = nullptr;
            Paint();
            ExpectRowsAreTheVisibleItems(what);
        }
}

// Random trees and operations with hide-disabled on, the owner answering deletions and
// selection changes with inserts, selections and deletions of its own.
TEST_F(TreeReentry, RandomOperationsWithARandomOwner) {
    std::mt19937 rng(20261211);
    auto pick = [&](int n) { return (int)(rng() % (unsigned)n); };
    std::vector<HTREEITEM> items;
    auto liveItems = [&] {
        std::vector<HTREEITEM> live;
        for (HTREEITEM h : items)
            if (h != NULL && tree.ItemFromHandle(h) != nullptr)
                live.push_back(h);
        items = live;
        return live;
    };
    auto any = [&]() -> HTREEITEM {
        std::vector<HTREEITEM> live = liveItems();
        return live.empty() ? NULL : live[(size_t)pick((int)live.size())];
    };
    int nDepth = 0;
    parent.answer = [&](NMHDR* p) -> LRESULT {
        if ((p->code != TVN_DELETEITEMW && p->code != TVN_SELCHANGEDW &&
             p->code != TVN_ITEMEXPANDEDW) ||
            nDepth > 1 || pick(3) != 0)
            return 0;
        ++nDepth;
        switch (pick(3)) {
        case 0:
            items.push_back(tree.InsertItem(L"owner's", pick(2) ? TVI_ROOT : any()));
            break;
        case 1:
            tree.SelectItem(any());
            break;
        default:
            tree.DeleteItem(any());
            break;
        }
        --nDepth;
        return 0;
    };
    tree.SetHideDisabled(TRUE);
    for (int nStep = 0; nStep < 3000; ++nStep) {
        const int nOp = pick(9);
        HTREEITEM h = any();
        switch (nOp) {
        case 0:
        case 1:
            items.push_back(tree.InsertItem(L"x", h != NULL && pick(2) ? h : TVI_ROOT));
            break;
        case 2:
            tree.DeleteItem(h);
            break;
        case 3:
            tree.SetItemDisabled(h, pick(2));
            break;
        case 4:
            tree.HideItem(h, pick(2));
            break;
        case 5:
            tree.Expand(h, pick(2) ? TVE_EXPAND : TVE_COLLAPSE);
            break;
        case 6:
            tree.SelectItem(h);
            break;
        case 7:
            tree.MoveItem(h, pick(2) ? any() : TVI_ROOT);
            break;
        default:
            if (pick(4) == 0)
                tree.SetHideDisabled(pick(2));
            else
                tree.SortChildren(pick(2) ? TVI_ROOT : h, pick(2));
            break;
        }
        std::vector<HTREEITEM> expected;
        CollectVisible(tree, TVI_ROOT, expected);
        ASSERT_EQ(Rows(), expected) << "step " << nStep << " operation " << nOp;
        if (tree.GetItemCountInTree() > 200)
            tree.DeleteAllItems();
    }
    parent.answer = nullptr;
}

// Wider random runs: several seeds, an owner that answers every kind of tree notification and
// may delete a root, insert at the root or under any item, select a hidden item, hide, disable,
// expand, or switch hide-disabled inside the notification itself.
TEST_F(TreeReentry, RandomOwnersThatChangeAnythingInsideAnyNotification) {
    for (unsigned seed : {1u, 7u, 28u, 111u, 1015u, 2026u, 65537u}) {
        tree.DeleteAllItems();
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return (int)(rng() % (unsigned)n); };
        std::vector<HTREEITEM> items;
        auto any = [&]() -> HTREEITEM {
            std::vector<HTREEITEM> live;
            for (HTREEITEM h : items)
                if (h != NULL && tree.ItemFromHandle(h) != nullptr)
                    live.push_back(h);
            items = live;
            return live.empty() ? NULL : live[(size_t)pick((int)live.size())];
        };
        auto aRoot = [&]() -> HTREEITEM {
            std::vector<HTREEITEM> roots;
            for (HTREEITEM h = tree.GetRootItem(); h != NULL; h = tree.GetNextSiblingItem(h))
                roots.push_back(h);
            return roots.empty() ? NULL : roots[(size_t)pick((int)roots.size())];
        };
        auto aHidden = [&]() -> HTREEITEM {
            for (int n = 0; n < 8; ++n)
                if (HTREEITEM h = any(); h != NULL && !tree.IsItemVisible(h))
                    return h;
            return any();
        };
        int nDepth = 0;
        std::function<void(int)> change = [&](int nWhat) {
            switch (nWhat) {
            case 0:
                items.push_back(tree.InsertItem(L"owner's root"));
                break;
            case 1:
                items.push_back(tree.InsertItem(L"owner's", any()));
                break;
            case 2:
                tree.SelectItem(aHidden());
                break;
            case 3:
                tree.SelectItem(any());
                break;
            case 4:
                tree.DeleteItem(aRoot());
                break;
            case 5:
                tree.DeleteItem(any());
                break;
            case 6:
                tree.SetHideDisabled(pick(2));
                break;
            case 7:
                tree.SetItemDisabled(any(), pick(2));
                break;
            case 8:
                tree.HideItem(any(), pick(2));
                break;
            case 9:
                tree.Expand(any(), pick(2) ? TVE_EXPAND : TVE_COLLAPSE);
                break;
            default:
                tree.MoveItem(any(), pick(2) ? any() : TVI_ROOT);
                break;
            }
        };
        parent.answer = [&](NMHDR* p) -> LRESULT {
            const bool bTreeNote = p->code == TVN_DELETEITEMW || p->code == TVN_SELCHANGEDW ||
                                   p->code == TVN_SELCHANGINGW || p->code == TVN_ITEMEXPANDEDW ||
                                   p->code == TVN_ITEMEXPANDINGW;
            if (!bTreeNote || nDepth > 1 || pick(2) != 0)
                return 0;
            ++nDepth;
            change(pick(11));
            if (pick(2) == 0)
                change(pick(11));
            --nDepth;
            return 0;
        };
        for (int nStep = 0; nStep < 1000; ++nStep) {
            const int nWhat = pick(14);
            if (nWhat >= 11)
                items.push_back(tree.InsertItem(L"x", pick(3) ? any() : TVI_ROOT));
            else
                change(nWhat);
            std::vector<HTREEITEM> expected;
            CollectVisible(tree, TVI_ROOT, expected);
            ASSERT_EQ(Rows(), expected)
                << "seed " << seed << " step " << nStep << " change " << nWhat;
            if (tree.GetItemCountInTree() > 150)
                tree.DeleteAllItems();
        }
        parent.answer = nullptr;
    }
}

// Showing an item opens its closed ancestors one by one, and the owner hears of each: one that
// moves the item into another closed branch and deletes its old parent there leaves the item to
// be shown at its new place (its new ancestors open), with no look at the deleted parent.
TEST_F(TreeReentry, ShowingAnItemWhoseBranchTheOwnerMovesWhileItOpens) {
    tree.DeleteAllItems();
    HTREEITEM hA = tree.InsertItem(L"a");
    HTREEITEM hB = tree.InsertItem(L"b", hA);
    HTREEITEM hItem = tree.InsertItem(L"item", hB);
    HTREEITEM hC = tree.InsertItem(L"c");
    HTREEITEM hD = tree.InsertItem(L"d", hC);
    tree.InsertItem(L"e", hD);
    bool bMoved = false;
    parent.answer = [&](NMHDR* p) -> LRESULT {
        if (p->code == TVN_ITEMEXPANDEDW && !bMoved &&
            reinterpret_cast<NMTREEVIEWW*>(p)->itemNew.hItem == hA) {
            bMoved = true;
            EXPECT_TRUE(tree.MoveItem(hItem, hD));
            EXPECT_TRUE(tree.DeleteItem(hB));
        }
        return 0;
    };
    EXPECT_TRUE(tree.SelectItem(hItem));
    parent.answer = nullptr;
    EXPECT_TRUE(bMoved);
    EXPECT_EQ(tree.GetSelectedItem(), hItem);
    EXPECT_EQ(tree.GetParentItem(hItem), hD);
    EXPECT_TRUE(tree.GetItemState(hC, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(tree.GetItemState(hD, TVIS_EXPANDED) & TVIS_EXPANDED);
    Paint();
    ExpectRowsAreTheVisibleItems("after the owner moved the item");
}
