// SECDockBar: bars arriving (by a drop point, a row and column, or a saved place) and leaving.
#include "docking/dock_bar.h"

#include <algorithm>

namespace {
CRect ClientRectOf(const CWnd* pParent, const CWnd* pWnd) {
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}
} // namespace

void SECDockBar::AdjustJoiningBar(CControlBar* pBar) {
    DWORD dwStyle = pBar->GetBarStyle();
    if (!m_bFloating)
        dwStyle &= ~CBRS_FLOAT_MULTI;
    dwStyle &= ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);
    // A floating frame shows its dock bar's text as its caption.
    if (!(dwStyle & CBRS_FLOAT_MULTI) && pBar->m_hWnd != NULL) {
        CString text;
        pBar->GetWindowText(text);
        SetWindowText(text);
    }
}

void SECDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
    if (pBar == nullptr || pBar->m_hWnd == NULL || m_hWnd == NULL)
        return;
    SECControlBar* sec = AsSECBar(pBar);
    CRect rect(0, 0, 0, 0);
    CPoint ptDrop(0, 0);
    if (lpRect != NULL) {
        rect = *lpRect;
        ScreenToClient(&rect);
        ptDrop = rect.CenterPoint();
    }
    const int nOld = FindBar(pBar);
    if (nOld >= 0) {
        const CRect now = ClientRectOf(this, pBar);
        const bool bFixed = sec != nullptr && (sec->m_dwExStyle & CBRS_EX_FIXEDSIZE);
        if (bFixed && (lpRect == NULL || rect == now))
            return;
        if (!bFixed && lpRect != NULL) {
            const int nAt = GetRowIndexAtPoint(pBar, rect, ptDrop);
            if (rect == now || nAt == nOld || nAt == nOld + 1)
                return;
        }
    }
    if (nOld >= 0)
        InvalidateRowsToFarSide(nOld);
    // A bar coming back from floating keeps the share it had: the row makes room for it.
    if (pBar->IsFloating() && !m_bFloating)
        m_pLastChangedBar = pBar;
    AdjustJoiningBar(pBar);
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);
    int nNew;
    const UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
    if (lpRect != NULL) {
        nNew = FindInsertIndexAtPoint(pBar, rect, ptDrop);
        pBar->SetWindowPos(NULL, rect.left, rect.top, 0, 0, nFlags);
    } else {
        nNew = InsertWithBreaks((int)m_arrBars.GetSize(), pBar, 0, 1);
        const SECDockAuxData& aux = SECDockAuxData::Get();
        pBar->SetWindowPos(NULL, -aux.m_cxBorder, -aux.m_cyBorder, 0, 0, nFlags);
    }
    m_bRowsChanged = TRUE;
    AdoptBar(pBar, nNew); // the old dock bar is not touched after this
    if (sec != nullptr) {
        sec->AttachToDockBar(this);
        if (m_bFloating)
            sec->SetExBarStyle(sec->m_dwExStyle, FALSE); // the frame follows the bar's sizing
    }
    MarkFrameForLayout();
}

void SECDockBar::DockControlBarAtPosition(CControlBar* pBar, const SECDockPos& pos) {
    if (pBar == nullptr || pBar->m_hWnd == NULL || m_hWnd == NULL)
        return;
    AdjustJoiningBar(pBar);
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);
    const int nNew = GetInsertIndex(pBar, pos);
    const SECDockAuxData& aux = SECDockAuxData::Get();
    pBar->SetWindowPos(NULL, -aux.m_cxBorder, -aux.m_cyBorder, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    m_bRowsChanged = TRUE;
    AdoptBar(pBar, nNew);
    if (SECControlBar* sec = AsSECBar(pBar))
        sec->AttachToDockBar(this);
    MarkFrameForLayout();
}

void SECDockBar::DockControlBarColumnRow(CControlBar* pBar, int nCol, int nRow) {
    DockControlBarAtPosition(pBar, SECDockPos{nRow, nCol, 0});
}

