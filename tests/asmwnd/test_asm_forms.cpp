// Assembler windows that change form between MDI child, docked and floating, and docked ones the
// user closes: the window keeps its core, its id and its place in the library's tables, and one
// that comes back from an edge is wide enough to read.
#include "tests/asmwnd/asm_fixture.h"

#include "host/lib/host_asm.h"

#include <algorithm>

namespace {
constexpr int kAsm = 0x8, kAddress = 0x10;

int WidthOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

int g_closeRequests = 0;
int __cdecl RefuseEveryRequest(int, HostRequest*, int*, int, int) {
    ++g_closeRequests;
    return 0;
}
} // namespace

TEST_F(AsmWndTest, AWindowThatChangesFormKeepsItsCoreAndItsEntries) {
    ASSERT_TRUE(StartStopped(Host(3, 13, 2)));
    ASSERT_GT(OpenAsmWindow(0), 0);
    const int id = OpenAsmWindow(1);
    ASSERT_GT(id, 0);
    const HostAsmWindow* w = AsmWindowOfCore(1);
    ASSERT_NE(nullptr, w);
    const struct {
        const char* name;
        HostPlacement placement;
        int width; // 0: not checked
    } forms[] = {
        {"docked left", {0x41 | 0x80, 0, 0, 300, 200}, 0},
        {"MDI from the edge", {0x11, 20, 30, 300, 300}, 400},
        {"floating", {0x21, 300, 200, 450, 260}, 0},
        // Its own width, not the 400 it had as the MDI child it floated from.
        {"MDI from floating", {0x11, 20, 30, 450, 300}, 450},
        {"docked again", {0x41 | 0x80, 0, 0, 300, 200}, 0},
    };
    const uint32_t addresses[] = {w->shownAddress, w->shownAddress + 0x200};
    int step = 0;
    for (const auto& form : forms) {
        SCOPED_TRACE(form.name);
        Place(id, &w->position, form.placement);
        HWND frame = FrameOf(id);
        ASSERT_TRUE(IsWindow(frame));
        if (form.width != 0) {
            EXPECT_EQ(form.width, WidthOf(frame));
        } else if (form.placement.flags == 0x11) {
            EXPECT_GE(WidthOf(frame), 400);
        }
        // The library's own open for the core finds this frame.
        EXPECT_EQ(frame, FrameOf(Create(kAsm | kAddress, 1)));
        // The host's next lines for the core reach this frame's panes.
        ASSERT_TRUE(ShowAsmAddress(1, addresses[++step % 2]));
        PumpAll();
        const std::vector<HWND> panes = Panes(frame);
        ASSERT_EQ(2u, panes.size());
        const AsmChain* chain = AsmWindowOfCore(1)->Chain();
        const std::string all = AllText(panes[1]);
        EXPECT_EQ(all.find(chain->Head()->opcodeText), all.find('\t') + 1) << all.substr(0, 40);
        EXPECT_EQ(static_cast<size_t>(chain->Count()),
                  static_cast<size_t>(std::count(all.begin(), all.end(), '\n')));
    }
    // The user's close asks the host on the window's own core.
    SendMessageW(FrameOf(id), WM_CLOSE, 0, 0);
    PumpAll();
    EXPECT_EQ(nullptr, AsmWindowOfCore(1));
    EXPECT_NE(nullptr, AsmWindowOfCore(0));
}

