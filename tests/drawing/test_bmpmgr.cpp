// The button image store over the test program's strips: 2001 (16 x 15, ids 100, 0, 101),
// 2002 (ids 100, 102), 2003 (32 x 30, ids 100, 101), broken toolbars 2010 (count past its end),
// 2011 (version 2) and 2012 (no bitmap).
#include "tests/support/drawing_test_support.h"
#include "toolbars/drawing/bmpmgr.h"
#include "toolbars/drawing/syscolorbitmap.h"
#include "toolbars/drawing/toolkitcolors.h"

#include <gtest/gtest.h>

namespace {

LPCTSTR Res(UINT id) {
    return MAKEINTRESOURCE(id);
}

CSize BitmapSize(HBITMAP hBitmap) {
    BITMAP info = {};
    ::GetObjectW(hBitmap, sizeof(info), &info);
    return CSize(info.bmWidth, info.bmHeight);
}

COLORREF PixelOf(HBITMAP hBitmap, int x, int y) {
    CClientDC screen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    HGDIOBJ hOld = ::SelectObject(dc, hBitmap);
    const COLORREF c = dc.GetPixel(x, y);
    ::SelectObject(dc, hOld);
    return c;
}

bool IsBitmap(HBITMAP hBitmap) {
    return ::GetObjectType(hBitmap) == OBJ_BITMAP;
}

// A store on the stack, released of its own reference at the end.
struct Store {
    SECBmpMgr* p = new SECBmpMgr;
    ~Store() { p->Release(); }
    SECBmpMgr* operator->() { return p; }
};

} // namespace

