// The fonts and colours that the list, evaluation, assembler and memory windows share for the
// whole run: four list fonts (plain, bold, italic, bold italic), three list colours, and the
// memory windows' font with its metrics. The library owns every one of these fonts; a host's
// font handle is only read.
#pragma once

#include <windows.h>

struct SharedAppearance {
    HFONT plain = NULL;
    HFONT bold = NULL;
    HFONT italic = NULL;
    HFONT boldItalic = NULL;
    COLORREF text = 0;
    COLORREF background = 0;
    COLORREF secondText = 0;
    HFONT memoryFont = NULL; // NULL: the stock fixed-pitch font
    TEXTMETRICW memoryMetrics = {};
};
const SharedAppearance& Appearance();

// From the host (3.6 and later: GetFontAndColors) or the system's defaults; a host font that is
// no font falls back to the defaults.
void InitFontsAndColors();
// The list fonts from font (and boldFont, or font at weight 700), the memory font a copy of
// font. FALSE, and nothing changed, when font is no font; a bold font that is none counts as 0.
BOOL ChangeSharedFonts(HFONT font, HFONT boldFont);
// FALSE, and that colour unchanged, for a value with its top byte set (no RGB colour).
BOOL ChangeSharedColors(COLORREF text, COLORREF background, COLORREF secondText);
// The memory windows' font and metrics as the memory window's start-up computes them: the host's
// font (3.6 and later) copied, else the stock fixed-pitch font.
void InitWindowFonts();
// Deletes every font the library made.
void FreeSharedAppearance();
