// Floating toolbars where the user can see them: one restored from the saved layout at the next
// start, and one made new from the Toolbars dialog, each above the main window with an active
// caption; the drag frame that floats or docks them.
#include "tests/support/app_fixture.h"

#include "tests/support/screen_image.h"
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
        RECT client;
        GetWindowRect(Workspace(), &client);
        DragWithMouse(Gripper(bar),
                      POINT{(client.left + client.right) / 2, (client.top + client.bottom) / 2});
        RunFor(300);
    }
    static HWND Workspace() {
        return static_cast<HWND>(HostState::Get().mainRecord.mdiClientWindow);
    }
    static POINT Gripper(HWND bar) {
        RECT rect;
        GetWindowRect(bar, &rect);
        return POINT{rect.left + 3, (rect.top + rect.bottom) / 2};
    }
    // Starts with the frame in the screen's middle and active; its docked "Debug" toolbar.
    HWND StartWithDebugBar() {
        Start();
        SetWindowPos(Frame(), HWND_TOP, 100, 50, 900, 700, SWP_SHOWWINDOW);
        SetForegroundWindow(Frame());
        RunFor(100);
        return ChildTitled(Frame(), L"Debug");
    }
    // The frame of its own in which the bar with this title floats, or null.
    HWND FloatingFrameOf(const wchar_t* title) {
        for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT))
            if (top != Frame() && GetWindow(top, GW_OWNER) == Frame() && ChildTitled(top, title))
                return top;
        return nullptr;
    }
    // Whether its caption shows the active look: the strip over its client area holds more of
    // the active caption colour than of the inactive one.
    static bool CaptionLooksActive(HWND floating, const wchar_t* screenshot = nullptr) {
        RedrawWindow(floating, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        PumpFor(50);
        ScreenImage image;
        if (!image.Read(floating, screenshot))
            return false;
        RECT strip = image.Rect();
        POINT client{0, 0};
        ClientToScreen(floating, &client);
        strip.bottom = client.y;
        const int active = image.Count(strip, Rgb(GetSysColor(COLOR_ACTIVECAPTION)));
        const int inactive = image.Count(strip, Rgb(GetSysColor(COLOR_INACTIVECAPTION)));
        return active > inactive;
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
    // The application is active: so is the look of its floating bars' captions.
    EXPECT_TRUE(CaptionLooksActive(floating, L"floating_toolbar_active.png"));
    EndKeepingProfile();

    Start(SharedRoot());
    RunFor(300);
    floating = FloatingFrameOf(L"Debug");
    ASSERT_NE(nullptr, floating);
    EXPECT_TRUE(SeenOnTop(floating));
    EXPECT_TRUE(CaptionLooksActive(floating));
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
    EXPECT_TRUE(CaptionLooksActive(floating));
}

// An empty left dock bar is a pixel wide; a toolbar dragged there docks with the pointer
// anywhere across the frame's sizing border beside it, and floats a little further in.
TEST_F(FloatingBars, AnEmptySideDockBarTakesADragAcrossTheSizingBorder) {
    const int reach = GetSystemMetrics(SM_CXFRAME);
    const struct {
        const char* name;
        int offset; // from the left dock bar's left edge
        bool docks;
    } cases[] = {
        {"on the dock bar", 0, true},
        {"on the frame's border", 1 - reach, true},
        {"just inside the workspace", reach, true},
        {"well inside the workspace", 4 * reach + 20, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND debug = StartWithDebugBar();
        ASSERT_NE(nullptr, debug);
        RECT left, client;
        GetWindowRect(GetDlgItem(Frame(), 0xE81C), &left);
        GetWindowRect(Workspace(), &client);
        DragWithMouse(Gripper(debug),
                      POINT{left.left + c.offset, (client.top + client.bottom) / 2});
        RunFor(300);
        EXPECT_EQ(c.docks, GetDlgCtrlID(GetParent(debug)) == 0xE81C);
        Unload();
    }
}

// What a person notices: a step of a quarter of the range in a colour channel.
const int kNoticeable = 0x40;

// The frame a toolbar dragged over the grey workspace draws stands out from the grey, and none
// of it is left on the screen once the bar is dropped there.
TEST_F(FloatingBars, TheDragFrameShowsOverTheWorkspaceAndLeavesNothing) {
    HWND debug = StartWithDebugBar();
    ASSERT_NE(nullptr, debug);
    HWND mdi = Workspace();
    RECT client;
    GetWindowRect(mdi, &client);
    ScreenImage before, during;
    ASSERT_TRUE(before.Read(mdi));
    bool read = false;
    DragWithMouseHolding(Gripper(debug),
                         POINT{(client.left + client.right) / 2, (client.top + client.bottom) / 2},
                         [&] { read = during.Read(mdi, L"drag_frame_over_workspace.png"); });
    RunFor(300);
    ASSERT_TRUE(read);
    // Its sides are a few pixels thick and a bar long: well over a hundred pixels.
    EXPECT_GE(Differing(before, during, client, kNoticeable), 100);
    HWND floating = FloatingFrameOf(L"Debug");
    ASSERT_NE(nullptr, floating);
    RECT frame;
    GetWindowRect(Frame(), &frame);
    ScreenImage dropped, repainted;
    ASSERT_TRUE(dropped.Read(Frame()));
    RedrawWindow(nullptr, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RunFor(200);
    ASSERT_TRUE(repainted.Read(Frame()));
    EXPECT_EQ(0, Differing(dropped, repainted, frame, kNoticeable));
}

} // namespace
