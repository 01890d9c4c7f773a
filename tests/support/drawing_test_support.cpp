#include "tests/support/drawing_test_support.h"

Canvas::Canvas(int width, int height, COLORREF fill) : cx(width), cy(height) {
    CClientDC screen(NULL);
    dc.CreateCompatibleDC(&screen);
    bitmap.CreateCompatibleBitmap(&screen, cx, cy);
    m_pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, cx, cy, fill);
}

Canvas::~Canvas() {
    Unselect();
}

void Canvas::Unselect() {
    ::SelectObject(dc, m_pOld->m_hObject);
}

void Canvas::Reselect() {
    dc.SelectObject(&bitmap);
}

std::vector<COLORREF> Canvas::Pixels() const {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            pixels.push_back(dc.GetPixel(x, y));
    return pixels;
}

void Canvas::SetPixels(const std::vector<COLORREF>& pixels) {
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            dc.SetPixel(x, y, pixels[static_cast<size_t>(y * cx + x)]);
}
