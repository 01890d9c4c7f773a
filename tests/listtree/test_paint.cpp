// What the list paints: header, cells, highlight by focus and style, drop highlight, the
// full-row focus rectangle, grid lines, a disabled window, a derived colour choice, and the
// scroll bars as the window is resized.
#include "list_fixture.h"
#include "scroll_paint_check.h"
#include "tests/support/picture_canvas.h"
#include "tests/support/screenshot.h"

#include "listtree/list_shared.h"
#include "toolbars/drawing/themeapi.h"

#include <memory>

namespace {

class ListPaint : public ListFixture {
protected:
    Picture Paint() {
        CRect rc;
        ::GetClientRect(list.m_hWnd, &rc);
        PictureCanvas canvas(rc.Width(), rc.Height());
        list.DoPaint(&canvas.DC());
        return canvas.Take();
    }
    // A point on the row's label background (left of its text) and one inside a sub-item cell
    // beyond its text.
    CPoint LabelBk(int nRow) {
        CRect rc;
        list.GetSubItemRect(nRow, 0, &rc, LVIR_LABEL);
        return CPoint(rc.left - 2, rc.top + 1);
    }
    CPoint SubCellBk(int nRow, int nCol) {
        CRect rc;
        list.GetSubItemRect(nRow, nCol, &rc, LVIR_BOUNDS);
        return CPoint(rc.right - 8, rc.top + 1);
    }
    static COLORREF Sys(int n) { return ::GetSysColor(n); }
};

TEST_F(ListPaint, SelectionFollowsFocusStyleAndFullRowSelect) {
    Fill(6);
    list.DeselectAllExcept(-1);
    list.FocusItem(2, TRUE);
    list.SetFocus();
    auto p = Paint();
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), p.At(LabelBk(2).x, LabelBk(2).y));
    EXPECT_EQ(Sys(COLOR_WINDOW), p.At(SubCellBk(2, 2).x, SubCellBk(2, 2).y));
    EXPECT_EQ(Sys(COLOR_WINDOW), p.At(LabelBk(1).x, LabelBk(1).y));

    list.ModifyListExStyle(0, LVXS_FULLROWSELECT | LVXS_VERTGRID | LVXS_HORZGRID, TRUE);
    p = Paint();
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), p.At(SubCellBk(2, 2).x, SubCellBk(2, 2).y));
    // The focus rectangle runs round the row from just left of the main label.
    CRect rcLabel, rcRow;
    list.GetSubItemRect(2, 0, &rcLabel, LVIR_LABEL);
    list.GetSubItemRect(2, 3, &rcRow, LVIR_BOUNDS);
    int nFocusDots = 0;
    for (int x = rcLabel.left; x < rcRow.right - 4; ++x)
        if (p.At(x, rcRow.top) != Sys(COLOR_HIGHLIGHT) &&
            p.At(x, rcRow.top) != Sys(COLOR_BTNSHADOW))
            ++nFocusDots;
    EXPECT_GT(nFocusDots, 20);
    // Grid lines: each column's right edge down a row, and each row's bottom.
    CRect rcCell;
    list.GetSubItemRect(4, 1, &rcCell, LVIR_BOUNDS);
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), p.At(rcCell.right - 1, rcCell.top + 3));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), p.At(rcCell.left + 30, rcCell.bottom - 1));
    ASSERT_TRUE(SavePng(p, ScreenshotPath(L"list_selection_grid.png")));

    // Without the focus: inactive colours with LVS_SHOWSELALWAYS, plain without it.
    ::SetFocus(parent.m_hWnd);
    list.ModifyListExStyle(LVXS_FULLROWSELECT, 0, TRUE);
    p = Paint();
    EXPECT_EQ(SECListShared().rgbInactiveSelBk, p.At(LabelBk(2).x, LabelBk(2).y));
    list.ModifyListStyle(LVS_SHOWSELALWAYS, 0, TRUE);
    p = Paint();
    EXPECT_EQ(Sys(COLOR_WINDOW), p.At(LabelBk(2).x, LabelBk(2).y));
    // The drop highlight shows in the main column whatever the focus.
    list.SetDropHilite(4);
    p = Paint();
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), p.At(LabelBk(4).x, LabelBk(4).y));
    EXPECT_EQ(Sys(COLOR_WINDOW), p.At(SubCellBk(4, 2).x, SubCellBk(4, 2).y));
}

