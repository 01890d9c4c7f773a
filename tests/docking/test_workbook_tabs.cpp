// The workbook's tab geometry as tables: width rule, outline, label place, cut labels, margins
// and the areas repainted for one tab or the strip.
#include "docking/workbook_tabs.h"

#include <gtest/gtest.h>

#include <vector>

using namespace WorkbookTabs;

TEST(WorkbookTabs, WidthIsTheShareOfTheClientCappedAt90) {
    struct Case {
        int nClient, nSheets, nCurrent, expected;
    };
    const Case cases[] = {
        {300, 1, 100, 90}, // one sheet: the cap, not 305
        {300, 4, 100, 76}, // (300 + 5) / 4
        {300, 7, 90, 43},   {0, 3, 90, 1},
        {-40, 2, 90, 2},    {300, 0, 100, 100}, // no sheets: the width stays
        {2000, 20, 90, 90},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, TabWidth(c.nClient, c.nSheets, c.nCurrent))
            << c.nClient << " px, " << c.nSheets << " sheets";
}

TEST(WorkbookTabs, OutlineOfActiveAndInactiveTabsInBothLooks) {
    const CRect client(10, 20, 410, 220);
    struct Case {
        int nColumn;
        bool bActive, bFlat;
        std::vector<POINT> expected;
    };
    const Case cases[] = {
        // x0 = 10 + 2 * 50, y0 = 224; the inactive tab: cut corners, 23 high.
        {2,
         false,
         false,
         {{110, 224}, {110, 245}, {112, 247}, {158, 247}, {160, 245}, {160, 224}, {110, 224}}},
        // Active, raised: 2 px out on each side, 2 px lower.
        {2,
         true,
         false,
         {{108, 224}, {108, 245}, {110, 249}, {160, 249}, {162, 245}, {162, 224}, {108, 224}}},
        // Active, flat: lower only.
        {2,
         true,
         true,
         {{110, 224}, {110, 245}, {112, 249}, {158, 249}, {160, 245}, {160, 224}, {110, 224}}},
        {0,
         false,
         true,
         {{10, 224}, {10, 245}, {12, 247}, {58, 247}, {60, 245}, {60, 224}, {10, 224}}},
    };
    for (const Case& c : cases) {
        POINT points[polygonPoints];
        TabPolygon(client, c.nColumn, 50, c.bActive, c.bFlat, points);
        for (int i = 0; i < polygonPoints; ++i) {
            EXPECT_EQ(c.expected[i].x, points[i].x) << "column " << c.nColumn << " point " << i + 1;
            EXPECT_EQ(c.expected[i].y, points[i].y) << "column " << c.nColumn << " point " << i + 1;
        }
    }
}

TEST(WorkbookTabs, LabelSitsRightOfTheIconInsideTheCorners) {
    POINT points[polygonPoints];
    TabPolygon(CRect(10, 20, 410, 220), 2, 50, false, false, points);
    EXPECT_EQ(CRect(131, 224, 158, 247), LabelRect(points, 16));
    EXPECT_EQ(CRect(115, 224, 158, 247), LabelRect(points, 0));
}

TEST(WorkbookTabs, LongLabelsAreCutWithAnEllipsisShortOnesNever) {
    const auto measure = [](const CString& s) { return s.GetLength() * 6; };
    struct Case {
        LPCWSTR label;
        int nWidth;
        LPCWSTR expected;
    };
    const Case cases[] = {
        {L"registers.c", 66, L"registers.c"}, // fits exactly
        {L"registers.c", 60, L"registe..."},  // 11 -> 10 characters
        {L"registers.c", 25, L"r..."},        // down to 4 characters: 24 px fits
        {L"registers.c", 10, L"..."},         // no width: the ellipsis alone is never cut
        {L"abc", 0, L"abc"},                  // 3 characters: drawn unchanged
        {L"", 0, L""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, FitLabel(c.label, c.nWidth, measure).GetString())
            << c.label << " in " << c.nWidth;
}

TEST(WorkbookTabs, MarginsAndRepaintAreas) {
    EXPECT_EQ(CRect(0, 0, 0, 0), ClientMargins(false, false));
    EXPECT_EQ(CRect(0, 0, 0, 0), ClientMargins(false, true));
    EXPECT_EQ(CRect(13, 13, 13, 33), ClientMargins(true, false));
    EXPECT_EQ(CRect(3, 3, 5, 30), ClientMargins(true, true));

    const CRect client(13, 13, 613, 313);
    EXPECT_EQ(CRect(111, 317, 165, 344), TabInvalidRect(client, 2, 50, false, false, 640));
    EXPECT_EQ(CRect(111, 316, 640, 343), TabInvalidRect(client, 2, 50, true, true, 640));
    EXPECT_EQ(CRect(0, 317, 640, 344), StripRect(client, 0, 640));
}
