// SECMDIFrameWnd: a docked document frame as the active frame (routing of commands, help and
// messages, activation, menus), the frame's layout hooks and its own caption.
#include "docking/mdi_frame.h"

#include "docking/bar_manager.h"
#include "docking/frame_caption.h"
#include "docking/frame_docking.h"
#include "docking/frame_help.h"
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

BOOL SECMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    CFrameWnd* pChild = m_pActiveDockedFrame;
    if (pChild == nullptr)
        pChild = MDIGetActive();
    if (pChild != nullptr && pChild->m_hWnd != NULL) {
        CPushRoutingFrame push(this);
        if (pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    BOOL bHandled = FALSE;
    if (sec_frame_menu::CommandInPlugIn(m_pFramePlugIn.get(), nID, nCode, pExtra, pHandlerInfo,
                                        &bHandled))
        return bHandled;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL SECMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    CWnd* pChild = m_pActiveDockedFrame;
    if (pChild == nullptr)
        pChild = MDIGetActive();
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

BOOL SECMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (sec_frame_menu::PreTranslateInPlugIn(m_pMenuPlugIn.get(), this, pMsg))
        return TRUE;
    if (pMsg->message == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_CLOSE &&
        sec_frame_menu::InConfigMode(m_pControlBarManager))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT SECMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_INITMENUPOPUP && m_bBitmapMenus) {
        // The frame brings the items up to date first; the plug-in then draws what they are.
        const HWND hWnd = m_hWnd;
        result = CMDIFrameWnd::WindowProc(message, wParam, lParam);
        if (::IsWindow(hWnd))
            sec_frame_menu::OfferToPlugIn(m_pMenuPlugIn.get(), message, wParam, lParam, &result);
        return result;
    }
    if (sec_frame_menu::OfferToPlugIn(m_pMenuPlugIn.get(), message, wParam, lParam, &result))
        return result;
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

LRESULT SECMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CMDIFrameWnd::DefWindowProc(message, wParam, lParam);
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
    m_nDefaultMenuID = nIDResource;
    if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (m_pMenuBar != nullptr) {
        // The menus show in the bar; the loaded menu stays the MDI client's window-list source.
        ::SetMenu(m_hWnd, NULL);
        m_hMenuDefaultBar = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
        SwitchMenuBarMenu((UINT)-1);
    }
    return TRUE;
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

void SECMDIFrameWnd::RecalcLayout(BOOL bNotify) {
    CMDIFrameWnd::RecalcLayout(bNotify);
    sec_docking::AfterLayout(this);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &m_rectInside);
}

BOOL SECMDIFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) {
    if (lpRectBorder != nullptr && !::IsRectEmpty(lpRectBorder) && m_pMenuBar != nullptr) {
        m_bMenuBarBorderNegotiated = TRUE;
        if (SECMenuBarLink* pLink = sec_frame_menu::MenuBarLinkOf(m_pMenuPlugIn.get()))
            pLink->SetBarNegotiatedBorder();
    }
    return CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
}

void SECMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    CMDIFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (!bPreview)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
    CFrameWnd* pChild = m_pActiveDockedFrame;
    if (pChild == nullptr)
        pChild = MDIGetActive();
    if (pChild != nullptr && pChild->m_hWnd != NULL &&
        pChild->SendMessage(WM_COMMANDHELP, wParam, lParam) != 0)
        return TRUE;
    return CFrameWnd::OnCommandHelp(wParam, lParam);
}

void SECMDIFrameWnd::OnContextHelp() {
    sec_frame_help::RunContextHelp(this, m_bHelpMode, m_bHelpPending);
}

// Menus.
HMENU SECMDIFrameWnd::GetDefaultMenu() {
    return m_pMenuBar != nullptr ? m_hMenuDefaultBar : CMDIFrameWnd::GetDefaultMenu();
}

