// The shortcut list's geometry and painting: scroll-button placement, the large-icon hit test,
// framed icons, centred labels, the scroll buttons and the insertion marker.
#include "toolbars/shortcut_bar_list.h"

#include "toolbars/drawing/frame_glyphs.h"
#include "toolbars/drawing/themeapi.h"
#include "toolbars/drawing/toolkitcolors.h"

#include <algorithm>

namespace {
// Read once: the scroll buttons take the size of a vertical scroll bar's arrow.
const int g_cxScrollButton = ::GetSystemMetrics(SM_CXVSCROLL);
const int g_cyScrollButton = ::GetSystemMetrics(SM_CYVSCROLL);

// The marker's pen and brush, made on first use and kept for the process.
HPEN MarkerPen() {
    static HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    return hPen;
}
HBRUSH MarkerBrush() {
    static HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 0, 0));
    return hBrush;
}
} // namespace

void SECShortcutListCtrl::LayoutScrollBars() {
    SECListCtrl::LayoutScrollBars();
    if (GetSafeHwnd() == NULL || !m_pUpButton || !m_pDownButton)
        return;
    CRect rc;
    SECListCtrl::GetClientRect(&rc);
    m_pUpButton->m_rect.SetRect(rc.right - 5 - g_cxScrollButton, rc.top + 5, rc.right - 5,
                                rc.top + 5 + g_cyScrollButton);
    m_pDownButton->m_rect.SetRect(rc.right - 5 - g_cxScrollButton, rc.bottom - 5 - g_cyScrollButton,
                                  rc.right - 5, rc.bottom - 5);
}

// ---- Hit test.

void SECShortcutListCtrl::GetLargeRects(int nRow, int y, CRect* pIcon, CRect* pLabel) {
    SECListItem* pRow = GetItemAt(nRow);
    CRect rcInside;
    GetInsideRect(&rcInside);
    const int nCentre = (rcInside.left + rcInside.right) / 2;
    const int nTop = y + GetRowSpacing() / 2;
    const int cxIcon = pRow != NULL ? pRow->rcIcon.right - pRow->rcIcon.left : 0;
    const int cyIcon = pRow != NULL ? pRow->rcIcon.bottom - pRow->rcIcon.top : 0;
    pIcon->SetRect(nCentre - cxIcon / 2, nTop + (pRow != NULL ? pRow->rcIcon.top : 0), 0, 0);
    pIcon->right = pIcon->left + cxIcon;
    pIcon->bottom = pIcon->top + cyIcon;
    const int cxLabel = pRow != NULL ? std::min<int>(pRow->rcText.right - pRow->rcText.left,
                                                     std::max(0, rcInside.Width() - 4))
                                     : 0;
    const int cyLabel = pRow != NULL ? pRow->rcText.bottom - pRow->rcText.top : 0;
    const int nLabelTop = cyIcon > 0 ? pIcon->bottom + 2 : nTop + 2;
    pLabel->SetRect(nCentre - cxLabel / 2, nLabelTop, nCentre - cxLabel / 2 + cxLabel,
                    nLabelTop + cyLabel);
}

