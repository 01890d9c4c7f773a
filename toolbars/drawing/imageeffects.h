// Glyph drawing for toolbar buttons and menu items: four effects (brightened, blended, shadow,
// silhouette) in an image-list form and a DC form, a per-pixel blend of two rectangles, a masked
// transparent copy, and a themed background with a glyph on it.
//
// DC forms copy the glyph cx x cy from (sx, sy) of the source DC to (x, y) of the destination;
// source pixels of the transparent colour leave the destination unchanged. Image-list forms
// draw the image (ILD_TRANSPARENT) over the key colour first, so that the key colour marks the
// transparent pixels. All answer FALSE when no scratch surface can be made.
#pragma once

#include "framework/afx.h"

// The key colour of the image-list forms.
const COLORREF kImageKeyColor = RGB(0x41, 0x32, 0x20);

// Brightened: with bBrighten, a very light pixel turns black, a dark one white, and every pixel
// is then lightened by 32; without it the glyph is copied unchanged.
BOOL DrawBitmapBrightened(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                          COLORREF crTransparent, BOOL bBrighten);
// Blended: each channel (pixel * alpha + colour * (255 - alpha)) / 256.
BOOL DrawBitmapBlended(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                       COLORREF crTransparent, COLORREF crColor, BYTE alpha);
// Shadow: the dark pixels (luminance at most 46080 of 65280) in the solid colour.
BOOL DrawBitmapShadow(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                      COLORREF crTransparent, COLORREF crColor);
// Silhouette: every pixel of the glyph in the solid colour.
BOOL DrawBitmapSilhouette(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                          COLORREF crTransparent, COLORREF crColor);

BOOL DrawImageBrightened(CDC* pDC, CImageList* pImageList, int nImage, int x, int y, int cx, int cy,
                         BOOL bBrighten);
BOOL DrawImageBlended(CDC* pDC, CImageList* pImageList, int nImage, int x, int y, int cx, int cy,
                      COLORREF crColor, BYTE alpha);
// White counts as transparent here as well as the image's own mask.
BOOL DrawImageShadow(CDC* pDC, CImageList* pImageList, int nImage, int x, int y, int cx, int cy,
                     COLORREF crColor);
BOOL DrawImageSilhouette(CDC* pDC, CImageList* pImageList, int nImage, int x, int y, int cx, int cy,
                         COLORREF crColor);

// Each destination pixel becomes BlendColors(destination, source, weight).
BOOL BlendRects(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy, BYTE weight);

// The classic masked copy: a monochrome mask of maskWidth x maskHeight from the source, then
// source XOR, mask AND, source XOR. Answers the last blit's result.
BOOL TransparentBitBlt(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                       int maskWidth, int maskHeight, COLORREF crTransparent);

// The theme background of (part, state) in (x, y, cx, cy), then the bitmap's glyph
// (glyphCx x glyphCy from its origin) copied transparently at (x + glyphX, y + glyphY).
// E_FAIL when not themed, without a theme for the class list, or when the glyph cannot be
// drawn; the theme's own error when the background fails.
HRESULT DrawThemedBitmap(HWND hWnd, CDC* pDC, CBitmap* pBitmap, LPCWSTR pszClassList, int nPart,
                         int nState, int x, int y, int cx, int cy, int glyphX, int glyphY,
                         int glyphCx, int glyphCy, COLORREF crTransparent);
