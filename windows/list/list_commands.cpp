// The list window's context and column menus, their commands, and copying to the clipboard.
#include "windows/list/list_tree.h"

#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/list/list_window.h"

#include <memory>

namespace {
// Deeper host tables, or cyclic ones, are cut here; so is a table without its end.
constexpr int kMaxMenuDepth = 8;
constexpr int kMaxMenuEntries = 256;

CString WideOf(const char* text) {
    return CString(text != nullptr ? text : "");
}

bool EntryGrey(uint32_t flags, uint32_t context) {
    return (flags & ListMenuFlag::alwaysGrey) ||
           ((flags & ListMenuFlag::greyIfContext1) && (context & 1)) ||
           ((flags & ListMenuFlag::greyIfContext16) && (context & 16)) ||
           ((flags & ListMenuFlag::greyIfContext32) && (context & 32)) ||
           ((flags & ListMenuFlag::greyIfContext64) && (context & 64)) ||
           ((flags & ListMenuFlag::greyIfContext400) && (context & 0x400));
}

struct MenuBuild {
    CListTree* tree;
    ListAdjustMenuFn adjust;
    void* data;
    int window;
    uint32_t context;
};

// Appends the host's entries; the number appended.
int AppendHostEntries(HMENU hMenu, const ListMenuEntry* table, const MenuBuild& b, int nDepth) {
    int nAdded = 0;
    for (int i = 0; table != nullptr && i < kMaxMenuEntries && table[i].text != nullptr; ++i) {
        ListMenuEntry entry = table[i];
        if ((entry.flags & ListMenuFlag::adjust) && b.adjust != nullptr) {
            CListCallScope scope(b.tree);
            b.adjust(&entry, b.data, b.window);
            if (entry.text == nullptr)
                continue;
        }
        if (entry.flags & ListMenuFlag::leaveOut)
            continue;
        if (entry.flags & ListMenuFlag::separator) {
            ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
            ++nAdded;
            continue;
        }
        const CString text = WideOf(entry.text);
        if (entry.flags & ListMenuFlag::popup) {
            if (nDepth + 1 >= kMaxMenuDepth)
                continue;
            HMENU hPopup = ::CreatePopupMenu();
            AppendHostEntries(hPopup, reinterpret_cast<const ListMenuEntry*>(entry.command), b,
                              nDepth + 1);
            UINT nFlags = MF_POPUP | MF_STRING;
            if ((entry.flags & ListMenuFlag::greyIfContext1) && (b.context & 1))
                nFlags |= MF_GRAYED;
            ::AppendMenuW(hMenu, nFlags, reinterpret_cast<UINT_PTR>(hPopup), text);
            ++nAdded;
            continue;
        }
        UINT nFlags = MF_STRING;
        if (EntryGrey(entry.flags, b.context))
            nFlags |= MF_GRAYED;
        if (entry.flags & ListMenuFlag::checked)
            nFlags |= MF_CHECKED;
        const UINT nID = (UINT)(entry.command & 0xFFFF);
        ::AppendMenuW(hMenu, nFlags, nID, text);
        if (entry.flags & ListMenuFlag::defaultEntry)
            ::SetMenuDefaultItem(hMenu, nID, FALSE);
        ++nAdded;
    }
    return nAdded;
}
} // namespace

HMENU CListTree::BuildContextMenu(CListItem* pItem) {
    HMENU hMenu = ::CreatePopupMenu();
    if (m_pWindow == nullptr)
        return hMenu;
    MenuBuild b{this,
                reinterpret_cast<ListAdjustMenuFn>(m_pWindow->Callback(ListCallback::adjustMenu)),
                pItem ? pItem->Data() : nullptr, (int)m_pWindow->Id(),
                pItem ? pItem->m_flags : kListNoItemContext};
    if (AppendHostEntries(hMenu, m_pWindow->Menu(), b, 0) > 0)
        ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hMenu, MF_STRING, ListNotice::copy, L"&Copy");
    ::AppendMenuW(hMenu, MF_STRING, ListNotice::copyAll, L"Copy &All");
    ::AppendMenuW(hMenu, MF_STRING, ListNotice::selectAll, L"&Select All");
    return hMenu;
}

