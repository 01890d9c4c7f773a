// The mini frame and the floating frame of docked bars.
#include "framework/docview/miniframe.h"

#include "framework/docview/dockbar.h"
#include "framework/docview/dockcontext.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
ON_WM_NCHITTEST()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_CLOSE()
ON_MESSAGE(WM_FLOATFRAMEEMPTY, OnFloatFrameEmpty)
END_MESSAGE_MAP()

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName,
                             DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT) {
    if (lpClassName == NULL)
        lpClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW),
                                          (HBRUSH)(COLOR_BTNFACE + 1));
    if (dwStyle & MFS_THICKFRAME)
        dwStyle |= WS_THICKFRAME;
    m_strTitle = lpWindowName != NULL ? lpWindowName : L"";
    if (!CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        pParentWnd->GetSafeHwnd(), NULL, NULL))
        return FALSE;
    // Made while its owner is active, it missed the activation notice that the owner sends
    // its floating windows: it starts out with the owner's active caption.
    if (GetStyle() & MFS_SYNCACTIVE) {
        const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        const HWND hActive = ::GetActiveWindow();
        m_bOwnerActive = hOwner != NULL && hActive != NULL &&
                         (hActive == hOwner || ::GetWindow(hActive, GW_OWNER) == hOwner);
        if (m_bOwnerActive)
            ::SendMessageW(m_hWnd, WM_NCACTIVATE, TRUE, 0);
    }
    return TRUE;
}

LRESULT CMiniFrameWnd::AdjustHitTest(DWORD dwStyle, LRESULT nHit) {
    if (nHit < HTSIZEFIRST || nHit > HTSIZELAST)
        return nHit;
    if (dwStyle & MFS_MOVEFRAME)
        return HTCAPTION;
    if (!(dwStyle & (WS_THICKFRAME | MFS_THICKFRAME | MFS_4THICKFRAME)))
        return HTBORDER;
    if ((dwStyle & MFS_4THICKFRAME) && !(dwStyle & MFS_THICKFRAME)) {
        if (nHit == HTTOPLEFT || nHit == HTBOTTOMLEFT)
            return HTLEFT;
        if (nHit == HTTOPRIGHT || nHit == HTBOTTOMRIGHT)
            return HTRIGHT;
    }
    return nHit;
}

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint) {
    return AdjustHitTest(GetStyle(), Default());
}

CDockBar* CMiniDockFrameWnd::NewDockBar() {
    return new CDockBar(TRUE);
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_4THICKFRAME |
                    MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (!(dwBarStyle & CBRS_SIZE_DYNAMIC))
        dwStyle |= MFS_MOVEFRAME;
    const HWND hWndParent = pParent->GetSafeHwnd();
    if (!CMiniFrameWnd::CreateEx(0, NULL, L"", dwStyle, CRect(0, 0, 10, 10), pParent))
        return FALSE; // the object has gone with its window
    CDockBar* pDockBar = NewDockBar();
    pDockBar->m_bAutoDelete = TRUE;
    const DWORD dwSide = (dwBarStyle & CBRS_ORIENT_VERT) && !(dwBarStyle & CBRS_ORIENT_HORZ)
                             ? CBRS_ALIGN_LEFT
                             : CBRS_ALIGN_TOP;
    // Made as a bar of the owner frame, so that it is in that frame's bar list, then moved in.
    CWnd* pOwner = CWnd::FromHandlePermanent(hWndParent);
    if (!pDockBar->Create(pOwner != nullptr ? pOwner : this,
                          WS_CHILD | WS_VISIBLE | dwSide | (dwBarStyle & CBRS_FLOAT_MULTI),
                          AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow();
        return FALSE;
    }
    pDockBar->SetParent(this);
    m_pWndDockBar = pDockBar;
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const {
    if (m_pWndDockBar == nullptr)
        return nullptr;
    for (INT_PTR i = 0; i < m_pWndDockBar->m_arrBars.GetSize(); ++i)
        if (CControlBar* pBar = m_pWndDockBar->GetDockedControlBar((int)i))
            return pBar;
    return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
    if (m_bInRecalcLayout)
        return;
    CFrameWnd::RecalcLayout(bNotify);
    if (m_pWndDockBar != nullptr && m_pWndDockBar->m_hWnd != NULL) {
        CString text, current;
        m_pWndDockBar->GetWindowText(text);
        GetWindowText(current);
        if (text != current)
            SetWindowText(text);
    }
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    CControlBar* pBar = GetFirstBar();
    const bool bMulti =
        m_pWndDockBar != nullptr && (m_pWndDockBar->GetBarStyle() & CBRS_FLOAT_MULTI);
    if (pBar != nullptr && pBar->m_pDockContext != nullptr) {
        if (nHitTest == HTCAPTION && !bMulti) {
            BringWindowToTop();
            pBar->m_pDockContext->StartDrag(point); // may destroy this frame: nothing after it
            return;
        }
        if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST) {
            BringWindowToTop();
            pBar->m_pDockContext->StartResize((int)nHitTest, point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
    CControlBar* pBar = GetFirstBar();
    if (nHitTest == HTCAPTION && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        BringWindowToTop();
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CMiniDockFrameWnd::OnClose() {
    // Closing a floating frame hides its bars; the frame goes when its dock bar is empty.
    if (m_pWndDockBar != nullptr)
        m_pWndDockBar->ShowAll(FALSE);
}

LRESULT CMiniDockFrameWnd::OnFloatFrameEmpty(WPARAM, LPARAM) {
    if (m_pWndDockBar == nullptr || m_pWndDockBar->GetDockedCount() == 0)
        DestroyWindow();
    return 0;
}
