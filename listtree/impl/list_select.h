// Selection, caret, anchor and drop highlight; hit testing and the click rule; scrolling.
#pragma once

#include "listtree/list_base.h"

#include <algorithm>

template <class TBase> int SECListImpl<TBase>::GetFocusIndex() {
    return m_nFocusIndex;
}

template <class TBase> BOOL SECListImpl<TBase>::DeselectAllExcept(int nRow) {
    for (INT_PTR i = m_arSelected.GetSize() - 1; i >= 0; --i) {
        if (i >= m_arSelected.GetSize())
            continue;
        const int nSel = (int)m_arSelected[i];
        if (nSel != nRow)
            SetItemState(nSel, 0, LVIS_SELECTED);
    }
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::FocusItem(int nRow, BOOL bSelect) {
    if (nRow >= GetItemCount())
        return FALSE;
    if (HasStyle(LVS_SINGLESEL))
        DeselectAllExcept(nRow);
    if (m_nFocusIndex >= 0 && m_nFocusIndex != nRow)
        SetItemState(m_nFocusIndex, 0, LVIS_FOCUSED);
    if (nRow >= 0)
        SetItemState(nRow, LVIS_FOCUSED | (bSelect ? LVIS_SELECTED : 0),
                     LVIS_FOCUSED | LVIS_SELECTED);
    m_nAnchor = m_nFocusIndex;
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::SetFocusIndex(int nRow) {
    if (nRow >= GetItemCount())
        return FALSE;
    if (m_nFocusIndex >= 0 && m_nFocusIndex != nRow)
        SetItemState(m_nFocusIndex, 0, LVIS_FOCUSED);
    if (nRow >= 0)
        SetItemState(nRow, LVIS_FOCUSED, LVIS_FOCUSED);
    m_nAnchor = m_nFocusIndex;
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::SelectItem(int nRow, BOOL bSelect) {
    if (!IsValidRow(nRow))
        return FALSE;
    if (HasStyle(LVS_SINGLESEL) && bSelect)
        DeselectAllExcept(nRow);
    return SetItemState(nRow, bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

template <class TBase> BOOL SECListImpl<TBase>::SelectRange(int nFrom, int nTo, BOOL bSelect) {
    const int nCount = GetItemCount();
    if (nCount == 0)
        return FALSE;
    int a = std::max(0, std::min(std::min(nFrom, nTo), nCount - 1));
    int b = std::max(0, std::min(std::max(nFrom, nTo), nCount - 1));
    if (HasStyle(LVS_SINGLESEL)) {
        SelectItem(b, bSelect);
        return TRUE;
    }
    // One pass over the selected array instead of one search per row.
    if (bSelect) {
        CDWordArray merged;
        merged.SetSize(0, m_arSelected.GetSize() + (b - a + 1));
        INT_PTR i = 0;
        for (; i < m_arSelected.GetSize() && (int)m_arSelected[i] < a; ++i)
            merged.Add(m_arSelected[i]);
        for (int r = a; r <= b; ++r)
            merged.Add((DWORD)r);
        for (; i < m_arSelected.GetSize(); ++i)
            if ((int)m_arSelected[i] > b)
                merged.Add(m_arSelected[i]);
        m_arSelected.Copy(merged);
    } else {
        INT_PTR nOut = 0;
        for (INT_PTR i = 0; i < m_arSelected.GetSize(); ++i) {
            const int r = (int)m_arSelected[i];
            if (r < a || r > b)
                m_arSelected[nOut++] = (DWORD)r;
        }
        m_arSelected.SetSize(nOut);
    }
    InvalidateItems(a, b);
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::SetDropHilite(int nRow) {
    if (nRow >= GetItemCount())
        return FALSE;
    const int nOld = m_nDropHilite;
    if (nOld == nRow)
        return TRUE;
    if (nOld >= 0) {
        // A highlight left on a row that went is cleared all the same.
        if (!SetItemState(nOld, 0, LVIS_DROPHILITED))
            m_nDropHilite = -1;
        InvalidateItem(nOld, FALSE, FALSE, FALSE, TRUE);
    }
    if (nRow >= 0)
        SetItemState(nRow, LVIS_DROPHILITED, LVIS_DROPHILITED);
    return TRUE;
}

template <class TBase> int SECListImpl<TBase>::GetDropHilite() {
    return m_nDropHilite;
}

template <class TBase> BOOL SECListImpl<TBase>::IsItemSelected(int nRow) {
    return nRow >= 0 && GetItemState(nRow, LVIS_SELECTED) != 0;
}

// ---- Hit testing.

template <class TBase> int SECListImpl<TBase>::HitTest(int x, int y, UINT* pFlags, int* pCol) {
    UINT nFlags = 0;
    int nCol = -1;
    CRect rcClient, rcInside;
    GetClientRect(&rcClient);
    GetInsideRect(&rcInside);
    auto finish = [&](int nResult) {
        if (nFlags == 0)
            nFlags = LVHT_NOWHERE;
        if (pFlags != NULL)
            *pFlags = nFlags;
        if (pCol != NULL)
            *pCol = nCol;
        return nResult;
    };
    if (y < rcClient.top)
        nFlags |= LVHT_ABOVE;
    if (y >= rcClient.bottom)
        nFlags |= LVHT_BELOW;
    if (x < rcClient.left)
        nFlags |= LVHT_TOLEFT;
    if (x >= rcClient.right)
        nFlags |= LVHT_TORIGHT;
    if (nFlags != 0 || GetColumnCount() == 0)
        return finish(-1);
    if (GetColumnCount() == 1)
        nCol = 0;
    else
        for (int i = 0, left = -m_ptScroll.x; i < GetColumnCount(); ++i) {
            left += GetColumnAt(i)->cx;
            if (left > x) {
                nCol = i;
                break;
            }
        }
    const bool bHeader = (m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT && IsHeaderVisible();
    if (bHeader && y < rcClient.top + m_nHeaderHeight) {
        const int nWalk =
            HasExStyle(LVXS_FITCOLUMNSONSIZE) ? GetColumnCount() - 1 : GetColumnCount();
        for (int i = 0; i < nWalk; ++i) {
            const int right = GetColumnRight(i);
            if (x >= right - 4 && x <= right + 4) {
                nFlags = SECLVHT_ONDIVIDER;
                return finish(i);
            }
        }
        for (int i = 0; i < GetColumnCount(); ++i)
            if (x >= GetColumnLeft(i) && x < GetColumnRight(i)) {
                nFlags = SECLVHT_ONHEADER;
                return finish(i);
            }
        return finish(-1);
    }
    int top = rcInside.top;
    for (int i = m_nTopIndex; i < GetItemCount() && top < rcInside.bottom; ++i) {
        const int h = RowHeight(i);
        if (y >= top && y < top + h) {
            nFlags = SECLVHT_ONROW;
            SECListColumn* pCol0 = nCol >= 0 ? GetColumnAt(nCol) : NULL;
            if (pCol0 != NULL && pCol0->iSubItem == 0) {
                SECListItem* pRow = GetItemAt(i);
                const CPoint pt(x - GetColumnLeft(nCol), y - top);
                if (::PtInRect(&pRow->rcText, pt) ||
                    (pt.x >= pRow->rcText.left && pt.x < pRow->rcText.right))
                    nFlags |= LVHT_ONITEMLABEL;
                else if (::PtInRect(&pRow->rcIcon, pt))
                    nFlags |= LVHT_ONITEMICON;
                else if (::PtInRect(&pRow->rcStateIcon, pt))
                    nFlags |= LVHT_ONITEMSTATEICON;
                else if (pt.x < pRow->rcText.left)
                    nFlags |= SECLVHT_LEFTOFLABEL;
                else
                    nFlags |= SECLVHT_RIGHTOFLABEL;
            }
            return finish(i);
        }
        top += h;
    }
    return finish(-1);
}

template <class TBase>
UINT SECListImpl<TBase>::ClickSelectRule(POINT* pPoint, int nRow, UINT nHitFlags, int* pArmDrag,
                                         int* pSelect) {
    int bArm = FALSE, bSelect = FALSE;
    if (nHitFlags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)) {
        bArm = bSelect = TRUE;
    } else if (HasExStyle(LVXS_HEADERDRAG) && (nHitFlags & SECLVHT_ONHEADER) && nRow >= 1) {
        bArm = TRUE;
    } else if ((nHitFlags & SECLVHT_ONROW) && !(nHitFlags & LVHT_ONITEMSTATEICON)) {
        bSelect = HasExStyle(LVXS_FULLROWSELECT);
        if (!bSelect && (nHitFlags & SECLVHT_LEFTOFLABEL) && pPoint != NULL) {
            CRect rcIcon;
            if (GetMainItemRect(nRow, &rcIcon, LVIR_ICON))
                bSelect = pPoint->x >= rcIcon.right;
        }
        bArm = bSelect;
    }
    if (pArmDrag != NULL)
        *pArmDrag = bArm;
    if (pSelect != NULL)
        *pSelect = bSelect;
    return (bArm ? 1u : 0u) | (bSelect ? 2u : 0u);
}

template <class TBase>
BOOL SECListImpl<TBase>::UpdateSelection(int nRow, UINT /*nHitFlags*/, UINT nKeyFlags,
                                         BOOL bMouse) {
    m_nLastSelectEvent = -1;
    if (!IsValidRow(nRow))
        return FALSE;
    const int nCaret = GetFocusIndex();
    const auto token = LifeToken();
    if (IsMultiSelect() && (nKeyFlags & (MK_SHIFT | MK_CONTROL))) {
        if (m_lSelectionVeto != 0)
            return TRUE;
        if (nKeyFlags & MK_SHIFT) {
            const int nAnchor = m_nAnchor >= 0 ? m_nAnchor : (nCaret >= 0 ? nCaret : nRow);
            const bool bGo = (!bMouse && nCaret == nRow) || (nCaret != nRow);
            if (!bGo)
                return TRUE;
            m_lSelectionVeto = NotifySelChanging(nRow, nCaret, bMouse);
            if (!Alive(token) || !IsValidRow(nRow))
                return FALSE;
            if (m_lSelectionVeto != 0)
                return FALSE;
            HideTip();
            DeselectAllExcept(-1);
            SelectRange(nAnchor, nRow, TRUE);
            FocusItem(nRow, TRUE);
            m_nAnchor = nAnchor;
            InvalidateItems(nAnchor, nRow);
        } else {
            if (!bMouse) {
                HideTip();
                SetFocusIndex(nRow);
                if (nRow != nCaret)
                    return TRUE;
            }
            HideTip();
            if (m_bArmed)
                return TRUE;
            m_lSelectionVeto = NotifySelChanging(nRow, nCaret, bMouse);
            if (!Alive(token) || !IsValidRow(nRow))
                return FALSE;
            if (m_lSelectionVeto != 0)
                return FALSE;
            FocusItem(nRow, !IsSelected(nRow));
        }
    } else {
        // Nothing changes on the caret row, nor on a row already selected: a press on a member
        // of a selection waits for the button-up. Two cases would leave the user stuck and do
        // change: the caret row that lost its selection is selected again, and a key onto
        // another selected row moves the caret there and collapses the selection to it.
        if (IsSelected(nRow) && (nRow == nCaret || bMouse))
            return TRUE;
        return SelectAlone(nRow, bMouse);
    }
    NotifySelChanged(nRow, nCaret, bMouse);
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::SelectAlone(int nRow, BOOL bMouse) {
    const int nCaret = GetFocusIndex();
    const auto token = LifeToken();
    m_lSelectionVeto = NotifySelChanging(nRow, nCaret, bMouse);
    if (!Alive(token) || !IsValidRow(nRow) || m_lSelectionVeto != 0)
        return FALSE;
    HideTip();
    DeselectAllExcept(nRow);
    FocusItem(nRow, TRUE);
    NotifySelChanged(nRow, nCaret, bMouse);
    return TRUE;
}

template <class TBase> void SECListImpl<TBase>::OnSelectionUpdated(int, BOOL) {}

// ---- Scrolling.

template <class TBase> BOOL SECListImpl<TBase>::ScrollHorz(int dx) {
    CRect rcInside;
    GetInsideRect(&rcInside);
    const int nMax = std::max(0, CalcContentWidth(NULL) - rcInside.Width());
    const int nNew = std::max(0, std::min((int)m_ptScroll.x - dx, nMax));
    if (nNew == m_ptScroll.x)
        return FALSE;
    m_ptScroll.x = nNew;
    if (m_pScrollBars[0] != NULL && m_pScrollBars[0]->GetSafeHwnd() != NULL)
        m_pScrollBars[0]->SetScrollPos(nNew, TRUE);
    Repaint(FALSE);
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::ScrollRows(int nRows, BOOL bFromLastVisible) {
    const int nCount = GetItemCount();
    if (bFromLastVisible) {
        const int nLast = GetLastFullyVisibleIndex(NULL);
        const int nPage = PageHeight();
        const int nEnd = std::min(nLast + nRows, nCount - 1);
        // A scroll of a page or more lands with the row at the foot of the page: only the rows
        // of that page are measured, never every row passed over (each one asks the owner).
        long long h = 0;
        for (int i = nLast + 1; i <= nEnd; ++i) {
            h += RowHeight(i);
            if (h >= nPage)
                return ScrollRows(TopOfPageEndingAt(nEnd) - m_nTopIndex, FALSE);
        }
        const int n = GetRowsInHeight((int)h, m_nTopIndex, TRUE);
        return ScrollRows(std::max(n, nRows > 0 ? 1 : 0), FALSE);
    }
    const long long nWanted = (long long)m_nTopIndex + nRows;
    const int nNew =
        (int)std::max<long long>(0, std::min<long long>(nWanted, std::max(nCount - 1, 0)));
    if (nNew == m_nTopIndex)
        return FALSE;
    const int nOld = m_nTopIndex;
    m_nTopIndex = nNew;
    ScrollPicture(nOld, nNew);
    return TRUE;
}

// The rows still shown move by the height of the rows scrolled past, and only the strip that
// comes into view is painted. The whole window is painted when that height is not known
// without measuring (an owner would be asked mid-scroll), is a page or more, when the rows fit
// the window anyway, or when something else is on it: an editor, a drag, a paint still pending.
template <class TBase> void SECListImpl<TBase>::ScrollPicture(int nOldTop, int nNewTop) {
    if (GetSafeHwnd() == NULL)
        return;
    CRect rcInside;
    GetInsideRect(&rcInside);
    const bool bAlone = (m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT &&
                        (m_dwScrollStyle & SECLIST_VSCROLL_SHOWN) && !m_bItemDrag &&
                        !m_bHeaderDrag && m_nEditItem < 0 && ::IsWindowVisible(m_hWnd) &&
                        !::GetUpdateRect(m_hWnd, NULL, FALSE);
    long long dy = 0;
    for (int i = std::min(nOldTop, nNewTop), n = std::max(nOldTop, nNewTop); bAlone && i < n; ++i) {
        SECListItem* pRow = GetItemAt(i);
        if (pRow == NULL || pRow->bDirty || pRow->cy < 0) {
            dy = rcInside.Height();
            break;
        }
        dy += GetRowSpacing() + pRow->cy;
        if (dy >= rcInside.Height())
            break;
    }
    if (!bAlone || dy <= 0 || dy >= rcInside.Height()) {
        Repaint(TRUE);
        return;
    }
    ::ScrollWindowEx(m_hWnd, 0, nNewTop > nOldTop ? -(int)dy : (int)dy, &rcInside, &rcInside, NULL,
                     NULL, SW_INVALIDATE);
}

template <class TBase> void SECListImpl<TBase>::SetTopIndex(int nRow) {
    ScrollRows(nRow - m_nTopIndex, FALSE);
    UpdateScrollBars();
}

template <class TBase> BOOL SECListImpl<TBase>::EnsureVisible(int nRow, BOOL /*bPartialOK*/) {
    if (!IsValidRow(nRow))
        return FALSE;
    const int nCount = GetItemCount();
    const int nLast = GetLastFullyVisibleIndex(NULL);
    if (nRow == nLast && nRow == nCount - 1)
        return TRUE;
    if (nRow >= nLast && nLast >= m_nTopIndex) {
        ScrollRows(nRow - nLast + (nRow < nCount - 1 ? 1 : 0), TRUE);
        // Scrolling by heights may fall short for tall rows: go on until the row shows.
        for (int nGuard = 0;
             nGuard < nCount && nRow > GetLastFullyVisibleIndex(NULL) && m_nTopIndex < nRow;
             ++nGuard)
            ScrollRows(1, FALSE);
        // A page too small for the row of context keeps the row itself on top.
        if (nRow < m_nTopIndex)
            ScrollRows(nRow - m_nTopIndex, FALSE);
    } else if (nRow > m_nTopIndex) {
        return TRUE;
    } else {
        ScrollRows(nRow - m_nTopIndex - 1, FALSE);
    }
    if (m_pScrollBars[1] != NULL && (m_dwScrollStyle & SECLIST_VSCROLL_SHOWN))
        m_pScrollBars[1]->SetScrollPos(m_nTopIndex, TRUE);
    return nRow >= m_nTopIndex;
}

// The range is shown from its first row down, as much of it as a page holds; a page that the
// rows from there to the end do not fill takes rows from above as well. The last row may be the
// count: the range then reaches the end of the list.
template <class TBase>
BOOL SECListImpl<TBase>::EnsureRangeVisible(int nFirst, int nLast, BOOL /*bFlag*/) {
    const int nCount = GetItemCount();
    if (nFirst < 0 || nFirst > nLast || nLast > nCount)
        return FALSE;
    if (nFirst >= m_nTopIndex && nLast <= GetLastFullyVisibleIndex(NULL))
        return TRUE;
    const int nPage = PageHeight();
    int nSum = 0;
    for (int i = nFirst; i < nCount && nSum < nPage; ++i)
        nSum += RowHeight(i);
    int nTop = std::min(nFirst, std::max(nCount - 1, 0));
    for (int j = nFirst - 1; j >= 0 && nSum + RowHeight(j) <= nPage; --j) {
        nSum += RowHeight(j);
        nTop = j;
    }
    SetTopIndex(nTop);
    return TRUE;
}

template <class TBase> UINT SECListImpl<TBase>::StartTimer(UINT nMilliseconds) {
    StopTimer();
    if (nMilliseconds == 0 || GetSafeHwnd() == NULL)
        return 0;
    m_nScrollTimer = ::SetTimer(m_hWnd, SECLIST_DRAGSCROLL_TIMER, nMilliseconds, NULL);
    return (UINT)m_nScrollTimer;
}

template <class TBase> BOOL SECListImpl<TBase>::StopTimer() {
    if (m_nScrollTimer == 0)
        return FALSE;
    if (GetSafeHwnd() != NULL)
        ::KillTimer(m_hWnd, SECLIST_DRAGSCROLL_TIMER);
    m_nScrollTimer = 0;
    return TRUE;
}
