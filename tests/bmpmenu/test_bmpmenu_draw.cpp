#include <gtest/gtest.h>

#include "bmpmenu_fixture.h"
#include "tests/support/drawing_test_support.h"
#include "toolbars/drawing/themeapi.h"

namespace {

const COLORREF kSentinel = RGB(255, 0, 255);

class BmpMenuDraw : public ::testing::Test {
protected:
    void SetUp() override {
        plugIn = std::make_unique<SECBmpMenuPlugIn>(TRUE);
        plugIn->SetBmpMgr(images.store);
        plugIn->PlugInTo(&host);
        host.plugIn = plugIn.get();
        popup = ::CreatePopupMenu();
        ::AppendMenuW(popup, MF_STRING, 100, L"&Open\tCtrl+O");
        ::AppendMenuW(popup, MF_STRING, 150, L"&Word wrap");
        ::AppendMenuW(popup, MF_STRING, 151, L"A much longer item text than the others");
        ::AppendMenuW(popup, MF_STRING, 152, L"&Radio choice");
        MENUITEMINFOW radio = {};
        radio.cbSize = sizeof(radio);
        radio.fMask = MIIM_FTYPE;
        radio.fType = MFT_STRING | MFT_RADIOCHECK;
        ::SetMenuItemInfoW(popup, 3, TRUE, &radio);
        host.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    }
    void TearDown() override {
        host.plugIn = nullptr;
        plugIn.reset();
        ::DestroyMenu(popup);
    }
    ULONG_PTR Data(int pos) { return ReadItemState(popup, pos).data; }

