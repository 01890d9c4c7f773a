// Assembler windows opened, filled and updated through the library's exports.
#include "tests/asmwnd/asm_fixture.h"

#include "host/lib/host_asm.h"
#include "host/lib/host_source.h"
#include "host/lib/source_link.h"
#include "host/lib/target_machine.h"
#include "tests/support/screen_image.h"

#include <algorithm>
#include <climits>

#include <sstream>

namespace {
constexpr int kAsm = 0x8, kAddress = 0x10, kCoverage = 0x4;

// The rows of a Copy All, one a line.
std::vector<std::string> Rows(const std::string& all) {
    std::vector<std::string> rows;
    std::istringstream in(all);
    for (std::string line; std::getline(in, line);)
        rows.push_back(line);
    return rows;
}
} // namespace

TEST_F(AsmWndTest, AChainFillsBothPanes) {
    Start();
    TestChain chain(50);
    chain.records[3].sourceText = nullptr; // a missing text is an empty column
    chain.records[4].opcodeText = nullptr;
    const int id = Create(kAsm | kAddress);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    Show(frame);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    ASSERT_EQ(1, SetColumnDatas(id, kAsm, chain.Head()));
    const std::vector<std::string> rows = Rows(AllText(panes[1]));
    ASSERT_EQ(50u, rows.size());
    EXPECT_EQ("00 A0\tadd r0, r1\t", rows[0]); // the last text loses its trailing blanks
    EXPECT_EQ("03 A3\t \t", rows[3]);
    EXPECT_EQ(" \tadd r4, r5\t", rows[4]);
    EXPECT_EQ("31 A1\tadd r1, r2\t", rows[49]);
    const std::vector<std::string> addresses = Rows(AllText(panes[0]));
    ASSERT_EQ(50u, addresses.size());
    EXPECT_EQ("0x1000\t", addresses[0]);
    EXPECT_EQ("0x1062\t", addresses[49]);
    ScreenImage image;
    EXPECT_TRUE(image.Read(frame, L"asmwnd_both_panes.png"));
}

// The stand-in host's own window: its chain with the coverage column, whose text is cut at the
// first "<NL>".
TEST_F(AsmWndTest, TheCoverageColumnShowsTheTextUpToItsFirstBreak) {
    ASSERT_TRUE(StartStopped());
    const int id = OpenAsmWindow(0);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    Show(frame);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    const std::vector<std::string> rows = Rows(AllText(panes[1]));
    ASSERT_FALSE(rows.empty());
    int coverage = 0;
    for (const std::string& row : rows) {
        EXPECT_EQ(std::string::npos, row.find("<NL>")) << row;
        EXPECT_EQ(std::string::npos, row.find("ran")) << row;
        const size_t tab = row.find('\t');
        ASSERT_NE(std::string::npos, tab);
        if (tab > 0 && row[tab - 1] == 'x')
            ++coverage;
        EXPECT_EQ(3, std::count(row.begin(), row.end(), '\t')) << row;
    }
    EXPECT_GT(coverage, 0);
}

TEST_F(AsmWndTest, ShowLineSelectsTheLineAndScrollsItAThirdBelowTheTop) {
    Start();
    TestChain chain(50, kAsmLineKeyBase + 1000);
    const int id = Create(kAsm | kAddress);
    HWND frame = FrameOf(id);
    Show(frame, 600, 250);
    ASSERT_EQ(1, SetColumnDatas(id, kAsm, chain.Head()));
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    const int page = PerPage(panes[1]);
    ASSERT_GT(page, 3);
    ASSERT_LT(page, 40);
    const int first = static_cast<int>(kAsmLineKeyBase) + 1000;
    struct Case {
        int line, selected, top;
    } cases[] = {
        {first + 2, 2, 0},                              // on the page: selected, no scroll
        {first + 30, 30, 30 - page / 3},                // off the page: a third below the top
        {first + 31, 31, 30 - page / 3},                // now on the page
        {first - 500, 31, 0},                           // before the first line: no new row
        {first + 5000, 31, std::max(0, 49 - page / 3)}, // past the last: no new row
        {INT_MIN, 31, 0},                               // far outside: bounded, no row
    };
    for (const Case& c : cases) {
        EXPECT_EQ(id, Update(id, c.line, kAsm | kAddress)) << c.line;
        PumpAll();
        EXPECT_EQ(c.selected, Selected(panes[1])) << c.line;
        EXPECT_GE(TopIndex(panes[1]), 0);
        if (c.line == first + 5000 || c.line == INT_MIN)
            continue; // the last page: each list stops at its own
        EXPECT_EQ(c.top, TopIndex(panes[1])) << c.line;
        EXPECT_EQ(TopIndex(panes[1]), TopIndex(panes[0])) << c.line;
    }
}

