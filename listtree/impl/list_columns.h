// The list's columns, styles, colours, fonts and image lists.
#pragma once

#include "listtree/list_base.h"
#include "listtree/list_shared.h"

#include <algorithm>
#include <cwchar>

// Widths stay within 0..this, so that sums over many columns cannot overflow.
constexpr int SECLIST_MAX_COLUMN_WIDTH = 0x100000;

template <class TBase> int SECListImpl<TBase>::ClampColumnWidth(int nWidth) const {
    return std::max(0, std::min(nWidth, SECLIST_MAX_COLUMN_WIDTH));
}

template <class TBase> int SECListImpl<TBase>::GetColumnCount() {
    return (int)m_arColumns.GetSize();
}

template <class TBase> SECListColumn* SECListImpl<TBase>::GetColumnAt(int nCol) {
    return IsValidColumn(nCol) ? static_cast<SECListColumn*>(m_arColumns[nCol]) : NULL;
}

template <class TBase> int SECListImpl<TBase>::GetColumnSubItem(int nCol) {
    SECListColumn* pCol = GetColumnAt(nCol);
    return pCol != NULL ? pCol->iSubItem : -1;
}

template <class TBase> int SECListImpl<TBase>::GetColumnLeft(int nCol) {
    int x = 0;
    const int nCount = std::min(nCol, GetColumnCount());
    for (int i = 0; i < nCount; ++i)
        x += GetColumnAt(i)->cx;
    return x - m_ptScroll.x;
}

template <class TBase> int SECListImpl<TBase>::GetColumnRight(int nCol) {
    return GetColumnLeft(nCol) + GetColumnWidth(nCol);
}

template <class TBase> int SECListImpl<TBase>::GetColumnWidth(int nCol) {
    if (GetColumnCount() == 0) {
        CRect rcInside;
        GetInsideRect(&rcInside);
        return rcInside.Width();
    }
    SECListColumn* pCol = GetColumnAt(nCol);
    return pCol != NULL ? pCol->cx : 0;
}

template <class TBase> BOOL SECListImpl<TBase>::SetColumnWidth(int nCol, int nWidth) {
    SECListColumn* pCol = GetColumnAt(nCol);
    if (pCol == NULL)
        return FALSE;
    pCol->cx = ClampColumnWidth(nWidth);
    if (IsWordWrap())
        InvalidateAllHeights();
    return TRUE;
}

template <class TBase> void SECListImpl<TBase>::SetColumnFormat(int nCol, int nFormat) {
    if (SECListColumn* pCol = GetColumnAt(nCol))
        pCol->fmt = nFormat;
}

template <class TBase> int SECListImpl<TBase>::GetColumnFormat(int nCol) {
    SECListColumn* pCol = GetColumnAt(nCol);
    return pCol != NULL ? pCol->fmt : 0;
}

template <class TBase> void SECListImpl<TBase>::SetColumnText(int nCol, LPCTSTR lpszHeading) {
    if (SECListColumn* pCol = GetColumnAt(nCol))
        pCol->strHeading = lpszHeading != NULL ? lpszHeading : L"";
}

template <class TBase> CString SECListImpl<TBase>::GetColumnText(int nCol) {
    SECListColumn* pCol = GetColumnAt(nCol);
    return pCol != NULL ? pCol->strHeading : CString();
}

template <class TBase>
BOOL SECListImpl<TBase>::FindColumn(LPCTSTR lpszHeading, int* pIndex, int* pSubItem) {
    if (lpszHeading == NULL)
        lpszHeading = L"";
    for (int i = 0; i < GetColumnCount(); ++i) {
        SECListColumn* pCol = GetColumnAt(i);
        if (::wcscmp((LPCTSTR)pCol->strHeading, lpszHeading) != 0)
            continue;
        if (pIndex != NULL)
            *pIndex = i;
        if (pSubItem != NULL)
            *pSubItem = pCol->iSubItem;
        return TRUE;
    }
    return FALSE;
}

template <class TBase> BOOL SECListImpl<TBase>::HasColumn(LPCTSTR lpszHeading) {
    return FindColumn(lpszHeading, NULL, NULL);
}

