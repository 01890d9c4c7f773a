// SECDockBar: dragging a splitter between bars or rows, and what the drag changes.
#include "docking/dock_bar.h"

#include <algorithm>

namespace {
// The leading edge of a splitter along the axis it moves on.
int Leading(const CRect& rect, int nOrientation) {
    return nOrientation == 1 ? rect.left : rect.top;
}

void MoveLeading(CRect& rect, int nOrientation, int nTo) {
    if (nOrientation == 1)
        rect.OffsetRect(nTo - rect.left, 0);
    else
        rect.OffsetRect(0, nTo - rect.top);
}

// An inverted bar over the splitter's place, on a device context of the dock bar.
void InvertTracker(HDC hDC, const CRect& rect) {
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), DSTINVERT);
}
} // namespace

void SECDockBar::GetSplitterBounds(Splitter* pSplitter) {
    const int o = pSplitter->m_nOrientation;
    const int nIndex = pSplitter->m_nIndex;
    if (pSplitter->m_nKind == 1) {
        // Between bars: every bar on either side keeps 24 pixels.
        const int nFirst = RowStart(nIndex), nEnd = RowEnd(nFirst);
        int nBefore = 0, nAfter = 0, nRowStart = 0;
        bool bFirst = true;
        for (int i = nFirst; i < nEnd; ++i) {
            CControlBar* p = GetDockedControlBar(i);
            if (p == nullptr || !IsBarVisible(p) || p->m_hWnd == NULL)
                continue;
            if (bFirst) {
                CRect r;
                p->GetWindowRect(&r);
                ScreenToClient(&r);
                nRowStart = o == 1 ? r.left : r.top;
                bFirst = false;
            }
            (i <= nIndex ? nBefore : nAfter)++;
        }
        pSplitter->m_nLowBound = nRowStart + 24 * nBefore + SEC_SPLITTER_SIZE * (nBefore - 1);
        pSplitter->m_nHighBound = GetRowLength() - 24 * nAfter - SEC_SPLITTER_SIZE * (nAfter - 1);
        return;
    }
    // Between rows: the row keeps 19 pixels, and the splitter stays inside the frame's free area.
    const int nThickness = GetRowThickness(nIndex);
    CRect rowBar(0, 0, 0, 0);
    for (int i = nIndex, e = RowEnd(nIndex); i < e; ++i)
        if (CControlBar* p = GetDockedControlBar(i))
            if (IsBarVisible(p) && p->m_hWnd != NULL) {
                p->GetWindowRect(&rowBar);
                ScreenToClient(&rowBar);
                break;
            }
    CRect free(0, 0, 0, 0);
    if (CFrameWnd* pFrame = GetFrame()) {
        pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposQuery, &free);
        ::MapWindowPoints(pFrame->m_hWnd, m_hWnd, reinterpret_cast<LPPOINT>(&free), 2);
    }
    const int nRowLo = o == 1 ? rowBar.left : rowBar.top;
    const int nRowHi = nRowLo + nThickness;
    if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) {
        pSplitter->m_nLowBound = nRowLo + 19;
        pSplitter->m_nHighBound = std::max((int)(o == 1 ? free.right : free.bottom),
                                           pSplitter->m_nLowBound + SEC_SPLITTER_SIZE);
    } else {
        pSplitter->m_nHighBound = nRowHi - 19;
        pSplitter->m_nLowBound = std::min((int)(o == 1 ? free.left : free.top),
                                          pSplitter->m_nHighBound - SEC_SPLITTER_SIZE);
    }
}

