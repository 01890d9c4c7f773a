#include "framework/docview/preview_view.h"

#include "framework/docview/frame.h"
#include "framework/win/winapp.h"

#include <algorithm>

namespace {
const int kGap = 8;    // around and between the pages
const int kShadow = 3; // the page's shadow on the desk
} // namespace

IMPLEMENT_DYNAMIC(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPage)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEWHEEL()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CPreviewView* CPreviewView::Open(CView* pView) {
    // The preview takes the whole top-level frame (an MDI child's view previews in the main
    // frame), so one preview at a time.
    CFrameWnd* pFrame = pView ? pView->GetParentFrame() : nullptr;
    while (pFrame != nullptr && pFrame->GetParentFrame() != nullptr)
        pFrame = pFrame->GetParentFrame();
    if (pFrame == nullptr || DYNAMIC_DOWNCAST(CPreviewView, pFrame->GetActiveView()) != nullptr)
        return nullptr;
    auto pInfo = std::make_unique<CPrintInfo>();
    pInfo->m_bPreview = TRUE;
    if (!pView->OnPreparePrinting(pInfo.get())) {
        if (pInfo->m_hPrinterDC != NULL)
            ::DeleteDC(pInfo->m_hPrinterDC);
        return nullptr;
    }
    // The page device owns the printer from here on.
    auto pPage = std::make_unique<CPageDevice>(pInfo->m_hPrinterDC);
    pInfo->m_hPrinterDC = NULL;
    auto pDC = std::make_unique<CPreviewDC>(*pPage);
    pInfo->m_rectDraw.SetRect(0, 0, pPage->GetSize().cx, pPage->GetSize().cy);
    pView->OnBeginPrinting(pDC.get(), pInfo.get());
    if (!pInfo->m_bContinuePrinting || pInfo->GetMaxPage() < pInfo->GetMinPage()) {
        pView->OnEndPrinting(pDC.get(), pInfo.get());
        AfxMessageBox(L"Print preview failed.", MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }

    auto pState = std::make_unique<CPrintPreviewState>();
    pFrame->OnSetPreviewMode(TRUE, pState.get());
    // The window owns the object once it exists (PostNcDestroy); until then this pointer does.
    std::unique_ptr<CPreviewView> pOwned(new CPreviewView);
    CPreviewView* pPreview = pOwned.get();
    pPreview->m_pPrintView = pView;
    pPreview->m_hWndPrintView = pView->m_hWnd;
    pPreview->m_pFrame = pFrame;
    pPreview->m_nCurPage = pInfo->GetMinPage();
    // A view whose creation fails has deleted itself, as every view does.
    const BOOL bCreated =
        pPreview->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                         CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_FIRST);
    pOwned.release();
    if (!bCreated || !pPreview->m_wndBar.Create(pFrame, pPreview->m_hWnd)) {
        if (bCreated)
            pPreview->DestroyWindow();
        pFrame->OnSetPreviewMode(FALSE, pState.get());
        pView->OnEndPrinting(pDC.get(), pInfo.get());
        AfxMessageBox(L"Print preview failed.", MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    pPreview->m_pPage = std::move(pPage);
    pPreview->m_pDC = std::move(pDC);
    pPreview->m_pInfo = std::move(pInfo);
    pPreview->m_pState = std::move(pState);
    pFrame->SetActiveView(pPreview);
    pFrame->RecalcLayout();
    pPreview->SetFocus();
    pPreview->UpdateScrollBars();
    pPreview->UpdateBar();
    return pPreview;
}

BOOL CPreviewView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// Printing ends first; the view's end of preview then gives the frame back. The job's objects
// move to this frame of the stack because the window, and this object, go on the way.
void CPreviewView::OnPreviewClose() {
    if (m_pInfo == nullptr)
        return;
    std::unique_ptr<CPageDevice> pPage = std::move(m_pPage);
    std::unique_ptr<CPreviewDC> pDC = std::move(m_pDC);
    std::unique_ptr<CPrintInfo> pInfo = std::move(m_pInfo);
    CView* pView = m_pPrintView;
    CRect rectPage = GetPageRect(0);
    pView->OnEndPrinting(pDC.get(), pInfo.get());
    pView->OnEndPrintPreview(pDC.get(), pInfo.get(), rectPage.TopLeft(), this);
}

void CPreviewView::RestoreFrame() {
    std::unique_ptr<CPrintPreviewState> pState = std::move(m_pState);
    CFrameWnd* pFrame = m_pFrame;
    // Out of the layout before the pane takes its id back.
    ShowWindow(SW_HIDE);
    SetDlgCtrlID(0);
    if (m_wndBar.m_hWnd != NULL)
        m_wndBar.DestroyWindow();
    if (pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr, FALSE);
    if (pState != nullptr)
        pFrame->OnSetPreviewMode(FALSE, pState.get());
    DestroyWindow();
}

// Print leaves the preview, then asks the frame to print as the menu command would.
void CPreviewView::OnPreviewPrint() {
    HWND hWndFrame = m_pFrame->m_hWnd;
    OnPreviewClose();
    ::PostMessageW(hWndFrame, WM_COMMAND, ID_FILE_PRINT, 0);
}

UINT CPreviewView::LastPage() const {
    return m_pInfo ? m_pInfo->GetMaxPage() : m_nCurPage;
}

void CPreviewView::SetCurrentPage(UINT nPage) {
    if (m_pInfo == nullptr)
        return;
    const UINT nMin = m_pInfo->GetMinPage();
    // Two pages showing stop one before the last, so that both slots stay filled.
    UINT nLast = LastPage();
    if (m_nPages == 2 && nLast > nMin)
        --nLast;
    nPage = std::max(nMin, std::min(nPage, nLast));
    if (nPage == m_nCurPage)
        return;
    m_nCurPage = nPage;
    Invalidate(FALSE);
    UpdateBar();
}

void CPreviewView::OnNextPage() {
    SetCurrentPage(m_nCurPage + 1);
}

void CPreviewView::OnPrevPage() {
    if (m_nCurPage > 1)
        SetCurrentPage(m_nCurPage - 1);
}

void CPreviewView::OnNumPage() {
    if (m_pInfo == nullptr)
        return;
    m_nPages = m_nPages == 1 && LastPage() > m_pInfo->GetMinPage() ? 2 : 1;
    const UINT nPage = m_nCurPage;
    m_nCurPage = 0; // redo the bounds for the new count
    SetCurrentPage(nPage);
    UpdateScrollBars();
    Invalidate(FALSE);
    UpdateBar();
}

void CPreviewView::OnZoomIn() {
    SetZoom(m_nZoom + 1);
}

void CPreviewView::OnZoomOut() {
    SetZoom(m_nZoom - 1);
}

void CPreviewView::SetZoom(int nZoom) {
    nZoom = std::max(0, std::min(nZoom, nMaxZoom));
    if (nZoom == m_nZoom)
        return;
    m_nZoom = nZoom;
    m_ptScroll = CPoint(0, 0);
    UpdateScrollBars();
    Invalidate(FALSE);
    UpdateBar();
}

void CPreviewView::UpdateBar() {
    if (m_wndBar.m_hWnd == NULL || m_pInfo == nullptr)
        return;
    const UINT nLast = LastPage();
    const UINT nShownLast = std::min(nLast, m_nCurPage + m_nPages - 1);
    CString strPages;
    if (nShownLast > m_nCurPage)
        strPages.Format(L"Pages %u-%u", m_nCurPage, nShownLast);
    else
        strPages.Format(L"Page %u", m_nCurPage);
    m_wndBar.Update(m_nCurPage > m_pInfo->GetMinPage(),
                    nShownLast<nLast, m_nPages == 2, nLast> m_pInfo->GetMinPage(),
                    m_nZoom<nMaxZoom, m_nZoom> 0, strPages);
}

// Fitted, the pages fill the window's height or their share of its width. Zooming goes to the
// page's real size on this screen (at least half as large again as fitted), then twice that.
int CPreviewView::PageWidth() const {
    if (m_pPage == nullptr)
        return 1;
    const CSize size = m_pPage->GetSize();
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    const int nPages = (int)m_nPages;
    int cxFit = (client.Width() - (nPages + 1) * kGap - kShadow * nPages) / nPages;
    const int cyFit = client.Height() - 2 * kGap - kShadow;
    cxFit = std::max(1, std::min(cxFit, MulDiv(std::max(1, cyFit), size.cx, size.cy)));
    if (m_nZoom == 0)
        return cxFit;
    HDC hScreen = ::GetDC(NULL);
    const int nScreenDpi = ::GetDeviceCaps(hScreen, LOGPIXELSX);
    ::ReleaseDC(NULL, hScreen);
    const int cxReal = MulDiv(size.cx, nScreenDpi, m_pPage->GetDpi().cx);
    const int cxZoom = std::max(cxReal, cxFit * 3 / 2);
    return m_nZoom == 1 ? cxZoom : cxZoom * 2;
}

CSize CPreviewView::ContentSize() const {
    if (m_pPage == nullptr)
        return CSize(0, 0);
    const int cx = PageWidth();
    const int cy = MulDiv(cx, m_pPage->GetSize().cy, m_pPage->GetSize().cx);
    const int nPages = (int)m_nPages;
    return CSize(nPages * (cx + kShadow) + (nPages + 1) * kGap, cy + kShadow + 2 * kGap);
}

CRect CPreviewView::GetPageRect(int nSlot) const {
    if (m_pPage == nullptr || nSlot < 0 || nSlot >= (int)m_nPages ||
        m_nCurPage + nSlot > LastPage())
        return CRect(0, 0, 0, 0);
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    const int cx = PageWidth();
    const int cy = MulDiv(cx, m_pPage->GetSize().cy, m_pPage->GetSize().cx);
    const CSize content = ContentSize();
    // Centred while they fit; from the scroll position when they do not.
    const int x0 = content.cx < client.Width() ? (client.Width() - content.cx) / 2 : -m_ptScroll.x;
    const int y0 =
        content.cy < client.Height() ? (client.Height() - content.cy) / 2 : -m_ptScroll.y;
    const int x = x0 + kGap + nSlot * (cx + kShadow + kGap);
    return CRect(x, y0 + kGap, x + cx, y0 + kGap + cy);
}

void CPreviewView::UpdateScrollBars() {
    // Each bar's range depends on whether the other shows: settle in two rounds.
    for (int nRound = 0; nRound < 2; ++nRound) {
        const CSize content = ContentSize();
        CRect client;
        ::GetClientRect(m_hWnd, &client);
        const int nBars[] = {SB_HORZ, SB_VERT};
        const int nContent[] = {content.cx, content.cy};
        const int nClient[] = {client.Width(), client.Height()};
        LONG* pPos[] = {&m_ptScroll.x, &m_ptScroll.y};
        for (int i = 0; i < 2; ++i) {
            const int nMaxPos = std::max(0, nContent[i] - nClient[i]);
            *pPos[i] = std::max(0L, std::min(*pPos[i], (LONG)nMaxPos));
            SCROLLINFO si = {};
            si.cbSize = sizeof(si);
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            si.nMin = 0;
            si.nMax = m_nZoom == 0 || nMaxPos == 0 ? 0 : nContent[i] - 1;
            si.nPage = m_nZoom == 0 || nMaxPos == 0 ? 0 : (UINT)nClient[i];
            si.nPos = *pPos[i];
            ::SetScrollInfo(m_hWnd, nBars[i], &si, TRUE);
        }
    }
}

void CPreviewView::ScrollTo(int nBar, int nPos) {
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_hWnd, nBar, &si) || si.nPage == 0)
        return;
    nPos = std::max(si.nMin, std::min(nPos, si.nMax - (int)si.nPage + 1));
    (nBar == SB_HORZ ? m_ptScroll.x : m_ptScroll.y) = nPos;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    ::SetScrollInfo(m_hWnd, nBar, &si, TRUE);
    Invalidate(FALSE);
}

