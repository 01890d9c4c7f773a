// CCmdUI: the state of one user-interface item (menu item, button, pane) asked to update itself
// for the command it stands for.
#pragma once

#include <windows.h>

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate (buttons only).
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // Lets the update request go on to the next target in the route.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget to update this item; with bDisableIfNoHndler an item whose command has no
    // handler anywhere on the route is disabled. TRUE when an update handler answered.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID;
    UINT m_nIndex;     // position of the item in its menu or bar
    UINT m_nIndexMax;  // number of items in the menu or bar
    CMenu* m_pMenu;    // the menu holding the item, or NULL
    CMenu* m_pSubMenu; // the popup the item opens, or NULL
    CMenu* m_pParentMenu;
    CWnd* m_pOther; // the window (button, bar) holding the item, or NULL
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
};

// Updates every item of a popup menu that is about to open: each command item through
// pTarget's update handlers; with bAutoMenuEnable items without any handler are disabled.
// Separators and sub-popups are left alone.
void AfxUpdatePopupMenu(CCmdTarget* pTarget, CMenu* pPopupMenu, BOOL bAutoMenuEnable);
