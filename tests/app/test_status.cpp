// The status bar's panes: the host's pane data, the Info text, the help text.
#include "tests/support/app_fixture.h"

#include <commctrl.h>

namespace {

std::wstring PaneText(HWND bar, int pane) {
    wchar_t text[256] = {};
    SendMessageW(bar, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(text));
    return text;
}

HWND StatusBar(HWND frame) {
    return GetDlgItem(frame, 0xE801);
}

TEST_F(AppTest, PanesShowTheHostsDataAndTheInfoText) {
    Start();
    HostState::Get().paneText[1] = "DI 7";
    HostState::Get().paneText[3] = "C";
    Sleep(150); // past the idle update's interval
    Drain();
    HWND bar = StatusBar(Frame());
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(L"DI 7", PaneText(bar, 1));
    EXPECT_EQ(L"C", PaneText(bar, 3));
    auto info = Get<int(__cdecl*)(const char*)>("SetPaneInfoText");
    EXPECT_EQ(1, info("Target halted"));
    EXPECT_EQ(L"Target halted", PaneText(bar, 4));
    RECT pane{};
    SendMessageW(bar, SB_GETRECT, 4, reinterpret_cast<LPARAM>(&pane));
    EXPECT_GE(pane.right - pane.left, 100);
    EXPECT_EQ(1, info(nullptr));
    EXPECT_EQ(L"", PaneText(bar, 4));
}

TEST_F(AppTest, ExtensionModeAsksOnlyForTheInfoPane) {
    HostOptions o;
    o.extension = true;
    Start(o);
    Sleep(150);
    CallLog::Get().Clear();
    Drain();
    for (const std::string& line : Lines("GetPaneInfo"))
        EXPECT_EQ(0u, line.find("GetPaneInfo(4")) << line;
}

TEST_F(AppTest, ExtensionModePanesStayDisabledPastTheIdlePasses) {
    for (bool extension : {false, true}) {
        SCOPED_TRACE(extension);
        HostOptions o;
        o.extension = extension;
        Start(o);
        HostState::Get().paneText[1] = "DI 7";
        for (int pass = 0; pass < 2; ++pass) {
            Sleep(150); // past the idle update's interval
            Drain();
        }
        HWND bar = StatusBar(Frame());
        ASSERT_NE(nullptr, bar);
        EXPECT_EQ(extension ? L"" : L"DI 7", PaneText(bar, 1)); // a disabled pane shows nothing
        for (int pane : {2, 3})
            EXPECT_EQ(extension, PaneText(bar, pane).empty()) << pane;
        Unload();
    }
}

TEST_F(AppTest, HelpTextOrTheIdlePrompt) {
    Start();
    auto help = Get<int(__cdecl*)(const char*)>("SetStatusHelpText");
    HWND bar = StatusBar(Frame());
    EXPECT_EQ(1, help("Steps into the call"));
    EXPECT_EQ(L"Steps into the call", PaneText(bar, 0));
    EXPECT_EQ(1, help(nullptr));
    EXPECT_EQ(L"For Help, Press F1", PaneText(bar, 0));
}

} // namespace
