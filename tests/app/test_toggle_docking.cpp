// Double clicks that swap a bar between docked and floating, as the user gives them: on a docked
// toolbar's gripper, on a floating toolbar's caption and on a docked host window's caption.
// Each runs under a watchdog, so that a tracking loop left waiting fails the test instead of
// stalling the suite.
#include "tests/support/app_fixture.h"

#include "host/lib/host_window.h"
#include "ifac/h/hostwnd.h"
#include "tests/support/modal_script.h"

#include <atomic>

namespace {

// After the time given, ends whatever modal loop runs on the thread that made it (Esc, again
// and again) and remembers that it had to.
class HangWatch {
public:
    explicit HangWatch(DWORD ms)
        : m_ms(ms), m_thread(GetCurrentThreadId()),
          m_done(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        m_watcher = CreateThread(nullptr, 0, &HangWatch::Run, this, 0, nullptr);
    }
    ~HangWatch() {
        SetEvent(m_done);
        WaitForSingleObject(m_watcher, INFINITE);
        CloseHandle(m_watcher);
        CloseHandle(m_done);
    }
    HangWatch(const HangWatch&) = delete;
    HangWatch& operator=(const HangWatch&) = delete;
    bool Fired() const { return m_fired; }

private:
    static DWORD WINAPI Run(LPVOID p) {
        auto* self = static_cast<HangWatch*>(p);
        if (WaitForSingleObject(self->m_done, self->m_ms) != WAIT_TIMEOUT)
            return 0;
        self->m_fired = true;
        do
            PostThreadMessageW(self->m_thread, WM_KEYDOWN, VK_ESCAPE, 0);
        while (WaitForSingleObject(self->m_done, 200) == WAIT_TIMEOUT);
        return 0;
    }
    const DWORD m_ms;
    const DWORD m_thread;
    const HANDLE m_done;
    HANDLE m_watcher = nullptr;
    std::atomic<bool> m_fired{false};
};

const DWORD kWatch = 5000;

using OpenFn = int(__cdecl*)(const char*, const WindowPosition*, HWND*);
using PosFn = int(__cdecl*)(intptr_t, int, const WindowPosition*);

class ToggleDocking : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        Start();
        SetWindowPos(Frame(), HWND_TOP, 0, 0, 900, 700, SWP_SHOWWINDOW);
        SetForegroundWindow(Frame());
        RunFor(100);
    }
    // The frame of its own in which the bar with this title floats, or null.
    HWND FloatingFrameOf(const wchar_t* title) {
        for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT))
            if (top != Frame() && GetWindow(top, GW_OWNER) == Frame() && ChildTitled(top, title))
                return top;
        return nullptr;
    }
    // The "Debug" toolbar where the main frame holds it docked, or null.
    HWND DockedDebugBar() { return ChildTitled(Frame(), L"Debug"); }
    static POINT Gripper(HWND bar) {
        POINT pt{3, 5};
        ClientToScreen(bar, &pt);
        return pt;
    }
    static POINT CaptionOf(HWND frame) {
        RECT rect;
        GetWindowRect(frame, &rect);
        return POINT{(rect.left + rect.right) / 2,
                     rect.top + GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2};
    }
    // The stand-in host's registers window, opened in the form and place given; its view.
    HWND OpenRegisters(const HostPlacement& placement) {
        HostState::Get().placements[&m_position] = placement;
        HWND view = nullptr;
        if (Get<OpenFn>("GetMDIWindow")("Registers", &m_position, &view) != 1 || view == nullptr)
            return nullptr;
        CreateRegistersWindow(view, [](HWND) {});
        RunFor(100);
        return view;
    }
    // The form the library reports for the window (0x11 MDI child, 0x21 floating, 0x41 docked).
    int FormOf(HWND view) {
        EXPECT_EQ(1, Get<PosFn>("GetWindowPos")((intptr_t)view, 0, &m_position));
        return HostState::Get().placements[&m_position].flags & 0x71;
    }
    static void PostNcDoubleClick(HWND frame) {
        const POINT pt = CaptionOf(frame);
        PostMessageW(frame, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    }

private:
    WindowPosition m_position{};
};

// Posted, as a tool or a test gives it: no button-up follows the double click.
TEST_F(ToggleDocking, APostedDoubleClickOnTheGripperFloatsTheBarAndTheCaptionsDocksItBack) {
    HWND bar = DockedDebugBar();
    ASSERT_NE(nullptr, bar);
    RECT docked;
    GetWindowRect(bar, &docked);
    {
        HangWatch watch(kWatch);
        PostMessageW(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 5));
        RunFor(300);
        ASSERT_FALSE(watch.Fired()) << "the double click left a loop waiting";
    }
    EXPECT_EQ(nullptr, GetCapture());
    HWND floating = FloatingFrameOf(L"Debug");
    ASSERT_NE(nullptr, floating);
    EXPECT_TRUE(IsWindowVisible(floating));
    EXPECT_EQ(nullptr, DockedDebugBar());
    {
        HangWatch watch(kWatch);
        PostNcDoubleClick(floating);
        RunFor(300);
        ASSERT_FALSE(watch.Fired()) << "the caption's double click left a loop waiting";
    }
    EXPECT_EQ(nullptr, FloatingFrameOf(L"Debug"));
    bar = DockedDebugBar();
    ASSERT_NE(nullptr, bar);
    RECT again;
    GetWindowRect(bar, &again);
    EXPECT_EQ(docked.left, again.left);
    EXPECT_EQ(docked.top, again.top);
}

