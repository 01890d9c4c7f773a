// Palette bitmaps whose four greys follow the system's button colours: black becomes the button
// text colour, dark grey the shadow, light grey the face and white the highlight.
#pragma once

#include "framework/afx.h"

// Loads RT_BITMAP resource lpszResourceName of the resource module into bitmap (replacing the
// bitmap it held). FALSE when the resource is missing, is not an uncompressed bitmap of 1, 4
// or 8 bits per pixel, or is shorter than its header says, or when no bitmap can be made.
BOOL LoadSysColorBitmap(CBitmap& bitmap, LPCTSTR lpszResourceName);
// The same from a packed bitmap (header, colour table, pixels) of cbData bytes: nothing past
// cbData is read.
BOOL LoadSysColorBitmap(CBitmap& bitmap, const void* pData, DWORD cbData);
