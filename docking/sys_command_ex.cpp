#include "docking/sys_command_ex.h"

#include "docking/dock_bar.h"
#include "framework/core/cstring.h"
#include "framework/docview/frameids.h"

UINT Corvalis::WM_SYSCOMMANDEX() {
    static const UINT s_nMessage = ::RegisterWindowMessageW(L"Corvalis::WM_SYSCOMMANDEX");
    return s_nMessage;
}

namespace nsSysCommandEx {

int GetCategory(int nState) {
    if (nState >= stateMDIChild && nState <= stateMDIChildRestored)
        return stateMDIChild;
    if (nState >= stateDocked && nState <= stateDockedBottom)
        return stateDocked;
    return nState == stateFloating ? stateFloating : stateNone;
}

int GetToggleTarget(int nState) {
    return GetCategory(nState) == stateMDIChild ? stateDocked : stateMDIChild;
}

int StateForDockSide(int nSide) {
    switch (nSide) {
    case 0:
        return stateDockedTop;
    case 1:
        return stateDockedLeft;
    case 2:
        return stateDockedBottom;
    case 3:
        return stateDockedRight;
    case 4:
        return stateFloating;
    default:
        return stateNone;
    }
}

UINT DockBarForState(int nState) {
    switch (nState) {
    case stateDockedLeft:
        return AFX_IDW_DOCKBAR_LEFT;
    case stateDockedTop:
        return AFX_IDW_DOCKBAR_TOP;
    case stateDockedRight:
        return AFX_IDW_DOCKBAR_RIGHT;
    case stateDockedBottom:
        return AFX_IDW_DOCKBAR_BOTTOM;
    default:
        return 0;
    }
}

void CaptionButtonRecord(DWORD dwOptions, CDWordArray& record) {
    const BOOL bOn = (dwOptions & 0x1) != 0;
    const BOOL bButton = bOn && (dwOptions & 0x2) == 0;
    record.RemoveAll();
    record.Add(bOn);
    record.Add(bButton);
    record.Add(bButton);
    record.Add(bOn && (dwOptions & 0x4) == 0);
    record.Add(bOn && (dwOptions & 0x8) == 0);
}

namespace {

// The texts the library's resources hold; the English ones stand in for a resource that is
// missing.
CString Text(UINT nID, LPCWSTR lpszFallback) {
    CString str;
    if (!str.LoadString(nID) || str.IsEmpty())
        str = lpszFallback;
    return str;
}

void Append(HMENU hMenu, int nID, UINT nString, LPCWSTR lpszFallback, bool bChecked) {
    ::AppendMenuW(hMenu, MF_STRING | (bChecked ? MF_CHECKED : MF_UNCHECKED), (UINT_PTR)nID,
                  Text(nString, lpszFallback));
}

} // namespace

HMENU BuildDockingMenu(int nCurrent) {
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == NULL)
        return NULL;
    const int nCategory = GetCategory(nCurrent);
    Append(hMenu, stateDocked, 21009, L"&Docked", nCategory == stateDocked);
    Append(hMenu, stateFloating, 21076, L"&Floating", nCategory == stateFloating);
    Append(hMenu, stateMDIChild, 21077, L"&MDI Child", nCategory == stateMDIChild);
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, NULL);

    HMENU hDocked = ::CreatePopupMenu();
    HMENU hChild = ::CreatePopupMenu();
    if (hDocked == NULL || hChild == NULL) {
        if (hDocked != NULL)
            ::DestroyMenu(hDocked);
        if (hChild != NULL)
            ::DestroyMenu(hChild);
        ::DestroyMenu(hMenu);
        return NULL;
    }
    Append(hDocked, stateDockedTop, 21078, L"&Top", nCurrent == stateDockedTop);
    Append(hDocked, stateDockedLeft, 21079, L"&Left", nCurrent == stateDockedLeft);
    Append(hDocked, stateDockedBottom, 21080, L"&Bottom", nCurrent == stateDockedBottom);
    Append(hDocked, stateDockedRight, 21081, L"&Right", nCurrent == stateDockedRight);
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hDocked, Text(21082, L"D&ocked to"));
    Append(hChild, stateMDIChildMinimized, 21083, L"Mi&nimized",
           nCurrent == stateMDIChildMinimized);
    Append(hChild, stateMDIChildMaximized, 21084, L"Ma&ximized",
           nCurrent == stateMDIChildMaximized);
    Append(hChild, stateMDIChildRestored, 21085, L"&Restored", nCurrent == stateMDIChildRestored);
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hChild, Text(21086, L"MD&I Child as"));
    return hMenu;
}

} // namespace nsSysCommandEx
