// What the tree column paints, read back from a DIB: buttons and their sizes, dotted lines that
// keep their pattern while scrolling, indent with lines at root, bold, disabled and selected
// items, the hanging indent, single-line labels, and a multi-column tree.
#include "tree_fixture.h"

#include "list_fixture.h"
#include "scroll_paint_check.h"
#include "tests/support/picture_canvas.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_capture.h"

#include "toolbars/drawing/themeapi.h"

#include <cstdio>

#include <memory>

namespace {

constexpr COLORREF kBack = RGB(230, 240, 250);

// Solid images, one per colour.
std::unique_ptr<CImageList> MakeImages(int cx, int cy, std::vector<COLORREF> colours) {
    auto pList = std::make_unique<CImageList>();
    pList->Create(cx, cy, ILC_COLOR24, (int)colours.size(), 0);
    for (COLORREF c : colours) {
        HDC hScreen = ::GetDC(NULL);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
        HDC hdc = ::CreateCompatibleDC(hScreen);
        HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
        HBRUSH hBrush = ::CreateSolidBrush(c);
        RECT rc = {0, 0, cx, cy};
        ::FillRect(hdc, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        ::ReleaseDC(NULL, hScreen);
        ImageList_Add(pList->GetSafeHandle(), hBitmap, NULL);
        ::DeleteObject(hBitmap);
    }
    return pList;
}

class TreePaint : public TreeCtrlFixture {
protected:
    void SetUp() override {
        TreeCtrlFixture::SetUp();
        tree.SetBkColor(kBack);
    }
    Picture Paint() {
        CRect rc;
        ::GetClientRect(tree.m_hWnd, &rc);
        PictureCanvas canvas(rc.Width(), rc.Height());
        tree.DoPaint(&canvas.DC());
        return canvas.Take();
    }
    CRect RowRect(HTREEITEM h) {
        CRect rc;
        tree.GetSubItemRect(tree.FindItemIndex(h), 0, &rc, LVIR_BOUNDS);
        return rc;
    }
    // The white inside of the button box in the row, grown by its border.
    CRect ButtonBox(const Picture& p, HTREEITEM h) {
        const CRect rcRow = RowRect(h);
        CRect rcLabel;
        tree.GetItemRect(h, &rcLabel, TRUE);
        CRect box(10000, 10000, -1, -1);
        for (int y = rcRow.top; y < rcRow.bottom; ++y)
            for (int x = 0; x < rcLabel.left - 3; ++x)
                if (p.At(x, y) == RGB(255, 255, 255)) {
                    box.left = std::min((int)box.left, x);
                    box.top = std::min((int)box.top, y);
                    box.right = std::max((int)box.right, x + 1);
                    box.bottom = std::max((int)box.bottom, y + 1);
                }
        if (box.right < 0)
            return CRect();
        box.InflateRect(1, 1);
        return box;
    }
    int DarkPixels(const Picture& p, const CRect& rc) {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) {
                const COLORREF c = p.At(x, y);
                if (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100)
                    ++n;
            }
        return n;
    }
};

TEST_F(TreePaint, ButtonSizesFollowTheIconHeight) {
    struct Case {
        int nIcon;
        int nBox;
    } cases[] = {{16, 9}, {13, 7}, {32, 15}, {0, 9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nIcon);
        tree.DeleteItem(TVI_ROOT);
        std::unique_ptr<CImageList> pImages;
        if (c.nIcon > 0) {
            pImages = MakeImages(c.nIcon, c.nIcon, {RGB(200, 0, 0)});
            tree.SetImageList(pImages.get(), TVSIL_NORMAL);
        } else {
            tree.SetImageList(NULL, TVSIL_NORMAL);
        }
        const HTREEITEM a = tree.InsertItem(L"parent", 0, 0);
        tree.InsertItem(L"child", 0, 0, a);
        tree.InsertItem(L"other", 0, 0);
        tree.RecalcLayout();
        auto p = Paint();
        const CRect box = ButtonBox(p, a);
        EXPECT_EQ(c.nBox, box.Width());
        EXPECT_EQ(c.nBox, box.Height());
        // A plus: the sign's vertical stroke above the middle.
        const CPoint mid((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        int nAbove = 0;
        for (int y = box.top + 1; y < mid.y; ++y)
            for (int x = mid.x - 1; x <= mid.x; ++x)
                nAbove += p.At(x, y) == ::GetSysColor(COLOR_WINDOWTEXT);
        EXPECT_GT(nAbove, 0);
        tree.Expand(a, TVE_EXPAND);
        p = Paint();
        nAbove = 0;
        for (int y = box.top + 1; y < mid.y; ++y)
            for (int x = mid.x - 1; x <= mid.x; ++x)
                nAbove += p.At(x, y) == ::GetSysColor(COLOR_WINDOWTEXT);
        EXPECT_EQ(0, nAbove); // a minus
        tree.SetImageList(NULL, TVSIL_NORMAL);
    }
}

// With the theme entries bound, the buttons go through the theme when one is active (its own
// glyph in place of the classic box) and through the classic box otherwise; either way an
// open and a closed button look different, and both sit where the classic box would.
TEST_F(TreePaint, ButtonsUseTheThemeGlyphWhenAThemeIsActive) {
    InitThemeApi();
    const HTREEITEM a = tree.InsertItem(L"closed");
    tree.InsertItem(L"child", a);
    const HTREEITEM b = tree.InsertItem(L"open");
    tree.InsertItem(L"child", b);
    tree.Expand(b, TVE_EXPAND);
    tree.RecalcLayout();
    FreeThemeApi();
    auto classic = Paint();
    const CRect boxClosed = ButtonBox(classic, a), boxOpen = ButtonBox(classic, b);
    ASSERT_FALSE(boxClosed.IsRectEmpty());
    InitThemeApi();
    const bool bThemed = IsThemed() != FALSE;
    std::printf("tree buttons: %s\n", bThemed ? "theme glyphs" : "no active theme, classic boxes");
    RecordProperty("ButtonPath", bThemed ? "theme" : "classic");
    auto p = Paint();
    SavePng(p, ScreenshotPath(L"tree_buttons_themed.png"));
    auto glyph = [&](const Picture& pic, const CRect& box) {
        std::vector<COLORREF> out;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                out.push_back(pic.At(x, y));
        return out;
    };
    EXPECT_NE(glyph(p, boxClosed),
              glyph(p, CRect(CPoint(boxClosed.left, boxOpen.top), boxClosed.Size())));
    int nPainted = 0;
    for (COLORREF c : glyph(p, boxClosed))
        nPainted += c != kBack;
    EXPECT_GT(nPainted, boxClosed.Width()); // something is drawn there
    if (bThemed)
        EXPECT_NE(glyph(classic, boxClosed), glyph(p, boxClosed)); // not the classic box
    else
        EXPECT_EQ(glyph(classic, boxClosed), glyph(p, boxClosed)); // the classic path
    FreeThemeApi();
}

TEST_F(TreePaint, DotsKeepTheirPatternOverAOnePixelScrollAndLinesAtRootIndentOnce) {
    const HTREEITEM a = tree.InsertItem(L"a");
    const HTREEITEM a1 = tree.InsertItem(std::wstring(120, L'w').c_str(), a);
    tree.InsertItem(L"a2", a);
    tree.Expand(a, TVE_EXPAND);
    tree.RecalcLayout();
    auto before = Paint();
    ASSERT_TRUE(tree.ScrollHorz(-1));
    ASSERT_EQ(1, tree.GetHorzOffset());
    auto after = Paint();
    const CRect rc = RowRect(a1);
    const COLORREF dot = ::GetSysColor(COLOR_BTNSHADOW);
    int nDots = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = 1; x < 60; ++x) {
            // The same content pixel: one to the left on the screen after the scroll.
            const bool b0 = before.At(x, y) == dot;
            const bool b1 = after.At(x - 1, y) == dot;
            EXPECT_EQ(b0, b1) << x << "," << y;
            nDots += b0;
        }
    EXPECT_GT(nDots, 6);
    // Lines at root put every label one indent further right.
    tree.ScrollHorz(1);
    CRect rcWith, rcWithout;
    tree.GetItemRect(a, &rcWith, TRUE);
    tree.ModifyTreeStyle(TVS_LINESATROOT, 0, FALSE);
    tree.RecalcLayout();
    Paint();
    tree.GetItemRect(a, &rcWithout, TRUE);
    EXPECT_EQ(tree.GetIndent(), rcWith.left - rcWithout.left);
}

// The tree's lines and buttons come out as in a whole paint after scrolls by lines and by the
// wheel that move the rows already shown.
TEST_F(TreePaint, SmallScrollsLookLikeAWholePaint) {
    for (int i = 0; i < 12; ++i) {
        const HTREEITEM h = tree.InsertItem((L"parent " + std::to_wstring(i)).c_str());
        for (int j = 0; j < 4; ++j) {
            const HTREEITEM c = tree.InsertItem((L"child " + std::to_wstring(j)).c_str(), h);
            if (j == 1)
                tree.InsertItem(L"grandchild", c);
        }
        if (i % 2 == 0)
            tree.ExpandAll(h, FALSE);
    }
    tree.RecalcLayout();
    tree.SelectItem(tree.GetItemFromIndex(6));
    const std::vector<std::pair<UINT, WPARAM>> steps = {
        {WM_VSCROLL, SB_LINEDOWN},
        {WM_VSCROLL, SB_LINEDOWN},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA)},
        {WM_VSCROLL, SB_LINEUP},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA)}};
    ExpectScrollsMatchWholePaints(tree.m_hWnd, steps);
    EXPECT_EQ(1, tree.GetTopIndex());
}

