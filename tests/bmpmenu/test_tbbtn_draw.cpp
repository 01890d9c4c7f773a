#include <gtest/gtest.h>

#include "tests/support/drawing_test_support.h"
#include "tbbtn_fixture.h"
#include "tests/support/screenshot.h"
#include "toolbars/drawing/themeapi.h"
#include "toolbars/drawing/toolkitcolors.h"
#include "toolbars/tbbtn_menu.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kSentinel = RGB(255, 0, 255);

class ButtonDraw : public ::testing::Test {
protected:
    void SetUp() override {
        if (IsThemed())
            GTEST_SKIP() << "the plain look is drawn only without a visual theme";
        // The flat look's palette, as the library derives it when it loads.
        UpdateToolkitColors();
        store = MakeButtonStore(strip);
        bar = std::make_unique<TestBar>(owner, store);
    }
    void TearDown() override {
        bar.reset();
        if (store != nullptr)
            store->Release();
        if (strip != NULL)
            ::DeleteObject(strip);
        SetFlatLook(FALSE);
    }
    // Draws one button at (0, 0) of a sentinel-filled canvas.
    void Draw(SECStdBtn* pBtn, Canvas& canvas) {
        SECBtnDrawingCache cache;
        ASSERT_TRUE(
            cache.Prepare(&canvas.dc, bar->GetLargestButtonWidth(), bar->GetLargestButtonHeight()));
        pBtn->Draw(&canvas.dc, cache);
        cache.Release();
    }
    // The top-left corner of the red square, or (-1, -1).
    static CPoint RedCorner(const Canvas& canvas) {
        for (int y = 0; y < canvas.cy; ++y)
            for (int x = 0; x < canvas.cx; ++x)
                if (canvas.dc.GetPixel(x, y) == kRed)
                    return CPoint(x, y);
        return CPoint(-1, -1);
    }
    static int Count(const Canvas& canvas, COLORREF colour) {
        const auto pixels = canvas.Pixels();
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
    }

    NotifyOwner owner;
    HBITMAP strip = NULL;
    SECBmpMgr* store = nullptr;
    std::unique_ptr<TestBar> bar;
};

TEST_F(ButtonDraw, FacesAndStatesTable) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    // The image of a 23 x 22 button: x = (23 - 16 - 1) / 2 = 3, y = (22 - 15) / 2 = 3, and its
    // red square 3 pixels further in.
    struct {
        const char* name;
        BOOL cool;
        DWORD style;
        CPoint red;       // (-1, -1): no image colour at all
        COLORREF topLeft; // the corner pixel
        bool dither;      // highlight pixels inside the face
    } cases[] = {
        {"plain", FALSE, 0, CPoint(6, 6), highlight, false},
        {"pressed", FALSE, SEC_TBBS_PRESSED, CPoint(7, 7), ::GetSysColor(COLOR_3DDKSHADOW), false},
        {"down", FALSE, SEC_TBBS_CHECKED, CPoint(7, 7), ::GetSysColor(COLOR_3DDKSHADOW), true},
        {"disabled", FALSE, SEC_TBBS_DISABLED, CPoint(-1, -1), highlight, false},
        {"cool", TRUE, 0, CPoint(6, 6), face, false},
        {"cool hot", TRUE, SEC_TBBS_HOT, CPoint(6, 6), highlight, false},
        {"cool pressed", TRUE, SEC_TBBS_PRESSED | SEC_TBBS_HOT, CPoint(7, 7), shadow, false},
    };
    for (const auto& c : cases) {
        bar->cool = c.cool;
        bar->DeleteButtons();
        SECStdBtn* button = bar->Add(SECStdBtn::classSECStdBtn, 100, c.style);
        Canvas canvas(23, 22, kSentinel);
        Draw(button, canvas);
        EXPECT_EQ(c.red, RedCorner(canvas)) << c.name;
        EXPECT_EQ(c.topLeft, canvas.dc.GetPixel(0, 0)) << c.name;
        EXPECT_EQ(0, Count(canvas, kSentinel)) << c.name;
        int inner = 0;
        for (int y = 3; y < 19; ++y)
            for (int x = 3; x < 5; ++x)
                inner += canvas.dc.GetPixel(x, y) == highlight;
        EXPECT_EQ(c.dither, inner > 0) << c.name;
        if (c.style & SEC_TBBS_DISABLED) {
            EXPECT_GT(Count(canvas, shadow), 40) << "embossed";
        }
    }
}

TEST_F(ButtonDraw, HiddenAndOutsideButtonsDrawNothing) {
    SECStdBtn* hidden = bar->Add(SECStdBtn::classSECStdBtn, 100, SEC_TBBS_HIDDEN);
    SECStdBtn* outside = bar->Add(SECStdBtn::classSECStdBtn, 100, 0, 40, 0);
    for (SECStdBtn* button : {hidden, outside}) {
        Canvas canvas(30, 22, kSentinel);
        Draw(button, canvas);
        EXPECT_EQ(30 * 22, Count(canvas, kSentinel));
    }
}

