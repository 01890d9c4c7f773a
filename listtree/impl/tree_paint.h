// Drawing the tree column: indent, dotted lines that keep their pattern while scrolling, the
// expand button (theme glyph or classic box), state image and icon, bold and hanging-indent
// labels; measuring it; and drag images. Every other column is the list's.
#pragma once

#include "listtree/tree_base.h"
#include "toolbars/drawing/themeapi.h"

#include <algorithm>
#include <map>

// The bold twins of item fonts, one per base font, kept for the process: a bold font is never
// deleted while a device context may hold it.
CFont* SECTreeBoldFont(CFont* pBase);

template <class TList> static SECTreePaintContext* SECTreeContext(SECListPaintContext* pContext) {
    return dynamic_cast<SECTreePaintContext*>(pContext);
}

// Depths and inherited flags are kept once known: a row of a chain 100,000 deep is measured
// without a walk to the top.
template <class TList>
const typename SECTreeImpl<TList>::Known& SECTreeImpl<TList>::KnownOf(const _Node* pNode) const {
    auto it = m_known.find(pNode);
    if (it != m_known.end())
        return it->second;
    // Up to the nearest ancestor that is known, then down again.
    std::vector<const _Node*> path;
    Known base;
    for (const SECTreeNode* p = pNode; p != nullptr && p != RootNode(); p = p->GetParent()) {
        auto known = m_known.find(static_cast<const _Node*>(p));
        if (known != m_known.end()) {
            base = known->second;
            break;
        }
        path.push_back(static_cast<const _Node*>(p));
    }
    for (auto rit = path.rbegin(); rit != path.rend(); ++rit) {
        base.nDepth += 1;
        base.bDisabled = base.bDisabled || (*rit)->HasFlag(_Node::flagDisabled);
        base.bHidden = base.bHidden || (*rit)->HasFlag(_Node::flagHidden);
        m_known[*rit] = base;
    }
    return m_known[pNode];
}

template <class TList> int SECTreeImpl<TList>::Level(const _Node* pNode) const {
    return pNode != nullptr ? KnownOf(pNode).nDepth : 1;
}

template <class TList> BOOL SECTreeImpl<TList>::LinesAtRoot() const {
    return (m_dwTreeStyle & TVS_LINESATROOT) && (m_dwTreeStyle & (TVS_HASLINES | TVS_HASBUTTONS));
}

template <class TList> int SECTreeImpl<TList>::LevelOffset() const {
    return LinesAtRoot() ? m_nIndent : 0;
}

template <class TList> SECListPaintContext* SECTreeImpl<TList>::NewPaintContext(CDC* pDC) {
    auto* pContext = new SECTreePaintContext;
    pContext->pdc = pDC;
    pContext->nView = LVS_REPORT;
    return pContext;
}

template <class TList> BOOL SECTreeImpl<TList>::LoadDrawRecord(SECListPaintContext* pContext) {
    SECTreePaintContext* pTree = SECTreeContext<TList>(pContext);
    if (pTree == nullptr || pContext->pCol == NULL || pContext->pCol->iSubItem != 0)
        return TList::LoadDrawRecord(pContext);
    const int nRow = pContext->lvi.iItem;
    _Node* pNode = NodeOfRow(nRow);
    if (pNode == nullptr)
        return FALSE;
    pTree->pNode = pNode;
    pTree->tvi = pNode->m_item;
    TVITEMW& tv = pTree->tvi;
    tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE | TVIF_SELECTEDIMAGE;
    tv.hItem = HandleOfNode(pNode);
    tv.stateMask = 0xFFFF;
    tv.pszText = this->m_pszBuffer.get();
    tv.cchTextMax = SECLIST_TEXT_MAX;
    tv.pszText[0] = 0;
    const unsigned nGeneration = this->m_nGeneration;
    if (!GetItem(&tv, TRUE, TRUE) || nGeneration != this->m_nGeneration || !AliveNode(pNode))
        return FALSE;
    if (tv.pszText == NULL || tv.pszText == LPSTR_TEXTCALLBACKW)
        tv.pszText = this->m_pszBuffer.get();
    LVITEM& lvi = pContext->lvi;
    lvi.mask = LVIF_STATE;
    lvi.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED;
    TList::GetItem(&lvi, FALSE, FALSE);
    lvi.state |= tv.state & 0xF00E;
    if (tv.state & 0x0F00)
        lvi.state |= 0x0F00;
    if (nRow == this->m_nDropHilite)
        lvi.state |= LVIS_DROPHILITED;
    lvi.pszText = tv.pszText;
    lvi.iImage = tv.iImage;
    lvi.iItem = nRow;
    lvi.iSubItem = 0;
    SECListItemEx ext;
    ext.mask = 1;
    ext.stateMask = 0x300;
    GetItemEx(&tv, &ext, TRUE);
    pTree->tvix = ext;
    pContext->lvix = ext;
    pContext->rgbItemBk = this->PickBkColor(pContext);
    this->PickTextColors(pContext);
    pContext->pFont = PickTextFont(pContext);
    pContext->rgbAlt = this->PickAltColors(pContext);
    return TRUE;
}

