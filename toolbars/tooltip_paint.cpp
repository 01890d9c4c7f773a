// COXToolTipCtrl: font, measuring, placement and drawing of the tip.
#include "toolbars/tooltip_ctrl.h"

#include <algorithm>
#include <cwchar>

const LOGFONT* PASCAL COXToolTipCtrl::GetSystemToolTipFont() {
    static LOGFONT s_logFont;
    NONCLIENTMETRICSW ncm{};
    // The size of the structure before the padded border was added: every system accepts it.
    ncm.cbSize = 500;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        return nullptr;
    s_logFont = ncm.lfStatusFont;
    return &s_logFont;
}

BOOL COXToolTipCtrl::SetLogFont(const LOGFONT* pLogFont, BOOL bRedraw) {
    if (pLogFont == nullptr)
        return FALSE;
    m_LogFont = *pLogFont;
    const LOGFONT* pSystem = GetSystemToolTipFont();
    m_bUsingSystemFont = pSystem != nullptr && pSystem->lfHeight == m_LogFont.lfHeight &&
                         pSystem->lfWeight == m_LogFont.lfWeight &&
                         pSystem->lfItalic == m_LogFont.lfItalic &&
                         pSystem->lfCharSet == m_LogFont.lfCharSet &&
                         ::wcscmp(pSystem->lfFaceName, m_LogFont.lfFaceName) == 0;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(&m_LogFont);
    if (bRedraw && ::IsWindow(m_hWnd))
        Invalidate(TRUE);
    return TRUE;
}

LRESULT COXToolTipCtrl::OnSetFont(WPARAM wParam, LPARAM /*lParam*/) {
    LOGFONT logFont{};
    if (wParam != 0 && ::GetObjectW((HGDIOBJ)wParam, sizeof(logFont), &logFont) == sizeof(logFont))
        SetLogFont(&logFont, TRUE);
    else
        SetLogFont(GetSystemToolTipFont(), TRUE);
    return 0;
}

LRESULT COXToolTipCtrl::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return (LRESULT)m_Font.GetSafeHandle();
}

void COXToolTipCtrl::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/) {
    if (m_bUsingSystemFont)
        SetLogFont(GetSystemToolTipFont(), TRUE);
}

void COXToolTipCtrl::CalcTextRect(LPRECT lpRect, const CString& strText, int nWidth) {
    CWindowDC dc(nullptr);
    CFont* pOldFont = dc.SelectObject(&m_Font);
    if (nWidth == 0) {
        CString strLine;
        for (int i = 0; AfxExtractSubString(strLine, strText.GetString(), i, L'\n'); i++)
            nWidth = std::max(nWidth, (int)dc.GetTextExtent(strLine + L"  ").cx);
    }
    CRect rect(0, 0, nWidth, 0);
    dc.DrawText(strText, &rect, m_nTextFormat | DT_CALCRECT);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    rect.right += m_rectMargin.left + m_rectMargin.right;
    rect.bottom += m_rectMargin.top + m_rectMargin.bottom;
    *lpRect = rect;
}

void COXToolTipCtrl::CalcTipRect(LPRECT lpRect, CPoint point, const COXToolTipInfo* pTool,
                                 const CRect& rectText) {
    CRect rect = rectText;
    rect.OffsetRect(point.x - rect.left, point.y - rect.top);
    int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    if (rect.right > cxScreen)
        rect.OffsetRect(cxScreen - rect.right, 0);
    if (rect.left < 0)
        rect.OffsetRect(-rect.left, 0);
    if (rect.bottom > cyScreen && pTool != nullptr) {
        CRect rectTool;
        ::GetWindowRect(pTool->hWnd, &rectTool);
        rect.OffsetRect(0, rectTool.top - rect.bottom);
    }
    *lpRect = rect;
}

COLORREF COXToolTipCtrl::ResolvedColor(COLORREF clr, int nSysIndex) const {
    return clr == OXTT_SYSCOLOR ? ::GetSysColor(nSysIndex) : clr;
}

void COXToolTipCtrl::OnPaint() {
    CPaintDC dc(this);
    if (m_pCurrentToolTip == nullptr || m_strText.IsEmpty())
        return;
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(&rect, ResolvedColor(m_pCurrentToolTip->clrBackColor, COLOR_INFOBK));
    dc.SetTextColor(ResolvedColor(m_pCurrentToolTip->clrTextColor, COLOR_INFOTEXT));
    CFont* pOldFont = dc.SelectObject(&m_Font);
    CGdiObject* pOldPen = dc.SelectStockObject(BLACK_PEN);
    CGdiObject* pOldBrush = dc.SelectStockObject(HOLLOW_BRUSH);
    dc.Rectangle(&rect);
    dc.SetBkMode(TRANSPARENT);
    rect.DeflateRect(m_rectMargin.left, m_rectMargin.top, m_rectMargin.right, m_rectMargin.bottom);
    dc.DrawText(m_strText, &rect, m_nTextFormat);
    if (m_bHasExtendedText)
        DrawTriangle(dc, rect);
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}

void COXToolTipCtrl::DrawTriangle(CDC& dc, const CRect& rectText) const {
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    CSize blanks = dc.GetTextExtent(L"  ", 2);
    blanks.cy &= ~1;
    int d = std::max((int)tm.tmDescent, (int)(tm.tmInternalLeading + tm.tmExternalLeading));
    int h = tm.tmAveCharWidth / 2;
    int T = rectText.top;
    POINT points[4];
    if (m_bExtended) {
        int L = rectText.left;
        points[0] = {L + blanks.cx - h, T + d};
        points[1] = {L, T + blanks.cy / 2};
        points[2] = {L + blanks.cx - h, T + blanks.cy - d};
    } else {
        int R = rectText.right;
        points[0] = {R - blanks.cx + h, T + d};
        points[1] = {R, T + blanks.cy / 2};
        points[2] = {R - blanks.cx + h, T + blanks.cy - d};
    }
    points[3] = points[0];
    CGdiObject* pOldBrush = dc.SelectStockObject(BLACK_BRUSH);
    dc.Polygon(points, 4);
    dc.SelectObject(pOldBrush);
}
