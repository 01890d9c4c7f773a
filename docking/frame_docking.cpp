// The docking work both docking frames do the same way.
#include "docking/frame_docking.h"

#include "docking/control_bar.h"
#include "docking/mini_dock_frame.h"
#include "docking/sdi_frame.h"

#include <algorithm>

namespace sec_docking {

const DWORD kDockBars[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
};
static_assert(CBRS_ALIGN_TOP + CBRS_BORDER_BOTTOM == 0x2800, "top dock bar style");
static_assert(CBRS_ALIGN_BOTTOM + CBRS_BORDER_TOP == 0x8200, "bottom dock bar style");
static_assert(CBRS_ALIGN_LEFT + CBRS_BORDER_RIGHT == 0x1400, "left dock bar style");
static_assert(CBRS_ALIGN_RIGHT + CBRS_BORDER_LEFT == 0x4100, "right dock bar style");

void CreateDockBar(CFrameWnd* pFrame, CDockBar* pDockBar, DWORD dwSide, DWORD dwExtra, UINT nID) {
    if (pDockBar == nullptr)
        AfxThrowResourceException();
    pDockBar->m_bAutoDelete = TRUE;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!pDockBar->Create(pFrame, dwSide | dwStyle | dwExtra, nID)) {
        if (pDockBar->m_hWnd == NULL)
            delete pDockBar;
        AfxThrowResourceException();
    }
}

void FillClassSlots(CFrameWnd* pFrame, CRuntimeClass* pMDIChildClass,
                    CRuntimeClass** ppMDIChildSlot) {
    if (pFrame->m_pFloatingFrameClass == nullptr ||
        pFrame->m_pFloatingFrameClass == RUNTIME_CLASS(CMiniDockFrameWnd))
        pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
    if (pFrame->m_pDockBarClass == nullptr || pFrame->m_pDockBarClass == RUNTIME_CLASS(CDockBar))
        pFrame->m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
    if (ppMDIChildSlot != nullptr && *ppMDIChildSlot == nullptr)
        *ppMDIChildSlot = pMDIChildClass;
}

namespace {
CDockBar* DockBarOf(CFrameWnd* pFrame, UINT nID) {
    CControlBar* pFound = pFrame->GetControlBar(nID);
    return pFound != nullptr && pFound->IsDockBar() ? static_cast<CDockBar*>(pFound) : nullptr;
}

void PreDock(CControlBar* pBar) {
    if (auto* p = DYNAMIC_DOWNCAST(SECControlBar, pBar))
        p->OnPreDock();
}
void PostDock(CControlBar* pBar) {
    if (auto* p = DYNAMIC_DOWNCAST(SECControlBar, pBar))
        p->OnPostDock();
}

// Before a bar with a hosted document frame docks, the frame takes its docked styles back.
void UnswapHosted(CFrameWnd* pFrame, CControlBar* pBar,
                  void (*pSwap)(CFrameWnd*, SECFrameWnd*, BOOL)) {
    if (pSwap == nullptr || !pBar->IsFloating())
        return;
    if (SECFrameWnd* pHosted = GetBarHostedFrame(pBar))
        pSwap(pFrame, pHosted, FALSE);
}
} // namespace

CDockBar* ChooseDockBar(CFrameWnd* pFrame, CControlBar* pBar, UINT nID) {
    if (nID != 0)
        if (CDockBar* pDockBar = DockBarOf(pFrame, nID))
            return pDockBar;
    const DWORD dwAlign = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
    for (const auto& entry : kDockBars)
        if ((entry[1] & CBRS_ALIGN_ANY) == dwAlign)
            if (CDockBar* pDockBar = DockBarOf(pFrame, entry[0]))
                return pDockBar;
    for (const auto& entry : kDockBars)
        if (entry[1] & dwAlign)
            if (CDockBar* pDockBar = DockBarOf(pFrame, entry[0]))
                return pDockBar;
    return DockBarOf(pFrame, AFX_IDW_DOCKBAR_BOTTOM);
}

DWORD LayoutModeFor(UINT nDockBarID) {
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
    case AFX_IDW_DOCKBAR_BOTTOM:
        return LM_HORZ | LM_HORZDOCK | LM_LENGTHY;
    case AFX_IDW_DOCKBAR_LEFT:
    case AFX_IDW_DOCKBAR_RIGHT:
        return LM_VERTDOCK;
    default:
        return LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
    }
}

SECFrameWnd* GetBarHostedFrame(CControlBar* pBar) {
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return nullptr;
    HWND hChild = ::GetWindow(pBar->m_hWnd, GW_CHILD);
    return hChild != NULL ? DYNAMIC_DOWNCAST(SECFrameWnd, CWnd::FromHandlePermanent(hChild))
                          : nullptr;
}

