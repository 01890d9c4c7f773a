// Update-UI on a real menu and on buttons: enable, check, radio, text, the automatic disabling
// of commands without a handler, and commands refused while disabled.
#include "test_support.h"

#include <gtest/gtest.h>

namespace {
constexpr UINT ID_OPEN = 4001;
constexpr UINT ID_SAVE = 4002;
constexpr UINT ID_NOHANDLER = 4003;
constexpr UINT ID_CHECK = 4004;
constexpr UINT ID_TEXT = 4005;
constexpr UINT ID_RADIO = 4006;

class CCommandWnd : public CWnd {
public:
    BOOL enableOpen = FALSE;
    int checkState = 1;
    int ranOpen = 0;
    BOOL autoMenuEnable = TRUE;

protected:
    afx_msg void OnOpen() { ranOpen++; }
    afx_msg void OnUpdateOpen(CCmdUI* pCmdUI) { pCmdUI->Enable(enableOpen); }
    afx_msg void OnSave() {}
    afx_msg void OnCheck() {}
    afx_msg void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(checkState); }
    afx_msg void OnUpdateText(CCmdUI* pCmdUI) {
        pCmdUI->SetText(L"Renamed\tCtrl+R");
        pCmdUI->Enable(TRUE);
    }
    afx_msg void OnUpdateRadio(CCmdUI* pCmdUI) {
        pCmdUI->SetRadio(TRUE);
        pCmdUI->Enable(TRUE);
    }
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
        if (!bSysMenu)
            AfxUpdatePopupMenu(this, pPopupMenu, autoMenuEnable);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandWnd, CWnd)
ON_WM_INITMENUPOPUP()
ON_COMMAND(ID_OPEN, OnOpen)
ON_UPDATE_COMMAND_UI(ID_OPEN, OnUpdateOpen)
ON_COMMAND(ID_SAVE, OnSave)
ON_COMMAND(ID_CHECK, OnCheck)
ON_UPDATE_COMMAND_UI(ID_CHECK, OnUpdateCheck)
ON_UPDATE_COMMAND_UI(ID_TEXT, OnUpdateText)
ON_UPDATE_COMMAND_UI(ID_RADIO, OnUpdateRadio)
END_MESSAGE_MAP()

