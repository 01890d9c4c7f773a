// Binding as the host sees it: each case is a real host process loading the library.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "tests/support/run_host.h"

namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool AnyStartsWith(const std::vector<std::string>& lines, const std::string& prefix) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

struct FatalCase {
    const wchar_t* switches;
    const char* message;
};

class BindingFailure : public ::testing::TestWithParam<FatalCase> {};

TEST_P(BindingFailure, ShowsFatalMessageAndExitsWithOne) {
    HostRun run = RunHost(GetParam().switches);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(1u, run.exitCode);
    const std::string box =
        std::string("MessageBox(\"MOX Fatal\", \"") + GetParam().message + "\")";
    EXPECT_TRUE(Contains(run.log, box)) << box;
    EXPECT_FALSE(Contains(run.log, "LibraryLoaded()"));
}

const char kOld[] =
    "Executable GUI Interface (V2.9) and moxgui[u].dll (V3.13) have incompatible versions";
const char kNew[] =
    "Executable GUI Interface (V4.0) and moxgui[u].dll (V3.13) have incompatible versions";
const char kNull[] =
    "Executable GUI Interface (V0.0) and moxgui[u].dll (V3.13) have incompatible versions";
const char kMemOld[] =
    "Executable GUI Mem Interface (V2.9) and moxgui[u].dll (V3.13) have incompatible versions";
const char kMemNew[] =
    "Executable GUI Mem Interface (V4.0) and moxgui[u].dll (V3.13) have incompatible versions";
const char kMemNull[] =
    "Executable GUI Mem Interface (V0.0) and moxgui[u].dll (V3.13) have incompatible versions";

INSTANTIATE_TEST_SUITE_P(
    Tables, BindingFailure,
    ::testing::Values(FatalCase{L"--host-version 2.9", kOld},
                      FatalCase{L"--host-version 4.0", kNew}, FatalCase{L"--null-table", kNull},
                      FatalCase{L"--no-gui-connect", "Could not load entry for MOX commands"},
                      FatalCase{L"--mem-version 2.9", kMemOld},
                      FatalCase{L"--mem-version 4.0", kMemNew},
                      FatalCase{L"--null-mem-table", kMemNull},
                      FatalCase{L"--no-mem-connect",
                                "Could not load entry for MOX memory commands"}));

TEST(Binding, OldestAndNewestMinorOfMajorThreeBind) {
    for (const wchar_t* version : {L"--host-version 3.0", L"--host-version 3.99"}) {
        HostRun run = RunHost(version);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_TRUE(Contains(run.log, "LibraryLoaded()"));
        EXPECT_TRUE(Contains(run.log, "DD.Init()"));
        EXPECT_FALSE(AnyStartsWith(run.log, "MessageBox"));
    }
}

// The identification line the host logged, empty when there is none.
std::string VersionLine(const HostRun& run) {
    auto line = std::find_if(run.log.begin(), run.log.end(),
                             [](const std::string& l) { return l.rfind("DLL_Version(", 0) == 0; });
    return line == run.log.end() ? std::string() : *line;
}

// The library names its own file, also when it was copied under another name.
TEST(Binding, LibraryIdentifiesItselfWithItsOwnPath) {
    const std::wstring copy = ProgramFolder() + L"\\renamed_gui.dll";
    ASSERT_TRUE(::CopyFileW((ProgramFolder() + L"\\moxguiu.dll").c_str(), copy.c_str(), FALSE));
    struct {
        const wchar_t* switches;
        const char* file;
    } cases[] = {{L"", "\\moxguiu.dll,MOXGUIU.DLL,"},
                 {L"--library renamed_gui.dll", "\\renamed_gui.dll,MOXGUIU.DLL,"}};
    for (const auto& c : cases) {
        HostRun run = RunHost(c.switches);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(0u, run.exitCode) << c.file;
        const std::string line = VersionLine(run);
        const std::string suffix = ",MOXGUIU.DLL,Graphical User Interface for Windows NT|2000|XP,"
                                   "2.4.2,,KQV,2.0\")";
        ASSERT_GT(line.size(), suffix.size()) << c.file;
        EXPECT_EQ(suffix, line.substr(line.size() - suffix.size()));
        EXPECT_NE(std::string::npos, line.find(c.file)) << line;
    }
    ::DeleteFileW(copy.c_str());
}

TEST(Binding, WithoutDragDropServiceStartUpCompletesAndNoServiceCallIsMade) {
    for (const wchar_t* switches : {L"--no-coco", L"--null-service"}) {
        HostRun run = RunHost(switches);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_TRUE(Contains(run.log, "LibraryLoaded()"));
        EXPECT_FALSE(AnyStartsWith(run.log, "DD.")) << switches;
    }
}

TEST(Binding, HostRefusesBadSwitchWithoutLoadingTheLibrary) {
    HostRun run = RunHost(L"--cores zero");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(2u, run.exitCode);
    EXPECT_FALSE(Contains(run.log, "gui_Connect(ptr)"));
}

} // namespace
