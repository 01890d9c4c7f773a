// CSplitterWnd: pane sizes, the layout of panes and shared scroll bars.
#include "framework/docview/splitter.h"

#include "framework/docview/document.h"
#include "framework/docview/frame.h"
#include "framework/docview/sizeparent.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

#include <algorithm>

namespace {
const int kMaxBars = 16; // one bar per row or column at most
} // namespace

// Sizes.
void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
    if (row < 0 || row >= (int)m_rowInfo.size())
        return;
    m_rowInfo[row].nIdealSize = std::max(0, cyIdeal);
    m_rowInfo[row].nMinSize = std::max(0, cyMin);
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
    if (col < 0 || col >= (int)m_colInfo.size())
        return;
    m_colInfo[col].nIdealSize = std::max(0, cxIdeal);
    m_colInfo[col].nMinSize = std::max(0, cxMin);
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
    cyCur = cyMin = 0;
    if (row >= 0 && row < (int)m_rowInfo.size()) {
        cyCur = m_rowInfo[row].nCurSize;
        cyMin = m_rowInfo[row].nMinSize;
    }
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
    cxCur = cxMin = 0;
    if (col >= 0 && col < (int)m_colInfo.size()) {
        cxCur = m_colInfo[col].nCurSize;
        cxMin = m_colInfo[col].nMinSize;
    }
}

void CSplitterWnd::SetScrollStyle(DWORD dwStyle) {
    m_dwScrollStyle = dwStyle & (WS_HSCROLL | WS_VSCROLL);
    m_bHasHScroll = (m_dwScrollStyle & WS_HSCROLL) != 0;
    m_bHasVScroll = (m_dwScrollStyle & WS_VSCROLL) != 0;
    SyncScrollBars();
}

// Layout.
CRect CSplitterWnd::ClientInside() const {
    CRect rect;
    ::GetClientRect(m_hWnd, &rect);
    if (m_bHasVScroll)
        rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (m_bHasHScroll)
        rect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
    rect.right = std::max(rect.left, rect.right);
    rect.bottom = std::max(rect.top, rect.bottom);
    return rect;
}

// Each row (column) gets its ideal size in turn, the last one what is left.
void CSplitterWnd::LayoutAxis(std::vector<CRowColInfo>& info, int nCount, int nSpace, int nGap) {
    int nLeft = nSpace - (nCount - 1) * nGap;
    for (int i = 0; i < nCount; ++i) {
        int nSize = i == nCount - 1 ? nLeft : std::min(info[i].nIdealSize, nLeft);
        info[i].nCurSize = std::max(0, nSize);
        nLeft -= info[i].nCurSize;
    }
}

CRect CSplitterWnd::PaneRect(int row, int col) const {
    CRect inside = ClientInside();
    int x = inside.left + m_cxBorder, y = inside.top + m_cyBorder;
    for (int c = 0; c < col && c < (int)m_colInfo.size(); ++c)
        x += m_colInfo[c].nCurSize + m_cxSplitterGap;
    for (int r = 0; r < row && r < (int)m_rowInfo.size(); ++r)
        y += m_rowInfo[r].nCurSize + m_cySplitterGap;
    const int cx = col < (int)m_colInfo.size() ? m_colInfo[col].nCurSize : 0;
    const int cy = row < (int)m_rowInfo.size() ? m_rowInfo[row].nCurSize : 0;
    return CRect(x, y, x + cx, y + cy);
}

BOOL CSplitterWnd::CreateScrollBarCtrl(DWORD dwStyle, UINT nID) {
    HWND hBar = ::CreateWindowExW(0, L"SCROLLBAR", NULL, dwStyle | WS_CHILD | WS_VISIBLE, 0, 0, 1,
                                  1, m_hWnd, (HMENU)(UINT_PTR)nID, AfxGetInstanceHandle(), NULL);
    return hBar != NULL;
}

// One horizontal bar per column and one vertical bar per row, as the style asks.
void CSplitterWnd::SyncScrollBars() {
    if (m_hWnd == NULL)
        return;
    for (int i = 0; i < kMaxBars; ++i) {
        HWND hH = ::GetDlgItem(m_hWnd, AFX_IDW_HSCROLL_FIRST + i);
        const bool bWantH = m_bHasHScroll && i < m_nCols;
        if (bWantH && hH == NULL)
            CreateScrollBarCtrl(SBS_HORZ, AFX_IDW_HSCROLL_FIRST + i);
        else if (!bWantH && hH != NULL)
            ::DestroyWindow(hH);
        HWND hV = ::GetDlgItem(m_hWnd, AFX_IDW_VSCROLL_FIRST + i);
        const bool bWantV = m_bHasVScroll && i < m_nRows;
        if (bWantV && hV == NULL)
            CreateScrollBarCtrl(SBS_VERT, AFX_IDW_VSCROLL_FIRST + i);
        else if (!bWantV && hV != NULL)
            ::DestroyWindow(hV);
    }
}

void CSplitterWnd::RecalcLayout() {
    if (m_hWnd == NULL || m_nRows == 0 || m_nCols == 0)
        return;
    CRect inside = ClientInside();
    LayoutAxis(m_rowInfo, m_nRows, inside.Height() - 2 * m_cyBorder, m_cySplitterGap);
    LayoutAxis(m_colInfo, m_nCols, inside.Width() - 2 * m_cxBorder, m_cxSplitterGap);
    SyncScrollBars();
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols + m_nRows + m_nCols);
    layout.bBatchLost = layout.hDWP == NULL;
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c) {
            CRect rect = PaneRect(r, c);
            AfxRepositionWindow(&layout, ::GetDlgItem(m_hWnd, IdFromRowCol(r, c)), &rect);
        }
    // Bars run along their column (row); the split box, while one can split, sits at the start.
    const bool bColBox = (GetStyle() & SPLS_DYNAMIC_SPLIT) && m_nCols < m_nMaxCols;
    const bool bRowBox = (GetStyle() & SPLS_DYNAMIC_SPLIT) && m_nRows < m_nMaxRows;
    for (int c = 0; c < m_nCols && m_bHasHScroll; ++c) {
        CRect pane = PaneRect(0, c);
        CRect rect(pane.left, inside.bottom, c == m_nCols - 1 ? inside.right : pane.right,
                   inside.bottom + ::GetSystemMetrics(SM_CYHSCROLL));
        if (c == 0 && bColBox)
            rect.left += m_cxSplitter;
        AfxRepositionWindow(&layout, ::GetDlgItem(m_hWnd, AFX_IDW_HSCROLL_FIRST + c), &rect);
    }
    for (int r = 0; r < m_nRows && m_bHasVScroll; ++r) {
        CRect pane = PaneRect(r, 0);
        CRect rect(inside.right, pane.top, inside.right + ::GetSystemMetrics(SM_CXVSCROLL),
                   r == m_nRows - 1 ? inside.bottom : pane.bottom);
        if (r == 0 && bRowBox)
            rect.top += m_cySplitter;
        AfxRepositionWindow(&layout, ::GetDlgItem(m_hWnd, AFX_IDW_VSCROLL_FIRST + r), &rect);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
    ::InvalidateRect(m_hWnd, NULL, FALSE);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}
