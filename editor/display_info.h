// Measures text for the editor: the fonts and the metrics that turn lines and columns into
// pixels.
#pragma once

#include "framework/core/cstring.h"

#include <cstdint>
#include <memory>
#include <vector>

class ISECEditLangConfig;

class SECEditDisplayInfo {
public:
    SECEditDisplayInfo();
    virtual ~SECEditDisplayInfo();
    SECEditDisplayInfo(const SECEditDisplayInfo&) = delete;
    SECEditDisplayInfo& operator=(const SECEditDisplayInfo&) = delete;

    int GetCharWidth() const { return m_charWidth; }
    int GetLineHeight() const { return m_lineHeight; }
    int GetTabGlyphWidth() const { return m_tabGlyphWidth; }
    int GetSpaceWidth() const { return m_spaceWidth; }
    const CString& GetFaceName() const { return m_faceName; }
    int GetPointSize() const { return m_pointSize; }
    HDC GetDC() const { return m_dc; }
    HFONT GetFont(int index = 0) const;
    const TEXTMETRICW& GetMetrics() const { return m_metrics; }

    // Builds font 0 from a face, a size in points and the style, selects it and measures it.
    BOOL MeasureFont(const wchar_t* face, int pointSize, BOOL bold, BOOL italic);
    // Replaces every font by one the object then owns; a null font gives a copy of the stock
    // fixed-pitch font. The metrics stay as they are.
    void SetFont(HFONT font);
    // The width of a tab in pixels for a configuration's tab size and whitespace display.
    int GetTabWidth(int tabSize, BOOL showWhitespace) const;

    // -(points x pixels per inch / 72), rounded as MulDiv rounds.
    static int FontHeight(int pointSize, int pixelsPerInch);

protected:
    // Makes a font; null when the system cannot (tests stand in for such a system).
    virtual HFONT MakeFont(const LOGFONTW& lf) { return CreateFontIndirectW(&lf); }

private:
    // A copy of the stock fixed-pitch font, for when the wanted one cannot be had.
    HFONT MakeFallbackFont();
    BOOL Measure();

    struct FontDeleter {
        void operator()(HFONT f) const { DeleteObject(f); }
    };
    HDC m_dc = nullptr;
    TEXTMETRICW m_metrics = {};
    std::vector<std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>> m_fonts;
    int32_t m_charWidth = 8;
    int32_t m_lineHeight = 12;
    int32_t m_tabGlyphWidth = 0;
    int32_t m_spaceWidth = 0;
    CString m_faceName;
    int32_t m_pointSize = 0;
};
