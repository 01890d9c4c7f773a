// Painting the list: off-screen through SECMemDC (directly when that cannot be made), the
// header drawn by the list itself (classic or through the "HEADER" theme), rows cell by cell.
#pragma once

#include "listtree/list_base.h"
#include "listtree/list_shared.h"
#include "toolbars/drawing/memdc.h"
#include "toolbars/drawing/themeapi.h"

#include <algorithm>

template <class TBase> bool SECListImpl<TBase>::HasFocusNow() const {
    if (m_nPaintFocus >= 0)
        return m_nPaintFocus != 0;
    const bool bFocus = m_hWnd != NULL && ::GetFocus() == m_hWnd;
    if (m_nPaintFocus == -2)
        m_nPaintFocus = bFocus ? 1 : 0;
    return bFocus;
}

template <class TBase> bool SECListImpl<TBase>::IsEnabledNow() const {
    if (m_nPaintEnabled >= 0)
        return m_nPaintEnabled != 0;
    return m_hWnd == NULL || ::IsWindowEnabled(m_hWnd);
}

template <class TBase> SECListPaintContext* SECListImpl<TBase>::NewPaintContext(CDC* pDC) {
    auto* pContext = new SECListPaintContext;
    pContext->pdc = pDC;
    pContext->nView = m_dwListStyle & LVS_TYPEMASK;
    return pContext;
}