template <class TList> CFont* SECTreeImpl<TList>::PickTextFont(SECListPaintContext* pContext) {
    CFont* pFont = TList::PickTextFont(pContext);
    SECTreePaintContext* pTree = SECTreeContext<TList>(pContext);
    if (pTree != nullptr && pContext->pCol != NULL && pContext->pCol->iSubItem == 0 &&
        (pTree->tvi.state & TVIS_BOLD))
        pFont = SECTreeBoldFont(pFont);
    pContext->pFont = pFont;
    return pFont;
}

template <class TList>
int SECTreeImpl<TList>::CalcLabelRect(CDC* pDC, _Node* pNode, LPCTSTR lpszText, RECT* pRect) {
    if (pDC == NULL || pRect == nullptr)
        return 0;
    HDC hdc = pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->m_hDC;
    LPCTSTR psz = lpszText != NULL ? lpszText : L"";
    const int nLen = (int)::wcsnlen(psz, SECLIST_TEXT_MAX);
    const int nLeft = pRect->left, nRight = pRect->right;
    if (!this->IsWordWrap()) {
        int n = 0;
        while (n < nLen && n < 259 && psz[n] != L'\n' && psz[n] != L'\r')
            ++n;
        CRect rc(0, 0, 0, 0);
        int cx = 0;
        if (n > 0 && ::wmemchr(psz, L'\t', n) == NULL) {
            // One line without tabs: its extent is the whole measurement.
            SIZE size = {0, 0};
            ::GetTextExtentPoint32W(hdc, psz, n, &size);
            rc.SetRect(0, 0, size.cx, size.cy);
            cx = size.cx;
        } else if (n > 0) {
            ::DrawTextW(hdc, psz, n, &rc, DT_CALCRECT | 0xD60);
            cx = std::max((int)rc.Width(),
                          (int)LOWORD(::GetTabbedTextExtentW(hdc, psz, n, 0, NULL)));
        } else {
            TEXTMETRICW tm = {};
            ::GetTextMetricsW(hdc, &tm);
            rc.bottom = tm.tmHeight;
        }
        ::SetRect(pRect, nLeft, 0, nLeft + cx, rc.Height() + 2);
        if (pNode != nullptr)
            pNode->m_bHangingIndent = FALSE;
        return cx;
    }
    const wchar_t* pMarker = ::wcsstr(psz, SECTREE_HANGING_MARKER);
    CRect rc(nLeft, 0, std::max(nLeft + 1, nRight), 0);
    if (pMarker == nullptr || pNode == nullptr) {
        if (pNode != nullptr)
            pNode->m_bHangingIndent = FALSE;
        if (nLen > 0)
            ::DrawTextW(hdc, psz, nLen, &rc, DT_CALCRECT | 0xC50);
        else {
            TEXTMETRICW tm = {};
            ::GetTextMetricsW(hdc, &tm);
            rc.right = rc.left;
            rc.bottom = tm.tmHeight;
        }
    } else {
        pNode->m_bHangingIndent = TRUE;
        const int nBefore = (int)(pMarker - psz);
        pNode->m_strBeforeMarker = CString(psz, nBefore);
        pNode->m_strAfterMarker = CString(pMarker + 5);
        SIZE sz = {0, 0};
        ::GetTextExtentPoint32W(hdc, psz, nBefore, &sz);
        pNode->m_nBeforeMarkerWidth = sz.cx;
        CRect rcAfter(nLeft + (int)sz.cx, 0, std::max(nLeft + (int)sz.cx + 1, nRight), 0);
        const CString& strAfter = pNode->m_strAfterMarker;
        if (strAfter.GetLength() > 0)
            ::DrawTextW(hdc, strAfter, strAfter.GetLength(), &rcAfter, DT_CALCRECT | 0xC50);
        rc.SetRect(nLeft, 0, std::max((int)rcAfter.right, (int)(nLeft + sz.cx)),
                   std::max((int)rcAfter.bottom, (int)sz.cy));
    }
    rc.bottom += 2;
    *pRect = rc;
    return rc.Width();
}

