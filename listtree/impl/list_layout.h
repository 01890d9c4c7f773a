// The list's geometry: measuring rows lazily, pages, invalidation, scroll bars, column fitting
// and cell rectangles.
#pragma once

#include "listtree/list_base.h"

#include <algorithm>
#include <climits>
#include <cwchar>

// ---- Client and inside rectangles.

template <class TBase> void SECListImpl<TBase>::GetClientRect(RECT* pRect) {
    if (pRect == NULL)
        return;
    ::SetRectEmpty(pRect);
    if (GetSafeHwnd() != NULL)
        ::GetClientRect(m_hWnd, pRect);
}

template <class TBase> void SECListImpl<TBase>::GetInsideRect(RECT* pRect) {
    if (pRect == NULL)
        return;
    GetClientRect(pRect);
    if ((m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT && IsHeaderVisible())
        pRect->top += m_nHeaderHeight;
    if (m_dwScrollStyle & SECLIST_VSCROLL_SHOWN)
        pRect->right -= ::GetSystemMetrics(SM_CXVSCROLL) - 1;
    if (m_dwScrollStyle & SECLIST_HSCROLL_SHOWN)
        pRect->bottom -= ::GetSystemMetrics(SM_CYHSCROLL) - 1;
    if (pRect->bottom < pRect->top)
        pRect->bottom = pRect->top;
    if (pRect->right < pRect->left)
        pRect->right = pRect->left;
}

template <class TBase> CDC* SECListImpl<TBase>::NewClientDC(BOOL* pOwned) {
    if (!m_pMeasureDC) {
        std::unique_ptr<CDC> pDC(new CDC);
        if (pDC->CreateCompatibleDC(NULL))
            m_pMeasureDC = std::move(pDC);
    }
    if (m_pMeasureDC) {
        if (pOwned != NULL)
            *pOwned = FALSE;
        return m_pMeasureDC.get();
    }
    if (pOwned != NULL)
        *pOwned = TRUE;
    return new CClientDC(GetSafeHwnd() != NULL ? static_cast<CWnd*>(this) : NULL);
}

template <class TBase> int SECListImpl<TBase>::GetRowSpacing() {
    return 0;
}

template <class TBase> int SECListImpl<TBase>::PageHeight() {
    CRect rc;
    GetInsideRect(&rc);
    return std::max(1, rc.Height());
}

// ---- Measuring.

template <class TBase> void SECListImpl<TBase>::InvalidateAllHeights() {
    for (INT_PTR i = 0; i < m_arItems.GetSize(); ++i) {
        auto* pRow = static_cast<SECListItem*>(m_arItems[i]);
        pRow->cy = -1;
        pRow->bDirty = TRUE;
    }
}

template <class TBase> void SECListImpl<TBase>::MeasureItemIfNeeded(SECListPaintContext* pContext) {
    SECListItem* pRow = pContext->pItem;
    if (pRow == NULL)
        return;
    const int nRow = pContext->lvi.iItem;
    const unsigned nGeneration = m_nGeneration;
    if (pRow->cy < 0)
        pRow->cy = 0;
    int h = pRow->cy;
    int cy = pRow->cy;
    for (int i = 0; i < GetColumnCount(); ++i) {
        SECListColumn* pCol = GetColumnAt(i);
        pContext->iCol = i;
        pContext->pCol = pCol;
        pContext->lvi.iItem = nRow;
        pContext->lvi.iSubItem = std::max(0, pCol->iSubItem);
        pContext->pSubItem = pCol->iSubItem > 0 ? pRow->GetSubItem(pCol->iSubItem) : NULL;
        if (!LoadDrawRecord(pContext) || nGeneration != m_nGeneration)
            return; // the owner changed the rows while answering: the row stays unmeasured
        CalcItemRects(pContext, &h);
        cy = std::max(cy, h);
    }
    pRow->cy = cy;
    pRow->bDirty = FALSE;
}

template <class TBase> void SECListImpl<TBase>::MeasureItem(int nRow, CDC* pDC) {
    SECListItem* pRow = GetItemAt(nRow);
    if (pRow == NULL)
        return;
    BOOL bOwned = FALSE;
    CDC* pMade = NULL;
    if (pDC == NULL) {
        pMade = NewClientDC(&bOwned);
        pDC = pMade;
    }
    const StateCache state(this, false);
    std::unique_ptr<SECListPaintContext> pContext(NewPaintContext(pDC));
    pContext->pdc = pDC;
    pContext->pItem = pRow;
    pContext->lvi.iItem = nRow;
    pContext->nView = m_dwListStyle & LVS_TYPEMASK;
    pRow->bDirty = TRUE;
    MeasureItemIfNeeded(pContext.get());
    pContext.reset();
    if (bOwned)
        delete pMade;
}

template <class TBase> void SECListImpl<TBase>::EnsureMeasured(int nRow) {
    SECListItem* pRow = GetItemAt(nRow);
    if (pRow != NULL && (pRow->bDirty || pRow->cy < 0))
        MeasureItem(nRow, NULL);
}

template <class TBase> int SECListImpl<TBase>::RowHeight(int nRow) {
    EnsureMeasured(nRow);
    SECListItem* pRow = GetItemAt(nRow);
    return pRow != NULL ? GetRowSpacing() + std::max(0, pRow->cy) : 0;
}

template <class TBase>
int SECListImpl<TBase>::CalcItemRects(SECListPaintContext* pContext, int* pHeight) {
    CRect rcIcon(0, 0, 0, 0);
    const bool bMain = pContext->pCol != NULL && pContext->pCol->iSubItem == 0;
    if (bMain) {
        CalcIconRect(pContext, &rcIcon);
        if (pContext->pItem != NULL)
            pContext->pItem->rcIcon = rcIcon;
    }
    CRect rcLabel(0, 0, std::max(0, GetColumnWidth(pContext->iCol) - rcIcon.Width() - 11), 0);
    MeasureLabel(pContext, &rcLabel);
    const int nLabelHeight = rcLabel.Height();
    if (pContext->nView == LVS_ICON)
        *pHeight = nLabelHeight + rcIcon.Height() + 5;
    else
        *pHeight = std::max(rcIcon.Height() + (rcIcon.IsRectEmpty() ? 0 : 4), nLabelHeight + 4);
    return *pHeight;
}

template <class TBase>
BOOL SECListImpl<TBase>::CalcIconRect(SECListPaintContext* pContext, RECT* pRect) {
    ::SetRectEmpty(pRect);
    CImageList* pList = m_pImageLists[pContext->nView == LVS_ICON ? 0 : 1];
    if (pList == NULL || pList->GetSafeHandle() == NULL || pContext->lvi.iImage < 0)
        return FALSE;
    IMAGEINFO info = {};
    if (!pList->GetImageInfo(pContext->lvi.iImage, &info))
        return FALSE;
    ::SetRect(pRect, 2, 2, 2 + (info.rcImage.right - info.rcImage.left),
              2 + (info.rcImage.bottom - info.rcImage.top));
    return TRUE;
}

template <class TBase>
void SECListImpl<TBase>::MeasureLabel(SECListPaintContext* pContext, RECT* pRect) {
    CDC* pDC = pContext->pdc;
    LPCTSTR pszText = pContext->lvi.pszText != NULL ? pContext->lvi.pszText : L"";
    if (SECListIsCallback(pszText))
        pszText = L"";
    int nLen = (int)::wcsnlen(pszText, SECLIST_TEXT_MAX);
    UINT nFormat = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;
    const int nAlign = pContext->pCol != NULL ? (pContext->pCol->fmt & ~LVCFMT_BITMAP_ON_RIGHT) : 0;
    if (nAlign == LVCFMT_RIGHT)
        nFormat |= DT_RIGHT;
    else if (nAlign == LVCFMT_CENTER)
        nFormat |= DT_CENTER;
    if (HasStyle(LVS_NOLABELWRAP)) {
        nFormat |= DT_SINGLELINE;
        for (int i = 0; i < nLen; ++i)
            if (pszText[i] == L'\n') {
                nLen = i + 1;
                break;
            }
    }
    CRect rcText(0, 0, pRect->right - pRect->left, 0);
    if (pDC != NULL) {
        HDC hdc = pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->m_hDC;
        HGDIOBJ hOld = NULL;
        if (pContext->pFont != NULL && pContext->pFont->GetSafeHandle() != NULL &&
            ::GetCurrentObject(hdc, OBJ_FONT) != pContext->pFont->GetSafeHandle())
            hOld = ::SelectObject(hdc, pContext->pFont->GetSafeHandle());
        const bool bPlainLine =
            (nFormat & DT_SINGLELINE) && ::wmemchr(pszText, L'\t', nLen) == NULL;
        if (nLen == 0) {
            TEXTMETRIC tm = {};
            ::GetTextMetrics(hdc, &tm);
            rcText.right = rcText.left;
            rcText.bottom = tm.tmHeight;
        } else if (bPlainLine) {
            // One line without tabs: its extent is the whole measurement.
            SIZE size = {0, 0};
            ::GetTextExtentPoint32W(hdc, pszText, nLen, &size);
            rcText.right = rcText.left + size.cx;
            rcText.bottom = rcText.top + size.cy;
        } else {
            ::DrawText(hdc, pszText, nLen, &rcText, nFormat);
        }
        if (hOld != NULL)
            ::SelectObject(hdc, hOld);
    }
    CRect rcLabel;
    const bool bMain = pContext->pCol != NULL && pContext->pCol->iSubItem == 0;
    const RECT rcIcon = pContext->pItem != NULL ? pContext->pItem->rcIcon : RECT{0, 0, 0, 0};
    if (bMain && !::IsRectEmpty(&rcIcon)) {
        if (pContext->nView == LVS_ICON)
            rcLabel.SetRect(8, rcIcon.bottom + 2, 8, rcIcon.bottom + 2);
        else {
            const int top = ((rcIcon.bottom - rcIcon.top) - rcText.Height()) / 2 + rcIcon.top;
            rcLabel.SetRect(rcIcon.right + 5, std::max(2, (int)top), rcIcon.right + 5, 0);
        }
    } else {
        rcLabel.SetRect(6, 2, 6, 2);
    }
    rcLabel.right = rcLabel.left + rcText.Width();
    rcLabel.bottom = rcLabel.top + rcText.Height();
    *pRect = rcLabel;
    if (pContext->pSubItem != NULL)
        pContext->pSubItem->rcText = rcLabel;
    else if (bMain && pContext->pItem != NULL)
        pContext->pItem->rcText = rcLabel;
}

template <class TBase> BOOL SECListImpl<TBase>::SetItemHeight(int nRow, int nHeight) {
    SECListItem* pRow = GetItemAt(nRow);
    if (pRow == NULL)
        return FALSE;
    pRow->cy = std::max(0, nHeight);
    pRow->bDirty = FALSE;
    return TRUE;
}

template <class TBase> void SECListImpl<TBase>::RecalcLayout() {
    InvalidateAllHeights();
    UpdateScrollBars();
}

template <class TBase> void SECListImpl<TBase>::ReMeasureItem(int nRow) {
    SECListItem* pRow = GetItemAt(nRow);
    if (pRow == NULL)
        return;
    pRow->bDirty = TRUE;
    InvalidateItem(nRow, FALSE, TRUE, TRUE, FALSE);
}

// ---- Pages. Every walk is bounded by the rows; a page always holds at least one row.

template <class TBase> int SECListImpl<TBase>::GetTopIndex() {
    return m_nTopIndex;
}

template <class TBase> int SECListImpl<TBase>::GetCountPerPage() {
    const int nPage = PageHeight();
    const int nCount = GetItemCount();
    int nSum = 0, nRows = 0;
    int i = m_nTopIndex;
    for (; i < nCount; ++i) {
        const int h = RowHeight(i);
        if (nSum + h > nPage)
            break;
        nSum += h;
        ++nRows;
    }
    if (i >= nCount)
        for (int j = std::min(m_nTopIndex, nCount) - 1; j >= 0; --j) {
            const int h = RowHeight(j);
            if (nSum + h > nPage)
                break;
            nSum += h;
            ++nRows;
        }
    return std::max(nRows, nCount > 0 ? 1 : 0);
}

template <class TBase> int SECListImpl<TBase>::GetCountPerPageAbove() {
    const int nPage = PageHeight();
    int nSum = 0, nRows = 0;
    for (int i = std::min(m_nTopIndex, GetItemCount()) - 1; i >= 0; --i) {
        const int h = RowHeight(i);
        if (nSum + h > nPage)
            break;
        nSum += h;
        ++nRows;
    }
    return std::max(nRows, m_nTopIndex > 0 ? 1 : 0);
}

template <class TBase> int SECListImpl<TBase>::GetLastPageTopIndex() {
    return std::max(0, TopOfPageEndingAt(GetItemCount() - 1));
}

template <class TBase> int SECListImpl<TBase>::TopOfPageEndingAt(int nRow) {
    const int nPage = PageHeight();
    int nSum = 0, nTop = nRow;
    for (int i = nRow; i >= 0; --i) {
        nSum += RowHeight(i);
        if (nSum > nPage)
            break;
        nTop = i;
    }
    return nTop;
}

template <class TBase>
int SECListImpl<TBase>::GetLastFullyVisibleIndex(SECListPaintContext* /*pContext*/) {
    const int nCount = GetItemCount();
    if (m_nTopIndex >= nCount)
        return m_nTopIndex - 1;
    const int nPage = PageHeight();
    int nSum = 0, nLast = m_nTopIndex;
    for (int i = m_nTopIndex; i < nCount; ++i) {
        nSum += RowHeight(i);
        if (nSum > nPage)
            break;
        nLast = i;
    }
    // A row taller than the page still counts as the page's one row.
    return nLast;
}

template <class TBase> int SECListImpl<TBase>::GetIndexBelowPage() {
    const int nPage = PageHeight();
    const int nCount = GetItemCount();
    int nSum = 0, i = m_nTopIndex;
    for (; i < nCount && nSum < nPage; ++i)
        nSum += RowHeight(i);
    return i;
}

template <class TBase> int SECListImpl<TBase>::GetIndexAbovePage() {
    const int nPage = PageHeight();
    int nSum = 0, i = std::min(m_nTopIndex, GetItemCount());
    while (i > 0 && nSum < nPage) {
        --i;
        nSum += RowHeight(i);
    }
    return i;
}

template <class TBase> int SECListImpl<TBase>::IndexFromPoint(POINT* pPoint) {
    if (pPoint == NULL)
        return -1;
    const int nCount = GetItemCount();
    int nSum = 0, i = 0;
    for (; i < nCount; ++i) {
        nSum += RowHeight(i);
        if (nSum > pPoint->y)
            break;
    }
    return i;
}

template <class TBase> int SECListImpl<TBase>::IndexFromPointStrict(POINT* pPoint) {
    if (pPoint == NULL)
        return -1;
    const int nCount = GetItemCount();
    int nSum = 0, i = 0;
    for (; i < nCount && nSum < pPoint->y; ++i)
        nSum += RowHeight(i);
    return i;
}

template <class TBase> int SECListImpl<TBase>::IndexFromPointAlias(POINT* pPoint) {
    return IndexFromPoint(pPoint);
}

template <class TBase> int SECListImpl<TBase>::GetItemsHeight(int nFrom, int nTo, BOOL bInclusive) {
    const bool bNegate = nFrom > nTo;
    if (bNegate)
        std::swap(nFrom, nTo);
    nFrom = std::max(nFrom, 0);
    const int nEnd = std::min(bInclusive ? nTo + 1 : nTo, GetItemCount());
    long long nSum = 0;
    for (int i = nFrom; i < nEnd; ++i)
        nSum += RowHeight(i);
    nSum = std::min<long long>(nSum, INT_MAX);
    return bNegate ? -(int)nSum : (int)nSum;
}

template <class TBase>
int SECListImpl<TBase>::GetRowsInHeight(int nHeight, int nStartRow, BOOL bDown) {
    const int nCount = GetItemCount();
    int nSum = 0, nRows = 0;
    for (int i = nStartRow; i >= 0 && i < nCount && nSum < nHeight; i += bDown ? 1 : -1) {
        nSum += RowHeight(i);
        ++nRows;
    }
    return nRows;
}

// ---- Invalidation.

template <class TBase> void SECListImpl<TBase>::FillBelow(const CRect& rcBelow) {
    if (GetSafeHwnd() == NULL || rcBelow.IsRectEmpty())
        return;
    HDC hdc = ::GetDC(m_hWnd);
    if (hdc == NULL)
        return;
    HBRUSH hBrush = ::CreateSolidBrush(GetBkColor());
    ::FillRect(hdc, &rcBelow, hBrush);
    ::DeleteObject(hBrush);
    ::ReleaseDC(m_hWnd, hdc);
}

template <class TBase>
BOOL SECListImpl<TBase>::InvalidateItem(int nRow, BOOL bLabelOnly, BOOL bToBottom, BOOL bErase,
                                        BOOL bUpdateNow) {
    if (GetSafeHwnd() == NULL || nRow < m_nTopIndex || nRow < 0)
        return FALSE;
    CRect rcInside;
    GetInsideRect(&rcInside);
    int y = rcInside.top;
    // Rows below the page need no painting: the walk stops at the bottom.
    for (int i = m_nTopIndex; i < nRow && i < GetItemCount(); ++i) {
        y += RowHeight(i);
        if (y >= rcInside.bottom)
            return TRUE;
    }
    CRect rc(rcInside.left, y, rcInside.right, y + RowHeight(nRow));
    if (bToBottom) {
        if (!bErase)
            FillBelow(CRect(rcInside.left, rc.bottom, rcInside.right, rcInside.bottom));
        rc.bottom = rcInside.bottom;
    }
    if (bLabelOnly && !HasExStyle(LVXS_FULLROWSELECT)) {
        CRect rcLabel;
        if (GetMainItemRect(nRow, &rcLabel, LVIR_LABEL)) {
            rc.left = rcLabel.left - 3;
            rc.right = rcLabel.right + 3;
        }
    }
    if (bUpdateNow)
        ::RedrawWindow(m_hWnd, &rc, NULL,
                       RDW_INVALIDATE | RDW_UPDATENOW | (bErase ? RDW_ERASE : 0));
    else
        ::InvalidateRect(m_hWnd, &rc, bErase);
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::InvalidateItems(int nFirst, int nLast) {
    if (GetSafeHwnd() == NULL)
        return FALSE;
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    nFirst = std::max(nFirst, m_nTopIndex);
    if (nFirst > nLast)
        return TRUE;
    CRect rcInside;
    GetInsideRect(&rcInside);
    int y = rcInside.top;
    for (int i = m_nTopIndex; i < nFirst && i < GetItemCount() && y < rcInside.bottom; ++i)
        y += RowHeight(i);
    int yEnd = y;
    for (int i = nFirst; i <= nLast && i < GetItemCount() && yEnd < rcInside.bottom; ++i)
        yEnd += RowHeight(i);
    CRect rc(rcInside.left, y, rcInside.right, std::min(yEnd, (int)rcInside.bottom));
    if (!rc.IsRectEmpty())
        ::InvalidateRect(m_hWnd, &rc, TRUE);
    return TRUE;
}

// ---- Scroll bars.

template <class TBase> int SECListImpl<TBase>::GetScrollItemCount() {
    return GetItemCount();
}

template <class TBase> SIZE* SECListImpl<TBase>::GetViewExtent(SIZE* pSize) {
    if (pSize != NULL) {
        pSize->cx = CalcContentWidth(NULL);
        pSize->cy = GetScrollItemCount();
    }
    return pSize;
}

template <class TBase> int SECListImpl<TBase>::CalcContentWidth(SECListPaintContext* /*pContext*/) {
    CRect rcInside;
    GetInsideRect(&rcInside);
    if (GetColumnCount() >= 2) {
        long long nSum = 0;
        for (int i = 0; i < GetColumnCount(); ++i)
            nSum += GetColumnAt(i)->cx;
        return (int)std::min<long long>(nSum, INT_MAX / 2);
    }
    const int nCount = GetItemCount();
    int nFrom = 0, nTo = nCount;
    if (IsWordWrap()) {
        nFrom = std::min(m_nTopIndex, nCount);
        nTo = GetIndexBelowPage();
    }
    int nWidth = 0;
    for (int i = nFrom; i < nTo; ++i) {
        EnsureMeasured(i);
        if (SECListItem* pRow = GetItemAt(i))
            nWidth = std::max(nWidth, (int)pRow->rcText.right + 5);
    }
    if ((m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT)
        nWidth = std::max(nWidth, (int)rcInside.Width());
    return nWidth;
}

template <class TBase> CScrollBar* SECListImpl<TBase>::GetScrollBarCtrl(int nBar) const {
    if (nBar == SB_HORZ)
        return m_pScrollBars[0];
    if (nBar == SB_VERT)
        return m_pScrollBars[1];
    return NULL;
}

template <class TBase> BOOL SECListImpl<TBase>::CreateScrollBar(DWORD dwStyle, UINT nID) {
    const int nIndex = nID == SECLIST_HSCROLL_ID ? 0 : 1;
    std::unique_ptr<CScrollBar> pBar(new CScrollBar);
    if (!pBar->Create(dwStyle | WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, nID))
        return FALSE;
    delete m_pScrollBars[nIndex];
    m_pScrollBars[nIndex] = pBar.release();
    return TRUE;
}

// Whether the bar's range, page and position are already those the record sets.
inline bool SECListSameScrollInfo(CScrollBar* pBar, const SCROLLINFO& want) {
    SCROLLINFO now = {};
    now.cbSize = sizeof(SCROLLINFO);
    now.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!::GetScrollInfo(pBar->m_hWnd, SB_CTL, &now))
        return false;
    const UINT m = want.fMask;
    return (!(m & SIF_RANGE) || (now.nMin == want.nMin && now.nMax == want.nMax)) &&
           (!(m & SIF_PAGE) || now.nPage == want.nPage) &&
           (!(m & SIF_POS) || now.nPos == want.nPos);
}

template <class TBase>
BOOL SECListImpl<TBase>::ShowScrollBarCtrl(int nBar, BOOL bShow, SCROLLINFO* pInfo) {
    if (HasStyle(LVS_NOSCROLL))
        bShow = FALSE;
    if (nBar == SB_BOTH) {
        const BOOL bH = ShowScrollBarCtrl(SB_HORZ, bShow, pInfo);
        return ShowScrollBarCtrl(SB_VERT, bShow, pInfo) && bH;
    }
    if (GetSafeHwnd() == NULL || (nBar != SB_HORZ && nBar != SB_VERT))
        return FALSE;
    const int nIndex = nBar == SB_HORZ ? 0 : 1;
    const DWORD dwFlag = nBar == SB_HORZ ? SECLIST_HSCROLL_SHOWN : SECLIST_VSCROLL_SHOWN;
    CScrollBar*& pBar = m_pScrollBars[nIndex];
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL) {
        if (!bShow)
            return TRUE;
        if (!CreateScrollBar(nBar == SB_HORZ ? SBS_HORZ : SBS_VERT,
                             nBar == SB_HORZ ? SECLIST_HSCROLL_ID : SECLIST_VSCROLL_ID))
            AfxThrowResourceException();
        ::ShowWindow(pBar->m_hWnd, SW_HIDE);
    }
    const bool bWasShown = (m_dwScrollStyle & dwFlag) != 0;
    // A shown bar that already says this is left alone: painting it again for nothing costs the
    // window server a round trip on every refill.
    const bool bSame = bWasShown && bShow && pInfo != NULL && SECListSameScrollInfo(pBar, *pInfo);
    if (pInfo != NULL && !bSame)
        pBar->SetScrollInfo(pInfo, FALSE);
    if (bShow)
        m_dwScrollStyle |= dwFlag;
    else
        m_dwScrollStyle &= ~dwFlag;
    if (bWasShown != (bShow != FALSE)) {
        // One window-position change: LayoutScrollBars places a bar shown (it paints there with
        // the next update), and the strip of a hidden one is painted with the rows. The rows
        // erase nothing, so the window server is not asked to erase the strip at once: that would
        // take a device context for the window, and each one the next change has to release
        // costs the window server several round trips.
        ::SetWindowPos(pBar->m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_DEFERERASE |
                           (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    } else if (bShow && pInfo != NULL && !bSame) {
        ::InvalidateRect(pBar->m_hWnd, NULL, FALSE);
    }
    return TRUE;
}

template <class TBase> void SECListImpl<TBase>::UpdateScrollBars() {
    const StateCache state(this, false); // the rows measured here ask for colours
    UpdateVScroll(GetScrollItemCount());
    const BOOL bWrap = IsWordWrap();
    if (bWrap)
        InvalidateAllHeights();
    CRect rcBefore;
    GetInsideRect(&rcBefore);
    UpdateHScroll(CalcContentWidth(NULL));
    // The vertical bar is set again only when what it shows may have changed: the rows'
    // heights, or the height the horizontal bar leaves them.
    CRect rcAfter;
    GetInsideRect(&rcAfter);
    if (bWrap || rcAfter != rcBefore)
        UpdateVScroll(GetScrollItemCount());
    LayoutScrollBars();
}

template <class TBase> void SECListImpl<TBase>::UpdateVScroll(int nRowCount) {
    CRect rcBefore;
    GetInsideRect(&rcBefore);
    const int p = GetCountPerPage();
    if (nRowCount <= p) {
        if (m_nTopIndex != 0) {
            m_nTopIndex = 0;
            Repaint(TRUE);
        }
        ShowScrollBarCtrl(SB_VERT, FALSE, NULL);
    } else {
        const int nLastTop = GetLastPageTopIndex();
        if (m_nTopIndex > nLastTop) {
            m_nTopIndex = nLastTop;
            Repaint(TRUE);
        }
        SCROLLINFO si = {sizeof(SCROLLINFO), SIF_ALL, 0, nRowCount - 1, (UINT)p, m_nTopIndex, 0};
        ShowScrollBarCtrl(SB_VERT, TRUE, &si);
    }
    CRect rcAfter;
    GetInsideRect(&rcAfter);
    if (rcAfter.Width() != rcBefore.Width() && AutoFitColumns())
        Repaint(TRUE);
}

template <class TBase> BOOL SECListImpl<TBase>::UpdateHScroll(int nContentWidth) {
    CRect rcInside;
    GetInsideRect(&rcInside);
    if (nContentWidth <= rcInside.Width()) {
        if (m_ptScroll.x != 0) {
            m_ptScroll.x = 0;
            Repaint(FALSE);
        }
        return ShowScrollBarCtrl(SB_HORZ, FALSE, NULL);
    }
    if (m_ptScroll.x > nContentWidth - rcInside.Width())
        ScrollHorz(m_ptScroll.x - (nContentWidth - rcInside.Width()));
    SCROLLINFO si = {sizeof(SCROLLINFO),     SIF_ALL,      0, nContentWidth,
                     (UINT)rcInside.Width(), m_ptScroll.x, 0};
    return ShowScrollBarCtrl(SB_HORZ, TRUE, &si);
}

template <class TBase> void SECListImpl<TBase>::LayoutScrollBars() {
    if (GetSafeHwnd() == NULL)
        return;
    CRect rcClient, rcInside;
    GetClientRect(&rcClient);
    GetInsideRect(&rcInside);
    const int cxV = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyH = ::GetSystemMetrics(SM_CYHSCROLL);
    const bool bHeader = (m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT && IsHeaderVisible();
    CRect rcWant[2] = {
        CRect(CPoint(rcInside.left, rcInside.bottom - 1), CSize(rcInside.Width() + 1, cyH)),
        CRect(CPoint(rcInside.right, rcClient.top),
              CSize(cxV, rcInside.Height() + 1 + (bHeader ? m_nHeaderHeight : 0)))};
    // A batch costs a handle from the window server: begun only when a bar moves.
    HDWP hdwp = NULL;
    bool bMoved = false;
    for (int i = 0; i < 2; ++i) {
        CScrollBar* pBar = m_pScrollBars[i];
        // A hidden bar stays where it is until it is shown again: moving it would cost a
        // window-position change for nothing.
        const DWORD dwShown = i == 0 ? SECLIST_HSCROLL_SHOWN : SECLIST_VSCROLL_SHOWN;
        if (pBar == NULL || pBar->GetSafeHwnd() == NULL || !(m_dwScrollStyle & dwShown))
            continue;
        CRect rcNow;
        ::GetWindowRect(pBar->m_hWnd, &rcNow);
        ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)&rcNow, 2);
        if (rcNow == rcWant[i])
            continue;
        if (!bMoved) {
            bMoved = true;
            hdwp = ::BeginDeferWindowPos(2);
        }
        if (hdwp != NULL)
            hdwp = ::DeferWindowPos(hdwp, pBar->m_hWnd, NULL, rcWant[i].left, rcWant[i].top,
                                    rcWant[i].Width(), rcWant[i].Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(pBar->m_hWnd, NULL, TRUE);
    }
    if (hdwp != NULL)
        ::EndDeferWindowPos(hdwp);
}

// ---- Column fitting.

template <class TBase> int SECListImpl<TBase>::FitMainColumn() {
    const int nMain = LastMainColumn();
    if (nMain < 0)
        return 0;
    CRect rcInside;
    GetInsideRect(&rcInside);
    long long nOthers = 0;
    for (int i = 0; i < GetColumnCount(); ++i)
        if (i != nMain)
            nOthers += GetColumnAt(i)->cx;
    const long long nWidth = rcInside.Width() - nOthers;
    GetColumnAt(nMain)->cx = ClampColumnWidth((int)std::max<long long>(nWidth, 0));
    return GetColumnAt(nMain)->cx;
}

template <class TBase> BOOL SECListImpl<TBase>::AutoFitColumns() {
    if (GetColumnCount() == 1 || HasExStyle(LVXS_FITCOLUMNSONSIZE)) {
        FitMainColumn();
        return TRUE;
    }
    return FALSE;
}

// ---- Cell rectangles.

template <class TBase>
BOOL SECListImpl<TBase>::GetSubItemRect(int nRow, int nCol, RECT* pRect, int nCode) {
    SECListColumn* pCol = GetColumnAt(nCol);
    if (pRect == NULL || pCol == NULL || !IsValidRow(nRow) || nRow < m_nTopIndex)
        return FALSE;
    CRect rcInside;
    GetInsideRect(&rcInside);
    int y = rcInside.top;
    for (int i = m_nTopIndex; i < nRow; ++i)
        y += RowHeight(i);
    const int h = RowHeight(nRow);
    CRect rc(GetColumnLeft(nCol), y, GetColumnLeft(nCol) + pCol->cx, y + h);
    SECListItem* pRow = GetItemAt(nRow);
    if (nCode == LVIR_BOUNDS) {
        if (GetColumnCount() < 2)
            rc.right = std::max((int)rcInside.right, (int)(rc.left + pRow->rcText.right + 5));
        *pRect = rc;
        return TRUE;
    }
    if (pCol->iSubItem > 0) {
        if (nCode != LVIR_LABEL)
            return FALSE;
        SECListSubItem* pSub = pRow->GetSubItem(pCol->iSubItem);
        const RECT rcText = pSub != NULL ? pSub->rcText : RECT{6, 2, 6, 2};
        const int w = rcText.right - rcText.left;
        const int left = (pCol->fmt & 3) == LVCFMT_CENTER ? rc.left + (rc.Width() - w) / 2
                                                          : rc.left + rcText.left;
        ::SetRect(pRect, left, rc.top, left + w, rc.bottom);
        return TRUE;
    }
    if (nCode == LVIR_LABEL) {
        ::SetRect(pRect, rc.left + pRow->rcText.left, rc.top, rc.left + pRow->rcText.right,
                  rc.bottom);
        return TRUE;
    }
    CRect rcIcon = pRow->rcIcon;
    rcIcon.OffsetRect(rc.left, rc.top);
    *pRect = rcIcon;
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::GetMainItemRect(int nRow, RECT* pRect, int nCode) {
    const int nMain = MainColumn();
    return nMain >= 0 ? GetSubItemRect(nRow, nMain, pRect, nCode) : FALSE;
}

template <class TBase> BOOL SECListImpl<TBase>::GetScrollOffset(POINT* pOffset) {
    if (pOffset == NULL)
        return FALSE;
    *pOffset = m_ptScroll;
    return TRUE;
}
