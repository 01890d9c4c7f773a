#include "toolbars/ownerdrawbutton.h"

#include "toolbars/drawing/emboss.h"
#include "toolbars/drawing/themeapi.h"

#include <vsstyle.h>

namespace corvalis {
namespace foundation {

COLORREF SECOwnerDrawButton::s_clrShadow = 0;
COLORREF SECOwnerDrawButton::s_clrHighlight = 0;
COLORREF SECOwnerDrawButton::s_clrFace = 0;
COLORREF SECOwnerDrawButton::s_clrFrame = 0;

namespace {

// The outline without its four corner pixels (the old look's rounded frame).
void DrawCornerlessOutline(CDC* pDC, const CRect& r, COLORREF color) {
    pDC->FillSolidRect(r.left + 1, r.top, r.Width() - 2, 1, color);
    pDC->FillSolidRect(r.left + 1, r.bottom - 1, r.Width() - 2, 1, color);
    pDC->FillSolidRect(r.left, r.top + 1, 1, r.Height() - 2, color);
    pDC->FillSolidRect(r.right - 1, r.top + 1, 1, r.Height() - 2, color);
}

// Two nested 1-pixel edges from r inwards; r ends inside them.
void DrawTwoEdges(CDC* pDC, CRect& r, COLORREF outerTopLeft, COLORREF outerBottomRight,
                  COLORREF innerTopLeft, COLORREF innerBottomRight) {
    pDC->Draw3dRect(&r, outerTopLeft, outerBottomRight);
    r.DeflateRect(1, 1);
    pDC->Draw3dRect(&r, innerTopLeft, innerBottomRight);
    r.DeflateRect(1, 1);
}

void DrawThemePart(HTHEME hTheme, CDC* pDC, int nState, const CRect& r) {
    DynDrawThemeBackground(hTheme, pDC->GetSafeHdc(), BP_PUSHBUTTON, nState, &r, NULL);
}

} // namespace

IMPLEMENT_DYNAMIC(SECOwnerDrawButton, CButton)

BEGIN_MESSAGE_MAP(SECOwnerDrawButton, CButton)
ON_WM_KEYUP()
ON_WM_LBUTTONUP()
ON_WM_GETDLGCODE()
ON_WM_MOUSEMOVE()
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
END_MESSAGE_MAP()

SECOwnerDrawButton::SECOwnerDrawButton() {
    m_bNewLook = LOBYTE(LOWORD(::GetVersion())) >= 4;
    ReadSysColors();
}

void SECOwnerDrawButton::ReadSysColors() {
    s_clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    s_clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    s_clrFace = ::GetSysColor(COLOR_BTNFACE);
    s_clrFrame = ::GetSysColor(COLOR_WINDOWFRAME);
}

HTHEME SECOwnerDrawButton::OpenButtonTheme() {
    if (!IsThemed())
        return NULL;
    CWnd* pMain = AfxGetMainWnd();
    return DynOpenThemeData(pMain ? pMain->GetSafeHwnd() : NULL, L"Button");
}

BOOL SECOwnerDrawButton::AttachButton(UINT nID, CWnd* pParentWnd, DWORD dwFlags) {
    if (!SubclassDlgItem(nID, pParentWnd))
        return FALSE;
    m_dwButtonFlags = dwFlags;
    // A template button that is not owner-drawn yet becomes one, or it would never ask.
    if ((CButton::GetButtonStyle() & BS_TYPEMASK) != BS_OWNERDRAW)
        SetButtonStyle(CButton::GetButtonStyle(), TRUE);
    return TRUE;
}

BOOL SECOwnerDrawButton::CreateButton(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect,
                                      CWnd* pParentWnd, UINT nID, DWORD dwFlags) {
    m_dwButtonFlags = dwFlags;
    return CButton::Create(lpszCaption, dwStyle | BS_OWNERDRAW, rect, pParentWnd, nID);
}

void SECOwnerDrawButton::OnClicked() {}

void SECOwnerDrawButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
    const UINT nOld = (UINT)::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & 0xFFFF;
    const UINT nNew = (nStyle & ~(UINT)BS_TYPEMASK) | BS_OWNERDRAW;
    // The control's own handling stores the style; ours only keeps it owner-drawn.
    DefWindowProc(BM_SETSTYLE, nNew, FALSE);
    if (bRedraw && (nOld & 0xFFFF) != (nNew & 0xFFFF))
        Invalidate(TRUE);
}

LRESULT SECOwnerDrawButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    SetButtonStyle((UINT)wParam, (BOOL)lParam);
    return 0;
}

