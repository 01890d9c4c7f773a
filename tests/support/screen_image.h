// What the screen shows of a window, read back as pixels, and the frame's toolbars in it.
#pragma once

#include <windows.h>

#include "tests/support/picture.h"

#include <string>
#include <utility>
#include <vector>

// A window's pixels as the screen shows them, 0x00RRGGBB, row by row from the top.
class ScreenImage {
public:
    // Reads what the screen shows of hWnd; with a name, also writes it as a PNG file of that
    // name into the screens folder.
    bool Read(HWND hWnd, const wchar_t* pszScreenshot = nullptr);
    // The pixel at a screen point inside the window.
    DWORD At(int x, int y) const;
    const RECT& Rect() const { return m_rect; }
    // Pixels in rect (screen coordinates, clipped to the window) of this colour (0x00RRGGBB).
    int Count(RECT rect, DWORD colour) const;

private:
    RECT m_rect{};
    Picture m_picture;
};

// Pixels inside rect (screen coordinates) that two reads show differently: by at least minStep
// in one of the colour channels.
int Differing(const ScreenImage& a, const ScreenImage& b, const RECT& rect, int minStep = 1);

// 0x00RRGGBB of a COLORREF.
DWORD Rgb(COLORREF colour);

// Pixels inside a bar (screen rectangle, borders left out) that no face, edge or separator is
// painted in: its buttons' images.
int GlyphPixels(const ScreenImage& image, RECT bar);

// The shown bars of the frame's top dock bar in its first row, with their titles, from the
// left.
std::vector<std::pair<std::wstring, RECT>> TopRow(HWND frame);
