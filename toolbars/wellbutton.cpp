#include "toolbars/wellbutton.h"

namespace corvalis {
namespace foundation {

IMPLEMENT_DYNAMIC(SECWellButton, SECOwnerDrawButton)

BEGIN_MESSAGE_MAP(SECWellButton, SECOwnerDrawButton)
ON_MESSAGE(WM_COLORWELL_CHANGED, OnColorChanged)
ON_MESSAGE(WM_COLORWELL_OTHER, OnOtherColor)
END_MESSAGE_MAP()

SECWellButton::SECWellButton() : m_pPopup(std::make_unique<SECPopupColorWell>()) {
    CreateWellPalette();
}

SECWellButton::~SECWellButton() {
    m_pPopup.reset();
    m_palette.DeleteObject();
}

BOOL SECWellButton::CreateWellPalette() {
    LOGPALETTE log{0x300, 1, {{0, 0, 0, 0}}};
    m_palette.DeleteObject();
    return m_palette.CreatePalette(&log);
}

void SECWellButton::SetColor(COLORREF color) {
    PALETTEENTRY pe{GetRValue(color), GetGValue(color), GetBValue(color), 0};
    ::SetPaletteEntries((HPALETTE)m_palette.GetSafeHandle(), 0, 1, &pe);
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}

COLORREF SECWellButton::GetColor() const {
    PALETTEENTRY pe{};
    m_palette.GetPaletteEntries(0, 1, &pe);
    return RGB(pe.peRed, pe.peGreen, pe.peBlue);
}

void SECWellButton::OnClicked() {
    if (m_pPopup->IsPopupActive())
        return;
    m_bHot = FALSE;
    OpenPopup();
}

void SECWellButton::OpenPopup() {
    m_pPopup->ResetWell();
    CRect anchor;
    GetWindowRect(&anchor);
    if (!m_pPopup->CreatePopup(WS_VISIBLE, anchor, GetParent(), m_bPopupHasOther))
        return;
    m_pPopup->SetColor(GetColor());
    m_pPopup->SetPaletteMode(m_bPaletteMode);
    m_pPopup->SetOwnerButton(this);
}

LRESULT SECWellButton::OnColorChanged(WPARAM, LPARAM lParam) {
    SetColor((COLORREF)lParam);
    UpdateWindow();
    if (HWND hParent = ::GetParent(m_hWnd))
        ::SendMessageW(hParent, WM_COLORWELL_CHANGED, (WPARAM)GetDlgCtrlID(), lParam);
    return 0;
}

LRESULT SECWellButton::OnOtherColor(WPARAM, LPARAM) {
    COLORREF color = GetColor();
    if (RunWellColorDialog(this, color, m_dwColorDialogFlags, m_pCustomColors) && m_hWnd != NULL)
        OnColorChanged(0, (LPARAM)color);
    return 0;
}

void SECWellButton::PrepareDC(CDC* pItemDC, CDC* pMemDC) {
    m_pOldItemPalette = m_pOldMemPalette = nullptr;
    if (!m_bPaletteMode)
        return;
    m_pOldItemPalette = pItemDC->SelectPalette(&m_palette, FALSE);
    pItemDC->RealizePalette();
    if (pMemDC != pItemDC) {
        m_pOldMemPalette = pMemDC->SelectPalette(&m_palette, FALSE);
        pMemDC->RealizePalette();
    }
}

void SECWellButton::RestoreDC(CDC* pItemDC, CDC* pMemDC) {
    if (m_pOldItemPalette != nullptr)
        pItemDC->SelectPalette(m_pOldItemPalette, FALSE);
    if (m_pOldMemPalette != nullptr && pMemDC != pItemDC)
        pMemDC->SelectPalette(m_pOldMemPalette, FALSE);
    m_pOldItemPalette = m_pOldMemPalette = nullptr;
}

void SECWellButton::DrawFocusRectangle(CDC* pDC, CRect rect) {
    rect.DeflateRect(1, 1);
    pDC->DrawFocusRect(&rect);
}

void SECWellButton::DrawContent(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, const CRect& rcFace) {
    CRect f = rcFace;
    if ((lpDIS->itemState & ODS_FOCUS) && !m_bFlat)
        f.DeflateRect(1, 1);

    const int x = f.right - 7, y = f.top + (f.Height() - 3) / 2;
    const POINT arrow[3] = {{x, y}, {x + 4, y}, {x + 2, y + 2}};
    CPen* pOldPen = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    CBrush* pOldBrush = (CBrush*)pDC->SelectStockObject(BLACK_BRUSH);
    const int nOldFill = ::SetPolyFillMode(pDC->GetSafeHdc(), WINDING);
    pDC->Polygon(arrow, 3);
    ::SetPolyFillMode(pDC->GetSafeHdc(), nOldFill);

    pDC->FillSolidRect(f.right - 10, f.top + 2, 1, f.Height() - 4, s_clrShadow);
    pDC->FillSolidRect(f.right - 9, f.top + 2, 1, f.Height() - 4, s_clrHighlight);

    if (!(lpDIS->itemState & ODS_DISABLED)) {
        CRect swatch(f.left + 3, f.top + 2, f.right - 13, f.bottom - 2);
        CBrush brush(m_bPaletteMode ? PALETTEINDEX(0) : GetColor());
        pDC->SelectObject(&brush);
        pDC->Rectangle(&swatch);
        pDC->SelectObject(pOldBrush);
    }
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void AFXAPI DDX_WellButtonColor(CDataExchange* pDX, SECWellButton& button, COLORREF& color) {
    if (pDX->m_bSaveAndValidate)
        color = button.GetColor();
    else
        button.SetColor(color);
}

} // namespace foundation
} // namespace corvalis