// A drag image holds the item's icon and, 6 pixels past it, its text; there is none without a
// normal image list or for a deleted item. Drawing the drag images puts one at each selected
// row, moved by the offset and indented by the row's level.
TEST_F(TreePaint, DragImagesShowTheIconAndTextOfEachSelectedRow) {
    const HTREEITEM a = tree.InsertItem(L"alpha", 0, 0);
    const HTREEITEM a1 = tree.InsertItem(L"beta", 0, 0, a);
    const HTREEITEM b = tree.InsertItem(L"gamma", 0, 0);
    const HTREEITEM c = tree.InsertItem(L"delta", 0, 0);
    tree.Expand(a, TVE_EXPAND);
    EXPECT_EQ(nullptr, tree.CreateDragImage(a)); // no normal image list
    const COLORREF kRed = RGB(255, 0, 0);
    auto pImages = MakeImages(16, 16, {kRed});
    tree.SetImageList(pImages.get(), TVSIL_NORMAL);
    tree.RecalcLayout();
    Paint();

    std::unique_ptr<CImageList> pDrag(tree.CreateDragImage(a1));
    ASSERT_NE(nullptr, pDrag);
    CSize text;
    {
        CClientDC dc(&tree);
        CFont* pOld = dc.SelectObject(tree.GetItemFont());
        text = dc.GetTextExtent(CString(L"beta"));
        dc.SelectObject(pOld);
    }
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(pDrag->GetSafeHandle(), &cx, &cy));
    EXPECT_EQ(16 + 6 + text.cx, cx);
    EXPECT_EQ(std::max(16, (int)text.cy), cy);
    PictureCanvas imageCanvas(cx, cy);
    imageCanvas.DC().FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
    pDrag->Draw(&imageCanvas.DC(), 0, CPoint(0, 0), ILD_NORMAL);
    const Picture image = imageCanvas.Take();
    EXPECT_EQ(16 * 16, image.Count(CRect(0, 0, 16, 16), kRed));
    EXPECT_GT(DarkPixels(image, CRect(22, 0, cx, cy)), 10); // the text
    EXPECT_EQ(0, DarkPixels(image, CRect(16, 0, 22, cy)));  // the gap

    tree.DeleteItem(c);
    EXPECT_EQ(nullptr, tree.CreateDragImage(c));

    tree.EnableMultiSelect(TRUE);
    tree.DeselectAllExcept(-1);
    tree.SelectItem(tree.FindItemIndex(a), TRUE);
    tree.SelectItem(tree.FindItemIndex(a1), TRUE);
    CRect rcClient;
    tree.GetClientRect(&rcClient);
    PictureCanvas canvas(rcClient.Width(), rcClient.Height());
    canvas.DC().FillSolidRect(rcClient, RGB(255, 255, 255));
    tree.DrawDragImages(&canvas.DC(), -3, -2); // moved right and down: nothing cut off
    const Picture p = canvas.Take();
    ASSERT_TRUE(SavePng(p, ScreenshotPath(L"tree_drag_images.png")));
    auto iconAt = [&](HTREEITEM h, int nLevel) {
        CRect rc;
        tree.GetItemRect(h, &rc, FALSE);
        const CPoint at(rc.left + 3 + (nLevel - 1) * tree.GetIndent(), rc.top + 2);
        return CRect(at, CSize(16, 16));
    };
    EXPECT_EQ(16 * 16, p.Count(iconAt(a, 1), kRed));
    EXPECT_EQ(16 * 16, p.Count(iconAt(a1, 2), kRed));
    EXPECT_EQ(2 * 16 * 16, p.Count(rcClient, kRed)); // b is not selected
    const CRect rcIcon = iconAt(a1, 2);
    EXPECT_GT(DarkPixels(p, CRect(rcIcon.right + 6, rcIcon.top, rcIcon.right + 6 + text.cx,
                                  rcIcon.top + text.cy)),
              10); // its text beside it
    (void)b;
}

