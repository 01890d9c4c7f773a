#include "toolbars/colorwell.h"

#include "toolbars/drawing/themeapi.h"

#include <algorithm>
#include <vector>

namespace corvalis {
namespace foundation {

namespace {

// Used when the system's default palette yields no entries.
const COLORREF kBuiltInColors[20] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192),
    RGB(192, 220, 192), RGB(166, 202, 240), RGB(255, 251, 240), RGB(160, 160, 164),
    RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};

COLORREF EntryColor(const PALETTEENTRY& pe) {
    return RGB(pe.peRed, pe.peGreen, pe.peBlue);
}

void FrameColor(CDC* pDC, const CRect& rect, COLORREF color) {
    pDC->Draw3dRect(rect, color, color);
}

BOOL SameWindow(const CWnd* pWnd, HWND hWnd) {
    return pWnd != nullptr && hWnd != NULL && pWnd->GetSafeHwnd() == hWnd;
}

} // namespace

int GetDefaultWellColors(PALETTEENTRY* pEntries, int nCount) {
    if (nCount <= 0)
        return 0;
    auto hPalette = (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
    int nGot = hPalette != NULL ? (int)::GetPaletteEntries(hPalette, 0, nCount, pEntries) : 0;
    if (nGot <= 0) {
        nGot = std::min(nCount, 20);
        for (int i = 0; i < nGot; ++i) {
            pEntries[i].peRed = GetRValue(kBuiltInColors[i]);
            pEntries[i].peGreen = GetGValue(kBuiltInColors[i]);
            pEntries[i].peBlue = GetBValue(kBuiltInColors[i]);
        }
    }
    for (int i = 0; i < nGot; ++i)
        pEntries[i].peFlags = 0;
    return nGot;
}

// ---- SECOtherButton ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECOtherButton, CButton)

BEGIN_MESSAGE_MAP(SECOtherButton, CButton)
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

SECColorWell* SECOtherButton::Well() const {
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return DYNAMIC_DOWNCAST(SECColorWell, pParent);
}

UINT SECOtherButton::OnGetDlgCode() {
    return DLGC_BUTTON | DLGC_WANTTAB;
}

void SECOtherButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    SECColorWell* pWell = Well();
    if (pWell == nullptr)
        return CButton::OnKeyDown(nChar, nRepCnt, nFlags);
    if (pWell->IsKindOf(RUNTIME_CLASS(SECPopupColorWell))) {
        if (nChar == VK_TAB || nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP ||
            nChar == VK_DOWN) {
            pWell->SetFocus();
            return;
        }
    } else if (nChar == VK_TAB) {
        if (::GetKeyState(VK_SHIFT) < 0) {
            pWell->SetFocus();
        } else if (CWnd* pDialog = pWell->GetParent()) {
            if (CWnd* pNext = pDialog->GetNextDlgTabItem(pWell))
                pNext->SetFocus();
        }
        return;
    }
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void SECOtherButton::OnKillFocus(CWnd* pNewWnd) {
    CButton::OnKillFocus(pNewWnd);
    SECColorWell* pWell = Well();
    auto* pPopup = DYNAMIC_DOWNCAST(SECPopupColorWell, pWell);
    if (pPopup == nullptr || SameWindow(pWell, pNewWnd ? pNewWnd->m_hWnd : NULL))
        return;
    pPopup->OnOtherButtonFocusLost(pNewWnd ? pNewWnd->m_hWnd : NULL);
}

// ---- SECColorWell ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECColorWell, CWnd)

BEGIN_MESSAGE_MAP(SECColorWell, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_SYSCOLORCHANGE()
ON_WM_CTLCOLOR()
ON_COMMAND(ID_COLORWELL_OTHER, OnOtherCommand)
END_MESSAGE_MAP()

SECColorWell::SECColorWell() {
    ReadSysColors();
    m_brBackground.CreateSolidBrush(m_clrBackground);
    m_nCustomCol = m_nCols - 1;
    m_nCustomRow = m_nRows;
    m_nCustomIndex = m_nRows * m_nCols;
    ResetWell();
}

SECColorWell::~SECColorWell() {
    // The button's window goes with ours; the base destructor takes ours down after this.
    if (m_hWnd != NULL)
        DestroyWindow();
    m_pOtherButton.reset();
}

void SECColorWell::ReadSysColors() {
    m_clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrDarkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_clrLight = ::GetSysColor(COLOR_3DLIGHT);
    m_clrBackground = ::GetSysColor(COLOR_BTNFACE);
    m_clrFrame = ::GetSysColor(COLOR_WINDOWFRAME);
}

void SECColorWell::ResetWell() {
    m_nSelRow = m_nSelCol = 0;
    m_nMarginX = m_nMarginY = 2;
    m_bFocus = m_bTracking = m_bHasOther = m_bCustomVisible = m_bPaletteMode = FALSE;
    m_pOtherButton.reset();
    m_palette.DeleteObject();
}

void SECColorWell::SetDefaultGrid() {
    m_nRows = 5;
    m_nCols = 4;
}

void SECColorWell::FillWellPalette(PALETTEENTRY*, int, int) {}

void SECColorWell::SetMargins(DWORD dwStyle) {
    m_nMarginX = m_nMarginY = (dwStyle & CWS_RAISEDBORDER) ? 4 : 2;
    if (ShowsFocus()) {
        ++m_nMarginX;
        ++m_nMarginY;
    }
}

void SECColorWell::CalcWellRect(CRect& rect, CWnd* pParentWnd, int x, int y, BOOL bDialogUnits) {
    if (pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CDialog))) {
        CRect cell(0, 0, 10, 10);
        pParentWnd->MapDialogRect(&cell);
        m_nCellWidth = cell.Width();
        m_nCellHeight = cell.Height();
        if (bDialogUnits) {
            CRect origin(x, y, x, y);
            pParentWnd->MapDialogRect(&origin);
            x = origin.left;
            y = origin.top;
        }
    } else {
        const LONG units = ::GetDialogBaseUnits();
        const int baseX = LOWORD(units), baseY = HIWORD(units);
        m_nCellWidth = baseX * 10 / 4;
        m_nCellHeight = baseY * 10 / 8;
        if (bDialogUnits) {
            x = baseX * x / 4;
            y = baseY * y / 8;
        }
    }
    const int cx = 2 * m_nMarginX + m_nCols * (m_nCellWidth + 2) - 2;
    int cy = 2 * m_nMarginY + m_nRows * (m_nCellHeight + 2) - 2;
    if (m_bHasOther)
        cy += m_nCellHeight + 2 + 6;
    m_nOtherRowHeight = m_nCellHeight + 2;
    rect.SetRect(x, y, x + cx, y + cy);
}

