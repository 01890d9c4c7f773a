// The status bar: panes, their updates through the frame, the window text and its height.
#include "docking_test_ids.h"
#include "docking_test_support.h"

#include "docking/status_bar.h"

namespace {
const UINT kIndicators[] = {ID_SEPARATOR, ID_IND_ONE, ID_IND_TWO, ID_IND_THREE};

// A frame whose handlers disable one indicator and retitle another.
class CStatusFrame : public CDockTestFrame {
protected:
    afx_msg void OnUpdateOne(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateTwo(CCmdUI* pCmdUI) { pCmdUI->SetText(L"Retitled"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStatusFrame, CDockTestFrame)
ON_UPDATE_COMMAND_UI(ID_IND_ONE, OnUpdateOne)
ON_UPDATE_COMMAND_UI(ID_IND_TWO, OnUpdateTwo)
END_MESSAGE_MAP()

CString ControlText(SECStatusBar& bar, int nIndex) {
    wchar_t text[64] = L"";
    ::SendMessageW(bar.m_hWnd, SB_GETTEXTW, (WPARAM)nIndex, (LPARAM)text);
    return text;
}

class StatusTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pFrame = new CStatusFrame;
        ASSERT_TRUE(m_pFrame->Open());
        AfxGetApp()->m_pMainWnd = m_pFrame;
        ASSERT_TRUE(m_status.Create(m_pFrame));
        // Laid out before the dock bars: the bottom strip is the status bar's.
        m_status.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ASSERT_TRUE(m_status.SetIndicators(kIndicators, 4));
        m_pFrame->RecalcLayout();
        PumpIdle();
    }
    void TearDown() override {
        AfxGetApp()->m_pMainWnd = nullptr;
        m_status.DestroyWindow();
        HideThreadWindows();
        m_pFrame->DestroyWindow();
        PumpMessages();
    }
    CStatusFrame* m_pFrame = nullptr;
    SECStatusBar m_status;
};
} // namespace

TEST_F(StatusTest, PanesShowTheirTextsAndFollowTheFramesHandlersAtIdleTime) {
    EXPECT_STREQ(L"THREE", ControlText(m_status, 3).GetString());
    EXPECT_TRUE(m_status.GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_STREQ(L"", ControlText(m_status, 1).GetString()); // a disabled indicator is blank
    EXPECT_STREQ(L"Retitled", ControlText(m_status, 2).GetString());
    EXPECT_FALSE(m_status.GetPaneStyle(3) & SBPS_DISABLED); // no handler: left as it was
    // The stretchy pane takes what the indicators leave, and the bar lies along the bottom.
    CRect client, bar, first, last;
    m_pFrame->GetClientRect(&client);
    m_status.GetWindowRect(&bar);
    m_pFrame->ScreenToClient(&bar);
    EXPECT_EQ(client.bottom, bar.bottom);
    EXPECT_EQ(client.Width(), bar.Width());
    m_status.GetItemRect(0, &first);
    m_status.GetItemRect(3, &last);
    EXPECT_GT(first.Width(), last.Width());
}

TEST_F(StatusTest, TheWindowTextIsTheSeparatorPane) {
    m_status.SetWindowText(L"Ready");
    EXPECT_STREQ(L"Ready", m_status.GetPaneText(0).GetString());
    EXPECT_STREQ(L"Ready", ControlText(m_status, 0).GetString());
    wchar_t buffer[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(3, m_status.SendMessage(WM_GETTEXT, 4, (LPARAM)buffer));
    EXPECT_STREQ(L"Rea", buffer); // cut to the buffer, terminated
    buffer[0] = L'x';
    EXPECT_EQ(0, m_status.SendMessage(WM_GETTEXT, 0, (LPARAM)buffer));
    EXPECT_EQ(L'x', buffer[0]); // a buffer of no size is not written
    EXPECT_EQ(0, m_status.SendMessage(WM_GETTEXT, 10, 0));
    EXPECT_EQ(5, m_status.SendMessage(WM_GETTEXTLENGTH));
    // Prompts of the frame arrive there.
    m_pFrame->SetMessageText(L"Prompt");
    EXPECT_STREQ(L"Prompt", m_status.GetPaneText(0).GetString());

    const UINT indicators[] = {ID_IND_ONE};
    ASSERT_TRUE(m_status.SetIndicators(indicators, 1));
    EXPECT_EQ(-1, m_status.SendMessage(WM_SETTEXT, 0, (LPARAM)L"lost"));
    EXPECT_EQ(0, m_status.SendMessage(WM_GETTEXTLENGTH));
}

TEST_F(StatusTest, TheBarIsNeverLowerThanItsMinimumHeight) {
    const int nNatural = m_status.CalcFixedLayout(TRUE, TRUE).cy;
    m_status.SendMessage(SB_SETMINHEIGHT, nNatural + 25);
    m_pFrame->RecalcLayout();
    CRect bar;
    m_status.GetWindowRect(&bar);
    EXPECT_EQ(nNatural + 25, bar.Height());
}

TEST_F(StatusTest, PromptsReachTheStatusBarInsideADockBar) {
    m_status.EnableDocking(CBRS_ALIGN_BOTTOM);
    m_pFrame->DockControlBar(&m_status, AFX_IDW_DOCKBAR_BOTTOM);
    PumpIdle();
    ASSERT_EQ(m_pFrame->DockBar(AFX_IDW_DOCKBAR_BOTTOM)->m_hWnd, ::GetParent(m_status.m_hWnd));
    m_pFrame->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)L"Docked prompt");
    EXPECT_STREQ(L"Docked prompt", m_status.GetPaneText(0).GetString());
}
