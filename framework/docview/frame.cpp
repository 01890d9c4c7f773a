// CFrameWnd: creation from resources, the client (view) and the layout of bars and pane.
#include "framework/docview/frame.h"

#include "framework/docview/document.h"
#include "framework/docview/dockbar.h"
#include "framework/docview/miniframe.h"
#include "framework/core/exceptions.h"
#include "framework/win/resources.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

#include <memory>
#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CView* AfxViewOf(CWnd* pWnd) {
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        return nullptr;
    return static_cast<CView*>(pWnd);
}

namespace {
// The first view among hWndParent's descendants, depth first; with nID only one with that id.
CView* FindDescendantView(HWND hWndParent, UINT nID, BOOL bAnyID) {
    for (HWND h = ::GetWindow(hWndParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CView* pView = AfxViewOf(CWnd::FromHandlePermanent(h));
        if (pView != nullptr && (bAnyID || (UINT)::GetDlgCtrlID(h) == nID))
            return pView;
        if (CView* pDeeper = FindDescendantView(h, nID, bAnyID))
            return pDeeper;
    }
    return nullptr;
}

HICON LoadFrameIcon(UINT nIDResource, int cx, int cy) {
    return (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource), IMAGE_ICON,
                               cx, cy, LR_DEFAULTCOLOR);
}
} // namespace

CFrameWnd::CFrameWnd()
    : m_pDockBarClass(RUNTIME_CLASS(CDockBar)),
      m_pFloatingFrameClass(RUNTIME_CLASS(CMiniDockFrameWnd)) {}

CFrameWnd::~CFrameWnd() {
    if (m_hMenuDefault != NULL && (m_hWnd == NULL || ::GetMenu(m_hWnd) != m_hMenuDefault))
        ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
    return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext) {
    // A child frame's menu word is its id; its menus show in the frame that holds it.
    if (m_hMenuDefault == NULL && lpszMenuName != NULL && (dwStyle & WS_CHILD) == 0)
        m_hMenuDefault = AfxLoadMenu(lpszMenuName);
    HMENU hMenu = (dwStyle & WS_CHILD) ? NULL : m_hMenuDefault;
    // The name may be m_strTitle's own buffer: copy it before the member changes.
    CString strName = lpszWindowName ? lpszWindowName : L"";
    if (lpszWindowName != NULL)
        m_strTitle = strName;
    lpszWindowName = lpszWindowName ? strName.GetString() : NULL;
    const bool bDefault = rect.left == CW_USEDEFAULT;
    const int x = bDefault ? CW_USEDEFAULT : rect.left;
    const int y = bDefault ? CW_USEDEFAULT : rect.top;
    const int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    // On failure the object has deleted itself (PostNcDestroy), the menu with it.
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                    pParentWnd->GetSafeHwnd(), hMenu, pContext);
}

LPCTSTR CFrameWnd::PrepareLoadFrame(UINT nIDResource) {
    if (m_hWnd != NULL)
        return NULL; // one object, one window: a live frame is not loaded again
    m_nIDHelp = nIDResource;
    CString strFull;
    if (strFull.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, strFull, 0, L'\n');
    LPCTSTR lpszClass = NULL;
    try {
        HICON hIcon = LoadFrameIcon(nIDResource, 0, 0);
        lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW),
                                        (HBRUSH)(COLOR_WINDOW + 1), hIcon);
    } catch (CException* e) {
        e->Delete();
        PostNcDestroy(); // a failed load leaves no frame behind, as a failed creation does
        return NULL;
    }
    if (m_hAccelTable == NULL)
        m_hAccelTable = AfxLoadAccelerators(MAKEINTRESOURCE(nIDResource));
    return lpszClass;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    LPCTSTR lpszClass = PrepareLoadFrame(nIDResource);
    if (lpszClass == NULL)
        return FALSE;
    if (!Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCE(nIDResource), 0, pContext))
        return FALSE;
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
    if (m_hAccelTable != NULL)
        return FALSE; // a frame keeps the table it has
    m_hAccelTable = AfxLoadAccelerators(lpszResourceName);
    return m_hAccelTable != NULL;
}

CCreateContext* CFrameWnd::GetCreateContext(LPCREATESTRUCT lpcs) {
    return lpcs ? static_cast<CCreateContext*>(lpcs->lpCreateParams) : nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    return OnCreateHelper(lpcs, GetCreateContext(lpcs));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return nullptr;
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    if (pObject == nullptr)
        return nullptr;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete pObject;
        return nullptr;
    }
    CWnd* pView = static_cast<CWnd*>(pObject);
    // A view that fails to be created has deleted itself.
    if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID,
                       pContext))
        return nullptr;
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

void CFrameWnd::RecalcLayout(BOOL bNotify) {
    if (m_bInRecalcLayout || m_hWnd == NULL)
        return;
    // This layout is the one that was waiting.
    bNotify = bNotify || (m_nIdleFlags & idleNotify) != 0;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    (void)bNotify;
    m_bInRecalcLayout = TRUE;
    if (GetStyle() & FWS_SNAPTOBARS) {
        // The frame takes the size its bars need, then lays them out in it.
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        rect.OffsetRect(-rect.left, -rect.top);
        CalcWindowRect(&rect);
        SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(),
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    }
    // The pane leaves the border an in-place server's tools negotiated.
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag,
                               LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch) {
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    const bool bQuery = (nFlag & ~reposNoPosLeftOver) == reposQuery;
    HWND hWndLeftOver = NULL;
    const std::vector<HWND> children = AfxChildWindows(m_hWnd);
    if (!bQuery) {
        layout.hDWP = ::BeginDeferWindowPos((int)children.size() + 1);
        layout.bBatchLost = layout.hDWP == NULL;
    }
    for (HWND h : children) {
        if (!AfxIsChildStill(m_hWnd, h))
            continue; // a bar re-parented or destroyed by an earlier bar's handling
        const UINT nID = (UINT)::GetDlgCtrlID(h);
        if (nID == nIDLeftOver)
            hWndLeftOver = h;
        else if (nID >= nIDFirst && nID <= nIDLast && CWnd::FromHandlePermanent(h) != nullptr)
            ::SendMessageW(h, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }
    if (bQuery) {
        if (lpRectParam != NULL) {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                *lpRectParam = CRect(0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    if ((nFlag & reposExtra) && lpRectParam != NULL) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (hWndLeftOver != NULL && !(nFlag & reposNoPosLeftOver))
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

void CFrameWnd::OnSize(UINT nType, int, int) {
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
    // A pane covering the client area paints it all; erasing first only flickers.
    if (m_pViewActive != nullptr)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

// Views and documents.
void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = pViewNew;
    if (bNotify && pViewOld != nullptr)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (bNotify && pViewNew != nullptr && m_pViewActive == pViewNew)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
    CView* pView = GetActiveView();
    return pView ? pView->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        if (!IsIconic())
            BringWindowToTop();
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    CView* pView = GetActiveView();
    if (pView == nullptr) {
        pView = FindDescendantView(m_hWnd, AFX_IDW_PANE_FIRST, FALSE);
        if (pView == nullptr)
            pView = FindDescendantView(m_hWnd, 0, TRUE);
        if (pView != nullptr)
            SetActiveView(pView, FALSE);
    }
    // Hidden frames get their views ready too: they may be shown later without another pass.
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (bMakeVisible) {
        ActivateFrame();
        if (CView* pActive = GetActiveView())
            pActive->OnActivateView(TRUE, pActive, pActive);
    }
    if (pDoc != nullptr)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::PostNcDestroy() {
    if (m_bEndsApp)
        ::PostQuitMessage(0);
    delete this;
}