TEST_F(TreePaint, BoldDisabledAndSelectedImages) {
    auto pImages = MakeImages(16, 16, {RGB(200, 0, 0), RGB(0, 160, 0)});
    tree.SetImageList(pImages.get(), TVSIL_NORMAL);
    const HTREEITEM plain = tree.InsertItem(L"Same text", 0, 1);
    const HTREEITEM bold = tree.InsertItem(L"Same text", 0, 1);
    const HTREEITEM never =
        tree.InsertItem(TVIF_TEXT | TVIF_IMAGE, L"never set", 0, 0, 0, 0, 0, TVI_ROOT, TVI_LAST);
    const HTREEITEM grey = tree.InsertItem(L"disabled", 0, 1);
    tree.SetItemState(bold, TVIS_BOLD, TVIS_BOLD);
    tree.SetItemDisabled(grey, TRUE);
    tree.RecalcLayout();
    tree.SetFocus();
    tree.SelectItem(bold);
    auto p = Paint();
    CRect rcPlain, rcBold;
    tree.GetItemRect(plain, &rcPlain, TRUE);
    tree.GetItemRect(bold, &rcBold, TRUE);
    EXPECT_GT(rcBold.Width(), rcPlain.Width());
    // The disabled colour in the disabled item's text.
    CRect rcGrey;
    tree.GetItemRect(grey, &rcGrey, TRUE);
    EXPECT_GT(p.Count(rcGrey, tree.GetDisabledTextColor()), 5);
    // The selected image for the selected item, the normal one for the others.
    auto IconColour = [&](HTREEITEM h) {
        CRect rcLabel;
        tree.GetItemRect(h, &rcLabel, TRUE);
        return p.At(rcLabel.left - 12, (rcLabel.top + rcLabel.bottom) / 2);
    };
    EXPECT_EQ(RGB(0, 160, 0), IconColour(bold));
    EXPECT_EQ(RGB(200, 0, 0), IconColour(plain));
    // An item whose selected image was never set keeps its icon when selected.
    tree.SelectItem(never);
    p = Paint();
    EXPECT_EQ(RGB(200, 0, 0), IconColour(never));
    tree.SetImageList(NULL, TVSIL_NORMAL);
}

