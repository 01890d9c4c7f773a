// The shortcut table on the main frame: reading its accelerators, assigning shortcuts, putting
// them back, and the key texts written behind the menu items.
#include "shortcut_test_app.h"
#include "toolbars/bmpmenu_item.h"

#include <gtest/gtest.h>

namespace {

CString TextOf(WORD wHotKey) {
    CString text;
    HotKeyToText(wHotKey, text);
    return text;
}

// Gives the frame its first table back after a test that installs others.
struct FrameShortcuts : testing::Test {
    void TearDown() override {
        HACCEL hNow = TestMainFrame()->GetAccelTable();
        if (hNow != TestDefaultAccel()) {
            ::DestroyAcceleratorTable(hNow);
            TestMainFrame()->SetAccelTable(TestDefaultAccel());
        }
    }
};

} // namespace

TEST_F(FrameShortcuts, TheTableStartsWithTheFramesAccelerators) {
    SECShortcutTable table;
    EXPECT_TRUE(SameEntries(EntriesOf(table), EntriesOf(TestDefaultAccel())));
    ASSERT_EQ(table.GetSize(), 5);
    EXPECT_EQ(table[0].cmd, ID_TEST_OPEN);

    // Without a main window there is nothing to read, and nothing to put back.
    CWnd* pMain = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = NULL;
    EXPECT_FALSE(table.ReadFromFrame());
    EXPECT_EQ(table.GetSize(), 0);
    table.ResetToDefault();
    EXPECT_EQ(table.GetSize(), 5);
    EXPECT_FALSE(table.Apply());
    AfxGetApp()->m_pMainWnd = pMain;
}

TEST_F(FrameShortcuts, SetShortcutTakesOverTheEntryWithTheSameKeys) {
    SECShortcutTable table;
    table.RemoveAll();
    ACCEL plain = {FVIRTKEY | FCONTROL, 'O', ID_TEST_OPEN}; // no FNOINVERT: still the same keys
    table.Add(plain);
    ACCEL other = {FVIRTKEY | FCONTROL | FSHIFT, 'O', ID_TEST_CLOSE};
    table.Add(other);

    EXPECT_EQ(table.SetShortcut(0x0200 | 'O', ID_TEST_GO), 0);
    EXPECT_EQ(table[0].cmd, ID_TEST_GO);
    EXPECT_EQ(table[0].fVirt, FVIRTKEY | FNOINVERT | FCONTROL);
    EXPECT_EQ(table[1].cmd, ID_TEST_CLOSE);
    // Other modifiers, or another key: a new entry.
    EXPECT_EQ(table.SetShortcut(0x0400 | 'O', ID_TEST_TILE), 2);
    EXPECT_EQ(table[2].fVirt, FVIRTKEY | FNOINVERT | FALT);
    EXPECT_EQ(table.SetShortcut(0x0200 | 'P', ID_TEST_TILE), 3);
    EXPECT_EQ(table.SetShortcut(0x0300 | 'O', ID_TEST_LOAD), 1);
    EXPECT_EQ(table.GetSize(), 4);
}

