// SECBmpMenuItemInfo: what a bitmap menu keeps of an item it made owner-drawn, since such an
// item has no text of its own: its command, whole text and mnemonic.
#pragma once

#include "framework/afx.h"

class SECBmpMenuItemInfo : public CObject {
    DECLARE_DYNAMIC(SECBmpMenuItemInfo)
public:
    // text is the whole item text, accelerator text after a tab included.
    SECBmpMenuItemInfo(UINT nID, const CString& text, ULONG_PTR oldItemData = 0);
    ~SECBmpMenuItemInfo() override;

    // The info a menu item's data names, or NULL when the data is not a live info: item data is
    // never taken for one on trust.
    static SECBmpMenuItemInfo* FromItemData(ULONG_PTR itemData);

    UINT m_nID; // (UINT)-1 for a separator
    CString m_strText;
    WCHAR m_cMnemonic; // upper case; 0 when the text has none
    // The data the item carried before it was converted, given back with its plain string.
    ULONG_PTR m_oldItemData;

    SECBmpMenuItemInfo(const SECBmpMenuItemInfo&) = delete;
    SECBmpMenuItemInfo& operator=(const SECBmpMenuItemInfo&) = delete;
};

// The mnemonic of a menu or button text: the character after the first single "&" ("&&" is a
// literal ampersand), upper-cased; 0 when there is none or the "&" ends the text.
WCHAR FindMenuMnemonic(LPCTSTR lpszText);
// A typed or mnemonic character in upper case, as mnemonics are compared.
WCHAR UpperMnemonic(WCHAR c);
