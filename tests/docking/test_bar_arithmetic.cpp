// The control bar's size arithmetic, without windows.
#include "docking_test_support.h"

namespace {
struct LayoutCase {
    const char* name;
    int nLength;
    DWORD nMode;
    float fShare;
    CSize horz, vert, flt; // after the call
    CSize result;
};
} // namespace

TEST(BarArithmetic, CalcDynamicLayoutStoresWhereTheModeSaysAndAnswersTheDockedOrFloatingSize) {
    const CSize h0(300, 40), v0(60, 200), f0(150, 90);
    const LayoutCase cases[] = {
        {"query horz dock", -1, LM_HORZDOCK | LM_HORZ, 1.0f, h0, v0, f0, h0},
        {"query vert dock", -1, LM_VERTDOCK, 1.0f, h0, v0, f0, v0},
        {"query floating", -1, LM_HORZ | LM_MRUWIDTH, 1.0f, h0, v0, f0, f0},
        {"commit horz width", 500, LM_HORZDOCK | LM_HORZ | LM_COMMIT, 1.0f, CSize(500, 40), v0, f0,
         CSize(500, 40)},
        {"commit horz height", 55, LM_HORZDOCK | LM_HORZ | LM_LENGTHY | LM_COMMIT, 1.0f,
         CSize(300, 55), v0, f0, CSize(300, 55)},
        {"commit half the length", 400, LM_HORZDOCK | LM_HORZ | LM_COMMIT | LM_STRETCH, 0.5f,
         CSize(200, 40), v0, f0, CSize(200, 40)},
        {"commit vert height", 333, LM_VERTDOCK | LM_LENGTHY | LM_COMMIT, 1.0f, h0, CSize(60, 333),
         f0, CSize(60, 333)},
        {"commit floating width", 222, LM_HORZ | LM_COMMIT, 1.0f, h0, v0, CSize(222, 90),
         CSize(222, 90)},
        {"commit floating height", 111, LM_HORZ | LM_LENGTHY | LM_COMMIT, 1.0f, h0, v0,
         CSize(150, 111), CSize(150, 111)},
        {"a negative length stores 0", -40, LM_HORZDOCK | LM_HORZ | LM_COMMIT, 1.0f, CSize(0, 40),
         v0, f0, CSize(0, 40)},
    };
    for (const LayoutCase& c : cases) {
        SECControlBar bar;
        bar.m_szHorzDock = h0;
        bar.m_szVertDock = v0;
        bar.m_szFloat = f0;
        bar.m_fFloatProportion = c.fShare;
        const CSize result = bar.CalcDynamicLayout(c.nLength, c.nMode);
        EXPECT_EQ(c.result, result) << c.name;
        EXPECT_EQ(c.horz, bar.m_szHorzDock) << c.name;
        EXPECT_EQ(c.vert, bar.m_szVertDock) << c.name;
        EXPECT_EQ(c.flt, bar.m_szFloat) << c.name;
    }
    SECControlBar bar;
    bar.m_szFloat = f0;
    bar.CalcDynamicLayout(260, LM_HORZ | LM_COMMIT);
    EXPECT_EQ(260, bar.m_nMRUWidth); // the floating width is the most recent width too
}

TEST(BarArithmetic, TheInsideRectangleTakesOffGripperBordersAndMarginsByTheStyles) {
    CDockBar docked(FALSE), floating(TRUE);
    struct Case {
        const char* name;
        DWORD dwExStyle, dwStyle;
        CDockBar* pDockBar;
        BOOL bHorz, bGripper;
        CRect expected; // from (0, 0, 100, 50)
    };
    const DWORD borders = CBRS_BORDER_ANY;
    const Case cases[] = {
        {"own borders, docked lying with gripper", CBRS_EX_COOL | CBRS_EX_GRIPPER, borders, &docked,
         TRUE, FALSE, CRect(1 + 17, 1 + 2, 99 - 6, 49 - 2)},
        {"own borders, docked standing, gripper asked", CBRS_EX_COOL | CBRS_EX_GRIPPER, borders,
         &docked, FALSE, TRUE, CRect(1 + 6, 1 + 17, 99 - 6, 49 - 2)},
        {"own borders, docked standing, gripper not asked", CBRS_EX_COOL | CBRS_EX_GRIPPER, borders,
         &docked, FALSE, FALSE, CRect(1 + 6, 1 + 2, 99 - 6, 49 - 2)},
        {"own borders, floating: no gripper", CBRS_EX_COOL | CBRS_EX_GRIPPER, borders, &floating,
         TRUE, TRUE, CRect(1 + 6, 1 + 2, 99 - 6, 49 - 2)},
        {"own borders without the gripper bit", CBRS_EX_COOL, borders, &docked, TRUE, TRUE,
         CRect(1 + 6, 1 + 2, 99 - 6, 49 - 2)},
        {"own borders, no border bits", CBRS_EX_COOL | CBRS_EX_GRIPPER, 0, &docked, TRUE, FALSE,
         CRect(17, 2, 94, 48)},
    };
    for (const Case& c : cases) {
        SECControlBar bar;
        bar.m_dwExStyle = c.dwExStyle;
        bar.m_dwStyle = c.dwStyle;
        bar.m_pDockBar = c.pDockBar;
        CRect rect(0, 0, 100, 50);
        bar.CalcInsideRectEx(rect, c.bHorz, c.bGripper);
        EXPECT_EQ(c.expected, rect) << c.name;
        bar.m_pDockBar = nullptr;
    }
    // Without its own border style the framework's rectangle stands.
    SECControlBar plain, framework;
    plain.m_dwStyle = framework.m_dwStyle = borders;
    plain.m_dwExStyle = CBRS_EX_GRIPPER;
    CRect a(0, 0, 100, 50), b(0, 0, 100, 50);
    plain.CalcInsideRectEx(a, TRUE, TRUE);
    framework.CControlBar::CalcInsideRect(b, TRUE);
    EXPECT_EQ(b, a);
}

TEST(BarArithmetic, TheStickyBitSurvivesEveryLaterStyle) {
    SECControlBar bar;
    bar.SetExBarStyle(CBRS_EX_STICKY | CBRS_EX_GRIPPER, FALSE);
    bar.SetExBarStyle(CBRS_EX_COOL, FALSE);
    EXPECT_EQ((DWORD)(CBRS_EX_STICKY | CBRS_EX_COOL), bar.GetExBarStyle());
    bar.ModifyBarStyleEx(CBRS_EX_STICKY | CBRS_EX_COOL, 0, FALSE);
    EXPECT_EQ((DWORD)CBRS_EX_STICKY, bar.GetExBarStyle());
}

TEST(BarArithmetic, AHiddenOrLooseBarReportsNoPositionAndZeroesEveryOutput) {
    SECControlBar bar;
    int nRow = 7, nCol = 7, nHeight = 7;
    UINT nID = 7;
    float fShare = 7.0f;
    EXPECT_FALSE(bar.GetDockPosition(nRow, nCol, nID, fShare, nHeight));
    EXPECT_EQ(0, nRow);
    EXPECT_EQ(0, nCol);
    EXPECT_EQ(0u, nID);
    EXPECT_EQ(0.0f, fShare);
    EXPECT_EQ(0, nHeight);
}
