// The requests the library sends the host (HostRequest chains through ExecuteRequest,
// ExecuteRequestChain and ExecuteRequestEx), carried out on the simulated target: core
// selection, breakpoints set and cleared, run to a line, run until the caller or the return,
// set PC and set value, evaluation, the watch window, jumps to a definition or the assembler,
// and the closing of a source window.
#pragma once

#include <cstdint>
#include <string>

#include "ifac/h/hostcmd.h"

// Request codes and the flags that tell their variants apart.
namespace HostRequestCode {
constexpr uint32_t close = 5, jump = 8, clearBreakpoint = 101, evaluate = 105, run = 106,
                   setValue = 115, setBreakpoint = 116, commit = 138, addWatch = 140,
                   closeMemory = 161, showMemory = 109;
constexpr uint32_t closeSource = 0x800;
constexpr uint32_t runToLine = 0x1000, runUntilCaller = 0x400, runUntilReturn = 0x2000;
constexpr uint32_t setValueOfExpression = 0x2000, setRegister = 0x8000;
constexpr uint64_t jumpDefinition = 4, jumpAssembler = 5, jumpCoverage = 13;
} // namespace HostRequestCode

// The host's answer to what it cannot do: the text becomes HostState::lastError and the log's
// HostError line. Always false.
bool ReportHostError(const std::string& why);

// Carries out a chain: text and index as the entry received them, a and b its further words.
// 1 when every record was carried out; 0 (the reason in HostState::lastError) at the first that
// could not be. A chain longer than 64 records (or one that loops) ends there.
int RunRequestChain(const HostRequest* chain, const char* text, int index, intptr_t a, intptr_t b);
