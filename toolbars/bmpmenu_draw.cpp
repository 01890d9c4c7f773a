// Measuring and drawing of the bitmap menus' items: the image column (toolbar image, check
// mark or radio dot) and the text beside it.
#ifndef OEMRESOURCE
#define OEMRESOURCE
#endif
#include "toolbars/bmpmenu.h"

#include "toolbars/drawing/ditherbrush.h"
#include "toolbars/drawing/drawing.h"

#include <algorithm>

namespace {

SECBmpMenuPlugIn::Colors g_colors;

struct RadioDot {
    HBITMAP hBitmap = NULL;
    int nRefs = 0;
};
RadioDot g_radioDot;

// Rows 4 to 8 hold the dot; bits are pixels from the left, set for white.
HBITMAP CreateRadioDot() {
    const WORD dot[] = {0x06, 0x0F, 0x0F, 0x0F, 0x06};
    BYTE bits[15 * 2];
    for (int row = 0; row < 15; ++row) {
        WORD line = 0;
        if (row >= 4 && row <= 8)
            line = static_cast<WORD>(dot[row - 4] << 6);
        line = static_cast<WORD>(~line);
        // Monochrome scan lines: the most significant bit is the leftmost pixel.
        bits[row * 2] = HIBYTE(line);
        bits[row * 2 + 1] = LOBYTE(line);
    }
    return ::CreateBitmap(16, 15, 1, 1, bits);
}

CSize BitmapSize(HBITMAP hBitmap) {
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObjectW(hBitmap, sizeof(bm), &bm) == 0)
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

bool IsMonochrome(HBITMAP hBitmap) {
    BITMAP bm = {};
    return ::GetObjectW(hBitmap, sizeof(bm), &bm) != 0 && bm.bmBitsPixel == 1 && bm.bmPlanes == 1;
}

// The menu font of the non-client metrics, bold for the default item.
BOOL CreateMenuFontOf(CFont& font, LONG weight) {
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) {
        // Systems before Vista know the structure without its last field.
        ncm.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
        if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
            return FALSE; // the DC's own font serves
    }
    if (weight != 0)
        ncm.lfMenuFont.lfWeight = weight;
    return font.CreateFontIndirect(&ncm.lfMenuFont);
}

} // namespace

const SECBmpMenuPlugIn::Colors& SECBmpMenuPlugIn::GetColors() {
    return g_colors;
}

void SECBmpMenuPlugIn::RefreshColors() {
    g_colors.face = ::GetSysColor(COLOR_BTNFACE);
    g_colors.highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    g_colors.highlight2 = g_colors.highlight;
    g_colors.shadow = ::GetSysColor(COLOR_BTNSHADOW);
    g_colors.selection = ::GetSysColor(COLOR_HIGHLIGHT);
    g_colors.menu = ::GetSysColor(COLOR_MENU);
    g_colors.grayText = ::GetSysColor(COLOR_GRAYTEXT);
    g_colors.selectionText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    g_colors.menuText = ::GetSysColor(COLOR_MENUTEXT);
}

HBITMAP AcquireRadioDot() {
    if (g_radioDot.hBitmap == NULL)
        g_radioDot.hBitmap = CreateRadioDot();
    if (g_radioDot.hBitmap == NULL)
        return NULL;
    ++g_radioDot.nRefs;
    return g_radioDot.hBitmap;
}

void ReleaseRadioDot() {
    if (g_radioDot.nRefs > 0 && --g_radioDot.nRefs == 0) {
        ::DeleteObject(g_radioDot.hBitmap);
        g_radioDot.hBitmap = NULL;
    }
}

HBITMAP GetRadioDot() {
    return g_radioDot.hBitmap;
}

void SECBmpMenuPlugIn::CreateMenuFont() {
    if (m_menuFont.GetSafeHandle() == NULL)
        CreateMenuFontOf(m_menuFont, 0);
}

void SECBmpMenuPlugIn::CreateBoldMenuFont() {
    if (m_boldMenuFont.GetSafeHandle() == NULL)
        CreateMenuFontOf(m_boldMenuFont, FW_BOLD);
}

CBrush* SECBmpMenuPlugIn::GetCheckedImageBrush() {
    if (m_checkedImageBrush.GetSafeHandle() == NULL &&
        !CreateDitherBrush(m_checkedImageBrush, g_colors.face, g_colors.highlight))
        return NULL;
    return &m_checkedImageBrush;
}