TEST_F(AsmWndTest, WithAssemblerUpdatesOffAnUpdateReturnsTheIdAndChangesNothing) {
    Start();
    TestChain chain(50);
    const int id = OpenWithChain(chain);
    ASSERT_GT(id, 0);
    const std::vector<HWND>& panes = m_panes;
    Update(id, static_cast<int>(kAsmLineKeyBase) + 2, kAsm | kAddress);
    using EnableFn = uint32_t(__cdecl*)(uint32_t, int);
    EXPECT_EQ(3u, Get<EnableFn>("EnableWindowUpdate")(1, 0));
    EXPECT_EQ(id, Update(id, static_cast<int>(kAsmLineKeyBase) + 45, kAsm | kAddress));
    EXPECT_EQ(2, Selected(panes[1]));
    EXPECT_EQ(0, TopIndex(panes[1]));
    EXPECT_EQ(2u, Get<EnableFn>("EnableWindowUpdate")(1, 1));
    EXPECT_EQ(id, Update(id, static_cast<int>(kAsmLineKeyBase) + 45, kAsm | kAddress));
    EXPECT_EQ(45, Selected(panes[1]));
}

TEST_F(AsmWndTest, TwoCoresGetTwoWindowsAndEachCoreKeepsItsOwn) {
    Start(Host(3, 13, 2));
    BindSourceLibrary(m_module);
    const int first = OpenAsmWindow(0);
    const int second = OpenAsmWindow(1);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_NE(FrameOf(first), FrameOf(second));
    for (int core = 0; core < 2; ++core) {
        const HostAsmWindow* w = AsmWindowOfCore(core);
        ASSERT_NE(nullptr, w);
        ASSERT_NE(nullptr, w->Chain());
        const std::vector<HWND> panes = Panes(FrameOf(w->id));
        ASSERT_EQ(2u, panes.size());
        EXPECT_EQ(static_cast<size_t>(w->Chain()->Count()), Rows(AllText(panes[1])).size());
    }
    // The library's own open for a core that has a window activates that window.
    const int again = Create(kAsm | kAddress, 1);
    EXPECT_EQ(FrameOf(second), FrameOf(again));
}

// Chains a host must never hand over still give a bounded, clamped window.
TEST_F(AsmWndTest, HostileChainsAreBounded) {
    Start();
    const int id = Create(kAsm | kAddress);
    HWND frame = FrameOf(id);
    Show(frame, 600, 250);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    // A cycle: each record once.
    TestChain cycle(5);
    cycle.records[4].next = &cycle.records[1];
    ASSERT_EQ(1, SetColumnDatas(id, kAsm, cycle.Head()));
    EXPECT_EQ(5u, Rows(AllText(panes[1])).size());
    // Null texts everywhere.
    TestChain blank(3);
    for (AsmLineRecord& r : blank.records)
        r.addressText = r.opcodeText = r.sourceText = nullptr;
    ASSERT_EQ(1, SetColumnDatas(id, kAsm, blank.Head()));
    EXPECT_EQ((std::vector<std::string>{" \t \t", " \t \t", " \t \t"}), Rows(AllText(panes[1])));
    // No chain: nothing is refilled; a line before the first has no row, the selection stays.
    ASSERT_EQ(1, SetColumnDatas(id, kAsm, nullptr));
    const int selected = Selected(panes[1]);
    EXPECT_EQ(id, Update(id, -5, kAsm | kAddress));
    EXPECT_EQ(selected, Selected(panes[1]));
    // A first line past the last key: clamped.
    TestChain high(4, 0xFFFFFFF0u);
    ASSERT_EQ(1, SetColumnDatas(id, kAsm, high.Head()));
    EXPECT_EQ(id, Update(id, 3, kAsm | kAddress));
    EXPECT_GE(Selected(panes[1]), 0);
    EXPECT_LT(Selected(panes[1]), 4);
}

