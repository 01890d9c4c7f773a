// The row and column model of every list-like control: rows, their sub-item cells, column
// records, and the record one paint or measurement fills for each cell.
#pragma once

#include "framework/afx.h"

// A cell beyond the main column.
class SECListSubItem {
public:
    SECListSubItem() = default;
    virtual ~SECListSubItem();
    SECListSubItem(const SECListSubItem&) = delete;
    SECListSubItem& operator=(const SECListSubItem&) = delete;

    LPTSTR pszText = LPSTR_TEXTCALLBACK; // NULL, LPSTR_TEXTCALLBACK or an owned copy
    int nReserved = 0;
    RECT rcText = {0, 0, 0, 0}; // label, relative to the cell
};

// One row; sub-item k (k >= 1) sits at position k-1 of m_subItems.
class SECListItem {
public:
    SECListItem() = default;
    virtual ~SECListItem();
    SECListItem(const SECListItem&) = delete;
    SECListItem& operator=(const SECListItem&) = delete;

    CPtrArray m_subItems;
    LPTSTR pszText = NULL;
    UINT state = 0; // LVIS_* bits other than selected, focused and drop-highlighted
    int iImage = 0; // I_IMAGECALLBACK (-1): ask the owner
    LPARAM lParam = 0;
    int cy = 0; // -1: not measured
    UINT stateEx = 0;
    BOOL bDirty = TRUE; // needs measuring
    RECT rcText = {0, 0, 0, 0};
    RECT rcIcon = {0, 0, 0, 0};
    RECT rcStateIcon = {0, 0, 0, 0};

    int GetSubItemCount() const { return (int)m_subItems.GetSize(); }
    // Sub-item nSubItem (>= 1), or NULL.
    SECListSubItem* GetSubItem(int nSubItem) const;
};

// Frees an owned text (NULL and LPSTR_TEXTCALLBACK are not owned) and stores a copy of lpsz
// (LPSTR_TEXTCALLBACK stays a callback; NULL becomes an empty text).
void SECListStoreText(LPTSTR& pszSlot, LPCTSTR lpsz);
void SECListFreeText(LPTSTR& pszSlot);
inline bool SECListIsCallback(LPCTSTR lpsz) {
    return lpsz == LPSTR_TEXTCALLBACK;
}
// Copies at most cchMax - 1 characters of lpsz (NULL reads as "") and terminates; nothing
// when cchMax <= 0 or pszDest is NULL. Returns the characters copied.
int SECListCopyText(LPTSTR pszDest, int cchMax, LPCTSTR lpsz);

// A column record: the main column is the one with sub-item index 0.
struct SECListColumn {
    UINT mask = 0;
    int fmt = LVCFMT_LEFT; // plus LVCFMT_BITMAP_ON_RIGHT
    int cx = 0;
    CString strHeading;
    int nReserved = 0;
    int iSubItem = -1;
    int iImage = -1; // header image, -1: none
};

// The extended item record: mask bit 1 means the extended state.
struct SECListItemEx {
    UINT mask = 0;
    UINT state = 0;
    UINT stateMask = 0;
};
// Extended state bit that draws the row's text in the disabled colour.
constexpr UINT SECLIST_EXSTATE_DISABLED = 0x100;

// The per-paint draw record; derived controls allocate larger records of their own.
struct SECListPaintContext {
    SECListPaintContext() = default;
    virtual ~SECListPaintContext() = default;

    LVITEM lvi = {};
    SECListItemEx lvix;
    CDC* pdc = NULL;
    RECT rect = {0, 0, 0, 0}; // the cell (or the row while rows are walked)
    int iCol = 0;
    UINT nView = 0;
    int nReserved = 0;
    CFont* pFont = NULL;
    SECListItem* pItem = NULL;
    SECListSubItem* pSubItem = NULL;
    SECListColumn* pCol = NULL;
    COLORREF rgbText = 0;
    COLORREF rgbTextBk = 0;
    COLORREF rgbItemBk = 0;
    COLORREF rgbAlt = 0;
};

// The ten LVITEM members every list version has: mingw's LVITEMW carries more, which a peer's
// record need not have.
void SECListCopyItemCore(LVITEM* pDest, const LVITEM* pSrc);
