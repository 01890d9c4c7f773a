// The geometry of the workbook's sheet tabs: width, outline, label rectangle, cut labels,
// client margins and the rectangles to repaint. Pure functions of the numbers they are given.
#pragma once

#include "framework/core/cstring.h"
#include "framework/core/geometry.h"

#include <functional>

namespace WorkbookTabs {

enum : int {
    defaultTabWidth = 100,
    tabHeight = 23,
    bevel = 2,
    activeWidening = 4, // the active tab of the raised look, half on each side
    activeDrop = 2,
    maxTabWidth = 90,
    polygonPoints = 7
};

// min((nClientWidth + 5) / nSheets, nMax); nCurrent while there are no sheets.
int TabWidth(int nClientWidth, int nSheets, int nCurrent, int nMax = maxTabWidth);

// The outline of the tab in column nColumn under the MDI client rectangle rectClient (frame
// client coordinates), closed: the last point repeats the first.
void TabPolygon(const CRect& rectClient, int nColumn, int nTabWidth, bool bActive, bool bFlat,
                POINT points[polygonPoints]);

// Where the label of a tab with this outline goes, right of an icon nIconWidth wide.
CRect LabelRect(const POINT points[polygonPoints], int nIconWidth);

// The label as drawn in nWidth pixels: cut to its first n - 4 characters and "..." until it
// fits; a text of 3 characters or fewer is never cut. measure gives a text's width.
CString FitLabel(const CString& strLabel, int nWidth,
                 const std::function<int(const CString&)>& measure);

// The MDI client's margins {left, top, right, bottom} for the mode and look.
CRect ClientMargins(bool bWorkbookMode, bool bFlat);

// The frame area that shows the tab in column nColumn: up to the frame's right edge when
// bToStripEnd (the tabs after it move), else the tab and its raised margin.
CRect TabInvalidRect(const CRect& rectClient, int nColumn, int nTabWidth, bool bFlat,
                     bool bToStripEnd, int nFrameRight);
// The whole strip of tabs across the frame.
CRect StripRect(const CRect& rectClient, int nFrameLeft, int nFrameRight);

} // namespace WorkbookTabs