template <class TBase> BOOL SECListImpl<TBase>::DeleteColumnByName(LPCTSTR lpszHeading) {
    int nCol = -1;
    return FindColumn(lpszHeading, &nCol, NULL) ? DeleteColumn(nCol) : FALSE;
}

template <class TBase> int SECListImpl<TBase>::AppendColumn(LVCOLUMN* pColumn) {
    return InsertColumn(GetColumnCount(), pColumn, TRUE);
}

template <class TBase>
int SECListImpl<TBase>::AppendColumnArgs(LPCTSTR lpszHeading, int nFormat, int nWidth, int nSubItem,
                                         int nImage) {
    return InsertColumnArgs(GetColumnCount(), lpszHeading, nFormat, nWidth, nSubItem, nImage, TRUE);
}

template <class TBase> int SECListImpl<TBase>::AppendColumnEx(SECListColumn* pColumn) {
    return InsertColumnEx(GetColumnCount(), pColumn, TRUE);
}

template <class TBase>
int SECListImpl<TBase>::InsertColumn(int nCol, LVCOLUMN* pColumn, BOOL bRedraw) {
    if (pColumn == NULL)
        return -1;
    const UINT m = pColumn->mask;
    return InsertColumnArgs(nCol, (m & LVCF_TEXT) ? pColumn->pszText : L"",
                            (m & LVCF_FMT) ? pColumn->fmt : 0, (m & LVCF_WIDTH) ? pColumn->cx : -1,
                            (m & LVCF_SUBITEM) ? pColumn->iSubItem : -1,
                            (m & LVCF_IMAGE) ? pColumn->iImage : -1, bRedraw);
}

template <class TBase>
int SECListImpl<TBase>::InsertColumnArgs(int nCol, LPCTSTR lpszHeading, int nFormat, int nWidth,
                                         int /*nSubItem*/, int nImage, BOOL bRedraw) {
    auto* pColumn = new SECListColumn;
    pColumn->strHeading = lpszHeading != NULL ? lpszHeading : L"";
    pColumn->fmt = nFormat;
    pColumn->cx = nWidth;
    pColumn->iImage = nImage;
    pColumn->iSubItem = -1;
    return InsertColumnEx(nCol, pColumn, bRedraw);
}

// Every row gets a new callback cell at slot nSlot (the slot of sub-item nSlot + 1).
template <class TBase> void SECListImpl<TBase>::InsertSubItemSlot(int nSlot) {
    for (INT_PTR i = 0; i < m_arItems.GetSize(); ++i) {
        auto* pRow = static_cast<SECListItem*>(m_arItems[i]);
        const int nAt = std::max(0, std::min(nSlot, pRow->GetSubItemCount()));
        pRow->m_subItems.InsertAt(nAt, new SECListSubItem);
    }
}

template <class TBase>
int SECListImpl<TBase>::InsertColumnEx(int nCol, SECListColumn* pColumn, BOOL bRedraw) {
    std::unique_ptr<SECListColumn> pOwned(pColumn);
    if (pColumn == NULL)
        return -1;
    nCol = std::max(0, std::min(nCol, GetColumnCount()));
    EndEditForChange();
    // The first column is the main one; a column put before it with columns present goes
    // after it instead, so that no cell changes its column.
    if (nCol == 0 && GetColumnCount() > 0)
        nCol = 1;
    if (pColumn->cx < 0)
        pColumn->cx = 10;
    pColumn->cx = ClampColumnWidth(pColumn->cx);
    if (nCol == 0) {
        pColumn->fmt = LVCFMT_LEFT;
        pColumn->iSubItem = 0;
    }
    m_arColumns.InsertAt(nCol, pOwned.release());
    Changed();
    if (nCol > 0 && pColumn->iSubItem >= 1 && pColumn->iSubItem <= m_nSubItemCount) {
        // A second view of cells the rows already carry: nothing to add.
    } else if (nCol > 0) {
        // A new sub-item: its slot sits where its position says, and the later columns keep
        // their cells by moving up a sub-item with their slots.
        const int nNewSub = std::min(nCol, m_nSubItemCount + 1);
        for (int i = 0; i < GetColumnCount(); ++i) {
            SECListColumn* pOther = GetColumnAt(i);
            if (i != nCol && pOther->iSubItem >= nNewSub)
                ++pOther->iSubItem;
        }
        pColumn->iSubItem = nNewSub;
        InsertSubItemSlot(nNewSub - 1);
        ++m_nSubItemCount;
    }
    if (bRedraw && IsRedrawOn()) {
        if (HasExStyle(LVXS_FITCOLUMNSONSIZE))
            FitMainColumn();
        RecalcLayout();
        Repaint(TRUE);
    }
    return nCol;
}

