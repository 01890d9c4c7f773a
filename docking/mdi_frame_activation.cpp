// SECMDIFrameWnd: a docked document frame as the active frame (routing of commands, help and
// messages, activation, menus) and what the frame's caption filters see.
#include "docking/mdi_frame.h"

#include "docking/bar_manager.h"
#include "docking/frame_docking.h"
#include "docking/frame_menu.h"
#include "editor/plugin/wnd_plugin.h"
#include "framework/docview/document.h"
#include "framework/docview/doctemplate.h"
#include "framework/docview/mdichild.h"
#include "framework/docview/view.h"
#include "framework/win/wnd_state.h"

#include <cstdarg>

// Routing.
CFrameWnd* SECMDIFrameWnd::GetActiveFrame() {
    if (m_pActiveDockedFrame != nullptr)
        return m_pActiveDockedFrame;
    return CMDIFrameWnd::GetActiveFrame();
}

// Commands and help go to the active docked frame, else to the active MDI child, first.
CFrameWnd* SECMDIFrameWnd::GetRoutingChild() {
    if (m_pActiveDockedFrame != nullptr)
        return m_pActiveDockedFrame;
    return MDIGetActive();
}

BOOL SECMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    CWnd* pChild = GetRoutingChild();
    if (pChild != nullptr && pChild->m_hWnd != NULL &&
        pChild->SendMessage(WM_COMMAND, wParam, lParam) != 0)
        return TRUE;
    if (CMDIFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (lParam == 0 && LOWORD(wParam) >= 0xF000) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

BOOL SECMDIFrameWnd::RouteToFilters(LRESULT* pResult) {
    return m_filters.RouteCurrent(pResult);
}

void SECMDIFrameWnd::OnMouseMove(UINT, CPoint) {
    LRESULT result = 0;
    if (!RouteToFilters(&result))
        Default();
}

void SECMDIFrameWnd::OnNcLButtonDown(UINT, CPoint) {
    LRESULT result = 0;
    if (!RouteToFilters(&result))
        Default();
}

void SECMDIFrameWnd::OnNcRButtonDown(UINT, CPoint) {
    LRESULT result = 0;
    if (!RouteToFilters(&result))
        Default();
}

void SECMDIFrameWnd::OnNcRButtonDblClk(UINT, CPoint) {
    LRESULT result = 0;
    if (!RouteToFilters(&result))
        Default();
}

void SECMDIFrameWnd::OnLButtonUp(UINT, CPoint) {
    LRESULT result = 0;
    if (!RouteToFilters(&result))
        Default();
}

// Creation and layout.
BOOL SECMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                               CCreateContext* pContext) {
    m_nCurrentMenuID = nIDResource;
    return SECFrameImpl::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

void SECMDIFrameWnd::OnMenuBarMenuLoaded(UINT) {
    SwitchMenuBarMenu((UINT)-1);
}

BOOL SECMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
    HMENU hWindowMenu = NULL;
    if (m_hMenuDefault == NULL && m_pMenuBar == nullptr) {
        CMenu* pMenu = GetCurrentMenu();
        const int n = pMenu != nullptr ? ::GetMenuItemCount(pMenu->m_hMenu) : 0;
        if (n >= 2)
            hWindowMenu = ::GetSubMenu(pMenu->m_hMenu, n - 2);
    } else {
        hWindowMenu = GetWindowMenuPopup(m_hMenuDefault);
    }
    return CreateClient(lpcs, hWindowMenu);
}

BOOL SECMDIFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) {
    if (lpRectBorder != nullptr && !::IsRectEmpty(lpRectBorder) && m_pMenuBar != nullptr) {
        m_bMenuBarBorderNegotiated = TRUE;
        if (SECMenuBarLink* pLink = GetMenuBarLink())
            pLink->SetBarNegotiatedBorder();
    }
    return CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
}

void SECMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    if (m_pActiveDockedFrame != nullptr) {
        m_pActiveDockedFrame->OnUpdateFrameMenu(TRUE, m_pActiveDockedFrame, hMenuAlt);
        return;
    }
    if (CMDIChildWnd* pChild = MDIGetActive()) {
        pChild->OnUpdateFrameMenu(TRUE, pChild, hMenuAlt);
        return;
    }
    if (m_pMenuBar != nullptr) {
        // The bar shows the menu: the frame keeps no Windows menu of its own.
        UpdateWindowMenu();
        return;
    }
    HMENU hMenu = hMenuAlt != NULL ? hMenuAlt : GetDefaultMenu();
    if (m_hWndMDIClient != NULL && hMenu != NULL)
        ::SendMessageW(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu,
                       (LPARAM)GetWindowMenuPopup(hMenu));
    if (m_pMenuBar != nullptr)
        UpdateWindowMenu();
}

void SECMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
    CFrameWnd* pActive = GetActiveFrame();
    if (bAddToTitle && !bMaximized) {
        CDocument* pDoc = CFrameWnd::GetActiveDocument();
        if (pDoc == nullptr && pActive != nullptr && pActive != this)
            pDoc = pActive->GetActiveDocument();
        if (pDoc != nullptr) {
            UpdateFrameTitleForDocument(pDoc->GetTitle());
            return;
        }
    }
    // The system names a maximised child itself ("Title - [child]"): its text is not added
    // twice.
    const bool bNamedBySystem = bMaximized && pActive == pChild;
    if (pActive != nullptr && pActive != this && pActive->m_hWnd != NULL && !bNamedBySystem) {
        CString text;
        pActive->GetWindowText(text);
        if (!text.IsEmpty()) {
            UpdateFrameTitleForDocument(text);
            return;
        }
    }
    UpdateFrameTitleForDocument(nullptr);
}

// Activation.
void SECMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    SyncActivation(nState, pWndOther);
    ActivateFrameEx(nState, pWndOther, bMinimized);
}

void SECMDIFrameWnd::OnActivateApp(BOOL bActive, DWORD) {
    if (m_pActiveDockedFrame != nullptr && m_pActiveDockedFrame->m_hWnd != NULL) {
        if (m_hWndMDIClient != NULL) {
            ::PostMessageW(m_hWndMDIClient, WM_MDIACTIVATE, 0, 0);
            ::PostMessageW(m_hWndMDIClient, WM_NCACTIVATE, FALSE, 0);
        }
        m_pActiveDockedFrame->PostMessage(WM_NCACTIVATE, bActive, 0);
    }
    Default();
}

namespace {
// The view of a frame that takes activation: its active view, else its first pane's.
CView* ViewOf(CFrameWnd* pFrame) {
    if (pFrame == nullptr || pFrame->m_hWnd == NULL)
        return nullptr;
    if (CView* pView = pFrame->GetActiveView())
        return pView;
    return AfxViewOf(pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
}
} // namespace

void SECMDIFrameWnd::ActivateDockedFrame(SECFrameWnd* pFrame, BOOL) {
    if (pFrame == nullptr || pFrame->m_hWnd == NULL)
        return;
    if (m_pActiveDockedFrame != nullptr && m_pActiveDockedFrame != pFrame) {
        DeactivateDockedFrame(FALSE);
    } else if (m_pActiveDockedFrame == nullptr && m_hWndMDIClient != NULL) {
        if (CMDIChildWnd* pChild = MDIGetActive()) {
            pChild->SendMessage(WM_NCACTIVATE, FALSE, 0);
            ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, 0, 0);
        }
    }
    m_pActiveDockedFrame = pFrame;
    pFrame->SendMessage(WM_NCACTIVATE, TRUE, 0);
    if (m_pActiveDockedFrame != pFrame)
        return; // the frame went while told
    if (CView* pView = ViewOf(pFrame)) {
        HWND hFocus = ::GetFocus();
        if (hFocus == NULL || (hFocus != pFrame->m_hWnd && !::IsChild(pFrame->m_hWnd, hFocus)))
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (m_pActiveDockedFrame != pFrame)
        return;
    if (QueryMenuBar() != nullptr) {
        const UINT nID = pFrame->m_nIDHelp;
        SwitchMenuBarMenu(nID != 0 ? nID : (UINT)-1);
    } else {
        OnUpdateFrameMenu(NULL);
        DrawMenuBar();
    }
    OnUpdateFrameTitle(TRUE);
}

void SECMDIFrameWnd::DeactivateDockedFrame(BOOL bReactivateMDIChild) {
    SECFrameWnd* pFrame = m_pActiveDockedFrame;
    if (pFrame != nullptr && pFrame->m_hWnd != NULL) {
        if (CView* pView = ViewOf(pFrame))
            pView->OnActivateView(FALSE, pView, pView);
        // Forgotten before it is told, so that nothing it does brings it back as active.
        m_pActiveDockedFrame = nullptr;
        pFrame->SendMessage(WM_NCACTIVATE, FALSE, 0);
        if (::IsChild(pFrame->m_hWnd, ::GetFocus()) || ::GetFocus() == pFrame->m_hWnd)
            ::SetFocus(NULL);
    }
    m_pActiveDockedFrame = nullptr;
    if (bReactivateMDIChild && m_hWndMDIClient != NULL) {
        if (CMDIChildWnd* pChild = MDIGetActive()) {
            ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pChild->m_hWnd, 0);
            pChild->SendMessage(WM_NCACTIVATE, TRUE, 0);
        }
    }
}

CView* SECMDIFrameWnd::GetActivationView() {
    if (CView* pView = GetActiveView())
        return pView;
    CFrameWnd* pActive = GetActiveFrame();
    return pActive != nullptr && pActive != this ? pActive->GetActiveView() : nullptr;
}

