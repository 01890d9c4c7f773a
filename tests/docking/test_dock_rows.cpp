// Rows of a dock bar without windows: shares, insertion by row and column, and the place a bar
// reports leading back to the same place.
#include "docking_test_support.h"

#include <climits>
#include <memory>
#include <set>

namespace {
// A dock bar that knows which bars are shown and how long its rows are, without windows.
class CRowDockBar : public SECDockBar {
public:
    std::set<const CControlBar*> m_hidden;
    int m_nLength = 600;
    BOOL IsBarVisible(const CControlBar* pBar) const override {
        return pBar != nullptr && m_hidden.count(pBar) == 0;
    }
    int GetRowLength() const override { return m_nLength; }
};

// Bars A..F; an array is written row by row: an upper-case letter a shown bar, a lower-case one
// the same bar hidden, a digit a placeholder, '|' the end of a row.
struct RowFixture {
    CRowDockBar dock;
    SECControlBar bars[7]; // A..F and X, the bar being placed
    RowFixture() { dock.m_dwStyle = CBRS_ALIGN_TOP; }
    SECControlBar* Bar(char c) { return &bars[c == 'X' || c == 'x' ? 6 : (c & ~0x20) - 'A']; }
    void Load(const char* spec) {
        dock.m_arrBars.RemoveAll();
        dock.m_arrBars.Add(nullptr);
        for (const char* p = spec; *p; ++p) {
            if (*p == '|')
                dock.m_arrBars.Add(nullptr);
            else if (*p >= '0' && *p <= '9')
                dock.m_arrBars.Add(CDockBar::Placeholder((UINT)(*p - '0')));
            else {
                dock.m_arrBars.Add(Bar(*p));
                if (*p >= 'a')
                    dock.m_hidden.insert(Bar(*p));
            }
        }
    }
    std::string Dump() const {
        std::string s;
        for (INT_PTR i = 1; i < dock.m_arrBars.GetSize(); ++i) {
            void* p = dock.m_arrBars[i];
            if (p == nullptr)
                s += '|';
            else if (CDockBar::IsPlaceholder(p))
                s += (char)('0' + (int)(UINT_PTR)p);
            else {
                const int n = (int)(static_cast<const SECControlBar*>(p) - bars);
                const char c = n == 6 ? 'X' : (char)('A' + n);
                s += dock.m_hidden.count(static_cast<const CControlBar*>(p)) ? (char)(c | 0x20) : c;
            }
        }
        return s;
    }
};
} // namespace

TEST(DockRows, InsertionByRowAndColumnFollowsTheCountingFlags) {
    struct Case {
        const char* before;
        int nRow, nCol;
        DWORD dwFlags;
        const char* after;
    };
    const DWORD end = SECDockPos::rowsFromEnd, tail = SECDockPos::colsFromEnd,
                own = SECDockPos::newRow;
    const Case cases[] = {
        {"AB|C|", 0, 0, 0, "XAB|C|"},
        {"AB|C|", 0, 1, 0, "AXB|C|"},
        {"AB|C|", 0, 9, 0, "ABX|C|"}, // a column past the row: its end
        {"AB|C|", 1, 0, 0, "AB|XC|"},
        {"AB|C|", 2, 0, 0, "AB|C|X|"},  // the row after the last: a new last row
        {"AB|C|", 5, 0, 0, "AB|C||X|"}, // far past: clamped to one row beyond
        {"AB|C|", -1, 0, 0, "XAB|C|"},
        {"AB|C|", -2, 0, 0, "X|AB|C|"},
        {"AB|C|", 0, 0, own, "X|AB|C|"},
        {"AB|C|", 1, 3, own, "AB|X|C|"},
        {"AB|C|", 0, 0, end, "AB|XC|"}, // from the end: row 0 is the last
        {"AB|C|", -1, 0, end, "XAB|C|"},
        {"AB|C|", 1, 0, end, "AB|C|X|"},
        {"AB|C|", -9, 0, end, "X||AB|C|"}, // before the first row, from the front again
        {"AB|C|", 0, 0, tail, "ABX|C|"},
        {"AB|C|", 0, -1, tail, "AXB|C|"},
        {"AB|C|", 0, 2, tail, "ABX|C|"},
        {"Ab7C|", 0, 1, 0, "Ab7XC|"}, // hidden bars and placeholders are not counted
        {"Ab7C|", 0, -1, tail, "Ab7XC|"},
        {"", 3, 2, 0, "X|"},
        {"AB|C|", INT_MIN, 0, 0, "X||AB|C|"}, // untrusted rows are clamped, never looped over
        {"AB|C|", INT_MAX, INT_MAX, 0, "AB|C||X|"},
        {"AB|C|", 0, INT_MIN, tail, "XAB|C|"},
    };
    for (const Case& c : cases) {
        RowFixture f;
        f.Load(c.before);
        const int nIndex = f.dock.GetInsertIndex(f.Bar('X'), SECDockPos{c.nRow, c.nCol, c.dwFlags});
        EXPECT_EQ(c.after, f.Dump())
            << c.before << " row " << c.nRow << " col " << c.nCol << " flags " << c.dwFlags;
        EXPECT_EQ(f.Bar('X'), f.dock.m_arrBars[nIndex]);
    }
}

