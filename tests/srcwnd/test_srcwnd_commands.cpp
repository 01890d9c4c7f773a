// The context commands of a real source window: what reaches the host when the view gets them,
// on a single-core and a multi-core host, and a host that closes the window inside the request.
#include "tests/srcwnd/frames_fixture.h"

#include "host/lib/host_state.h"
#include "tests/srcwnd/menu_dump.h"

namespace {

constexpr WPARAM kGoHere = 32773, kSetBreakpoint = 32771, kRunUntilCaller = 32774;

class SrcWndCommands : public SrcFrameTest {
protected:
    // A window on core, updated to line 3 of the C file; its source view.
    HWND OpenView(int core = -1) {
        const int id = Create(CFile(), 7, core);
        EXPECT_GT(id, 0);
        Update(id, CFile(), 3, 7, 4);
        m_id = id;
        std::vector<HWND> panes = Panes(FrameOf(id));
        return panes.empty() ? nullptr : PaneBody(panes.back());
    }
    std::vector<std::string> Requests() const {
        std::vector<std::string> out;
        for (const std::string& line : Lines())
            if (line.rfind("ExecuteRequest", 0) == 0)
                out.push_back(line);
        return out;
    }
    int m_id = 0;
};

TEST_F(SrcWndCommands, TheCaretLinesRequestsReachTheHost) {
    Start(Host(3, 0));
    HWND view = OpenView();
    ASSERT_NE(nullptr, view);
    CallLog::Get().Clear();
    SendMessageW(view, WM_COMMAND, kGoHere, 0);
    SendMessageW(view, WM_COMMAND, kRunUntilCaller, 0);
    EXPECT_EQ(
        (std::vector<std::string>{"ExecuteRequest([106/0x1000], \"C(& main\\@LINE 3)\", 0, 0, 0)",
                                  "ExecuteRequestChain(1, [106/0x400], ptr, 0, 1)"}),
        Requests());
}

TEST_F(SrcWndCommands, AMultiCoreHostGetsThemOnTheWindowsCore) {
    Start(Host(3, 4, 2));
    // The window takes the core that is active when the host updates it.
    HostState::Get().activeCore = 1;
    HWND view = OpenView(1);
    ASSERT_NE(nullptr, view);
    HostState::Get().activeCore = 0;
    CallLog::Get().Clear();
    SendMessageW(view, WM_COMMAND, kGoHere, 0);
    EXPECT_EQ((std::vector<std::string>{
                  "ExecuteRequest([130/0x30000 s1=1][106/0x1000][130/0x30000], \"C(& main\\@LINE "
                  "3)\", 0, 0, 0)"}),
              Requests());
}

// The menu the view shows, read when it opens and closed again at once.
std::vector<std::string> g_shownMenu;
HHOOK g_menuHook = nullptr;

LRESULT CALLBACK ReadMenu(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITMENUPOPUP && g_shownMenu.empty() &&
        HIWORD(message->lParam) == 0) {
        g_shownMenu = DumpMenu(reinterpret_cast<HMENU>(message->wParam));
        PostMessageW(message->hwnd, WM_CANCELMODE, 0, 0);
        EndMenu();
    }
    return CallNextHookEx(g_menuHook, code, wParam, lParam);
}

TEST_F(SrcWndCommands, TheRightButtonShowsTheMenuOfTheCaretLinesRecord) {
    Start(Host(3, 13));
    HWND view = OpenView();
    ASSERT_NE(nullptr, view);
    // Line 3 holds code and a breakpoint.
    static const SourceLineRecord marks[] = {{3, kLineBreakpoint | kLineCode, nullptr}};
    SetColumnDatas(m_id, 0x1, marks);
    Show(FrameOf(m_id));
    g_shownMenu.clear();
    g_menuHook = SetWindowsHookExW(WH_CALLWNDPROC, ReadMenu, nullptr, GetCurrentThreadId());
    // From the keyboard: the menu of the caret's line, where the update put the caret.
    SendMessageW(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), static_cast<LPARAM>(-1));
    UnhookWindowsHookEx(g_menuHook);
    EXPECT_EQ((std::vector<std::string>{"32772 Toggle &Breakpoint", "-", "32773 &Go Here",
                                        "32782 &Set PC", "32802 &Jump To Assembler", "-",
                                        "32774 &Run Until Caller", "32775 Run &Until Return", "-",
                                        "45267 Toggle B&ookmark", "> Co&verage",
                                        "  32986 Jump to &Browser", "  32984 &Complex Conditions"}),
              g_shownMenu)
        << "the stand-in host runs with coverage on";
}

TEST_F(SrcWndCommands, ComplexConditionsAskTheHostOnTheWindowsCore) {
    Start(Host(3, 4, 2));
    HostState::Get().activeCore = 1;
    HWND view = OpenView(1);
    ASSERT_NE(nullptr, view);
    HostState::Get().currentCore = 0;
    CallLog::Get().Clear();
    SendMessageW(view, WM_COMMAND, 32984, 0);
    std::vector<std::string> lines = Lines();
    int shown = IndexOf("ShowConditionTree(\"C(& main\\@LINE 3)\")");
    ASSERT_GE(shown, 0);
    EXPECT_LT(IndexOf("SetCurrentCore(1)"), shown);
    EXPECT_GT(IndexOf("SetCurrentCore(0)"), shown);
}

int g_closeId = 0;
HMODULE g_module = nullptr;

int __cdecl CloseInsideRequest(HostRequest* r, const char* text, int index, int, int) {
    LogHostCall("ExecuteRequest", r, text, index, 0, 0);
    using CloseFn = int(__cdecl*)(intptr_t, int);
    if (g_closeId > 0)
        reinterpret_cast<CloseFn>(
            reinterpret_cast<void*>(GetProcAddress(g_module, "CloseMDIWindow")))(g_closeId, 1);
    g_closeId = 0;
    return 1;
}

class SrcWndLifetimeCommands : public SrcWndCommands {};

TEST_F(SrcWndLifetimeCommands, TheHostClosesTheWindowInsideABreakpointRequest) {
    Start(Host(3, 13, 2));
    g_module = m_module;
    HWND view = OpenView(1);
    ASSERT_NE(nullptr, view);
    HWND frame = FrameOf(m_id);
    HostState::Get().commands.Word(2) = reinterpret_cast<void*>(&CloseInsideRequest);
    g_closeId = m_id;
    SendMessageW(view, WM_COMMAND, kSetBreakpoint, 0);
    EXPECT_FALSE(IsWindow(view)) << "the view went while its command ran";
    PumpAll();
    EXPECT_FALSE(IsWindow(frame));
    ASSERT_EQ(1u, Requests().size());
    EXPECT_NE(std::string::npos, Requests()[0].find("[116/0x8000]"));
    // The core switch around the request gave the host its core and mode back afterwards.
    std::vector<std::string> lines = Lines();
    EXPECT_EQ("SetCoreMode(1)", lines.back());
}

} // namespace
