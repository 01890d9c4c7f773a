// SECDockBar: the dock bar whose rows share their length among their bars by the bars' shares,
// with 6-pixel splitters the user drags between sizable bars and rows, and 2-pixel client edges.
// SECDockAuxData: the drawing data all docking code shares.
#pragma once

#include "docking/control_bar.h"
#include "framework/docview/dockbar.h"

#include <memory>
#include <vector>

// A position in a dock bar: row and column, and how to count them.
struct SECDockPos {
    enum Flags {
        rowsFromEnd = 0x1, // rows counted from the last one
        colsFromEnd = 0x2, // places counted from the end of the row
        newRow = 0x4       // the bar takes a new row of its own at the row found
    };
    int nRow;
    int nCol;
    DWORD dwFlags;
};

// A bar's share of its row and its length in pixels.
struct SECDockSize {
    float fPctWidth = 1.0f;
    int nHeight = 150;
};

#define SEC_SPLITTER_SIZE 6
#define SEC_CLIENT_EDGE 2
#define SEC_MIN_BAR_LENGTH 18
#define SEC_MAX_SHARE 0.95f
#define IDC_SEC_SPLIT_VERT 30980
#define IDC_SEC_SPLIT_HORZ 30981
#define ID_SEC_DOCKBAR_MENU_FIRST 57345
#define ID_SEC_DOCKBAR_MENU_LAST 57599

class SECDockAuxData {
public:
    // Made on first use (never while the library loads).
    static SECDockAuxData& Get();
    void UpdateSysColors();

    HCURSOR m_hcurArrow = NULL;
    BOOL m_bWin4 = TRUE;
    int m_cxBorder = 2, m_cyBorder = 2;
    COLORREF m_clrBtnFace = 0, m_clrBtnShadow = 0, m_clrBtnHilite = 0, m_clrWindowFrame = 0;
    COLORREF m_clr3DLight = 0, m_clr3DDkShadow = 0, m_clrWindowText = 0, m_clrWindow = 0;
    COLORREF m_clrHighlight = 0, m_clrHighlightText = 0;

private:
    SECDockAuxData();
};

class SECDockBar : public CDockBar {
    DECLARE_DYNCREATE(SECDockBar)
public:
    class Splitter {
    public:
        virtual ~Splitter() = default;
        virtual void Draw(CDC* pDC);
        int m_nOrientation = 0; // 0 a horizontal line, 1 a vertical one
        int m_nKind = 0;        // 1 between bars of a row, 0 between rows
        CRect m_rect;
        BOOL m_bLive = FALSE;
        int m_nIndex = 0;
        int m_nLowBound = 0, m_nHighBound = 0;
        CRect m_rectTracker;
        CSize m_sizeTracker;
        BOOL m_bDrawn = FALSE, m_bErase = FALSE;
    };
    class ClientEdge {
    public:
        virtual ~ClientEdge() = default;
        virtual void Draw(CDC* pDC);
        int m_nOrientation = 0;
        CRect m_rect;
        BOOL m_bLive = FALSE;
    };

    explicit SECDockBar(BOOL bFloating = FALSE, BOOL bHostedInMainWindow = FALSE);
    ~SECDockBar() override;

