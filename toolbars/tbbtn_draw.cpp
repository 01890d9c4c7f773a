// Drawing of the standard button: its face in the plain, cool, themed and flat looks, its image
// and state, into the drawing cache and from there onto the bar.
#include "toolbars/tbbtn.h"

#include "toolbars/drawing/drawing.h"
#include "toolbars/tbbtn_cache.h"

#include <vssym32.h>

namespace {

const COLORREF kFlatImageKey = RGB(0xC0, 0xC0, 0xC0);
// Where the mask (a monochrome source) is white, the brush is painted; elsewhere the
// destination stays.
const DWORD kRopBrushWhereWhite = 0xE20746;

COLORREF Sys(int nIndex) {
    return ::GetSysColor(nIndex);
}

void FillAndFrame(CDC* pDC, const CRect& rect, COLORREF fill, COLORREF frame) {
    pDC->FillSolidRect(&rect, fill);
    pDC->Draw3dRect(&rect, frame, frame);
}

// Paints the brush into the pixels of rect whose source (same place in pSrcDC) is face or
// highlight coloured.
void DitherBackground(CDC* pDC, const CRect& rect, CDC* pSrcDC, int sx, int sy, CBrush* pBrush) {
    if (pBrush == NULL || rect.IsRectEmpty())
        return;
    HDC hMask = BuildGlyphMask(rect.Width(), rect.Height(), pSrcDC, sx, sy, Sys(COLOR_BTNFACE),
                               Sys(COLOR_BTNHIGHLIGHT));
    if (hMask == NULL)
        return;
    CBrush* pOld = pDC->SelectObject(pBrush);
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    ::BitBlt(*pDC, rect.left, rect.top, rect.Width(), rect.Height(), hMask, 0, 0,
             kRopBrushWhereWhite);
    pDC->SetBkColor(oldBk);
    pDC->SetTextColor(oldText);
    if (pOld != NULL)
        pDC->SelectObject(pOld);
}

// The themed look of a toolbar button in one state, through the cache's theme of the paint.
class ToolbarTheme {
public:
    ToolbarTheme(SECBtnDrawingCache& cache, HWND hBar) : m_hTheme(cache.ToolbarTheme(hBar)) {}
    explicit operator bool() const { return m_hTheme != NULL; }
    BOOL Draw(CDC* pDC, const CRect& rect, int nState) const {
        return m_hTheme != NULL &&
               SUCCEEDED(DynDrawThemeBackground(m_hTheme, *pDC, TP_BUTTON, nState, &rect, NULL));
    }

private:
    HTHEME m_hTheme;
};

} // namespace

void SECStdBtn::Draw(CDC* pDC, SECBtnDrawingCache& cache) {
    if (m_pBar == NULL || (m_nStyle & SEC_TBBS_HIDDEN))
        return;
    const CRect rect = GetRect();
    if (!pDC->RectVisible(&rect))
        return;
    if (DrawSeparator(pDC))
        return;
    if (!cache.IsPrepared())
        return;
    SelectImage(cache);
    DrawState(cache);
    DrawDither(cache);
    DrawSelection(cache);
    Blit(pDC, cache);
}

void SECStdBtn::SelectImage(SECBtnDrawingCache& cache) {
    m_nSourceX = -1;
    SECBmpMgr* pStore = m_pBar != NULL ? m_pBar->GetBmpMgr() : NULL;
    HBITMAP hBitmap = NULL;
    int nIndex = 0;
    // A strip that could not be loaded has no bitmap: the button goes without an image.
    if (pStore == NULL || !pStore->GetImage(m_nID, hBitmap, nIndex) || hBitmap == NULL) {
        cache.SelectImageBitmap(NULL);
        return;
    }
    cache.SelectImageBitmap(hBitmap);
    if (cache.HasImage())
        m_nSourceX = nIndex * m_pBar->GetImageWidth();
}

