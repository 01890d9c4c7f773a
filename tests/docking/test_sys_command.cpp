// The docking commands without frames: the states and their categories, the caption-extras
// record of the option bits, the docking menu's items and check marks, and which records the
// command filter believes.
#include "docking/sys_command_filters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace nsSysCommandEx;

TEST(SysCommandEx, StatesCategoriesAndToggles) {
    struct Case {
        int nState, nCategory, nToggle;
    };
    const Case cases[] = {
        {0, 0, 1}, {1, 1, 5}, {2, 1, 5}, {3, 1, 5},   {4, 1, 5},  {5, 5, 1},  {6, 5, 1},
        {7, 5, 1}, {8, 5, 1}, {9, 5, 1}, {10, 10, 1}, {11, 0, 1}, {-1, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.nCategory, GetCategory(c.nState)) << c.nState;
        EXPECT_EQ(c.nToggle, GetToggleTarget(c.nState)) << c.nState;
    }
    const int sides[][2] = {{0, 7}, {1, 6}, {2, 9}, {3, 8}, {4, 10}, {-1, 0}, {5, 0}};
    for (const auto& s : sides)
        EXPECT_EQ(s[1], StateForDockSide(s[0])) << "side " << s[0];
    EXPECT_EQ(59420u, DockBarForState(6));
    EXPECT_EQ(59419u, DockBarForState(7));
    EXPECT_EQ(59421u, DockBarForState(8));
    EXPECT_EQ(59422u, DockBarForState(9));
    EXPECT_EQ(0u, DockBarForState(5));
}

TEST(SysCommandEx, CaptionRecordFollowsTheOptionBits) {
    struct Case {
        DWORD dwOptions;
        std::vector<DWORD> record; // command, list, button, double-click, context menu
    };
    const Case cases[] = {
        {0x0, {0, 0, 0, 0, 0}}, {0x1, {1, 1, 1, 1, 1}}, {0x3, {1, 0, 0, 1, 1}},
        {0x5, {1, 1, 1, 0, 1}}, {0x7, {1, 0, 0, 0, 1}}, {0xF, {1, 0, 0, 0, 0}},
        {0xE, {0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        CDWordArray record;
        CaptionButtonRecord(c.dwOptions, record);
        ASSERT_EQ(5, record.GetSize());
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(c.record[i], record[i]) << "options " << c.dwOptions << " word " << i;
    }
}

namespace {

struct MenuLine {
    std::wstring text;
    UINT nID;
    bool bChecked;
};

std::vector<MenuLine> Lines(HMENU hMenu) {
    std::vector<MenuLine> lines;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 63;
        ::GetMenuItemInfoW(hMenu, i, TRUE, &info);
        lines.push_back({text, info.hSubMenu ? 0u : info.wID, (info.fState & MFS_CHECKED) != 0});
        if (info.hSubMenu != NULL)
            for (const MenuLine& sub : Lines(info.hSubMenu))
                lines.push_back({L"  " + sub.text, sub.nID, sub.bChecked});
    }
    return lines;
}

std::vector<std::wstring> Checked(int nState) {
    HMENU hMenu = BuildDockingMenu(nState);
    std::vector<std::wstring> checked;
    for (const MenuLine& line : Lines(hMenu))
        if (line.bChecked)
            checked.push_back(line.text);
    ::DestroyMenu(hMenu);
    return checked;
}

} // namespace

TEST(SysCommandEx, TheMenuListsEveryStateFromTheStringTable) {
    HMENU hMenu = BuildDockingMenu(stateNone);
    const std::vector<MenuLine> lines = Lines(hMenu);
    ::DestroyMenu(hMenu);
    const std::vector<std::pair<std::wstring, UINT>> expected = {
        {L"&Docked", 5},     {L"&Floating", 10},    {L"&MDI Child", 1},   {L"", 0},
        {L"D&ocked to", 0},  {L"  &Top", 7},        {L"  &Left", 6},      {L"  &Bottom", 9},
        {L"  &Right", 8},    {L"MD&I Child as", 0}, {L"  Mi&nimized", 2}, {L"  Ma&ximized", 3},
        {L"  &Restored", 4},
    };
    ASSERT_EQ(expected.size(), lines.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, lines[i].text) << i;
        EXPECT_EQ(expected[i].second, lines[i].nID) << i;
    }
}

TEST(SysCommandEx, CheckMarksFollowTheState) {
    using V = std::vector<std::wstring>;
    EXPECT_EQ((V{L"&Docked", L"  &Left"}), Checked(stateDockedLeft));
    EXPECT_EQ((V{L"&Docked", L"  &Bottom"}), Checked(stateDockedBottom));
    EXPECT_EQ((V{L"&Floating"}), Checked(stateFloating));
    EXPECT_EQ((V{L"&MDI Child", L"  Ma&ximized"}), Checked(stateMDIChildMaximized));
    EXPECT_EQ((V{L"&MDI Child", L"  &Restored"}), Checked(stateMDIChildRestored));
    EXPECT_EQ((V{}), Checked(stateNone));
}

TEST(SysCommandEx, OnlyRecordsThisThreadIsSendingAreBelieved) {
    SysCommandExRecord record = {};
    EXPECT_EQ(nullptr, LiveRecord((LPARAM)&record));
    EXPECT_EQ(nullptr, LiveRecord(0));
    // A window that looks at the record while it is being sent.
    static SysCommandExRecord* s_pSeen = nullptr;
    struct Receiver {
        static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == Corvalis::WM_SYSCOMMANDEX())
                s_pSeen = LiveRecord(lParam);
            return ::DefWindowProcW(hWnd, message, wParam, lParam);
        }
    };
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Receiver::Proc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"MoxSysCommandExReceiver";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                wc.hInstance, NULL);
    ASSERT_NE((HWND)NULL, hWnd);
    SendSysCommandEx(hWnd, cmdQuery, record);
    EXPECT_EQ(&record, s_pSeen);
    // The same address sent by hand, or posted, is not a live record.
    ::SendMessageW(hWnd, Corvalis::WM_SYSCOMMANDEX(), cmdQuery, (LPARAM)&record);
    EXPECT_EQ(nullptr, s_pSeen);
    ::DestroyWindow(hWnd);
    ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
    EXPECT_TRUE(IsSysCommandEx(0xC000));
    EXPECT_TRUE(IsSysCommandEx(0xC02F));
    EXPECT_FALSE(IsSysCommandEx(0xC010));
    EXPECT_EQ(108u, sizeof(void*) == 4 ? sizeof(SysCommandExRecord) : 108u);
}
