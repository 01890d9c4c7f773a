// SECMDIChildWnd: activation against the docked frames, the caption extras, menus.
#include "docking/mdi_child_wnd.h"

#include "docking/mdi_frame.h"
#include "docking/sys_command_filters.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

using nsSysCommandEx::ScxButtonMDIChildMsgFilter;

IMPLEMENT_DYNCREATE(SECMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(SECMDIChildWnd, CMDIChildWnd)
ON_WM_SIZE()
ON_WM_DESTROY()
ON_WM_CHILDACTIVATE()
ON_WM_MOUSEACTIVATE()
ON_WM_PARENTNOTIFY()
ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

namespace {

// The docking main frame, when the application's main window is one (not at shutdown).
SECMDIFrameWnd* DockingMainFrame() {
    return DYNAMIC_DOWNCAST(SECMDIFrameWnd, AfxGetMainWnd());
}

// The docking main frame when it shows its menus in a menu bar.
SECMDIFrameWnd* MenuBarMainFrame() {
    SECMDIFrameWnd* pMain = DockingMainFrame();
    return pMain != nullptr && pMain->m_hWnd != NULL && pMain->HasMenuBar() ? pMain : nullptr;
}

// Another MDI child of the same client than pChild is visible.
bool OtherChildVisible(CMDIChildWnd* pChild) {
    const HWND hClient = ::GetParent(pChild->m_hWnd);
    for (HWND h = ::GetWindow(hClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (h != pChild->m_hWnd && ::IsWindowVisible(h) &&
            DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(h)) != nullptr)
            return true;
    return false;
}

bool FocusIsIn(CWnd* pWnd) {
    HWND hFocus = ::GetFocus();
    return hFocus != NULL && (hFocus == pWnd->m_hWnd || ::IsChild(pWnd->m_hWnd, hFocus));
}

} // namespace

SECMDIChildWnd::SECMDIChildWnd() : m_filters(this) {
    nsSysCommandEx::AddDocumentFrameDescriptors(m_filters,
                                                RUNTIME_CLASS(ScxButtonMDIChildMsgFilter));
}

SECMDIChildWnd::~SECMDIChildWnd() = default;

void SECMDIChildWnd::ActivateFrameMenu(CWnd* pActivateWnd) {
    OnUpdateFrameMenu(TRUE, pActivateWnd, m_hMenuAlt);
}

void SECMDIChildWnd::EnableCaptionButtons(DWORD dwOptions) {
    nsSysCommandEx::EnableDocumentFrameFilters(m_filters, dwOptions);
}

LRESULT SECMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == Corvalis::WM_SYSCOMMANDEX()) {
        LRESULT lResult = 0;
        m_filters.Route(message, wParam, lParam, &lResult);
        return lResult;
    }
    return CMDIChildWnd::DefWindowProc(message, wParam, lParam);
}

void SECMDIChildWnd::TakeSharedMenu(UINT nIDResource, CCreateContext* pContext) {
    m_bUsesMenuBar = MenuBarMainFrame() != nullptr;
    if (m_bUsesMenuBar) {
        // The bar shows the menu the main frame finds for the id; the child itself keeps none,
        // so that no Windows menu comes back onto the main window.
        m_nMenuID = nIDResource;
        m_hMenuShared = NULL;
        return;
    }
    m_nMenuID = 0;
    CMDIChildWnd::TakeSharedMenu(nIDResource, pContext);
}

void SECMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) {
    m_hMenuAlt = hMenuAlt;
    SECMDIFrameWnd* pMain = MenuBarMainFrame();
    if (pMain == nullptr || hMenuAlt != NULL) {
        CMDIChildWnd::OnUpdateFrameMenu(bActive, pActivateWnd, hMenuAlt);
        if (pMain == nullptr)
            return;
    } else if ((bActive || pActivateWnd == nullptr) && ::GetMenu(pMain->m_hWnd) != NULL) {
        // The bar shows the menus: the main window keeps none of its own, neither while a child
        // is active nor once the last one went.
        ::SetMenu(pMain->m_hWnd, NULL);
        ::DrawMenuBar(pMain->m_hWnd);
    }
    pMain->UpdateWindowMenu();
}

