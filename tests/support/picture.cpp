#include "tests/support/picture.h"

#include "tests/support/screenshot.h"

#include <algorithm>

namespace {
BITMAPINFO TopDown32(int cx, int cy) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy; // top row first, as the picture holds it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
} // namespace

COLORREF Picture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= cx || y >= cy)
        return CLR_INVALID;
    const DWORD p = pixels[(size_t)y * cx + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Picture::Set(int x, int y, COLORREF colour) {
    if (x >= 0 && y >= 0 && x < cx && y < cy)
        pixels[(size_t)y * cx + x] =
            (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

int Picture::Count(const RECT& rc, COLORREF colour) const {
    int n = 0;
    for (int y = std::max(0, int(rc.top)); y < std::min(int(rc.bottom), cy); ++y)
        for (int x = std::max(0, int(rc.left)); x < std::min(int(rc.right), cx); ++x)
            if (At(x, y) == colour)
                ++n;
    return n;
}

bool Picture::SameRows(const Picture& other, int top, int bottom) const {
    if (cx != other.cx || cy != other.cy)
        return false;
    for (int y = std::max(0, top); y < std::min(bottom, cy); ++y)
        for (int x = 0; x < cx; ++x)
            if (At(x, y) != other.At(x, y))
                return false;
    return true;
}

int DifferentPixels(const Picture& a, const Picture& b) {
    if (a.cx != b.cx || a.cy != b.cy)
        return std::max(a.cx * a.cy, b.cx * b.cy);
    int n = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        n += (a.pixels[i] & 0xFFFFFF) != (b.pixels[i] & 0xFFFFFF);
    return n;
}

Picture PictureOfBitmap(HBITMAP hBitmap) {
    Picture picture;
    BITMAP bm = {};
    if (hBitmap == NULL || !::GetObjectW(hBitmap, sizeof bm, &bm) || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0)
        return picture;
    BITMAPINFO info = TopDown32(bm.bmWidth, bm.bmHeight);
    std::vector<DWORD> pixels((size_t)bm.bmWidth * bm.bmHeight, 0);
    HDC hDC = ::GetDC(NULL);
    const int rows =
        ::GetDIBits(hDC, hBitmap, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    if (rows != bm.bmHeight)
        return picture;
    picture.cx = bm.bmWidth;
    picture.cy = bm.bmHeight;
    picture.pixels = std::move(pixels);
    return picture;
}

bool SavePng(const Picture& picture, const std::wstring& path) {
    BITMAPINFO info = TopDown32(picture.cx, picture.cy);
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL)
        return false;
    std::copy(picture.pixels.begin(), picture.pixels.end(), static_cast<DWORD*>(pBits));
    const bool ok = WriteBitmapPng(hBitmap, path);
    ::DeleteObject(hBitmap);
    return ok;
}
