// The run commands of the menu and toolbar drive the simulated target, and every stop reaches
// the status panes; the target's errors answer the host's error and change nothing.
#include <string>

#include "host/lib/command_line.h"
#include "host/lib/host_memory.h"
#include "host/lib/target_eval.h"
#include "tests/host/target_fixture.h"

namespace {

using Session = TargetTest;

TEST_F(Session, TheRunCommandsDriveTheTargetAndEachStopReachesThePanes) {
    ASSERT_EQ(1, T().ExecuteCommandLine("SET BREAKPOINT AT main.c\\@LINE 20"));
    const struct {
        int command;
        const char* at;
        const char* state;
        const char* where;
    } steps[] = {
        {46, "main.c:20:9", "Breakpoint", "main.c:20"}, // Go
        {51, "main.c:18:24", "Halted", "main.c:18"},    // Step Over
        {50, "main.c:18:17", "Halted", "main.c:18"},    // Step Into
        {50, "main.c:19:9", "Halted", "main.c:19"},      {50, "util.c:7:1", "Halted", "util.c:7"},
        {48, "main.c:19:9", "Halted", "main.c:19"},      // Step Out
        {52, "start.s:4:9", "Halted", "start.s:4"},      // Reset Target: the breakpoint stays
        {213, "main.c:20:9", "Breakpoint", "main.c:20"}, // Run Fast
    };
    for (const auto& s : steps) {
        T().ExecuteCommand(s.command);
        EXPECT_EQ(s.at, At()) << s.command;
        EXPECT_EQ(s.state, S().paneText[1]) << s.command;
        EXPECT_EQ(s.where, S().paneText[2]) << s.command;
        EXPECT_EQ("Core 0 at " + HexAddress(M().Core(0).reg[PC]), S().paneText[4]);
        EXPECT_EQ("", S().lastError) << s.command;
    }
    ASSERT_EQ(1u, M().Breakpoints().size());
    EXPECT_EQ(1, M().Breakpoints()[0].hits) << "counted again from the restart";

    // Disabled, the breakpoint lets the program run to its end; a step past the end is refused.
    M().EnableBreakpoint(M().Breakpoints()[0].address, false);
    T().ExecuteCommand(46);
    EXPECT_EQ("Ended", S().paneText[1]);
    EXPECT_EQ("-", S().paneText[2]);
    EXPECT_EQ(14, Word("total"));
    for (int command : {50, 51, 48, 46}) {
        CallLog::Get().Clear();
        T().ExecuteCommand(command);
        EXPECT_EQ("the program has ended", S().lastError) << command;
        EXPECT_EQ(1u, CallLog::Get().Named("HostError").size()) << command;
        EXPECT_EQ("Ended", S().paneText[1]) << command;
    }
}

// Fifty steps in a row: each one ends in a stop, and the panes name the last of them.
TEST_F(Session, FiftyStepsEachEndWhereTheTargetStands) {
    for (int n = 0; n < 50; ++n) {
        const uint32_t before = M().Core(0).reg[PC];
        T().ExecuteCommand(50);
        if (M().Core(0).state == CoreState::exited)
            break;
        EXPECT_NE(before, M().Core(0).reg[PC]) << n;
        const std::string at = At();
        EXPECT_EQ(at.substr(0, at.rfind(':')), S().paneText[2]) << n;
    }
    EXPECT_EQ("", S().lastError);
}

// The Stop command halts the core where it stands; a run that takes its whole budget is halted
// by the host with that reason; after the end there is nothing to halt.
TEST_F(Session, HaltAndTheBudgetEndARunWithTheirReason) {
    uint32_t line16 = 0;
    ASSERT_TRUE(Sample().AddressOfLine(File("main.c"), 16, 0, line16));
    ASSERT_TRUE(RunHostCommandLine("STEP"));
    T().ExecuteCommand(0); // Stop
    EXPECT_EQ("", S().lastError);
    EXPECT_EQ(StopReason::halt, M().Core(0).lastStop);
    EXPECT_EQ("Halted", S().paneText[1]);

    Instruction self; // an endless loop on line 16
    self.op = Op::jmp;
    self.imm = static_cast<uint16_t>(line16);
    EncodeInstruction(self, TargetMemory(), line16);
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(RunHostCommandLine("GO")) << S().lastError;
        EXPECT_EQ("Halted (instruction limit)", S().paneText[1]);
        EXPECT_EQ("main.c:16", S().paneText[2]);
    }
    ASSERT_TRUE(RunHostCommandLine("HALT"));
    EXPECT_EQ("Halted", S().paneText[1]);

    ASSERT_TRUE(RunHostCommandLine("RESET ; GO"));
    EXPECT_FALSE(RunHostCommandLine("HALT"));
    EXPECT_EQ("the program has ended", S().lastError);
    EXPECT_EQ("Ended", S().paneText[1]);
}

// The locals read from the function's frame at every instruction of the call: before the frame
// is built, while it is, in the body and at the return after it is taken down.
TEST_F(Session, LocalsReadTheirFrameFromEntryToReturn) {
    ASSERT_TRUE(RunHostCommandLine("SET BREAKPOINT AT square ; GO ; GO"));
    ASSERT_EQ("util.c:7:1", At());
    const uint32_t entrySP = M().Core(0).reg[SP];
    std::string n, result;
    for (int step = 0; M().Core(0).reg[SP] <= entrySP && step < 20; ++step) {
        ASSERT_TRUE(EvaluateValue("n", 0, n)) << step;
        EXPECT_EQ("n: 1", n) << "the second call's argument, instruction " << step;
        if (step > 6) { // once the body wrote it
            ASSERT_TRUE(EvaluateValue("result", 0, result));
            EXPECT_EQ("result: 1", result) << step;
        }
        ASSERT_TRUE(M().StepInstruction(0));
    }
    EXPECT_EQ("main.c:19", At().substr(0, 9));
}

} // namespace
