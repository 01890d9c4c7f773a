#include "tests/support/picture_canvas.h"

PictureCanvas::PictureCanvas(int cx, int cy) : m_cx(cx), m_cy(cy) {
    m_dc.CreateCompatibleDC(NULL);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    m_hBitmap = ::CreateDIBSection(m_dc.m_hDC, &bmi, DIB_RGB_COLORS, &m_pBits, NULL, 0);
    m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
}

PictureCanvas::~PictureCanvas() {
    ::SelectObject(m_dc.m_hDC, m_hOld);
    ::DeleteObject(m_hBitmap);
}

Picture PictureCanvas::Take() const {
    Picture picture;
    if (m_pBits == nullptr)
        return picture;
    ::GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(m_pBits);
    picture.cx = m_cx;
    picture.cy = m_cy;
    picture.pixels.assign(p, p + (size_t)m_cx * m_cy);
    return picture;
}
