#include "docking/workbook_tabs.h"

#include <algorithm>

namespace WorkbookTabs {

int TabWidth(int nClientWidth, int nSheets, int nCurrent, int nMax) {
    if (nSheets <= 0)
        return nCurrent;
    return std::min((std::max(nClientWidth, 0) + 5) / nSheets, nMax);
}

void TabPolygon(const CRect& rectClient, int nColumn, int nTabWidth, bool bActive, bool bFlat,
                POINT points[polygonPoints]) {
    const int a = bActive ? 1 : 0;
    const int x0 = rectClient.left + nColumn * nTabWidth - (bFlat ? 0 : (activeWidening / 2) * a);
    const int y0 = rectClient.bottom + 4;
    const int yLow = y0 + tabHeight + activeDrop * a;
    points[0] = {x0, y0};
    points[1] = {x0, y0 + tabHeight - bevel};
    points[2] = {x0 + bevel, yLow};
    points[3] = {x0 + nTabWidth - bevel + (bFlat ? 0 : activeWidening * a), yLow};
    points[4] = {points[3].x + bevel, y0 + tabHeight - bevel};
    points[5] = {points[4].x, y0};
    points[6] = {x0, y0};
}

CRect LabelRect(const POINT points[polygonPoints], int nIconWidth) {
    return CRect(points[2].x + nIconWidth + 3, points[0].y, points[4].x - 2, points[3].y);
}

CString FitLabel(const CString& strLabel, int nWidth,
                 const std::function<int(const CString&)>& measure) {
    CString strText = strLabel;
    while (strText.GetLength() >= 4 && measure(strText) > nWidth)
        strText = strText.Left(strText.GetLength() - 4) + L"...";
    return strText;
}

CRect ClientMargins(bool bWorkbookMode, bool bFlat) {
    if (!bWorkbookMode)
        return CRect(0, 0, 0, 0);
    return bFlat ? CRect(3, 3, 5, 30) : CRect(13, 13, 13, 33);
}

CRect TabInvalidRect(const CRect& rectClient, int nColumn, int nTabWidth, bool bFlat,
                     bool bToStripEnd, int nFrameRight) {
    CRect rect;
    rect.left = nColumn * nTabWidth + rectClient.left - 2;
    rect.top = rectClient.bottom + (bFlat ? 3 : 4);
    rect.bottom = rect.top + tabHeight + 4;
    rect.right = bToStripEnd ? nFrameRight : rect.left + nTabWidth + 4;
    return rect;
}

CRect StripRect(const CRect& rectClient, int nFrameLeft, int nFrameRight) {
    return CRect(nFrameLeft, rectClient.bottom + 4, nFrameRight,
                 rectClient.bottom + 4 + tabHeight + 4);
}

} // namespace WorkbookTabs
