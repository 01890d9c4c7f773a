#include "toolbars/drawing/scratch.h"

#include <algorithm>

namespace {

// A memory DC with one bitmap selected, released together.
struct ScratchDC {
    HDC hdc = NULL;
    HBITMAP hBitmap = NULL;
    HGDIOBJ hOld = NULL;
    int cx = 0, cy = 0;
    DWORD* bits = nullptr;

    ~ScratchDC() { Reset(); }
    void Reset() {
        if (hdc != NULL) {
            ::SelectObject(hdc, hOld);
            ::DeleteDC(hdc);
        }
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        hdc = NULL;
        hBitmap = NULL;
        hOld = NULL;
        cx = cy = 0;
        bits = nullptr;
    }

    bool Fits(int w, int h) const { return hdc != NULL && w <= cx && h <= cy; }
    bool Adopt(HBITMAP hNew, int w, int h) {
        HDC hNewDC = ::CreateCompatibleDC(NULL);
        if (hNew == NULL || hNewDC == NULL) {
            if (hNew != NULL)
                ::DeleteObject(hNew);
            if (hNewDC != NULL)
                ::DeleteDC(hNewDC);
            return false;
        }
        Reset();
        hdc = hNewDC;
        hBitmap = hNew;
        hOld = ::SelectObject(hdc, hBitmap);
        cx = w;
        cy = h;
        return true;
    }
};

ScratchDC g_pixels[3];
PixelSurface g_surfaces[3];
ScratchDC g_mask;

// Grows by half again, so that a run of slightly larger requests does not reallocate each time.
int Grown(int needed, int current) {
    return needed <= current ? current : std::max(needed, current + current / 2);
}

} // namespace

const PixelSurface* AcquirePixelSurface(int slot, int cx, int cy) {
    if (slot < 0 || slot >= 3 || cx <= 0 || cy <= 0)
        return nullptr;
    ScratchDC& s = g_pixels[slot];
    if (!s.Fits(cx, cy)) {
        const int w = Grown(cx, s.cx), h = Grown(cy, s.cy);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = w;
        bmi.bmiHeader.biHeight = -h; // top-down rows
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
        if (!s.Adopt(hBitmap, w, h))
            return nullptr;
        s.bits = static_cast<DWORD*>(bits);
    }
    g_surfaces[slot] = {s.hdc, s.bits, s.cx};
    return &g_surfaces[slot];
}

HDC AcquireMaskDC(int cx, int cy) {
    if (cx <= 0 || cy <= 0)
        return NULL;
    if (!g_mask.Fits(cx, cy)) {
        const int w = Grown(cx, g_mask.cx), h = Grown(cy, g_mask.cy);
        if (!g_mask.Adopt(::CreateBitmap(w, h, 1, 1, NULL), w, h))
            return NULL;
    }
    return g_mask.hdc;
}
