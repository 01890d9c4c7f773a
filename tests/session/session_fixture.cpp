#include "tests/session/session_fixture.h"

#include "host/lib/command_line.h"
#include "host/lib/host_source.h"
#include "host/lib/host_window.h"
#include "host/lib/source_link.h"
#include "host/lib/target_machine.h"
#include "host/lib/target_program.h"
#include "tests/support/screen_image.h"
#include "tests/support/window_parts.h"

namespace {

using PlaceFn = void(__cdecl*)(intptr_t, int, const WindowPosition*);
using HandleFn = HWND(__cdecl*)(int);

// The session's windows side by side in a frame of 1240 by 980, so that each shows whole.
constexpr HostPlacement kSourcePlace{0x11, 10, 320, 560, 330};
constexpr HostPlacement kMemoryPlace{0x11, 580, 320, 360, 200};
constexpr HostPlacement kWatchPlace{0x11, 950, 10, 240, 300};
constexpr HostPlacement kLocalsPlace{0x11, 950, 320, 240, 300};

// main's first statement.
constexpr int kFirstLine = 16;

SessionTest* g_session = nullptr;

} // namespace

LRESULT CALLBACK SessionTest::KeyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_KEYDOWN)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    LogHostCall("HostKey", static_cast<int>(wParam));
    if (const char* line = CommandLineOfKey(wParam); line && g_session)
        g_session->Run(line);
    return 0;
}

void SessionTest::Run(const char* line) {
    if (m_deferRuns) {
        m_pendingRun = line;
        return;
    }
    RunHostCommandLine(line);
    AfterStop();
}

void SessionTest::FinishRun() {
    m_deferRuns = false;
    if (!m_pendingRun.empty())
        Run(m_pendingRun.c_str());
    m_pendingRun.clear();
}

void SessionTest::StartSession(HostOptions options) {
    m_placed.clear();
    Start(options);
    ASSERT_TRUE(m_module);
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 1240, 980, SWP_SHOWWINDOW);
    SetForegroundWindow(Frame());
    BindSourceLibrary(m_module);
    ASSERT_NE(nullptr, ConnectMemoryWindows(m_module));
    m_mainFile = Sample().FileIndex("main.c");
    m_utilFile = Sample().FileIndex("util.c");
    m_lists = OpenHostLists(m_module);
    ASSERT_NE(0, m_lists.breakpoints);
    HostMemViewOptions memory;
    memory.caption = "Memory - data";
    memory.placement = &kMemoryPlace;
    m_memory = OpenMemoryView(TargetRegions()[1].start, 8, 44, memory);
    ASSERT_NE(nullptr, m_memory);
    m_watch = std::make_unique<HostEvalWindow>(m_module, HostEvalWindow::watch);
    m_locals = std::make_unique<HostEvalWindow>(m_module, HostEvalWindow::locals);
    HostState::Get().placements[&m_watch->position] = kWatchPlace;
    HostState::Get().placements[&m_locals->position] = kLocalsPlace;
    ASSERT_TRUE(m_watch->Open());
    ASSERT_TRUE(m_locals->Open());
    // From the start-up code to main's first statement, as the host does before it hands the
    // target over.
    for (int step = 0; step < 16 && (CurrentPosition(0).file != m_mainFile ||
                                     CurrentPosition(0).line < kFirstLine);
         ++step)
        ASSERT_TRUE(TargetMachine::Get().StepInto(0));
    PublishStop();
    AfterStop();
    // The host's key window: the function keys pressed in the library's windows reach it.
    WNDCLASSW wc{};
    wc.lpfnWndProc = &KeyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MoxSessionKeys";
    RegisterClassW(&wc);
    m_keys = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             wc.hInstance, nullptr);
    HostState::Get().keyObject.word[47] =
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m_keys));
    g_session = this;
    PumpAll();
}

