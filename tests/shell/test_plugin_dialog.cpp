// "Show Plug-ins" filled from the host's plug-in tree: the shown records in order with their
// columns, the item of each written back, expanded as their flags say, the first one selected,
// and bad trees filled only to a bounded depth.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "host/lib/call_log.h"
#include "host/lib/host_sim.h"
#include "host/lib/plugin_tree.h"
#include "shell/plugins/plugin_dialog.h"
#include "shell/plugins/plugin_walk.h"
#include "tests/support/message_pump.h"

namespace {

struct Records {
    std::deque<PluginInfoNode> nodes;
    PluginInfoNode* Add(const char* name, uintptr_t flags = 0) {
        nodes.push_back(PluginRecord(flags, name, "desc", "1.0", "CMD", "C:\\p"));
        return &nodes.back();
    }
};

class PluginDialogTest : public ::testing::Test {
protected:
    void Open(PluginInfoNode* root) {
        dialog.m_pRoot = root;
        ASSERT_TRUE(dialog.Create(IDD_PLUGINS));
        PumpMessages();
    }
    void TearDown() override {
        if (dialog.m_hWnd != NULL)
            dialog.DestroyWindow();
        PumpMessages();
    }
    // The names of the rows, from the top.
    std::vector<std::wstring> Rows() {
        std::vector<std::wstring> rows;
        for (int i = 0; HTREEITEM h = dialog.Tree().GetItemFromIndex(i); ++i)
            rows.push_back(static_cast<LPCWSTR>(dialog.Tree().GetItemText(h, 0)));
        return rows;
    }
    CPlugin dialog;
};

TEST_F(PluginDialogTest, TheShownRecordsFillTheTree) {
    Records t;
    PluginInfoNode* host = t.Add("host", PluginFlags::expanded);
    PluginInfoNode* a = t.Add("a", PluginFlags::plugin | PluginFlags::expanded);
    PluginInfoNode* a1 = t.Add("a1", PluginFlags::expanded | PluginFlags::collapsed);
    PluginInfoNode* a11 = t.Add("a11");
    PluginInfoNode* hidden = t.Add("hidden", PluginFlags::hidden2 | PluginFlags::expanded);
    PluginInfoNode* hiddenChild = t.Add("hidden child");
    PluginInfoNode* b = t.Add("b", PluginFlags::expanded); // expanded, but without children
    host->firstChild = a;
    a->firstChild = a1;
    a1->firstChild = a11;
    a->next = hidden;
    hidden->firstChild = hiddenChild;
    hidden->next = b;
    b->path = nullptr;
    Open(host);

    CTreePLG& tree = dialog.Tree();
    ASSERT_EQ(IDC_PLUGIN_TREE, ::GetDlgCtrlID(tree.m_hWnd));
    const wchar_t* titles[] = {L"Plug-in", L"Description", L"Version", L"Command", L"Path"};
    ASSERT_EQ(5, tree.GetColumnCount());
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(titles[i], tree.GetColumnText(i).GetString()) << i;
    // a1 is collapsed (16 wins over 1): a11 has no row.
    EXPECT_EQ((std::vector<std::wstring>{L"host", L"a", L"a1", L"b"}), Rows());
    EXPECT_EQ(HTREEITEM(host->item), tree.GetSelectedItem());
    for (PluginInfoNode* shown : {host, a, a1, a11, b})
        EXPECT_NE(nullptr, shown->item) << shown->name;
    EXPECT_EQ(nullptr, hidden->item);
    EXPECT_EQ(nullptr, hiddenChild->item);
    EXPECT_EQ(HTREEITEM(a1->item), tree.GetNextItem(HTREEITEM(a11->item), TVGN_PARENT));
    EXPECT_TRUE(tree.IsItemExpanded(HTREEITEM(host->item)));
    EXPECT_TRUE(tree.IsItemExpanded(HTREEITEM(a->item)));
    EXPECT_FALSE(tree.IsItemExpanded(HTREEITEM(a1->item)));
    const HTREEITEM hA = HTREEITEM(a->item);
    EXPECT_STREQ(L"desc", tree.GetItemText(hA, 1).GetString());
    EXPECT_STREQ(L"1.0", tree.GetItemText(hA, 2).GetString());
    EXPECT_STREQ(L"CMD", tree.GetItemText(hA, 3).GetString());
    EXPECT_STREQ(L"C:\\p", tree.GetItemText(hA, 4).GetString());
    EXPECT_STREQ(L"", tree.GetItemText(HTREEITEM(b->item), 4).GetString()); // null path
    // The columns share the client width.
    CRect client;
    tree.GetClientRect(&client);
    int total = 0;
    for (int i = 0; i < 5; ++i)
        total += tree.GetColumnWidth(i);
    EXPECT_NEAR(client.Width(), total, 5 + client.Width() / 10);
}

TEST_F(PluginDialogTest, ANullRootGivesAnEmptyTree) {
    Open(nullptr);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(nullptr, dialog.Tree().GetSelectedItem());
}

// Bad host data: a chain 10,000 deep, and one whose records point back at their ancestors. The
// dialog fills a bounded depth, shows each record once, and says that the list is cut.
TEST_F(PluginDialogTest, DeepAndCyclicTreesFillABoundedDepthAndSaySo) {
    ConfigureHost(HostOptions());
    CaptureMessageBoxes();
    CallLog::Get().Clear();
    Records t;
    PluginInfoNode* root = t.Add("r", PluginFlags::expanded);
    PluginInfoNode* last = root;
    for (int i = 0; i < 10000; ++i) {
        last->firstChild = t.Add("r", PluginFlags::expanded);
        last = last->firstChild;
    }
    last->firstChild = root; // and the deepest record leads back to the top
    root->next = root;
    Open(root);
    EXPECT_EQ(kMaxPluginDepth - 1, dialog.Tree().GetChildCount(HTREEITEM(root->item), TRUE));
    EXPECT_EQ(kMaxPluginDepth, static_cast<int>(Rows().size()));
    EXPECT_EQ(1u, CallLog::Get().Named("MessageBox").size());
}

} // namespace