HBITMAP SECBmpMenuPlugIn::CheckGlyph(const MENUITEMINFOW& mii) {
    if (mii.hbmpChecked != NULL)
        return mii.hbmpChecked;
    if (m_bOwnCheckBitmaps && (mii.fType & MFT_RADIOCHECK) && GetRadioDot() != NULL)
        return GetRadioDot();
    if (m_checkBitmap.GetSafeHandle() == NULL) {
        if (!m_bOwnCheckBitmaps ||
            !LoadSysColorBitmap(m_checkBitmap, MAKEINTRESOURCEW(IDB_SECBMPMENU_CHECK)))
            m_checkBitmap.LoadOEMBitmap(OBM_CHECK);
    }
    return static_cast<HBITMAP>(m_checkBitmap.GetSafeHandle());
}

CSize SECBmpMenuPlugIn::MeasureInfo(const SECBmpMenuItemInfo& info) {
    CreateMenuFont();
    CWindowDC dc(NULL);
    CFont* pOldFont = m_menuFont.GetSafeHandle() != NULL ? dc.SelectObject(&m_menuFont) : NULL;
    CRect text(0, 0, 0, 0);
    // Tabs expanded, so that the accelerator text keeps its distance from the label.
    dc.DrawText(info.m_strText, &text, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    // Items are drawn with the small images, so they are measured with them too.
    const CSize image = m_pBmpMgr->GetSmallImageSize();
    const int cy = std::max({static_cast<int>(text.Height()), ::GetSystemMetrics(SM_CYMENU),
                             static_cast<int>(image.cy) + 4});
    return CSize(text.Width() + image.cx + 30, cy);
}

void SECBmpMenuPlugIn::DrawInfo(const DRAWITEMSTRUCT& dis, const SECBmpMenuItemInfo& info) {
    CDC* pDC = CDC::FromHandle(dis.hDC);
    const BOOL bSelected = (dis.itemState & ODS_SELECTED) != 0;
    const BOOL bGrayed = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const BOOL bThemed = IsThemed();

    CString label = info.m_strText;
    CString accel;
    const int nTab = label.Find(L'\t');
    if (nTab >= 0) {
        accel = label.Mid(nTab + 1);
        label = label.Left(nTab);
    }

    const CSize small = m_pBmpMgr->GetSmallImageSize();
    HBITMAP hBitmap = NULL;
    int nIndex = -1;
    CSize glyph = small;
    if (!m_pBmpMgr->GetImage(info.m_nID, hBitmap, nIndex, TRUE) || hBitmap == NULL) {
        hBitmap = NULL;
        nIndex = -1;
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_CHECKMARKS;
        const HMENU hMenu = reinterpret_cast<HMENU>(dis.hwndItem);
        if (::GetMenuItemInfoW(hMenu, dis.itemID, FALSE, &mii)) {
            hBitmap = (dis.itemState & ODS_CHECKED) ? CheckGlyph(mii) : mii.hbmpUnchecked;
            if (hBitmap != NULL) {
                nIndex = 0;
                glyph = BitmapSize(hBitmap);
            }
        }
    }

    CreateMenuFont();
    CreateBoldMenuFont();
    CFont* pFont = (dis.itemState & ODS_DEFAULT) ? &m_boldMenuFont : &m_menuFont;
    CFont* pOldFont = pFont->GetSafeHandle() != NULL ? pDC->SelectObject(pFont) : NULL;

    CRect rect = dis.rcItem;
    DrawImage(&dis, pDC, rect, hBitmap, nIndex, glyph.cx, glyph.cy);
    if (!bThemed) {
        const COLORREF column = (bSelected && nIndex < 0) ? g_colors.selection : g_colors.menu;
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), column);
    }
    rect.left += 1;
    pDC->SetBkMode(TRANSPARENT);
    const COLORREF back = bSelected ? g_colors.selection : g_colors.menu;
    pDC->FillSolidRect(&rect, back);
    pDC->SetBkColor(back);
    rect.left += 1;
    rect.right -= 23;

    UINT nFormat = DT_SINGLELINE | DT_VCENTER;
    if (dis.itemState & ODS_NOACCEL)
        nFormat |= DT_HIDEPREFIX;
    if (!bGrayed) {
        pDC->SetTextColor(bSelected ? g_colors.selectionText : g_colors.menuText);
        pDC->DrawText(label, &rect, nFormat);
    } else if (bSelected) {
        pDC->SetTextColor(g_colors.grayText);
        pDC->DrawText(label, &rect, nFormat);
    } else {
        CRect raised = rect;
        raised.OffsetRect(1, 1);
        pDC->SetTextColor(g_colors.highlight);
        pDC->DrawText(label, &raised, nFormat);
        if (!accel.IsEmpty())
            pDC->DrawText(accel, &raised, nFormat | DT_RIGHT);
        pDC->SetTextColor(g_colors.shadow);
        pDC->DrawText(label, &rect, nFormat);
    }
    if (!accel.IsEmpty())
        pDC->DrawText(accel, &rect, nFormat | DT_RIGHT);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}

