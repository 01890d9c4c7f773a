// Bad input to the list's operations: a clear answer and nothing changed or lost. Run again
// under Wine's heap checks.
#include "listtree/list_ctrl.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

class BadInput : public ::testing::Test {
protected:
    void SetUp() override {
        const wchar_t* headings[] = {L"Name", L"Value", L"Type"};
        for (int i = 0; i < 3; ++i)
            list.AppendColumnArgs(headings[i], LVCFMT_LEFT, 60);
        for (int r = 0; r < 5; ++r)
            list.InsertItemText(r, (L"row " + std::to_wstring(r)).c_str());
    }
    SECListCtrl list;
};

TEST_F(BadInput, RowIndicesOutsideTheRowsChangeNothing) {
    wchar_t text[16] = L"untouched";
    LVITEM item = {};
    item.mask = LVIF_TEXT | LVIF_STATE | LVIF_PARAM;
    item.pszText = text;
    item.cchTextMax = 16;
    for (int row : {-1, -7, 5, 6, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(row);
        item.iItem = row;
        EXPECT_FALSE(list.SetItem(&item, TRUE));
        EXPECT_FALSE(list.GetItem(&item, TRUE, TRUE));
        EXPECT_FALSE(list.SetItemText(row, 0, L"x"));
        EXPECT_EQ(0, list.GetItemText(row, 0, text, 16));
        EXPECT_FALSE(list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED));
        EXPECT_EQ(0u, list.GetItemState(row, LVIS_SELECTED));
        EXPECT_FALSE(list.SetItemData(row, 7));
        EXPECT_EQ(0, list.GetItemData(row));
        EXPECT_FALSE(list.DeleteItems(row, 1));
        EXPECT_FALSE(list.SelectItem(row, TRUE));
        EXPECT_FALSE(list.EnsureVisible(row, FALSE));
        EXPECT_FALSE(list.ItemNeedsDispInfo(row));
        EXPECT_EQ(CString(), list.QueryItemText(row, 0));
        RECT rc;
        EXPECT_FALSE(list.GetSubItemRect(row, 0, &rc, LVIR_BOUNDS));
        EXPECT_FALSE(list.EditLabel(row, 0));
        if (row >= 5) {
            EXPECT_FALSE(list.FocusItem(row, TRUE));
        }
    }
    EXPECT_EQ(5, list.GetItemCount());
    EXPECT_EQ(1, list.GetSelectedCount());
    EXPECT_EQ(0, list.GetFocusIndex());
    EXPECT_TRUE(list.EnsureRangeVisible(0, 5, FALSE)); // last = count: to the end of the list
    EXPECT_TRUE(list.EnsureRangeVisible(0, 4, FALSE));
    EXPECT_FALSE(list.EnsureRangeVisible(0, 6, FALSE));
    EXPECT_FALSE(list.EnsureRangeVisible(-1, 2, FALSE));
    EXPECT_FALSE(list.EnsureRangeVisible(3, 2, FALSE));
}

TEST_F(BadInput, InsertsAndDeletesAreClampedToTheRows) {
    EXPECT_EQ(0, list.InsertItemText(-5, L"first"));
    EXPECT_EQ(6, list.InsertItemText(106, L"last"));
    EXPECT_EQ(7, list.GetItemCount());
    wchar_t text[16];
    list.GetItemText(6, 0, text, 16);
    EXPECT_STREQ(L"last", text);
    EXPECT_FALSE(list.DeleteItems(2, 0));
    EXPECT_FALSE(list.DeleteItems(2, -3));
    EXPECT_TRUE(list.DeleteItems(5, 100)); // past the end: to the end
    EXPECT_EQ(5, list.GetItemCount());
    // Deleting from row 0 over the caret leaves it on a row.
    list.FocusItem(1, TRUE);
    EXPECT_TRUE(list.DeleteItems(0, 3));
    EXPECT_EQ(0, list.GetFocusIndex());
    EXPECT_EQ(1, list.GetSelectedCount());
}

