// The modeless find dialog: it keeps the found text marked while it has the focus, closes
// itself, and goes with the window it searches.
#include "find_support.h"
#include "tests/support/screenshot.h"

#include "editor/edit_find_dialog.h"
#include "editor/edit_model.h"

#include <gtest/gtest.h>

namespace {

HWND OpenModeless(ewtest::Host& host) {
    host.Controller().SetModalFindDialogs(FALSE);
    host.Controller().ShowFindReplace(TRUE);
    CDialog* dialog = SECEditGetFindReplaceState().m_pDialog;
    return dialog ? dialog->m_hWnd : NULL;
}

bool SaveScreen(const RECT& area, const wchar_t* name) {
    return SaveScreenPng(area, ScreenshotPath(name).c_str());
}

TEST(FindModeless, FoundTextStaysMarkedWhileTheDialogHasTheFocus) {
    eftest::ResetFindState();
    eftest::Messages messages;
    ewtest::Host host(520, 300);
    host.Load(ewtest::kFixture);
    host.Controller().SetCaretPosition(0, 0, FALSE);
    HWND dialog = OpenModeless(host);
    ASSERT_NE(dialog, (HWND)NULL);
    ::SetWindowPos(dialog, HWND_TOP, 140, 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    eftest::TypeInto(dialog, IDC_SECEDIT_FINDWHAT, L"comment");
    ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ewtest::Pump();
    EXPECT_TRUE(::IsWindow(dialog)) << "a modeless dialog stays after Find Next";
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{2, 9, 2, 16}));
    ::SetActiveWindow(dialog);
    ::SetFocus(::GetDlgItem(dialog, IDC_SECEDIT_FINDWHAT));
    host.Repaint();
    EXPECT_NE(::GetFocus(), host.Ctrl().m_hWnd);
    const CPoint inMatch = host.PointOf(2, 10) + CPoint(2, host.LineHeight() / 2);
    EXPECT_EQ(ewtest::Hex(CaptureShownClient(host.Ctrl().m_hWnd).At(inMatch.x, inMatch.y)),
              ewtest::Hex(ewtest::kSelectionBack));
    RECT hostRect, dialogRect, area;
    ::GetWindowRect(host.Frame().m_hWnd, &hostRect);
    ::GetWindowRect(dialog, &dialogRect);
    ::UnionRect(&area, &hostRect, &dialogRect);
    ewtest::Pump();
    EXPECT_TRUE(SaveScreen(area, L"editor_find.png"));
    ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(SECEditGetFindReplaceState().m_pDialog, nullptr);
    EXPECT_EQ(SECEditGetFindReplaceState().m_pViewport, nullptr);
}

TEST(FindModelessLifetime, WindowDestroyedWithTheDialogOpen) {
    eftest::ResetFindState();
    HWND dialog = NULL;
    {
        ewtest::Host host;
        host.Load(L"abc abc");
        dialog = OpenModeless(host);
        ASSERT_NE(dialog, (HWND)NULL);
        EXPECT_NE(SECEditGetFindReplaceState().m_pViewport, nullptr);
        // Asked again: the open one comes forward, no second one.
        host.Controller().ShowFindReplace(TRUE);
        EXPECT_EQ(SECEditGetFindReplaceState().m_pDialog->m_hWnd, dialog);
        host.Ctrl().DestroyWindow();
        ewtest::Pump();
        EXPECT_FALSE(::IsWindow(dialog)) << "the dialog went with the window";
        EXPECT_EQ(SECEditGetFindReplaceState().m_pDialog, nullptr);
        EXPECT_EQ(SECEditGetFindReplaceState().m_pViewport, nullptr);
    }
    ewtest::Pump();
}

TEST(FindModelessLifetime, ActionsThenCloseDeleteTheDialog) {
    eftest::ResetFindState();
    eftest::Messages messages;
    ewtest::Host host;
    host.Load(L"abc abc");
    HWND dialog = OpenModeless(host);
    ASSERT_NE(dialog, (HWND)NULL);
    eftest::TypeInto(dialog, IDC_SECEDIT_FINDWHAT, L"abc");
    ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{0, 4, 0, 7}));
    // Mark All succeeds and closes the dialog, which deletes itself.
    ::SendMessageW(::GetDlgItem(dialog, IDC_SECEDIT_MARKALL), BM_CLICK, 0, 0);
    ewtest::Pump();
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(SECEditGetFindReplaceState().m_pDialog, nullptr);
    EXPECT_TRUE(host.Model().GetLineFlag(0, 17));
}

} // namespace
