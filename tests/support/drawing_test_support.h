// Helpers shared by the drawing tests: a memory bitmap to draw on and read back.
#pragma once

#include "framework/afx.h"

#include <vector>

// A screen-compatible bitmap of cx x cy selected into a memory DC, filled with one colour.
class Canvas {
public:
    Canvas(int cx, int cy, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    CDC dc;
    CBitmap bitmap;
    int cx, cy;

    // Row-major pixels, row by row from the top.
    std::vector<COLORREF> Pixels() const;
    void SetPixels(const std::vector<COLORREF>& pixels);
    // Takes the bitmap out of the DC (a bitmap is selected in one DC at a time) and back.
    void Unselect();
    void Reselect();

private:
    CBitmap* m_pOld = nullptr;
};
