// Drawing state every list in the process shares: the inactive-selection and face colours, the
// grid pens and the header brush.
#pragma once

#include "framework/afx.h"

struct SECListSharedColors {
    COLORREF rgbInactiveSelBk; // also the background of a disabled list
    COLORREF rgbInactiveSelText;
    COLORREF rgbFace; // header and the corner between the bars
};

// Loaded from the system on first use.
SECListSharedColors& SECListShared();
void SECListReloadShared();
CPen* SECListGridPen();
CBrush* SECListHeaderBrush();
