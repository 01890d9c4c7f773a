#include "tests/support/screen_image.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iterator>

#include "tests/support/screenshot.h"
#include "tests/support/window_capture.h"

bool ScreenImage::Read(HWND hWnd, const wchar_t* pszScreenshot) {
    if (!GetWindowRect(hWnd, &m_rect))
        return false;
    m_picture = CaptureOnScreen(hWnd);
    if (m_picture.Empty())
        return false;
    if (pszScreenshot != nullptr)
        SavePng(m_picture, ScreenshotPath(pszScreenshot));
    return m_picture.cy == m_rect.bottom - m_rect.top;
}

DWORD ScreenImage::At(int x, int y) const {
    const size_t at = static_cast<size_t>(y - m_rect.top) * (m_rect.right - m_rect.left) +
                      static_cast<size_t>(x - m_rect.left);
    return at < m_picture.pixels.size() ? m_picture.pixels[at] & 0xFFFFFF : 0;
}

int ScreenImage::Count(RECT rect, DWORD colour) const {
    int count = 0;
    for (int y = std::max(rect.top, m_rect.top); y < std::min(rect.bottom, m_rect.bottom); ++y)
        for (int x = std::max(rect.left, m_rect.left); x < std::min(rect.right, m_rect.right); ++x)
            if (At(x, y) == colour)
                ++count;
    return count;
}

DWORD Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

int GlyphPixels(const ScreenImage& image, RECT bar) {
    const DWORD plain[] = {Rgb(GetSysColor(COLOR_BTNFACE)), Rgb(GetSysColor(COLOR_BTNSHADOW)),
                           Rgb(GetSysColor(COLOR_BTNHIGHLIGHT)),
                           Rgb(GetSysColor(COLOR_3DDKSHADOW))};
    const RECT& shown = image.Rect();
    int count = 0;
    for (int y = std::max(bar.top, shown.top) + 2; y < std::min(bar.bottom, shown.bottom) - 2; ++y)
        for (int x = std::max(bar.left, shown.left) + 2; x < std::min(bar.right, shown.right) - 2;
             ++x)
            if (std::find(std::begin(plain), std::end(plain), image.At(x, y)) == std::end(plain))
                ++count;
    return count;
}

std::vector<std::pair<std::wstring, RECT>> TopRow(HWND frame) {
    std::vector<std::pair<std::wstring, RECT>> bars;
    HWND top = GetDlgItem(frame, 0xE81B);
    LONG rowTop = LONG_MAX;
    for (HWND h = GetWindow(top, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT r{};
        if (IsWindowVisible(h) && GetWindowRect(h, &r))
            rowTop = std::min(rowTop, r.top);
    }
    for (HWND h = GetWindow(top, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT r{};
        wchar_t title[64] = {};
        GetWindowTextW(h, title, 64);
        if (IsWindowVisible(h) && GetWindowRect(h, &r) && r.top == rowTop)
            bars.emplace_back(title, r);
    }
    std::sort(bars.begin(), bars.end(),
              [](const auto& a, const auto& b) { return a.second.left < b.second.left; });
    return bars;
}

int Differing(const ScreenImage& a, const ScreenImage& b, const RECT& rect, int minStep) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            const DWORD p = a.At(x, y), q = b.At(x, y);
            for (int shift = 0; shift < 24; shift += 8)
                if (std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) >= minStep) {
                    ++count;
                    break;
                }
        }
    return count;
}
