// SECMenuBarFeature: the frame plug-in that runs a menu bar: the bitmap menus of its popups,
// and the keys (Alt, F10, Alt+mnemonic) that the frame gets for it.
#pragma once

#include "toolbars/bmpmenu.h"
#include "toolbars/menu_bar.h"

class SECMenuBarFeature : public SECBmpMenuPlugIn, public SECMenuBarMessages {
public:
    SECMenuBarFeature();
    ~SECMenuBarFeature() override;

protected:
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    DECLARE_MESSAGE_MAP()
};

// Whether a menu of a menu bar is open.
inline BOOL IsTrackingMenu() {
    return SECMenuBarMessages::IsTrackingMenu();
}
