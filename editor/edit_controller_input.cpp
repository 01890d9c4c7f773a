// The messages the controller takes from its window, dispatched to its handlers, and the two
// that are not the mouse's: the auto-scroll timer of a drag selection and the input method's
// composition window.
#include "editor/display_info.h"
#include "editor/edit_controller.h"
#include "editor/edit_viewport.h"

#include <windowsx.h>

#include <imm.h>

namespace {
// Client points are signed: a drag above or left of the window gives negative ones.
CPoint PointOf(LPARAM lParam) {
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}
} // namespace

BOOL SECEditController::OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT* pResult) {
    switch (message) {
    case WM_CHAR:
        OnChar(UINT(wParam));
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(UINT(wParam), PointOf(lParam));
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(UINT(wParam), PointOf(lParam));
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(UINT(wParam), PointOf(lParam));
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(UINT(wParam), PointOf(lParam));
        break;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        break;
    case WM_TIMER:
        if (!OnAutoScrollTimer(UINT_PTR(wParam)))
            return FALSE;
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(PointOf(lParam));
        break;
    case WM_SETCURSOR:
        if (!OnSetCursor(LOWORD(lParam)))
            return FALSE;
        if (pResult)
            *pResult = TRUE;
        return TRUE;
    case WM_IME_STARTCOMPOSITION:
        OnImeStartComposition();
        return FALSE; // the default procedure opens the composition window
    case WM_IME_ENDCOMPOSITION:
        if (m_hWnd != NULL && ::GetFocus() == m_hWnd)
            CreateCaret(TRUE);
        return FALSE;
    default:
        return FALSE;
    }
    if (pResult)
        *pResult = 0;
    return TRUE;
}

BOOL SECEditController::OnAutoScrollTimer(UINT_PTR id) {
    if (id != m_timer || m_timer == 0)
        return FALSE;
    POINT cursor;
    if (::GetCursorPos(&cursor) && ::ScreenToClient(m_hWnd, &cursor))
        ::PostMessageW(m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
    return TRUE;
}

void SECEditController::OnImeStartComposition() {
    DestroyCaret();
    ScrollToCaret();
    HIMC context = ::ImmGetContext(m_hWnd);
    if (context == NULL)
        return;
    COMPOSITIONFORM form = {};
    form.dwStyle = CFS_POINT;
    CPoint at = m_caretPoint;
    if (m_editViewport)
        m_editViewport->LPtoDP(&at, 1);
    form.ptCurrentPos = at;
    ::GetClientRect(m_hWnd, &form.rcArea);
    ::ImmSetCompositionWindow(context, &form);
    if (SECEditDisplayInfo* info = GetDisplayInfo())
        if (HFONT font = info->GetFont(0)) {
            LOGFONTW logFont = {};
            if (::GetObjectW(font, sizeof logFont, &logFont))
                ::ImmSetCompositionFontW(context, &logFont);
        }
    ::ImmReleaseContext(m_hWnd, context);
}
