// The list's mouse and keyboard: clicks, drags in the header, the divider drag, keys,
// type-ahead, wheel, bars, timers and focus.
#pragma once

#include "listtree/list_base.h"
#include "toolbars/drawing/themeapi.h"

#include <algorithm>

// ---- Mouse.

template <class TBase> void SECListImpl<TBase>::OnLButtonDown(UINT nFlags, CPoint point) {
    const auto token = LifeToken();
    if (::GetFocus() != m_hWnd) {
        ::SetFocus(m_hWnd);
        if (!Alive(token))
            return;
    }
    m_nLastSelectEvent = -1;
    UINT nHit = 0;
    int nCol = -1;
    const int nRow = HitTest(point.x, point.y, &nHit, &nCol);
    m_nCurColumn = std::max(nCol, 0);
    m_bArmed = FALSE;
    const int nLastResizable =
        HasExStyle(LVXS_FITCOLUMNSONSIZE) ? GetColumnCount() - 1 : GetColumnCount();
    if ((nHit & SECLVHT_ONDIVIDER) && nRow >= 0 && nRow < nLastResizable) {
        const int dx = TrackColumnResize(point.x, point.y, nRow);
        if (!Alive(token) || !IsValidColumn(nRow))
            return;
        SECListColumn* pCol = GetColumnAt(nRow);
        pCol->cx = ClampColumnWidth(pCol->cx + dx);
        if (HasExStyle(LVXS_FITCOLUMNSONSIZE) && IsValidColumn(nRow + 1)) {
            SECListColumn* pNext = GetColumnAt(nRow + 1);
            pNext->cx = ClampColumnWidth(pNext->cx - dx);
            CRect rcInside;
            GetInsideRect(&rcInside);
            long long nSum = 0;
            for (int i = 0; i < GetColumnCount(); ++i) {
                if (GetColumnAt(i)->cx < 6)
                    GetColumnAt(i)->cx = 5;
                nSum += GetColumnAt(i)->cx;
            }
            if (nSum > rcInside.Width())
                GetColumnAt(0)->cx =
                    ClampColumnWidth((int)(GetColumnAt(0)->cx - (nSum - rcInside.Width())));
        }
        if (IsWordWrap())
            InvalidateAllHeights();
        RecalcLayout();
        Repaint(TRUE);
        return;
    }
    int bArm = FALSE, bSelect = FALSE;
    ClickSelectRule(&point, nRow, nHit, &bArm, &bSelect);
    m_bArmed = bArm;
    if ((nHit & SECLVHT_ONHEADER) && !HasStyle(LVS_NOSORTHEADER) && nRow >= 0) {
        m_nPressedColumn = nRow;
        DrawHeaderItem(nRow, TRUE);
        TBase::SetCapture();
    }
    if (bSelect && UpdateSelection(nRow, nHit, nFlags, TRUE)) {
        if (!Alive(token))
            return;
        OnSelectionUpdated(nRow, TRUE);
    }
    if (!Alive(token))
        return;
    m_ptButtonDown = point;
    if (m_pTip->GetSafeHwnd() != NULL && m_pTip->IsWindowVisible())
        m_pTip->Invalidate(FALSE);
    m_bItemDrag = FALSE;
    m_bHeaderDrag = FALSE;
    Default();
}

template <class TBase> void SECListImpl<TBase>::EndHeaderDrag() {
    m_bHeaderDrag = FALSE;
    CImageList::EndDrag();
    m_pHeaderDragImage.reset();
    if (m_nDropColumn >= 0)
        DrawHeaderItem(m_nDropColumn, FALSE);
    ::ReleaseCapture();
    const int nPressed = m_nPressedColumn;
    const int nDrop = m_nDropColumn;
    m_nPressedColumn = -1;
    m_nDropColumn = -1;
    DrawHeaderItem(nPressed, FALSE);
    if (nPressed >= 1 && nDrop >= 1 && nDrop != nPressed && nDrop != nPressed + 1)
        MoveColumn(nPressed, nDrop, TRUE);
}