    virtual int CountVisibleBars() const;
    virtual BOOL IsBarExpanded(CControlBar* pBar) const;
    virtual BOOL IsOnlyVisibleBarInRow(CControlBar* pBar) const;
    virtual void DockControlBarAtPosition(CControlBar* pBar, const SECDockPos& pos);
    virtual void DockControlBarColumnRow(CControlBar* pBar, int nCol, int nRow);
    virtual void GetRowBars(std::vector<CControlBar*>& bars, CControlBar* pBar) const;
    virtual void ExpandBar(CControlBar* pBar, int nMode);
    void OnBarVisibilityChanged(CControlBar* pBar) override;
    virtual void RedrawInvalidBars();
    virtual int TrackAndApplySplitter(Splitter* pSplitter, CPoint pt);
    virtual Splitter* AddSplitter(int nKind, int nOrientation, const CRect& rect, int nIndex);
    virtual void GetSplitterBounds(Splitter* pSplitter);
    virtual ClientEdge* AddClientEdge(int nOrientation, const CRect& rect);
    virtual void InvalidateCustomToolBarsInRow(CControlBar* pBar);
    virtual void NormalizeRow(int nFirst, CControlBar* pSizedBar, int* pnSizable, int* pnFixed);
    virtual void ComputeMinimumShare();
    virtual float AddToShare(float fDelta, SECControlBar* pBar);
    virtual int FindInsertIndexAtPoint(CControlBar* pBar, const CRect& rect, CPoint pt);
    virtual int GetInsertIndex(CControlBar* pBar, SECDockPos pos);
    virtual int GetInsertIndexColumnRow(CControlBar* pBar, int nCol, int nRow);
    virtual int InsertBarInNewRow(CControlBar* pBar);
    virtual int InsertBarAt(int nIndex, CControlBar* pBar);
    virtual CRect CalcDockPosition(CControlBar* pBar, const CRect& rectDrag, CPoint ptPointer,
                                   int& nRowStart, CRect& rectLast, CPoint& ptLast);
    virtual void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect);
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1,
                          int bAddPlaceholder = FALSE) override;
    virtual void ApplySplitterMove(Splitter* pSplitter, int nDelta);

    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL) override;
    int GetRowIndexAtPoint(CControlBar* pBar, const CRect& rect, CPoint pt);
    // Row (row breaks before the bar, from the array's start), column (bars before it in its
    // row, placeholders not counted) and the thickness of the row from the bar on.
    BOOL GetBarRowPosition(CControlBar* pBar, int& nRow, int& nCol, int& nThickness) const;
    int GetRowThickness(int nFirst) const;
    void SetRowThickness(int nFirst, int nThickness);
    void ShrinkRowThickness(int nFirst, int nDelta);
    int SizeBarInRow(SECControlBar* pBar, int nDelta, int nRowSize);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) override;

    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // The visibility the row arithmetic goes by (a window's, or a test's).
    virtual BOOL IsBarVisible(const CControlBar* pBar) const;
    // The length of a row: the client width (top, bottom) or height (left, right).
    virtual int GetRowLength() const;
    // The row start (the entry after the row break) at or before nIndex, and the row's end (its
    // closing break).
    int RowStart(int nIndex) const;
    int RowEnd(int nFirst) const;
    static SECControlBar* AsSECBar(CControlBar* pBar);
    // Whether the object's class, or one of its bases, has that name: the docking layer knows
    // the toolbars, menu bar and status bar above it by name only.
    // The bar's SEC_BAR_TOOLBAR bits (none for a bar of the framework's own kind).
    static DWORD ToolBarTraitsOf(CControlBar* pBar);
    // The process-wide switch of the dock bars' context menu (a docking frame turns it on).
    static BOOL s_bContextMenu;

    std::vector<std::unique_ptr<ClientEdge>> m_edges;
    std::vector<std::unique_ptr<Splitter>> m_splitters;
    BOOL m_bHostedInMainWindow;
    DWORD m_dwExStyle = 0;
    AFX_SIZEPARENTPARAMS* m_pLayout = nullptr;
    CControlBar* m_pLastChangedBar = nullptr;
    BOOL m_bRedrawAll = FALSE;
    BOOL m_bRowsChanged = FALSE;
    float m_fMinShare = 0.05f;
    CMapWordToPtr m_mapCommands;

protected:
    // The rows from the one holding nIndex toward the far side go onto the invalid list.
    void InvalidateRowsFrom(int nIndex);
    void InvalidateRowsToFarSide(int nIndex);
    // The entries and row breaks that GetInsertIndex inserts, clamped to sane counts.
    int InsertWithBreaks(int nIndex, CControlBar* pBar, int nBefore, int nAfter);
    int CountRows() const;
    std::vector<int> RowStarts() const;
    int InsertInRow(CControlBar* pBar, int nStart, const SECDockPos& pos);
    // How far bars[k] overlaps the bar before it along the row.
    int BorderOverlap(const std::vector<CControlBar*>& bars, size_t k) const;
    // The first bar after the row's first that ends past nLength; bars.size() when all fit.
    size_t FirstBarPastRowEnd(const std::vector<CControlBar*>& bars,
                              const std::vector<CSize>& sizes, int nLength) const;
    bool FitsAtNextRowStart(int nEnd, const std::vector<CControlBar*>& bars,
                            const std::vector<CSize>& sizes, size_t nFrom, int nLength) const;
    Splitter* SplitterAt(CPoint pt) const;
    // The style a joining bar takes here, as DockControlBar gives it.
    void AdjustJoiningBar(CControlBar* pBar);
    CFrameWnd* GetFrame() const;
    void MarkFrameForLayout();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnToggleBar(UINT nID);
    DECLARE_MESSAGE_MAP()
};
