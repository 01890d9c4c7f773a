// A frame's bar records: taken from the bars and dock bars, and given back to them.
#include "framework/docview/barinfo.h"
#include "framework/docview/dockbar.h"
#include "framework/docview/dockcontext.h"
#include "framework/docview/frame.h"
#include "framework/docview/miniframe.h"

void CControlBar::GetBarInfo(CControlBarInfo* pInfo) {
    pInfo->m_pBar = this;
    pInfo->m_nBarID = (UINT)LOWORD(GetDlgCtrlID());
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = (UINT)m_nMRUWidth;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_bDockBar = FALSE;
    if (m_pDockBar != nullptr) {
        CRect rect;
        GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        pInfo->m_pointPos = rect.TopLeft();
        pInfo->m_bFloating = m_pDockBar->m_bFloating;
    }
    pInfo->m_bDocking = m_pDockContext != nullptr;
    if (m_pDockContext != nullptr) {
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd*) {
    m_nMRUWidth = (int)pInfo->m_nMRUWidth;
    if (pInfo->m_bDocking && m_pDockContext != nullptr) {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    nFlags |= pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    if (m_pDockBar == nullptr)
        nFlags |= SWP_NOMOVE;
    m_nStateFlags &= ~(delayHide | delayShow);
    SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, nFlags);
}

void CDockBar::GetBarInfo(CControlBarInfo* pInfo) {
    pInfo->m_pBar = this;
    pInfo->m_nBarID = (UINT)LOWORD(GetDlgCtrlID());
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = m_bFloating;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_bVisible = m_bFloating ? ::IsWindowVisible(::GetParent(m_hWnd)) : IsVisible();
    pInfo->m_pointPos = CPoint(-1, -1);
    if (m_bFloating) {
        CRect rect;
        ::GetWindowRect(::GetParent(m_hWnd), &rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    pInfo->m_arrBarID.RemoveAll();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        void* p = m_arrBars[i];
        if (p == nullptr)
            pInfo->m_arrBarID.Add(0);
        else if (IsPlaceholder(p))
            pInfo->m_arrBarID.Add((DWORD)(UINT_PTR)p | AFX_BARINFO_PLACEHOLDER);
        else
            pInfo->m_arrBarID.Add((DWORD)LOWORD(static_cast<CControlBar*>(p)->GetDlgCtrlID()));
    }
}

// A bar docked here that the list does not name stays, in rows of its own below the listed
// ones: the list may predate the bar (a layout saved before its toolbar existed) or come from a
// damaged record, and a shown bar that no dock bar holds is laid out by nobody. A dock bar whose
// record names the bar takes it from here when its own list is applied.
void CDockBar::KeepUnlistedBars(CPtrArray& arrNew) const {
    bool bRowOpen = false;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pOld = GetDockedControlBar((int)i);
        if (pOld == nullptr) {
            if (m_arrBars[i] == nullptr && bRowOpen) {
                arrNew.Add(nullptr);
                bRowOpen = false;
            }
            continue;
        }
        bool bListed = false;
        for (INT_PTR j = 0; j < arrNew.GetSize() && !bListed; ++j)
            bListed = arrNew[j] == pOld;
        if (bListed || pOld->m_pDockBar != this)
            continue;
        arrNew.Add(pOld);
        bRowOpen = true;
    }
    if (bRowOpen)
        arrNew.Add(nullptr);
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
    // Bars listed here come back; bars the frame lacks keep their place as placeholders.
    CPtrArray arrNew;
    arrNew.Add(nullptr);
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); ++i) {
        const DWORD dwID = pInfo->m_arrBarID[i];
        const UINT nID = LOWORD(dwID);
        if (nID == 0) {
            if (arrNew[arrNew.GetSize() - 1] != nullptr)
                arrNew.Add(nullptr);
            continue;
        }
        CControlBar* pBar = (dwID & AFX_BARINFO_PLACEHOLDER) || pFrameWnd == nullptr
                                ? nullptr
                                : pFrameWnd->GetControlBar(nID);
        bool bListed = false;
        for (INT_PTR j = 0; j < arrNew.GetSize(); ++j)
            bListed =
                bListed || (pBar != nullptr && arrNew[j] == pBar) || arrNew[j] == Placeholder(nID);
        if (bListed)
            continue; // one place for each bar
        if (pBar == nullptr || pBar->IsDockBar())
            arrNew.Add(Placeholder(nID));
        else
            arrNew.Add(pBar);
    }
    if (arrNew[arrNew.GetSize() - 1] != nullptr)
        arrNew.Add(nullptr);
    KeepUnlistedBars(arrNew);
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    for (INT_PTR j = 1; j < arrNew.GetSize(); ++j) {
        void* p = arrNew[j];
        m_arrBars.Add(p);
        if (p == nullptr || IsPlaceholder(p))
            continue;
        auto* pBar = static_cast<CControlBar*>(p);
        TakeBarStyle(pBar);
        CDockBar* pOld = pBar->m_pDockBar;
        if (::GetParent(pBar->m_hWnd) != m_hWnd)
            pBar->SetParent(this);
        pBar->m_pDockBar = this;
        if (pOld != nullptr && pOld != this)
            pOld->RemoveControlBar(pBar, -1, FALSE);
    }
    if (m_bFloating) {
        // The floating frame's caption is its dock bar's text: the bar's, as when it docks here.
        for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
            if (CControlBar* pBar = GetDockedControlBar((int)i)) {
                if (!(pBar->GetBarStyle() & CBRS_FLOAT_MULTI)) {
                    CString strText;
                    pBar->GetWindowText(strText);
                    SetWindowText(strText);
                }
                break;
            }
        CWnd* pFrame = GetParent();
        if (pFrame != nullptr)
            pFrame->SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CFrameWnd::GetDockState(CDockState& state) const {
    state.Clear();
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
        auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == NULL)
            continue;
        auto* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
    state.SetScreenSize(CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
}

void CFrameWnd::SetDockState(const CDockState& state) {
    // Floating dock bars get new frames; every other record names a bar of this frame.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        pInfo->m_pBar = nullptr;
        if (pInfo->m_bFloating && pInfo->m_bDockBar) {
            CMiniDockFrameWnd* pFrame =
                CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            if (pFrame != nullptr)
                pInfo->m_pBar = pFrame->GetDockBar();
        } else {
            pInfo->m_pBar = GetControlBar(pInfo->m_nBarID);
        }
    }
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (pInfo->m_pBar != nullptr)
            pInfo->m_pBar->SetBarInfo(pInfo, this);
    }
    // Floating frames take their bars' size and show when they hold a shown bar.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (!(pInfo->m_bFloating && pInfo->m_bDockBar) || pInfo->m_pBar == nullptr)
            continue;
        auto* pDockBar = static_cast<CDockBar*>(pInfo->m_pBar);
        CWnd* pFrame = pDockBar->GetParent();
        if (pDockBar->GetDockedCount() == 0) {
            pFrame->DestroyWindow();
            continue;
        }
        static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
        if (pDockBar->GetDockedVisibleCount() > 0 && (GetStyle() & WS_VISIBLE))
            pFrame->ShowWindow(SW_SHOWNA);
    }
    DelayRecalcLayout();
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName) {
    CDockState state;
    state.LoadState(lpszProfileName);
    SetDockState(state);
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const {
    CDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
}