template <class TBase> void SECListImpl<TBase>::OnLButtonUp(UINT nFlags, CPoint point) {
    m_bArmed = FALSE;
    if (m_bItemDrag) {
        m_bItemDrag = FALSE;
        return;
    }
    if (m_bHeaderDrag) {
        EndHeaderDrag();
        return;
    }
    const auto token = LifeToken();
    if (m_nPressedColumn >= 0 && !HasStyle(LVS_NOSORTHEADER)) {
        const int nPressed = m_nPressedColumn;
        m_nPressedColumn = -1;
        ::ReleaseCapture();
        DrawHeaderItem(nPressed, FALSE);
        NotifyColumnClick(nPressed);
        if (!Alive(token))
            return;
    }
    UINT nHit = 0;
    int nCol = -1;
    const int nRow = HitTest(point.x, point.y, &nHit, &nCol);
    const bool bModifier = (nFlags & (MK_SHIFT | MK_CONTROL)) != 0;
    if (nRow >= 0 && IsSelected(nRow) && GetSelectedCount() > 1 && !bModifier) {
        // The click did not start a drag: the selection collapses to the row, as a selection
        // change the owner hears of and may refuse.
        if (SelectAlone(nRow, TRUE) && Alive(token))
            OnSelectionUpdated(nRow, TRUE);
    } else if (nRow >= 0 && (nFlags & MK_CONTROL) && !(nFlags & MK_SHIFT)) {
        if (UpdateSelection(nRow, nHit, MK_CONTROL, TRUE) && Alive(token))
            OnSelectionUpdated(nRow, TRUE);
    }
    if (!Alive(token))
        return;
    if (HasStyle(LVS_EDITLABELS) && nRow >= 0)
        ArmDelayedEdit(nRow, nHit, nCol);
    Default();
    if (Alive(token))
        NotifyParent(NM_CLICK);
}

template <class TBase> void SECListImpl<TBase>::OnLButtonDblClk(UINT, CPoint) {
    StopEditTimer();
    m_nPendingEdit = -1;
    const auto token = LifeToken();
    Default();
    if (Alive(token))
        NotifyParent(NM_DBLCLK);
}

template <class TBase> void SECListImpl<TBase>::OnRButtonDown(UINT nFlags, CPoint point) {
    const auto token = LifeToken();
    if (m_pTip->GetSafeHwnd() != NULL && m_pTip->IsWindowVisible()) {
        CWnd* pParent = TBase::GetParent();
        TBase::SendMessage(WM_MOUSEACTIVATE, (WPARAM)pParent->GetSafeHwnd(),
                           MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN));
        if (!Alive(token))
            return;
    }
    ::SetFocus(m_hWnd);
    if (!Alive(token))
        return;
    m_nLastSelectEvent = -1;
    UINT nHit = 0;
    const int nRow = HitTest(point.x, point.y, &nHit, NULL);
    if (!(nHit & SECLVHT_ONDIVIDER)) {
        int bArm = FALSE, bSelect = FALSE;
        ClickSelectRule(&point, nRow, nHit, &bArm, &bSelect);
        if (bSelect && UpdateSelection(nRow, nHit, nFlags, TRUE) && Alive(token))
            OnSelectionUpdated(nRow, TRUE);
        if (!Alive(token))
            return;
    }
    m_ptButtonDown = point;
    if (m_pTip->GetSafeHwnd() != NULL && m_pTip->IsWindowVisible())
        m_pTip->Invalidate(FALSE);
    m_bItemDrag = FALSE;
    Default();
}

template <class TBase> void SECListImpl<TBase>::OnRButtonUp(UINT, CPoint) {
    m_bArmed = FALSE;
    if (m_bItemDrag) {
        m_bItemDrag = FALSE;
        return;
    }
    if (m_pTip->GetSafeHwnd() != NULL && m_pTip->IsWindowVisible())
        m_pTip->Invalidate(FALSE);
    const auto token = LifeToken();
    Default();
    if (Alive(token))
        NotifyParent(NM_RCLICK);
}

template <class TBase> void SECListImpl<TBase>::DrawColumnDropMarker(int x, int /*y*/, int nCol) {
    if (nCol < 0)
        nCol = GetColumnCount() - 1;
    if (nCol == 0)
        nCol = 1;
    if (!IsValidColumn(nCol) || GetSafeHwnd() == NULL)
        return;
    const int left = GetColumnLeft(nCol), right = GetColumnRight(nCol);
    int xLine;
    if (x >= (left + right) / 2) {
        xLine = right - 1;
        m_nDropColumn = nCol + 1;
    } else if (x < GetColumnAt(0)->cx / 2 - m_ptScroll.x) {
        return;
    } else {
        xLine = left;
        m_nDropColumn = nCol;
    }
    HDC hdc = ::GetDC(m_hWnd);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    HGDIOBJ hOld = ::SelectObject(hdc, hPen);
    ::MoveToEx(hdc, xLine, 0, NULL);
    ::LineTo(hdc, xLine, m_nHeaderHeight);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hPen);
    ::ReleaseDC(m_hWnd, hdc);
}

