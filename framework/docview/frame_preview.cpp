// CFrameWnd: making room for a print preview and giving the frame back afterwards.
#include "framework/docview/frame.h"

#include "framework/docview/preview_state.h"
#include "framework/docview/view.h"

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    if (pState == nullptr)
        return;
    if (bPreview) {
        pState->hWndFocus = ::GetFocus();
        pState->pViewActiveOld = m_pViewActive;
        for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
            const UINT nID = (UINT)::GetDlgCtrlID(h);
            // The bar's own visibility, not the frame's: a frame not yet shown has bars too.
            if (nID >= AFX_IDW_CONTROLBAR_FIRST && nID <= AFX_IDW_CONTROLBAR_LAST &&
                (::GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE))
                pState->hiddenBars.push_back(h);
        }
        for (HWND h : pState->hiddenBars)
            ::ShowWindow(h, SW_HIDE);
        pState->hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
        if (pState->hWndPane != NULL) {
            ::ShowWindow(pState->hWndPane, SW_HIDE);
            ::SetWindowLongPtrW(pState->hWndPane, GWLP_ID, AFX_IDW_PANE_SAVE);
        }
        return;
    }
    // Windows that went while the preview was open are left alone.
    if (pState->hWndPane != NULL && ::IsWindow(pState->hWndPane)) {
        ::SetWindowLongPtrW(pState->hWndPane, GWLP_ID, AFX_IDW_PANE_FIRST);
        ::ShowWindow(pState->hWndPane, SW_SHOW);
    }
    for (HWND h : pState->hiddenBars) {
        if (::IsWindow(h))
            ::ShowWindow(h, SW_SHOWNA);
    }
    CView* pView = pState->pViewActiveOld;
    if (pView != nullptr && CWnd::FromHandlePermanent(pView->m_hWnd) == pView)
        SetActiveView(pView);
    RecalcLayout();
    if (pState->hWndFocus != NULL && ::IsWindow(pState->hWndFocus))
        ::SetFocus(pState->hWndFocus);
    else if (m_pViewActive != nullptr)
        m_pViewActive->SetFocus();
}
