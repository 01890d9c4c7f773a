// Floating toolbars where the user can see them: one restored from the saved layout at the next
// start, and one made new from the Toolbars dialog, each above the main window.
#include "tests/support/app_fixture.h"

#include "tests/support/screenshot.h"
#include "tests/support/modal_script.h"

namespace {

const UINT kCmdViewToolbars = 32929;
const int kNewToolbar = 43098;     // the Toolbars dialog's "&New..."
const int kNewToolbarName = 43096; // the name box of the "New Toolbar" dialog

class FloatingBars : public AppTest {
protected:
    // Drags the bar by its gripper into the middle of the workspace with the real mouse.
    void FloatByDrag(HWND bar) {
        RECT rect, client;
        GetWindowRect(bar, &rect);
        GetWindowRect(static_cast<HWND>(HostState::Get().mainRecord.mdiClientWindow), &client);
        DragWithMouse(POINT{rect.left + 3, (rect.top + rect.bottom) / 2},
                      POINT{(client.left + client.right) / 2, (client.top + client.bottom) / 2});
        RunFor(300);
    }
    // The frame of its own in which the bar with this title floats, or null.
    HWND FloatingFrameOf(const wchar_t* title) {
        for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT))
            if (top != Frame() && GetWindow(top, GW_OWNER) == Frame() && ChildTitled(top, title))
                return top;
        return nullptr;
    }
    // Whether the user sees the floating frame: the window at its centre is it or inside it.
    static bool SeenOnTop(HWND floating) {
        RECT rect;
        GetWindowRect(floating, &rect);
        const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        return IsWindowVisible(floating) &&
               GetAncestor(WindowFromPoint(centre), GA_ROOT) == floating;
    }
};

TEST_F(FloatingBars, ABarRestoredFloatingShowsAboveTheMainWindow) {
    RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRoot().c_str());
    Start(SharedRoot());
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 900, 700, SWP_SHOWWINDOW);
    SetForegroundWindow(Frame());
    RunFor(100);
    HWND debug = ChildTitled(Frame(), L"Debug");
    ASSERT_NE(nullptr, debug);
    FloatByDrag(debug);
    HWND floating = FloatingFrameOf(L"Debug");
    ASSERT_NE(nullptr, floating);
    SetWindowPos(floating, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RunFor(100);
    EXPECT_TRUE(SeenOnTop(floating));
    EndKeepingProfile();

    Start(SharedRoot());
    RunFor(300);
    floating = FloatingFrameOf(L"Debug");
    ASSERT_NE(nullptr, floating);
    EXPECT_TRUE(SeenOnTop(floating));
    RECT rect;
    GetWindowRect(floating, &rect);
    InflateRect(&rect, 30, 30);
    SaveScreenPng(rect, ScreenshotPath(L"restored_floating_toolbar.png").c_str());
}

TEST_F(FloatingBars, ANewToolbarShowsAboveTheMainWindow) {
    Start();
    RunFor(100);
    ModalScript script;
    script.Then(L"Toolbars", [](HWND) { return kNewToolbar; });
    script.Then(L"New Toolbar", [](HWND hNew) {
        SetDlgItemTextW(hNew, kNewToolbarName, L"Mine");
        return IDOK;
    });
    // "&New..." goes on to the "Customize" sheet, over the new bar.
    script.Then(L"Customize", [](HWND) { return IDCANCEL; });
    PostMessageW(Frame(), WM_COMMAND, kCmdViewToolbars, 0);
    RunFor(1500);
    EXPECT_TRUE(script.Finished());
    HWND floating = FloatingFrameOf(L"Mine");
    ASSERT_NE(nullptr, floating);
    EXPECT_TRUE(SeenOnTop(floating));
}

} // namespace
