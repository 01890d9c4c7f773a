#include "host/lib/target_disasm.h"

#include <cstdio>

#include "host/lib/host_memory.h"
#include "host/lib/target_machine.h"

namespace {

std::string Bytes(const std::vector<uint8_t>& memory, uint32_t address) {
    char text[16];
    snprintf(text, sizeof text, "%02X %02X %02X %02X", memory[address], memory[address + 1],
             memory[address + 2], memory[address + 3]);
    return text;
}

} // namespace

std::vector<DisassemblyLine> DisassembleLines(uint32_t address, int count) {
    std::vector<DisassemblyLine> lines;
    const std::vector<uint8_t>& memory = TargetMemory();
    const TargetMachine& m = TargetMachine::Get();
    for (uint32_t a = address & ~(kInstructionSize - 1);
         static_cast<int>(lines.size()) < count && a + kInstructionSize <= kTargetMemorySize;
         a += kInstructionSize) {
        if (const Statement* s = Sample().StatementStartingAt(a)) {
            DisassemblyLine source;
            source.address = a;
            source.source = true;
            source.file = s->file;
            source.line = s->line;
            source.text =
                Sample().files[s->file].module + " " + std::to_string(s->line) + ": " + s->text;
            lines.push_back(source);
            if (static_cast<int>(lines.size()) == count)
                break;
        }
        DisassemblyLine code;
        code.address = a;
        code.addressText = HexAddress(a);
        code.opcodeText = Bytes(memory, a);
        Instruction in;
        code.text = DecodeInstruction(memory, a, in)
                        ? DisassembleInstruction(in)
                        : ".word   " + HexAddress(TargetMachine::ReadWord(a));
        code.executed = m.Executed(a);
        code.breakpoint = m.BreakpointAt(a) != nullptr;
        lines.push_back(code);
    }
    return lines;
}