TEST_F(ListPaint, HeaderItemsTextAndIconsStayInsideTheirColumns) {
    Fill(2);
    // Column 1: a heading far too long; its neighbour's header must stay clean.
    list.SetColumnText(1, L"A heading much too long for its column");
    list.SetColumnWidth(1, 60);
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 1));
    CBitmap red;
    {
        CClientDC screen(NULL);
        red.CreateCompatibleBitmap(&screen, 16, 16);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* pOld = dc.SelectObject(&red);
        dc.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 0));
        dc.SelectObject(pOld);
    }
    ASSERT_EQ(0, images.Add(&red, (CBitmap*)NULL));
    list.SetImageList(&images, 3);
    for (int c : {2, 3}) {
        LVCOLUMN col = {};
        col.mask = LVCF_IMAGE;
        col.iImage = 0;
        list.SetColumn(c, &col, TRUE);
    }
    list.SetColumnWidth(2, 30);
    list.SetColumnWidth(3, 22);
    list.RecalcLayout();
    auto p = Paint();
    const int h = list.GetHeaderHeight();
    CRect rc1(list.GetColumnRight(1) - 5, 2, list.GetColumnRight(1) - 1, h - 2);
    EXPECT_EQ(0, p.Count(rc1, Sys(COLOR_BTNTEXT))); // cut with an ellipsis, not spilled
    CRect rc2(list.GetColumnLeft(2), 0, list.GetColumnRight(2), h);
    CRect rc3(list.GetColumnLeft(3), 0, list.GetColumnRight(3), h);
    EXPECT_GT(p.Count(rc2, RGB(255, 0, 0)), 100); // 30 pixels: the icon shows
    EXPECT_EQ(0, p.Count(rc3, RGB(255, 0, 0)));   // 22 pixels: no icon
    EXPECT_EQ(Sys(COLOR_BTNFACE), p.At(list.GetColumnRight(4) + 20, h / 2));
    ASSERT_TRUE(SavePng(p, ScreenshotPath(L"list_header.png")));
    // A private copy: changing the source later does not change what the list draws.
    images.DeleteImageList();
    p = Paint();
    EXPECT_GT(p.Count(rc2, RGB(255, 0, 0)), 100);
}

TEST_F(ListPaint, ADisabledWindowPaintsInTheDisabledColours) {
    Fill(3);
    list.FocusItem(1, TRUE);
    list.EnableWindow(FALSE);
    auto p = Paint();
    EXPECT_EQ(SECListShared().rgbInactiveSelBk, p.At(SubCellBk(0, 2).x, SubCellBk(0, 2).y));
    CRect rcLabel;
    list.GetSubItemRect(0, 0, &rcLabel, LVIR_LABEL);
    EXPECT_GT(p.Count(rcLabel, Sys(COLOR_GRAYTEXT)), 5);
    list.EnableWindow(TRUE);
}

class GreenRowList : public SECListCtrl {
public:
    void PickTextColors(SECListPaintContext* pContext) override {
        SECListCtrl::PickTextColors(pContext);
        if (pContext->lvi.iItem == 1)
            pContext->rgbTextBk = RGB(0, 200, 0);
    }
};

TEST_F(ListPaint, ADerivedClassChoosesItsOwnColours) {
    GreenRowList green;
    ASSERT_TRUE(
        green.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 120), &parent, 101));
    green.AppendColumnArgs(L"Name", LVCFMT_LEFT, 120);
    green.InsertItemText(0, L"plain");
    green.InsertItemText(1, L"green");
    green.RecalcLayout();
    PictureCanvas canvas(300, 120);
    green.DoPaint(&canvas.DC());
    const Picture p = canvas.Take();
    CRect rc;
    green.GetSubItemRect(1, 0, &rc, LVIR_LABEL);
    EXPECT_EQ(RGB(0, 200, 0), p.At(rc.left - 2, rc.top + 1));
    green.GetSubItemRect(0, 0, &rc, LVIR_LABEL);
    EXPECT_NE(RGB(0, 200, 0), p.At(rc.left - 2, rc.top + 1));
    green.DestroyWindow();
}

