#include "docking/msgfilter_control.h"

#include <windowsx.h>

#include "toolbars/drawing/frame_glyphs.h"

IMPLEMENT_DYNCREATE(SECCaptionControlMsgFilter, SECCaptionMsgFilter)

namespace {

// The mouse and modifier keys as they stand for an action: the button of a press or a hold is
// still down, a click has been released.
UINT KeyStateFor(int nKind) {
    UINT nState = 0;
    if (nKind == SECCaptionControlMsgFilter::fireRightPress)
        nState |= MK_RBUTTON;
    else if (nKind == SECCaptionControlMsgFilter::fireHold)
        nState |= MK_LBUTTON;
    if (::GetKeyState(VK_SHIFT) < 0)
        nState |= MK_SHIFT;
    if (::GetKeyState(VK_CONTROL) < 0)
        nState |= MK_CONTROL;
    return nState;
}

bool CloseIsGreyed(HWND hWnd) {
    HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
    if (hSysMenu == NULL)
        return false;
    const UINT nState = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
    return nState != (UINT)-1 && (nState & (MF_GRAYED | MF_DISABLED)) != 0;
}

} // namespace

SECCaptionControlMsgFilter::SECCaptionControlMsgFilter() {
    m_rectControl.SetRectEmpty();
}

SECCaptionControlMsgFilter::~SECCaptionControlMsgFilter() {
    StopTimer();
    if (m_bTracking && m_pOwner != NULL && m_pOwner->GetSafeHwnd() != NULL &&
        ::GetCapture() == m_pOwner->GetSafeHwnd())
        ::ReleaseCapture();
}

SECMsgFilter* SECCaptionControlMsgFilter::Clone() const {
    SECMsgFilter* pCopy = SECCaptionMsgFilter::Clone();
    if (pCopy != NULL && pCopy->IsKindOf(RUNTIME_CLASS(SECCaptionControlMsgFilter))) {
        auto* pControl = static_cast<SECCaptionControlMsgFilter*>(pCopy);
        pControl->m_rectControl = m_rectControl;
        pControl->m_nDrawType = m_nDrawType;
        pControl->m_nState = m_nState & ~DFCS_PUSHED;
        pControl->m_nHoldDelay = m_nHoldDelay;
    }
    return pCopy;
}

int SECCaptionControlMsgFilter::GetKind() const {
    return m_nID >= 0 && m_nID < 4096 ? m_nID : -1;
}

CPoint SECCaptionControlMsgFilter::ToScreen(LPARAM lParam) const {
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (m_pOwner != NULL && m_pOwner->GetSafeHwnd() != NULL)
        ::ClientToScreen(m_pOwner->GetSafeHwnd(), &point);
    return point;
}

UINT SECCaptionControlMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                           LRESULT* pResult) {
    switch (message) {
    case WM_SETTEXT:
    case WM_SETCURSOR:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        Redraw();
        return resultHandled;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: {
        const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (wParam != HTCAPTION || !HitTest(point))
            break;
        if (pResult != NULL)
            *pResult = 0;
        if (IsDisabled())
            return resultControlMouse;
        // Either call may end in an action that destroys this filter: nothing follows it.
        if (message == WM_NCLBUTTONDOWN)
            OnLButtonDown(point.x, point.y);
        else
            Fire(fireRightPress, point.x, point.y);
        return resultControlMouse;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        if (!m_bTracking)
            break;
        if (pResult != NULL)
            *pResult = 0;
        const CPoint point = ToScreen(lParam);
        if (message == WM_MOUSEMOVE)
            OnMouseMove(point.x, point.y);
        else
            OnLButtonUp(point.x, point.y);
        return resultControlMouse;
    }
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the press is over, without its action. The window
        // still sees the message.
        if (m_bTracking && !(message == WM_CAPTURECHANGED && m_pOwner != NULL &&
                             (HWND)lParam == m_pOwner->GetSafeHwnd()))
            EndTracking(TRUE, TRUE);
        break;
    default:
        break;
    }
    return FilterChildren(message, wParam, lParam, pResult);
}

void SECCaptionControlMsgFilter::Redraw() {
    const int nKind = GetKind();
    HWND hOwner = m_pOwner != NULL ? m_pOwner->GetSafeHwnd() : NULL;
    // Only the standard parts have a face here; other controls draw themselves.
    if (nKind < kindClose || nKind > kindHelp || hOwner == NULL || m_rectControl.IsRectEmpty())
        return;
    HDC hDC = ::GetWindowDC(hOwner);
    if (hDC == NULL)
        return;
    CRect rect = m_rectControl;
    DrawFrameButton(hDC, &rect, m_nDrawType, (m_nState & ~0xFFu) | (UINT)nKind);
    ::ReleaseDC(hOwner, hDC);
}

BOOL SECCaptionControlMsgFilter::HitTest(CPoint ptScreen) const {
    HWND hOwner = m_pOwner != NULL ? m_pOwner->GetSafeHwnd() : NULL;
    if (hOwner == NULL)
        return FALSE;
    CRect rectWindow;
    ::GetWindowRect(hOwner, &rectWindow);
    ptScreen.Offset(-rectWindow.left, -rectWindow.top);
    return m_rectControl.PtInRect(ptScreen);
}

void SECCaptionControlMsgFilter::OnLButtonDown(int x, int y) {
    BeginTracking(TRUE, TRUE);
    if (m_nHoldDelay > 0)
        StartHoldTimer(x, y);
    else
        OnHold(x, y);
}