BOOL SECColorWell::CreateWellPalette() {
    const int nCells = m_nRows * m_nCols;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + nCells * sizeof(PALETTEENTRY), 0);
    auto* pLog = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)(nCells + 1);
    const int nDefaults = GetDefaultWellColors(pLog->palPalEntry, nCells);
    FillWellPalette(pLog->palPalEntry, nCells, nDefaults);
    pLog->palPalEntry[nCells] = PALETTEENTRY{0, 0, 0, 0};
    m_bCustomVisible = FALSE;
    m_palette.DeleteObject();
    return m_palette.CreatePalette(pLog);
}

BOOL SECColorWell::Create(DWORD dwStyle, int x, int y, CWnd* pParentWnd, UINT nID,
                          BOOL bDialogUnits, BOOL bOtherButton, LPVOID lpParam) {
    SetDefaultGrid();
    m_nCustomCol = m_nCols - 1;
    m_nCustomRow = m_nRows;
    m_nCustomIndex = m_nRows * m_nCols;
    m_bHasOther = bOtherButton;
    SetMargins(dwStyle);
    CRect rect;
    CalcWellRect(rect, pParentWnd, x, y, bDialogUnits);
    CreateWellPalette();
    m_dwWellStyle = dwStyle;

    // A popup well is a top-level window; everything else is a child.
    const DWORD dwKind = (dwStyle & WS_POPUP) ? 0 : WS_CHILD;
    LPCTSTR lpszClass = AfxRegisterWndClass(GetWellClassStyle());
    if (!CWnd::CreateEx(0, lpszClass, NULL, dwStyle | dwKind | WS_CLIPCHILDREN, rect.left, rect.top,
                        rect.Width(), rect.Height(), pParentWnd->GetSafeHwnd(),
                        (HMENU)(UINT_PTR)nID, lpParam)) {
        m_palette.DeleteObject();
        return FALSE;
    }
    if (m_bHasOther && !CreateOtherButton(pParentWnd)) {
        m_pOtherButton.reset();
        m_palette.DeleteObject();
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL SECColorWell::CreateOtherButton(CWnd* pParentWnd) {
    CString text;
    if (!text.LoadString(IDS_COLORWELL_OTHER))
        text = L"&Other...";
    CRect client;
    GetClientRect(&client);
    CRect rect(m_nMarginX, client.bottom - m_nMarginY - m_nOtherRowHeight,
               client.right - m_nMarginX, client.bottom - m_nMarginY);
    m_pOtherButton = std::make_unique<SECOtherButton>();
    if (!m_pOtherButton->Create(text, WS_CHILD | WS_VISIBLE, rect, this, ID_COLORWELL_OTHER))
        return FALSE;
    if (pParentWnd != nullptr) {
        LRESULT hFont = pParentWnd->SendMessage(WM_GETFONT);
        m_pOtherButton->SendMessage(WM_SETFONT, (WPARAM)hFont, TRUE);
    }
    return TRUE;
}

BOOL SECColorWell::IsCustomCell(int nCol, int nRow) const {
    return nCol == m_nCustomCol && nRow == m_nCustomRow;
}

COLORREF SECColorWell::CellColor(int nCol, int nRow) const {
    const int nIndex = IsCustomCell(nCol, nRow) ? m_nCustomIndex : m_nCols * nRow + nCol;
    PALETTEENTRY pe{};
    if (m_palette.GetSafeHandle() != NULL) {
        m_palette.GetPaletteEntries(nIndex, 1, &pe);
    } else if (nIndex < m_nRows * m_nCols) {
        // Before the window exists the grid holds the default colours.
        std::vector<PALETTEENTRY> entries(m_nRows * m_nCols);
        if (nIndex < GetDefaultWellColors(entries.data(), (int)entries.size()))
            pe = entries[nIndex];
    }
    return EntryColor(pe);
}

COLORREF SECColorWell::CellPaintColor(int nCol, int nRow) const {
    if (!m_bPaletteMode)
        return CellColor(nCol, nRow);
    return PALETTEINDEX(IsCustomCell(nCol, nRow) ? m_nCustomIndex : m_nCols * nRow + nCol);
}

COLORREF SECColorWell::GetColor() const {
    return CellColor(m_nSelCol, m_nSelRow);
}

void SECColorWell::SetColor(COLORREF color) {
    color &= 0x00FFFFFF;
    for (int c = 0; c < m_nCols; ++c)
        for (int r = 0; r < m_nRows; ++r)
            if (CellColor(c, r) == color) {
                InvalidateCell(m_nSelCol, m_nSelRow);
                m_nSelCol = c;
                m_nSelRow = r;
                InvalidateCell(c, r);
                return;
            }
    if (m_hWnd == NULL || !m_bHasOther || m_palette.GetSafeHandle() == NULL)
        return;
    PALETTEENTRY pe{GetRValue(color), GetGValue(color), GetBValue(color), 0};
    ::SetPaletteEntries((HPALETTE)m_palette.GetSafeHandle(), m_nCustomIndex, 1, &pe);
    ShowCustomCell();
    InvalidateCell(m_nSelCol, m_nSelRow);
    m_nSelCol = m_nCustomCol;
    m_nSelRow = m_nCustomRow;
    InvalidateCell(m_nSelCol, m_nSelRow);
}

void SECColorWell::ShowCustomCell() {
    if (m_bCustomVisible)
        return;
    m_bCustomVisible = TRUE;
    if (m_pOtherButton && m_pOtherButton->GetSafeHwnd() != NULL) {
        CRect rect;
        m_pOtherButton->GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.right -= m_nCellWidth + 2;
        m_pOtherButton->MoveWindow(&rect);
    }
}

CRect SECColorWell::GridRect() const {
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(m_nMarginX, m_nMarginY);
    return rect;
}

CRect SECColorWell::GetCellRect(int nCol, int nRow) const {
    const CRect grid = GridRect();
    CRect cell(grid.left + nCol * (m_nCellWidth + 2), grid.top + nRow * (m_nCellHeight + 2), 0, 0);
    cell.right = cell.left + m_nCellWidth;
    cell.bottom = cell.top + m_nCellHeight;
    if (IsCustomCell(nCol, nRow) && m_bHasOther)
        cell.OffsetRect(0, 5);
    return cell;
}

void SECColorWell::InvalidateCell(int nCol, int nRow) {
    if (m_hWnd == NULL)
        return;
    CRect rect = GetCellRect(nCol, nRow);
    rect.InflateRect(1, 1);
    InvalidateRect(&rect, FALSE);
}

BOOL SECColorWell::HitCell(CPoint point, int& nCol, int& nRow) const {
    for (int c = 0; c < m_nCols; ++c)
        for (int r = 0; r < m_nRows; ++r) {
            CRect rect = GetCellRect(c, r);
            rect.InflateRect(1, 1);
            if (rect.PtInRect(point)) {
                nCol = c;
                nRow = r;
                return TRUE;
            }
        }
    if (m_bCustomVisible) {
        CRect rect = GetCellRect(m_nCustomCol, m_nCustomRow);
        rect.InflateRect(1, 1);
        if (rect.PtInRect(point)) {
            nCol = m_nCustomCol;
            nRow = m_nCustomRow;
            return TRUE;
        }
    }
    return FALSE;
}

void SECColorWell::SelectCell(int nCol, int nRow, int) {
    InvalidateCell(m_nSelCol, m_nSelRow);
    m_nSelCol = nCol;
    m_nSelRow = nRow;
    InvalidateCell(nCol, nRow);
    NotifyColorChange();
}

void SECColorWell::NotifyColorChange() {
    if (m_hWnd == NULL)
        return;
    if (HWND hParent = ::GetParent(m_hWnd))
        ::SendMessageW(hParent, WM_COLORWELL_CHANGED, (WPARAM)GetDlgCtrlID(), (LPARAM)GetColor());
}

// ---- painting ----------------------------------------------------------------------------------

BOOL SECColorWell::OnEraseBkgnd(CDC*) {
    // Painting covers every pixel.
    return TRUE;
}

void SECColorWell::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const BOOL bPalette = m_bPaletteMode && m_palette.GetSafeHandle() != NULL;
    CPalette* pOldPalette = nullptr;
    if (bPalette) {
        pOldPalette = dc.SelectPalette(&m_palette, TRUE);
        dc.RealizePalette();
    }
    CDC memDC;
    CBitmap bitmap;
    if (memDC.CreateCompatibleDC(&dc) &&
        bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
        CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
        CPalette* pOldMemPalette = bPalette ? memDC.SelectPalette(&m_palette, TRUE) : nullptr;
        if (bPalette)
            memDC.RealizePalette();
        DrawWell(&memDC, &dc);
        CRect clip;
        dc.GetClipBox(&clip);
        dc.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &memDC, clip.left, clip.top,
                  SRCCOPY);
        if (pOldMemPalette != nullptr)
            memDC.SelectPalette(pOldMemPalette, TRUE);
        memDC.SelectObject(pOldBitmap);
    } else {
        DrawWell(&dc, &dc);
    }
    if (pOldPalette != nullptr)
        dc.SelectPalette(pOldPalette, TRUE);
}

