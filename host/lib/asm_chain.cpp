#include "host/lib/asm_chain.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "host/lib/host_memory.h"
#include "host/lib/host_source.h"
#include "host/lib/host_state.h"
#include "host/lib/target_machine.h"

namespace {

// The listing of the whole memory for one annotation setting; the program's statements never
// change, so it is made again only when the setting does.
const std::vector<AsmListingLine>& Listing() {
    static std::vector<AsmListingLine> lines;
    static int madeFor = -1;
    const int annotations = AsmSourceAnnotations() ? 1 : 0;
    if (madeFor != annotations) {
        lines.clear();
        for (uint32_t a = 0; a + kInstructionSize <= kTargetMemorySize; a += kInstructionSize) {
            if (annotations && Sample().StatementStartingAt(a))
                lines.push_back({a, true});
            lines.push_back({a, false});
        }
        madeFor = annotations;
    }
    return lines;
}

// The disassembled line a listing line shows.
DisassemblyLine Disassembled(const AsmListingLine& at) {
    for (DisassemblyLine& line : DisassembleLines(at.address, 2))
        if (line.source == at.source)
            return std::move(line);
    return {};
}

uint32_t Background(uint32_t address, int core) {
    const TargetMachine& m = TargetMachine::Get();
    if (core >= 0 && core < m.CoreCount() && m.Core(core).state != CoreState::exited &&
        m.Core(core).reg[PC] == address)
        return kCurrentLineColor;
    if (const TargetBreakpoint* b = m.BreakpointAt(address))
        return b->enabled ? kBreakpointColor : kDisabledBreakpointColor;
    return kNoSourceColor;
}

AsmLineRecord Record(const DisassemblyLine& line, uint32_t key, int core) {
    AsmLineRecord r{};
    r.hostWords[0] = line.address;
    r.addressKey = key;
    r.addressText = line.addressText.c_str();
    r.opcodeText = line.opcodeText.c_str();
    r.sourceText = line.text.c_str();
    r.background = kNoSourceColor;
    if (line.source)
        return r;
    Instruction in;
    r.flags = kAsmLineCode;
    if (!DecodeInstruction(TargetMemory(), line.address, in))
        r.flags |= kAsmLineNoBreakpoint; // data: its bytes may be edited, it cannot stop
    if (line.breakpoint)
        r.flags |= kAsmLineBreakpoint;
    r.background = Background(line.address, core);
    if (Sample().StatementStartingAt(line.address) && BlockComments().count(line.address))
        r.blockComment = kAsmBlockComment | kBlockKindComment;
    // The block-comment call gets the 64-bit code address at word 27.
    r.blockCommentArea[0] = line.address;
    return r;
}

} // namespace

bool AsmSourceAnnotations() {
    const auto& options = HostState::Get().optionAnswers;
    const auto found = options.find(0);
    return found != options.end() && found->second != 0;
}

int AsmLineCount() {
    return static_cast<int>(Listing().size());
}

int AsmLineOfAddress(uint32_t address) {
    if (address >= kTargetMemorySize)
        return -1;
    const uint32_t a = address & ~(kInstructionSize - 1);
    const auto& lines = Listing();
    const auto found =
        std::lower_bound(lines.begin(), lines.end(), a, [](const AsmListingLine& l, uint32_t v) {
            return l.address < v || (l.address == v && l.source);
        });
    return found == lines.end() ? -1 : static_cast<int>(found - lines.begin());
}

bool AsmLineAt(int line, AsmListingLine& out) {
    const auto& lines = Listing();
    if (line < 0 || line >= static_cast<int>(lines.size()))
        return false;
    out = lines[static_cast<size_t>(line)];
    return true;
}

bool AsmAddressTextOfKey(uint32_t key, std::string& text) {
    AsmListingLine at;
    if (key < kAsmLineKeyBase || !AsmLineAt(static_cast<int>(key - kAsmLineKeyBase), at) ||
        at.source)
        return false;
    text = HexAddress(at.address);
    return true;
}

AsmChain::AsmChain(int first, int count, int core) : m_first(std::max(first, 0)) {
    const int end = std::min(m_first + std::max(count, 0), AsmLineCount());
    for (int n = m_first; n < end; ++n) {
        AsmListingLine at;
        AsmLineAt(n, at);
        m_lines.push_back(Disassembled(at));
    }
    // The records point into the texts: both vectors are complete before the first record.
    for (size_t i = 0; i < m_lines.size(); ++i)
        m_records.push_back(
            Record(m_lines[i], kAsmLineKeyBase + m_first + static_cast<uint32_t>(i), core));
    for (size_t i = 0; i + 1 < m_records.size(); ++i)
        m_records[i].next = &m_records[i + 1];
}

// The window asks for every line it is handed: the name's place in the records gives the record
// without a search.
const AsmLineRecord* AsmChain::RecordOfName(const void* name) const {
    if (m_records.empty())
        return nullptr;
    const auto at = reinterpret_cast<uintptr_t>(name);
    const auto first = reinterpret_cast<uintptr_t>(&m_records.front().blockComment);
    if (at < first || (at - first) % sizeof(AsmLineRecord) != 0)
        return nullptr;
    const size_t index = (at - first) / sizeof(AsmLineRecord);
    return index < m_records.size() ? &m_records[index] : nullptr;
}

std::string AsmCoverageText(const AsmChain& chain, const AsmLineRecord& record) {
    const DisassemblyLine& line = chain.Line(record);
    if (line.source)
        return "";
    char text[96];
    snprintf(text, sizeof text, "%ux<NL>%s ran %u times", line.executed, line.addressText.c_str(),
             line.executed);
    return text;
}
