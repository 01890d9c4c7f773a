// SECDockableFrame: activation in the main frame, the caption's drag and extras, menus.
#include "docking/dockable_frame.h"

#include "docking/control_bar.h"
#include "docking/doc_template.h"
#include "docking/mdi_frame.h"
#include "docking/sys_command_filters.h"
#include "framework/docview/dockcontext.h"
#include "framework/docview/document.h"
#include "framework/docview/mdichild.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

#include <windowsx.h>

using nsSysCommandEx::ScxButtonMsgFilter;

IMPLEMENT_DYNCREATE(SECDockableFrame, SECFrameWnd)

BEGIN_MESSAGE_MAP(SECDockableFrame, SECFrameWnd)
ON_WM_ACTIVATE()
ON_WM_MOUSEACTIVATE()
ON_WM_PARENTNOTIFY()
ON_WM_DESTROY()
END_MESSAGE_MAP()

SECDockableFrame::SECDockableFrame() : m_filters(this) {
    nsSysCommandEx::AddDocumentFrameDescriptors(m_filters, RUNTIME_CLASS(ScxButtonMsgFilter));
}

SECDockableFrame::~SECDockableFrame() = default;

SECMDIFrameWnd* SECDockableFrame::GetDockingMainFrame() const {
    if (m_hWnd != NULL)
        if (auto* pFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, GetParentFrame()))
            return pFrame;
    return DYNAMIC_DOWNCAST(SECMDIFrameWnd, AfxGetMainWnd());
}

SECControlBar* SECDockableFrame::GetHostBar() const {
    return m_hWnd != NULL ? DYNAMIC_DOWNCAST(SECControlBar, GetParent()) : NULL;
}

BOOL SECDockableFrame::IsInFloatingBar() {
    SECControlBar* pBar = GetHostBar();
    return pBar != NULL && pBar->IsFloating();
}

void SECDockableFrame::EnableCaptionButtons(DWORD dwOptions) {
    nsSysCommandEx::EnableDocumentFrameFilters(m_filters, dwOptions);
}

// Only the bar that hosts the frame goes with it; any other parent stays.
BOOL SECDockableFrame::DestroyWindow() {
    if (m_hWnd == NULL)
        return SECFrameWnd::DestroyWindow();
    if (SECControlBar* pBar = GetHostBar())
        return pBar->DestroyWindow();
    return SECFrameWnd::DestroyWindow();
}

BOOL SECDockableFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!SECFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    cs.style &= ~FWS_PREFIXTITLE;
    return TRUE;
}

BOOL SECDockableFrame::PreTranslateMessage(MSG* pMsg) {
    if (SECFrameWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The frame's accelerators act as the main window's commands, which reach this frame's
    // views first while it is the active frame.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        CWnd* pMain = AfxGetMainWnd();
        HACCEL hAccel = GetDefaultAccelerator();
        if (hAccel != NULL && pMain != NULL && pMain->GetSafeHwnd() != NULL)
            return ::TranslateAcceleratorW(pMain->m_hWnd, hAccel, pMsg) != 0;
    }
    return FALSE;
}

LRESULT SECDockableFrame::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == Corvalis::WM_SYSCOMMANDEX()) {
        LRESULT lResult = 0;
        m_filters.Route(message, wParam, lParam, &lResult);
        return lResult;
    }
    return SECFrameWnd::DefWindowProc(message, wParam, lParam);
}

