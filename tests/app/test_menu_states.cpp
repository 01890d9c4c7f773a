// The main menu as the frame shows it: which items the update pass greys, and the application's
// own commands (Exit, Print Setup) reaching their handlers.
#include "tests/support/app_fixture.h"

namespace {

// Every greyed item of the menu and its submenus, after the frame updated each popup, as
// "popup/item" with the item text up to its tab.
void CollectGreyed(HWND frame, HMENU menu, const std::wstring& path,
                   std::vector<std::wstring>& greyed) {
    SendMessageW(frame, WM_INITMENUPOPUP, (WPARAM)menu, 0);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        std::wstring text = MenuItemText(menu, i);
        text = text.substr(0, text.find(L'\t'));
        if (HMENU sub = GetSubMenu(menu, i)) {
            CollectGreyed(frame, sub, path + text + L"/", greyed);
            continue;
        }
        if (text.empty())
            continue; // a separator
        if (GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED))
            greyed.push_back(path + text);
    }
}

HWND g_menuOwner = nullptr;
int g_keyTicks = 0;

// Types the item's key into the open menu; a menu still open after that (the item was greyed)
// is closed with Escape rather than left waiting.
void CALLBACK TypeExitKey(HWND, UINT, UINT_PTR, DWORD) {
    const bool bGiveUp = ++g_keyTicks > 3;
    PostMessageW(g_menuOwner, WM_KEYDOWN, bGiveUp ? VK_ESCAPE : 'X', 0);
    if (!bGiveUp)
        PostMessageW(g_menuOwner, WM_CHAR, 'x', 0);
}

bool PrinterInstalled() {
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT;
    const BOOL bOK = PrintDlgW(&pd);
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    return bOK != FALSE;
}

// With a host that enables every command class and no window open, only items that need
// something to act on are greyed: the empty recent-file list, the editor's commands (no source
// window), the memory map (the host has not enabled memory mapping) and the window arrangement
// commands (no window to arrange).
TEST_F(AppTest, OnlyItemsWithNothingToActOnAreGreyed) {
    Start();
    PumpAll();
    std::vector<std::wstring> greyed;
    HMENU bar = GetMenu(Frame());
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        if (HMENU sub = GetSubMenu(bar, i))
            CollectGreyed(Frame(), sub, MenuItemText(bar, i) + L"/", greyed);
    const std::vector<std::wstring> expected = {
        L"&File/Recent File",  L"&Edit/&Undo",           L"&Edit/Cu&t",
        L"&Edit/&Copy",        L"&Edit/&Paste",          L"&Edit/&Find ...",
        L"&Edit/&Replace ...", L"D&isplay/Mem&ory Map",  L"&Window/&Cascade",
        L"&Window/&Tile",      L"&Window/&Arrange Icons"};
    EXPECT_EQ(expected, greyed);
}

// Exit closes the main window the ordinary way, which asks the host; the frame stays until the
// host decides.
TEST_F(AppTest, ExitAsksTheHostToClose) {
    Start();
    PumpAll();
    CallLog::Get().Clear();
    PostMessageW(Frame(), WM_COMMAND, MAKEWPARAM(57665, 0), 0);
    PumpAll();
    EXPECT_EQ(std::vector<std::string>{"ExecuteCommand(37)"}, Lines("Execute"));
    EXPECT_TRUE(IsWindow(Frame()));
}

// Through the real menu: the keyboard opens "&File" and picks "E&xit", which only works when
// the update pass left the item enabled.
TEST_F(AppTest, ExitFromTheMenuAsksTheHostToClose) {
    Start();
    PumpAll();
    CallLog::Get().Clear();
    // The key is typed once the menu's own loop runs.
    g_menuOwner = Frame();
    g_keyTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &TypeExitKey);
    PostMessageW(Frame(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    PumpAll();
    KillTimer(nullptr, timer);
    EXPECT_EQ(std::vector<std::string>{"ExecuteCommand(37)"}, Lines("Execute"));
    EXPECT_TRUE(IsWindow(Frame()));
}

// Print Setup runs the system's dialog; without a printer the system tells the user, once, and
// nothing reaches the host.
TEST_F(AppTest, PrintSetupWithoutAPrinterSaysSo) {
    if (PrinterInstalled())
        GTEST_SKIP() << "a printer is installed: the dialog would wait for a user";
    Start();
    PumpAll();
    CallLog::Get().Clear();
    PostMessageW(Frame(), WM_COMMAND, MAKEWPARAM(57606, 0), 0);
    PumpAll();
    EXPECT_EQ(1u, Lines("MessageBox").size());
    EXPECT_TRUE(Lines("Execute").empty());
}

} // namespace