TEST_F(AsmWndTest, ADockedWindowWhoseCloseTheHostRefusesStaysFoundForItsCore) {
    ASSERT_TRUE(StartStopped());
    const int id = OpenAsmWindow(0);
    ASSERT_GT(id, 0);
    Place(id, &AsmWindowOfCore(0)->position, {0x41 | 0x80, 0, 0, 300, 200});
    HWND docked = FrameOf(id);
    ASSERT_TRUE(IsWindow(docked));
    void* const original = HostState::Get().commands.Word(3);
    HostState::Get().commands.Word(3) = reinterpret_cast<void*>(&RefuseEveryRequest);
    g_closeRequests = 0;
    SendMessageW(docked, WM_CLOSE, 0, 0);
    PumpAll();
    HostState::Get().commands.Word(3) = original;
    EXPECT_EQ(1, g_closeRequests);
    ASSERT_TRUE(IsWindow(docked));
    EXPECT_EQ(docked, FrameOf(Create(kAsm | kAddress, 0)));
    // Granted, the close takes the frame and its entry: the next open makes a new window.
    SendMessageW(docked, WM_CLOSE, 0, 0);
    PumpAll();
    EXPECT_FALSE(IsWindow(docked));
    EXPECT_EQ(nullptr, AsmWindowOfCore(0));
    const int again = OpenAsmWindow(0);
    ASSERT_GT(again, 0);
    EXPECT_TRUE(IsWindow(FrameOf(again)));
    EXPECT_NE(docked, FrameOf(again));
}

TEST_F(AsmWndTest, AWindowTheHostOpensDockedIsFoundForItsCore) {
    Start();
    HostState::Get().placements[&m_position] = {0x41 | 0x80, 0, 0, 300, 200};
    const int id = Create(kAsm | kAddress, 0);
    ASSERT_GT(id, 0);
    HWND docked = FrameOf(id);
    ASSERT_TRUE(IsWindow(docked));
    EXPECT_EQ(2u, Panes(docked).size());
    TestChain chain(20);
    ASSERT_EQ(1, SetColumnDatas(id, kAsm, chain.Head()));
    const std::string all = AllText(Panes(docked)[1]);
    EXPECT_EQ(20, std::count(all.begin(), all.end(), '\n'));
    EXPECT_EQ(docked, FrameOf(Create(kAsm | kAddress, 0)));
}

std::vector<std::string> AsmWndTest::CoreCallsOfADock(HostOptions options, int core) {
    if (!StartStopped(options) || OpenAsmWindow(0) <= 0 || (core != 0 && OpenAsmWindow(core) <= 0))
        return {"not opened"};
    const HostAsmWindow* w = AsmWindowOfCore(core);
    if (w == nullptr)
        return {"no window"};
    CallLog::Get().Clear();
    Place(w->id, &w->position, {0x41 | 0x80, 0, 0, 300, 200});
    std::vector<std::string> calls;
    for (const std::string& line : Lines())
        for (const char* name :
             {"GetCoreMode(", "SetCoreMode(", "GetCurrentCore(", "SetCurrentCore("})
            if (line.rfind(name, 0) == 0)
                calls.push_back(line);
    return calls;
}

// On a multi-core host of 3.2 or later the change of form runs on the window's core: mode and
// core are saved before either is set, and set back at the end.
TEST_F(AsmWndTest, AChangeOfFormOnAMultiCoreHostRunsOnTheWindowsCore) {
    const std::vector<std::string> calls = CoreCallsOfADock(Host(3, 13, 2), 1);
    ASSERT_GE(calls.size(), 6u) << (calls.empty() ? "" : calls[0]);
    EXPECT_EQ((std::vector<std::string>{"GetCoreMode()", "GetCurrentCore()", "SetCoreMode(0)",
                                        "SetCurrentCore(1)"}),
              std::vector<std::string>(calls.begin(), calls.begin() + 4));
    EXPECT_EQ(0u, calls[calls.size() - 2].rfind("SetCurrentCore(", 0));
    EXPECT_EQ(0u, calls.back().rfind("SetCoreMode(", 0));
}

TEST_F(AsmWndTest, AChangeOfFormOnASingleCoreHostSwitchesNoCore) {
    EXPECT_EQ(std::vector<std::string>{}, CoreCallsOfADock(Host(3, 13, 1), 0));
}

TEST_F(AsmWndTest, AChangeOfFormOnAHostBefore32SwitchesNoCore) {
    EXPECT_EQ(std::vector<std::string>{}, CoreCallsOfADock(Host(3, 1, 2), 0));
}