void SECOwnerDrawButton::PrepareDC(CDC*, CDC*) {}
void SECOwnerDrawButton::RestoreDC(CDC*, CDC*) {}
void SECOwnerDrawButton::DrawFocusRectangle(CDC*, CRect) {}
void SECOwnerDrawButton::DrawContent(CDC*, LPDRAWITEMSTRUCT, const CRect&) {}

void SECOwnerDrawButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pItemDC = CDC::FromHandle(lpDIS->hDC);
    const CRect item(lpDIS->rcItem);
    CDC memDC;
    CBitmap bitmap;
    CDC* pDC = pItemDC;
    CBitmap* pOldBitmap = nullptr;
    if (memDC.CreateCompatibleDC(pItemDC) &&
        bitmap.CreateCompatibleBitmap(pItemDC, item.Width(), item.Height())) {
        pOldBitmap = memDC.SelectObject(&bitmap);
        memDC.SetWindowOrg(item.left, item.top);
        pDC = &memDC;
    }
    PrepareDC(pItemDC, pDC);
    CRect face = item;
    DrawFrame(face, pDC, lpDIS);
    DrawContent(pDC, lpDIS, face);
    if (lpDIS->itemState & ODS_DISABLED)
        DrawDisabled(pDC, item.Width(), item.Height());
    if (pDC != pItemDC) {
        pItemDC->BitBlt(item.left, item.top, item.Width(), item.Height(), pDC, item.left, item.top,
                        SRCCOPY);
        memDC.SelectObject(pOldBitmap);
    }
    RestoreDC(pItemDC, pDC);
    DrawFocus(pItemDC, lpDIS);
}

void SECOwnerDrawButton::DrawFrame(CRect& r, CDC* pDC, LPDRAWITEMSTRUCT lpDIS) {
    r = lpDIS->rcItem;
    pDC->FillSolidRect(&r, s_clrFace);
    HTHEME hTheme = OpenButtonTheme();
    const BOOL bFocus = (lpDIS->itemState & ODS_FOCUS) != 0;
    const BOOL bPressed = (lpDIS->itemState & ODS_SELECTED) != 0;
    if (bFocus && !m_bFlat) {
        if (hTheme == NULL) {
            pDC->Draw3dRect(&r, s_clrFrame, s_clrFrame);
            r.DeflateRect(1, 1);
        } else {
            DrawThemePart(hTheme, pDC, m_bHot ? PBS_HOT : PBS_DEFAULTED, r);
            r.DeflateRect(2, 2);
        }
    }
    if (!bPressed) {
        if (!m_bNewLook) {
            DrawCornerlessOutline(pDC, r, s_clrFrame);
            r.DeflateRect(1, 1);
            DrawTwoEdges(pDC, r, s_clrHighlight, s_clrShadow, s_clrHighlight, s_clrShadow);
            r.right -= 1;
            r.bottom -= 1;
        } else if (m_bFlat) {
            if (hTheme != NULL) {
                if (m_bHot)
                    DrawThemePart(hTheme, pDC, PBS_HOT, r);
                r.DeflateRect(2, 2);
            }
        } else if (hTheme == NULL) {
            DrawTwoEdges(pDC, r, s_clrHighlight, s_clrFrame, s_clrFace, s_clrShadow);
            r.right -= 1;
            r.bottom -= 1;
        } else {
            DrawThemePart(hTheme, pDC, m_bHot ? PBS_HOT : PBS_NORMAL, r);
            r.DeflateRect(2, 2);
        }
    } else if (hTheme != NULL) {
        DrawThemePart(hTheme, pDC, PBS_PRESSED, r);
        r.DeflateRect(2, 2);
    } else {
        if (!m_bNewLook) {
            DrawCornerlessOutline(pDC, r, s_clrFrame);
            r.DeflateRect(1, 1);
            DrawTwoEdges(pDC, r, s_clrShadow, s_clrHighlight, s_clrShadow, s_clrHighlight);
        } else {
            DrawTwoEdges(pDC, r, s_clrFrame, s_clrHighlight, s_clrShadow, s_clrFace);
        }
        r.left += 1;
        r.top += 1;
    }
    if (hTheme != NULL)
        DynCloseThemeData(hTheme);
}