BOOL SECDockableFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                 CCreateContext* pContext) {
    if (pContext != NULL)
        if (auto* pTemplate =
                DYNAMIC_DOWNCAST(SECMultiDocTemplate, (CObject*)pContext->m_pNewDocTemplate)) {
            m_hMenuDocked = pTemplate->GetDockedMenu();
            if (GetAccelTable() == NULL)
                SetAccelTable(pTemplate->GetDockedAccel());
        }
    return SECFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

// The document's title and the window number: "a.c:2".
void SECDockableFrame::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (SECMDIFrameWnd* pMain = GetDockingMainFrame())
        pMain->OnUpdateFrameTitle(bAddToTitle);
    CDocument* pDoc = GetActiveDocument();
    if (!(GetStyle() & FWS_ADDTOTITLE) || !bAddToTitle || pDoc == NULL)
        return;
    CString strText = pDoc->GetTitle();
    if (m_nWindow > 0) {
        CString strNumber;
        strNumber.Format(L":%d", m_nWindow);
        strText += strNumber;
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
    // A floating frame's caption shows the bar's text: the document's too.
    if (SECControlBar* pBar = GetHostBar()) {
        pBar->GetWindowText(strOld);
        if (strOld != strText)
            pBar->SetWindowText(strText);
    }
}

void SECDockableFrame::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) {
    SECMDIFrameWnd* pMain = GetDockingMainFrame();
    if (pMain == NULL || pMain->m_hWndMDIClient == NULL)
        return;
    HMENU hMenu = hMenuAlt;
    if (hMenu == NULL && bActivate)
        if (CDocument* pDoc = GetActiveDocument())
            hMenu = pDoc->GetDefaultMenu();
    if (hMenu == NULL)
        hMenu = m_hMenuDocked;
    if (hMenu == NULL) {
        ::SendMessageW(pMain->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
        return;
    }
    if (bActivate) {
        pMain->MDISetMenu(hMenu, pMain->GetWindowMenuPopup(hMenu));
    } else if (pActivateWnd == NULL) {
        HMENU hDefault = pMain->GetDefaultMenu();
        if (hDefault != NULL)
            pMain->MDISetMenu(hDefault, pMain->GetWindowMenuPopup(hDefault));
    } else {
        ::SendMessageW(pMain->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
}

void SECDockableFrame::ActivateInMainFrame() {
    if (SECMDIFrameWnd* pMain = GetDockingMainFrame())
        pMain->ActivateDockedFrame(this, 0);
}

void SECDockableFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    SECFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    // A child frame owns no floating windows: its caption is active exactly while it is the
    // main frame's active docked frame, never held active by its own activation.
    m_bStayActive = FALSE;
    if (nState != WA_INACTIVE)
        ActivateInMainFrame();
}

int SECDockableFrame::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    const int nResult = SECFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    ActivateInMainFrame();
    return nResult;
}

void SECDockableFrame::OnParentNotify(UINT message, LPARAM) {
    Default();
    const UINT nEvent = LOWORD(message);
    if (nEvent == WM_LBUTTONDOWN || nEvent == WM_RBUTTONDOWN)
        ActivateInMainFrame();
}

// The main frame never keeps a destroyed frame as its active one.
void SECDockableFrame::OnDestroy() {
    if (SECMDIFrameWnd* pMain = GetDockingMainFrame()) {
        const bool bActive = pMain->GetActiveDockedFrame() == this;
        pMain->OnDockedFrameDestroyed(this);
        if (bActive && ::IsWindowVisible(pMain->m_hWnd))
            pMain->OnUpdateFrameMenu(NULL);
    }
    SECFrameWnd::OnDestroy();
}

LRESULT SECDockableFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == nsSysCommandEx::WM_SYSCOMMANDEX_RUN())
        return nsSysCommandEx::RunPostedCommand(m_filters.GetRoot(), wParam); // may destroy us
    LRESULT lResult = 0;
    switch (message) {
    case WM_NCLBUTTONDOWN: {
        ActivateInMainFrame();
        if (m_filters.Route(message, wParam, lParam, &lResult))
            return lResult;
        SECControlBar* pBar = GetHostBar();
        const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (pBar != NULL && !pBar->IsFloating()) {
            // A child's caption would enter the system's move loop: the bar is dragged instead.
            const bool bDrag = wParam == HTCAPTION || wParam == HTBORDER ||
                               (wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT);
            if (bDrag && pBar->m_pDockContext != NULL) {
                pBar->m_pDockContext->StartDrag(point);
                return 0;
            }
        } else if (pBar != NULL && wParam != HTCLOSE) {
            if (CWnd* pFloating = pBar->GetParentFrame())
                return pFloating->SendMessage(message, wParam, lParam);
        }
        return SECFrameWnd::WindowProc(message, wParam, lParam);
    }
    case WM_NCLBUTTONDBLCLK: {
        SECControlBar* pBar = GetHostBar();
        if (wParam != HTCAPTION || pBar == NULL || pBar->m_pDockContext == NULL)
            return SECFrameWnd::WindowProc(message, wParam, lParam);
        // Docked and floating swap, as a double click on the bar's own caption does.
        pBar->m_pDockContext->ToggleDocking();
        return 0;
    }
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        if (m_filters.Route(message, wParam, lParam, &lResult))
            return lResult;
        return SECFrameWnd::WindowProc(message, wParam, lParam);
    case WM_NCACTIVATE:
    case WM_NCPAINT:
    case WM_SETTEXT: {
        lResult = SECFrameWnd::WindowProc(message, wParam, lParam);
        LRESULT lIgnored = 0;
        m_filters.Route(message, wParam, lParam, &lIgnored);
        return lResult;
    }
    default:
        return SECFrameWnd::WindowProc(message, wParam, lParam);
    }
}
