#include "toolbars/bmpmenu_item.h"

#include <unordered_set>

IMPLEMENT_DYNAMIC(SECBmpMenuItemInfo, CObject)

namespace {
// Every info alive in the process, so that item data can be recognised without a cast.
std::unordered_set<const SECBmpMenuItemInfo*>& LiveInfos() {
    static std::unordered_set<const SECBmpMenuItemInfo*> infos;
    return infos;
}
} // namespace

SECBmpMenuItemInfo::SECBmpMenuItemInfo(UINT nID, const CString& text, ULONG_PTR oldItemData)
    : m_nID(nID), m_strText(text), m_cMnemonic(FindMenuMnemonic(text)), m_oldItemData(oldItemData) {
    LiveInfos().insert(this);
}

SECBmpMenuItemInfo::~SECBmpMenuItemInfo() {
    LiveInfos().erase(this);
}

SECBmpMenuItemInfo* SECBmpMenuItemInfo::FromItemData(ULONG_PTR itemData) {
    auto* pInfo = reinterpret_cast<SECBmpMenuItemInfo*>(itemData);
    return itemData != 0 && LiveInfos().count(pInfo) != 0 ? pInfo : NULL;
}

WCHAR FindMenuMnemonic(LPCTSTR lpszText) {
    if (lpszText == NULL)
        return 0;
    for (const wchar_t* p = lpszText; *p != 0; ++p) {
        if (*p != L'&')
            continue;
        if (p[1] == L'&') {
            ++p; // a literal ampersand
            continue;
        }
        if (p[1] == 0)
            return 0;
        return UpperMnemonic(p[1]);
    }
    return 0;
}

WCHAR UpperMnemonic(WCHAR c) {
    // CharUpper takes a single character in the low word of its pointer argument.
    return static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(
        ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
}