TEST_F(ButtonDraw, AStripThatFailedToLoadLeavesTheFaceAlone) {
    SECBmpMgr* broken = new SECBmpMgr;
    const UINT ids[] = {100};
    broken->AddResource(MAKEINTRESOURCEW(3999), NULL, ids, 1); // no such bitmap
    {
        TestBar brokenBar(owner, broken);
        SECStdBtn* button = brokenBar.Add(SECStdBtn::classSECStdBtn, 100, 0);
        Canvas canvas(23, 22, kSentinel);
        SECBtnDrawingCache cache;
        ASSERT_TRUE(cache.Prepare(&canvas.dc, 23, 22));
        button->Draw(&canvas.dc, cache);
        EXPECT_EQ(0, Count(canvas, kSentinel));
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas.dc.GetPixel(11, 11));
    }
    broken->Release();
}

TEST_F(ButtonDraw, SeparatorsTable) {
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    struct {
        const char* name;
        BOOL cool;
        BOOL vertical;
        DWORD style;
        int shadowPixels;
    } cases[] = {
        {"plain look draws none", FALSE, FALSE, 0, 0},
        {"cool, horizontal bar", TRUE, FALSE, 0, 22},
        {"cool, vertical bar", TRUE, TRUE, 0, 8},
        {"ends a row", TRUE, FALSE, SEC_TBBS_WRAPPED, 0},
    };
    for (const auto& c : cases) {
        bar->cool = c.cool;
        bar->vertical = c.vertical;
        bar->DeleteButtons();
        SECStdBtn* separator = bar->Add(SECStdBtn::classSECStdBtn, 0, SEC_TBBS_SEPARATOR | c.style);
        Canvas canvas(8, 22, kSentinel);
        Draw(separator, canvas);
        EXPECT_EQ(c.shadowPixels, Count(canvas, shadow)) << c.name;
        EXPECT_EQ(c.shadowPixels, Count(canvas, highlight)) << c.name;
        if (c.shadowPixels == 22) {
            // The two lines through the middle of the 8-pixel separator.
            EXPECT_EQ(shadow, canvas.dc.GetPixel(3, 10));
            EXPECT_EQ(highlight, canvas.dc.GetPixel(4, 10));
        }
    }
}

TEST_F(ButtonDraw, FlatLookHotButtonTakesThePaletteFrame) {
    SetFlatLook(TRUE);
    bar->cool = TRUE;
    SECStdBtn* button = bar->Add(SECStdBtn::classSECStdBtn, 100, SEC_TBBS_HOT);
    Canvas canvas(23, 22, kSentinel);
    Draw(button, canvas);
    EXPECT_EQ(GetToolkitColor(6), canvas.dc.GetPixel(0, 0));
    EXPECT_EQ(GetToolkitColor(5), canvas.dc.GetPixel(1, 1));
    EXPECT_EQ(0, Count(canvas, kSentinel));
}

TEST_F(ButtonDraw, ScreenshotOfButtonStates) {
    const UINT_PTR menuData[5] = {3000, 0, reinterpret_cast<UINT_PTR>(L"&File"), 0, 0};
    struct {
        BOOL cool;
        const SECButtonClass* cls;
        UINT id;
        DWORD style;
    } row[] = {
        {FALSE, &SECStdBtn::classSECStdBtn, 100, 0},
        {FALSE, &SECStdBtn::classSECStdBtn, 101, SEC_TBBS_PRESSED},
        {FALSE, &SECStdBtn::classSECStdBtn, 101, SEC_TBBS_CHECKED},
        {FALSE, &SECStdBtn::classSECStdBtn, 100, SEC_TBBS_DISABLED},
        {FALSE, &SECStdBtn::classSECStdBtn, 100, SEC_TBBS_INDETERMINATE},
        {TRUE, &SECStdBtn::classSECStdBtn, 0, SEC_TBBS_SEPARATOR},
        {TRUE, &SECStdBtn::classSECStdBtn, 100, SEC_TBBS_HOT},
        {TRUE, &SECStdBtn::classSECStdBtn, 101, SEC_TBBS_SELECTED},
        {TRUE, &SECTBMenuBtn::classSECTBMenuBtn, 57000, SEC_TBBS_HOT},
        {TRUE, &SECTBMenuBtn::classSECTBMenuBtn, 57000, SEC_TBBS_PRESSED},
    };
    // Classic look above, flat look below.
    Canvas canvas(400, 60, ::GetSysColor(COLOR_BTNFACE));
    for (BOOL bFlat : {FALSE, TRUE}) {
        SetFlatLook(bFlat);
        int x = 4;
        for (const auto& r : row) {
            bar->cool = r.cool || bFlat;
            SECStdBtn* button = bar->Add(*r.cls, r.id, r.style, x, bFlat ? 32 : 4, menuData);
            SECBtnDrawingCache cache;
            ASSERT_TRUE(cache.Prepare(&canvas.dc, bar->GetLargestButtonWidth(),
                                      bar->GetLargestButtonHeight()));
            button->Draw(&canvas.dc, cache);
            x += button->GetRect().Width() + 4;
        }
    }
    canvas.Unselect();
    EXPECT_TRUE(WriteBitmapPng(canvas.bitmap, ScreenshotPath(L"toolbar-buttons.png")));
    canvas.Reselect();
}

} // namespace
