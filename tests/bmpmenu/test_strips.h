// Button images made by the tests: 16 x 15 images on the button face, each with a 10 x 9 square
// of its own colour at (3, 3).
#pragma once

#include <windows.h>

// A screen-compatible strip of count images; the caller deletes it.
HBITMAP MakeSquareStrip(const COLORREF* colours, int count);