void SECOwnerDrawButton::DrawFocus(CDC* pDC, LPDRAWITEMSTRUCT lpDIS) {
    if (!(lpDIS->itemState & ODS_FOCUS))
        return;
    CRect rect(lpDIS->rcItem);
    const int inset = m_bNewLook ? 1 : 2;
    rect.DeflateRect(inset, inset);
    if (lpDIS->itemState & ODS_SELECTED) {
        rect.left += 1;
        rect.top += 1;
    } else {
        rect.right -= 1;
        rect.bottom -= 1;
    }
    pDC->SetBkColor(s_clrFace);
    DrawFocusRectangle(pDC, rect);
}

void SECOwnerDrawButton::DrawDisabled(CDC* pDC, int cx, int cy) {
    if (cx < 4 || cy < 4)
        return;
    // The face's own pixels stand for the glyph: embossed in place, the highlight trimmed so
    // that nothing reaches the frame.
    DrawEmbossed(pDC, 1, 1, cx - 3, cy - 3, pDC, 1, 1, s_clrFace, s_clrHighlight, s_clrShadow,
                 TRUE);
}

// ---- input -------------------------------------------------------------------------------------

void SECOwnerDrawButton::OnKeyUp(UINT nChar, UINT, UINT) {
    Default();
    if (nChar == VK_SPACE || nChar == VK_RETURN)
        OnClicked();
}

void SECOwnerDrawButton::OnLButtonUp(UINT, CPoint point) {
    CRect client;
    GetClientRect(&client);
    const BOOL bClick =
        client.PtInRect(point) && (GetState() & BST_PUSHED) != 0 && ::GetCapture() == m_hWnd;
    // The control's own handling releases the capture: it must run before the click opens
    // anything that takes the capture for itself.
    Default();
    if (bClick && m_hWnd != NULL)
        OnClicked();
}

UINT SECOwnerDrawButton::OnGetDlgCode() {
    UINT nCode = DLGC_BUTTON;
    if ((m_dwButtonFlags & ODB_DEFAULTWHENFOCUSED) && ::GetFocus() == m_hWnd)
        nCode |= DLGC_DEFPUSHBUTTON;
    return nCode;
}

void SECOwnerDrawButton::SetHot(BOOL bHot) {
    if (m_bHot == bHot)
        return;
    m_bHot = bHot;
    if (IsThemed())
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

void SECOwnerDrawButton::OnMouseMove(UINT, CPoint point) {
    Default();
    CRect client;
    GetClientRect(&client);
    const BOOL bInside = client.PtInRect(point);
    SetHot(bInside);
    if (GetState() & BST_PUSHED)
        return;
    const BOOL bCaptured = ::GetCapture() == m_hWnd;
    if (bInside) {
        if (!bCaptured)
            SetCapture();
        if (m_bFlat && !IsThemed()) {
            CClientDC dc(this);
            dc.Draw3dRect(&client, s_clrHighlight, s_clrShadow);
        }
    } else {
        if (m_bFlat && !IsThemed()) {
            CClientDC dc(this);
            dc.Draw3dRect(&client, s_clrFace, s_clrFace);
        }
        if (bCaptured)
            ::ReleaseCapture();
    }
}

void SECOwnerDrawButton::OnSysColorChange() {
    Default();
    ReadSysColors();
    Invalidate(TRUE);
}

} // namespace foundation
} // namespace corvalis
