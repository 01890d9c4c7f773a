// The image effects work on 32-bit copies of the source and destination rectangles: one read
// and one write of each instead of a pixel call per pixel.
#include "toolbars/drawing/imageeffects.h"

#include "toolbars/drawing/colors.h"
#include "toolbars/drawing/scratch.h"
#include "toolbars/drawing/themeapi.h"

namespace {

int Luminance(DWORD p) {
    // p is 0x00RRGGBB
    return 77 * int((p >> 16) & 0xFF) + 153 * int((p >> 8) & 0xFF) + 26 * int(p & 0xFF);
}

// Reads both rectangles, lets op(source pixel, destination pixel) rewrite the destination
// pixel of every source pixel that is not transparent, and writes the destination back.
template <class Op>
BOOL TransformPixels(HDC hDest, int x, int y, int cx, int cy, HDC hSrc, int sx, int sy, DWORD key,
                     Op op) {
    if (cx <= 0 || cy <= 0)
        return TRUE;
    const PixelSurface* src = AcquirePixelSurface(kPixelSlotSource, cx, cy);
    const PixelSurface* dst = AcquirePixelSurface(kPixelSlotDest, cx, cy);
    if (src == nullptr || dst == nullptr)
        return FALSE;
    ::BitBlt(src->hdc, 0, 0, cx, cy, hSrc, sx, sy, SRCCOPY);
    ::BitBlt(dst->hdc, 0, 0, cx, cy, hDest, x, y, SRCCOPY);
    ::GdiFlush();
    for (int row = 0; row < cy; ++row) {
        const DWORD* s = src->bits + row * src->stride;
        DWORD* d = dst->bits + row * dst->stride;
        for (int col = 0; col < cx; ++col) {
            const DWORD p = s[col] & 0xFFFFFF;
            if (p != key)
                d[col] = op(p, d[col] & 0xFFFFFF);
        }
    }
    return ::BitBlt(hDest, x, y, cx, cy, dst->hdc, 0, 0, SRCCOPY);
}

struct Brighten {
    DWORD operator()(DWORD p, DWORD) const {
        const int lum = Luminance(p);
        COLORREF c = lum > 64768 ? RGB(0, 0, 0) : lum < 25600 ? RGB(255, 255, 255) : FromPixel(p);
        return ToPixel(LightenColor(c, 32));
    }
};

struct Copy {
    DWORD operator()(DWORD p, DWORD) const { return p; }
};

struct Blend {
    DWORD colour;
    int alpha;
    DWORD operator()(DWORD p, DWORD) const {
        DWORD out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int a = (p >> shift) & 0xFF, c = (colour >> shift) & 0xFF;
            out |= DWORD((a * alpha + c * (255 - alpha)) / 256) << shift;
        }
        return out;
    }
};

struct Shadow {
    DWORD colour;
    DWORD operator()(DWORD p, DWORD d) const { return Luminance(p) <= 46080 ? colour : d; }
};

struct Solid {
    DWORD colour;
    DWORD operator()(DWORD, DWORD) const { return colour; }
};

// Stages image nImage over the background colour and hands (surface DC) to draw.
template <class Draw>
BOOL WithStagedImage(CImageList* pImageList, int nImage, int cx, int cy, COLORREF crBackground,
                     Draw draw) {
    if (pImageList == NULL || cx <= 0 || cy <= 0)
        return FALSE;
    const PixelSurface* stage = AcquirePixelSurface(kPixelSlotStage, cx, cy);
    if (stage == nullptr)
        return FALSE;
    const RECT rect = {0, 0, cx, cy};
    HBRUSH hBrush = ::CreateSolidBrush(crBackground);
    ::FillRect(stage->hdc, &rect, hBrush);
    ::DeleteObject(hBrush);
    ::ImageList_Draw(pImageList->GetSafeHandle(), nImage, stage->hdc, 0, 0, ILD_TRANSPARENT);
    return draw(stage->hdc);
}

} // namespace

BOOL DrawBitmapBrightened(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                          COLORREF crTransparent, BOOL bBrighten) {
    if (bBrighten)
        return TransformPixels(*pDC, x, y, cx, cy, *pSrcDC, sx, sy, ToPixel(crTransparent),
                               Brighten{});
    return TransformPixels(*pDC, x, y, cx, cy, *pSrcDC, sx, sy, ToPixel(crTransparent), Copy{});
}

BOOL DrawBitmapBlended(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                       COLORREF crTransparent, COLORREF crColor, BYTE alpha) {
    return TransformPixels(*pDC, x, y, cx, cy, *pSrcDC, sx, sy, ToPixel(crTransparent),
                           Blend{ToPixel(crColor), alpha});
}

BOOL DrawBitmapShadow(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                      COLORREF crTransparent, COLORREF crColor) {
    return TransformPixels(*pDC, x, y, cx, cy, *pSrcDC, sx, sy, ToPixel(crTransparent),
                           Shadow{ToPixel(crColor)});
}

