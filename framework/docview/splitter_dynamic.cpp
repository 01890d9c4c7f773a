// CSplitterWnd: splitting and unsplitting a dynamic splitter, and scrolling shared panes.
#include "framework/docview/splitter.h"

#include "framework/docview/document.h"
#include "framework/docview/frame.h"
#include "framework/docview/sizeparent.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

#include <algorithm>

// Dynamic splitting.
// Fills the new row (bRow) or column nIndex with panes like the ones before them, on the same
// documents. On failure the panes made so far go again.
BOOL CSplitterWnd::CreateSplitPanes(BOOL bRow, int nIndex) {
    SyncScrollBars(); // the new panes find their shared bars while they are created
    RecalcLayout();
    const int nCount = bRow ? m_nCols : m_nRows;
    auto cell = [&](int i, int nAt) { return bRow ? CPoint(i, nAt) : CPoint(nAt, i); };
    for (int i = 0; i < nCount; ++i) {
        CPoint from = cell(i, nIndex - 1), to = cell(i, nIndex); // x: column, y: row
        CView* pSource = AfxViewOf(GetPane(from.y, from.x));
        CCreateContext context;
        context.m_pNewViewClass = pSource ? pSource->GetRuntimeClass() : m_pDynamicViewClass;
        context.m_pCurrentDoc = pSource ? pSource->GetDocument() : nullptr;
        context.m_pLastView = pSource;
        context.m_pCurrentFrame = GetParentFrame();
        if (CreatePaneWindow(to.y, to.x, context.m_pNewViewClass, &context) == nullptr) {
            for (int k = 0; k < i; ++k)
                DeleteView(cell(k, nIndex).y, cell(k, nIndex).x);
            return FALSE;
        }
    }
    for (int i = 0; i < nCount; ++i) {
        CPoint to = cell(i, nIndex);
        ::SendMessageW(::GetDlgItem(m_hWnd, IdFromRowCol(to.y, to.x)), WM_INITIALUPDATE, 0, 0);
    }
    RecalcLayout();
    return TRUE;
}

BOOL CSplitterWnd::SplitRow(int cyBefore) {
    if (!(GetStyle() & SPLS_DYNAMIC_SPLIT) || m_nRows >= m_nMaxRows || cyBefore < 0)
        return FALSE;
    const int cyAfter = ClientInside().Height() - cyBefore - m_cySplitterGap;
    if (cyBefore < m_rowInfo[0].nMinSize || cyAfter < m_rowInfo[m_nRows].nMinSize)
        return FALSE;
    const int newRow = m_nRows++;
    m_rowInfo[newRow - 1].nIdealSize = cyBefore;
    m_rowInfo[newRow].nIdealSize = 0;
    if (CreateSplitPanes(TRUE, newRow))
        return TRUE;
    m_nRows--;
    RecalcLayout();
    return FALSE;
}

BOOL CSplitterWnd::SplitColumn(int cxBefore) {
    if (!(GetStyle() & SPLS_DYNAMIC_SPLIT) || m_nCols >= m_nMaxCols || cxBefore < 0)
        return FALSE;
    const int cxAfter = ClientInside().Width() - cxBefore - m_cxSplitterGap;
    if (cxBefore < m_colInfo[0].nMinSize || cxAfter < m_colInfo[m_nCols].nMinSize)
        return FALSE;
    const int newCol = m_nCols++;
    m_colInfo[newCol - 1].nIdealSize = cxBefore;
    m_colInfo[newCol].nIdealSize = 0;
    if (CreateSplitPanes(FALSE, newCol))
        return TRUE;
    m_nCols--;
    RecalcLayout();
    return FALSE;
}

void CSplitterWnd::DeleteRow(int rowDelete) {
    if (m_nRows <= 1 || rowDelete < 0 || rowDelete >= m_nRows)
        return;
    for (int c = 0; c < m_nCols; ++c)
        DeleteView(rowDelete, c);
    // The rows below move up one, ids with them.
    for (int r = rowDelete + 1; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c)
            if (HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(r, c)))
                ::SetWindowLongPtrW(hPane, GWLP_ID, IdFromRowCol(r - 1, c));
    m_rowInfo.erase(m_rowInfo.begin() + rowDelete);
    m_rowInfo.push_back(CRowColInfo{m_rowInfo.empty() ? 0 : m_rowInfo[0].nMinSize, 0, 0});
    m_nRows--;
    RecalcLayout();
}

