// COXToolTipCtrl: when a tip appears and goes away (relayed messages and the two timers), and
// where its text comes from.
#include "toolbars/tooltip_ctrl.h"

#include <cwchar>

namespace {

BOOL HidesTip(UINT message) {
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
        return TRUE;
    switch (message) {
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return TRUE;
    default:
        return FALSE;
    }
}

// The screen position a mouse message names.
CPoint MessagePoint(const MSG& msg) {
    if (msg.hwnd == NULL || !::IsWindow(msg.hwnd))
        return msg.pt;
    CPoint point((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
    ::ClientToScreen(msg.hwnd, &point);
    return point;
}

} // namespace

void COXToolTipCtrl::RelayEvent(MSG* pMsg) {
    if (pMsg == nullptr || m_hWnd == NULL)
        return;
    if (pMsg->message == WM_MOUSEMOVE) {
        CPoint ptScreen = MessagePoint(*pMsg);
        CPoint point = ptScreen;
        ::ScreenToClient(m_pParentWnd->GetSafeHwnd(), &point);
        COXToolTipInfo* pTool = ToolAt(point);
        if (pTool == nullptr) {
            if (m_bTipCancelled)
                m_pCurrentToolTip = nullptr;
        } else if (pTool != m_pCurrentToolTip) {
            if (m_pCurrentToolTip == nullptr || !IsCursorInTip(ptScreen))
                Arm(pTool);
        }
    } else if (pMsg->message == WM_LBUTTONDOWN) {
        if (!IsCursorInTip(MessagePoint(*pMsg)))
            Hide();
    } else if (HidesTip(pMsg->message)) {
        Hide();
    }
}

BOOL COXToolTipCtrl::IsCursorInTip(CPoint ptScreen) const {
    if (m_bTipCancelled || !::IsWindow(m_hWnd) || !IsWindowVisible())
        return FALSE;
    CRect rect;
    GetWindowRect(&rect);
    return rect.PtInRect(ptScreen);
}

CPoint COXToolTipCtrl::CursorInOwner() const {
    CPoint point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_pParentWnd->GetSafeHwnd(), &point);
    return point;
}

BOOL COXToolTipCtrl::IsCursorOverTool(const COXToolTipInfo& info) const {
    return HitTest(CWnd::FromHandle(info.hWnd), CursorInOwner(), nullptr);
}

void COXToolTipCtrl::Arm(COXToolTipInfo* pTool) {
    // Hiding tells the owner, which may delete and add tools again: find the tool afresh.
    HWND hWnd = pTool->hWnd;
    UINT nIDTool = pTool->nIDTool;
    KillTimer(kTimerShow);
    KillTimer(kTimerPoll);
    Hide();
    pTool = FindTool(hWnd, nIDTool);
    if (pTool == nullptr)
        return;
    m_bTipCancelled = FALSE;
    m_pCurrentToolTip = pTool;
    SetTimer(kTimerShow, m_nDisplayDelay);
}

void COXToolTipCtrl::Hide() {
    BOOL bWasShown = ::IsWindow(m_hWnd) && IsWindowVisible();
    HWND hTool = m_pCurrentToolTip != nullptr ? m_pCurrentToolTip->hWnd : NULL;
    UINT nIDTool = m_pCurrentToolTip != nullptr ? m_pCurrentToolTip->nIDTool : 0;
    if (::IsWindow(m_hWnd))
        ShowWindow(SW_HIDE);
    m_bTipCancelled = TRUE;
    m_pCurrentToolTip = nullptr;
    HWND hOwner = m_pParentWnd->GetSafeHwnd();
    if (!bWasShown || hOwner == NULL)
        return;
    // The owner learns that its tip went away (a view re-registers its tool then).
    NMHDR hdr{};
    hdr.hwndFrom = m_hWnd;
    hdr.idFrom = ::IsWindow(hTool) ? (UINT_PTR)::GetDlgCtrlID(hTool) : 0;
    hdr.code = TTN_POP;
    ::SendMessageW(hOwner, WM_NOTIFY, (WPARAM)nIDTool, (LPARAM)&hdr);
}

void COXToolTipCtrl::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTimerShow && nIDEvent != kTimerPoll)
        return;
    if (m_pCurrentToolTip == nullptr || m_bTipCancelled) {
        KillTimer(nIDEvent);
        Hide();
        return;
    }
    if (nIDEvent == kTimerShow)
        OnShowTimer();
    else
        OnPollTimer();
}

