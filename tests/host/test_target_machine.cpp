// The simulated processor running the sample program: to the end, step by step, with
// breakpoints, and on two cores.
#include <cstdio>
#include <cstring>
#include <vector>

#include "host/lib/host_memory.h"
#include "host/lib/source_link.h"
#include "tests/host/target_fixture.h"

namespace {

using Target = TargetTest;

TEST_F(Target, RunsTheProgramToItsEndTheSameWayEveryTime) {
    ASSERT_TRUE(M().Run(0));
    EXPECT_EQ(CoreState::exited, M().Core(0).state);
    EXPECT_EQ("-", At());
    EXPECT_EQ(14, Word("total"));
    EXPECT_EQ(14, Word("exitcode"));
    const int buffer[] = {0, 1, 4, 9};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(buffer[i], Word("buffer", 4 * i)) << i;
    EXPECT_EQ(14, Word("origin"));
    EXPECT_EQ(2, Word("origin", 4));
    EXPECT_EQ(0xFFF0u, M().Core(0).reg[SP]) << "the stack is balanced";

    const TargetCore first = M().Core(0);
    const uint32_t square = Sample().FindSymbol("square")->address;
    EXPECT_EQ(4u, M().Executed(square));
    M().Reset(1);
    ASSERT_TRUE(M().Run(0));
    EXPECT_EQ(0, std::memcmp(first.reg, M().Core(0).reg, sizeof first.reg));
    EXPECT_EQ(4u, M().Executed(square));
}

TEST_F(Target, StepIntoVisitsEveryStatementAndEntersTheCall) {
    const char* expected[] = {"start.s:4:9", "start.s:5:9",  "main.c:14:1",  "main.c:16:5",
                              "main.c:17:5", "main.c:17:19", "main.c:18:10", "main.c:18:17",
                              "main.c:19:9", "util.c:7:1",   "util.c:9:5",   "util.c:10:5",
                              "util.c:11:1", "main.c:20:9",  "main.c:18:24", "main.c:18:17",
                              "main.c:19:9"};
    for (const char* where : expected) {
        EXPECT_EQ(where, At());
        ASSERT_TRUE(M().StepInto(0));
        EXPECT_EQ(StopReason::step, M().Core(0).lastStop);
    }
}

TEST_F(Target, StepOverRunsTheCallAndStepOutReturnsToTheCaller) {
    uint32_t line19 = 0;
    ASSERT_TRUE(Sample().AddressOfLine(File("main.c"), 19, 0, line19));
    ASSERT_TRUE(M().RunTo(0, line19));
    const char* overs[] = {"main.c:20:9", "main.c:18:24", "main.c:18:17", "main.c:19:9",
                           "main.c:20:9"};
    for (const char* where : overs) {
        ASSERT_TRUE(M().StepOver(0));
        EXPECT_EQ(where, At());
    }
    EXPECT_EQ(1, Word("buffer", 4)) << "the second call ran";
    // Into square, then out: back on the calling line, the result in R0.
    for (const char* where : {"main.c:18:24", "main.c:18:17", "main.c:19:9"}) {
        ASSERT_TRUE(M().StepOver(0));
        EXPECT_EQ(where, At());
    }
    ASSERT_TRUE(M().StepInto(0));
    ASSERT_TRUE(M().StepInto(0));
    EXPECT_EQ("util.c:9:5", At());
    ASSERT_TRUE(M().StepOut(0));
    EXPECT_EQ("main.c:19:9", At());
    EXPECT_EQ(4u, M().Core(0).reg[R0]);
    EXPECT_TRUE(M().Core(0).changed[R0]);
    ASSERT_TRUE(M().StepOver(0));
    EXPECT_EQ("main.c:20:9", At());
    // Run until return stops on the function's own return, not on the callee's.
    ASSERT_TRUE(M().RunUntilReturn(0));
    EXPECT_EQ("main.c:24:1", At());
    EXPECT_EQ(14, Word("total"));
}

TEST_F(Target, BreakpointsOnLinesColumnsAndAddressesStopTheRun) {
    const int main = File("main.c");
    ASSERT_TRUE(M().SetLineBreakpoint(main, 20, 0));
    ASSERT_TRUE(M().Run(0));
    EXPECT_EQ(StopReason::breakpoint, M().Core(0).lastStop);
    EXPECT_EQ("main.c:20:9", At());
    ASSERT_TRUE(M().Run(0));
    EXPECT_EQ("main.c:20:9", At()) << "the next iteration";
    EXPECT_EQ(2, M().Breakpoints()[0].hits);
    // A column of the for header: the increment.
    ASSERT_TRUE(M().SetLineBreakpoint(main, 18, 24));
    M().EnableBreakpoint(M().Breakpoints()[0].address, false);
    ASSERT_TRUE(M().Run(0));
    EXPECT_EQ("main.c:18:24", At());
    // An address breakpoint in the callee, hit from the call.
    ASSERT_TRUE(M().SetAddressBreakpoint(Sample().FindSymbol("square")->address));
    ASSERT_TRUE(M().Run(0));
    EXPECT_EQ("util.c:7:1", At());
    // Lines without code and addresses without an instruction are refused.
    EXPECT_FALSE(M().SetLineBreakpoint(main, 15, 0));
    EXPECT_FALSE(M().SetLineBreakpoint(main, 18, 11));
    EXPECT_FALSE(M().SetAddressBreakpoint(Sample().FindSymbol("square")->address + 2));
    ASSERT_TRUE(M().ClearBreakpoint(Sample().FindSymbol("square")->address));
    EXPECT_FALSE(M().ClearBreakpoint(Sample().FindSymbol("square")->address));
    M().Breakpoints().clear();
    ASSERT_TRUE(M().Run(0));
    EXPECT_EQ(CoreState::exited, M().Core(0).state);
}

TEST_F(Target, AnEndedOrFaultedCoreRefusesToRunUntilItsPCIsSet) {
    ASSERT_TRUE(M().Run(0));
    EXPECT_FALSE(M().StepInto(0));
    EXPECT_EQ("the program has ended", M().Error());
    EXPECT_FALSE(M().Run(3));
    // An opcode edit the processor does not know stops the core there.
    uint32_t line22 = 0;
    ASSERT_TRUE(Sample().AddressOfLine(File("main.c"), 22, 0, line22));
    TargetMemory()[line22] = 0xEE;
    ASSERT_TRUE(M().SetPC(0, Sample().entry[0]));
    ASSERT_TRUE(M().Run(0));
    EXPECT_EQ(CoreState::faulted, M().Core(0).state);
    EXPECT_EQ(line22, M().Core(0).reg[PC]);
    EXPECT_FALSE(M().StepOver(0));
    EXPECT_NE(std::string::npos, M().Error().find("illegal instruction"));
}

TEST_F(Target, AnEndlessLoopEndsTheRunAtTheBudget) {
    uint32_t line16 = 0;
    ASSERT_TRUE(Sample().AddressOfLine(File("main.c"), 16, 0, line16));
    Instruction self;
    self.op = Op::jmp;
    self.imm = static_cast<uint16_t>(line16);
    EncodeInstruction(self, TargetMemory(), line16);
    ASSERT_TRUE(M().Run(0));
    EXPECT_EQ(StopReason::budget, M().Core(0).lastStop);
    EXPECT_EQ(CoreState::halted, M().Core(0).state);
    EXPECT_EQ("main.c:16:5", At());
}

TEST_F(Target, TwoCoresRunTheirOwnCodeOnTheirOwnStacks) {
    Configure(2);
    EXPECT_EQ("start.s:11:9", At(1));
    ASSERT_TRUE(M().Run(1));
    EXPECT_EQ(100, Word("ticks"));
    EXPECT_EQ(0xF7F0u, M().Core(1).reg[SP]);
    EXPECT_EQ("start.s:4:9", At(0)) << "core 0 did not move";
    ASSERT_TRUE(M().Run(0));
    EXPECT_EQ(14, Word("total"));
}

TEST_F(Target, EveryStatementStandsInItsFileAtItsLineAndColumn) {
    for (const Statement& s : Sample().statements) {
        FILE* f = fopen(SamplePath(s.file).c_str(), "rb");
        ASSERT_NE(nullptr, f) << SamplePath(s.file);
        char text[256];
        std::string line;
        for (int n = 0; n < s.line && fgets(text, sizeof text, f); ++n)
            line = text;
        fclose(f);
        EXPECT_EQ(s.text, line.substr(s.column - 1, s.text.size()))
            << Sample().files[s.file].module << ":" << s.line;
    }
}

TEST_F(Target, InstructionsAssembleAndDisassembleToEachOther) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {{"ADDI SP, -4", "ADDI    SP, -4"},
                 {"ld r0, [fp-4]", "LD      R0, [FP-4]"},
                 {"ST [R1+0], R0", "ST      [R1+0], R0"},
                 {"CALL square", "CALL    square"},
                 {"STA total, R0", "STA     total, R0"},
                 {"MOVI R2, 0x10", "MOVI    R2, 0x0010"},
                 {"RET", "RET"}};
    for (const auto& c : cases) {
        Instruction in;
        ASSERT_TRUE(AssembleInstruction(c.text, in)) << c.text;
        EXPECT_EQ(c.shown, DisassembleInstruction(in)) << c.text;
    }
    for (const char* bad : {"", "JUMP 4", "MOV R0", "MOV R0, PC", "LD R0, [R9]", "CALL nowhere",
                            "MOVI R0, 70000", "ADD R0, R1, R2"}) {
        Instruction in;
        EXPECT_FALSE(AssembleInstruction(bad, in)) << bad;
    }
}

} // namespace