int SECShortcutListCtrl::HitTest(int x, int y, UINT* pFlags, int* pCol) {
    const CPoint pt(x, y);
    if (m_pUpButton && m_pUpButton->m_rect.PtInRect(pt))
        return SECSHORTCUT_HIT_UP;
    if (m_pDownButton && m_pDownButton->m_rect.PtInRect(pt))
        return SECSHORTCUT_HIT_DOWN;
    if (!IsLargeIcons())
        return SECListCtrl::HitTest(x, y, pFlags, pCol);
    UINT nFlags = 0;
    if (pCol != NULL)
        *pCol = 0;
    CRect rcClient;
    SECListCtrl::GetClientRect(&rcClient);
    if (!rcClient.PtInRect(pt)) {
        if (y < rcClient.top)
            nFlags |= LVHT_ABOVE;
        else if (y >= rcClient.bottom)
            nFlags |= LVHT_BELOW;
        if (x < rcClient.left)
            nFlags |= LVHT_TOLEFT;
        else if (x >= rcClient.right)
            nFlags |= LVHT_TORIGHT;
        if (pFlags != NULL)
            *pFlags = nFlags;
        return -1;
    }
    CRect rcInside;
    GetInsideRect(&rcInside);
    int yRow = rcInside.top;
    for (int i = GetTopIndex(); i < GetItemCount() && yRow < rcInside.bottom; ++i) {
        const int h = RowHeight(i);
        if (y >= yRow && y < yRow + h) {
            CRect rcIcon, rcLabel;
            GetLargeRects(i, yRow, &rcIcon, &rcLabel);
            if (rcLabel.PtInRect(pt))
                nFlags = LVHT_ONITEMLABEL;
            else if (rcIcon.PtInRect(pt))
                nFlags = LVHT_ONITEMICON;
            else if (x < rcLabel.left)
                nFlags = 0x40;
            else if (x >= rcLabel.right)
                nFlags = 0x80;
            if (pFlags != NULL)
                *pFlags = nFlags;
            return i;
        }
        yRow += h;
    }
    if (pFlags != NULL)
        *pFlags = LVHT_NOWHERE;
    return -1;
}

// ---- Painting.

BOOL SECShortcutListCtrl::IsLastItemShown() {
    CRect rcInside;
    GetInsideRect(&rcInside);
    int y = rcInside.top;
    for (int i = GetTopIndex(); i < GetItemCount(); ++i) {
        y += RowHeight(i);
        if (y > rcInside.bottom)
            return FALSE;
    }
    return TRUE;
}

void SECShortcutListCtrl::DrawItems(SECListPaintContext* pContext) {
    SECListCtrl::DrawItems(pContext);
    if (pContext != NULL && pContext->pdc != NULL && GetSafeHwnd() != NULL)
        DrawScrollButtons(pContext->pdc);
}

void SECShortcutListCtrl::DrawScrollButtons(CDC* pDC) {
    const bool bUp = GetTopIndex() > 0;
    const bool bDown = !IsLastItemShown();
    HTHEME hTheme = NULL;
    if (DynIsAppThemed() && DynIsThemeActive()) {
        CWnd* pMain = AfxGetMainWnd();
        hTheme = DynOpenThemeData(pMain != NULL ? pMain->GetSafeHwnd() : m_hWnd, L"scrollbar");
    }
    for (ScrollButton* pButton : {m_pUpButton.get(), m_pDownButton.get()}) {
        if (pButton == NULL || !(pButton->IsUp() ? bUp : bDown) ||
            !pDC->RectVisible(&pButton->m_rect))
            continue;
        if (hTheme != NULL) {
            const int nState = (pButton->IsUp() ? 1 : 5) + (pButton->IsPressed() ? 2 : 0);
            DynDrawThemeBackground(hTheme, pDC->m_hDC, 1, nState, &pButton->m_rect, NULL);
        } else {
            UINT nState = pButton->IsUp() ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
            if (pButton->IsPressed())
                nState |= DFCS_PUSHED;
            CRect rc = pButton->m_rect;
            DrawFrameButton(pDC->m_hDC, &rc, DFC_SCROLL, nState);
        }
    }
    if (hTheme != NULL)
        DynCloseThemeData(hTheme);
}

