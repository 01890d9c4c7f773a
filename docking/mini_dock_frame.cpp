#include "docking/mini_dock_frame.h"

#include "docking/dock_bar.h"

IMPLEMENT_DYNCREATE(SECMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(SECMiniDockFrameWnd, CMiniDockFrameWnd)
ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

CDockBar* SECMiniDockFrameWnd::NewDockBar() {
    return new SECDockBar(TRUE);
}

BOOL SECMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
    if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
        return FALSE;
    // A floating bar is moved or hidden, never sized or iconised from the system menu.
    if (HMENU hMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        for (UINT nCmd : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
            ::DeleteMenu(hMenu, nCmd, MF_BYCOMMAND);
        CString text;
        if (text.LoadString(IDS_SEC_HIDE_MENU))
            ::ModifyMenuW(hMenu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, text);
    }
    return TRUE;
}

void SECMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
    if (m_bInRecalcLayout)
        return;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    CMiniDockFrameWnd::RecalcLayout(bNotify);
    // The frame stays reachable: its top never goes above the screen.
    CRect rect;
    GetWindowRect(&rect);
    if (rect.top < 0)
        SetWindowPos(NULL, rect.left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SECMiniDockFrameWnd::OnParentNotify(UINT message, LPARAM lParam) {
    if (LOWORD(message) == WM_LBUTTONDOWN || LOWORD(message) == WM_MBUTTONDOWN)
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    CMiniDockFrameWnd::OnParentNotify(message, lParam);
}
