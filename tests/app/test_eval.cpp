// Evaluation windows driven by a test that is the host: the tree filled and changed through
// UpdateEvalWindow, children on expand, colours on the screen, value edits that become command
// lines, the local-variables window's own rules, and edits that the host or the user cuts short.
#include "tests/support/app_fixture.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <utility>

#include "host/lib/command_line.h"
#include "host/lib/host_eval.h"
#include "host/lib/target_machine.h"
#include "tests/support/screen_image.h"

namespace {

constexpr int kCtrlId = 190270;

BOOL CALLBACK FindById(HWND hWnd, LPARAM lParam) {
    auto* found = reinterpret_cast<HWND*>(lParam);
    if (GetDlgCtrlID(hWnd) == kCtrlId) {
        *found = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND EditOf(HWND ctrl) {
    return FindWindowExW(ctrl, nullptr, L"Edit", nullptr);
}

class EvalTest : public AppTest {
protected:
    void Open(HostEvalWindow::Kind kind = HostEvalWindow::watch, HostOptions options = {}) {
        Start(options);
        m_eval = std::make_unique<HostEvalWindow>(m_module, kind);
        m_eval->position = WindowPosition{};
        HostState::Get().placements[&m_eval->position] = {0x11, 10, 10, 420, 300};
        ASSERT_TRUE(m_eval->Open());
        PumpAll();
        HWND frame = Get<HWND(__cdecl*)(int)>("GetWindowHandle")(m_eval->Id());
        ASSERT_TRUE(IsWindow(frame));
        m_frame = frame;
        EnumChildWindows(frame, &FindById, reinterpret_cast<LPARAM>(&m_ctrl));
        ASSERT_TRUE(IsWindow(m_ctrl));
    }
    void TearDown() override {
        m_eval.reset();
        AppTest::TearDown();
    }
    HTREEITEM Item(const char* key) {
        HostEvalWindow::Node* node = m_eval->Find(key);
        return node ? node->item : nullptr;
    }
    // Starts a value edit of the item, as the host's command 3 does.
    HWND EditValue(const char* key) {
        m_eval->Update(256, 0, reinterpret_cast<intptr_t>(Item(key)));
        SendMessageW(m_ctrl, WM_COMMAND, 3, 0);
        return EditOf(m_ctrl);
    }
    void Type(HWND edit, const wchar_t* text, bool accept = true) {
        SetWindowTextW(edit, text);
        SendMessageW(edit, WM_KEYDOWN, accept ? VK_RETURN : VK_ESCAPE, 0);
        PumpAll();
    }
    std::vector<std::string> CommandLines() { return Lines("ExecuteCommandLine"); }
    // A host command through the main frame: sent, or refused with a beep while busy.
    bool HostCommandRuns() {
        const size_t before = Lines("ExecuteCommand(20)").size();
        SendMessageW(Frame(), WM_COMMAND, 20, 0);
        return Lines("ExecuteCommand(20)").size() > before;
    }

    std::unique_ptr<HostEvalWindow> m_eval;
    HWND m_frame = nullptr;
    HWND m_ctrl = nullptr;
};

// The same, run again under Wine's heap checks.
class EvalLifetime : public EvalTest {};

TEST_F(EvalTest, EveryKindOfUpdateActsOnTheTree) {
    Open();
    HTREEITEM total = Item("total"), ticks = Item("ticks"), point = Item("origin");
    ASSERT_NE(nullptr, total);
    EXPECT_EQ((intptr_t)total, m_eval->Update(1, 0, (intptr_t)ticks));
    EXPECT_EQ(0, m_eval->Update(1, 0, (intptr_t)total));
    EXPECT_EQ(1, m_eval->Update(256, 0, (intptr_t)ticks));
    EXPECT_EQ((intptr_t)ticks, m_eval->Update(32, 0, 0));

    // Expanding asks the host once for the children, which it adds at once.
    EXPECT_EQ(nullptr, Item("origin.x"));
    EXPECT_NE(0, m_eval->Update(8, 0, (intptr_t)point));
    ASSERT_NE(nullptr, Item("origin.x"));
    EXPECT_EQ(1u, Lines("ExecuteWindowCommand").size());
    EXPECT_TRUE(m_eval->Find("origin")->record.flags & EvalItemFlags::childrenRequested);
    TVITEMA state{};
    state.mask = TVIF_STATE | TVIF_HANDLE;
    state.hItem = point;
    state.stateMask = TVIS_EXPANDED;
    EXPECT_NE(0, m_eval->Update(64, (intptr_t)&state, 0));
    EXPECT_TRUE(state.state & TVIS_EXPANDED);
    EXPECT_NE(0, m_eval->Update(16, 0, (intptr_t)point));
    EXPECT_NE(0, m_eval->Update(8, 0, (intptr_t)point));
    EXPECT_EQ(1u, Lines("ExecuteWindowCommand").size()) << "children are asked for once";

    // A changed item record, text read back into the host's buffer.
    TVITEMA change{};
    change.mask = TVIF_TEXT | TVIF_HANDLE;
    change.hItem = ticks;
    change.pszText = const_cast<char*>("upper limit");
    EXPECT_NE(0, m_eval->Update(2, (intptr_t)&change, 0));
    char text[8] = {};
    TVITEMA fill{};
    fill.mask = TVIF_TEXT | TVIF_HANDLE;
    fill.hItem = ticks;
    fill.pszText = text;
    fill.cchTextMax = sizeof text;
    EXPECT_NE(0, m_eval->Update(64, (intptr_t)&fill, 0));
    EXPECT_EQ(text, fill.pszText);
    EXPECT_EQ('\0', text[sizeof text - 1]) << "the text stays within the host's buffer";

    EXPECT_NE(0, m_eval->Update(128, 0, (intptr_t)ticks));
    EXPECT_EQ((intptr_t)total, m_eval->Update(1, 0, (intptr_t)point));
    EXPECT_EQ(1, m_eval->Update(512, 0, 0));
}

TEST_F(EvalTest, BadUpdatesAnswerZero) {
    Open();
    HTREEITEM total = Item("total");
    m_eval->Update(128, 0, (intptr_t)total); // freed from here on
    struct Case {
        int kind;
        intptr_t a, b;
    } cases[] = {{3, 0, 0},
                 {1024, 0, 0},
                 {-1, 0, 0},
                 {2, 0, 0},
                 {4, 0, 0},
                 {64, 0, 0},
                 {1, 0, (intptr_t)total},
                 {8, 0, (intptr_t)total},
                 {16, 0, 0},
                 {128, 0, (intptr_t)total},
                 {256, 0, 0x1234},
                 {128, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(0, m_eval->Update(c.kind, c.a, c.b)) << "kind " << c.kind;
    // An id that names no evaluation window.
    auto update = Get<intptr_t(__cdecl*)(int, int, intptr_t, intptr_t)>("UpdateEvalWindow");
    EXPECT_EQ(0, update(512, 999, 0, 0));
    EXPECT_TRUE(Logged("MessageBox(\"MOX Error\", \"Window ID couln't be found\")"));
    // Null texts show empty; the window still draws.
    HostEvalWindow::Node* ticks = m_eval->Find("ticks");
    ticks->record.name = nullptr;
    ticks->record.value = nullptr;
    EXPECT_EQ(1, m_eval->Update(512, 0, 0));
    PumpAll();
    UpdateWindow(m_ctrl);
}

TEST_F(EvalTest, ChangedValuesAreRedGreyItemsGreyAndTheCaretRowHighlighted) {
    Open();
    m_eval->Update(8, 0, (intptr_t)Item("buffer"));
    PumpAll();
    RECT ctrl{};
    GetWindowRect(m_ctrl, &ctrl);
    ScreenImage before;
    ASSERT_TRUE(before.Read(m_frame));
    EXPECT_EQ(0, before.Count(ctrl, 0xFF0000));
    EXPECT_EQ(0, before.Count(ctrl, 0x646464));

    // The program runs its loop: the total and three cells of the array change.
    RunHostCommandLine("SET BREAKPOINT AT main.c\\@LINE 22 ; GO");
    EXPECT_TRUE(m_eval->Find("total")->record.flags & EvalItemFlags::changed);
    EXPECT_FALSE(m_eval->Find("buffer[0]")->record.flags & EvalItemFlags::changed);
    EXPECT_TRUE(m_eval->Find("buffer[3]")->record.flags & EvalItemFlags::changed);
    m_eval->Find("ticks")->record.flags |= EvalItemFlags::grey;
    m_eval->Update(256, 0, (intptr_t)Item("origin"));
    m_eval->Update(512, 0, 0);
    SetFocus(m_ctrl);
    PumpAll();
    UpdateWindow(m_ctrl);
    ScreenImage after;
    ASSERT_TRUE(after.Read(m_frame, L"eval_watch.png"));
    EXPECT_GT(after.Count(ctrl, 0xFF0000), 10) << "total and three buffer cells changed";
    EXPECT_GT(after.Count(ctrl, 0x646464), 5) << "ticks is grey";
    EXPECT_GT(after.Count(ctrl, Rgb(GetSysColor(COLOR_HIGHLIGHT))), 100) << "origin is the caret";
}

TEST_F(EvalTest, AValueEditBecomesTheSetValueLineUnderTheBusyFlag) {
    Open();
    RunHostCommandLine("SET VALUE origin.y=2");
    m_eval->Update(8, 0, (intptr_t)Item("origin"));
    HWND edit = EditValue("origin.y");
    ASSERT_TRUE(IsWindow(edit));
    wchar_t offered[32] = {};
    GetWindowTextW(edit, offered, 32);
    EXPECT_STREQ(L"2", offered) << "the value in the target's memory";
    EXPECT_FALSE(HostCommandRuns()) << "menu commands beep while the edit runs";
    Type(edit, L" \t42");
    ASSERT_EQ(1u, CommandLines().size());
    EXPECT_EQ("ExecuteCommandLine(\"SET VALUE (origin).y=42\")", CommandLines()[0]);
    EXPECT_EQ(42u, TargetMachine::ReadWord(Sample().FindSymbol("origin")->address + 4));
    EXPECT_STREQ("42", m_eval->Find("origin.y")->record.value) << "the window reads it back";
    EXPECT_TRUE(HostCommandRuns());

    // Structs and arrays offer no value to edit.
    EXPECT_EQ(nullptr, EditValue("origin"));
    EXPECT_TRUE(HostCommandRuns());
}

TEST_F(EvalTest, OnAMultiCoreHostTheLocalsEditIsWrappedInCoreSwitches) {
    HostState::Get().activeCore = 1;
    Open(HostEvalWindow::locals, Host(3, 13, 2));
    // Core 1 put into main: the window shows main's local.
    uint32_t line16 = 0;
    ASSERT_TRUE(Sample().AddressOfLine(Sample().FileIndex("main.c"), 16, 0, line16));
    ASSERT_TRUE(TargetMachine::Get().SetPC(1, line16));
    m_eval->OnStop();
    ASSERT_NE(nullptr, m_eval->Find("i"));
    EXPECT_TRUE(Logged("DD.RegisterDragSource(\"EvalWnd\", 15)"));
    EXPECT_TRUE(Lines("DD.RegisterDropTarget(\"EvalWnd\"").empty()) << "a drag source only";
    HostState::Get().activeCore = 0;
    Type(EditValue("i"), L"5");
    ASSERT_EQ(1u, CommandLines().size());
    EXPECT_EQ("ExecuteCommandLine(\"SET CORE /NOCAPTURE 1 ; SET VALUE (i)=5 ; "
              "SET CORE /NOCAPTURE 0\")",
              CommandLines()[0]);

    // The close request names window 15 with 32, wrapped for the window's core; the host
    // closes the window.
    SendMessageW(m_frame, WM_CLOSE, 0, 0);
    const std::vector<std::string> requests = Lines("ExecuteRequest(");
    ASSERT_FALSE(requests.empty());
    EXPECT_NE(std::string::npos, requests.back().find("[5/0x4000 s4=32]"));
    EXPECT_NE(std::string::npos, requests.back().find("[130/0x30000 s1=1]"));
    EXPECT_NE(std::string::npos, requests.back().find("\"15\""));
    EXPECT_TRUE(m_eval->ClosedOnRequest());
    EXPECT_FALSE(IsWindow(m_frame));
    EXPECT_TRUE(Logged("DD.UnregisterDragSource(\"EvalWnd\", 15)"));
}

TEST_F(EvalTest, TheWatchWindowIsADropTargetAndAsksToCloseWith2) {
    Open();
    EXPECT_TRUE(Logged("DD.RegisterDropTarget(\"EvalWnd\", 1)"));
    EXPECT_TRUE(Logged("DD.RegisterDragSource(\"EvalWnd\", 1)"));
    // A host that does not answer the request: the window stays, for closing is the host's.
    auto closes = std::exchange(HostState::Get().onRequest, nullptr);
    SendMessageW(m_frame, WM_CLOSE, 0, 0);
    HostState::Get().onRequest = closes;
    const std::vector<std::string> requests = Lines("ExecuteRequest(");
    ASSERT_EQ(1u, requests.size());
    EXPECT_NE(std::string::npos, requests.back().find("[5/0x4000 s4=2], \"1\", 1"));
    EXPECT_TRUE(IsWindow(m_frame));
    SendMessageW(m_frame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(m_frame));
    EXPECT_EQ(0, m_eval->Id());
}

// Values the command line cannot carry: nothing is sent, and the busy flag is cleared.
TEST_F(EvalTest, EditsThatCannotBecomeACommandSendNothing) {
    Open();
    const std::wstring tooLong(1100, L'9');
    const wchar_t* cases[] = {tooLong.c_str(),
                              L"4\x01"
                              L"2",
                              L"1 ; GO",
                              L"",
                              L"   ",
                              L"\x03C0",
                              L"\x03B1"};
    for (const wchar_t* text : cases) {
        HWND edit = EditValue("total");
        ASSERT_TRUE(IsWindow(edit));
        Type(edit, text);
        EXPECT_TRUE(HostCommandRuns());
    }
    ASSERT_EQ(1u, CommandLines().size()) << "only the line with a semicolon is whole";
    EXPECT_EQ("ExecuteCommandLine(\"SET VALUE (total)=1 ; GO\")", CommandLines()[0]);
    Type(EditValue("total"), L"8", false);
    EXPECT_EQ(1u, CommandLines().size()) << "Escape sends nothing";
}

TEST_F(EvalLifetime, TheHostReplacesOrRemovesTheEditedItem) {
    Open();
    ASSERT_TRUE(IsWindow(EditValue("total")));
    // The host gives the item another record while the user types.
    HostEvalWindow::Node* total = m_eval->Find("total");
    EvalItemRecord other = total->record;
    TVITEMA change{};
    change.mask = TVIF_PARAM | TVIF_HANDLE;
    change.hItem = total->item;
    change.lParam = reinterpret_cast<LPARAM>(&other);
    m_eval->Update(2, (intptr_t)&change, 0);
    EXPECT_EQ(nullptr, EditOf(m_ctrl));
    EXPECT_TRUE(HostCommandRuns());

    HWND edit = EditValue("ticks");
    ASSERT_TRUE(IsWindow(edit));
    SetWindowTextW(edit, L"5");
    m_eval->Update(128, 0, (intptr_t)Item("ticks"));
    PumpAll();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_TRUE(HostCommandRuns());
    EXPECT_TRUE(CommandLines().empty());
}

TEST_F(EvalLifetime, TheWindowClosesDuringAnEdit) {
    Open();
    HWND edit = EditValue("total");
    ASSERT_TRUE(IsWindow(edit));
    EXPECT_FALSE(HostCommandRuns());
    Get<int(__cdecl*)(intptr_t, int)>("CloseMDIWindow")(m_eval->Id(), 1);
    PumpAll();
    EXPECT_FALSE(IsWindow(m_frame));
    EXPECT_TRUE(HostCommandRuns()) << "the busy flag went with the window";
    EXPECT_TRUE(Logged("DD.UnregisterDragSource(\"EvalWnd\", 1)"));
}

} // namespace

namespace {

std::vector<UINT>& KeysTaken() {
    static std::vector<UINT> keys;
    return keys;
}

LRESULT CALLBACK KeyWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN)
        KeysTaken().push_back(static_cast<UINT>(wParam));
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

std::string RecordArg(const HostEvalWindow::Node* node) {
    return std::to_string(static_cast<int>(reinterpret_cast<intptr_t>(&node->record)));
}

TEST_F(EvalTest, CommandsKeysAndTheContextMenuGoToTheHost) {
    Open();
    HostEvalWindow::Node* ticks = m_eval->Find("ticks");
    m_eval->Update(256, 0, (intptr_t)ticks->item);
    SendMessageW(m_ctrl, WM_COMMAND, 175, 0);
    SendMessageW(m_ctrl, WM_COMMAND, 999, 0); // not the host's
    SendMessageW(m_ctrl, WM_KEYDOWN, VK_DELETE, 0);
    const std::vector<std::string> commands = Lines("ExecuteWindowCommand");
    ASSERT_EQ(2u, commands.size());
    EXPECT_EQ("ExecuteWindowCommand(ptr, 175, " + RecordArg(ticks) + ")", commands[0]);
    EXPECT_EQ("ExecuteWindowCommand(ptr, 178, " + RecordArg(ticks) + ")", commands[1]);

    // Function keys reach the host's window and do nothing in the tree.
    WNDCLASSW wc{};
    wc.lpfnWndProc = &KeyWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"EvalTestKeys";
    RegisterClassW(&wc);
    HWND keys = CreateWindowW(L"EvalTestKeys", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              wc.hInstance, nullptr);
    HostState::Get().keyObject.SetKeyWindow(keys);
    KeysTaken().clear();
    PostMessageW(m_ctrl, WM_KEYDOWN, VK_F5, 0x003F0001);
    PumpAll();
    EXPECT_EQ(std::vector<UINT>{VK_F5}, KeysTaken());
    EXPECT_TRUE(Lines("ExecuteCommand(46)").empty()) << "the frame's accelerator sent it again";
    DestroyWindow(keys);

    // A right click selects the row under the mouse and hands it to the host's menu.
    RECT rect{};
    GetClientRect(m_ctrl, &rect);
    POINT onCounter{60, 30}; // below the header, in the first row
    ClientToScreen(m_ctrl, &onCounter);
    SetCursorPos(onCounter.x, onCounter.y);
    POINT client{60, 30};
    SendMessageW(m_ctrl, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
    SendMessageW(m_ctrl, WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    const std::vector<std::string> menus = Lines("ShowWindowContextMenu");
    ASSERT_EQ(1u, menus.size());
    EXPECT_EQ("ShowWindowContextMenu(ptr, " + std::to_string(onCounter.x) + ", " +
                  std::to_string(onCounter.y) + ", ptr, " + RecordArg(m_eval->Find("total")) +
                  ", 1)",
              menus[0]);
    EXPECT_EQ((intptr_t)Item("total"), m_eval->Update(32, 0, 0));
}

TEST_F(EvalTest, ADragCarriesTheItemsProperties) {
    Open();
    HostState::Get().valueTypeFlags = 0x4 | 0x10; // octal first
    POINT onLimit{60, 50};                        // the second row, in the name column
    SendMessageW(m_ctrl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onLimit.x, onLimit.y));
    SendMessageW(m_ctrl, WM_LBUTTONUP, 0, MAKELPARAM(onLimit.x, onLimit.y));
    EXPECT_TRUE(Logged("DD.StartDrag(\"EvalWnd\", 1, \"EvalWndSymbol\")"));
    for (const char* line :
         {"DD.AddString(0, \"TEXT\", \"ticks\")", "DD.AddString(0, \"NAME\", \"ticks\")",
          "DD.AddString(0, \"ADDRESS\", \"(char*)ticks\")", "DD.AddString(0, \"VALUE\", \"0\")",
          "DD.AddString(0, \"FORMAT\", \"OCT\")", "DD.AddInteger(0, \"ID\", 2)"})
        EXPECT_TRUE(Logged(line)) << line;

    // A grey item is no drag source.
    m_eval->Find("total")->record.flags |= EvalItemFlags::grey;
    SendMessageW(m_ctrl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 30));
    SendMessageW(m_ctrl, WM_LBUTTONUP, 0, MAKELPARAM(60, 30));
    EXPECT_EQ(1u, Lines("DD.StartDrag").size());
}

// Text that ends where readable memory ends: a read past its terminator faults.
class TextAtPageEnd {
public:
    TextAtPageEnd() {
        SYSTEM_INFO info{};
        GetSystemInfo(&info);
        m_page = info.dwPageSize;
        m_base = static_cast<char*>(
            VirtualAlloc(nullptr, 2 * m_page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(m_base + m_page, m_page, PAGE_NOACCESS, &old);
    }
    ~TextAtPageEnd() { VirtualFree(m_base, 0, MEM_RELEASE); }
    const char* Put(const std::string& text) {
        char* at = m_base + m_page - text.size() - 1;
        std::memcpy(at, text.c_str(), text.size() + 1);
        return at;
    }

private:
    char* m_base = nullptr;
    size_t m_page = 0;
};

// On a multi-core host a watch expression that names a core ("CORE:" and, one character on, a
// number) gives the drag that core; the number is read only within the text.
TEST_F(EvalTest, TheCoreAnExpressionNamesGoesWithItsDrag) {
    Open(HostEvalWindow::watch, Host(3, 13, 2));
    TextAtPageEnd memory;
    EvalInfoRecord info{};
    info.dragKey = -1;
    EvalItemRecord record{};
    record.info = &info;
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_FIRST; // the first row
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = LPSTR_TEXTCALLBACKA;
    insert.item.lParam = reinterpret_cast<LPARAM>(&record);
    ASSERT_NE(0, m_eval->Update(4, reinterpret_cast<intptr_t>(&insert), 0));
    const struct {
        const char* expression;
        int core; // -1: no core
    } cases[] = {{"reg CORE: 3", 3}, {"CORE:#12 + x", 12}, {"CORE: 0x1F", 31}, {"CORE: x", -1},
                 {"CORE:7", -1},     {"no core here", -1}, {"x CORE:", -1},    {"x CORE: ", -1}};
    for (const auto& c : cases) {
        info.expression = memory.Put(c.expression);
        CallLog::Get().Clear();
        SendMessageW(m_ctrl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 30));
        SendMessageW(m_ctrl, WM_LBUTTONUP, 0, MAKELPARAM(60, 30));
        EXPECT_EQ(1u, Lines("DD.StartDrag").size()) << c.expression;
        const std::vector<std::string> cores = Lines("DD.AddInteger(0, \"COREID\"");
        if (c.core < 0)
            EXPECT_TRUE(cores.empty()) << c.expression;
        else
            EXPECT_EQ(std::vector<std::string>{"DD.AddInteger(0, \"COREID\", " +
                                               std::to_string(c.core) + ")"},
                      cores)
                << c.expression;
    }
    m_eval->Update(128, 0, m_eval->Update(1, 0, reinterpret_cast<intptr_t>(Item("total"))));
}

} // namespace

namespace {

// Docked and back, the window keeps its id, its tree and its items; a docked window closes for
// the host.
TEST_F(EvalLifetime, AWindowKeepsItsIdAndTreeThroughEveryForm) {
    Open();
    auto place = Get<void(__cdecl*)(intptr_t, int, const WindowPosition*)>("UpdateWndPos");
    auto handle = Get<HWND(__cdecl*)(int)>("GetWindowHandle");
    const HostPlacement forms[] = {{0x41 | 0x80, 0, 0, 200, 150}, {0x11, 20, 30, 300, 200}};
    for (const HostPlacement& form : forms) {
        HostState::Get().placements[&m_eval->position] = form;
        place(m_eval->Id(), 1, &m_eval->position);
        PumpAll();
        HWND frame = handle(m_eval->Id());
        ASSERT_TRUE(IsWindow(frame));
        EXPECT_TRUE(IsChild(frame, m_ctrl)) << "the same tree in the new frame";
        EXPECT_EQ((intptr_t)Item("total"), m_eval->Update(1, 0, (intptr_t)Item("ticks")));
    }
    // The user closes the docked window: the host, asked, closes it inside the request.
    HostState::Get().placements[&m_eval->position] = forms[0];
    place(m_eval->Id(), 1, &m_eval->position);
    PumpAll();
    SendMessageW(handle(m_eval->Id()), WM_CLOSE, 0, 0);
    PumpAll();
    EXPECT_TRUE(m_eval->ClosedOnRequest());
    EXPECT_FALSE(IsWindow(m_ctrl));
    EXPECT_TRUE(Logged("DD.UnregisterDropTarget(\"EvalWnd\", 1)"));
}

} // namespace
