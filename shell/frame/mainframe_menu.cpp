// Items the host adds to the main menu, each after an anchor item that its selector names.
#include "shell/frame/mainframe.h"

#include "shell/hostlink.h"
#include "toolbars/bmpmenu_string.h"

namespace {
// One counter a selector (-8 to -1): later items of a selector follow the earlier ones.
int g_insertCounters[8] = {};

CString ItemText(HMENU hMenu, int position) {
    CString text;
    if (!GetBmpMenuString(hMenu, static_cast<UINT>(position), text, MF_BYPOSITION))
        return CString();
    text.TrimRight(L' ');
    return text;
}

CString WithoutAmpersands(CString text) {
    text.Remove(L'&');
    return text;
}

// The item's position: the exact text first, else the text with '&' ignored; -1 when none.
int FindAnchor(HMENU hMenu, const wchar_t* text) {
    const int count = hMenu ? ::GetMenuItemCount(hMenu) : -1;
    for (int i = 0; i < count; ++i)
        if (ItemText(hMenu, i) == text)
            return i;
    const CString loose = WithoutAmpersands(text);
    for (int i = 0; i < count; ++i) {
        CString item = ItemText(hMenu, i);
        if (!item.IsEmpty() && WithoutAmpersands(item) == loose)
            return i;
    }
    return -1;
}

HMENU FindPopup(HMENU hMenu, const wchar_t* text) {
    const int position = FindAnchor(hMenu, text);
    return position >= 0 ? ::GetSubMenu(hMenu, position) : NULL;
}

struct Anchor {
    HMENU menu = NULL; // null: a menu on the path is missing
    int position = -1;
};

Anchor ItemAnchor(HMENU hBar, const wchar_t* menu, const wchar_t* item) {
    Anchor anchor;
    anchor.menu = FindPopup(hBar, menu);
    if (anchor.menu != NULL)
        anchor.position = FindAnchor(anchor.menu, item);
    return anchor;
}

bool ExtensionMode() {
    return HostVersionAtLeast(3, 3) && HostTable()->IsExtensionMode() != 0;
}

Anchor ChooseAnchor(HMENU hBar, int selector, bool setA) {
    Anchor anchor;
    switch (selector) {
    case -8:
        anchor.menu = hBar;
        if (setA) {
            anchor.position = FindAnchor(hBar, L"&Window");
        } else {
            const int options = FindAnchor(hBar, L"&Options");
            anchor.position = options >= 0 ? options + 1 : -1;
        }
        return anchor;
    case -7: {
        anchor.menu = FindPopup(hBar, L"&Help");
        if (anchor.menu == NULL)
            return anchor;
        for (const wchar_t* item : {L"Using &Help", L"Target Help", L"&Documentation"}) {
            anchor.position = FindAnchor(anchor.menu, item);
            if (anchor.position >= 0)
                return anchor;
        }
        const int about = FindAnchor(anchor.menu, L"About");
        anchor.position = about >= 1 ? about - 2 : -1;
        if (anchor.position < -1)
            anchor.position = -1;
        return anchor;
    }
    case -6: {
        HMENU debug = FindPopup(hBar, L"&Debug");
        HMENU data = debug ? FindPopup(debug, L"&Data") : NULL;
        anchor.menu = data;
        if (data != NULL)
            anchor.position = FindAnchor(data, L"&Block Compare ...");
        return anchor;
    }
    case -5:
        return ItemAnchor(hBar, L"&Run", L"St&op");
    case -4:
        if (setA)
            return ItemAnchor(hBar, L"D&isplay", L"&TSS");
        return ItemAnchor(hBar, L"D&isplay",
                          ExtensionMode() ? L"&Evaluations" : L"&Local Variables");
    case -3:
        return ItemAnchor(hBar, L"&File", L"Reset Configuration");
    case -2:
        return ItemAnchor(hBar, L"&File", L"P&rint Setup ...");
    case -1:
        return ItemAnchor(hBar, L"&File", L"Close Log&file");
    default:
        return anchor;
    }
}
} // namespace

int CMainFrame::InsertGuiMenuItem(LPCTSTR lpszText, UINT_PTR nID, int nSelector, UINT nFlags) {
    CMenu* pBar = GetMenu();
    if (pBar == nullptr || nSelector < -8 || nSelector > -1)
        return 0;
    const bool popup = (nFlags & 0x4) != 0;
    if (popup ? !::IsMenu(reinterpret_cast<HMENU>(nID)) : nID > 0xFFFF)
        return 0;
    const bool setA = HostTable() && HostTable()->QueryMenuInsert() != 0;
    Anchor anchor = ChooseAnchor(pBar->GetSafeHmenu(), nSelector, setA);
    if (anchor.menu == NULL)
        return 0;
    int& counter = g_insertCounters[nSelector + 8];
    const int position = anchor.position + counter + 1;
    ++counter;
    UINT insertFlags = MF_BYPOSITION | MF_STRING | (popup ? MF_POPUP : 0);
    if (!::InsertMenuW(anchor.menu, static_cast<UINT>(position), insertFlags, nID,
                       lpszText ? lpszText : L""))
        return 0;
    const UINT check = nFlags & 3;
    // The inserted item is the one at the position, or the last when the position was beyond.
    const int count = ::GetMenuItemCount(anchor.menu);
    const UINT at = static_cast<UINT>(position < count ? position : count - 1);
    if (nFlags == 0 || check == 2)
        ::CheckMenuItem(anchor.menu, at, MF_BYPOSITION | MF_UNCHECKED);
    else if (check == 3)
        ::CheckMenuItem(anchor.menu, at, MF_BYPOSITION | MF_CHECKED);
    if (nFlags & 0x10)
        ::EnableMenuItem(anchor.menu, at, MF_BYPOSITION | MF_GRAYED);
    DrawMenuBar();
    return 1;
}

namespace {
// The last item of the menu (no popup entered) whose text is exactly text, case and trailing
// blanks counting; -1 when none. The whole text is read, so a long item never matches a text
// that is only its beginning.
int FindLastItemByExactText(HMENU hMenu, LPCTSTR lpszText) {
    if (hMenu == NULL || lpszText == nullptr || !::IsMenu(hMenu))
        return -1;
    for (int i = ::GetMenuItemCount(hMenu) - 1; i >= 0; --i) {
        CString text;
        if (GetBmpMenuString(hMenu, static_cast<UINT>(i), text, MF_BYPOSITION) && text == lpszText)
            return i;
    }
    return -1;
}
} // namespace

BOOL CMainFrame::RemoveMenuItemByText(HMENU hMenu, LPCTSTR lpszText) {
    const int position = FindLastItemByExactText(hMenu, lpszText);
    return position >= 0 && ::RemoveMenu(hMenu, static_cast<UINT>(position), MF_BYPOSITION);
}

BOOL CMainFrame::EnableMenuItemByText(HMENU hMenu, LPCTSTR lpszText, BOOL bEnable) {
    const int position = FindLastItemByExactText(hMenu, lpszText);
    if (position < 0)
        return FALSE;
    ::EnableMenuItem(hMenu, static_cast<UINT>(position),
                     MF_BYPOSITION | (bEnable ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
    return TRUE;
}
