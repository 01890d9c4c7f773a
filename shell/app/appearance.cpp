#include "shell/app/appearance.h"

#include <initializer_list>

#include "shell/hostlink.h"

namespace {
SharedAppearance g_appearance;

bool ReadLogFont(HFONT font, LOGFONTW& lf) {
    lf = LOGFONTW{};
    return font != NULL && ::GetObjectType(font) == OBJ_FONT &&
           ::GetObjectW(font, sizeof lf, &lf) == sizeof lf;
}

void Replace(HFONT& slot, const LOGFONTW& lf) {
    if (slot != NULL)
        ::DeleteObject(slot);
    slot = ::CreateFontIndirectW(&lf);
}

LOGFONTW With(LOGFONTW lf, LONG weight, BYTE italic) {
    if (weight >= 0)
        lf.lfWeight = weight;
    lf.lfItalic = italic;
    return lf;
}

void MeasureMemoryFont() {
    HDC dc = ::GetDC(NULL);
    HFONT font = g_appearance.memoryFont ? g_appearance.memoryFont
                                         : static_cast<HFONT>(::GetStockObject(ANSI_FIXED_FONT));
    HGDIOBJ old = ::SelectObject(dc, font);
    ::GetTextMetricsW(dc, &g_appearance.memoryMetrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(NULL, dc);
}

// The memory windows draw with a font of their own made from the host's description: the same
// face and metrics, and no handle the host may delete while a window still draws with it.
void SetMemoryFont(const LOGFONTW* lf) {
    if (g_appearance.memoryFont != NULL)
        ::DeleteObject(g_appearance.memoryFont);
    g_appearance.memoryFont = lf ? ::CreateFontIndirectW(lf) : NULL;
    MeasureMemoryFont();
}

bool HostFonts(LOGFONTW& first, LOGFONTW& second) {
    if (!HostVersionAtLeast(3, 6))
        return false;
    HFONT_WIRE font = nullptr, bold = nullptr;
    uint32_t colors[3] = {};
    HostTable()->GetFontAndColors(&font, &bold, &colors[0], &colors[1], &colors[2]);
    g_appearance.text = colors[0];
    g_appearance.background = colors[1];
    g_appearance.secondText = colors[2];
    if (!ReadLogFont(static_cast<HFONT>(font), first))
        return false;
    if (!ReadLogFont(static_cast<HFONT>(bold), second))
        second = With(first, FW_BOLD, 0);
    return true;
}
} // namespace

const SharedAppearance& Appearance() {
    return g_appearance;
}

void InitFontsAndColors() {
    LOGFONTW first{}, second{};
    if (HostFonts(first, second)) {
        Replace(g_appearance.plain, first);
        Replace(g_appearance.italic, With(first, -1, 1));
        Replace(g_appearance.bold, second);
        Replace(g_appearance.boldItalic, With(second, -1, 1));
        return;
    }
    if (!HostVersionAtLeast(3, 6)) {
        g_appearance.text = ::GetSysColor(COLOR_WINDOWTEXT);
        g_appearance.background = ::GetSysColor(COLOR_WINDOW);
        g_appearance.secondText = RGB(255, 0, 0);
    }
    LOGFONTW base{};
    ::GetObjectW(::GetStockObject(ANSI_FIXED_FONT), sizeof base, &base);
    Replace(g_appearance.plain, base);
    Replace(g_appearance.bold, With(base, FW_BOLD, 0));
    Replace(g_appearance.boldItalic, With(base, FW_BOLD, 1));
    Replace(g_appearance.italic, With(base, FW_LIGHT, 1));
}

BOOL ChangeSharedFonts(HFONT font, HFONT boldFont) {
    LOGFONTW lf{};
    if (!ReadLogFont(font, lf))
        return FALSE;
    Replace(g_appearance.plain, lf);
    SetMemoryFont(&lf);
    Replace(g_appearance.italic, With(lf, -1, 1));
    LOGFONTW boldLf{};
    if (!ReadLogFont(boldFont, boldLf))
        boldLf = With(lf, FW_BOLD, 0);
    Replace(g_appearance.bold, boldLf);
    Replace(g_appearance.boldItalic, With(boldLf, -1, 1));
    return TRUE;
}

BOOL ChangeSharedColors(COLORREF text, COLORREF background, COLORREF secondText) {
    BOOL all = TRUE;
    const COLORREF given[3] = {text, background, secondText};
    COLORREF* slots[3] = {&g_appearance.text, &g_appearance.background, &g_appearance.secondText};
    for (int i = 0; i < 3; ++i) {
        if (given[i] & 0xFF000000u)
            all = FALSE;
        else
            *slots[i] = given[i];
    }
    return all;
}

void InitWindowFonts() {
    LOGFONTW first{};
    if (HostVersionAtLeast(3, 6)) {
        HFONT_WIRE font = nullptr, bold = nullptr;
        uint32_t colors[3] = {};
        HostTable()->GetFontAndColors(&font, &bold, &colors[0], &colors[1], &colors[2]);
        if (ReadLogFont(static_cast<HFONT>(font), first)) {
            SetMemoryFont(&first);
            return;
        }
    }
    SetMemoryFont(nullptr);
}

void FreeSharedAppearance() {
    for (HFONT* slot : {&g_appearance.plain, &g_appearance.bold, &g_appearance.italic,
                        &g_appearance.boldItalic, &g_appearance.memoryFont}) {
        if (*slot != NULL)
            ::DeleteObject(*slot);
        *slot = NULL;
    }
}