template <class TBase> BOOL SECListImpl<TBase>::DeleteColumn(int nCol) {
    if (nCol == 0 && GetColumnCount() > 1)
        return FALSE;
    EndEditForChange();
    SECListColumn* pCol = GetColumnAt(nCol);
    if (pCol == NULL)
        return FALSE;
    const int nSub = pCol->iSubItem;
    if (nSub >= 1) {
        for (INT_PTR i = 0; i < m_arItems.GetSize(); ++i) {
            auto* pRow = static_cast<SECListItem*>(m_arItems[i]);
            if (nSub <= pRow->GetSubItemCount()) {
                delete static_cast<SECListSubItem*>(pRow->m_subItems[nSub - 1]);
                pRow->m_subItems.RemoveAt(nSub - 1);
            }
        }
        m_nSubItemCount = std::max(0, m_nSubItemCount - 1);
    }
    if (!HasExStyle(LVXS_NOGROWCOLUMNONDELETE) && nCol != 0) {
        const int nMain = MainColumn();
        if (nMain >= 0 && nMain != nCol)
            GetColumnAt(nMain)->cx = ClampColumnWidth(GetColumnAt(nMain)->cx + pCol->cx);
    }
    delete pCol;
    m_arColumns.RemoveAt(nCol);
    Changed();
    if (nSub >= 1)
        for (int i = 0; i < GetColumnCount(); ++i)
            if (GetColumnAt(i)->iSubItem > nSub)
                --GetColumnAt(i)->iSubItem;
    if (GetColumnCount() == 0)
        DeleteAllItems();
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::DeleteAllColumns() {
    DeleteAllItems();
    for (INT_PTR i = m_arColumns.GetSize() - 1; i >= 0; --i)
        delete static_cast<SECListColumn*>(m_arColumns[i]);
    m_arColumns.RemoveAll();
    Changed();
    m_nSubItemCount = 0;
    UpdateScrollBars();
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::MoveColumn(int nFrom, int nTo, BOOL bRedraw) {
    const int nCount = GetColumnCount();
    if (nFrom < 1 || nTo < 1 || nFrom >= nCount)
        return FALSE;
    const bool bToEnd = nTo >= nCount;
    SECListColumn* pCol = GetColumnAt(nFrom);
    m_arColumns.RemoveAt(nFrom);
    int nAt = bToEnd ? (int)m_arColumns.GetSize() : (nTo > nFrom ? nTo - 1 : nTo);
    m_arColumns.InsertAt(nAt, pCol);
    Changed();
    // Cells stay by position: each column shows the slot of its place.
    for (int i = 1; i < nCount; ++i)
        GetColumnAt(i)->iSubItem = i;
    OnColumnMoved(nFrom, nAt);
    if (bRedraw) {
        RecalcLayout();
        Repaint(TRUE);
    }
    return TRUE;
}

template <class TBase> void SECListImpl<TBase>::OnColumnMoved(int, int) {}

template <class TBase> BOOL SECListImpl<TBase>::GetColumn(int nCol, LVCOLUMN* pColumn) {
    SECListColumn* pCol = GetColumnAt(nCol);
    if (pCol == NULL || pColumn == NULL)
        return FALSE;
    const UINT m = pColumn->mask;
    if (m & LVCF_TEXT)
        SECListCopyText(pColumn->pszText, pColumn->cchTextMax, (LPCTSTR)pCol->strHeading);
    if (m & LVCF_FMT)
        pColumn->fmt = pCol->fmt;
    if (m & LVCF_SUBITEM)
        pColumn->iSubItem = pCol->iSubItem;
    if (m & LVCF_WIDTH)
        pColumn->cx = pCol->cx;
    if (m & LVCF_IMAGE)
        pColumn->iImage = pCol->iImage;
    return TRUE;
}

template <class TBase>
BOOL SECListImpl<TBase>::SetColumn(int nCol, LVCOLUMN* pColumn, BOOL bRedraw) {
    SECListColumn* pCol = GetColumnAt(nCol);
    if (pCol == NULL || pColumn == NULL)
        return FALSE;
    const UINT m = pColumn->mask;
    if (m & LVCF_TEXT)
        pCol->strHeading = pColumn->pszText != NULL ? pColumn->pszText : L"";
    if ((m & LVCF_FMT) && pCol->iSubItem != 0)
        pCol->fmt = pColumn->fmt;
    if ((m & LVCF_SUBITEM) && nCol != 0 && pColumn->iSubItem >= 1 &&
        pColumn->iSubItem <= m_nSubItemCount)
        pCol->iSubItem = pColumn->iSubItem;
    if (m & LVCF_WIDTH)
        pCol->cx = pColumn->cx < 0 ? 10 : ClampColumnWidth(pColumn->cx);
    if (m & LVCF_IMAGE)
        pCol->iImage = pColumn->iImage;
    if (bRedraw) {
        RecalcLayout();
        if (HasExStyle(LVXS_FITCOLUMNSONSIZE))
            FitMainColumn();
        Repaint(TRUE);
    }
    return TRUE;
}

// ---- Styles.

template <class TBase> BOOL SECListImpl<TBase>::HasStyle(DWORD dwMask) {
    return (m_dwListStyle & dwMask) == dwMask;
}
template <class TBase> BOOL SECListImpl<TBase>::HasExStyle(DWORD dwMask) {
    return (m_dwListStyleEx & dwMask) == dwMask;
}
template <class TBase> DWORD SECListImpl<TBase>::GetListStyle() {
    return m_dwListStyle;
}
template <class TBase> DWORD SECListImpl<TBase>::GetListExStyle() {
    return m_dwListStyleEx;
}
template <class TBase> BOOL SECListImpl<TBase>::GetStyles(DWORD* pStyle, DWORD* pExStyle) {
    if (pStyle != NULL)
        *pStyle = m_dwListStyle;
    if (pExStyle != NULL)
        *pExStyle = m_dwListStyleEx;
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::SetListStyle(DWORD dwStyle, BOOL bRedraw) {
    EndLabelEdit(TRUE);
    StopEditTimer();
    HideTip();
    const bool bWrapChanged = ((m_dwListStyle ^ dwStyle) & LVS_NOLABELWRAP) != 0;
    m_dwListStyle = dwStyle;
    if (bWrapChanged)
        InvalidateAllHeights();
    if (bRedraw) {
        RecalcLayout();
        Repaint(TRUE);
    }
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::SetListExStyle(DWORD dwExStyle, BOOL bRedraw) {
    EndLabelEdit(TRUE);
    HideTip();
    const bool bFitOn =
        !(m_dwListStyleEx & LVXS_FITCOLUMNSONSIZE) && (dwExStyle & LVXS_FITCOLUMNSONSIZE);
    if (bFitOn)
        FitMainColumn();
    m_dwListStyleEx = dwExStyle;
    if (bRedraw) {
        RecalcLayout();
        Repaint(TRUE);
    }
    return TRUE;
}

template <class TBase>
BOOL SECListImpl<TBase>::SetStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw) {
    SetListStyle(dwStyle, FALSE);
    return SetListExStyle(dwExStyle, bRedraw);
}

template <class TBase>
BOOL SECListImpl<TBase>::ModifyListStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw) {
    return SetListStyle((m_dwListStyle & ~dwRemove) | dwAdd, bRedraw);
}

template <class TBase>
BOOL SECListImpl<TBase>::ModifyListExStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw) {
    return SetListExStyle((m_dwListStyleEx & ~dwRemove) | dwAdd, bRedraw);
}

template <class TBase>
BOOL SECListImpl<TBase>::ModifyStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwExRemove, DWORD dwExAdd,
                                      BOOL bRedraw) {
    ModifyListStyle(dwRemove, dwAdd, FALSE);
    return ModifyListExStyle(dwExRemove, dwExAdd, bRedraw);
}

