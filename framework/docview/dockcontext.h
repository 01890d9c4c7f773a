// CDockContext: the modal loop that drags a bar to another dock bar or to a floating frame,
// resizes a floating bar, and toggles a bar between docked and floating. The loop reads the
// pointer from each message it takes (not from the cursor), so posted input drives it.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/core/geometry.h"

class CControlBar;
class CDockBar;
class CFrameWnd;
class CDC;

class CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();

    virtual void StartDrag(CPoint pt);
    virtual void StartResize(int nHitTest, CPoint pt);
    virtual void ToggleDocking();

    // The bar is going away: the context is deleted now, or, inside its own loop, when the loop
    // has ended (the loop then stops at once).
    void ReleaseBar();
    BOOL IsTracking() const { return m_bInLoop; }

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;
    CRect m_rectDragHorz, m_rectDragVert;
    CRect m_rectFrameDragHorz, m_rectFrameDragVert;
    DWORD m_dwDockStyle = 0;     // the sides the bar may dock on
    DWORD m_dwOverDockStyle = 0; // the side of the dock bar under the drag, 0 floating
    DWORD m_dwStyle = 0;         // the bar's style when the drag began
    BOOL m_bFlip = FALSE;        // Shift: the other orientation
    BOOL m_bForceFrame = FALSE;  // Ctrl: floats, never docks
    BOOL m_bDragging = FALSE;    // a move; FALSE during a resize
    int m_nHitTest = 0;
    CDC* m_pDC = nullptr;
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;

protected:
    // Runs the loop; TRUE when the left button ended it (the drop or resize is applied), FALSE
    // when it was refused or cancelled (nothing changed). May delete this context at its end.
    BOOL Track();
    virtual void InitLoop();
    // Erases the rectangle and gives back capture, window updates and the device context; safe
    // to call twice.
    virtual void CancelLoop();
    virtual void Move(CPoint pt);
    virtual void Stretch(CPoint pt);
    virtual void EndDrag();
    virtual void EndResize();
    virtual void OnKey(int nChar, BOOL bDown);
    // The side of the dock bar the drag is over (0 none), and that dock bar.
    virtual DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);
    // Remembers a side dock bar and the rectangle in it as the place a later toggle docks at.
    void RememberDockPlace(CDockBar* pDockBar, const CRect& rect);
    // The rectangle for the drag's present state (screen), and whether it has the docked look.
    virtual void GetTrackRect(CRect& rect, BOOL& bDocked);
    virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);
    BOOL IsHorzTarget() const;
    // Shifts rect so that pt lies inside it.
    static void AdjustForPointer(CRect& rect, CPoint pt, int cxBorder);

    BOOL m_bInLoop = FALSE;
    BOOL m_bDeletePending = FALSE;

private:
    struct LoopResources;
    std::unique_ptr<LoopResources> m_loop;
    BOOL RunMessages();
};
