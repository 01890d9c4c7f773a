// CDockBar: the bar array and its upkeep; the layout of rows belongs to the docking library.
#include "framework/docview/dockbar.h"

#include "framework/docview/barinfo.h"
#include "framework/docview/frame.h"
#include "framework/docview/miniframe.h"

IMPLEMENT_DYNCREATE(CDockBar, CControlBar)

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(nullptr);
}

CDockBar::~CDockBar() {
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* pBar = GetDockedControlBar((int)i))
            if (pBar->m_pDockBar == this)
                pBar->m_pDockBar = nullptr;
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CDockBar::PostNcDestroy() {
    // The bars left behind are gone with their windows; their links must not point here.
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* pBar = GetDockedControlBar((int)i))
            if (pBar->m_pDockBar == this)
                pBar->m_pDockBar = nullptr;
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    m_arrInvalidBars.RemoveAll();
    CControlBar::PostNcDestroy();
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    if (m_bFloating)
        m_dwStyle |= CBRS_FLOATING;
    const DWORD dwWindow = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    return CWnd::Create(AfxControlBarClassName(), NULL, dwWindow, CRect(0, 0, 0, 0), pParentWnd,
                        nID);
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
    if (nPos < 0 || nPos >= m_arrBars.GetSize())
        return nullptr;
    void* p = m_arrBars[nPos];
    return IsPlaceholder(p) ? nullptr : static_cast<CControlBar*>(p);
}

int CDockBar::GetDockedCount() const {
    int n = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        n += GetDockedControlBar((int)i) != nullptr;
    return n;
}

CRect CDockBar::GetDropTargetRect() const {
    CRect rect;
    GetWindowRect(&rect);
    const int cxReach = ::GetSystemMetrics(SM_CXFRAME);
    if ((m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) && rect.Width() <= 2 * cxReach) {
        const int x = rect.left;
        rect.left = x - cxReach;
        rect.right = x + cxReach + 1;
    }
    if (rect.Width() == 0)
        rect.right++;
    if (rect.Height() == 0)
        rect.bottom++;
    return rect;
}

int CDockBar::GetDockedVisibleCount() const {
    int n = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* pBar = GetDockedControlBar((int)i))
            n += pBar->IsVisible() ? 1 : 0;
    return n;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const {
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if ((int)i != nPosExclude && m_arrBars[i] == pBar && pBar != nullptr)
            return (int)i;
    return -1;
}

int CDockBar::FindPlaceholder(UINT nID, int nPosExclude) const {
    void* p = Placeholder(nID);
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if ((int)i != nPosExclude && m_arrBars[i] == p && p != nullptr)
            return (int)i;
    return -1;
}

void CDockBar::ShowAll(BOOL bShow) {
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* pBar = GetDockedControlBar((int)i)) {
            CFrameWnd* pFrame = pBar->GetDockingFrame();
            if (pFrame != nullptr)
                pFrame->ShowControlBar(pBar, bShow, FALSE);
        }
}

void CDockBar::TakeBarStyle(CControlBar* pBar) const {
    DWORD dwStyle = pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    else
        dwStyle &= ~CBRS_FLOAT_MULTI;
    pBar->SetBarStyle(dwStyle);
}

void CDockBar::AdoptBar(CControlBar* pBar, int nNewPos) {
    CDockBar* pOld = pBar->m_pDockBar;
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);
    pBar->m_pDockBar = this;
    if (pOld != nullptr && pOld != this)
        pOld->RemoveControlBar(pBar, -1, FALSE); // may destroy pOld's mini frame: last use of pOld
    else if (pOld == this) {
        // Moved within this dock bar: the old entry goes, the bar stays docked here.
        RemoveControlBar(pBar, nNewPos, FALSE);
        pBar->m_pDockBar = this;
    }
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT) {
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    TakeBarStyle(pBar);
    if (FindBar(pBar) < 0) {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
    }
    const int nPos = (int)m_arrBars.GetSize() - 2;
    CRect rect;
    pBar->GetWindowRect(&rect);
    pBar->SetWindowPos(NULL, -rect.Width(), -rect.Height(), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    CFrameWnd* pFrame = GetDockingFrame();
    AdoptBar(pBar, nPos);
    if (pFrame != nullptr)
        pFrame->DelayRecalcLayout();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int bAddPlaceholder) {
    RemoveInvalidBar(pBar);
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos < 0)
        return FALSE;
    if (bAddPlaceholder) {
        m_arrBars[nPos] = Placeholder((UINT)pBar->GetDlgCtrlID());
        // One placeholder a bar: an older one would send it back to two places.
        const int nOld = FindPlaceholder((UINT)pBar->GetDlgCtrlID(), nPos);
        if (nOld >= 0)
            m_arrBars.RemoveAt(nOld);
    } else {
        m_arrBars.RemoveAt(nPos);
        // A row that lost its last entry goes: two breaks in a row become one.
        const int nBreak = nPos;
        if (nBreak > 0 && nBreak < m_arrBars.GetSize() && m_arrBars[nBreak - 1] == nullptr &&
            m_arrBars[nBreak] == nullptr)
            m_arrBars.RemoveAt(nBreak);
    }
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
    if (m_bFloating && GetDockedVisibleCount() == 0)
        DestroyEmptyFloatingFrame(); // last: this dock bar may go with its frame
    return TRUE;
}

// The frame is hidden now and, when it holds no bar at all, destroyed once the call chain that
// emptied it (which may run inside the frame, or inside a bar being destroyed) has returned.
void CDockBar::DestroyEmptyFloatingFrame() {
    CWnd* pFrame = GetParent();
    if (pFrame == nullptr || !pFrame->IsFrameWnd())
        return;
    pFrame->ShowWindow(SW_HIDE);
    if (GetDockedCount() == 0)
        pFrame->PostMessage(WM_FLOATFRAMEEMPTY);
}

void CDockBar::RemovePlaceholder(UINT nID) {
    const int nPos = FindPlaceholder(nID);
    if (nPos < 0)
        return;
    m_arrBars.RemoveAt(nPos);
    if (nPos > 0 && nPos < m_arrBars.GetSize() && m_arrBars[nPos - 1] == nullptr &&
        m_arrBars[nPos] == nullptr)
        m_arrBars.RemoveAt(nPos);
}

void CDockBar::OnBarVisibilityChanged(CControlBar* pBar) {
    AddInvalidBar(pBar);
}

void CDockBar::AddInvalidBar(CControlBar* pBar) {
    if (pBar == nullptr)
        return;
    for (INT_PTR i = 0; i < m_arrInvalidBars.GetSize(); ++i)
        if (m_arrInvalidBars[i] == pBar)
            return;
    m_arrInvalidBars.Add(pBar);
}

void CDockBar::RemoveInvalidBar(CControlBar* pBar) {
    for (INT_PTR i = m_arrInvalidBars.GetSize() - 1; i >= 0; --i)
        if (m_arrInvalidBars[i] == pBar)
            m_arrInvalidBars.RemoveAt(i);
}

// The plain dock bar only stacks its rows; frames that dock put the docking library's bar here.
CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size(0, 0);
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar == nullptr || !pBar->IsVisible())
            continue;
        const CSize bar = pBar->CalcFixedLayout(FALSE, bHorz);
        if (bHorz) {
            size.cy += bar.cy;
            size.cx = size.cx > bar.cx ? size.cx : bar.cx;
        } else {
            size.cx += bar.cx;
            size.cy = size.cy > bar.cy ? size.cy : bar.cy;
        }
    }
    if (bStretch) {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}
