// Key texts behind the menu items of the commands that have shortcuts.
#include "toolbars/bmpmenu_item.h"
#include "toolbars/bmpmenu_string.h"
#include "toolbars/shortcut_table.h"

namespace {

const CString& AltPrefix() {
    static const CString prefix = [] {
        CString text;
        if (!text.LoadString(SECShortcutTable::idsAltPrefix) || text.IsEmpty())
            text = L"Alt + ";
        return text;
    }();
    return prefix;
}

} // namespace

CString SECShortcutTable::KeyText(const ACCEL& accel) {
    CString text;
    if ((accel.fVirt & FVIRTKEY) != 0) {
        WORD wHotKey = 0;
        AccelToHotKey(accel, wHotKey);
        HotKeyToText(wHotKey, text);
        return text;
    }
    if ((accel.fVirt & FALT) != 0)
        text = AltPrefix();
    if (accel.key == 0)
        return CString();
    // A control character ("^O" in a resource script) is shown as its key with Ctrl.
    if (accel.key < 0x20)
        text += GetKeyName(VK_CONTROL, FALSE) + L"+" + CString((wchar_t)(accel.key + 0x40), 1);
    else
        text += (wchar_t)accel.key;
    return text;
}

void SECShortcutTable::FormatMenuText(CString& strText, const CString& strKeyText, BOOL bTopLevel) {
    const int nTab = strText.Find(L'\t');
    if (nTab >= 0)
        strText = strText.Left(nTab);
    if (!strKeyText.IsEmpty() && !bTopLevel)
        strText += L"\t" + strKeyText;
}

BOOL SECShortcutTable::UpdateMenus() {
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame != NULL && pFrame->GetDefaultMenu() != NULL)
        RewriteMenu(pFrame->GetDefaultMenu(), TRUE);
    if (CWinApp* pApp = AfxGetApp()) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
            auto* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
            if (pTemplate != NULL && pTemplate->m_hMenuShared != NULL)
                RewriteMenu(pTemplate->m_hMenuShared, TRUE);
        }
    }
    return TRUE;
}

void SECShortcutTable::RewriteMenu(HMENU hMenu, BOOL bTopLevel) {
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos) {
        CString text;
        if (!GetBmpMenuString(hMenu, (UINT)nPos, text, MF_BYPOSITION))
            continue;
        if (HMENU hSub = ::GetSubMenu(hMenu, nPos)) {
            RewriteMenu(hSub, FALSE);
            continue;
        }
        const UINT nID = ::GetMenuItemID(hMenu, nPos);
        if (nID == 0 || nID == (UINT)-1)
            continue;
        CString keyText;
        for (INT_PTR i = 0; i < GetSize(); ++i) {
            if (GetAt(i).cmd == (WORD)nID) {
                keyText = KeyText(GetAt(i));
                break;
            }
        }
        FormatMenuText(text, keyText, bTopLevel);
        RewriteItem(hMenu, (UINT)nPos, text);
    }
}

// By position, so that a command listed twice gets its text in both places, and a bitmap-menu
// item keeps its face: its kept text changes instead.
void SECShortcutTable::RewriteItem(HMENU hMenu, UINT nPos, const CString& strText) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!::GetMenuItemInfoW(hMenu, nPos, TRUE, &info))
        return;
    if ((info.fType & MFT_OWNERDRAW) != 0) {
        if (SECBmpMenuItemInfo* pItem = SECBmpMenuItemInfo::FromItemData(info.dwItemData))
            pItem->m_strText = strText;
        return;
    }
    MENUITEMINFOW text = {};
    text.cbSize = sizeof text;
    text.fMask = MIIM_STRING;
    text.dwTypeData = const_cast<LPWSTR>((LPCWSTR)strText);
    ::SetMenuItemInfoW(hMenu, nPos, TRUE, &text);
}
