#include "windows/common/host_frames.h"

#include "shell/frame/mainframe.h"

IMPLEMENT_DYNCREATE(CWndFrm, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(CDocWndFrm, SECDockableFrame)

template <class Base> int CHostFrame<Base>::OnCreate(LPCREATESTRUCT lpcs) {
    // Placed where the host keeps the window being opened, before the base lays it out.
    if (CMainFrame* pMain = MainFrame())
        pMain->PlaceNewFrame(this);
    return Base::OnCreate(lpcs) == -1 ? -1 : 0;
}

template <class Base> BOOL CHostFrame<Base>::OnEraseBkgnd(CDC*) {
    return TRUE;
}

template <class Base> void CHostFrame<Base>::OnSize(UINT nType, int cx, int cy) {
    Base::OnSize(nType, cx, cy);
    if (HWND hContent = ContentWindow())
        ::MoveWindow(hContent, 0, 0, cx, cy, TRUE);
}

template <class Base> void CHostFrame<Base>::OnMove(int x, int y) {
    Base::OnMove(x, y);
    if (HWND hContent = ContentWindow())
        ::SendMessageW(hContent, WM_MOVE, 0,
                       MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

template <class Base> void CHostFrame<Base>::OnSetFocus(CWnd* pOldWnd) {
    Base::OnSetFocus(pOldWnd);
    if (HWND hContent = ContentWindow())
        ::SendMessageW(hContent, WM_SETFOCUS, reinterpret_cast<WPARAM>(pOldWnd->GetSafeHwnd()), 0);
}

// The content window decides whether the window closes (wParam 1: its frame asks).
template <class Base> void CHostFrame<Base>::OnClose() {
    if (HWND hContent = ContentWindow())
        ::SendMessageW(hContent, WM_CLOSE, 1, 0);
}

BEGIN_TEMPLATE_MESSAGE_MAP(CHostFrame, Base)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_SETFOCUS()
ON_WM_CLOSE()
END_MESSAGE_MAP()

template class CHostFrame<SECMDIChildWnd>;
template class CHostFrame<SECDockableFrame>;
