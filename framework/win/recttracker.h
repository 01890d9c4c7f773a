// CRectTracker: a rectangle the user drags with the mouse, drawn as a rubber band while it
// moves. Toolbar buttons are dragged with one in customize mode.
#pragma once

#include <windows.h>

#include "framework/core/geometry.h"

class CDC;
class CWnd;

class CRectTracker {
public:
    // Styles. resizeInside: the handles lie inside the rectangle.
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };
    enum TrackerHit { hitNothing = -1, hitMiddle = 8 };

    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    virtual ~CRectTracker() = default;

    // Moves the whole rectangle with the mouse until the left button is released (TRUE) or the
    // move is cancelled by Escape, the right button or a lost capture (FALSE, m_rect kept).
    // point and m_rect are in pWnd's client coordinates; the pointer is kept on the desktop
    // (or inside pWndClipTo when one is given). A WM_QUIT that arrives meanwhile cancels the
    // move and is posted again for the caller's loop.
    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = NULL);

    // Draws the rubber band at lpRect (pWnd coordinates) on pDC, a DC of pWndClipTo (the
    // screen when NULL), erasing the one drawn before; NULL erases only.
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    // Called whenever the tracked rectangle moves, before it is drawn.
    virtual void OnChangedRect(const CRect& rectOld);

    CRect m_rect;
    UINT m_nStyle = 0;
    int m_nHandleSize;
    CSize m_sizeMin;

protected:
    BOOL m_bErase = FALSE; // a band is on the screen
    CRect m_rectLast;      // where it is, in pWndClipTo coordinates
    CSize m_sizeLast;

private:
    BOOL TrackMove(CWnd* pWnd, CPoint point, CWnd* pWndClipTo);
};
