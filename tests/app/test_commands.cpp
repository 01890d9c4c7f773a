// Commands from the menu, the host's command message and toolbar buttons, as one table of what
// reaches the host; the busy flag against a command arriving inside another.
#include "tests/support/app_fixture.h"

namespace {

struct CommandCase {
    UINT message;
    WPARAM command;
    const char* reaches; // the log line, null: nothing
};

TEST_F(AppTest, CommandsReachTheHostAsTheirNumbers) {
    HostOptions o;
    o.disabledClass = 0;
    Start(o);
    const CommandCase cases[] = {
        {WM_COMMAND, 45, "ExecuteCommand(45)"},
        {WM_COMMAND, 57669, "ExecuteCommand(89)"},
        {WM_COMMAND, 32987, "ExecuteCommand(83)"},
        {WM_COMMAND, 32784, "ExecuteCommand(186)"},
        {WM_COMMAND, 1100, "ExecuteCommand(1100)"},
        {WM_COMMAND, 20485, "ExecuteUserButton(5)"},
        {WM_COMMAND, 32983, "ExecuteCommand(0)"},
        {WM_COMMAND, 57664, "ExecuteCommand(84)"},
        {WM_COMMAND, 282, nullptr}, // a single core: a beep
        {0x408, 0, "ExecuteCommand(0)"},
        {0x408, 195, "ExecuteCommand(195)"},
        {0x408, 38, "ExecuteCommand(38)"},
        {WM_CLOSE, 0, "ExecuteCommand(37)"},
    };
    for (const CommandCase& c : cases) {
        PumpAll();
        CallLog::Get().Clear();
        PostMessageW(Frame(), c.message, c.command, 0);
        PumpAll();
        std::vector<std::string> sent = Lines("Execute");
        if (c.reaches)
            EXPECT_EQ(std::vector<std::string>{c.reaches}, sent) << c.command;
        else
            EXPECT_TRUE(sent.empty()) << c.command;
    }
    EXPECT_TRUE(IsWindow(Frame())); // WM_CLOSE asks the host; the frame stays
}

TEST_F(AppTest, RequestAndPendingLineCommandsTakeTheirOwnRoads) {
    Start();
    PumpAll();
    CallLog::Get().Clear();
    PostMessageW(Frame(), WM_COMMAND, 33, 0);
    PumpAll();
    EXPECT_EQ((std::vector<std::string>{
                  "ExecuteRequestChain(1, [122/0x4000 s0=18446744073709551615], ptr, 0, 1)"}),
              Lines("ExecuteRequestChain"));
}

TEST_F(AppTest, AnEmptyRecentFileEntryOpensNothing) {
    Start();
    PumpAll();
    CallLog::Get().Clear();
    for (WPARAM command : {57616, 57619, 57631}) {
        PostMessageW(Frame(), WM_COMMAND, command, 0);
        PumpAll();
    }
    EXPECT_TRUE(Lines("ExecuteCommandLine").empty());
    EXPECT_TRUE(Lines("ExecuteCommand(").empty());
}

TEST_F(AppTest, ACommandInsideAnotherBeepsAndSendsNothing) {
    Start();
    PumpAll();
    HostState::Get().onCommand = [this](int command) {
        if (command != 38)
            return;
        PostMessageW(Frame(), WM_COMMAND, 45, 0);
        Peek(); // the host pumps while it runs 38
    };
    CallLog::Get().Clear();
    PostMessageW(Frame(), WM_COMMAND, 38, 0);
    PumpAll();
    EXPECT_EQ((std::vector<std::string>{"ExecuteCommand(38)"}), Lines("ExecuteCommand"));
    // The flag is clear again afterwards.
    HostState::Get().onCommand = nullptr;
    PostMessageW(Frame(), WM_COMMAND, 45, 0);
    PumpAll();
    EXPECT_TRUE(Logged("ExecuteCommand(45)"));
}

TEST_F(AppTest, CommandClassesGreyTheirItems) {
    HostOptions o;
    o.disabledClass = 1;
    Start(o);
    HMENU bar = GetMenu(Frame());
    HMENU run = Popup(L"&Run");
    ASSERT_NE(nullptr, run);
    InsertMenuW(run, 0, MF_BYPOSITION | MF_STRING, 34, L"Class one");
    SendMessageW(Frame(), WM_INITMENUPOPUP, (WPARAM)run, 3);
    EXPECT_TRUE(GetMenuState(bar, 34, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(Logged("IsCommandClassEnabled(1)"));
}

} // namespace
