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