// A control that keeps its own state: the route never sees its updates.
class CSelfUpdatingButton : public CWnd {
public:
    int m_nUpdates = 0;

protected:
    afx_msg void OnUpdateSelf(CCmdUI* pCmdUI) {
        ++m_nUpdates;
        pCmdUI->SetText(L"self");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfUpdatingButton, CWnd)
ON_UPDATE_COMMAND_UI_REFLECT(OnUpdateSelf)
END_MESSAGE_MAP()

class CommandUITest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateTopLevel(wnd));
        ASSERT_TRUE(popup.CreatePopupMenu());
        popup.AppendMenu(MF_STRING, ID_OPEN, L"Open");
        popup.AppendMenu(MF_STRING, ID_SAVE, L"Save");
        popup.AppendMenu(MF_STRING, ID_NOHANDLER, L"Nothing");
        popup.AppendMenu(MF_SEPARATOR);
        popup.AppendMenu(MF_STRING, ID_CHECK, L"Check");
        popup.AppendMenu(MF_STRING, ID_TEXT, L"Text");
        popup.AppendMenu(MF_STRING, ID_RADIO, L"Radio");
    }
    void OpenPopup() { wnd.SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, 0); }
    bool Grayed(UINT nID) { return (popup.GetMenuState(nID, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    bool Checked(UINT nID) { return (popup.GetMenuState(nID, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    CCommandWnd wnd;
    CMenu popup;
};
} // namespace

TEST_F(CommandUITest, PopupItemsFollowTheirUpdateHandlers) {
    OpenPopup();
    EXPECT_TRUE(Grayed(ID_OPEN));
    EXPECT_FALSE(Grayed(ID_SAVE));
    EXPECT_TRUE(Grayed(ID_NOHANDLER));
    EXPECT_TRUE(Checked(ID_CHECK));
    EXPECT_FALSE(Grayed(ID_CHECK));
    CString text;
    popup.GetMenuString(ID_TEXT, text, MF_BYCOMMAND);
    EXPECT_EQ(text, L"Renamed\tCtrl+R");
    EXPECT_FALSE(Grayed(ID_TEXT));
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(popup.GetMenuItemInfo(ID_RADIO, &info));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(info.fState & MFS_CHECKED);

    wnd.enableOpen = TRUE;
    wnd.checkState = 0;
    OpenPopup();
    EXPECT_FALSE(Grayed(ID_OPEN));
    EXPECT_FALSE(Checked(ID_CHECK));
}

TEST_F(CommandUITest, WithoutAutoEnableItemsWithoutHandlersStayEnabled) {
    wnd.autoMenuEnable = FALSE;
    OpenPopup();
    EXPECT_FALSE(Grayed(ID_NOHANDLER));
    EXPECT_TRUE(Grayed(ID_OPEN));
}

TEST_F(CommandUITest, DisabledCommandsAreNotCarriedOut) {
    struct Case {
        BOOL enabled;
        WORD source; // 0 menu, 1 accelerator
        int expectedRuns;
    };
    const Case cases[] = {{FALSE, 0, 0}, {FALSE, 1, 0}, {TRUE, 0, 1}, {TRUE, 1, 1}};
    for (const Case& c : cases) {
        wnd.enableOpen = c.enabled;
        wnd.ranOpen = 0;
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_OPEN, c.source), 0);
        EXPECT_EQ(wnd.ranOpen, c.expectedRuns) << "enabled " << c.enabled << " source " << c.source;
    }
}

TEST_F(CommandUITest, HandlerQueryFindsWithoutRunning) {
    AFX_CMDHANDLERINFO info = {NULL, NULL};
    EXPECT_TRUE(wnd.OnCmdMsg(ID_OPEN, CN_COMMAND, NULL, &info));
    EXPECT_EQ(info.pTarget, &wnd);
    EXPECT_EQ(wnd.ranOpen, 0);
    EXPECT_FALSE(wnd.OnCmdMsg(ID_NOHANDLER, CN_COMMAND, NULL, &info));
}

TEST_F(CommandUITest, ButtonsFollowTheirUpdateHandlers) {
    auto button = [&](UINT nID, DWORD style) {
        return ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | style, 0, 0, 40, 20,
                                 wnd.m_hWnd, (HMENU)(UINT_PTR)nID, NULL, NULL);
    };
    HWND hOpen = button(ID_OPEN, BS_PUSHBUTTON);
    HWND hNothing = button(ID_NOHANDLER, BS_PUSHBUTTON);
    HWND hCheck = button(ID_CHECK, BS_CHECKBOX);
    wnd.UpdateDialogControls(&wnd, TRUE);
    EXPECT_FALSE(::IsWindowEnabled(hOpen));
    EXPECT_FALSE(::IsWindowEnabled(hNothing));
    EXPECT_TRUE(::IsWindowEnabled(hCheck));
    EXPECT_EQ(::SendMessageW(hCheck, BM_GETCHECK, 0, 0), BST_CHECKED);

    wnd.enableOpen = TRUE;
    wnd.UpdateDialogControls(&wnd, TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hOpen));
}

TEST_F(CommandUITest, AControlMayAnswerItsOwnUpdate) {
    HWND hButton =
        ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 40, 20,
                          wnd.m_hWnd, (HMENU)(UINT_PTR)ID_NOHANDLER, NULL, NULL);
    CSelfUpdatingButton button;
    ASSERT_TRUE(button.SubclassWindow(hButton));
    wnd.UpdateDialogControls(&wnd, TRUE);
    EXPECT_EQ(1, button.m_nUpdates);
    // Answered by the control: no handler on the route, and still enabled.
    EXPECT_TRUE(::IsWindowEnabled(hButton));
    CString text;
    button.GetWindowText(text);
    EXPECT_STREQ(L"self", text.GetString());
    button.UnsubclassWindow();
    ::DestroyWindow(hButton);
}