void SECMDIFrameWnd::ActivateFrameEx(UINT nState, CWnd*, BOOL bMinimized) {
    if (m_bActivating)
        return;
    CView* pView = GetActivationView();
    if (pView == nullptr)
        return;
    const HWND hForeground = ::GetForegroundWindow();
    const HWND hFrame = m_hWnd;
    if (nState != WA_INACTIVE && !bMinimized)
        pView->OnActivateView(TRUE, pView, pView);
    if (!::IsWindow(hFrame))
        return;
    if (::GetForegroundWindow() != hForeground) {
        // Activating the view moved the foreground: give it back without coming here again.
        m_bActivating = TRUE;
        HWND hBack = hForeground != NULL ? hForeground : hFrame;
        ::SetActiveWindow(hBack);
        ::SetForegroundWindow(hBack);
        m_bActivating = FALSE;
    }
    // Only a view that is still the one: the activation may have closed or replaced it.
    if (::IsWindow(hFrame) && GetActivationView() == pView)
        pView->OnActivateFrame(nState, this);
}

// Help.
LRESULT SECMDIFrameWnd::OnCommandHelp(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0 && m_nIDTracking != 0)
        lParam = (LPARAM)(m_nIDTracking + 0x10000);
    CFrameWnd* pChild = GetRoutingChild();
    if (pChild != nullptr && pChild->m_hWnd != NULL &&
        pChild->SendMessage(WM_COMMANDHELP, wParam, lParam) != 0)
        return TRUE;
    return CFrameWnd::OnCommandHelp(wParam, lParam);
}

HMENU SECMDIFrameWnd::FindMenuByID(UINT nID) {
    if (nID == 0)
        return NULL;
    if (HMENU hMenu = SECFrameImpl::FindMenuByID(nID))
        return hMenu;
    if (CWinApp* pApp = AfxGetApp())
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
            auto* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
            if (pTemplate != nullptr && pTemplate->GetResourceID() == nID &&
                pTemplate->m_hMenuShared != NULL)
                return pTemplate->m_hMenuShared;
        }
    auto it = m_menuMap.find(nID);
    return it != m_menuMap.end() ? it->second : NULL;
}

CMenu* SECMDIFrameWnd::GetCurrentMenu() {
    if (m_pMenuBar == nullptr)
        return GetMenu();
    HMENU hMenu = FindMenuByID(m_nCurrentMenuID);
    if (hMenu == NULL && m_nCurrentMenuID == IDR_SEC_MDIFLOAT)
        hMenu = GetDefaultMenu();
    return hMenu != NULL ? CMenu::FromHandle(hMenu) : nullptr;
}

BOOL SECMDIFrameWnd::LoadAdditionalMenus(UINT nCount, ...) {
    va_list args;
    va_start(args, nCount);
    BOOL bOK = TRUE;
    for (UINT i = 0; i < nCount && bOK; ++i) {
        const UINT nID = va_arg(args, UINT);
        HMENU hMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID));
        if (hMenu == NULL) {
            bOK = FALSE;
            break;
        }
        auto it = m_menuMap.find(nID);
        if (it != m_menuMap.end())
            ::DestroyMenu(it->second);
        m_menuMap[nID] = hMenu;
    }
    va_end(args);
    return bOK;
}

void SECMDIFrameWnd::SwitchMenuBarMenu(UINT nID) {
    SECMenuBarLink* pLink = GetMenuBarLink();
    if (m_pMenuBar == nullptr || pLink == nullptr)
        return;
    // An id without a menu (a float child's icon id, a template without a menu) shows the
    // frame's own menu rather than an empty bar.
    if (nID == 0 || (nID != (UINT)-1 && FindMenuByID(nID) == NULL))
        nID = (UINT)-1;
    m_nCurrentMenuID = nID == (UINT)-1 ? m_nDefaultMenuID : nID;
    BOOL bChanged = pLink->ShowMenuOnBar(FindMenuByID(m_nCurrentMenuID), m_nCurrentMenuID);
    if (nID == (UINT)-1)
        bChanged = pLink->RefreshBarChildButtons() || bChanged;
    if (nID != (UINT)-1 || bChanged)
        pLink->RelayoutBar();
    UpdateWindowMenu();
}

void SECMDIFrameWnd::RefreshMDIMenuBarButtons() {
    SECMenuBarLink* pLink = GetMenuBarLink();
    if (pLink != nullptr && pLink->RefreshBarChildButtons())
        pLink->RelayoutBar();
}

void SECMDIFrameWnd::UpdateWindowMenu() {
    if (m_pMenuBar == nullptr || m_nCurrentMenuID == 0 || m_hWndMDIClient == NULL)
        return;
    HMENU hMenu = FindMenuByID(m_nCurrentMenuID);
    HMENU hWindow = hMenu != NULL ? GetWindowMenuPopup(hMenu) : NULL;
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild != nullptr && pChild->m_hMenuShared == NULL)
        ::SendMessageW(m_hWndMDIClient, WM_MDISETMENU, 0, (LPARAM)hWindow);
}

// The caption filters see the system's caption painting.
void SECMDIFrameWnd::OfferCaptionPaint(BOOL bActivating) {
    LRESULT result = 0;
    if (bActivating)
        m_filters.Route(WM_NCPAINT, 1, 0, &result);
    else
        m_filters.RouteCurrent(&result);
}
