// SECDockBar: the context menu that lists the frame's bars to show or hide.
#include "docking/dock_bar.h"

#include "docking/control_bar.h"
#include "docking/dialog_bar.h"
#include "docking/status_bar.h"

namespace {
// The bars a person shows and hides by name: not the status bar, the menu bar, dock bars or the
// bars that hold documents.
bool IsListed(CControlBar* pBar) {
    if (pBar->m_hWnd == NULL || pBar->IsDockBar() || pBar->GetDlgCtrlID() == AFX_IDW_STATUS_BAR)
        return false;
    return !pBar->IsKindOf(RUNTIME_CLASS(SECStatusBar)) &&
           !(SECDockBar::ToolBarTraitsOf(pBar) & SEC_BAR_MENU) &&
           !pBar->IsKindOf(RUNTIME_CLASS(SECFrameBar)) && pBar->GetWindowTextLength() > 0;
}
} // namespace

void SECDockBar::OnContextMenu(CWnd* pWnd, CPoint point) {
    CFrameWnd* pFrame = GetFrame();
    if (!s_bContextMenu || pFrame == nullptr) {
        CDockBar::OnContextMenu(pWnd, point);
        return;
    }
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == NULL)
        return;
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, NULL);
    m_mapCommands.RemoveAll();
    UINT nID = ID_SEC_DOCKBAR_MENU_FIRST;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (!IsListed(pBar))
            continue;
        if (nID > ID_SEC_DOCKBAR_MENU_LAST)
            break; // past this range the ids are the application's commands
        CString text;
        pBar->GetWindowText(text);
        const UINT nFlags = MF_STRING | (pBar->IsVisible() ? MF_CHECKED : 0);
        const bool bToolBar = (ToolBarTraitsOf(pBar) & SEC_BAR_TOOLBAR) != 0;
        if (bToolBar) {
            ::AppendMenuW(hMenu, nFlags, nID, text);
        } else {
            // Other bars go before the separator, in the frame's order.
            int nSeparator = 0;
            const int nCount = ::GetMenuItemCount(hMenu);
            while (nSeparator < nCount && ::GetMenuItemID(hMenu, nSeparator) != 0)
                ++nSeparator;
            ::InsertMenuW(hMenu, nSeparator, MF_BYPOSITION | nFlags, nID, text);
        }
        m_mapCommands.SetAt((WORD)nID, pBar);
        ++nID;
    }
    // A separator left at either end goes.
    const int nLast = ::GetMenuItemCount(hMenu) - 1;
    if (nLast >= 0 && ::GetMenuItemID(hMenu, nLast) == 0)
        ::DeleteMenu(hMenu, nLast, MF_BYPOSITION);
    if (::GetMenuItemCount(hMenu) > 0 && ::GetMenuItemID(hMenu, 0) == 0)
        ::DeleteMenu(hMenu, 0, MF_BYPOSITION);
    if (::GetMenuItemCount(hMenu) > 0)
        ::TrackPopupMenu(hMenu, TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, NULL);
    ::DestroyMenu(hMenu);
}

void SECDockBar::OnToggleBar(UINT nID) {
    void* p = nullptr;
    if (!m_mapCommands.Lookup((WORD)nID, p) || p == nullptr)
        return;
    auto* pBar = static_cast<CControlBar*>(p);
    CFrameWnd* pFrame = GetFrame();
    // The bar may have gone since the menu was made.
    if (pFrame == nullptr || pFrame->m_listControlBars.Find(pBar) == NULL)
        return;
    pFrame->ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
}
