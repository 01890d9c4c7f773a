// Modal and modeless dialogs from resource templates, with data exchange driven by the test.
#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <vector>

#include "dialog_ids.h"
#include "tests/support/dialog_test_support.h"
#include "framework/dialogs/controls.h"
#include "framework/dialogs/dataexchange.h"
#include "framework/dialogs/dialog.h"
#include "framework/core/exceptions.h"
#include "framework/dialogs/listcontrols.h"
#include "framework/win/winapp.h"

namespace {
const UINT WM_RUN_SCRIPT = WM_APP + 1;
const UINT_PTR kSafetyTimer = 77;

// Message boxes are answered with OK and their texts kept.
std::vector<CString> g_boxTexts;
int RecordBox(LPCTSTR lpszText, UINT) {
    g_boxTexts.push_back(lpszText);
    return IDOK;
}

// The dialog under test: every kind of exchange, and a script the test runs inside the dialog's
// own modal loop once it is up. A safety timer ends a dialog the script failed to end.
class CExchangeDialog : public CDialog {
public:
    CExchangeDialog() : CDialog(IDD_EXCHANGE) {}

    CString m_text = L"hello";
    int m_number = 5;
    int m_check = 1;
    int m_comboIndex = 1;
    int m_radio = 2;
    CString m_listText = L"beta";
    CString m_history = L"ab";
    CSpinButtonCtrl m_spin;

    std::function<void(CExchangeDialog&)> m_script;
    std::vector<UINT> m_seenBeforeInit;
    bool m_initSawWindow = false;
    bool m_throwInInit = false;

    void Set(int nID, LPCWSTR text) { ::SetDlgItemTextW(m_hWnd, nID, text); }
    void PressOK() { SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }
    void PressCancel() { SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

protected:
    BOOL OnInitDialog() override {
        if (m_throwInInit)
            AfxThrowResourceException();
        m_initSawWindow = ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this;
        for (LPCWSTR item : {L"red", L"green", L"blue"})
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, (LPARAM)item);
        for (LPCWSTR item : {L"alpha", L"beta", L"gamma"})
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, (LPARAM)item);
        SendDlgItemMessage(IDC_HISTORY, CB_ADDSTRING, 0, (LPARAM)L"abc");
        CDialog::OnInitDialog();
        SetTimer(kSafetyTimer, 10000);
        PostMessage(WM_RUN_SCRIPT);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_SPIN, m_spin);
        DDX_Text(pDX, IDC_TEXT, m_text);
        DDV_MaxChars(pDX, m_text, 8);
        DDX_Text(pDX, IDC_NUMBER, m_number);
        DDV_MinMaxInt(pDX, m_number, 1, 10);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_CBIndex(pDX, IDC_COMBO, m_comboIndex);
        DDX_Radio(pDX, IDC_RADIO_FIRST, m_radio);
        DDX_LBString(pDX, IDC_LIST, m_listText);
        DDX_CBString(pDX, IDC_HISTORY, m_history);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (m_hWnd != NULL && !m_initSawWindow && m_seenBeforeInit.size() < 1024)
            m_seenBeforeInit.push_back(message);
        return CDialog::WindowProc(message, wParam, lParam);
    }
    LRESULT OnRunScript(WPARAM, LPARAM) {
        if (m_script)
            m_script(*this);
        return 0;
    }
    void OnTimer(UINT_PTR nIDEvent) {
        if (nIDEvent == kSafetyTimer)
            EndDialog(-2);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDialog, CDialog)
ON_MESSAGE(WM_RUN_SCRIPT, OnRunScript)
ON_WM_TIMER()
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        ::InitCommonControlsEx(&icc);
        g_boxTexts.clear();
        m_previousHook = AfxSetMessageBoxHook(&RecordBox);
    }
    void TearDown() override { AfxSetMessageBoxHook(m_previousHook); }
    AFX_MSGBOX_HOOK m_previousHook = NULL;
};

