#include "host/lib/target_program.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

struct OpInfo {
    Op op;
    const char* name;
    enum Form { none, rd, rdRs, rdImm, rdMem, memRd, rdAbs, absRd, target } form;
};
const OpInfo kOps[] = {
    {Op::halt, "HALT", OpInfo::none},  {Op::nop, "NOP", OpInfo::none},
    {Op::movi, "MOVI", OpInfo::rdImm}, {Op::mov, "MOV", OpInfo::rdRs},
    {Op::add, "ADD", OpInfo::rdRs},    {Op::sub, "SUB", OpInfo::rdRs},
    {Op::mul, "MUL", OpInfo::rdRs},    {Op::addi, "ADDI", OpInfo::rdImm},
    {Op::cmp, "CMP", OpInfo::rdRs},    {Op::cmpi, "CMPI", OpInfo::rdImm},
    {Op::ld, "LD", OpInfo::rdMem},     {Op::st, "ST", OpInfo::memRd},
    {Op::lda, "LDA", OpInfo::rdAbs},   {Op::sta, "STA", OpInfo::absRd},
    {Op::jmp, "JMP", OpInfo::target},  {Op::beq, "BEQ", OpInfo::target},
    {Op::bne, "BNE", OpInfo::target},  {Op::blt, "BLT", OpInfo::target},
    {Op::bge, "BGE", OpInfo::target},  {Op::call, "CALL", OpInfo::target},
    {Op::ret, "RET", OpInfo::none},    {Op::push, "PUSH", OpInfo::rd},
    {Op::pop, "POP", OpInfo::rd},
};

const OpInfo* InfoOf(Op op) {
    for (const OpInfo& info : kOps)
        if (info.op == op)
            return &info;
    return nullptr;
}

// Builds the program: statements, then the instructions of each, with labels resolved once
// everything is placed.
class Builder {
public:
    explicit Builder(SampleProgram& p) : m_p(p) {}

    void Function(const char* name, int file, int line) {
        Label(name);
        m_p.symbols.push_back({name, Here(), 0, true, file, line});
        m_function = static_cast<int>(m_p.symbols.size()) - 1;
    }
    void Label(const char* name) { m_labels[name] = Here(); }
    void At(int file, int line, int column, const char* text, bool part = false) {
        Close();
        Statement s;
        s.file = file;
        s.line = line;
        s.column = column;
        s.text = text;
        s.part = part;
        s.address = Here();
        s.function = m_function;
        m_p.statements.push_back(s);
    }
    void Part(int file, int line, int column, const char* text) {
        At(file, line, column, text, true);
    }
    void Emit(Op op, uint8_t rd = 0, uint8_t rs = 0, int imm = 0) {
        m_code.push_back({op, rd, rs, static_cast<uint16_t>(imm & 0xFFFF)});
    }
    // An instruction whose immediate is a label's or a symbol's address (plus an offset).
    void EmitTo(Op op, const char* label, uint8_t rd = 0, int offset = 0) {
        m_fixups.push_back({m_code.size(), label, offset});
        Emit(op, rd);
    }
    void EndFunction() {
        Close();
        Symbol& f = m_p.symbols[m_function];
        f.size = Here() - f.address;
        m_function = -1;
    }
    void Variable(const char* name, uint32_t address, uint32_t size, int file, int line) {
        m_p.symbols.push_back({name, address, size, false, file, line});
        m_labels[name] = address;
    }
    void Finish() {
        Close();
        for (const Fixup& f : m_fixups)
            m_code[f.index].imm = static_cast<uint16_t>(m_labels.at(f.label) + f.offset);
        m_p.image.assign(m_code.size() * kInstructionSize, 0);
        for (size_t i = 0; i < m_code.size(); ++i)
            EncodeInstruction(m_code[i], m_p.image, static_cast<uint32_t>(i * kInstructionSize));
    }

private:
    struct Fixup {
        size_t index;
        std::string label;
        int offset;
    };
    uint32_t Here() const {
        return SampleProgram::kCodeBase + static_cast<uint32_t>(m_code.size()) * kInstructionSize;
    }
    void Close() {
        if (!m_p.statements.empty() && m_p.statements.back().end == 0)
            m_p.statements.back().end = Here();
    }