BOOL DrawBitmapSilhouette(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                          COLORREF crTransparent, COLORREF crColor) {
    return TransformPixels(*pDC, x, y, cx, cy, *pSrcDC, sx, sy, ToPixel(crTransparent),
                           Solid{ToPixel(crColor)});
}

BOOL DrawImageBrightened(CDC* pDC, CImageList* pImageList, int nImage, int x, int y, int cx, int cy,
                         BOOL bBrighten) {
    if (!bBrighten)
        return ::ImageList_Draw(pImageList->GetSafeHandle(), nImage, *pDC, x, y, ILD_TRANSPARENT);
    return WithStagedImage(pImageList, nImage, cx, cy, kImageKeyColor, [&](HDC hStage) {
        return TransformPixels(*pDC, x, y, cx, cy, hStage, 0, 0, ToPixel(kImageKeyColor),
                               Brighten{});
    });
}

BOOL DrawImageBlended(CDC* pDC, CImageList* pImageList, int nImage, int x, int y, int cx, int cy,
                      COLORREF crColor, BYTE alpha) {
    return WithStagedImage(pImageList, nImage, cx, cy, kImageKeyColor, [&](HDC hStage) {
        return TransformPixels(*pDC, x, y, cx, cy, hStage, 0, 0, ToPixel(kImageKeyColor),
                               Blend{ToPixel(crColor), alpha});
    });
}

BOOL DrawImageShadow(CDC* pDC, CImageList* pImageList, int nImage, int x, int y, int cx, int cy,
                     COLORREF crColor) {
    const COLORREF white = RGB(255, 255, 255);
    return WithStagedImage(pImageList, nImage, cx, cy, white, [&](HDC hStage) {
        return TransformPixels(*pDC, x, y, cx, cy, hStage, 0, 0, ToPixel(white),
                               Shadow{ToPixel(crColor)});
    });
}

BOOL DrawImageSilhouette(CDC* pDC, CImageList* pImageList, int nImage, int x, int y, int cx, int cy,
                         COLORREF crColor) {
    return WithStagedImage(pImageList, nImage, cx, cy, kImageKeyColor, [&](HDC hStage) {
        return TransformPixels(*pDC, x, y, cx, cy, hStage, 0, 0, ToPixel(kImageKeyColor),
                               Solid{ToPixel(crColor)});
    });
}

BOOL BlendRects(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy, BYTE weight) {
    // No source pixel is transparent here: a key outside the 24-bit range never matches.
    const DWORD kNone = 0xFFFFFFFF;
    TransformPixels(*pDC, x, y, cx, cy, *pSrcDC, sx, sy, kNone, [weight](DWORD s, DWORD d) {
        return ToPixel(BlendColors(FromPixel(d), FromPixel(s), weight));
    });
    return TRUE;
}

BOOL TransparentBitBlt(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                       int maskWidth, int maskHeight, COLORREF crTransparent) {
    HDC hMask = AcquireMaskDC(maskWidth, maskHeight);
    if (hMask == NULL)
        return FALSE;
    const COLORREF oldSrcBk = pSrcDC->SetBkColor(crTransparent);
    ::BitBlt(hMask, 0, 0, maskWidth, maskHeight, *pSrcDC, sx, sy, SRCCOPY);
    pSrcDC->SetBkColor(oldSrcBk);

    pDC->BitBlt(x, y, cx, cy, pSrcDC, sx, sy, SRCINVERT);
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    ::BitBlt(*pDC, x, y, cx, cy, hMask, 0, 0, SRCAND);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
    return pDC->BitBlt(x, y, cx, cy, pSrcDC, sx, sy, SRCINVERT);
}

HRESULT DrawThemedBitmap(HWND hWnd, CDC* pDC, CBitmap* pBitmap, LPCWSTR pszClassList, int nPart,
                         int nState, int x, int y, int cx, int cy, int glyphX, int glyphY,
                         int glyphCx, int glyphCy, COLORREF crTransparent) {
    if (!IsThemed())
        return E_FAIL;
    HTHEME hTheme = DynOpenThemeData(hWnd, pszClassList);
    if (hTheme == NULL)
        return E_FAIL;
    const RECT rect = {x, y, x + cx, y + cy};
    HRESULT hr = DynDrawThemeBackground(hTheme, *pDC, nPart, nState, &rect, NULL);
    if (SUCCEEDED(hr)) {
        CDC memDC;
        BOOL drawn = FALSE;
        if (pBitmap != NULL && memDC.CreateCompatibleDC(pDC)) {
            CBitmap* pOld = memDC.SelectObject(pBitmap);
            drawn = TransparentBitBlt(pDC, x + glyphX, y + glyphY, glyphCx, glyphCy, &memDC, 0, 0,
                                      glyphCx, glyphCy, crTransparent);
            memDC.SelectObject(pOld);
        }
        hr = drawn ? S_OK : E_FAIL;
    }
    DynCloseThemeData(hTheme);
    return hr;
}
