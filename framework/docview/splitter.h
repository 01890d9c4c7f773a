// CSplitterWnd: a window divided into panes (rows x columns) with movable bars between them.
// A static splitter has a fixed grid; a dynamic one starts with one pane and the user splits and
// unsplits it, its panes sharing scroll bars along rows and columns.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/docview/createcontext.h"
#include "framework/docview/frameids.h"
#include "framework/win/wnd.h"

class CView;

// The window style bit of a splitter that splits dynamically.
#define SPLS_DYNAMIC_SPLIT 0x0001

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    // A static grid of nRows x nCols panes; the caller creates each pane with CreateView.
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // A dynamic splitter of up to 2 x 2 panes of the context's view class; the first pane is
    // created at once.
    BOOL
    Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
           DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT,
           UINT nID = AFX_IDW_PANE_FIRST);
    using CWnd::Create;

    // Creates pane (row, col) of class pViewClass; sizeInit is its initial size.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);
    virtual void DeleteView(int row, int col);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetMaxRowCount() const { return m_nMaxRows; }
    int GetMaxColumnCount() const { return m_nMaxCols; }
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    // The pane that holds the focus or is its frame's active view (with its row and column).
    virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
    virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);

    // Sizes: the ideal size a row or column is given, and the size below which it is hidden
    // (static) or removed (dynamic).
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    DWORD GetScrollStyle() const { return m_dwScrollStyle; }
    void SetScrollStyle(DWORD dwStyle);
    virtual void RecalcLayout();

    // Dynamic splitting.
    virtual BOOL SplitRow(int cyBefore);
    virtual BOOL SplitColumn(int cxBefore);
    virtual void DeleteRow(int rowDelete);
    virtual void DeleteColumn(int colDelete);

    // Scrolling the panes that share a bar with pViewFrom; TRUE when something scrolled.
    virtual BOOL DoScroll(CView* pViewFrom, UINT nScrollCode, BOOL bDoScroll = TRUE);
    virtual BOOL DoScrollBy(CView* pViewFrom, SIZE sizeScroll, BOOL bDoScroll = TRUE);
    // The shared bar (SB_HORZ: of the pane's column, SB_VERT: of its row), or NULL.
    CScrollBar* GetSharedScrollBar(int nBar, const CWnd* pPane) const;

    // Hit codes of the splitter's own areas.
    enum HitTestValue {
        noHit = 0,
        vSplitterBox = 1, // the box above the vertical bar: drag to split rows
        hSplitterBox = 2, // the box left of the horizontal bar: drag to split columns
        bothSplitterBox = 3,
        vSplitterBar1 = 101, // + row: the bar below that row
        hSplitterBar1 = 201, // + col: the bar right of that column
        splitterIntersection1 = 301
    };
    int HitTest(CPoint pt) const;

    // Metrics, in pixels: the gap between panes (where the bar is drawn) and the split boxes.
    int m_cxSplitter = 7, m_cySplitter = 7;
    int m_cxSplitterGap = 7, m_cySplitterGap = 7;
    int m_cxBorder = 0, m_cyBorder = 0;

protected:
    struct CRowColInfo {
        int nMinSize = 0;   // below this the pane is hidden
        int nIdealSize = 0; // what the user or the creator asked for
        int nCurSize = 0;   // what the last layout gave
    };

    BOOL CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID);
    virtual BOOL CreateScrollBarCtrl(DWORD dwStyle, UINT nID);
    void SyncScrollBars();
    CRect PaneRect(int row, int col) const;
    CRect ClientInside() const;
    void LayoutAxis(std::vector<CRowColInfo>& info, int nCount, int nSpace, int nGap);
    // Fills rect with the tracker's bounds for a hit code; FALSE when it cannot be tracked.
    BOOL GetHitRect(int ht, CRect& rect) const;
    void StartTracking(int ht, CPoint point);
    void StopTracking(BOOL bAccept);
    void DrawTracker(const CRect& rect);
    void ApplyTracking(CPoint ptEnd);
    CWnd* CreatePaneWindow(int row, int col, CRuntimeClass* pViewClass, CCreateContext* pContext);
    BOOL CreateSplitPanes(BOOL bRow, int nIndex);

    virtual void OnDrawSplitter(CDC* pDC, const CRect& rect);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

    int m_nMaxRows = 1, m_nMaxCols = 1;
    int m_nRows = 0, m_nCols = 0;
    BOOL m_bHasHScroll = FALSE, m_bHasVScroll = FALSE;
    DWORD m_dwScrollStyle = 0;
    CRuntimeClass* m_pDynamicViewClass = nullptr;
    std::vector<CRowColInfo> m_rowInfo, m_colInfo;

    // Tracking state.
    BOOL m_bTracking = FALSE;
    int m_htTrack = noHit;
    CRect m_rectTracker, m_rectLimit;
    CPoint m_ptTrackOffset;

    DECLARE_MESSAGE_MAP()
};
