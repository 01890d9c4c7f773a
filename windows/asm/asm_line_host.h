// What the assembler callbacks ask the host about a line, and what they do to both panes of a
// core's window.
#pragma once

#include <optional>
#include <string>

#include "ifac/h/asmlines.h"
#include "shell/hostlink.h"

// Puts the host on the core (on a multi-core host) for the scope's life; a negative core names
// none, and the host stays where it is.
void EnterAsmCore(std::optional<HostCoreScope>& scope, int core);

// The size of the buffer the host writes a line's address text into.
constexpr int kAsmAddressTextSize = 200;

// The line's address text (GetListItemText of its address key), asked while the host is on the
// core (a negative core: where it is); empty when the host has none.
std::string AsmAddressText(const AsmLineRecord& record, int core);

// Both panes of the core's window: repainted, or their redrawing switched off or on.
void RepaintAsmPanes(int core);
void SetAsmPanesRedraw(int core, bool bOn);
// Whether the core's disassembly pane shows the coverage column.
bool AsmPaneHasCoverage(int core);
