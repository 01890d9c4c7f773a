// The Window menu and the main title as the user meets them with a host window open and
// closed: the menu opened from the keyboard, its items read while it is shown.
#include "tests/support/app_fixture.h"

#include "host/lib/host_window.h"
#include "ifac/h/hostwnd.h"
#include "tests/support/screenshot.h"

namespace {

using OpenFn = int(__cdecl*)(const char*, const WindowPosition*, HWND*);

const UINT kFirstChild = 0xFF00; // the window list's first item

// What the shown Window menu held, read from inside its loop.
struct ShownMenu {
    HMENU popup = nullptr;
    const wchar_t* screenshot = nullptr;
    bool seen = false;
    UINT state = 0;
    std::wstring text;
};
ShownMenu* g_shown = nullptr;

BOOL CALLBACK FindMenuWindow(HWND hWnd, LPARAM lParam) {
    wchar_t name[16] = L"";
    GetClassNameW(hWnd, name, 16);
    if (lstrcmpW(name, L"#32768") == 0 && IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ReadShownMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    ShownMenu& shown = *g_shown;
    HWND hMenuWnd = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&hMenuWnd));
    shown.seen = hMenuWnd != nullptr;
    shown.state = GetMenuState(shown.popup, kFirstChild, MF_BYCOMMAND);
    if (hMenuWnd != nullptr && shown.screenshot != nullptr) {
        RECT rect;
        GetWindowRect(hMenuWnd, &rect);
        InflateRect(&rect, 4, 4);
        SaveScreenPng(rect, ScreenshotPath(shown.screenshot).c_str());
    }
    EndMenu();
}

class WindowMenu : public AppTest {
protected:
    void SetUp() override {
        Start();
        ShowWindow(Frame(), SW_SHOW);
        SetForegroundWindow(Frame());
    }
    void OpenRegisters() {
        m_position = WindowPosition{};
        HostState::Get().placements[&m_position] = {0x11, 10, 10, 258, 188};
        ASSERT_EQ(1, Get<OpenFn>("GetMDIWindow")("Registers", &m_position, &m_view));
        CreateRegistersWindow(m_view, [this](HWND child) {
            Get<int(__cdecl*)(intptr_t, int)>("CloseMDIWindow")((intptr_t)child, 0);
        });
        RunFor(200);
    }
    // Alt+W as the user presses it: the Window menu opens and is read while shown.
    ShownMenu OpenWindowMenu(const wchar_t* screenshot) {
        ShownMenu shown;
        shown.popup = Popup(L"&Window");
        shown.screenshot = screenshot;
        g_shown = &shown;
        SetTimer(nullptr, 0, 400, &ReadShownMenu);
        PostMessageW(Frame(), WM_SYSCOMMAND, SC_KEYMENU, L'w');
        RunFor(900);
        g_shown = nullptr;
        return shown;
    }
    std::wstring Title() const {
        wchar_t text[256] = L"";
        GetWindowTextW(Frame(), text, 256);
        return text;
    }

    WindowPosition m_position{};
    HWND m_view = nullptr;
};

TEST_F(WindowMenu, ListsTheOpenWindowEnabledAndByItsTitle) {
    OpenRegisters();
    const ShownMenu shown = OpenWindowMenu(L"window_menu.png");
    ASSERT_TRUE(shown.seen);
    ASSERT_NE(static_cast<UINT>(-1), shown.state);
    EXPECT_EQ(0u, shown.state & (MF_GRAYED | MF_DISABLED));
    wchar_t text[128] = L"";
    GetMenuStringW(Popup(L"&Window"), kFirstChild, text, 128, MF_BYCOMMAND);
    EXPECT_STREQ(L"&1 Registers", text);
    EXPECT_EQ(L"MOX Stand-in Host - Registers", Title());
}

// Ctrl+F4 as the keyboard sends it, and the close box's command.
void PressCtrlF4() {
    INPUT inputs[4] = {};
    const WORD keys[4] = {VK_CONTROL, VK_F4, VK_F4, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, inputs, sizeof(INPUT));
}

TEST_F(WindowMenu, TheTitleLosesTheWindowsNameWhenTheLastWindowCloses) {
    struct Case {
        const char* how;
        bool keyboard;
    };
    for (const Case& c : {Case{"close box", false}, Case{"Ctrl+F4", true}}) {
        SCOPED_TRACE(c.how);
        OpenRegisters();
        HWND child = GetParent(m_view);
        ASSERT_EQ(L"MOX Stand-in Host - Registers", Title());
        if (c.keyboard) {
            SetForegroundWindow(Frame());
            SetFocus(m_view);
            RunFor(50);
            PressCtrlF4();
        } else {
            PostMessageW(child, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        RunFor(300);
        EXPECT_FALSE(IsWindow(child));
        EXPECT_EQ(L"MOX Stand-in Host", Title());
    }
}

} // namespace
