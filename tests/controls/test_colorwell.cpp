// Colour wells without the real mouse: what SetColor selects, the keyboard moves, the plain
// well's messages, the "&Other..." custom cell and the data exchange.
#include "controls_test_support.h"
#include "tests/support/dialog_test_support.h"

#include <gtest/gtest.h>

namespace {

struct Cell {
    int col, row;
    bool operator==(const Cell& o) const { return col == o.col && row == o.row; }
};
std::ostream& operator<<(std::ostream& os, const Cell& c) {
    return os << "(" << c.col << ", " << c.row << ")";
}
Cell Selected(const SECColorWell& well) {
    return Cell{well.GetSelectedCol(), well.GetSelectedRow()};
}

class WellTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Open());
        ASSERT_FALSE(dlg.m_bInitFailed);
    }
    ControlsDialog dlg;
};

// The grid holds one colour twice: at palette index 6 (column 2, row 1) and index 9
// (column 1, row 2).
class TwinWell : public SECColorWell {
public:
    void FillWellPalette(PALETTEENTRY* pEntries, int nCount, int) override {
        ASSERT_GT(nCount, 9);
        pEntries[6] = pEntries[9] = PALETTEENTRY{1, 2, 3, 0};
    }
};

} // namespace

TEST_F(WellTest, SetColorSelectsTheCellOrTheCustomCellAndSendsNothing) {
    struct Case {
        SECColorWell* well;
        COLORREF color;
        Cell expected;
        bool custom;
        COLORREF shown; // GetColor afterwards
    } cases[] = {
        {&dlg.m_plainWell, RGB(0, 128, 128), {2, 1}, false, RGB(0, 128, 128)},
        {&dlg.m_plainWell, RGB(255, 255, 255), {3, 4}, false, RGB(255, 255, 255)},
        // Not in the grid and no "&Other...": nothing changes.
        {&dlg.m_plainWell, RGB(1, 2, 3), {3, 4}, false, RGB(255, 255, 255)},
        {&dlg.m_well, RGB(255, 0, 0), {1, 3}, false, RGB(255, 0, 0)},
        // The custom cell below the grid takes it, and keeps showing afterwards.
        {&dlg.m_well, RGB(1, 2, 3), {3, 5}, true, RGB(1, 2, 3)},
        {&dlg.m_well, RGB(4, 5, 6), {3, 5}, true, RGB(4, 5, 6)},
        {&dlg.m_well, RGB(0, 0, 0), {0, 0}, true, RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        c.well->SetColor(c.color);
        EXPECT_EQ(Selected(*c.well), c.expected) << std::hex << c.color;
        EXPECT_EQ(c.well->IsCustomCellVisible() != FALSE, c.custom) << std::hex << c.color;
        EXPECT_EQ(c.well->GetColor(), c.shown) << std::hex << c.color;
    }
    EXPECT_TRUE(dlg.m_colorMessages.empty());
}

TEST_F(WellTest, ColourInTheGridTwiceSelectsTheFirstInColumnOrder) {
    TwinWell well;
    ASSERT_TRUE(well.Create(WS_VISIBLE, 0, 0, &dlg, 1200));
    well.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(Selected(well), (Cell{1, 2}));
}

TEST_F(WellTest, CustomCellNarrowsTheOtherButtonOnce) {
    CButton* pOther = dlg.m_well.GetOtherButton();
    ASSERT_NE(pOther, nullptr);
    auto width = [&] {
        CRect rect;
        pOther->GetWindowRect(&rect);
        return rect.Width();
    };
    const int before = width();
    const CRect cell = dlg.m_well.GetCellRect(0, 0);
    dlg.m_well.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(width(), before - cell.Width() - 2);
    dlg.m_well.SetColor(RGB(4, 5, 6));
    EXPECT_EQ(width(), before - cell.Width() - 2);
    // The custom cell sits beside the narrowed button, inside its row.
    CRect button;
    pOther->GetWindowRect(&button);
    dlg.m_well.ScreenToClient(&button);
    const CRect custom = dlg.m_well.GetCellRect(3, 5);
    EXPECT_LT(button.right, custom.left);
    EXPECT_GE(custom.top, button.top);
    EXPECT_LE(custom.bottom, button.bottom);
}

TEST(WellWithoutWindow, SetColorStoresTheSelectionOnly) {
    SECColorWell well;
    well.SetColor(RGB(0, 128, 128));
    EXPECT_EQ(Selected(well), (Cell{2, 1}));
    EXPECT_EQ(well.GetColor(), RGB(0, 128, 128));
    well.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(Selected(well), (Cell{2, 1}));

    SECWellButton button;
    button.SetColor(RGB(9, 8, 7));
    EXPECT_EQ(button.GetColor(), RGB(9, 8, 7));
}

TEST(WellKeys, ArrowKeysWrapThroughTheGridAndTheCustomCell) {
    struct Case {
        UINT vk;
        Cell from;
        bool custom;
        Cell to;
    } cases[] = {
        {VK_LEFT, {2, 1}, false, {1, 1}},  {VK_LEFT, {0, 1}, false, {3, 0}},
        {VK_LEFT, {0, 0}, true, {3, 5}},   {VK_LEFT, {0, 0}, false, {3, 4}},
        {VK_LEFT, {3, 5}, true, {3, 4}},   {VK_RIGHT, {1, 1}, false, {2, 1}},
        {VK_RIGHT, {3, 1}, false, {0, 2}}, {VK_RIGHT, {3, 4}, true, {3, 5}},
        {VK_RIGHT, {3, 4}, false, {0, 0}}, {VK_RIGHT, {3, 5}, true, {0, 0}},
        {VK_UP, {2, 2}, false, {2, 1}},    {VK_UP, {3, 0}, true, {3, 5}},
        {VK_UP, {3, 0}, false, {3, 4}},    {VK_UP, {1, 0}, true, {1, 4}},
        {VK_UP, {3, 5}, true, {3, 4}},     {VK_DOWN, {2, 2}, false, {2, 3}},
        {VK_DOWN, {3, 4}, true, {3, 5}},   {VK_DOWN, {3, 4}, false, {3, 0}},
        {VK_DOWN, {1, 4}, true, {1, 0}},   {VK_DOWN, {3, 5}, true, {3, 0}},
    };
    for (const Case& c : cases) {
        Cell cell = c.from;
        ASSERT_TRUE(SECColorWell::NextCell(c.vk, 4, 5, c.custom, cell.col, cell.row));
        EXPECT_EQ(cell, c.to) << "key " << c.vk << " from " << c.from << " custom " << c.custom;
    }
    Cell cell{1, 1};
    EXPECT_FALSE(SECColorWell::NextCell(VK_HOME, 4, 5, TRUE, cell.col, cell.row));
    EXPECT_EQ(cell, (Cell{1, 1}));
}

TEST_F(WellTest, PlainWellSendsEachKeyMoveAndIgnoresMouseMoves) {
    HWND hWell = dlg.m_plainWell.m_hWnd;
    ::SendMessageW(hWell, WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageW(hWell, WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_EQ(dlg.m_colorMessages.size(), 2u);
    EXPECT_EQ(dlg.m_colorMessages[0],
              std::make_pair(WPARAM(IDC_COLOR_WELL_PLAIN), LPARAM(RGB(128, 0, 0))));
    EXPECT_EQ(dlg.m_colorMessages[1],
              std::make_pair(WPARAM(IDC_COLOR_WELL_PLAIN), LPARAM(RGB(128, 0, 128))));

    const CPoint other = dlg.m_plainWell.GetCellRect(3, 3).CenterPoint();
    ::SendMessageW(hWell, WM_MOUSEMOVE, 0, MAKELPARAM(other.x, other.y));
    EXPECT_EQ(Selected(dlg.m_plainWell), (Cell{1, 1}));
    EXPECT_EQ(dlg.m_colorMessages.size(), 2u);

    ::SendMessageW(hWell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(other.x, other.y));
    EXPECT_EQ(Selected(dlg.m_plainWell), (Cell{3, 3}));
    ASSERT_EQ(dlg.m_colorMessages.size(), 3u);
    EXPECT_EQ(dlg.m_colorMessages[2].second, LPARAM(RGB(255, 255, 0)));
}

TEST_F(WellTest, OtherRunsTheColourDialogAndTheCustomCellTakesItsColour) {
    DialogDismisser answer(IDOK, dlg.m_hWnd);
    AnswerColorDialog(answer, RGB(10, 20, 30));
    dlg.m_well.SendMessage(WM_COMMAND, MAKEWPARAM(ID_COLORWELL_OTHER, BN_CLICKED),
                           (LPARAM)dlg.m_well.GetOtherButton()->m_hWnd);
    ASSERT_EQ(answer.m_titles.size(), 1u);
    EXPECT_TRUE(dlg.m_well.IsCustomCellVisible());
    EXPECT_EQ(Selected(dlg.m_well), (Cell{3, 5}));
    EXPECT_EQ(dlg.m_well.GetColor(), RGB(10, 20, 30));
    ASSERT_EQ(dlg.m_colorMessages.size(), 1u);
    EXPECT_EQ(dlg.m_colorMessages[0],
              std::make_pair(WPARAM(IDC_COLOR_WELL), LPARAM(RGB(10, 20, 30))));
}

TEST_F(WellTest, CancelledColourDialogChangesNothing) {
    DialogDismisser answer(IDCANCEL, dlg.m_hWnd);
    dlg.m_well.SendMessage(WM_COMMAND, MAKEWPARAM(ID_COLORWELL_OTHER, BN_CLICKED), 0);
    ASSERT_EQ(answer.m_titles.size(), 1u);
    EXPECT_FALSE(dlg.m_well.IsCustomCellVisible());
    EXPECT_TRUE(dlg.m_colorMessages.empty());
}

TEST_F(WellTest, DataExchangeLoadsAndSavesTheColour) {
    COLORREF wellColor = RGB(0, 0, 255), buttonColor = RGB(7, 8, 9);
    CDataExchange load(&dlg, FALSE);
    DDX_ColorWellColor(&load, dlg.m_plainWell, wellColor);
    DDX_WellButtonColor(&load, dlg.m_wellButton, buttonColor);
    EXPECT_EQ(dlg.m_plainWell.GetColor(), RGB(0, 0, 255));
    EXPECT_EQ(dlg.m_wellButton.GetColor(), RGB(7, 8, 9));

    dlg.m_plainWell.SetColor(RGB(255, 0, 255));
    dlg.m_wellButton.SetColor(RGB(1, 1, 1));
    CDataExchange save(&dlg, TRUE);
    DDX_ColorWellColor(&save, dlg.m_plainWell, wellColor);
    DDX_WellButtonColor(&save, dlg.m_wellButton, buttonColor);
    EXPECT_EQ(wellColor, RGB(255, 0, 255));
    EXPECT_EQ(buttonColor, RGB(1, 1, 1));
}

TEST_F(WellTest, PopupNearTheBottomRightOpensAboveAndRightAligned) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    CRect anchor;
    dlg.m_wellButton.GetWindowRect(&anchor);
    CRect window;
    dlg.GetWindowRect(&window);
    // The button's bottom right a few pixels inside the screen's.
    dlg.SetWindowPos(NULL, window.left + (cx - 5 - anchor.right),
                     window.top + (cy - 5 - anchor.bottom), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.m_wellButton.GetWindowRect(&anchor);
    dlg.m_wellButton.OnClicked();
    SECPopupColorWell* pPopup = dlg.m_wellButton.GetPopup();
    ASSERT_TRUE(pPopup->IsPopupActive());
    CRect popup;
    pPopup->GetWindowRect(&popup);
    EXPECT_EQ(popup.bottom, anchor.top);
    EXPECT_EQ(popup.right, anchor.right);

    // Back at the top left it opens below, left-aligned.
    ::SendMessageW(pPopup->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    dlg.SetWindowPos(NULL, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.m_wellButton.GetWindowRect(&anchor);
    dlg.m_wellButton.OnClicked();
    ASSERT_TRUE(pPopup->IsPopupActive());
    pPopup->GetWindowRect(&popup);
    EXPECT_EQ(popup.TopLeft(), CPoint(anchor.left, anchor.bottom));
    ::SendMessageW(pPopup->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(dlg.m_colorMessages.empty());
}
