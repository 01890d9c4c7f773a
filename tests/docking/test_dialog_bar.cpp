// The dialog bar: made from a template, sized by it, its controls updated through the frame.
#include "docking_test_ids.h"
#include "docking_test_support.h"

#include "docking/dialog_bar.h"

namespace {
const UINT ID_DIALOG_BAR = 0xE8A0;

class CDialogBarFrame : public CDockTestFrame {
protected:
    afx_msg void OnRun() {}
    afx_msg void OnUpdateRun(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDialogBarFrame, CDockTestFrame)
ON_COMMAND(ID_BAR_RUN, OnRun)
ON_UPDATE_COMMAND_UI(ID_BAR_RUN, OnUpdateRun)
END_MESSAGE_MAP()

class DialogBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pFrame = new CDialogBarFrame;
        ASSERT_TRUE(m_pFrame->Open());
        AfxGetApp()->m_pMainWnd = m_pFrame;
    }
    void TearDown() override {
        AfxGetApp()->m_pMainWnd = nullptr;
        HideThreadWindows();
        m_pFrame->DestroyWindow();
        PumpMessages();
    }
    CDialogBarFrame* m_pFrame = nullptr;
};
} // namespace

TEST_F(DialogBarTest, TheTemplateGivesTheSizesAndTheControlsFollowUpdateHandlers) {
    SECDialogBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, IDD_TEST_BAR, WS_VISIBLE | CBRS_TOP, 0, ID_DIALOG_BAR));
    CRect dialog(0, 0, 200, 80);
    bar.MapDialogRect(&dialog);
    EXPECT_EQ(dialog.Size(), bar.m_szHorzDock);
    EXPECT_EQ(dialog.Size(), bar.m_szVertDock);
    EXPECT_EQ(dialog.Size(), bar.m_szFloat);
    EXPECT_EQ((int)ID_DIALOG_BAR, bar.GetDlgCtrlID());
    EXPECT_FALSE(bar.GetStyle() & WS_CAPTION);
    EXPECT_EQ(&bar, m_pFrame->GetControlBar(ID_DIALOG_BAR));

    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    PumpIdle();
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(bar.m_hWnd, ID_BAR_RUN)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(bar.m_hWnd, ID_BAR_STOP))); // no handler
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(bar.m_hWnd, ID_BAR_EDIT)));  // not a command
    // Stretched along the top row, its controls scale with it.
    CRect edit, client;
    ::GetWindowRect(::GetDlgItem(bar.m_hWnd, ID_BAR_EDIT), &edit);
    bar.ScreenToClient(&edit);
    bar.GetClientRect(&client);
    EXPECT_GT(client.Width(), dialog.Width());
    EXPECT_GT(edit.right, dialog.Width() * 190 / 200);
}

TEST_F(DialogBarTest, AMissingTemplateMakesNoBar) {
    SECDialogBar bar;
    EXPECT_FALSE(bar.Create(m_pFrame, IDD_TEST_MISSING, WS_VISIBLE | CBRS_TOP, 0, ID_DIALOG_BAR));
    EXPECT_EQ(nullptr, bar.m_hWnd);
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(ID_DIALOG_BAR));
}