TEST_F(DialogTest, ModalExchangeLoadsControlsAndSavesThemBackOnOK) {
    CExchangeDialog dlg;
    struct Seen {
        CString text, number, combo, history;
        int check = -1, radio = -1, list = -1;
    } seen;
    dlg.m_script = [&seen](CExchangeDialog& d) {
        CString s;
        d.GetDlgItemText(IDC_TEXT, seen.text);
        d.GetDlgItemText(IDC_NUMBER, seen.number);
        d.GetDlgItemText(IDC_COMBO, seen.combo);
        d.GetDlgItemText(IDC_HISTORY, seen.history);
        seen.check = (int)d.IsDlgButtonChecked(IDC_CHECK);
        seen.radio = d.GetCheckedRadioButton(IDC_RADIO_FIRST, IDC_RADIO_THIRD);
        seen.list = (int)d.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL);
        // The user's edits.
        d.Set(IDC_TEXT, L"world");
        d.Set(IDC_NUMBER, L" 7 ");
        d.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
        d.SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 2);
        d.CheckRadioButton(IDC_RADIO_FIRST, IDC_RADIO_THIRD, IDC_RADIO_FIRST);
        d.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 2);
        d.Set(IDC_HISTORY, L"typed");
        d.PressOK();
    };
    ASSERT_EQ(IDOK, dlg.DoModal());

    EXPECT_EQ(CString(L"hello"), seen.text);
    EXPECT_EQ(CString(L"5"), seen.number);
    EXPECT_EQ(CString(L"green"), seen.combo);
    // An editable combo shows the member as it is, not the longer entry it is a prefix of.
    EXPECT_EQ(CString(L"ab"), seen.history);
    EXPECT_EQ(1, seen.check);
    EXPECT_EQ(IDC_RADIO_THIRD, seen.radio);
    EXPECT_EQ(1, seen.list);

    EXPECT_EQ(CString(L"world"), dlg.m_text);
    EXPECT_EQ(7, dlg.m_number);
    EXPECT_EQ(0, dlg.m_check);
    EXPECT_EQ(2, dlg.m_comboIndex);
    EXPECT_EQ(0, dlg.m_radio);
    EXPECT_EQ(CString(L"gamma"), dlg.m_listText);
    EXPECT_EQ(CString(L"typed"), dlg.m_history);
    EXPECT_TRUE(g_boxTexts.empty());
    EXPECT_EQ(NULL, dlg.m_hWnd);
    EXPECT_EQ(NULL, dlg.m_spin.m_hWnd);
}

TEST_F(DialogTest, ObjectIsBoundBeforeInitialisation) {
    CExchangeDialog dlg;
    dlg.m_script = [](CExchangeDialog& d) { d.PressCancel(); };
    ASSERT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(dlg.m_initSawWindow);
    // The object sees its window from creation on, WM_INITDIALOG included.
    const auto& seen = dlg.m_seenBeforeInit;
    EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), (UINT)WM_NCCREATE));
    EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), (UINT)WM_INITDIALOG));
}

TEST_F(DialogTest, CancelLeavesTheMembersAlone) {
    CExchangeDialog dlg;
    dlg.m_script = [](CExchangeDialog& d) {
        d.Set(IDC_TEXT, L"changed");
        d.Set(IDC_NUMBER, L"9");
        d.PressCancel();
    };
    ASSERT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(CString(L"hello"), dlg.m_text);
    EXPECT_EQ(5, dlg.m_number);
}

