#include "toolbars/bmpmenu_string.h"

#include "toolbars/bmpmenu_item.h"

#include <algorithm>
#include <vector>

BOOL GetBmpMenuString(HMENU hMenu, UINT nItem, CString& text, UINT nFlags) {
    text.Empty();
    const BOOL bByPosition = (nFlags & MF_BYPOSITION) != 0;
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    if (hMenu == NULL || !::GetMenuItemInfoW(hMenu, nItem, bByPosition, &mii))
        return FALSE;
    if (mii.fType & MFT_OWNERDRAW) {
        const SECBmpMenuItemInfo* pInfo = SECBmpMenuItemInfo::FromItemData(mii.dwItemData);
        if (pInfo == NULL)
            return FALSE;
        text = pInfo->m_strText;
        return !text.IsEmpty();
    }
    if (mii.fType & (MFT_BITMAP | MFT_SEPARATOR))
        return FALSE;
    // The length first, then the whole text.
    std::vector<wchar_t> buffer(mii.cch + 1, L'\0');
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = buffer.data();
    mii.cch = static_cast<UINT>(buffer.size());
    if (mii.cch > 1 && !::GetMenuItemInfoW(hMenu, nItem, bByPosition, &mii))
        return FALSE;
    text = buffer.data();
    return TRUE;
}

BOOL GetBmpMenuString(HMENU hMenu, UINT nItem, LPTSTR lpszBuffer, int nMaxCount, UINT nFlags) {
    if (lpszBuffer == NULL || nMaxCount <= 0)
        return FALSE;
    lpszBuffer[0] = L'\0';
    CString text;
    if (!GetBmpMenuString(hMenu, nItem, text, nFlags))
        return FALSE;
    const int nCopy = std::min(text.GetLength(), nMaxCount - 1);
    std::copy_n(text.GetString(), nCopy, lpszBuffer);
    lpszBuffer[nCopy] = L'\0';
    return TRUE;
}
