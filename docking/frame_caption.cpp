// The docking frames' own caption.
#include "docking/frame_caption.h"

#include "toolbars/drawing/themeapi.h"

#include <algorithm>

namespace sec_caption {

namespace {
int Channel(COLORREF c, int shift) {
    return (int)((c >> shift) & 0xFF);
}

// One channel in 1/256 units: it moves by its step and never passes its end value.
struct Ramp {
    int value, step, end;
    Ramp(int from, int to, int nSteps)
        : value(from * 256), step((to - from) * 256 / nSteps), end(to * 256) {}
    void Advance() {
        value += step;
        if ((step > 0 && value > end) || (step < 0 && value < end))
            value = end;
    }
};
} // namespace

void GradientFill(HDC hDC, const RECT& rect, int nSteps, COLORREF clrStart, COLORREF clrEnd) {
    const int cx = rect.right - rect.left;
    nSteps = std::min(nSteps, cx);
    if (cx <= 0 || nSteps <= 0)
        return;
    Ramp r(Channel(clrStart, 0), Channel(clrEnd, 0), nSteps);
    Ramp g(Channel(clrStart, 8), Channel(clrEnd, 8), nSteps);
    Ramp b(Channel(clrStart, 16), Channel(clrEnd, 16), nSteps);
    const int band = cx / nSteps;
    HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(NULL_PEN));
    for (int i = 0; i < nSteps; ++i) {
        const int left = rect.left + i * band;
        const int right = i == nSteps - 1 ? rect.right : left + band;
        HBRUSH hBrush = ::CreateSolidBrush(RGB(r.value / 256, g.value / 256, b.value / 256));
        HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
        ::Rectangle(hDC, left, rect.top, right + 1, rect.bottom);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hBrush);
        r.Advance();
        g.Advance();
        b.Advance();
    }
    ::SelectObject(hDC, hOldPen);
}

CRect CaptionRect(DWORD dwStyle, int cx, BOOL bWin4, BOOL bCloseButton) {
    CRect rect;
    if (dwStyle & WS_THICKFRAME)
        rect.SetRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME),
                     cx - ::GetSystemMetrics(SM_CXFRAME), 0);
    else
        rect.SetRect(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER) + 1,
                     cx - ::GetSystemMetrics(SM_CXBORDER), 0);
    rect.bottom = rect.top + ::GetSystemMetrics(SM_CYSIZE);
    if (!bWin4)
        return rect;
    const int cxSize = ::GetSystemMetrics(SM_CXSIZE);
    const BOOL bSys = (dwStyle & WS_SYSMENU) != 0;
    const BOOL bMax = bSys && (dwStyle & WS_MAXIMIZEBOX);
    const BOOL bMin = bSys && (dwStyle & WS_MINIMIZEBOX);
    rect.right -= cxSize * ((bMax ? 1 : 0) + (bMin ? 1 : 0) + (bCloseButton ? 1 : 0));
    if (bMax || bMin)
        rect.right -= ::GetSystemMetrics(SM_CXBORDER);
    return rect;
}

CRect CaptionRect(HWND hWnd, BOOL bWin4) {
    CRect rectWindow;
    ::GetWindowRect(hWnd, &rectWindow);
    BOOL bClose = FALSE;
    if (HMENU hSys = ::GetSystemMenu(hWnd, FALSE)) {
        const UINT state = ::GetMenuState(hSys, SC_CLOSE, MF_BYCOMMAND);
        bClose = state != (UINT)-1 && !(state & (MF_GRAYED | MF_DISABLED));
    }
    return CaptionRect((DWORD)::GetWindowLongW(hWnd, GWL_STYLE), rectWindow.Width(), bWin4, bClose);
}

BOOL CreateCaptionFont(CFont& font, BOOL bItalic) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = 500; // the form without the padded border width, which every system accepts
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        return FALSE;
    if (bItalic)
        ncm.lfCaptionFont.lfItalic = TRUE;
    font.DeleteObject();
    return font.CreateFontIndirect(&ncm.lfCaptionFont);
}

BOOL ThemesActive() {
    return DynIsThemeActive();
}

LRESULT DefaultHidden(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD dwStyle = pWnd->GetStyle();
    if (dwStyle & WS_VISIBLE)
        ::SetWindowLongW(pWnd->m_hWnd, GWL_STYLE, (LONG)(dwStyle & ~WS_VISIBLE));
    const LRESULT result = pWnd->DefWindowProc(message, wParam, lParam);
    if ((dwStyle & WS_VISIBLE) && ::IsWindow(pWnd->m_hWnd))
        ::SetWindowLongW(pWnd->m_hWnd, GWL_STYLE,
                         (LONG)(::GetWindowLongW(pWnd->m_hWnd, GWL_STYLE) | WS_VISIBLE));
    return result;
}

void PaintFrameAroundCaption(CWnd* pWnd, BOOL bWin4) {
    CRect rectWindow;
    pWnd->GetWindowRect(&rectWindow);
    CRect rect = CaptionRect(pWnd->m_hWnd, bWin4);
    rect.OffsetRect(rectWindow.TopLeft());
    HRGN hAll = ::CreateRectRgnIndirect(&rectWindow);
    HRGN hCaption = ::CreateRectRgnIndirect(&rect);
    ::CombineRgn(hAll, hAll, hCaption, RGN_DIFF);
    ::DeleteObject(hCaption);
    // The system deletes a region handed to WM_NCPAINT only when it is not 1; ours is ours.
    pWnd->DefWindowProc(WM_NCPAINT, (WPARAM)hAll, 0);
    ::DeleteObject(hAll);
}

