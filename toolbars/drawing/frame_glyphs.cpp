#include "toolbars/drawing/frame_glyphs.h"

#include <algorithm>
#include <vector>

namespace {
int CALLBACK NoteFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM lParam) {
    *reinterpret_cast<bool*>(lParam) = true;
    return 0;
}

bool AskForSymbolFont() {
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return true; // nothing to tell: the system's drawing stays
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Marlett");
    bool bFound = false;
    ::EnumFontFamiliesExW(hDC, &lf, &NoteFont, reinterpret_cast<LPARAM>(&bFound), 0);
    ::ReleaseDC(NULL, hDC);
    return bFound;
}

// Fills the rectangles in one colour.
void Fill(HDC hDC, const std::vector<RECT>& parts, COLORREF colour) {
    HBRUSH hBrush = ::CreateSolidBrush(colour);
    for (const RECT& part : parts)
        ::FillRect(hDC, &part, hBrush);
    ::DeleteObject(hBrush);
}

// The glyph of a caption button as filled rectangles within box.
std::vector<RECT> CaptionGlyph(UINT nKind, const RECT& box) {
    const int w = box.right - box.left, h = box.bottom - box.top;
    const int t = std::max(1, h / 7); // stroke
    std::vector<RECT> parts;
    switch (nKind) {
    case DFCS_CAPTIONCLOSE: {
        // Two diagonals, a stroke wide, over the square in the box's middle.
        const int n = std::min(w, h);
        const int x0 = box.left + (w - n) / 2, y0 = box.top + (h - n) / 2;
        for (int i = 0; i < n; ++i) {
            parts.push_back(RECT{x0 + i, y0 + i, x0 + i + t + 1, y0 + i + 1});
            parts.push_back(RECT{x0 + n - 1 - i - t, y0 + i, x0 + n - i, y0 + i + 1});
        }
        break;
    }
    case DFCS_CAPTIONMIN:
        parts.push_back(RECT{box.left + w / 6, box.bottom - t - 1, box.right - w / 3, box.bottom});
        break;
    case DFCS_CAPTIONMAX:
        parts.push_back(RECT{box.left, box.top, box.right, box.top + t + 1});
        parts.push_back(RECT{box.left, box.top, box.left + 1, box.bottom});
        parts.push_back(RECT{box.right - 1, box.top, box.right, box.bottom});
        parts.push_back(RECT{box.left, box.bottom - 1, box.right, box.bottom});
        break;
    case DFCS_CAPTIONRESTORE: {
        // A window in front of another one, up and to the right.
        const int dx = w / 3, dy = h / 3;
        const RECT back{box.left + dx, box.top, box.right, box.bottom - dy};
        const RECT front{box.left, box.top + dy, box.right - dx, box.bottom};
        for (const RECT& r : {back, front}) {
            parts.push_back(RECT{r.left, r.top, r.right, r.top + t + 1});
            parts.push_back(RECT{r.left, r.top, r.left + 1, r.bottom});
            parts.push_back(RECT{r.right - 1, r.top, r.right, r.bottom});
            parts.push_back(RECT{r.left, r.bottom - 1, r.right, r.bottom});
        }
        break;
    }
    default:
        break;
    }
    return parts;
}

// A filled triangle pointing in the arrow's direction, as rows or columns of rectangles.
std::vector<RECT> ArrowGlyph(UINT nKind, const RECT& box) {
    const int w = box.right - box.left, h = box.bottom - box.top;
    const bool bVertical =
        nKind == DFCS_SCROLLUP || nKind == DFCS_SCROLLDOWN || nKind == DFCS_SCROLLCOMBOBOX;
    const int across = bVertical ? w : h;
    const int depth = std::max(1, std::min(bVertical ? h : w, (across + 1) / 2));
    const int cx = bVertical ? box.left + w / 2 : box.top + h / 2; // the tip's line
    const int start = bVertical ? box.top + (h - depth) / 2 : box.left + (w - depth) / 2;
    std::vector<RECT> parts;
    for (int i = 0; i < depth; ++i) {
        // Line i from the tip: 2i + 1 long.
        const bool bTipFirst = nKind == DFCS_SCROLLUP || nKind == DFCS_SCROLLLEFT;
        const int at = bTipFirst ? start + i : start + depth - 1 - i;
        const int from = cx - i, to = cx + i + 1;
        parts.push_back(bVertical ? RECT{from, at, to, at + 1} : RECT{at, from, at + 1, to});
    }
    return parts;
}
} // namespace

bool HasFrameGlyphFont() {
    static const bool bHas = AskForSymbolFont();
    return bHas;
}

BOOL DrawFrameGlyph(HDC hDC, const RECT& rect, UINT nType, UINT nState) {
    const UINT nKind = nState & 0xFF;
    const bool bCaption = nType == DFC_CAPTION && nKind <= DFCS_CAPTIONRESTORE;
    const bool bArrow =
        nType == DFC_SCROLL && (nKind <= DFCS_SCROLLRIGHT || nKind == DFCS_SCROLLCOMBOBOX);
    if (hDC == NULL || (!bCaption && !bArrow))
        return FALSE;
    RECT face = rect;
    ::DrawFrameControl(hDC, &face, DFC_BUTTON,
                       DFCS_BUTTONPUSH | (nState & (DFCS_PUSHED | DFCS_FLAT | DFCS_MONO)));
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    RECT box{rect.left + std::max(2, w / 4), rect.top + std::max(2, h / 4),
             rect.right - std::max(2, w / 4), rect.bottom - std::max(2, h / 4)};
    if (box.right <= box.left || box.bottom <= box.top)
        return TRUE; // too small for a glyph: the face alone
    if (nState & DFCS_PUSHED)
        ::OffsetRect(&box, 1, 1);
    const std::vector<RECT> parts = bCaption ? CaptionGlyph(nKind, box) : ArrowGlyph(nKind, box);
    if (nState & DFCS_INACTIVE) {
        // Greyed as the system greys a glyph: a light copy below and right of a shadow one.
        std::vector<RECT> light = parts;
        for (RECT& part : light)
            ::OffsetRect(&part, 1, 1);
        Fill(hDC, light, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        Fill(hDC, parts, ::GetSysColor(COLOR_BTNSHADOW));
    } else {
        Fill(hDC, parts, ::GetSysColor(COLOR_BTNTEXT));
    }
    return TRUE;
}

BOOL DrawFrameButton(HDC hDC, RECT* pRect, UINT nType, UINT nState) {
    if (pRect != NULL && !HasFrameGlyphFont() && DrawFrameGlyph(hDC, *pRect, nType, nState))
        return TRUE;
    return ::DrawFrameControl(hDC, pRect, nType, nState);
}
