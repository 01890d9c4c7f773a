// CWinThread: the message pump, idle processing and pre-translation.
#include "framework/win/winapp.h"

#include "framework/win/dc.h"
#include "framework/win/gdi.h"
#include "framework/win/imagelist.h"
#include "framework/win/menu.h"
#include "framework/win/wnd.h"

#include <vector>

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

namespace {
BOOL CALLBACK CollectTopLevel(HWND hWnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// One visible window and its descendants get their idle update.
void IdleUpdate(HWND hWnd) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || !::IsWindowVisible(hWnd))
        return;
    AfxCallWndProc(pWnd, hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    if (::IsWindow(hWnd))
        pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}
} // namespace

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        const HWND hWndMain = pMainWnd != NULL ? pMainWnd->m_hWnd : NULL;
        if (hWndMain != NULL)
            IdleUpdate(hWndMain);
        // Frames outside the main window's family (floating bars' frames) lay out and update
        // their bars too.
        std::vector<HWND> tops;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CollectTopLevel, (LPARAM)&tops);
        for (HWND h : tops) {
            if (h == hWndMain || !::IsWindow(h))
                continue;
            CWnd* pWnd = CWnd::FromHandlePermanent(h);
            if (pWnd != NULL && pWnd->IsFrameWnd())
                IdleUpdate(h);
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
