// The docking frames' menu plug-in and menu lookups.
#include "docking/frame_menu.h"

#include "docking/bar_manager.h"
#include "editor/plugin/wnd_plugin.h"
#include "framework/docview/preview_view.h"

using corvalis::foundation::SECWndPlugIn;

namespace sec_frame_menu {

namespace {
// The plug-ins live in the toolbar library, above this one: they are found by their class.
std::unique_ptr<SECWndPlugIn> CreateMenuPlugIn(const char* lpszClass, CWnd* pFrame,
                                               SECMenuBar* pMenuBar, SECControlBarManager* pManager,
                                               BOOL bShareImages) {
    CRuntimeClass* pClass = CRuntimeClass::FromName(lpszClass);
    CObject* pObject = pClass != nullptr ? pClass->CreateObject() : nullptr;
    std::unique_ptr<SECWndPlugIn> pPlugIn(dynamic_cast<SECWndPlugIn*>(pObject));
    if (pPlugIn == nullptr) {
        delete pObject;
        return nullptr;
    }
    if (pMenuBar != nullptr) {
        SECMenuBarLink* pLink = MenuBarLinkOf(pPlugIn.get());
        if (pLink == nullptr)
            return nullptr;
        pLink->BindMenuBar(pMenuBar);
    }
    pPlugIn->PlugInTo(pFrame);
    // Menus draw the toolbars' images only while bitmap menus are on.
    if (pManager != nullptr && bShareImages)
        pManager->ShareMenuImages(pPlugIn.get());
    return pPlugIn;
}
} // namespace

std::unique_ptr<SECWndPlugIn> CreateBitmapMenuPlugIn(CWnd* pFrame, SECControlBarManager* pManager) {
    return CreateMenuPlugIn("SECBmpMenuPlugIn", pFrame, nullptr, pManager, TRUE);
}

std::unique_ptr<SECWndPlugIn> CreateMenuBarFeature(CWnd* pFrame, SECMenuBar* pMenuBar,
                                                   SECControlBarManager* pManager,
                                                   BOOL bBitmapMenus) {
    return CreateMenuPlugIn("SECMenuBarFeature", pFrame, pMenuBar, pManager, bBitmapMenus);
}

SECMenuBarLink* MenuBarLinkOf(SECWndPlugIn* pPlugIn) {
    return dynamic_cast<SECMenuBarLink*>(pPlugIn);
}

BOOL OfferToPlugIn(SECWndPlugIn* pPlugIn, UINT message, WPARAM wParam, LPARAM lParam,
                   LRESULT* pResult) {
    if (pPlugIn == nullptr || !pPlugIn->IsPluggedIn())
        return FALSE;
    LRESULT result = 0;
    pPlugIn->OnWndMsg(message, wParam, lParam, &result);
    if (!pPlugIn->GetExitFlag())
        return FALSE;
    *pResult = result;
    return TRUE;
}

BOOL PreTranslateInPlugIn(SECWndPlugIn* pPlugIn, CFrameWnd* pFrame, MSG* pMsg) {
    if (pPlugIn == nullptr || !pPlugIn->IsPluggedIn())
        return FALSE;
    CView* pView = pFrame->GetActiveView();
    if (pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CPreviewView)))
        return FALSE;
    return pPlugIn->PreTranslateMessage(pMsg);
}

HMENU SubMenu(HMENU hMenu, LPARAM nPos) {
    if (hMenu == NULL || nPos < 0 || nPos >= ::GetMenuItemCount(hMenu))
        return NULL;
    return ::GetSubMenu(hMenu, (int)nPos);
}

BOOL InConfigMode(SECControlBarManager* pManager) {
    return pManager != nullptr && pManager->IsConfigMode();
}

BOOL AttachMenuBar(const CWnd* pFrame, SECMenuBar*& menuBar, std::unique_ptr<CControlBar>& ownedBar,
                   SECMenuBar* pMenuBar, CControlBar* pBar) {
    if (pMenuBar == nullptr || pBar == nullptr || menuBar != nullptr || pFrame->m_hWnd != NULL)
        return FALSE;
    // The frame's bar outlives its window: the frame deletes it, not the window's end.
    pBar->m_bAutoDelete = FALSE;
    menuBar = pMenuBar;
    ownedBar.reset(pBar);
    return TRUE;
}

BOOL CommandInPlugIn(CObject* pPlugIn, UINT nID, int nCode, void* pExtra,
                     AFX_CMDHANDLERINFO* pHandlerInfo, BOOL* pHandled) {
    auto* pWndPlugIn = dynamic_cast<corvalis::foundation::SECWndPlugIn*>(pPlugIn);
    if (pWndPlugIn == nullptr)
        return FALSE;
    const BOOL bHandled = pWndPlugIn->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (!pWndPlugIn->GetExitFlag())
        return FALSE;
    pWndPlugIn->SetExitFlag(FALSE);
    *pHandled = bHandled;
    return TRUE;
}

void LayoutWhileConfiguring(CFrameWnd* pFrame, SECControlBarManager* pManager, UINT nWhy) {
    if (InConfigMode(pManager) && nWhy == 0 && (pFrame->m_nIdleFlags & CFrameWnd::idleLayout)) {
        pFrame->m_nIdleFlags |= CFrameWnd::idleNotify;
        pFrame->RecalcLayout(TRUE);
        pFrame->UpdateWindow();
    }
}

// The three words are the caller's configuration of the plug-in; the window plug-ins of this
// library take none (they are set up by being plugged in), so the words go nowhere.
CObject* CreateFramePlugIn(CWnd* pFrame, WPARAM, WPARAM, CRuntimeClass* pClass, WPARAM) {
    if (pClass == nullptr)
        return nullptr;
    CObject* pObject = pClass->CreateObject();
    auto* pPlugIn = dynamic_cast<SECWndPlugIn*>(pObject);
    if (pPlugIn == nullptr) {
        delete pObject;
        return nullptr;
    }
    pPlugIn->PlugInTo(pFrame);
    if (!pPlugIn->IsPluggedIn()) {
        delete pPlugIn;
        return nullptr;
    }
    return pPlugIn;
}

} // namespace sec_frame_menu
