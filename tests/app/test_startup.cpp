// Start-up per host scenario: what reached the host and in which order, the frame's title and
// menu, the handles written back into the host's record.
#include "tests/support/app_fixture.h"

namespace {

bool HasItem(HMENU menu, UINT id) {
    return menu && GetMenuState(menu, id, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

TEST_F(AppTest, StartUpBindsThenBuildsTheFrameThenDragAndDropThenIdles) {
    Load();
    const int connect = IndexOf("gui_Connect(ptr)");
    const int root = IndexOf("GetRegistryRoot()");
    const int record = IndexOf("GetHostObject(15, null)");
    const int coco = IndexOf("__COCO__(369360900, ptr)");
    const int target = IndexOf("DD.RegisterDropTarget(\"MainWnd\", 0)");
    const int idle = IndexOf("OnIdle(0)");
    EXPECT_EQ(0, connect);
    EXPECT_LT(connect, root);
    EXPECT_LT(root, record);
    EXPECT_LT(record, coco);
    EXPECT_LT(coco, target);
    EXPECT_LT(target, idle);
    EXPECT_EQ(1, Call("StartApp"));
    m_started = true;
    HWND frame = Frame();
    ASSERT_TRUE(IsWindow(frame));
    EXPECT_TRUE(IsWindow(static_cast<HWND>(HostState::Get().mainRecord.mdiClientWindow)));
    EXPECT_EQ(frame, GetParent(static_cast<HWND>(HostState::Get().mainRecord.mdiClientWindow)));
    wchar_t title[64] = {};
    GetWindowTextW(frame, title, 64);
    EXPECT_STREQ(L"MOX Stand-in Host", title);
}

TEST_F(AppTest, HelpItemsGoInEveryModeAndCoresWithASingleCoreHost) {
    struct Case {
        HostOptions host;
        bool cores;
    } cases[] = {
        {Host(3, 13), false}, {Host(3, 13, 2), true}, {Host(3, 1), true}, {Host(3, 2), false}};
    for (const Case& c : cases) {
        Start(c.host);
        HMENU bar = GetMenu(Frame());
        EXPECT_FALSE(HasItem(bar, 194));
        EXPECT_FALSE(HasItem(bar, 32987));
        EXPECT_EQ(c.cores, HasItem(bar, 282)) << c.host.major << "." << c.host.minor;
        EXPECT_TRUE(Popup(L"&Options") != nullptr);
        Unload();
    }
}

TEST_F(AppTest, ExtensionModeKeepsExitAndDropsTheDebuggerMenus) {
    Start(Host(3, 13, 1, true));
    HMENU file = Popup(L"&File");
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(L"E&xit", MenuItemText(file, 0));
    for (const wchar_t* gone : {L"&Options", L"&Run", L"&Debug", L"&Language"})
        EXPECT_EQ(nullptr, Popup(gone)) << gone;
    for (UINT id : {38u, 40u, 45u, 134u, 279u})
        EXPECT_FALSE(HasItem(GetMenu(Frame()), id)) << id;
    EXPECT_TRUE(HasItem(GetMenu(Frame()), 55)); // "&Evaluations" stays
}

TEST_F(AppTest, WithoutAHostRecordTheTitleIsTheLibrarysAndNothingIsWritten) {
    HostOptions o;
    o.noMainRecord = true;
    Load(o);
    EXPECT_EQ(1, Call("StartApp"));
    m_started = true;
    EXPECT_EQ(nullptr, HostState::Get().mainRecord.frameWindow);
    HWND frame = FindWindowW(nullptr, L"MOX Debugger");
    EXPECT_TRUE(frame != nullptr);
}

TEST_F(AppTest, ASecondStartAppChangesNothing) {
    Start();
    HWND frame = Frame();
    HostState::Get().mainRecord.frameWindow = nullptr;
    EXPECT_EQ(1, Call("StartApp"));
    EXPECT_EQ(nullptr, HostState::Get().mainRecord.frameWindow);
    HostState::Get().mainRecord.frameWindow = frame;
}

TEST_F(AppTest, WithoutCocoNoDragAndDropCallIsMade) {
    HostOptions o;
    o.noCoco = true;
    Start(o);
    EXPECT_TRUE(Lines("DD.").empty());
}

} // namespace