template <class TBase> CImageList* SECListImpl<TBase>::CreateHeaderDragImage(int nCol) {
    SECListColumn* pCol = GetColumnAt(nCol);
    if (pCol == NULL || GetSafeHwnd() == NULL)
        return NULL;
    const int cx = std::max(1, pCol->cx), cy = m_nHeaderHeight + 1;
    CClientDC dcWnd(this);
    CDC dc;
    dc.CreateCompatibleDC(&dcWnd);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcWnd, cx, cy);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, cx, cy, RGB(110, 110, 110));
    CFont* pOldFont = dc.SelectObject(GetHeaderFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    DrawHeaderText(&dc, pCol, CRect(6, 0, cx - 5, cy - 1));
    dc.SelectObject(pOldFont);
    dc.SelectObject(pOld);
    auto* pImage = new CImageList;
    if (!pImage->Create(cx, cy, ILC_MASK | ILC_COLOR24, 1, 1) ||
        pImage->Add(&bitmap, ::GetSysColor(COLOR_BTNFACE)) < 0) {
        delete pImage;
        return NULL;
    }
    return pImage;
}

template <class TBase> void SECListImpl<TBase>::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bItemDrag)
        return;
    UINT nHit = 0;
    int nCol = -1;
    const int nRow = HitTest(point.x, point.y, &nHit, &nCol);
    const bool bOnHeader = (nHit & (SECLVHT_ONHEADER | SECLVHT_ONDIVIDER)) != 0;
    if (!HasStyle(LVS_NOSORTHEADER) && DynIsAppThemed() && DynIsThemeActive()) {
        const int nHot = bOnHeader ? nRow : -1;
        if (nHot != m_nHotColumn) {
            const int nOld = m_nHotColumn;
            m_nHotColumn = nHot;
            DrawHeaderItem(nOld, FALSE);
            DrawHeaderItem(nHot, FALSE);
            if (nHot >= 0) {
                TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
                DynTrackMouseEvent(&tme);
            }
        }
    }
    const int nLastResizable =
        HasExStyle(LVXS_FITCOLUMNSONSIZE) ? GetColumnCount() - 1 : GetColumnCount();
    m_bOnDivider = (nHit & SECLVHT_ONDIVIDER) && nRow >= 0 && nRow < nLastResizable;
    if (m_nPressedColumn >= 0 && !HasStyle(LVS_NOSORTHEADER) && !bOnHeader && !m_bHeaderDrag &&
        !m_bArmed) {
        const int nPressed = m_nPressedColumn;
        m_nPressedColumn = -1;
        ::ReleaseCapture();
        DrawHeaderItem(nPressed, FALSE);
    }
    const bool bButton = (nFlags & (MK_LBUTTON | MK_RBUTTON)) != 0;
    const int dx = std::abs(point.x - m_ptButtonDown.x), dy = std::abs(point.y - m_ptButtonDown.y);
    const auto token = LifeToken();
    if (m_nFocusIndex >= 0 && m_bArmed && !bOnHeader && m_nPressedColumn < 0 && bButton &&
        (dx > 3 || dy > 3)) {
        m_bItemDrag = TRUE;
        m_bArmed = FALSE;
        if (nFlags & MK_LBUTTON)
            OnBeginDrag(m_nFocusIndex, m_ptButtonDown.x, m_ptButtonDown.y);
        else
            OnBeginRDrag(m_nFocusIndex, m_ptButtonDown.x, m_ptButtonDown.y);
        return;
    }
    if (m_nPressedColumn >= 1 && m_bArmed && (nFlags & MK_LBUTTON) && (dx >= 2 || dy >= 2) &&
        !m_bHeaderDrag) {
        m_bHeaderDrag = TRUE;
        m_bArmed = FALSE;
        m_pHeaderDragImage.reset(CreateHeaderDragImage(m_nPressedColumn));
        if (m_pHeaderDragImage) {
            CImageList::DragShowNolock(TRUE);
            m_pHeaderDragImage->BeginDrag(
                0, CPoint(m_ptButtonDown.x - GetColumnLeft(m_nPressedColumn), 0));
        }
    }
    if (m_bHeaderDrag && (nFlags & MK_LBUTTON)) {
        if (point.y < m_nHeaderHeight + 30 && point.y > -30) {
            CImageList::DragEnter(this, CPoint(point.x, 0));
            CImageList::DragMove(CPoint(point.x, 0));
            const int nOldDrop = m_nDropColumn;
            DrawColumnDropMarker(point.x, point.y, nCol);
            if (nOldDrop != m_nDropColumn) {
                CImageList::DragLeave(this);
                if (nOldDrop >= 0)
                    DrawHeaderItem(nOldDrop, FALSE);
                DrawColumnDropMarker(point.x, point.y, nCol);
                CImageList::DragEnter(this, CPoint(point.x, 0));
            }
        } else {
            CImageList::DragLeave(this);
            if (m_nDropColumn >= 0)
                DrawHeaderItem(m_nDropColumn, FALSE);
        }
    }
    if (HasExStyle(LVXS_LABELTIPS) && HasStyle(LVS_NOLABELWRAP)) {
        if (!m_bItemDrag && !m_bHeaderDrag && nRow != m_nEditItem && !bOnHeader)
            m_pTip->ShowTip(nHit, nRow, nCol, point.x, point.y);
        else
            HideTip();
    }
    if (Alive(token))
        Default();
}

