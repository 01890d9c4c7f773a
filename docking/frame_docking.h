// What docking needs to know of a frame's dock bars and bars: the dock bars a frame makes and
// which one a bar goes to, the layout mode of a side, the document frame a bar hosts, the work
// area a floating bar stays on. Nothing here keeps state.
#pragma once

#include "docking/dock_bar.h"
#include "framework/afx.h"

#include <vector>

class SECFrameWnd;

namespace sec_docking {

// The dock bars of EnableDocking: top 0x2800, bottom 0x8200, left 0x1400, right 0x4100.
extern const DWORD kDockBars[4][2];

// The dock bar nID of pFrame, or NULL.
CDockBar* DockBarOf(CFrameWnd* pFrame, UINT nID);
// The dock bar nID when present; else the one whose side is exactly the bar's; else the first
// whose side overlaps the bar's; else the bottom one (a bar with no or several sides still docks).
CDockBar* ChooseDockBar(CFrameWnd* pFrame, CControlBar* pBar, UINT nID);
// The layout mode of a dock bar id: 0x2A top and bottom, 0x10 left and right, 0x26 else.
DWORD LayoutModeFor(UINT nDockBarID);
// A docked document frame hosted by pBar (its first child), or NULL.
SECFrameWnd* GetBarHostedFrame(CControlBar* pBar);
// x (or y) moved so that at least 10 pixels of a bar extent long stay inside [lo, hi).
int ClampToWorkArea(int v, int extent, int lo, int hi);
// The work area of the monitor nearest the point.
CRect WorkArea();
// Moves pWnd onto its parent frame's client area.
void FitToParent(CWnd* pWnd);

// The style a floating frame gets for pBar (dynamic bars lie horizontally).
DWORD FloatStyleFor(CControlBar* pBar, DWORD dwStyle);
// The bars of the frame in its list order.
std::vector<CControlBar*> FrameBars(CFrameWnd* pFrame);

} // namespace sec_docking
