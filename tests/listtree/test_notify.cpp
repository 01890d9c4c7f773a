// What reaches the owner, in which order, for clicks, keys, deletions and callbacks.
#include "list_fixture.h"

#include <set>

namespace {

using Codes = std::vector<UINT>;

TEST_F(ListFixture, FirstClickIntoAnUnfocusedListSetsFocusThenClicks) {
    Fill(5);
    ::SetFocus(parent.m_hWnd);
    parent.codes.clear();
    const CPoint pt = CellPoint(2, 0);
    Click(pt.x, pt.y);
    EXPECT_EQ((Codes{NM_SETFOCUS, NM_CLICK}), parent.Interesting());
    EXPECT_EQ(2, list.GetFocusIndex());
}

TEST_F(ListFixture, DoubleClickHeaderClickReturnKeyAndDeletions) {
    Fill(8);
    list.SetFocus();
    const CPoint pt = CellPoint(1, 0);
    parent.codes.clear();
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((Codes{NM_CLICK, NM_DBLCLK, NM_CLICK}), parent.Interesting());

    parent.codes.clear();
    Click(list.GetColumnLeft(2) + 10, 8);
    EXPECT_EQ((Codes{LVN_COLUMNCLICK, NM_CLICK}), parent.Interesting());

    parent.codes.clear();
    PressKey(VK_RETURN);
    EXPECT_EQ((Codes{LVN_KEYDOWN, NM_RETURN}), parent.Interesting());

    parent.codes.clear();
    ASSERT_TRUE(list.DeleteItems(2, 3));
    EXPECT_EQ((Codes{LVN_DELETEITEM}), parent.Interesting());
    parent.codes.clear();
    list.DeleteAllItems();
    EXPECT_EQ(Codes{}, parent.Interesting());
}

TEST_F(ListFixture, AnExplicitNotifyWindowTakesEverything) {
    Fill(4);
    RecordingParent other;
    ASSERT_TRUE(other.CreateEx(0, NULL, L"other", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    list.SetNotifyWnd(&other);
    parent.codes.clear();
    PressKey(VK_RETURN);
    list.DeleteItems(0, 1);
    EXPECT_TRUE(parent.codes.empty());
    EXPECT_EQ((Codes{LVN_KEYDOWN, NM_RETURN, LVN_DELETEITEM}), other.Interesting());
    list.SetNotifyWnd(NULL);
    other.DestroyWindow();
}

TEST_F(ListFixture, ACallbackAnsweredWithSetItemIsAskedOnce) {
    Fill(3);
    list.SetItemText(1, 2, LPSTR_TEXTCALLBACK);
    int nAsked = 0;
    parent.answer = [&](NMHDR* pHdr) -> LRESULT {
        if (pHdr->code != (UINT)LVN_GETDISPINFOW)
            return 0;
        auto* pInfo = reinterpret_cast<NMLVDISPINFOW*>(pHdr);
        if (pInfo->item.iItem == 1 && pInfo->item.iSubItem == 2) {
            ++nAsked;
            ::lstrcpynW(pInfo->item.pszText, L"answered", pInfo->item.cchTextMax);
            pInfo->item.mask |= LVIF_DI_SETITEM;
        }
        return 0;
    };
    list.Invalidate();
    list.UpdateWindow();
    list.Invalidate();
    list.UpdateWindow();
    wchar_t text[32];
    list.GetItemText(1, 2, text, 32);
    EXPECT_EQ(1, nAsked);
    EXPECT_STREQ(L"answered", text);
    parent.answer = nullptr;
}

// Bringing a far row into view measures the rows of the page it lands on, not every row passed
// over: each one measured asks the owner for its texts.
TEST_F(ListFixture, AFarRowBroughtIntoViewAsksOnlyForTheRowsAroundIt) {
    const int kRows = 3000;
    Fill(kRows);
    for (int i = 0; i < kRows; ++i)
        list.SetItemText(i, 0, LPSTR_TEXTCALLBACK);
    list.Invalidate();
    list.UpdateWindow();
    std::set<int> asked;
    parent.answer = [&](NMHDR* pHdr) -> LRESULT {
        if (pHdr->code == (UINT)LVN_GETDISPINFOW)
            asked.insert(reinterpret_cast<NMLVDISPINFOW*>(pHdr)->item.iItem);
        return 0;
    };
    const int nPage = list.GetCountPerPage();
    ASSERT_GT(nPage, 2);
    for (int nRow : {1500, kRows - 1, 700}) {
        SCOPED_TRACE(nRow);
        asked.clear();
        ASSERT_TRUE(list.EnsureVisible(nRow, FALSE));
        EXPECT_LE((int)asked.size(), 3 * nPage + 2);
        const int nTop = list.GetTopIndex();
        EXPECT_LE(nTop, nRow);
        EXPECT_GT(nTop + list.GetCountPerPage(), nRow);
        // From above, the row lands at the foot of the page with one row of context below it.
        if (nRow == 1500) {
            EXPECT_EQ(nRow + 1, nTop + list.GetCountPerPage() - 1);
        }
    }
    parent.answer = nullptr;
}

TEST_F(ListFixture, CallbackOwnersThatMisbehaveStillGiveBoundedTerminatedText) {
    Fill(2);
    list.SetItemText(0, 1, LPSTR_TEXTCALLBACK);
    static wchar_t s_own[] = L"repointed text";
    struct Case {
        const char* name;
        std::function<void(NMLVDISPINFOW*)> answer;
        std::wstring expected;
    } cases[] = {
        {"silent", [](NMLVDISPINFOW*) {}, L""},
        {"null", [](NMLVDISPINFOW* p) { p->item.pszText = NULL; }, L""},
        {"repointed", [](NMLVDISPINFOW* p) { p->item.pszText = s_own; }, L"repoint"},
        {"overrun",
         [](NMLVDISPINFOW* p) {
             for (int i = 0; i < p->item.cchTextMax; ++i)
                 p->item.pszText[i] = L'x';
         },
         L"xxxxxxx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        parent.answer = [&](NMHDR* pHdr) -> LRESULT {
            if (pHdr->code == (UINT)LVN_GETDISPINFOW)
                c.answer(reinterpret_cast<NMLVDISPINFOW*>(pHdr));
            return 0;
        };
        wchar_t text[8];
        EXPECT_EQ((int)c.expected.size(), list.GetItemText(0, 1, text, 8));
        EXPECT_EQ(c.expected, std::wstring(text));
    }
    parent.answer = nullptr;
}

TEST_F(ListFixture, AnOwnerDeletingRowsInsideItsNotificationsTouchesNoFreedRow) {
    Fill(10);
    list.SetFocus();
    int nDepth = 0;
    parent.answer = [&](NMHDR* pHdr) -> LRESULT {
        if (nDepth++ == 0) {
            if (pHdr->code == (UINT)LVN_DELETEITEM)
                list.DeleteItems(0, 3);
            else if (pHdr->code == (UINT)NM_CLICK || pHdr->code == (UINT)LVN_KEYDOWN)
                list.DeleteAllItems();
            else if (pHdr->code == (UINT)LVN_GETDISPINFOW)
                list.DeleteItems(0, 1);
        }
        --nDepth;
        return 0;
    };
    EXPECT_TRUE(list.DeleteItems(5, 3));
    EXPECT_EQ(4, list.GetItemCount());
    list.SetItemText(0, 1, LPSTR_TEXTCALLBACK);
    list.Invalidate();
    list.UpdateWindow();
    const CPoint pt = CellPoint(0, 0);
    Click(pt.x, pt.y);
    EXPECT_EQ(0, list.GetItemCount());
    Fill(3);
    PressKey(VK_DOWN);
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(-1, list.GetFocusIndex());
    parent.answer = nullptr;
}

} // namespace