int ClampToWorkArea(int v, int extent, int lo, int hi) {
    const int kReach = 10;
    if (v > hi - kReach)
        v = hi - kReach;
    if (v + extent < lo + kReach)
        v = lo + kReach - extent;
    return v;
}

CRect WorkArea() {
    CRect rect;
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0))
        rect.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return rect;
}

void FitToParent(CWnd* pWnd) {
    if (pWnd == nullptr || pWnd->m_hWnd == NULL)
        return;
    HWND hParent = ::GetParent(pWnd->m_hWnd);
    if (hParent == NULL)
        return;
    CRect rect;
    ::GetClientRect(hParent, &rect);
    pWnd->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

void DockControlBarSized(CFrameWnd* pFrame, CControlBar* pBar, const SECDockPos& pos,
                         UINT nDockBarID, const SECDockSize& size,
                         void (*pSwap)(CFrameWnd*, SECFrameWnd*, BOOL)) {
    if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    PreDock(pBar);
    CDockBar* pDockBar = ChooseDockBar(pFrame, pBar, nDockBarID);
    if (pDockBar == nullptr)
        return; // the frame has no dock bars
    if (auto* pSEC = DYNAMIC_DOWNCAST(SECControlBar, pBar))
        pSEC->m_fFloatProportion = size.fPctWidth;
    UnswapHosted(pFrame, pBar, pSwap);
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = pFrame;
    pBar->CalcDynamicLayout(size.nHeight,
                            LayoutModeFor((UINT)pDockBar->GetDlgCtrlID()) | LM_COMMIT);
    if (auto* pSECDock = DYNAMIC_DOWNCAST(SECDockBar, pDockBar))
        pSECDock->DockControlBarAtPosition(pBar, pos);
    else
        pDockBar->DockControlBar(pBar, NULL);
    PostDock(pBar);
}

namespace {
CDockBar* DockBarForRedock(CFrameWnd* pFrame, CControlBar* pBar) {
    const UINT nID = (UINT)LOWORD(pBar->GetDlgCtrlID());
    for (const auto& entry : kDockBars)
        if (CDockBar* pDockBar = DockBarOf(pFrame, entry[0]))
            if (pDockBar->FindPlaceholder(nID) >= 0)
                return pDockBar;
    CDockBar* pLast = nullptr;
    for (const auto& entry : kDockBars)
        if (entry[1] & pBar->GetBarStyle() & CBRS_ALIGN_ANY)
            if (CDockBar* pDockBar = DockBarOf(pFrame, entry[0]))
                pLast = pDockBar;
    return pLast;
}
} // namespace

void DockControlBarRect(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect,
                        BOOL bRedock, void (*pSwap)(CFrameWnd*, SECFrameWnd*, BOOL)) {
    if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    PreDock(pBar);
    if (pDockBar == nullptr)
        pDockBar = bRedock ? DockBarForRedock(pFrame, pBar) : ChooseDockBar(pFrame, pBar, 0);
    if (pDockBar == nullptr)
        return;
    UnswapHosted(pFrame, pBar, pSwap);
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = pFrame;
    auto* pSECDock = DYNAMIC_DOWNCAST(SECDockBar, pDockBar);
    if (pSECDock != nullptr && bRedock)
        pSECDock->ReDockControlBar(pBar, lpRect);
    else
        pDockBar->DockControlBar(pBar, lpRect);
    PostDock(pBar);
}

DWORD FloatStyleFor(CControlBar* pBar, DWORD dwStyle) {
    if (pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) {
            dwStyle &= ~(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM);
            dwStyle |= CBRS_ALIGN_TOP;
        }
    }
    return dwStyle;
}

void FloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, int x, int y, DWORD dwStyle, BOOL bClamp,
                     void (*pSwap)(CFrameWnd*, SECFrameWnd*, BOOL)) {
    if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    if (bClamp) {
        const CRect work = WorkArea();
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        x = ClampToWorkArea(x, rectBar.Width(), work.left, work.right);
        y = ClampToWorkArea(y, rectBar.Height(), work.top, work.bottom);
        CDockBar* pOld = pBar->m_pDockBar;
        if (pOld != nullptr && pOld->m_bFloating && pOld->GetDockedCount() == 1 &&
            (dwStyle & pOld->GetBarStyle() & CBRS_ALIGN_ANY)) {
            CWnd* pMini = pOld->GetParent();
            pMini->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (pSwap != nullptr)
                if (SECFrameWnd* pHosted = GetBarHostedFrame(pBar))
                    FitToParent(pHosted);
            pMini->UpdateWindow();
            return;
        }
    }
    auto* pSEC = DYNAMIC_DOWNCAST(SECControlBar, pBar);
    if (pSEC != nullptr)
        pSEC->OnPreFloat();
    dwStyle = FloatStyleFor(pBar, dwStyle);
    CMiniDockFrameWnd* pMini = pFrame->CreateFloatingFrame(dwStyle);
    if (pMini == nullptr)
        return;
    const HWND hMini = pMini->m_hWnd;
    if (pMini->GetOwner() == nullptr || pMini->GetOwner() == pFrame)
        pMini->SetOwner(pBar);
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = pFrame;
    CDockBar* pFloatDock = pMini->GetDockBar();
    auto* pSECDock = DYNAMIC_DOWNCAST(SECDockBar, pFloatDock);
    if (pSECDock != nullptr && !bClamp)
        pSECDock->ReDockControlBar(pBar, NULL);
    else
        pFloatDock->DockControlBar(pBar, NULL);
    if (!::IsWindow(hMini))
        return;
    if (pSEC != nullptr && !(pSEC->GetExBarStyle() & CBRS_EX_FIXEDSIZE)) {
        pMini->ModifyStyle(MFS_4THICKFRAME, WS_THICKFRAME | MFS_THICKFRAME, 0);
        pMini->SetWindowPos(NULL, 0, 0, 0, 0,
                            SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                SWP_FRAMECHANGED);
    }
    SECFrameWnd* pHosted = pSwap != nullptr ? GetBarHostedFrame(pBar) : nullptr;
    if (pHosted != nullptr)
        pSwap(pFrame, pHosted, TRUE);
    pMini->RecalcLayout(TRUE);
    pMini->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if ((pBar->GetStyle() & WS_VISIBLE) || !bClamp) {
        pMini->ShowWindow(SW_SHOWNA);
        pMini->UpdateWindow();
    }
    if (pHosted != nullptr)
        FitToParent(pHosted);
    if (pSEC != nullptr)
        pSEC->OnPostFloat();
}

void ShowControlBar(CFrameWnd* pFrame, CControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bMDI) {
    if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    if (bMDI && (pBar->IsVisible() != FALSE) == (bShow != FALSE))
        return;
    CFrameWnd* pDockFrame = pBar->m_pDockSite != nullptr ? pBar->m_pDockSite : pFrame;
    const HWND hDockFrame = pDockFrame->m_hWnd;
    pDockFrame->CFrameWnd::ShowControlBar(pBar, bShow, bDelay);
    // Shown or hidden at once: laid out at once too, unless only a floating bar went away.
    if (!bDelay && ::IsWindow(hDockFrame) && (bShow || !pBar->IsFloating()))
        pDockFrame->RecalcLayout(FALSE);
}

std::vector<CControlBar*> FrameBars(CFrameWnd* pFrame) {
    std::vector<CControlBar*> bars;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
        bars.push_back(static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
    return bars;
}

void DestroyBars(CFrameWnd* pFrame) {
    std::vector<HWND> dockBars, others;
    for (CControlBar* pBar : FrameBars(pFrame))
        if (pBar->m_hWnd != NULL)
            (pBar->IsDockBar() ? dockBars : others).push_back(pBar->m_hWnd);
    for (HWND h : others)
        if (::IsWindow(h))
            ::DestroyWindow(h);
    for (HWND h : dockBars) {
        if (!::IsWindow(h))
            continue;
        auto* pDockBar = DYNAMIC_DOWNCAST(CDockBar, CWnd::FromHandlePermanent(h));
        HWND hParent = ::GetParent(h);
        if (pDockBar != nullptr && pDockBar->m_bFloating && hParent != pFrame->m_hWnd &&
            hParent != NULL)
            ::DestroyWindow(hParent);
        else
            ::DestroyWindow(h);
    }
}

} // namespace sec_docking

namespace sec_docking {

void AfterLayout(CFrameWnd* pFrame) {
    CRect rect;
    pFrame->GetClientRect(&rect);
    if (rect.IsRectEmpty()) {
        pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, CWnd::FromHandlePermanent(h)))
            for (auto& pSplitter : pDockBar->m_splitters)
                pDockBar->GetSplitterBounds(pSplitter.get());
}

void RefreshColors(CFrameWnd* pFrame) {
    SECDockAuxData::Get().UpdateSysColors();
    pFrame->Default();
    std::vector<HWND> bars;
    for (CControlBar* pBar : FrameBars(pFrame))
        if (pBar->m_hWnd != NULL && !pBar->IsDockBar())
            bars.push_back(pBar->m_hWnd);
    for (HWND h : bars)
        if (::IsWindow(h))
            ::SendMessageW(h, WM_SYSCOLORCHANGE, 0, 0);
}

} // namespace sec_docking
