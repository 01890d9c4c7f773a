// Scratch surfaces the drawing routines reuse from draw to draw: 32-bit pixel blocks whose
// pixels can be read and written directly, and a monochrome mask. They only grow; the library
// draws from its user-interface thread alone, and no routine holds one across another's call.
#pragma once

#include <windows.h>

struct PixelSurface {
    HDC hdc;     // the block selected into a memory DC
    DWORD* bits; // 0x00RRGGBB, rows from the top
    int stride;  // pixels per row
};

// Slots 0 and 1 serve pixel transforms (source, destination), slot 2 stages image-list images.
const int kPixelSlotSource = 0;
const int kPixelSlotDest = 1;
const int kPixelSlotStage = 2;

// A surface of at least cx x cy, or NULL when it cannot be made.
const PixelSurface* AcquirePixelSurface(int slot, int cx, int cy);
// A memory DC holding a monochrome bitmap of at least cx x cy, or NULL.
HDC AcquireMaskDC(int cx, int cy);

inline DWORD ToPixel(COLORREF c) {
    return RGB(GetBValue(c), GetGValue(c), GetRValue(c));
}
inline COLORREF FromPixel(DWORD p) {
    return RGB(GetBValue(p), GetGValue(p), GetRValue(p));
}