template <class TList>
int SECTreeImpl<TList>::CalcItemRects(SECListPaintContext* pContext, int* pHeight) {
    SECTreePaintContext* pTree = SECTreeContext<TList>(pContext);
    if (pTree == nullptr || pTree->pNode == nullptr || pContext->pCol == NULL ||
        pContext->pCol->iSubItem != 0)
        return TList::CalcItemRects(pContext, pHeight);
    _Node* pNode = pTree->pNode;
    SECListItem* pRow = pContext->pItem;
    const TVITEMW& tv = pTree->tvi;
    int x = (Level(pNode) - 1) * m_nIndent + LevelOffset();
    CRect rcState(x, 0, x, 0), rcIcon(x, 0, x, 0);
    int nNext = x + 6;
    CImageList* pState = this->GetImageList(TVSIL_STATE);
    const int nStateImage = (tv.state >> 12) & 0xF;
    IMAGEINFO info = {};
    if (pState != NULL && pState->GetSafeHandle() != NULL && nStateImage != 0 &&
        nStateImage < pState->GetImageCount() && pState->GetImageInfo(nStateImage, &info)) {
        rcState.SetRect(x, 0, x + info.rcImage.right - info.rcImage.left,
                        info.rcImage.bottom - info.rcImage.top);
        rcIcon.SetRect(rcState.right, 0, rcState.right, rcState.bottom);
        nNext = (short)(rcState.right + 6);
    }
    CImageList* pNormal = this->GetImageList(TVSIL_NORMAL);
    if (pNormal != NULL && pNormal->GetSafeHandle() != NULL && tv.iImage >= 0 &&
        tv.iImage < pNormal->GetImageCount() && pNormal->GetImageInfo(tv.iImage, &info)) {
        rcIcon.SetRect(rcState.right, 0, rcState.right + info.rcImage.right - info.rcImage.left,
                       info.rcImage.bottom - info.rcImage.top);
        if (rcState.IsRectEmpty())
            rcState.SetRect(x, 0, x, rcIcon.bottom);
        nNext = rcIcon.right + 6;
    }
    int nLimit = 10000;
    CRect rcInside;
    this->GetInsideRect(&rcInside);
    if (this->GetColumnCount() > 1)
        nLimit = this->GetColumnWidth(0) - 5;
    else if (this->IsWordWrap())
        nLimit = rcInside.Width() - 5;
    CRect rcLabel(nNext, 0, std::max(nNext + 1, nLimit), 0);
    CDC* pDC = pContext->pdc;
    if (pDC != NULL) {
        HDC hdc = pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->m_hDC;
        HGDIOBJ hOld = NULL;
        if (pContext->pFont != NULL && pContext->pFont->GetSafeHandle() != NULL)
            hOld = ::SelectObject(hdc, pContext->pFont->GetSafeHandle());
        CalcLabelRect(pDC, pNode, tv.pszText, &rcLabel);
        if (hOld != NULL)
            ::SelectObject(hdc, hOld);
    }
    int h =
        std::max({*pHeight, (int)rcIcon.Height(), (int)rcState.Height(), (int)rcLabel.Height()});
    h = (h + 1) & ~1;
    rcLabel.OffsetRect(0, (h - rcLabel.Height()) / 2);
    if (!rcIcon.IsRectEmpty())
        rcIcon.OffsetRect(0, (h - rcIcon.Height()) / 2);
    if (!rcState.IsRectEmpty())
        rcState.OffsetRect(0, (h - rcState.Height()) / 2);
    if (pRow != NULL) {
        pRow->rcIcon = rcIcon;
        pRow->rcStateIcon = rcState;
        pRow->rcText = rcLabel;
    }
    m_nContentWidth = std::max(m_nContentWidth, (int)rcLabel.right + 5);
    *pHeight = h;
    return h;
}

template <class TList> int SECTreeImpl<TList>::CalcContentWidth(SECListPaintContext* pContext) {
    if (this->GetColumnCount() >= 2)
        return TList::CalcContentWidth(pContext);
    CRect rcInside;
    this->GetInsideRect(&rcInside);
    // The widest label measured so far: rows are measured as they are shown, never all at once.
    return std::max(m_nContentWidth, (int)rcInside.Width());
}

template <class TList> void SECTreeImpl<TList>::InvalidateAllHeights() {
    TList::InvalidateAllHeights();
}

