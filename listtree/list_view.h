// SECListView: the list as a document view, printed and previewed page by page in whole rows,
// with fonts that keep their screen size on paper.
#pragma once

#include "listtree/list_base.h"

class SECListView : public SECListBaseV {
    DECLARE_DYNCREATE(SECListView)
public:
    SECListView();
    ~SECListView() override;

    // Printing lays the list out on the page: the page is its client area and the printer
    // DC the one it measures with.
    void GetClientRect(RECT* pRect) override;
    CDC* NewClientDC(BOOL* pOwned) override;
    // No bar is placed by page coordinates.
    void UpdateScrollBars() override;
    void LayoutScrollBars() override;

    virtual BOOL AdvancePage(CDC* pDC);
    virtual void SetPrinterMapping(CDC* pDC);
    virtual BOOL GotoPage(int nPage, CDC* pDC);
    virtual BOOL CreatePrinterFonts();
    virtual BOOL DeletePrinterFonts();

    BOOL IsPrintingJob() const { return m_bPrinting; }
    int GetCurrentPage() const { return m_nCurPage; }
    const CRect& GetPageRect() const { return m_rcPage; }
    CFont* GetPrinterItemFont() { return &m_fontPrinterItem; }

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

protected:
    afx_msg void OnPaint();

    CFont* m_pSavedItemFont = NULL;
    CFont* m_pSavedHeaderFont = NULL;
    CFont m_fontPrinterItem;
    CFont m_fontPrinterHeader;
    CRect m_rcPage;
    BOOL m_bPrinting = FALSE;
    int m_nSavedTop = 0;
    int m_nCurPage = 0;
    CDC* m_pPrinterDC = NULL;

    DECLARE_MESSAGE_MAP()
};
