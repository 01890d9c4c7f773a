// SECMenuBarFeature: the frame plug-in that runs a menu bar: the bitmap menus of its popups,
// and the keys (Alt, F10, Alt+mnemonic) that the frame gets for it.
#pragma once

#include "docking/frame_menu.h"
#include "toolbars/bmpmenu.h"
#include "toolbars/menu_bar.h"

class SECMenuBarFeature : public SECBmpMenuPlugIn,
                          public SECMenuBarMessages,
                          public SECMenuBarLink {
    DECLARE_DYNCREATE(SECMenuBarFeature)
public:
    SECMenuBarFeature();
    ~SECMenuBarFeature() override;

    // Alt, F10 and Alt+letter reach the bar wherever the focus is in the frame; the rest goes
    // on as the bitmap menus take it.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The frame's side.
    void BindMenuBar(SECMenuBar* pMenuBar) override { SetMenuBar(pMenuBar); }
    BOOL ShowMenuOnBar(HMENU hMenu, UINT nMenuID) override;
    BOOL RefreshBarChildButtons() override;
    void SetBarNegotiatedBorder() override { SetNegotiatedBorder(); }
    void RelayoutBar() override;

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
