// CMDIFrameWnd: the MDI client, the active child, the Window menu and MDI accelerators.
#include "framework/docview/mdiframe.h"

#include "framework/docview/doctemplate.h"
#include "framework/docview/document.h"
#include "framework/docview/mdichild.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_COMMAND_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnWindowCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() {}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
    return CreateClient(lpcs, GetWindowMenuPopup(m_hMenuDefault));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpcs, HMENU hWindowMenu) {
    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    const DWORD dwScroll = lpcs ? lpcs->style & (WS_HSCROLL | WS_VSCROLL) : 0;
    if (dwScroll != 0) {
        // Scroll bars belong to the client, which scrolls the children.
        dwStyle |= dwScroll;
        ModifyStyle(dwScroll, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
    }
    CLIENTCREATESTRUCT ccs = {hWindowMenu, AFX_IDM_FIRST_MDICHILD};
    m_hWndMDIClient =
        ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", NULL, dwStyle, 0, 0, 0, 0, m_hWnd,
                          (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != NULL;
}

namespace {
bool HoldsWindowCommands(HMENU hPopup) {
    const int nCount = ::GetMenuItemCount(hPopup);
    for (int i = 0; i < nCount; ++i) {
        UINT nID = ::GetMenuItemID(hPopup, i);
        if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
            return true;
    }
    return false;
}
} // namespace

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
    if (hMenuBar == NULL)
        return NULL;
    const int nCount = ::GetMenuItemCount(hMenuBar);
    for (int i = nCount - 1; i >= 0; --i) {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (hPopup != NULL && HoldsWindowCommands(hPopup))
            return hPopup;
    }
    for (int i = 0; i < nCount; ++i) {
        wchar_t text[64] = L"";
        ::GetMenuStringW(hMenuBar, i, text, 64, MF_BYPOSITION);
        if (lstrcmpW(text, L"&Window") == 0)
            return ::GetSubMenu(hMenuBar, i);
    }
    return NULL;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The frame is destroyed before its client: from then on a title change of the frame
    // (a child going retitles it) must not reach the client, whose frame data the system has
    // already freed.
    if (message == WM_DESTROY)
        m_bClientGoing = TRUE;
    return ::DefFrameProcW(m_hWnd, m_bClientGoing ? NULL : m_hWndMDIClient, message, wParam,
                           lParam);
}

// The active child.
CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient
                    ? (HWND)::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                    : NULL;
    CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWnd));
    if (pbMaximized != nullptr)
        *pbMaximized = pChild != nullptr && bMaximized;
    return pChild;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild ? static_cast<CFrameWnd*>(pChild) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild ? pChild->GetActiveDocument() : CFrameWnd::GetActiveDocument();
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
    if (pWndActivate != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->m_hWnd, 0);
}
void CMDIFrameWnd::MDINext() {
    ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}
void CMDIFrameWnd::MDIPrev() {
    ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}
void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) {
    if (pWnd != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->m_hWnd, 0);
}
void CMDIFrameWnd::MDIRestore(CWnd* pWnd) {
    if (pWnd != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->m_hWnd, 0);
}
void CMDIFrameWnd::MDICascade(int nType) {
    ::SendMessageW(m_hWndMDIClient, WM_MDICASCADE, (WPARAM)nType, 0);
}
void CMDIFrameWnd::MDITile(int nType) {
    ::SendMessageW(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0);
}
void CMDIFrameWnd::MDIIconArrange() {
    ::SendMessageW(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hMenuFrame, HMENU hMenuWindow) {
    HMENU hOld = (HMENU)::SendMessageW(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuFrame,
                                       (LPARAM)hMenuWindow);
    ::DrawMenuBar(m_hWnd);
    return hOld;
}

// Commands: the active child's route (view, document, child frame) comes first.
BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CMDIChildWnd* pChild = MDIGetActive())
        if (pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::TranslateMDISysAccel(MSG* pMsg) {
    return m_hWndMDIClient != NULL && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg);
}

// Keys: the MDI system keys, then the active child's accelerators, then the frame's; all
// commands arrive at the frame, which routes them through the active child.
BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        if (TranslateMDISysAccel(pMsg))
            return TRUE;
        CMDIChildWnd* pChild = MDIGetActive();
        HACCEL hAccel = pChild ? pChild->GetDefaultAccelerator() : NULL;
        if (hAccel != NULL && ::TranslateAcceleratorW(m_hWnd, hAccel, pMsg))
            return TRUE;
        if (m_hAccelTable != NULL && ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg))
            return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// Title: "App - Document" while a child is active and not maximised; a maximised child's name
// is added by the system ("App - [Document]").
void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
    CDocument* pDoc = pChild ? pChild->GetActiveDocument() : nullptr;
    if (!bAddToTitle || pDoc == nullptr || bMaximized) {
        UpdateFrameTitleForDocument(nullptr);
        return;
    }
    CString strDoc = pDoc->GetTitle();
    if (pChild->m_nWindow > 0) {
        CString strNumber;
        strNumber.Format(L":%d", pChild->m_nWindow);
        strDoc += strNumber;
    }
    const int nWindow = m_nWindow;
    m_nWindow = -1; // the child's number is already in strDoc
    UpdateFrameTitleForDocument(strDoc);
    m_nWindow = nWindow;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    if (CMDIChildWnd* pChild = MDIGetActive()) {
        pChild->OnUpdateFrameMenu(TRUE, pChild, hMenuAlt);
        return;
    }
    HMENU hMenu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (hMenu != NULL && ::GetMenu(m_hWnd) != hMenu)
        MDISetMenu(hMenu, GetWindowMenuPopup(hMenu));
}

void CMDIFrameWnd::OnWindowCommand(UINT nID) {
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        break;
    case ID_WINDOW_CASCADE:
        MDICascade();
        break;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        break;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        break;
    default:
        break;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) {
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

// Another frame on the active document.
void CMDIFrameWnd::OnWindowNew() {
    CMDIChildWnd* pChild = MDIGetActive();
    CDocument* pDoc = pChild ? pChild->GetActiveDocument() : nullptr;
    CDocTemplate* pTemplate = pDoc ? pDoc->GetDocTemplate() : nullptr;
    if (pTemplate == nullptr)
        return;
    if (CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, pChild))
        pTemplate->InitialUpdateFrame(pFrame, pDoc);
}
