#include <gtest/gtest.h>

#include "bmpmenu_fixture.h"

namespace {

void Highlight(HMENU hMenu, int pos) {
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STATE;
    mii.fState = MFS_HILITE;
    ::SetMenuItemInfoW(hMenu, pos, TRUE, &mii);
}

TEST(BmpMenuMnemonics, TypedCharactersFindTheirItems) {
    TestImages images;
    MenuHost host;
    SECBmpMenuPlugIn plugIn(TRUE);
    plugIn.PlugInTo(&host);
    host.plugIn = &plugIn;
    SECBmpMenuItemInfo otherInfo(9, L"&Foreign");

    struct {
        const char* name;
        wchar_t typed;
        int highlighted;
        LRESULT result;
    } cases[] = {
        {"one match executes", L'x', -1, MAKELRESULT(3, MNC_EXECUTE)},
        {"upper case typed", L'X', -1, MAKELRESULT(3, MNC_EXECUTE)},
        {"two matches select the first", L'f', -1, MAKELRESULT(0, MNC_SELECT)},
        {"then the one after the highlight", L'f', 0, MAKELRESULT(2, MNC_SELECT)},
        {"and around again", L'f', 2, MAKELRESULT(0, MNC_SELECT)},
        {"a literal ampersand is no mnemonic", L'&', -1, 0},
        {"no match", L'q', -1, 0},
        {"another component's item", L'z', -1, 0},
    };
    for (const auto& c : cases) {
        HMENU popup = ::CreatePopupMenu();
        ::AppendMenuW(popup, MF_STRING, 1, L"&File");                                 // 0
        ::AppendMenuW(popup, MF_STRING, 2, L"Save &&Close");                          // 1
        ::AppendMenuW(popup, MF_STRING, 3, L"&Find");                                 // 2
        ::AppendMenuW(popup, MF_STRING, 4, L"E&xit");                                 // 3
        ::AppendMenuW(popup, MF_OWNERDRAW, 9, reinterpret_cast<LPCWSTR>(&otherInfo)); // 4
        ::AppendMenuW(popup, MF_STRING, 5, L"Plain &Zoom"); // 5: left as is below
        host.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        // Item 5 made plain again, as if another component had replaced it.
        ::ModifyMenuW(popup, 5, MF_BYPOSITION | MF_STRING, 5, L"Plain &Zoom");
        if (c.highlighted >= 0)
            Highlight(popup, c.highlighted);
        host.reached.clear();
        const LRESULT result = host.SendMessage(WM_MENUCHAR, MAKEWPARAM(c.typed, MF_POPUP),
                                                reinterpret_cast<LPARAM>(popup));
        EXPECT_EQ(c.result, result) << c.name;
        // Without a match the window goes on with its own handling.
        EXPECT_EQ(c.result == 0, !host.reached.empty()) << c.name;
        ::DestroyMenu(popup);
    }
    host.plugIn = nullptr;
}

TEST(BmpMenuMnemonics, MnemonicOfATextTable) {
    struct {
        const wchar_t* text;
        WCHAR mnemonic;
    } cases[] = {
        {L"E&xit", L'X'}, {L"&open", L'O'},    {L"Exit&", 0}, {L"No mnemonic", 0},
        {L"A &&B", 0},    {L"A &&B &c", L'C'}, {L"", 0},      {L"&\x00e4nderung", L'\x00c4'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.mnemonic, FindMenuMnemonic(c.text)) << static_cast<int>(c.mnemonic);
}

} // namespace
