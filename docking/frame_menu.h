// The menu side both docking frames share: the bitmap-menu plug-in they make and offer every
// message to first, the menu of an id, and the frames' registered menu query.
#pragma once

#include "framework/afx.h"

#include <memory>

class SECControlBarManager;
class SECMenuBar;
namespace corvalis {
namespace foundation {
class SECWndPlugIn;
}
} // namespace corvalis

// What a docking frame asks of the plug-in that runs its menu bar. The bar and that plug-in (the
// menu-bar feature) live in the toolbar library above this one, so the frames reach them here.
class SECMenuBarLink {
public:
    virtual ~SECMenuBarLink() = default;
    virtual void BindMenuBar(SECMenuBar* pMenuBar) = 0;
    // Shows hMenu (resource id nMenuID) on the bar; TRUE when its buttons changed.
    virtual BOOL ShowMenuOnBar(HMENU hMenu, UINT nMenuID) = 0;
    // An MDI bar brings its maximised child's buttons in line; TRUE when they changed.
    virtual BOOL RefreshBarChildButtons() = 0;
    virtual void SetBarNegotiatedBorder() = 0;
    // Repaints the bar and lays out the frame that holds it.
    virtual void RelayoutBar() = 0;
};

namespace sec_frame_menu {

// The bitmap-menu plug-in plugged into pFrame, sharing the manager's button images; NULL when
// the program has no such plug-in class.
std::unique_ptr<corvalis::foundation::SECWndPlugIn>
CreateBitmapMenuPlugIn(CWnd* pFrame, SECControlBarManager* pManager);
// The menu-bar feature plugged into pFrame and bound to pMenuBar, sharing the manager's button
// images when bitmap menus are on; NULL when the program has no such plug-in class.
std::unique_ptr<corvalis::foundation::SECWndPlugIn>
CreateMenuBarFeature(CWnd* pFrame, SECMenuBar* pMenuBar, SECControlBarManager* pManager,
                     BOOL bBitmapMenus);
// The menu-bar side of a frame's menu plug-in; NULL for the bitmap-menu plug-in or none.
SECMenuBarLink* MenuBarLinkOf(corvalis::foundation::SECWndPlugIn* pPlugIn);
// Offers a message to the plug-in: TRUE (with *pResult) when the plug-in finished it.
BOOL OfferToPlugIn(corvalis::foundation::SECWndPlugIn* pPlugIn, UINT message, WPARAM wParam,
                   LPARAM lParam, LRESULT* pResult);
// Offers a message being translated to the plug-in, unless pFrame shows a print preview.
BOOL PreTranslateInPlugIn(corvalis::foundation::SECWndPlugIn* pPlugIn, CFrameWnd* pFrame,
                          MSG* pMsg);
// Offers a command to the frame's plug-in (pPlugIn, when it is one): TRUE when the plug-in
// ended its routing, *pHandled then says whether it handled the command.
BOOL CommandInPlugIn(CObject* pPlugIn, UINT nID, int nCode, void* pExtra,
                     AFX_CMDHANDLERINFO* pHandlerInfo, BOOL* pHandled);
// Gives a frame not yet created its menu bar (pMenuBar, the bar pBar), once: the frame keeps
// them in menuBar and ownedBar. FALSE for a missing one, a second one or a live frame.
BOOL AttachMenuBar(const CWnd* pFrame, SECMenuBar*& menuBar, std::unique_ptr<CControlBar>& ownedBar,
                   SECMenuBar* pMenuBar, CControlBar* pBar);
// The sub-menu nPos of hMenu, or NULL.
HMENU SubMenu(HMENU hMenu, LPARAM nPos);
// The manager is a toolbar manager in customize mode.
BOOL InConfigMode(SECControlBarManager* pManager);
// While the bars are customized, a layout waiting for idle time (nWhy 0) is done at once and
// painted, so the bars being dragged about show where they land.
void LayoutWhileConfiguring(CFrameWnd* pFrame, SECControlBarManager* pManager, UINT nWhy);
// The object pClass makes, configured with the words and plugged into pFrame; NULL (deleted)
// when it is no plug-in or refuses.
CObject* CreateFramePlugIn(CWnd* pFrame, WPARAM w1, WPARAM w2, CRuntimeClass* pClass, WPARAM w3);

} // namespace sec_frame_menu
