// Drawing wrappers on memory bitmaps: object selection and ownership, fills, drag rectangles,
// fonts, menus from the program's resources and image lists.
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// A 64x64 white bitmap selected into a memory DC.
class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        CClientDC screen(NULL);
        ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 64, 64));
        oldBitmap = dc.SelectObject(&bitmap);
        ASSERT_NE(oldBitmap, nullptr);
        dc.FillSolidRect(0, 0, 64, 64, kWhite);
    }
    void TearDown() override { dc.SelectObject(oldBitmap); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;
};
} // namespace

TEST_F(DrawingTest, SelectionGivesBackThePreviousObjectOfItsKind) {
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Arial"));
    HGDIOBJ hOriginal = ::GetCurrentObject(dc.m_hDC, OBJ_FONT);
    CFont* pOld = dc.SelectObject(&font);
    ASSERT_NE(pOld, nullptr);
    EXPECT_TRUE(pOld->IsKindOf(RUNTIME_CLASS(CFont)));
    EXPECT_EQ(pOld->m_hObject, hOriginal);
    EXPECT_EQ(dc.GetCurrentFont(), &font);
    EXPECT_EQ(dc.SelectObject(pOld), &font);

    LOGFONT lf = {};
    ASSERT_TRUE(font.GetLogFont(&lf));
    EXPECT_LT(lf.lfHeight, 0); // a character height, from the point size
    CFont none;
    EXPECT_FALSE(none.CreateFontIndirect(NULL));
}

TEST_F(DrawingTest, FillsAndFramesReachThePixels) {
    dc.FillSolidRect(CRect(10, 10, 20, 20), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(15, 15), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(25, 25), kWhite);
    dc.Draw3dRect(CRect(30, 30, 40, 40), kBlack, RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(30, 30), kBlack);
    EXPECT_EQ(dc.GetPixel(39, 39), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(35, 35), kWhite);
}

TEST_F(DrawingTest, DragRectangleMovesWithoutTrails) {
    CBrush invert(kWhite);
    CRect first(5, 5, 30, 30);
    CRect second(20, 20, 50, 50);
    dc.DrawDragRect(first, CSize(2, 2), NULL, CSize(2, 2), &invert, &invert);
    EXPECT_EQ(dc.GetPixel(5, 15), kBlack);
    EXPECT_EQ(dc.GetPixel(15, 15), kWhite); // inside the frame
    dc.DrawDragRect(second, CSize(2, 2), first, CSize(2, 2), &invert, &invert);
    EXPECT_EQ(dc.GetPixel(5, 15), kWhite); // old frame erased
    EXPECT_EQ(dc.GetPixel(20, 35), kBlack);
    dc.DrawDragRect(NULL, CSize(2, 2), second, CSize(2, 2), &invert, &invert);
    EXPECT_EQ(dc.GetPixel(20, 35), kWhite);
}

TEST(GdiObjects, OwnersDeleteTheirHandlesAndTemporaryWrappersDoNot) {
    HBRUSH hOwned = NULL;
    {
        CBrush brush(RGB(1, 2, 3));
        hOwned = (HBRUSH)brush.m_hObject;
        EXPECT_EQ(CBrush::FromHandle(hOwned), &brush);
    }
    EXPECT_EQ(::GetObjectType(hOwned), 0u);

    HBRUSH hForeign = ::CreateSolidBrush(RGB(4, 5, 6));
    CBrush* pTemp = CBrush::FromHandle(hForeign);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_TRUE(pTemp->IsKindOf(RUNTIME_CLASS(CBrush)));
    AfxDeleteTempMaps();
    EXPECT_EQ(::GetObjectType(hForeign), (DWORD)OBJ_BRUSH);
    ::DeleteObject(hForeign);
}

TEST(Menus, LoadFromTheProgramsResourcesAndReadLongTexts) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(200));
    CMenu* pFile = menu.GetSubMenu(0);
    ASSERT_NE(pFile, nullptr);
    CString text;
    EXPECT_EQ(pFile->GetMenuString(1001, text, MF_BYCOMMAND), 5);
    EXPECT_EQ(text, L"&Open");
    EXPECT_EQ(pFile->GetMenuItemID(1), 0u);     // separator
    EXPECT_EQ(menu.GetMenuItemID(0), (UINT)-1); // popup

    const std::wstring longText(700, L'm');
    pFile->AppendMenu(MF_STRING, 1003, longText.c_str());
    pFile->GetMenuString(1003, text, MF_BYCOMMAND);
    EXPECT_EQ(text.GetLength(), 700);

    // Deleting the popup also destroys it: the wrapper must let go of the handle.
    EXPECT_TRUE(menu.DeleteMenu(0, MF_BYPOSITION));
    AfxDeleteTempMaps();
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(AfxLoadAccelerators(MAKEINTRESOURCEW(201)) != NULL, true);
}

TEST_F(DrawingTest, ImageListsAddDrawMergeAndDrag) {
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    CBitmap strip;
    CClientDC screen(NULL);
    ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 48, 16));
    {
        CDC stripDC;
        stripDC.CreateCompatibleDC(&screen);
        CBitmap* pOld = stripDC.SelectObject(&strip);
        stripDC.FillSolidRect(0, 0, 48, 16, RGB(255, 0, 255));
        stripDC.FillSolidRect(16, 4, 8, 8, RGB(0, 128, 0));
        stripDC.SelectObject(pOld);
    }
    EXPECT_EQ(list.Add(&strip, RGB(255, 0, 255)), 0);
    EXPECT_EQ(list.GetImageCount(), 3);
    HICON hIcon = list.ExtractIcon(1);
    ASSERT_NE(hIcon, (HICON)NULL);
    EXPECT_EQ(list.Add(hIcon), 3);
    ::DestroyIcon(hIcon);

    EXPECT_TRUE(list.Draw(&dc, 1, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(dc.GetPixel(4, 8), RGB(0, 128, 0));
    EXPECT_EQ(dc.GetPixel(12, 2), kWhite); // the mask colour stays transparent

    CImageList merged;
    ASSERT_TRUE(merged.Create(list, 0, list, 1, 0, 0));
    EXPECT_EQ(merged.GetImageCount(), 1);

    EXPECT_TRUE(list.BeginDrag(1, CPoint(0, 0)));
    EXPECT_TRUE(CImageList::DragEnter(NULL, CPoint(10, 10)));
    EXPECT_TRUE(CImageList::DragMove(CPoint(20, 20)));
    EXPECT_TRUE(CImageList::DragShowNolock(FALSE));
    EXPECT_TRUE(CImageList::DragLeave(NULL));
    CImageList::EndDrag();
}
