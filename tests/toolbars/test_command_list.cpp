// The command list gathered from the main frame's menu, its accelerators and the templates'
// menus; and the settings link of the Toolbars dialogs.
#include "shortcut_test_app.h"
#include "toolbars/command_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Narrow(const CString& s) {
    std::string out;
    for (int i = 0; i < s.GetLength(); ++i)
        out += (char)s[i];
    return out;
}

std::string Listed(const SECCommandList& list) {
    std::string text;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        text += std::to_string(list[i].m_nID) + " " + Narrow(list[i].m_strName) + "|" +
                Narrow(list[i].m_strDescription) + "\n";
    return text;
}

} // namespace

TEST(CommandList, BuildListsEachCommandOnceInTheOrderFound) {
    SECCommandList list;
    list.Build();
    // The frame's menu (a doubled command once, recent files and system ids never), then the
    // accelerators, then the template's menu.
    EXPECT_EQ(Listed(list), "100 Open |Open a file\n"
                            "101 Close|Close the window\n"
                            "102 Modules|\n"
                            "103 Go|\n"
                            "104 Load Symbols/Data|Load Symbols And Data\n"
                            "106 Tile|\n");
    EXPECT_EQ(list.Find(ID_TEST_TILE), 5);
    EXPECT_EQ(list.Find(57616), -1);
    // A second build starts afresh.
    list.Build();
    EXPECT_EQ(list.GetSize(), 6);
}

TEST(CommandList, AddedCommandsAreNamedAndDescribedTheSameWay) {
    SECCommandList list;
    const UINT ids[] = {ID_TEST_LOAD, ID_TEST_TILE, 999};
    list.AddCommands(ids, 3);
    EXPECT_EQ(Listed(list), "104 Load Symbols/Data|Load Symbols And Data\n"
                            "106 Tile|\n"
                            "999 |\n");
    list.AddCommands(NULL, 4);
    EXPECT_EQ(list.GetSize(), 3);
    list.SetValues(3, 9);
    EXPECT_EQ(list.GetFirstValue(), 3);
    EXPECT_EQ(list.GetSecondValue(), 9);
}

namespace {

struct FakeManager {
    BOOL GetToolTips() const { return m_bToolTips; }
    BOOL GetCoolLook() const { return m_bCoolLook; }
    BOOL GetLargeButtons() const { return m_bLarge; }
    void SetToolTips(BOOL b) { m_calls += "tips " + std::to_string(b) + ";"; }
    void SetCoolLook(BOOL b, DWORD bits) {
        m_calls += "cool " + std::to_string(b) + " " + std::to_string(bits) + ";";
    }
    void SetLargeButtons(BOOL b) { m_calls += "large " + std::to_string(b) + ";"; }
    BOOL m_bToolTips = TRUE, m_bCoolLook = FALSE, m_bLarge = TRUE;
    std::string m_calls;
};

} // namespace

TEST(ToolBarsSettings, TakenFromTheManagerAndHandedBackInOrder) {
    FakeManager manager;
    SECToolBarsBaseT<FakeManager> base;
    base.ApplySettings(); // no manager yet: nothing
    base.SetManager(&manager);
    EXPECT_TRUE(base.m_bToolTips && base.m_bFirstToolTips);
    EXPECT_FALSE(base.m_bCoolLook || base.m_bFirstCoolLook);
    EXPECT_TRUE(base.m_bLargeButtons && base.m_bFirstLargeButtons);
    base.m_bCoolLook = TRUE;
    base.m_bLargeButtons = FALSE;
    base.ApplySettings();
    EXPECT_EQ(manager.m_calls, "tips 1;cool 1 768;large 0;");
    EXPECT_TRUE(base.m_bFirstLargeButtons);
}
