// The menu side both docking frames share: the bitmap-menu plug-in they make and offer every
// message to first, the menu of an id, and the frames' registered menu query.
#pragma once

#include "framework/afx.h"

#include <memory>

class SECControlBarManager;
namespace corvalis {
namespace foundation {
class SECWndPlugIn;
}
} // namespace corvalis

namespace sec_frame_menu {

// The bitmap-menu plug-in plugged into pFrame, sharing the manager's button images; NULL when
// the program has no such plug-in class.
std::unique_ptr<corvalis::foundation::SECWndPlugIn>
CreateBitmapMenuPlugIn(CWnd* pFrame, SECControlBarManager* pManager);
// Offers a message to the plug-in: TRUE (with *pResult) when the plug-in finished it.
BOOL OfferToPlugIn(corvalis::foundation::SECWndPlugIn* pPlugIn, UINT message, WPARAM wParam,
                   LPARAM lParam, LRESULT* pResult);
// Offers a message being translated to the plug-in, unless pFrame shows a print preview.
BOOL PreTranslateInPlugIn(corvalis::foundation::SECWndPlugIn* pPlugIn, CFrameWnd* pFrame,
                          MSG* pMsg);
// The sub-menu nPos of hMenu, or NULL.
HMENU SubMenu(HMENU hMenu, LPARAM nPos);
// The manager is a toolbar manager in customize mode.
BOOL InConfigMode(SECControlBarManager* pManager);
// The object pClass makes, configured with the words and plugged into pFrame; NULL (deleted)
// when it is no plug-in or refuses.
CObject* CreateFramePlugIn(CWnd* pFrame, WPARAM w1, WPARAM w2, CRuntimeClass* pClass, WPARAM w3);

} // namespace sec_frame_menu