// A checkered one-pixel pattern, drawn in the DC's text colour (dots) and background colour
// (gaps): one PatBlt per line, its phase set by the brush origin.
HBRUSH SECTreeDotBrush();
// The classic button's pens: the box in the shadow colour, the sign in the window text colour.
HPEN SECTreeButtonPen(bool bSign);

template <class TList>
static void SECTreeDottedRun(CDC* pDC, COLORREF rgbBk, int x, int y, int cx, int cy, int nPhase) {
    HDC hdc = pDC->m_hDC;
    const COLORREF rgbOldText = ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNSHADOW));
    const COLORREF rgbOldBk = ::SetBkColor(hdc, rgbBk);
    POINT ptOld;
    ::SetBrushOrgEx(hdc, nPhase & 1, 0, &ptOld);
    HGDIOBJ hOld = ::SelectObject(hdc, SECTreeDotBrush());
    ::PatBlt(hdc, x, y, cx, cy, PATCOPY);
    ::SelectObject(hdc, hOld);
    ::SetBrushOrgEx(hdc, ptOld.x, ptOld.y, NULL);
    ::SetBkColor(hdc, rgbOldBk);
    ::SetTextColor(hdc, rgbOldText);
}

template <class TList>
void SECTreeImpl<TList>::DrawDottedHLine(CDC* pDC, BOOL, int x1, int x2, int y) {
    if (x2 < x1)
        std::swap(x1, x2);
    if (pDC->IsPrinting()) {
        pDC->MoveTo(x1, y);
        pDC->LineTo(x2, y);
        return;
    }
    // Dots where x plus the scroll offset is even: the pattern's (x + y) even, shifted.
    SECTreeDottedRun<TList>(pDC, this->GetBkColor(), x1, y, x2 - x1, 1, y - this->m_ptScroll.x);
}

template <class TList>
void SECTreeImpl<TList>::DrawDottedVLine(CDC* pDC, BOOL, int x, int y1, int y2) {
    if (y2 < y1)
        std::swap(y1, y2);
    if (pDC->IsPrinting()) {
        pDC->MoveTo(x, y1);
        pDC->LineTo(x, y2);
        return;
    }
    // Rows have even heights: dots on even y keep their phase however far the rows scroll.
    SECTreeDottedRun<TList>(pDC, this->GetBkColor(), x, y1, 1, y2 - y1, x);
}

// Whether a node has a child that is not hidden.
static inline BOOL SECTreeHasShownChild(const _Node* pNode) {
    for (SECTreeNode* p = pNode->GetFirstChild(); p != nullptr; p = p->GetNextSibling())
        if (!AsNode(p)->HasFlag(_Node::flagHidden))
            return TRUE;
    return FALSE;
}

static inline BOOL SECTreeHasShownLaterSibling(const SECTreeNode* pNode) {
    for (SECTreeNode* p = pNode->GetNextSibling(); p != nullptr; p = p->GetNextSibling())
        if (!AsNode(p)->HasFlag(_Node::flagHidden))
            return TRUE;
    return FALSE;
}

template <class TList> void SECTreeImpl<TList>::DrawLines(SECListPaintContext* pContext) {
    SECTreePaintContext* pTree = SECTreeContext<TList>(pContext);
    if (pTree == nullptr || pTree->pNode == nullptr || pContext->pItem == NULL)
        return;
    _Node* pNode = pTree->pNode;
    SECListItem* pRow = pContext->pItem;
    const CRect rc = pContext->rect;
    const int L = Level(pNode);
    const bool bIcon = !::IsRectEmpty(&pRow->rcIcon);
    const int nHalfIcon = bIcon ? (pRow->rcIcon.right - pRow->rcIcon.left) / 2 : 8;
    int x = (L - 2) * m_nIndent + rc.left + nHalfIcon;
    const RECT& rcMid = bIcon ? pRow->rcIcon : pRow->rcText;
    int y = rc.top + (rcMid.top + rcMid.bottom) / 2;
    const bool bState =
        !::IsRectEmpty(&pRow->rcStateIcon) && pRow->rcStateIcon.right > pRow->rcStateIcon.left;
    const int xEnd = rc.left + (bState ? pRow->rcStateIcon.left
                                       : (bIcon ? pRow->rcIcon.left : pRow->rcText.left));
    if (y & 1)
        ++y;
    if ((this->m_ptScroll.x + x) & 1)
        ++x;
    const bool bRoot = LinesAtRoot() != FALSE;
    if (bRoot)
        x += m_nIndent;
    CDC* pDC = pContext->pdc;
    if (bRoot || L >= 2)
        DrawDottedHLine(pDC, FALSE, x, xEnd, y);
    if (pContext->lvi.iItem != 0)
        DrawDottedVLine(pDC, FALSE, x, rc.top, y);
    if (pNode->IsExpanded() && SECTreeHasShownChild(pNode)) {
        const int nHalf = (rcMid.bottom - rcMid.top) / 2;
        DrawDottedVLine(pDC, FALSE, x + m_nIndent, y + nHalf, rc.bottom);
    }
    const int nLevels = bRoot ? L : L - 1;
    SECTreeNode* p = pNode;
    int xx = x;
    for (int i = 0; i < nLevels && p != nullptr && p != RootNode(); ++i) {
        if (SECTreeHasShownLaterSibling(p))
            DrawDottedVLine(pDC, FALSE, xx, i == 0 ? y : rc.top, rc.bottom);
        xx -= m_nIndent;
        p = p->GetParent();
    }
}