TEST(BmpMgr, ToolbarIdsMapToImagesAndTheFirstImageOfAnIdStays) {
    Store store;
    ASSERT_TRUE(store->LoadToolBar(Res(2001)));
    ASSERT_TRUE(store->LoadToolBar(Res(2002)));
    struct Case {
        UINT id;
        int strip, image;
    } cases[] = {{100, 0, 0}, {101, 0, 1}, {102, 1, 1}};
    for (const Case& c : cases) {
        HBITMAP hBitmap = NULL;
        int index = -1;
        ASSERT_TRUE(store->GetImage(c.id, hBitmap, index)) << c.id;
        EXPECT_EQ(index, c.image) << c.id;
        EXPECT_EQ(hBitmap, store->GetStrip(c.strip)->hSmall) << c.id;
    }
    HBITMAP hBitmap = NULL;
    int index = -1;
    EXPECT_FALSE(store->GetImage(0, hBitmap, index)); // separators take no image
    EXPECT_EQ(store->GetStrip(0)->nImages, 2);
    // Colour-mapped: the strip's light grey is the system's face colour; in the flat look the
    // strips keep their own colours.
    ASSERT_NE(::GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    EXPECT_EQ(PixelOf(store->GetStrip(0)->hSmall, 0, 0), ::GetSysColor(COLOR_BTNFACE));
    ASSERT_FALSE(IsFlatLook());
    SetFlatLook(TRUE);
    store->ReloadBitmaps(TRUE);
    EXPECT_EQ(PixelOf(store->GetStrip(0)->hSmall, 0, 0), RGB(192, 192, 192));
    SetFlatLook(FALSE);
}

TEST(BmpMgr, OnlyTheFirstToolbarSetsTheImageSizes) {
    Store store;
    ASSERT_TRUE(store->LoadToolBar(Res(2003)));
    EXPECT_EQ(store->GetSmallImageSize(), CSize(32, 30));
    store->SetLargeImageSize(40, 36);
    ASSERT_TRUE(store->LoadToolBar(Res(2001), Res(2003)));
    EXPECT_EQ(store->GetSmallImageSize(), CSize(32, 30));
    EXPECT_EQ(store->GetLargeImageSize(), CSize(40, 36)); // not reset by the later pair

    Store pair;
    ASSERT_TRUE(pair->LoadToolBar(Res(2001), Res(2003)));
    EXPECT_EQ(pair->GetSmallImageSize(), CSize(16, 15));
    EXPECT_EQ(pair->GetLargeImageSize(), CSize(32, 30));
}

TEST(BmpMgr, BrokenToolbarResourcesLeaveTheStoreUnchanged) {
    Store store;
    ASSERT_TRUE(store->LoadToolBar(Res(2001)));
    for (UINT id : {2010u, 2011u, 2999u}) {
        EXPECT_FALSE(store->LoadToolBar(Res(id))) << id;
        EXPECT_FALSE(store->LoadToolBar(Res(2002), Res(id))) << "large " << id;
        EXPECT_EQ(store->GetStripCount(), 1) << id;
        std::vector<UINT> ids;
        int cx = 0, cy = 0;
        EXPECT_FALSE(SECBmpMgr::ReadToolBarResource(Res(id), ids, cx, cy)) << id;
    }
    HBITMAP hBitmap = NULL;
    int index = -1;
    EXPECT_FALSE(store->GetImage(102, hBitmap, index));

    // A toolbar whose bitmap is missing stays registered, without a bitmap.
    EXPECT_FALSE(store->LoadToolBar(Res(2012)));
    ASSERT_TRUE(store->GetImage(103, hBitmap, index));
    EXPECT_EQ(hBitmap, nullptr);

    std::vector<UINT> ids;
    int cx = 0, cy = 0;
    ASSERT_TRUE(SECBmpMgr::ReadToolBarResource(Res(2001), ids, cx, cy, TRUE));
    EXPECT_EQ(ids, (std::vector<UINT>{100, 0, 101}));
}

// Large mode without a large resource stretches the small images; the small set goes unless
// both sets are kept; back in small mode the large one goes.
TEST(BmpMgr, ModesSwitchBetweenSmallAndStretchedLargeSets) {
    Store store;
    store->SetLargeImageSize(32, 30);
    ASSERT_TRUE(store->LoadToolBar(Res(2001)));
    const SECBmpMgr::BmpInfo* strip = store->GetStrip(0);

    store->SetSmallImages(FALSE);
    EXPECT_EQ(store->GetImageWidth(), 32);
    ASSERT_NE(strip->hLarge, nullptr);
    EXPECT_EQ(strip->hSmall, nullptr);
    EXPECT_EQ(BitmapSize(strip->hLarge), CSize(64, 30));
    // Each small pixel became a 2 x 2 block: glyph pixel (2, 1) of image 1 is black.
    EXPECT_EQ(PixelOf(strip->hLarge, 32 + 4, 2), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(PixelOf(strip->hLarge, 32 + 5, 3), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(PixelOf(strip->hLarge, 32 + 3, 3), ::GetSysColor(COLOR_BTNFACE));
    HBITMAP hBitmap = NULL;
    int index = -1;
    ASSERT_TRUE(store->GetImage(101, hBitmap, index));
    EXPECT_EQ(hBitmap, strip->hLarge);
    ASSERT_TRUE(store->GetImage(101, hBitmap, index, TRUE));
    EXPECT_EQ(hBitmap, nullptr); // forced small: not held in large mode

    store->SetBothSets(TRUE);
    EXPECT_NE(strip->hSmall, nullptr);
    EXPECT_NE(strip->hLarge, nullptr);

    store->SetBothSets(FALSE);
    store->SetSmallImages(TRUE);
    EXPECT_NE(strip->hSmall, nullptr);
    EXPECT_EQ(strip->hLarge, nullptr);
    EXPECT_EQ(store->GetImageWidth(), 16);

    // A large resource is loaded as it is, not stretched.
    Store pair;
    pair->SetSmallImages(FALSE);
    ASSERT_TRUE(pair->LoadToolBar(Res(2001), Res(2003)));
    EXPECT_EQ(BitmapSize(pair->GetStrip(0)->hLarge), CSize(64, 30));
}

TEST(BmpMgr, ReleaseDeletesOwnBitmapsAndLeavesForeignOnes) {
    CBitmap foreignSmall, foreignLarge;
    ASSERT_TRUE(LoadSysColorBitmap(foreignSmall, Res(2001)));
    ASSERT_TRUE(LoadSysColorBitmap(foreignLarge, Res(2003)));
    const UINT ids[] = {200, 201};
    SECBmpMgr* store = new SECBmpMgr;
    ASSERT_TRUE(store->LoadToolBar(Res(2001)));
    ASSERT_TRUE(store->AddBitmap(foreignSmall, foreignLarge, ids, 2));
    HBITMAP hOwn = store->GetStrip(0)->hSmall;
    ASSERT_TRUE(IsBitmap(hOwn));

    // Mode switches neither replace nor delete the caller's bitmaps.
    store->SetSmallImages(FALSE);
    store->SetSmallImages(TRUE);
    HBITMAP hBitmap = NULL;
    int index = -1;
    ASSERT_TRUE(store->GetImage(201, hBitmap, index));
    EXPECT_EQ(hBitmap, (HBITMAP)foreignSmall.GetSafeHandle());
    EXPECT_EQ(index, 1);

    EXPECT_EQ(store->AddRef(), 2);
    EXPECT_EQ(store->Release(), 1);
    EXPECT_TRUE(IsBitmap(store->GetStrip(0)->hSmall));
    EXPECT_EQ(store->Release(), 0); // deletes the store
    EXPECT_FALSE(IsBitmap(hOwn));
    EXPECT_TRUE(IsBitmap(foreignSmall));
    EXPECT_TRUE(IsBitmap(foreignLarge));
}