TEST(DockRows, ABarDockedWhereItSaysItIsLeavesTheArrayAsItWas) {
    const char* arrays[] = {"AB|C|", "aB|C|", "A7B|cD|", "A||B|", "AbC|D|E7|"};
    for (const char* spec : arrays) {
        RowFixture probe;
        probe.Load(spec);
        for (const char* p = spec; *p; ++p) {
            if (*p < 'A' || *p > 'F')
                continue; // only shown bars have a place to report
            RowFixture f;
            f.Load(spec);
            SECControlBar* pBar = f.Bar(*p);
            int nRow, nCol, nThickness;
            ASSERT_TRUE(f.dock.GetBarRowPosition(pBar, nRow, nCol, nThickness)) << spec << *p;
            const int nNew = f.dock.GetInsertIndexColumnRow(pBar, nCol, nRow);
            f.dock.RemoveControlBar(pBar, nNew, FALSE);
            EXPECT_EQ(spec, f.Dump()) << "bar " << *p << " at row " << nRow << " col " << nCol;
        }
    }
    RowFixture f;
    f.Load("Ab|");
    int nRow = 9, nCol = 9, nThickness = 9;
    EXPECT_FALSE(f.dock.GetBarRowPosition(f.Bar('B'), nRow, nCol, nThickness));
    EXPECT_EQ(0, nRow + nCol + nThickness);
}

TEST(DockRows, NormalisationKeepsSettledSharesAndGivesTheMovingBarsTheirs) {
    struct Case {
        const char* name;
        int nLength;
        const char* spec;
        float shares[3];
        BOOL settled[3];
        char sized;
        float expected[3];
    };
    const Case cases[] = {
        {"one bar fills its row", 600, "A|", {0.4f}, {TRUE}, 0, {1.0f}},
        {"a sized bar keeps its part of a settled row",
         600,
         "ABC|",
         {0.5f, 0.5f, 0.5f},
         {TRUE, TRUE, TRUE},
         'A',
         {0.5f, 0.25f, 0.25f}},
        {"a sized bar above the maximum is an ordinary one",
         600,
         "ABC|",
         {0.97f, 0.5f, 0.5f},
         {TRUE, TRUE, TRUE},
         'A',
         {0.97f / 1.97f, 0.5f / 1.97f, 0.5f / 1.97f}},
        {"a bar shown again keeps its share",
         600,
         "ABC|",
         {0.625f, 0.2f, 0.375f},
         {TRUE, FALSE, TRUE},
         0,
         {0.5f, 0.2f, 0.3f}},
        {"more moving than settled: no negative factor",
         600,
         "AB|",
         {0.9f, 0.3f},
         {TRUE, TRUE},
         'A',
         {0.75f, 0.25f}},
        {"nearly equal groups: no exploding factor",
         600,
         "AB|",
         {0.50001f, 0.5f},
         {TRUE, TRUE},
         'A',
         {0.5f, 0.5f}},
        {"no bar below the minimum share",
         180,
         "AB|",
         {0.99f, 0.01f},
         {TRUE, TRUE},
         0,
         {0.99f, 0.1f}},
    };
    for (const Case& c : cases) {
        RowFixture f;
        f.dock.m_nLength = c.nLength;
        f.Load(c.spec);
        const int n = (int)strlen(c.spec) - 1;
        for (int i = 0; i < n; ++i) {
            f.bars[i].m_fFloatProportion = c.shares[i];
            f.bars[i].m_bShareSettled = c.settled[i];
        }
        f.dock.NormalizeRow(1, c.sized ? f.Bar(c.sized) : nullptr, nullptr, nullptr);
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(c.expected[i], f.bars[i].m_fFloatProportion, 1e-3)
                << c.name << " bar " << i;
    }
}

TEST(DockRows, TheMinimumShareFollowsTheRowLength) {
    const struct {
        int nLength;
        float fMin;
    } cases[] = {{180, 0.1f}, {0, 0.05f}, {-5, 0.05f}, {10, 1.0f}, {1800, 0.01f}};
    for (const auto& c : cases) {
        CRowDockBar dock;
        dock.m_nLength = c.nLength;
        dock.ComputeMinimumShare();
        EXPECT_NEAR(c.fMin, dock.m_fMinShare, 1e-6) << c.nLength;
    }
}

TEST(DockRows, HiddenBarsLoseTheirSettledShareAndExpandingGivesTheRowToOneBar) {
    RowFixture f;
    f.Load("AbC|");
    f.dock.NormalizeRow(1, nullptr, nullptr, nullptr);
    EXPECT_FALSE(f.Bar('B')->m_bShareSettled);

    RowFixture two;
    two.Load("AB|");
    two.dock.ExpandBar(two.Bar('A'), 1);
    EXPECT_NEAR(1.0f, two.Bar('A')->m_fFloatProportion, 1e-6);
    EXPECT_NEAR(two.dock.m_fMinShare, two.Bar('B')->m_fFloatProportion, 1e-6);
    EXPECT_TRUE(two.dock.IsBarExpanded(two.Bar('A')));
    two.dock.ExpandBar(two.Bar('A'), 2);
    EXPECT_NEAR(0.5f, two.Bar('A')->m_fFloatProportion, 1e-6);
    EXPECT_NEAR(0.5f, two.Bar('B')->m_fFloatProportion, 1e-6);
    EXPECT_FALSE(two.dock.IsBarExpanded(two.Bar('A')));
}
