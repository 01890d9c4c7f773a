// CControlBar: the bar's part of the frame's layout, its commands and its show state.
#include "framework/docview/controlbar.h"

#include "framework/docview/dockbar.h"
#include "framework/docview/dockcontext.h"
#include "framework/docview/frame.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

LPCTSTR AfxControlBarClassName() {
    return AfxRegisterNamedWndClass(L"AfxControlBar42su", CS_DBLCLKS,
                                    ::LoadCursorW(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
}

CControlBar::CControlBar() {}

CControlBar::~CControlBar() {
    if (m_hWnd != NULL)
        DestroyWindow();
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    CDockContext* pContext = m_pDockContext;
    m_pDockContext = nullptr;
    if (pContext != nullptr)
        pContext->ReleaseBar(); // deletes it, or lets a running drag loop do so when it ends
    if (m_pDockBar != nullptr)
        m_pDockBar->RemoveControlBar(this, -1, FALSE);
    FreeElements();
}

void CControlBar::FreeElements() {
    std::free(m_pData);
    m_pData = nullptr;
    m_nCount = 0;
}

BOOL CControlBar::AllocElements(int nElements, int cbElement) {
    if (nElements < 0 || cbElement <= 0)
        return FALSE;
    void* pData = nElements > 0 ? std::calloc((size_t)nElements, (size_t)cbElement) : nullptr;
    if (nElements > 0 && pData == nullptr)
        return FALSE;
    FreeElements();
    m_pData = pData;
    m_nCount = nElements;
    return TRUE;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
    const DWORD dwOld = m_dwStyle;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (dwOld != m_dwStyle)
        OnBarStyleChange(dwOld, m_dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

BOOL CControlBar::IsFloating() const {
    return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const {
    if (m_nStateFlags & delayHide)
        return FALSE;
    if (m_nStateFlags & delayShow)
        return TRUE;
    return m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0;
}

CFrameWnd* CControlBar::GetDockingFrame() const {
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame;
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    if (m_pDockContext == nullptr)
        m_pDockContext = new CDockContext(this);
    if (m_hWndOwner == NULL)
        m_hWndOwner = ::GetParent(m_hWnd);
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size;
    size.cx = (bStretch && bHorz ? 32767 : 0);
    size.cy = (bStretch && !bHorz ? 32767 : 0);
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    size.cx -= rect.Width() < 0 ? rect.Width() : 0;
    size.cy -= rect.Height() < 0 ? rect.Height() : 0;
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode) {
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
    const DWORD dwStyle = m_dwStyle;
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += 2;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += 2;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= 2;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= 2;
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CControlBar::DoPaint(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
    if (!(m_dwStyle & CBRS_BORDER_ANY))
        return;
    DrawBorderLines(pDC, rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT), 2,
                    2);
}

void CControlBar::DrawBorderLines(CDC* pDC, CRect& rect, COLORREF clrOuter, COLORREF clrInner,
                                  int cx, int cy) const {
    const DWORD dw = m_dwStyle;
    if (dw & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrOuter);
    if (dw & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrOuter);
    if (dw & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrOuter);
    if (dw & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrOuter);
    if (dw & CBRS_BORDER_3D) {
        if (dw & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), clrInner);
        if (dw & CBRS_BORDER_TOP)
            pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, clrInner);
    }
    if (dw & CBRS_BORDER_LEFT)
        rect.left += cx;
    if (dw & CBRS_BORDER_TOP)
        rect.top += cy;
    if (dw & CBRS_BORDER_RIGHT)
        rect.right -= cx;
    if (dw & CBRS_BORDER_BOTTOM)
        rect.bottom -= cy;
}

void CControlBar::DelayShow(BOOL bShow) {
    m_nStateFlags &= ~(delayHide | delayShow);
    const BOOL bShown = m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bShown)
        m_nStateFlags |= delayShow;
    else if (!bShow && bShown)
        m_nStateFlags |= delayHide;
}

BOOL CControlBar::ApplyDelayedShow() {
    const UINT nFlags = m_nStateFlags & (delayHide | delayShow);
    m_nStateFlags &= ~(delayHide | delayShow);
    if (nFlags == 0 || m_hWnd == NULL)
        return FALSE;
    SetWindowPos(NULL, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     ((nFlags & delayShow) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return TRUE;
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxControlBarClassName();
    // The bar bits are the bar's, not the window's (bit 22 would be a dialog frame).
    cs.style &= ~CBRS_ALL;
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg) {
    return CWnd::PreTranslateMessage(pMsg); // which shows the tips
}

// Commands of the bar's controls go to the owner when the bar itself has no handler.
BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr || pOwner->m_hWnd == m_hWnd)
        return FALSE;
    pOwner->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr || pOwner->m_hWnd == m_hWnd)
        return FALSE;
    *pResult = pOwner->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}

void CControlBar::RegisterWithFrame() {
    if (m_pDockSite != nullptr)
        return;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent != nullptr && pParent->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    RegisterWithFrame();
    return 0;
}

// A bar without a window leaves its dock bar and its frame's list at once: layouts and lookups
// never meet a dead bar, and a frame that goes first leaves no pointer behind.
void CControlBar::OnDestroy() {
    m_nStateFlags &= ~(delayHide | delayShow);
    if (m_pDockBar != nullptr && !IsDockBar())
        m_pDockBar->RemoveControlBar(this, -1, FALSE);
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite->DelayRecalcLayout();
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy() {
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::OnPaint() {
    PAINTSTRUCT ps;
    CDC* pDC = BeginPaint(&ps);
    if (pDC != nullptr)
        DoPaint(pDC);
    EndPaint(&ps);
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint pt) {
    if (m_pDockContext != nullptr && m_pDockBar != nullptr) {
        ClientToScreen(&pt);
        m_pDockContext->StartDrag(pt); // may destroy this bar: nothing after it
        return;
    }
    CWnd::OnLButtonDown(nFlags, pt);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint pt) {
    if (m_pDockContext != nullptr && m_pDockBar != nullptr) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, pt);
}

HBRUSH CControlBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (nCtlColor == CTLCOLOR_STATIC || nCtlColor == CTLCOLOR_BTN || nCtlColor == CTLCOLOR_DLG) {
        pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

// A bar outside a dock bar takes its strip off the free space on its own side.
LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (lpLayout == nullptr)
        return 0;
    const DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
    if (!(GetStyle() & WS_VISIBLE) || dwAlign == 0)
        return 0;
    CRect rect(lpLayout->rect);
    const CSize avail = rect.Size();
    const BOOL bHorz = (dwAlign & CBRS_ORIENT_HORZ) != 0;
    CSize size;
    if (m_dwStyle & CBRS_SIZE_DYNAMIC)
        size = CalcDynamicLayout(bHorz ? avail.cx : avail.cy,
                                 (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK) |
                                     (lpLayout->bStretch ? LM_STRETCH : 0));
    else
        size = CalcFixedLayout(lpLayout->bStretch, bHorz);
    size.cx = size.cx < avail.cx ? size.cx : avail.cx;
    size.cy = size.cy < avail.cy ? size.cy : avail.cy;
    if (size.cx < 0)
        size.cx = 0;
    if (size.cy < 0)
        size.cy = 0;
    if (bHorz) {
        lpLayout->sizeTotal.cy += size.cy;
        if (lpLayout->sizeTotal.cx < size.cx)
            lpLayout->sizeTotal.cx = size.cx;
        if (dwAlign & CBRS_ALIGN_TOP) {
            lpLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        if (lpLayout->sizeTotal.cy < size.cy)
            lpLayout->sizeTotal.cy = size.cy;
        if (dwAlign & CBRS_ALIGN_LEFT) {
            lpLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

// Idle time: the bar's items follow the handlers of its owner.
LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = nullptr;
    if (pOwner != nullptr && pOwner->IsFrameWnd())
        pTarget = static_cast<CFrameWnd*>(pOwner);
    else if (pOwner != nullptr)
        pTarget = pOwner->GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}