TEST_F(FrameShortcuts, RewrittenMenusCarryTheKeyTextsOfTheirCommands) {
    HMENU hMenu = ::LoadMenuW(::GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDR_TEST_MAIN));
    ASSERT_NE(hMenu, (HMENU)NULL);
    HMENU hFile = ::GetSubMenu(hMenu, 0);
    HMENU hMore = ::GetSubMenu(hFile, 4);
    // A bitmap-menu item keeps its text in its record.
    HMENU hTemplate = ::LoadMenuW(::GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDR_TEST_TEMPLATE));
    HMENU hWindow = ::GetSubMenu(hTemplate, 0);
    SECBmpMenuItemInfo info(ID_TEST_TILE, L"&Tile\tOld");
    ::ModifyMenuW(hWindow, 1, MF_BYPOSITION | MF_OWNERDRAW, ID_TEST_TILE, (LPCWSTR)&info);

    SECShortcutTable table;
    ACCEL alt = {FALT, 'x', ID_TEST_CLOSE};
    table.Add(alt);
    ACCEL tile = {FVIRTKEY | FCONTROL, 'T', ID_TEST_TILE};
    table.Add(tile);
    table.RewriteMenu(hMenu, TRUE);
    table.RewriteMenu(hTemplate, TRUE);

    EXPECT_EQ(ItemText(hFile, 0), CString(L"&Open ...\t") + TextOf(0x0200 | 'O'));
    EXPECT_EQ(ItemText(hFile, 1), CString(L"&Close\tAlt + x"));
    EXPECT_EQ(ItemText(hMore, 0), CString(L"&Modules\t") + TextOf(0x0400 | 'M'));
    // The same command twice: both items.
    EXPECT_EQ(ItemText(hMore, 1), CString(L"Open &again\t") + TextOf(0x0200 | 'O'));
    // The menu bar's own items never carry key texts; an old one goes.
    EXPECT_EQ(ItemText(hMenu, 1), CString(L"&Go"));
    EXPECT_EQ(ItemText(hMenu, 2), CString(L"System"));
    EXPECT_EQ(info.m_strText, CString(L"&Tile\t") + TextOf(0x0200 | 'T'));
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(hWindow, 1, TRUE, &mii);
    EXPECT_NE(mii.fType & MFT_OWNERDRAW, 0u);

    // Without an entry the old key text goes, tab and all.
    table.RemoveAll();
    table.RewriteMenu(hMenu, TRUE);
    EXPECT_EQ(ItemText(hFile, 0), CString(L"&Open ..."));
    EXPECT_EQ(ItemText(hMore, 0), CString(L"&Modules"));
    ::ModifyMenuW(hWindow, 1, MF_BYPOSITION | MF_STRING, ID_TEST_TILE, L"&Tile");
    ::DestroyMenu(hTemplate);
    ::DestroyMenu(hMenu);
}

TEST_F(FrameShortcuts, ApplyInstallsANewTableAndRewritesTheMenus) {
    SECShortcutTable table;
    table.SetShortcut(0x0300 | 'T', ID_TEST_TILE);
    ASSERT_TRUE(table.Apply());
    const HACCEL hFirst = TestMainFrame()->GetAccelTable();
    EXPECT_NE(hFirst, TestDefaultAccel());
    EXPECT_TRUE(SameEntries(EntriesOf(hFirst), EntriesOf(table)));
    const CString tile = ItemText(::GetSubMenu(TestTemplate()->m_hMenuShared, 0), 1);
    EXPECT_EQ(tile, CString(L"&Tile\t") + TextOf(0x0300 | 'T'));

    // The next one replaces it (and destroys it); the default table is never destroyed.
    table.RemoveAt(table.GetSize() - 1);
    ASSERT_TRUE(table.Apply());
    EXPECT_EQ(::CopyAcceleratorTableW(hFirst, NULL, 0), 0);
    EXPECT_EQ(ItemText(::GetSubMenu(TestTemplate()->m_hMenuShared, 0), 1), CString(L"&Tile"));
    ::DestroyAcceleratorTable(TestMainFrame()->GetAccelTable());
    TestMainFrame()->SetAccelTable(TestDefaultAccel());
    table.ResetToDefault();
    ASSERT_TRUE(table.Apply());
    EXPECT_GT(::CopyAcceleratorTableW(TestDefaultAccel(), NULL, 0), 0);

    // An empty table makes no accelerator table.
    table.RemoveAll();
    EXPECT_FALSE(table.Apply());
}

TEST(ShortcutKeyTexts, VirtualKeysByNameCharactersAsThemselves) {
    struct Case {
        ACCEL accel;
        CString expected;
    };
    const Case cases[] = {
        {{FVIRTKEY | FCONTROL, 'O', 1}, TextOf(0x0200 | 'O')},
        {{FVIRTKEY, VK_F5, 1}, TextOf(VK_F5)},
        {{FALT, 'x', 1}, L"Alt + x"},
        {{0, '#', 1}, L"#"},
        {{0, 0x0F, 1}, GetKeyName(VK_CONTROL, FALSE) + L"+O"},
        {{0, 0, 1}, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SECShortcutTable::KeyText(c.accel), c.expected) << c.accel.key;
}
