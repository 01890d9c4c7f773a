// Pieces of the library's start-up and pump that the host cannot reach: the library's folder,
// read from the module named and never from a cut path, and a failed wait of the pump's mode 1.
#include "tests/shell/bound_host.h"

#include <string>

#include "shell/app/module_directory.h"
#include "shell/app/tarvikapp.h"
#include "tests/support/run_host.h"

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = towlower(c);
    return text;
}

TEST(ModuleDirectory, IsTheNamedModulesFolderAndNeverACutPath) {
    const std::wstring program = Lower(ProgramFolder() + L"\\");
    EXPECT_EQ(program, Lower(ModuleDirectory(::GetModuleHandleW(nullptr)).GetString()));
    // Another module's folder, not the process's.
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const std::wstring system = Lower(ModuleDirectory(kernel).GetString());
    EXPECT_NE(program, system);
    EXPECT_NE(std::wstring::npos, system.find(L"\\windows\\"));
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(kernel, path, MAX_PATH + 1);
    ASSERT_GT(length, 0u);
    const struct {
        DWORD capacity;
        bool whole;
    } cases[] = {{length + 1, true}, {length, false}, {length / 2, false}, {1, false}, {0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.capacity);
        EXPECT_EQ(c.whole ? system : std::wstring(),
                  Lower(ModuleDirectory(kernel, c.capacity).GetString()));
    }
}

int g_fetches = 0;
// A wait that fails, after writing a quit message into the record it was given.
BOOL WINAPI FailingFetch(LPMSG pMsg, HWND, UINT, UINT) {
    ++g_fetches;
    pMsg->hwnd = nullptr;
    pMsg->message = WM_QUIT;
    pMsg->wParam = 99;
    return -1;
}

TEST(PumpTurn, AFailedWaitInMode1IsNoMessage) {
    BindTestHost(HostVersion(3, 13));
    CTarvikApp* app = TarvikApp();
    const UINT kFirst = WM_APP + 7, kWaiting = WM_APP + 8;
    ASSERT_TRUE(::PostThreadMessageW(::GetCurrentThreadId(), kFirst, 77, 0));
    EXPECT_EQ(1, app->PumpTurn(0)); // taken; nothing waits after it
    ASSERT_TRUE(::PostThreadMessageW(::GetCurrentThreadId(), kWaiting, 5, 0));
    EXPECT_EQ(77, app->PumpTurn(1, &FailingFetch)); // the last message's wParam, not the quit's
    EXPECT_EQ(1, g_fetches);
    EXPECT_EQ(nullptr, app->LastMessageWindow());
    // The message that waited is still there, for the next turn.
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(kWaiting, msg.message);
    EXPECT_EQ(1, app->PumpTurn(1));
    EXPECT_FALSE(::PeekMessageW(&msg, NULL, kWaiting, kWaiting, PM_NOREMOVE));
}

} // namespace
