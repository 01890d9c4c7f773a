// The window-update mask that the host switches through EnableWindowUpdate: bit 0x1 the
// assembler window's updates (and the redrawing of the active core's disassembly list),
// bit 0x2 the source windows' updates.
#pragma once

#include <cstdint>

constexpr uint32_t kUpdateAssembler = 0x1;
constexpr uint32_t kUpdateSource = 0x2;

uint32_t WindowUpdateMask();
// Sets (on) or clears the bits; returns the mask as it was. The windows follow through
// CMainFrame::EnableWindowUpdate.
uint32_t SetWindowUpdate(uint32_t bits, bool on);
// The list window that shows a core's disassembly, for the switch of its redrawing; the
// assembler window names its list here (0 takes it back).
void SetCoreDisassemblyList(int core, intptr_t listId);
