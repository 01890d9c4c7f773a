// CPrintPreviewState: what a frame puts aside while a print preview stands in its pane, so that
// closing the preview gives the frame back as it was.
#pragma once

#include <windows.h>

#include <vector>

class CView;

struct CPrintPreviewState {
    HWND hWndFocus = NULL;           // the window that had the focus
    CView* pViewActiveOld = nullptr; // the frame's active view
    HWND hWndPane = NULL;            // the pane (view or splitter) the preview replaces
    std::vector<HWND> hiddenBars;    // the control bars the preview hid
};