HMENU SECMDIFrameWnd::FindMenuByID(UINT nID) {
    if (nID == 0)
        return NULL;
    if (nID == m_nDefaultMenuID && GetDefaultMenu() != NULL)
        return GetDefaultMenu();
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

LRESULT SECMDIFrameWnd::OnSecGetMenu(WPARAM wParam, LPARAM lParam) {
    return (LRESULT)sec_frame_menu::SubMenu(FindMenuByID((UINT)wParam), lParam);
}

void SECMDIFrameWnd::SwitchMenuBarMenu(UINT nID) {
    SECMenuBarLink* pLink = sec_frame_menu::MenuBarLinkOf(m_pMenuPlugIn.get());
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
    SECMenuBarLink* pLink = sec_frame_menu::MenuBarLinkOf(m_pMenuPlugIn.get());
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

CObject* SECMDIFrameWnd::CreateFramePlugIn(WPARAM w1, WPARAM w2, CRuntimeClass* pClass, WPARAM w3) {
    m_pFramePlugIn.reset(sec_frame_menu::CreateFramePlugIn(this, w1, w2, pClass, w3));
    return m_pFramePlugIn.get();
}

// Idle and other handlers.
void SECMDIFrameWnd::OnIdleLayout(UINT nWhy, CWnd* pWho) {
    sec_frame_menu::LayoutWhileConfiguring(this, m_pControlBarManager, nWhy);
    CMDIFrameWnd::OnEnterIdle(nWhy, pWho);
}

void SECMDIFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho) {
    OnIdleLayout(nWhy, pWho);
}

void SECMDIFrameWnd::OnSysColorChange() {
    sec_docking::RefreshColors(this);
}

void SECMDIFrameWnd::OnEnable(BOOL bEnable) {
    if (sec_frame_menu::InConfigMode(m_pControlBarManager))
        m_bStayActive = FALSE;
    CMDIFrameWnd::OnEnable(bEnable);
}

LRESULT SECMDIFrameWnd::OnNcHitTest(CPoint) {
    if (sec_frame_menu::InConfigMode(m_pControlBarManager))
        return HTERROR;
    return Default();
}

// Own caption.
BOOL SECMDIFrameWnd::CreateCaptionFontItalic(CFont& font) {
    return sec_caption::CreateCaptionFont(font, TRUE);
}

BOOL SECMDIFrameWnd::CreateCaptionFont(CFont& font) {
    return sec_caption::CreateCaptionFont(font, FALSE);
}

void SECMDIFrameWnd::DrawGradientCaption() {
    CFont font, fontItalic;
    CreateCaptionFont(font);
    CreateCaptionFontItalic(fontItalic);
    if (!sec_caption::DrawGradientCaption(this, m_bCaptionActive, m_bWin4, font, fontItalic))
        EnableOwnCaption(FALSE);
}

BOOL SECMDIFrameWnd::EnableOwnCaption(BOOL bEnable) {
    return sec_caption::EnableOwnCaption(this, m_bOwnCaption, m_bWin4, bEnable);
}

BOOL SECMDIFrameWnd::OnNcActivate(BOOL bActive) {
    if (!m_bOwnCaption) {
        const BOOL bResult = CMDIFrameWnd::OnNcActivate(bActive);
        LRESULT result = 0;
        m_filters.Route(WM_NCPAINT, 1, 0, &result);
        return bResult;
    }
    if (m_bStayActive)
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    m_bCaptionActive = bActive;
    CFrameWnd* pActive = GetActiveFrame();
    if (pActive != nullptr && pActive != this && pActive->m_hWnd != NULL)
        pActive->SendMessage(WM_NCACTIVATE, bActive, 0);
    const BOOL bResult = (BOOL)sec_caption::DefaultHidden(this, WM_NCACTIVATE, bActive, 0);
    SendMessage(WM_NCPAINT, 1, 0);
    return bResult;
}

void SECMDIFrameWnd::OnNcPaint() {
    if (!m_bOwnCaption) {
        Default();
        LRESULT result = 0;
        m_filters.RouteCurrent(&result);
        return;
    }
    sec_caption::PaintFrameAroundCaption(this, m_bWin4);
    DrawGradientCaption();
}

LRESULT SECMDIFrameWnd::OnSetText(WPARAM wParam, LPARAM lParam) {
    if (!m_bOwnCaption)
        return Default();
    const LRESULT result = sec_caption::DefaultHidden(this, WM_SETTEXT, wParam, lParam);
    DrawGradientCaption();
    return result;
}