void SECColorWell::DrawWell(CDC* pDC, CDC* pPaintDC) {
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, m_clrFace);
    if (ShowsFocus()) {
        if (m_bFocus)
            FrameColor(pDC, rect, m_clrFrame);
        rect.DeflateRect(1, 1);
    }
    if (m_dwWellStyle & CWS_RAISEDBORDER) {
        pDC->Draw3dRect(rect, m_clrLight, m_clrDarkShadow);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, m_clrHighlight, m_clrShadow);
    }
    const CRect grid = GridRect();
    for (int c = 0; c < m_nCols; ++c)
        for (int r = 0; r < m_nRows; ++r) {
            if (c == m_nSelCol && r == m_nSelRow)
                DrawSelectedCell(pDC, pPaintDC, grid, c, r);
            else
                DrawCell(pDC, pPaintDC, grid, c, r);
        }
    if (!m_bHasOther)
        return;
    const int y = grid.top + m_nRows * (m_nCellHeight + 2);
    CRect line(grid.left, y, grid.left + m_nCols * (m_nCellWidth + 2) - 2, y + 2);
    pDC->Draw3dRect(line, m_clrShadow, RGB(255, 255, 255));
    if (!m_bCustomVisible)
        return;
    if (IsCustomCell(m_nSelCol, m_nSelRow))
        DrawSelectedCell(pDC, pPaintDC, grid, m_nCustomCol, m_nCustomRow);
    else
        DrawCell(pDC, pPaintDC, grid, m_nCustomCol, m_nCustomRow);
}

