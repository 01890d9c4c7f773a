// Text widths with tabs expanded on the document's grid: a tab ends at the next multiple of the
// tab width counted from the line's start, wherever the measured piece begins. Painting, the
// caret and clicks all measure here, so they agree.
#pragma once

#include <windows.h>

// The width of count characters that begin startX pixels from the line's start.
int SECEditTabbedWidth(HDC dc, const wchar_t* text, int count, int startX, int tabWidth);

// The column whose edge lies nearest x (pixels from the line's start) among length characters;
// x moves to that edge. With flags 1 a tab's right side counts only within 4 pixels of its end;
// without, any point right of a tab's left edge takes its right side. Never above length.
int SECEditColumnFromX(HDC dc, const wchar_t* text, int length, int& x, int tabWidth, int flags);
