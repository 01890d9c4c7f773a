// CView: a child window that shows (part of) a document and receives the commands aimed at it.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "framework/ole/oledataobject.h"

#include "framework/docview/printinfo.h"
#include "framework/win/wnd.h"

class CDocument;
class CFrameWnd;
class CDC;
class COleDataObject;
class CSplitterWnd;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnInitialUpdate();
    // Default: the whole view is invalidated.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual BOOL IsSelected(const CObject* pDocItem) const;

    // Printing. OnPreparePrinting decides whether the job goes on; OnPrint draws one page.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The end of a print preview (pView): gives the frame back to this view with its focus and
    // destroys the preview. pDC and pInfo stay valid until the caller returns.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CView* pView);

    // Drag and drop: a drop target registered on the view calls these. The defaults refuse.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1: not handled here, the target falls back to OnDrop.
    virtual DROPEFFECT OnDropEx(COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    virtual DROPEFFECT OnDragScroll(DWORD dwKeyState, CPoint point);

    // Scrolling as a splitter drives it; the defaults scroll nothing.
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

    // The splitter pWnd is a pane of, or NULL. Without bAnyState a splitter inside a minimised
    // window does not count.
    static CSplitterWnd* PASCAL GetParentSplitter(const CWnd* pWnd, BOOL bAnyState);

    // View first, then its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // A pane of a splitter uses the splitter's shared bar for a direction it has none of its own.
    CScrollBar* GetScrollBarCtrl(int nBar) const override;

protected:
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    // The print commands: a job over the pages OnPreparePrinting announces (one page when it
    // announces none), or a preview of them in this view's place in its frame.
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

    CDocument* m_pDocument = nullptr;

    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};
