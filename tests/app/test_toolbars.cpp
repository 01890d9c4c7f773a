// Host toolbars by title, their buttons and the user toolbar, seen on the frame's bars.
#include "tests/support/app_fixture.h"

#include "host/lib/host_window.h"
#include "ifac/h/hostwnd.h"

#include <commctrl.h>

#include <algorithm>

namespace {

using CreateFn = int(__cdecl*)(int*, const char*, int);
using AddFn = int(__cdecl*)(int, unsigned, unsigned, const char*, unsigned);
using DeleteFn = int(__cdecl*)(int);
using ChangeFn = int(__cdecl*)(const char*, const char*, unsigned, unsigned, unsigned, unsigned);

HWND BarTitled(HWND frame, const wchar_t* title) {
    return ChildTitled(frame, title);
}

TEST_F(AppTest, TakenTitlesGetASuffixOrTheExistingIndex) {
    Start();
    auto create = Get<CreateFn>("CreateGuiToolbar");
    int first = -5, second = -5, reused = -5, other = -5;
    ASSERT_EQ(1, create(&first, "Trace", 0));
    ASSERT_EQ(1, create(&second, "Trace", 0));
    EXPECT_EQ(first + 1, second);
    EXPECT_NE(nullptr, BarTitled(Frame(), L"Trace"));
    EXPECT_NE(nullptr, BarTitled(Frame(), L"Trace1"));
    EXPECT_EQ(1, create(&reused, "Trace", 1));
    EXPECT_EQ(first, reused);
    EXPECT_EQ(1, create(&other, "Main", 1)); // a default bar's title: no host toolbar
    EXPECT_EQ(-1, other);
    EXPECT_EQ(0, create(nullptr, "X", 0));
    EXPECT_EQ(0, create(&other, nullptr, 0));
    EXPECT_EQ(0, create(&other, "", 0));
}

TEST_F(AppTest, HostToolbarIdsStartAt59648AndDifferPerTitle) {
    Start();
    auto create = Get<CreateFn>("CreateGuiToolbar");
    int a = 0, b = 0;
    create(&a, "Alpha", 0);
    create(&b, "Beta", 0);
    const int idA = GetDlgCtrlID(BarTitled(Frame(), L"Alpha"));
    const int idB = GetDlgCtrlID(BarTitled(Frame(), L"Beta"));
    const int idUser = GetDlgCtrlID(BarTitled(Frame(), L"User"));
    EXPECT_GE(idA, 59648);
    EXPECT_LE(idB, 59904);
    EXPECT_NE(idA, idB);
    EXPECT_NE(idA, idUser);
    EXPECT_NE(idB, idUser);
}

TEST_F(AppTest, ButtonsAndDeletion) {
    Start();
    auto create = Get<CreateFn>("CreateGuiToolbar");
    auto add = Get<AddFn>("AddTBButton");
    auto remove = Get<DeleteFn>("DeleteGuiToolbar");
    int first = 0, second = 0;
    create(&first, "Keep", 0);
    create(&second, "Trace", 0);
    EXPECT_EQ(1, add(second, 179, 0, "Trace on", 1030));
    EXPECT_EQ(0, add(second, 179, 0, "Too big", 0x10000));
    EXPECT_EQ(0, add(99, 179, 0, "Nowhere", 1031));
    EXPECT_EQ(0, add(-1, 179, 0, "Nowhere", 1031));
    EXPECT_EQ(0, remove(0)); // index 0 is never removed by the host
    EXPECT_EQ(0, remove(5));
    EXPECT_EQ(1, remove(second));
    EXPECT_EQ(nullptr, BarTitled(Frame(), L"Trace"));
    EXPECT_EQ(0, remove(second));
    PostMessageW(Frame(), WM_COMMAND, 1030, 0);
    PumpAll();
    EXPECT_TRUE(Logged("ExecuteCommand(1030)"));
}

TEST_F(AppTest, UserToolbarShowsWithAButtonAndHidesWithoutOne) {
    Start();
    auto change = Get<ChangeFn>("ChangeButtons");
    HWND user = BarTitled(Frame(), L"User");
    ASSERT_NE(nullptr, user);
    EXPECT_FALSE(IsWindowVisible(user));
    EXPECT_EQ(0, change("Reset", "Reset the target", 0x1 | 0x2, 0, 0, 0));
    PumpAll();
    EXPECT_TRUE(IsWindowVisible(user));
    EXPECT_EQ(1, change(nullptr, nullptr, 0x1 | 0x4, 0, 0, 0));
    PumpAll();
    EXPECT_FALSE(IsWindowVisible(user));
    EXPECT_EQ(0, change(nullptr, nullptr, 0x1 | 0x4, 7, 0, 0)); // never given
}

TEST_F(AppTest, UserButtonsRunTheHostsUserCommands) {
    Start();
    auto change = Get<ChangeFn>("ChangeButtons");
    change("A", "a", 3, 0, 0, 0);
    change("B", "b", 3, 0, 0, 0);
    PostMessageW(Frame(), WM_COMMAND, 20481, 0);
    PumpAll();
    EXPECT_TRUE(Logged("ExecuteUserButton(1)"));
    // The word after the flags is no position: each button goes to the end, also after a
    // removal.
    EXPECT_EQ(1, change(nullptr, nullptr, 0x1 | 0x4, 0, 0, 0));
    change("C", "c", 3, 0, 0, 0);
    HWND user = BarTitled(Frame(), L"User");
    ASSERT_NE(nullptr, user);
    std::vector<int> ids;
    for (int i = 0; i < (int)SendMessageW(user, TB_BUTTONCOUNT, 0, 0); ++i) {
        TBBUTTON button{};
        SendMessageW(user, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        ids.push_back(button.idCommand);
    }
    EXPECT_EQ((std::vector<int>{20481, 20482}), ids);
}

} // namespace

namespace {

TEST_F(AppTest, ExtensionModeHasOnlyTheAllBarAndNoUserToolbar) {
    for (bool all : {false, true}) {
        HostOptions o;
        o.extension = true;
        o.allToolbar = all;
        Start(o);
        EXPECT_NE(nullptr, ChildTitled(Frame(), L"All"));
        EXPECT_EQ(nullptr, ChildTitled(Frame(), L"Main"));
        EXPECT_EQ(nullptr, ChildTitled(Frame(), L"User"));
        EXPECT_TRUE(Logged("HasAllToolbar()"));
        auto change = Get<ChangeFn>("ChangeButtons");
        EXPECT_EQ(-1, change("A", "a", 0x1 | 0x2, 0, 0, 0));
        EXPECT_EQ(nullptr, ChildTitled(Frame(), L"User"));
        Unload();
    }
}

} // namespace

namespace {

std::wstring TooltipFor(HWND frame, UINT command) {
    NMTTDISPINFOW info{};
    info.hdr.code = TTN_GETDISPINFOW;
    info.hdr.idFrom = command;
    SendMessageW(frame, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.szText;
}

TEST_F(AppTest, TooltipsOfHostButtonsAreCutTo79Characters) {
    Start();
    int index = -1;
    Get<CreateFn>("CreateGuiToolbar")(&index, "Trace", 0);
    const std::string longText(100, 'x');
    Get<AddFn>("AddTBButton")(index, 179, 0, "Trace on", 1030);
    Get<AddFn>("AddTBButton")(index, 179, 0, longText.c_str(), 1031);
    Get<ChangeFn>("ChangeButtons")("Reset", "Reset the target", 3, 0, 0, 0);
    EXPECT_EQ(L"Trace on", TooltipFor(Frame(), 1030));
    EXPECT_EQ(std::wstring(79, L'x'), TooltipFor(Frame(), 1031));
    EXPECT_EQ(L"Reset the target", TooltipFor(Frame(), 20480));
}

// A host button's tip wins over the library's own tip for the same command, also while a window
// inside the frame is active (which would answer with the library's own); a command no host
// button carries keeps its own tip.
TEST_F(AppTest, AHostButtonsTipWinsOverTheCommandsOwnTip) {
    Start();
    WindowPosition position{};
    HostState::Get().placements[&position] = {0x11, 10, 10, 300, 200};
    HWND view = nullptr;
    using OpenFn = int(__cdecl*)(const char*, const WindowPosition*, HWND*);
    ASSERT_EQ(1, Get<OpenFn>("GetMDIWindow")("Registers", &position, &view));
    PumpAll();
    ASSERT_NE(0, SendMessageW(FindWindowExW(Frame(), nullptr, L"MDICLIENT", nullptr),
                              WM_MDIGETACTIVE, 0, 0));
    EXPECT_EQ(L"Go", TooltipFor(Frame(), 46));
    int index = -1;
    Get<CreateFn>("CreateGuiToolbar")(&index, "Trace", 0);
    Get<AddFn>("AddTBButton")(index, 179, 0, "Go on tracing", 46);
    EXPECT_EQ(L"Go on tracing", TooltipFor(Frame(), 46));
    EXPECT_EQ(L"Open", TooltipFor(Frame(), 57601));
}

// The one-button user toolbar and a one-button host toolbar, made new at the start, go to the
// end of the first row that has room for them instead of taking a row each.
TEST_F(AppTest, NewOneButtonToolbarsJoinARowWithRoom) {
    const struct {
        const char* name;
        int width;
        bool topRow; // both fit beside the default bars
    } cases[] = {
        {"wide frame: beside the default bars", 1260, true},
        {"narrow frame: together on the next row", 800, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        SetWindowPos(Frame(), HWND_TOP, 0, 0, c.width, 700, SWP_SHOWWINDOW);
        PumpAll();
        int index = -1;
        ASSERT_EQ(1, Get<CreateFn>("CreateGuiToolbar")(&index, "Trace", 0));
        Get<AddFn>("AddTBButton")(index, 179, 180, "Trace on", 1030);
        Get<ChangeFn>("ChangeButtons")("Reset", "Reset the target", 0x1 | 0x2, 0, 0, 0);
        PumpAll();
        RECT main, user, trace;
        GetWindowRect(BarTitled(Frame(), L"Main"), &main);
        GetWindowRect(BarTitled(Frame(), L"User"), &user);
        GetWindowRect(BarTitled(Frame(), L"Trace"), &trace);
        EXPECT_EQ(user.top, trace.top);
        EXPECT_EQ(c.topRow, user.top == main.top);
        if (!c.topRow)
            EXPECT_LE(user.top, main.bottom + 2); // the row right below the default bars
        RECT frame;
        GetWindowRect(Frame(), &frame);
        EXPECT_LE(std::max(user.right, trace.right), frame.right);
        Unload();
    }
}

} // namespace
