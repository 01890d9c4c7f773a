#include "shell/frame/dock_beside.h"

void DockControlBarLeftOf(CFrameWnd* pFrame, CControlBar* pBar, CControlBar* pNeighbour) {
    if (pFrame == nullptr || pBar == nullptr || pNeighbour == nullptr || pBar == pNeighbour ||
        pFrame->GetSafeHwnd() == NULL || pBar->GetSafeHwnd() == NULL ||
        pNeighbour->GetSafeHwnd() == NULL || pNeighbour->IsFloating())
        return;
    // The docking frame's own layout: the neighbour's rectangle must be the one it shows.
    pFrame->RecalcLayout();
    const DWORD dwStyle = pNeighbour->GetBarStyle();
    UINT nDockBarID = 0;
    if (dwStyle & CBRS_ALIGN_TOP)
        nDockBarID = AFX_IDW_DOCKBAR_TOP;
    else if (dwStyle & CBRS_ALIGN_BOTTOM)
        nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
    else if (dwStyle & CBRS_ALIGN_LEFT)
        nDockBarID = AFX_IDW_DOCKBAR_LEFT;
    else if (dwStyle & CBRS_ALIGN_RIGHT)
        nDockBarID = AFX_IDW_DOCKBAR_RIGHT;
    // The dock bar takes a bar into the row under the rectangle's centre, before the first bar
    // whose centre lies past the rectangle's leading edge: the neighbour's rectangle moved on by
    // its own extent along the row (and one pixel) places the bar right after the neighbour.
    CRect rect;
    pNeighbour->GetWindowRect(&rect);
    const bool bVertical =
        nDockBarID == AFX_IDW_DOCKBAR_LEFT || nDockBarID == AFX_IDW_DOCKBAR_RIGHT;
    if (bVertical)
        rect.OffsetRect(0, rect.Height() + 1);
    else
        rect.OffsetRect(rect.Width() + 1, 0);
    pFrame->DockControlBar(pBar, nDockBarID, &rect);
}
