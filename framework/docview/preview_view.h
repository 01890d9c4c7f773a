// CPreviewView: print preview. It stands in the pane of the previewed view's top-level frame, runs
// that view's printing hooks page by page on a CPreviewDC and shows one or two pages, fitted to the
// window or zoomed with scroll bars. Closing it ends printing and gives the frame back.
#pragma once

#include <memory>

#include "framework/docview/page_device.h"
#include "framework/docview/preview_bar.h"
#include "framework/docview/preview_dc.h"
#include "framework/docview/preview_state.h"
#include "framework/docview/view.h"

class CPreviewView : public CView {
    DECLARE_DYNAMIC(CPreviewView)
public:
    static const int nMaxZoom = 2;

    // Prepares printing on pView (m_bPreview set), begins it and shows the preview in place of
    // the top-level frame's pane. NULL when preparation is refused, a preview is already open
    // there or the preview cannot open; the frame is then as it was.
    static CPreviewView* Open(CView* pView);

    CView* GetPrintView() const { return m_pPrintView; }
    CPrintInfo* GetPrintInfo() const { return m_pInfo.get(); }
    CPreviewBar& GetBar() { return m_wndBar; }
    UINT GetCurrentPage() const { return m_nCurPage; }
    UINT GetPagesShown() const { return m_nPages; }
    int GetZoom() const { return m_nZoom; }
    // Where page slot nSlot (0 or 1) lies in the client area, scrolled; empty when not shown.
    CRect GetPageRect(int nSlot) const;

    // The client area as it shows, drawn on pDC (painting and WM_PRINTCLIENT).
    void DrawPreview(CDC* pDC);

    void OnDraw(CDC*) override {}
    // The preview's own commands only: the rest of the application waits until it closes.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Gives the frame back (pane, bars, active view, focus) and destroys the preview. The
    // framework's end of preview calls it.
    void RestoreFrame();

protected:
    CPreviewView() = default;

    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPage();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDestroy();

private:
    // Width of one page on screen at the current zoom.
    int PageWidth() const;
    CSize ContentSize() const;
    void SetZoom(int nZoom);
    void SetCurrentPage(UINT nPage);
    void UpdateScrollBars();
    void ScrollTo(int nBar, int nPos);
    // A scroll-bar message for bar nBar.
    void OnScrollBar(int nBar, UINT nSBCode, UINT nPos);
    void UpdateBar();
    // Runs the view's hooks for nPage into rectPage of hDC; FALSE when the view has no such page.
    BOOL RenderPage(HDC hDC, const CRect& rectPage, UINT nPage);
    UINT LastPage() const;

    CView* m_pPrintView = nullptr;
    HWND m_hWndPrintView = NULL;
    CFrameWnd* m_pFrame = nullptr;
    std::unique_ptr<CPageDevice> m_pPage;
    std::unique_ptr<CPreviewDC> m_pDC;
    std::unique_ptr<CPrintInfo> m_pInfo;
    std::unique_ptr<CPrintPreviewState> m_pState;
    CPreviewBar m_wndBar;
    UINT m_nCurPage = 1;
    UINT m_nPages = 1;
    int m_nZoom = 0;
    CPoint m_ptScroll;

    DECLARE_MESSAGE_MAP()
};
