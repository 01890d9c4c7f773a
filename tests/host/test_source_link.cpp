// How the host tells the library's source windows about a stop: this program stands in for the
// library with the exports the host looks up, and records what reaches them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "host/lib/command_line.h"
#include "host/lib/host_asm.h"
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
                                            "Activate(1)",
                                            "Columns(1, 1)",
                                            "Columns(1, 2)",
                                            "Columns(1, 4)"};
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
                                             "Columns(1, 4)",
                                             "Columns(2, 1)",
                                             "Columns(2, 2)",
                                             "Columns(2, 4)"};
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
    ASSERT_EQ(11u, Stub().seen.size());
    EXPECT_EQ("Create(start.s, start.s, 7, pos, 0)", Stub().seen[0]);
    EXPECT_EQ("Create(start.s, start.s, 7, pos, 1)", Stub().seen[2]);
    EXPECT_EQ("Activate(2)", Stub().seen[4]) << "the core that stopped";
    Stub().seen.clear();
    ASSERT_TRUE(RunHostCommandLine("GO"));
    // Core 0 ended: its window stays where it was with nothing highlighted.
    std::vector<std::string> updates;
    for (const std::string& call : Stub().seen)
        if (call.rfind("Update(1,", 0) == 0)
            updates.push_back(call);
    const int tag = SourceContextTag(File("start.s"), 0);
    EXPECT_EQ(std::vector<std::string>{"Update(1, start.s, start.s, 4, 7, 1, 1, 0, " +
                                       std::to_string(tag) + ")"},
              updates);
}

// The marks of a window's records that say "current line".
int CurrentMarks() {
    int n = 0;
    for (const SourceLineRecord* r = Stub().marks; r != nullptr && n < 1000; r = r->next)
        n += (r->flags & kLineCurrent) ? 1 : 0;
    return n;
}

TEST_F(SourceLink, AfterTheEndNoWindowMarksTheLastLineAsCurrent) {
    ASSERT_TRUE(RunHostCommandLine("STEP ; STEP ; STEP"));
    ASSERT_GT(OpenAsmWindow(0), 0);
    const int main = File("main.c");
    ASSERT_EQ(1, CurrentMarks());
    ASSERT_EQ(kCurrentLineColor, SourceColor(main, 16, 5, 0));
    Stub().seen.clear();
    ASSERT_TRUE(RunHostCommandLine("GO"));
    ASSERT_EQ(CoreState::exited, M().Core(0).state);
    // The window keeps its place, its highlight emptied; no record, colour or instruction
    // marks a current line.
    EXPECT_EQ(1, std::count(Stub().seen.begin(), Stub().seen.end(),
                            "Update(1, main.c, main.c, 16, 7, 1, 1, 0, " +
                                std::to_string(SourceContextTag(main, 0)) + ")"));
    EXPECT_EQ(0, CurrentMarks());
    EXPECT_EQ(kNoSourceColor, SourceColor(main, 16, 5, 0));
    int current = 0, n = 0;
    for (const AsmLineRecord* r = Stub().chains[0]; r != nullptr && n < 4096; r = r->next, ++n)
        current += r->background == kCurrentLineColor ? 1 : 0;
    EXPECT_GT(n, 0);
    EXPECT_EQ(0, current);
    CloseAsmWindow(0);
}

TEST_F(SourceLink, EveryStopHandsTheCoverageColumnItsRecords) {
    ASSERT_TRUE(RunHostCommandLine("SET BREAKPOINT AT main.c\\@LINE 20 ; GO"));
    std::map<int, uint32_t> colours;
    std::map<int, std::string> texts;
    int n = 0;
    for (const CoverageRecord* r = Stub().coverage; r != nullptr && n < 1000; r = r->next, ++n) {
        EXPECT_EQ(n, r->lineKey) << "a record a row";
        if ((r->colour & 0xFF000000u) == 0)
            colours[n + 1] = r->colour;
        texts[n + 1] = CoverageText(r->textName);
    }
    EXPECT_EQ(24, n);
    EXPECT_EQ("", texts[15]) << "no code";
    // The code lines coloured: those that ran green, the others red, the count in the text.
    EXPECT_EQ((std::map<int, uint32_t>{{14, 0xC0FFC0},
                                       {16, 0xC0FFC0},
                                       {17, 0xC0FFC0},
                                       {18, 0xC0FFC0},
                                       {19, 0xC0FFC0},
                                       {20, 0xC0C0FF},
                                       {22, 0xC0C0FF},
                                       {23, 0xC0C0FF},
                                       {24, 0xC0C0FF}}),
              colours);
    EXPECT_EQ("1x", texts[16].substr(0, texts[16].find("<NL>")));
    EXPECT_EQ("0x", texts[20].substr(0, texts[20].find("<NL>")));

    // Coverage off: the column is not handed records.
    S().coverageActive = false;
    Stub().seen.clear();
    ASSERT_TRUE(RunHostCommandLine("STEP"));
    EXPECT_EQ(0, std::count(Stub().seen.begin(), Stub().seen.end(), "Columns(1, 4)"));
    S().coverageActive = true;
}

// The restart and the source window's Go Here: the breakpoints stay, and every window learns
// of the new stop.
TEST_F(SourceLink, RestartAndGoHerePublishTheirStops) {
    ASSERT_TRUE(RunHostCommandLine("SET BREAKPOINT AT main.c\\@LINE 20 ; GO"));
    Stub().seen.clear();
    T().ExecuteCommand(49); // Restart
    EXPECT_EQ("start.s:4:9", At());
    ASSERT_EQ(1u, M().Breakpoints().size());
    EXPECT_EQ(0, M().Breakpoints()[0].hits);
    EXPECT_EQ("Halted", S().paneText[1]);
    EXPECT_EQ(1, std::count_if(Stub().seen.begin(), Stub().seen.end(), [](const std::string& c) {
                  return c.rfind("Update(", 0) == 0 &&
                         c.find("start.s, start.s, 4,") != std::string::npos;
              }));

    Stub().seen.clear();
    HostRequest goHere{};
    goHere.code = HostRequestCode::run;
    goHere.flags = HostRequestCode::runToLine;
    EXPECT_EQ(1, T().ExecuteRequest(&goHere, "C(& {\"sample\"}\"main.c\"\\@LINE 17)", 0, 0, 0));
    EXPECT_EQ("main.c:17:5", At());
    EXPECT_EQ(1, std::count_if(Stub().seen.begin(), Stub().seen.end(), [](const std::string& c) {
                  return c.rfind("Update(", 0) == 0 &&
                         c.find("main.c, main.c, 17,") != std::string::npos;
              }));
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