void COXToolTipCtrl::OnShowTimer() {
    KillTimer(kTimerShow);
    // Off the tool by now: it stays current without a timer, so it does not show again until
    // another tool is armed or the tip is hidden.
    if (!IsCursorOverTool(*m_pCurrentToolTip))
        return;
    CPoint point;
    ::GetCursorPos(&point);
    Show(point + m_ptOffset, FALSE);
    m_nElapsed = 0;
    SetTimer(kTimerPoll, m_nCheckInterval);
}

void COXToolTipCtrl::OnPollTimer() {
    m_nElapsed += m_nCheckInterval;
    CPoint point = CursorInOwner();
    COXToolTipInfo* pTool = ToolAt(point);
    BOOL bToolGone = !::IsWindow(m_pCurrentToolTip->hWnd);
    if (!bToolGone) {
        if (pTool != nullptr && pTool != m_pCurrentToolTip) {
            KillTimer(kTimerPoll);
            Hide();
            return;
        }
        if (pTool == m_pCurrentToolTip && m_nElapsed < m_nDisplayTime)
            return;
        CPoint ptScreen;
        ::GetCursorPos(&ptScreen);
        if (IsCursorInTip(ptScreen))
            return;
    }
    KillTimer(kTimerPoll);
    Hide();
}

void COXToolTipCtrl::Show(CPoint point, BOOL bExpanded) {
    if (!m_bActivated || m_pCurrentToolTip == nullptr)
        return;
    UINT nFlags = (m_bExtended || bExpanded) ? 1 : 0;
    m_bExtended = bExpanded;
    // Asking the owner may change the tool list: keep names, not the pointer.
    HWND hWnd = m_pCurrentToolTip->hWnd;
    UINT nIDTool = m_pCurrentToolTip->nIDTool;
    CString strText = FetchText(*m_pCurrentToolTip, nFlags);
    COXToolTipInfo* pTool = FindTool(hWnd, nIDTool);
    if (pTool == nullptr || pTool != m_pCurrentToolTip)
        return;
    m_strText = strText;
    ShowWindow(SW_HIDE);
    // An empty text shows no tip.
    if (m_strText.IsEmpty())
        return;
    CRect rectText;
    CalcTextRect(&rectText, m_strText, pTool->nWidth);
    CRect rectTip;
    CalcTipRect(&rectTip, point, pTool, rectText);
    SetWindowPos(NULL, rectTip.left, rectTip.top, rectTip.Width(), rectTip.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
}

CString COXToolTipCtrl::FetchText(const COXToolTipInfo& info, UINT nFlags) {
    CString strText = info.nCallback == -1 ? AskOwner(info, nFlags) : info.strText;
    CString strPart;
    m_bHasExtendedText = strText.Find(L'\r') >= 0;
    if (!m_bHasExtendedText)
        return strText;
    if (m_bExtended) {
        AfxExtractSubString(strPart, strText.GetString(), 1, L'\r');
        return L"  " + strPart;
    }
    AfxExtractSubString(strPart, strText.GetString(), 0, L'\r');
    return strPart + L"  ";
}

CString COXToolTipCtrl::AskOwner(const COXToolTipInfo& info, UINT nFlags) const {
    NMTTDISPINFOW di{};
    di.hdr.hwndFrom = m_hWnd;
    di.hdr.idFrom = ::IsWindow(info.hWnd) ? (UINT_PTR)::GetDlgCtrlID(info.hWnd) : 0;
    di.hdr.code = TTN_GETDISPINFOW;
    di.uFlags = nFlags | (m_bExtended ? 0 : 0x2);
    HWND hOwner = m_pParentWnd->GetSafeHwnd();
    if (hOwner != NULL)
        ::SendMessageW(hOwner, WM_NOTIFY, (WPARAM)info.nIDTool, (LPARAM)&di);
    // The owner's answer is trusted no further than it can be read safely.
    const int nBuffer = (int)(sizeof(di.szText) / sizeof(di.szText[0]));
    di.szText[nBuffer - 1] = L'\0';
    LPWSTR lpszText = di.lpszText;
    if (lpszText == LPSTR_TEXTCALLBACKW)
        return CString();
    if (IS_INTRESOURCE(lpszText) && lpszText != nullptr) {
        if (di.hinst == NULL)
            return CString();
        wchar_t buffer[kMaxResourceText + 1] = L"";
        int nLength =
            ::LoadStringW(di.hinst, (UINT)(UINT_PTR)lpszText, buffer, kMaxResourceText + 1);
        return CString(buffer, nLength > 0 ? nLength : 0);
    }
    if (lpszText == nullptr || lpszText == di.szText)
        return CString(di.szText);
    return CString(lpszText, (int)::wcsnlen(lpszText, kMaxPointerText));
}
