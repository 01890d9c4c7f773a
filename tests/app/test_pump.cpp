// The pump the host drives: idle calls per turn and mode, the host's hook, the kick-idle
// message, the window of the last message.
#include "tests/support/app_fixture.h"

namespace {

using OwnerFn = HWND(__cdecl*)();

TEST_F(AppTest, AnEmptyTurnIdlesTwiceAndAnswersTheLastWParam) {
    Start();
    RedrawWindow(Frame(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Drain();
    PostMessageW(Frame(), WM_NULL, 77, 0);
    EXPECT_EQ(77, Drain());
    CallLog::Get().Clear();
    EXPECT_EQ(77, Peek(0));
    EXPECT_EQ((std::vector<std::string>{"OnIdle(0)", "OnIdle(1)"}), Lines("OnIdle"));
    // That answer saved and freed nothing: the frame still works.
    PostMessageW(Frame(), WM_COMMAND, 45, 0);
    Drain();
    EXPECT_TRUE(Logged("ExecuteCommand(45)"));
}

DWORD WINAPI PostQuitLater(LPVOID thread) {
    Sleep(150);
    PostThreadMessageW(static_cast<DWORD>(reinterpret_cast<uintptr_t>(thread)), WM_QUIT, 5, 0);
    return 0;
}

TEST_F(AppTest, ModeOneWaitsAfterTwoIdleCallsAndAnswersTheQuitCode) {
    Start();
    Drain();
    CallLog::Get().Clear();
    HANDLE poster =
        CreateThread(nullptr, 0, &PostQuitLater,
                     reinterpret_cast<LPVOID>(uintptr_t(GetCurrentThreadId())), 0, nullptr);
    EXPECT_EQ(5, Peek(1));
    WaitForSingleObject(poster, INFINITE);
    CloseHandle(poster);
    std::vector<std::string> idle = Lines("OnIdle");
    ASSERT_GE(idle.size(), 2u);
    EXPECT_EQ("OnIdle(0)", idle[0]);
    EXPECT_EQ("OnIdle(1)", idle[1]);
}

TEST_F(AppTest, TheHostsHookTakesMessagesBeforeTheFrame) {
    HostOptions o;
    o.takeMessage = 0x408;
    Start(o);
    PumpAll();
    CallLog::Get().Clear();
    PostMessageW(Frame(), 0x408, 45, 0);
    Peek();
    EXPECT_TRUE(Logged("PreTranslateMessage(1032)"));
    EXPECT_FALSE(Logged("ExecuteCommand(45)"));
}

TEST_F(AppTest, TheLastMessageWindowIsThePreviousOneDuringDispatchAndNullBetweenTurns) {
    Start();
    PumpAll();
    auto owner = Get<OwnerFn>("GetLastMessageOwner");
    HWND client = static_cast<HWND>(HostState::Get().mainRecord.mdiClientWindow);
    HWND seen = reinterpret_cast<HWND>(1);
    HostState::Get().onCommand = [&](int) { seen = owner(); };
    // Kick-idle is noted, not dispatched; the command that follows sees its window.
    PostMessageW(client, 0x036A, 0, 0);
    PostMessageW(Frame(), 0x408, 45, 0);
    Peek();
    EXPECT_EQ(client, seen);
    EXPECT_EQ(nullptr, owner());
}

} // namespace
