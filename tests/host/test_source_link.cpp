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
#include "tests/host/target_fixture.h"

namespace {

std::vector<std::string> g_seen;
int g_nextId = 1;
const SourceLineRecord* g_marks = nullptr;

std::string Join(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : ", ") + p;
    return out;
}

std::string Name(const char* path) {
    const std::string p = path ? path : "(null)";
    return p.substr(p.find_last_of('\\') + 1);
}

} // namespace

extern "C" {
__declspec(dllexport) int __cdecl CreateSourceWindow(const char* module, const char* path,
                                                     int flags, WindowPosition* position,
                                                     int core) {
    g_seen.push_back("Create(" +
                     Join({module, Name(path), std::to_string(flags), position ? "pos" : "null",
                           std::to_string(core)}) +
                     ")");
    return g_nextId++;
}
__declspec(dllexport) int __cdecl UpdateSourceWindow(int id, const char* module, const char* path,
                                                     int line, int flags, int start, int end,
                                                     int count, int tag) {
    g_seen.push_back("Update(" +
                     Join({std::to_string(id), module, Name(path), std::to_string(line),
                           std::to_string(flags), std::to_string(start), std::to_string(end),
                           std::to_string(count), std::to_string(tag)}) +
                     ")");
    return id;
}
__declspec(dllexport) int __cdecl SetColumnDatas(int id, int flags, const void* data, int) {
    g_seen.push_back("Columns(" + std::to_string(id) + ", " + std::to_string(flags) + ")");
    g_marks = static_cast<const SourceLineRecord*>(data);
    return 1;
}
__declspec(dllexport) int __cdecl ActivateSourceWindow(int id) {
    g_seen.push_back("Activate(" + std::to_string(id) + ")");
    return 1;
}
__declspec(dllexport) int __cdecl CloseMDIWindow(int id, int byId) {
    g_seen.push_back("Close(" + std::to_string(id) + ", " + std::to_string(byId) + ")");
    return 1;
}
}

namespace {

class SourceLink : public TargetTest {
protected:
    void SetUp() override {
        TargetTest::SetUp();
        BindSourceLibrary(GetModuleHandleW(nullptr));
        g_seen.clear();
        g_nextId = 1;
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
    EXPECT_EQ(first, g_seen);
    ASSERT_NE(nullptr, g_marks);
    EXPECT_EQ(14, g_marks->line);

    // Into the call: a second window; the first keeps getting its records.
    g_seen.clear();
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
    EXPECT_EQ(second, g_seen);
    ASSERT_EQ(2u, SourceWindows().size());
    EXPECT_EQ(SamplePath(File("util.c")), SamplePath(SourceWindows().back().file));

    // The library asks the host to close a window: the host closes it and forgets it.
    g_seen.clear();
    HostRequest close{};
    close.code = HostRequestCode::close;
    close.flags = HostRequestCode::closeSource | 0x200;
    close.SetText(0, "main.c");
    int out = 0;
    EXPECT_EQ(1, T().ExecuteRequestChain(1, &close, &out, 0, 1));
    EXPECT_EQ(std::vector<std::string>{"Close(1, 1)"}, g_seen);
    EXPECT_EQ(1u, SourceWindows().size());
}

TEST_F(SourceLink, OnTwoCoresEachCoreHasItsWindowsAndTheEndedProgramNone) {
    Configure(2);
    BindSourceLibrary(GetModuleHandleW(nullptr));
    g_seen.clear();
    ASSERT_TRUE(RunHostCommandLine("SET CORE /NOCAPTURE 1 ; STEP ; SET CORE /NOCAPTURE 0"));
    ASSERT_EQ(2u, SourceWindows().size());
    ASSERT_EQ(9u, g_seen.size());
    EXPECT_EQ("Create(start.s, start.s, 7, pos, 0)", g_seen[0]);
    EXPECT_EQ("Create(start.s, start.s, 7, pos, 1)", g_seen[2]);
    EXPECT_EQ("Activate(2)", g_seen[4]) << "the core that stopped";
    g_seen.clear();
    ASSERT_TRUE(RunHostCommandLine("GO"));
    for (const std::string& call : g_seen)
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
    EXPECT_TRUE(g_seen.empty());
    EXPECT_TRUE(SourceWindows().empty());
    EXPECT_EQ(-1, ShowSourceFile(File("main.c"), 0));
}

} // namespace