TEST_F(BadInput, ColumnWidthsStayInTheirBounds) {
    EXPECT_TRUE(list.SetColumnWidth(1, -500));
    EXPECT_EQ(0, list.GetColumnWidth(1));
    EXPECT_TRUE(list.SetColumnWidth(1, 1 << 30));
    EXPECT_LE(list.GetColumnWidth(1), 0x100000);
    EXPECT_GT(list.GetColumnRight(2), 0); // no overflow in the sums
    EXPECT_EQ(2, list.InsertColumnArgs(2, L"narrow", LVCFMT_LEFT, -500));
    EXPECT_EQ(10, list.GetColumnWidth(2));
    // Fitting in a list without room gives the main column no width, not a negative one.
    EXPECT_EQ(0, list.FitMainColumn());
    EXPECT_EQ(0, list.GetColumnWidth(0));
    EXPECT_FALSE(list.SetColumnWidth(9, 10));
    EXPECT_EQ(0, list.GetColumnWidth(9));
}

TEST_F(BadInput, NullTextsReadAsEmptyAndBuffersAreNotOverrun) {
    EXPECT_TRUE(list.SetItemText(1, 0, NULL));
    wchar_t text[8] = L"abcdefg";
    EXPECT_EQ(0, list.GetItemText(1, 0, text, 8));
    EXPECT_STREQ(L"", text);
    list.SetItemText(2, 0, L"a long text for a small buffer");
    wchar_t small[6];
    small[5] = L'#';
    LVITEM item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 2;
    item.pszText = small;
    item.cchTextMax = 5;
    EXPECT_TRUE(list.GetItem(&item, TRUE, TRUE));
    EXPECT_STREQ(L"a lo", small);
    EXPECT_EQ(L'#', small[5]);
    item.cchTextMax = 0;
    small[0] = L'#';
    EXPECT_TRUE(list.GetItem(&item, TRUE, TRUE));
    EXPECT_EQ(L'#', small[0]); // no room: nothing written
    // A sub-item the row does not have reads as an empty text.
    wchar_t cell[8] = L"garbage";
    EXPECT_EQ(0, list.GetItemText(1, 9, cell, 8));
    EXPECT_STREQ(L"", cell);
    EXPECT_FALSE(list.FindColumn(NULL, NULL, NULL));
    EXPECT_EQ(3, list.InsertColumnArgs(5, NULL));
    int nIndex = -1;
    EXPECT_TRUE(list.FindColumn(L"", &nIndex, NULL));
    EXPECT_EQ(3, nIndex);
    EXPECT_FALSE(list.FindColumn(L"name", NULL, NULL)); // case matters
    LVCOLUMN col = {};
    col.mask = LVCF_TEXT;
    col.pszText = small;
    col.cchTextMax = 3;
    EXPECT_TRUE(list.GetColumn(0, &col));
    EXPECT_STREQ(L"Na", small);
}

TEST_F(BadInput, ColumnsKeepTheirCellsThroughInsertsMovesAndDeletes) {
    list.SetItemText(0, 1, L"v"); // a callback cell keeps the owner's text: nothing stored
    LVITEM item = {};
    item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    item.iItem = 0;
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(L"value");
    ASSERT_TRUE(list.SetItem(&item, FALSE));
    item.iSubItem = 2;
    item.pszText = const_cast<LPWSTR>(L"type");
    ASSERT_TRUE(list.SetItem(&item, FALSE));
    // A column put before the main one goes after it: no cell changes its column.
    EXPECT_EQ(1, list.InsertColumnArgs(0, L"front"));
    wchar_t text[16];
    list.GetItemText(0, list.GetColumnSubItem(2), text, 16);
    EXPECT_STREQ(L"value", text);
    list.GetItemText(0, list.GetColumnSubItem(3), text, 16);
    EXPECT_STREQ(L"type", text);
    list.GetItemText(0, list.GetColumnSubItem(1), text, 16);
    EXPECT_STREQ(L"", text);
    EXPECT_EQ(0, list.GetColumnSubItem(0));
    EXPECT_EQ(3, list.GetSubItemCount());
    EXPECT_FALSE(list.MoveColumn(0, 2, FALSE));
    EXPECT_FALSE(list.MoveColumn(7, 2, FALSE));
    EXPECT_FALSE(list.MoveColumn(-1, 2, FALSE));
    EXPECT_FALSE(list.DeleteColumn(0)); // the main column goes last
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_EQ(0, list.GetSubItemCount());
    EXPECT_EQ(0, list.GetItemAt(0)->GetSubItemCount());
    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_FALSE(list.DeleteColumn(0));
}

TEST_F(BadInput, ARowObjectWithTooFewCellsIsPaddedToTheSubItemCount) {
    auto* pItem = new SECListItem;
    pItem->m_subItems.Add(new SECListSubItem);
    EXPECT_EQ(2, list.InsertRow(2, pItem));
    EXPECT_EQ(list.GetSubItemCount(), pItem->GetSubItemCount());
}

