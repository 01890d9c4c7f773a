#include "list_pixels.h"

#include "tests/support/screenshot.h"

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

Pixels::Pixels(int cx, int cy) : m_cx(std::max(cx, 1)), m_cy(std::max(cy, 1)) {
    m_dc.CreateCompatibleDC(NULL);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_pBits = static_cast<const DWORD*>(pBits);
    m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
}

Pixels::~Pixels() {
    ::SelectObject(m_dc.m_hDC, m_hOld);
    ::DeleteObject(m_hBitmap);
}

COLORREF Pixels::At(int x, int y) const {
    ::GdiFlush();
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    const DWORD v = m_pBits[y * m_cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Pixels::Count(const RECT& rc, COLORREF rgb) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (At(x, y) == rgb)
                ++n;
    return n;
}

bool Pixels::Save(const wchar_t* name) {
    ::GdiFlush();
    ::SelectObject(m_dc.m_hDC, m_hOld);
    const bool bOK = WriteBitmapPng(m_hBitmap, ScreenshotPath(name));
    m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
    return bOK;
}

Pixels* CaptureScreen(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    auto* p = new Pixels(rc.right - rc.left, rc.bottom - rc.top);
    // Through the shared capture, which lets Wine hand the last paints to the display first.
    HBITMAP hShot = CaptureScreen(rc);
    if (hShot == NULL)
        return p;
    HDC hShotDC = ::CreateCompatibleDC(p->DC().m_hDC);
    HGDIOBJ hOld = ::SelectObject(hShotDC, hShot);
    ::BitBlt(p->DC().m_hDC, 0, 0, rc.right - rc.left, rc.bottom - rc.top, hShotDC, 0, 0, SRCCOPY);
    ::SelectObject(hShotDC, hOld);
    ::DeleteDC(hShotDC);
    ::DeleteObject(hShot);
    return p;
}

int DifferentPixels(const Pixels& a, const Pixels& b) {
    if (a.m_cx != b.m_cx || a.m_cy != b.m_cy)
        return std::max(a.m_cx * a.m_cy, b.m_cx * b.m_cy);
    int n = 0;
    for (int y = 0; y < a.m_cy; ++y)
        for (int x = 0; x < a.m_cx; ++x)
            n += a.At(x, y) != b.At(x, y);
    return n;
}

void ExpectScrollsMatchWholePaints(HWND hWnd, const std::vector<std::pair<UINT, WPARAM>>& steps) {
    ::UpdateWindow(hWnd);
    RECT rcClient;
    ::GetClientRect(hWnd, &rcClient);
    int nStep = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(nStep++);
        ::SendMessageW(hWnd, step.first, step.second, 0);
        RECT rcUpdate = {};
        if (::GetUpdateRect(hWnd, &rcUpdate, FALSE)) {
            EXPECT_LT(rcUpdate.bottom - rcUpdate.top, (rcClient.bottom - rcClient.top) / 3);
        }
        ::UpdateWindow(hWnd);
        std::unique_ptr<Pixels> scrolled(CaptureScreen(hWnd));
        // The whole paint takes the scroll bars too: they must already show the new position.
        ::RedrawWindow(hWnd, NULL, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        std::unique_ptr<Pixels> whole(CaptureScreen(hWnd));
        const int nDiffer = DifferentPixels(*scrolled, *whole);
        EXPECT_EQ(0, nDiffer);
        if (nDiffer != 0) { // the two pictures, to look at
            scrolled->Save((L"scroll_mismatch_scrolled_" + std::to_wstring(nStep)).c_str());
            whole->Save((L"scroll_mismatch_whole_" + std::to_wstring(nStep)).c_str());
        }
    }
}