namespace {
int ScrollTarget(UINT nSBCode, UINT nTrack, const SCROLLINFO& si) {
    const int nLine = 16;
    switch (nSBCode) {
    case SB_LINEUP:
        return si.nPos - nLine;
    case SB_LINEDOWN:
        return si.nPos + nLine;
    case SB_PAGEUP:
        return si.nPos - (int)si.nPage;
    case SB_PAGEDOWN:
        return si.nPos + (int)si.nPage;
    case SB_TOP:
        return si.nMin;
    case SB_BOTTOM:
        return si.nMax;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return (int)nTrack;
    default:
        return si.nPos;
    }
}
} // namespace

void CPreviewView::OnScrollBar(int nBar, UINT nSBCode, UINT nPos) {
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    if (::GetScrollInfo(m_hWnd, nBar, &si))
        ScrollTo(nBar, ScrollTarget(nSBCode, nSBCode == SB_THUMBTRACK ? si.nTrackPos : nPos, si));
}

void CPreviewView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    OnScrollBar(SB_HORZ, nSBCode, nPos);
}

void CPreviewView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    OnScrollBar(SB_VERT, nSBCode, nPos);
}

// The wheel turns pages while they fit and scrolls them when zoomed.
BOOL CPreviewView::OnMouseWheel(UINT, short zDelta, CPoint) {
    if (m_nZoom == 0) {
        if (zDelta < 0)
            OnNextPage();
        else if (zDelta > 0)
            OnPrevPage();
        return TRUE;
    }
    ScrollTo(SB_VERT, m_ptScroll.y - zDelta * 48 / WHEEL_DELTA);
    return TRUE;
}

