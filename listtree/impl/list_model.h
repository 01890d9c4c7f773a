// The list's rows, cells and their stored indices: construction, items, state, deletion.
#pragma once

#include "listtree/list_base.h"
#include "listtree/list_shared.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <vector>

template <class TBase> SECListImpl<TBase>::SECListImpl() {
    m_pszBuffer.reset(new wchar_t[SECLIST_TEXT_MAX]);
    m_pszBuffer[0] = 0;
    m_rgbBk = ::GetSysColor(COLOR_WINDOW);
    m_rgbText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_rgbTextBk = ::GetSysColor(COLOR_WINDOW);
    m_rgbSelText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_rgbSelTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
    m_rgbDisabledText = ::GetSysColor(COLOR_GRAYTEXT);
    m_rgbAltBk = ::GetSysColor(COLOR_WINDOW);
    m_rgbSelAltBk = ::GetSysColor(COLOR_WINDOW);
    m_rgbTipBk = ::GetSysColor(COLOR_INFOBK);
    m_rgbTipText = ::GetSysColor(COLOR_INFOTEXT);
    SECListShared();
    m_pTip.reset(new SECListTip(this));
    m_pEdit.reset(new SECListEdit(this));
}

template <class TBase> SECListImpl<TBase>::~SECListImpl() {
    m_spLife.reset();
    if (m_pTip && m_pTip->GetSafeHwnd() != NULL)
        m_pTip->DestroyWindow();
    if (m_pEdit && m_pEdit->GetSafeHwnd() != NULL)
        m_pEdit->DestroyWindow();
    for (INT_PTR i = 0; i < m_arItems.GetSize(); ++i)
        delete static_cast<SECListItem*>(m_arItems[i]);
    m_arItems.RemoveAll();
    for (INT_PTR i = 0; i < m_arColumns.GetSize(); ++i)
        delete static_cast<SECListColumn*>(m_arColumns[i]);
    m_arColumns.RemoveAll();
    for (INT_PTR i = 0; i < m_arRetiredImageLists.GetSize(); ++i)
        delete static_cast<CImageList*>(m_arRetiredImageLists[i]);
    if (!(m_dwListStyle & LVS_SHAREIMAGELISTS))
        for (CImageList*& pList : m_pImageLists) {
            delete pList;
            pList = NULL;
        }
    for (CScrollBar* pBar : m_pScrollBars)
        delete pBar;
}

// ---- Small helpers.

template <class TBase> SECListItem* SECListImpl<TBase>::GetItemAt(int nRow) const {
    return IsValidRow(nRow) ? static_cast<SECListItem*>(m_arItems[nRow]) : NULL;
}

template <class TBase> int SECListImpl<TBase>::IndexOfItem(const SECListItem* pItem) const {
    if (pItem == NULL)
        return -1;
    for (INT_PTR i = 0; i < m_arItems.GetSize(); ++i)
        if (m_arItems[i] == pItem)
            return (int)i;
    return -1;
}

template <class TBase> int SECListImpl<TBase>::MainColumn() const {
    for (INT_PTR i = 0; i < m_arColumns.GetSize(); ++i)
        if (static_cast<SECListColumn*>(m_arColumns[i])->iSubItem == 0)
            return (int)i;
    return -1;
}

template <class TBase> int SECListImpl<TBase>::LastMainColumn() const {
    for (INT_PTR i = m_arColumns.GetSize() - 1; i >= 0; --i)
        if (static_cast<SECListColumn*>(m_arColumns[i])->iSubItem == 0)
            return (int)i;
    return -1;
}

template <class TBase> BOOL SECListImpl<TBase>::IsSelected(int nRow) const {
    const DWORD* pBegin = m_arSelected.GetData();
    const DWORD* pEnd = pBegin + m_arSelected.GetSize();
    return nRow >= 0 && std::binary_search(pBegin, pEnd, (DWORD)nRow);
}