template <class TList>
int SECTreeImpl<TList>::GetButtonRect(SECListPaintContext* pContext, int, RECT* pRect) {
    SECTreePaintContext* pTree = SECTreeContext<TList>(pContext);
    if (pTree == nullptr || pTree->pNode == nullptr || pContext->pItem == NULL || pRect == nullptr)
        return 0;
    SECListItem* pRow = pContext->pItem;
    const CRect rc = pContext->rect;
    const int L = Level(pTree->pNode);
    int cx, cy, nSize;
    if (!::IsRectEmpty(&pRow->rcIcon)) {
        const int w = pRow->rcIcon.right - pRow->rcIcon.left;
        const int h = pRow->rcIcon.bottom - pRow->rcIcon.top;
        cx = w / 2 + (L - 2) * m_nIndent + rc.left;
        cy = rc.top + (pRow->rcIcon.top + pRow->rcIcon.bottom) / 2;
        nSize = std::min(15, (int)(h * 0.6060606060606061));
    } else if (pRow->rcStateIcon.right > pRow->rcStateIcon.left) {
        const int w = pRow->rcStateIcon.right - pRow->rcStateIcon.left;
        const int h = pRow->rcStateIcon.bottom - pRow->rcStateIcon.top;
        cx = w / 2 + (L - 2) * m_nIndent + rc.left;
        cy = rc.top + (pRow->rcStateIcon.top + pRow->rcStateIcon.bottom) / 2;
        nSize = std::min(15, (int)(h * 0.6060606060606061));
    } else {
        cx = (L - 2) * m_nIndent + rc.left + 8;
        cy = rc.top + (pRow->rcText.top + pRow->rcText.bottom) / 2;
        nSize = 8;
    }
    if (cy & 1)
        ++cy;
    if ((this->m_ptScroll.x + cx) & 1)
        ++cx;
    if (LinesAtRoot())
        cx += m_nIndent;
    const int nBox = (nSize & 1) ? nSize : nSize + 1;
    ::SetRect(pRect, cx - nSize / 2, cy - nSize / 2, cx - nSize / 2 + nBox, cy - nSize / 2 + nBox);
    return nSize / 2;
}

template <class TList> void SECTreeImpl<TList>::DrawButton(SECListPaintContext* pContext) {
    SECTreePaintContext* pTree = SECTreeContext<TList>(pContext);
    if (pTree == nullptr || pTree->pNode == nullptr)
        return;
    _Node* pNode = pTree->pNode;
    if (!SECTreeHasShownChild(pNode) &&
        !(pNode->GetFirstChild() == nullptr &&
          (pNode->m_item.cChildren >= 1 || pNode->m_item.cChildren == I_CHILDRENCALLBACK)))
        return;
    CRect rc;
    GetButtonRect(pContext, pContext->lvi.iItem, &rc);
    CDC* pDC = pContext->pdc;
    const bool bOpen = pNode->IsExpanded() && pNode->GetFirstChild() != nullptr;
    if (!pDC->IsPrinting()) {
        if (!pTree->bButtonThemeAsked) { // opening a theme is costly: once a paint
            pTree->bButtonThemeAsked = true;
            if (DynIsAppThemed() && DynIsThemeActive())
                pTree->hButtonTheme = DynOpenThemeData(m_hWnd, L"TREEVIEW");
        }
        if (pTree->hButtonTheme != NULL) {
            DynDrawThemeBackground(pTree->hButtonTheme, pDC->m_hDC, 2, bOpen ? 2 : 1, &rc, NULL);
            return;
        }
    }
    const bool bEnabled = this->IsEnabledNow();
    HDC hdc = pDC->m_hDC;
    HGDIOBJ hOldPen = ::SelectObject(hdc, SECTreeButtonPen(false));
    ::SetDCBrushColor(hdc, bEnabled ? RGB(255, 255, 255) : this->GetBkColor());
    HGDIOBJ hOldBrush = ::SelectObject(hdc, ::GetStockObject(DC_BRUSH));
    ::Rectangle(hdc, rc.left, rc.top, rc.right, rc.bottom);
    ::SelectObject(hdc, SECTreeButtonPen(true));
    int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    if ((this->m_ptScroll.x + cx) & 1)
        --cx;
    const int nArm = rc.Width() / 3;
    ::MoveToEx(hdc, cx - nArm + 1, cy, NULL);
    ::LineTo(hdc, cx + nArm, cy);
    if (!bOpen) {
        ::MoveToEx(hdc, cx, cy - nArm + 1, NULL);
        ::LineTo(hdc, cx, cy + nArm);
    }
    ::SelectObject(hdc, hOldPen);
    ::SelectObject(hdc, hOldBrush);
}

