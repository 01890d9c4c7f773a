// The run commands of the menu and toolbar drive the simulated target, and every stop reaches
// the status panes; the target's errors answer the host's error and change nothing.
#include <string>

#include "host/lib/command_line.h"
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

} // namespace
