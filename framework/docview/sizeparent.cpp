// Moving one child during a size-parent pass.
#include "framework/docview/sizeparent.h"

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
    if (hWnd == NULL || lpRect == NULL)
        return;
    HWND hWndParent = ::GetParent(hWnd);
    RECT current;
    if (!::GetWindowRect(hWnd, &current))
        return; // not a window (any more)
    ::MapWindowPoints(NULL, hWndParent, reinterpret_cast<LPPOINT>(&current), 2);
    if (::EqualRect(&current, lpRect))
        return; // moving a window to where it is only flickers
    const int cx = lpRect->right - lpRect->left;
    const int cy = lpRect->bottom - lpRect->top;
    const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
    if (lpLayout != NULL && lpLayout->hDWP == NULL && !lpLayout->bBatchLost)
        return; // a query
    if (lpLayout != NULL && lpLayout->hDWP != NULL) {
        lpLayout->hDWP =
            ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top, cx, cy, flags);
        if (lpLayout->hDWP != NULL)
            return;
        lpLayout->bBatchLost = TRUE; // the rest of the pass moves windows one by one
    }
    ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, cx, cy, flags);
}
