// CSplitterWnd: hit testing, dragging the bars and split boxes, cursors and painting.
#include "framework/docview/splitter.h"

#include "framework/win/dc.h"

#include <algorithm>

namespace {
bool Between(int v, int lo, int hi) {
    return v >= lo && v < hi;
}
} // namespace

int CSplitterWnd::HitTest(CPoint pt) const {
    CRect inside = ClientInside();
    const bool bDynamic = (GetStyle() & SPLS_DYNAMIC_SPLIT) != 0;
    if (bDynamic && m_nRows < m_nMaxRows && m_bHasVScroll &&
        CRect(inside.right, inside.top, inside.right + ::GetSystemMetrics(SM_CXVSCROLL),
              inside.top + m_cySplitter)
            .PtInRect(pt))
        return vSplitterBox;
    if (bDynamic && m_nCols < m_nMaxCols && m_bHasHScroll &&
        CRect(inside.left, inside.bottom, inside.left + m_cxSplitter,
              inside.bottom + ::GetSystemMetrics(SM_CYHSCROLL))
            .PtInRect(pt))
        return hSplitterBox;
    if (!inside.PtInRect(pt))
        return noHit;
    int rowBar = -1, colBar = -1;
    for (int r = 0; r + 1 < m_nRows; ++r) {
        const int y = PaneRect(r, 0).bottom;
        if (Between(pt.y, y, y + m_cySplitterGap))
            rowBar = r;
    }
    for (int c = 0; c + 1 < m_nCols; ++c) {
        const int x = PaneRect(0, c).right;
        if (Between(pt.x, x, x + m_cxSplitterGap))
            colBar = c;
    }
    if (rowBar >= 0 && colBar >= 0)
        return splitterIntersection1 + rowBar * 16 + colBar;
    if (rowBar >= 0)
        return vSplitterBar1 + rowBar;
    if (colBar >= 0)
        return hSplitterBar1 + colBar;
    return noHit;
}

// The tracker: a bar as thick as the gap, across the whole inside; m_rectLimit bounds it.
BOOL CSplitterWnd::GetHitRect(int ht, CRect& rect) const {
    CRect inside = ClientInside();
    if (ht == vSplitterBox) {
        rect = CRect(inside.left, inside.top, inside.right, inside.top + m_cySplitterGap);
        return TRUE;
    }
    if (ht == hSplitterBox) {
        rect = CRect(inside.left, inside.top, inside.left + m_cxSplitterGap, inside.bottom);
        return TRUE;
    }
    if (ht >= splitterIntersection1) {
        const int r = (ht - splitterIntersection1) / 16, c = (ht - splitterIntersection1) % 16;
        rect =
            CRect(PaneRect(0, c).right, PaneRect(r, 0).bottom,
                  PaneRect(0, c).right + m_cxSplitterGap, PaneRect(r, 0).bottom + m_cySplitterGap);
        return TRUE;
    }
    if (ht >= hSplitterBar1) {
        const int x = PaneRect(0, ht - hSplitterBar1).right;
        rect = CRect(x, inside.top, x + m_cxSplitterGap, inside.bottom);
        return TRUE;
    }
    if (ht >= vSplitterBar1) {
        const int y = PaneRect(ht - vSplitterBar1, 0).bottom;
        rect = CRect(inside.left, y, inside.right, y + m_cySplitterGap);
        return TRUE;
    }
    return FALSE;
}

void CSplitterWnd::DrawTracker(const CRect& rect) {
    HDC hDC = ::GetDCEx(m_hWnd, NULL, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (hDC == NULL)
        return;
    if (m_htTrack >= splitterIntersection1) {
        // A cross: the row bar and the column bar through the intersection.
        CRect inside = ClientInside();
        ::PatBlt(hDC, inside.left, rect.top, inside.Width(), rect.Height(), DSTINVERT);
        ::PatBlt(hDC, rect.left, inside.top, rect.Width(), rect.top - inside.top, DSTINVERT);
        ::PatBlt(hDC, rect.left, rect.bottom, rect.Width(), inside.bottom - rect.bottom, DSTINVERT);
    } else {
        ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), DSTINVERT);
    }
    ::ReleaseDC(m_hWnd, hDC);
}

void CSplitterWnd::StartTracking(int ht, CPoint point) {
    CRect rect;
    if (ht == noHit || !GetHitRect(ht, rect))
        return;
    m_htTrack = ht;
    m_rectTracker = rect;
    m_rectLimit = ClientInside();
    m_ptTrackOffset = CPoint(point.x - rect.left, point.y - rect.top);
    m_bTracking = TRUE;
    SetCapture();
    DrawTracker(m_rectTracker);
}

void CSplitterWnd::StopTracking(BOOL bAccept) {
    if (!m_bTracking)
        return;
    m_bTracking = FALSE; // before releasing the capture, which comes back as a message
    DrawTracker(m_rectTracker);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (bAccept)
        ApplyTracking(m_rectTracker.TopLeft());
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
    if (!m_bTracking)
        StartTracking(HitTest(point), point);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
    if (!m_bTracking)
        return;
    CRect rect = m_rectTracker;
    const bool bRows = m_htTrack == vSplitterBox || m_htTrack >= splitterIntersection1 ||
                       (m_htTrack >= vSplitterBar1 && m_htTrack < hSplitterBar1);
    const bool bCols = m_htTrack == hSplitterBox || m_htTrack >= hSplitterBar1;
    if (bRows) {
        int top =
            std::clamp<int>(point.y - m_ptTrackOffset.y, m_rectLimit.top,
                            std::max<int>(m_rectLimit.top, m_rectLimit.bottom - rect.Height()));
        rect.OffsetRect(0, top - rect.top);
    }
    if (bCols) {
        int left =
            std::clamp<int>(point.x - m_ptTrackOffset.x, m_rectLimit.left,
                            std::max<int>(m_rectLimit.left, m_rectLimit.right - rect.Width()));
        rect.OffsetRect(left - rect.left, 0);
    }
    if (rect == m_rectTracker)
        return;
    DrawTracker(m_rectTracker);
    m_rectTracker = rect;
    DrawTracker(m_rectTracker);
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint) {
    StopTracking(TRUE);
}
void CSplitterWnd::OnCancelMode() {
    StopTracking(FALSE);
}

