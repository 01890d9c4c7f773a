// The 8 x 8 checkerboard brush of toggled-down toolbar buttons and checked menu images: button
// face and highlight alternating pixel by pixel.
#pragma once

#include "framework/afx.h"

// Makes brush (deleting what it held) from the two colours. FALSE when it cannot be made.
BOOL CreateDitherBrush(CBrush& brush, COLORREF crFace, COLORREF crHighlight);
// The same in the system's button face and highlight colours.
BOOL CreateDitherBrush(CBrush& brush);
