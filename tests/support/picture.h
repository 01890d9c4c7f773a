// What a test reads back of a drawing: a picture's pixels, compared, counted and written as a
// PNG file for a person to look at.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Picture {
    int cx = 0, cy = 0;
    std::vector<DWORD> pixels; // 0x00RRGGBB (a 32-bit DIB's own layout), top row first

    // The pixel's colour; CLR_INVALID outside the picture.
    COLORREF At(int x, int y) const;
    void Set(int x, int y, COLORREF colour);
    // Pixels of this colour inside rc (clipped to the picture).
    int Count(const RECT& rc, COLORREF colour) const;
    // Whether rows top..bottom (clipped to the picture) match those of a picture of the same size.
    bool SameRows(const Picture& other, int top, int bottom) const;
    bool Empty() const { return pixels.empty(); }
};

// Pixels that differ between two pictures of the same size (every pixel of the larger when the
// sizes differ).
int DifferentPixels(const Picture& a, const Picture& b);
// The pixels of a bitmap that is not selected into any DC; an empty picture when they cannot
// be read.
Picture PictureOfBitmap(HBITMAP hBitmap);
// Writes the picture as a PNG file; false when it cannot be written.
bool SavePng(const Picture& picture, const std::wstring& path);