// What the host's script does after a stop: new source windows go to their place.
void SessionTest::AfterStop() {
    auto place = Get<PlaceFn>("UpdateWndPos");
    bool placed = false;
    for (const HostSourceWindow& w : SourceWindows())
        if (m_placed.insert(w.id).second) {
            HostState::Get().placements[&w.position] = kSourcePlace;
            place(w.id, 1, &w.position);
            placed = true;
        }
    // The stop again in the window's own size, so that its line is in view.
    if (placed)
        PublishStop();
}

void SessionTest::EndSession() {
    HostState::Get().onCommand = nullptr;
    if (m_started)
        Call("EndApp");
    m_started = false;
    m_watch.reset();
    m_locals.reset();
    m_memory = nullptr;
    MemoryViews().clear();
    BindSourceLibrary(nullptr);
    FreeLibrary(m_module);
    m_module = nullptr;
}

void SessionTest::TearDown() {
    HostState::Get().onCommand = nullptr;
    g_session = nullptr;
    if (m_keys)
        DestroyWindow(m_keys);
    m_keys = nullptr;
    if (m_started)
        Call("EndApp");
    m_started = false;
    m_watch.reset();
    m_locals.reset();
    MemoryViews().clear();
    BindSourceLibrary(nullptr);
    AppTest::TearDown();
}

void SessionTest::PressKey(UINT key) {
    HWND focus = GetFocus();
    PostMessageW(focus ? focus : Frame(), WM_KEYDOWN, key, 1);
    PostMessageW(focus ? focus : Frame(), WM_KEYUP, key, 0xC0000001);
    PumpAll();
}

void SessionTest::Click(HWND window, POINT p, bool twice) {
    const LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
    if (twice) {
        PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(window, WM_LBUTTONUP, 0, at);
    }
    PumpAll();
}

void SessionTest::Type(HWND window, const std::wstring& text) {
    for (wchar_t c : text) {
        PostMessageW(window, WM_CHAR, c, 1);
        PumpAll();
    }
}

HWND SessionTest::SourceFrame(int file) {
    for (const HostSourceWindow& w : SourceWindows())
        if (w.file == file) {
            HWND h = Get<HandleFn>("GetWindowHandle")(w.id);
            return h == reinterpret_cast<HWND>(-1) ? nullptr : h;
        }
    return nullptr;
}

HWND SessionTest::LineColumn(int file) {
    const std::vector<HWND> panes = SourcePanes(SourceFrame(file));
    return panes.size() >= 2 ? SourcePaneBody(panes[panes.size() - 2]) : nullptr;
}

HWND SessionTest::SourceView(int file) {
    const std::vector<HWND> panes = SourcePanes(SourceFrame(file));
    return panes.empty() ? nullptr : SourcePaneBody(panes.back());
}

SessionTest::Band SessionTest::ColourBand(HWND view, COLORREF colour, const wchar_t* screenshot) {
    RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ScreenImage image;
    Band band;
    if (!image.Read(view, screenshot))
        return band;
    const RECT& r = image.Rect();
    const DWORD wanted = Rgb(colour);
    for (int y = r.top; y < r.bottom; ++y) {
        bool found = false;
        for (int x = r.left; x < r.right && !found; ++x)
            found = image.At(x, y) == wanted;
        if (found && band.top < 0)
            band.top = y;
        if (found)
            band.height = y - band.top + 1;
        else if (band.top >= 0)
            break;
    }
    return band;
}

int SessionTest::Pixels(HWND window, DWORD colour) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ScreenImage image;
    return image.Read(window) ? image.Count(image.Rect(), colour) : -1;
}

HWND SessionTest::ListTree(int id) const {
    return GetWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(id)), GW_CHILD);
}

HWND SessionTest::BreakpointTree() const {
    return ListTree(m_lists.breakpoints);
}

std::vector<std::string> SessionTest::Since(const std::vector<std::string>& prefixes) const {
    std::vector<std::string> lines;
    const auto& calls = CallLog::Get().Calls();
    for (size_t i = m_mark; i < calls.size(); ++i) {
        const std::string line = calls[i].Line();
        for (const std::string& p : prefixes)
            if (line.rfind(p, 0) == 0) {
                lines.push_back(line);
                break;
            }
    }
    return lines;
}