HMENU CListTree::BuildColumnMenu() {
    if (m_pWindow == nullptr)
        return NULL;
    HMENU hMenu = NULL;
    const int nLast = ListNotice::lastColumnCommand - ListNotice::firstColumnCommand;
    for (int i = 0; i < m_pWindow->ColumnCount() && i <= nLast; ++i) {
        const uint32_t flags = m_pWindow->ColumnFlags(i);
        if (!(flags & ListColumnFlag::inMenu))
            continue;
        if (hMenu == NULL)
            hMenu = ::CreatePopupMenu();
        ::AppendMenuW(hMenu, MF_STRING | ((flags & ListColumnFlag::hidden) ? 0 : MF_CHECKED),
                      ListNotice::firstColumnCommand + i, m_pWindow->ColumnTitle(i));
    }
    return hMenu;
}

void CListTree::Activate(CListItem* pItem, int nRow) {
    if (m_pWindow == nullptr)
        return;
    // The table's default entry, looked for as far as a menu is built from it.
    int nCommand = ListNotice::activated;
    const ListMenuEntry* table = m_pWindow->Menu();
    for (int i = 0; table != nullptr && i < kMaxMenuEntries && table[i].text != nullptr; ++i)
        if (table[i].flags & ListMenuFlag::defaultEntry) {
            nCommand = (int)table[i].command;
            break;
        }
    Notify(pItem, nCommand, nRow);
}

UINT CListTree::TrackMenu(HMENU hMenu, CPoint ptScreen) {
    // The command comes back from the tracking itself: a posted one would arrive after the
    // selection was cleared and act on another item.
    return (UINT)::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                  ptScreen.x, ptScreen.y, 0, m_hWnd, nullptr);
}

void CListTree::OnContextMenu(CWnd*, CPoint pos) {
    if (pos.x == -1 && pos.y == -1) {
        // From the keyboard: at the selected row, else the top left corner.
        CRect rc(0, 0, 0, 0);
        if (HTREEITEM hItem = GetSelectedItem())
            GetItemRect(hItem, &rc, TRUE);
        pos = CPoint(rc.left + 4, rc.bottom);
        ClientToScreen(&pos);
    } else {
        ::GetCursorPos(&pos);
    }
    OpenContextMenu(pos);
}

void CListTree::OpenContextMenu(CPoint ptScreen) {
    if (m_pWindow == nullptr || GetSafeHwnd() == NULL)
        return;
    const auto token = LifeToken();
    if (CMainFrame* pMain = MainFrame())
        if (CWnd* pChild = pMain->MDIGetActive())
            ::SetWindowPos(pChild->m_hWnd, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CPoint pt = ptScreen;
    ScreenToClient(&pt);
    UINT nListHit = 0;
    int nCol = -1;
    SECListBaseC::HitTest(pt.x, pt.y, &nListHit, &nCol);
    if (nListHit & SECLVHT_ONHEADER) {
        ColumnMenuAt(ptScreen);
        return;
    }
    HTREEITEM hItem = ItemAtPoint(pt, nullptr, nullptr);
    CListItem* pItem = hItem ? reinterpret_cast<CListItem*>(GetItemData(hItem)) : nullptr;
    if (hItem != NULL) {
        SelectItem(hItem);
        if (token.expired() || m_pWindow == nullptr || !m_pWindow->Owns(pItem))
            return;
    }
    const int nRow = pItem ? RowOfItem(pItem) : 0;
    const CString copy = pItem ? pItem->CopyText() + L"\n" : CString();
    HMENU hMenu = BuildContextMenu(pItem);
    UINT nCommand = 0;
    if (!token.expired() && GetSafeHwnd() != NULL)
        nCommand = TrackMenu(hMenu, ptScreen);
    ::DestroyMenu(hMenu);
    if (token.expired() || GetSafeHwnd() == NULL || m_pWindow == nullptr)
        return;
    DeselectAllExcept(-1);
    if (GetItemCount() > 0)
        SetFocusIndex(0);
    Invalidate();
    UpdateWindow();
    if (nCommand == 0)
        return;
    if (pItem != nullptr && !m_pWindow->Owns(pItem))
        pItem = nullptr;
    if (nCommand == (UINT)ListNotice::copy) {
        // The items the menu was opened for: the selection is gone by now.
        PutOnClipboard(copy);
        return;
    }
    if (nCommand == (UINT)ListNotice::copyAll || nCommand == (UINT)ListNotice::selectAll ||
        (nCommand >= (UINT)ListNotice::firstColumnCommand &&
         nCommand <= (UINT)ListNotice::lastColumnCommand)) {
        RunCommand(nCommand, pItem);
        return;
    }
    Notify(pItem, (int)nCommand, pItem ? nRow : 0);
}

void CListTree::ColumnMenuAt(CPoint ptScreen) {
    HMENU hMenu = BuildColumnMenu();
    if (hMenu == NULL)
        return;
    const auto token = LifeToken();
    const UINT nCommand = TrackMenu(hMenu, ptScreen);
    ::DestroyMenu(hMenu);
    if (!token.expired() && nCommand != 0)
        RunCommand(nCommand, nullptr);
}

BOOL CListTree::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0 || HIWORD(wParam) != 0)
        return XSECTreeCtrl::OnCommand(wParam, lParam);
    RunCommand(LOWORD(wParam), SelectedListItem());
    return TRUE;
}

