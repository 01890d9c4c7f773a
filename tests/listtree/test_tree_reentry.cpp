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