int SECDockBar::GetRowIndexAtPoint(CControlBar* pBar, const CRect&, CPoint pt) {
    const bool bHorz = IsHorz();
    int nPos = 0; // across the rows
    bool bAny = false;
    for (int nFirst = 1; nFirst < m_arrBars.GetSize();) {
        const int nEnd = RowEnd(nFirst);
        int nThickness = 0;
        int nAfter = nFirst;
        for (int i = nFirst; i < nEnd; ++i) {
            CControlBar* p = GetDockedControlBar(i);
            if (p == nullptr || p == pBar || !IsBarVisible(p) || p->m_hWnd == NULL)
                continue;
            const CRect r = ClientRectOf(this, p);
            nThickness = std::max(nThickness, (int)(bHorz ? r.Height() : r.Width()));
            nPos = bAny ? nPos : (int)(bHorz ? r.top : r.left);
            if ((bHorz ? r.CenterPoint().x : r.CenterPoint().y) < (bHorz ? pt.x : pt.y))
                nAfter = i + 1;
        }
        if (nThickness > 0) {
            if (!bAny && (bHorz ? pt.y : pt.x) < nPos)
                return 0;
            bAny = true;
            const int nBorder = SECDockAuxData::Get().m_cyBorder;
            if ((bHorz ? pt.y : pt.x) < nPos + nThickness - nBorder)
                return nAfter;
            nPos += nThickness - nBorder;
        }
        nFirst = nEnd + 1;
    }
    return (int)m_arrBars.GetSize();
}

int SECDockBar::FindInsertIndexAtPoint(CControlBar* pBar, const CRect& rect, CPoint pt) {
    AddInvalidBar(pBar);
    const bool bHorz = IsHorz();
    for (int i = 1; i < m_arrBars.GetSize(); ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (p == nullptr || p == pBar || !IsBarVisible(p) || p->m_hWnd == NULL)
            continue;
        const CRect r = ClientRectOf(this, p);
        if ((bHorz ? r.bottom : r.right) < (bHorz ? pt.y : pt.x))
            continue;
        const int nFirst = RowStart(i);
        if ((bHorz ? pt.y < r.top : pt.x < r.left)) {
            // Before this row's band (above the first row, or on the splitter between two
            // rows): a new row of its own just there. Sending a bar dropped between the second
            // and third rows to the front would put it where the user did not drop it.
            m_bRowsChanged = TRUE;
            return InsertWithBreaks(nFirst, pBar, 0, 1);
        }
        const int nEnd = RowEnd(nFirst);
        int nAt = nEnd;
        for (int j = nFirst; j < nEnd; ++j) {
            CControlBar* q = GetDockedControlBar(j);
            if (q == nullptr || q == pBar)
                continue;
            const bool bHidden = !IsBarVisible(q) || q->m_hWnd == NULL;
            const CRect rq = bHidden ? CRect(0, 0, 0, 0) : ClientRectOf(this, q);
            const bool bBeyond = bHorz ? (bHidden || rq.CenterPoint().x > rect.left)
                                       : (!bHidden && rq.CenterPoint().y > rect.top);
            if (bBeyond) {
                nAt = j;
                break;
            }
        }
        InvalidateRowsFrom(nAt);
        return InsertBarAt(nAt, pBar);
    }
    // Past every row: a new last row. The array already ends in a row break, so the bar comes
    // with one break after it; a second one would leave an empty row behind each such drop.
    m_bRowsChanged = TRUE;
    return InsertWithBreaks((int)m_arrBars.GetSize(), pBar, 0, 1);
}