template <class TBase>
BOOL SECListImpl<TBase>::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (nHitTest == HTCLIENT && m_bOnDivider && m_hResizeCursor != NULL) {
        ::SetCursor(m_hResizeCursor);
        return TRUE;
    }
    return TBase::OnSetCursor(pWnd, nHitTest, message);
}

template <class TBase> int SECListImpl<TBase>::TrackColumnResize(int x, int /*y*/, int nCol) {
    if (GetSafeHwnd() == NULL || !IsValidColumn(nCol))
        return 0;
    HWND hCapture = ::GetCapture();
    if (hCapture != NULL && hCapture != m_hWnd)
        return 0;
    ::SetCapture(m_hWnd);
    ::UpdateWindow(m_hWnd);
    CRect rcInside, rcClient;
    GetInsideRect(&rcInside);
    GetClientRect(&rcClient);
    const int nLeft = GetColumnLeft(nCol);
    const int nStart = GetColumnRight(nCol);
    const int nHeight = rcInside.bottom - rcClient.top;
    CClientDC dc(this);
    const CSize sz(2, 2);
    auto barAt = [&](int xBar) {
        return CRect(xBar - 1, rcClient.top, xBar + 1, rcClient.top + nHeight);
    };
    CRect rcLast = barAt(nStart);
    dc.DrawDragRect(&rcLast, sz, NULL, sz);
    if (nCol > 0)
        dc.PatBlt(nLeft, rcClient.top, 1, nHeight, PATINVERT);
    int xNow = x;
    bool bDone = false, bCancel = false;
    while (!bDone) {
        MSG msg;
        const BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0 || bGot == -1) {
            // The pump must still see the quit.
            ::PostQuitMessage(bGot == 0 ? (int)msg.wParam : 0);
            bCancel = true;
            break;
        }
        if (::GetCapture() != m_hWnd) {
            ::DispatchMessageW(&msg);
            bCancel = true;
            break;
        }
        switch (msg.message) {
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                bCancel = bDone = true;
            }
            break;
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            break;
        case WM_RBUTTONDOWN:
            bCancel = bDone = true;
            break;
        case WM_MOUSEMOVE: {
            int xNew = (short)LOWORD(msg.lParam);
            if (msg.hwnd != m_hWnd) {
                POINT pt = {xNew, (short)HIWORD(msg.lParam)};
                ::MapWindowPoints(msg.hwnd, m_hWnd, &pt, 1);
                xNew = pt.x;
            }
            xNow = std::max(xNew, nLeft + 10);
            const CRect rcNew = barAt(xNow);
            dc.DrawDragRect(&rcNew, sz, &rcLast, sz);
            rcLast = rcNew;
            break;
        }
        case WM_LBUTTONUP:
            bDone = true;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
    }
    const CSize szNone(0, 0);
    dc.DrawDragRect(&rcLast, szNone, &rcLast, sz);
    if (nCol > 0)
        dc.PatBlt(nLeft, rcClient.top, 1, nHeight, PATINVERT);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (bCancel)
        return 0;
    return std::max(xNow, nLeft + 10) - x;
}

