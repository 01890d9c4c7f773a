#include "test_strips.h"

HBITMAP MakeSquareStrip(const COLORREF* colours, int count) {
    HDC screen = ::GetDC(NULL);
    HBITMAP strip = ::CreateCompatibleBitmap(screen, 16 * count, 15);
    HDC hdc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(NULL, screen);
    HGDIOBJ old = ::SelectObject(hdc, strip);
    const RECT all = {0, 0, 16 * count, 15};
    HBRUSH face = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    ::FillRect(hdc, &all, face);
    ::DeleteObject(face);
    for (int i = 0; i < count; ++i) {
        const RECT square = {16 * i + 3, 3, 16 * i + 13, 12};
        HBRUSH brush = ::CreateSolidBrush(colours[i]);
        ::FillRect(hdc, &square, brush);
        ::DeleteObject(brush);
    }
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    return strip;
}