    SampleProgram& m_p;
    std::vector<Instruction> m_code;
    std::vector<Fixup> m_fixups;
    std::map<std::string, uint32_t> m_labels;
    int m_function = -1;
};

// buffer[i] address into R1 (i is the local at FP-4).
void ElementAddress(Builder& b) {
    b.Emit(Op::ld, R1, FP, -4);
    b.Emit(Op::movi, R2, 0, 4);
    b.Emit(Op::mul, R1, R2);
    b.EmitTo(Op::movi, "buffer", R2);
    b.Emit(Op::add, R1, R2);
}

void Prologue(Builder& b, int locals) {
    b.Emit(Op::push, FP);
    b.Emit(Op::mov, FP, SP);
    if (locals)
        b.Emit(Op::addi, SP, 0, -4 * locals);
}

void Epilogue(Builder& b) {
    b.Emit(Op::mov, SP, FP);
    b.Emit(Op::pop, FP);
    b.Emit(Op::ret);
}

SampleProgram BuildSample() {
    SampleProgram p;
    p.files = {{"main.c", false}, {"util.c", false}, {"start.s", true}};
    enum { mainC, utilC, startS };
    Builder b(p);
    const uint32_t d = SampleProgram::kDataBase;
    b.Variable("buffer", d + 0x00, 16, mainC, 9);
    b.Variable("origin", d + 0x10, 8, mainC, 10);
    b.Variable("total", d + 0x18, 4, mainC, 11);
    b.Variable("ticks", d + 0x1C, 4, utilC, 4);
    b.Variable("exitcode", d + 0x20, 4, startS, 16);

    // start.s
    b.Function("_start", startS, 3);
    p.entry[0] = p.symbols.back().address;
    b.At(startS, 4, 9, "MOVI    SP, 0xFFF0");
    b.Emit(Op::movi, SP, 0, 0xFFF0);
    b.At(startS, 5, 9, "CALL    main");
    b.EmitTo(Op::call, "main");
    b.At(startS, 6, 9, "STA     exitcode, R0");
    b.EmitTo(Op::sta, "exitcode", R0);
    b.At(startS, 7, 9, "HALT");
    b.Emit(Op::halt);
    b.EndFunction();
    b.Function("_start1", startS, 10);
    p.entry[1] = p.symbols.back().address;
    b.At(startS, 11, 9, "MOVI    SP, 0xF7F0");
    b.Emit(Op::movi, SP, 0, 0xF7F0);
    b.At(startS, 12, 9, "CALL    worker");
    b.EmitTo(Op::call, "worker");
    b.At(startS, 13, 9, "HALT");
    b.Emit(Op::halt);
    b.EndFunction();

    // main.c: main
    b.Function("main", mainC, 13);
    b.At(mainC, 14, 1, "{");
    Prologue(b, 1);
    b.At(mainC, 16, 5, "total = 0;");
    b.Emit(Op::movi, R0, 0, 0);
    b.EmitTo(Op::sta, "total", R0);
    b.At(mainC, 17, 5, "origin.x = 1;");
    b.Emit(Op::movi, R0, 0, 1);
    b.EmitTo(Op::sta, "origin", R0);
    b.At(mainC, 17, 19, "origin.y = 2;");
    b.Emit(Op::movi, R0, 0, 2);
    b.EmitTo(Op::sta, "origin", R0, 4);
    b.Part(mainC, 18, 10, "i = 0");
    b.Emit(Op::movi, R0, 0, 0);
    b.Emit(Op::st, R0, FP, -4);
    b.EmitTo(Op::jmp, "main.cond");
    b.Label("main.loop");
    b.At(mainC, 19, 9, "buffer[i] = square(i);");
    b.Emit(Op::ld, R0, FP, -4);
    b.Emit(Op::push, R0);
    b.EmitTo(Op::call, "square");
    b.Emit(Op::addi, SP, 0, 4);
    ElementAddress(b);
    b.Emit(Op::st, R0, R1, 0);
    b.At(mainC, 20, 9, "total = total + buffer[i];");
    ElementAddress(b);
    b.Emit(Op::ld, R1, R1, 0);
    b.EmitTo(Op::lda, "total", R0);
    b.Emit(Op::add, R0, R1);
    b.EmitTo(Op::sta, "total", R0);
    b.Part(mainC, 18, 24, "i++");
    b.Emit(Op::ld, R0, FP, -4);
    b.Emit(Op::addi, R0, 0, 1);
    b.Emit(Op::st, R0, FP, -4);
    b.Label("main.cond");
    b.Part(mainC, 18, 17, "i < 4");
    b.Emit(Op::ld, R0, FP, -4);
    b.Emit(Op::cmpi, R0, 0, 4);
    b.EmitTo(Op::blt, "main.loop");
    b.At(mainC, 22, 5, "origin.x = total;");
    b.EmitTo(Op::lda, "total", R0);
    b.EmitTo(Op::sta, "origin", R0);
    b.At(mainC, 23, 5, "return total;");
    b.EmitTo(Op::lda, "total", R0);
    b.At(mainC, 24, 1, "}");
    Epilogue(b);
    b.EndFunction();

    // util.c: square and worker
    b.Function("square", utilC, 6);
    b.At(utilC, 7, 1, "{");
    Prologue(b, 1);
    b.At(utilC, 9, 5, "result = n * n;");
    b.Emit(Op::ld, R0, FP, 8);
    b.Emit(Op::ld, R1, FP, 8);
    b.Emit(Op::mul, R0, R1);
    b.Emit(Op::st, R0, FP, -4);
    b.At(utilC, 10, 5, "return result;");
    b.Emit(Op::ld, R0, FP, -4);
    b.At(utilC, 11, 1, "}");
    Epilogue(b);
    b.EndFunction();
    b.Function("worker", utilC, 13);
    b.At(utilC, 14, 1, "{");
    Prologue(b, 0);
    b.EmitTo(Op::jmp, "worker.cond");
    b.Label("worker.loop");
    b.At(utilC, 16, 9, "ticks = ticks + 1;");
    b.EmitTo(Op::lda, "ticks", R0);
    b.Emit(Op::addi, R0, 0, 1);
    b.EmitTo(Op::sta, "ticks", R0);
    b.Label("worker.cond");
    b.At(utilC, 15, 12, "ticks < 100");
    b.EmitTo(Op::lda, "ticks", R0);
    b.Emit(Op::cmpi, R0, 0, 100);
    b.EmitTo(Op::blt, "worker.loop");
    b.At(utilC, 17, 1, "}");
    Epilogue(b);
    b.EndFunction();
    b.Finish();
    std::sort(p.statements.begin(), p.statements.end(),
              [](const Statement& a, const Statement& b) { return a.address < b.address; });
    return p;
}

