// SECMenuBar: the popup of a menu button, tracked below it. While it is open a thread
// message-filter hook watches the menu loop: the mouse over another menu button, or Left and
// Right at the popup's top level, close it and move on to the next one ("WM_SEC_MENUPROD").
// The bar owns the popup, so the menu's messages come here first and go on to the frame.
#include "toolbars/menu_bar.h"

#include "framework/core/guard.h"
#include "toolbars/registered_messages.h"

namespace {
bool IsOpenable(const SECStdBtn* pBtn) {
    return pBtn != nullptr && pBtn->m_nType == SEC_BTNKIND_MENU &&
           !(pBtn->m_nStyle & (SEC_TBBS_HIDDEN | SEC_TBBS_DISABLED));
}

// Messages of the popup's loop that belong to the frame that shows the menu.
bool IsFrameMenuMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_UNINITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_MENUCHAR:
    case WM_ENTERIDLE:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        return true;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        return wParam == 0; // menu items, not controls
    case WM_COMMAND:
        return HIWORD(wParam) == 0 && lParam == 0;
    default:
        return false;
    }
}
} // namespace

HMENU SECMenuBar::PopupOf(const SECTBMenuBtn& btn, BOOL& bOwned) const {
    bOwned = FALSE;
    if (m_hMenu != NULL && btn.m_nMenuId == m_nMenuId) {
        HMENU hSub = ::GetSubMenu(m_hMenu, btn.m_nPopup);
        return hSub != NULL && ::IsMenu(hSub) ? hSub : NULL;
    }
    HMENU hBuilt = btn.CreatePopupMenu();
    bOwned = hBuilt != NULL;
    return hBuilt;
}

void SECMenuBar::DropDownButton(SECStdBtn* pBtn, UINT, int) {
    TrackPopup(IndexOfButton(pBtn), FALSE);
}

void SECMenuBar::TrackPopup(int nIndex, BOOL bKeyboard) {
    auto* pBtn = dynamic_cast<SECTBMenuBtn*>(GetButton(nIndex));
    if (pBtn == nullptr || !IsOpenable(pBtn) || s_pTracking != nullptr || m_hWnd == NULL) {
        if (pBtn != nullptr) {
            pBtn->m_nStyle &= ~SEC_TBBS_PRESSED;
            InvalidateButton(nIndex);
        }
        return;
    }
    BOOL bOwned = FALSE;
    HMENU hPopup = PopupOf(*pBtn, bOwned);
    if (hPopup == NULL) {
        // A top-level command: it is carried out like a menu's.
        pBtn->m_nStyle &= ~SEC_TBBS_PRESSED;
        InvalidateButton(nIndex);
        ExitTrackingMode();
        if (m_pMessages != nullptr)
            m_pMessages->LeaveKeyboardMode();
        if (pBtn->m_nID != 0)
            PostMessage(WM_COMMAND, MAKEWPARAM(pBtn->m_nID, 0), 0);
        return;
    }
    SetTrackingButton(nIndex);
    pBtn->m_nStyle |= SEC_TBBS_PRESSED;
    InvalidateButton(nIndex);
    UpdateWindow();

    CRect rect;
    GetButtonRect(nIndex, rect);
    ClientToScreen(&rect);
    TPMPARAMS exclude = {sizeof(exclude), rect};
    const BOOL bBeside = IsVertical();
    const UINT nFlags =
        TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | (bBeside ? TPM_HORIZONTAL : TPM_VERTICAL);
    const CPoint at = bBeside ? CPoint(rect.right, rect.top) : CPoint(rect.left, rect.bottom);

    m_hPopup = hPopup;
    m_hSelMenu = NULL;
    m_nSelFlags = 0;
    m_nNextPopup = -1;
    m_bEscaped = FALSE;
    m_bKeyboardPopup = bKeyboard;
    ::GetCursorPos(&m_ptLastMouse);
    s_pTracking = this;
    SECMenuBarMessages::SetTrackingMenu(TRUE);
    const HHOOK hHook = ::SetWindowsHookExW(WH_MSGFILTER, &SECMenuBar::MenuFilterHook, NULL,
                                            ::GetCurrentThreadId());
    m_hFilterHook = hHook;
    if (bKeyboard)
        PostMessage(WM_KEYDOWN, VK_DOWN, 0); // opened from the keys: the first item is selected
    const HWND hWnd = m_hWnd;
    ::TrackPopupMenuEx(hPopup, nFlags, at.x, at.y, hWnd, &exclude);
    // The bar may be gone: only locals until it is known to live.
    if (hHook != NULL)
        ::UnhookWindowsHookEx(hHook);
    SECMenuBarMessages::SetTrackingMenu(FALSE);
    if (bOwned)
        ::DestroyMenu(hPopup);
    if (s_pTracking == this) // compared, not used: the bar may be gone
        s_pTracking = nullptr;
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
        return;
    m_hFilterHook = NULL;
    m_hPopup = NULL;
    if (SECStdBtn* pAfter = GetButton(nIndex)) {
        pAfter->m_nStyle &= ~SEC_TBBS_PRESSED;
        InvalidateButton(nIndex);
    }
    if (m_nNextPopup >= 0) {
        PostMessage(WM_SEC_MENUPROD, static_cast<WPARAM>(m_nNextPopup), m_bKeyboardPopup);
        return;
    }
    if (m_bEscaped && m_pMessages != nullptr) {
        // Escape closes the popup only: its button stays highlighted for the keys.
        m_pMessages->EnterKeyboardMode(nIndex);
        return;
    }
    ExitTrackingMode();
    if (m_pMessages != nullptr)
        m_pMessages->LeaveKeyboardMode();
    UpdateHotButton();
}

