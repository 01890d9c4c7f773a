// Property sheets with framework pages, driven from inside the sheet's own modal loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_ids.h"
#include "framework/dialogs/dataexchange.h"
#include "framework/dialogs/propsheet.h"
#include "framework/win/winapp.h"

namespace {
const UINT WM_RUN_SCRIPT = WM_APP + 2;
std::vector<std::string> g_log;
int AnswerBox(LPCTSTR, UINT) {
    g_log.push_back("message box");
    return IDOK;
}

class CLoggingPage : public CPropertyPage {
public:
    CLoggingPage(UINT nIDTemplate, const char* name) : CPropertyPage(nIDTemplate), m_name(name) {}
    std::function<void()> m_script;

protected:
    BOOL OnInitDialog() override {
        CPropertyPage::OnInitDialog();
        if (m_script) {
            PostMessage(WM_RUN_SCRIPT);
            SetTimer(1, 10000, NULL); // ends a sheet the script failed to end
        }
        return TRUE;
    }
    BOOL OnSetActive() override {
        Log("set active");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        Log("kill active");
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override {
        Log("apply");
        return CPropertyPage::OnApply();
    }
    void OnReset() override { Log("reset"); }
    LRESULT OnRunScript(WPARAM, LPARAM) {
        m_script();
        return 0;
    }
    void OnTimer(UINT_PTR) {
        ::SendMessageW(::GetParent(m_hWnd), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
    void Log(const char* what) { g_log.push_back(std::string(m_name) + " " + what); }
    const char* m_name;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoggingPage, CPropertyPage)
ON_MESSAGE(WM_RUN_SCRIPT, OnRunScript)
ON_WM_TIMER()
END_MESSAGE_MAP()

class CTextPage : public CLoggingPage {
public:
    CTextPage() : CLoggingPage(IDD_PAGE_ONE, "one") {}
    CString m_text = L"start";

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_TEXT, m_text);
        DDV_MaxChars(pDX, m_text, 5);
    }
};

class CNumberPage : public CLoggingPage {
public:
    CNumberPage() : CLoggingPage(IDD_PAGE_TWO, "two") {}
    int m_number = 2;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NUMBER, m_number); }
};

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        m_previous = AfxSetMessageBoxHook(&AnswerBox);
        m_sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
        m_sheet.AddPage(&m_one);
        m_sheet.AddPage(&m_two);
    }
    void TearDown() override { AfxSetMessageBoxHook(m_previous); }
    AFX_MSGBOX_HOOK m_previous = NULL;
    CPropertySheet m_sheet{L"Settings"};
    CTextPage m_one;
    CNumberPage m_two;
};

TEST_F(PropertySheetTest, PagesExchangeTheirValuesAndOKConfirmsTheSheet) {
    CPropertyPage* activeAfterSwitch = NULL;
    int indexAfterSwitch = -1;
    m_one.m_script = [&] {
        ::SetDlgItemTextW(m_one.m_hWnd, IDC_TEXT, L"abc");
        m_sheet.SetActivePage(1);
        activeAfterSwitch = m_sheet.GetActivePage();
        indexAfterSwitch = m_sheet.GetActiveIndex();
        ::SetDlgItemTextW(m_two.m_hWnd, IDC_NUMBER, L"7");
        m_sheet.PressButton(PSBTN_OK);
    };
    ASSERT_EQ(IDOK, m_sheet.DoModal());
    EXPECT_EQ(&m_two, activeAfterSwitch);
    EXPECT_EQ(1, indexAfterSwitch);
    EXPECT_EQ(CString(L"abc"), m_one.m_text);
    EXPECT_EQ(7, m_two.m_number);
    EXPECT_EQ((std::vector<std::string>{"one set active", "one kill active", "two set active",
                                        "two kill active", "one apply", "two apply"}),
              g_log);
    EXPECT_EQ(NULL, m_one.m_hWnd);
    EXPECT_EQ(NULL, m_sheet.m_hWnd);
}

// A page whose values fail validation cannot be left; cancelling tells the pages.
TEST_F(PropertySheetTest, InvalidPageCannotBeLeftAndCancelResetsThePages) {
    int indexAfterFailedSwitch = -1;
    m_one.m_script = [&] {
        ::SetDlgItemTextW(m_one.m_hWnd, IDC_TEXT, L"too long");
        m_sheet.SetActivePage(1);
        indexAfterFailedSwitch = m_sheet.GetActiveIndex();
        m_sheet.PressButton(PSBTN_CANCEL);
    };
    ASSERT_EQ(IDCANCEL, m_sheet.DoModal());
    EXPECT_EQ(0, indexAfterFailedSwitch);
    EXPECT_EQ(2, m_two.m_number);
    ASSERT_GE(g_log.size(), 3u);
    EXPECT_EQ("message box", g_log[2]);
    EXPECT_EQ("one reset", g_log.back());
}

TEST_F(PropertySheetTest, PagesAreKeptInOrderOncePerSheet) {
    m_sheet.AddPage(&m_one); // already there
    EXPECT_EQ(2, m_sheet.GetPageCount());
    EXPECT_EQ(&m_one, m_sheet.GetPage(0));
    EXPECT_EQ(1, m_sheet.GetPageIndex(&m_two));
    EXPECT_EQ(NULL, m_sheet.GetPage(2));
    EXPECT_TRUE(m_sheet.SetActivePage(&m_two));
    EXPECT_EQ(&m_two, m_sheet.GetActivePage());
    m_sheet.RemovePage(&m_one);
    EXPECT_EQ(1, m_sheet.GetPageCount());
    EXPECT_EQ(&m_two, m_sheet.GetPage(0));
    CPropertySheet empty(L"Empty");
    EXPECT_EQ(-1, empty.DoModal());
}
} // namespace
