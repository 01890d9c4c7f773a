// Owner-draw requests a control sends its parent reach the control's own object.
#include <gtest/gtest.h>

#include "framework/afx.h"
#include "framework/dialogs/listcontrols.h"

#include <algorithm>
#include <vector>

namespace {
// Sorts its items by descending item data and records what it is asked.
class CDescendingList : public CListBox {
public:
    int CompareItem(LPCOMPAREITEMSTRUCT p) override {
        ++m_nCompares;
        return p->itemData1 > p->itemData2 ? -1 : (p->itemData1 < p->itemData2 ? 1 : 0);
    }
    void DeleteItem(LPDELETEITEMSTRUCT p) override { m_deleted.push_back(p->itemData); }
    void MeasureItem(LPMEASUREITEMSTRUCT p) override { p->itemHeight = 17; }
    void DrawItem(LPDRAWITEMSTRUCT) override { ++m_nDraws; }
    int VKeyToItem(UINT nKey, UINT) override { return nKey == VK_END ? 0 : -1; }
    int CharToItem(UINT, UINT) override { return -2; }
    int m_nCompares = 0, m_nDraws = 0;
    std::vector<ULONG_PTR> m_deleted;
};

TEST(OwnerDrawReflection, SortedListBoxComparesDeletesAndAnswersKeysThroughItsObject) {
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, NULL, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, NULL, NULL));
    CDescendingList list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_SORT | LBS_WANTKEYBOARDINPUT,
                    CRect(0, 0, 200, 200), &parent, 42));
    EXPECT_EQ(17, list.GetItemHeight(0));
    for (ULONG_PTR data : {5, 9, 1, 7})
        list.AddString(reinterpret_cast<LPCTSTR>(data));
    EXPECT_GT(list.m_nCompares, 0);
    std::vector<ULONG_PTR> order;
    for (int i = 0; i < list.GetCount(); ++i)
        order.push_back(list.GetItemData(i));
    EXPECT_EQ((std::vector<ULONG_PTR>{9, 7, 5, 1}), order);

    list.DeleteString(1);
    EXPECT_EQ((std::vector<ULONG_PTR>{7}), list.m_deleted);

    // The parent's answer to the key requests is the control's.
    const HWND hList = list.m_hWnd;
    EXPECT_EQ(0, (int)parent.SendMessage(WM_VKEYTOITEM, MAKEWPARAM(VK_END, 0), (LPARAM)hList));
    EXPECT_EQ(-1, (int)parent.SendMessage(WM_VKEYTOITEM, MAKEWPARAM(VK_HOME, 0), (LPARAM)hList));
    EXPECT_EQ(-2, (int)parent.SendMessage(WM_CHARTOITEM, MAKEWPARAM('x', 0), (LPARAM)hList));

    list.DestroyWindow(); // the rest go in the order the list box chooses
    std::sort(list.m_deleted.begin() + 1, list.m_deleted.end());
    EXPECT_EQ((std::vector<ULONG_PTR>{7, 1, 5, 9}), list.m_deleted);
    parent.DestroyWindow();
}
} // namespace
