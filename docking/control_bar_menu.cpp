// SECControlBar: its context menu and commands, and its side of the saved dock state.
#include "docking/control_bar.h"

#include "docking/bar_manager.h"
#include "docking/control_bar_info.h"
#include "docking/dock_bar.h"
#include "docking/dock_context.h"

void SECControlBar::OnContextMenu(CWnd* pWnd, CPoint point) {
    if (!(m_dwExStyle & CBRS_EX_STDCONTEXTMENU)) {
        CControlBar::OnContextMenu(pWnd, point);
        return;
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    CString text;
    text.LoadString(ID_SEC_ALLOWDOCKING);
    menu.AppendMenu(MF_STRING | ((m_dwDockStyle & CBRS_ALIGN_ANY) ? MF_CHECKED : 0),
                    ID_SEC_ALLOWDOCKING, text.IsEmpty() ? L"Allow Docking" : text.GetString());
    text.LoadString(ID_SEC_HIDE);
    menu.AppendMenu(MF_STRING, ID_SEC_HIDE, text.IsEmpty() ? L"Hide" : text.GetString());
    OnExtendContextMenu(&menu);
    // The docking frame may add its own items ("Float In Main Window").
    if (CFrameWnd* pFrame = GetFrameForCommands())
        pFrame->SendMessage(WM_SEC_EXTENDCONTEXTMENU, (WPARAM)this, (LPARAM)&menu);
    if (point.x == -1 && point.y == -1) {
        CRect client;
        GetClientRect(&client);
        point = CPoint(client.Width() / 4, 10);
        ClientToScreen(&point);
    }
    ::TrackPopupMenu(menu.m_hMenu, TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, NULL);
}

void SECControlBar::OnAllowDocking() {
    if (m_dwDockStyle & CBRS_ALIGN_ANY) {
        m_dwSavedDockStyle = m_dwDockStyle & CBRS_ALIGN_ANY;
        if (IsDocked() && m_pDockContext != nullptr)
            m_pDockContext->ToggleDocking();
        EnableDocking(0);
    } else {
        EnableDocking(m_dwSavedDockStyle);
    }
}

void SECControlBar::OnHide() {
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) &&
        pParentFrame->IsZoomed())
        ::SendMessageW(::GetParent(pParentFrame->m_hWnd), WM_MDIRESTORE,
                       (WPARAM)pParentFrame->m_hWnd, 0);
    CFrameWnd* pFrame = GetFrameForCommands();
    if (pFrame == nullptr)
        return;
    pFrame->ShowControlBar(this, FALSE, FALSE);
    if (CFrameWnd* pActive = pFrame->GetActiveFrame())
        pActive->SetFocus();
}

void SECControlBar::OnFloatInMainWindow() {
    if (auto* pContext = dynamic_cast<SECDockContext*>(m_pDockContext))
        pContext->ToggleFloatInMainWindow();
}

void SECControlBar::GetBarInfoEx(SECControlBarInfo* pInfo) {
    pInfo->m_pBar = this;
    pInfo->m_nBarID = (UINT)LOWORD(GetDlgCtrlID());
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = (UINT)m_nMRUWidth;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (m_pDockBar != nullptr) {
        CRect rect;
        GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        pInfo->m_pointPos = rect.TopLeft();
        pInfo->m_bFloating = m_pDockBar->m_bFloating;
        pInfo->m_bDocking = TRUE;
        if (m_pDockContext != nullptr) {
            pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
            pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
            pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
            pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
        }
    }
    pInfo->m_szFloat = m_szFloat;
    pInfo->m_szHorzDock = m_szHorzDock;
    pInfo->m_szVertDock = m_szVertDock;
    pInfo->m_dwSavedDockStyle = m_dwSavedDockStyle;
    pInfo->m_dwDockStyle = m_dwDockStyle;
    pInfo->m_fFloatProportion = m_fFloatProportion;
    pInfo->m_dwStyle = m_dwStyle;
    pInfo->m_dwExStyle = m_dwExStyle;
    if (m_pManager != nullptr)
        pInfo->m_dwTypeID = m_pManager->GetBarTypeId(this);
    if (auto* pContext = dynamic_cast<SECDockContext*>(m_pDockContext))
        pInfo->m_bPrevFloating = pContext->m_bFloatedInMainWindow;
    pInfo->m_strClassName = GetRuntimeClass()->m_lpszClassName;
    GetWindowText(pInfo->m_strWindowName);
    // The manager's extra data of the bar's type (a custom toolbar's buttons) goes with it.
    if (pInfo->m_pBarInfoEx == nullptr)
        pInfo->MakeBarInfoEx();
    OnGetBarInfoEx(pInfo);
}

void SECControlBar::SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
    if (pInfo == nullptr)
        return;
    if (IsDockBar()) {
        SetBarInfo(pInfo, pFrameWnd);
        return;
    }
    m_nMRUWidth = (int)pInfo->m_nMRUWidth;
    m_szFloat = pInfo->m_szFloat;
    m_szHorzDock = pInfo->m_szHorzDock;
    m_szVertDock = pInfo->m_szVertDock;
    m_dwSavedDockStyle = pInfo->m_dwSavedDockStyle;
    m_dwDockStyle = pInfo->m_dwDockStyle;
    m_fFloatProportion = pInfo->m_fFloatProportion;
    SetBarStyle(pInfo->m_dwStyle);
    if (pInfo->m_bFloating && m_pDockContext != nullptr) {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
        if (auto* pContext = dynamic_cast<SECDockContext*>(m_pDockContext))
            pContext->m_bFloatedInMainWindow = pInfo->m_bMDIChild;
    }
    if (pInfo->m_pBarInfoEx != nullptr)
        OnSetBarInfoEx(pInfo, pFrameWnd);
    m_nStateFlags &= ~(delayHide | delayShow);
    UINT nFlags = pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    nFlags |= m_pDockBar != nullptr ? (SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
                                    : (SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, nFlags);
}
