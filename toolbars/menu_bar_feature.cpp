#include "toolbars/menu_bar_feature.h"

#include "toolbars/menu_bar.h"

BEGIN_MESSAGE_MAP(SECMenuBarFeature, SECBmpMenuPlugIn)
ON_WM_SYSCOMMAND()
ON_WM_ACTIVATE()
ON_WM_ENABLE()
END_MESSAGE_MAP()

SECMenuBarFeature::SECMenuBarFeature() : SECBmpMenuPlugIn(TRUE) {}

SECMenuBarFeature::~SECMenuBarFeature() {
    SetMenuBar(nullptr);
}

void SECMenuBarFeature::OnSysCommand(UINT nID, LPARAM lParam) {
    // Alt, F10 and Alt+letter reach the frame as SC_KEYMENU: the menu bar takes them in place
    // of the frame's own (absent) menu.
    if ((nID & 0xFFF0) == SC_KEYMENU && OnKeyMenu(lParam))
        SetExitFlag(TRUE);
}

void SECMenuBarFeature::OnActivate(UINT nState, CWnd*, BOOL) {
    if (nState == WA_INACTIVE)
        LeaveKeyboardMode();
}

void SECMenuBarFeature::OnEnable(BOOL bEnable) {
    if (!bEnable)
        LeaveKeyboardMode();
}

BOOL SECMenuBarFeature::PreTranslateMessage(MSG* pMsg) {
    if (pMsg != nullptr && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        PreTranslateKey(*pMsg))
        return TRUE;
    return SECBmpMenuPlugIn::PreTranslateMessage(pMsg);
}

BOOL SECMenuBarFeature::ShowMenuOnBar(HMENU hMenu, UINT nMenuID) {
    SECMenuBar* pBar = GetMenuBar();
    if (pBar == nullptr || (pBar->GetMenu() == hMenu && pBar->GetMenuId() == nMenuID))
        return FALSE;
    return pBar->SetMenu(hMenu, nMenuID);
}

BOOL SECMenuBarFeature::RefreshBarChildButtons() {
    auto* pBar = dynamic_cast<SECMDIMenuBar*>(GetMenuBar());
    return pBar != nullptr && pBar->GetSafeHwnd() != NULL && pBar->RefreshChildButtons();
}

void SECMenuBarFeature::RelayoutBar() {
    SECMenuBar* pBar = GetMenuBar();
    if (pBar == nullptr || pBar->GetSafeHwnd() == NULL)
        return;
    pBar->Invalidate();
    if (CFrameWnd* pFrame = pBar->GetParentFrame())
        pFrame->RecalcLayout(TRUE);
}
