#include "host/lib/target_machine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "host/lib/host_memory.h"

namespace {

constexpr uint32_t kSlots = kTargetMemorySize / kInstructionSize;

uint32_t Slot(uint32_t address) {
    return (address & (kTargetMemorySize - 1)) / kInstructionSize;
}

} // namespace

TargetMachine& TargetMachine::Get() {
    static TargetMachine machine = [] {
        TargetMachine m;
        m.Reset(1);
        return m;
    }();
    return machine;
}

void TargetMachine::Reset(int cores) {
    const SampleProgram& p = Sample();
    std::vector<uint8_t>& memory = TargetMemory();
    std::copy(p.image.begin(), p.image.end(), memory.begin() + SampleProgram::kCodeBase);
    std::fill_n(memory.begin() + SampleProgram::kDataBase, SampleProgram::kDataSize, 0);
    ForgetMemoryChanges();
    m_cores.assign(std::clamp(cores, 1, 2), TargetCore{});
    for (size_t i = 0; i < m_cores.size(); ++i) {
        m_cores[i].reg[PC] = p.entry[i];
        m_cores[i].reg[SP] = i == 0 ? 0xFFF0 : 0xF7F0;
    }
    m_breakpoints.clear();
    m_executed.assign(kSlots, 0);
    m_taken.assign(kSlots, 0);
    m_notTaken.assign(kSlots, 0);
    m_error.clear();
}

TargetCore& TargetMachine::Core(int core) {
    return m_cores[std::clamp(core, 0, CoreCount() - 1)];
}
const TargetCore& TargetMachine::Core(int core) const {
    return m_cores[std::clamp(core, 0, CoreCount() - 1)];
}

uint32_t TargetMachine::ReadWord(uint32_t address) {
    const std::vector<uint8_t>& m = TargetMemory();
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | m[(address + i) & (kTargetMemorySize - 1)];
    return value;
}

void TargetMachine::WriteWord(uint32_t address, uint32_t value) {
    std::vector<uint8_t>& m = TargetMemory();
    for (int i = 0; i < 4; ++i)
        m[(address + i) & (kTargetMemorySize - 1)] = static_cast<uint8_t>(value >> (8 * i));
}

TargetFrame TargetMachine::CurrentFrame(const TargetCore& c) {
    const uint32_t pc = c.reg[PC], sp = c.reg[SP];
    const Symbol* f = Sample().FunctionAt(pc);
    Instruction in;
    const bool decoded = DecodeInstruction(TargetMemory(), pc, in);
    TargetFrame frame;
    if (f != nullptr && pc == f->address && decoded && in.op == Op::push && in.rd == FP) {
        frame.base = sp - 4; // the caller's frame pointer is still in FP
        frame.callerBase = c.reg[FP];
    } else if (f != nullptr && pc == f->address + kInstructionSize && decoded && in.op == Op::mov &&
               in.rd == FP) {
        frame.base = sp;
        frame.callerBase = ReadWord(sp);
    } else if (decoded && in.op == Op::ret) {
        frame.base = sp - 4; // taken down: the caller's frame pointer is back in FP
        frame.callerBase = c.reg[FP];
    } else {
        frame.base = c.reg[FP];
        frame.callerBase = ReadWord(frame.base);
    }
    frame.base &= kTargetMemorySize - 1;
    frame.returnAddress = ReadWord(frame.base + 4);
    return frame;
}

bool TargetMachine::Ready(int core) {
    m_error.clear();
    if (core < 0 || core >= CoreCount())
        m_error = "no core " + std::to_string(core);
    else if (m_cores[core].state == CoreState::exited)
        m_error = "the program has ended";
    else if (m_cores[core].state == CoreState::faulted)
        m_error =
            "the core stopped at an illegal instruction at " + HexAddress(m_cores[core].reg[PC]);
    return m_error.empty();
}

