// Tips and status prompts of the main frame, as the user meets them: the real cursor over the
// toolbars' buttons, a menu item or a pressed button, and what the screen then shows.
#include "tests/support/app_fixture.h"

#include <commctrl.h>

#include <algorithm>

#include "tests/support/screenshot.h"

namespace {

using CreateFn = int(__cdecl*)(int*, const char*, int);
using AddFn = int(__cdecl*)(int, unsigned, unsigned, const char*, unsigned);
using ChangeFn = int(__cdecl*)(const char*, const char*, unsigned, unsigned, unsigned, unsigned);

struct TipSearch {
    HWND hFound = nullptr;
};

BOOL CALLBACK FindTipControl(HWND hWnd, LPARAM lParam) {
    wchar_t name[64] = L"";
    GetClassNameW(hWnd, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0 || SendMessageW(hWnd, TTM_GETTOOLCOUNT, 0, 0) == 0)
        return TRUE;
    reinterpret_cast<TipSearch*>(lParam)->hFound = hWnd;
    return FALSE;
}

// The thread's tooltip control that holds a tool, or null.
HWND TipControl() {
    TipSearch search;
    EnumThreadWindows(GetCurrentThreadId(), &FindTipControl, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

// The id of the tool the tip control holds now, or -1.
INT_PTR CurrentToolId() {
    HWND hTip = TipControl();
    if (hTip == nullptr)
        return -1;
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    if (!SendMessageW(hTip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&ti)))
        return -1;
    return static_cast<INT_PTR>(ti.uId);
}

std::wstring StatusText(HWND frame) {
    wchar_t text[256] = L"";
    SendMessageW(GetDlgItem(frame, 0xE801), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

class FrameTips : public AppTest {
protected:
    void SetUp() override {
        Start();
        int index = -1;
        Get<CreateFn>("CreateGuiToolbar")(&index, "Trace", 0);
        Get<AddFn>("AddTBButton")(index, 179, 0, "Trace on", 1030);
        Get<ChangeFn>("ChangeButtons")("Reset", "Reset the target", 3, 0, 0, 0);
        ShowWindow(Frame(), SW_SHOW);
        SetForegroundWindow(Frame());
        RunFor(300);
    }
    void TearDown() override {
        SetCursorPos(5, 1000);
        RunFor(50);
        AppTest::TearDown();
    }
    // Moves the real cursor along the middle of the bar until the tip control holds the tool of
    // this command; the screen point, or (-1, -1).
    POINT HoverButton(HWND bar, UINT command) {
        RECT rect;
        GetWindowRect(bar, &rect);
        const int y = (rect.top + rect.bottom) / 2;
        for (int x = rect.left + 2; x < rect.right; x += 4) {
            SetCursorPos(x, y);
            RunFor(20);
            if (CurrentToolId() == static_cast<INT_PTR>(command))
                return POINT{x, y};
        }
        return POINT{-1, -1};
    }
    // The text of the tip once it is shown, within two seconds; empty when none shows.
    std::wstring ShownTip(HWND* phTip = nullptr) {
        const DWORD begin = GetTickCount();
        while (GetTickCount() - begin < 2000) {
            RunFor(20);
            HWND hTip = TipControl();
            if (hTip != nullptr && IsWindowVisible(hTip)) {
                RunFor(50);
                wchar_t text[128] = L"";
                GetWindowTextW(hTip, text, 128);
                if (phTip != nullptr)
                    *phTip = hTip;
                return text;
            }
        }
        return L"";
    }
};

// A built-in bar's tip comes from the command's string, a host bar's from the host, the user
// toolbar's from the host's user button; each shows where the user points.
TEST_F(FrameTips, EveryKindOfBarShowsItsButtonsTipUnderTheCursor) {
    struct Case {
        const wchar_t* bar;
        UINT command;
        const wchar_t* tip;
        const wchar_t* screenshot;
    };
    const Case cases[] = {
        {L"Main", 57601, L"Open", L"tip_builtin_button.png"},
        {L"Run", 46, L"Go", nullptr},
        {L"Trace", 1030, L"Trace on", L"tip_host_button.png"},
        {L"User", 20480, L"Reset the target", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bar, c.bar + wcslen(c.bar)));
        HWND bar = ChildTitled(Frame(), c.bar);
        ASSERT_NE(nullptr, bar);
        SetCursorPos(5, 1000);
        RunFor(100);
        const POINT at = HoverButton(bar, c.command);
        ASSERT_NE(-1, at.x) << "no tool for the button";
        HWND hTip = nullptr;
        EXPECT_EQ(c.tip, ShownTip(&hTip));
        if (c.screenshot != nullptr && hTip != nullptr) {
            RECT tip, area;
            GetWindowRect(hTip, &tip);
            GetWindowRect(bar, &area);
            UnionRect(&area, &area, &tip);
            InflateRect(&area, 40, 10);
            area.left = std::max(area.left, 0L); // the screen's copy takes no point left of it
            area.top = std::max(area.top, 0L);
            EXPECT_TRUE(SaveScreenPng(area, ScreenshotPath(c.screenshot).c_str()));
        }
    }
}

// The prompt of a command stands in the status bar while the user is on its menu item, or holds
// its button down; the idle prompt comes back after.
TEST_F(FrameTips, MenuItemsAndPressedButtonsPromptInTheStatusBar) {
    HWND frame = Frame();
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(57601, MF_STRING), 0);
    EXPECT_EQ(L"Opens a file", StatusText(frame));
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(50, MF_STRING), 0);
    EXPECT_EQ(L"Steps into the next statement", StatusText(frame));
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(L"For Help, Press F1", StatusText(frame));

    HWND bar = ChildTitled(frame, L"Run");
    ASSERT_NE(nullptr, bar);
    const POINT at = HoverButton(bar, 46);
    ASSERT_NE(-1, at.x);
    POINT client = at;
    ScreenToClient(bar, &client);
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    RunFor(50);
    EXPECT_EQ(L"Runs the target", StatusText(frame));
    PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    RunFor(50);
    EXPECT_TRUE(Logged("ExecuteCommand(46)"));
    EXPECT_EQ(L"For Help, Press F1", StatusText(frame));
}

} // namespace
