#include "shell/frame/dock_beside.h"

#include <algorithm>
#include <vector>

#include "framework/docview/dockbar.h"

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

int RowWithRoom(CControlBar* pBar) {
    CDockBar* pDock = pBar != nullptr ? pBar->m_pDockBar : nullptr;
    if (pDock == nullptr || pDock->GetSafeHwnd() == NULL || pBar->IsFloating() ||
        !(pBar->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)))
        return -1;
    // The rows as the dock bar counts them: each NULL after the leading one starts a row.
    std::vector<std::vector<CControlBar*>> rows(1);
    for (INT_PTR i = 1; i < pDock->m_arrBars.GetSize(); ++i) {
        void* pEntry = pDock->m_arrBars[i];
        if (pEntry == nullptr)
            rows.emplace_back();
        else if (!CDockBar::IsPlaceholder(pEntry))
            rows.back().push_back(static_cast<CControlBar*>(pEntry));
    }
    auto contains = [pBar](const std::vector<CControlBar*>& row) {
        return std::find(row.begin(), row.end(), pBar) != row.end();
    };
    const auto mine = std::find_if(rows.begin(), rows.end(), contains);
    if (mine == rows.end())
        return -1;
    for (CControlBar* pOther : *mine)
        if (pOther != pBar && pOther->IsVisible())
            return -1;
    CRect dock;
    pDock->GetWindowRect(&dock);
    const int need = pBar->CalcFixedLayout(FALSE, TRUE).cx;
    for (auto row = rows.begin(); row != rows.end(); ++row) {
        if (row == mine)
            continue;
        int end = dock.left;
        for (CControlBar* pOther : *row)
            if (pOther->IsVisible()) {
                CRect rect;
                pOther->GetWindowRect(&rect);
                end = std::max<int>(end, rect.right);
            }
        if (end + need <= dock.right)
            return static_cast<int>(row - rows.begin());
    }
    return -1;
}