template <class TList> void SECTreeImpl<TList>::DrawItem(SECListPaintContext* pContext) {
    SECTreePaintContext* pTree = SECTreeContext<TList>(pContext);
    if (pTree == nullptr || pTree->pNode == nullptr || pContext->pCol == NULL ||
        pContext->pCol->iSubItem != 0) {
        TList::DrawItem(pContext);
        return;
    }
    CDC* pDC = pContext->pdc;
    SECListItem* pRow = pContext->pItem;
    const CRect rc = pContext->rect;
    const TVITEMW& tv = pTree->tvi;
    const int nRow = pContext->lvi.iItem;
    const bool bEditing = nRow == this->m_nEditItem && std::max(0, this->m_nCurColumn) == 0;
    this->FillCellBk(pDC, rc, pContext->rgbItemBk);
    const bool bFocus = this->HasFocusNow(); // asked once a paint: each asking is a round trip
    const bool bSelected = (pContext->lvi.state & LVIS_SELECTED) != 0;
    // State image, then the icon.
    CImageList* pState = this->GetImageList(TVSIL_STATE);
    const int nStateImage = (tv.state >> 12) & 0xF;
    if (pState != NULL && pState->GetSafeHandle() != NULL && nStateImage != 0 &&
        nStateImage < pState->GetImageCount() && pRow->rcStateIcon.right > pRow->rcStateIcon.left)
        ImageList_DrawEx(pState->GetSafeHandle(), nStateImage, pDC->m_hDC,
                         rc.left + pRow->rcStateIcon.left, rc.top + pRow->rcStateIcon.top, 0, 0,
                         pContext->rgbItemBk, CLR_DEFAULT, ILD_NORMAL);
    CImageList* pNormal = this->GetImageList(TVSIL_NORMAL);
    if (pNormal != NULL && pNormal->GetSafeHandle() != NULL && !::IsRectEmpty(&pRow->rcIcon)) {
        int nImage = tv.iImage;
        // An item whose selected image was never set keeps its icon when selected.
        if (bSelected && tv.iSelectedImage != SECTREE_NO_IMAGE && tv.iSelectedImage >= 0)
            nImage = tv.iSelectedImage;
        if (nImage < 0 || nImage >= pNormal->GetImageCount())
            nImage = 0;
        UINT nFlags = tv.state & 0x0F00;
        if (((this->GetListExStyle() & 0x10000000) && bSelected && bFocus) ||
            nRow == this->m_nDropHilite)
            nFlags |= ILD_BLEND50;
        ImageList_DrawEx(pNormal->GetSafeHandle(), nImage, pDC->m_hDC, rc.left + pRow->rcIcon.left,
                         rc.top + pRow->rcIcon.top, 0, 0, pContext->rgbItemBk, CLR_DEFAULT, nFlags);
    }
    if (pDC->IsPrinting() || pDC->RectVisible(&rc)) {
        if (m_dwTreeStyle & TVS_HASLINES)
            DrawLines(pContext);
        if (m_dwTreeStyle & TVS_HASBUTTONS)
            DrawButton(pContext);
    }
    CRect rcLabel = pRow->rcText;
    rcLabel.OffsetRect(rc.left, rc.top);
    CRect rcSel(rcLabel.left - 3, rc.top, rcLabel.right + 3, rc.bottom);
    const int nColumns = this->GetColumnCount();
    if (this->HasExStyle(LVXS_FULLROWSELECT))
        rcSel.right = std::max((int)rcSel.right, (int)rc.right);
    else if (nColumns >= 2)
        rcSel.right = std::min((int)rcSel.right, (int)rc.right - 2);
    if (pContext->rgbTextBk != pContext->rgbItemBk && !pDC->IsPrinting())
        pDC->FillSolidRect(&rcSel, pContext->rgbTextBk);
    if (!bEditing) {
        CFont* pOldFont = pContext->pFont != NULL ? pDC->SelectObject(pContext->pFont) : NULL;
        const COLORREF rgbOldText = pDC->SetTextColor(pContext->rgbText);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        LPCTSTR psz = tv.pszText != NULL ? tv.pszText : L"";
        const int nLen = (int)::wcsnlen(psz, SECLIST_TEXT_MAX);
        CRect rcText = rcLabel;
        rcText.OffsetRect(0, 1);
        if (!this->IsWordWrap()) {
            int n = 0;
            while (n < nLen && n < 259 && psz[n] != L'\n' && psz[n] != L'\r')
                ++n;
            rcText.right = std::max((int)rcText.right, (int)rcText.left);
            if (nColumns >= 2)
                rcText.right = std::min((int)rcText.right, (int)rc.right - 5);
            // A label as wide as measured fits: no ellipsis to fit (that measures it again).
            const bool bFits = rcText.Width() >= pRow->rcText.right - pRow->rcText.left;
            ::DrawTextW(pDC->m_hDC, psz, n, &rcText, bFits ? 0x0864 : 0x8864);
        } else if (pTree->pNode->m_bHangingIndent) {
            _Node* pNode = pTree->pNode;
            ::DrawTextW(pDC->m_hDC, pNode->m_strBeforeMarker, pNode->m_strBeforeMarker.GetLength(),
                        &rcText, 0x860);
            CRect rcAfter = rcText;
            rcAfter.left += pNode->m_nBeforeMarkerWidth;
            ::DrawTextW(pDC->m_hDC, pNode->m_strAfterMarker, pNode->m_strAfterMarker.GetLength(),
                        &rcAfter, 0x850);
        } else {
            ::DrawTextW(pDC->m_hDC, psz, nLen, &rcText, 0x854);
        }
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(rgbOldText);
        if (pOldFont != NULL)
            pDC->SelectObject(pOldFont);
    }
    if (nRow == this->m_nFocusIndex && bFocus && !bEditing && !pDC->IsPrinting() &&
        (!this->HasExStyle(LVXS_FULLROWSELECT) || nColumns == 1)) {
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->DrawFocusRect(&rcSel);
    }
}

