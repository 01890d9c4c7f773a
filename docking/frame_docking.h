// What the two docking frames share: the dock bars they make, sized docking, floating in a
// mini frame, delayed showing, the hosted document frame of a bar, and taking bars down when
// the frame goes. The frames call these with themselves; nothing here keeps state.
#pragma once

#include "docking/dock_bar.h"
#include "framework/afx.h"

class SECFrameWnd;

namespace sec_docking {

// The dock bars of EnableDocking: top 0x2800, bottom 0x8200, left 0x1400, right 0x4100.
extern const DWORD kDockBars[4][2];

// Makes the missing dock bars of dwDockStyle's sides with pMake (a new dock-bar object); a dock
// bar that cannot be made throws the resource exception.
template <class Make>
void EnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle, DWORD dwExtra, Make pMake);
void CreateDockBar(CFrameWnd* pFrame, CDockBar* pDockBar, DWORD dwSide, DWORD dwExtra, UINT nID);
// The frame's slots for dock bars and floating frames, where still empty.
void FillClassSlots(CFrameWnd* pFrame, CRuntimeClass* pMDIChildClass,
                    CRuntimeClass** ppMDIChildSlot);

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

// Sized docking: the dock bar, the bar's share, its length, its place.
void DockControlBarSized(CFrameWnd* pFrame, CControlBar* pBar, const SECDockPos& pos,
                         UINT nDockBarID, const SECDockSize& size,
                         void (*pSwap)(CFrameWnd*, SECFrameWnd*, BOOL));
// The drag tracker's docking (bRedock: the dock bar's re-dock operation and its choice).
void DockControlBarRect(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect,
                        BOOL bRedock, void (*pSwap)(CFrameWnd*, SECFrameWnd*, BOOL));
// Floats pBar in a mini frame at (x, y); bClamp keeps it on the work area and lets a bar alone in
// its frame only move.
void FloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, int x, int y, DWORD dwStyle, BOOL bClamp,
                     void (*pSwap)(CFrameWnd*, SECFrameWnd*, BOOL));
// The style a floating frame gets for pBar (dynamic bars lie horizontally).
DWORD FloatStyleFor(CControlBar* pBar, DWORD dwStyle);
// bMDI: a bar already in that state is left alone.
void ShowControlBar(CFrameWnd* pFrame, CControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bMDI);
// Destroys the frame's bars, then its dock bars or their floating frames, by handle, looking
// each up again (a destroyed bar can take its floating frame with it).
void DestroyBars(CFrameWnd* pFrame);
// After the framework's layout: an empty client redraws the frame, else every dock bar of the
// library refreshes its splitters.
void AfterLayout(CFrameWnd* pFrame);
// New system colours: the shared drawing colours, then every bar of the frame (custom toolbars
// reload their button images).
void RefreshColors(CFrameWnd* pFrame);
// The bars of the frame in its list order.
std::vector<CControlBar*> FrameBars(CFrameWnd* pFrame);

} // namespace sec_docking

template <class Make>
void sec_docking::EnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle, DWORD dwExtra, Make pMake) {
    for (const auto& entry : kDockBars) {
        if (!(entry[1] & dwDockStyle & CBRS_ALIGN_ANY) ||
            pFrame->GetControlBar(entry[0]) != nullptr)
            continue;
        CreateDockBar(pFrame, pMake(), entry[1], dwExtra, entry[0]);
    }
}