bool TargetMachine::Execute(TargetCore& c) {
    uint32_t* r = c.reg;
    const uint32_t pc = r[PC];
    Instruction in;
    if (!DecodeInstruction(TargetMemory(), pc, in)) {
        c.state = CoreState::faulted;
        c.lastStop = StopReason::fault;
        m_error = "illegal instruction at " + HexAddress(pc);
        return false;
    }
    ++m_executed[Slot(pc)];
    uint32_t next = pc + kInstructionSize;
    const uint32_t a = r[in.rd], b = r[in.rs];
    auto compare = [&r](uint32_t x, uint32_t y) {
        r[FLAGS] = (x == y ? kFlagZero : 0) |
                   (static_cast<int32_t>(x) < static_cast<int32_t>(y) ? kFlagLess : 0);
    };
    switch (in.op) {
    case Op::halt:
        c.state = CoreState::exited;
        c.lastStop = StopReason::exited;
        return false;
    case Op::nop:
        break;
    case Op::movi:
        r[in.rd] = in.imm;
        break;
    case Op::mov:
        r[in.rd] = b;
        break;
    case Op::add:
        r[in.rd] = a + b;
        break;
    case Op::sub:
        r[in.rd] = a - b;
        break;
    case Op::mul:
        r[in.rd] = a * b;
        break;
    case Op::addi:
        r[in.rd] = a + static_cast<uint32_t>(in.Signed());
        break;
    case Op::cmp:
        compare(a, b);
        break;
    case Op::cmpi:
        compare(a, static_cast<uint32_t>(in.Signed()));
        break;
    case Op::ld:
        r[in.rd] = ReadWord(b + static_cast<uint32_t>(in.Signed()));
        break;
    case Op::st:
        WriteWord(b + static_cast<uint32_t>(in.Signed()), a);
        break;
    case Op::lda:
        r[in.rd] = ReadWord(in.imm);
        break;
    case Op::sta:
        WriteWord(in.imm, a);
        break;
    case Op::jmp:
        next = in.imm;
        break;
    case Op::beq:
    case Op::bne:
    case Op::blt:
    case Op::bge: {
        const bool zero = r[FLAGS] & kFlagZero, less = r[FLAGS] & kFlagLess;
        const bool taken = in.op == Op::beq   ? zero
                           : in.op == Op::bne ? !zero
                           : in.op == Op::blt ? less
                                              : !less;
        ++(taken ? m_taken : m_notTaken)[Slot(pc)];
        if (taken)
            next = in.imm;
        break;
    }
    case Op::call:
        r[SP] -= 4;
        WriteWord(r[SP], next);
        next = in.imm;
        break;
    case Op::ret:
        next = ReadWord(r[SP]);
        r[SP] += 4;
        break;
    case Op::push:
        r[SP] -= 4;
        WriteWord(r[SP], a);
        break;
    case Op::pop:
        r[in.rd] = ReadWord(r[SP]);
        r[SP] += 4;
        break;
    }
    r[SP] &= kTargetMemorySize - 1;
    r[FP] &= kTargetMemorySize - 1;
    r[PC] = next & (kTargetMemorySize - 1);
    return true;
}

bool TargetMachine::Go(int core, Mode mode, uint32_t target) {
    if (!Ready(core))
        return false;
    TargetCore& c = m_cores[core];
    const TargetCore before = c;
    const uint32_t startSP = c.reg[SP];
    const SampleProgram& p = Sample();
    c.lastStop = StopReason::budget;
    for (int n = 0; n < kBudget; ++n) {
        const uint32_t pc = c.reg[PC];
        if (n > 0) {
            if (mode == Mode::to && pc == target) {
                c.lastStop = StopReason::step;
                break;
            }
            auto bp = std::find_if(m_breakpoints.begin(), m_breakpoints.end(),
                                   [pc](const TargetBreakpoint& b) { return b.address == pc; });
            if (bp != m_breakpoints.end() && bp->enabled) {
                ++bp->hits;
                c.lastStop = StopReason::breakpoint;
                break;
            }
        }
        Instruction in;
        const bool isRet = DecodeInstruction(TargetMemory(), pc, in) && in.op == Op::ret;
        if (mode == Mode::untilReturn && isRet && c.reg[SP] >= startSP) {
            c.lastStop = StopReason::step;
            break;
        }
        if (!Execute(c))
            break;
        const bool atStatement = p.StatementStartingAt(c.reg[PC]) != nullptr;
        if ((mode == Mode::into && atStatement) ||
            (mode == Mode::over && atStatement && c.reg[SP] >= startSP) ||
            (mode == Mode::out && isRet && c.reg[SP] > startSP)) {
            c.lastStop = StopReason::step;
            break;
        }
    }
    for (int i = 0; i < kRegisterCount; ++i)
        c.changed[i] = c.reg[i] != before.reg[i];
    return true;
}