LRESULT SECMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == nsSysCommandEx::WM_SYSCOMMANDEX_RUN())
        return nsSysCommandEx::RunPostedCommand(m_filters.GetRoot(), wParam); // may destroy us
    switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: {
        LRESULT lResult = 0;
        if (m_filters.Route(message, wParam, lParam, &lResult))
            return lResult;
        return CMDIChildWnd::WindowProc(message, wParam, lParam);
    }
    case WM_NCACTIVATE: {
        // Active only while no docked document frame is the main frame's active frame.
        if (wParam)
            if (SECMDIFrameWnd* pMain = DockingMainFrame())
                if (CFrameWnd* pActive = pMain->GetActiveDockedFrame())
                    if (!pActive->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)))
                        wParam = FALSE;
        const LRESULT lResult = CMDIChildWnd::WindowProc(message, wParam, lParam);
        LRESULT lIgnored = 0;
        m_filters.Route(message, wParam, lParam, &lIgnored);
        return lResult;
    }
    case WM_NCPAINT:
    case WM_SETTEXT: {
        const LRESULT lResult = CMDIChildWnd::WindowProc(message, wParam, lParam);
        LRESULT lIgnored = 0;
        m_filters.Route(message, wParam, lParam, &lIgnored);
        return lResult;
    }
    case WM_SETCURSOR: {
        const LRESULT lResult = CMDIChildWnd::WindowProc(message, wParam, lParam);
        const UINT nHit = LOWORD(lParam);
        LRESULT lIgnored = 0;
        if (nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT)
            m_filters.Route(message, wParam, lParam, &lIgnored);
        return lResult;
    }
    default:
        return CMDIChildWnd::WindowProc(message, wParam, lParam);
    }
}

void SECMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
    // The bar carries a maximised child's icon and buttons.
    if (nType == SIZE_RESTORED || nType == SIZE_MINIMIZED || nType == SIZE_MAXIMIZED)
        if (auto* pMain = DYNAMIC_DOWNCAST(SECMDIFrameWnd, GetMDIFrame()))
            if (pMain->HasMenuBar())
                pMain->RefreshMDIMenuBarButtons();
    CMDIChildWnd::OnSize(nType, cx, cy);
}

void SECMDIChildWnd::OnDestroy() {
    // A maximised child leaves: the main window's frame loses the child's buttons.
    if (IsZoomed())
        if (CWnd* pMain = AfxGetMainWnd())
            if (pMain->GetSafeHwnd() != NULL)
                pMain->SetWindowPos(NULL, 0, 0, 0, 0,
                                    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                        SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    CMDIChildWnd::OnDestroy();
}

void SECMDIChildWnd::OnChildActivate() {
    if (SECMDIFrameWnd* pMain = DockingMainFrame())
        pMain->DeactivateDockedFrame(FALSE);
    Default();
    SendMessage(WM_NCACTIVATE, TRUE);
}

void SECMDIChildWnd::ActivateFromClick() {
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr && pFrame->MDIGetActive() != this)
        MDIActivate();
    if (CView* pView = GetActiveView())
        if (!FocusIsIn(pView))
            pView->OnActivateView(TRUE, pView, pView);
    SendMessage(WM_NCACTIVATE, TRUE);
    OnUpdateFrameTitle(TRUE);
    ActivateFrameMenu(this);
    if (CWnd* pMain = AfxGetMainWnd())
        if (pMain->GetSafeHwnd() != NULL)
            ::DrawMenuBar(pMain->m_hWnd);
}

int SECMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    if (SECMDIFrameWnd* pMain = DockingMainFrame())
        pMain->DeactivateDockedFrame(FALSE);
    const int nResult = CMDIChildWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    const HWND hWnd = m_hWnd;
    ActivateFromClick();
    if (::IsWindow(hWnd))
        if (SECMDIFrameWnd* pMain = MenuBarMainFrame())
            pMain->SwitchMenuBarMenu(m_nMenuID);
    return nResult;
}

void SECMDIChildWnd::OnParentNotify(UINT message, LPARAM) {
    Default();
    const UINT nEvent = LOWORD(message);
    if (nEvent != WM_LBUTTONDOWN && nEvent != WM_RBUTTONDOWN)
        return;
    CView* pView = GetActiveView();
    if (pView == nullptr || FocusIsIn(pView))
        return;
    if (SECMDIFrameWnd* pMain = DockingMainFrame())
        pMain->DeactivateDockedFrame(FALSE);
    ActivateFromClick();
}

void SECMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
    if (bActivate)
        if (CWnd* pMain = AfxGetMainWnd())
            if (pMain->GetSafeHwnd() != NULL && ::GetActiveWindow() != pMain->m_hWnd &&
                ::IsWindowVisible(pMain->m_hWnd))
                pMain->SetActiveWindow();
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    SECMDIFrameWnd* pMain = MenuBarMainFrame();
    if (pMain == nullptr)
        return;
    if (bActivate) {
        // A child without a menu of its own shows the frame's (id 0 is the frame's).
        pMain->SwitchMenuBarMenu(m_nMenuID);
    } else if (pActivateWnd == nullptr && !OtherChildVisible(this) &&
               pMain->GetActiveDockedFrame() == nullptr) {
        // The last child went or hid: the frame's own menu comes back.
        pMain->SwitchMenuBarMenu((UINT)-1);
    }
}
