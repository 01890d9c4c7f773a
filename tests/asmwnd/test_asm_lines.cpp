// What the assembler window's edits and Home command make of their input: the opcode bytes, the
// two edit lines and the current-instruction expression.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "shell/app/pending_command.h"
#include "windows/asm/asm_callbacks.h"

TEST(AsmOpcodeBytes, GroupsAreWrittenFromTheirEndTwoDigitsAByte) {
    const struct {
        const char* typed;
        const char* bytes; // null: refused
    } kCases[] = {
        {"1234 56", "34,0x12,0x56"},
        {"123", "23,0x1"},
        {"12", "12"},
        {"7", "7"},
        {"  90ab", "ab,0x90"},
        {"12   34  ", "12,0x34"},
        {"aBcDeF", "eF,0xcD,0xaB"},
        {"", nullptr},
        {"   ", nullptr},
        {"12 zz", nullptr},
        {"0x12", nullptr},
        {"12;GO", nullptr},
        {"12 ; GO", nullptr},
        {"\"12\"", nullptr},
        {"12\t34", nullptr},
        {"12\n34", nullptr},
        {nullptr, nullptr},
    };
    for (const auto& c : kCases) {
        std::string out = "untouched";
        const bool bDone = AsmOpcodeBytes(c.typed, out);
        const std::string what = c.typed ? c.typed : "(null)";
        EXPECT_EQ(c.bytes != nullptr, bDone) << what;
        EXPECT_EQ(c.bytes ? c.bytes : "untouched", out) << what;
    }
}

TEST(AsmEditLines, SetValueAndAssembleLinesInBothForms) {
    const struct {
        bool bOpcode;
        const char* address;
        const char* typed;
        int core;
        const char* line; // null: refused
    } kCases[] = {
        {true, "0x1000", "1234 56", -1,
         "SET VALUE /SIZE=BYTE 0x1000=0x34,0x12,0x56 ; PAGE /ASSEMBLER 0x1000"},
        {true, "0x1000", "123", 1,
         "SET VALUE /SIZE=BYTE CORE:1(0x1000)=0x23,0x1 ; PAGE /ASSEMBLER CORE:1(0x1000)"},
        {true, "0x1000", "", -1, nullptr},
        {true, "0x1000", "12 ; GO", -1, nullptr},
        {true, "", "12", -1, nullptr},
        {true, "0x10\n00", "12", -1, nullptr},
        {false, "0x1000", "MOV R1, #2", -1, "ASM /ADDR=0x1000 \"MOV R1, #2\""},
        {false, "0x1000", "NOP", 0, "ASM /ADDR=CORE:0(0x1000) \"NOP\""},
        {false, "0x1000", "NOP\" ; GO \"", -1, nullptr},
        {false, "0x1000", "NOP\r\nGO", -1, nullptr},
        {false, "0x1000", "   ", -1, nullptr},
        {false, nullptr, "NOP", -1, nullptr},
    };
    for (const auto& c : kCases) {
        std::string line = "untouched";
        const bool bDone = c.bOpcode ? AsmSetValueLine(c.address, c.typed, c.core, line)
                                     : AsmAssembleLine(c.address, c.typed, c.core, line);
        const std::string what = std::string(c.typed) + " at " + (c.address ? c.address : "null");
        EXPECT_EQ(c.line != nullptr, bDone) << what;
        EXPECT_EQ(c.line ? c.line : "untouched", line) << what;
    }
}

TEST(AsmEditLines, ALineThatDoesNotFitThePendingBufferIsRefusedWhole) {
    const size_t capacity = sizeof PendingHostCommand.line;
    const std::string address = "0x1000";
    // "ASM /ADDR=0x1000 \"" + text + "\"": 18 + 1 characters around the text, one for the end.
    const std::string fits(capacity - 1 - 19, 'A');
    std::string line;
    ASSERT_TRUE(AsmAssembleLine(address.c_str(), fits.c_str(), -1, line));
    EXPECT_EQ(capacity - 1, line.size());
    line = "untouched";
    EXPECT_FALSE(AsmAssembleLine(address.c_str(), (fits + "A").c_str(), -1, line));
    EXPECT_EQ("untouched", line);
    const std::string bytes(capacity, '1');
    EXPECT_FALSE(AsmSetValueLine(address.c_str(), bytes.c_str(), -1, line));
    EXPECT_EQ("untouched", line);
}

TEST(AsmEditLines, ThePendingBufferTakesAWholeLineOrNothing) {
    const size_t capacity = sizeof PendingHostCommand.line;
    std::snprintf(PendingHostCommand.line, capacity, "before");
    PendingHostCommand.context = 7;
    EXPECT_FALSE(LeavePendingHostCommand(std::string(capacity, 'x'), 1));
    EXPECT_STREQ("before", PendingHostCommand.line);
    EXPECT_EQ(7, PendingHostCommand.context);
    const std::string full(capacity - 1, 'y');
    EXPECT_TRUE(LeavePendingHostCommand(full, 1));
    EXPECT_EQ(full, std::string(PendingHostCommand.line));
    EXPECT_EQ(1, PendingHostCommand.context);
}

TEST(AsmEditLines, TheOpcodeColumnFollowsTheCoverageColumn) {
    EXPECT_EQ(1, AsmOpcodeColumn(true));
    EXPECT_EQ(0, AsmOpcodeColumn(false));
}

TEST(AsmCurrentInstruction, TargetTypeThenRegisterNameThenTheFallback) {
    const struct {
        int type;
        const char* pc;
        bool bMultiCore;
        const char* expression;
    } kCases[] = {
        {54, "EIP", false, "ASM(CS:[EIP])"}, {54, nullptr, true, "CORE:2(ASM(CS:[EIP]))"},
        {7, "PC", false, "(char *)ASM(PC)"}, {7, "PC", true, "(char *)CORE:2(ASM(PC))"},
        {7, "", false, "ASM(CS:[IP])"},      {7, nullptr, true, "CORE:2(ASM(CS:[IP]))"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.expression, AsmCurrentInstruction(c.type, c.pc, c.bMultiCore, 2))
            << c.type << " " << (c.pc ? c.pc : "null") << " " << c.bMultiCore;
    // A name the host never ends is taken only so far.
    const std::string longName(500, 'R');
    EXPECT_GT(200u, AsmCurrentInstruction(7, longName.c_str(), true, 2).size());
}
