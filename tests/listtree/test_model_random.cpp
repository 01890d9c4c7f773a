// The list's model against a plain reference: thousands of random row, column, text and
// selection steps, every cell and every stored index compared after each step.
#include "listtree/list_ctrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

struct RefRow {
    int id = 0;
    std::map<int, std::wstring> cells; // column id -> text; missing: a callback cell
    std::wstring main;
    bool mainCallback = false;
};

struct Reference {
    std::vector<RefRow> rows;
    std::vector<int> columns; // column ids in display order; [0] is the main column
    std::set<int> selected;
    int caret = -1, anchor = -1, drop = -1, top = 0;
    int nextRow = 1, nextColumn = 1;

    int Count() const { return (int)rows.size(); }
    void FocusItem(int r, bool bSelect) {
        caret = r;
        if (bSelect)
            selected.insert(r);
        else
            selected.erase(r);
        anchor = caret;
    }
    void Insert(int at, const RefRow& row) {
        at = std::max(0, std::min(at, Count()));
        rows.insert(rows.begin() + at, row);
        for (int* p : {&caret, &drop, &anchor})
            if (*p >= at)
                ++*p;
        std::set<int> moved;
        for (int s : selected)
            moved.insert(s >= at ? s + 1 : s);
        selected = moved;
        if (caret < 0)
            FocusItem(0, true);
    }
    void Delete(int first, int count) {
        count = std::min(count, Count() - first);
        const int end = first + count;
        rows.erase(rows.begin() + first, rows.begin() + end);
        const int left = Count();
        if (top >= left)
            top = left;
        // The caret on the first deleted row keeps its index while a row takes its place;
        // elsewhere in the run it goes to the row above (row 0 for a run from the top).
        if (caret >= end)
            caret -= count;
        else if (caret > first || (caret == first && first >= left))
            caret = left > 0 ? std::max(first - 1, 0) : -1;
        // The drop highlight likewise, but it may leave the top.
        if (drop >= end)
            drop -= count;
        else if (drop > first)
            drop = first - 1;
        if (anchor >= end)
            anchor -= count;
        else if (anchor >= first)
            anchor = -1;
        std::set<int> kept;
        for (int s : selected)
            if (s < first)
                kept.insert(s);
            else if (s >= end)
                kept.insert(s - count);
        selected = kept;
        if (selected.empty() && caret >= 0)
            FocusItem(caret, true);
        top = left <= 1 ? 0 : std::min(top, left - 1);
    }
    void DeleteAll() {
        // The anchor and the drop highlight are left as they were.
        rows.clear();
        selected.clear();
        caret = -1;
        top = 0;
    }
    void UpdateSelection(int r, bool shift, bool ctrl, bool mouse) {
        const int old = caret;
        if (shift) {
            const int a = anchor >= 0 ? anchor : (caret >= 0 ? caret : r);
            if (!((!mouse && old == r) || old != r))
                return;
            selected.clear();
            for (int i = std::min(a, r); i <= std::max(a, r); ++i)
                selected.insert(i);
            FocusItem(r, true);
            anchor = a;
        } else if (ctrl) {
            if (!mouse) {
                caret = r;
                anchor = r;
                if (r != old)
                    return;
            }
            FocusItem(r, selected.count(r) == 0);
        } else {
            // The caret row and a row under the button that are selected stay as they are.
            if (selected.count(r) && (r == old || mouse))
                return;
            selected.clear();
            FocusItem(r, true);
        }
    }
    std::wstring Cell(int r, int c) const {
        if (c == 0)
            return rows[r].mainCallback ? L"" : rows[r].main;
        auto it = rows[r].cells.find(columns[c]);
        return it == rows[r].cells.end() ? L"" : it->second;
    }
};

class ModelRandom : public ::testing::Test {
protected:
    SECListCtrl list;
    Reference ref;
    std::mt19937 rng;
    int lastOp = -1;

    int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    std::wstring Word() {
        std::wstring s;
        const int n = Rand(0, 6);
        for (int i = 0; i < n; ++i)
            s += (wchar_t)(L'a' + Rand(0, 25));
        return s;
    }

