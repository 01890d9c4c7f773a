// The control wrappers against the real controls of a dialog.
#include <gtest/gtest.h>

#include "dialog_ids.h"
#include "framework/dialogs/controls.h"
#include "framework/dialogs/dataexchange.h"
#include "framework/dialogs/dialog.h"
#include "framework/dialogs/listcontrols.h"

namespace {
class CControlsDialog : public CDialog {
public:
    CControlsDialog() : CDialog(IDD_EXCHANGE) {}
    CEdit m_text, m_number;
    CSpinButtonCtrl m_spin;
    CButton m_check;
    CComboBox m_combo;
    CListBox m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_TEXT, m_text);
        DDX_Control(pDX, IDC_NUMBER, m_number);
        DDX_Control(pDX, IDC_SPIN, m_spin);
        DDX_Control(pDX, IDC_CHECK, m_check);
        DDX_Control(pDX, IDC_COMBO, m_combo);
        DDX_Control(pDX, IDC_LIST, m_list);
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(m_dlg.Create(IDD_EXCHANGE));
        ASSERT_NE((HWND)NULL, m_dlg.m_spin.m_hWnd); // bound by the initial exchange
    }
    CControlsDialog m_dlg;
};

TEST_F(ControlsTest, SpinDrivesItsBuddyWithinItsRange) {
    m_dlg.m_spin.SetBuddy(&m_dlg.m_number);
    m_dlg.m_spin.SetRange(0, 100);
    int lower = -1, upper = -1;
    m_dlg.m_spin.GetRange(lower, upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(100, upper);
    m_dlg.m_spin.SetPos(42);
    CString shown;
    m_dlg.m_number.GetWindowText(shown);
    EXPECT_EQ(CString(L"42"), shown);
    EXPECT_EQ(42, LOWORD(m_dlg.m_spin.GetPos()));
    m_dlg.m_spin.SetPos(500); // clamped by the control
    EXPECT_EQ(100, LOWORD(m_dlg.m_spin.GetPos()));
    EXPECT_EQ(m_dlg.m_number.m_hWnd, m_dlg.m_spin.GetBuddy()->GetSafeHwnd());
}

TEST_F(ControlsTest, EditSelectionLinesAndLimits) {
    m_dlg.m_text.SetWindowText(L"hello world");
    m_dlg.m_text.SetSel(6, 11);
    int start = 0, end = 0;
    m_dlg.m_text.GetSel(start, end);
    EXPECT_EQ(6, start);
    EXPECT_EQ(11, end);
    m_dlg.m_text.ReplaceSel(L"there");
    wchar_t line[8];
    EXPECT_EQ(7, m_dlg.m_text.GetLine(0, line, 8)); // cut to the buffer, terminated
    EXPECT_STREQ(L"hello t", line);
    m_dlg.m_text.SetModify(FALSE);
    EXPECT_FALSE(m_dlg.m_text.GetModify());
    m_dlg.m_text.LimitText(3);
    EXPECT_EQ(3u, m_dlg.m_text.GetLimitText());
}

TEST_F(ControlsTest, ListsKeepTextsAndItemData) {
    for (LPCWSTR item : {L"one", L"two"}) {
        int i = m_dlg.m_combo.AddString(item);
        m_dlg.m_combo.SetItemData(i, 100 + i);
        m_dlg.m_list.InsertString(-1, item);
    }
    CString text;
    EXPECT_EQ(3, m_dlg.m_combo.GetLBText(1, text));
    EXPECT_EQ(CString(L"two"), text);
    EXPECT_EQ(101u, m_dlg.m_combo.GetItemData(1));
    EXPECT_EQ(CB_ERR, m_dlg.m_combo.GetLBText(5, text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(1, m_dlg.m_list.FindStringExact(-1, L"two"));
    EXPECT_EQ(LB_ERR, m_dlg.m_list.GetText(9, text));
    m_dlg.m_list.SetCurSel(0);
    m_dlg.m_list.DeleteString(0);
    EXPECT_EQ(1, m_dlg.m_list.GetCount());

    m_dlg.m_check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, m_dlg.m_check.GetCheck());
}
} // namespace
