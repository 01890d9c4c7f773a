// Check boxes in an owner-drawn list box, on a real modeless dialog.
#include <gtest/gtest.h>

#include <vector>

#include "dialog_ids.h"
#include "framework/dialogs/checklistbox.h"
#include "framework/dialogs/dialog.h"

namespace {
class CCountingCheckList : public CCheckListBox {
public:
    int m_draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
        ++m_draws;
        CCheckListBox::DrawItem(lpDIS);
    }
};

class CListDialog : public CDialog {
public:
    CListDialog() : CDialog(IDD_MODELESS) {}
    CCountingCheckList m_list;
    int m_changes = 0;

protected:
    BOOL OnInitDialog() override {
        m_list.SubclassDlgItem(IDC_CHECKLIST, this);
        return CDialog::OnInitDialog();
    }
    void OnCheckChange() { ++m_changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListDialog, CDialog)
ON_CLBN_CHKCHANGE(IDC_CHECKLIST, OnCheckChange)
END_MESSAGE_MAP()

class CheckListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dlg.Create(IDD_MODELESS));
        m_dlg.ShowWindow(SW_SHOW);
        for (LPCWSTR item : {L"alpha", L"beta", L"gamma"})
            m_list().AddString(item);
    }
    CCheckListBox& m_list() { return m_dlg.m_list; }
    // A click at x pixels into item nIndex.
    void Click(int nIndex, int x) {
        CRect rect;
        m_list().GetItemRect(nIndex, &rect);
        LPARAM at = MAKELPARAM(rect.left + x, rect.top + rect.Height() / 2);
        m_list().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        m_list().SendMessage(WM_LBUTTONUP, 0, at);
    }
    CListDialog m_dlg;
};

TEST_F(CheckListBoxTest, ChecksLiveBesideTheCallersItemData) {
    m_list().SetItemData(1, 4711);
    m_list().SetCheck(1, 1);
    m_list().SetCheck(2, 2);
    EXPECT_EQ(4711u, m_list().GetItemData(1));
    EXPECT_EQ(0, m_list().GetCheck(0));
    EXPECT_EQ(1, m_list().GetCheck(1));
    EXPECT_EQ(2, m_list().GetCheck(2));
    EXPECT_EQ(LB_ERR, m_list().GetCheck(3));
    m_list().SetCheck(0, 7); // not a state
    EXPECT_EQ(0, m_list().GetCheck(0));

    // Deleting an item moves the others' states with them.
    m_list().DeleteString(0);
    EXPECT_EQ(1, m_list().GetCheck(0));
    EXPECT_EQ(4711u, m_list().GetItemData(0));
    EXPECT_EQ(2, m_list().GetCheck(1));
    m_list().ResetContent();
    EXPECT_EQ(LB_ERR, m_list().GetCheck(0));
}

TEST_F(CheckListBoxTest, ClicksOnTheBoxAndSpaceToggleAndTellTheParent) {
    Click(0, 4);
    EXPECT_EQ(1, m_list().GetCheck(0));
    EXPECT_EQ(1, m_dlg.m_changes);
    Click(0, 60); // on the text: selects only
    EXPECT_EQ(1, m_list().GetCheck(0));
    EXPECT_EQ(0, m_list().GetCurSel());
    m_list().SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(0, m_list().GetCheck(0));
    EXPECT_EQ(2, m_dlg.m_changes);

    m_list().Enable(1, FALSE);
    Click(1, 4);
    EXPECT_EQ(0, m_list().GetCheck(1));
    EXPECT_FALSE(m_list().IsEnabled(1));

    m_list().SetCheckStyle(BS_AUTO3STATE);
    Click(2, 4);
    Click(2, 4);
    EXPECT_EQ(2, m_list().GetCheck(2));
}

TEST_F(CheckListBoxTest, ItemsArePaintedByTheList) {
    m_dlg.m_list.m_draws = 0;
    m_list().Invalidate();
    m_list().UpdateWindow();
    EXPECT_GE(m_dlg.m_list.m_draws, 3);
}
} // namespace
