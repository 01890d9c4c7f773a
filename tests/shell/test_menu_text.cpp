// The main frame finds a menu item by its exact text, from the last item up, without entering
// popups, to remove it or to enable and grey it.
#include <gtest/gtest.h>

#include "shell/frame/mainframe.h"

namespace {

class MenuText : public ::testing::Test {
protected:
    void SetUp() override {
        m_menu = ::CreateMenu();
        HMENU popup = ::CreatePopupMenu();
        ::AppendMenuW(popup, MF_STRING, 300, L"&Memory ...");
        const wchar_t* items[] = {L"&Source", L"Mem&ory Map", L"&Run ", L"&Source", L"E&xit"};
        UINT id = 100;
        for (const wchar_t* item : items)
            ::AppendMenuW(m_menu, MF_STRING, id++, item);
        ::AppendMenuW(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"D&isplay");
        m_long = std::wstring(200, L'x');
        ::AppendMenuW(m_menu, MF_STRING, 200, m_long.c_str());
    }
    void TearDown() override { ::DestroyMenu(m_menu); }
    std::vector<UINT> Ids() const {
        std::vector<UINT> ids;
        for (int i = 0; i < ::GetMenuItemCount(m_menu); ++i)
            ids.push_back(::GetMenuItemID(m_menu, i));
        return ids;
    }

    HMENU m_menu = NULL;
    std::wstring m_long;
};

TEST_F(MenuText, RemovesTheLastItemWhoseTextIsExactlyTheText) {
    const std::vector<UINT> before = Ids();
    const struct {
        std::wstring text;
        BOOL found;
    } misses[] = {{L"Source", FALSE},             // the '&' counts
                  {L"&source", FALSE},            // and the case
                  {L"&Run", FALSE},               // and a trailing blank
                  {L"&Memory ...", FALSE},        // only in a popup
                  {m_long.substr(0, 127), FALSE}, // the beginning of a long text
                  {L"", FALSE}};
    for (const auto& m : misses)
        EXPECT_EQ(m.found, CMainFrame::RemoveMenuItemByText(m_menu, m.text.c_str()))
            << m.text.size();
    EXPECT_FALSE(CMainFrame::RemoveMenuItemByText(m_menu, nullptr));
    EXPECT_FALSE(CMainFrame::RemoveMenuItemByText(NULL, L"&Source"));
    EXPECT_EQ(before, Ids());
    EXPECT_TRUE(CMainFrame::RemoveMenuItemByText(m_menu, L"&Source"));
    EXPECT_EQ((std::vector<UINT>{100, 101, 102, 104, UINT(-1), 200}), Ids()); // the later one
    EXPECT_TRUE(CMainFrame::RemoveMenuItemByText(m_menu, L"&Run "));
    EXPECT_TRUE(CMainFrame::RemoveMenuItemByText(m_menu, m_long.c_str()));
    EXPECT_EQ((std::vector<UINT>{100, 101, 104, UINT(-1)}), Ids());
}

TEST_F(MenuText, EnablesOrGreysTheItemByItsText) {
    auto state = [this](UINT id) {
        return ::GetMenuState(m_menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED);
    };
    EXPECT_TRUE(CMainFrame::EnableMenuItemByText(m_menu, L"Mem&ory Map", FALSE));
    EXPECT_EQ(UINT(MF_GRAYED | MF_DISABLED), state(101));
    EXPECT_TRUE(CMainFrame::EnableMenuItemByText(m_menu, L"Mem&ory Map", TRUE));
    EXPECT_EQ(0u, state(101));
    EXPECT_TRUE(CMainFrame::EnableMenuItemByText(m_menu, L"&Source", FALSE));
    EXPECT_EQ(0u, state(100)); // the last one of the two
    EXPECT_EQ(UINT(MF_GRAYED | MF_DISABLED), state(103));
    EXPECT_FALSE(CMainFrame::EnableMenuItemByText(m_menu, L"Memory Map", FALSE));
    EXPECT_FALSE(CMainFrame::EnableMenuItemByText(m_menu, L"&Memory ...", FALSE));
}

} // namespace
