// In-place label editing and label tips on a real list.
#include "list_fixture.h"
#include "tests/support/window_capture.h"

#include <memory>

namespace {

class ListEdit : public ListFixture {
protected:
    void SetUp() override {
        ListFixture::SetUp();
        list.ModifyListStyle(0, LVS_EDITLABELS | LVS_NOLABELWRAP, TRUE);
        Fill(6);
        list.SetFocus();
        parent.answer = [this](NMHDR* pHdr) -> LRESULT {
            if (pHdr->code == (UINT)LVN_BEGINLABELEDITW)
                return beginAnswer;
            if (pHdr->code == (UINT)LVN_ENDLABELEDITW) {
                auto* pInfo = reinterpret_cast<NMLVDISPINFOW*>(pHdr);
                endTexts.push_back(pInfo->item.pszText ? pInfo->item.pszText : L"(null)");
                if (!replacement.empty())
                    pInfo->item.pszText = &replacement[0];
                return endAnswer;
            }
            return 0;
        };
    }
    void TearDown() override {
        parent.answer = nullptr;
        ListFixture::TearDown();
    }
    HWND Editor() { return list.GetEditControl()->GetSafeHwnd(); }
    void Type(const wchar_t* text) {
        for (const wchar_t* p = text; *p; ++p)
            ::SendMessageW(Editor(), WM_CHAR, *p, 1);
    }
    void EditKey(UINT vk) { ::SendMessageW(Editor(), WM_KEYDOWN, vk, 1); }
    std::wstring Text(int nRow, int nSub = 0) {
        wchar_t text[64];
        list.GetItemText(nRow, nSub, text, 64);
        return text;
    }
    LRESULT beginAnswer = 0;
    LRESULT endAnswer = 1;
    std::wstring replacement;
    std::vector<std::wstring> endTexts;
};

TEST_F(ListEdit, ReturnAcceptsEscapeRestoresAndTheCellFollowsTheTyping) {
    list.FocusItem(2, TRUE);
    PressKey(VK_F2);
    ASSERT_NE(HWND(NULL), Editor());
    EXPECT_EQ(2, list.GetEditIndex());
    EXPECT_EQ(SECLIST_EDIT_ID, (UINT)::GetDlgCtrlID(Editor()));
    Type(L"xyz");
    EXPECT_EQ(L"xyz", Text(2)); // the cell follows while typing
    EditKey(VK_ESCAPE);
    EXPECT_EQ(HWND(NULL), Editor());
    EXPECT_EQ(L"row 2", Text(2));
    EXPECT_EQ(L"(null)", endTexts.back());

    PressKey(VK_F2);
    Type(L"new");
    EditKey(VK_RETURN);
    EXPECT_EQ(L"new", Text(2));
    EXPECT_EQ(-1, list.GetEditIndex());
}

TEST_F(ListEdit, TheOwnersAnswersDecide) {
    struct Case {
        const char* name;
        LRESULT begin, end;
        std::wstring replacement;
        bool edits;
        std::wstring result;
    } cases[] = {
        {"begin 1 cancels", 1, 1, L"", false, L"row 1"},
        {"begin 2 edits", 2, 1, L"", true, L"typed"},
        {"end 0 keeps the old text", 0, 0, L"", true, L"row 1"},
        {"end nonzero with a new text", 0, 1, L"changed", true, L"changed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.SetItemText(1, 0, L"row 1");
        beginAnswer = c.begin;
        endAnswer = c.end;
        replacement = c.replacement;
        list.FocusItem(1, TRUE);
        PressKey(VK_F2);
        EXPECT_EQ(c.edits, Editor() != NULL);
        if (Editor() != NULL) {
            Type(L"typed");
            EditKey(VK_RETURN);
        }
        EXPECT_EQ(c.result, Text(1));
    }
}

TEST_F(ListEdit, AClickOnAnotherRowAcceptsTheEdit) {
    list.FocusItem(1, TRUE);
    PressKey(VK_F2);
    ASSERT_NE(HWND(NULL), Editor());
    Type(L"clicked");
    const CPoint pt = CellPoint(4, 0);
    Click(pt.x, pt.y);
    EXPECT_EQ(HWND(NULL), Editor());
    EXPECT_EQ(L"clicked", Text(1));
    EXPECT_EQ(4, list.GetFocusIndex());
}

TEST_F(ListEdit, TheDelayedEditStartsOnTheTimerUnlessADoubleClickCame) {
    const CPoint pt = CellPoint(3, 0);
    Click(pt.x, pt.y); // selects
    Click(pt.x, pt.y); // arms: a second click on a selected label
    EXPECT_EQ(3, list.GetPendingEditIndex());
    Click(pt.x, pt.y); // the timer starts
    list.SendMessage(WM_TIMER, SECLIST_EDIT_TIMER, 0);
    ASSERT_NE(HWND(NULL), Editor());
    EditKey(VK_ESCAPE);

    Click(pt.x, pt.y);
    Click(pt.x, pt.y);
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(-1, list.GetPendingEditIndex());
    list.SendMessage(WM_TIMER, SECLIST_EDIT_TIMER, 0);
    EXPECT_EQ(HWND(NULL), Editor());
}

TEST_F(ListEdit, TheEditFollowsInsertsAndIsCancelledWhenItsRowGoes) {
    list.FocusItem(2, TRUE);
    PressKey(VK_F2);
    Type(L"moved");
    list.InsertItemText(0, L"new first");
    EXPECT_EQ(3, list.GetEditIndex());
    EditKey(VK_RETURN);
    EXPECT_EQ(L"moved", Text(3));

    list.FocusItem(4, TRUE);
    PressKey(VK_F2);
    Type(L"lost");
    endTexts.clear();
    list.DeleteItems(3, 2);
    EXPECT_EQ(HWND(NULL), Editor());
    EXPECT_EQ(-1, list.GetEditIndex());
    ASSERT_EQ(1u, endTexts.size());
    EXPECT_EQ(L"(null)", endTexts[0]); // cancelled, not stored
}

TEST_F(ListEdit, LongTextsAreStoredWholeAndTheEditorIsLimited) {
    std::wstring longText(100000, L'w');
    ASSERT_TRUE(list.SetItemText(1, 0, longText.c_str()));
    LVITEM item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 1;
    ASSERT_TRUE(list.GetItem(&item, FALSE, FALSE));
    EXPECT_EQ(100000u, ::wcslen(item.pszText));
    EXPECT_EQ(2047, (int)list.QueryItemText(1, 0).GetLength());
    list.FocusItem(1, TRUE);
    PressKey(VK_F2);
    ASSERT_NE(HWND(NULL), Editor());
    EXPECT_EQ(2047u, list.GetEditControl()->GetLimitText());
    EditKey(VK_ESCAPE);
    item.pszText = NULL;
    ASSERT_TRUE(list.GetItem(&item, FALSE, FALSE));
    EXPECT_EQ(100000u, ::wcslen(item.pszText)); // cancelling kept the whole text
}

class ListTip : public ListFixture {
protected:
    void SetUp() override {
        ListFixture::SetUp();
        list.ModifyListStyle(0, LVS_NOLABELWRAP, FALSE);
        list.ModifyListExStyle(0, LVXS_LABELTIPS, TRUE);
        Fill(5);
        list.SetItemText(1, 0, L"a name far too long for its column");
        list.SetItemText(2, 1, L"a value far too long too");
        list.RecalcLayout();
        ::SetForegroundWindow(parent.m_hWnd);
        ::SetActiveWindow(parent.m_hWnd);
        PumpPending();
    }
    void Hover(CPoint pt) {
        CPoint screen = pt;
        ::ClientToScreen(list.m_hWnd, &screen);
        ::SetCursorPos(screen.x, screen.y);
        list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    }
    bool TipShown() {
        SECListTip* pTip = list.GetTipWnd();
        return pTip->GetSafeHwnd() != NULL && pTip->IsWindowVisible();
    }
};

TEST_F(ListTip, AClippedLabelShowsItsWholeTextAndOneThatFitsShowsNone) {
    Hover(CellPoint(1, 0));
    ASSERT_TRUE(TipShown());
    EXPECT_EQ(CString(L"a name far too long for its column"), list.GetTipWnd()->m_strText);
    CRect rcTip, rcList;
    list.GetTipWnd()->GetWindowRect(&rcTip);
    list.GetWindowRect(&rcList);
    EXPECT_GT(rcTip.right, rcList.left + list.GetColumnRight(0)); // over the cut part
    PumpPending();
    ::Sleep(300); // the display shows what was drawn
    PumpPending();
    SavePng(CaptureOnScreen(parent.m_hWnd), ScreenshotPath(L"list_tip.png"));

    Hover(CellPoint(2, 1));
    EXPECT_TRUE(TipShown());
    EXPECT_EQ(CString(L"a value far too long too"), list.GetTipWnd()->m_strText);
    Hover(CellPoint(3, 0));
    EXPECT_FALSE(TipShown());
}

TEST_F(ListTip, TheTipHidesOnceTheCursorLeaves) {
    Hover(CellPoint(1, 0));
    ASSERT_TRUE(TipShown());
    ::SetCursorPos(1000, 900);
    list.GetTipWnd()->SendMessage(WM_TIMER, SECLIST_TIP_TIMER, 0);
    EXPECT_FALSE(TipShown());
}

TEST_F(ListTip, AClickOnTheTipSelectsTheRowBelow) {
    list.DeselectAllExcept(-1);
    list.FocusItem(0, TRUE);
    Hover(CellPoint(1, 0));
    ASSERT_TRUE(TipShown());
    SECListTip* pTip = list.GetTipWnd();
    for (UINT message : {(UINT)WM_LBUTTONDOWN, (UINT)WM_LBUTTONUP}) {
        MSG msg = {pTip->m_hWnd,     message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0u,
                   MAKELPARAM(4, 4), 0,       {0, 0}};
        EXPECT_TRUE(pTip->PreTranslateMessage(&msg));
    }
    EXPECT_EQ(1, list.GetFocusIndex());
    EXPECT_EQ((std::vector<int>{1}), SelectedRows());
}

} // namespace
