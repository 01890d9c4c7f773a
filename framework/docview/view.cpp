// CView: joining the document, drawing, activation and the default hooks.
#include "framework/docview/view.h"

#include "framework/win/dc.h"
#include "framework/docview/document.h"
#include "framework/docview/frame.h"
#include "framework/docview/splitter.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() {}

CView::~CView() {
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
    // A sunken client edge looks the way a plain border was meant to.
    if (cs.style & WS_BORDER) {
        cs.style &= ~WS_BORDER;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* pContext = lpcs ? static_cast<CCreateContext*>(lpcs->lpCreateParams) : nullptr;
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

// The view goes with its window; leaving the document may close it.
void CView::PostNcDestroy() {
    delete this;
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() != this)
        pFrame->SetActiveView(this);
    return nResult;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {
    Invalidate(TRUE);
}

// A job that does not know its page count prints one page.
void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo) {
    if (pInfo != nullptr && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
    if (!bActivate || pActivateView != this)
        return;
    // The focus follows the active view only while its top-level window is the active one.
    CWnd* pTop = GetTopLevelParent();
    if (pTop != nullptr && ::GetActiveWindow() == pTop->m_hWnd)
        SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::IsSelected(const CObject*) const {
    return FALSE;
}

// Printing: the hooks the print job (view_print.cpp) calls.
BOOL CView::OnPreparePrinting(CPrintInfo*) {
    return TRUE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* pDC, CPrintInfo*) {
    OnDraw(pDC);
}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

// Drag and drop: a plain view accepts nothing.
DROPEFFECT CView::OnDragEnter(COleDataObject*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}
DROPEFFECT CView::OnDragOver(COleDataObject*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}
void CView::OnDragLeave() {}
BOOL CView::OnDrop(COleDataObject*, DROPEFFECT, CPoint) {
    return FALSE;
}
DROPEFFECT CView::OnDropEx(COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) {
    return (DROPEFFECT)-1;
}
DROPEFFECT CView::OnDragScroll(DWORD, CPoint) {
    return DROPEFFECT_NONE;
}

BOOL CView::OnScroll(UINT, UINT, BOOL) {
    return FALSE;
}
BOOL CView::OnScrollBy(CSize, BOOL) {
    return FALSE;
}

CSplitterWnd* PASCAL CView::GetParentSplitter(const CWnd* pWnd, BOOL bAnyState) {
    if (pWnd == nullptr)
        return nullptr;
    CWnd* pParent = pWnd->GetParent();
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
        return nullptr;
    if (!bAnyState)
        for (CWnd* p = pParent; p != nullptr; p = p->GetParent())
            if (p->IsIconic())
                return nullptr;
    return static_cast<CSplitterWnd*>(pParent);
}

CScrollBar* CView::GetScrollBarCtrl(int nBar) const {
    const DWORD dwOwn = nBar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    if (GetStyle() & dwOwn)
        return nullptr; // the view's own bar
    CSplitterWnd* pSplitter = GetParentSplitter(this, TRUE);
    return pSplitter ? pSplitter->GetSharedScrollBar(nBar, this) : nullptr;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
