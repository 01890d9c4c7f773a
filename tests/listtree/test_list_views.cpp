// The list outside report view, and the list put in place of a dialog's placeholder control.
#include "list_fixture.h"
#include "tests/support/picture_canvas.h"
#include "tests/support/screenshot.h"

#include "toolbars/drawing/themeapi.h"

#include <memory>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Solid square images, one per colour.
void AddSolidImages(CImageList& images, int cx, std::initializer_list<COLORREF> colours) {
    ASSERT_TRUE(images.Create(cx, cx, ILC_COLOR24, (int)colours.size(), 1));
    for (COLORREF c : colours) {
        CClientDC screen(NULL);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, cx, cx);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, cx, cx, c);
        dc.SelectObject(pOld);
        images.Add(&bitmap, (CBitmap*)NULL);
    }
}

// The icon view: one column and no header; items laid out in cells of the column's width,
// left to right and wrapping, each icon centred in its cell above its label; the selection
// highlights the label, never the icon. (Few enough items that no scroll bar appears: its
// coming would fit the only column to the window again.)
TEST(ListIconView, ItemsFlowInCellsWithTheIconOverTheLabel) {
    FreeThemeApi();
    RecordingParent parent;
    ASSERT_TRUE(
        parent.CreateEx(0, NULL, L"icons", WS_POPUP | WS_VISIBLE, 40, 40, 300, 240, NULL, NULL));
    SECListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SHOWSELALWAYS,
                            CRect(0, 0, 300, 240), &parent, 5));
    list.SetRedrawFlag(TRUE);
    EXPECT_EQ(1, list.GetColumnCount());
    EXPECT_TRUE(list.GetListStyle() & LVS_NOCOLUMNHEADER);
    CImageList images;
    AddSolidImages(images, 32, {kRed, kBlue});
    list.SetImageList(&images, LVSIL_NORMAL);
    list.SetColumnWidth(0, 80);
    const int nItems = 4;
    for (int i = 0; i < nItems; ++i)
        list.InsertItemImage(i, (L"icon " + std::to_wstring(i)).c_str(), i % 2);
    list.RecalcLayout();
    ::SetForegroundWindow(parent.m_hWnd);
    list.SetFocus();
    list.DeselectAllExcept(-1);
    list.SelectItem(1, TRUE);
    CRect rcInside;
    list.GetInsideRect(&rcInside);
    ASSERT_EQ(80, list.GetColumnWidth(0));
    ASSERT_GE(rcInside.Width(), 240);
    ASSERT_LT(rcInside.Width(), 320); // three cells a line
    PictureCanvas canvas(300, 240);
    list.DoPaint(&canvas.DC());
    const Picture p = canvas.Take();
    ASSERT_TRUE(SavePng(p, ScreenshotPath(L"list_icon_view.png")));
    CRect rcIcon, rcLabel;
    ASSERT_TRUE(list.GetSubItemRect(0, 0, &rcIcon, LVIR_BOUNDS));
    const int nCellHeight = rcIcon.Height();
    ASSERT_GT(nCellHeight, 32);
    for (int i = 0; i < nItems; ++i) {
        SCOPED_TRACE(i);
        const int x = rcInside.left + (i % 3) * 80, y = rcInside.top + (i / 3) * nCellHeight;
        const CRect cell(x, y, x + 80, y + nCellHeight);
        const CRect icon(x + 24, y + 2, x + 56, y + 34); // centred, 2 pixels down
        EXPECT_EQ(32 * 32, p.Count(icon, i % 2 ? kBlue : kRed));
        EXPECT_EQ(0, p.Count(CRect(cell.left, icon.top, icon.left, icon.bottom), kRed) +
                         p.Count(CRect(icon.right, icon.top, cell.right, icon.bottom), kBlue));
        // The label below the icon: dark text, or the highlight for the selected item.
        const CRect label(x, icon.bottom + 2, x + 80, y + nCellHeight);
        const COLORREF rgbHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
        EXPECT_GT(p.Count(label, ::GetSysColor(COLOR_WINDOWTEXT)) + p.Count(label, rgbHighlight),
                  0);
        if (list.GetItemState(i, LVIS_SELECTED))
            EXPECT_GT(p.Count(label, rgbHighlight), 40);
        else
            EXPECT_EQ(0, p.Count(label, rgbHighlight));
        EXPECT_EQ(0, p.Count(icon, rgbHighlight));
    }
    list.DestroyWindow();
    parent.DestroyWindow();
}

// A placeholder in a dialog is replaced by the list: its id, place, style (with a border),
// extended style, and the list bits of its style read as the list's own.
TEST(ListCreation, CreateFromDlgItemTakesThePlaceholdersIdRectAndStyles) {
    RecordingParent parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"dialog", WS_POPUP, 0, 0, 300, 200, NULL, NULL));
    HWND hHolder = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"",
                                     WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 20, 30,
                                     150, 100, parent.m_hWnd, (HMENU)77, NULL, NULL);
    ASSERT_NE(nullptr, hHolder);
    SECListCtrl list;
    EXPECT_FALSE(list.CreateFromDlgItem(78, &parent)); // no such item: nothing made
    EXPECT_EQ(nullptr, list.GetSafeHwnd());
    EXPECT_FALSE(list.CreateFromDlgItem(77, NULL));
    ASSERT_TRUE(list.CreateFromDlgItem(77, &parent));
    EXPECT_FALSE(::IsWindow(hHolder));
    EXPECT_EQ(list.m_hWnd, ::GetDlgItem(parent.m_hWnd, 77));
    CRect rc;
    list.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    EXPECT_EQ(CRect(20, 30, 170, 130), rc);
    const DWORD dwStyle = (DWORD)::GetWindowLongW(list.m_hWnd, GWL_STYLE);
    EXPECT_TRUE(dwStyle & WS_BORDER);
    EXPECT_TRUE(dwStyle & WS_VISIBLE);
    EXPECT_TRUE((DWORD)::GetWindowLongW(list.m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ((DWORD)(LVS_REPORT | LVS_SINGLESEL),
              list.GetListStyle() & (LVS_TYPEMASK | LVS_SINGLESEL));
    EXPECT_EQ(0u, dwStyle & LVS_SINGLESEL); // the list's bits are its own, not the window's
    list.DestroyWindow();
    parent.DestroyWindow();
}

} // namespace