template <class TBase> BOOL SECListImpl<TBase>::OnMouseWheel(UINT, short zDelta, CPoint) {
    m_nWheelDelta += zDelta;
    const int nLines = m_nWheelDelta / WHEEL_DELTA;
    if (nLines == 0)
        return TRUE;
    HideTip();
    if ((m_dwScrollStyle & SECLIST_VSCROLL_SHOWN) && m_pScrollBars[1] != NULL) {
        SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
        m_pScrollBars[1]->GetScrollInfo(&si, SIF_ALL);
        const bool bUp = nLines > 0 && m_nTopIndex > 0;
        const bool bDown = nLines < 0 && m_nTopIndex + (int)si.nPage < si.nMax + 1;
        if (bUp || bDown) {
            ScrollRows(-nLines, FALSE);
            UpdateScrollBars();
        }
    } else if (m_dwScrollStyle & SECLIST_HSCROLL_SHOWN) {
        ScrollHorz(nLines * 15);
    }
    m_nWheelDelta = 0;
    return TRUE;
}

// ---- Bars.

template <class TBase>
void SECListImpl<TBase>::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    EndLabelEdit(TRUE);
    HideTip();
    CScrollBar* pBar = pScrollBar != NULL ? pScrollBar : m_pScrollBars[1];
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    if (pBar != NULL && pBar->GetSafeHwnd() != NULL)
        pBar->GetScrollInfo(&si, SIF_ALL);
    else {
        si.nMax = std::max(GetItemCount() - 1, 0);
        si.nPage = (UINT)GetCountPerPage();
    }
    si.nPos = m_nTopIndex;
    const int nPage = std::max(1, (int)si.nPage);
    int nDelta = 0;
    switch (nSBCode) {
    case SB_LINEUP:
        nDelta = si.nPos > 0 ? -1 : 0;
        break;
    case SB_LINEDOWN:
        nDelta = si.nPos + nPage >= si.nMax + 1 ? 0 : 1;
        break;
    case SB_PAGEUP:
        nDelta = -GetCountPerPageAbove();
        break;
    case SB_PAGEDOWN:
        nDelta = std::min(m_nTopIndex + nPage, si.nMax - nPage + 1) - m_nTopIndex;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        nDelta = (int)nPos - si.nPos;
        break;
    case SB_TOP:
        nDelta = -si.nPos;
        break;
    case SB_BOTTOM:
        if (IsWordWrap())
            nDelta = GetLastPageTopIndex() - m_nTopIndex;
        else
            nDelta = si.nMax - nPage - si.nPos + 1;
        break;
    default:
        return;
    }
    // The bar's position follows at the next paint.
    if (nDelta != 0)
        ScrollRows(nDelta, FALSE);
}

template <class TBase> void SECListImpl<TBase>::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    EndLabelEdit(TRUE);
    HideTip();
    CRect rcInside;
    GetInsideRect(&rcInside);
    switch (nSBCode) {
    case SB_LINELEFT:
        ScrollHorz(15);
        break;
    case SB_LINERIGHT:
        ScrollHorz(-15);
        break;
    case SB_PAGELEFT:
        ScrollHorz(rcInside.Width());
        break;
    case SB_PAGERIGHT:
        ScrollHorz(-rcInside.Width());
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        ScrollHorz(m_ptScroll.x - (int)nPos);
        break;
    case SB_LEFT:
        ScrollHorz(m_ptScroll.x);
        break;
    case SB_RIGHT:
        ScrollHorz(m_ptScroll.x - (CalcContentWidth(NULL) - rcInside.Width()));
        break;
    default:
        break;
    }
}

// ---- Keys.