void CSplitterWnd::OnCaptureChanged(CWnd* pWnd) {
    if (pWnd == nullptr || pWnd->m_hWnd != m_hWnd)
        StopTracking(FALSE);
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (m_bTracking && nChar == VK_ESCAPE)
        StopTracking(FALSE);
    else
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

// The dropped tracker becomes the new boundary. In a dynamic splitter a pane dragged below its
// minimum goes away; a split box dropped far enough in splits.
void CSplitterWnd::ApplyTracking(CPoint ptEnd) {
    const int ht = m_htTrack;
    m_htTrack = noHit;
    CRect inside = ClientInside();
    const bool bDynamic = (GetStyle() & SPLS_DYNAMIC_SPLIT) != 0;
    if (ht == vSplitterBox) {
        SplitRow(ptEnd.y - inside.top);
        return;
    }
    if (ht == hSplitterBox) {
        SplitColumn(ptEnd.x - inside.left);
        return;
    }
    int row = -1, col = -1;
    if (ht >= splitterIntersection1) {
        row = (ht - splitterIntersection1) / 16;
        col = (ht - splitterIntersection1) % 16;
    } else if (ht >= hSplitterBar1)
        col = ht - hSplitterBar1;
    else if (ht >= vSplitterBar1)
        row = ht - vSplitterBar1;
    bool bDeleted = false;
    if (col >= 0) {
        const int cxBefore = ptEnd.x - PaneRect(0, col).left;
        const int cxAfter = PaneRect(0, col + 1).right - (ptEnd.x + m_cxSplitterGap);
        m_colInfo[col].nIdealSize = std::max(0, cxBefore);
        m_colInfo[col + 1].nIdealSize = std::max(0, cxAfter);
        if (bDynamic && cxBefore < std::max(1, m_colInfo[col].nMinSize)) {
            DeleteColumn(col);
            bDeleted = true;
        } else if (bDynamic && cxAfter < std::max(1, m_colInfo[col + 1].nMinSize)) {
            DeleteColumn(col + 1);
            bDeleted = true;
        }
    }
    if (row >= 0 && row + 1 < m_nRows) {
        const int cyBefore = ptEnd.y - PaneRect(row, 0).top;
        const int cyAfter = PaneRect(row + 1, 0).bottom - (ptEnd.y + m_cySplitterGap);
        m_rowInfo[row].nIdealSize = std::max(0, cyBefore);
        m_rowInfo[row + 1].nIdealSize = std::max(0, cyAfter);
        if (bDynamic && cyBefore < std::max(1, m_rowInfo[row].nMinSize)) {
            DeleteRow(row);
            bDeleted = true;
        } else if (bDynamic && cyAfter < std::max(1, m_rowInfo[row + 1].nMinSize)) {
            DeleteRow(row + 1);
            bDeleted = true;
        }
    }
    if (!bDeleted)
        RecalcLayout();
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (pWnd == nullptr || pWnd->m_hWnd != m_hWnd || nHitTest != HTCLIENT)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    const int ht = HitTest(pt);
    LPCWSTR idc = IDC_ARROW;
    if (ht >= splitterIntersection1)
        idc = IDC_SIZEALL;
    else if (ht == hSplitterBox || ht >= hSplitterBar1)
        idc = IDC_SIZEWE;
    else if (ht == vSplitterBox || ht >= vSplitterBar1)
        idc = IDC_SIZENS;
    ::SetCursor(::LoadCursorW(NULL, idc));
    return TRUE;
}

void CSplitterWnd::OnDrawSplitter(CDC* pDC, const CRect& rect) {
    CRect edge = rect;
    ::DrawEdge(pDC->m_hDC, &edge, EDGE_RAISED, BF_RECT);
}

// The gaps (the panes paint themselves), the bars in them and the split boxes.
void CSplitterWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc.m_hDC, &client, ::GetSysColorBrush(COLOR_3DFACE));
    CRect inside = ClientInside();
    for (int r = 0; r + 1 < m_nRows; ++r) {
        const int y = PaneRect(r, 0).bottom;
        OnDrawSplitter(&dc, CRect(inside.left, y, inside.right, y + m_cySplitterGap));
    }
    for (int c = 0; c + 1 < m_nCols; ++c) {
        const int x = PaneRect(0, c).right;
        OnDrawSplitter(&dc, CRect(x, inside.top, x + m_cxSplitterGap, inside.bottom));
    }
    if ((GetStyle() & SPLS_DYNAMIC_SPLIT) && m_nRows < m_nMaxRows && m_bHasVScroll)
        OnDrawSplitter(&dc, CRect(inside.right, inside.top,
                                  inside.right + ::GetSystemMetrics(SM_CXVSCROLL),
                                  inside.top + m_cySplitter));
    if ((GetStyle() & SPLS_DYNAMIC_SPLIT) && m_nCols < m_nMaxCols && m_bHasHScroll)
        OnDrawSplitter(&dc, CRect(inside.left, inside.bottom, inside.left + m_cxSplitter,
                                  inside.bottom + ::GetSystemMetrics(SM_CYHSCROLL)));
}