    void InsertRow(int at) {
        RefRow row;
        row.id = ref.nextRow++;
        row.main = Word();
        const int got = list.InsertItemText(at, row.main.c_str());
        ASSERT_EQ(std::max(0, std::min(at, ref.Count())), got);
        ref.Insert(at, row);
    }
    void MoveRow() {
        // An owner's sort step: the row is re-inserted before another and the old one deleted.
        if (ref.Count() < 2)
            return;
        const int from = Rand(0, ref.Count() - 1), before = Rand(0, ref.Count() - 1);
        if (from == before)
            return;
        SECListItem* pFrom = list.GetItemAt(from);
        SECListItem* pBefore = list.GetItemAt(before);
        LVITEM item = {};
        item.mask = LVIF_TEXT;
        std::wstring text = ref.rows[from].main;
        item.pszText = ref.rows[from].mainCallback ? LPSTR_TEXTCALLBACK : &text[0];
        const int at = list.InsertItemBefore(pBefore, &item);
        ASSERT_EQ(before, at);
        RefRow copy = ref.rows[from];
        copy.cells.clear();
        ref.Insert(before, copy);
        ASSERT_TRUE(list.DeleteItemObject(pFrom));
        ref.Delete(from >= before ? from + 1 : from, 1);
    }
    void Step() {
        const int count = ref.Count();
        const int op = Rand(0, 15);
        lastOp = op;
        switch (op) {
        case 0:
        case 1:
            InsertRow(Rand(-5, count + 5));
            break;
        case 2: {
            if (count == 0)
                break;
            const int first = Rand(0, count - 1), n = Rand(-1, 4);
            ASSERT_EQ(n > 0, list.DeleteItems(first, n) != FALSE);
            if (n > 0)
                ref.Delete(first, n);
            break;
        }
        case 3:
            MoveRow();
            break;
        case 4:
            if (Rand(0, 20) == 0) {
                list.DeleteAllItems();
                ref.DeleteAll();
            }
            break;
        case 5: {
            const int at = Rand(1, (int)ref.columns.size());
            const int got = list.InsertColumnArgs(at, L"c", LVCFMT_LEFT, 40, 7, -1, FALSE);
            ASSERT_EQ(at, got);
            ref.columns.insert(ref.columns.begin() + at, ref.nextColumn++);
            break;
        }
        case 6: {
            if (ref.columns.size() < 2)
                break;
            const int c = Rand(1, (int)ref.columns.size() - 1);
            ASSERT_TRUE(list.DeleteColumn(c));
            for (RefRow& row : ref.rows)
                row.cells.erase(ref.columns[c]);
            ref.columns.erase(ref.columns.begin() + c);
            break;
        }
        case 7:
        case 8: {
            if (count == 0)
                break;
            const int r = Rand(0, count - 1), c = Rand(0, (int)ref.columns.size() - 1);
            const bool bCallback = Rand(0, 4) == 0;
            std::wstring text = Word();
            ASSERT_TRUE(list.SetItemText(r, list.GetColumnSubItem(c),
                                         bCallback ? LPSTR_TEXTCALLBACK : text.c_str()));
            // A text given to a callback cell is the owner's to keep: the cell stays a callback.
            const bool bWasCallback =
                c == 0 ? ref.rows[r].mainCallback : ref.rows[r].cells.count(ref.columns[c]) == 0;
            if (bWasCallback && !bCallback)
                break;
            if (c == 0) {
                ref.rows[r].mainCallback = bCallback;
                ref.rows[r].main = bCallback ? L"" : text;
            } else if (bCallback) {
                ref.rows[r].cells.erase(ref.columns[c]);
            } else {
                ref.rows[r].cells[ref.columns[c]] = text;
            }
            break;
        }
        case 9: {
            if (count == 0)
                break;
            const int r = Rand(0, count - 1);
            const bool b = Rand(0, 1) == 1;
            list.SelectItem(r, b);
            if (b)
                ref.selected.insert(r);
            else
                ref.selected.erase(r);
            break;
        }
        case 10: {
            if (count == 0)
                break;
            const int a = Rand(-2, count + 2), b = Rand(-2, count + 2);
            const bool bSel = Rand(0, 1) == 1;
            list.SelectRange(a, b, bSel);
            const int lo = std::max(0, std::min(std::min(a, b), count - 1));
            const int hi = std::max(0, std::min(std::max(a, b), count - 1));
            for (int i = lo; i <= hi; ++i)
                if (bSel)
                    ref.selected.insert(i);
                else
                    ref.selected.erase(i);
            break;
        }
        case 11: {
            if (count == 0)
                break;
            const int r = Rand(0, count - 1);
            const bool b = Rand(0, 1) == 1;
            list.FocusItem(r, b);
            ref.FocusItem(r, b);
            break;
        }
        case 12: {
            const int r = Rand(-1, count - 1);
            list.SetDropHilite(r);
            ref.drop = r;
            break;
        }
        case 13:
        case 14: {
            if (count == 0)
                break;
            const int r = Rand(0, count - 1);
            const int kind = Rand(0, 2);
            const bool bMouse = Rand(0, 1) == 1;
            const UINT flags = kind == 0 ? 0 : kind == 1 ? MK_SHIFT : MK_CONTROL;
            if (std::getenv("MODEL_TRACE"))
                std::printf("upd r=%d kind=%d mouse=%d caret=%d anchor=%d sel=%d\n", r, kind,
                            (int)bMouse, ref.caret, ref.anchor, (int)ref.selected.size());
            list.UpdateSelection(r, 0, flags, bMouse);
            ref.UpdateSelection(r, kind == 1, kind == 2, bMouse);
            break;
        }
        case 15: {
            const int r = Rand(-3, count + 3);
            list.SetTopIndex(r);
            ref.top = count <= 1 ? 0 : std::max(0, std::min(r, count - 1));
            break;
        }
        }
    }
    void Check(int step) {
        SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(lastOp));
        ASSERT_EQ(ref.Count(), list.GetItemCount());
        ASSERT_EQ((int)ref.columns.size(), list.GetColumnCount());
        ASSERT_EQ((int)ref.columns.size() - 1, list.GetSubItemCount());
        wchar_t buffer[64];
        for (int r = 0; r < ref.Count(); ++r) {
            ASSERT_EQ(list.GetSubItemCount(), list.GetItemAt(r)->GetSubItemCount()) << "row " << r;
            for (int c = 0; c < (int)ref.columns.size(); ++c) {
                list.GetItemText(r, list.GetColumnSubItem(c), buffer, 64);
                ASSERT_EQ(ref.Cell(r, c), std::wstring(buffer)) << "row " << r << " col " << c;
            }
        }
        const CDWordArray& sel = list.GetSelectedRows();
        std::vector<int> got;
        for (INT_PTR i = 0; i < sel.GetSize(); ++i)
            got.push_back((int)sel[i]);
        ASSERT_EQ(std::vector<int>(ref.selected.begin(), ref.selected.end()), got);
        for (int r = 0; r < ref.Count(); ++r)
            ASSERT_EQ(ref.selected.count(r) != 0,
                      (list.GetItemState(r, LVIS_SELECTED) & LVIS_SELECTED) != 0);
        ASSERT_EQ(ref.caret, list.GetFocusIndex());
        ASSERT_EQ(ref.anchor, list.GetAnchorIndex());
        ASSERT_EQ(ref.drop, list.GetDropHilite());
        ASSERT_EQ(ref.top, list.GetTopIndex());
        ASSERT_EQ(-1, list.GetEditIndex());
    }
};

TEST_F(ModelRandom, ThousandsOfStepsAgreeWithTheReference) {
    // MODEL_SEED=n repeats a run.
    const char* pszSeed = std::getenv("MODEL_SEED");
    const unsigned seed =
        pszSeed != nullptr ? (unsigned)std::strtoul(pszSeed, nullptr, 10) : std::random_device{}();
    std::printf("model seed %u\n", seed);
    rng.seed(seed);
    list.InsertColumnArgs(0, L"main", LVCFMT_LEFT, 80, -1, -1, FALSE);
    ref.columns.push_back(0);
    for (int step = 0; step < 4000; ++step) {
        ASSERT_NO_FATAL_FAILURE(Step()) << "seed " << seed << " step " << step;
        ASSERT_NO_FATAL_FAILURE(Check(step)) << "seed " << seed;
    }
}

} // namespace
