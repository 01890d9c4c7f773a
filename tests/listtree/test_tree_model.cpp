// The tree's rows against a reference tree, through long random runs of every operation that
// changes items, expansion, visibility, order, columns or selection.
#include "tree_fixture.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>

namespace {

struct RefItem {
    HTREEITEM hParent = NULL; // NULL: top level
    std::vector<HTREEITEM> children;
    std::wstring text;
    std::map<int, std::wstring> columns; // column -> text
};

class Reference {
public:
    std::map<HTREEITEM, RefItem> items;
    std::vector<HTREEITEM> top;

    std::vector<HTREEITEM>& ChildrenOf(HTREEITEM h) { return h == NULL ? top : items[h].children; }
    void Insert(HTREEITEM h, HTREEITEM hParent, size_t at, const std::wstring& text) {
        RefItem r;
        r.hParent = hParent;
        r.text = text;
        items[h] = r;
        auto& c = ChildrenOf(hParent);
        c.insert(c.begin() + std::min(at, c.size()), h);
    }
    void Subtree(HTREEITEM h, std::vector<HTREEITEM>& out) {
        out.push_back(h);
        for (HTREEITEM c : items[h].children)
            Subtree(c, out);
    }
    void Erase(HTREEITEM h) {
        std::vector<HTREEITEM> all;
        Subtree(h, all);
        auto& siblings = ChildrenOf(items[h].hParent);
        siblings.erase(std::find(siblings.begin(), siblings.end(), h));
        for (HTREEITEM x : all)
            items.erase(x);
    }
    bool IsInside(HTREEITEM hTop, HTREEITEM h) {
        for (; h != NULL; h = items[h].hParent)
            if (h == hTop)
                return true;
        return false;
    }
};

class TreeModel : public TreeCtrlFixture {
protected:
    Reference ref;
    std::vector<HTREEITEM> deleted; // TVN_DELETEITEMW in order
    std::mt19937 rng;
    int nColumns = 1;

    void SetUp() override {
        TreeCtrlFixture::SetUp();
        tree.EnableSubItemTextStorage(TRUE);
        tree.EnableMultiSelect(FALSE);
        parent.answer = [this](NMHDR* p) -> LRESULT {
            if (p->code == TVN_DELETEITEMW)
                deleted.push_back(reinterpret_cast<NMTREEVIEWW*>(p)->itemOld.hItem);
            return 0;
        };
    }

    int Rand(int n) { return n <= 0 ? 0 : (int)(rng() % (unsigned)n); }
    HTREEITEM AnyItem() {
        if (ref.items.empty())
            return NULL;
        auto it = ref.items.begin();
        std::advance(it, Rand((int)ref.items.size()));
        return it->first;
    }
    HTREEITEM AnyParent() { return Rand(4) == 0 ? NULL : AnyItem(); }
    std::wstring AnyText() {
        static const wchar_t* words[] = {L"a", L"B", L"c", L"D", L"e", L"b", L"C"};
        return std::wstring(words[Rand(7)]) + std::to_wstring(Rand(5));
    }

    bool Shown(HTREEITEM h) {
        _Node* p = tree.ItemFromHandle(h);
        return p != nullptr && !p->HasFlag(_Node::flagHidden);
    }
    void ExpectedRows(HTREEITEM hParent, std::vector<HTREEITEM>& out) {
        for (HTREEITEM c : ref.ChildrenOf(hParent)) {
            if (!Shown(c))
                continue;
            out.push_back(c);
            if (tree.IsItemExpanded(c))
                ExpectedRows(c, out);
        }
    }

    void CheckStructure(HTREEITEM hParent) {
        std::vector<HTREEITEM> actual;
        for (HTREEITEM c = tree.GetChildItem(hParent); c != NULL; c = tree.GetNextSiblingItem(c))
            actual.push_back(c);
        ASSERT_EQ(ref.ChildrenOf(hParent), actual);
        for (HTREEITEM c : actual) {
            ASSERT_EQ(hParent, tree.GetParentItem(c));
            CheckStructure(c);
        }
    }

    void Check(const char* step) {
        SCOPED_TRACE(step);
        CheckStructure(NULL);
        ASSERT_EQ((int)ref.items.size(), tree.GetItemCountInTree());
        std::vector<HTREEITEM> want;
        ExpectedRows(NULL, want);
        ASSERT_EQ(want, Rows());
        for (size_t i = 0; i < want.size(); ++i)
            ASSERT_EQ((int)i, tree.FindItemIndex(want[i]));
        for (auto& kv : ref.items) {
            const bool bRow = std::find(want.begin(), want.end(), kv.first) != want.end();
            if (!bRow) {
                ASSERT_EQ(-1, tree.FindItemIndex(kv.first));
            }
            // The node's selected bit follows its row's selection.
            const int r = tree.FindItemIndex(kv.first);
            const bool bRowSel = r >= 0 && tree.IsItemSelected(r);
            ASSERT_EQ(bRowSel, tree.GetItemState(kv.first, TVIS_SELECTED) != 0);
            ASSERT_EQ(CString(kv.second.text.c_str()), tree.GetItemText(kv.first, 0));
            for (int c = 1; c < nColumns; ++c) {
                auto t = kv.second.columns.find(c);
                ASSERT_EQ(CString(t != kv.second.columns.end() ? t->second.c_str() : L""),
                          tree.GetItemText(kv.first, c))
                    << "column " << c;
            }
        }
        const HTREEITEM hCaret = tree.GetSelectedItem();
        if (hCaret != NULL) {
            ASSERT_EQ(tree.GetFocusIndex(), tree.FindItemIndex(hCaret));
        }
    }

