// The disassembly of the sample program: source lines before their code, instructions with
// their bytes, counts and breakpoints, data where nothing runs.
#include "host/lib/target_disasm.h"
#include "tests/host/target_fixture.h"

namespace {

using Disassembly = TargetTest;

TEST_F(Disassembly, ShowsEachStatementsSourceBeforeItsInstructions) {
    const uint32_t square = Sample().FindSymbol("square")->address;
    ASSERT_TRUE(M().SetAddressBreakpoint(square + 4));
    M().Breakpoints()[0].enabled = false;
    ASSERT_TRUE(M().Run(0));
    const struct {
        bool source;
        const char* address;
        const char* bytes;
        const char* text;
        uint32_t executed;
    } expected[] = {{true, "", "", "util.c 7: {", 0},
                    {false, "", "42 04 00 00", "PUSH    FP", 4},
                    {false, "", "11 54 00 00", "MOV     FP, SP", 4},
                    {false, "", "15 05 FC FF", "ADDI    SP, -4", 4},
                    {true, "", "", "util.c 9: result = n * n;", 0},
                    {false, "", "20 40 08 00", "LD      R0, [FP+8]", 4}};
    const std::vector<DisassemblyLine> lines = DisassembleLines(square + 2, 6);
    ASSERT_EQ(6u, lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(expected[i].source, lines[i].source) << i;
        EXPECT_EQ(expected[i].text, lines[i].text) << i;
        EXPECT_EQ(expected[i].bytes, lines[i].opcodeText) << i;
        EXPECT_EQ(expected[i].executed, lines[i].executed) << i;
        EXPECT_EQ(i == 2, lines[i].breakpoint) << i;
    }
    EXPECT_EQ(square, lines[0].address);
    EXPECT_EQ(HexAddress(square + 4), lines[2].addressText);
    EXPECT_EQ(Sample().FileIndex("util.c"), lines[4].file);
    EXPECT_EQ(9, lines[4].line);
}

TEST_F(Disassembly, DataAndTheEndOfMemoryBoundTheLines) {
    const std::vector<DisassemblyLine> data = DisassembleLines(0x4218, 1);
    ASSERT_EQ(1u, data.size());
    EXPECT_EQ(".word   0x0000", data[0].text);
    EXPECT_EQ(2u, DisassembleLines(0xFFF8, 10).size());
    EXPECT_TRUE(DisassembleLines(0, 0).empty());
}

} // namespace
