#include "framework/win/menu.h"

#include "framework/win/gdi.h"
#include "framework/win/resources.h"
#include "framework/win/wnd.h"

#include <vector>

namespace {
using MenuTraits = CHandleMemberTraits<CMenu, HMENU, &CMenu::m_hMenu>;
CHandleMap<CMenu, HMENU, MenuTraits>& MenuMap() {
    static CHandleMap<CMenu, HMENU, MenuTraits> map;
    return map;
}

// Binds a menu just made for the object. An object that already holds one refuses it, and the
// new menu is destroyed rather than leaked.
BOOL TakeNew(CMenu* pMenu, HMENU hNew) {
    if (pMenu->Attach(hNew))
        return TRUE;
    if (hNew != NULL)
        ::DestroyMenu(hNew);
    return FALSE;
}
} // namespace

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) {
    return MenuMap().FromHandle(hMenu);
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu) {
    return MenuMap().FromHandlePermanent(hMenu);
}

void PASCAL CMenu::DeleteTempMap() {
    MenuMap().DeleteTempMap();
}

BOOL CMenu::Attach(HMENU hMenu) {
    return MenuMap().Attach(*this, hMenu);
}

HMENU CMenu::Detach() {
    return MenuMap().Detach(*this);
}

BOOL CMenu::CreateMenu() {
    return TakeNew(this, ::CreateMenu());
}
BOOL CMenu::CreatePopupMenu() {
    return TakeNew(this, ::CreatePopupMenu());
}
BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
    return TakeNew(this, AfxLoadMenu(lpszResourceName));
}
BOOL CMenu::LoadMenu(UINT nIDResource) {
    return LoadMenu(MAKEINTRESOURCEW(nIDResource));
}
BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate) {
    return TakeNew(this, ::LoadMenuIndirectW(lpMenuTemplate));
}
BOOL CMenu::DestroyMenu() {
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp) {
    return ::AppendMenuW(m_hMenu, nFlags | MF_BITMAP, nIDNewItem, (LPCTSTR)pBmp->GetSafeHandle());
}
BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) {
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}
// A popup removed this way is destroyed too, so its wrapper must forget the handle.
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) {
    HMENU hSub = (nFlags & MF_BYPOSITION) ? ::GetSubMenu(m_hMenu, (int)nPosition) : NULL;
    BOOL bResult = ::DeleteMenu(m_hMenu, nPosition, nFlags);
    if (bResult && hSub != NULL)
        if (CMenu* p = MenuMap().Lookup(hSub))
            p->Detach();
    return bResult;
}
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    return (UINT)::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
    return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}
BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags) {
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}
BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos) {
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}
UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos) {
    return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
}
BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked,
                               const CBitmap* pBmpChecked) {
    return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags, (HBITMAP)pBmpUnchecked->GetSafeHandle(),
                                (HBITMAP)pBmpChecked->GetSafeHandle());
}

UINT CMenu::GetMenuItemCount() const {
    return (UINT)::GetMenuItemCount(m_hMenu);
}
UINT CMenu::GetMenuItemID(int nPos) const {
    return ::GetMenuItemID(m_hMenu, nPos);
}
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    return ::GetMenuState(m_hMenu, nID, nFlags);
}
int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
    return ::GetMenuStringW(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}
// Asks for the length first so that a long item text is never cut.
int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    rString.Empty();
    int nLen = ::GetMenuStringW(m_hMenu, nIDItem, NULL, 0, nFlags);
    if (nLen <= 0)
        return 0;
    std::vector<wchar_t> buffer((size_t)nLen + 1, L'\0');
    int nGot = ::GetMenuStringW(m_hMenu, nIDItem, buffer.data(), nLen + 1, nFlags);
    rString = CString(buffer.data(), nGot);
    return nGot;
}
BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos) {
    return ::GetMenuItemInfoW(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}
BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos) {
    return ::SetMenuItemInfoW(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}
CMenu* CMenu::GetSubMenu(int nPos) const {
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}
BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm) {
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, pWnd->GetSafeHwnd(), lptpm);
}

CMenu* AfxMenuFromHandle(HMENU hMenu) {
    return CMenu::FromHandle(hMenu);
}
