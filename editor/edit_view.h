// The editor as a document view: a framework view over a text model, with printing and with
// scroll synchronisation between the panes of a dynamic splitter.
#pragma once

#include "editor/edit_wrapper.h"

#include <vector>

class CSplitterWnd;

// One print job: where each printed row starts, the printer's font and metrics, and the page.
class SECEditPrintInfo {
public:
    SECEditPrintInfo() = default;
    ~SECEditPrintInfo();
    SECEditPrintInfo(const SECEditPrintInfo&) = delete;
    SECEditPrintInfo& operator=(const SECEditPrintInfo&) = delete;

    std::vector<SECEditPosition> m_rows;
    HFONT m_font = NULL; // owned
    int m_charWidth = 0;
    int m_lineHeight = 0;
    int m_spaceWidth = 0;
    CRect m_page;
    CRect m_header;
    CRect m_footer;
    int m_linesPerPage = 1;

    CRect GetBody() const {
        return CRect(m_page.left, m_header.bottom, m_page.right, m_footer.top);
    }
};

class SECEditView : public SECEditViewWrapper_T<CView> {
    DECLARE_DYNCREATE(SECEditView)
public:
    SECEditView();
    ~SECEditView() override;

    virtual void PaginatePrint(CDC* pDC);
    virtual void GetPrintMargins(CDC* pDC, CRect& rect);
    virtual int GetHeaderHeight(CDC* pDC);
    virtual int GetFooterHeight(CDC* pDC);
    virtual void PrintHeader(CDC* pDC, SECEditPrintInfo* pInfo, const CRect& rect);
    virtual void PrintBody(CDC* pDC, SECEditPrintInfo* pInfo, const CRect& rect, UINT nPage);
    virtual void PrintFooter(CDC* pDC, SECEditPrintInfo* pInfo, const CRect& rect, UINT nPage);
    // The text model of the view; null by default (a view without text).
    virtual SECEditModel* CreateModel() { return nullptr; }

    void OnInitialUpdate() override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    using CView::OnUpdate;
    void OnUpdate(corvalis::foundation::ISubject* subject,
                  corvalis::foundation::IMessage* message) override;
    // Snaps, then tells the other panes of its splitter when it is the active one.
    CPoint SetLogOrigin(int x, int y) override;

    SECEditPrintInfo* GetPrintInfo() const { return m_pPrintInfo; }
    CSplitterWnd* GetSplitter() const { return m_pSplitter; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnPaint() { PaintWindow(); }
    afx_msg void OnFilePrint() { CView::OnFilePrint(); }
    afx_msg void OnFilePrintPreview() { CView::OnFilePrintPreview(); }
    DECLARE_MESSAGE_MAP()

    SECEditPrintInfo* m_pPrintInfo = nullptr;
    CSplitterWnd* m_pSplitter = nullptr;
    int m_nRow = 0;
    int m_nCol = 0;

private:
    SECEditView* ActivePaneOfSplitter(int* row, int* col) const;
};
