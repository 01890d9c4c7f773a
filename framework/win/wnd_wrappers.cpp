// CWnd's thin wrappers of the Win32 window functions.
#include "framework/win/wnd.h"

#include "framework/win/winapp.h"

#include <vector>

// Family.
CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}
CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
    return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}
// The logical owner: Win32 gives a child none (and writing one re-parents the child).
CWnd* CWnd::GetOwner() const {
    if (m_hWndOwner != NULL && ::IsWindow(m_hWndOwner))
        return FromHandle(m_hWndOwner);
    return GetParent();
}
void CWnd::SetOwner(CWnd* pOwnerWnd) {
    m_hWndOwner = pOwnerWnd->GetSafeHwnd();
}

namespace {
// A child's parent, or a top-level window's owner.
HWND ParentOrOwner(HWND hWnd) {
    if (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}
} // namespace

CWnd* CWnd::GetTopLevelParent() const {
    if (m_hWnd == NULL)
        return NULL;
    HWND hWnd = m_hWnd;
    for (HWND hParent; (hParent = ParentOrOwner(hWnd)) != NULL;)
        hWnd = hParent;
    return FromHandle(hWnd);
}
CWnd* CWnd::GetTopLevelOwner() const {
    return GetTopLevelParent();
}
CWnd* CWnd::GetWindow(UINT nCmd) const {
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}
CWnd* CWnd::GetTopWindow() const {
    return FromHandle(::GetTopWindow(m_hWnd));
}
CWnd* CWnd::GetNextWindow(UINT nFlag) const {
    return FromHandle(::GetWindow(m_hWnd, nFlag));
}
CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}
void CWnd::GetDlgItem(int nID, HWND* phWnd) const {
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}
int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}
int CWnd::SetDlgCtrlID(int nID) {
    return (int)::SetWindowLongPtrW(m_hWnd, GWLP_ID, (LONG_PTR)nID);
}
CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const {
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}
BOOL CWnd::IsChild(const CWnd* pWnd) const {
    return ::IsChild(m_hWnd, pWnd->GetSafeHwnd());
}
CWnd* CWnd::ChildWindowFromPoint(POINT point) const {
    return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}
CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const {
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}
CWnd* PASCAL CWnd::WindowFromPoint(POINT point) {
    return FromHandle(::WindowFromPoint(point));
}
CWnd* PASCAL CWnd::GetDesktopWindow() {
    return FromHandle(::GetDesktopWindow());
}
CWnd* PASCAL CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) {
    return FromHandle(::FindWindowW(lpszClassName, lpszWindowName));
}
CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop) {
    HWND hWnd = pParent->GetSafeHwnd();
    if (hWnd == NULL) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain != NULL ? pMain->GetSafeHwnd() : ::GetActiveWindow();
    }
    HWND hWndTop = hWnd;
    for (HWND hParent; hWndTop != NULL && (hParent = ParentOrOwner(hWndTop)) != NULL;)
        hWndTop = hParent;
    if (pWndTop != NULL)
        *pWndTop = NULL;
    // Without an explicit parent, a box must be modal to what the user is looking at: the
    // top window's last active popup (an open dialog, say), not the window behind it.
    if (pParent == NULL && hWndTop != NULL)
        hWndTop = ::GetLastActivePopup(hWndTop);
    return FromHandle(hWndTop);
}

BOOL CWnd::IsFrameWnd() const {
    return FALSE;
}

// Frames derive from CWnd alone, so the object's address is the frame's.
CFrameWnd* CWnd::GetParentFrame() const {
    for (CWnd* pWnd = GetParent(); pWnd != NULL; pWnd = pWnd->GetParent())
        if (pWnd->IsFrameWnd())
            return reinterpret_cast<CFrameWnd*>(pWnd);
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    if (m_hWnd == NULL)
        return NULL;
    CWnd* pTop = IsFrameWnd() ? const_cast<CWnd*>(this) : reinterpret_cast<CWnd*>(GetParentFrame());
    while (pTop != NULL) {
        CFrameWnd* pNext = pTop->GetParentFrame();
        if (pNext == NULL)
            break;
        pTop = reinterpret_cast<CWnd*>(pNext);
    }
    return reinterpret_cast<CFrameWnd*>(pTop);
}

// State.
DWORD CWnd::GetStyle() const {
    return (DWORD)::GetWindowLongW(m_hWnd, GWL_STYLE);
}
DWORD CWnd::GetExStyle() const {
    return (DWORD)::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
}

