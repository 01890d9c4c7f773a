// Colour arithmetic on plain RGB values (red in the low byte, top byte zero): blending,
// brightening, a luminance test, a weighted distance with a contrast rule, and conversion to
// and from hue, lightness and saturation on a 0..240 scale.
#pragma once

#include <windows.h>

// Weights 0..99 are percent of a, weights 100..255 per mille of a.
COLORREF BlendColors(COLORREF a, COLORREF b, BYTE weight);
// Adds amount to each channel, clamped at 255.
COLORREF LightenColor(COLORREF c, BYTE amount);
// 77 red + 153 green + 26 blue below 256 * threshold.
BOOL IsColorDark(COLORREF c, int threshold);

// Weighted distance of two colours; black to white is 442.
double ColorDistance(COLORREF a, COLORREF b);
double AdjustContrastThreshold(double distanceFromBlack, double threshold);
BOOL IsContrastEnough(COLORREF fg, COLORREF bg, BOOL adjust, double threshold);
// fg when it stands far enough from bg, else fg moved toward black or white until it does.
COLORREF EnsureContrast(COLORREF fg, COLORREF bg, int minDistance);
COLORREF MoveColorForContrast(COLORREF fg, COLORREF bg, double distance);

void RgbToHls(COLORREF c, WORD& hue, WORD& lightness, WORD& saturation);
COLORREF HlsToRgb(WORD hue, WORD lightness, WORD saturation);