void SECStdBtn::DrawState(SECBtnDrawingCache& cache) {
    CRect rcImage;
    if (m_pBar->IsCustomizeMode()) {
        DrawFace(cache, TRUE, rcImage);
        return;
    }
    DrawFace(cache, FALSE, rcImage);
    if (m_nStyle & SEC_TBBS_PRESSED)
        return;
    if (m_nStyle & SEC_TBBS_DISABLED)
        DrawDisabled(cache, rcImage);
    else if (m_nStyle & SEC_TBBS_CHECKED)
        DrawChecked(cache, rcImage);
    else if (m_nStyle & SEC_TBBS_INDETERMINATE)
        DrawIndeterminate(cache, rcImage);
}

void SECStdBtn::DrawFace(SECBtnDrawingCache& cache, BOOL bCustomize, CRect& rcImage) {
    CDC* pDC = &cache.FaceDC();
    CRect rect(0, 0, m_cx, m_cy);
    const int cxImage = m_pBar->GetImageWidth();
    const int cyImage = m_pBar->GetImageHeight();
    CPoint image(rect.left + (m_cx - cxImage - 1) / 2, rect.top + (m_cy - cyImage) / 2);
    const BOOL bFlat = IsFlatLook();
    const BOOL bCool = m_pBar->IsCoolLook();
    const BOOL bHot = (m_nStyle & SEC_TBBS_HOT) != 0;
    const BOOL bDown = (m_nStyle & SEC_TBBS_CHECKED) != 0;
    const BOOL bPressed = (m_nStyle & SEC_TBBS_PRESSED) != 0;
    // The system's own face brush fills faster than a solid fill of its colour.
    if (bFlat)
        pDC->FillSolidRect(&rect, GetToolkitColor(3));
    else
        ::FillRect(*pDC, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
    ToolbarTheme theme(cache, m_pBar->GetBarWnd()->GetSafeHwnd());
    const bool bThemed = theme && !bFlat;

    if ((!bDown && !bPressed) || bCustomize) {
        if (bCool) {
            if (!bHot || bCustomize) {
                if (bThemed)
                    theme.Draw(pDC, rect, TS_NORMAL);
            } else if (bFlat) {
                FillAndFrame(pDC, rect, GetToolkitColor(5), GetToolkitColor(6));
                rect.DeflateRect(1, 1);
                image.Offset(bDown ? 0 : -1, -1);
            } else if (bThemed) {
                theme.Draw(pDC, rect, TS_HOT);
            } else {
                pDC->Draw3dRect(&rect, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
                rect.DeflateRect(2, 2);
            }
        } else if (bThemed) {
            theme.Draw(pDC, rect, bHot ? TS_HOT : TS_NORMAL);
        } else {
            pDC->Draw3dRect(&rect, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_3DDKSHADOW));
            rect.DeflateRect(1, 1);
            pDC->Draw3dRect(&rect, Sys(COLOR_BTNFACE), Sys(COLOR_BTNSHADOW));
        }
    } else if (bFlat) {
        if (bPressed)
            FillAndFrame(pDC, rect, GetToolkitColor(7), GetToolkitColor(8));
        else
            FillAndFrame(pDC, rect, GetToolkitColor(11), GetToolkitColor(12));
        rect.DeflateRect(1, 1);
    } else if (bThemed) {
        theme.Draw(pDC, rect, bPressed ? TS_PRESSED : (bHot ? TS_HOTCHECKED : TS_CHECKED));
        image.Offset(1, 1);
    } else {
        pDC->Draw3dRect(&rect, bCool ? Sys(COLOR_BTNSHADOW) : Sys(COLOR_3DDKSHADOW),
                        Sys(COLOR_BTNHIGHLIGHT));
        if (!bCool) {
            rect.DeflateRect(1, 1);
            pDC->Draw3dRect(&rect, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNFACE));
        }
        image.Offset(1, 1);
    }
    rcImage = CRect(image, CSize(cxImage, cyImage));
    if (m_nSourceX >= 0)
        DrawImage(image.x, image.y, cxImage, cyImage, cache, m_nSourceX, 0);
}

