// Where the caret, the drop highlight, the anchor and the selection end up when rows go, and
// where the list scrolls to show a range of rows.
#include "list_fixture.h"

#include <string>
#include <vector>

namespace {

std::vector<int> Selected(const SECListCtrl& list) {
    std::vector<int> out;
    const CDWordArray& sel = list.GetSelectedRows();
    for (INT_PTR i = 0; i < sel.GetSize(); ++i)
        out.push_back((int)sel[i]);
    return out;
}

struct DeleteCase {
    const char* name;
    int caret, drop;
    std::vector<int> selected; // besides the caret's own selection
    int first, count;
    int endCaret, endDrop;
    std::vector<int> endSelected;
};

TEST(RowIndices, DeletingRowsMovesTheCaretAndTheDropHighlightByTheirPlace) {
    const DeleteCase cases[] = {
        {"caret before the run stays", 1, -1, {}, 3, 2, 1, -1, {1}},
        {"caret on the first deleted row keeps its index", 3, -1, {}, 3, 2, 3, -1, {3}},
        {"caret inside the run goes above it", 4, -1, {}, 3, 2, 2, -1, {2}},
        {"caret after the run moves up", 7, -1, {}, 3, 2, 5, -1, {5}},
        {"caret on a run that ends the list goes above it", 8, -1, {}, 8, 2, 7, -1, {7}},
        {"caret inside a run from the top stays on row 0", 1, -1, {}, 0, 3, 0, -1, {0}},
        {"selected rows in the run go, those after move up", 1, -1, {3, 8}, 2, 3, 1, -1, {1, 5}},
        {"drop highlight on the first deleted row keeps its index", 0, 3, {}, 3, 2, 0, 3, {0}},
        {"drop highlight inside the run goes above it", 0, 4, {}, 3, 2, 0, 2, {0}},
        {"drop highlight after the run moves up", 0, 7, {}, 3, 2, 0, 5, {0}},
        {"drop highlight inside a run from the top goes", 5, 1, {}, 0, 3, 2, -1, {2}},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.name);
        SECListCtrl list;
        list.AppendColumnArgs(L"Name", LVCFMT_LEFT, 60);
        for (int r = 0; r < 10; ++r)
            list.InsertItemText(r, (L"row " + std::to_wstring(r)).c_str());
        list.DeselectAllExcept(-1);
        list.FocusItem(c.caret, TRUE);
        for (int r : c.selected)
            list.SelectItem(r, TRUE);
        list.SetDropHilite(c.drop);
        ASSERT_TRUE(list.DeleteItems(c.first, c.count));
        EXPECT_EQ(c.endCaret, list.GetFocusIndex());
        EXPECT_EQ(c.endDrop, list.GetDropHilite());
        EXPECT_EQ(c.endSelected, Selected(list));
        if (c.endDrop >= 0) {
            EXPECT_EQ((UINT)LVIS_DROPHILITED, list.GetItemState(c.endDrop, LVIS_DROPHILITED));
        }
    }
}

TEST(RowIndices, DeletingEveryRowLeavesTheAnchorAndTheDropHighlight) {
    SECListCtrl list;
    list.AppendColumnArgs(L"Name", LVCFMT_LEFT, 60);
    for (int r = 0; r < 8; ++r)
        list.InsertItemText(r, L"row");
    list.FocusItem(4, TRUE);
    list.SetDropHilite(6);
    ASSERT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(-1, list.GetFocusIndex());
    EXPECT_EQ(4, list.GetAnchorIndex());
    EXPECT_EQ(6, list.GetDropHilite());
    // A highlight whose row went can still be cleared, and new rows start from a caret again.
    EXPECT_TRUE(list.SetDropHilite(-1));
    EXPECT_EQ(-1, list.GetDropHilite());
    list.InsertItemText(0, L"again");
    EXPECT_EQ(0, list.GetFocusIndex());
    EXPECT_EQ(0, list.GetAnchorIndex());
    EXPECT_EQ(std::vector<int>{0}, Selected(list));
}

// A range that does not fit the page starts at its first row; near the end of the list, rows
// from above fill the page.
TEST_F(ListFixture, EnsureRangeVisibleShowsTheRangeFromItsFirstRow) {
    Fill(60);
    const int nPage = list.GetCountPerPage();
    ASSERT_GT(nPage, 4);
    struct Case {
        const char* name;
        int top, first, last;
        int endTop;
    } cases[] = {
        {"a range in view stays", 0, 1, 3, 0},
        {"a range below the page comes to the top", 0, 30, 32, 30},
        {"a range longer than a page starts at its first row", 0, 20, 20 + 2 * nPage, 20},
        {"a range above the page comes to the top", 40, 10, 12, 10},
        {"a range at the end fills the page from above", 0, 57, 59, 60 - nPage},
        {"the count as the last row reaches the end", 0, 58, 60, 60 - nPage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.SetTopIndex(c.top);
        ASSERT_EQ(c.top, list.GetTopIndex());
        EXPECT_TRUE(list.EnsureRangeVisible(c.first, c.last, FALSE));
        EXPECT_EQ(c.endTop, list.GetTopIndex());
    }
}

} // namespace
