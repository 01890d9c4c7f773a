// "&Toolbars ..." from the frame's menu: the Toolbars dialog, its way to the "Customize" sheet,
// the Commands page's groups by host mode, and what the frame takes over afterwards. The
// dialogs are driven from inside their modal loops.
#include "tests/support/app_fixture.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "tests/support/screenshot.h"
#include "tests/support/modal_script.h"

namespace {

using CreateFn = int(__cdecl*)(int*, const char*, int);
using AddFn = int(__cdecl*)(int, unsigned, unsigned, const char*, unsigned);
using ChangeFn = int(__cdecl*)(const char*, const char*, unsigned, unsigned, unsigned, unsigned);

const UINT kCmdViewToolbars = 32929;
const int kCustomize = 43099;    // the Toolbars dialog's "C&ustomize..."
const int kShowTooltips = 43101; // its "Show tooltips" box
const int kCategories = 43094;   // the Commands page's group list

std::vector<std::wstring> GroupTitles(HWND hPage) {
    std::vector<std::wstring> titles;
    HWND hList = GetDlgItem(hPage, kCategories);
    const int count = static_cast<int>(SendMessageW(hList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = L"";
        if (SendMessageW(hList, LB_GETTEXTLEN, i, 0) < 128)
            SendMessageW(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        titles.push_back(text);
    }
    return titles;
}

// The Commands page of the sheet, made current.
HWND CommandsPage(HWND hSheet) {
    SendMessageW(hSheet, PSM_SETCURSEL, 1, 0);
    PumpFor(50);
    return reinterpret_cast<HWND>(SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::wstring TooltipFor(HWND frame, UINT command) {
    NMTTDISPINFOW info{};
    info.hdr.code = TTN_GETDISPINFOW;
    info.hdr.idFrom = command;
    SendMessageW(frame, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.szText;
}

BOOL CALLBACK CollectDisabled(HWND hWnd, LPARAM lParam) {
    if (!IsWindowEnabled(hWnd))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// The frame and every window inside it that is disabled.
std::vector<HWND> DisabledWindows(HWND frame) {
    std::vector<HWND> disabled;
    if (!IsWindowEnabled(frame))
        disabled.push_back(frame);
    EnumChildWindows(frame, &CollectDisabled, reinterpret_cast<LPARAM>(&disabled));
    return disabled;
}

class Customize : public AppTest {
protected:
    // The Toolbars dialog, ended with "C&ustomize...", then the sheet's Commands page read.
    std::vector<std::wstring> SheetGroups(const wchar_t* screenshot = nullptr) {
        std::vector<std::wstring> titles;
        bool bSheet = false;
        ModalScript script;
        script.Then(L"Toolbars", [](HWND) { return kCustomize; })
            .Then(L"Customize", [&](HWND hSheet) {
                bSheet = true;
                HWND hPage = CommandsPage(hSheet);
                titles = GroupTitles(hPage);
                if (screenshot != nullptr) {
                    // The group that follows the host's cores.
                    SendDlgItemMessageW(hPage, kCategories, LB_SETCURSEL, 2, 0);
                    SendMessageW(hPage, WM_COMMAND, MAKEWPARAM(kCategories, LBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(GetDlgItem(hPage, kCategories)));
                    RedrawWindow(hSheet, nullptr, nullptr,
                                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                    PumpFor(100);
                    RECT rect;
                    GetWindowRect(hSheet, &rect);
                    EXPECT_TRUE(SaveScreenPng(rect, ScreenshotPath(screenshot).c_str()));
                }
                return IDCANCEL;
            });
        PostMessageW(Frame(), WM_COMMAND, kCmdViewToolbars, 0);
        PumpAll();
        EXPECT_TRUE(bSheet);
        EXPECT_TRUE(script.Finished());
        return titles;
    }
};

TEST_F(Customize, TheMenuItemIsEnabled) {
    Start();
    HMENU options = Popup(L"&Options");
    ASSERT_NE(nullptr, options);
    SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(options), 0);
    EXPECT_FALSE(GetMenuState(options, kCmdViewToolbars, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(Customize, TheCommandsPageListsTheModesGroupsThenTheHostToolbars) {
    struct Case {
        const char* name;
        bool extension, all;
        int cores;
        int memoryMapping;
        std::vector<std::wstring> titles;
    };
    const std::vector<std::wstring> normal = {L"Main", L"Debug", L"Display", L"Run",
                                              L"Edit", L"Eval",  L"Trace",   L"Trace1"};
    const std::vector<std::wstring> extension = {L"All", L"Trace", L"Trace1"};
    const Case cases[] = {
        {"normal, multi-core, memory mapping", false, false, 2, 1, normal},
        {"normal, one core, no memory mapping", false, false, 1, 0, normal},
        {"extension, all toolbar", true, true, 1, 0, extension},
        {"extension, no all toolbar", true, false, 1, 0, extension},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostOptions o;
        o.extension = c.extension;
        o.allToolbar = c.all;
        o.cores = c.cores;
        Start(o);
        Get<int(__cdecl*)(int)>("GUIEnableMemoryMapping")(c.memoryMapping);
        int trace = -1, trace1 = -1;
        ASSERT_EQ(1, Get<CreateFn>("CreateGuiToolbar")(&trace, "Trace", 0));
        ASSERT_EQ(1, Get<CreateFn>("CreateGuiToolbar")(&trace1, "Trace", 0));
        Get<AddFn>("AddTBButton")(trace1, 179, 0, "Trace off", 1031);
        Get<AddFn>("AddTBButton")(trace, 179, 0, "Trace on", 1030);
        PumpAll();
        EXPECT_EQ(c.titles, SheetGroups(c.cores > 1 ? L"app_customize_commands.png" : nullptr));
        EXPECT_EQ(std::vector<HWND>(), DisabledWindows(Frame()));
        Unload();
    }
}

TEST_F(Customize, TheTooltipSettingReachesHostAndUserToolbars) {
    Start();
    int index = -1;
    Get<CreateFn>("CreateGuiToolbar")(&index, "Trace", 0);
    Get<AddFn>("AddTBButton")(index, 179, 0, "Trace on", 1030);
    Get<ChangeFn>("ChangeButtons")("Reset", "Reset the target", 0x1 | 0x2, 0, 0, 0);
    PumpAll();
    ASSERT_EQ(L"Trace on", TooltipFor(Frame(), 1030));
    ASSERT_EQ(L"Reset the target", TooltipFor(Frame(), 20480));
    auto toggleTips = [this] {
        bool bRan = false;
        ModalScript script;
        script.Then(L"Toolbars", [&](HWND hDlg) {
            bRan = true;
            SendMessageW(GetDlgItem(hDlg, kShowTooltips), BM_CLICK, 0, 0);
            return IDOK;
        });
        PostMessageW(Frame(), WM_COMMAND, kCmdViewToolbars, 0);
        PumpAll();
        EXPECT_TRUE(bRan);
    };
    toggleTips();
    EXPECT_EQ(L"", TooltipFor(Frame(), 1030));
    EXPECT_EQ(L"", TooltipFor(Frame(), 20480));
    EXPECT_EQ(std::vector<HWND>(), DisabledWindows(Frame()));
    toggleTips();
    EXPECT_EQ(L"Trace on", TooltipFor(Frame(), 1030));
    EXPECT_EQ(L"Reset the target", TooltipFor(Frame(), 20480));
}

// How far the centre of a window lies from the centre of the main frame, in pixels.
int OffCentre(HWND hWnd, HWND frame) {
    RECT a, b;
    GetWindowRect(hWnd, &a);
    GetWindowRect(frame, &b);
    return std::max(std::abs((a.left + a.right) - (b.left + b.right)) / 2,
                    std::abs((a.top + a.bottom) - (b.top + b.bottom)) / 2);
}

const int kNewToolbar = 43098;     // the Toolbars dialog's "&New..."
const int kNewToolbarName = 43096; // the "New Toolbar" dialog's name
const int kToolbarList = 43094;    // the Toolbars dialog's and page's list
const int kToolbarName = 43102;    // their name edit

// The Toolbars dialog, the "Customize" sheet and File Open each come up over the middle of the
// main frame, not at the screen's corner over the menu.
TEST_F(Customize, TheDialogsComeUpCentredOnTheMainFrame) {
    Start();
    SetWindowPos(Frame(), nullptr, 300, 200, 900, 700, SWP_NOZORDER);
    PumpAll();
    std::vector<std::pair<std::wstring, int>> seen;
    auto measure = [&](const wchar_t* caption, int answer) {
        return [&seen, caption, answer, this](HWND hWnd) {
            seen.emplace_back(caption, OffCentre(hWnd, Frame()));
            return answer;
        };
    };
    ModalScript script;
    script.Then(L"Toolbars", measure(L"Toolbars", kCustomize))
        .Then(L"Customize", measure(L"Customize", IDCANCEL));
    PostMessageW(Frame(), WM_COMMAND, kCmdViewToolbars, 0);
    PumpAll();
    ModalScript open;
    open.Then(L"Open", measure(L"Open", IDCANCEL));
    PostMessageW(Frame(), WM_COMMAND, 57601, 0); // File Open
    PumpAll();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(open.Finished());
    const std::vector<std::pair<std::wstring, int>> centred = {
        {L"Toolbars", 0}, {L"Customize", 0}, {L"Open", 0}};
    for (auto& s : seen)
        s.second = s.second <= 1 ? 0 : s.second; // halves of odd sizes
    EXPECT_EQ(centred, seen);
}

// After "&New..." the sheet that follows has the new toolbar selected, its name ready to edit.
TEST_F(Customize, TheSheetAfterNewSelectsTheNewToolbar) {
    Start();
    std::wstring selected, name;
    ModalScript script;
    script.Then(L"Toolbars", [](HWND) { return kNewToolbar; })
        .Then(L"New Toolbar",
              [](HWND hNew) {
                  SetDlgItemTextW(hNew, kNewToolbarName, L"Mine");
                  return IDOK;
              })
        .Then(L"Customize", [&](HWND hSheet) {
            HWND hPage = reinterpret_cast<HWND>(SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            HWND hList = GetDlgItem(hPage, kToolbarList);
            const LRESULT row = SendMessageW(hList, LB_GETCURSEL, 0, 0);
            wchar_t text[130] = L"";
            if (row >= 0 && SendMessageW(hList, LB_GETTEXTLEN, row, 0) < 130)
                SendMessageW(hList, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
            selected = text;
            GetDlgItemTextW(hPage, kToolbarName, text, 130);
            name = text;
            return IDCANCEL;
        });
    PostMessageW(Frame(), WM_COMMAND, kCmdViewToolbars, 0);
    PumpAll();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(L"Mine", selected);
    EXPECT_EQ(L"Mine", name);
}

} // namespace
