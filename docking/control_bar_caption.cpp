// SECControlBar: borders, the gripper with its caption text, and the close and expand buttons.
#include "docking/control_bar.h"

#include "docking/dock_bar.h"
#include "framework/docview/miniframe.h"
#include "toolbars/drawing/frame_glyphs.h"
#include "toolbars/drawing/themeapi.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

namespace {
// A font of the caption's face, Marlett glyphs at 60 × 96 / dpi.
HFONT MakeFont(HDC hDC, LPCWSTR lpszFace, int nHeight, int nEscapement) {
    LOGFONTW lf = {};
    lf.lfHeight = nHeight;
    lf.lfEscapement = lf.lfOrientation = nEscapement;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = wcscmp(lpszFace, L"Marlett") == 0 ? SYMBOL_CHARSET : DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, lpszFace, LF_FACESIZE - 1);
    (void)hDC;
    return ::CreateFontIndirectW(&lf);
}

// The bar's title in its gripper band, along the band. A band thinner than a line of the text
// (a toolbar's gripper) would show only clipped scraps of its letters: it shows none.
void DrawGripperText(CDC* pDC, const CRect& band, BOOL bHorz, const CString& text) {
    if (text.IsEmpty())
        return;
    const int nHeight = -MulDiv(8, pDC->GetDeviceCaps(LOGPIXELSY), 72);
    HFONT hFont = MakeFont(pDC->m_hDC, L"Tahoma", nHeight, bHorz ? 900 : 0);
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, hFont);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(pDC->m_hDC, &tm);
    if ((bHorz ? band.Width() : band.Height()) >= tm.tmHeight) {
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        const COLORREF clrOld = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        const int x = bHorz ? band.left + 1 : band.left + 4;
        const int y = bHorz ? band.bottom - 2 : band.top + 2;
        ::ExtTextOutW(pDC->m_hDC, x, y, ETO_CLIPPED, &band, text, (UINT)text.GetLength(), NULL);
        pDC->SetTextColor(clrOld);
        pDC->SetBkMode(nOldMode);
    }
    ::SelectObject(pDC->m_hDC, hOld);
    ::DeleteObject(hFont);
}

wchar_t* DupTip(const CString& text) {
    const size_t n = (size_t)text.GetLength() + 1;
    auto* p = static_cast<wchar_t*>(std::malloc(n * sizeof(wchar_t)));
    if (p != nullptr)
        wmemcpy(p, text.GetString(), n);
    return p;
}
} // namespace