template <class TBase> BOOL SECListImpl<TBase>::NewMemDC(CDC* pDC, CDC** ppMemDC, RECT* pRect) {
    *ppMemDC = NULL;
    try {
        // The list's own bitmap is kept for the next paint, unless a paint inside this one (an
        // owner updating the window while answering) finds it taken.
        if (m_bPaintBufferTaken) {
            *ppMemDC = new SECMemDC(pDC, CRect(*pRect));
        } else {
            KeepPaintBufferFor(pDC, *pRect);
            *ppMemDC = new SECMemDC(pDC, CRect(*pRect), &m_paintBuffer);
            m_bPaintBufferTaken = TRUE;
        }
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

// The kept bitmap covers the whole client area at once: a paint of it all right after a scroll
// bar went (one bar wider than the paints before) must not make a fresh bitmap, whose first
// touch of every page costs more than the paint itself.
template <class TBase> void SECListImpl<TBase>::KeepPaintBufferFor(CDC* pDC, const RECT& rcPaint) {
    CRect rcClient;
    if (GetSafeHwnd() != NULL)
        GetClientRect(&rcClient);
    const int cx = std::max<int>(rcClient.Width(), rcPaint.right - rcPaint.left);
    const int cy = std::max<int>(rcClient.Height(), rcPaint.bottom - rcPaint.top);
    BITMAP bm = {};
    if (m_paintBuffer.GetSafeHandle() != NULL && m_paintBuffer.GetBitmap(&bm) && bm.bmWidth >= cx &&
        bm.bmHeight >= cy)
        return;
    m_paintBuffer.DeleteObject();
    m_paintBuffer.CreateCompatibleBitmap(pDC, cx, cy); // on failure SECMemDC makes its own
}

template <class TBase> BOOL SECListImpl<TBase>::LoadDrawRecord(SECListPaintContext* pContext) {
    LVITEM& lvi = pContext->lvi;
    lvi.mask = LVIF_TEXT | LVIF_STATE | LVIF_IMAGE | LVIF_PARAM;
    lvi.stateMask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_DROPHILITED;
    lvi.pszText = m_pszBuffer.get();
    lvi.cchTextMax = SECLIST_TEXT_MAX;
    lvi.pszText[0] = 0;
    pContext->nView = m_dwListStyle & LVS_TYPEMASK;
    const int nRow = lvi.iItem;
    const unsigned nGeneration = m_nGeneration;
    if (!GetItem(&lvi, FALSE, TRUE))
        return FALSE;
    if (nGeneration != m_nGeneration)
        return FALSE;
    if (lvi.mask & LVIF_DI_SETITEM) {
        LVITEM store = {};
        SECListCopyItemCore(&store, &lvi);
        store.iItem = nRow;
        store.mask &= LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_DI_SETITEM;
        SetItem(&store, FALSE);
        lvi.mask &= ~LVIF_DI_SETITEM;
    }
    if (lvi.pszText == NULL || SECListIsCallback(lvi.pszText))
        lvi.pszText = const_cast<LPTSTR>(L"");
    // A row's own state bits (the list keeps selection, caret and drop highlight itself).
    if (nRow == m_nDropHilite)
        lvi.state |= LVIS_DROPHILITED;
    SECListItemEx ext;
    ext.stateMask = ~0u;
    GetItemEx(&lvi, &ext, TRUE);
    pContext->lvix = ext;
    pContext->rgbItemBk = PickBkColor(pContext);
    pContext->rgbAlt = PickAltColors(pContext);
    PickTextColors(pContext);
    pContext->pFont = PickTextFont(pContext);
    return TRUE;
}

template <class TBase> COLORREF SECListImpl<TBase>::PickBkColor(SECListPaintContext* pContext) {
    pContext->rgbItemBk = GetBkColor();
    return pContext->rgbItemBk;
}

template <class TBase> COLORREF SECListImpl<TBase>::PickAltColors(SECListPaintContext* pContext) {
    if (!IsEnabledNow())
        pContext->rgbAlt = GetBkColor();
    else if ((pContext->lvi.state & LVIS_SELECTED) && HasFocusNow())
        pContext->rgbAlt = GetSelAltBkColor();
    else
        pContext->rgbAlt = GetAltBkColor();
    return pContext->rgbAlt;
}

template <class TBase> void SECListImpl<TBase>::PickTextColors(SECListPaintContext* pContext) {
    const SECListSharedColors& shared = SECListShared();
    if (!IsEnabledNow()) {
        pContext->rgbText = GetDisabledTextColor();
        pContext->rgbTextBk = shared.rgbInactiveSelBk;
        return;
    }
    const bool bFocus = HasFocusNow();
    const bool bSubCell = pContext->pCol != NULL && pContext->pCol->iSubItem != 0;
    const bool bFullRow = HasExStyle(LVXS_FULLROWSELECT);
    const bool bDisabledRow = (pContext->lvix.state & SECLIST_EXSTATE_DISABLED) != 0;
    bool bHighlight =
        (pContext->lvi.state & LVIS_SELECTED) && (HasStyle(LVS_SHOWSELALWAYS) || bFocus);
    if (bSubCell && !bFullRow)
        bHighlight = false;
    if (bHighlight) {
        if (!bFocus && m_nEditItem < 0) {
            pContext->rgbText = shared.rgbInactiveSelText;
            pContext->rgbTextBk = shared.rgbInactiveSelBk;
        } else {
            pContext->rgbText = bDisabledRow ? GetDisabledTextColor() : m_rgbSelText;
            pContext->rgbTextBk = m_rgbSelTextBk;
        }
    } else {
        pContext->rgbText = bDisabledRow ? GetDisabledTextColor() : GetTextColor();
        pContext->rgbTextBk = GetTextBkColor();
    }
    if (pContext->lvi.iItem == m_nDropHilite && (!bSubCell || bFullRow)) {
        pContext->rgbText = m_rgbSelText;
        pContext->rgbTextBk = m_rgbSelTextBk;
    }
}

template <class TBase> CFont* SECListImpl<TBase>::PickTextFont(SECListPaintContext* pContext) {
    pContext->pFont = GetItemFont();
    return pContext->pFont;
}

template <class TBase> CPen** SECListImpl<TBase>::GetGridPen(CPen** ppPen) {
    if (ppPen != NULL)
        *ppPen = SECListGridPen();
    return ppPen;
}

template <class TBase> CPen** SECListImpl<TBase>::GetGridPenAlt(CPen** ppPen) {
    if (ppPen != NULL)
        *ppPen = SECListGridPen();
    return ppPen;
}

template <class TBase> void SECListImpl<TBase>::OnPaint() {
    CPaintDC dc(this);
    DoPaint(&dc);
}

template <class TBase> BOOL SECListImpl<TBase>::OnEraseBkgnd(CDC*) {
    return TRUE;
}

template <class TBase> void SECListImpl<TBase>::PaintDirect(CDC* pDC, const CRect& rcInside) {
    std::unique_ptr<SECListPaintContext> pContext(NewPaintContext(pDC));
    pContext->pdc = pDC;
    if ((m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT && IsHeaderVisible())
        DrawHeader(pContext.get());
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rcInside);
    DrawItems(pContext.get());
    pDC->RestoreDC(nSaved);
}

// The bottom of the rows shown from the top index, where every one of them has its height;
// otherwise (a row not measured yet, a view that is not a column of rows) the bottom of the
// inside, as if rows filled it.
template <class TBase> int SECListImpl<TBase>::RowsBottom(const CRect& rcInside) {
    if ((m_dwListStyle & LVS_TYPEMASK) != LVS_REPORT)
        return rcInside.bottom;
    int y = rcInside.top;
    for (int i = m_nTopIndex; i < GetItemCount() && y < rcInside.bottom; ++i) {
        const SECListItem* pRow = GetItemAt(i);
        if (pRow->bDirty || pRow->cy < 0)
            return rcInside.bottom;
        y += GetRowSpacing() + pRow->cy;
    }
    return std::min<int>(y, rcInside.bottom);
}

template <class TBase> void SECListImpl<TBase>::DoPaint(CDC* pDC) {
    if (pDC == NULL)
        return;
    const StateCache state(this, true);
    CRect rcInside, rcClient;
    GetInsideRect(&rcInside);
    GetClientRect(&rcClient);
    if (IsPrintingDC(pDC)) {
        std::unique_ptr<SECListPaintContext> pContext(NewPaintContext(pDC));
        pContext->pdc = pDC;
        if ((m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT && IsHeaderVisible())
            DrawHeader(pContext.get());
        DrawItems(pContext.get());
        return;
    }
    const bool bH = (m_dwScrollStyle & SECLIST_HSCROLL_SHOWN) != 0;
    const bool bV = (m_dwScrollStyle & SECLIST_VSCROLL_SHOWN) != 0;
    CRect rcPaint = rcClient;
    if (bV)
        rcPaint.right = rcInside.right;
    if (bH)
        rcPaint.bottom = rcInside.bottom;
    // Only what needs painting is drawn and copied: a strip scrolled into view, a changed row.
    CRect rcClip;
    if (pDC->GetClipBox(&rcClip) != ERROR && rcClip.Width() > 0 && rcClip.Height() > 0)
        rcPaint.IntersectRect(&rcPaint, &rcClip);
    if (!rcPaint.IsRectEmpty()) {
        struct BufferBack {
            BOOL& bTaken;
            const BOOL bBefore;
            ~BufferBack() { bTaken = bBefore; }
        } bufferBack{m_bPaintBufferTaken, m_bPaintBufferTaken};
        // Without rows the paint is the background alone, one fill that cannot flicker: an
        // off-screen copy would only double it.
        const bool bHeader = (m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT && IsHeaderVisible();
        const bool bBackgroundOnly = GetItemCount() == 0 && !bHeader;
        CDC* pMemDC = NULL;
        if (!m_bItemDrag && !m_bHeaderDrag && !bBackgroundOnly) {
            // The background below the last row is filled in place, for the same reason: a few
            // rows in a large window then cost a few rows, not a copy of the whole window (whose
            // first paint would also touch every page of a fresh bitmap).
            CRect rcRows = rcPaint;
            rcRows.bottom = std::min<int>(rcRows.bottom, RowsBottom(rcInside));
            if (rcRows.bottom < rcPaint.bottom) {
                pDC->FillSolidRect(CRect(rcPaint.left, std::max(rcRows.bottom, rcPaint.top),
                                         rcPaint.right, rcPaint.bottom),
                                   GetBkColor());
                rcPaint.bottom = std::max(rcRows.bottom, rcPaint.top);
            }
            if (!rcPaint.IsRectEmpty())
                NewMemDC(pDC, &pMemDC, &rcPaint);
        }
        std::unique_ptr<CDC> pOwnedMem(pMemDC);
        CDC* pTarget = pMemDC != NULL ? pMemDC : pDC;
        pTarget->FillSolidRect(&rcPaint, GetBkColor());
        struct Prefilled {
            SECListImpl* p;
            ~Prefilled() { p->m_pPrefilledDC = NULL; }
        } prefilled{this};
        m_pPrefilledDC = pTarget;
        m_rgbPrefilled = GetBkColor();
        PaintDirect(pTarget, rcInside);
        m_pPrefilledDC = NULL;
        pOwnedMem.reset(); // copies the off-screen picture to the window
    }
    if (bH && bV && GetSafeHwnd() != NULL) {
        CRect rcCorner(rcInside.right, rcInside.bottom, rcClient.right, rcClient.bottom);
        pDC->FillSolidRect(&rcCorner, SECListShared().rgbFace);
    }
}

// ---- Header.

template <class TBase>
void SECListImpl<TBase>::DrawHeaderText(CDC* pDC, SECListColumn* pCol, CRect rc) {
    UINT nFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
    const int nAlign = pCol->fmt & 3;
    if (nAlign == LVCFMT_RIGHT)
        nFormat |= DT_RIGHT;
    else if (nAlign == LVCFMT_CENTER)
        nFormat |= DT_CENTER;
    CImageList* pHeaderImages = m_pImageLists[3];
    const int nItemWidth = rc.Width() + 11;
    if (pHeaderImages != NULL && pCol->iImage >= 0 && nItemWidth > 22) {
        UINT nIconFormat = nFormat;
        if (DrawHeaderIcon(pDC, pCol, &rc, &nIconFormat))
            nFormat = nIconFormat;
    }
    const CSize sz = pDC->GetTextExtent(pCol->strHeading);
    if (sz.cx > rc.Width())
        nFormat |= DT_END_ELLIPSIS;
    pDC->DrawText(pCol->strHeading, &rc, nFormat);
}

template <class TBase>
BOOL SECListImpl<TBase>::DrawHeaderIcon(CDC* pDC, SECListColumn* pCol, RECT* pRect, UINT* pFormat) {
    CImageList* pList = m_pImageLists[3];
    if (pList == NULL || pList->GetSafeHandle() == NULL || pCol == NULL)
        return FALSE;
    int cx = 16, cy = 16;
    pList->GetIconSize(&cx, &cy);
    const int w = pDC->GetTextExtent(pCol->strHeading).cx;
    const int nAlign = pCol->fmt & 3;
    const int nWidth = pRect->right - pRect->left;
    int x = pRect->left;
    if (nAlign == LVCFMT_CENTER)
        x = pRect->left + (nWidth - w - 26) / 2;
    else if (nAlign == LVCFMT_RIGHT)
        x = pRect->right - w - 26;
    const bool bRight = (pCol->fmt & LVCFMT_BITMAP_ON_RIGHT) != 0;
    if (bRight)
        x = std::min(x + w + 10, (int)pRect->right - cx);
    x = std::max(x, (int)pRect->left);
    HICON hIcon = ImageList_GetIcon(pList->GetSafeHandle(), pCol->iImage, ILD_NORMAL);
    if (hIcon != NULL) {
        ::DrawIconEx(pDC->m_hDC, x, pRect->top + 1, hIcon, cx, cy, 0, NULL, DI_NORMAL);
        ::DestroyIcon(hIcon);
    }
    *pFormat &= ~(DT_CENTER | DT_RIGHT);
    if (bRight) {
        pRect->right = x - 10;
        *pFormat |= DT_RIGHT;
    } else {
        pRect->left = x + cx + 10;
    }
    return TRUE;
}

template <class TBase>
void SECListImpl<TBase>::DrawHeaderItemFace(CDC* pDC, SECListColumn* pCol, int nCol,
                                            const CRect& rcItem, BOOL bPressed, HTHEME hTheme) {
    (void)pCol;
    CRect rc = rcItem;
    if (hTheme != NULL) {
        const int nPart = nCol >= GetColumnCount() ? 3 : HP_HEADERITEM;
        const int nState = bPressed ? 3 : (nCol == m_nHotColumn ? 2 : 1);
        DynDrawThemeBackground(hTheme, pDC->m_hDC, nPart, nPart == 3 ? 1 : nState, &rc, NULL);
    } else if (bPressed) {
        pDC->DrawFrameControl(&rc, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_FLAT);
    } else {
        pDC->DrawFrameControl(&rc, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
}

template <class TBase> void SECListImpl<TBase>::DrawHeader(SECListPaintContext* pContext) {
    CDC* pDC = pContext->pdc;
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nContent = std::max(CalcContentWidth(NULL), (int)rcClient.Width());
    CRect rcBand(-m_ptScroll.x, rcClient.top, nContent - m_ptScroll.x + rcClient.left,
                 rcClient.top + m_nHeaderHeight);
    rcBand.right = std::max(rcBand.right, rcClient.right);
    if (!IsPrintingDC(pDC) && !pDC->RectVisible(&rcBand))
        return;
    CFont* pOldFont = pDC->SelectObject(GetHeaderFont());
    pDC->FillRect(&rcBand, SECListHeaderBrush());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    HTHEME hTheme = NULL;
    if (!IsPrintingDC(pDC) && DynIsAppThemed() && DynIsThemeActive())
        hTheme = DynOpenThemeData(m_hWnd, L"HEADER");
    int x = rcClient.left - m_ptScroll.x;
    for (int i = 0; i < GetColumnCount(); ++i) {
        SECListColumn* pCol = GetColumnAt(i);
        CRect rcItem(x, rcBand.top, x + pCol->cx, rcBand.bottom);
        if (pCol->cx > 0)
            DrawHeaderItemFace(pDC, pCol, i, rcItem, FALSE, hTheme);
        x += pCol->cx;
    }
    if (x < rcBand.right)
        DrawHeaderItemFace(pDC, NULL, GetColumnCount(),
                           CRect(x, rcBand.top, rcBand.right, rcBand.bottom), FALSE, hTheme);
    if (hTheme != NULL)
        DynCloseThemeData(hTheme);
    x = rcClient.left - m_ptScroll.x;
    const COLORREF rgbOld = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < GetColumnCount(); ++i) {
        SECListColumn* pCol = GetColumnAt(i);
        CRect rcText(x + 6, rcBand.top, x + pCol->cx - 5, rcBand.bottom);
        if (rcText.right > rcText.left)
            DrawHeaderText(pDC, pCol, rcText);
        x += pCol->cx;
    }
    pDC->SetTextColor(rgbOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

template <class TBase> void SECListImpl<TBase>::DrawHeaderItem(int nCol, BOOL bPressed) {
    if (GetSafeHwnd() == NULL || nCol <= 0 || nCol > GetColumnCount() ||
        (m_dwListStyle & LVS_TYPEMASK) != LVS_REPORT || !IsHeaderVisible())
        return;
    CRect rcInside, rcClient;
    GetInsideRect(&rcInside);
    GetClientRect(&rcClient);
    CRect rcItem;
    if (nCol == GetColumnCount())
        rcItem.SetRect(GetColumnLeft(nCol), 0, rcClient.right, m_nHeaderHeight);
    else
        rcItem.SetRect(GetColumnLeft(nCol), 0, GetColumnRight(nCol), m_nHeaderHeight);
    CClientDC dc(this);
    dc.IntersectClipRect(rcClient.left, 0, rcInside.right, m_nHeaderHeight);
    CFont* pOldFont = dc.SelectObject(GetHeaderFont());
    dc.FillRect(&rcItem, SECListHeaderBrush());
    dc.SetBkMode(TRANSPARENT);
    HTHEME hTheme = NULL;
    if (DynIsAppThemed() && DynIsThemeActive())
        hTheme = DynOpenThemeData(m_hWnd, L"HEADER");
    SECListColumn* pCol = GetColumnAt(nCol);
    DrawHeaderItemFace(&dc, pCol, nCol, rcItem, bPressed, hTheme);
    if (hTheme != NULL)
        DynCloseThemeData(hTheme);
    if (pCol != NULL) {
        dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        CRect rcText(rcItem.left + 6, rcItem.top, rcItem.right - 5, rcItem.bottom);
        if (bPressed)
            rcText.OffsetRect(1, 1);
        DrawHeaderText(&dc, pCol, rcText);
    }
    dc.SelectObject(pOldFont);
}

// ---- Rows.

template <class TBase> void SECListImpl<TBase>::DrawItems(SECListPaintContext* pContext) {
    CDC* pDC = pContext->pdc;
    const bool bPrinting = IsPrintingDC(pDC);
    const int nCount = GetItemCount();
    const int nLast = bPrinting ? std::min(GetLastFullyVisibleIndex(pContext) + 1, nCount) : nCount;
    CRect rcInside;
    GetInsideRect(&rcInside);
    const unsigned nGeneration = m_nGeneration;
    int nDrawn = 0;
    // The rows' usual font stays selected through the walk: cells then select nothing.
    CFont* pRowFont = GetItemFont();
    const HGDIOBJ hWalkFont = pRowFont != NULL && pRowFont->GetSafeHandle() != NULL
                                  ? ::SelectObject(pDC->m_hDC, pRowFont->GetSafeHandle())
                                  : NULL;
    struct FontBack {
        HDC hdc;
        HGDIOBJ hOld;
        ~FontBack() {
            if (hOld != NULL)
                ::SelectObject(hdc, hOld);
        }
    } fontBack{pDC->m_hDC, hWalkFont};
    if (pContext->nView == LVS_REPORT) {
        const int nRight = CalcContentWidth(NULL) - m_ptScroll.x;
        int y = rcInside.top;
        for (int i = m_nTopIndex; i < nLast && y < rcInside.bottom; ++i) {
            SECListItem* pRow = GetItemAt(i);
            pContext->pItem = pRow;
            pContext->lvi.iItem = i;
            if (pRow->bDirty || pRow->cy < 0) {
                MeasureItemIfNeeded(pContext);
                if (nGeneration != m_nGeneration)
                    break;
            }
            const int h = GetRowSpacing() + std::max(0, pRow->cy);
            CRect rcRow(rcInside.left - m_ptScroll.x, y, std::max(nRight, (int)rcInside.right),
                        y + h);
            if (bPrinting || pDC->RectVisible(&rcRow)) {
                pContext->rect = rcRow;
                pContext->pItem = pRow;
                pContext->lvi.iItem = i;
                DrawRow(pContext);
                if (nGeneration != m_nGeneration)
                    break;
            }
            y += h;
            ++nDrawn;
        }
    } else if (pContext->nView == LVS_ICON && GetColumnCount() > 0) {
        const int cx = std::max(1, GetColumnAt(0)->cx);
        int x = rcInside.left - m_ptScroll.x, y = rcInside.top, nLineHeight = 0;
        for (int i = m_nTopIndex; i < nLast && y < rcInside.bottom; ++i) {
            SECListItem* pRow = GetItemAt(i);
            pContext->pItem = pRow;
            pContext->lvi.iItem = i;
            if (pRow->bDirty || pRow->cy < 0) {
                MeasureItemIfNeeded(pContext);
                if (nGeneration != m_nGeneration)
                    break;
            }
            if (x + cx > rcInside.right && x > rcInside.left) {
                x = rcInside.left - m_ptScroll.x;
                y += nLineHeight;
                nLineHeight = 0;
            }
            const int h = GetRowSpacing() + std::max(0, pRow->cy);
            CRect rcCell(x, y, x + cx, y + h);
            if (bPrinting || pDC->RectVisible(&rcCell)) {
                pContext->rect = rcCell;
                DrawRow(pContext);
                if (nGeneration != m_nGeneration)
                    break;
            }
            nLineHeight = std::max(nLineHeight, h);
            x += cx;
            ++nDrawn;
        }
    }
    if (nGeneration != m_nGeneration) {
        Repaint(TRUE); // the owner changed the rows while painting: paint them afresh
        return;
    }
    if (!bPrinting && (m_dwScrollStyle & SECLIST_VSCROLL_SHOWN) && m_pScrollBars[1] != NULL) {
        SCROLLINFO now = {sizeof(SCROLLINFO), SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        m_pScrollBars[1]->GetScrollInfo(&now, SIF_PAGE | SIF_POS);
        SCROLLINFO si = {sizeof(SCROLLINFO),        SIF_PAGE | SIF_POS, 0, 0,
                         (UINT)std::max(nDrawn, 1), m_nTopIndex,        0};
        // The bar is drawn once, with the window's children, not here as well: a draw of a
        // bar costs more than a dozen rows.
        if (now.nPage != si.nPage || now.nPos != si.nPos) {
            m_pScrollBars[1]->SetScrollInfo(&si, FALSE);
            ::InvalidateRect(m_pScrollBars[1]->m_hWnd, NULL, FALSE);
        }
    }
}

template <class TBase> void SECListImpl<TBase>::DrawRow(SECListPaintContext* pContext) {
    const int nRow = pContext->lvi.iItem;
    SECListItem* pRow = pContext->pItem;
    const unsigned nGeneration = m_nGeneration;
    if (ItemNeedsDispInfo(nRow)) {
        MeasureItemIfNeeded(pContext);
        if (nGeneration != m_nGeneration)
            return;
    }
    const CRect rcRow = pContext->rect;
    CDC* pDC = pContext->pdc;
    const bool bPrinting = IsPrintingDC(pDC);
    int x = rcRow.left;
    for (int i = 0; i < GetColumnCount(); ++i) {
        SECListColumn* pCol = GetColumnAt(i);
        int cx = pCol->cx;
        if (GetColumnCount() == 1)
            cx = std::max(cx, (int)pRow->rcText.right + 5);
        CRect rcCell(x, rcRow.top, x + cx, rcRow.bottom);
        x += cx;
        if (pContext->nView == LVS_ICON && i > 0)
            break;
        if (!bPrinting && !pDC->RectVisible(&rcCell))
            continue;
        pContext->iCol = i;
        pContext->pCol = pCol;
        pContext->lvi.iItem = nRow;
        pContext->lvi.iSubItem = std::max(0, pCol->iSubItem);
        pContext->pSubItem = pCol->iSubItem > 0 ? pRow->GetSubItem(pCol->iSubItem) : NULL;
        pContext->pItem = pRow;
        pContext->rect = rcCell;
        if (!LoadDrawRecord(pContext) || nGeneration != m_nGeneration)
            return;
        DrawItem(pContext);
    }
    pContext->rect = rcRow;
    pContext->lvi.iItem = nRow;
    if (pContext->nView != LVS_REPORT)
        return;
    const bool bFocus = HasFocusNow();
    if (HasExStyle(LVXS_FULLROWSELECT) && nRow == m_nFocusIndex && bFocus && GetColumnCount() > 1 &&
        !bPrinting) {
        CRect rcFocus = rcRow;
        CRect rcLabel;
        const int nMain = MainColumn();
        if (nMain >= 0)
            rcFocus.left = GetColumnLeft(nMain) + pRow->rcText.left - 3;
        rcFocus.right = std::min((int)rcFocus.right, GetColumnRight(GetColumnCount() - 1));
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->DrawFocusRect(&rcFocus);
    }
    CRect rcGrid = rcRow;
    if (HasExStyle(LVXS_VERTGRID))
        DrawVertGridLines(pDC, nRow, &rcGrid);
    if (HasExStyle(LVXS_HORZGRID))
        DrawHorzGridLine(pDC, nRow, &rcGrid);
}

template <class TBase> void SECListImpl<TBase>::DrawItem(SECListPaintContext* pContext) {
    FillCellBk(pContext->pdc, pContext->rect, pContext->rgbItemBk);
    const bool bMain = pContext->pCol != NULL && pContext->pCol->iSubItem == 0;
    if (bMain)
        DrawItemImages(pContext);
    DrawItemLabels(pContext);
}

template <class TBase> void SECListImpl<TBase>::DrawItemImages(SECListPaintContext* pContext) {
    CImageList* pList = m_pImageLists[pContext->nView == LVS_ICON ? 0 : 1];
    SECListItem* pRow = pContext->pItem;
    if (pList == NULL || pList->GetSafeHandle() == NULL || pRow == NULL ||
        ::IsRectEmpty(&pRow->rcIcon) || pContext->lvi.iImage < 0)
        return;
    const CPoint pt(pContext->rect.left + pRow->rcIcon.left, pContext->rect.top + pRow->rcIcon.top);
    if (pContext->nView == LVS_ICON) {
        const int cx = pRow->rcIcon.right - pRow->rcIcon.left;
        const int x = pContext->rect.left + (pContext->rect.right - pContext->rect.left - cx) / 2;
        pList->Draw(pContext->pdc, pContext->lvi.iImage, CPoint(x, pt.y), ILD_NORMAL);
        return;
    }
    pList->Draw(pContext->pdc, pContext->lvi.iImage, pt, ILD_NORMAL);
}

template <class TBase> void SECListImpl<TBase>::DrawItemLabels(SECListPaintContext* pContext) {
    CDC* pDC = pContext->pdc;
    SECListItem* pRow = pContext->pItem;
    const CRect rcCell = pContext->rect;
    CRect rcText(rcCell.left + 6, rcCell.top + 2, rcCell.right - 5, rcCell.bottom);
    const bool bMain = pContext->pCol != NULL && pContext->pCol->iSubItem == 0;
    const bool bIcon = bMain && pRow != NULL && !::IsRectEmpty(&pRow->rcIcon);
    const RECT rcLabel = pContext->pSubItem != NULL ? pContext->pSubItem->rcText
                         : pRow != NULL             ? pRow->rcText
                                                    : RECT{6, 2, 6, 2};
    if (bIcon) {
        if (pContext->nView == LVS_ICON) {
            rcText = rcLabel;
            rcText.OffsetRect(rcCell.left, rcCell.top);
            rcText.right = std::max((int)rcText.right, (int)rcCell.right - 8);
        } else {
            rcText.left = rcCell.left + pRow->rcIcon.right + 4;
            rcText.top = rcCell.top + 3;
            rcText.right = std::min((int)rcCell.right - 5,
                                    (int)(rcText.left + (rcLabel.right - rcLabel.left) + 1));
        }
    } else if (bMain) {
        rcText.top = rcCell.top + rcLabel.top;
    }
    // The highlight: the label (from the cell's left without an icon), the whole cell with
    // full-row select, never over the row's image.
    CRect rcHighlight(rcCell.left, rcCell.top, rcCell.left + rcLabel.right + 3, rcCell.bottom);
    if (bIcon)
        rcHighlight.SetRect(rcText.left - 2, rcCell.top, rcText.right + 2, rcCell.bottom);
    if (bIcon && pContext->nView == LVS_ICON)
        rcHighlight.top = rcText.top - 1; // the icon above the label stays visible
    if (HasExStyle(LVXS_FULLROWSELECT))
        rcHighlight.right = rcCell.right;
    rcHighlight.right = std::min(rcHighlight.right, rcCell.right);
    const bool bPrinting = IsPrintingDC(pDC);
    if (pContext->rgbTextBk != pContext->rgbItemBk && !bPrinting)
        pDC->FillSolidRect(&rcHighlight, pContext->rgbTextBk);
    const bool bEditing =
        pContext->lvi.iItem == m_nEditItem && pContext->iCol == std::max(0, m_nCurColumn);
    if (bEditing)
        return;
    HGDIOBJ hFont = pContext->pFont != NULL ? pContext->pFont->GetSafeHandle() : NULL;
    HGDIOBJ hOldFont = hFont != NULL && ::GetCurrentObject(pDC->m_hDC, OBJ_FONT) != hFont
                           ? ::SelectObject(pDC->m_hDC, hFont)
                           : NULL;
    const COLORREF rgbOldText = pDC->SetTextColor(pContext->rgbText);
    const COLORREF rgbOldBk = pDC->SetBkColor(pContext->rgbTextBk);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    UINT nFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER;
    const int nAlign = pContext->pCol != NULL ? (pContext->pCol->fmt & 3) : 0;
    if (nAlign == LVCFMT_RIGHT)
        nFormat |= DT_RIGHT;
    else if (nAlign == LVCFMT_CENTER)
        nFormat |= DT_CENTER;
    if (HasStyle(LVS_NOLABELWRAP))
        nFormat |= DT_END_ELLIPSIS | DT_SINGLELINE;
    LPCTSTR pszText = pContext->lvi.pszText != NULL ? pContext->lvi.pszText : L"";
    const int nLen = (int)::wcsnlen(pszText, SECLIST_TEXT_MAX);
    if (nFormat & DT_SINGLELINE) {
        int nLine = nLen;
        for (int i = 0; i < nLen; ++i)
            if (pszText[i] == L'\r' || pszText[i] == L'\n') {
                nLine = i;
                break;
            }
        nFormat &= ~DT_VCENTER;
        pDC->DrawText(pszText, nLine, &rcText, nFormat);
    } else {
        pDC->DrawText(pszText, nLen, &rcText, nFormat);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SetBkColor(rgbOldBk);
    pDC->SetTextColor(rgbOldText);
    if (hOldFont != NULL)
        ::SelectObject(pDC->m_hDC, hOldFont);
}

template <class TBase>
void SECListImpl<TBase>::DrawVertGridLines(CDC* pDC, int nRow, RECT* pRowRect) {
    CPen* pPenAlt = NULL;
    CPen* pPen = NULL;
    GetGridPenAlt(&pPenAlt);
    GetGridPen(&pPen);
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, pPenAlt->GetSafeHandle());
    const int nCount = GetColumnCount();
    const int nLastDrawn = HasExStyle(LVXS_FITCOLUMNSONSIZE) ? nCount - 1 : nCount;
    for (int i = 0; i < nLastDrawn; ++i) {
        const int x = GetColumnRight(i) - 1;
        pDC->MoveTo(x, pRowRect->top);
        pDC->LineTo(x, pRowRect->bottom);
    }
    ::SelectObject(pDC->m_hDC, pPen->GetSafeHandle());
    if (nRow == GetItemCount() - 1) {
        pDC->MoveTo(pRowRect->left, pRowRect->bottom - 1);
        pDC->LineTo(pRowRect->right, pRowRect->bottom - 1);
    }
    const int nMain = MainColumn();
    const int edges[2] = {nMain, nLastDrawn == nCount ? nCount - 1 : -1};
    for (int nCol : edges)
        if (nCol >= 0) {
            const int x = GetColumnRight(nCol) - 1;
            pDC->MoveTo(x, pRowRect->top);
            pDC->LineTo(x, pRowRect->bottom);
        }
    ::SelectObject(pDC->m_hDC, hOld);
}

template <class TBase>
void SECListImpl<TBase>::DrawHorzGridLine(CDC* pDC, int /*nRow*/, RECT* pRowRect) {
    CPen* pPen = NULL;
    GetGridPen(&pPen);
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, pPen->GetSafeHandle());
    pDC->MoveTo(pRowRect->left, pRowRect->bottom - 1);
    pDC->LineTo(pRowRect->right, pRowRect->bottom - 1);
    ::SelectObject(pDC->m_hDC, hOld);
}