TEST_F(TreePaint, HangingIndentAndSingleLineLabels) {
    tree.EnableWordWrap(TRUE);
    tree.SetColumnWidth(0, 200);
    tree.InsertColumnArgs(1, L"other", LVCFMT_LEFT, 100, -1, -1, TRUE);
    const HTREEITEM h = tree.InsertItem(
        L"1.\\{HI}a long remainder that wraps over several lines of the column here");
    tree.RecalcLayout();
    auto p = Paint();
    CRect rc;
    tree.GetItemRect(h, &rc, TRUE);
    ASSERT_GT(rc.Height(), 30); // wrapped
    // The marker is never drawn: its backslash and braces would make the first line wider than
    // the prefix plus the remainder's first words.
    CClientDC dc(&tree);
    dc.SelectObject(tree.GetItemFont());
    const int cxPrefix = dc.GetTextExtent(L"1.").cx;
    // Line 2 starts under the remainder's first character, not under the prefix.
    int nLeftLine1 = 10000, nLeftLine2 = 10000;
    const int yLine2 = rc.top + rc.Height() / 2 + 2;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF c = p.At(x, y);
            if (GetRValue(c) < 100 && GetGValue(c) < 100) {
                if (y < rc.top + 12)
                    nLeftLine1 = std::min(nLeftLine1, x);
                else if (y > yLine2)
                    nLeftLine2 = std::min(nLeftLine2, x);
            }
        }
    EXPECT_LT(nLeftLine1, rc.left + cxPrefix / 2 + 2);
    EXPECT_GE(nLeftLine2, rc.left + cxPrefix - 1);
    // Word wrap off: the first line only.
    tree.EnableWordWrap(FALSE);
    const HTREEITEM h2 = tree.InsertItem(L"first line\nsecond line");
    tree.RecalcLayout();
    p = Paint();
    CRect rc2, rcOne;
    tree.GetItemRect(h2, &rc2, TRUE);
    const HTREEITEM h3 = tree.InsertItem(L"first line");
    tree.RecalcLayout();
    Paint();
    tree.GetItemRect(h3, &rcOne, TRUE);
    EXPECT_EQ(rcOne.Height(), rc2.Height());
    EXPECT_EQ(rcOne.Width(), rc2.Width());
}