template <class TBase> void SECListImpl<TBase>::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    const auto token = LifeToken();
    NotifyKeyDown(nChar);
    if (!Alive(token))
        return;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const int nCaret = GetFocusIndex();
    const int nSub = std::max(0, GetColumnSubItem(m_nCurColumn));
    switch (nChar) {
    case VK_SPACE:
        OnSpaceKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_UP:
        OnUpKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_DOWN:
        OnDownKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_F2:
        OnF2Key(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_RETURN:
        OnReturnKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_HOME:
        OnHomeKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_END:
        OnEndKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_PRIOR:
        OnPageUpKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_NEXT:
        OnPageDownKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_LEFT:
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        OnLeftKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_RIGHT:
    case VK_ADD:
    case VK_OEM_PLUS:
        OnRightKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_MULTIPLY:
        OnMultiplyKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_BACK:
        OnBackKey(nCaret, nSub, bShift, bCtrl, nRepCnt, nFlags);
        break;
    case VK_TAB:
        if (CWnd* pParent = TBase::GetParent())
            ::PostMessageW(pParent->m_hWnd, WM_NEXTDLGCTL, bShift ? 1 : 0, 0);
        break;
    case VK_ESCAPE:
        if (CWnd* pParent = TBase::GetParent())
            ::PostMessageW(pParent->m_hWnd, WM_COMMAND, IDCANCEL, 0);
        break;
    default:
        break;
    }
    if (Alive(token))
        Default();
}

template <class TBase> void SECListImpl<TBase>::OnSysKeyDown(UINT nChar, UINT, UINT) {
    const auto token = LifeToken();
    NotifyKeyDown(nChar);
    if (Alive(token))
        Default();
}

template <class TBase> UINT SECListImpl<TBase>::OnGetDlgCode() {
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
}

// The arrow and Space actions: select the row the key leads to.
#define SECLIST_KEY_SELECT(row)                                                                    \
    do {                                                                                           \
        const int nTarget = (row);                                                                 \
        const UINT nKeyFlags = (bShift ? MK_SHIFT : 0) | (bCtrl ? MK_CONTROL : 0);                 \
        const auto token = LifeToken();                                                            \
        if (UpdateSelection(nTarget, 0, nKeyFlags, FALSE) && Alive(token)) {                       \
            OnSelectionUpdated(nTarget, FALSE);                                                    \
            if (Alive(token) && IsValidRow(nTarget))                                               \
                EnsureVisible(nTarget, FALSE);                                                     \
        }                                                                                          \
    } while (0)

template <class TBase>
BOOL SECListImpl<TBase>::OnSpaceKey(int nRow, int, BOOL bShift, BOOL bCtrl, UINT, UINT) {
    if (nRow >= 0)
        SECLIST_KEY_SELECT(nRow);
    return TRUE;
}

template <class TBase>
BOOL SECListImpl<TBase>::OnUpKey(int nRow, int, BOOL bShift, BOOL bCtrl, UINT, UINT) {
    if (nRow > 0)
        SECLIST_KEY_SELECT(nRow - 1);
    else if (nRow < 0 && GetItemCount() > 0)
        SECLIST_KEY_SELECT(0);
    return TRUE;
}

