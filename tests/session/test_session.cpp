// A whole debugging session on the simulated target, driven the way a user drives it: a source
// line dragged onto the breakpoint list, the run and step keys, a byte typed into the memory
// window and a watch value changed in place; after each step what the host heard and what the
// windows show; the layout the session ends with comes back in the next run.
#include "tests/session/session_fixture.h"

#include "host/lib/command_line.h"

#include <ole2.h>

#include <functional>
#include <map>

#include "host/lib/host_source.h"
#include "host/lib/source_link.h"
#include "host/lib/target_machine.h"
#include "host/lib/target_program.h"
#include "include/list.h"
#include "tests/support/screen_image.h"
#include "tests/support/window_parts.h"

namespace {

// What the host hears of the user's actions.
const std::vector<std::string> kHeard = {"HostKey",    "ExecuteCommand", "ExecuteRequest",
                                         "HostError",  "DD.StartDrag",   "DD.Drop",
                                         "DD.Command", "Mem.EditCell"};
constexpr DWORD kRed = 0xFF0000;       // changed values in the lists and the watch window
constexpr DWORD kMemoryRed = 0xDC0000; // the bytes the last memory edit changed
constexpr int kStatusBarId = 0xE801;

// What a list window shows, row by row, as its Copy All puts it on the clipboard.
std::string ListText(HWND tree) {
    SendMessageW(tree, WM_COMMAND, ListNotice::copyAll, 0);
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE h = GetClipboardData(CF_TEXT))
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    CloseClipboard();
    return text;
}

BOOL CALLBACK FindEvalCtrl(HWND w, LPARAM l) {
    if (GetDlgCtrlID(w) != 190270)
        return TRUE;
    *reinterpret_cast<HWND*>(l) = w;
    return FALSE;
}

// The session's MDI windows by title, with their places on the screen.
std::map<std::wstring, RECT> WindowPlaces() {
    std::map<std::wstring, RECT> places;
    HWND client = static_cast<HWND>(HostState::Get().mainRecord.mdiClientWindow);
    for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t title[256] = {};
        GetWindowTextW(w, title, 256);
        GetWindowRect(w, &places[title]);
    }
    return places;
}

void Input(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != 0;
}

// The places of the control bars docked on the frame's four sides, by title (the status bar,
// untitled, is none of them).
std::map<std::wstring, RECT> BarPlaces(HWND frame) {
    std::map<std::wstring, RECT> places;
    for (int side = 0xE81B; side <= 0xE81E; ++side)
        for (HWND h = GetWindow(GetDlgItem(frame, side), GW_CHILD); h;
             h = GetWindow(h, GW_HWNDNEXT)) {
            wchar_t title[64] = {};
            GetWindowTextW(h, title, 64);
            if (IsWindowVisible(h) && title[0] != 0)
                GetWindowRect(h, &places[title]);
        }
    return places;
}

class Session : public SessionTest {
protected:
    // Drags a line of a source file's line-number column onto a list window and lets the host
    // carry out the command its drop makes.
    std::string DragLineOnto(int file, int line, int listId);
    // The screen row of a line of the main file, from the current line's row as the window
    // shows it now (the current line is in the main file).
    int RowOf(int line) {
        return Current(m_mainFile).top + (line - CurrentPosition(0).line) * m_row16.height;
    }
    // Lines from the breakpoint's row (line 20) to the current line's, as one paint of the main
    // file's window shows them; kNoRow when either is not shown.
    static constexpr int kNoRow = 1000;
    int CurrentFromBreakpoint() {
        HWND view = SourceView(m_mainFile);
        const Band current = ColourBand(view, kCurrentLineColor);
        const Band breakpoint = ColourBand(view, kBreakpointColor);
        if (current.top < 0 || breakpoint.top < 0)
            return kNoRow;
        return (current.top - breakpoint.top) / m_row16.height;
    }
    // The current line's row in a file's window, as the screen shows it.
    Band Current(int file, const wchar_t* screenshot = nullptr) {
        return ColourBand(SourceView(file), kCurrentLineColor, screenshot);
    }
    HWND WatchCtrl();
    // The user drags the run toolbar (the last of the top row) onto the frame's left side with
    // the mouse; its title, empty when it did not dock there.
    std::wstring DockLastToolbarLeft();

    Band m_row16;
};

