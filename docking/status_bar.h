// SECStatusBar: the frame's status bar, a common status control with indicator panes that takes
// part in the docking layout. Its window text is the text of its ID_SEPARATOR pane.
#pragma once

#include "docking/control_bar.h"

#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

// One pane, as the bar's element array holds it.
struct SECStatusPane {
    UINT nID;
    int cxText;
    UINT nStyle;
    UINT nFlags; // 0x1: the text must be sent to the control again
    CString strText;
};

class SECStatusBar : public SECControlBar {
    DECLARE_DYNAMIC(SECStatusBar)
public:
    SECStatusBar() = default;
    ~SECStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    using SECControlBar::CreateEx;

    // Panes for the ids (ID_SEPARATOR: a stretchy pane; others take their string's text).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneText(int nIndex, CString& rString) const;
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    // Part edges from the pane widths (bUpdateRects) and the texts waiting (bUpdateText).
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int m_nMinHeight = 0;

protected:
    SECStatusPane* Pane(int nIndex) const;
    void SendPaneText(int nIndex);
    void FreePanes();
    HFONT ControlFont() const;

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The update of one pane: enabled, checked (drawn out) and its text.
class SECStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;
    SECStatusBar* m_pStatusBar = nullptr;
};
