// The host's menu items: anchors of both sets, the counters, the flags, refused calls; the
// disabled-command list.
#include "tests/support/app_fixture.h"

namespace {

using InsertFn = int(__cdecl*)(const char*, UINT_PTR, int, unsigned);
using EnableFn = int(__cdecl*)(unsigned, int);

int Position(HMENU menu, const wchar_t* text) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (MenuItemText(menu, i) == text)
            return i;
    return -1;
}

struct AnchorCase {
    bool setA;
    int selector;
    const wchar_t* menu;   // null: the menu bar
    const wchar_t* anchor; // the item the anchor is counted from
    int offset;            // the anchor's distance from it
};

TEST_F(AppTest, EachSelectorInsertsAfterItsAnchor) {
    const AnchorCase cases[] = {
        {false, -1, L"&File", L"Close Log&file", 0},
        {false, -2, L"&File", L"P&rint Setup ...", 0},
        {false, -3, L"&File", L"Reset &Configuration", 0}, // found with '&' ignored
        {false, -5, L"&Run", L"St&op", 0},
        {false, -4, L"D&isplay", L"&Local Variables", 0},
        {true, -4, L"D&isplay", L"&TSS", 0},
        {false, -6, L"&Data", L"&Block Compare ...", 0},
        {false, -7, L"&Help", L"&Documentation", 0},
        {true, -8, nullptr, L"&Window", 0},
        {false, -8, nullptr, L"&Options", 1}, // set B's anchor is the menu after "&Options"
    };
    for (const AnchorCase& c : cases) {
        HostOptions o;
        o.menuInsertSetA = c.setA;
        Start(o);
        auto insert = Get<InsertFn>("InsertGuiMenuItem");
        EXPECT_EQ(1, insert("Host item", 1100, c.selector, 0));
        HMENU menu = c.menu ? Popup(c.menu) : GetMenu(Frame());
        if (c.selector == -6)
            menu = GetSubMenu(Popup(L"&Debug"), Position(Popup(L"&Debug"), L"&Data"));
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ(Position(menu, c.anchor) + c.offset + 1, Position(menu, L"Host item"))
            << c.selector << (c.setA ? " A" : " B");
        Unload();
    }
}

TEST_F(AppTest, ItemsOfOneSelectorFollowInTheirOrder) {
    Start();
    auto insert = Get<InsertFn>("InsertGuiMenuItem");
    EXPECT_EQ(1, insert("First", 1100, -1, 3));
    EXPECT_EQ(1, insert("Second", 1101, -1, 0x10));
    HMENU file = Popup(L"&File");
    const int anchor = Position(file, L"Close Log&file");
    EXPECT_EQ(anchor + 1, Position(file, L"First"));
    EXPECT_EQ(anchor + 2, Position(file, L"Second"));
    EXPECT_TRUE(GetMenuState(file, 1100, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(file, 1101, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(AppTest, RefusedInsertionsChangeNothing) {
    Start();
    auto insert = Get<InsertFn>("InsertGuiMenuItem");
    HMENU file = Popup(L"&File");
    const int count = GetMenuItemCount(file);
    EXPECT_EQ(0, insert("Bad", 1100, -9, 0));
    EXPECT_EQ(0, insert("Bad", 1100, 0, 0));
    EXPECT_EQ(0, insert("Bad", 0x10000, -1, 0));
    EXPECT_EQ(0, insert("Bad", 1234, -1, 0x4)); // a popup without a menu
    EXPECT_EQ(count, GetMenuItemCount(file));
}

TEST_F(AppTest, ANullTextInsertsAnEmptyItem) {
    Start();
    auto insert = Get<InsertFn>("InsertGuiMenuItem");
    HMENU file = Popup(L"&File");
    const int anchor = Position(file, L"Close Log&file");
    EXPECT_EQ(1, insert(nullptr, 1100, -1, 0));
    EXPECT_EQ(1100u, GetMenuItemID(file, anchor + 1));
    EXPECT_EQ(L"", MenuItemText(file, anchor + 1));
}

TEST_F(AppTest, EnableFuncRemovesEveryOccurrence) {
    Start();
    auto insert = Get<InsertFn>("InsertGuiMenuItem");
    auto enable = Get<EnableFn>("EnableFunc");
    ASSERT_EQ(1, insert("Host item", 1100, -1, 0));
    HMENU file = Popup(L"&File");
    auto greyed = [&] {
        SendMessageW(Frame(), WM_INITMENUPOPUP, (WPARAM)file, 0);
        return (GetMenuState(file, 1100, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    EXPECT_FALSE(greyed());
    EXPECT_EQ(1, enable(1100, 0));
    EXPECT_EQ(1, enable(1100, 0));
    EXPECT_TRUE(greyed());
    EXPECT_EQ(1, enable(1100, 1));
    EXPECT_FALSE(greyed());
}

} // namespace
