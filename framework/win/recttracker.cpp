#include "framework/win/recttracker.h"

#include "framework/win/dc.h"
#include "framework/win/wnd.h"

#include <algorithm>

namespace {
// Screen rectangle the pointer may roam in while tracking.
CRect PointerLimit(CWnd* pWndClipTo) {
    CRect limit;
    if (pWndClipTo != NULL && pWndClipTo->GetSafeHwnd() != NULL) {
        ::GetClientRect(pWndClipTo->GetSafeHwnd(), &limit);
        ::MapWindowPoints(pWndClipTo->GetSafeHwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&limit),
                          2);
    } else {
        ::GetWindowRect(::GetDesktopWindow(), &limit);
    }
    return limit;
}

// A point of pWnd's client area, moved onto limit (a screen rectangle, right and bottom out).
CPoint ClampToLimit(HWND hWnd, CPoint point, const CRect& limit) {
    ::ClientToScreen(hWnd, &point);
    point.x = std::max<LONG>(limit.left, std::min<LONG>(point.x, limit.right - 1));
    point.y = std::max<LONG>(limit.top, std::min<LONG>(point.y, limit.bottom - 1));
    ::ScreenToClient(hWnd, &point);
    return point;
}

CPoint MessagePoint(LPARAM lParam) {
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}
} // namespace

CRectTracker::CRectTracker() : m_nHandleSize(4), m_sizeMin(4, 4) {}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : CRectTracker() {
    if (lpSrcRect != NULL)
        m_rect = *lpSrcRect;
    m_nStyle = nStyle;
}

void CRectTracker::OnChangedRect(const CRect&) {}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) {
    const int border = std::max(1, m_nHandleSize - 1);
    const CSize size(border, border);
    CRect rect;
    if (lpRect != NULL) {
        rect = *lpRect;
        ::MapWindowPoints(pWnd->GetSafeHwnd(),
                          pWndClipTo != NULL ? pWndClipTo->GetSafeHwnd() : HWND_DESKTOP,
                          reinterpret_cast<POINT*>(&rect), 2);
    }
    pDC->DrawDragRect(lpRect != NULL ? &rect : NULL, size, m_bErase ? &m_rectLast : NULL,
                      m_sizeLast);
    m_bErase = lpRect != NULL;
    m_rectLast = rect;
    m_sizeLast = size;
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL, CWnd* pWndClipTo) {
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return FALSE;
    // Someone else holds the mouse: the drag never starts.
    if (::GetCapture() != NULL && ::GetCapture() != pWnd->GetSafeHwnd())
        return FALSE;
    return TrackMove(pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackMove(CWnd* pWnd, CPoint point, CWnd* pWndClipTo) {
    const HWND hWnd = pWnd->GetSafeHwnd();
    const HWND hClip = pWndClipTo != NULL ? pWndClipTo->GetSafeHwnd() : ::GetDesktopWindow();
    const CRect limit = PointerLimit(pWndClipTo);
    const CRect rectStart = m_rect;
    const CPoint start = ClampToLimit(hWnd, point, limit);

    ::SetCapture(hWnd);
    ::UpdateWindow(hWnd);
    CDC dc;
    const HDC hdc = ::GetDCEx(hClip, NULL, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (hdc == NULL) {
        ::ReleaseCapture();
        return FALSE;
    }
    dc.Attach(hdc);
    m_bErase = FALSE;
    DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);

    BOOL bDone = FALSE;
    BOOL bAccepted = FALSE;
    while (!bDone) {
        MSG msg;
        const BOOL got = ::GetMessageW(&msg, NULL, 0, 0);
        if (got == 0 || got == -1) {
            // The application is quitting: give the message back to the outer loop.
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (::GetCapture() != hWnd)
            break; // capture taken away: cancelled
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            if (msg.hwnd != hWnd)
                break;
            const CPoint now = ClampToLimit(hWnd, MessagePoint(msg.lParam), limit);
            CRect rect = rectStart;
            rect.OffsetRect(now.x - start.x, now.y - start.y);
            if (rect != m_rect) {
                const CRect old = m_rect;
                m_rect = rect;
                OnChangedRect(old);
                DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
            }
            if (msg.message == WM_LBUTTONUP) {
                bAccepted = TRUE;
                bDone = TRUE;
            }
            continue;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bDone = TRUE;
            continue;
        case WM_RBUTTONDOWN:
            bDone = TRUE;
            continue;
        default:
            break;
        }
        ::DispatchMessageW(&msg);
    }

    DrawTrackerRect(NULL, pWndClipTo, &dc, pWnd);
    dc.Detach();
    ::ReleaseDC(hClip, hdc);
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (!bAccepted) {
        const CRect old = m_rect;
        m_rect = rectStart;
        if (old != m_rect)
            OnChangedRect(old);
    }
    return bAccepted;
}