void SECCaptionControlMsgFilter::OnLButtonUp(int x, int y) {
    const BOOL bInside = HitTest(CPoint(x, y));
    EndTracking(TRUE, TRUE);
    if (bInside)
        Fire(fireClick, x, y);
}

void SECCaptionControlMsgFilter::OnHold(int x, int y) {
    EndTracking(TRUE, FALSE);
    Fire(fireHold, x, y);
}

void SECCaptionControlMsgFilter::OnMouseMove(int x, int y) {
    if (!m_bTracking)
        return;
    const BOOL bInside = HitTest(CPoint(x, y));
    if (bInside == IsPressed())
        return;
    if (bInside) {
        StartHoldTimer(x, y);
        m_nState |= DFCS_PUSHED;
    } else {
        StopTimer();
        m_nState &= ~DFCS_PUSHED;
    }
    Redraw();
}

LRESULT SECCaptionControlMsgFilter::Fire(int nKind, int x, int y) {
    CWnd* pWnd = NULL;
    UINT nMessage = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    if (!GetSysCommand(KeyStateFor(nKind), x, y, pWnd, nMessage, wParam, lParam))
        return 0;
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    if (hWnd == NULL)
        return 0;
    return ::SendMessageW(hWnd, nMessage, wParam, lParam);
}

BOOL SECCaptionControlMsgFilter::GetSysCommand(UINT nKeyState, int x, int y, CWnd*& pWnd,
                                               UINT& nMessage, WPARAM& wParam, LPARAM& lParam) {
    if ((nKeyState & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0)
        return FALSE;
    static const WPARAM commands[] = {SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE,
                                      SC_CONTEXTHELP};
    const int nKind = GetKind();
    if (nKind < 0 || nKind >= (int)(sizeof commands / sizeof commands[0]))
        return FALSE;
    pWnd = m_pOwner;
    nMessage = WM_SYSCOMMAND;
    wParam = commands[nKind];
    lParam = MAKELPARAM(x, y);
    return TRUE;
}

void SECCaptionControlMsgFilter::BeginTracking(BOOL bPressed, BOOL bRedraw) {
    m_bTracking = TRUE;
    if (bPressed)
        m_nState |= DFCS_PUSHED;
    if (m_pOwner != NULL && m_pOwner->GetSafeHwnd() != NULL)
        ::SetCapture(m_pOwner->GetSafeHwnd());
    if (bRedraw)
        Redraw();
}

void SECCaptionControlMsgFilter::EndTracking(BOOL bClearPressed, BOOL bRedraw) {
    m_bTracking = FALSE;
    StopTimer();
    if (bClearPressed)
        m_nState &= ~DFCS_PUSHED;
    HWND hOwner = m_pOwner != NULL ? m_pOwner->GetSafeHwnd() : NULL;
    if (hOwner != NULL && ::GetCapture() == hOwner)
        ::ReleaseCapture();
    if (bRedraw)
        Redraw();
}

void SECCaptionControlMsgFilter::StopTimer() {
    if (m_pTimer != NULL)
        m_pTimer.release()->Release();
}

void SECCaptionControlMsgFilter::StartHoldTimer(int x, int y) {
    StopTimer();
    if (m_nHoldDelay == 0)
        return;
    auto pTimer = std::make_unique<SECCaptionControlMsgFilterTimer>(this, m_nHoldDelay, x, y);
    if (pTimer->Create(m_pOwner))
        m_pTimer = std::move(pTimer);
}

BOOL SECCaptionControlMsgFilter::IsShown(BOOL& bDisabled) const {
    bDisabled = FALSE;
    HWND hOwner = m_pOwner != NULL ? m_pOwner->GetSafeHwnd() : NULL;
    if (hOwner == NULL)
        return FALSE;
    const DWORD dwStyle = (DWORD)::GetWindowLongW(hOwner, GWL_STYLE);
    const DWORD dwExStyle = (DWORD)::GetWindowLongW(hOwner, GWL_EXSTYLE);
    if ((dwStyle & WS_SYSMENU) == 0)
        return FALSE;
    const int nKind = GetKind();
    if (nKind == kindClose) {
        bDisabled = CloseIsGreyed(hOwner);
        return TRUE;
    }
    if ((dwExStyle & WS_EX_TOOLWINDOW) != 0)
        return FALSE;
    const bool bMinBox = (dwStyle & WS_MINIMIZEBOX) != 0;
    const bool bMaxBox = (dwStyle & WS_MAXIMIZEBOX) != 0;
    const bool bIconic = (dwStyle & WS_MINIMIZE) != 0;
    const bool bZoomed = (dwStyle & WS_MAXIMIZE) != 0;
    switch (nKind) {
    case kindMinimize:
        if ((!bMinBox && !bMaxBox) || bIconic)
            return FALSE;
        bDisabled = !bMinBox;
        return TRUE;
    case kindMaximize:
        if ((!bMinBox && !bMaxBox) || bZoomed)
            return FALSE;
        bDisabled = !bMaxBox;
        return TRUE;
    case kindRestore:
        if (!bIconic && !bZoomed)
            return FALSE;
        bDisabled = bIconic ? !bMinBox : !bMaxBox;
        return TRUE;
    case kindHelp:
        return !bMinBox && !bMaxBox && (dwExStyle & WS_EX_CONTEXTHELP) != 0;
    default:
        return FALSE;
    }
}