class NoMemDCList : public SECListCtrl {
public:
    BOOL NewMemDC(CDC*, CDC** ppMemDC, RECT*) override {
        *ppMemDC = NULL;
        return FALSE;
    }
};

TEST_F(ListPaint, WithoutAnOffScreenDCThePaintGoesStraightToTheTarget) {
    NoMemDCList direct;
    ASSERT_TRUE(
        direct.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 120), &parent, 102));
    direct.AppendColumnArgs(L"Name", LVCFMT_LEFT, 120);
    direct.InsertItemText(0, L"row");
    direct.RecalcLayout();
    PictureCanvas canvas(300, 120);
    direct.DoPaint(&canvas.DC());
    const Picture p = canvas.Take();
    EXPECT_EQ(Sys(COLOR_BTNFACE), p.At(250, 10));
    EXPECT_EQ(Sys(COLOR_WINDOW), p.At(250, 60));
    direct.DestroyWindow();
}

// Records the part of each paint that goes through an off-screen bitmap; with bDirect none does.
class SpyMemDCList : public SECListCtrl {
public:
    bool bDirect = false;
    CRect rcOffScreen;
    BOOL NewMemDC(CDC* pDC, CDC** ppMemDC, RECT* pRect) override {
        rcOffScreen = *pRect;
        if (!bDirect)
            return SECListCtrl::NewMemDC(pDC, ppMemDC, pRect);
        *ppMemDC = NULL;
        return FALSE;
    }
};

// A few rows in a tall window: only their band is painted off-screen, the background below is
// filled in place, and the picture is the same as a paint done wholly in place.
TEST_F(ListPaint, OnlyTheBandOfTheRowsIsPaintedOffScreen) {
    SpyMemDCList spy;
    ASSERT_TRUE(
        spy.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 240), &parent, 103));
    spy.AppendColumnArgs(L"Name", LVCFMT_LEFT, 120);
    for (int i = 0; i < 3; ++i)
        spy.InsertItemText(i, L"row");
    spy.SetBkColor(RGB(255, 255, 0));
    spy.SelectItem(1, TRUE);
    const COLORREF rgbStale = RGB(255, 0, 0);
    auto paint = [&] {
        PictureCanvas canvas(300, 240);
        canvas.DC().FillSolidRect(0, 0, 300, 240, rgbStale);
        spy.DoPaint(&canvas.DC());
        return canvas.Take();
    };
    paint(); // measures the rows
    const auto banded = paint();
    CRect rcLast;
    spy.GetSubItemRect(2, 0, &rcLast, LVIR_BOUNDS);
    EXPECT_EQ(CRect(0, 0, 300, rcLast.bottom), spy.rcOffScreen);
    EXPECT_EQ(0, banded.Count(CRect(0, 0, 300, 240), rgbStale));
    EXPECT_EQ(RGB(255, 255, 0), banded.At(150, rcLast.bottom));
    EXPECT_EQ(RGB(255, 255, 0), banded.At(299, 239));
    spy.bDirect = true;
    const auto direct = paint();
    EXPECT_EQ(0, DifferentPixels(banded, direct));
    spy.DestroyWindow();
}

TEST_F(ListPaint, ResizingShowsAndHidesTheBars) {
    Fill(40);
    auto shown = [&](int nBar) {
        CScrollBar* pBar = list.GetScrollBarCtrl(nBar);
        return pBar != NULL && ::IsWindowVisible(pBar->m_hWnd);
    };
    EXPECT_TRUE(shown(SB_VERT));
    EXPECT_FALSE(shown(SB_HORZ));
    list.SetTopIndex(10);
    EXPECT_EQ(10, list.GetTopIndex());
    list.SetWindowPos(NULL, 0, 0, 300, 1200, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_FALSE(shown(SB_VERT));
    EXPECT_EQ(0, list.GetTopIndex()); // every row fits: back to the top
    EXPECT_TRUE(shown(SB_HORZ));      // five columns are wider than 300
    list.SetWindowPos(NULL, 0, 0, 560, 1200, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_FALSE(shown(SB_HORZ));
    list.ModifyListStyle(0, LVS_NOSCROLL, TRUE);
    list.SetWindowPos(NULL, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_FALSE(shown(SB_VERT));
    EXPECT_FALSE(shown(SB_HORZ));
}

} // namespace

namespace {
// Scrolling by lines and by the wheel moves the rows already shown and paints only the strip
// that comes into view: grid lines, the selection and the focus come out as in a whole paint.
TEST_F(ListPaint, SmallScrollsPaintTheNewStripOnlyAndLookLikeAWholePaint) {
    Fill(60);
    list.ModifyListStyle(0, LVS_NOLABELWRAP, TRUE); // heights stay known while scrolling
    list.ModifyListExStyle(0, LVXS_VERTGRID | LVXS_HORZGRID, TRUE);
    list.SetFocus();
    list.SelectItem(4, TRUE);
    list.FocusItem(5, TRUE);
    const std::vector<std::pair<UINT, WPARAM>> steps = {
        {WM_VSCROLL, SB_LINEDOWN},
        {WM_VSCROLL, SB_LINEDOWN},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA)},
        {WM_VSCROLL, SB_LINEUP},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA)},
        {WM_VSCROLL, SB_LINEDOWN}};
    ExpectScrollsMatchWholePaints(list.m_hWnd, steps);
    EXPECT_EQ(2, list.GetTopIndex());
}

