// CMDIChildWnd: creation through the MDI client, activation, menus and closing.
#include "framework/docview/mdichild.h"

#include "framework/docview/doctemplate.h"
#include "framework/docview/document.h"
#include "framework/core/exceptions.h"
#include "framework/docview/mdiframe.h"
#include "framework/win/resources.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"
#include "framework/win/wnd_state.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_WM_MDIACTIVATE()
ON_WM_SIZE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
CMDIFrameWnd* MainMDIFrame() {
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
}
} // namespace

CMDIChildWnd::CMDIChildWnd() {}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
    if (pParentWnd == nullptr)
        pParentWnd = MainMDIFrame();
    if (m_hWnd != NULL)
        return FALSE; // one object, one window: the live one keeps its object
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == NULL) {
        PostNcDestroy(); // as a failed creation does: the object is gone
        return FALSE;
    }
    // The name may be m_strTitle's own buffer: copy it before the member changes.
    CString strName = lpszWindowName ? lpszWindowName : L"";
    CREATESTRUCT cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName ? strName.GetString() : NULL;
    cs.style = dwStyle;
    cs.hInstance = AfxGetInstanceHandle();
    const bool bDefault = rect.left == CW_USEDEFAULT;
    cs.x = bDefault ? CW_USEDEFAULT : rect.left;
    cs.y = bDefault ? CW_USEDEFAULT : rect.top;
    cs.cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    if (lpszWindowName != nullptr)
        m_strTitle = strName;
    // Created hidden: ActivateFrame shows it once its views are ready.
    MDICREATESTRUCTW mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)pContext;
    HWND hWnd = NULL;
    bool bBound = false;
    {
        CWndCreationScope hook(this, cs.lpszClass);
        if (hook.Hooked()) {
            hWnd = (HWND)::SendMessageW(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
            bBound = hook.Bound();
        }
    }
    if (hWnd == NULL) {
        if (!bBound)
            PostNcDestroy(); // a bound object was deleted when its window went
        return FALSE;
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
    LPCTSTR lpszClass = PrepareLoadFrame(nIDResource);
    if (lpszClass == NULL)
        return FALSE;
    TakeSharedMenu(nIDResource, pContext);
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd);
    if (!Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pFrame, pContext))
        return FALSE;
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

void CMDIChildWnd::TakeSharedMenu(UINT, CCreateContext* pContext) {
    if (pContext != nullptr)
        if (auto* pTemplate =
                DYNAMIC_DOWNCAST(CMultiDocTemplate, (CObject*)pContext->m_pNewDocTemplate))
            m_hMenuShared = pTemplate->m_hMenuShared;
}

CCreateContext* CMDIChildWnd::GetCreateContext(LPCREATESTRUCT lpcs) {
    auto* pMcs = lpcs ? static_cast<MDICREATESTRUCTW*>(lpcs->lpCreateParams) : nullptr;
    return pMcs ? reinterpret_cast<CCreateContext*>(pMcs->lParam) : nullptr;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
    HWND hWndClient = m_hWnd ? ::GetParent(m_hWnd) : NULL;
    HWND hWndFrame = hWndClient ? ::GetParent(hWndClient) : NULL;
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(hWndFrame));
}

void CMDIChildWnd::MDIActivate() {
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->MDIActivate(this);
}
void CMDIChildWnd::MDIMaximize() {
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->MDIMaximize(this);
}
void CMDIChildWnd::MDIRestore() {
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->MDIRestore(this);
}
void CMDIChildWnd::MDIDestroy() {
    HWND hWndClient = m_hWnd ? ::GetParent(m_hWnd) : NULL;
    if (hWndClient != NULL)
        ::SendMessageW(hWndClient, WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

BOOL CMDIChildWnd::DestroyWindow() {
    if (m_hWnd == NULL)
        return FALSE;
    if (GetMDIFrame() == nullptr)
        return CFrameWnd::DestroyWindow();
    MDIDestroy(); // the object may be gone from here on
    return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
    // The client names its window-list item when the child is made, mostly before the child
    // has its title: the list is built again with the title as it is now.
    if (message == WM_SETTEXT && m_hWnd != NULL)
        if (HWND hClient = ::GetParent(m_hWnd))
            ::SendMessageW(hClient, WM_MDIREFRESHMENU, 0, 0);
    return lResult;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr) {
        CFrameWnd::ActivateFrame(nCmdShow);
        return;
    }
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActive = pFrame->MDIGetActive(&bMaximized);
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = (bMaximized && pActive != this) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (pFrame->MDIGetActive() != this)
        pFrame->MDIActivate(this);
}

// Size: the MDI bookkeeping (maximise) first, then the layout of bars and pane.
void CMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
    Default();
    CFrameWnd::OnSize(nType, cx, cy);
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        if (pFrame->MDIGetActive() == this)
            pFrame->OnUpdateFrameTitle(TRUE);
}

// The main title names the active child: once this one is gone, it names the next or none.
void CMDIChildWnd::OnDestroy() {
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->DelayUpdateFrameTitle();
    CFrameWnd::OnDestroy();
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
    CFrameWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
    if (CView* pView = GetActiveView())
        pView->OnActivateView(bActivate, pView, pView);
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(TRUE);
}

// The template's menu while active; a child without one shows the frame's own menu, the very
// menu the application may have changed, so its changes stay.
void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) {
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return;
    if (bActive) {
        HMENU hMenu = hMenuAlt;
        if (hMenu == NULL) {
            CDocument* pDoc = GetActiveDocument();
            hMenu = pDoc ? pDoc->GetDefaultMenu() : NULL;
        }
        if (hMenu == NULL)
            hMenu = m_hMenuShared;
        if (hMenu == NULL)
            hMenu = pFrame->GetDefaultMenu();
        if (hMenu != NULL && ::GetMenu(pFrame->m_hWnd) != hMenu)
            pFrame->MDISetMenu(hMenu, pFrame->GetWindowMenuPopup(hMenu));
    } else if (pActivateWnd == nullptr) {
        // The last child goes: back to the frame's own menu.
        HMENU hDefault = pFrame->GetDefaultMenu();
        if (hDefault != NULL && ::GetMenu(pFrame->m_hWnd) != hDefault)
            pFrame->MDISetMenu(hDefault, pFrame->GetWindowMenuPopup(hDefault));
    }
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (GetStyle() & FWS_ADDTOTITLE) {
        CDocument* pDoc = GetActiveDocument();
        CString strText = m_strTitle;
        if (bAddToTitle && pDoc != nullptr) {
            strText = pDoc->GetTitle();
            if (m_nWindow > 0) {
                CString strNumber;
                strNumber.Format(L":%d", m_nWindow);
                strText += strNumber;
            }
        }
        CString strOld;
        GetWindowText(strOld);
        if (strOld != strText)
            SetWindowText(strText);
    }
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
}
