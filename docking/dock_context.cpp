// SECDockContext: drag, resize and the docked-floating toggles of a SECControlBar.
#include "docking/dock_context.h"

#include "docking/dock_bar.h"

#include <algorithm>
#include <cstdlib>

SECDockContext::SECDockContext(CControlBar* pBar)
    : CDockContext(pBar), m_rectDockPos(0, 0, 0, 0), m_ptStart(0, 0), m_ptLastCalc(0, 0) {
    m_sizeMinFloat =
        CSize(::GetSystemMetrics(SM_CXMENUSIZE) +
                  2 * (::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXBORDER)),
              ::GetSystemMetrics(SM_CYSMCAPTION) +
                  2 * (::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYBORDER)));
    m_sizeMaxFloat =
        CSize(::GetSystemMetrics(SM_CXFULLSCREEN), ::GetSystemMetrics(SM_CYFULLSCREEN));
}

SECDockContext::~SECDockContext() {
    if (m_pBar != nullptr && m_pBar->m_pDockBar != nullptr) {
        CDockBar* pDockBar = m_pBar->m_pDockBar;
        m_pBar->m_pDockBar = nullptr;
        pDockBar->RemoveControlBar(m_pBar, -1, FALSE);
    }
}

void SECDockContext::SendStatus(UINT nID) {
    CWnd* pMain = AfxGetApp() != nullptr ? AfxGetApp()->m_pMainWnd : nullptr;
    if (pMain == nullptr)
        pMain = m_pDockSite;
    if (pMain != nullptr && ::IsWindow(pMain->m_hWnd))
        pMain->SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

void SECDockContext::StartDrag(CPoint pt) {
    if (m_pBar == nullptr || m_pDockSite == nullptr || ::GetCapture() != NULL)
        return;
    m_nTargetIndex = -1;
    m_bSECDragging = TRUE;
    m_ptStart = pt;
    m_rectDockPos.SetRectEmpty();
    SendStatus(IDS_SEC_PREVENT_DOCKING);
    CDockContext::StartDrag(pt); // may delete this: nothing after it
}

void SECDockContext::CancelLoop() {
    const bool bWasRunning = m_pDC != nullptr;
    CDockContext::CancelLoop();
    if (bWasRunning)
        SendStatus(AFX_IDS_IDLEMESSAGE);
}

BOOL SECDockContext::InDeadZone() const {
    return m_pBar != nullptr && m_pBar->IsFloating() &&
           std::abs(m_ptLast.x - m_ptStart.x) + std::abs(m_ptLast.y - m_ptStart.y) < 5;
}

DWORD SECDockContext::CanDock() {
    if (m_bDragging && InDeadZone())
        return 0;
    return CDockContext::CanDock();
}

void SECDockContext::GetTrackRect(CRect& rect, BOOL& bDocked) {
    CDockContext::GetTrackRect(rect, bDocked);
    if (!bDocked)
        return;
    CDockBar* pTarget = GetDockBar(m_dwOverDockStyle);
    if (pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(SECDockBar)))
        rect = static_cast<SECDockBar*>(pTarget)->CalcDockPosition(
            m_pBar, rect, m_ptLast, m_nTargetIndex, m_rectDockPos, m_ptLastCalc);
}

