// The assembler windows the stand-in host opens in the library, one a core: each gets a block
// of the disassembly around the instruction it shows (SetColumnDatas flag 0x8) and the line of
// that instruction (UpdateSourceWindow flag 0x8), more lines when it scrolls to an end, and its
// lines again after every stop. Also the command-table entries only these windows call.
#pragma once

#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <string>

#include "host/lib/asm_chain.h"
#include "ifac/h/hostcmd.h"
#include "ifac/h/hostwnd.h"

// The panes and columns the host asks for: disassembly, address pane, coverage column.
constexpr int kAsmWindowColumns = 0x4 | 0x8 | 0x10;
// SetColumnDatas: the disassembly view's line chain.
constexpr int kAsmColumnData = 0x8;
// Lines a window gets at once, how many of them stand above the instruction it shows, and the
// most it holds after it asked for more.
constexpr int kAsmBlockLines = 64;
constexpr int kAsmLinesAbove = 16;
constexpr int kAsmMaxLines = 256;
// GetLineColors: the kinds that ask for more lines above and below.
constexpr int kAsmMoreAbove = 5, kAsmMoreBelow = 6;
// The close request of an assembler window carries this in parameter slot 4.
constexpr uint64_t kAsmCloseSlot = 5;

struct HostAsmWindow {
    int core = 0;
    int id = -1;
    WindowPosition position{};
    uint32_t shownAddress = 0;     // the instruction the window selects
    uint32_t shownPc = UINT32_MAX; // the core's current instruction when it was last shown
    std::deque<std::unique_ptr<AsmChain>> chains; // the newest last; older ones the window may
                                                  // still read from
    const AsmChain* Chain() const { return chains.empty() ? nullptr : chains.back().get(); }
};
const std::list<HostAsmWindow>& AsmWindows();
const HostAsmWindow* AsmWindowOfCore(int core);
// Forgets every window (the library is unbound or gone).
void ForgetAsmWindows();

// The core's window, opened when there is none (with the core active, as the library keys the
// window by the active core); its id, -1 when the library refuses or is not bound.
int OpenAsmWindow(int core);
// Shows an address in the core's window (opened when needed): a new block when the address is
// outside the window's lines. False for an address outside the target's memory.
bool ShowAsmAddress(int core, uint32_t address);
// After every stop: each window at its core's current instruction when that moved, otherwise its
// lines again where they were (breakpoints, bytes and counts change).
void PublishAsmStop();
// The same lines again after the disassembly itself changed (annotations, block comments).
void RefreshAsmWindows();
// Word 19: more lines above or below for the core's window; the window's first line moves while
// the call runs. False when there are none (the window stands at that end) or no window.
bool MoreAsmLines(int core, int kind);
// The host closes the core's window (the library asked it to): false when none is open.
bool CloseAsmWindow(int core);

// The coverage text behind a record's word 26, when name is one of the host's records.
bool AsmCoverageTextOfName(const void* name, std::string& text);

// Command 155: the host asks for an address (its prompt answers AsmChangeAddressAnswer, an
// expression, "main" at start) and shows it in the core's window.
std::string& AsmChangeAddressAnswer();
bool ChangeAsmAddress(int core);

// Fills the command table's entries of the assembler windows (12, 19, 26).
void FillAsmCommands(HostCommandTable& table);