int SECDockBar::TrackAndApplySplitter(Splitter* pSplitter, CPoint pt) {
    if (pSplitter == nullptr || ::GetCapture() != NULL)
        return 0; // another window's mouse operation runs
    GetSplitterBounds(pSplitter);
    const int o = pSplitter->m_nOrientation;
    const CRect rectStart = pSplitter->m_rect;
    const int nOffset = (o == 1 ? pt.x : pt.y) - Leading(rectStart, o);
    const HWND hWnd = m_hWnd;
    SetCapture();
    if (CFrameWnd* pFrame = GetFrame())
        pFrame->UpdateWindow();
    HDC hDC = ::GetDCEx(hWnd, NULL, DCX_CACHE | DCX_CLIPSIBLINGS);
    CRect rect = rectStart;
    InvertTracker(hDC, rect);
    bool bCancel = false;
    for (;;) {
        if (::GetCapture() != hWnd) {
            bCancel = true;
            break;
        }
        MSG msg;
        const BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0) {
            ::PostQuitMessage((int)msg.wParam); // the host's loop must still see it
            bCancel = true;
            break;
        }
        if (bGot == -1) {
            bCancel = true;
            break;
        }
        if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) ||
            msg.message == WM_RBUTTONDOWN) {
            bCancel = true;
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            CPoint ptMsg((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::MapWindowPoints(msg.hwnd, hWnd, &ptMsg, 1);
            int nTo = (o == 1 ? ptMsg.x : ptMsg.y) - nOffset;
            nTo = std::min(std::max(nTo, pSplitter->m_nLowBound),
                           pSplitter->m_nHighBound - SEC_SPLITTER_SIZE);
            CRect next = rect;
            MoveLeading(next, o, nTo);
            if (next != rect) {
                InvertTracker(hDC, rect);
                rect = next;
                InvertTracker(hDC, rect);
            }
            if (msg.message == WM_LBUTTONUP)
                break;
            continue;
        }
        ::DispatchMessageW(&msg);
        if (!::IsWindow(hWnd)) {
            hDC = NULL; // the dock bar went with its device context
            return 0;
        }
    }
    if (hDC != NULL) {
        InvertTracker(hDC, rect);
        ::ReleaseDC(hWnd, hDC);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (bCancel) {
        pSplitter->m_rect = rectStart;
        return 0;
    }
    const int nDelta = Leading(rect, o) - Leading(rectStart, o);
    pSplitter->m_rectTracker = rect;
    if (nDelta != 0) {
        ApplySplitterMove(pSplitter, nDelta);
        MarkFrameForLayout();
    }
    return nDelta;
}

void SECDockBar::ApplySplitterMove(Splitter* pSplitter, int nDelta) {
    m_bRowsChanged = TRUE;
    const int nIndex = pSplitter->m_nIndex;
    if (CControlBar* pAt = GetDockedControlBar(nIndex))
        InvalidateCustomToolBarsInRow(pAt);
    if (pSplitter->m_nKind == 1) {
        // Length moves from the bars on one side of the splitter to those on the other.
        const int nFirst = RowStart(nIndex), nEnd = RowEnd(nFirst);
        std::vector<SECControlBar*> before, after;
        for (int i = nFirst; i < nEnd; ++i) {
            SECControlBar* sec = AsSECBar(GetDockedControlBar(i));
            if (sec != nullptr && IsBarVisible(sec))
                (i <= nIndex ? before : after).push_back(sec);
        }
        if (before.empty() || after.empty())
            return;
        const int nCount = (int)(before.size() + after.size());
        const int nRowSize = std::max(0, GetRowLength() - SEC_SPLITTER_SIZE * (nCount - 1));
        if (nRowSize <= 0)
            return;
        ComputeMinimumShare();
        SECControlBar* pNear = nDelta > 0 ? after.front() : before.back();
        SECControlBar* pGrow = nDelta > 0 ? before.back() : after.front();
        const int nGive = std::abs(nDelta);
        const int nLeft = SizeBarInRow(pNear, -nGive, nRowSize);
        SizeBarInRow(pGrow, nGive + nLeft, nRowSize);
        for (SECControlBar* sec : before)
            sec->m_bShareSettled = TRUE;
        for (SECControlBar* sec : after)
            sec->m_bShareSettled = TRUE;
        NormalizeRow(nFirst, nullptr, nullptr, nullptr);
        return;
    }
    const int nThickness = GetRowThickness(nIndex);
    const bool bAfterRow = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) != 0;
    SetRowThickness(nIndex, nThickness + (bAfterRow ? nDelta : -nDelta));
}