void SECDockContext::EndDrag() {
    const BOOL bDead = InDeadZone();
    CancelLoop();
    if (m_pBar == nullptr || m_pDockSite == nullptr || bDead)
        return; // a floating bar nudged by less than the dead zone stays where it was
    if (m_dwOverDockStyle != 0) {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (pDockBar == nullptr)
            return;
        CRect rect = IsHorzTarget() ? m_rectDragHorz : m_rectDragVert;
        RememberDockPlace(pDockBar, rect);
        // A floating bar keeps its share: it is the bar the row makes room for.
        if (m_pBar->IsFloating() && pDockBar->IsKindOf(RUNTIME_CLASS(SECDockBar)))
            static_cast<SECDockBar*>(pDockBar)->m_pLastChangedBar = m_pBar;
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    const BOOL bHorzStyle = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const BOOL bVert = !(m_dwStyle & CBRS_SIZE_DYNAMIC) && (bHorzStyle == (m_bFlip != FALSE));
    m_dwMRUFloatStyle =
        (bVert ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    if (bVert) {
        m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
    } else {
        m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
        const SECDockAuxData& aux = SECDockAuxData::Get();
        m_ptMRUFloatPos.Offset(-(aux.m_cxBorder - 1), -(aux.m_cyBorder - 1));
    }
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void SECDockContext::StartResize(int nHitTest, CPoint pt) {
    m_bSECDragging = FALSE;
    CDockContext::StartResize(nHitTest, pt); // may delete this: nothing after it
}

CSize SECDockContext::FrameExtra() const {
    CRect zero(0, 0, 0, 0);
    CWnd* pFrame = m_pBar != nullptr && m_pBar->m_pDockBar != nullptr
                       ? m_pBar->m_pDockBar->GetParent()
                       : nullptr;
    const DWORD dwStyle = pFrame != nullptr ? (pFrame->GetStyle() & 0xFFFF0000) : WS_CAPTION;
    const DWORD dwExStyle = pFrame != nullptr ? pFrame->GetExStyle() : WS_EX_TOOLWINDOW;
    ::AdjustWindowRectEx(&zero, dwStyle, FALSE, dwExStyle);
    return zero.Size();
}

void SECDockContext::Stretch(CPoint pt) {
    SECControlBar* sec = SECDockBar::AsSECBar(m_pBar);
    if (sec == nullptr || (sec->m_dwExStyle & CBRS_EX_FIXEDSIZE)) {
        CDockContext::Stretch(pt);
        return;
    }
    const CPoint d = pt - m_ptLast;
    CRect r = m_rectFrameDragHorz;
    const int h = m_nHitTest;
    if (h == HTLEFT || h == HTTOPLEFT || h == HTBOTTOMLEFT)
        r.left += d.x;
    if (h == HTRIGHT || h == HTTOPRIGHT || h == HTBOTTOMRIGHT)
        r.right += d.x;
    if (h == HTTOP || h == HTTOPLEFT || h == HTTOPRIGHT)
        r.top += d.y;
    if (h == HTBOTTOM || h == HTBOTTOMLEFT || h == HTBOTTOMRIGHT)
        r.bottom += d.y;
    // Past either limit an extent keeps its old edges.
    if (r.Width() < m_sizeMinFloat.cx || r.Width() > m_sizeMaxFloat.cx) {
        r.left = m_rectFrameDragHorz.left;
        r.right = m_rectFrameDragHorz.right;
    }
    if (r.Height() < m_sizeMinFloat.cy || r.Height() > m_sizeMaxFloat.cy) {
        r.top = m_rectFrameDragHorz.top;
        r.bottom = m_rectFrameDragHorz.bottom;
    }
    const CSize extra = FrameExtra();
    sec->CalcDynamicLayout(r.Width() - extra.cx, LM_COMMIT | LM_HORZ);
    sec->CalcDynamicLayout(r.Height() - extra.cy, LM_COMMIT | LM_LENGTHY | LM_HORZ);
    const CSize final = sec->CalcDynamicLayout(-1, LM_HORZ) + extra;
    // The bar's answer fixes the size; the edges not dragged follow it.
    if (h == HTLEFT || h == HTTOPLEFT || h == HTBOTTOMLEFT)
        r.left = r.right - final.cx;
    else
        r.right = r.left + final.cx;
    if (h == HTTOP || h == HTTOPLEFT || h == HTTOPRIGHT)
        r.top = r.bottom - final.cy;
    else
        r.bottom = r.top + final.cy;
    m_rectFrameDragHorz = m_rectFrameDragVert = r;
    m_ptLast = pt;
    DrawFocusRect();
}

void SECDockContext::EndResize() {
    SECControlBar* sec = SECDockBar::AsSECBar(m_pBar);
    if (sec == nullptr || (sec->m_dwExStyle & CBRS_EX_FIXEDSIZE)) {
        CDockContext::EndResize();
        return;
    }
    CancelLoop();
    if (m_pDockSite == nullptr)
        return;
    const CSize extra = FrameExtra();
    sec->CalcDynamicLayout(m_rectFrameDragHorz.Width() - extra.cx, LM_COMMIT | LM_HORZ);
    sec->CalcDynamicLayout(m_rectFrameDragHorz.Height() - extra.cy,
                           LM_COMMIT | LM_LENGTHY | LM_HORZ);
    m_pDockSite->FloatControlBar(m_pBar, m_rectFrameDragHorz.TopLeft(),
                                 CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC |
                                     (m_pBar->GetBarStyle() & CBRS_FLOAT_MULTI));
}

void SECDockContext::ToggleDocking() {
    SECControlBar* sec = SECDockBar::AsSECBar(m_pBar);
    if (m_pBar == nullptr || m_pDockSite == nullptr)
        return;
    if (m_pBar->IsFloating()) {
        if ((m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
            return;
        if (sec != nullptr)
            sec->m_fFloatProportion = sec->m_fSavedFloatProportion;
    } else if (sec != nullptr) {
        sec->m_fSavedFloatProportion = sec->m_fFloatProportion;
    }
    CDockContext::ToggleDocking();
}

void SECDockContext::ToggleFloatInMainWindow() {
    auto* pHost = dynamic_cast<SECMDIFloatHost*>(m_pDockSite);
    SECControlBar* sec = SECDockBar::AsSECBar(m_pBar);
    if (pHost == nullptr || sec == nullptr)
        return; // a frame without MDI children hosts no bars in them
    pHost->SetToggleInProgress(TRUE);
    if (!pHost->IsFloatingAsMDIChild(m_pBar)) {
        sec->m_fSavedFloatProportion = sec->m_fFloatProportion;
        m_bFloatedInMainWindow = m_pBar->IsFloating();
        const DWORD dwStyle = m_dwMRUFloatStyle != 0 ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP;
        pHost->FloatControlBarAsMDIChild(m_pBar, m_ptMRUFloatPos, dwStyle);
    } else if (m_bFloatedInMainWindow) {
        sec->m_fFloatProportion = sec->m_fSavedFloatProportion;
        CPoint pt = m_ptMRUFloatPos;
        if (pt.x < 0 || pt.y < 0)
            pt = CPoint(0, 0);
        m_pDockSite->FloatControlBar(m_pBar, pt,
                                     m_dwMRUFloatStyle != 0 ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP);
    } else if (m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) {
        sec->m_fFloatProportion = sec->m_fSavedFloatProportion;
        CControlBar* pTarget = m_pDockSite->GetControlBar(m_uMRUDockID);
        if (pTarget != nullptr && pTarget->IsDockBar()) {
            CRect rect = m_rectMRUDockPos;
            pTarget->ClientToScreen(&rect);
            m_pDockSite->DockControlBar(m_pBar, static_cast<CDockBar*>(pTarget), &rect);
        } else {
            m_pDockSite->DockControlBar(m_pBar, (UINT)0, NULL);
        }
        m_pDockSite->RecalcLayout();
    }
    pHost->SetToggleInProgress(FALSE);
}
