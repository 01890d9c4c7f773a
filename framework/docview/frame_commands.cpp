// CFrameWnd: command routing, accelerators, menus, status prompts, title and closing.
#include "framework/docview/frame.h"

#include "framework/docview/doctemplate.h"
#include "framework/docview/document.h"
#include "framework/win/resources.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

#include <commctrl.h>

#include <iterator>
#include <vector>

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SETFOCUS()
ON_WM_ACTIVATE()
ON_WM_ERASEBKGND()
ON_WM_INITMENUPOPUP()
ON_WM_MENUSELECT()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFFFFFF, OnToolTipText)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_NCACTIVATE()
ON_WM_ENABLE()
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

namespace {
// The documents of the views inside hWndParent, each once, in the order met.
void CollectDocuments(HWND hWndParent, std::vector<CDocument*>& docs) {
    for (HWND h = ::GetWindow(hWndParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (CView* pView = AfxViewOf(CWnd::FromHandlePermanent(h))) {
            CDocument* pDoc = pView->GetDocument();
            bool bKnown = false;
            for (CDocument* p : docs)
                bKnown = bKnown || p == pDoc;
            if (pDoc != nullptr && !bKnown)
                docs.push_back(pDoc);
        }
        CollectDocuments(h, docs);
    }
}

// Whether every view of pDoc lies inside hWndFrame.
bool ShownOnlyIn(CDocument* pDoc, HWND hWndFrame) {
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = pDoc->GetNextView(pos);
        HWND h = pView->GetSafeHwnd();
        if (h != hWndFrame && !::IsChild(hWndFrame, h))
            return false;
    }
    return true;
}
} // namespace

// Routing: the active view (and through it its document), the frame, then, for a top-level
// frame, the application. A child frame leaves the application to the frame that holds it.
BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CView* pView = GetActiveView())
        if (pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (GetStyle() & WS_CHILD)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

HACCEL CFrameWnd::GetDefaultAccelerator() {
    CDocument* pDoc = GetActiveDocument();
    HACCEL hAccel = pDoc ? pDoc->GetDefaultAccelerator() : NULL;
    return hAccel ? hAccel : m_hAccelTable;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && !(GetStyle() & WS_CHILD)) {
        HACCEL hAccel = GetDefaultAccelerator();
        if (hAccel != NULL && ::TranslateAcceleratorW(m_hWnd, hAccel, pMsg))
            return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && pPopupMenu != nullptr)
        AfxUpdatePopupMenu(this, pPopupMenu, m_bAutoMenuEnable);
}

// Status prompts.
void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
    rMessage.Empty();
    CString strFull;
    if (nID != 0 && strFull.LoadString(nID))
        AfxExtractSubString(rMessage, strFull, 0, L'\n');
}

// A tip of a tool that names a command (by id, or by a control's id) is the text after the first
// '\n' of the command's string resource; without one the tip is left to others.
BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    UINT_PTR nID = pNMHDR->idFrom;
    if (pInfo->uFlags & TTF_IDISHWND)
        nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    CString strFull, strTip;
    if (nID == 0 || nID > 0xFFFF || !strFull.LoadString(static_cast<UINT>(nID)) ||
        !AfxExtractSubString(strTip, strFull, 1, L'\n') || strTip.IsEmpty())
        return FALSE;
    ::lstrcpynW(pInfo->szText, strTip, static_cast<int>(std::size(pInfo->szText)));
    pInfo->lpszText = pInfo->szText;
    pInfo->hinst = NULL;
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

// The status bar may live in a dock bar: the bar list knows it wherever it is.
CWnd* CFrameWnd::GetMessageBar() {
    if (CControlBar* pBar = GetControlBar(AFX_IDW_STATUS_BAR))
        return pBar;
    return GetDlgItem(AFX_IDW_STATUS_BAR);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) {
    if (CWnd* pBar = GetMessageBar())
        pBar->SetWindowText(lpszText ? lpszText : L"");
}

