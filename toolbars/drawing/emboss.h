// The embossed look of a disabled glyph, shared by toolbar buttons, menu images and
// owner-drawn buttons.
#pragma once

#include "framework/afx.h"

// A monochrome mask of the glyph cx x cy at (sx, sy) of pSrcDC, in the scratch mask DC at its
// origin: face and highlight pixels white (background), every other pixel black. NULL when no
// mask can be made. The mask stays valid until the next drawing routine runs.
HDC BuildGlyphMask(int cx, int cy, CDC* pSrcDC, int sx, int sy, COLORREF crFace,
                   COLORREF crHighlight);
// Draws the glyph cx x cy at (sx, sy) of pSrcDC embossed at (x, y) of pDC. Source pixels of the
// face or the highlight colour are background; every other pixel is drawn in the highlight
// colour one pixel right and down (cx - 1 x cy - 1 of it with bTrimHighlight, so that nothing
// reaches past the glyph box), then in the shadow colour in place. pSrcDC may be pDC itself:
// the glyph is read before anything is drawn. FALSE when no mask can be made.
BOOL DrawEmbossed(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                  COLORREF crFace, COLORREF crHighlight, COLORREF crShadow,
                  BOOL bTrimHighlight = FALSE);
// The same with the system's button face, highlight and shadow colours.
BOOL DrawEmbossed(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx, int sy,
                  BOOL bTrimHighlight = FALSE);