TEST_F(BadInput, TheStateCallbackKeepsTheListsOwnBits) {
    list.SetItemState(3, LVIS_CUT, LVIS_CUT);
    list.FocusItem(3, TRUE);
    list.SetStateCallback(TRUE);
    EXPECT_EQ((UINT)(LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT),
              list.GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT));
    EXPECT_EQ(0u, list.GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_TRUE(list.IsItemSelected(3));
}

TEST_F(BadInput, GetNextItemWalksBothWays) {
    list.SelectItem(2, TRUE);
    list.SelectItem(4, TRUE);
    EXPECT_EQ(0, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(2, list.GetNextItem(0, LVNI_SELECTED));
    EXPECT_EQ(-1, list.GetNextItem(4, LVNI_SELECTED));
    EXPECT_EQ(2, list.GetNextItem(4, LVNI_SELECTED | LVNI_ABOVE));
    EXPECT_EQ(-1, list.GetNextItem(4, LVNI_BELOW));
    EXPECT_EQ(3, list.GetNextItem(4, LVNI_ABOVE));
    EXPECT_EQ(-1, list.GetNextItem(0, LVNI_ABOVE));
    EXPECT_EQ(0, list.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(-1, list.GetNextItem(INT_MAX, LVNI_SELECTED));
}

CImageList* MakeImages(COLORREF rgb) {
    auto* pList = new CImageList;
    pList->Create(16, 16, ILC_COLOR24, 1, 1);
    CClientDC screen(NULL);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 16, 16);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 16, 16, rgb);
    dc.SelectObject(pOld);
    pList->Add(&bitmap, (CBitmap*)NULL);
    return pList;
}

TEST(ImageListArchive, RoundTripsAndRefusesBrokenData) {
    std::unique_ptr<CImageList> pSource(MakeImages(RGB(0, 0, 255)));
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(pSource->Write(&ar));
        ar << (DWORD)0x1234ABCD; // what follows the list stays readable
    }
    const ULONGLONG nLength = file.GetLength();
    file.SeekToBegin();
    {
        CImageList copy;
        CArchive ar(&file, CArchive::load);
        ASSERT_TRUE(copy.Read(&ar));
        EXPECT_EQ(1, copy.GetImageCount());
        DWORD dwAfter = 0;
        ar >> dwAfter;
        EXPECT_EQ(0x1234ABCDu, dwAfter);
    }
    BYTE* pData = file.Detach();
    struct Case {
        const char* name;
        UINT nBytes;
        bool garble;
    } cases[] = {{"empty", 0, false},
                 {"header only", 6, false},
                 {"half", (UINT)nLength / 2, false},
                 {"garbled", (UINT)nLength, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> bytes(pData, pData + c.nBytes);
        if (c.garble)
            for (size_t i = 0; i < bytes.size(); i += 3)
                bytes[i] ^= 0x5A;
        CMemFile broken(bytes.empty() ? NULL : bytes.data(), (UINT)bytes.size());
        CArchive ar(&broken, CArchive::load);
        CImageList target;
        bool bThrew = false;
        try {
            target.Read(&ar);
        } catch (CArchiveException* e) {
            bThrew = true;
            e->Delete();
        }
        EXPECT_TRUE(bThrew);
        EXPECT_EQ(HIMAGELIST(NULL), target.GetSafeHandle());
    }
    free(pData);
}

TEST(ImageListArchive, APrivateCopyIgnoresTheSourceAndTheOldCopyOutlivesItsReplacement) {
    SECListCtrl list;
    std::unique_ptr<CImageList> pBlue(MakeImages(RGB(0, 0, 255)));
    std::unique_ptr<CImageList> pRed(MakeImages(RGB(255, 0, 0)));
    EXPECT_EQ(NULL, list.SetImageList(pBlue.get(), 1));
    CImageList* pCopy = list.GetImageList(1);
    ASSERT_NE(nullptr, pCopy);
    EXPECT_NE(pBlue.get(), pCopy);
    pBlue->DeleteImageList();
    EXPECT_EQ(1, pCopy->GetImageCount());
    CImageList* pOld = list.SetImageList(pRed.get(), 1);
    EXPECT_EQ(pCopy, pOld);
    EXPECT_EQ(1, pOld->GetImageCount()); // still the list's, alive until the window goes
    EXPECT_EQ(NULL, list.SetImageList(pRed.get(), 4));
    EXPECT_EQ(NULL, list.GetImageList(-1));
}

} // namespace
