#include "tests/support/window_capture.h"

#include "tests/support/picture_canvas.h"
#include "tests/support/screenshot.h"

namespace {
void PrintTree(HWND hWnd, HDC hDC, POINT origin) {
    RECT rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    POINT ptClient = {0, 0};
    ::ClientToScreen(hWnd, &ptClient);
    ::SetViewportOrgEx(hDC, rcWindow.left - origin.x, rcWindow.top - origin.y, NULL);
    ::SendMessageW(hWnd, WM_PRINT, (WPARAM)hDC, PRF_NONCLIENT);
    ::SetViewportOrgEx(hDC, ptClient.x - origin.x, ptClient.y - origin.y, NULL);
    ::SendMessageW(hWnd, WM_ERASEBKGND, (WPARAM)hDC, 0);
    ::SendMessageW(hWnd, WM_PRINTCLIENT, (WPARAM)hDC, PRF_CLIENT);
    // Bottom of the z-order first, so that the top child ends on top.
    HWND hChild = ::GetWindow(hWnd, GW_CHILD);
    if (hChild == NULL)
        return;
    for (HWND h = ::GetWindow(hChild, GW_HWNDLAST); h != NULL; h = ::GetWindow(h, GW_HWNDPREV)) {
        if (::GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE)
            PrintTree(h, hDC, origin);
    }
}

} // namespace

Picture CaptureClient(HWND hWnd) {
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    PictureCanvas canvas(rc.right, rc.bottom);
    ::SendMessageW(hWnd, WM_PRINTCLIENT, (WPARAM)canvas.DC().m_hDC, PRF_CLIENT);
    return canvas.Take();
}

Picture CaptureWindow(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    PictureCanvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    PrintTree(hWnd, canvas.DC().m_hDC, POINT{rc.left, rc.top});
    return canvas.Take();
}

Picture CaptureShownClient(HWND hWnd) {
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    PictureCanvas canvas(rc.right, rc.bottom);
    HDC hClientDC = ::GetDC(hWnd);
    ::BitBlt(canvas.DC().m_hDC, 0, 0, rc.right, rc.bottom, hClientDC, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hClientDC);
    return canvas.Take();
}

Picture CaptureShownWindow(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    PictureCanvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    HDC hWindowDC = ::GetWindowDC(hWnd);
    ::BitBlt(canvas.DC().m_hDC, 0, 0, rc.right - rc.left, rc.bottom - rc.top, hWindowDC, 0, 0,
             SRCCOPY);
    ::ReleaseDC(hWnd, hWindowDC);
    return canvas.Take();
}

Picture CaptureOnScreen(HWND hWnd) {
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc))
        return Picture();
    HBITMAP hShot = CaptureScreen(rc);
    Picture picture = PictureOfBitmap(hShot);
    if (hShot != NULL)
        ::DeleteObject(hShot);
    return picture;
}
