// A surface to draw on that yields a picture: a 32-bit top-down DIB section in a memory DC, black
// until drawn on. An empty size draws nowhere and yields an empty picture.
#pragma once

#include "framework/afx.h"

#include "tests/support/picture.h"

class PictureCanvas {
public:
    PictureCanvas(int cx, int cy);
    ~PictureCanvas();
    PictureCanvas(const PictureCanvas&) = delete;
    PictureCanvas& operator=(const PictureCanvas&) = delete;

    CDC& DC() { return m_dc; }
    // What has been drawn so far.
    Picture Take() const;

private:
    int m_cx, m_cy;
    CDC m_dc;
    HBITMAP m_hBitmap = NULL;
    HGDIOBJ m_hOld = NULL;
    void* m_pBits = nullptr;
};
