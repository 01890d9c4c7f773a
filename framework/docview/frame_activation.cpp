// A frame's activation as its floating windows share it, help requests, and the border space
// in-place tools negotiate.
#include "framework/docview/frame.h"

#include "framework/docview/miniframe.h"
#include "framework/win/wnd_state.h"
#include "framework/win/winapp.h"

#include <vector>

namespace {
struct OwnedPopupSearch {
    HWND hOwner;
    std::vector<HWND>* out;
};

BOOL CALLBACK CollectOwnedPopup(HWND h, LPARAM lp) {
    auto* search = reinterpret_cast<OwnedPopupSearch*>(lp);
    for (HWND o = ::GetWindow(h, GW_OWNER); o != NULL; o = ::GetWindow(o, GW_OWNER))
        if (o == search->hOwner) {
            search->out->push_back(h);
            break;
        }
    return TRUE;
}

// Popups owned by hWnd (also through owned popups): the floating windows of a frame.
std::vector<HWND> OwnedPopups(HWND hWnd) {
    std::vector<HWND> result;
    OwnedPopupSearch search{hWnd, &result};
    ::EnumThreadWindows(::GetWindowThreadProcessId(hWnd, NULL), CollectOwnedPopup,
                        reinterpret_cast<LPARAM>(&search));
    return result;
}
} // namespace

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
    if (m_hWnd == NULL)
        return;
    // Fetched first: a window told may go away (or make others) while being told.
    for (HWND h : OwnedPopups(m_hWnd))
        if (::IsWindow(h))
            ::SendMessageW(h, WM_FLOATSTATUS, dwFlags, 0);
}

void CFrameWnd::SyncActivation(UINT nState, CWnd* pWndOther) {
    CFrameWnd* pDecider = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pDecider == nullptr || pDecider->m_hWnd == NULL)
        return;
    HWND hActive =
        nState != WA_INACTIVE ? m_hWnd : (pWndOther != nullptr ? pWndOther->m_hWnd : NULL);
    BOOL bStay = hActive == pDecider->m_hWnd;
    if (!bStay && hActive != NULL && ::IsWindow(hActive)) {
        CWnd* pActive = CWnd::FromHandle(hActive);
        CFrameWnd* pTop = pActive != nullptr ? pActive->GetTopLevelFrame() : nullptr;
        bStay = (pTop == pDecider || ::GetWindow(hActive, GW_OWNER) == pDecider->m_hWnd) &&
                ::SendMessageW(hActive, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
    }
    pDecider->m_bStayActive = bStay;
    pDecider->NotifyFloatingWindows(bStay ? FS_ACTIVATE : FS_DEACTIVATE);
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive) {
    // A floating frame of this one is active: the caption keeps looking active.
    if (m_bStayActive)
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

void CFrameWnd::OnEnable(BOOL bEnable) {
    if (!bEnable)
        m_bStayActive = FALSE;
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
    Default();
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam) {
    DWORD_PTR dwHelp = (DWORD_PTR)lParam;
    if (dwHelp == 0 && m_nIDTracking != 0)
        dwHelp = m_nIDTracking + 0x10000; // HID_BASE_COMMAND
    if (dwHelp == 0)
        return FALSE;
    if (CWinApp* pApp = AfxGetApp()) {
        pApp->WinHelp(dwHelp, HELP_CONTEXT);
        return TRUE;
    }
    return FALSE;
}

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) {
    CRect border(0, 0, 0, 0);
    if (lpRectBorder != nullptr)
        border = *lpRectBorder;
    switch (nBorderCmd) {
    case borderGet: {
        if (lpRectBorder == nullptr)
            return FALSE;
        CRect rect;
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect);
        *lpRectBorder = rect;
        return TRUE;
    }
    case borderRequest: {
        CRect rect;
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect);
        return border.left >= 0 && border.top >= 0 && border.right >= 0 && border.bottom >= 0 &&
               border.left + border.right <= rect.Width() &&
               border.top + border.bottom <= rect.Height();
    }
    case borderSet:
        if (border != m_rectBorder) {
            m_rectBorder = border;
            RecalcLayout();
        }
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
    if (!(GetStyle() & MFS_SYNCACTIVE))
        return 0;
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE)) {
        m_bOwnerActive = (wParam & FS_ACTIVATE) != 0;
        ::SendMessageW(m_hWnd, WM_NCACTIVATE, m_bOwnerActive, 0);
    }
    if (wParam & FS_SYNCACTIVE)
        return 1;
    return 0;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive) {
    if (GetStyle() & MFS_SYNCACTIVE)
        bActive = m_bOwnerActive || ::GetActiveWindow() == m_hWnd;
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}