void SECStdBtn::DrawImage(int x, int y, int cx, int cy, SECBtnDrawingCache& cache, int sx, int sy) {
    CDC* pDC = &cache.FaceDC();
    CDC* pSrc = &cache.ImageDC();
    if (!IsFlatLook()) {
        if (IsThemed())
            TransparentBitBlt(pDC, x, y, cx, cy, pSrc, sx, sy, cx, cy, Sys(COLOR_BTNFACE));
        else
            pDC->BitBlt(x, y, cx, cy, pSrc, sx, sy, SRCCOPY);
        return;
    }
    const BOOL bHot = (m_nStyle & SEC_TBBS_HOT) != 0;
    const BOOL bDownOrPressed = (m_nStyle & (SEC_TBBS_CHECKED | SEC_TBBS_PRESSED)) != 0;
    if (bDownOrPressed) {
        TransparentBitBlt(pDC, x + 1, y + 1, cx, cy, pSrc, sx, sy, cx, cy, kFlatImageKey);
    } else if (bHot) {
        DrawBitmapShadow(pDC, x + 2, y + 2, cx, cy, pSrc, sx, sy, kFlatImageKey,
                         GetToolkitColor(30));
        TransparentBitBlt(pDC, x, y, cx, cy, pSrc, sx, sy, cx, cy, kFlatImageKey);
    } else if (!(m_nStyle & SEC_TBBS_DISABLED)) {
        DrawBitmapBlended(pDC, x, y, cx, cy, pSrc, sx, sy, kFlatImageKey, Sys(COLOR_WINDOW), 178);
    }
}

void SECStdBtn::DrawDisabled(SECBtnDrawingCache& cache, const CRect& rcImage) {
    if (IsFlatLook() || IsThemed() || m_nSourceX < 0)
        return;
    // Embossed from the image itself, over the face it was drawn on.
    cache.FaceDC().FillSolidRect(&rcImage, Sys(COLOR_BTNFACE));
    DrawEmbossed(&cache.FaceDC(), rcImage.left, rcImage.top, rcImage.Width(), rcImage.Height(),
                 &cache.ImageDC(), m_nSourceX, 0, TRUE);
}

void SECStdBtn::DrawChecked(SECBtnDrawingCache& cache, const CRect&) {
    if (IsFlatLook() || IsThemed())
        return;
    // The face inside the edges shows the checkerboard; the image and the edges stay.
    CRect inside(0, 0, m_cx, m_cy);
    inside.DeflateRect(2, 2);
    DitherBackground(&cache.FaceDC(), inside, &cache.FaceDC(), inside.left, inside.top,
                     cache.GetDitherBrush());
}

void SECStdBtn::DrawIndeterminate(SECBtnDrawingCache& cache, const CRect& rcImage) {
    if (IsFlatLook() || IsThemed())
        return;
    DitherBackground(&cache.FaceDC(), rcImage, &cache.FaceDC(), rcImage.left, rcImage.top,
                     cache.GetDitherBrush());
}

