// The character metrics every memory window shares, taken from the memory font: the pitch of a
// text line and of a character, and the margins around the grid's text.
#pragma once

#include <windows.h>

struct MemMetrics {
    int rowPitch = 1;   // tmHeight + tmExternalLeading
    int topMargin = 0;  // tmExternalLeading
    int colPitch = 1;   // tmAveCharWidth
    int leftMargin = 0; // tmAveCharWidth / 2

    // Client rectangle of a field at (x characters, y lines), length characters wide.
    RECT FieldRect(int x, int y, int length) const;
};

// The current metrics; measured on first need when no start-up measured them yet. The pitches
// are never below 1, whatever the font.
MemMetrics MemoryMetrics();
// The font the grid draws with (the stock fixed-pitch font when the host gave none).
HFONT MemoryFont();
// The title line's font.
HFONT MemoryTitleFont();