TEST_F(TreePaint, AMultiColumnTreeWithStoredTextsAndFullRowSelect) {
    tree.EnableSubItemTextStorage(TRUE);
    tree.ModifyTreeExStyle(0, TVXS_COLUMNHEADER, FALSE);
    tree.ModifyListExStyle(0, LVXS_FULLROWSELECT, FALSE);
    tree.SetColumnText(0, L"Name");
    tree.SetColumnWidth(0, 170);
    tree.InsertColumnArgs(1, L"Value", LVCFMT_LEFT, 110, -1, -1, FALSE);
    tree.InsertColumnArgs(2, L"Type", LVCFMT_LEFT, 100, -1, -1, FALSE);
    auto pImages = MakeImages(16, 16, {RGB(240, 200, 60), RGB(80, 140, 220)});
    tree.SetImageList(pImages.get(), TVSIL_NORMAL);
    const HTREEITEM s = tree.InsertItem(L"this", 0, 0);
    const HTREEITEM m = tree.InsertItem(L"m_items", 0, 0, s);
    for (int i = 0; i < 3; ++i) {
        const HTREEITEM e = tree.InsertItem((L"[" + std::to_wstring(i) + L"]").c_str(), 1, 1, m);
        tree.SetItemText(e, 1, std::to_wstring(i * 17).c_str());
        tree.SetItemText(e, 2, L"int");
    }
    const HTREEITEM n = tree.InsertItem(L"m_nCount", 1, 1, s);
    tree.SetItemText(s, 1, L"0x0012ff40");
    tree.SetItemText(s, 2, L"CList*");
    tree.SetItemText(m, 1, L"{...}");
    tree.SetItemText(m, 2, L"int[3]");
    tree.SetItemText(n, 1, L"3");
    tree.SetItemText(n, 2, L"int");
    tree.ExpandAll(TVI_ROOT, TRUE);
    // Collapsed and expanded again: the stored texts are still there.
    tree.Expand(m, TVE_COLLAPSE);
    tree.Expand(m, TVE_EXPAND);
    tree.SetFocus();
    tree.SelectItem(n);
    tree.RecalcLayout();
    auto p = Paint();
    ASSERT_TRUE(SavePng(p, ScreenshotPath(L"tree_columns.png")));
    EXPECT_EQ(CString(L"17"), tree.GetItemText(tree.GetNextSiblingItem(tree.GetChildItem(m)), 1));
    // Full-row select: the selection colour in the last column of the selected row.
    CRect rcCell;
    tree.GetSubItemRect(tree.FindItemIndex(n), 2, &rcCell, LVIR_BOUNDS);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), p.At(rcCell.right - 5, rcCell.top + 2));
    tree.SetImageList(NULL, TVSIL_NORMAL);
}

} // namespace

