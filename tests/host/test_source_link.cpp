// How the host tells the library's source windows about a stop: this program stands in for the
// library with the exports the host looks up, and records what reaches them.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/lib/command_line.h"
#include "host/lib/host_lists.h"
#include "host/lib/host_requests.h"
#include "host/lib/source_link.h"
#include "tests/host/library_stub.h"
#include "tests/host/target_fixture.h"

namespace {

class SourceLink : public TargetTest {
protected:
    void SetUp() override {
        TargetTest::SetUp();
        BindLibraryStub();
    }
    void TearDown() override { BindSourceLibrary(nullptr); }
};

TEST_F(SourceLink, AStopOpensTheFileOnceAndMovesItsWindowToTheStatement) {
    const int tagMain = SourceContextTag(File("main.c"), 0);
    ASSERT_TRUE(RunHostCommandLine("STEP ; STEP ; STEP"));
    const std::vector<std::string> first = {"Create(main.c, main.c, 7, pos, -1)",
                                            "Update(1, main.c, main.c, 16, 7, 5, 15, 0, " +
                                                std::to_string(tagMain) + ")",
                                            "Activate(1)", "Columns(1, 1)", "Columns(1, 2)"};
    EXPECT_EQ(first, Stub().seen);
    ASSERT_NE(nullptr, Stub().marks);
    EXPECT_EQ(14, Stub().marks->line);

    // Into the call: a second window; the first keeps getting its records.
    Stub().seen.clear();
    ASSERT_TRUE(RunHostCommandLine("SET BREAKPOINT AT util.c\\@LINE 9 ; GO"));
    const int tagUtil = SourceContextTag(File("util.c"), 0);
    const std::vector<std::string> second = {"Create(util.c, util.c, 7, pos, -1)",
                                             "Update(2, util.c, util.c, 9, 7, 5, 20, 0, " +
                                                 std::to_string(tagUtil) + ")",
                                             "Activate(2)",
                                             "Columns(1, 1)",
                                             "Columns(1, 2)",
                                             "Columns(2, 1)",
                                             "Columns(2, 2)"};
    EXPECT_EQ(second, Stub().seen);
    ASSERT_EQ(2u, SourceWindows().size());
    EXPECT_EQ(SamplePath(File("util.c")), SamplePath(SourceWindows().back().file));

    // The library asks the host to close a window: the host closes it and forgets it.
    Stub().seen.clear();
    HostRequest close{};
    close.code = HostRequestCode::close;
    close.flags = HostRequestCode::closeSource | 0x200;
    close.SetText(0, "main.c");
    int out = 0;
    EXPECT_EQ(1, T().ExecuteRequestChain(1, &close, &out, 0, 1));
    EXPECT_EQ(std::vector<std::string>{"Close(1, 1)"}, Stub().seen);
    EXPECT_EQ(1u, SourceWindows().size());
}

TEST_F(SourceLink, OnTwoCoresEachCoreHasItsWindowsAndTheEndedProgramNone) {
    Configure(2);
    BindSourceLibrary(GetModuleHandleW(nullptr));
    Stub().seen.clear();
    ASSERT_TRUE(RunHostCommandLine("SET CORE /NOCAPTURE 1 ; STEP ; SET CORE /NOCAPTURE 0"));
    ASSERT_EQ(2u, SourceWindows().size());
    ASSERT_EQ(9u, Stub().seen.size());
    EXPECT_EQ("Create(start.s, start.s, 7, pos, 0)", Stub().seen[0]);
    EXPECT_EQ("Create(start.s, start.s, 7, pos, 1)", Stub().seen[2]);
    EXPECT_EQ("Activate(2)", Stub().seen[4]) << "the core that stopped";
    Stub().seen.clear();
    ASSERT_TRUE(RunHostCommandLine("GO"));
    for (const std::string& call : Stub().seen)
        EXPECT_EQ(std::string::npos, call.find("Update(1")) << "core 0 ended: " << call;
}

TEST_F(SourceLink, AStopTakesTheListsFromTheProcessor) {
    ListTarget& lists = ListTarget::Get();
    lists.ResetToDefaults();
    const struct {
        const char* line;
        std::vector<std::string> frames;
    } stops[] = {{"SET BREAKPOINT AT square ; GO",
                  {"square|util.c:7", "main|main.c:19", "_start|start.s:5"}},
                 {"STEP", {"square|util.c:9", "main|main.c:19", "_start|start.s:5"}},
                 {"SET BREAKPOINT AT util.c\\@LINE 11 ; GO ; STEP /INSTRUCTION ; STEP /INSTRUCTION",
                  {"square|util.c:11", "main|main.c:19", "_start|start.s:5"}},
                 {"STEP /OUT", {"main|main.c:19", "_start|start.s:5"}}};
    for (const auto& stop : stops) {
        ASSERT_TRUE(RunHostCommandLine(stop.line)) << stop.line << ": " << S().lastError;
        EXPECT_EQ(stop.frames, lists.frames) << stop.line;
    }
    EXPECT_TRUE(lists.followsTarget);
    ASSERT_EQ(static_cast<size_t>(kRegisterCount), lists.registers.size());
    EXPECT_EQ("R0", lists.registers[R0].name);
    EXPECT_EQ(M().Core(0).reg[PC], lists.registers[PC].value);
    EXPECT_TRUE(lists.registers[PC].changed);
    ASSERT_EQ(2u, lists.breakpoints.size());
    EXPECT_EQ("util.c", lists.breakpoints[0].file);
    EXPECT_EQ(7, lists.breakpoints[0].line);
    EXPECT_EQ(1, lists.breakpoints[0].hits);
    lists.ResetToDefaults();
}

TEST_F(SourceLink, WithoutTheLibraryTheHostOnlyKeepsItsState) {
    BindSourceLibrary(nullptr);
    ASSERT_TRUE(RunHostCommandLine("STEP"));
    EXPECT_TRUE(Stub().seen.empty());
    EXPECT_TRUE(SourceWindows().empty());
    EXPECT_EQ(-1, ShowSourceFile(File("main.c"), 0));
}

} // namespace