CRect SECDockBar::CalcDockPosition(CControlBar* pBar, const CRect& rectDrag, CPoint ptPointer,
                                   int& nRowStart, CRect& rectLast, CPoint& ptLast) {
    const bool bHorz = IsHorz();
    CRect rc = rectDrag;
    ScreenToClient(&rc);
    const int nAt = GetRowIndexAtPoint(pBar, rc, rc.CenterPoint());
    const int nStart = nAt >= (int)m_arrBars.GetSize() ? nAt : RowStart(nAt);
    std::vector<CControlBar*> others;
    bool bInRow = false;
    if (nStart < m_arrBars.GetSize())
        for (int i = nStart, e = RowEnd(nStart); i < e; ++i) {
            CControlBar* p = GetDockedControlBar(i);
            if (p == pBar)
                bInRow = true;
            else if (p != nullptr && IsBarVisible(p) && p->m_hWnd != NULL)
                others.push_back(p);
        }
    CRect result;
    if (!others.empty() && nStart == nRowStart) {
        result = rectLast;
        result.OffsetRect(ptPointer - ptLast);
    } else {
        result = rectDrag;
        SECControlBar* sec = AsSECBar(pBar);
        const bool bFixed = sec == nullptr || (sec->m_dwExStyle & CBRS_EX_FIXEDSIZE);
        CRect win;
        GetWindowRect(&win);
        if (!bFixed && !bInRow) {
            if (!others.empty()) {
                float fSum = 0.0f;
                int nThickness = 0;
                for (CControlBar* p : others)
                    if (SECControlBar* s = AsSECBar(p)) {
                        fSum += s->m_fFloatProportion;
                        const CSize size =
                            p->CalcDynamicLayout(-1, bHorz ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK);
                        nThickness = std::max(nThickness, (int)(bHorz ? size.cy : size.cx));
                    }
                if (fSum > 0.0f) {
                    fSum += sec->m_fFloatProportion;
                    const CSize own =
                        pBar->CalcDynamicLayout(-1, bHorz ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK);
                    nThickness = std::max(nThickness, (int)(bHorz ? own.cy : own.cx));
                    const int nWin = bHorz ? win.Width() : win.Height();
                    const int nLen = (int)((float)nWin * sec->m_fFloatProportion / fSum);
                    // Each side gives up space by where the pointer lies in the rectangle.
                    auto shrink = [](LONG& lo, LONG& hi, int nTarget, int nPointer) {
                        const int nNow = hi - lo;
                        if (nNow <= 0)
                            return;
                        const double fBefore = (double)(nPointer - lo) / nNow;
                        const int nCut = nNow - nTarget;
                        lo += (LONG)(nCut * fBefore);
                        hi = lo + nTarget;
                    };
                    if (bHorz) {
                        shrink(result.left, result.right, nLen, ptPointer.x);
                        shrink(result.top, result.bottom, nThickness, ptPointer.y);
                    } else {
                        shrink(result.top, result.bottom, nLen, ptPointer.y);
                        shrink(result.left, result.right, nThickness, ptPointer.x);
                    }
                }
            } else if (bHorz) {
                result.left = win.left;
                result.right = win.right;
            } else {
                result.top = win.top;
                result.bottom = win.bottom;
            }
        }
    }
    nRowStart = nStart;
    rectLast = result;
    ptLast = ptPointer;
    return result;
}

void SECDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect) {
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    AdjustJoiningBar(pBar);
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);
    const UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
    int nNew = FindPlaceholder((UINT)pBar->GetDlgCtrlID());
    if (nNew >= 0) {
        m_arrBars[nNew] = pBar;
    } else if (lpRect != NULL) {
        CRect rect = *lpRect;
        ScreenToClient(&rect);
        nNew = FindInsertIndexAtPoint(pBar, rect, rect.CenterPoint());
        pBar->SetWindowPos(NULL, rect.left, rect.top, 0, 0, nFlags);
    } else {
        nNew = InsertWithBreaks((int)m_arrBars.GetSize(), pBar, 0, 1);
        const SECDockAuxData& aux = SECDockAuxData::Get();
        pBar->SetWindowPos(NULL, -aux.m_cxBorder, -aux.m_cyBorder, 0, 0, nFlags);
    }
    if (pBar->IsVisible())
        pBar->ShowWindow(SW_SHOWNA);
    m_pLastChangedBar = pBar;
    AdoptBar(pBar, nNew);
    if (SECControlBar* sec = AsSECBar(pBar))
        sec->AttachToDockBar(this);
    MarkFrameForLayout();
}

BOOL SECDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int bAddPlaceholder) {
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos < 0)
        return FALSE;
    if (RowEnd(RowStart(nPos)) - RowStart(nPos) <= 1)
        m_bRowsChanged = TRUE; // its row goes with it
    if (m_pLastChangedBar == pBar)
        m_pLastChangedBar = nullptr;
    if (SECControlBar* sec = AsSECBar(pBar))
        if (sec->m_pSECDockBar == this)
            sec->m_pSECDockBar = nullptr;
    InvalidateRowsToFarSide(nPos);
    RemoveInvalidBar(pBar);
    // Last: an emptied floating dock bar hides its frame, whose destruction is posted.
    return CDockBar::RemoveControlBar(pBar, nPosExclude, bAddPlaceholder);
}