TEST_F(ListPaint, ThemedHeaderPaintsAndHotTracks) {
    InitThemeApi();
    Fill(4);
    // Whether a theme is active depends on the prefix: either way the headings are drawn, and
    // a theme draws its own items rather than classic buttons in the face colour.
    CRect band(0, 0, list.GetColumnRight(4), list.GetHeaderHeight());
    auto dark = [&](const Picture& p) {
        int n = 0;
        for (int y = band.top; y < band.bottom; ++y)
            for (int x = band.left; x < band.right; ++x)
                n += GetRValue(p.At(x, y)) + GetGValue(p.At(x, y)) + GetBValue(p.At(x, y)) < 200;
        return n;
    };
    auto p = Paint();
    SavePng(p, ScreenshotPath(L"list_themed.png"));
    EXPECT_GT(dark(p), 40);
    if (IsThemed()) {
        EXPECT_LT(p.Count(band, ::GetSysColor(COLOR_BTNFACE)), band.Width() * band.Height() / 2);
    }
    // Hot tracking redraws the item under the pointer at once and clears it on leaving.
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(list.GetColumnLeft(2) + 10, 5));
    list.SendMessage(WM_MOUSELEAVE, 0, 0);
    p = Paint();
    EXPECT_GT(dark(p), 40);
    FreeThemeApi();
}

TEST_F(ListFixture, CreationSplitsTheListsOwnStyleBitsOffTheWindow) {
    SECListCtrl other;
    ASSERT_TRUE(other.CreateEx(WS_CHILD | LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS,
                               LVXS_FULLROWSELECT | LVXS_HORZGRID, CRect(0, 0, 100, 100), &parent,
                               103));
    EXPECT_EQ(0u, (DWORD)::GetWindowLongW(other.m_hWnd, GWL_STYLE) & 0xF3FF);
    EXPECT_EQ(0u, (DWORD)::GetWindowLongW(other.m_hWnd, GWL_EXSTYLE) & 0x1FF00000);
    EXPECT_TRUE(other.HasStyle(LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS));
    EXPECT_TRUE(other.HasExStyle(LVXS_FULLROWSELECT | LVXS_HORZGRID));
    EXPECT_TRUE(other.IsHeaderVisible());
    EXPECT_EQ(0, other.GetColumnCount()); // report view: no column of its own
    other.DestroyWindow();

    SECListCtrl icons;
    ASSERT_TRUE(icons.Create(WS_CHILD, CRect(0, 0, 100, 100), &parent, 104));
    EXPECT_FALSE(icons.IsHeaderVisible());
    EXPECT_EQ(1, icons.GetColumnCount());
    icons.DestroyWindow();
}

TEST_F(ListFixture, SwitchingToSingleSelectionDeselectsAMultipleOne) {
    Fill(6);
    list.SelectRange(1, 3, TRUE);
    ASSERT_EQ(4, list.GetSelectedCount());
    list.EnableMultiSelect(FALSE);
    EXPECT_EQ(0, list.GetSelectedCount());
    EXPECT_FALSE(list.IsMultiSelect());
    list.FocusItem(2, TRUE);
    list.SelectItem(4, TRUE);
    EXPECT_EQ((std::vector<int>{4}), SelectedRows());
}

} // namespace
