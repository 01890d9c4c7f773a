#include "windows/common/host_frames.h"

#include "shell/frame/mainframe.h"

IMPLEMENT_DYNCREATE(CWndFrm, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(CDocWndFrm, SECDockableFrame)

namespace {
void SizeContent(HWND hContent, int cx, int cy) {
    if (hContent != NULL)
        ::MoveWindow(hContent, 0, 0, cx, cy, TRUE);
}

void MoveContent(HWND hContent, int x, int y) {
    if (hContent != NULL)
        ::SendMessageW(hContent, WM_MOVE, 0,
                       MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

void FocusContent(HWND hContent, CWnd* pOldWnd) {
    if (hContent != NULL)
        ::SendMessageW(hContent, WM_SETFOCUS, reinterpret_cast<WPARAM>(pOldWnd->GetSafeHwnd()), 0);
}

// The content window decides whether the window closes (wParam 1: its frame asks).
void AskContentToClose(HWND hContent) {
    if (hContent != NULL)
        ::SendMessageW(hContent, WM_CLOSE, 1, 0);
}

void PlaceByPendingRecord(CWnd* pFrame) {
    if (CMainFrame* pMain = MainFrame())
        pMain->PlaceNewFrame(pFrame);
}
} // namespace

BEGIN_MESSAGE_MAP(CWndFrm, SECMDIChildWnd)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_SETFOCUS()
ON_WM_CLOSE()
END_MESSAGE_MAP()

int CWndFrm::OnCreate(LPCREATESTRUCT lpcs) {
    PlaceByPendingRecord(this);
    return SECMDIChildWnd::OnCreate(lpcs) == -1 ? -1 : 0;
}

BOOL CWndFrm::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CWndFrm::OnSize(UINT nType, int cx, int cy) {
    SECMDIChildWnd::OnSize(nType, cx, cy);
    SizeContent(ContentWindow(), cx, cy);
}

void CWndFrm::OnMove(int x, int y) {
    SECMDIChildWnd::OnMove(x, y);
    MoveContent(ContentWindow(), x, y);
}

void CWndFrm::OnSetFocus(CWnd* pOldWnd) {
    SECMDIChildWnd::OnSetFocus(pOldWnd);
    FocusContent(ContentWindow(), pOldWnd);
}

void CWndFrm::OnClose() {
    AskContentToClose(ContentWindow());
}

BEGIN_MESSAGE_MAP(CDocWndFrm, SECDockableFrame)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_SETFOCUS()
ON_WM_CLOSE()
END_MESSAGE_MAP()

int CDocWndFrm::OnCreate(LPCREATESTRUCT lpcs) {
    PlaceByPendingRecord(this);
    return SECDockableFrame::OnCreate(lpcs) == -1 ? -1 : 0;
}

BOOL CDocWndFrm::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CDocWndFrm::OnSize(UINT nType, int cx, int cy) {
    SECDockableFrame::OnSize(nType, cx, cy);
    SizeContent(ContentWindow(), cx, cy);
}

void CDocWndFrm::OnMove(int x, int y) {
    SECDockableFrame::OnMove(x, y);
    MoveContent(ContentWindow(), x, y);
}

void CDocWndFrm::OnSetFocus(CWnd* pOldWnd) {
    SECDockableFrame::OnSetFocus(pOldWnd);
    FocusContent(ContentWindow(), pOldWnd);
}

void CDocWndFrm::OnClose() {
    AskContentToClose(ContentWindow());
}

void CDocWndFrm::Close() {
    SECDockableFrame::OnClose();
}