namespace {

bool BarShown(SECTreeCtrl& tree, int nBar) {
    CScrollBar* pBar = tree.GetScrollBarCtrl(nBar);
    return pBar != NULL && ::IsWindowVisible(pBar->m_hWnd);
}

// The bar's rectangle in the tree's client coordinates.
CRect BarRect(SECTreeCtrl& tree, int nBar) {
    CRect rc;
    ::GetWindowRect(tree.GetScrollBarCtrl(nBar)->m_hWnd, &rc);
    ::MapWindowPoints(NULL, tree.m_hWnd, (LPPOINT)&rc, 2);
    return rc;
}

// The screen once the window system has shown what was painted.
Picture SettledScreen(HWND hWnd) {
    for (int i = 0; i < 5; ++i) {
        PumpPending();
        ::Sleep(20);
    }
    PumpPending();
    return CaptureOnScreen(hWnd);
}

// A chain deep and long enough for both bars.
void InsertChain(SECTreeCtrl& tree, int nItems) {
    HTREEITEM h = TVI_ROOT;
    for (int i = 0; i < nItems; ++i)
        h = tree.InsertItem((L"level " + std::to_wstring(i)).c_str(), h);
    tree.ExpandAll(TVI_ROOT, TRUE);
}

// WM_PAINTs the window receives (a thread hook sees every sent message).
class PaintCounter {
public:
    explicit PaintCounter(HWND hWnd) {
        s_hWnd = hWnd;
        s_nPaints = 0;
        m_hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, Hook, NULL, ::GetCurrentThreadId());
    }
    ~PaintCounter() { ::UnhookWindowsHookEx(m_hHook); }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;
    int Paints() const { return s_nPaints; }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam) {
        const auto* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && p->hwnd == s_hWnd && p->message == WM_PAINT)
            ++s_nPaints;
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
    static HWND s_hWnd;
    static int s_nPaints;
    HHOOK m_hHook;
};
HWND PaintCounter::s_hWnd = NULL;
int PaintCounter::s_nPaints = 0;

} // namespace

