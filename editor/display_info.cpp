#include "editor/display_info.h"

#include <algorithm>

SECEditDisplayInfo::SECEditDisplayInfo() {
    m_dc = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
}

SECEditDisplayInfo::~SECEditDisplayInfo() {
    if (m_dc) {
        SelectObject(m_dc, GetStockObject(DEFAULT_GUI_FONT));
        DeleteDC(m_dc);
    }
    m_fonts.clear();
}

HFONT SECEditDisplayInfo::GetFont(int index) const {
    return index >= 0 && index < static_cast<int>(m_fonts.size()) ? m_fonts[index].get() : nullptr;
}

int SECEditDisplayInfo::FontHeight(int pointSize, int pixelsPerInch) {
    return -MulDiv(pointSize, pixelsPerInch, 72);
}

BOOL SECEditDisplayInfo::MeasureFont(const wchar_t* face, int pointSize, BOOL bold, BOOL italic) {
    LOGFONTW lf = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    // The face buffer holds 32 characters including the terminator.
    lstrcpynW(lf.lfFaceName, face ? face : L"", LF_FACESIZE);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic ? TRUE : FALSE;
    lf.lfPitchAndFamily = (lf.lfPitchAndFamily & 0xF0) | FIXED_PITCH;
    HDC screen = ::GetDC(nullptr);
    const int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    lf.lfHeight = FontHeight(pointSize, ppi);
    lf.lfWidth = 0;
    m_pointSize = pointSize;
    m_faceName = lf.lfFaceName;
    HFONT font = MakeFont(lf);
    const bool fallback = font == nullptr;
    if (fallback)
        font = MakeFallbackFont();
    if (!font)
        return FALSE;
    if (m_dc)
        SelectObject(m_dc, font);
    if (m_fonts.empty())
        m_fonts.emplace_back(font);
    else
        m_fonts[0].reset(font);
    if (Measure())
        return !fallback;
    // A font without a cell (or no measuring context) would make every division fail.
    if (!fallback) {
        font = MakeFallbackFont();
        if (font) {
            if (m_dc)
                SelectObject(m_dc, font);
            m_fonts[0].reset(font);
            Measure();
        }
    }
    return FALSE;
}

HFONT SECEditDisplayInfo::MakeFallbackFont() {
    LOGFONTW lf = {};
    if (!GetObjectW(GetStockObject(ANSI_FIXED_FONT), sizeof lf, &lf))
        return nullptr;
    return CreateFontIndirectW(&lf);
}

BOOL SECEditDisplayInfo::Measure() {
    if (!m_dc || !GetTextMetricsW(m_dc, &m_metrics) || m_metrics.tmHeight <= 0 ||
        m_metrics.tmAveCharWidth <= 0)
        return FALSE;
    m_lineHeight = m_metrics.tmHeight;
    m_charWidth = m_metrics.tmAveCharWidth;
    SIZE size = {};
    const wchar_t glyph = 187;
    if (GetTextExtentPoint32W(m_dc, &glyph, 1, &size))
        m_tabGlyphWidth = size.cx;
    if (GetTextExtentPoint32W(m_dc, L" ", 1, &size) && size.cx > 0)
        m_spaceWidth = size.cx;
    else
        m_spaceWidth = m_charWidth;
    return TRUE;
}

void SECEditDisplayInfo::SetFont(HFONT font) {
    if (!font)
        font = MakeFallbackFont();
    if (m_dc)
        SelectObject(m_dc, font ? HGDIOBJ(font) : GetStockObject(ANSI_FIXED_FONT));
    m_fonts.clear();
    if (font)
        m_fonts.emplace_back(font);
}

int SECEditDisplayInfo::GetTabWidth(int tabSize, BOOL showWhitespace) const {
    tabSize = std::max(1, tabSize);
    return showWhitespace ? (tabSize - 1) * m_spaceWidth + m_tabGlyphWidth : tabSize * m_spaceWidth;
}
