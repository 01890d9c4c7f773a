// The assembler windows' view of the target: the whole disassembly numbered line by line (with
// source annotations, each statement's source line before its code), and the chains of line
// records the host hands a window for a block of those lines. A line's address key is
// kAsmLineKeyBase plus its line number in the whole disassembly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/lib/target_disasm.h"
#include "ifac/h/asmlines.h"

// Whether the disassembly shows the source lines (host option 0, on at start).
bool AsmSourceAnnotations();

// The whole disassembly: its line count, the line of the instruction at an address (rounded
// down to an instruction; -1 outside the memory), and what a line shows.
int AsmLineCount();
int AsmLineOfAddress(uint32_t address);
struct AsmListingLine {
    uint32_t address = 0;
    bool source = false;
};
bool AsmLineAt(int line, AsmListingLine& out);

// The address text of the code line with that key, as the window's commands send it; false for
// a source line or a key outside the disassembly.
bool AsmAddressTextOfKey(uint32_t key, std::string& text);

// One chain: the records of lines [first, first + count) of the disassembly as a core sees them
// (its current instruction's background), with the texts they point at. The host keeps a chain
// unchanged while the window may still read it.
class AsmChain {
public:
    AsmChain(int first, int count, int core);
    AsmChain(const AsmChain&) = delete;
    AsmChain& operator=(const AsmChain&) = delete;

    const AsmLineRecord* Head() const { return m_records.empty() ? nullptr : m_records.data(); }
    int First() const { return m_first; }
    int Count() const { return static_cast<int>(m_records.size()); }
    // The record whose word 26 (the coverage text's name) is at name; null for any other name.
    const AsmLineRecord* RecordOfName(const void* name) const;
    const DisassemblyLine& Line(const AsmLineRecord& r) const {
        return m_lines[static_cast<size_t>(&r - m_records.data())];
    }

private:
    int m_first = 0;
    std::vector<DisassemblyLine> m_lines;
    std::vector<AsmLineRecord> m_records;
};

// The coverage text of a record (asked through GetMultiLineText with the record's word 26):
// the execution count first, then a line that says where.
std::string AsmCoverageText(const AsmChain& chain, const AsmLineRecord& record);