LRESULT CALLBACK SECMenuBar::MenuFilterHook(int nCode, WPARAM wParam, LPARAM lParam) {
    SECMenuBar* pBar = s_pTracking;
    const HHOOK hHook = pBar != nullptr ? pBar->m_hFilterHook : NULL;
    const BOOL bTaken = AfxGuardWndProc(L"menu bar filter hook", FALSE, [&]() -> BOOL {
        return nCode == MSGF_MENU && pBar != nullptr && lParam != 0 &&
               pBar->FilterMenuMessage(*reinterpret_cast<const MSG*>(lParam));
    });
    if (bTaken)
        return TRUE;
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

void SECMenuBar::MoveOn(int nIndex) {
    if (nIndex < 0 || nIndex == m_nTrackBtn)
        return;
    m_nNextPopup = nIndex;
    ::EndMenu();
}

BOOL SECMenuBar::FilterTrackingMessage(const MSG& msg) {
    return FilterMenuMessage(msg);
}

BOOL SECMenuBar::FilterMenuMessage(const MSG& msg) {
    if (m_hWnd == NULL || m_hPopup == NULL)
        return FALSE;
    switch (msg.message) {
    case WM_MOUSEMOVE: {
        // The loop repeats moves of a mouse that stands still: only a real move counts.
        if (msg.pt.x == m_ptLastMouse.x && msg.pt.y == m_ptLastMouse.y)
            return FALSE;
        m_ptLastMouse = msg.pt;
        CPoint point = msg.pt;
        ScreenToClient(&point);
        const int nIndex = HitTest(point.x, point.y);
        if (nIndex < 0 || nIndex == m_nTrackBtn || !IsOpenable(GetButton(nIndex)))
            return FALSE;
        m_bKeyboardPopup = FALSE;
        MoveOn(nIndex);
        return TRUE;
    }
    case WM_LBUTTONDOWN: {
        CPoint point = msg.pt;
        ScreenToClient(&point);
        if (HitTest(point.x, point.y) != m_nTrackBtn || m_nTrackBtn < 0)
            return FALSE;
        ::EndMenu(); // a click on the open button closes its popup
        return TRUE;
    }
    case WM_KEYDOWN: {
        // Left at the popup's top level and Right on an item without a submenu go along the bar.
        const bool bTopLevel = m_hSelMenu == NULL || m_hSelMenu == m_hPopup;
        if (msg.wParam == VK_ESCAPE && bTopLevel) {
            m_bEscaped = TRUE;
            return FALSE;
        }
        if (msg.wParam != VK_LEFT && msg.wParam != VK_RIGHT)
            return FALSE;
        if (msg.wParam == VK_LEFT ? !bTopLevel : (m_nSelFlags & MF_POPUP) != 0)
            return FALSE;
        const BOOL bForward = msg.wParam == VK_RIGHT;
        int nNext = NextSelectableButton(bForward);
        if (nNext < 0)
            nNext = bForward ? FirstVisibleButton() : LastVisibleButton();
        m_bKeyboardPopup = TRUE;
        MoveOn(nNext);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL SECMenuBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_MENUSELECT) {
        m_hSelMenu = reinterpret_cast<HMENU>(lParam);
        m_nSelFlags = HIWORD(wParam) == 0xFFFF ? 0 : HIWORD(wParam);
    }
    if (IsFrameMenuMessage(message, wParam, lParam)) {
        CWnd* pOwner = GetBarOwner();
        const HWND hOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : NULL;
        if (hOwner != NULL && hOwner != m_hWnd) {
            const LRESULT result = ::SendMessageW(hOwner, message, wParam, lParam);
            if (pResult != nullptr)
                *pResult = result;
            return TRUE;
        }
    }
    return SECCustomToolBar::OnWndMsg(message, wParam, lParam, pResult);
}
