#include "windows/source/line_view.h"

#include "windows/source/src_view.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CLineView, CView)

BEGIN_MESSAGE_MAP(CLineView, CView)
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
int CaptionHeight() {
    return ::GetSystemMetrics(SM_CYCAPTION);
}
} // namespace

CLineView::CLineView() = default;
CLineView::~CLineView() = default;

BOOL CLineView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    if (!CView::Create(lpszClassName, lpszWindowName, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd,
                       nID, pContext))
        return FALSE;
    const int cx = std::max<int>(0, rect.right - rect.left);
    const int cy = std::max<int>(0, rect.bottom - rect.top);
    const int caption = std::min(CaptionHeight(), cy);
    // A pane that cannot be finished goes with its window, and its object with it.
    if (!m_captionButton.Create(L"Source", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                CRect(0, 0, cx, caption), this, kCaptionButtonId)) {
        DestroyWindow();
        return FALSE;
    }
    m_captionButton.EnableWindow(FALSE);
    // The view owns itself: it deletes itself when its window goes, or when it gets none.
    auto* pView = new CTarvikView;
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, caption, cx, cy), this,
                       kSourceViewId, pContext)) {
        DestroyWindow();
        return FALSE;
    }
    m_pSourceView = pView;
    m_hSourceView = pView->GetSafeHwnd();
    if (m_toolTip.Create(this)) {
        m_toolTip.AddTool(m_pSourceView, LPSTR_TEXTCALLBACK);
        m_toolTip.Activate(TRUE);
        m_toolTip.SetInitialDelay(kTipInitialDelay);
    }
    return TRUE;
}

void CLineView::OnDraw(CDC*) {}

CTarvikView* CLineView::SourceView() const {
    if (m_hSourceView == NULL || CWnd::FromHandlePermanent(m_hSourceView) != m_pSourceView)
        return nullptr;
    return m_pSourceView;
}

BOOL CLineView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    COXToolTipCtrl* pTip = m_toolTip.GetToolTip();
    if (pHeader != nullptr && pTip != nullptr && pHeader->hwndFrom == pTip->GetSafeHwnd() &&
        (pHeader->code == TTN_GETDISPINFOW || pHeader->code == TTN_POP)) {
        if (pResult != nullptr)
            *pResult = 0;
        CTarvikView* pView = SourceView();
        if (pView == nullptr)
            return TRUE;
        if (pHeader->code == TTN_POP) {
            pView->OnTipPop();
            return TRUE;
        }
        auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pHeader);
        pInfo->szText[0] = 0;
        pInfo->lpszText = pInfo->szText;
        // One evaluation at a time: the host may pump messages while it evaluates.
        if (m_bEvaluating)
            return TRUE;
        CPoint point;
        ::GetCursorPos(&point);
        pView->ScreenToClient(&point);
        const int kind = (pInfo->uFlags & 0x2) ? 2 : 1;
        CString text;
        m_bEvaluating = TRUE;
        const BOOL bShown = pView->GetTipText(kind, point, text);
        m_bEvaluating = FALSE;
        m_tipText = bShown ? text : CString();
        pInfo->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(m_tipText));
        return TRUE;
    }
    return CView::OnNotify(wParam, lParam, pResult);
}

void CLineView::Layout(int cx, int cy) {
    const int caption = std::min(CaptionHeight(), std::max(cy, 0));
    if (m_captionButton.GetSafeHwnd() != NULL) {
        m_captionButton.MoveWindow(0, 0, std::max(cx, 0), caption, TRUE);
        m_captionButton.Invalidate();
    }
    if (CTarvikView* pView = SourceView()) {
        pView->MoveWindow(0, caption, std::max(cx, 0), std::max(cy - caption, 0), TRUE);
        pView->CWnd::Invalidate();
        // The tip keeps the rectangle its tool had when added: the view's new one from now on.
        if (m_toolTip.GetToolTip() != nullptr && m_toolTip.GetToolTip()->GetSafeHwnd() != NULL) {
            m_toolTip.DelTool(pView);
            m_toolTip.AddTool(pView, LPSTR_TEXTCALLBACK);
        }
    }
}

void CLineView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    Layout(cx, cy);
}

void CLineView::OnSetFocus(CWnd*) {
    if (CTarvikView* pView = SourceView())
        pView->SetFocus();
}

BOOL CLineView::OnEraseBkgnd(CDC*) {
    return TRUE;
}