void SECControlBar::DoPaint(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    // A child that fills the bar is drawn again over what the borders touched.
    if (m_dwExStyle & CBRS_EX_FILLCHILD)
        if (HWND hChild = ::GetTopWindow(m_hWnd))
            ::RedrawWindow(hChild, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

void SECControlBar::DrawBorders(CDC* pDC, CRect& rect) {
    if (m_dwExStyle & CBRS_EX_COOL) {
        if (m_dwStyle & CBRS_BORDER_LEFT)
            rect.left++;
        if (m_dwStyle & CBRS_BORDER_TOP)
            rect.top++;
        if (m_dwStyle & CBRS_BORDER_RIGHT)
            rect.right--;
        if (m_dwStyle & CBRS_BORDER_BOTTOM)
            rect.bottom--;
        if ((m_dwExStyle & CBRS_EX_GRIPPER) && IsDocked())
            DrawGripperEx(pDC, rect, IsHorzDocked());
        return;
    }
    const SECDockAuxData& aux = SECDockAuxData::Get();
    const COLORREF clrOuter =
        (m_dwExStyle & CBRS_EX_DARKBORDERS) ? aux.m_clrWindowFrame : aux.m_clrBtnShadow;
    const COLORREF clrInner =
        (m_dwExStyle & CBRS_EX_DARKBORDERS) ? aux.m_clrBtnHilite : aux.m_clrBtnFace;
    DrawBorderLines(pDC, rect, clrOuter, clrInner, aux.m_cxBorder, aux.m_cyBorder);
    if ((m_dwExStyle & CBRS_EX_GRIPPER) && IsDocked())
        DrawGripperEx(pDC, rect, IsHorzDocked());
}

void SECControlBar::DrawGripperEx(CDC* pDC, CRect& rect, BOOL bHorz) {
    // A horizontal bar carries its gripper as a band down its left edge, a vertical one across
    // its top.
    CRect band = rect;
    if (bHorz)
        band.right = band.left + m_gripper.GetHorzExtent();
    else
        band.bottom = band.top + m_gripper.GetVertExtent();
    bool bThemed = false;
    if (IsThemed()) {
        if (HTHEME hTheme = DynOpenThemeData(m_hWnd, L"Rebar")) {
            bThemed = SUCCEEDED(DynDrawThemeBackground(hTheme, pDC->m_hDC, 1, 0, &band, NULL));
            DynCloseThemeData(hTheme);
        }
    }
    if (!bThemed)
        pDC->FillSolidRect(&band, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (bHorz)
        pDC->FillSolidRect(band.right - 2, band.top + 2, 1, band.Height() - 4, clrShadow);
    else
        pDC->FillSolidRect(band.left + 2, band.bottom - 2, band.Width() - 4, 1, clrShadow);

    CRect buttons = band;
    if (m_dwExStyle & CBRS_EX_GRIPPER_CLOSE)
        LayoutCloseButton(pDC, buttons, bHorz);
    else
        m_rectClose.SetRectEmpty();
    if (m_dwExStyle & CBRS_EX_GRIPPER_EXPAND)
        LayoutExpandButton(pDC, buttons, bHorz);
    else
        m_rectExpand.SetRectEmpty();

    CString text;
    if (GripperShowsTitle())
        GetWindowText(text);
    DrawGripperText(pDC, buttons, bHorz, text);
    if (bHorz)
        rect.left = band.right;
    else
        rect.top = band.bottom;
}

namespace {
// The square button at the start of the band, the band shrunk past it.
CRect PlaceButton(CRect& band, BOOL bHorz, const int metrics[5]) {
    CRect r;
    if (bHorz) {
        r.left = std::max(band.left + metrics[0] - 2, 0L);
        r.right = std::min(band.right - metrics[4] + 2, band.right);
        r.top = band.top;
        r.bottom = r.top + r.Width();
        band.top = r.bottom + 2;
    } else {
        r.top = std::max(band.top + metrics[0] - 2, 0L);
        r.bottom = std::min(band.bottom - metrics[4] + 2, band.bottom);
        r.right = band.right;
        r.left = r.right - r.Height();
        band.right = r.left - 2;
    }
    return r;
}

} // namespace

void SECControlBar::LayoutCloseButton(CDC* pDC, CRect& rectBand, BOOL bHorz) {
    m_rectClose = PlaceButton(rectBand, bHorz, bHorz ? m_gripper.m_horz : m_gripper.m_vert);
    DrawCloseButtonReleased(pDC);
}

void SECControlBar::DrawCloseButtonPressed(CDC* pDC) {
    m_bClosePressed = TRUE;
    DrawCloseButton(pDC);
}

void SECControlBar::DrawCloseButtonReleased(CDC* pDC) {
    m_bClosePressed = FALSE;
    DrawCloseButton(pDC);
}

void SECControlBar::DrawCloseButton(CDC* pDC) {
    if (m_rectClose.IsRectEmpty())
        return;
    CRect r = m_rectClose;
    pDC->FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
    // The frame control draws the close glyph (by lines where its symbol font is missing).
    DrawFrameButton(pDC->m_hDC, &r, DFC_CAPTION,
                    DFCS_CAPTIONCLOSE | (m_bClosePressed ? DFCS_PUSHED : 0));
}

void SECControlBar::LayoutExpandButton(CDC* pDC, CRect& rectBand, BOOL bHorz) {
    AttachToDockBar(GetSECDockBar());
    m_rectExpand = PlaceButton(rectBand, bHorz, bHorz ? m_gripper.m_horz : m_gripper.m_vert);
    DrawExpandButtonReleased(pDC);
}

void SECControlBar::DrawExpandButtonPressed(CDC* pDC) {
    m_bExpandPressed = TRUE;
    DrawExpandButton(pDC);
}

void SECControlBar::DrawExpandButtonReleased(CDC* pDC) {
    m_bExpandPressed = FALSE;
    DrawExpandButton(pDC);
}

void SECControlBar::DrawExpandButton(CDC* pDC) {
    if (m_rectExpand.IsRectEmpty())
        return;
    CRect r = m_rectExpand;
    pDC->FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
    // Toward the neighbours while it can expand, away from them once expanded: in a row along
    // the top or bottom the neighbours lie to the right, in a left or right column below.
    const bool bRowHorz = IsHorzDocked() != FALSE;
    const UINT nArrow = bRowHorz ? (m_bCanExpand ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT)
                                 : (m_bCanExpand ? DFCS_SCROLLDOWN : DFCS_SCROLLUP);
    DrawFrameButton(pDC->m_hDC, &r, DFC_SCROLL,
                    nArrow | (m_bExpandEnabled ? 0 : DFCS_INACTIVE) |
                        (m_bExpandPressed ? DFCS_PUSHED : 0));
}

BOOL SECControlBar::IsOverClose(CPoint pt) const {
    return (m_dwExStyle & CBRS_EX_GRIPPER_CLOSE) && m_rectClose.PtInRect(pt);
}

BOOL SECControlBar::IsOverExpand(CPoint pt) const {
    return (m_dwExStyle & CBRS_EX_GRIPPER_EXPAND) && m_bExpandEnabled && m_rectExpand.PtInRect(pt);
}

void SECControlBar::RedrawCaptionButtons() {
    CClientDC dc(this);
    DrawCloseButton(&dc);
    DrawExpandButton(&dc);
}

void SECControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (IsOverClose(point)) {
        if (IsFloating() || m_bClosePressed) {
            m_bClosePressed = FALSE;
            return;
        }
        if (CanCloseFromCaption()) {
            CClientDC dc(this);
            DrawCloseButtonPressed(&dc);
            SetCapture();
        }
        return;
    }
    if (IsOverExpand(point)) {
        if (IsFloating() || m_bExpandPressed) {
            m_bExpandPressed = FALSE;
            return;
        }
        if (CanExpandFromCaption()) {
            CClientDC dc(this);
            DrawExpandButtonPressed(&dc);
            SetCapture();
        }
        return;
    }
    if (m_bClosePressed || m_bExpandPressed) {
        m_bClosePressed = m_bExpandPressed = FALSE;
        RedrawCaptionButtons();
    }
    CWnd* pFrame = m_pDockBar != nullptr ? m_pDockBar->GetParent() : nullptr;
    if (IsFloating() && pFrame != nullptr && !pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
        Default();
        return;
    }
    CControlBar::OnLButtonDown(nFlags, point); // the drag; may destroy this bar
}

void SECControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
    const BOOL bClose = m_bClosePressed, bExpand = m_bExpandPressed;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (bClose && IsOverClose(point)) {
        CClientDC dc(this);
        DrawCloseButtonReleased(&dc);
        SendMessage(WM_COMMAND, ID_SEC_HIDE, 0);
        return;
    }
    if (bExpand && IsOverExpand(point)) {
        CClientDC dc(this);
        DrawExpandButtonReleased(&dc);
        if (SECDockBar* pDockBar = GetSECDockBar())
            pDockBar->ExpandBar(this, m_bCanExpand ? 1 : 2);
        return;
    }
    if (bClose || bExpand) {
        m_bClosePressed = m_bExpandPressed = FALSE;
        RedrawCaptionButtons();
        return;
    }
    CControlBar::OnLButtonUp(nFlags, point);
}

void SECControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (IsOverClose(point) || IsOverExpand(point))
        return;
    CControlBar::OnLButtonDblClk(nFlags, point);
}

INT_PTR SECControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    const INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    if (!(m_dwStyle & CBRS_TOOLTIPS) || !IsDocked() || pTI == nullptr)
        return -1;
    const CString* pText = nullptr;
    UINT_PTR nID = 0;
    CRect rect;
    if (IsOverClose(point)) {
        pText = &m_gripper.m_strCloseTip;
        nID = SEC_TOOL_CLOSE;
        rect = m_rectClose;
    } else if (IsOverExpand(point)) {
        pText = m_bCanExpand ? &m_gripper.m_strExpandTip : &m_gripper.m_strContractTip;
        nID = SEC_TOOL_EXPAND;
        rect = m_rectExpand;
    } else {
        return -1;
    }
    pTI->hwnd = m_hWnd;
    pTI->uId = nID;
    pTI->rect = rect;
    pTI->lpszText = DupTip(*pText);
    return (INT_PTR)nID;
}

void SECControlBar::OnNcPaint() {
    CWindowDC dc(this);
    CRect client, window;
    GetClientRect(&client);
    ClientToScreen(&client);
    GetWindowRect(&window);
    client.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    window.OffsetRect(-window.left, -window.top);
    DrawBorders(&dc, window);
    SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC, 0);
}