namespace {
void DrawIconBox(HDC hDC, CWnd* pWnd, const CRect& rect, BOOL bActive) {
    const int cx = ::GetSystemMetrics(SM_CXSIZE), cy = ::GetSystemMetrics(SM_CYSIZE);
    CRect box(rect.left, rect.top, rect.left + cx, rect.top + cy);
    HBRUSH hBrush =
        ::CreateSolidBrush(bActive ? RGB(0, 0, 0) : ::GetSysColor(COLOR_INACTIVECAPTION));
    ::FillRect(hDC, &box, hBrush);
    ::DeleteObject(hBrush);
    const int cxButton = ::GetSystemMetrics(SM_CXSIZE);
    HICON hIcon =
        (HICON)::GetClassLongPtrW(pWnd->m_hWnd, cxButton < 30 ? GCLP_HICONSM : GCLP_HICON);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtrW(pWnd->m_hWnd, GCLP_HICON);
    if (hIcon != NULL)
        ::DrawIconEx(hDC, box.left + 2, box.top + 1, hIcon, cx - 2, cy - 2, 0, NULL, DI_NORMAL);
}

void DrawGradient(HDC hDC, CRect part, BOOL bActive) {
    part.bottom += 1; // the fill leaves the last row
    if (bActive) {
        const COLORREF end = ::GetSysColor(COLOR_GRADIENTACTIVECAPTION);
        if (end == 0)
            GradientFill(hDC, part, 120, RGB(0, 0, 0), ::GetSysColor(COLOR_ACTIVECAPTION));
        else
            GradientFill(hDC, part, 120, ::GetSysColor(COLOR_ACTIVECAPTION), end);
        return;
    }
    const COLORREF end = ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION);
    if (end == 0) {
        HBRUSH hBrush = ::GetSysColorBrush(COLOR_INACTIVECAPTION);
        part.bottom -= 1;
        ::FillRect(hDC, &part, hBrush);
    } else {
        GradientFill(hDC, part, 120, ::GetSysColor(COLOR_INACTIVECAPTION), end);
    }
}

void DrawTitle(HDC hDC, CWnd* pWnd, const CRect& rectText, BOOL bActive, CFont& font,
               CFont& fontItalic) {
    CString text;
    pWnd->GetWindowText(text);
    const int hyphen = text.Find(L'-');
    const CString app = hyphen < 0 ? text : text.Left(hyphen);
    const CString doc = hyphen < 0 ? CString() : text.Mid(hyphen);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)font.GetSafeHandle());
    SIZE size{}, sizeW{};
    ::GetTextExtentPoint32W(hDC, app, app.GetLength(), &size);
    ::GetTextExtentPoint32W(hDC, L"W...", 4, &sizeW);
    const int cxApp = size.cx + 6;
    CRect rect = rectText;
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    ::DrawTextW(hDC, app, app.GetLength(), &rect, flags);
    if (!doc.IsEmpty() && rect.Width() >= cxApp + sizeW.cx) {
        ::SelectObject(hDC, (HFONT)fontItalic.GetSafeHandle());
        rect.left += cxApp;
        ::DrawTextW(hDC, doc, doc.GetLength(), &rect, flags);
    }
    ::SelectObject(hDC, hOld);
}
} // namespace

BOOL DrawGradientCaption(CWnd* pWnd, BOOL bActive, BOOL bWin4, CFont& font, CFont& fontItalic) {
    if (pWnd == nullptr || pWnd->m_hWnd == NULL)
        return TRUE;
    const CRect rect = CaptionRect(pWnd->m_hWnd, bWin4);
    if (rect.IsRectEmpty())
        return TRUE;
    HDC hWindowDC = ::GetWindowDC(pWnd->m_hWnd);
    if (hWindowDC == NULL)
        return TRUE;
    HDC hMem = ::CreateCompatibleDC(hWindowDC);
    HBITMAP hBitmap =
        hMem != NULL ? ::CreateCompatibleBitmap(hWindowDC, rect.Width(), rect.Height()) : NULL;
    if (hBitmap == NULL) {
        if (hMem != NULL)
            ::DeleteDC(hMem);
        ::ReleaseDC(pWnd->m_hWnd, hWindowDC);
        return FALSE;
    }
    HGDIOBJ hOldBitmap = ::SelectObject(hMem, hBitmap);
    CRect local(0, 0, rect.Width(), rect.Height());
    CRect gradient = local;
    if (pWnd->GetStyle() & WS_SYSMENU) {
        DrawIconBox(hMem, pWnd, local, bActive);
        gradient.left += ::GetSystemMetrics(SM_CXSIZE);
    }
    DrawGradient(hMem, gradient, bActive);
    CRect rectText(gradient.left + 3, local.top, local.right, local.bottom);
    DrawTitle(hMem, pWnd, rectText, bActive, font, fontItalic);
    ::BitBlt(hWindowDC, rect.left, rect.top, rect.Width(), rect.Height(), hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, hOldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(pWnd->m_hWnd, hWindowDC);
    return TRUE;
}

BOOL EnableOwnCaption(CWnd* pWnd, BOOL& bOwnCaption, BOOL bWin4, BOOL bEnable) {
    const BOOL bOld = bOwnCaption;
    if (!bWin4 || ThemesActive())
        return bOld;
    bOwnCaption = bEnable;
    if (pWnd->m_hWnd != NULL)
        pWnd->SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_DRAWFRAME);
    return bOld;
}

} // namespace sec_caption
