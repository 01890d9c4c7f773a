// The tabbed MDI workbook: a docking MDI frame that shows a tab for each of its MDI children
// (worksheets) in a strip below the MDI client, activates a sheet when its tab is clicked, and
// tips the whole label of a tab whose label is cut.
#pragma once

#include "docking/bar_mdi_child.h"
#include "docking/float_bar_host.h"
#include "docking/mdi_child_wnd.h"
#include "docking/mdi_frame.h"
#include "docking/workbook_tabs.h"
#include "framework/core/arrays.h"
#include "framework/win/gdi.h"

#include <vector>

#define WM_WORKBOOK_SHEETACTIVATED 0x084D
#define WM_WORKBOOK_MENUCHANGED 0x084E

class SECWorksheetWnd;

// The frame's MDI client, subclassed: it leaves the frame's margins free for the tab strip.
class SECWorkbookClientWnd : public CWnd {
    DECLARE_DYNAMIC(SECWorkbookClientWnd)
public:
    void SetMargins(int nLeft, int nRight, int nTop, int nBottom);
    void GetMargins(int& nLeft, int& nRight, int& nTop, int& nBottom) const;
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;

protected:
    afx_msg LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nLeft = 0, m_nTop = 0, m_nRight = 0, m_nBottom = 0;
};

class SECWorkbookWnd : public SECMDIFrameWnd {
    DECLARE_DYNCREATE(SECWorkbookWnd)
public:
    SECWorkbookWnd();
    ~SECWorkbookWnd() override;

    // The MDI client's window rectangle in frame client coordinates, with its margins.
    virtual void GetClientAreaRect(CRect& rect) const;
    virtual BOOL CanActivateSheet(SECWorksheetWnd* pSheet);
    virtual void AddSheet(SECWorksheetWnd* pSheet);
    virtual void RemoveSheet(SECWorksheetWnd* pSheet);
    virtual BOOL TabLabelFits(SECWorksheetWnd* pSheet) const;
    // The closed seven-point outline of the sheet's tab.
    virtual void GetTabPolygon(SECWorksheetWnd* pSheet, std::vector<POINT>& points) const;
    virtual CString GetTabLabel(SECWorksheetWnd* pSheet) const;
    virtual BOOL GetTabLabelRect(const std::vector<POINT>& points, int nIconWidth,
                                 CRect& rect) const;
    virtual void DrawTab(CDC* pDC, SECWorksheetWnd* pSheet);
    virtual void DrawClientBorder(CDC* pDC);
    virtual void DrawTabLabel(CDC* pDC, SECWorksheetWnd* pSheet);
    virtual HICON GetTabIcon(SECWorksheetWnd* pSheet) const;
    virtual BOOL SetTabIcon(SECWorksheetWnd* pSheet, HICON hIcon, BOOL bRedraw = TRUE);

    void SetWorkbookMode(BOOL bMode);
    void SetFlatTabs(BOOL bFlat);
    void SetShowTabIcons(BOOL bShow);
    BOOL GetWorkbookMode() const { return m_bWorkbookMode; }
    BOOL GetFlatTabs() const { return m_bFlatTabs; }
    void OnToggleWorkbookMode() { SetWorkbookMode(!m_bWorkbookMode); }
    void OnToggleTabIcons() { SetShowTabIcons(!m_bShowTabIcons); }
    void OnUpdateWorkbookMode(CCmdUI* pCmdUI);
    void OnUpdateTabIcons(CCmdUI* pCmdUI);
    // No bounds check: nIndex is below GetSheetCount.
    SECWorksheetWnd* GetSheet(int nIndex) const;
    int GetSheetCount() const { return (int)m_sheets.GetSize(); }
    int GetTabWidth() const { return m_nTabWidth; }
    SECWorkbookClientWnd* GetClientWnd() const { return m_pClient.get(); }
    // The tab's column: hidden sheets before it take none.
    int GetTabColumn(SECWorksheetWnd* pSheet) const;
    // The sheet whose tab holds the point (frame client coordinates); hidden sheets have none.
    SECWorksheetWnd* SheetFromPoint(CPoint point, BOOL bSkipActive) const;
    void InvalidateTab(SECWorksheetWnd* pSheet, BOOL bToStripEnd = FALSE);
    void InvalidateTabStrip();
    // Draws what the frame itself has to draw (its tabs) now; its children paint in their turn.
    void UpdateTabsNow();

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL CreateClient(LPCREATESTRUCT lpcs, HMENU hWindowMenu) override;
    // The worksheet of a bar floated in the main window shows the bar's icon on its tab.
    CFrameWnd* CreateControlBarMDIChild(DWORD dwStyle, CControlBar* pBar) override;

    // Three-dimensional workbook tabs are shown somewhere in the process.
    static BOOL s_b3DTabs;

protected:
    // The MDI client's window rectangle in frame client coordinates, without the margins.
    CRect ClientWindowRect() const;
    int ComputeTabWidth() const;
    SECWorksheetWnd* ActiveSheet() const;
    bool IsShownAsActive(SECWorksheetWnd* pSheet) const;
    void MakeDrawingTools();
    COLORREF LightColor() const;
    int MeasureText(HDC hDC, const CString& strText) const;
    // Paints area (inside q, the space inside the bars) through one memory bitmap.
    void PaintArea(HDC hPaint, const CRect& area, const CRect& q, const CRect& rectClient);
    void PaintTabs(HDC hMem, const CRect& area, const CRect& rectMDI);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSheetActivated(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CPtrArray m_sheets;
    BOOL m_bWorkbookMode = FALSE;
    BOOL m_bShowTabIcons = TRUE;
    CFont m_fontTab;
    std::unique_ptr<SECWorkbookClientWnd> m_pClient;
    CPen m_penHighlight, m_penBlack, m_penShadow, m_penFace;
    int m_nTabWidth = WorkbookTabs::defaultTabWidth;
    CRect m_rectLastLayout;
    BOOL m_bFlatTabs = FALSE;
    int m_nLastActive = 0;
    HRGN m_hUpdateRgn = NULL; // while painting: the region to repaint (not owned)
};

// An MDI child shown as a tab of the workbook.
class SECWorksheetWnd : public SECMDIChildWnd {
    DECLARE_DYNCREATE(SECWorksheetWnd)
public:
    SECWorksheetWnd() = default;
    ~SECWorksheetWnd() override;

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) override;
    using SECMDIChildWnd::OnUpdateFrameMenu;

    SECWorkbookWnd* GetWorkbook() const;

    HICON m_hTabIcon = NULL; // owned
    int m_nSheetIndex = 0;
    BOOL m_bPressed = FALSE; // a click on its tab is being turned into an activation
    // The label its tab was last drawn with, the label rectangle's width then, and the label as
    // fitted into it: a tab drawn again with both unchanged measures nothing.
    CString m_strTabLabel;
    int m_nTabLabelWidth = -1;
    CString m_strTabLabelFitted;

protected:
    afx_msg void OnDestroy();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    DECLARE_MESSAGE_MAP()
};

// A worksheet that hosts a control bar floated in the main window.
class SECControlBarWorksheet : public SECWorksheetWnd {
    DECLARE_DYNCREATE(SECControlBarWorksheet)
public:
    SECControlBarWorksheet() = default;
    ~SECControlBarWorksheet() override = default;

    SECDockBar* GetFloatDockBar() { return &m_host.GetDockBar(); }
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

    SECFloatBarHost m_host;
};
