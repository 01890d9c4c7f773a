#include "toolbars/drawing/emboss.h"

#include "toolbars/drawing/scratch.h"

namespace {

// Raster operation PSDPxax: where the mask is black the brush is painted, where it is white
// the destination stays.
const DWORD kRopBrushThroughMask = 0xB8074A;

void PaintThroughMask(CDC* pDC, int x, int y, int cx, int cy, HDC hMask, COLORREF crBrush) {
    HBRUSH hBrush = ::CreateSolidBrush(crBrush);
    HGDIOBJ hOld = ::SelectObject(*pDC, hBrush);
    ::BitBlt(*pDC, x, y, cx, cy, hMask, 0, 0, kRopBrushThroughMask);
    ::SelectObject(*pDC, hOld);
    ::DeleteObject(hBrush);
}

} // namespace

HDC BuildGlyphMask(int cx, int cy, CDC* pSrcDC, int sx, int sy, COLORREF crFace,
                   COLORREF crHighlight) {
    HDC hMask = AcquireMaskDC(cx, cy);
    if (hMask == NULL)
        return NULL;
    ::PatBlt(hMask, 0, 0, cx, cy, WHITENESS);
    const COLORREF oldSrcBk = pSrcDC->SetBkColor(crFace);
    ::BitBlt(hMask, 0, 0, cx, cy, *pSrcDC, sx, sy, SRCCOPY);
    pSrcDC->SetBkColor(crHighlight);
    ::BitBlt(hMask, 0, 0, cx, cy, *pSrcDC, sx, sy, SRCPAINT);
    pSrcDC->SetBkColor(oldSrcBk);
    return hMask;
}

BOOL DrawEmbossed(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                  COLORREF crFace, COLORREF crHighlight, COLORREF crShadow, BOOL bTrimHighlight) {
    HDC hMask = BuildGlyphMask(cx, cy, pSrcDC, sx, sy, crFace, crHighlight);
    if (hMask == NULL)
        return FALSE;

    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    const int trim = bTrimHighlight ? 1 : 0;
    PaintThroughMask(pDC, x + 1, y + 1, cx - trim, cy - trim, hMask, crHighlight);
    PaintThroughMask(pDC, x, y, cx, cy, hMask, crShadow);
    pDC->SetBkColor(oldBk);
    pDC->SetTextColor(oldText);
    return TRUE;
}

BOOL DrawEmbossed(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                  BOOL bTrimHighlight) {
    return DrawEmbossed(pDC, x, y, cx, cy, pSrcDC, sx, sy, ::GetSysColor(COLOR_BTNFACE),
                        ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW),
                        bTrimHighlight);
}
