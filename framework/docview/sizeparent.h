// The size-parent protocol: a frame lays out its bars by sending each child WM_SIZEPARENT with
// these parameters; a bar takes its strip off `rect` (and moves itself through hDWP), and what is
// left over goes to the frame's client pane.
#pragma once

#include <windows.h>

#include "framework/core/object.h"

struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;       // deferred positions of this pass; NULL when only measuring
    RECT rect;       // the space still free; each bar shrinks it
    SIZE sizeTotal;  // the extent the bars took, for layouts that measure
    BOOL bStretch;   // bars stretch to the full width or height
    BOOL bBatchLost; // the deferred batch failed: the rest of the pass moves windows at once
};

// Moves a child as part of a size-parent pass (deferred when the pass has a hDWP). A pass without
// one only measures: nothing moves. Without a pass (NULL) the window moves at once.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
