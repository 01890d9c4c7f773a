// A list painted into a DIB section, read back pixel by pixel.
#pragma once

#include "framework/afx.h"

#include <string>
#include <utility>
#include <vector>

class Pixels {
public:
    Pixels(int cx, int cy);
    ~Pixels();
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;

    CDC& DC() { return m_dc; }
    COLORREF At(int x, int y) const;
    // Pixels of colour rgb inside rc.
    int Count(const RECT& rc, COLORREF rgb) const;
    // Writes the picture under the build tree's screens folder.
    bool Save(const wchar_t* name);

private:
    friend int DifferentPixels(const Pixels& a, const Pixels& b);
    int m_cx, m_cy;
    CDC m_dc;
    HBITMAP m_hBitmap = NULL;
    HGDIOBJ m_hOld = NULL;
    const DWORD* m_pBits = nullptr;
};

// The screen under a window (it must be shown and uncovered).
Pixels* CaptureScreen(HWND hWnd);
// Pixels that differ between two pictures of the same size (every pixel when the sizes differ).
int DifferentPixels(const Pixels& a, const Pixels& b);
// Scrolls hWnd by each message in turn (WM_VSCROLL or WM_MOUSEWHEEL with its wParam) and
// checks that a small scroll leaves only a strip to paint (less than a third of the window),
// and that the window, once updated, looks exactly as after painting it whole (its scroll bars
// included).
void ExpectScrollsMatchWholePaints(HWND hWnd, const std::vector<std::pair<UINT, WPARAM>>& steps);