void SECBmpMenuPlugIn::DrawImage(const DRAWITEMSTRUCT* pDIS, CDC* pDC, CRect& rect, HBITMAP hBitmap,
                                 int nIndex, int cx, int cy) {
    const BOOL bSelected = (pDIS->itemState & ODS_SELECTED) != 0;
    const BOOL bGrayed = (pDIS->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const BOOL bChecked = (pDIS->itemState & ODS_CHECKED) != 0;
    const BOOL bThemed = IsThemed();
    // Every item's column is as wide as the small images, so that all texts line up.
    const int column = std::max<int>(m_pBmpMgr->GetSmallImageSize().cx, cx);
    // The box starts one pixel in; that pixel is painted with it.
    CRect box(rect.left + 1, rect.top, rect.left + 1 + column + 4, rect.bottom);
    const CRect filled(rect.left, rect.top, box.right, rect.bottom);
    rect.left = box.right;

    if (nIndex < 0 || hBitmap == NULL) {
        pDC->FillSolidRect(&filled, bSelected ? g_colors.selection : g_colors.menu);
        return;
    }
    pDC->FillSolidRect(&filled, (bThemed && bSelected) ? g_colors.selection : g_colors.menu);
    box.top += (box.Height() - (cy + 4)) / 2;
    box.bottom = box.top + cy + 4;
    if (!bThemed) {
        if (bChecked)
            pDC->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
        else if (bSelected && !bGrayed)
            pDC->DrawEdge(&box, BDR_RAISEDINNER, BF_RECT);
    }
    box.DeflateRect(1, 1);
    box.OffsetRect(1, 1);
    const int x = box.left + (column - cx) / 2;
    const int y = box.top;

    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return;
    const HGDIOBJ hOld = ::SelectObject(memDC, hBitmap);
    const int sx = nIndex * cx;
    if (bGrayed) {
        DrawDisabledImage(pDC, x, y, cx, cy, &memDC, sx);
    } else {
        if (IsMonochrome(hBitmap)) {
            // A check mark or radio dot: its black in the text colour on the box.
            const COLORREF oldText = pDC->SetTextColor(bSelected && bThemed ? g_colors.selectionText
                                                                            : g_colors.menuText);
            const COLORREF oldBk =
                pDC->SetBkColor((bThemed && bSelected) ? g_colors.selection : g_colors.menu);
            pDC->BitBlt(x, y, cx, cy, &memDC, sx, 0, SRCCOPY);
            pDC->SetTextColor(oldText);
            pDC->SetBkColor(oldBk);
        } else {
            TransparentBitBlt(pDC, x, y, cx, cy, &memDC, sx, 0, cx, cy, g_colors.face);
        }
        if (bChecked && !bSelected)
            DrawCheckedImage(pDC, x, y, cx, cy, &memDC, sx);
    }
    ::SelectObject(memDC, hOld);
}

HDC SECBmpMenuPlugIn::CreateImageMask(int cx, int cy, CDC* pSrcDC, int sx) {
    return BuildGlyphMask(cx, cy, pSrcDC, sx, 0, g_colors.face, g_colors.highlight);
}

void SECBmpMenuPlugIn::DrawDisabledImage(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC,
                                         int sx) {
    DrawEmbossed(pDC, x, y, cx, cy, pSrcDC, sx, 0, g_colors.face, g_colors.highlight,
                 g_colors.shadow);
}

void SECBmpMenuPlugIn::DrawCheckedImage(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC,
                                        int sx) {
    if (IsThemed())
        return;
    CBrush* pBrush = GetCheckedImageBrush();
    HDC hMask = pBrush != NULL ? CreateImageMask(cx, cy, pSrcDC, sx) : NULL;
    if (hMask == NULL)
        return;
    // Where the mask is white (the image's background) the dither is painted.
    CBrush* pOldBrush = pDC->SelectObject(pBrush);
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    ::BitBlt(*pDC, x, y, cx, cy, hMask, 0, 0, 0xE20746);
    pDC->SetBkColor(oldBk);
    pDC->SetTextColor(oldText);
    if (pOldBrush != NULL)
        pDC->SelectObject(pOldBrush);
}