template <class TBase> BOOL SECListImpl<TBase>::EnableWordWrap(BOOL bEnable) {
    return bEnable ? ModifyListStyle(LVS_NOLABELWRAP, 0, TRUE)
                   : ModifyListStyle(0, LVS_NOLABELWRAP, TRUE);
}

template <class TBase> BOOL SECListImpl<TBase>::EnableLabelTips(BOOL bEnable) {
    return bEnable ? ModifyListExStyle(0, LVXS_LABELTIPS, FALSE)
                   : ModifyListExStyle(LVXS_LABELTIPS, 0, FALSE);
}

template <class TBase> BOOL SECListImpl<TBase>::EnableMultiSelect(BOOL bEnable) {
    if (!bEnable && GetSelectedCount() > 1)
        DeselectAllExcept(-1);
    return bEnable ? ModifyListStyle(LVS_SINGLESEL, 0, TRUE)
                   : ModifyListStyle(0, LVS_SINGLESEL, TRUE);
}

template <class TBase> BOOL SECListImpl<TBase>::IsLabelTips() {
    return HasExStyle(LVXS_LABELTIPS);
}
template <class TBase> BOOL SECListImpl<TBase>::IsHeaderVisible() {
    return !(m_dwListStyle & LVS_NOCOLUMNHEADER);
}
template <class TBase> BOOL SECListImpl<TBase>::IsMultiSelect() {
    return !(m_dwListStyle & LVS_SINGLESEL);
}

