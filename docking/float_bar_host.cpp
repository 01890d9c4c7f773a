#include "docking/float_bar_host.h"

#include "docking/control_bar.h"
#include "docking/mdi_frame.h"
#include "framework/docview/dockcontext.h"
#include "framework/docview/frame.h"

SECFloatBarHost::SECFloatBarHost() : m_dockBar(TRUE, TRUE) {
    m_dockBar.m_bAutoDelete = FALSE;
}

SECFloatBarHost::~SECFloatBarHost() {
    if (m_dockBar.GetSafeHwnd() != NULL)
        m_dockBar.DestroyWindow();
}

BOOL SECFloatBarHost::Create(CFrameWnd* pChild, CFrameWnd* pDockSite) {
    if (pChild == NULL || pDockSite == NULL || pDockSite->GetSafeHwnd() == NULL)
        return FALSE;
    // Made as a dock bar of the docking frame, so that the frame knows it, then moved here.
    if (!m_dockBar.Create(pDockSite, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT,
                          AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    // A bar floated with several bars to a frame keeps that style in its child too.
    if (auto* pMain = DYNAMIC_DOWNCAST(SECMDIFrameWnd, pDockSite))
        m_dockBar.SetBarStyle(m_dockBar.GetBarStyle() |
                              (pMain->m_dwCreatingFloatStyle & CBRS_FLOAT_MULTI));
    m_dockBar.SetParent(pChild);
    return TRUE;
}

CControlBar* SECFloatBarHost::GetBar() const {
    for (INT_PTR i = 0; i < m_dockBar.m_arrBars.GetSize(); ++i)
        if (auto* pBar = static_cast<CControlBar*>(m_dockBar.m_arrBars[i]))
            if (!IS_INTRESOURCE(pBar))
                return pBar;
    return NULL;
}

CControlBar* SECFloatBarHost::GetVisibleBar() const {
    for (INT_PTR i = 0; i < m_dockBar.m_arrBars.GetSize(); ++i) {
        auto* pBar = static_cast<CControlBar*>(m_dockBar.m_arrBars[i]);
        if (pBar != NULL && !IS_INTRESOURCE(pBar) && pBar->GetSafeHwnd() != NULL &&
            pBar->IsWindowVisible())
            return pBar;
    }
    return NULL;
}

BOOL SECFloatBarHost::IsMulti() const {
    return (m_dockBar.GetBarStyle() & CBRS_FLOAT_MULTI) != 0;
}

void SECFloatBarHost::OnSize(int cx, int cy) {
    if (IsMulti())
        return;
    CControlBar* pBar = GetVisibleBar(); // a hidden bar takes no size
    if (pBar == NULL)
        return;
    // The child snaps to its bar's size (its client is the bar's floating size), so the bar
    // takes exactly the client: anything added here would grow the child at every layout.
    pBar->CalcDynamicLayout(cx, LM_MRUWIDTH | LM_COMMIT);
    pBar->CalcDynamicLayout(cy, LM_LENGTHY | LM_MRUWIDTH | LM_COMMIT);
}

BOOL SECFloatBarHost::OnClose(CFrameWnd* pChild) {
    CControlBar* pBar = GetBar();
    if (IsMulti() || pBar == NULL)
        return FALSE;
    if (HWND hClient = ::GetParent(pChild->m_hWnd))
        ::SendMessageW(hClient, WM_MDIRESTORE, (WPARAM)pChild->m_hWnd, 0);
    if (CFrameWnd* pSite = pBar->GetDockingFrame())
        pSite->ShowControlBar(pBar, FALSE, FALSE);
    return TRUE;
}

void SECFloatBarHost::OnWindowPosChanged(CFrameWnd* pChild) {
    CControlBar* pBar = GetBar();
    if (IsMulti() || pBar == NULL || pBar->m_pDockContext == NULL)
        return;
    CRect rect;
    pChild->GetWindowRect(&rect);
    pBar->m_pDockContext->m_ptMRUFloatPos = rect.TopLeft();
}

CString SECFloatBarHost::GetText() const {
    CString strText;
    if (m_dockBar.GetSafeHwnd() != NULL)
        m_dockBar.GetWindowText(strText);
    return strText;
}

namespace {
void SetCaption(CWnd* pWnd, const CString& strText) {
    CString strOld;
    pWnd->GetWindowText(strOld);
    if (strOld != strText)
        pWnd->SetWindowText(strText);
}
} // namespace

void SECFloatBarHost::ShowTextAsCaption(CWnd* pChild) const {
    SetCaption(pChild, GetText());
}

void SECFloatBarHost::KeepCaption(CWnd* pChild, const std::function<void()>& update) {
    CString strText;
    pChild->GetWindowText(strText);
    update();
    SetCaption(pChild, strText);
}
