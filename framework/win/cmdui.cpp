#include "framework/win/cmdui.h"

#include "framework/win/cmdtarget.h"
#include "framework/win/menu.h"
#include "framework/win/wnd.h"

#include <vector>

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_nIndexMax(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pParentMenu(NULL),
      m_pOther(NULL), m_bEnableChanged(FALSE), m_bContinueRouting(FALSE) {}

void CCmdUI::Enable(BOOL bOn) {
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return; // popups are not commands
        m_pMenu->EnableMenuItem(m_nIndex,
                                MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != NULL) {
        // Disabling the focused control would leave the keyboard nowhere: move it on first.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            if (hParent != NULL)
                ::SendMessageW(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != NULL) {
        if (::SendMessageW(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessageW(m_pOther->m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn) {
    if (m_pMenu != NULL && m_pSubMenu == NULL) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        if (m_pMenu->GetMenuItemInfo(m_nIndex, &info, TRUE)) {
            info.fType |= MFT_RADIOCHECK;
            m_pMenu->SetMenuItemInfo(m_nIndex, &info, TRUE);
        }
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText) {
    if (lpszText == NULL)
        lpszText = L"";
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        // Keep the item's id and state; only the text changes.
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) &
                      (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK | MF_MENUBREAK);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    } else if (m_pOther != NULL) {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText)
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF || pTarget == NULL)
        return TRUE; // separators and unnamed items take no update
    m_bEnableChanged = FALSE;
    // A control bound to an object may keep its own state (ON_UPDATE_COMMAND_UI_REFLECT).
    if (m_pOther != NULL && m_pMenu == NULL) {
        CWnd* pControl = CWnd::FromHandlePermanent(m_pOther->m_hWnd);
        const int nReflect =
            (int)MAKELONG(LOWORD(CN_UPDATE_COMMAND_UI), WM_REFLECT_BASE + WM_COMMAND);
        if (pControl != NULL && pControl->OnCmdMsg(0, nReflect, this, NULL))
            return TRUE;
    }
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {NULL, NULL};
        if (!pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info))
            Enable(FALSE);
    }
    return bResult;
}

void AfxUpdatePopupMenu(CCmdTarget* pTarget, CMenu* pPopupMenu, BOOL bAutoMenuEnable) {
    if (pTarget == NULL || pPopupMenu == NULL || pPopupMenu->m_hMenu == NULL)
        return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = pPopupMenu->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0)
            continue; // separator
        if (state.m_nID == (UINT)-1)
            continue; // a popup is updated when it opens itself
        if (state.m_nID >= 0xFF00)
            continue; // the MDI client's window list, which the client keeps itself
        state.m_pSubMenu = NULL;
        state.DoUpdate(pTarget, bAutoMenuEnable);
        // An update handler may have removed items (the recent-file list does): step back so
        // that none is skipped; an item seen twice is merely updated twice.
        UINT nCount = pPopupMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax) {
            UINT nRemoved = state.m_nIndexMax - nCount;
            state.m_nIndex = state.m_nIndex >= nRemoved ? state.m_nIndex - nRemoved : 0;
        }
        state.m_nIndexMax = nCount;
    }
}
