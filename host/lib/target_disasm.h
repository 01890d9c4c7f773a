// The disassembly of the target's memory as the assembler window shows it: before the code of
// each statement its source line, then one line for each instruction with its address, bytes,
// text, execution count and breakpoint; a word the processor cannot run shows as data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DisassemblyLine {
    uint32_t address = 0;
    bool source = false; // a source line (before the instruction at the same address)
    int file = -1, line = 0;
    std::string addressText; // "0x0140"
    std::string opcodeText;  // "15 05 FC FF"
    std::string text;        // "ADDI    SP, -4", or "main.c 16: total = 0;"
    uint32_t executed = 0;
    bool breakpoint = false;
};

// Up to count lines from the instruction at address (rounded down to one) upward; fewer at the
// end of the memory.
std::vector<DisassemblyLine> DisassembleLines(uint32_t address, int count);