// The real mouse: press, release, double click, release.
TEST_F(ToggleDocking, ARealDoubleClickOnTheGripperFloatsTheBarAtItsLastFloatingPlace) {
    HWND bar = DockedDebugBar();
    ASSERT_NE(nullptr, bar);
    {
        HangWatch watch(kWatch);
        DoubleClickWithMouse(Gripper(bar));
        ASSERT_FALSE(watch.Fired()) << "the double click left a loop waiting";
    }
    EXPECT_EQ(nullptr, GetCapture());
    HWND floating = FloatingFrameOf(L"Debug");
    ASSERT_NE(nullptr, floating);
    // Moved by the user, docked by the caption, floated again: it comes back where it was left.
    const POINT grip = CaptionOf(floating);
    DragWithMouse(grip, POINT{grip.x + 40, grip.y + 90});
    RunFor(100);
    floating = FloatingFrameOf(L"Debug");
    ASSERT_NE(nullptr, floating);
    RECT left;
    GetWindowRect(floating, &left);
    {
        HangWatch watch(kWatch);
        DoubleClickWithMouse(CaptionOf(floating));
        ASSERT_FALSE(watch.Fired()) << "the caption's double click left a loop waiting";
    }
    EXPECT_EQ(nullptr, FloatingFrameOf(L"Debug"));
    bar = DockedDebugBar();
    ASSERT_NE(nullptr, bar);
    {
        HangWatch watch(kWatch);
        DoubleClickWithMouse(Gripper(bar));
        ASSERT_FALSE(watch.Fired());
    }
    floating = FloatingFrameOf(L"Debug");
    ASSERT_NE(nullptr, floating);
    RECT back;
    GetWindowRect(floating, &back);
    EXPECT_EQ(left.left, back.left);
    EXPECT_EQ(left.top, back.top);
}

// A docked host window's caption floats it; the floating frame's caption docks it again.
TEST_F(ToggleDocking, ADoubleClickOnADockedHostWindowsCaptionFloatsItAndBack) {
    HWND view = OpenRegisters({0x41, 0, 0, 100, 150});
    ASSERT_NE(nullptr, view);
    auto form = [&] { return FormOf(view); };
    ASSERT_EQ(0x41, form());
    {
        HangWatch watch(kWatch);
        PostNcDoubleClick(GetParent(view));
        RunFor(300);
        ASSERT_FALSE(watch.Fired()) << "the caption's double click left a loop waiting";
    }
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(0x21, form());
    {
        HangWatch watch(kWatch);
        PostNcDoubleClick(GetAncestor(view, GA_ROOT));
        RunFor(300);
        ASSERT_FALSE(watch.Fired()) << "the floating caption's double click left a loop waiting";
    }
    EXPECT_EQ(0x41, form());
}

// The key that picks an item of the menu open on this thread, pressed once the menu shows.
WORD g_menuKey = 0;
bool g_menuSeen = false;

void CALLBACK PressMenuKey(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu))
        return;
    KillTimer(nullptr, id);
    g_menuSeen = true;
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = g_menuKey;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// Right-clicks the frame's caption with the real mouse (left of its buttons) and picks the item
// of the menu that comes up by its key; false when no menu came.
bool ChooseFromCaptionMenu(HWND frame, WORD key) {
    RECT rect;
    GetWindowRect(frame, &rect);
    const POINT at{rect.left + (rect.right - rect.left) / 4,
                   rect.top + GetSystemMetrics(SM_CYFRAME) + 5};
    SetCursorPos(at.x, at.y);
    PumpFor(GetDoubleClickTime() + 50);
    g_menuKey = key;
    g_menuSeen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &PressMenuKey);
    INPUT clicks[2] = {};
    for (INPUT& click : clicks)
        click.type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, clicks, sizeof(INPUT));
    PumpFor(800);
    KillTimer(nullptr, timer);
    return g_menuSeen;
}

// The caption's right button brings up the docking menu in every form; a window that went from
// an MDI child to floating, then docked, comes back as an MDI child of its old size and place.
TEST_F(ToggleDocking, TheCaptionsMenuChangesTheFormAndTheMdiChildGetsItsPlaceBack) {
    HWND view = OpenRegisters({0x11, 20, 30, 258, 188});
    ASSERT_NE(nullptr, view);
    auto form = [&] { return FormOf(view); };
    auto placeInClient = [&] {
        RECT rect;
        GetWindowRect(GetParent(view), &rect);
        MapWindowPoints(nullptr, GetParent(GetParent(view)), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    ASSERT_EQ(0x11, form());
    const RECT child = placeInClient();
    EXPECT_EQ(258, child.right - child.left);
    EXPECT_EQ(188, child.bottom - child.top);
    {
        HangWatch watch(kWatch);
        ASSERT_TRUE(ChooseFromCaptionMenu(GetParent(view), 'F')) << "no menu on the MDI child";
        ASSERT_FALSE(watch.Fired());
    }
    EXPECT_EQ(0x21, form());
    {
        HangWatch watch(kWatch);
        PostNcDoubleClick(GetAncestor(view, GA_ROOT));
        RunFor(300);
        ASSERT_FALSE(watch.Fired());
    }
    ASSERT_EQ(0x41, form() & 0x41);
    {
        HangWatch watch(kWatch);
        ASSERT_TRUE(ChooseFromCaptionMenu(GetParent(view), 'M')) << "no menu on the docked frame";
        ASSERT_FALSE(watch.Fired());
    }
    ASSERT_EQ(0x11, form());
    const RECT back = placeInClient();
    EXPECT_EQ(child.left, back.left);
    EXPECT_EQ(child.top, back.top);
    EXPECT_EQ(258, back.right - back.left);
    EXPECT_EQ(188, back.bottom - back.top);
}

} // namespace
