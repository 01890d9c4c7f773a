// What docking needs to know of a frame's dock bars and bars.
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

CDockBar* DockBarOf(CFrameWnd* pFrame, UINT nID) {
    CControlBar* pFound = pFrame->GetControlBar(nID);
    return pFound != nullptr && pFound->IsDockBar() ? static_cast<CDockBar*>(pFound) : nullptr;
}

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

std::vector<CControlBar*> FrameBars(CFrameWnd* pFrame) {
    std::vector<CControlBar*> bars;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
        bars.push_back(static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
    return bars;
}

} // namespace sec_docking