void SECShortcutListCtrl::DrawItemImages(SECListPaintContext* pContext) {
    const bool bLarge = pContext->nView == 0;
    CImageList* pList = GetImageList(bLarge ? LVSIL_NORMAL : LVSIL_SMALL);
    SECListItem* pRow = pContext->pItem;
    if (pList == NULL || pList->GetSafeHandle() == NULL || pRow == NULL ||
        ::IsRectEmpty(&pRow->rcIcon) || pContext->lvi.iImage < 0)
        return;
    CRect rcIcon;
    if (bLarge) {
        CRect rcLabel;
        GetLargeRects(pContext->lvi.iItem, pContext->rect.top, &rcIcon, &rcLabel);
    } else {
        rcIcon = pRow->rcIcon;
        rcIcon.OffsetRect(pContext->rect.left, pContext->rect.top + GetRowSpacing() / 2);
    }
    CDC* pDC = pContext->pdc;
    const UINT nState = GetHotState(pContext->lvi.iItem);
    const bool bHot = (nState & SECSHORTCUT_STATE_HOT) != 0;
    const bool bPressed = (nState & SECSHORTCUT_STATE_PRESSED) != 0;
    const int nBeyond = m_bFlatLook ? 1 : 2;
    const CRect rcFrame(rcIcon.left - 1, rcIcon.top - 1, rcIcon.right + nBeyond,
                        rcIcon.bottom + nBeyond);
    COLORREF rgbOldBk = CLR_NONE;
    if (m_bFlatLook && (bHot || bPressed)) {
        const COLORREF rgb = GetToolkitColor(bPressed ? 8 : 6);
        pDC->Draw3dRect(&rcFrame, rgb, rgb);
        rgbOldBk = pList->SetBkColor(GetToolkitColor(bPressed ? 7 : 5));
    } else if (bPressed) {
        pDC->Draw3dRect(&rcFrame, RGB(0, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    } else if (bHot) {
        pDC->Draw3dRect(&rcFrame, ::GetSysColor(COLOR_BTNHIGHLIGHT), RGB(0, 0, 0));
    } else {
        pDC->Draw3dRect(&rcFrame, pContext->rgbItemBk, pContext->rgbItemBk);
    }
    pList->Draw(pDC, pContext->lvi.iImage, rcIcon.TopLeft(), ILD_NORMAL);
    if (rgbOldBk != CLR_NONE || (m_bFlatLook && (bHot || bPressed)))
        pList->SetBkColor(rgbOldBk);
}

void SECShortcutListCtrl::DrawItemLabels(SECListPaintContext* pContext) {
    CDC* pDC = pContext->pdc;
    SECListItem* pRow = pContext->pItem;
    if (pRow == NULL)
        return;
    LPCTSTR pszText = pContext->lvi.pszText != NULL && !SECListIsCallback(pContext->lvi.pszText)
                          ? pContext->lvi.pszText
                          : L"";
    const int nLen = (int)::wcsnlen(pszText, SECLIST_TEXT_MAX);
    CRect rcText;
    UINT nFormat = DT_WORDBREAK | DT_NOPREFIX;
    if (pContext->nView == 0) {
        CRect rcIcon;
        GetLargeRects(pContext->lvi.iItem, pContext->rect.top, &rcIcon, &rcText);
        nFormat |= DT_CENTER;
        CRect rcInside;
        GetInsideRect(&rcInside);
        // A label wider than its row shows one line, cut with an ellipsis.
        if (pRow->rcText.right - pRow->rcText.left > rcInside.Width() - 4)
            nFormat = DT_SINGLELINE | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    } else {
        rcText.SetRect(pContext->rect.left + pRow->rcIcon.right + 4,
                       pContext->rect.top + GetRowSpacing() / 2 + pRow->rcText.top,
                       pContext->rect.right - 4, pContext->rect.bottom);
        const int nAlign = pContext->pCol != NULL ? (pContext->pCol->fmt & 3) : 0;
        if (nAlign == LVCFMT_RIGHT)
            nFormat |= DT_RIGHT;
        else if (nAlign == LVCFMT_CENTER)
            nFormat |= DT_CENTER;
    }
    CFont* pOldFont = pContext->pFont != NULL ? pDC->SelectObject(pContext->pFont) : NULL;
    const COLORREF rgbOld = pDC->SetTextColor(pContext->rgbText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    ::DrawTextW(pDC->m_hDC, pszText, nLen, &rcText, nFormat);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(rgbOld);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}

// ---- The insertion marker.

int SECShortcutListCtrl::FindDropPosition(CPoint point, CRect* pMarker) {
    UINT nFlags = 0;
    const int nHit = HitTest(point.x, point.y, &nFlags, NULL);
    if (nHit >= 0 && IsOnItemPart(nFlags))
        return SECSHORTCUT_DROP_NONE;
    CRect rcInside;
    GetInsideRect(&rcInside);
    if (!rcInside.PtInRect(point))
        return SECSHORTCUT_DROP_NONE;
    int nPosition = SECSHORTCUT_DROP_END;
    if (GetTopIndex() == 0 && point.y < rcInside.top + GetRowSpacing()) {
        nPosition = SECSHORTCUT_DROP_FRONT;
    } else {
        int y = rcInside.top;
        for (int i = GetTopIndex(); i < GetItemCount(); ++i) {
            const int h = RowHeight(i);
            if (point.y < y + h) {
                // The upper half of a row drops before it, the lower half after it.
                nPosition = point.y < y + h / 2 ? i - 1 : i;
                if (nPosition < 0)
                    nPosition = SECSHORTCUT_DROP_FRONT;
                break;
            }
            y += h;
        }
        if (nPosition == GetItemCount() - 1)
            nPosition = SECSHORTCUT_DROP_END;
    }
    if (pMarker != NULL) {
        POINT ptLeft[3], ptRight[3];
        GetLeftMarkerPoints(nPosition, ptLeft);
        GetRightMarkerPoints(nPosition, ptRight);
        pMarker->SetRect(ptLeft[0].x, ptLeft[0].y, ptRight[0].x + 1, ptLeft[1].y + 1);
    }
    return nPosition;
}

// The y of the marker line for a drop position.
int SECShortcutListCtrl::MarkerY(int nPosition, const CRect& rcInside) {
    int y = rcInside.top;
    if (nPosition == SECSHORTCUT_DROP_FRONT)
        return y + 5;
    const int nLast = nPosition == SECSHORTCUT_DROP_END ? GetItemCount() - 1 : nPosition;
    for (int i = GetTopIndex(); i <= nLast && y < rcInside.bottom; ++i)
        y += RowHeight(i);
    return std::min(std::max(y, (int)rcInside.top + 5), (int)rcInside.bottom - 5);
}

void SECShortcutListCtrl::GetLeftMarkerPoints(int nPosition, POINT* pPoints) {
    CRect rcInside;
    GetInsideRect(&rcInside);
    const int y = MarkerY(nPosition, rcInside);
    const int x = rcInside.left + 1;
    pPoints[0] = {x, y - 4};
    pPoints[1] = {x, y + 4};
    pPoints[2] = {x + 7, y};
}

void SECShortcutListCtrl::GetRightMarkerPoints(int nPosition, POINT* pPoints) {
    CRect rcInside;
    GetInsideRect(&rcInside);
    const int y = MarkerY(nPosition, rcInside);
    const int x = rcInside.right - 2;
    pPoints[0] = {x, y - 4};
    pPoints[1] = {x, y + 4};
    pPoints[2] = {x - 7, y};
}

void SECShortcutListCtrl::DrawInsertMarker(CDC* pDC, int nPosition) {
    if (pDC == NULL || nPosition == SECSHORTCUT_DROP_NONE)
        return;
    POINT ptLeft[3], ptRight[3];
    GetLeftMarkerPoints(nPosition, ptLeft);
    GetRightMarkerPoints(nPosition, ptRight);
    HGDIOBJ hOldPen = ::SelectObject(pDC->m_hDC, MarkerPen());
    HGDIOBJ hOldBrush = ::SelectObject(pDC->m_hDC, MarkerBrush());
    ::Polygon(pDC->m_hDC, ptLeft, 3);
    ::Polygon(pDC->m_hDC, ptRight, 3);
    ::MoveToEx(pDC->m_hDC, ptLeft[2].x - 1, ptLeft[2].y, NULL);
    ::LineTo(pDC->m_hDC, ptRight[2].x + 1, ptRight[2].y);
    ::SelectObject(pDC->m_hDC, hOldBrush);
    ::SelectObject(pDC->m_hDC, hOldPen);
}