    MEASUREITEMSTRUCT Measure(UINT nID, ULONG_PTR data) {
        MEASUREITEMSTRUCT mis = {};
        mis.CtlType = ODT_MENU;
        mis.itemID = nID;
        mis.itemData = data;
        lastResult = host.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        return mis;
    }
    // Draws the item into a canvas of its size that starts out in the sentinel colour.
    void Draw(Canvas& canvas, UINT nID, ULONG_PTR data, UINT state, HMENU hMenu = NULL) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemID = nID;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = reinterpret_cast<HWND>(hMenu != NULL ? hMenu : popup);
        dis.hDC = canvas.dc;
        dis.rcItem = {0, 0, canvas.cx, canvas.cy};
        dis.itemData = data;
        host.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    }
    // Pixels of one colour inside the image column (the first 22 pixels).
    static int CountInColumn(const Canvas& canvas, COLORREF colour) {
        int n = 0;
        for (int y = 0; y < canvas.cy; ++y)
            for (int x = 0; x < 22; ++x)
                n += canvas.dc.GetPixel(x, y) == colour;
        return n;
    }
    static CSize TextSize(const wchar_t* text) {
        NONCLIENTMETRICSW ncm = {};
        ncm.cbSize = sizeof(ncm);
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
        CFont font;
        font.CreateFontIndirect(&ncm.lfMenuFont);
        CWindowDC dc(NULL);
        CFont* old = dc.SelectObject(&font);
        CRect rect(0, 0, 0, 0);
        dc.DrawText(text, -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
        dc.SelectObject(old);
        return rect.Size();
    }

    TestImages images;
    MenuHost host;
    std::unique_ptr<SECBmpMenuPlugIn> plugIn;
    HMENU popup = NULL;
    LRESULT lastResult = 0;
};

TEST_F(BmpMenuDraw, MeasuresTextBesideTheSmallImageColumn) {
    // Large buttons on the toolbars do not make menus measure for images they never draw.
    for (BOOL bLarge : {FALSE, TRUE}) {
        images.store->SetLargeImageSize(32, 30);
        images.store->SetSmallImages(!bLarge);
        for (int pos : {0, 2}) {
            const wchar_t* text = plugIn->FindInfo(Data(pos))->m_strText.GetString();
            const MEASUREITEMSTRUCT mis = Measure(100, Data(pos));
            const CSize size = TextSize(text);
            EXPECT_EQ(TRUE, lastResult);
            EXPECT_EQ(static_cast<UINT>(size.cx + 16 + 30), mis.itemWidth) << pos << bLarge;
            const int cy = std::max<int>({size.cy, ::GetSystemMetrics(SM_CYMENU), 15 + 4});
            EXPECT_EQ(static_cast<UINT>(cy), mis.itemHeight) << pos << bLarge;
        }
    }
    EXPECT_EQ(0, std::count(host.reached.begin(), host.reached.end(), WM_MEASUREITEM))
        << "measured items are done";
}

TEST_F(BmpMenuDraw, OthersItemsAreNeitherMeasuredNorDrawn) {
    SECBmpMenuItemInfo otherInfo(100, L"Other component");
    int notAnInfo = 7;
    const ULONG_PTR foreign[] = {reinterpret_cast<ULONG_PTR>(&otherInfo),
                                 reinterpret_cast<ULONG_PTR>(&notAnInfo), 0, 0x10};
    for (ULONG_PTR data : foreign) {
        const MEASUREITEMSTRUCT mis = Measure(100, data);
        EXPECT_EQ(0u, mis.itemWidth);
        EXPECT_EQ(0u, mis.itemHeight);
        Canvas canvas(120, 20, kSentinel);
        Draw(canvas, 100, data, 0);
        const auto pixels = canvas.Pixels();
        EXPECT_EQ(120 * 20, std::count(pixels.begin(), pixels.end(), kSentinel));
    }
    // The window measures them itself.
    EXPECT_EQ(4, std::count(host.reached.begin(), host.reached.end(), WM_MEASUREITEM));

    // The plug-in's own info drawn for a menu that no longer exists, or for another menu.
    HMENU gone = ::CreatePopupMenu();
    ::DestroyMenu(gone);
    HMENU unrelated = ::CreatePopupMenu();
    for (HMENU hMenu : {gone, unrelated}) {
        Canvas canvas(120, 20, kSentinel);
        Draw(canvas, 100, Data(0), 0, hMenu);
        const auto pixels = canvas.Pixels();
        EXPECT_EQ(120 * 20, std::count(pixels.begin(), pixels.end(), kSentinel));
    }
    ::DestroyMenu(unrelated);
}

TEST_F(BmpMenuDraw, ImageColumnShowsTheSmallImageEvenInLargeMode) {
    images.store->SetLargeImageSize(32, 30);
    images.store->SetSmallImages(FALSE);
    Canvas canvas(200, 22, kSentinel);
    Draw(canvas, 100, Data(0), 0);
    // The red square is 10 x 9 in the small image; a stretched large one would be bigger.
    EXPECT_EQ(10 * 9, CountInColumn(canvas, kImageColors[0]));
    const auto pixels = canvas.Pixels();
    EXPECT_EQ(0, std::count(pixels.begin(), pixels.end(), kSentinel))
        << "the whole item is painted";
}

TEST_F(BmpMenuDraw, AStripThatFailedToLoadGivesAnEmptyColumn) {
    SECBmpMgr* broken = new SECBmpMgr;
    const UINT ids[] = {100};
    broken->AddResource(MAKEINTRESOURCEW(3999), NULL, ids, 1); // no such bitmap
    plugIn->SetBmpMgr(broken);
    broken->Release();
    Canvas canvas(200, 22, kSentinel);
    Draw(canvas, 100, Data(0), 0);
    const auto pixels = canvas.Pixels();
    EXPECT_EQ(0, std::count(pixels.begin(), pixels.end(), kSentinel));
    EXPECT_EQ(::GetSysColor(COLOR_MENU), canvas.dc.GetPixel(10, 10));
}

TEST_F(BmpMenuDraw, ColumnStatesTable) {
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    const COLORREF selection = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF mark = ::GetSysColor(COLOR_MENUTEXT);
    // Without a visual theme the image sits in a box: sunken when checked, raised when selected.
    const bool edges = !IsThemed();
    struct {
        const char* name;
        int pos;
        UINT id;
        UINT state;
        int red;         // image pixels in the column
        bool markPixels; // pixels of the check mark's colour
        COLORREF fill;   // the column's colour away from the glyph
        bool shadow;     // shadow pixels: an edge or an embossed image
    } cases[] = {
        {"image", 0, 100, 0, 90, false, menu, false},
        {"image, selected", 0, 100, ODS_SELECTED, 90, false, edges ? menu : selection, edges},
        {"image, disabled", 0, 100, ODS_GRAYED, 0, false, menu, true},
        {"image, checked", 0, 100, ODS_CHECKED, 90, false, menu, edges},
        {"no image", 1, 150, 0, 0, false, menu, false},
        {"no image, selected", 1, 150, ODS_SELECTED, 0, false, selection, false},
        {"no image, checked", 1, 150, ODS_CHECKED, 0, true, menu, edges},
        {"radio, checked", 3, 152, ODS_CHECKED, 0, true, menu, edges},
        {"radio, not checked", 3, 152, 0, 0, false, menu, false},
    };
    for (const auto& c : cases) {
        Canvas canvas(200, 22, kSentinel);
        Draw(canvas, c.id, Data(c.pos), c.state);
        EXPECT_EQ(c.red, CountInColumn(canvas, kImageColors[0])) << c.name;
        EXPECT_EQ(c.markPixels, CountInColumn(canvas, mark) > 0) << c.name;
        EXPECT_EQ(c.fill, canvas.dc.GetPixel(1, 0)) << c.name;
        EXPECT_EQ(c.shadow, CountInColumn(canvas, ::GetSysColor(COLOR_BTNSHADOW)) > 0) << c.name;
    }
}

TEST_F(BmpMenuDraw, RadioDotIsRoundAndCentredInItsRows) {
    Canvas canvas(200, 22, kSentinel);
    Draw(canvas, 152, Data(3), ODS_CHECKED);
    // The dot's rows: 2, 4, 4, 4 and 2 pixels, one above the other, in the middle columns.
    std::vector<int> rows;
    std::vector<int> lefts;
    for (int y = 0; y < canvas.cy; ++y) {
        int n = 0, left = -1;
        for (int x = 0; x < 22; ++x)
            if (canvas.dc.GetPixel(x, y) == ::GetSysColor(COLOR_MENUTEXT)) {
                ++n;
                if (left < 0)
                    left = x;
            }
        if (n > 0) {
            rows.push_back(n);
            lefts.push_back(left);
        }
    }
    EXPECT_EQ((std::vector<int>{2, 4, 4, 4, 2}), rows);
    ASSERT_EQ(5u, lefts.size());
    EXPECT_EQ(lefts[0], lefts[1] + 1);
    EXPECT_EQ(lefts[1], lefts[2]);
}

} // namespace
