// Windows other than dialogs made from dialog templates, and the templates' initialisation data.
#include "dialog_ids.h"
#include "tests/support/dialog_test_support.h"
#include "framework/afx.h"

#include <gtest/gtest.h>

namespace {
CString ComboItem(HWND hCombo, int nIndex) {
    wchar_t text[32] = L"";
    ::SendMessageW(hCombo, CB_GETLBTEXT, nIndex, (LPARAM)text);
    return text;
}
} // namespace

TEST(WindowTemplate, AnyWindowIsMadeAsAChildWithItsControlsAndData) {
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, NULL, L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    CWnd pane;
    ASSERT_TRUE(pane.CreateDlg(MAKEINTRESOURCE(IDD_PANE), &parent));
    EXPECT_EQ(parent.m_hWnd, ::GetParent(pane.m_hWnd));
    EXPECT_TRUE(pane.GetStyle() & WS_CHILD);
    EXPECT_FALSE(pane.GetStyle() & WS_POPUP);
    EXPECT_EQ(&pane, CWnd::FromHandlePermanent(pane.m_hWnd));
    HWND hCombo = ::GetDlgItem(pane.m_hWnd, IDC_PANE_COMBO);
    ASSERT_NE(nullptr, hCombo);
    EXPECT_TRUE(pane.ExecuteDlgInit(MAKEINTRESOURCE(IDD_PANE)));
    ASSERT_EQ(2, ::SendMessageW(hCombo, CB_GETCOUNT, 0, 0));
    EXPECT_STREQ(L"Alpha", ComboItem(hCombo, 0).GetString());
    EXPECT_STREQ(L"Beta", ComboItem(hCombo, 1).GetString());
    // A template without initialisation data succeeds and adds nothing.
    EXPECT_TRUE(pane.ExecuteDlgInit(MAKEINTRESOURCE(IDD_MODELESS)));
    pane.DestroyWindow();
    parent.DestroyWindow();
}

TEST(WindowTemplate, AMissingTemplateMakesNoWindow) {
    CWnd pane;
    EXPECT_FALSE(pane.CreateDlg(MAKEINTRESOURCE(IDD_MISSING), NULL));
    EXPECT_EQ(nullptr, pane.m_hWnd);
}
