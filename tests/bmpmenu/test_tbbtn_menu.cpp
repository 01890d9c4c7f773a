#include <gtest/gtest.h>

#include "tbbtn_fixture.h"
#include "toolbars/drawing/resourcedata.h"
#include "toolbars/tbbtn_menu.h"

#include <string>
#include <vector>

namespace {

std::vector<BYTE> MenuResource() {
    DWORD cb = 0;
    const BYTE* p = LockResourceData(MAKEINTRESOURCEW(3000), RT_MENU, cb);
    return p != nullptr ? std::vector<BYTE>(p, p + cb) : std::vector<BYTE>();
}

std::wstring ItemText(HMENU hMenu, int pos) {
    wchar_t text[64] = {};
    ::GetMenuStringW(hMenu, pos, text, 64, MF_BYPOSITION);
    return text;
}

TEST(MenuTemplate, BuildsThePopupAtItsPosition) {
    const std::vector<BYTE> data = MenuResource();
    ASSERT_FALSE(data.empty());
    HMENU file = BuildPopupFromMenuTemplate(data.data(), static_cast<DWORD>(data.size()), 0);
    ASSERT_NE(nullptr, file);
    ASSERT_EQ(4, ::GetMenuItemCount(file));
    EXPECT_EQ(100u, ::GetMenuItemID(file, 0));
    EXPECT_EQ(L"&Open...\tCtrl+O", ItemText(file, 0));
    EXPECT_EQ(MF_SEPARATOR, ::GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
    HMENU recent = ::GetSubMenu(file, 2);
    ASSERT_NE(nullptr, recent);
    EXPECT_EQ(110u, ::GetMenuItemID(recent, 0));
    EXPECT_EQ(L"&Recent", ItemText(file, 2));
    EXPECT_EQ(101u, ::GetMenuItemID(file, 3));
    EXPECT_NE(0u, ::GetMenuState(file, 3, MF_BYPOSITION) & MF_GRAYED);
    ::DestroyMenu(file);

    HMENU edit = BuildPopupFromMenuTemplate(data.data(), static_cast<DWORD>(data.size()), 2);
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(130u, ::GetMenuItemID(edit, 0));
    ::DestroyMenu(edit);

    // The button builds it from its own resource.
    SECTBMenuBtn button;
    button.m_nMenuId = 3000;
    button.m_nPopup = 2;
    HMENU fromButton = button.CreatePopupMenu();
    ASSERT_NE(nullptr, fromButton);
    EXPECT_EQ(130u, ::GetMenuItemID(fromButton, 0));
    ::DestroyMenu(fromButton);
    button.m_nMenuId = 3999;
    EXPECT_EQ(nullptr, button.CreatePopupMenu());
}

TEST(MenuTemplate, NoPopupThereGivesNoMenu) {
    const std::vector<BYTE> data = MenuResource();
    for (int pos : {1, 3, 40, -1})
        EXPECT_EQ(nullptr,
                  BuildPopupFromMenuTemplate(data.data(), static_cast<DWORD>(data.size()), pos))
            << pos;
}

TEST(MenuTemplate, EveryCutOfTheTemplateIsRefused) {
    const std::vector<BYTE> data = MenuResource();
    // The last popup's items end the template (the resource may carry padding after them):
    // every copy shorter than that runs past its end.
    size_t needed = data.size();
    while (needed >= 2 && data[needed - 1] == 0 && data[needed - 2] == 0 && data[needed - 3] == 0 &&
           data[needed - 4] == 0)
        needed -= 2;
    for (size_t n = 0; n <= data.size(); ++n) {
        // A copy of exactly n bytes, so that reading past it would be caught by the heap.
        std::vector<BYTE> cut(data.begin(), data.begin() + static_cast<long>(n));
        HMENU hMenu = BuildPopupFromMenuTemplate(cut.data(), static_cast<DWORD>(n), 2);
        EXPECT_EQ(n >= needed, hMenu != nullptr) << n << " of " << data.size();
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
    }
}

TEST(MenuTemplate, HostileHeadersAndItems) {
    auto words = [](std::initializer_list<WORD> w) {
        std::vector<BYTE> bytes;
        for (WORD v : w) {
            bytes.push_back(static_cast<BYTE>(v & 0xFF));
            bytes.push_back(static_cast<BYTE>(v >> 8));
        }
        return bytes;
    };
    struct {
        const char* name;
        std::vector<BYTE> data;
    } cases[] = {
        {"extended version", words({1, 4, 0, 0, 0x90, 'A', 0, 0x80, 1, 'x', 0})},
        {"offset past the end", words({0, 200, 0x90, 'A', 0, 0x80, 1, 'x', 0})},
        {"text never ends", words({0, 0, 0x90, 'A', 0, 0x80, 1, 'x', 'y'})},
        {"level never ends", words({0, 0, 0x90, 'A', 0, 0x00, 1, 'x', 0})},
        {"odd byte count", std::vector<BYTE>{0, 0, 0, 0, 0x90}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nullptr,
                  BuildPopupFromMenuTemplate(c.data.data(), static_cast<DWORD>(c.data.size()), 0))
            << c.name;

    // Popups nested deeper than any menu needs.
    std::vector<WORD> deep = {0, 0};
    for (int i = 0; i < 200; ++i) {
        deep.push_back(0x90);
        deep.push_back(0);
    }
    deep.push_back(0x80);
    deep.push_back(1);
    deep.push_back(0);
    std::vector<BYTE> bytes;
    for (WORD v : deep) {
        bytes.push_back(static_cast<BYTE>(v & 0xFF));
        bytes.push_back(static_cast<BYTE>(v >> 8));
    }
    EXPECT_EQ(nullptr,
              BuildPopupFromMenuTemplate(bytes.data(), static_cast<DWORD>(bytes.size()), 0));

    // A bitmap or owner-draw flag would make the text's address a handle: it becomes a string.
    const std::vector<BYTE> bitmap =
        words({0, 0, 0x90, 'A', 0, 0x80 | MF_BITMAP | MF_OWNERDRAW, 7, 'x', 0});
    HMENU hMenu = BuildPopupFromMenuTemplate(bitmap.data(), static_cast<DWORD>(bitmap.size()), 0);
    ASSERT_NE(nullptr, hMenu);
    EXPECT_EQ(0u, ::GetMenuState(hMenu, 0, MF_BYPOSITION) & (MF_BITMAP | MF_OWNERDRAW));
    EXPECT_EQ(L"x", ItemText(hMenu, 0));
    ::DestroyMenu(hMenu);
}

} // namespace