namespace {
BOOL ModifyLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD dwStyle = (DWORD)::GetWindowLongW(hWnd, nIndex);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongW(hWnd, nIndex, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}
} // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}
BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}
BOOL CWnd::IsZoomed() const {
    return ::IsZoomed(m_hWnd);
}
void CWnd::SetWindowText(LPCTSTR lpszString) {
    ::SetWindowTextW(m_hWnd, lpszString);
}
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}
// Sized from the reported length so that no text is cut.
void CWnd::GetWindowText(CString& rString) const {
    int nLen = ::GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buffer((size_t)nLen + 1, L'\0');
    int nGot = ::GetWindowTextW(m_hWnd, buffer.data(), nLen + 1);
    rString = CString(buffer.data(), nGot);
}
int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthW(m_hWnd);
}
void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    ::SendMessageW(m_hWnd, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw);
}
CFont* CWnd::GetFont() const {
    return CFont::FromHandle((HFONT)::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return (HICON)::SendMessageW(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                 (LPARAM)hIcon);
}
HICON CWnd::GetIcon(BOOL bBigIcon) const {
    return (HICON)::SendMessageW(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0);
}
CMenu* CWnd::GetMenu() const {
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}
BOOL CWnd::SetMenu(CMenu* pMenu) {
    return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu());
}
void CWnd::DrawMenuBar() {
    ::DrawMenuBar(m_hWnd);
}
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const {
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}
void CWnd::SetRedraw(BOOL bRedraw) {
    ::SendMessageW(m_hWnd, WM_SETREDRAW, bRedraw, 0);
}
BOOL CWnd::LockWindowUpdate() {
    return ::LockWindowUpdate(m_hWnd);
}
void CWnd::UnlockWindowUpdate() {
    ::LockWindowUpdate(NULL);
}
void CWnd::DragAcceptFiles(BOOL bAccept) {
    ::DragAcceptFiles(m_hWnd, bAccept);
}
BOOL CWnd::FlashWindow(BOOL bInvert) {
    return ::FlashWindow(m_hWnd, bInvert);
}
int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
}

// Geometry.
void CWnd::GetClientRect(LPRECT lpRect) const {
    ::GetClientRect(m_hWnd, lpRect);
}
void CWnd::GetWindowRect(LPRECT lpRect) const {
    ::GetWindowRect(m_hWnd, lpRect);
}
void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    ::ClientToScreen(m_hWnd, lpPoint);
}
void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, NULL, (LPPOINT)lpRect, 2);
}
void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    ::ScreenToClient(m_hWnd, lpPoint);
}
void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)lpRect, 2);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2);
}
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT r, BOOL bRepaint) {
    MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    HWND hWndAfter = AfxIsNullThis(pWndInsertAfter) ? NULL : pWndInsertAfter->m_hWnd;
    return ::SetWindowPos(m_hWnd, hWndAfter, x, y, cx, cy, nFlags);
}
BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const {
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) {
    WINDOWPLACEMENT wp = *lpwndpl;
    wp.length = sizeof(WINDOWPLACEMENT);
    return ::SetWindowPlacement(m_hWnd, &wp);
}
void CWnd::BringWindowToTop() {
    ::BringWindowToTop(m_hWnd);
}
// Centres over the owner (or parent, or alternate owner), kept inside the work area.
void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (hWndCenter == NULL)
        hWndCenter = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcDlg;
    ::GetWindowRect(m_hWnd, &rcDlg);
    RECT rcArea;
    RECT rcCenter;
    HMONITOR hMonitor =
        ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(hMonitor, &mi);
    rcArea = mi.rcWork;
    if (GetStyle() & WS_CHILD) {
        ::GetClientRect(::GetParent(m_hWnd), &rcArea);
        rcCenter = rcArea;
    } else if (hWndCenter != NULL && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter)) {
        ::GetWindowRect(hWndCenter, &rcCenter);
    } else {
        rcCenter = rcArea;
    }
    int cx = rcDlg.right - rcDlg.left;
    int cy = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (x + cx > rcArea.right)
        x = rcArea.right - cx;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + cy > rcArea.bottom)
        y = rcArea.bottom - cy;
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT) {
    DWORD dwExStyle = GetExStyle() & ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
    if (GetExStyle() & WS_EX_CLIENTEDGE)
        ::InflateRect(lpClientRect, ::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
}

// Painting.
void CWnd::Invalidate(BOOL bErase) {
    ::InvalidateRect(m_hWnd, NULL, bErase);
}
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) {
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}
void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) {
    ::InvalidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase);
}
void CWnd::ValidateRect(LPCRECT lpRect) {
    ::ValidateRect(m_hWnd, lpRect);
}
void CWnd::ValidateRgn(CRgn* pRgn) {
    ::ValidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle());
}
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) {
    return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}
void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags);
}
CDC* CWnd::GetDC() {
    return CDC::FromHandle(::GetDC(m_hWnd));
}
CDC* CWnd::GetWindowDC() {
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}
CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags) {
    return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)prgnClip->GetSafeHandle(), flags));
}
int CWnd::ReleaseDC(CDC* pDC) {
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) {
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}
void CWnd::EndPaint(LPPAINTSTRUCT lpPaint) {
    ::EndPaint(m_hWnd, lpPaint);
}

