// CFrameWnd: its control bars, dock bars and floating frames, and the layout work it leaves for
// idle time.
#include "framework/docview/frame.h"

#include "framework/docview/dockbar.h"
#include "framework/docview/miniframe.h"

#include <vector>

const DWORD CFrameWnd::dwDockBarMap[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

namespace {
std::vector<CControlBar*> Snapshot(const CPtrList& list) {
    std::vector<CControlBar*> bars;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        bars.push_back(static_cast<CControlBar*>(list.GetNext(pos)));
    return bars;
}

// After a floating bar was shown or hidden its frame shows exactly while it holds a shown bar.
void UpdateFloatingFrame(CControlBar* pBar) {
    CDockBar* pDockBar = pBar->m_pDockBar;
    if (pDockBar == nullptr || !pDockBar->m_bFloating)
        return;
    CWnd* pFrame = pDockBar->GetParent();
    if (pFrame == nullptr || !pFrame->IsFrameWnd())
        return;
    if (pDockBar->GetDockedVisibleCount() > 0) {
        static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
        pFrame->ShowWindow(SW_SHOWNA);
    } else {
        pFrame->ShowWindow(SW_HIDE);
    }
}
} // namespace

void CFrameWnd::AddControlBar(CControlBar* pBar) {
    if (pBar != nullptr && m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
    if (POSITION pos = m_listControlBars.Find(pBar))
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
    if (nID == 0)
        return nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
        auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != NULL && (UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    for (const auto& entry : dwDockBarMap) {
        if (!(entry[1] & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(entry[0]) != nullptr)
            continue;
        CObject* pObject = m_pDockBarClass != nullptr ? m_pDockBarClass->CreateObject() : nullptr;
        CDockBar* pDockBar = DYNAMIC_DOWNCAST(CDockBar, pObject);
        if (pDockBar == nullptr) {
            delete pObject;
            continue;
        }
        pDockBar->m_bAutoDelete = TRUE;
        if (!pDockBar->Create(this,
                              WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | entry[1],
                              entry[0]))
            delete pDockBar;
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    CDockBar* pDockBar = nullptr;
    if (nDockBarID != 0) {
        CControlBar* pFound = GetControlBar(nDockBarID);
        if (pFound != nullptr && pFound->IsDockBar())
            pDockBar = static_cast<CDockBar*>(pFound);
    }
    if (pDockBar == nullptr && pBar != nullptr)
        for (const auto& entry : dwDockBarMap) {
            if (!(entry[1] & pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
                continue;
            CControlBar* pFound = GetControlBar(entry[0]);
            if (pFound != nullptr && pFound->IsDockBar()) {
                pDockBar = static_cast<CDockBar*>(pFound);
                break;
            }
        }
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
    if (pBar == nullptr || pDockBar == nullptr || pBar->m_hWnd == NULL)
        return;
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = this;
    pDockBar->DockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
    CObject* pObject =
        m_pFloatingFrameClass != nullptr ? m_pFloatingFrameClass->CreateObject() : nullptr;
    CMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pObject);
    if (pFrame == nullptr) {
        delete pObject;
        return nullptr;
    }
    if (!pFrame->Create(this, dwStyle))
        return nullptr; // a frame that failed has deleted itself
    return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar != nullptr && pOldDockBar->m_bFloating && pOldDockBar->GetDockedCount() == 1 &&
        (dwStyle & pOldDockBar->GetBarStyle() & CBRS_ALIGN_ANY)) {
        // Alone in a floating frame of the right orientation: only the frame moves.
        CWnd* pFrame = pOldDockBar->GetParent();
        pFrame->SetWindowPos(NULL, point.x, point.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        static_cast<CFrameWnd*>(pFrame)->RecalcLayout(TRUE);
        pFrame->UpdateWindow();
        return;
    }
    if (pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT) {
            dwStyle &= ~CBRS_ALIGN_ANY;
            dwStyle |= CBRS_ALIGN_TOP;
        }
    }
    CMiniDockFrameWnd* pFrame = CreateFloatingFrame(dwStyle);
    if (pFrame == nullptr)
        return;
    const HWND hWndFrame = pFrame->m_hWnd;
    pFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = this;
    pFrame->GetDockBar()->DockControlBar(pBar, NULL);
    if (!::IsWindow(hWndFrame))
        return;
    pFrame->RecalcLayout(TRUE);
    if (GetStyle() & WS_VISIBLE) {
        pFrame->ShowWindow(SW_SHOWNA);
        pFrame->UpdateWindow();
    }
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    if (bDelay) {
        pBar->DelayShow(bShow);
        DelayRecalcLayout();
        return;
    }
    pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
    const BOOL bWas = (pBar->GetStyle() & WS_VISIBLE) != 0;
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                           (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    if ((bWas != FALSE) != (bShow != FALSE) && pBar->m_pDockBar != nullptr)
        pBar->m_pDockBar->OnBarVisibilityChanged(pBar);
    UpdateFloatingFrame(pBar);
    DelayRecalcLayout();
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar) {
    for (const auto& entry : dwDockBarMap) {
        if (!(entry[1] & dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        CControlBar* pFound = GetControlBar(entry[0]);
        if (pFound == nullptr || !pFound->IsDockBar() || !(pFound->GetStyle() & WS_VISIBLE))
            continue;
        // An empty side still takes a drag that reaches it.
        const CRect rectBar = static_cast<CDockBar*>(pFound)->GetDropTargetRect();
        CRect overlap;
        if (overlap.IntersectRect(&rectBar, &rect)) {
            if (ppDockBar != nullptr)
                *ppDockBar = static_cast<CDockBar*>(pFound);
            return entry[1] & CBRS_ALIGN_ANY;
        }
    }
    return 0;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify) {
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

void CFrameWnd::RunIdleLayout() {
    for (CControlBar* pBar : Snapshot(m_listControlBars)) {
        if (m_listControlBars.Find(pBar) == NULL || pBar->m_hWnd == NULL)
            continue; // left during an earlier step
        if (!(pBar->m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow)))
            continue;
        if (pBar->ApplyDelayedShow()) {
            if (pBar->m_pDockBar != nullptr)
                pBar->m_pDockBar->OnBarVisibilityChanged(pBar);
            UpdateFloatingFrame(pBar);
            m_nIdleFlags |= idleLayout;
        }
    }
    if (m_nIdleFlags & idleLayout)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
}

void CFrameWnd::DetachControlBars() {
    for (CControlBar* pBar : Snapshot(m_listControlBars))
        if (pBar->m_pDockSite == this)
            pBar->m_pDockSite = nullptr;
    m_listControlBars.RemoveAll();
}

// The window server stacks a window that is shown or brought up above the windows it owns where
// no window manager keeps them above it: the bars floating in their own frames would lie unseen
// under the frame.
void CFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CWnd::OnWindowPosChanged(lpwndpos);
    if (m_hWnd == NULL || (GetStyle() & WS_CHILD) || !IsWindowVisible())
        return;
    if (!(lpwndpos->flags & SWP_SHOWWINDOW) && (lpwndpos->flags & SWP_NOZORDER))
        return;
    // A floating frame shown or moved in the order checks its owner's floating frames.
    CFrameWnd* pFrame = this;
    if (IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
        CWnd* pOwner = CWnd::FromHandlePermanent(::GetWindow(m_hWnd, GW_OWNER));
        pFrame =
            pOwner != nullptr && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : nullptr;
    }
    // The window server settles the order only once the show is through: the frames are
    // looked at when the queue has run dry.
    if (pFrame != nullptr)
        pFrame->m_nIdleFlags |= idleFloating;
}

void CFrameWnd::RaiseFloatingFrames() {
    // Raising a frame tells it, and so its owner, of its new place: once is enough.
    static bool s_bRaising = false;
    if (s_bRaising)
        return;
    struct Guard {
        Guard() { s_bRaising = true; }
        ~Guard() { s_bRaising = false; }
    } guard;
    std::vector<HWND> below; // from the top down
    for (HWND h = ::GetWindow(m_hWnd, GW_HWNDNEXT); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (::GetWindow(h, GW_OWNER) == m_hWnd && ::IsWindowVisible(h) && pWnd != nullptr &&
            pWnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
            below.push_back(h);
    }
    if (below.empty())
        return;
    // Each goes just under the window above the frame (top-most windows aside), the lowest
    // first, so that they keep their order among themselves.
    HWND hAbove = ::GetWindow(m_hWnd, GW_HWNDPREV);
    while (hAbove != NULL && (::GetWindowLongW(hAbove, GWL_EXSTYLE) & WS_EX_TOPMOST))
        hAbove = ::GetWindow(hAbove, GW_HWNDPREV);
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        ::SetWindowPos(*it, hAbove != NULL ? hAbove : HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}
