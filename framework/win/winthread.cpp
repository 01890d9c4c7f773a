// CWinThread: the message pump, idle processing and pre-translation.
#include "framework/win/winapp.h"

#include "framework/win/dc.h"
#include "framework/win/gdi.h"
#include "framework/win/imagelist.h"
#include "framework/win/menu.h"
#include "framework/win/wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread() {
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();
}

CWinThread::~CWinThread() {}

BOOL CWinThread::InitInstance() {
    return FALSE;
}

int CWinThread::ExitInstance() {
    return (int)m_msgCur.wParam;
}

CWnd* CWinThread::GetMainWnd() {
    return m_pMainWnd;
}

void AfxDeleteTempMaps() {
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    AfxDeleteTempMaps();
    return FALSE;
}

namespace {
bool ChainReaches(HWND hWnd, HWND hWndStop) {
    for (; hWnd != NULL; hWnd = ::GetParent(hWnd))
        if (hWnd == hWndStop)
            return true;
    return false;
}
} // namespace

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    CWnd* pMainWnd = GetMainWnd();
    HWND hWndStop = pMainWnd->GetSafeHwnd();
    if (CWnd::WalkPreTranslateTree(hWndStop, pMsg))
        return TRUE;
    // A message of a window outside the main window's family (a floating palette) still gets
    // the main window's accelerators.
    if (hWndStop != NULL && pMsg->hwnd != NULL && !ChainReaches(pMsg->hwnd, hWndStop))
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y &&
            pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118; // 0x0118: caret blink timer
}

BOOL CWinThread::PumpMessage() {
    BOOL taken = ::GetMessageW(&m_msgCur, NULL, 0, 0);
    if (taken == 0)
        return FALSE;
    // On an error nothing was taken: what lies in m_msgCur is no message to dispatch.
    if (taken == -1)
        return TRUE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

int CWinThread::Run() {
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG msg;
    for (;;) {
        while (bIdle && !::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE))
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE));
    }
}
