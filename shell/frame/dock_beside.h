// Docking a bar right after another one in that bar's row.
#pragma once

#include "framework/afx.h"

// Docks pBar in pNeighbour's dock bar, in its row, right after it (to its right in a horizontal
// row, below it in a vertical one): the frame's layout is brought up to date first, so that the
// neighbour's rectangle is where it stands. Nothing happens for a missing bar or frame, or for a
// neighbour that is not docked.
void DockControlBarLeftOf(CFrameWnd* pFrame, CControlBar* pBar, CControlBar* pNeighbour);
