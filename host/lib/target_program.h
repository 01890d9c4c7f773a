// The simulated target's program: a small instruction set of our own, the sample program built
// from it (the code of host/sample's C files and start-up file, placed in the target's memory)
// and its line table, which ties every instruction to a statement of a source line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Registers of a core. PC and FLAGS are not operands of the instructions.
enum TargetRegister : uint8_t { R0, R1, R2, R3, FP, SP, PC, FLAGS, kRegisterCount };
const char* RegisterName(int reg);
constexpr uint32_t kFlagZero = 1, kFlagLess = 2;

// Every instruction is four bytes: the operation, a register byte (destination in the low
// nibble, source in the high one) and a 16-bit immediate, little-endian.
enum class Op : uint8_t {
    halt = 0x01,
    nop = 0x02,
    movi = 0x10, // rd = imm
    mov = 0x11,  // rd = rs
    add = 0x12,
    sub = 0x13,
    mul = 0x14,
    addi = 0x15, // rd += signed imm
    cmp = 0x16,  // flags from rd - rs
    cmpi = 0x17, // flags from rd - signed imm
    ld = 0x20,   // rd = [rs + signed imm]
    st = 0x21,   // [rs + signed imm] = rd
    lda = 0x22,  // rd = [imm]
    sta = 0x23,  // [imm] = rd
    jmp = 0x30,
    beq = 0x31,
    bne = 0x32,
    blt = 0x33,
    bge = 0x34,
    call = 0x40,
    ret = 0x41,
    push = 0x42,
    pop = 0x43,
};
constexpr uint32_t kInstructionSize = 4;

struct Instruction {
    Op op = Op::halt;
    uint8_t rd = 0, rs = 0;
    uint16_t imm = 0;
    int32_t Signed() const { return static_cast<int16_t>(imm); }
};
// Decodes the four bytes at address; false for an operation the processor does not know.
bool DecodeInstruction(const std::vector<uint8_t>& memory, uint32_t address, Instruction& out);
void EncodeInstruction(const Instruction& in, std::vector<uint8_t>& memory, uint32_t address);
bool IsConditionalBranch(Op op);
// "LD      R0, [FP-4]": the mnemonic and the operands, symbols by name where one fits.
std::string DisassembleInstruction(const Instruction& in);

// The other way: "ADDI    SP, -4", "LD R0, [FP-4]", "CALL square", case ignored; false for a
// text that is no instruction of the processor.
bool AssembleInstruction(const std::string& text, Instruction& out);

// A source file of the program; index into SampleProgram::files.
struct SourceFile {
    std::string module; // the name the host and the windows use ("main.c")
    bool assembly = false;
};

// A statement: the code of one statement (or of one part of a statement, such as the three
// parts of a for header) that starts on a line.
struct Statement {
    int file = 0;
    int line = 0;   // 1-based
    int column = 0; // 1-based
    std::string text;
    bool part = false; // a part of a statement: its line offers column breakpoints
    uint32_t address = 0, end = 0;
    int function = -1;
};

struct Symbol {
    std::string name;
    uint32_t address = 0;
    uint32_t size = 0;
    bool code = false;
    int file = -1; // for a function, its file; for a variable the file that defines it
    int line = 0;  // where it is defined
};

struct SampleProgram {
    std::vector<SourceFile> files;
    std::vector<Statement> statements; // in address order
    std::vector<Symbol> symbols;
    std::vector<uint8_t> image; // the code, loaded at kCodeBase
    uint32_t entry[2] = {};     // start address of core 0 and core 1

    static constexpr uint32_t kCodeBase = 0x0100;
    static constexpr uint32_t kDataBase = 0x4200;
    static constexpr uint32_t kDataSize = 0x40;

    // -1 when unknown (case ignored; a folder before the name is left aside)
    int FileIndex(const std::string& module) const;
    // The statement whose code holds address; null outside the program.
    const Statement* StatementAt(uint32_t address) const;
    // The statement that starts at address; null when none does.
    const Statement* StatementStartingAt(uint32_t address) const;
    // The statements of a line, in column order.
    std::vector<const Statement*> StatementsOfLine(int file, int line) const;
    // Where a breakpoint on a line (column 0: the whole line, its first statement) or on the
    // statement at a column of it goes; false when the line has no code there.
    bool AddressOfLine(int file, int line, int column, uint32_t& address) const;
    const Symbol* FindSymbol(const std::string& name) const;
    // The function that holds address, null outside them.
    const Symbol* FunctionAt(uint32_t address) const;
    int LastCodeLine(int file) const;
};

// Text helpers of the host's languages: blanks (spaces, tabs, line ends) removed from both
// ends; an address as "0x0140".
std::string TrimBlanks(const std::string& text);
std::string HexAddress(uint32_t address);

// The program every run of the host uses.
const SampleProgram& Sample();
