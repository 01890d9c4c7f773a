// Docking a bar right after another one in that bar's row.
#pragma once

#include "framework/afx.h"

// Docks pBar in pNeighbour's dock bar, in its row, right after it (to its right in a horizontal
// row, below it in a vertical one): the frame's layout is brought up to date first, so that the
// neighbour's rectangle is where it stands. Nothing happens for a missing bar or frame, or for a
// neighbour that is not docked.
void DockControlBarLeftOf(CFrameWnd* pFrame, CControlBar* pBar, CControlBar* pNeighbour);

// The first row but pBar's own in its (horizontal) dock bar whose visible bars leave room for
// pBar at their end, counted from the frame's edge; -1 when pBar shares its row with another
// visible bar, stands in no row or has no such row. The frame's layout must be up to date.
int RowWithRoom(CControlBar* pBar);
