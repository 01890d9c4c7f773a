// CControlBar: a strip of a frame (toolbar, status bar, dock bar) that takes its space in the
// frame's size-parent pass, sends its commands to its owner, may dock in a dock bar or float in
// a mini frame, and shows and hides through the frame (at once or at the next idle time).
#pragma once

#include <windows.h>

#include "framework/docview/frameids.h"
#include "framework/docview/sizeparent.h"
#include "framework/win/wnd.h"

// Bar styles: the low word and bit 22 of the style given to a bar's creation; they are kept in
// the bar (m_dwStyle) and taken out of the window style.
#define CBRS_FLOATING 0x0001L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)

// Layout modes of CalcDynamicLayout.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

class CFrameWnd;
class CDockBar;
class CDockContext;
class CControlBarInfo;

// The window class of the framework's bars; registered on first use.
LPCTSTR AfxControlBarClassName();

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    // Leaves the frame's bar list and its dock bar; the dock context goes with the bar.
    ~CControlBar() override;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    BOOL IsFloating() const;
    // Shown, counting a show or hide that waits for the next idle time.
    BOOL IsVisible() const;
    virtual BOOL IsDockBar() const { return FALSE; }
    // The frame the bar belongs to (the main frame also for a floating bar).
    CFrameWnd* GetDockingFrame() const;
    // Lets the bar dock on the given sides (CBRS_ALIGN_*); makes its dock context.
    void EnableDocking(DWORD dwDockStyle);

    // Layout: the size the bar wants docked (bHorz: on the top or bottom side) or, for bars that
    // change shape, for a given length and LM_ mode.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // The rectangle inside the bar's borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // Updates the bar's items through pTarget's handlers; called at idle time.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DoPaint(CDC* pDC);
    // Draws the border lines the style asks for and shrinks rect by them.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    // Paints the border lines the style asks for, an outer line per border and, with the 3-D
    // style, an inner one at the left and top; then shrinks the rectangle by the border sizes.
    void DrawBorderLines(CDC* pDC, CRect& rect, COLORREF clrOuter, COLORREF clrInner, int cx,
                         int cy) const;
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    // Shows or hides the bar at the frame's next idle time.
    virtual void DelayShow(BOOL bShow);
    // Applies a waiting DelayShow; TRUE when the visibility changed.
    BOOL ApplyDelayedShow();

    // Persistence of the bar's place.
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    // The element array (status-bar panes): nElements of cbElement bytes, zeroed.
    BOOL AllocElements(int nElements, int cbElement);
    int GetCount() const { return m_nCount; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ShowsToolTips() const override { return m_bToolTips || (m_dwStyle & CBRS_TOOLTIPS); }

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4 };

    int m_cxLeftBorder = 6, m_cxRightBorder = 6;
    int m_cyTopBorder = 2, m_cyBottomBorder = 2;
    int m_nMRUWidth = 32767; // the width a floating bar had last
    BOOL m_bAutoDelete = FALSE;
    UINT m_nStateFlags = 0;
    DWORD m_dwStyle = 0;     // CBRS_* bits
    DWORD m_dwDockStyle = 0; // the sides the bar may dock on
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr;
    int m_nCount = 0;
    void* m_pData = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;
    // Joins the parent frame's bar list.
    void RegisterWithFrame();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

private:
    void FreeElements();
};