// The bar is a child window that the rows never paint under: repainting the rows leaves it
// alone, and a page scroll repaints it once, showing the new position as a fresh paint would.
TEST_F(TreePaint, RowPaintsLeaveTheBarAloneAndAPageRepaintsItOnce) {
    for (int i = 0; i < 200; ++i)
        tree.InsertItem((L"item " + std::to_wstring(i)).c_str());
    tree.RecalcLayout();
    tree.UpdateWindow();
    ASSERT_TRUE(BarShown(tree, SB_VERT));
    HWND hBar = tree.GetScrollBarCtrl(SB_VERT)->m_hWnd;
    PaintCounter counter(hBar);
    tree.Invalidate();
    tree.UpdateWindow();
    EXPECT_EQ(0, counter.Paints());

    const CRect rcBar = BarRect(tree, SB_VERT);
    const Picture top = SettledScreen(tree.m_hWnd);
    for (int nPage = 1; nPage <= 2; ++nPage) {
        SCOPED_TRACE(nPage);
        const int nPaintsBefore = counter.Paints();
        tree.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        tree.UpdateWindow();
        EXPECT_EQ(nPaintsBefore + 1, counter.Paints());
        const Picture paged = CaptureOnScreen(tree.m_hWnd);
        ::RedrawWindow(tree.m_hWnd, NULL, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const Picture whole = CaptureOnScreen(tree.m_hWnd);
        EXPECT_EQ(0, DifferentPixels(paged, whole));
    }
    // The thumb has moved: the bar's own pixels changed.
    const Picture bottom = SettledScreen(tree.m_hWnd);
    int nMoved = 0;
    for (int y = rcBar.top; y < rcBar.bottom; ++y)
        for (int x = rcBar.left; x < rcBar.right; ++x)
            nMoved += top.At(x, y) != bottom.At(x, y) ? 1 : 0;
    EXPECT_GT(nMoved, 0);
}

// Deleting everything takes both bars away and paints their strips with the background; bars
// that come back after a resize while they were hidden sit at the new edges, drawn.
TEST_F(TreePaint, DeletingEverythingTakesTheBarsAwayAndTheyComeBackAtTheEdges) {
    InsertChain(tree, 40);
    tree.UpdateWindow();
    ASSERT_TRUE(BarShown(tree, SB_VERT));
    ASSERT_TRUE(BarShown(tree, SB_HORZ));
    CRect rcClient;
    tree.GetClientRect(&rcClient);
    const CRect rcV = BarRect(tree, SB_VERT);
    EXPECT_NEAR(rcClient.right, rcV.right, 1);
    const Picture before = SettledScreen(tree.m_hWnd);
    EXPECT_LT(before.Count(rcV, kBack), rcV.Width() * rcV.Height() / 2); // the bar is drawn

    tree.DeleteItem(TVI_ROOT);
    tree.UpdateWindow();
    EXPECT_FALSE(BarShown(tree, SB_VERT));
    EXPECT_FALSE(BarShown(tree, SB_HORZ));
    const Picture after = SettledScreen(tree.m_hWnd);
    SavePng(after, ScreenshotPath(L"tree_bars_gone.png"));
    EXPECT_EQ(rcClient.Width() * rcClient.Height(), after.Count(rcClient, kBack));

    tree.SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
    InsertChain(tree, 40);
    tree.UpdateWindow();
    ASSERT_TRUE(BarShown(tree, SB_VERT));
    ASSERT_TRUE(BarShown(tree, SB_HORZ));
    tree.GetClientRect(&rcClient);
    const CRect rcV2 = BarRect(tree, SB_VERT), rcH2 = BarRect(tree, SB_HORZ);
    EXPECT_NEAR(rcClient.right, rcV2.right, 1);
    EXPECT_NEAR(rcClient.bottom, rcH2.bottom, 1);
    EXPECT_EQ(rcV2.left, rcH2.right - 1);
    const Picture back = SettledScreen(tree.m_hWnd);
    SavePng(back, ScreenshotPath(L"tree_bars_back.png"));
    EXPECT_LT(back.Count(rcV2, kBack), rcV2.Width() * rcV2.Height() / 2);
    EXPECT_LT(back.Count(rcH2, kBack), rcH2.Width() * rcH2.Height() / 2);
}
