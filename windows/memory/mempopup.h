// The memory window's popup menu (the item table the host builds it from and the check-state
// callback), the commands it dispatches, and the window's drag source.
#pragma once

#include "ifac/h/memwnd.h"

const MemMenuItem* MemoryPopupTable();
extern "C" int __cdecl MemoryPopupEnable(void* menu, int command);
// Runs one popup command for the window of state.
void MemoryPopupDispatch(MemWndState* state, int command);

// Describes a drag out of the grid to the host's service and starts it: cell -1 drags the
// row's address, any other index that cell's value; last is the index of the row's last cell.
// The service's answer; 0 when nothing was dragged.
int MemoryDragSource(MemWndState* state, int row, int cell, int last);
