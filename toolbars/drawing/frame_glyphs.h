// Caption and scroll buttons as the system's frame controls draw them. The system takes their
// glyphs (close, minimise, maximise, restore, help, the arrows) from its symbol font; where that
// font is missing it shows the font's letters instead ("r", "0", "1"). There the system still
// draws the button's face and these lines draw the glyph.
#pragma once

#include <windows.h>

// Whether the system has the symbol font its frame controls take their glyphs from (asked
// once a process).
bool HasFrameGlyphFont();

// DrawFrameControl: caption buttons (DFC_CAPTION) and arrows (DFC_SCROLL) get their glyph from
// DrawFrameGlyph when the symbol font is missing; everything else goes to the system as is.
BOOL DrawFrameButton(HDC hDC, RECT* pRect, UINT nType, UINT nState);

// The button's face by the system and its glyph by lines, whatever fonts there are. FALSE for a
// type or kind it has no glyph of (those take the system's own drawing).
BOOL DrawFrameGlyph(HDC hDC, const RECT& rect, UINT nType, UINT nState);
