// The exchange routines one by one, on a real dialog's controls.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "dialog_ids.h"
#include "framework/dialogs/dataexchange.h"
#include "framework/dialogs/dialog.h"
#include "framework/win/winapp.h"

namespace {
int g_boxes = 0;
int CountBox(LPCTSTR, UINT) {
    ++g_boxes;
    return IDOK;
}

class CProbeDialog : public CDialog {
public:
    std::function<void(CDataExchange*)> m_exchange;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        if (m_exchange)
            m_exchange(pDX);
    }
};

class DataExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_boxes = 0;
        m_previous = AfxSetMessageBoxHook(&CountBox);
        ASSERT_TRUE(m_dlg.Create(IDD_EXCHANGE));
        for (LPCWSTR item : {L"red", L"green", L"blue"})
            m_dlg.SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, (LPARAM)item);
        for (LPCWSTR item : {L"alpha", L"beta", L"gamma"})
            m_dlg.SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, (LPARAM)item);
        m_dlg.SendDlgItemMessage(IDC_HISTORY, CB_ADDSTRING, 0, (LPARAM)L"abc");
    }
    void TearDown() override { AfxSetMessageBoxHook(m_previous); }

    // Loads value through f, then saves it back through f; returns what was saved.
    CString RoundTrip(void(AFXAPI* f)(CDataExchange*, int, CString&), int nID, LPCWSTR value) {
        CString v = value;
        m_dlg.m_exchange = [&](CDataExchange* pDX) { f(pDX, nID, v); };
        EXPECT_TRUE(m_dlg.UpdateData(FALSE));
        EXPECT_TRUE(m_dlg.UpdateData(TRUE));
        return v;
    }
    int Selection(int nID, UINT msg) { return (int)m_dlg.SendDlgItemMessage(nID, msg); }

    AFX_MSGBOX_HOOK m_previous = NULL;
    CProbeDialog m_dlg;
};

TEST_F(DataExchangeTest, ComboAndListTextsMatchByPrefixOrExactly) {
    struct Case {
        const char* name;
        void(AFXAPI* f)(CDataExchange*, int, CString&);
        int nID;
        LPCWSTR loaded;
        int selected; // index after loading
        LPCWSTR saved;
    } cases[] = {
        {"drop list, prefix", DDX_CBString, IDC_COMBO, L"gre", 1, L"green"},
        {"drop list, exact", DDX_CBStringExact, IDC_COMBO, L"gre", -1, L""},
        {"drop list, exact hit", DDX_CBStringExact, IDC_COMBO, L"blue", 2, L"blue"},
        {"edit combo keeps a prefix", DDX_CBString, IDC_HISTORY, L"ab", -1, L"ab"},
        {"edit combo keeps the case", DDX_CBString, IDC_HISTORY, L"ABC", 0, L"ABC"},
        {"edit combo, empty", DDX_CBString, IDC_HISTORY, L"", -1, L""},
        {"list, prefix", DDX_LBString, IDC_LIST, L"gam", 2, L"gamma"},
        {"list, exact", DDX_LBStringExact, IDC_LIST, L"gam", -1, L""},
        {"list, empty", DDX_LBString, IDC_LIST, L"", -1, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString saved = RoundTrip(c.f, c.nID, c.loaded);
        UINT getSel = c.nID == IDC_LIST ? LB_GETCURSEL : CB_GETCURSEL;
        EXPECT_EQ(c.selected, Selection(c.nID, getSel));
        EXPECT_EQ(CString(c.saved), saved);
    }
    EXPECT_EQ(0, g_boxes);
}

TEST_F(DataExchangeTest, IndexesRoundTrip) {
    int combo = 2, list = 1;
    m_dlg.m_exchange = [&](CDataExchange* pDX) {
        DDX_CBIndex(pDX, IDC_COMBO, combo);
        DDX_LBIndex(pDX, IDC_LIST, list);
    };
    ASSERT_TRUE(m_dlg.UpdateData(FALSE));
    combo = list = 99;
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(2, combo);
    EXPECT_EQ(1, list);
}

// Numbers are read whole and within their type, or refused with a message.
TEST_F(DataExchangeTest, NumbersAreReadWithinTheirType) {
    struct Case {
        LPCWSTR text;
        bool asUInt, asInt;
    } cases[] = {
        {L"0", true, true},
        {L"-1", false, true},
        {L"+12", true, true},
        {L"4294967295", true, false},
        {L"4294967296", false, false},
        {L"-2147483648", false, true},
        {L"-2147483649", false, false},
        {L"1.5", false, false},
        {L"0x10", false, false},
        {L"", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        ::SetDlgItemTextW(m_dlg.m_hWnd, IDC_NUMBER, c.text);
        UINT u = 7;
        DWORD dw = 7;
        int i = 7;
        long l = 7;
        m_dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_NUMBER, u); };
        EXPECT_EQ(c.asUInt, (bool)m_dlg.UpdateData(TRUE));
        m_dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_NUMBER, dw); };
        EXPECT_EQ(c.asUInt, (bool)m_dlg.UpdateData(TRUE));
        m_dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_NUMBER, i); };
        EXPECT_EQ(c.asInt, (bool)m_dlg.UpdateData(TRUE));
        m_dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_NUMBER, l); };
        EXPECT_EQ(c.asInt, (bool)m_dlg.UpdateData(TRUE));
        if (!c.asUInt) {
            EXPECT_EQ(7u, u); // a refused value leaves the member alone
        }
    }
}

TEST_F(DataExchangeTest, RangeChecksApplyOnlyWhenSaving) {
    UINT value = 50;
    m_dlg.m_exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_NUMBER, value);
        DDV_MinMaxUInt(pDX, value, 1, 10);
    };
    EXPECT_TRUE(m_dlg.UpdateData(FALSE)); // shown as it is
    EXPECT_EQ(0, g_boxes);
    EXPECT_FALSE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(1, g_boxes);
}

TEST_F(DataExchangeTest, MaxCharsLimitsTheControlWhenLoading) {
    CString text = L"abc";
    m_dlg.m_exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_TEXT, text);
        DDV_MaxChars(pDX, text, 4);
        DDX_CBString(pDX, IDC_HISTORY, text);
        DDV_MaxChars(pDX, text, 6);
    };
    ASSERT_TRUE(m_dlg.UpdateData(FALSE));
    EXPECT_EQ(4u, (UINT)m_dlg.SendDlgItemMessage(IDC_TEXT, EM_GETLIMITTEXT));
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetComboBoxInfo(::GetDlgItem(m_dlg.m_hWnd, IDC_HISTORY), &info));
    EXPECT_EQ(6u, (UINT)::SendMessageW(info.hwndItem, EM_GETLIMITTEXT, 0, 0));
    // Typed text beyond the limit is cut by the control itself.
    HWND hEdit = ::GetDlgItem(m_dlg.m_hWnd, IDC_TEXT);
    ::SendMessageW(hEdit, EM_SETSEL, 0, -1);
    ::SendMessageW(hEdit, EM_REPLACESEL, FALSE, (LPARAM)L"123456");
    CString typed;
    m_dlg.GetDlgItemText(IDC_TEXT, typed);
    EXPECT_EQ(CString(L"1234"), typed);
}

TEST_F(DataExchangeTest, AMissingControlIsAProgrammingErrorNotACrash) {
    CString text;
    m_dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, 4242, text); };
    EXPECT_FALSE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(1, g_boxes); // reported
}
} // namespace