bool TargetMachine::Run(int core) {
    return Go(core, Mode::run);
}
bool TargetMachine::StepInto(int core) {
    return Go(core, Mode::into);
}
bool TargetMachine::StepOver(int core) {
    return Go(core, Mode::over);
}
bool TargetMachine::StepOut(int core) {
    return Go(core, Mode::out);
}
bool TargetMachine::RunUntilReturn(int core) {
    return Go(core, Mode::untilReturn);
}
bool TargetMachine::RunTo(int core, uint32_t address) {
    return Go(core, Mode::to, address & (kTargetMemorySize - 1));
}

bool TargetMachine::Halt(int core) {
    if (!Ready(core))
        return false;
    TargetCore& c = m_cores[core];
    c.lastStop = StopReason::halt;
    std::fill(std::begin(c.changed), std::end(c.changed), false);
    return true;
}

bool TargetMachine::StepInstruction(int core) {
    if (!Ready(core))
        return false;
    TargetCore& c = m_cores[core];
    const TargetCore before = c;
    if (Execute(c))
        c.lastStop = StopReason::step;
    for (int i = 0; i < kRegisterCount; ++i)
        c.changed[i] = c.reg[i] != before.reg[i];
    return true;
}

bool TargetMachine::SetPC(int core, uint32_t address) {
    m_error.clear();
    if (core < 0 || core >= CoreCount() || address >= kTargetMemorySize) {
        m_error = "no such core or address";
        return false;
    }
    TargetCore& c = m_cores[core];
    std::fill(std::begin(c.changed), std::end(c.changed), false);
    c.changed[PC] = c.reg[PC] != address;
    c.reg[PC] = address & ~(kInstructionSize - 1);
    // A new PC revives a core that ended or faulted: the user put it somewhere to go on.
    c.state = CoreState::halted;
    c.lastStop = StopReason::step;
    return true;
}

bool TargetMachine::SetLineBreakpoint(int file, int line, int column) {
    uint32_t address = 0;
    m_error.clear();
    if (!Sample().AddressOfLine(file, line, column, address)) {
        m_error = "no code at that line";
        return false;
    }
    if (!SetAddressBreakpoint(address))
        return false;
    TargetBreakpoint& bp = *std::find_if(m_breakpoints.begin(), m_breakpoints.end(),
                                         [address](auto& b) { return b.address == address; });
    bp.file = file, bp.line = line, bp.column = column;
    return true;
}

bool TargetMachine::SetAddressBreakpoint(uint32_t address) {
    m_error.clear();
    Instruction in;
    if (address % kInstructionSize || !DecodeInstruction(TargetMemory(), address, in)) {
        m_error = "no instruction at " + HexAddress(address);
        return false;
    }
    for (TargetBreakpoint& old : m_breakpoints)
        if (old.address == address)
            return old.enabled = true;
    TargetBreakpoint bp;
    bp.address = address;
    if (const Statement* s = Sample().StatementAt(address))
        bp.file = s->file, bp.line = s->line;
    m_breakpoints.push_back(bp);
    return true;
}

bool TargetMachine::ClearBreakpoint(uint32_t address) {
    const auto before = m_breakpoints.size();
    m_breakpoints.erase(std::remove_if(m_breakpoints.begin(), m_breakpoints.end(),
                                       [address](auto& b) { return b.address == address; }),
                        m_breakpoints.end());
    return m_breakpoints.size() != before;
}

void TargetMachine::EnableBreakpoint(uint32_t address, bool enabled) {
    for (TargetBreakpoint& b : m_breakpoints)
        if (b.address == address)
            b.enabled = enabled;
}

const TargetBreakpoint* TargetMachine::BreakpointAt(uint32_t address) const {
    for (const TargetBreakpoint& b : m_breakpoints)
        if (b.address == address)
            return &b;
    return nullptr;
}

uint32_t TargetMachine::Executed(uint32_t address) const {
    return m_executed[Slot(address)];
}
uint32_t TargetMachine::Taken(uint32_t address) const {
    return m_taken[Slot(address)];
}
uint32_t TargetMachine::NotTaken(uint32_t address) const {
    return m_notTaken[Slot(address)];
}
