#include "listtree/list_tip.h"

#include "listtree/list_hit.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(SECListTip, CWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL SECListTip::CreateTip() {
    if (GetSafeHwnd() != NULL)
        return TRUE;
    CWnd* pList = m_pClient->GetListWnd();
    if (pList == NULL || pList->GetSafeHwnd() == NULL)
        return FALSE;
    LPCTSTR lpszClass =
        AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS,
                            ::LoadCursor(NULL, IDC_ARROW));
    return CWnd::CreateEx(0, lpszClass, L"", WS_POPUP | WS_BORDER, 0, 0, 1, 1, pList->m_hWnd, NULL);
}

void SECListTip::Hide() {
    if (GetSafeHwnd() != NULL) {
        KillTimer(SECLIST_TIP_TIMER);
        if (IsWindowVisible()) {
            CRect rcScreen;
            GetWindowRect(&rcScreen);
            ShowWindow(SW_HIDE);
            CWnd* pList = m_pClient->GetListWnd();
            if (pList != NULL && pList->GetSafeHwnd() != NULL) {
                pList->ScreenToClient(&rcScreen);
                pList->RedrawWindow(&rcScreen, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
            }
        }
    }
    m_nRow = -1;
    m_nCol = -1;
    m_rect.SetRectEmpty();
}

BOOL SECListTip::IsClipped(const CRect& rcCell, const CRect& rcLabel) const {
    CRect rcInside;
    m_pClient->GetInsideRect(&rcInside);
    const int nLimit = std::min((int)rcCell.right, (int)rcInside.Width());
    if (rcLabel.right <= rcInside.left)
        return FALSE;
    return rcLabel.right > nLimit || rcLabel.left < rcInside.left;
}

BOOL SECListTip::ShowTip(UINT nHitFlags, int nRow, int nCol, int /*x*/, int /*y*/) {
    const int nSubItem = nCol < 0 ? -1 : m_pClient->GetColumnSubItem(nCol);
    const bool bOnText =
        (nHitFlags & LVHT_ONITEMLABEL) != 0 || ((nHitFlags & SECLVHT_ONROW) != 0 && nSubItem > 0);
    if (!bOnText || nRow < 0 || nCol < 0 || nSubItem < 0 || CWnd::GetActiveWindow() == NULL) {
        Hide();
        return FALSE;
    }
    CRect rcCell, rcLabel;
    if (!m_pClient->GetSubItemRect(nRow, nCol, &rcCell, LVIR_BOUNDS) ||
        !m_pClient->GetSubItemRect(nRow, nCol, &rcLabel, LVIR_LABEL)) {
        Hide();
        return FALSE;
    }
    rcCell.right -= 5;
    if (!IsClipped(rcCell, rcLabel)) {
        Hide();
        return FALSE;
    }
    if (m_nRow == nRow && m_nCol == nCol && GetSafeHwnd() != NULL && IsWindowVisible())
        return TRUE;
    Hide();
    CString strText = m_pClient->QueryItemText(nRow, nSubItem);
    if (strText.IsEmpty() || !CreateTip())
        return FALSE;
    rcLabel.InflateRect(2, 0, 2, 2);
    m_nRow = nRow;
    m_nCol = nCol;
    m_rect = rcLabel;
    m_strText = strText;
    CRect rcScreen = rcLabel;
    m_pClient->ClientToScreen(&rcScreen);
    SetWindowPos(&CWnd::wndTopMost, rcScreen.left - 1, rcScreen.top, rcScreen.Width() + 3,
                 rcCell.Height(), SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNOACTIVATE);
    SetTimer(SECLIST_TIP_TIMER, 500);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    return TRUE;
}

void SECListTip::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    const bool bSelected = m_nRow >= 0 && m_pClient->IsItemSelected(m_nRow);
    const COLORREF rgbText =
        bSelected ? m_pClient->GetSelTextColor() : m_pClient->GetTipTextColor();
    const COLORREF rgbBk = bSelected ? m_pClient->GetSelTextBkColor() : m_pClient->GetTipBkColor();
    dc.FillSolidRect(&rc, rgbBk);
    CFont* pFont = m_pClient->GetItemFont();
    CFont fontBold;
    if (pFont != NULL && m_nRow >= 0 && (m_pClient->GetItemStateForTip(m_nRow, 0x18) & 0x10)) {
        LOGFONT lf = {};
        if (pFont->GetLogFont(&lf)) {
            lf.lfWeight = FW_BOLD;
            if (fontBold.CreateFontIndirect(&lf))
                pFont = &fontBold;
        }
    }
    CFont* pOldFont = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    dc.SetTextColor(rgbText);
    dc.SetBkMode(TRANSPARENT);
    int nLen = m_strText.Find(L'\n');
    if (nLen < 0)
        nLen = m_strText.GetLength();
    nLen = std::min(nLen, SECLIST_TIP_MAX);
    rc.left += 2;
    dc.DrawText((LPCTSTR)m_strText, nLen, &rc,
                DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER);
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
}

void SECListTip::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != SECLIST_TIP_TIMER) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    CWnd* pList = m_pClient->GetListWnd();
    if (pList == NULL || pList->GetSafeHwnd() == NULL) {
        Hide();
        return;
    }
    POINT pt;
    ::GetCursorPos(&pt);
    pList->ScreenToClient(&pt);
    CRect rcClient;
    ::GetClientRect(pList->m_hWnd, &rcClient);
    if (!rcClient.PtInRect(pt))
        Hide();
}

void SECListTip::OnDestroy() {
    CWnd::OnDestroy();
    m_nRow = -1;
}

BOOL SECListTip::PreTranslateMessage(MSG* pMsg) {
    const UINT msg = pMsg->message;
    const bool bClient = msg == WM_MOUSEMOVE || (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK);
    const bool bNonClient = msg >= WM_NCLBUTTONDOWN && msg <= WM_NCMBUTTONDBLCLK;
    CWnd* pList = m_pClient->GetListWnd();
    if (pMsg->hwnd != m_hWnd || (!bClient && !bNonClient) || pList == NULL ||
        pList->GetSafeHwnd() == NULL)
        return CWnd::PreTranslateMessage(pMsg);
    POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
    if (bClient)
        ::ClientToScreen(m_hWnd, &pt);
    pList->ScreenToClient(&pt);
    MSG forwarded = *pMsg;
    forwarded.hwnd = pList->m_hWnd;
    forwarded.lParam = MAKELPARAM(pt.x, pt.y);
    if (bNonClient) {
        forwarded.message = msg + (WM_LBUTTONDOWN - WM_NCLBUTTONDOWN);
        forwarded.wParam = msg == WM_NCLBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON;
    }
    ::DispatchMessageW(&forwarded);
    return TRUE;
}
