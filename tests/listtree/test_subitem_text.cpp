// Column texts of tree items kept apart from the rows.
#include "listtree/subitem_text.h"
#include "listtree/tree_nodes.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

HTREEITEM Item(UINT_PTR n) {
    return reinterpret_cast<HTREEITEM>(0x100000 + n * 0x40);
}

// The item's texts as "a|b|c" (one field per stored element).
std::string Texts(const SECSubItemTextStorage& storage, HTREEITEM hItem) {
    const CStringArray* pTexts = storage.GetTexts(hItem);
    if (pTexts == nullptr)
        return "none";
    std::string joined;
    for (INT_PTR i = 0; i < pTexts->GetSize(); ++i) {
        if (i > 0)
            joined += "|";
        for (wchar_t ch : pTexts->GetAt(i).str())
            joined += (char)ch;
    }
    return joined;
}

void Fill(SECSubItemTextStorage& storage, HTREEITEM hItem, std::vector<const wchar_t*> texts) {
    for (size_t i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(storage.SetText(hItem, (int)i + 1, texts[i]));
}

TEST(SubItemTextStorage, SetAndGet) {
    SECSubItemTextStorage storage;
    ASSERT_TRUE(storage.SetText(Item(1), 5, L"five"));
    EXPECT_EQ(Texts(storage, Item(1)), "||||five");
    EXPECT_FALSE(storage.SetText(Item(1), 0, L"column zero is the node's"));
    EXPECT_TRUE(storage.SetText(Item(1), 2, nullptr));
    EXPECT_EQ(Texts(storage, Item(1)), "||||five");

    wchar_t buffer[16];
    struct Case {
        HTREEITEM item;
        int column;
        BOOL found;
        const wchar_t* text;
    } cases[] = {
        {Item(1), 5, TRUE, L"five"}, {Item(1), 2, TRUE, L""},  {Item(1), 6, FALSE, L""},
        {Item(1), 0, FALSE, L""},    {Item(2), 1, FALSE, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        wmemset(buffer, L'#', 16);
        EXPECT_EQ(storage.GetText(c.item, c.column, buffer, 16), c.found);
        EXPECT_STREQ(buffer, c.text);
    }
}

// The text is cut to the buffer and always terminated; no room writes nothing.
TEST(SubItemTextStorage, GetTextStaysInsideTheBuffer) {
    SECSubItemTextStorage storage;
    storage.SetText(Item(1), 1, L"abcdef");
    struct Case {
        int size;
        BOOL result;
        const wchar_t* expect; // what the buffer holds, canaries after it
    } cases[] = {
        {7, TRUE, L"abcdef"}, {6, TRUE, L"abcde"},     {4, TRUE, L"abc"},
        {1, TRUE, L""},       {0, FALSE, L"########"}, {-5, FALSE, L"########"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        wchar_t buffer[9];
        wmemset(buffer, L'#', 8);
        buffer[8] = 0;
        EXPECT_EQ(storage.GetText(Item(1), 1, buffer, c.size), c.result);
        EXPECT_STREQ(buffer, c.expect);
        for (int i = c.size > 0 ? c.size : 8; i < 8; ++i) {
            EXPECT_EQ(buffer[i], L'#') << "written past the buffer at " << i;
        }
    }
    EXPECT_FALSE(storage.GetText(Item(1), 1, nullptr, 10));
}

TEST(SubItemTextStorage, MoveInsertAndDeleteColumns) {
    struct Case {
        const char* name;
        std::function<BOOL(SECSubItemTextStorage&)> change;
        BOOL result;
        const char* after;
    } cases[] = {
        {"move 1 to 3", [](auto& s) { return s.MoveText(Item(1), 1, 3); }, TRUE, "b|c|a"},
        {"move 3 to 1", [](auto& s) { return s.MoveText(Item(1), 3, 1); }, TRUE, "c|a|b"},
        {"move an empty column in", [](auto& s) { return s.MoveText(Item(1), 5, 1); }, TRUE,
         "|a|b|c|"},
        {"move out past the end", [](auto& s) { return s.MoveText(Item(1), 1, 5); }, TRUE,
         "b|c|||a"},
        {"move between empty columns", [](auto& s) { return s.MoveText(Item(1), 7, 9); }, TRUE,
         "a|b|c"},
        {"move column 0", [](auto& s) { return s.MoveText(Item(1), 0, 2); }, FALSE, "a|b|c"},
        {"move to column 0", [](auto& s) { return s.MoveText(Item(1), 2, 0); }, FALSE, "a|b|c"},
        {"move further than memory holds", [](auto& s) { return s.MoveText(Item(1), 1, INT_MAX); },
         FALSE, "a|b|c"},
        {"move for an item without texts", [](auto& s) { return s.MoveText(Item(9), 1, 2); }, FALSE,
         "a|b|c"},
        {"set further than memory holds", [](auto& s) { return s.SetText(Item(1), INT_MAX, L"x"); },
         FALSE, "a|b|c"},
        {"insert column 2",
         [](auto& s) {
             s.InsertColumnText(2);
             return TRUE;
         },
         TRUE, "a||b|c"},
        {"insert past the texts",
         [](auto& s) {
             s.InsertColumnText(4);
             return TRUE;
         },
         TRUE, "a|b|c"},
        {"delete column 1",
         [](auto& s) {
             s.DeleteColumnText(1);
             return TRUE;
         },
         TRUE, "b|c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SECSubItemTextStorage storage;
        Fill(storage, Item(1), {L"a", L"b", L"c"});
        Fill(storage, Item(2), {L"x"});
        EXPECT_EQ(c.change(storage), c.result);
        EXPECT_EQ(Texts(storage, Item(1)), c.after);
        EXPECT_EQ(Texts(storage, Item(9)), "none");
    }
    SECSubItemTextStorage storage;
    Fill(storage, Item(1), {L"a", L"b", L"c"});
    Fill(storage, Item(2), {L"x"});
    storage.InsertColumnText(1);
    EXPECT_EQ(Texts(storage, Item(2)), "|x") << "every item's texts move";
}

TEST(SubItemTextStorage, RemovedItemsStartAgainWithoutTexts) {
    SECSubItemTextStorage storage;
    Fill(storage, Item(1), {L"a"});
    EXPECT_TRUE(storage.RemoveItem(Item(1)));
    EXPECT_FALSE(storage.RemoveItem(Item(1)));
    EXPECT_EQ(Texts(storage, Item(1)), "none");

    // Many items: every look-up still finds its own texts as the table grows.
    const int n = 20000;
    for (int i = 0; i < n; ++i)
        ASSERT_TRUE(storage.SetText(Item(i), 1 + i % 3, std::to_wstring(i).c_str()));
    EXPECT_EQ(storage.GetItemCount(), n);
    for (int i = 0; i < n; i += 7) {
        wchar_t buffer[16];
        ASSERT_TRUE(storage.GetText(Item(i), 1 + i % 3, buffer, 16));
        ASSERT_EQ(std::wstring(buffer), std::to_wstring(i));
    }
    for (int i = 0; i < n; i += 2)
        ASSERT_TRUE(storage.RemoveItem(Item(i)));
    EXPECT_EQ(storage.GetItemCount(), n / 2);
    EXPECT_EQ(Texts(storage, Item(3)), "3");
}

// The texts belong to the item, not to a row: a collapsed or hidden subtree keeps them, and
// deleting an item (as the tree does after its notification) takes them with it.
TEST(SubItemTextStorage, TextsOfItemsWithoutRows) {
    SECTreeNodes tree;
    SECSubItemTextStorage storage;
    HTREEITEM hParent =
        tree.Link(std::make_unique<_Node>(), tree.GetRootNode(), SECTreeNode::addLast);
    HTREEITEM hChild =
        tree.Link(std::make_unique<_Node>(), tree.ItemFromHandle(hParent), SECTreeNode::addLast);
    storage.SetText(hChild, 1, L"kept");
    ASSERT_FALSE(tree.IsItemVisible(hChild)); // collapsed parent: no row
    tree.ItemFromHandle(hParent)->SetFlag(_Node::flagHidden, TRUE);
    wchar_t buffer[8];
    EXPECT_TRUE(storage.GetText(hChild, 1, buffer, 8));
    EXPECT_STREQ(buffer, L"kept");
    tree.DeleteSubtree(tree.ItemFromHandle(hParent),
                       [&](_Node* p) { storage.RemoveItem(p->m_item.hItem); });
    EXPECT_EQ(storage.GetItemCount(), 0);
}

} // namespace