    void ExpectDeleted(const std::vector<HTREEITEM>& gone) {
        ASSERT_EQ(gone.size(), deleted.size());
        std::set<HTREEITEM> want(gone.begin(), gone.end()), got(deleted.begin(), deleted.end());
        ASSERT_EQ(want, got);
        // Children first: when an item is reported, none of its descendants is still to come.
        std::set<HTREEITEM> reported;
        for (HTREEITEM h : deleted) {
            for (auto& kv : ref.items) {
                if (kv.first != h && ref.IsInside(h, kv.first)) {
                    ASSERT_TRUE(reported.count(kv.first) || !want.count(kv.first));
                }
            }
            reported.insert(h);
        }
    }

    void Step() {
        const int op = Rand(20);
        char name[64];
        std::snprintf(name, sizeof name, "op %d", op);
        switch (op) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4: { // insert, every kind of insert-after
            const HTREEITEM hParent = AnyParent();
            auto& siblings = ref.ChildrenOf(hParent);
            const std::wstring text = AnyText();
            const int kind = Rand(5);
            HTREEITEM hAfter = TVI_LAST;
            size_t at = siblings.size();
            if (kind == 1) {
                hAfter = TVI_FIRST;
                at = 0;
            } else if (kind == 2 && !siblings.empty()) {
                const size_t i = Rand((int)siblings.size());
                hAfter = siblings[i];
                at = i + 1;
            } else if (kind == 3 || kind == 4) {
                hAfter = kind == 3 ? TVI_SORT : TVI_SORTDESCENDING;
                at = 0;
                while (at < siblings.size()) {
                    const int n = ::_wcsicmp(ref.items[siblings[at]].text.c_str(), text.c_str());
                    if (kind == 3 ? n > 0 : n < 0)
                        break;
                    ++at;
                }
            }
            const HTREEITEM h =
                tree.InsertItem(text.c_str(), hParent == NULL ? TVI_ROOT : hParent, hAfter);
            ASSERT_NE(nullptr, h);
            ref.Insert(h, hParent, at, text);
            break;
        }
        case 5: { // delete a subtree
            const HTREEITEM h = AnyItem();
            if (h == NULL)
                break;
            std::vector<HTREEITEM> gone;
            ref.Subtree(h, gone);
            deleted.clear();
            ASSERT_TRUE(tree.DeleteItem(h));
            ExpectDeleted(gone);
            ref.Erase(h);
            break;
        }
        case 6:
        case 7: { // expand, collapse, toggle
            const HTREEITEM h = AnyItem();
            const UINT codes[] = {TVE_EXPAND, TVE_COLLAPSE, TVE_TOGGLE};
            if (h != NULL)
                tree.Expand(h, codes[Rand(3)], Rand(2));
            break;
        }
        case 8: { // collapse-reset: the children go, the item stays
            const HTREEITEM h = AnyItem();
            if (h == NULL || !tree.IsItemExpanded(h))
                break;
            std::vector<HTREEITEM> gone;
            for (HTREEITEM c : ref.items[h].children)
                ref.Subtree(c, gone);
            deleted.clear();
            tree.Expand(h, TVE_COLLAPSE | TVE_COLLAPSERESET, TRUE);
            ExpectDeleted(gone);
            while (!ref.items[h].children.empty())
                ref.Erase(ref.items[h].children.front());
            break;
        }
        case 9: { // hide and unhide
            const HTREEITEM h = AnyItem();
            if (h != NULL)
                tree.HideItem(h, Rand(2));
            break;
        }
        case 10: { // disabling in hide-disabled mode hides
            const HTREEITEM h = AnyItem();
            if (h == NULL)
                break;
            tree.SetHideDisabled(TRUE);
            tree.SetItemDisabled(h, TRUE);
            ASSERT_TRUE(tree.IsItemDisabled(h));
            tree.SetItemDisabled(h, FALSE);
            tree.SetHideDisabled(FALSE);
            tree.HideItem(h, FALSE);
            break;
        }
        case 11: { // move, also into its own subtree (refused)
            const HTREEITEM h = AnyItem();
            const HTREEITEM hTo = AnyParent();
            if (h == NULL)
                break;
            if (hTo != NULL && ref.IsInside(h, hTo)) {
                ASSERT_FALSE(tree.MoveItem(h, hTo, FALSE, TVI_LAST));
                break;
            }
            const bool bFirst = Rand(2) == 0;
            ASSERT_TRUE(tree.MoveItem(h, hTo == NULL ? TVI_ROOT : hTo, FALSE,
                                      bFirst ? TVI_FIRST : TVI_LAST));
            auto& from = ref.ChildrenOf(ref.items[h].hParent);
            from.erase(std::find(from.begin(), from.end(), h));
            ref.items[h].hParent = hTo;
            auto& to = ref.ChildrenOf(hTo);
            to.insert(bFirst ? to.begin() : to.end(), h);
            break;
        }
        case 12: { // sorts
            const HTREEITEM h = AnyParent();
            const bool bRecursive = Rand(2) == 0;
            const bool bAscending = Rand(2) == 0;
            ASSERT_TRUE(tree.SortChildren(h == NULL ? TVI_ROOT : h, bRecursive, bAscending));
            std::vector<HTREEITEM> parents{h};
            for (size_t k = 0; k < parents.size(); ++k) {
                auto& c = ref.ChildrenOf(parents[k]);
                std::stable_sort(c.begin(), c.end(), [&](HTREEITEM a, HTREEITEM b) {
                    const int n = ::wcscmp(ref.items[a].text.c_str(), ref.items[b].text.c_str());
                    return bAscending ? n < 0 : n > 0;
                });
                if (bRecursive)
                    for (HTREEITEM x : c)
                        parents.push_back(x);
            }
            break;
        }
        case 13: { // make a deep item visible
            const HTREEITEM h = AnyItem();
            if (h == NULL)
                break;
            bool bHidden = false;
            for (HTREEITEM p = h; p != NULL; p = ref.items[p].hParent)
                bHidden |= !Shown(p);
            const BOOL bOk = tree.EnsureVisible(h, Rand(2));
            if (!bHidden) {
                ASSERT_TRUE(bOk);
                ASSERT_GE(tree.FindItemIndex(h), 0);
            }
            break;
        }
        case 14: { // column texts
            const HTREEITEM h = AnyItem();
            if (h == NULL || nColumns < 2)
                break;
            const int c = 1 + Rand(nColumns - 1);
            const std::wstring text = AnyText();
            ASSERT_TRUE(tree.SetItemText(h, c, text.c_str()));
            ref.items[h].columns[c] = text;
            break;
        }
        case 15: { // insert or delete a column; texts stay under their headings
            if (nColumns < 4 && Rand(2) == 0) {
                const int at = 1 + Rand(nColumns);
                ASSERT_EQ(at, tree.InsertColumnArgs(at, L"col", LVCFMT_LEFT, 60, -1, -1, FALSE));
                for (auto& kv : ref.items) {
                    std::map<int, std::wstring> moved;
                    for (auto& t : kv.second.columns)
                        moved[t.first >= at ? t.first + 1 : t.first] = t.second;
                    kv.second.columns = moved;
                }
                ++nColumns;
            } else if (nColumns > 1) {
                const int at = 1 + Rand(nColumns - 1);
                ASSERT_TRUE(tree.DeleteColumn(at));
                for (auto& kv : ref.items) {
                    std::map<int, std::wstring> moved;
                    for (auto& t : kv.second.columns)
                        if (t.first != at)
                            moved[t.first > at ? t.first - 1 : t.first] = t.second;
                    kv.second.columns = moved;
                }
                --nColumns;
            }
            break;
        }
        case 16:
        case 17: { // selection
            const HTREEITEM h = AnyItem();
            if (h != NULL)
                tree.SelectItem(h);
            break;
        }
        case 18: { // set a text
            const HTREEITEM h = AnyItem();
            if (h == NULL)
                break;
            const std::wstring text = AnyText();
            tree.SetItemText(h, text.c_str());
            ref.items[h].text = text;
            break;
        }
        case 19: { // now and then everything goes
            if (Rand(15) != 0)
                break;
            std::vector<HTREEITEM> gone;
            for (auto& kv : ref.items)
                gone.push_back(kv.first);
            deleted.clear();
            ASSERT_TRUE(tree.DeleteItem(TVI_ROOT));
            ExpectDeleted(gone);
            ref.items.clear();
            ref.top.clear();
            break;
        }
        }
        Check(name);
    }
};

TEST_F(TreeModel, RowsFollowTheNodesThroughRandomRuns) {
    const unsigned seed = std::random_device{}();
    std::printf("tree model seed %u\n", seed);
    rng.seed(seed);
    for (int i = 0; i < 3000 && !HasFatalFailure(); ++i) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(i));
        Step();
    }
}

} // namespace
