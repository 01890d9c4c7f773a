// Runs that end inside a host call, buttons that delete their own bar, two runs in one process.
#include "tests/support/app_fixture.h"

namespace {

class Lifetime : public AppTest {};

TEST_F(Lifetime, EndAppInsideCommand37FinishesWhenThePumpReturns) {
    Start();
    PumpAll();
    auto end = Get<int(__cdecl*)()>("EndApp");
    int answer = -1;
    bool frameDuring = false;
    HostState::Get().onCommand = [&](int command) {
        if (command != 37)
            return;
        answer = end();
        frameDuring = IsWindow(Frame()) != FALSE;
    };
    PostMessageW(Frame(), WM_CLOSE, 0, 0);
    Peek();
    HostState::Get().onCommand = nullptr;
    EXPECT_EQ(1, answer);
    EXPECT_TRUE(frameDuring);
    EXPECT_FALSE(IsWindow(Frame()));
    m_started = false;
    EXPECT_EQ(0, Call("EndApp"));
}

TEST_F(Lifetime, TheHostDeletesAToolbarInsideItsButtonsCommand) {
    Start();
    int index = 0, keep = 0;
    Get<int(__cdecl*)(int*, const char*, int)>("CreateGuiToolbar")(&keep, "Keep", 0);
    Get<int(__cdecl*)(int*, const char*, int)>("CreateGuiToolbar")(&index, "Gone", 0);
    Get<int(__cdecl*)(int, unsigned, unsigned, const char*, unsigned)>("AddTBButton")(
        index, 179, 0, "Go away", 1040);
    auto remove = Get<int(__cdecl*)(int)>("DeleteGuiToolbar");
    int removed = -1;
    HostState::Get().onCommand = [&](int command) {
        if (command == 1040)
            removed = remove(index);
    };
    PumpAll();
    // The button is pressed for real: its bar sends the command and is deleted inside it.
    HWND bar = ChildTitled(Frame(), L"Gone");
    ASSERT_NE(nullptr, bar);
    // The button is clicked with the real mouse: its bar sends the command and is deleted
    // inside it.
    SetForegroundWindow(Frame());
    RECT r{};
    GetWindowRect(bar, &r);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = ((r.right - 14) * 65535 + cx / 2) / (cx - 1);
        input.mi.dy = (((r.top + r.bottom) / 2) * 65535 + cy / 2) / (cy - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(1, &inputs[0], sizeof(INPUT));
    for (int i = 0; i < 10; ++i, Sleep(10))
        Peek();
    SendInput(2, &inputs[1], sizeof(INPUT));
    for (int i = 0; i < 30 && removed < 0; ++i, Sleep(10))
        Peek();
    PumpAll();
    HostState::Get().onCommand = nullptr;
    EXPECT_EQ(1, removed);
    EXPECT_FALSE(IsWindow(bar));
}

TEST_F(Lifetime, LoadRunAndUnloadTwiceInOneProcess) {
    for (int run = 0; run < 2; ++run) {
        Start();
        PumpAll();
        PostMessageW(Frame(), WM_COMMAND, 45, 0);
        PumpAll();
        EXPECT_TRUE(Logged("ExecuteCommand(45)")) << run;
        Unload();
    }
}

} // namespace