void SECColorWell::DrawCell(CDC* pDC, CDC* pPaintDC, const CRect&, int nCol, int nRow) {
    CRect rect = GetCellRect(nCol, nRow);
    if (!pPaintDC->RectVisible(&rect))
        return;
    if (IsThemed()) {
        FrameColor(pDC, rect, m_clrFrame);
        rect.DeflateRect(1, 1);
    } else {
        pDC->Draw3dRect(rect, m_clrShadow, m_clrHighlight);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, m_clrDarkShadow, m_clrLight);
        rect.DeflateRect(1, 1);
    }
    CBrush brush(CellPaintColor(nCol, nRow));
    pDC->FillRect(&rect, &brush);
}

void SECColorWell::DrawSelectedCell(CDC* pDC, CDC* pPaintDC, const CRect&, int nCol, int nRow) {
    CRect rect = GetCellRect(nCol, nRow);
    rect.InflateRect(1, 1);
    if (!pPaintDC->RectVisible(&rect))
        return;
    const COLORREF frames[3] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)};
    for (COLORREF frame : frames) {
        FrameColor(pDC, rect, frame);
        rect.DeflateRect(1, 1);
    }
    CBrush brush(CellPaintColor(nCol, nRow));
    pDC->FillRect(&rect, &brush);
}

