#include "toolbars/menu_bar_feature.h"

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