template <class TBase>
BOOL SECListImpl<TBase>::OnDownKey(int nRow, int, BOOL bShift, BOOL bCtrl, UINT, UINT) {
    if (nRow < GetItemCount() - 1)
        SECLIST_KEY_SELECT(std::max(nRow + 1, 0));
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::OnF2Key(int nRow, int, BOOL, BOOL, UINT, UINT) {
    if (HasStyle(LVS_EDITLABELS) && nRow >= 0)
        EditLabel(nRow, std::max(m_nCurColumn, 0));
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::OnReturnKey(int, int, BOOL, BOOL, UINT, UINT) {
    NotifyParent(NM_RETURN);
    return TRUE;
}

template <class TBase>
BOOL SECListImpl<TBase>::OnHomeKey(int, int, BOOL bShift, BOOL bCtrl, UINT, UINT) {
    if (GetItemCount() == 0)
        return TRUE;
    const auto token = LifeToken();
    if (m_dwScrollStyle & SECLIST_VSCROLL_SHOWN) {
        OnVScroll(SB_TOP, 0, m_pScrollBars[1]);
        Repaint(TRUE);
    }
    const UINT nKeyFlags = (bShift ? MK_SHIFT : 0) | (bCtrl ? MK_CONTROL : 0);
    if (UpdateSelection(0, 0, nKeyFlags, FALSE) && Alive(token))
        OnSelectionUpdated(0, FALSE);
    if (Alive(token))
        Repaint(TRUE);
    return TRUE;
}

template <class TBase>
BOOL SECListImpl<TBase>::OnEndKey(int, int, BOOL bShift, BOOL bCtrl, UINT, UINT) {
    if (GetItemCount() == 0)
        return TRUE;
    const auto token = LifeToken();
    if (m_dwScrollStyle & SECLIST_VSCROLL_SHOWN) {
        OnVScroll(SB_BOTTOM, 0, m_pScrollBars[1]);
        Repaint(TRUE);
    }
    const int nLast = GetItemCount() - 1;
    const UINT nKeyFlags = (bShift ? MK_SHIFT : 0) | (bCtrl ? MK_CONTROL : 0);
    if (UpdateSelection(nLast, 0, nKeyFlags, FALSE) && Alive(token))
        OnSelectionUpdated(nLast, FALSE);
    if (Alive(token))
        Repaint(TRUE);
    return TRUE;
}

template <class TBase>
BOOL SECListImpl<TBase>::OnPageUpKey(int nRow, int nSub, BOOL bShift, BOOL bCtrl, UINT nRep,
                                     UINT nFl) {
    if (!(m_dwScrollStyle & SECLIST_VSCROLL_SHOWN))
        return OnHomeKey(nRow, nSub, bShift, bCtrl, nRep, nFl);
    if (nRow == m_nTopIndex)
        OnVScroll(SB_PAGEUP, 0, m_pScrollBars[1]);
    const int nTarget = m_nTopIndex;
    const auto token = LifeToken();
    const UINT nKeyFlags = (bShift ? MK_SHIFT : 0) | (bCtrl ? MK_CONTROL : 0);
    if (UpdateSelection(nTarget, 0, nKeyFlags, FALSE) && Alive(token))
        OnSelectionUpdated(nTarget, FALSE);
    if (Alive(token))
        Repaint(TRUE);
    return TRUE;
}

template <class TBase>
BOOL SECListImpl<TBase>::OnPageDownKey(int nRow, int nSub, BOOL bShift, BOOL bCtrl, UINT nRep,
                                       UINT nFl) {
    if (!(m_dwScrollStyle & SECLIST_VSCROLL_SHOWN))
        return OnEndKey(nRow, nSub, bShift, bCtrl, nRep, nFl);
    if (nRow == GetLastFullyVisibleIndex(NULL))
        OnVScroll(SB_PAGEDOWN, 0, m_pScrollBars[1]);
    int nTarget = GetLastFullyVisibleIndex(NULL);
    // A page that holds one row still moves the caret.
    if (nTarget <= nRow && nRow < GetItemCount() - 1)
        nTarget = nRow + 1;
    nTarget = std::min(nTarget, GetItemCount() - 1);
    const auto token = LifeToken();
    const UINT nKeyFlags = (bShift ? MK_SHIFT : 0) | (bCtrl ? MK_CONTROL : 0);
    if (UpdateSelection(nTarget, 0, nKeyFlags, FALSE) && Alive(token)) {
        OnSelectionUpdated(nTarget, FALSE);
        if (Alive(token))
            EnsureVisible(nTarget, FALSE);
    }
    if (Alive(token))
        Repaint(TRUE);
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::OnLeftKey(int, int, BOOL, BOOL, UINT, UINT) {
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::OnBackKey(int, int, BOOL, BOOL, UINT, UINT) {
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::OnRightKey(int, int, BOOL, BOOL, UINT, UINT) {
    return TRUE;
}
template <class TBase> BOOL SECListImpl<TBase>::OnMultiplyKey(int, int, BOOL, BOOL, UINT, UINT) {
    return TRUE;
}

// ---- Type-ahead.

template <class TBase> void SECListImpl<TBase>::StepTypeAhead(UINT nChar) {
    if (m_nTypeAheadFlags & 4) {
        m_nTypeAheadFlags |= 2;
        return;
    }
    if (!(m_nTypeAheadFlags & 1)) {
        m_nTypeAheadFlags |= 1;
        m_strTypeAhead.Empty();
        if (GetSafeHwnd() != NULL)
            m_nTypeAheadTimer =
                ::SetTimer(m_hWnd, SECLIST_TYPEAHEAD_TIMER, m_nTypeAheadInterval, NULL);
    }
    m_strTypeAhead += (wchar_t)nChar;
    const int nCount = GetItemCount();
    const int nCaret = GetFocusIndex();
    int nStart = m_strTypeAhead.GetLength() == 1 ? nCaret + 1 : nCaret;
    if (nStart < 0 || nStart >= nCount)
        nStart = 0;
    CString strWanted = m_strTypeAhead;
    strWanted.MakeLower();
    const auto token = LifeToken();
    for (int n = 0; n < nCount; ++n) {
        const int nRow = (nStart + n) % nCount;
        CString strText = QueryItemText(nRow, 0);
        if (!Alive(token) || nCount != GetItemCount())
            return; // the owner changed the rows while answering
        strText.MakeLower();
        if (::wcsncmp((LPCTSTR)strText, (LPCTSTR)strWanted, strWanted.GetLength()) != 0)
            continue;
        if (UpdateSelection(nRow, 0, 0, FALSE) && Alive(token)) {
            OnSelectionUpdated(nRow, FALSE);
            if (Alive(token) && IsValidRow(nRow))
                EnsureVisible(nRow, FALSE);
        }
        m_nTypeAheadFlags |= 2;
        return;
    }
    ::MessageBeep((UINT)-1);
    m_nTypeAheadFlags |= 2 | 4;
}

template <class TBase> void SECListImpl<TBase>::OnChar(UINT nChar, UINT, UINT) {
    if ((m_nTypeAheadFlags & 8) || nChar == VK_ESCAPE || nChar == VK_RETURN || nChar == VK_SPACE ||
        GetItemCount() == 0 || nChar < 0x20) {
        Default();
        return;
    }
    StepTypeAhead(nChar);
}

// ---- Timers.

template <class TBase> void SECListImpl<TBase>::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == SECLIST_EDIT_TIMER) {
        StopEditTimer();
        if (m_nPendingEdit >= 0 && m_nPendingEdit == m_nFocusIndex)
            EditLabel(m_nPendingEdit, std::max(m_nCurColumn, 0));
        return;
    }
    if (nIDEvent == SECLIST_TYPEAHEAD_TIMER) {
        if ((m_nTypeAheadFlags & 1) && (m_nTypeAheadFlags & 2)) {
            m_nTypeAheadFlags &= ~2u;
            return;
        }
        if (GetSafeHwnd() != NULL)
            ::KillTimer(m_hWnd, SECLIST_TYPEAHEAD_TIMER);
        m_nTypeAheadTimer = 0;
        m_nTypeAheadFlags &= 8;
        m_strTypeAhead.Empty();
        return;
    }
    if (nIDEvent == SECLIST_DRAGSCROLL_TIMER) {
        if (!m_bItemDrag || GetSafeHwnd() == NULL)
            return;
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        const int nRow = HitTest(pt.x, pt.y, NULL, NULL);
        if (GetItemCount() < 3)
            return;
        const int nLast = GetLastFullyVisibleIndex(NULL);
        if (m_nTopIndex > 0 && nRow == m_nTopIndex) {
            SetDropHilite(-1);
            ScrollRows(-1, FALSE);
            UpdateScrollBars();
        } else if (nRow >= nLast && nLast < GetItemCount() - 1) {
            SetDropHilite(-1);
            ScrollRows(1, FALSE);
            UpdateScrollBars();
        }
        return;
    }
    TBase::OnTimer(nIDEvent);
}

// ---- Focus and enabling.

template <class TBase> void SECListImpl<TBase>::OnSetFocus(CWnd* pOldWnd) {
    TBase::OnSetFocus(pOldWnd);
    if (HasStyle(LVS_SINGLESEL) && m_nFocusIndex >= 0)
        InvalidateItem(m_nFocusIndex, FALSE, FALSE, TRUE, FALSE);
    else
        Repaint(TRUE);
    NotifyParent(NM_SETFOCUS);
}

template <class TBase> void SECListImpl<TBase>::OnKillFocus(CWnd* pNewWnd) {
    TBase::OnKillFocus(pNewWnd);
    if (pNewWnd != NULL && m_pEdit->GetSafeHwnd() != NULL && pNewWnd->m_hWnd == m_pEdit->m_hWnd)
        return;
    const auto token = LifeToken();
    EndLabelEdit(TRUE);
    if (!Alive(token))
        return;
    if (HasStyle(LVS_SINGLESEL) && m_nFocusIndex >= 0)
        InvalidateItem(m_nFocusIndex, FALSE, FALSE, TRUE, FALSE);
    else
        Repaint(TRUE);
    NotifyParent(NM_KILLFOCUS);
}

template <class TBase> void SECListImpl<TBase>::OnEnable(BOOL bEnable) {
    if (!bEnable)
        HideTip();
    Repaint(TRUE);
}

template <class TBase> void SECListImpl<TBase>::OnCancelMode() {
    TBase::OnCancelMode();
    HideTip();
}
