// Window state shared by the framework's window code: the message being handled and the window
// being created (also by code that creates windows another way, such as MDI children). The library
// runs on one thread (the host's), so this is process-wide.
#pragma once

#include <windows.h>

#include "framework/core/guard.h"
#include "framework/win/wnd.h"

class CWnd;

class CFrameWnd;

struct AFX_WND_STATE {
    MSG lastSentMsg = {};            // innermost message in a window procedure
    CWnd* pWndInit = nullptr;        // object waiting for its window in CreateEx
    LPCWSTR lpszInitClass = nullptr; // class of that window (string or atom)
    // The frame a command is being routed through (a docking frame hands commands to a docked
    // or child frame and names it here meanwhile); NULL outside routing.
    CFrameWnd* pRoutingFrame = nullptr;
};

AFX_WND_STATE& AfxGetWndState();

// Names pFrame the routing frame for a scope and gives the previous one back after it.
class CPushRoutingFrame {
public:
    explicit CPushRoutingFrame(CFrameWnd* pFrame)
        : m_state(AfxGetWndState()), m_pOld(m_state.pRoutingFrame) {
        m_state.pRoutingFrame = pFrame;
    }
    ~CPushRoutingFrame() { m_state.pRoutingFrame = m_pOld; }
    CPushRoutingFrame(const CPushRoutingFrame&) = delete;
    CPushRoutingFrame& operator=(const CPushRoutingFrame&) = delete;

private:
    AFX_WND_STATE& m_state;
    CFrameWnd* m_pOld;
};

// Destroys every window still bound to an object of this module.
void AfxDestroyPermanentWindows();

// Destroys the tooltip control of the tooltip machinery.
void AfxToolTipTerm();

// Arms the creation hook for pWnd for the duration of one window creation (CreateWindowEx, or
// a WM_MDICREATE); creations nested in the new window's handlers get their own.
class CWndCreationScope {
public:
    CWndCreationScope(CWnd* pWnd, LPCWSTR lpszClass) : m_state(AfxGetWndState()) {
        m_pPrevWnd = m_state.pWndInit;
        m_pPrevClass = m_state.lpszInitClass;
        m_state.pWndInit = pWnd;
        m_state.lpszInitClass = lpszClass;
        m_hHook = ::SetWindowsHookExW(WH_CBT, &AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    }
    ~CWndCreationScope() {
        if (m_hHook != NULL)
            ::UnhookWindowsHookEx(m_hHook);
        m_state.pWndInit = m_pPrevWnd;
        m_state.lpszInitClass = m_pPrevClass;
    }
    bool Hooked() const { return m_hHook != NULL; }
    // True when the hook has bound the object.
    bool Bound() const { return m_state.pWndInit == nullptr; }

private:
    AFX_WND_STATE& m_state;
    CWnd* m_pPrevWnd;
    LPCWSTR m_pPrevClass;
    HHOOK m_hHook = NULL;

    CWndCreationScope(const CWndCreationScope&) = delete;
    CWndCreationScope& operator=(const CWndCreationScope&) = delete;
};