// A scroll past either end asks the host for more lines (word 19: 6 below, 5 above); the host
// hands over a new chain inside the call, and the lists stand on the same lines as before.
TEST_F(AsmWndTest, AScrollPastAnEndAsksForMoreLinesAndKeepsTheTopLine) {
    ASSERT_TRUE(StartStopped());
    const int id = OpenAsmWindow(0);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    Show(frame, 600, 250);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    const struct {
        bool bDown;
        int line;
        const char* call;
    } cases[] = {{true, 1 << 30, "GetLineColors(6)"}, {false, -(1 << 30), "GetLineColors(5)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        Update(id, c.line, kAsmWindowColumns); // the list at that end
        const int firstBefore = AsmWindowOfCore(0)->Chain()->First();
        const std::vector<std::string> before = Rows(AllText(panes[1]));
        const int top = TopIndex(panes[1]);
        ASSERT_GE(top, 0);
        ASSERT_LT(static_cast<size_t>(top), before.size());
        CallLog::Get().Clear();
        if (!ScrollPastTheEnd(panes[1], c.bDown))
            GTEST_SKIP() << "the display takes no injected input";
        EXPECT_EQ(std::vector<std::string>{c.call}, Lines("GetLineColors"));
        const std::vector<std::string> after = Rows(AllText(panes[1]));
        const int newTop = TopIndex(panes[1]);
        ASSERT_GE(newTop, 0);
        ASSERT_LT(static_cast<size_t>(newTop), after.size());
        EXPECT_EQ(before[static_cast<size_t>(top)], after[static_cast<size_t>(newTop)]);
        EXPECT_EQ(newTop, TopIndex(panes[0]));
        // The lines did move: more below, or a new first line above.
        if (c.bDown) {
            EXPECT_GT(after.size(), before.size());
        } else {
            EXPECT_LT(AsmWindowOfCore(0)->Chain()->First(), firstBefore);
        }
    }
}

// A change of the columns and a change of the coverage option each refill the list; the top
// line stays where it was.
TEST_F(AsmWndTest, ColumnAndCoverageChangesKeepTheTopLine) {
    Start();
    TestChain chain(80);
    const int id = OpenWithChain(chain);
    ASSERT_GT(id, 0);
    const std::vector<HWND>& panes = m_panes;
    const int line = static_cast<int>(kAsmLineKeyBase) + 40;
    EXPECT_EQ(id, Update(id, line, kAsm | kAddress));
    const int top = TopIndex(panes[1]);
    ASSERT_GT(top, 0);
    const struct {
        const char* what;
        int flags;
        long tabs; // columns of a row
    } steps[] = {
        {"coverage column on", kAsm | kAddress | kCoverage, 3},
        {"coverage option changed", 0x100 | kAsm | kAddress | kCoverage, 3},
        {"coverage column off", kAsm | kAddress, 2},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        Update(id, line, s.flags);
        PumpAll();
        EXPECT_EQ(top, TopIndex(panes[1]));
        EXPECT_EQ(top, TopIndex(panes[0]));
        const std::vector<std::string> rows = Rows(AllText(panes[1]));
        ASSERT_EQ(80u, rows.size());
        EXPECT_EQ(s.tabs, std::count(rows[0].begin(), rows[0].end(), '\t'));
    }
}

namespace {
BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int DescendantCount(HWND parent) {
    int count = 0;
    EnumChildWindows(parent, CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}
} // namespace

// A core the host does not have opens nothing, and core 0's window keeps getting its lines.
void AsmWndTest::ExpectOnlyReportedCoresOpen(int cores) {
    Start(Host(3, 13, cores));
    BindSourceLibrary(m_module);
    const int id = Create(kAsm | kAddress, 0);
    ASSERT_GT(id, 0);
    const HWND frame = FrameOf(id);
    const int windows = DescendantCount(Frame());
    for (int core : {-2, cores, 4096, INT_MAX}) {
        EXPECT_EQ(-1, Create(kAsm | kAddress, core)) << core;
        EXPECT_EQ(windows, DescendantCount(Frame())) << core;
    }
    EXPECT_EQ(frame, FrameOf(Create(kAsm | kAddress, 0)));
    const TestChain chain(5);
    EXPECT_EQ(1, SetColumnDatas(id, kAsm, chain.Head()));
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    EXPECT_EQ(5u, Rows(AllText(panes[1])).size());
}

TEST_F(AsmWndTest, OnASingleCoreHostOnlyCoreZeroOpens) {
    ExpectOnlyReportedCoresOpen(1);
}

TEST_F(AsmWndTest, OnATwoCoreHostOnlyItsCoresOpen) {
    ExpectOnlyReportedCoresOpen(2);
}

// Rows the address pane painted while the host held updates back lack the host's colours; the
// next update after the host switches updates on paints them again.
TEST_F(AsmWndTest, TheAddressPaneRepaintsItsColoursOnTheNextUpdate) {
    Start();
    TestChain chain(40);
    for (int i = 0; i < 5; ++i)
        chain.records[static_cast<size_t>(i)].background = 0x00FF00;
    const int id = OpenWithChain(chain);
    ASSERT_GT(id, 0);
    // A line on the first page: the lists stay on their top, where the coloured rows are.
    const int line = static_cast<int>(kAsmLineKeyBase) + 2;
    Update(id, line, kAsm | kAddress);
    PumpAll();
    ASSERT_EQ(0, TopIndex(m_panes[0]));
    RECT address{};
    GetWindowRect(m_panes[0], &address);
    const auto greenPixels = [&] {
        ScreenImage image;
        return image.Read(m_panes[0]) ? image.Count(address, 0x00FF00) : -1;
    };
    ASSERT_GT(greenPixels(), 0);
    using EnableFn = uint32_t(__cdecl*)(uint32_t, int);
    Get<EnableFn>("EnableWindowUpdate")(1, 0);
    RedrawWindow(m_panes[0], nullptr, NULL,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpAll();
    EXPECT_EQ(0, greenPixels());
    Get<EnableFn>("EnableWindowUpdate")(1, 1);
    EXPECT_EQ(id, Update(id, line, kAsm | kAddress));
    PumpAll();
    EXPECT_GT(greenPixels(), 0);
}

// A host before 3.2 has no call for more lines: a scroll past the end asks it nothing, and both
// lists stay on the lines they showed.
TEST_F(AsmWndTest, AScrollPastTheEndAsksAHostBefore32Nothing) {
    ASSERT_TRUE(StartStopped(Host(3, 1, 1)));
    const int id = OpenAsmWindow(0);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    Show(frame, 600, 250);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    Update(id, 1 << 30, kAsmWindowColumns); // the list at its end
    const std::vector<std::string> before = Rows(AllText(panes[1]));
    const int top = TopIndex(panes[1]);
    const int addressTop = TopIndex(panes[0]);
    ASSERT_GE(top, 0);
    CallLog::Get().Clear();
    if (!ScrollPastTheEnd(panes[1], true))
        GTEST_SKIP() << "the display takes no injected input";
    EXPECT_TRUE(Lines("GetLineColors").empty());
    EXPECT_EQ(before, Rows(AllText(panes[1])));
    EXPECT_EQ(top, TopIndex(panes[1]));
    EXPECT_EQ(addressTop, TopIndex(panes[0]));
}

namespace {
std::string g_coverage;
const char* __cdecl CoverageOfEveryLine(const char*, int) {
    return g_coverage.c_str();
}
} // namespace

// A coverage change (0x100 with 0x4) refills the disassembly list with the host's new texts on
// the same top line, answers 1, and leaves the address list as it was.
TEST_F(AsmWndTest, ACoverageChangeRefillsTheTextsOnTheSameTopLine) {
    Start();
    TestChain chain(80);
    const int id = OpenWithChain(chain);
    ASSERT_GT(id, 0);
    void* const original = HostState::Get().commands.Word(21);
    HostState::Get().commands.Word(21) = reinterpret_cast<void*>(&CoverageOfEveryLine);
    g_coverage = "ran 1";
    const int line = static_cast<int>(kAsmLineKeyBase) + 40;
    EXPECT_EQ(id, Update(id, line, kAsm | kAddress | kCoverage));
    PumpAll();
    const int top = TopIndex(m_panes[1]);
    ASSERT_GT(top, 0);
    const std::string addresses = AllText(m_panes[0]);
    ASSERT_EQ("ran 1\t00 A0\tadd r0, r1\t", Rows(AllText(m_panes[1]))[0]);
    g_coverage = "ran 2<NL>later";
    chain.records[0].addressText = "moved";
    EXPECT_EQ(1, Update(id, line, 0x100 | kAsm | kAddress | kCoverage));
    PumpAll();
    HostState::Get().commands.Word(21) = original;
    const std::vector<std::string> rows = Rows(AllText(m_panes[1]));
    ASSERT_EQ(80u, rows.size());
    EXPECT_EQ("ran 2\t00 A0\tadd r0, r1\t", rows[0]);
    EXPECT_EQ(top, TopIndex(m_panes[1]));
    EXPECT_EQ(addresses, AllText(m_panes[0]));
}

// The host colours the line of its current instruction, which the window selects: that colour
// shows while another window has the focus; the list that has it draws its selection instead.
TEST_F(AsmWndTest, TheCurrentInstructionShowsTheHostsColourWithoutTheFocus) {
    ASSERT_TRUE(StartStopped());
    const int id = OpenAsmWindow(0);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    Show(frame);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    RECT disassembly{};
    GetWindowRect(panes[1], &disassembly);
    const auto pixelsAfterFocusOn = [&](HWND pane, COLORREF colour) {
        SetFocus(ListOf(pane));
        RedrawWindow(panes[1], nullptr, NULL,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpAll();
        ScreenImage image;
        return image.Read(panes[1]) ? image.Count(disassembly, Rgb(colour)) : -1;
    };
    constexpr COLORREF kFocusedSelection = 0x800000;
    EXPECT_GT(pixelsAfterFocusOn(panes[0], kCurrentLineColor), 0);
    EXPECT_EQ(0, pixelsAfterFocusOn(panes[0], kFocusedSelection));
    EXPECT_GT(pixelsAfterFocusOn(panes[1], kFocusedSelection), 0);
}

// The host brings any window of its table to the front by id, an assembler window as well.
TEST_F(AsmWndTest, ActivateSourceWindowBringsAnAssemblerWindowToTheFront) {
    Start(Host(3, 13, 2));
    BindSourceLibrary(m_module);
    const int first = OpenAsmWindow(0);
    const int second = OpenAsmWindow(1);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    Show(FrameOf(first));
    Show(FrameOf(second)); // over the first, at the same place
    const auto onTop = [&](int id) {
        HWND frame = FrameOf(id);
        RECT rc{};
        GetWindowRect(frame, &rc);
        const HWND hit = WindowFromPoint({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        return hit == frame || IsChild(frame, hit);
    };
    ASSERT_TRUE(onTop(second));
    using ActivateFn = int(__cdecl*)(int);
    const auto activate = Get<ActivateFn>("ActivateSourceWindow");
    EXPECT_EQ(1, activate(first));
    PumpAll();
    EXPECT_TRUE(onTop(first));
    EXPECT_EQ(1, activate(-second)); // a negative id names the same window
    PumpAll();
    EXPECT_TRUE(onTop(second));
}

// The coverage and opcode columns are 100 pixels wide whatever the window's width (the host's
// window makes them with its panes); the source column takes the rest.
TEST_F(AsmWndTest, ColumnsGivenInPixelsKeepTheirWidthAsTheWindowResizes) {
    ASSERT_TRUE(StartStopped());
    const int id = OpenAsmWindow(0);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    const int list = static_cast<int>(reinterpret_cast<intptr_t>(panes[1]));
    int lastSource = 0;
    for (int width : {500, 700, 900}) {
        Show(frame, width, 300);
        EXPECT_EQ(100, Lists()->GetColumnWidth(list, 0)) << "coverage, " << width;
        EXPECT_EQ(100, Lists()->GetColumnWidth(list, 1)) << "opcode, " << width;
        const int source = Lists()->GetColumnWidth(list, 2);
        EXPECT_GT(source, lastSource) << width;
        lastSource = source;
    }
}

// A step repaints the address rows the mark leaves and takes, not the whole pane: a stripe
// painted over rows far from both stays on the screen.
TEST_F(AsmWndTest, AStepLeavesTheOtherAddressRowsAsTheyWere) {
    Start();
    TestChain chain(40);
    const int id = OpenWithChain(chain);
    ASSERT_GT(id, 0);
    Update(id, static_cast<int>(kAsmLineKeyBase) + 2, kAsm | kAddress);
    PumpAll();
    HWND list = ListOf(m_panes[0]);
    RECT client{};
    GetClientRect(list, &client);
    RECT stripe{client.left, client.bottom - 24, client.right, client.bottom - 12};
    HDC dc = GetDC(list);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &stripe, brush);
    DeleteObject(brush);
    ReleaseDC(list, dc);
    Update(id, static_cast<int>(kAsmLineKeyBase) + 3, kAsm | kAddress);
    PumpAll();
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&stripe), 2);
    ScreenImage image;
    ASSERT_TRUE(image.Read(m_panes[0]));
    EXPECT_GT(image.Count(stripe, 0xFF00FF), 0);
}