void SECStdBtn::DrawDither(SECBtnDrawingCache& cache) {
    const DWORD dwBoth = 0x100 | 0x1000;
    if ((m_pBar->GetExBarStyle() & dwBoth) != dwBoth || IsThemed() || m_nSourceX < 0)
        return;
    // Every other image pixel in the face colour: the image looks faded.
    CDC& dc = cache.FaceDC();
    CBrush* pBrush = cache.GetDitherBrush();
    CRect rcImage(
        CPoint((m_cx - m_pBar->GetImageWidth() - 1) / 2, (m_cy - m_pBar->GetImageHeight()) / 2),
        CSize(m_pBar->GetImageWidth(), m_pBar->GetImageHeight()));
    HDC hMask = BuildGlyphMask(rcImage.Width(), rcImage.Height(), &dc, rcImage.left, rcImage.top,
                               Sys(COLOR_BTNFACE), Sys(COLOR_BTNHIGHLIGHT));
    if (hMask == NULL || pBrush == NULL)
        return;
    // Glyph pixels (black in the mask) take the brush: invert the mask's sense with DSna.
    ::BitBlt(hMask, 0, 0, rcImage.Width(), rcImage.Height(), NULL, 0, 0, DSTINVERT);
    CBrush* pOld = dc.SelectObject(pBrush);
    const COLORREF oldBk = dc.SetBkColor(RGB(255, 255, 255));
    const COLORREF oldText = dc.SetTextColor(RGB(0, 0, 0));
    ::BitBlt(dc, rcImage.left, rcImage.top, rcImage.Width(), rcImage.Height(), hMask, 0, 0,
             kRopBrushWhereWhite);
    dc.SetBkColor(oldBk);
    dc.SetTextColor(oldText);
    if (pOld != NULL)
        dc.SelectObject(pOld);
}

void SECStdBtn::DrawSelection(SECBtnDrawingCache& cache) {
    if (m_nStyle & SEC_TBBS_SELECTED)
        DrawSelectionFrame(cache);
}

void SECStdBtn::DrawSelectionFrame(SECBtnDrawingCache& cache) {
    CDC& dc = cache.FaceDC();
    const CRect rect(0, 0, m_cx, m_cy);
    const COLORREF oldText = dc.SetTextColor(RGB(255, 255, 255));
    const COLORREF oldBk = dc.SetBkColor(RGB(0, 0, 0));
    dc.DrawDragRect(&rect, CSize(3, 3), NULL, CSize(0, 0));
    dc.SetTextColor(oldText);
    dc.SetBkColor(oldBk);
}

BOOL SECStdBtn::DrawSeparator(CDC* pDC) {
    if (!(m_nStyle & SEC_TBBS_SEPARATOR))
        return FALSE;
    if (!m_pBar->IsCoolLook() || (m_nStyle & SEC_TBBS_WRAPPED))
        return TRUE; // the bar's background shows
    const CRect rect = GetRect();
    const BOOL bVertical = m_pBar->IsVertical();
    if (IsFlatLook()) {
        pDC->FillSolidRect(&rect, GetToolkitColor(0));
        if (bVertical)
            pDC->FillSolidRect(rect.left, rect.top + rect.Height() / 2, rect.Width(), 1,
                               GetToolkitColor(1));
        else
            pDC->FillSolidRect(rect.left + m_pBar->GetSeparatorWidth() / 2, rect.top, 1,
                               rect.Height(), GetToolkitColor(1));
        return TRUE;
    }
    const DWORD dwBoth = 0x100 | 0x1000;
    if ((m_pBar->GetExBarStyle() & dwBoth) != dwBoth)
        pDC->FillSolidRect(&rect, Sys(COLOR_BTNFACE));
    if (bVertical) {
        const int y = rect.top + rect.Height() / 2 - 1;
        pDC->FillSolidRect(rect.left, y, rect.Width(), 1, Sys(COLOR_BTNSHADOW));
        pDC->FillSolidRect(rect.left, y + 1, rect.Width(), 1, Sys(COLOR_BTNHIGHLIGHT));
    } else {
        const int x = rect.left + m_pBar->GetSeparatorWidth() / 2 - 1;
        pDC->FillSolidRect(x, rect.top, 1, rect.Height(), Sys(COLOR_BTNSHADOW));
        pDC->FillSolidRect(x + 1, rect.top, 1, rect.Height(), Sys(COLOR_BTNHIGHLIGHT));
    }
    return TRUE;
}

void SECStdBtn::Blit(CDC* pDC, SECBtnDrawingCache& cache) {
    pDC->BitBlt(m_x, m_y, m_cx, m_cy, &cache.FaceDC(), 0, 0, SRCCOPY);
}