// A value that fails keeps the dialog open with the focus (and selection) on the control at
// fault; the members keep their old values until a good value is given.
TEST_F(DialogTest, FailedValidationKeepsTheDialogOpenOnTheBadControl) {
    struct Case {
        const char* name;
        int nID;
        LPCWSTR bad;
        LPCWSTR good;
        LPCWSTR message;
    } cases[] = {
        {"out of range", IDC_NUMBER, L"42", L"10", L"Please enter an integer between 1 and 10."},
        {"not a number", IDC_NUMBER, L"12x", L"+3", L"Please enter an integer."},
        {"beyond int", IDC_NUMBER, L"99999999999", L"3", L"Please enter an integer."},
        {"empty number", IDC_NUMBER, L"", L"1", L"Please enter an integer."},
        {"too long", IDC_TEXT, L"123456789", L"12345678",
         L"Please enter no more than 8 characters."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_boxTexts.clear();
        CExchangeDialog dlg;
        bool stillOpen = false, focusOnBad = false, allSelected = false;
        dlg.m_script = [&](CExchangeDialog& d) {
            d.Set(c.nID, c.bad);
            d.PressOK();
            stillOpen = ::IsWindow(d.m_hWnd) && d.m_nModalResult == -1;
            HWND hBad = ::GetDlgItem(d.m_hWnd, c.nID);
            focusOnBad = ::GetFocus() == hBad;
            DWORD start = 0, end = 0;
            ::SendMessageW(hBad, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
            allSelected = start == 0 && end == (DWORD)::GetWindowTextLengthW(hBad);
            d.Set(c.nID, c.good);
            d.PressOK();
        };
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_TRUE(stillOpen);
        EXPECT_TRUE(focusOnBad);
        EXPECT_TRUE(allSelected);
        ASSERT_EQ(1u, g_boxTexts.size());
        EXPECT_EQ(CString(c.message), g_boxTexts[0]);
    }
}

TEST_F(DialogTest, MissingTemplateOrFailedInitialisationIsReportedNotShown) {
    CDialog missing(IDD_MISSING);
    EXPECT_EQ(-1, missing.DoModal());
    CDialog missingModeless;
    EXPECT_FALSE(missingModeless.Create(IDD_MISSING));
    EXPECT_EQ(NULL, missingModeless.m_hWnd);

    CExchangeDialog failing;
    failing.m_throwInInit = true;
    EXPECT_EQ(-1, failing.DoModal());
    EXPECT_EQ(NULL, failing.m_hWnd);
}

// A modeless dialog of the kind that owns itself: it goes away on Cancel and deletes itself.
class CSelfOwnedDialog : public CDialog {
public:
    explicit CSelfOwnedDialog(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CSelfOwnedDialog() override { *m_pDeleted = true; }
    CString m_text = L"start";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_TEXT, m_text); }
    void OnCancel() override { DestroyWindow(); }
    void PostNcDestroy() override { delete this; }

private:
    bool* m_pDeleted;
};

TEST_F(DialogTest, ModelessDialogExchangesAndDeletesItselfWhenClosed) {
    bool deleted = false;
    auto* dlg = new CSelfOwnedDialog(&deleted);
    ASSERT_TRUE(dlg->Create(IDD_MODELESS));
    HWND hWnd = dlg->m_hWnd;
    ASSERT_TRUE(::IsWindow(hWnd));
    CString shown;
    dlg->GetDlgItemText(IDC_TEXT, shown);
    EXPECT_EQ(CString(L"start"), shown);

    ::SetDlgItemTextW(hWnd, IDC_TEXT, L"edited");
    ASSERT_TRUE(dlg->UpdateData(TRUE));
    EXPECT_EQ(CString(L"edited"), dlg->m_text);

    // Escape through the application's loop: the dialog manager turns it into Cancel.
    ::SetFocus(::GetDlgItem(hWnd, IDC_TEXT));
    MSG msg = {::GetDlgItem(hWnd, IDC_TEXT), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {0, 0}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(hWnd, &msg));
    PumpPendingMessages();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(DialogTest, FocusAndDefaultButtonHelpers) {
    CExchangeDialog dlg;
    HWND focusAfterGoto = NULL, focusAfterNext = NULL;
    DWORD defId = 0;
    dlg.m_script = [&](CExchangeDialog& d) {
        d.GotoDlgCtrl(d.GetDlgItem(IDC_TEXT));
        focusAfterGoto = ::GetFocus();
        d.NextDlgCtrl();
        focusAfterNext = ::GetFocus();
        d.SetDefID(IDCANCEL);
        defId = d.GetDefID();
        d.PressCancel();
    };
    ASSERT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_NE(focusAfterGoto, focusAfterNext);
    EXPECT_NE((HWND)NULL, focusAfterGoto);
    EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), defId);
}

// AfxMessageBox with no hook shows a real box; the test answers it.
TEST(MessageBoxAnswer, RealBoxIsAnsweredByTheTest) {
    AFX_MSGBOX_HOOK previous = AfxSetMessageBoxHook(NULL);
    int result = 0;
    std::vector<std::wstring> texts;
    {
        DialogDismisser dismisser(IDCANCEL);
        result = AfxMessageBox(L"Continue with the test?", MB_OKCANCEL | MB_ICONQUESTION);
        texts = dismisser.m_texts;
    }
    AfxSetMessageBoxHook(previous);
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, texts.size());
    EXPECT_NE(std::wstring::npos, texts[0].find(L"Continue with the test?"));
}
} // namespace