std::string SymbolOr(uint32_t address) {
    for (const Symbol& s : Sample().symbols)
        if (s.address == address)
            return s.name;
    return HexAddress(address);
}

bool ParseRegister(const std::string& text, uint8_t& reg) {
    for (int r = 0; r < PC; ++r)
        if (_stricmp(text.c_str(), RegisterName(r)) == 0)
            return reg = static_cast<uint8_t>(r), true;
    return false;
}

// A number, or the address of a symbol of the program.
bool ParseValue(const std::string& text, int& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 0);
    if (!*end && v >= -0x8000 && v <= 0xFFFF)
        return value = static_cast<int>(v), true;
    if (const Symbol* s = Sample().FindSymbol(text))
        return value = static_cast<int>(s->address), true;
    return false;
}

// "[R1+4]", "[FP-4]", "[SP]".
bool ParseMemory(const std::string& text, uint8_t& reg, int& offset) {
    if (text.size() < 3 || text.front() != '[' || text.back() != ']')
        return false;
    const std::string inner = TrimBlanks(text.substr(1, text.size() - 2));
    const size_t sign = inner.find_first_of("+-");
    offset = 0;
    if (sign == std::string::npos)
        return ParseRegister(inner, reg);
    if (!ParseRegister(TrimBlanks(inner.substr(0, sign)), reg) ||
        !ParseValue(TrimBlanks(inner.substr(sign + 1)), offset))
        return false;
    if (inner[sign] == '-')
        offset = -offset;
    return offset >= -0x8000 && offset < 0x8000;
}

} // namespace

