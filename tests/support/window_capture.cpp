#include "tests/support/window_capture.h"

#include "tests/support/screenshot.h"

namespace {
// A 32-bit top-down DIB the size of the capture, with a DC selected on it.
class DibCanvas {
public:
    DibCanvas(int cx, int cy) : m_cx(cx), m_cy(cy) {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        m_hDC = ::CreateCompatibleDC(NULL);
        m_hBitmap = ::CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, &m_pBits, NULL, 0);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~DibCanvas() {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    HDC dc() const { return m_hDC; }
    Picture Take() const {
        ::GdiFlush();
        Picture c;
        c.cx = m_cx;
        c.cy = m_cy;
        const DWORD* p = static_cast<const DWORD*>(m_pBits);
        c.pixels.assign(p, p + (size_t)m_cx * m_cy);
        return c;
    }

private:
    int m_cx, m_cy;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    void* m_pBits = nullptr;
};

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
    DibCanvas canvas(rc.right, rc.bottom);
    ::SendMessageW(hWnd, WM_PRINTCLIENT, (WPARAM)canvas.dc(), PRF_CLIENT);
    return canvas.Take();
}

Picture CaptureWindow(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    DibCanvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    PrintTree(hWnd, canvas.dc(), POINT{rc.left, rc.top});
    return canvas.Take();
}

Picture CaptureShownClient(HWND hWnd) {
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    DibCanvas canvas(rc.right, rc.bottom);
    HDC hClientDC = ::GetDC(hWnd);
    ::BitBlt(canvas.dc(), 0, 0, rc.right, rc.bottom, hClientDC, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hClientDC);
    return canvas.Take();
}

Picture CaptureShownWindow(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    DibCanvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    HDC hWindowDC = ::GetWindowDC(hWnd);
    ::BitBlt(canvas.dc(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, hWindowDC, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hWindowDC);
    return canvas.Take();
}