void SECColorWell::DrawFocusFrame(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    FrameColor(pDC, rect, m_bFocus ? m_clrFrame : m_clrFace);
}

// ---- input -------------------------------------------------------------------------------------

void SECColorWell::OnLButtonDown(UINT, CPoint point) {
    SetFocus();
    int nCol = 0, nRow = 0;
    if (HitCell(point, nCol, nRow))
        SelectCell(nCol, nRow, WellSelectConfirm);
    else
        Default();
}

void SECColorWell::OnMouseMove(UINT, CPoint point) {
    int nCol = 0, nRow = 0;
    if (m_bTracking && HitCell(point, nCol, nRow) && (nCol != m_nSelCol || nRow != m_nSelRow))
        SelectCell(nCol, nRow, WellSelectMouseMove);
    else
        Default();
}

UINT SECColorWell::OnGetDlgCode() {
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (m_bHasOther ? DLGC_WANTTAB : 0);
}

BOOL SECColorWell::NextCell(UINT vk, int nCols, int nRows, BOOL bCustom, int& nCol, int& nRow) {
    const int lastCol = nCols - 1, lastRow = nRows - 1;
    const bool bOnCustom = nRow == nRows;
    int c = nCol, r = nRow;
    switch (vk) {
    case VK_LEFT:
        if (bOnCustom)
            c = lastCol, r = lastRow;
        else if (c > 0)
            --c;
        else if (r > 0)
            c = lastCol, --r;
        else if (bCustom)
            c = lastCol, r = nRows;
        else
            c = lastCol, r = lastRow;
        break;
    case VK_RIGHT:
        if (bOnCustom)
            c = 0, r = 0;
        else if (c < lastCol)
            ++c;
        else if (r < lastRow)
            c = 0, ++r;
        else if (bCustom)
            r = nRows;
        else
            c = 0, r = 0;
        break;
    case VK_UP:
        if (bOnCustom)
            r = lastRow;
        else if (r > 0)
            --r;
        else if (c == lastCol && bCustom)
            r = nRows;
        else
            r = lastRow;
        break;
    case VK_DOWN:
        if (bOnCustom)
            r = 0;
        else if (r < lastRow)
            ++r;
        else if (c == lastCol && bCustom)
            r = nRows;
        else
            r = 0;
        break;
    default:
        return FALSE;
    }
    nCol = c;
    nRow = r;
    return TRUE;
}