void CFrameWnd::SetMessageText(UINT nID) {
    CString strMessage;
    GetMessageString(nID, strMessage);
    SetMessageText(strMessage);
    m_nIDLastMessage = nID;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    const UINT nIDLast = m_nIDLastMessage;
    if (wParam != 0)
        SetMessageText((UINT)wParam);
    else {
        SetMessageText(reinterpret_cast<LPCTSTR>(lParam));
        m_nIDLastMessage = 0;
    }
    return nIDLast;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
    if (nFlags == 0xFFFF && hSysMenu == NULL)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE; // the menu closed
    else if (nFlags & (MF_POPUP | MF_SEPARATOR))
        m_nIDTracking = 0;
    else
        m_nIDTracking = nItemID;
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
}

// Idle time: shows and hides that waited, then the layout they and docking asked for. The bars'
// items are updated by their own handling of this message (they are descendants).
LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    if (m_hWnd == NULL)
        return 0;
    if (m_nIdleFlags & idleTitle) {
        m_nIdleFlags &= ~idleTitle;
        OnUpdateFrameTitle(TRUE);
    }
    if (!IsIconic())
        RunIdleLayout();
    if ((m_nIdleFlags & idleFloating) && IsWindowVisible()) {
        m_nIdleFlags &= ~idleFloating;
        RaiseFloatingFrames();
    }
    return 0;
}

// Title and menu.
void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDoc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDoc ? pDoc->GetTitle().GetString() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
    CString strText;
    if (lpszDocName == nullptr || *lpszDocName == 0)
        strText = m_strTitle;
    else {
        CString strDoc = lpszDocName;
        if (m_nWindow > 0) {
            CString strNumber;
            strNumber.Format(L":%d", m_nWindow);
            strDoc += strNumber;
        }
        if (GetStyle() & FWS_PREFIXTITLE)
            strText = m_strTitle.IsEmpty() ? strDoc : strDoc + L" - " + m_strTitle;
        else
            strText = m_strTitle.IsEmpty() ? strDoc : m_strTitle + L" - " + strDoc;
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    if (hMenuAlt == NULL) {
        CDocument* pDoc = GetActiveDocument();
        hMenuAlt = pDoc ? pDoc->GetDefaultMenu() : NULL;
    }
    if (hMenuAlt == NULL)
        hMenuAlt = m_hMenuDefault;
    if (hMenuAlt != NULL && ::GetMenu(m_hWnd) != hMenuAlt)
        ::SetMenu(m_hWnd, hMenuAlt);
}

// Focus and activation.
void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (m_pViewActive != nullptr && m_pViewActive->GetSafeHwnd() != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    SyncActivation(nState, pWndOther);
    if (m_pViewActive != nullptr)
        m_pViewActive->OnActivateFrame(nState, this);
}

// Closing. The main frame closes every document first; any other frame asks the documents it
// shows, and a document shown nowhere else closes with it.
void CFrameWnd::OnClose() {
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        CDocManager* pManager = AfxGetDocManager();
        if (pManager != nullptr) {
            if (!pManager->SaveAllModified())
                return;
            pManager->CloseAllDocuments(FALSE);
        }
        DestroyWindow();
        return;
    }
    CloseDocumentsAndDestroy();
}

void CFrameWnd::CloseDocumentsAndDestroy() {
    if (!CanCloseFrame())
        return;
    std::vector<CDocument*> docs;
    CollectDocuments(m_hWnd, docs);
    for (CDocument* pDoc : docs)
        if (!pDoc->CanCloseFrame(this))
            return;
    HWND hWnd = m_hWnd;
    for (CDocument* pDoc : docs) {
        if (!pDoc->m_bAutoDelete || !ShownOnlyIn(pDoc, hWnd))
            continue;
        pDoc->PreCloseFrame(this);
        pDoc->OnCloseDocument(); // destroys this frame with the document's other frames
        if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
            return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy() {
    // The frame's own menu is freed by the destructor; a menu shown for a document or child
    // belongs to its template and must survive the window.
    if (m_hWnd != NULL && !(GetStyle() & WS_CHILD))
        ::SetMenu(m_hWnd, NULL);
    if (m_pViewActive != nullptr)
        SetActiveView(nullptr, FALSE);
    CWinApp* pApp = AfxGetApp();
    m_bEndsApp = pApp != nullptr && pApp->m_pMainWnd == this;
    DetachControlBars();
    CWnd::OnDestroy();
}