bool AssembleInstruction(const std::string& text, Instruction& out) {
    const std::string t = TrimBlanks(text);
    const size_t space = t.find_first_of(" \t");
    const std::string name = t.substr(0, space);
    std::vector<std::string> operands;
    if (space != std::string::npos) {
        std::string rest = t.substr(space);
        for (size_t start = 0;;) {
            const size_t comma = rest.find(',', start);
            operands.push_back(TrimBlanks(rest.substr(start, comma - start)));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    const OpInfo* info = nullptr;
    for (const OpInfo& i : kOps)
        if (_stricmp(i.name, name.c_str()) == 0)
            info = &i;
    if (info == nullptr)
        return false;
    static const size_t counts[] = {0, 1, 2, 2, 2, 2, 2, 2, 1};
    if (operands.size() != counts[info->form])
        return false;
    Instruction in;
    in.op = info->op;
    int value = 0;
    bool ok = true;
    switch (info->form) {
    case OpInfo::none:
        break;
    case OpInfo::rd:
        ok = ParseRegister(operands[0], in.rd);
        break;
    case OpInfo::rdRs:
        ok = ParseRegister(operands[0], in.rd) && ParseRegister(operands[1], in.rs);
        break;
    case OpInfo::rdImm:
    case OpInfo::rdAbs:
        ok = ParseRegister(operands[0], in.rd) && ParseValue(operands[1], value);
        break;
    case OpInfo::absRd:
        ok = ParseValue(operands[0], value) && ParseRegister(operands[1], in.rd);
        break;
    case OpInfo::rdMem:
        ok = ParseRegister(operands[0], in.rd) && ParseMemory(operands[1], in.rs, value);
        break;
    case OpInfo::memRd:
        ok = ParseMemory(operands[0], in.rs, value) && ParseRegister(operands[1], in.rd);
        break;
    case OpInfo::target:
        ok = ParseValue(operands[0], value);
        break;
    }
    if (!ok)
        return false;
    in.imm = static_cast<uint16_t>(value & 0xFFFF);
    out = in;
    return true;
}

std::string TrimBlanks(const std::string& s) {
    const char* blanks = " \t\r\n";
    const size_t a = s.find_first_not_of(blanks);
    return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(blanks) - a + 1);
}

std::string HexAddress(uint32_t v) {
    char text[16];
    snprintf(text, sizeof text, "0x%04X", v);
    return text;
}

const char* RegisterName(int reg) {
    static const char* const names[] = {"R0", "R1", "R2", "R3", "FP", "SP", "PC", "FLAGS"};
    return reg >= 0 && reg < kRegisterCount ? names[reg] : "?";
}

bool DecodeInstruction(const std::vector<uint8_t>& memory, uint32_t address, Instruction& out) {
    if (memory.size() < kInstructionSize || address > memory.size() - kInstructionSize)
        return false;
    out.op = static_cast<Op>(memory[address]);
    out.rd = memory[address + 1] & 0xF;
    out.rs = memory[address + 1] >> 4;
    out.imm = static_cast<uint16_t>(memory[address + 2] | memory[address + 3] << 8);
    return InfoOf(out.op) != nullptr && out.rd < kRegisterCount && out.rs < kRegisterCount;
}

void EncodeInstruction(const Instruction& in, std::vector<uint8_t>& memory, uint32_t address) {
    memory[address] = static_cast<uint8_t>(in.op);
    memory[address + 1] = static_cast<uint8_t>(in.rd | in.rs << 4);
    memory[address + 2] = static_cast<uint8_t>(in.imm);
    memory[address + 3] = static_cast<uint8_t>(in.imm >> 8);
}

bool IsConditionalBranch(Op op) {
    return op == Op::beq || op == Op::bne || op == Op::blt || op == Op::bge;
}

std::string DisassembleInstruction(const Instruction& in) {
    const OpInfo* info = InfoOf(in.op);
    if (!info)
        return "???";
    char name[16];
    snprintf(name, sizeof name, "%-8s", info->name);
    const std::string rd = RegisterName(in.rd), rs = RegisterName(in.rs);
    const int off = in.Signed();
    const std::string mem =
        "[" + rs + (off < 0 ? "-" : "+") + std::to_string(off < 0 ? -off : off) + "]";
    std::string operands;
    switch (info->form) {
    case OpInfo::none:
        return info->name;
    case OpInfo::rd:
        operands = rd;
        break;
    case OpInfo::rdRs:
        operands = rd + ", " + rs;
        break;
    case OpInfo::rdImm:
        operands = rd + ", " + (in.op == Op::movi ? HexAddress(in.imm) : std::to_string(off));
        break;
    case OpInfo::rdMem:
        operands = rd + ", " + mem;
        break;
    case OpInfo::memRd:
        operands = mem + ", " + rd;
        break;
    case OpInfo::rdAbs:
        operands = rd + ", " + SymbolOr(in.imm);
        break;
    case OpInfo::absRd:
        operands = SymbolOr(in.imm) + ", " + rd;
        break;
    case OpInfo::target:
        operands = SymbolOr(in.imm);
        break;
    }
    return name + operands;
}

int SampleProgram::FileIndex(const std::string& module) const {
    // A module may come with a folder: the host knows its files by name.
    const size_t slash = module.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? module : module.substr(slash + 1);
    for (size_t i = 0; i < files.size(); ++i)
        if (_stricmp(files[i].module.c_str(), name.c_str()) == 0)
            return static_cast<int>(i);
    return -1;
}

const Statement* SampleProgram::StatementAt(uint32_t address) const {
    for (const Statement& s : statements)
        if (address >= s.address && address < s.end)
            return &s;
    return nullptr;
}

const Statement* SampleProgram::StatementStartingAt(uint32_t address) const {
    const Statement* s = StatementAt(address);
    return s && s->address == address ? s : nullptr;
}

std::vector<const Statement*> SampleProgram::StatementsOfLine(int file, int line) const {
    std::vector<const Statement*> found;
    for (const Statement& s : statements)
        if (s.file == file && s.line == line)
            found.push_back(&s);
    std::sort(found.begin(), found.end(),
              [](const Statement* a, const Statement* b) { return a->column < b->column; });
    return found;
}

bool SampleProgram::AddressOfLine(int file, int line, int column, uint32_t& address) const {
    for (const Statement* s : StatementsOfLine(file, line))
        if (column <= 0 || s->column == column)
            return address = s->address, true;
    return false;
}

const Symbol* SampleProgram::FindSymbol(const std::string& name) const {
    for (const Symbol& s : symbols)
        if (s.name == name)
            return &s;
    return nullptr;
}

const Symbol* SampleProgram::FunctionAt(uint32_t address) const {
    for (const Symbol& s : symbols)
        if (s.code && address >= s.address && address < s.address + s.size)
            return &s;
    return nullptr;
}

int SampleProgram::LastCodeLine(int file) const {
    int last = 0;
    for (const Statement& s : statements)
        if (s.file == file)
            last = std::max(last, s.line);
    return last;
}

const SampleProgram& Sample() {
    static const SampleProgram program = BuildSample();
    return program;
}
