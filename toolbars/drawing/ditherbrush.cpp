#include "toolbars/drawing/ditherbrush.h"

BOOL CreateDitherBrush(CBrush& brush, COLORREF crFace, COLORREF crHighlight) {
    brush.DeleteObject();
    CWindowDC screen(NULL);
    CBitmap pattern;
    CDC dc;
    if (!pattern.CreateCompatibleBitmap(&screen, 8, 8) || !dc.CreateCompatibleDC(&screen))
        return FALSE;
    CBitmap* pOld = dc.SelectObject(&pattern);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            dc.SetPixel(x, y, ((x + y) & 1) ? crHighlight : crFace);
    dc.SelectObject(pOld);
    return brush.CreatePatternBrush(&pattern);
}

BOOL CreateDitherBrush(CBrush& brush) {
    return CreateDitherBrush(brush, ::GetSysColor(COLOR_BTNFACE),
                             ::GetSysColor(COLOR_BTNHIGHLIGHT));
}