template <class TBase> BOOL SECListImpl<TBase>::SetHeaderStyle(BOOL bShow, BOOL bSortable) {
    DWORD dwStyle = m_dwListStyle | LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER;
    if (bShow)
        dwStyle &= ~LVS_NOCOLUMNHEADER;
    if (bSortable)
        dwStyle &= ~LVS_NOSORTHEADER;
    return SetListStyle(dwStyle, TRUE);
}

template <class TBase> BOOL SECListImpl<TBase>::SetRedrawFlag(BOOL bRedraw) {
    m_bRedraw = bRedraw;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::IsRedrawOn() {
    return m_bRedraw;
}

template <class TBase> BOOL SECListImpl<TBase>::SplitCreateStyles(CREATESTRUCT* pcs) {
    if (pcs == NULL)
        return FALSE;
    m_dwListStyle = pcs->style & SECLIST_STYLE_MASK;
    pcs->style &= ~SECLIST_STYLE_MASK;
    m_dwListStyleEx =
        (m_dwListStyleEx & ~SECLIST_EXSTYLE_MASK) | (pcs->dwExStyle & SECLIST_EXSTYLE_MASK);
    pcs->dwExStyle &= ~SECLIST_EXSTYLE_MASK;
    return TRUE;
}

// ---- Colours and fonts.

template <class TBase> COLORREF SECListImpl<TBase>::GetBkColor() {
    if (!IsEnabledNow())
        return SECListShared().rgbInactiveSelBk;
    return m_rgbBk;
}
template <class TBase> COLORREF SECListImpl<TBase>::GetTextColor() {
    return m_rgbText;
}
template <class TBase> COLORREF SECListImpl<TBase>::GetTextBkColor() {
    return m_rgbTextBk;
}
template <class TBase> COLORREF SECListImpl<TBase>::GetDisabledTextColor() {
    return m_rgbDisabledText;
}
template <class TBase> COLORREF SECListImpl<TBase>::GetAltBkColor() {
    return m_rgbAltBk;
}
template <class TBase> COLORREF SECListImpl<TBase>::GetSelAltBkColor() {
    return m_rgbSelAltBk;
}
template <class TBase> BOOL SECListImpl<TBase>::SetBkColor(COLORREF rgb) {
    m_rgbBk = rgb;
    return SetTextBkColor(rgb);
}
template <class TBase> BOOL SECListImpl<TBase>::SetTextColor(COLORREF rgb) {
    m_rgbText = rgb;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::SetTextBkColor(COLORREF rgb) {
    m_rgbTextBk = rgb;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::SetSelTextColor(COLORREF rgb) {
    m_rgbSelText = rgb;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::SetSelTextBkColor(COLORREF rgb) {
    m_rgbSelTextBk = rgb;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::SetDisabledTextColor(COLORREF rgb) {
    m_rgbDisabledText = rgb;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::SetAltBkColor(COLORREF rgb) {
    m_rgbAltBk = rgb;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::SetSelAltBkColor(COLORREF rgb) {
    m_rgbSelAltBk = rgb;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::SetTipBkColor(COLORREF rgb) {
    m_rgbTipBk = rgb;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::SetTipTextColor(COLORREF rgb) {
    m_rgbTipText = rgb;
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::SetItemFont(CFont* pFont) {
    m_pItemFont = pFont;
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::SetHeaderFont(CFont* pFont) {
    m_pHeaderFont = pFont;
    return TRUE;
}
template <class TBase> CFont* SECListImpl<TBase>::GetItemFont() {
    return m_pItemFont != NULL ? m_pItemFont
                               : CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}
template <class TBase> CFont* SECListImpl<TBase>::GetHeaderFont() {
    return m_pHeaderFont != NULL ? m_pHeaderFont
                                 : CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}

template <class TBase> void SECListImpl<TBase>::SetSysColorTracking(BOOL bTrack) {
    m_bTrackSysColors = bTrack;
}
template <class TBase> BOOL SECListImpl<TBase>::GetSysColorTracking() {
    return m_bTrackSysColors;
}

template <class TBase> void SECListImpl<TBase>::OnSysColorChange() {
    TBase::OnSysColorChange();
    if (!m_bTrackSysColors)
        return;
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
    SECListReloadShared();
    Repaint(TRUE);
}

// ---- Image lists.

template <class TBase> CImageList* SECListImpl<TBase>::GetImageList(int nWhich) {
    return nWhich >= 0 && nWhich < 4 ? m_pImageLists[nWhich] : NULL;
}

template <class TBase>
CImageList* SECListImpl<TBase>::SetImageList(CImageList* pImageList, int nWhich) {
    if (nWhich < 0 || nWhich >= 4)
        return NULL;
    CImageList* pOld = m_pImageLists[nWhich];
    if (HasStyle(LVS_SHAREIMAGELISTS) || pImageList == NULL) {
        m_pImageLists[nWhich] = pImageList;
    } else {
        CImageList* pCopy = NULL;
        if (!CopyImageList(pImageList, &pCopy))
            return NULL;
        m_pImageLists[nWhich] = pCopy;
    }
    // A private copy being replaced is the list's own: it stays alive (a caller may still
    // hold the returned pointer) until the window goes.
    if (pOld != NULL && !HasStyle(LVS_SHAREIMAGELISTS))
        m_arRetiredImageLists.Add(pOld);
    InvalidateAllHeights();
    Repaint(TRUE);
    return pOld;
}

template <class TBase>
BOOL SECListImpl<TBase>::CopyImageList(CImageList* pSrc, CImageList** ppDst) {
    if (pSrc == NULL || ppDst == NULL || pSrc->GetSafeHandle() == NULL)
        return FALSE;
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        if (!pSrc->Write(&ar))
            return FALSE;
        ar.Close();
    }
    file.SeekToBegin();
    std::unique_ptr<CImageList> pCopy(new CImageList);
    CArchive ar(&file, CArchive::load, 4096);
    if (!pCopy->Read(&ar))
        return FALSE;
    *ppDst = pCopy.release();
    return TRUE;
}
