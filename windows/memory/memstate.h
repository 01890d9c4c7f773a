// The memory windows' state blocks and what the library keeps beside them: which blocks are
// alive, how many cells each grid row received in the latest refill, the stack of windows that
// wait for a refill, and the cell lookups every handler shares.
#pragma once

#include <windows.h>

#include "ifac/h/memwnd.h"

// A new zero-filled block, registered as alive; null when it cannot be allocated.
MemWndState* NewMemState();
// Non-null only for a block that NewMemState made and that is not closed; anything else the host
// hands in (null, freed, foreign) names no window.
bool IsLiveMemState(const MemWndState* state);
// Marks the block closed; frees it at once, or when the running refill loop ends.
void RetireMemState(MemWndState* state);
// The state of the window being created or commanded.
MemWndState*& CurrentMemState();

// The cell at (row, index) as the latest refill left it; null outside the table, for an empty
// slot and for a slot that the latest refill did not reach (a cell of an earlier refill).
MemCell* MemCellAt(const MemWndState* state, int row, int index);
MemCell* SelectedMemCell(const MemWndState* state);
// Cells of a grid row up to and including the first one marked last-of-row, within what the
// latest refill added.
int MemRowCellCount(const MemWndState* state, int row);
// The grid row with a cell on text line y, -1 when none; the first such cell of a row.
int MemRowOfLine(const MemWndState* state, int line);
MemCell* FirstMemCellOnLine(const MemWndState* state, int row, int line);
inline bool IsActiveCell(const MemCell* cell) {
    return cell && (cell->flags & kMemCellActive);
}

// Adds one field during a refill (the host's add-field callback); false when no refill of this
// window runs.
bool AddMemField(MemWndState* state, const char* text, uint32_t key, int gap, uint32_t flags);
// The attribute word handed to the host's drawing entry for the add-field flags.
uint32_t MemFieldAttributes(uint32_t flags);

// A grid paint: queues the window and, unless a refill loop runs, drains the queue. The caller
// has validated the window.
void RefillMemWindow(MemWndState* state);
// Refill stack depth, for the bound.
constexpr int kMemRefillStack = 40;