// Input.
CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* PASCAL CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}
CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd));
}
CWnd* PASCAL CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}
CWnd* PASCAL CWnd::GetActiveWindow() {
    return FromHandle(::GetActiveWindow());
}
CWnd* CWnd::SetActiveWindow() {
    return FromHandle(::SetActiveWindow(m_hWnd));
}
BOOL CWnd::SetForegroundWindow() {
    return ::SetForegroundWindow(m_hWnd);
}
CWnd* PASCAL CWnd::GetForegroundWindow() {
    return FromHandle(::GetForegroundWindow());
}
UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                        void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD)) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd, nIDEvent);
}
BOOL CWnd::OpenClipboard() {
    return ::OpenClipboard(m_hWnd);
}
void CWnd::CreateCaret(CBitmap* pBitmap) {
    ::CreateCaret(m_hWnd, (HBITMAP)pBitmap->GetSafeHandle(), 0, 0);
}
void CWnd::CreateSolidCaret(int nWidth, int nHeight) {
    ::CreateCaret(m_hWnd, NULL, nWidth, nHeight);
}
void CWnd::CreateGrayCaret(int nWidth, int nHeight) {
    ::CreateCaret(m_hWnd, (HBITMAP)1, nWidth, nHeight);
}
void CWnd::ShowCaret() {
    ::ShowCaret(m_hWnd);
}
void CWnd::HideCaret() {
    ::HideCaret(m_hWnd);
}
void PASCAL CWnd::SetCaretPos(POINT point) {
    ::SetCaretPos(point.x, point.y);
}
CPoint PASCAL CWnd::GetCaretPos() {
    POINT pt = {0, 0};
    ::GetCaretPos(&pt);
    return pt;
}

// Scrolling: a window whose GetScrollBarCtrl names a sibling scroll-bar control drives that
// control instead of its own bar.
CScrollBar* CWnd::GetScrollBarCtrl(int) const {
    return NULL;
}

namespace {
HWND ScrollTarget(const CWnd* pWnd, int& nBar) {
    CScrollBar* pBar = (nBar == SB_CTL) ? NULL : pWnd->GetScrollBarCtrl(nBar);
    if (pBar == NULL)
        return pWnd->m_hWnd;
    nBar = SB_CTL;
    return reinterpret_cast<CWnd*>(pBar)->m_hWnd;
}
} // namespace

int CWnd::GetScrollPos(int nBar) const {
    HWND hWnd = ScrollTarget(this, nBar);
    return ::GetScrollPos(hWnd, nBar);
}
int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) {
    HWND hWnd = ScrollTarget(this, nBar);
    return ::SetScrollPos(hWnd, nBar, nPos, bRedraw);
}
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
    HWND hWnd = ScrollTarget(this, nBar);
    ::GetScrollRange(hWnd, nBar, lpMinPos, lpMaxPos);
}
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    HWND hWnd = ScrollTarget(this, nBar);
    ::SetScrollRange(hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}
BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
    HWND hWnd = ScrollTarget(this, nBar);
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(hWnd, nBar, lpScrollInfo);
}
BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    HWND hWnd = ScrollTarget(this, nBar);
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}
int CWnd::GetScrollLimit(int nBar) {
    SCROLLINFO info = {};
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
        return 0;
    int nLimit = info.nMax;
    if (info.nPage > 1)
        nLimit -= (int)info.nPage - 1;
    return nLimit < info.nMin ? info.nMin : nLimit;
}
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) {
    ::ShowScrollBar(m_hWnd, (int)nBar, bShow);
}
BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags) {
    return ::EnableScrollBar(m_hWnd, (UINT)nSBFlags, nArrowFlags);
}
void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable) {
    if (nBar == SB_BOTH) {
        EnableScrollBarCtrl(SB_HORZ, bEnable);
        EnableScrollBarCtrl(SB_VERT, bEnable);
        return;
    }
    CScrollBar* pBar = GetScrollBarCtrl(nBar);
    if (pBar != NULL)
        ::EnableWindow(reinterpret_cast<CWnd*>(pBar)->m_hWnd, bEnable);
    else
        ::ShowScrollBar(m_hWnd, nBar, bEnable);
}
void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect) {
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}
int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags) {
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip,
                            (HRGN)prgnUpdate->GetSafeHandle(), lpRectUpdate, flags);
}

// Dialog-item helpers.
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}
UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}
void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}
int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) {
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++)
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    return 0;
}
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) {
    ::SetDlgItemTextW(m_hWnd, nID, lpszString);
}
int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (hItem == NULL)
        return 0;
    CWnd item(hItem);
    item.GetWindowText(rString);
    item.m_hWnd = NULL;
    return rString.GetLength();
}
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) {
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}
void CWnd::MapDialogRect(LPRECT lpRect) const {
    ::MapDialogRect(m_hWnd, lpRect);
}
