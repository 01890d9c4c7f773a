// The hold timer's window. Its tick may end in an action that destroys the owner, the control
// and this window: the tick hands over to the control as its very last step, and a window told
// to go while its tick runs goes by a message posted to itself.
#include "docking/msgfilter_control.h"

namespace {
// Private to the timer's own window class.
const UINT WM_TIMER_DESTROY_LATER = WM_USER + 0x105;
} // namespace

IMPLEMENT_DYNAMIC(SECCaptionControlMsgFilterTimer, CWnd)

BEGIN_MESSAGE_MAP(SECCaptionControlMsgFilterTimer, CWnd)
ON_WM_CREATE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_MESSAGE(WM_TIMER_DESTROY_LATER, OnDestroyLater)
END_MESSAGE_MAP()

SECCaptionControlMsgFilterTimer::SECCaptionControlMsgFilterTimer(
    SECCaptionControlMsgFilter* pControl, UINT nDelay, int x, int y)
    : m_pControl(pControl), m_nDelay(nDelay), m_x(x), m_y(y) {}

SECCaptionControlMsgFilterTimer::~SECCaptionControlMsgFilterTimer() {
    // Deleted while its window stands (by the control, outside a tick): the window goes first.
    if (m_hWnd != NULL) {
        m_bReleased = FALSE;
        DestroyWindow();
    }
}

BOOL SECCaptionControlMsgFilterTimer::Create(CWnd* pOwner) {
    if (pOwner == NULL || pOwner->GetSafeHwnd() == NULL || m_nDelay == 0)
        return FALSE;
    return CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD, CRect(0, 0, 0, 0), pOwner, 0);
}

void SECCaptionControlMsgFilterTimer::Release() {
    m_pControl = NULL;
    m_bReleased = TRUE;
    if (m_hWnd == NULL) {
        // The window went with its parent. Inside the tick this is still safe: the tick does
        // nothing after handing over to the control.
        delete this;
        return;
    }
    if (m_bInTick) {
        // If the post fails, the window goes with its parent and takes the object along.
        ::PostMessageW(m_hWnd, WM_TIMER_DESTROY_LATER, 0, 0);
        return;
    }
    DestroyWindow(); // PostNcDestroy deletes the object
}

void SECCaptionControlMsgFilterTimer::PostNcDestroy() {
    if (m_bReleased)
        delete this;
}

int SECCaptionControlMsgFilterTimer::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (SetTimer(timerID, m_nDelay) == 0)
        return -1;
    m_bRunning = TRUE;
    return 0;
}

void SECCaptionControlMsgFilterTimer::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != timerID) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    KillTimer(timerID);
    m_bRunning = FALSE;
    if (m_bFired)
        return;
    m_bFired = TRUE;
    SECCaptionControlMsgFilter* pControl = m_pControl;
    if (pControl == NULL || !pControl->IsTracking())
        return;
    const int x = m_x;
    const int y = m_y;
    m_bInTick = TRUE;
    // Last: the hold action may destroy the owner, the control and this object.
    pControl->OnHold(x, y);
}

void SECCaptionControlMsgFilterTimer::OnDestroy() {
    if (m_bRunning)
        KillTimer(timerID);
    m_bRunning = FALSE;
    CWnd::OnDestroy();
}

LRESULT SECCaptionControlMsgFilterTimer::OnDestroyLater(WPARAM, LPARAM) {
    DestroyWindow(); // PostNcDestroy deletes the object
    return 0;
}