void CPreviewView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    UpdateScrollBars();
    Invalidate(FALSE);
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    switch (nChar) {
    case VK_ESCAPE:
        OnPreviewClose();
        return;
    case VK_NEXT:
        OnNextPage();
        return;
    case VK_PRIOR:
        OnPrevPage();
        return;
    case VK_ADD:
        OnZoomIn();
        return;
    case VK_SUBTRACT:
        OnZoomOut();
        return;
    default:
        CView::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

// A click on a page zooms in a step; at the largest step it goes back to the fitted pages.
void CPreviewView::OnLButtonDown(UINT, CPoint point) {
    for (int nSlot = 0; nSlot < (int)m_nPages; ++nSlot) {
        if (GetPageRect(nSlot).PtInRect(point)) {
            SetZoom(m_nZoom == nMaxZoom ? 0 : m_nZoom + 1);
            return;
        }
    }
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) {
    return TRUE; // painting covers everything
}

void CPreviewView::OnPaint() {
    CPaintDC dc(this);
    DrawPreview(&dc);
}

LRESULT CPreviewView::OnPrintClient(WPARAM wParam, LPARAM) {
    if (CDC* pDC = CDC::FromHandle((HDC)wParam))
        DrawPreview(pDC);
    return 0;
}

namespace {
// A bitmap the size of the client area with a DC on it, freed however drawing ends.
class BackBuffer {
public:
    BackBuffer(HDC hDC, const CRect& rect)
        : m_hDC(::CreateCompatibleDC(hDC)),
          m_hBitmap(::CreateCompatibleBitmap(hDC, rect.Width(), rect.Height())) {
        if (m_hDC != NULL && m_hBitmap != NULL)
            m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~BackBuffer() {
        if (m_hOld != NULL)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hBitmap != NULL)
            ::DeleteObject(m_hBitmap);
        if (m_hDC != NULL)
            ::DeleteDC(m_hDC);
    }
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    HDC dc() const { return m_hOld != NULL ? m_hDC : NULL; }

private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld = NULL;
};

// The preview DC lets go of the output however the view's hooks end.
struct OutputScope {
    CPreviewDC& dc;
    ~OutputScope() { dc.ReleaseOutput(); }
};
} // namespace

// The desk and the pages go to a bitmap first, so the view's drawing never flickers.
void CPreviewView::DrawPreview(CDC* pDC) {
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    if (client.IsRectEmpty())
        return;
    BackBuffer buffer(pDC->m_hDC, client);
    HDC hMem = buffer.dc();
    if (hMem == NULL)
        return;
    ::FillRect(hMem, &client, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    const UINT nLastBefore = LastPage();
    for (int nSlot = 0; nSlot < (int)m_nPages && m_pInfo != nullptr; ++nSlot) {
        const CRect rect = GetPageRect(nSlot);
        if (rect.IsRectEmpty())
            break;
        CRect shadow = rect;
        shadow.OffsetRect(kShadow, kShadow);
        ::FillRect(hMem, &shadow, (HBRUSH)::GetStockObject(DKGRAY_BRUSH));
        ::FillRect(hMem, &rect, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        if (!RenderPage(hMem, rect, m_nCurPage + nSlot))
            break;
    }
    ::BitBlt(pDC->m_hDC, 0, 0, client.Width(), client.Height(), hMem, 0, 0, SRCCOPY);
    // The view told where its pages end: show the last ones again.
    if (m_pInfo != nullptr && LastPage() != nLastBefore) {
        const UINT nPage = m_nCurPage;
        m_nCurPage = 0;
        SetCurrentPage(nPage);
        Invalidate(FALSE);
        UpdateBar();
    }
}

BOOL CPreviewView::RenderPage(HDC hDC, const CRect& rectPage, UINT nPage) {
    CPrintInfo& info = *m_pInfo;
    info.m_nCurPage = nPage;
    info.m_bContinuePrinting = TRUE;
    info.m_rectDraw.SetRect(0, 0, m_pPage->GetSize().cx, m_pPage->GetSize().cy);
    m_pDC->ResetPage();
    m_pDC->SetOutput(hDC, rectPage);
    OutputScope scope{*m_pDC};
    m_pPrintView->OnPrepareDC(m_pDC.get(), &info);
    const BOOL bPage = info.m_bContinuePrinting;
    if (bPage)
        m_pPrintView->OnPrint(m_pDC.get(), &info);
    else if (nPage > info.GetMinPage())
        info.SetMaxPage(nPage - 1); // a page count found by asking
    info.m_nCurPage = m_nCurPage;
    return bPage;
}

// A frame going away with the preview open still ends the job, while the view is there.
void CPreviewView::OnDestroy() {
    if (m_pInfo != nullptr && m_hWndPrintView != NULL &&
        CWnd::FromHandlePermanent(m_hWndPrintView) == m_pPrintView)
        m_pPrintView->OnEndPrinting(m_pDC.get(), m_pInfo.get());
    m_pInfo.reset();
    if (m_wndBar.m_hWnd != NULL)
        m_wndBar.DestroyWindow();
    CView::OnDestroy();
}
