#include "listtree/list_view.h"

IMPLEMENT_DYNCREATE(SECListView, CView)

BEGIN_MESSAGE_MAP(SECListView, CView)
SEC_LIST_MESSAGE_ENTRIES()
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

SECListView::SECListView() = default;

SECListView::~SECListView() {
    DeletePrinterFonts();
}

void SECListView::GetClientRect(RECT* pRect) {
    if (m_bPrinting && pRect != NULL) {
        *pRect = m_rcPage;
        return;
    }
    SECListBaseV::GetClientRect(pRect);
}

CDC* SECListView::NewClientDC(BOOL* pOwned) {
    if (m_bPrinting && m_pPrinterDC != NULL) {
        if (pOwned != NULL)
            *pOwned = FALSE;
        return m_pPrinterDC;
    }
    return SECListBaseV::NewClientDC(pOwned);
}

void SECListView::UpdateScrollBars() {
    if (!m_bPrinting)
        SECListBaseV::UpdateScrollBars();
}

void SECListView::LayoutScrollBars() {
    if (!m_bPrinting)
        SECListBaseV::LayoutScrollBars();
}

void SECListView::OnPaint() {
    if (m_bPrinting) {
        ValidateRect(NULL);
        return;
    }
    SECListBaseV::OnPaint();
}

void SECListView::SetPrinterMapping(CDC* pDC) {
    if (pDC == NULL)
        return;
    HDC hAttrib = pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->m_hDC;
    HDC hScreen = ::GetDC(m_hWnd);
    const int nScreenX = hScreen != NULL ? ::GetDeviceCaps(hScreen, LOGPIXELSX) : 96;
    const int nScreenY = hScreen != NULL ? ::GetDeviceCaps(hScreen, LOGPIXELSY) : 96;
    if (hScreen != NULL)
        ::ReleaseDC(m_hWnd, hScreen);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(nScreenX, nScreenY);
    pDC->SetViewportExt(::GetDeviceCaps(hAttrib, LOGPIXELSX), ::GetDeviceCaps(hAttrib, LOGPIXELSY));
    CRect rcPage(0, 0, ::GetDeviceCaps(hAttrib, HORZRES), ::GetDeviceCaps(hAttrib, VERTRES));
    pDC->DPtoLP(&rcPage);
    m_rcPage = rcPage;
}

BOOL SECListView::AdvancePage(CDC* pDC) {
    std::unique_ptr<SECListPaintContext> pContext(NewPaintContext(pDC));
    pContext->pdc = pDC;
    const int nLast = GetLastFullyVisibleIndex(pContext.get());
    pContext.reset();
    // A page always takes at least its top row, so a row taller than the page ends.
    const int nNext = std::max(nLast + 1, m_nTopIndex + 1);
    if (nNext < GetItemCount()) {
        m_nTopIndex = nNext;
        return TRUE;
    }
    return FALSE;
}

BOOL SECListView::GotoPage(int nPage, CDC* pDC) {
    if (nPage == m_nCurPage)
        return TRUE;
    m_nTopIndex = 0;
    BOOL bResult = TRUE;
    for (int i = 1; i < nPage && bResult; ++i)
        bResult = AdvancePage(pDC);
    m_nCurPage = nPage;
    return bResult;
}

namespace {
// A copy of pSource, else an 11-point "Times New Roman"; the object stays empty on failure.
BOOL MakePrinterFont(CFont* pSource, CFont* pTarget) {
    pTarget->DeleteObject();
    LOGFONT lf = {};
    if (pSource != NULL && pSource->GetSafeHandle() != NULL && pSource->GetLogFont(&lf) &&
        pTarget->CreateFontIndirect(&lf))
        return TRUE;
    return pTarget->CreatePointFont(110, L"Times New Roman", NULL);
}
} // namespace

BOOL SECListView::CreatePrinterFonts() {
    const BOOL bItem = MakePrinterFont(GetItemFont(), &m_fontPrinterItem);
    const BOOL bHeader = MakePrinterFont(GetHeaderFont(), &m_fontPrinterHeader);
    return bItem && bHeader;
}

BOOL SECListView::DeletePrinterFonts() {
    // Either may exist alone after a half-made pair.
    BOOL bItem = TRUE, bHeader = TRUE;
    if (m_fontPrinterItem.GetSafeHandle() != NULL)
        bItem = m_fontPrinterItem.DeleteObject();
    if (m_fontPrinterHeader.GetSafeHandle() != NULL)
        bHeader = m_fontPrinterHeader.DeleteObject();
    return bItem && bHeader;
}

BOOL SECListView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

void SECListView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
    m_nSavedTop = m_nTopIndex;
    m_pSavedItemFont = m_pItemFont;
    m_pSavedHeaderFont = m_pHeaderFont;
    m_nTopIndex = 0;
    m_nCurPage = 0;
    if (!CreatePrinterFonts()) {
        if (pInfo != NULL)
            pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    m_pItemFont = &m_fontPrinterItem;
    m_pHeaderFont = &m_fontPrinterHeader;
    m_pPrinterDC = pDC;
    SetPrinterMapping(pDC);
    m_bPrinting = TRUE;
    InvalidateAllHeights();
    if (pInfo != NULL && pInfo->m_bPreview) {
        int nPages = 1;
        while (nPages <= GetItemCount() && AdvancePage(pDC))
            ++nPages;
        pInfo->SetMaxPage((UINT)nPages);
        m_nTopIndex = 0;
        m_nCurPage = 1;
    }
}

void SECListView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    if (pDC != NULL && pDC->IsPrinting() && pInfo != NULL) {
        SetPrinterMapping(pDC);
        return;
    }
    SECListBaseV::OnPrepareDC(pDC, pInfo);
}

void SECListView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
    if (!m_bPrinting)
        return;
    m_pPrinterDC = pDC;
    if (pInfo != NULL && pInfo->m_bPreview) {
        GotoPage((int)pInfo->m_nCurPage, pDC);
        SECListBaseV::OnPrint(pDC, pInfo);
        return;
    }
    SECListBaseV::OnPrint(pDC, pInfo);
    if (pInfo != NULL)
        pInfo->m_bContinuePrinting = AdvancePage(pDC);
}

void SECListView::OnDraw(CDC* pDC) {
    if (pDC != NULL && pDC->IsPrinting())
        DoPaint(pDC);
}

void SECListView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {
    (void)pDC;
    (void)pInfo;
    m_rcPage.SetRectEmpty();
    m_pItemFont = m_pSavedItemFont;
    m_pHeaderFont = m_pSavedHeaderFont;
    DeletePrinterFonts();
    m_nTopIndex = m_nSavedTop;
    m_bPrinting = FALSE;
    m_pPrinterDC = NULL;
    m_nCurPage = 0;
    RecalcLayout();
    if (GetSafeHwnd() != NULL)
        Invalidate(TRUE);
}
