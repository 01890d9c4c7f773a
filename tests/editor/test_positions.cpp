#include "editor/edit_position.h"

#include <gtest/gtest.h>

namespace {

using P = SECEditPosition;

TEST(EditPosition, OrdersByLineThenColumn) {
    EXPECT_TRUE(P(3, 5) < P(4, 0));
    EXPECT_TRUE(P(3, 5) > P(3, 4));
    EXPECT_TRUE(P(3, 5) == P(3, 5));
    EXPECT_TRUE(P(3, 5) <= P(3, 5) && P(3, 5) >= P(3, 5));
    EXPECT_FALSE(P(3, 5) != P(3, 5));
}

TEST(EditRange, NormalisesAndComparesWithoutDirection) {
    const SECEditRange backwards(5, 2, 1, 0);
    EXPECT_FALSE(backwards.IsOrdered());
    const SECEditRange n = backwards.Normalized();
    EXPECT_TRUE(n.IsOrdered());
    EXPECT_EQ(n.m_start, P(1, 0));
    EXPECT_EQ(n.m_end, P(5, 2));
    EXPECT_TRUE(backwards == SECEditRange(1, 0, 5, 2));
    EXPECT_TRUE(backwards.Contains(P(1, 0)));
    EXPECT_TRUE(backwards.Contains(P(5, 2)));
    EXPECT_FALSE(backwards.Contains(P(5, 3)));
    EXPECT_TRUE(SECEditRange(0, 0, 1, 0).EndsBefore(SECEditRange(1, 1, 2, 0)));
    EXPECT_TRUE(SECEditRange(0, 0, 3, 0).EndsAfter(SECEditRange(1, 1, 2, 0)));
    EXPECT_TRUE(SECEditRange(0, 0, 3, 0).Intersects(SECEditRange(2, 0, 9, 0)));
    EXPECT_FALSE(SECEditRange(0, 0, 1, 0).Intersects(SECEditRange(2, 0, 9, 0)));
    // A range that ends at the very start of the text counts by its start alone.
    EXPECT_TRUE(SECEditRange(0, 0, 2, 0).Intersects(SECEditRange(1, 0, 0, 0)));
}

struct AdjustCase {
    bool inserted;
    P before;
    P after;
    bool moved;
};

class AdjustPosition : public ::testing::TestWithParam<AdjustCase> {};

TEST_P(AdjustPosition, MovesOverAnEditOfTwoToFourLines) {
    const AdjustCase c = GetParam();
    P pos = c.before;
    const BOOL moved = SECEditRange::AdjustPosition(pos, SECEditRange(2, 4, 4, 3), c.inserted);
    EXPECT_EQ(pos, c.after);
    EXPECT_EQ(moved != FALSE, c.moved);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdjustPosition,
                         ::testing::Values(AdjustCase{true, P(2, 9), P(4, 8), true},
                                           AdjustCase{true, P(7, 1), P(9, 1), true},
                                           AdjustCase{true, P(2, 3), P(2, 3), false},
                                           AdjustCase{true, P(2, 4), P(4, 3), true},
                                           AdjustCase{false, P(4, 10), P(2, 11), true},
                                           AdjustCase{false, P(3, 0), P(2, 4), true},
                                           AdjustCase{false, P(6, 2), P(4, 2), true},
                                           AdjustCase{false, P(2, 4), P(2, 4), false},
                                           AdjustCase{false, P(1, 9), P(1, 9), false}));

TEST(EditRange, AdjustRangeReportsWhetherAnEndMoved) {
    SECEditRange r(0, 0, 2, 5);
    EXPECT_TRUE(r.AdjustRange(SECEditRange(1, 0, 1, 3), TRUE));
    EXPECT_EQ(r.m_end, P(2, 5));
    EXPECT_FALSE(SECEditRange(0, 0, 0, 1).AdjustRange(SECEditRange(1, 0, 1, 3), TRUE));
}

TEST(EditSelection, ModesAndExtension) {
    SECEditSelection s;
    EXPECT_EQ(s.m_mode, SECEditSelection::modeStream);
    EXPECT_FALSE(s.HasSelection());
    s.SetCaret(3, 2, SECEditSelection::modeLine);
    EXPECT_TRUE(s.HasSelection()); // a line selection counts even when empty
    s.Set(8, 1, 8, 4, SECEditSelection::modeStream);
    int first = 0, last = 0;
    EXPECT_TRUE(s.ExtendTo(3, 0, &first, &last));
    EXPECT_EQ(first, 3);
    EXPECT_EQ(last, 8);
    int l = 0, c = 0;
    s.GetFirst(l, c);
    EXPECT_EQ(P(l, c), P(3, 0));
    s.GetLast(l, c);
    EXPECT_EQ(P(l, c), P(8, 1));
    s.GetStart(l, c);
    EXPECT_EQ(P(l, c), P(8, 1));
    EXPECT_FALSE(s.ExtendTo(8, 1, nullptr, nullptr));
    s.Clear();
    EXPECT_EQ(s.m_end, P(0, 0));
}

TEST(EditSpanList, KeepsSpansOrderedByEnd) {
    SECEditSpanList list;
    list.InsertSorted(SECEditSpan(SECEditRange(3, 0, 7, 2), 1));
    ASSERT_EQ(list.GetSize(), 1);
    list.InsertSorted(SECEditSpan(SECEditRange(0, 0, 1, 0), 2));  // ends before every other
    list.InsertSorted(SECEditSpan(SECEditRange(9, 0, 12, 0), 3)); // ends after every other
    list.InsertSorted(SECEditSpan(SECEditRange(8, 0, 8, 5), 4));
    ASSERT_EQ(list.GetSize(), 4);
    EXPECT_EQ(list.GetAt(0).m_group, 2);
    EXPECT_EQ(list.GetAt(1).m_group, 1);
    EXPECT_EQ(list.GetAt(2).m_group, 4);
    EXPECT_EQ(list.GetAt(3).m_group, 3);
    int first = 0, last = 0;
    list.FindOverlapping(SECEditRange(5, 0, 8, 1), first, last);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 2);
    list.FindOverlapping(SECEditRange(13, 0, 14, 0), first, last);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(list.FindByLine(12), 3);
    EXPECT_EQ(list.FindByLine(5), -1);
    list.AdjustAll(SECEditRange(0, 0, 2, 0), TRUE);
    EXPECT_EQ(list.GetAt(1).m_start, P(5, 0));
}

} // namespace
