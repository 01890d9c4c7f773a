// Window creation: a CBT hook binds the object to its window before the window's first
// message (WM_GETMINMAXINFO and WM_NCCREATE arrive inside CreateWindowEx).
#include "framework/win/wnd.h"

#include "framework/win/winapp.h"
#include "framework/win/wnd_state.h"

namespace {
bool IsAtom(LPCWSTR psz) {
    return IS_INTRESOURCE(psz);
}

// The class atom a name stands for, 0 when no such class is registered.
ATOM ClassAtom(HINSTANCE hInstance, LPCWSTR lpszClass) {
    if (IsAtom(lpszClass))
        return (ATOM)(UINT_PTR)lpszClass;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    return (ATOM)::GetClassInfoExW(hInstance, lpszClass, &wc);
}

// The hook sees every window the thread creates (an input-method window may come first):
// only the class asked for is taken. A name and an atom are told apart by the class atom,
// never taken for a match just because they differ in kind.
bool IsRequestedClass(HWND hWnd, const CREATESTRUCTW* pcs, LPCWSTR lpszRequested) {
    if (!IsAtom(pcs->lpszClass) && !IsAtom(lpszRequested))
        return lstrcmpiW(pcs->lpszClass, lpszRequested) == 0;
    const ATOM requested = ClassAtom(pcs->hInstance, lpszRequested);
    return requested != 0 && (ATOM)::GetClassLongW(hWnd, GCW_ATOM) == requested;
}

} // namespace

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    AfxGuardWndProc(L"creation hook", 0, [&] {
        AFX_WND_STATE& state = AfxGetWndState();
        if (code == HCBT_CREATEWND && state.pWndInit != nullptr) {
            const CBT_CREATEWNDW* pCbt = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
            if (IsRequestedClass((HWND)wParam, pCbt->lpcs, state.lpszInitClass)) {
                CWnd* pWnd = state.pWndInit;
                state.pWndInit = nullptr;
                pWnd->BindCreatedWindow((HWND)wParam);
            }
        }
        return 0;
    });
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

void CWnd::BindCreatedWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return;
    WNDPROC old = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (old != &AfxWndProc)
        m_pfnSuper = old;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    if (m_hWnd != NULL)
        return FALSE; // one object, one window
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    HWND hWnd = NULL;
    bool bBound = false;
    {
        CWndCreationScope scope(this, cs.lpszClass);
        if (scope.Hooked()) {
            hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                     cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                     cs.lpCreateParams);
            bBound = scope.Bound();
        }
    }
    if (hWnd == NULL) {
        // A bound object saw WM_NCDESTROY (and may be gone); an unbound one still owns
        // itself and gets its last call here.
        if (!bBound)
            PostNcDestroy();
        return FALSE;
    }
    // The hook missed the window (should not happen): bind it late rather than not at all.
    if (!bBound)
        return SubclassWindow(hWnd);
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

// A child window (the parent is required).
BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    if (pParentWnd->GetSafeHwnd() == NULL)
        return FALSE;
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    (LPVOID)pContext);
}
