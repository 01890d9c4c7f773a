#include "toolbars/colorwell.h"
#include "toolbars/wellbutton.h"

namespace corvalis {
namespace foundation {

// The popup's object belongs to its button and is reused for every opening, so the window
// goes away in the popup's own handlers while the object lives on: after Close() a handler
// touches nothing of the window any more.

IMPLEMENT_DYNAMIC(SECPopupColorWell, SECColorWell)

namespace {
const UINT WM_POPUP_CLOSE_UNFOCUSED = WM_USER + 103;
}

BEGIN_MESSAGE_MAP(SECPopupColorWell, SECColorWell)
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_POPUP_CLOSE_UNFOCUSED, OnCloseUnfocused)
END_MESSAGE_MAP()

SECPopupColorWell::SECPopupColorWell() = default;

void SECPopupColorWell::ResetWell() {
    SECColorWell::ResetWell();
    m_pOwnerButton = nullptr;
}

void SECPopupColorWell::NotifyColorChange() {
    if (m_pOwnerButton != nullptr && m_pOwnerButton->GetSafeHwnd() != NULL)
        m_pOwnerButton->SendMessage(WM_COLORWELL_CHANGED, 0, (LPARAM)GetColor());
}

void SECPopupColorWell::SelectCell(int nCol, int nRow, int nReason) {
    InvalidateCell(m_nSelCol, m_nSelRow);
    m_nSelCol = nCol;
    m_nSelRow = nRow;
    InvalidateCell(nCol, nRow);
    if (nReason != WellSelectConfirm)
        return;
    // Closed before the owner hears of the choice: what the owner does with it (a dialog, or
    // its own end) must not find the popup still holding the capture and the focus.
    Close();
    NotifyColorChange();
}

BOOL SECPopupColorWell::CreatePopup(DWORD dwStyle, const CRect& rcAnchor, CWnd* pParentWnd,
                                    BOOL bOtherButton, LPVOID lpParam) {
    const DWORD dwFullStyle = dwStyle | WS_POPUP | CWS_RAISEDBORDER;
    m_bHasOther = bOtherButton;
    SetDefaultGrid();
    SetMargins(dwFullStyle);
    CRect rect;
    CalcWellRect(rect, pParentWnd, 0, 0, FALSE);
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    const int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    const int x =
        rcAnchor.left + rect.Width() < cxScreen ? rcAnchor.left : rcAnchor.right - rect.Width();
    const int y =
        rcAnchor.bottom + rect.Height() < cyScreen ? rcAnchor.bottom : rcAnchor.top - rect.Height();
    m_bClosing = FALSE;
    if (!Create(dwFullStyle, x, y, pParentWnd, 0, FALSE, bOtherButton, lpParam))
        return FALSE;
    SetFocus();
    m_bTracking = TRUE;
    SetCapture();
    m_bActive = TRUE;
    return TRUE;
}

void SECPopupColorWell::Close() {
    if (m_bClosing || m_hWnd == NULL)
        return;
    m_bClosing = TRUE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    DestroyWindow();
}

void SECPopupColorWell::PostNcDestroy() {
    m_bActive = FALSE;
    m_bTracking = FALSE;
}

void SECPopupColorWell::OnOtherButton() {
    if (m_pOwnerButton != nullptr && m_pOwnerButton->GetSafeHwnd() != NULL)
        m_pOwnerButton->PostMessage(WM_COLORWELL_OTHER, 0, 0);
    Close();
}

BOOL SECPopupColorWell::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The button pressed from the keyboard: the owner runs the colour dialog once the popup
    // has gone, as after a click.
    if (LOWORD(wParam) == ID_COLORWELL_OTHER && HIWORD(wParam) == BN_CLICKED) {
        OnOtherButton();
        return TRUE;
    }
    return SECColorWell::OnCommand(wParam, lParam);
}

void SECPopupColorWell::OnLButtonDown(UINT nFlags, CPoint point) {
    CPoint screen = point;
    ClientToScreen(&screen);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        if (m_pOwnerButton != nullptr && m_pOwnerButton->GetSafeHwnd() != NULL) {
            CRect owner;
            m_pOwnerButton->GetWindowRect(&owner);
            if (owner.PtInRect(screen))
                return;
        }
        const HWND hTarget = ::WindowFromPoint(screen);
        Close();
        // Only our own windows get the click: another thread's or process's would take a
        // button-down without its button-up.
        if (hTarget == NULL || !::IsWindow(hTarget) ||
            ::GetWindowThreadProcessId(hTarget, NULL) != ::GetCurrentThreadId())
            return;
        POINT target = screen;
        ::ScreenToClient(hTarget, &target);
        ::SendMessageW(hTarget, WM_LBUTTONDOWN, nFlags, MAKELPARAM(target.x, target.y));
        return;
    }
    if (m_pOtherButton && m_pOtherButton->GetSafeHwnd() != NULL) {
        CRect other;
        m_pOtherButton->GetWindowRect(&other);
        if (other.PtInRect(screen)) {
            OnOtherButton();
            return;
        }
    }
    SECColorWell::OnLButtonDown(nFlags, point);
}

void SECPopupColorWell::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    switch (nChar) {
    case VK_TAB:
        if (m_pOtherButton && m_pOtherButton->GetSafeHwnd() != NULL)
            m_pOtherButton->SetFocus();
        return;
    case VK_RETURN:
        SelectCell(m_nSelCol, m_nSelRow, WellSelectConfirm);
        return;
    case VK_ESCAPE:
        Close();
        return;
    default:
        SECColorWell::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void SECPopupColorWell::OnKeyUp(UINT nChar, UINT, UINT) {
    if (nChar == VK_SPACE)
        SelectCell(m_nSelCol, m_nSelRow, WellSelectConfirm);
    else
        Default();
}

BOOL SECPopupColorWell::KeepsFocus(HWND hWndNew) const {
    return hWndNew != NULL && m_hWnd != NULL && (hWndNew == m_hWnd || ::IsChild(m_hWnd, hWndNew));
}

// The focus also leaves while the system is taking the popup down (its owner going, or its
// own destruction): destroying it again from inside that would re-enter the destruction, so
// the close waits until the focus change is over.
void SECPopupColorWell::OnKillFocus(CWnd* pNewWnd) {
    Default();
    if (!KeepsFocus(pNewWnd ? pNewWnd->m_hWnd : NULL))
        PostMessage(WM_POPUP_CLOSE_UNFOCUSED);
}

void SECPopupColorWell::OnOtherButtonFocusLost(HWND hWndNew) {
    if (!KeepsFocus(hWndNew) && m_hWnd != NULL)
        PostMessage(WM_POPUP_CLOSE_UNFOCUSED);
}

LRESULT SECPopupColorWell::OnCloseUnfocused(WPARAM, LPARAM) {
    if (!KeepsFocus(::GetFocus()))
        Close();
    return 0;
}

} // namespace foundation
} // namespace corvalis