void SECColorWell::OnKeyDown(UINT nChar, UINT, UINT) {
    if (nChar == VK_TAB) {
        if (::GetKeyState(VK_SHIFT) < 0) {
            CWnd* pParent = GetParent();
            if (CWnd* pPrevious = pParent ? pParent->GetNextDlgTabItem(this, TRUE) : nullptr)
                pPrevious->SetFocus();
        } else if (m_pOtherButton && m_pOtherButton->GetSafeHwnd() != NULL) {
            m_pOtherButton->SetFocus();
        }
        return;
    }
    int nCol = m_nSelCol, nRow = m_nSelRow;
    if (NextCell(nChar, m_nCols, m_nRows, m_bCustomVisible, nCol, nRow))
        SelectCell(nCol, nRow, WellSelectKeyboard);
    else
        Default();
}

void SECColorWell::OnSetFocus(CWnd* pOldWnd) {
    Default();
    // Shift+Tab into the well lands on its "&Other..." button first.
    if (m_pOtherButton && m_pOtherButton->GetSafeHwnd() != NULL && ::GetKeyState(VK_SHIFT) < 0 &&
        !SameWindow(m_pOtherButton.get(), pOldWnd ? pOldWnd->m_hWnd : NULL)) {
        m_pOtherButton->SetFocus();
        return;
    }
    if (!ShowsFocus())
        return;
    m_bFocus = TRUE;
    CClientDC dc(this);
    DrawFocusFrame(&dc);
}

void SECColorWell::OnKillFocus(CWnd*) {
    Default();
    if (!ShowsFocus())
        return;
    m_bFocus = FALSE;
    CClientDC dc(this);
    DrawFocusFrame(&dc);
}

void SECColorWell::OnSysColorChange() {
    ReadSysColors();
    m_brBackground.DeleteObject();
    m_brBackground.CreateSolidBrush(m_clrBackground);
    Invalidate(TRUE);
}

HBRUSH SECColorWell::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (nCtlColor != CTLCOLOR_BTN)
        return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    pDC->SetBkColor(m_clrFace);
    return (HBRUSH)m_brBackground.GetSafeHandle();
}

void SECColorWell::OnOtherCommand() {
    RunColorDialog();
}

BOOL RunWellColorDialog(CWnd* pParentWnd, COLORREF& color, DWORD dwFlags, COLORREF* pCustomColors) {
    CColorDialog dialog(color, dwFlags, pParentWnd);
    dialog.m_cc.Flags |= dwFlags;
    if (pCustomColors != nullptr)
        dialog.m_cc.lpCustColors = pCustomColors;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    color = dialog.GetColor();
    return TRUE;
}

void SECColorWell::RunColorDialog() {
    COLORREF color = GetColor();
    if (!RunWellColorDialog(this, color, m_dwColorDialogFlags, m_pCustomColors) || m_hWnd == NULL)
        return;
    SetColor(color);
    NotifyColorChange();
}

void AFXAPI DDX_ColorWellColor(CDataExchange* pDX, SECColorWell& well, COLORREF& color) {
    if (pDX->m_bSaveAndValidate)
        color = well.GetColor();
    else
        well.SetColor(color);
}

} // namespace foundation
} // namespace corvalis
