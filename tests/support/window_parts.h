// Where the parts of the library's windows stand, found from the outside as a host or a user
// finds them: the panes of a source frame, the cells of a memory grid.
#pragma once

#include <windows.h>

#include <vector>

#include "ifac/h/memwnd.h"

// The splitter row of a source or assembler frame (both build the same row), its panes from the
// left, and a source pane's body: its line control (a column) or its source view (the source
// pane).
HWND SourceSplitter(HWND frame);
std::vector<HWND> SourcePanes(HWND frame);
HWND SourcePaneBody(HWND pane);

// The memory grid's metrics, measured from the host's font as the library measures them.
struct GridMetrics {
    int rowPitch, topMargin, colPitch, leftMargin;
};
GridMetrics MemoryGridMetrics();
// The client point of a character offset inside a memory cell.
POINT MemoryCellPoint(const MemCell* cell, int offset);