void CListTree::RunCommand(UINT nID, CListItem* pItem) {
    if (m_pWindow == nullptr)
        return;
    switch (nID) {
    case ListNotice::copy:
        PutOnClipboard(CopyText(FALSE));
        return;
    case ListNotice::copyAll:
        PutOnClipboard(CopyText(TRUE));
        return;
    case ListNotice::selectAll:
        if (GetItemCount() > 0)
            SelectRange(0, GetItemCount() - 1, TRUE);
        Invalidate(FALSE);
        return;
    default:
        break;
    }
    if (nID >= (UINT)ListNotice::firstColumnCommand && nID <= (UINT)ListNotice::lastColumnCommand) {
        ToggleColumn((int)nID - ListNotice::firstColumnCommand);
        return;
    }
    Notify(pItem, (int)nID, pItem ? RowOfItem(pItem) : 0);
}

// ---- Copying.

CString CListTree::CopyText(BOOL bAll) {
    CString text;
    if (bAll) {
        AppendCopyLines(TVI_ROOT, text);
        return text;
    }
    for (HTREEITEM h = GetFirstSelectedItem(); h != NULL; h = GetNextSelectedItem(h))
        if (auto* pItem = reinterpret_cast<CListItem*>(GetItemData(h))) {
            text += pItem->CopyText();
            text += L'\n';
        }
    return text;
}

void CListTree::AppendCopyLines(HTREEITEM hTop, CString& text) {
    // Depth first without recursion: a host's chain of children may be deep.
    HTREEITEM h = GetChildItem(hTop == TVI_ROOT ? NULL : hTop);
    while (h != NULL) {
        if (auto* pItem = reinterpret_cast<CListItem*>(GetItemData(h))) {
            text += pItem->CopyText();
            text += L'\n';
        }
        if (HTREEITEM hChild = GetChildItem(h)) {
            h = hChild;
            continue;
        }
        while (h != NULL && GetNextSiblingItem(h) == NULL)
            h = GetParentItem(h);
        if (h != NULL)
            h = GetNextSiblingItem(h);
    }
}

BOOL CListTree::PutOnClipboard(const CString& text) {
    if (GetSafeHwnd() == NULL || !::OpenClipboard(m_hWnd))
        return FALSE;
    ::EmptyClipboard();
    const size_t cb = (size_t)(text.GetLength() + 1) * sizeof(wchar_t);
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, cb);
    BOOL bDone = FALSE;
    if (hMem != NULL) {
        if (void* p = ::GlobalLock(hMem)) {
            memcpy(p, (LPCWSTR)text, cb);
            ::GlobalUnlock(hMem);
            bDone = ::SetClipboardData(CF_UNICODETEXT, hMem) != NULL;
        }
        if (!bDone)
            ::GlobalFree(hMem);
    }
    ::CloseClipboard();
    return bDone;
}