std::string Session::DragLineOnto(int file, int line, int listId) {
    HWND column = LineColumn(file);
    POINT p{4, RowOf(line) + m_row16.height / 2};
    ScreenToClient(column, &p);
    Click(column, p);
    HWND tree = ListTree(listId);
    auto* target = static_cast<IDropTarget*>(GetPropW(tree, L"OleDropTargetInterface"));
    if (target == nullptr)
        return "(no drop target)";
    RECT r{};
    GetWindowRect(tree, &r);
    const POINTL over{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    IDataObject* data = nullptr;
    if (OleGetClipboard(&data) != S_OK)
        return "(no data)";
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target->DragEnter(data, MK_LBUTTON, over, &effect);
    target->DragOver(MK_LBUTTON, over, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target->Drop(data, 0, over, &effect);
    data->Release();
    PumpAll();
    const auto& commands = HostState::Get().dragDrop.commands;
    if (commands.empty())
        return "(no command)";
    const std::string command = commands.back();
    HostState::Get().dragDrop.commands.clear();
    Run(command.c_str());
    PumpAll();
    return command;
}

std::wstring Session::DockLastToolbarLeft() {
    const auto bars = TopRow(Frame());
    if (bars.empty())
        return L"";
    const std::wstring moved = bars.back().first;
    HWND bar = ChildTitled(Frame(), moved.c_str());
    if (bar == nullptr)
        return L"";
    RECT r{}, left{};
    GetWindowRect(bar, &r);
    GetWindowRect(GetDlgItem(Frame(), 0xE81C), &left);
    const POINT from{r.left + 3, (r.top + r.bottom) / 2};
    const POINT to{left.left, (left.top + left.bottom) / 2};
    Input(0, from);
    RunFor(50);
    Input(MOUSEEVENTF_LEFTDOWN, from);
    for (int step = 1; step <= 8; ++step)
        Input(0, POINT{from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8});
    Input(MOUSEEVENTF_LEFTUP, to);
    RunFor(300);
    return GetDlgCtrlID(GetParent(bar)) == 0xE81C ? moved : L"";
}

HWND Session::WatchCtrl() {
    HWND frame = Get<HWND(__cdecl*)(int)>("GetWindowHandle")(m_watch->Id());
    HWND ctrl = nullptr;
    EnumChildWindows(frame, &FindEvalCtrl, reinterpret_cast<LPARAM>(&ctrl));
    return ctrl;
}

TEST_F(Session, FromABreakpointDraggedOntoTheListToTheProgramsEnd) {
    RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRoot().c_str());
    StartSession();
    ASSERT_EQ(16, CurrentPosition(0).line);
    m_row16 = Current(m_mainFile);
    ASSERT_GT(m_row16.top, 0);
    ASSERT_GT(m_row16.height, 5);

    // The breakpoint: line 20 dragged from the line-number column onto the breakpoint list.
    Mark();
    const std::string dropped = DragLineOnto(m_mainFile, 20, m_lists.breakpoints);
    EXPECT_EQ("SET BREAKPOINT AT main.c\\@LINE 20", dropped);
    const std::string lists = std::to_string(m_lists.breakpoints);
    EXPECT_EQ((std::vector<std::string>{// The service knows the first source window as 0.
                                        "DD.StartDrag(\"SrcWnd\", 2, \"SrcWndLine\")",
                                        "DD.Drop(\"BrkWnd\", " + lists + ", \"BrkWndState\")",
                                        "DD.Command(\"SET BREAKPOINT AT main.c\\@LINE 20\")"}),
              Since(kHeard));
    ASSERT_EQ(1u, TargetMachine::Get().Breakpoints().size());
    EXPECT_EQ(20, TargetMachine::Get().Breakpoints()[0].line);
    EXPECT_EQ(16 - 20, CurrentFromBreakpoint()) << "the breakpoint's mark on line 20";

    // Run: the program stops at the breakpoint.
    Mark();
    PressKey(VK_F5);
    EXPECT_EQ((std::vector<std::string>{"HostKey(116)"}), Since(kHeard));
    EXPECT_EQ(20, CurrentPosition(0).line);
    EXPECT_GT(Current(m_mainFile).top, 0);
    EXPECT_EQ(-1, ColourBand(SourceView(m_mainFile), kBreakpointColor).top)
        << "the current line covers the breakpoint's mark";

    // Three steps over: the for header's two parts, then the call's line.
    const struct { int line, column; } steps[] = {{18, 24}, {18, 17}, {19, 9}};
    for (const auto& s : steps) {
        Mark();
        PressKey(VK_F10);
        EXPECT_EQ((std::vector<std::string>{"HostKey(121)"}), Since(kHeard));
        EXPECT_EQ(s.line, CurrentPosition(0).line);
        EXPECT_EQ(s.column, CurrentPosition(0).column);
        EXPECT_EQ(s.line - 20, CurrentFromBreakpoint()) << s.line;
        EXPECT_GT(Pixels(ListTree(m_lists.registers), kRed), 0) << "a changed register is red";
        // The top frame's row changed in place: it shows the new line.
        EXPECT_EQ(0u, ListText(ListTree(m_lists.callStack))
                          .rfind("main\tmain.c:" + std::to_string(s.line) + "\t\n", 0))
            << s.line;
    }

    // Into the call: util.c's window opens at square's first line; the call stack holds two
    // frames.
    Mark();
    PressKey(VK_F8);
    EXPECT_EQ((std::vector<std::string>{"HostKey(119)"}), Since(kHeard));
    EXPECT_EQ(m_utilFile, CurrentPosition(0).file);
    EXPECT_GT(Current(m_utilFile).top, 0);
    ASSERT_EQ(3u, ListTarget::Get().frames.size()) << "start-up code, main, square";
    EXPECT_EQ(0u, ListTarget::Get().frames[0].rfind("square|", 0)) << ListTarget::Get().frames[0];
    ScreenImage shot;
    EXPECT_TRUE(shot.Read(Frame(), L"session_step_into.png"));

    // A byte typed into the memory window.
    const uint32_t address = TargetRegions()[1].start;
    HWND grid = static_cast<HWND>(m_memory->state->grid);
    Mark();
    Click(grid, MemoryCellPoint(m_memory->state->cells[0][0], 0));
    Type(grid, L"A5");
    EXPECT_EQ((std::vector<std::string>{"Mem.EditCell(0, 65, 16384, 0, 0)",
                                        "Mem.EditCell(1, 53, 16384, 0, 0)"}),
              Since({"Mem.EditCell"}));
    EXPECT_EQ(0xA5, TargetMemory()[address]);
    EXPECT_EQ("A5", FormatUnit(*m_memory, address));
    EXPECT_GT(Pixels(grid, kMemoryRed), 0) << "the new byte is red";

    // The watch's total changed in place: a double click on its row, the new value, Enter.
    HWND ctrl = WatchCtrl();
    ASSERT_TRUE(IsWindow(ctrl));
    Mark();
    Click(ctrl, POINT{60, 30}, true); // below the header, in the first row
    HWND edit = FindWindowExW(ctrl, nullptr, L"Edit", nullptr);
    ASSERT_TRUE(IsWindow(edit));
    PostMessageW(edit, WM_KEYDOWN, VK_END, 1);
    Type(edit, std::wstring(GetWindowTextLengthW(edit), L'\b') + L"41");
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    PumpAll();
    EXPECT_EQ((std::vector<std::string>{"ExecuteCommandLine(\"SET VALUE (total)=41\")"}),
              Since({"ExecuteCommandLine", "HostError"}));
    EXPECT_EQ(41u, TargetMachine::ReadWord(Sample().FindSymbol("total")->address));
    EXPECT_EQ("41", m_watch->Find("total")->value);
    EXPECT_TRUE(m_watch->Find("total")->record.flags & EvalItemFlags::changed)
        << "the changed value is marked (drawn red off the caret's row)";

    // A run key pressed in the watch window reaches the host once.
    Mark();
    SetFocus(ctrl);
    PressKey(VK_F5);
    EXPECT_EQ((std::vector<std::string>{"HostKey(116)"}), Since(kHeard));
    EXPECT_EQ(20, CurrentPosition(0).line);

    // Run to the end: the breakpoint two more times, then the program ends and no window
    // shows a current line.
    for (int run = 0; run < 2; ++run) {
        PressKey(VK_F5);
        EXPECT_EQ(20, CurrentPosition(0).line);
    }
    EXPECT_EQ(4, TargetMachine::Get().Breakpoints()[0].hits);
    Mark();
    PressKey(VK_F5);
    EXPECT_EQ((std::vector<std::string>{"HostKey(116)"}), Since(kHeard));
    EXPECT_EQ(CoreState::exited, TargetMachine::Get().Core(0).state);
    EXPECT_EQ(-1, Current(m_mainFile, L"session_end.png").top);
    EXPECT_EQ(-1, Current(m_utilFile).top);

    // A step past the end: the host answers its error, nothing moves.
    Mark();
    PressKey(VK_F10);
    EXPECT_EQ((std::vector<std::string>{"HostKey(121)", "HostError(\"the program has ended\")"}),
              Since(kHeard));
    EXPECT_EQ(-1, Current(m_mainFile).top);

    // The user moves the run toolbar to the left and ends the session: EndApp keeps the layout,
    // and the next run starts with every bar where this one left it.
    ASSERT_FALSE(DockLastToolbarLeft().empty()) << "docked on the left";
    const auto bars = BarPlaces(Frame());
    EndSession();
    StartSession();
    const auto barsAgain = BarPlaces(Frame());
    EXPECT_EQ(Frame(), GetParent(GetDlgItem(Frame(), kStatusBarId)))
        << "the status bar stays the frame's own, in no dock bar";
    for (const auto& [title, rect] : barsAgain)
        EXPECT_TRUE(bars.count(title)) << std::string(title.begin(), title.end());
    for (const auto& [title, rect] : bars) {
        auto found = barsAgain.find(title);
        ASSERT_NE(barsAgain.end(), found) << std::string(title.begin(), title.end());
        EXPECT_TRUE(rect == found->second) << std::string(title.begin(), title.end());
    }
}

} // namespace