template <class TBase> BOOL SECListImpl<TBase>::SelectedInsert(int nRow) {
    const DWORD* pBegin = m_arSelected.GetData();
    const DWORD* pEnd = pBegin + m_arSelected.GetSize();
    const DWORD* pAt = std::lower_bound(pBegin, pEnd, (DWORD)nRow);
    if (pAt != pEnd && *pAt == (DWORD)nRow)
        return FALSE;
    m_arSelected.InsertAt(pAt - pBegin, (DWORD)nRow);
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::SelectedRemove(int nRow) {
    const DWORD* pBegin = m_arSelected.GetData();
    const DWORD* pEnd = pBegin + m_arSelected.GetSize();
    const DWORD* pAt = std::lower_bound(pBegin, pEnd, (DWORD)nRow);
    if (pAt == pEnd || *pAt != (DWORD)nRow)
        return FALSE;
    m_arSelected.RemoveAt(pAt - pBegin);
    return TRUE;
}

template <class TBase> void SECListImpl<TBase>::HideTip() {
    if (m_pTip)
        m_pTip->Hide();
}

template <class TBase> void SECListImpl<TBase>::EndEditForChange() {
    EndLabelEdit(TRUE);
    HideTip();
}

template <class TBase> void SECListImpl<TBase>::Repaint(BOOL bErase) {
    if (GetSafeHwnd() != NULL)
        ::InvalidateRect(m_hWnd, NULL, bErase);
}

// ---- Sub-item slots.

template <class TBase> BOOL SECListImpl<TBase>::AddSubItems(SECListItem* pItem) {
    if (pItem == NULL)
        return FALSE;
    for (int i = 0; i < m_nSubItemCount; ++i)
        pItem->m_subItems.Add(new SECListSubItem);
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::RemoveSubItems(SECListItem* pItem) {
    if (pItem == NULL)
        return FALSE;
    for (INT_PTR i = 0; i < pItem->m_subItems.GetSize(); ++i)
        delete static_cast<SECListSubItem*>(pItem->m_subItems[i]);
    pItem->m_subItems.RemoveAll();
    return TRUE;
}

template <class TBase> int SECListImpl<TBase>::InitItem(SECListItem* pItem) {
    return AddSubItems(pItem) ? 0 : -1;
}

template <class TBase> SECListItem* SECListImpl<TBase>::NewItem() {
    std::unique_ptr<SECListItem> pItem(new SECListItem);
    if (InitItem(pItem.get()) != 0)
        return NULL;
    return pItem.release();
}

// ---- Inserting rows.

template <class TBase> void SECListImpl<TBase>::ShiftIndicesForInsert(int nRow) {
    int* indices[] = {&m_nFocusIndex, &m_nDropHilite, &m_nAnchor, &m_nEditItem, &m_nPendingEdit};
    for (int* p : indices)
        if (*p >= nRow)
            ++*p;
    for (INT_PTR i = m_arSelected.GetSize() - 1; i >= 0 && (int)m_arSelected[i] >= nRow; --i)
        m_arSelected[i] = m_arSelected[i] + 1;
}

template <class TBase> int SECListImpl<TBase>::InsertRow(int nRow, SECListItem* pItem) {
    if (pItem == NULL)
        return -1;
    nRow = std::max(0, std::min(nRow, GetItemCount()));
    // A row always carries exactly one slot per sub-item.
    while (pItem->GetSubItemCount() < m_nSubItemCount)
        pItem->m_subItems.Add(new SECListSubItem);
    m_arItems.InsertAt(nRow, pItem);
    Changed();
    ShiftIndicesForInsert(nRow);
    if (m_nFocusIndex < 0)
        FocusItem(0, TRUE);
    return nRow;
}

template <class TBase> int SECListImpl<TBase>::InsertItem(LVITEM* pItem) {
    if (pItem == NULL)
        return -1;
    SECListItem* pNew = NewItem();
    if (pNew == NULL)
        return -1;
    const int nRow = InsertRow(pItem->iItem, pNew);
    if (nRow < 0) {
        delete pNew;
        return -1;
    }
    LVITEM item = {};
    SECListCopyItemCore(&item, pItem);
    item.iItem = nRow;
    item.iSubItem = 0;
    SetItem(&item, IsRedrawOn());
    if (IsRedrawOn())
        UpdateScrollBars();
    return nRow;
}

template <class TBase>
int SECListImpl<TBase>::InsertItemArgs(UINT nMask, int nRow, LPCTSTR lpszText, UINT nState,
                                       UINT nStateMask, int nImage, LPARAM lParam) {
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nRow;
    item.pszText = const_cast<LPTSTR>(lpszText);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

template <class TBase>
int SECListImpl<TBase>::InsertItemImage(int nRow, LPCTSTR lpszText, int nImage) {
    return InsertItemArgs(LVIF_TEXT | LVIF_IMAGE, nRow, lpszText, 0, 0, nImage, 0);
}

template <class TBase> int SECListImpl<TBase>::InsertItemText(int nRow, LPCTSTR lpszText) {
    return InsertItemArgs(LVIF_TEXT, nRow, lpszText, 0, 0, 0, 0);
}

template <class TBase> int SECListImpl<TBase>::InsertItemAfter(SECListItem* pAfter, LVITEM* pItem) {
    if (pItem == NULL)
        return -1;
    if (pAfter == NULL)
        pItem->iItem = 0;
    else if (const int nAt = IndexOfItem(pAfter); nAt >= 0)
        pItem->iItem = nAt + 1;
    return InsertItem(pItem);
}

template <class TBase>
int SECListImpl<TBase>::InsertItemBefore(SECListItem* pBefore, LVITEM* pItem) {
    if (pItem == NULL)
        return -1;
    if (pBefore == NULL)
        pItem->iItem = 0;
    else if (const int nAt = IndexOfItem(pBefore); nAt >= 0)
        pItem->iItem = nAt;
    return InsertItem(pItem);
}

// ---- Reading and writing cells.

template <class TBase> int SECListImpl<TBase>::GetItemCount() {
    return (int)m_arItems.GetSize();
}

template <class TBase> int SECListImpl<TBase>::GetSubItemCount() {
    return m_nSubItemCount;
}

template <class TBase> int SECListImpl<TBase>::GetSelectedCount() {
    return (int)m_arSelected.GetSize();
}

template <class TBase> LPARAM SECListImpl<TBase>::GetItemParam(SECListItem* pItem) {
    return pItem != NULL ? pItem->lParam : 0;
}

template <class TBase> BOOL SECListImpl<TBase>::SetItem(LVITEM* pItem, BOOL bRedraw) {
    if (pItem == NULL)
        return FALSE;
    const int nRow = pItem->iItem;
    SECListItem* pRow = GetItemAt(nRow);
    if (pRow == NULL)
        return FALSE;
    const UINT nMask = pItem->mask;
    UINT nNeedsNotify = 0;
    BOOL bChanged = FALSE, bTextSet = FALSE, bDropChanged = FALSE, bImageChanged = FALSE;
    if (nMask & LVIF_TEXT) {
        bTextSet = TRUE;
        LPTSTR* ppszSlot = NULL;
        if (pItem->iSubItem == 0)
            ppszSlot = &pRow->pszText;
        else if (SECListSubItem* pSub = pRow->GetSubItem(pItem->iSubItem))
            ppszSlot = &pSub->pszText;
        if (ppszSlot != NULL) {
            if (SECListIsCallback(pItem->pszText)) {
                SECListStoreText(*ppszSlot, LPSTR_TEXTCALLBACK);
                nNeedsNotify |= LVIF_TEXT;
            } else if (SECListIsCallback(*ppszSlot) && !(nMask & LVIF_DI_SETITEM)) {
                nNeedsNotify |= LVIF_TEXT;
            } else {
                SECListStoreText(*ppszSlot, pItem->pszText);
            }
        }
    }
    if (nMask & LVIF_IMAGE) {
        bChanged = TRUE;
        if (pRow->iImage == I_IMAGECALLBACK && !(nMask & LVIF_DI_SETITEM))
            nNeedsNotify |= LVIF_IMAGE;
        else if (pRow->iImage != pItem->iImage) {
            pRow->iImage = pItem->iImage;
            bImageChanged = TRUE;
        }
    }
    if (nMask & LVIF_STATE) {
        const UINT m = pItem->stateMask;
        if (m & LVIS_SELECTED)
            bChanged |=
                (pItem->state & LVIS_SELECTED) ? SelectedInsert(nRow) : SelectedRemove(nRow);
        if (m & LVIS_FOCUSED) {
            const int nOld = m_nFocusIndex;
            if (pItem->state & LVIS_FOCUSED)
                m_nFocusIndex = nRow;
            else if (m_nFocusIndex == nRow)
                m_nFocusIndex = -1;
            bChanged |= nOld != m_nFocusIndex;
        }
        if (m & LVIS_DROPHILITED) {
            const int nOld = m_nDropHilite;
            if (pItem->state & LVIS_DROPHILITED)
                m_nDropHilite = nRow;
            else if (m_nDropHilite == nRow)
                m_nDropHilite = -1;
            if (nOld != m_nDropHilite)
                bChanged = bDropChanged = TRUE;
        }
        const UINT nOwn = m & ~(LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED);
        const UINT nNew = (pRow->state & ~nOwn) | (pItem->state & nOwn);
        if (nNew != pRow->state) {
            pRow->state = nNew;
            bChanged = TRUE;
        }
    }
    if (nMask & LVIF_PARAM)
        pRow->lParam = pItem->lParam;
    if (nNeedsNotify != 0) {
        LVITEM copy = {};
        SECListCopyItemCore(&copy, pItem);
        copy.mask = nNeedsNotify;
        NotifySetDispInfo(&copy);
        // The owner may have changed the rows.
        pRow = GetItemAt(nRow);
        if (pRow == NULL)
            return TRUE;
    }
    if (bImageChanged) {
        // A new icon moves the label: measure again and show it.
        pRow->bDirty = TRUE;
        if (bRedraw && nRow != m_nEditItem)
            InvalidateItem(nRow, FALSE, FALSE, FALSE, FALSE);
    }
    if (!(nMask & (LVIF_TEXT | LVIF_STATE)))
        return TRUE;
    if (bTextSet)
        pRow->bDirty = TRUE;
    if (bRedraw && bChanged && nRow != m_nEditItem)
        InvalidateItem(nRow, FALSE, FALSE, FALSE, bDropChanged);
    return TRUE;
}

template <class TBase>
void SECListImpl<TBase>::ReadItemText(SECListItem* pItem, int nSubItem, LPTSTR* ppszSource,
                                      bool* pbFound) const {
    *pbFound = true;
    if (nSubItem == 0) {
        *ppszSource = pItem->pszText;
        return;
    }
    if (SECListSubItem* pSub = pItem->GetSubItem(nSubItem)) {
        *ppszSource = pSub->pszText;
        return;
    }
    *ppszSource = NULL;
    *pbFound = false;
}

template <class TBase>
BOOL SECListImpl<TBase>::GetItem(LVITEM* pItem, BOOL bCopyText, BOOL bNotify) {
    if (pItem == NULL)
        return FALSE;
    SECListItem* pRow = GetItemAt(pItem->iItem);
    if (pRow == NULL)
        return FALSE;
    UINT nNeedsNotify = 0;
    LPTSTR pszCallerBuffer = pItem->pszText;
    const UINT nMask = pItem->mask;
    if (nMask & LVIF_TEXT) {
        LPTSTR pszSource = NULL;
        bool bFound = false;
        ReadItemText(pRow, pItem->iSubItem, &pszSource, &bFound);
        if (bFound && SECListIsCallback(pszSource)) {
            nNeedsNotify |= LVIF_TEXT;
            if (bCopyText)
                SECListCopyText(pItem->pszText, pItem->cchTextMax, L"");
            if (!bNotify)
                pItem->pszText = LPSTR_TEXTCALLBACK;
        } else if (bCopyText) {
            // A missing cell reads as an empty text.
            SECListCopyText(pItem->pszText, pItem->cchTextMax, pszSource);
        } else {
            pItem->pszText = pszSource != NULL ? pszSource : const_cast<LPTSTR>(L"");
        }
    }
    if (nMask & LVIF_IMAGE) {
        pItem->iImage = pRow->iImage;
        if (pRow->iImage == I_IMAGECALLBACK)
            nNeedsNotify |= LVIF_IMAGE;
    }
    if (nMask & LVIF_STATE) {
        const UINT m = pItem->stateMask;
        UINT nState = pRow->state & m & ~(LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED);
        if ((m & LVIS_SELECTED) && IsSelected(pItem->iItem))
            nState |= LVIS_SELECTED;
        if ((m & LVIS_FOCUSED) && m_nFocusIndex == pItem->iItem)
            nState |= LVIS_FOCUSED;
        if ((m & LVIS_DROPHILITED) && m_nDropHilite == pItem->iItem)
            nState |= LVIS_DROPHILITED;
        pItem->state = nState;
        if (m_bStateCallback)
            nNeedsNotify |= LVIF_STATE;
    }
    if ((nMask & LVIF_PARAM) || nNeedsNotify != 0)
        pItem->lParam = pRow->lParam;
    if (bNotify && nNeedsNotify != 0) {
        const int cchMax = pItem->cchTextMax;
        pItem->mask = nNeedsNotify | (nMask & LVIF_PARAM);
        NotifyGetDispInfo(pItem);
        // The owner answers into the caller's buffer or by pointing elsewhere; either way the
        // caller gets a bounded, terminated text.
        if (nNeedsNotify & LVIF_TEXT) {
            if (pItem->pszText == NULL || SECListIsCallback(pItem->pszText)) {
                pItem->pszText = pszCallerBuffer;
                SECListCopyText(pItem->pszText, cchMax, L"");
            } else if (pItem->pszText != pszCallerBuffer && pszCallerBuffer != NULL && cchMax > 0) {
                SECListCopyText(pszCallerBuffer, cchMax, pItem->pszText);
                pItem->pszText = pszCallerBuffer;
            } else if (pItem->pszText == pszCallerBuffer && cchMax > 0) {
                pszCallerBuffer[cchMax - 1] = 0;
            }
        }
        pItem->mask |= nMask & ~nNeedsNotify;
    }
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::SetItemEx(LVITEM* pItem, SECListItemEx* pItemEx) {
    if (pItem == NULL || pItemEx == NULL)
        return FALSE;
    const int nRow = pItem->iItem;
    SECListItem* pRow = GetItemAt(nRow);
    if (pRow == NULL)
        return FALSE;
    if (!(pItemEx->mask & 1))
        return TRUE;
    const UINT nNew = (pRow->stateEx & ~pItemEx->stateMask) | (pItemEx->state & pItemEx->stateMask);
    if (nNew == pRow->stateEx)
        return TRUE;
    pRow->stateEx = nNew;
    InvalidateItem(nRow, !HasExStyle(LVXS_FULLROWSELECT), FALSE, FALSE, FALSE);
    MeasureItem(nRow);
    if (nRow != m_nEditItem)
        InvalidateItem(nRow, FALSE, TRUE, FALSE, FALSE);
    return TRUE;
}

template <class TBase>
BOOL SECListImpl<TBase>::GetItemEx(LVITEM* pItem, SECListItemEx* pItemEx, BOOL bNotify) {
    if (pItem == NULL || pItemEx == NULL)
        return FALSE;
    SECListItem* pRow = GetItemAt(pItem->iItem);
    if (pRow == NULL)
        return FALSE;
    pItemEx->state = pRow->stateEx & pItemEx->stateMask;
    if (m_bExStateCallback && bNotify) {
        pItemEx->mask = 1;
        NotifyGetDispInfoEx(pItemEx);
    }
    return TRUE;
}

template <class TBase>
BOOL SECListImpl<TBase>::SetItemArgs(int nRow, int nSubItem, UINT nMask, LPCTSTR lpszText,
                                     int nImage, UINT nState, UINT nStateMask, LPARAM lParam) {
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nRow;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPTSTR>(lpszText);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item, TRUE);
}

template <class TBase>
BOOL SECListImpl<TBase>::SetItemText(int nRow, int nSubItem, LPCTSTR lpszText) {
    LVITEM item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nRow;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPTSTR>(lpszText != NULL ? lpszText : L"");
    if (!SECListIsCallback(lpszText))
        item.cchTextMax = (int)std::min<size_t>(::wcslen(item.pszText), INT_MAX);
    else
        item.pszText = LPSTR_TEXTCALLBACK;
    return SetItem(&item, TRUE);
}

template <class TBase>
int SECListImpl<TBase>::GetItemText(int nRow, int nSubItem, LPTSTR lpszBuffer, int cchBuffer) {
    if (lpszBuffer == NULL || cchBuffer <= 0)
        return 0;
    LVITEM item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nRow;
    item.iSubItem = nSubItem;
    item.pszText = lpszBuffer;
    item.cchTextMax = cchBuffer;
    lpszBuffer[0] = 0;
    if (!GetItem(&item, TRUE, TRUE))
        return 0;
    return (int)::wcsnlen(lpszBuffer, (size_t)cchBuffer);
}

template <class TBase> BOOL SECListImpl<TBase>::SetItemState(int nRow, UINT nState, UINT nMask) {
    LVITEM item = {};
    item.mask = LVIF_STATE;
    item.iItem = nRow;
    item.state = nState;
    item.stateMask = nMask;
    return SetItem(&item, TRUE);
}

template <class TBase> UINT SECListImpl<TBase>::GetItemState(int nRow, UINT nMask) {
    LVITEM item = {};
    item.mask = LVIF_STATE;
    item.iItem = nRow;
    item.stateMask = nMask;
    return GetItem(&item, FALSE, FALSE) ? item.state : 0;
}

template <class TBase> BOOL SECListImpl<TBase>::SetItemData(int nRow, LPARAM lParam) {
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nRow;
    item.lParam = lParam;
    return SetItem(&item, TRUE);
}

template <class TBase> LPARAM SECListImpl<TBase>::GetItemData(int nRow) {
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nRow;
    return GetItem(&item, FALSE, FALSE) ? item.lParam : 0;
}

template <class TBase> BOOL SECListImpl<TBase>::GetStateCallback() {
    return m_bStateCallback;
}
template <class TBase> BOOL SECListImpl<TBase>::SetStateCallback(BOOL b) {
    m_bStateCallback = b;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::GetExStateCallback() {
    return m_bExStateCallback;
}
template <class TBase> BOOL SECListImpl<TBase>::SetExStateCallback(BOOL b) {
    m_bExStateCallback = b;
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::ItemNeedsDispInfo(int nRow) {
    SECListItem* pRow = GetItemAt(nRow);
    if (pRow == NULL || m_arColumns.GetSize() == 0)
        return FALSE;
    if (SECListIsCallback(pRow->pszText) || pRow->iImage == I_IMAGECALLBACK || m_bStateCallback ||
        m_bExStateCallback)
        return TRUE;
    for (INT_PTR i = 0; i < m_arColumns.GetSize(); ++i) {
        const int nSub = static_cast<SECListColumn*>(m_arColumns[i])->iSubItem;
        if (nSub <= 0)
            continue;
        if (SECListSubItem* pSub = pRow->GetSubItem(nSub))
            if (SECListIsCallback(pSub->pszText))
                return TRUE;
    }
    return FALSE;
}

template <class TBase> int SECListImpl<TBase>::GetNextItem(int nStart, UINT nFlags) {
    UINT nStateMask = 0;
    if (nFlags & LVNI_SELECTED)
        nStateMask |= LVIS_SELECTED;
    if (nFlags & LVNI_FOCUSED)
        nStateMask |= LVIS_FOCUSED;
    if (nFlags & LVNI_CUT)
        nStateMask |= LVIS_CUT;
    if (nFlags & LVNI_DROPHILITED)
        nStateMask |= LVIS_DROPHILITED;
    const int nCount = GetItemCount();
    const bool bUp = (nFlags & (LVNI_ABOVE | LVNI_TOLEFT)) != 0 && nStart >= 0;
    if (!bUp && (nStart < -1 || nStart >= nCount - 1))
        return -1;
    if (nStateMask == 0) {
        if (bUp)
            return nStart < 1 ? -1 : std::min(nStart, nCount) - 1;
        if (nStart >= nCount - 1 || nStart < -1)
            return -1;
        return nStart + 1;
    }
    if (bUp) {
        for (int i = std::min(nStart, nCount) - 1; i >= 0; --i)
            if (GetItemState(i, nStateMask) != 0)
                return i;
        return -1;
    }
    if (nStart < -1)
        return -1;
    for (int i = nStart + 1; i < nCount; ++i)
        if (GetItemState(i, nStateMask) != 0)
            return i;
    return -1;
}

// ---- Deleting rows.

template <class TBase> void SECListImpl<TBase>::ShiftIndicesForDelete(int nFirst, int nCount) {
    const int nEnd = nFirst + nCount;
    const int nLeft = GetItemCount();
    if (m_nTopIndex >= nLeft)
        m_nTopIndex = nLeft;
    // The caret on the first row of the run stays at its index, on the row that takes its
    // place; elsewhere in the run, or with nothing after it, it goes to the row above. It stays
    // on a row while rows remain: a run deleted from the top leaves it on row 0.
    if (m_nFocusIndex >= nEnd)
        m_nFocusIndex -= nCount;
    else if (m_nFocusIndex > nFirst || (m_nFocusIndex == nFirst && nFirst >= nLeft))
        m_nFocusIndex = nLeft > 0 ? std::max(nFirst - 1, 0) : -1;
    if (m_nFocusIndex >= nLeft)
        m_nFocusIndex = nLeft - 1;
    // The drop highlight stays under the pointer: on the first row of the run it keeps its
    // index, on the row that takes its place; further inside it goes to the row above.
    if (m_nDropHilite >= nEnd)
        m_nDropHilite -= nCount;
    else if (m_nDropHilite > nFirst)
        m_nDropHilite = nFirst - 1;
    // Other indices inside the run lose their row.
    int* indices[] = {&m_nAnchor, &m_nPendingEdit};
    for (int* p : indices) {
        if (*p >= nEnd)
            *p -= nCount;
        else if (*p >= nFirst)
            *p = -1;
    }
    if (m_nEditItem >= nEnd)
        m_nEditItem -= nCount;
    INT_PTR nOut = 0;
    for (INT_PTR i = 0; i < m_arSelected.GetSize(); ++i) {
        const int nSel = (int)m_arSelected[i];
        if (nSel >= nFirst && nSel < nEnd)
            continue;
        m_arSelected[nOut++] = (DWORD)(nSel >= nEnd ? nSel - nCount : nSel);
    }
    m_arSelected.SetSize(nOut);
}

template <class TBase> void SECListImpl<TBase>::RemoveRows(int nFirst, int nCount) {
    if (m_nEditItem >= nFirst && m_nEditItem < nFirst + nCount)
        EndLabelEdit(FALSE);
    for (int i = nFirst; i < nFirst + nCount; ++i)
        delete static_cast<SECListItem*>(m_arItems[i]);
    m_arItems.RemoveAt(nFirst, nCount);
    Changed();
    ShiftIndicesForDelete(nFirst, nCount);
}

template <class TBase> BOOL SECListImpl<TBase>::DeleteItems(int nFirst, int nCount) {
    if (!IsValidRow(nFirst) || nCount <= 0)
        return FALSE;
    const auto token = LifeToken();
    nCount = std::min(nCount, GetItemCount() - nFirst);
    // An edit of a row that goes is cancelled, not stored on whatever row takes its place.
    if (m_nEditItem >= nFirst && m_nEditItem < nFirst + nCount) {
        EndLabelEdit(FALSE);
        if (token.expired())
            return FALSE;
    }
    InvalidateItem(std::max(nFirst - 1, 0), FALSE, TRUE, TRUE, FALSE);
    const unsigned nGeneration = m_nGeneration;
    std::vector<void*> run(m_arItems.GetData() + nFirst, m_arItems.GetData() + nFirst + nCount);
    NotifyDeleteItem(nFirst);
    if (token.expired())
        return FALSE;
    if (nGeneration == m_nGeneration) {
        RemoveRows(nFirst, nCount);
    } else {
        // The owner changed the rows while being told: the rows asked for go, where they are now.
        for (void* pRow : run) {
            const int nAt = IndexOfItem(static_cast<SECListItem*>(pRow));
            if (nAt >= 0)
                RemoveRows(nAt, 1);
        }
    }
    if (m_arSelected.GetSize() == 0 && m_nFocusIndex >= 0)
        FocusItem(GetFocusIndex(), TRUE);
    UpdateScrollBars();
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::DeleteItemObject(SECListItem* pItem) {
    const int nRow = IndexOfItem(pItem);
    return nRow >= 0 ? DeleteItems(nRow, 1) : FALSE;
}

template <class TBase> BOOL SECListImpl<TBase>::DeleteAllItems() {
    StopEditTimer();
    if (m_nEditItem >= 0)
        EndLabelEdit(FALSE);
    HideTip();
    for (INT_PTR i = 0; i < m_arItems.GetSize(); ++i)
        delete static_cast<SECListItem*>(m_arItems[i]);
    m_arItems.RemoveAll();
    m_arSelected.RemoveAll();
    Changed();
    m_nTopIndex = 0;
    m_nFocusIndex = -1;
    // The anchor and the drop highlight are left as they were: the first row to come takes
    // the caret and the anchor with it, and the drop highlight is the owner's to set or clear.
    m_nEditItem = -1;
    m_nPendingEdit = -1;
    UpdateScrollBars();
    Repaint(TRUE);
    return TRUE;
}