void CSplitterWnd::DeleteColumn(int colDelete) {
    if (m_nCols <= 1 || colDelete < 0 || colDelete >= m_nCols)
        return;
    for (int r = 0; r < m_nRows; ++r)
        DeleteView(r, colDelete);
    for (int c = colDelete + 1; c < m_nCols; ++c)
        for (int r = 0; r < m_nRows; ++r)
            if (HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(r, c)))
                ::SetWindowLongPtrW(hPane, GWLP_ID, IdFromRowCol(r, c - 1));
    m_colInfo.erase(m_colInfo.begin() + colDelete);
    m_colInfo.push_back(CRowColInfo{m_colInfo.empty() ? 0 : m_colInfo[0].nMinSize, 0, 0});
    m_nCols--;
    RecalcLayout();
}

// Scrolling.
CScrollBar* CSplitterWnd::GetSharedScrollBar(int nBar, const CWnd* pPane) const {
    int row = 0, col = 0;
    if (!const_cast<CSplitterWnd*>(this)->IsChildPane(const_cast<CWnd*>(pPane), &row, &col))
        return nullptr;
    const bool bHorz = nBar == SB_HORZ;
    if (bHorz ? !m_bHasHScroll : !m_bHasVScroll)
        return nullptr;
    HWND hBar =
        ::GetDlgItem(m_hWnd, bHorz ? AFX_IDW_HSCROLL_FIRST + col : AFX_IDW_VSCROLL_FIRST + row);
    // Scroll-bar controls are driven through their handle (CWnd's scrolling reads only that).
    return hBar ? reinterpret_cast<CScrollBar*>(CWnd::FromHandle(hBar)) : nullptr;
}

// A scroll code word holds the horizontal code in its low byte and the vertical one in its high
// byte (0xFF: none). The panes that share the bar in that direction scroll together.
BOOL CSplitterWnd::DoScroll(CView* pViewFrom, UINT nScrollCode, BOOL bDoScroll) {
    int rowFrom = 0, colFrom = 0;
    if (!IsChildPane(pViewFrom, &rowFrom, &colFrom))
        return FALSE;
    const bool bHorz = LOBYTE(nScrollCode) != 0xFF;
    const bool bVert = HIBYTE(nScrollCode) != 0xFF;
    BOOL bResult = FALSE;
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c) {
            const bool bShares = (bHorz && c == colFrom) || (bVert && r == rowFrom);
            if (!bShares)
                continue;
            UINT nCode = MAKEWORD(c == colFrom ? LOBYTE(nScrollCode) : 0xFF,
                                  r == rowFrom ? HIBYTE(nScrollCode) : 0xFF);
            if (CView* pView = AfxViewOf(GetPane(r, c)))
                bResult = pView->OnScroll(nCode, 0, bDoScroll) || bResult;
        }
    return bResult;
}

BOOL CSplitterWnd::DoScrollBy(CView* pViewFrom, SIZE sizeScroll, BOOL bDoScroll) {
    int rowFrom = 0, colFrom = 0;
    if (!IsChildPane(pViewFrom, &rowFrom, &colFrom))
        return FALSE;
    BOOL bResult = FALSE;
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c) {
            if (r != rowFrom && c != colFrom)
                continue;
            CSize size(c == colFrom ? sizeScroll.cx : 0, r == rowFrom ? sizeScroll.cy : 0);
            if (CView* pView = AfxViewOf(GetPane(r, c)))
                bResult = pView->OnScrollBy(size, bDoScroll) || bResult;
        }
    return bResult;
}

// A shared bar's messages go to the pane of its column (row) that is active, else the first.
void CSplitterWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    HWND hBar = pScrollBar ? reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd : NULL;
    const int col = hBar ? ::GetDlgCtrlID(hBar) - AFX_IDW_HSCROLL_FIRST : -1;
    if (col < 0 || col >= m_nCols)
        return;
    int rowActive = 0, colActive = 0;
    int row = (GetActivePane(&rowActive, &colActive) && colActive == col) ? rowActive : 0;
    if (CWnd* pPane = GetPane(row, col))
        pPane->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), (LPARAM)hBar);
}

void CSplitterWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    HWND hBar = pScrollBar ? reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd : NULL;
    const int row = hBar ? ::GetDlgCtrlID(hBar) - AFX_IDW_VSCROLL_FIRST : -1;
    if (row < 0 || row >= m_nRows)
        return;
    int rowActive = 0, colActive = 0;
    int col = (GetActivePane(&rowActive, &colActive) && rowActive == row) ? colActive : 0;
    if (CWnd* pPane = GetPane(row, col))
        pPane->SendMessage(WM_VSCROLL, MAKEWPARAM(nSBCode, nPos), (LPARAM)hBar);
}