// ---- Drag images.

template <class TList>
HBITMAP SECTreeImpl<TList>::CreateTextBitmap(CDC* pDC, LPCTSTR lpszText, SIZE* pSize) {
    if (pDC == NULL || lpszText == NULL)
        return NULL;
    CRect rc(0, 0, 0, 0);
    ::DrawTextW(pDC->m_hDC, lpszText, -1, &rc, 0xC40);
    if (rc.IsRectEmpty())
        rc.SetRect(0, 0, 1, 1);
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rc.Width(), rc.Height());
    ::ReleaseDC(NULL, hScreen);
    if (hBitmap == NULL)
        return NULL;
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, hBitmap);
    ::FillRect(pDC->m_hDC, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ::SetBkMode(pDC->m_hDC, TRANSPARENT);
    ::SetTextColor(pDC->m_hDC, ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextW(pDC->m_hDC, lpszText, -1, &rc, 0x840);
    ::SelectObject(pDC->m_hDC, hOld);
    if (pSize != nullptr)
        *pSize = rc.Size();
    return hBitmap;
}

template <class TList>
CImageList* SECTreeImpl<TList>::CreateTextDragImage(CDC* pDC, LPCTSTR lpszText) {
    SIZE sz = {0, 0};
    HBITMAP hBitmap = CreateTextBitmap(pDC, lpszText, &sz);
    if (hBitmap == NULL)
        return nullptr;
    std::unique_ptr<CImageList> pList(new CImageList);
    BOOL bOk = pList->Create(sz.cx, sz.cy, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (bOk)
        // The white the text was drawn on is masked out. (The value with every bit set is no
        // colour, and what it masks differs: under Wine it hid the text itself.)
        bOk = ImageList_AddMasked(pList->GetSafeHandle(), hBitmap, RGB(255, 255, 255)) >= 0;
    ::DeleteObject(hBitmap);
    return bOk ? pList.release() : nullptr;
}

// Drag images are composed here rather than merged by the image list: a merge takes its mask
// from the first list, and a list without a mask (or Wine's merge of one) leaves the whole
// picture transparent. Each part is drawn on black (what a transparent pixel must hold) with
// its mask beside it, opaque when its list has none.
struct SECTreeDragPart {
    HIMAGELIST hList;
    int nImage;
    int x;
};
CImageList* SECTreeComposeDragImage(const SECTreeDragPart* pParts, int nParts, int cx, int cy);

template <class TList> CImageList* SECTreeImpl<TList>::CreateIconDragImage(int nImage) {
    CImageList* pNormal = this->GetImageList(TVSIL_NORMAL);
    IMAGEINFO info = {};
    if (pNormal == NULL || pNormal->GetSafeHandle() == NULL || nImage < 0 ||
        nImage >= pNormal->GetImageCount() || !pNormal->GetImageInfo(nImage, &info))
        return nullptr;
    const SECTreeDragPart part = {pNormal->GetSafeHandle(), nImage, 0};
    return SECTreeComposeDragImage(&part, 1, info.rcImage.right - info.rcImage.left,
                                   info.rcImage.bottom - info.rcImage.top);
}

template <class TList>
CImageList* SECTreeImpl<TList>::MergeImageLists(CImageList* pIcon, CImageList* pText) {
    if (pIcon == nullptr || pText == nullptr)
        return nullptr;
    int cxIcon = 0, cyIcon = 0, cxText = 0, cyText = 0;
    if (!pIcon->GetIconSize(&cxIcon, &cyIcon) || !pText->GetIconSize(&cxText, &cyText))
        return nullptr;
    const SECTreeDragPart parts[2] = {{pIcon->GetSafeHandle(), 0, 0},
                                      {pText->GetSafeHandle(), 0, cxIcon + 6}};
    return SECTreeComposeDragImage(parts, 2, cxIcon + 6 + cxText, std::max(cyIcon, cyText));
}

template <class TList> CImageList* SECTreeImpl<TList>::CreateDragImage(HTREEITEM hItem) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr || this->GetImageList(TVSIL_NORMAL) == NULL || GetSafeHwnd() == NULL)
        return nullptr;
    const CString strText = NodeText(pNode);
    if (!AliveNode(pNode))
        return nullptr;
    CClientDC dcWindow(this);
    CDC dc;
    if (!dc.CreateCompatibleDC(&dcWindow))
        return nullptr;
    CFont* pFont = (pNode->m_item.state & TVIS_BOLD) ? SECTreeBoldFont(this->GetItemFont())
                                                     : this->GetItemFont();
    CFont* pOld = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    std::unique_ptr<CImageList> pText(CreateTextDragImage(&dc, strText));
    if (pOld != NULL)
        dc.SelectObject(pOld);
    std::unique_ptr<CImageList> pIcon(CreateIconDragImage(pNode->m_item.iImage));
    if (pIcon != nullptr && pText != nullptr)
        return MergeImageLists(pIcon.get(), pText.get());
    return pText != nullptr ? pText.release() : pIcon.release();
}

// Each selected row's drag image where the row is, less (dx, dy), indented by its level. The
// rows are taken first: making an image may ask the owner for texts, and the owner may change
// the tree while answering.
template <class TList> void SECTreeImpl<TList>::DrawDragImages(CDC* pDC, int dx, int dy) {
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    std::vector<_Node*> selected;
    for (INT_PTR i = 0; i < this->m_arSelected.GetSize(); ++i)
        if (_Node* pNode = NodeOfRow((int)this->m_arSelected[i]))
            selected.push_back(pNode);
    const auto token = this->LifeToken();
    for (_Node* pNode : selected) {
        if (!this->Alive(token))
            return;
        if (!AliveNode(pNode))
            continue;
        std::unique_ptr<CImageList> pImage(CreateDragImage(HandleOfNode(pNode)));
        CRect rc;
        if (pImage == nullptr || !this->Alive(token) || !AliveNode(pNode) ||
            !GetItemRect(HandleOfNode(pNode), &rc, FALSE))
            continue;
        rc.OffsetRect(-dx + (Level(pNode) - 1) * m_nIndent, -dy);
        pImage->Draw(pDC, 0, rc.TopLeft(), ILD_NORMAL);
    }
}