namespace {

TEST_F(Session, BadInputIsAnsweredAndNoWindowShowsAStaleLine) {
    StartSession();
    m_row16 = Current(m_mainFile);
    ASSERT_GT(m_row16.height, 5);

    // The rule of a line dropped on the modules shows the module; a breakpoint on a line
    // without code (such a line offers no drag; the host's own command window takes the line):
    // the host answers its error, nothing changes.
    Mark();
    EXPECT_EQ("SET MODULE main.c", DragLineOnto(m_mainFile, 20, m_lists.modules));
    EXPECT_EQ("(no command)", DragLineOnto(m_mainFile, 15, m_lists.breakpoints));
    EXPECT_EQ(1u, Since({"DD.StartDrag"}).size());
    EXPECT_FALSE(RunHostCommandLine("SET BREAKPOINT AT main.c\\@LINE 15"));
    const std::vector<std::string> errors = Since({"HostError"});
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ("HostError(\"no code at that line\")", errors[0]);
    EXPECT_TRUE(TargetMachine::Get().Breakpoints().empty());
    EXPECT_EQ(-1, ColourBand(SourceView(m_mainFile), kBreakpointColor).top);
    EXPECT_EQ(16, CurrentPosition(0).line);
    EXPECT_GT(Current(m_mainFile).top, 0) << "the current line stays";

    // Windows closed while the target runs: the stop reopens the source at its line, the closed
    // memory and watch windows take no update.
    ASSERT_EQ("SET BREAKPOINT AT main.c\\@LINE 20",
              DragLineOnto(m_mainFile, 20, m_lists.breakpoints));
    m_deferRuns = true;
    PressKey(VK_F5);
    HWND memory = GetParent(GetParent(static_cast<HWND>(m_memory->state->memWnd)));
    HWND watch = Get<HWND(__cdecl*)(int)>("GetWindowHandle")(m_watch->Id());
    HWND source = SourceFrame(m_mainFile);
    for (HWND w : {memory, watch, source})
        PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpAll();
    EXPECT_FALSE(IsWindow(memory));
    EXPECT_FALSE(IsWindow(watch));
    EXPECT_FALSE(IsWindow(source));
    EXPECT_TRUE(MemoryViews().empty());
    EXPECT_EQ(0, m_watch->Id());
    FinishRun();
    PumpAll();
    EXPECT_EQ(20, CurrentPosition(0).line);
    ASSERT_NE(nullptr, SourceView(m_mainFile));
    EXPECT_GT(Current(m_mainFile).top, 0) << "the new window shows the stop";

    // Steps faster than the windows paint: every key reaches the host, the window shows the
    // last stop.
    Mark();
    for (int i = 0; i < 6; ++i)
        PostMessageW(SourceView(m_mainFile), WM_KEYDOWN, VK_F10, 1);
    PumpAll();
    EXPECT_EQ(6u, Since({"HostKey(121)"}).size());
    EXPECT_EQ(18, CurrentPosition(0).line);
    EXPECT_EQ(18 - 20, CurrentFromBreakpoint());
    // Fifty more: the program ends on the way, the host refuses the rest, no line stays marked.
    Mark();
    for (int i = 0; i < 50; ++i)
        PostMessageW(SourceView(m_mainFile), WM_KEYDOWN, VK_F10, 1);
    PumpAll();
    EXPECT_EQ(50u, Since({"HostKey(121)"}).size());
    EXPECT_GT(Since({"HostError(\"the program has ended\")"}).size(), 0u);
    EXPECT_EQ(CoreState::exited, TargetMachine::Get().Core(0).state);
    for (int file : {m_mainFile, m_utilFile})
        if (SourceView(file)) {
            EXPECT_EQ(-1, Current(file).top) << file;
        }
}

// Commands the host refuses, from the windows where a user gives them and from the host's own
// command line: each is answered with the host's error, and no window shows anything new.
TEST_F(Session, ARefusedCommandLeavesEveryWindowAsItWas) {
    StartSession();
    ASSERT_EQ(16, CurrentPosition(0).line);
    HWND ctrl = WatchCtrl();
    ASSERT_TRUE(IsWindow(ctrl));
    const uint32_t total = Sample().FindSymbol("total")->address;
    const struct Row {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> heard; // command lines and errors, in order
    } rows[] = {
        {"a watch value the host cannot read",
         [&] {
             Click(ctrl, POINT{60, 30}, true); // the first row: total
             HWND edit = FindWindowExW(ctrl, nullptr, L"Edit", nullptr);
             ASSERT_TRUE(IsWindow(edit));
             PostMessageW(edit, WM_KEYDOWN, VK_END, 1);
             Type(edit, std::wstring(GetWindowTextLengthW(edit), L'\b') + L"many");
             PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
             PumpAll();
         },
         {"ExecuteCommandLine(\"SET VALUE (total)=many\")", "HostError(\"not a value: many\")"}},
        {"a line the host does not know",
         [] { EXPECT_FALSE(RunHostCommandLine("FROBNICATE 3")); },
         {"HostError(\"Unknown command: FROBNICATE 3\")"}},
        {"a memory edit past the target's end",
         [] { EXPECT_FALSE(RunHostCommandLine("SET VALUE /SIZE=BYTE 0xFFFF=0x01,0x02")); },
         {"HostError(\"outside the target's memory\")"}},
        {"a breakpoint on a line without code",
         [] { EXPECT_FALSE(RunHostCommandLine("SET BREAKPOINT AT main.c\\@LINE 15")); },
         {"HostError(\"no code at that line\")"}},
    };
    for (const Row& row : rows) {
        const std::vector<uint8_t> memory = TargetMemory();
        const Band current = Current(m_mainFile);
        ASSERT_GT(current.top, 0) << row.what;
        ScreenImage registers;
        RedrawWindow(Frame(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ASSERT_TRUE(registers.Read(ListTree(m_lists.registers)));
        Mark();
        row.act();
        EXPECT_EQ(row.heard, Since({"ExecuteCommandLine", "HostError"})) << row.what;
        EXPECT_TRUE(memory == TargetMemory()) << row.what;
        EXPECT_EQ(0u, TargetMachine::ReadWord(total)) << row.what;
        EXPECT_EQ("0", m_watch->Find("total")->value) << row.what;
        EXPECT_FALSE(m_watch->Find("total")->record.flags & EvalItemFlags::changed) << row.what;
        EXPECT_TRUE(TargetMachine::Get().Breakpoints().empty()) << row.what;
        EXPECT_EQ(16, CurrentPosition(0).line) << row.what;
        // The current line's mark where it was, no breakpoint mark, the registers as they were.
        const Band currentAfter = Current(m_mainFile);
        EXPECT_EQ(current.top, currentAfter.top) << row.what;
        EXPECT_EQ(current.height, currentAfter.height) << row.what;
        EXPECT_EQ(-1, ColourBand(SourceView(m_mainFile), kBreakpointColor).top) << row.what;
        RedrawWindow(Frame(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ScreenImage registersAfter;
        ASSERT_TRUE(registersAfter.Read(ListTree(m_lists.registers)));
        EXPECT_EQ(0, Differing(registers, registersAfter, registers.Rect())) << row.what;
    }
}

TEST_F(Session, TheLayoutASessionEndsWithComesBackInTheNextRun) {
    RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRoot().c_str());
    StartSession(SharedRoot());
    const std::wstring moved = DockLastToolbarLeft();
    ASSERT_FALSE(moved.empty()) << "docked on the left";
    HWND bar = ChildTitled(Frame(), moved.c_str());
    RECT barPlace{};
    GetWindowRect(bar, &barPlace);
    const auto places = WindowPlaces();
    EndSession();

    StartSession(SharedRoot());
    bar = ChildTitled(Frame(), moved.c_str());
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(0xE81C, GetDlgCtrlID(GetParent(bar)));
    RECT again{};
    GetWindowRect(bar, &again);
    EXPECT_TRUE(barPlace == again);
    const auto placesAgain = WindowPlaces();
    EXPECT_EQ(places.size(), placesAgain.size());
    for (const auto& [title, rect] : places) {
        auto found = placesAgain.find(title);
        ASSERT_NE(placesAgain.end(), found) << std::string(title.begin(), title.end());
        EXPECT_TRUE(rect == found->second) << std::string(title.begin(), title.end());
    }
}

} // namespace
