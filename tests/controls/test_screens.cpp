// Pictures of the dialog with every kind of well and button and an open popup, themed and in
// the classic look, for people to look at.
#include "controls_test_support.h"
#include "tests/support/screenshot.h"
#include "toolbars/drawing/themeapi.h"

#include <gtest/gtest.h>

namespace {

void Shoot(ControlsDialog& dlg, const wchar_t* pszName) {
    dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    dlg.m_wellButton.OnClicked();
    SECPopupColorWell* popup = dlg.m_wellButton.GetPopup();
    ASSERT_TRUE(popup->IsPopupActive());
    // Hovering shows the selection moving off the button's colour.
    popup->SendMessage(WM_MOUSEMOVE, 0,
                       MAKELPARAM(popup->GetCellRect(2, 2).CenterPoint().x,
                                  popup->GetCellRect(2, 2).CenterPoint().y));
    popup->UpdateWindow();
    PumpFor(150);
    CRect shot, rect;
    dlg.GetWindowRect(&shot);
    popup->GetWindowRect(&rect);
    shot.UnionRect(&shot, &rect);
    EXPECT_TRUE(SaveScreenPng(shot, ScreenshotPath(pszName).c_str()));
    ::SendMessageW(popup->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
}

} // namespace

TEST(Screens, ThemedAndClassic) {
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Open(40, 40));
    dlg.m_well.SetColor(RGB(30, 140, 200)); // into its custom cell
    dlg.m_plainWell.SetColor(RGB(0, 0, 255));
    dlg.m_wellButton.SetColor(RGB(255, 0, 0));
    dlg.m_wellButton2.SetColor(RGB(0, 0, 255));
    dlg.m_wellButton2.EnableWindow(FALSE);
    dlg.m_wellFlat.SetColor(RGB(0, 128, 0));
    dlg.m_wellPressed.SetColor(RGB(255, 255, 0));
    dlg.m_wellPressed.SetState(TRUE);
    dlg.m_menuButton.SetDirection(TRUE);
    ASSERT_TRUE(IsThemed());
    Shoot(dlg, L"controls-themed.png");
    FreeThemeApi();
    Shoot(dlg, L"controls-classic.png");
    InitThemeApi();
}
