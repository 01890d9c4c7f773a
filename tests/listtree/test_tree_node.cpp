// Tree nodes without a window: walks, linking, deletion order, inherited flags, the skipped
// level and handles.
#include "listtree/tree_nodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

namespace {

// A node that says who it is and logs its own destruction.
struct NamedNode : _Node {
    NamedNode(std::string name, std::vector<std::string>* pLog, int* pAlive)
        : name(std::move(name)), pLog(pLog), pAlive(pAlive) {
        if (pAlive != nullptr)
            ++*pAlive;
    }
    ~NamedNode() override {
        if (pLog != nullptr)
            pLog->push_back(name);
        if (pAlive != nullptr)
            --*pAlive;
    }
    std::string name;
    std::vector<std::string>* pLog;
    int* pAlive;
};

std::string NameOf(const SECTreeNode* pNode) {
    if (pNode == nullptr)
        return "-";
    const NamedNode* pNamed = dynamic_cast<const NamedNode*>(pNode);
    return pNamed != nullptr ? pNamed->name : "root";
}

std::string NameOf(HTREEITEM hItem) {
    return NameOf(reinterpret_cast<const SECTreeNode*>(hItem));
}

_Node* NodeOf(HTREEITEM hItem) {
    return reinterpret_cast<_Node*>(hItem);
}

// root
//   A (expanded)
//     A1 (expanded)
//       A1a
//       A1b
//     A2
//   B
//   C (expanded)
//     C1
class NodeFixture : public ::testing::Test {
public:
    // Before the tree: its nodes write to them while it goes.
    std::vector<std::string> destroyed;
    int alive = 0;
    SECTreeNodes tree;
    std::map<std::string, HTREEITEM> item;
    std::function<void(_Node*)> record; // the owner's answer to a deletion

    void SetUp() override {
        Add("A", nullptr, true);
        Add("A1", "A", true);
        Add("A1a", "A1");
        Add("A1b", "A1");
        Add("A2", "A");
        Add("B", nullptr);
        Add("C", nullptr, true);
        Add("C1", "C");
    }

    HTREEITEM Add(const std::string& name, const char* parent, bool bExpanded = false,
                  UINT_PTR position = SECTreeNode::addLast) {
        auto pNode = std::make_unique<NamedNode>(name, &destroyed, &alive);
        pNode->SetExpanded(bExpanded);
        HTREEITEM hItem = tree.Link(std::move(pNode),
                                    parent != nullptr ? N(parent) : tree.GetRootNode(), position);
        if (hItem != nullptr)
            item[name] = hItem;
        return hItem;
    }
    _Node* N(const std::string& name) { return NodeOf(item.at(name)); }

    // Pre-order from the root through GetNextInOrder.
    std::string Walk() {
        std::string names;
        for (SECTreeNode* p = tree.GetRootNode()->GetNextInOrder(); p != nullptr;
             p = p->GetNextInOrder())
            names += NameOf(p) + " ";
        return names;
    }
    std::string Children(SECTreeNode* pParent) {
        std::string names;
        for (SECTreeNode* p = pParent->GetFirstChild(); p != nullptr; p = p->GetNextSibling())
            names += NameOf(p) + " ";
        return names;
    }
};

TEST_F(NodeFixture, WalksInPreOrderBothWays) {
    EXPECT_EQ(Walk(), "A A1 A1a A1b A2 B C C1 ");
    std::string back;
    for (SECTreeNode* p = N("C1"); p != nullptr; p = p->GetPrevInOrder())
        back += NameOf(p) + " ";
    EXPECT_EQ(back, "C1 C B A2 A1b A1a A1 A root ");

    struct Case {
        const char* node;
        const char* lastDescendant;
        const char* firstLeaf;
        int depth;
        const char* rootItem;
        const char* parentItem;
    } cases[] = {
        {"A", "A2", "A1a", 1, "A", "-"},   {"A1", "A1b", "A1a", 2, "A", "A"},
        {"A1b", "A1b", "-", 3, "A", "A1"}, {"B", "B", "-", 1, "B", "-"},
        {"C1", "C1", "-", 2, "C", "C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        EXPECT_EQ(NameOf(N(c.node)->GetLastDescendant()), c.lastDescendant);
        EXPECT_EQ(NameOf(N(c.node)->GetFirstLeaf()), c.firstLeaf);
        EXPECT_EQ(N(c.node)->GetDepth(), c.depth);
        EXPECT_EQ(NameOf(tree.GetRootItem(item[c.node])), c.rootItem);
        EXPECT_EQ(NameOf(tree.GetParentItem(item[c.node])), c.parentItem);
    }
    EXPECT_EQ(NameOf(tree.GetRootNode()->GetLastDescendant()), "C1");
    EXPECT_EQ(NameOf(N("C1")->GetNextInOrder()), "-");
    EXPECT_EQ(NameOf(N("A1b")->GetNextInOrderWithin(N("A1"))), "-");
    EXPECT_EQ(NameOf(N("A1b")->GetNextInOrderWithin(N("A"))), "A2");
    EXPECT_TRUE(N("A")->IsAncestorOf(N("A1b")));
    EXPECT_FALSE(N("A1b")->IsAncestorOf(N("A")));
    EXPECT_FALSE(N("A")->IsAncestorOf(N("A")));
    EXPECT_FALSE(N("A")->IsAncestorOf(nullptr));
}

TEST_F(NodeFixture, RootHandlesAndTheHiddenRoot) {
    for (HTREEITEM hRoot : {(HTREEITEM) nullptr, TVI_ROOT}) {
        EXPECT_EQ(tree.ItemFromHandle(hRoot), tree.GetRootNode());
        EXPECT_EQ(NameOf(tree.GetChildItem(hRoot)), "A");
        EXPECT_EQ(NameOf(tree.GetRootItem(hRoot)), "A");
        EXPECT_EQ(tree.GetNextSiblingItem(hRoot), nullptr);
        EXPECT_EQ(tree.GetPrevSiblingItem(hRoot), nullptr);
        EXPECT_EQ(tree.GetParentItem(hRoot), nullptr);
        EXPECT_FALSE(tree.IsItemHidden(hRoot));
        EXPECT_FALSE(tree.IsItemVisible(hRoot));
    }
    SECTreeNodes empty;
    EXPECT_EQ(empty.GetRootItem(nullptr), nullptr);
    int nCount = -1;
    EXPECT_EQ(empty.GetChildArray(TVI_ROOT, nCount), nullptr);
    EXPECT_EQ(nCount, 0);
    std::unique_ptr<HTREEITEM[]> children = tree.GetChildArray(item["A"], nCount);
    ASSERT_EQ(nCount, 2);
    EXPECT_EQ(NameOf(children[0]) + NameOf(children[1]), "A1A2");
}

// Values that are no live item of this tree are never read as nodes and change nothing.
TEST_F(NodeFixture, HandlesThatAreNoItem) {
    int onStack = 0;
    SECTreeNodes other;
    HTREEITEM hForeign =
        other.Link(std::make_unique<_Node>(), other.GetRootNode(), SECTreeNode::addLast);
    HTREEITEM hDeleted = item["B"];
    ASSERT_TRUE(tree.DeleteSubtree(N("B")));
    const HTREEITEM bad[] = {hDeleted, TVI_FIRST,           TVI_LAST,
                             TVI_SORT, (HTREEITEM)&onStack, (HTREEITEM)(UINT_PTR)0x10,
                             hForeign};
    for (HTREEITEM h : bad) {
        SCOPED_TRACE(testing::Message() << h);
        EXPECT_EQ(tree.ItemFromHandle(h), nullptr);
        EXPECT_EQ(tree.GetChildItem(h), nullptr);
        EXPECT_EQ(tree.GetNextSiblingItem(h), nullptr);
        EXPECT_EQ(tree.GetParentItem(h), nullptr);
        EXPECT_EQ(tree.GetRootItem(h), nullptr);
        EXPECT_EQ(tree.GetChildCount(h, TRUE), 0);
        EXPECT_FALSE(tree.IsItemVisible(h) || tree.IsItemHidden(h) || tree.ItemHasChildren(h));
        // As a parent or a position: refused, the new node deleted.
        int nAlive = alive;
        EXPECT_EQ(Add("X", nullptr, false, (UINT_PTR)h), nullptr);
        EXPECT_EQ(tree.Link(std::make_unique<NamedNode>("Y", nullptr, &alive),
                            tree.ItemFromHandle(h), SECTreeNode::addLast),
                  nullptr);
        EXPECT_FALSE(tree.Relink(N("C1"), tree.ItemFromHandle(h), SECTreeNode::addLast));
        EXPECT_EQ(alive, nAlive);
    }
    EXPECT_EQ(Walk(), "A A1 A1a A1b A2 C C1 ");
    EXPECT_EQ(tree.GetItemCount(), 7);
}

TEST_F(NodeFixture, AddChildPositions) {
    struct Case {
        const char* name;
        UINT_PTR position; // 0xA2 stands for "after A2"
        const char* children;
    } cases[] = {
        {"first", SECTreeNode::addFirst, "first A1 A2 "},
        {"last1", SECTreeNode::addLast, "A1 A2 last1 "},
        {"last2", SECTreeNode::addLastToo, "A1 A2 last2 "},
        {"afterA1", 0xA1, "A1 afterA1 A2 "},
        {"afterA2", 0xA2, "A1 A2 afterA2 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UINT_PTR position = c.position == 0xA1   ? (UINT_PTR)N("A1")
                            : c.position == 0xA2 ? (UINT_PTR)N("A2")
                                                 : c.position;
        HTREEITEM h = Add(c.name, "A", false, position);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(NodeOf(h)->m_item.hItem, h);
        EXPECT_EQ(Children(N("A")), c.children);
        EXPECT_EQ(NameOf(N("A")->GetLastChild()),
                  NameOf(N("A")->GetFirstChild()->GetLastSibling()));
        tree.DeleteSubtree(NodeOf(h));
    }
    // A leaf's first child gets null sibling links.
    HTREEITEM h = Add("only", "B", false, SECTreeNode::addFirst);
    EXPECT_EQ(NodeOf(h)->GetNextSibling(), nullptr);
    EXPECT_EQ(NodeOf(h)->GetPrevSibling(), nullptr);
    EXPECT_EQ(N("B")->GetLastChild(), NodeOf(h));
}

// Inserting after a node of another parent fails and leaves the new node wholly unlinked;
// through the tree the node is deleted, not leaked.
TEST_F(NodeFixture, FailedAddChildLeavesNothingHalfLinked) {
    NamedNode loose("loose", nullptr, nullptr);
    EXPECT_FALSE(N("A")->AddChild(&loose, (UINT_PTR)N("C1")));
    EXPECT_EQ(loose.RawParent(), nullptr);
    EXPECT_EQ(loose.GetNextSibling(), nullptr);
    EXPECT_EQ(loose.GetPrevSibling(), nullptr);
    EXPECT_FALSE(N("A")->AddChild(&loose, (UINT_PTR)TVI_SORT));
    EXPECT_FALSE(N("A")->AddChild(N("A"), SECTreeNode::addLast));  // itself
    EXPECT_FALSE(N("A1")->AddChild(N("A"), SECTreeNode::addLast)); // its ancestor
    EXPECT_EQ(Walk(), "A A1 A1a A1b A2 B C C1 ");

    const int nAlive = alive;
    EXPECT_EQ(Add("X", "A", false, (UINT_PTR)N("C1")), nullptr);
    EXPECT_EQ(alive, nAlive);
    EXPECT_EQ(Children(N("A")), "A1 A2 ");
    EXPECT_EQ(Children(N("C")), "C1 ");
    EXPECT_EQ(tree.GetItemCount(), 8);
}

TEST_F(NodeFixture, RelinkRefusesTheItemsOwnSubtree) {
    EXPECT_FALSE(tree.Relink(N("A"), N("A1a"), SECTreeNode::addLast));
    EXPECT_FALSE(tree.Relink(N("A"), N("A"), SECTreeNode::addLast));
    EXPECT_FALSE(tree.Relink(N("A1"), N("C"), (UINT_PTR)N("A2"))); // not a child of C
    EXPECT_FALSE(tree.Relink(N("A1"), N("A"), (UINT_PTR)N("A1"))); // after itself
    EXPECT_EQ(Walk(), "A A1 A1a A1b A2 B C C1 ");
    EXPECT_TRUE(tree.Relink(N("A1"), N("C"), (UINT_PTR)N("C1")));
    EXPECT_EQ(Walk(), "A A2 B C C1 A1 A1a A1b ");
    EXPECT_TRUE(tree.Relink(N("A1"), tree.GetRootNode(), SECTreeNode::addFirst));
    EXPECT_EQ(Walk(), "A1 A1a A1b A A2 B C C1 ");
}

TEST_F(NodeFixture, DeletionGoesLeavesFirst) {
    std::vector<std::string> notified;
    ASSERT_TRUE(tree.DeleteSubtree(N("A"), [&](_Node* p) {
        EXPECT_EQ(p->RawParent(), nullptr) << "unlinked before its notification";
        EXPECT_EQ(tree.ItemFromHandle(p->m_item.hItem), p) << "still a live handle";
        notified.push_back(NameOf(p));
    }));
    const std::vector<std::string> order = {"A1a", "A1b", "A1", "A2", "A"};
    EXPECT_EQ(notified, order);
    EXPECT_EQ(destroyed, order);
    EXPECT_EQ(Walk(), "B C C1 ");

    // The root's deletion takes every item but keeps the root.
    notified.clear();
    ASSERT_TRUE(
        tree.DeleteSubtree(tree.GetRootNode(), [&](_Node* p) { notified.push_back(NameOf(p)); }));
    EXPECT_EQ(notified, (std::vector<std::string>{"B", "C1", "C"}));
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(tree.GetItemCount(), 0);
    EXPECT_TRUE(tree.GetRootNode()->IsExpanded());

    // A node's own destructor goes the same way.
    std::vector<std::string> log;
    auto pTop = std::make_unique<NamedNode>("t", &log, nullptr);
    auto* pMid = new NamedNode("m", &log, nullptr);
    pTop->AddChild(pMid, SECTreeNode::addLast);
    pMid->AddChild(new NamedNode("l1", &log, nullptr), SECTreeNode::addLast);
    pMid->AddChild(new NamedNode("l2", &log, nullptr), SECTreeNode::addLast);
    pTop->AddChild(new NamedNode("s", &log, nullptr), SECTreeNode::addLast);
    pTop.reset();
    // The node's own part goes first (its destructor body), then its descendants, leaves first.
    EXPECT_EQ(log, (std::vector<std::string>{"t", "l1", "l2", "m", "s"}));
}

// The owner changes the tree from the deletion's notification.
TEST_F(NodeFixture, DeletionSurvivesAnOwnerThatChangesTheTree) {
    struct Case {
        const char* name;
        const char* top;
        std::function<void(NodeFixture&, _Node*)> owner;
        const char* notified;
        const char* left;
    } cases[] = {
        {"deletes the top's parent", "A1",
         [](NodeFixture& f, _Node* p) {
             if (NameOf(p) == "A1a")
                 f.tree.DeleteSubtree(f.N("A"), f.record);
         },
         "A1a A1b A1 A2 A ", "B C C1 "},
        {"deletes the same top", "A",
         [](NodeFixture& f, _Node* p) {
             if (NameOf(p) == "A1b") {
                 EXPECT_TRUE(f.tree.DeleteSubtree(f.N("A"), f.record));
             }
         },
         "A1a A1b A1 A2 A ", "B C C1 "},
        {"inserts under the dying node", "A1",
         [](NodeFixture& f, _Node* p) {
             if (NameOf(p) == "A1a") {
                 EXPECT_EQ(f.tree.Link(std::make_unique<NamedNode>("X", nullptr, &f.alive), p,
                                       SECTreeNode::addLast),
                           nullptr);
             }
         },
         "A1a A1b A1 ", "A A2 B C C1 "},
        {"inserts inside the subtree", "A",
         [](NodeFixture& f, _Node* p) {
             if (NameOf(p) == "A1b")
                 f.Add("new", "A", false, SECTreeNode::addFirst);
         },
         "A1a A1b new A1 A2 A ", "B C C1 "},
        {"deletes a later sibling", "A",
         [](NodeFixture& f, _Node* p) {
             if (NameOf(p) == "A1a")
                 f.tree.DeleteSubtree(f.N("A2"), f.record);
         },
         "A1a A2 A1b A1 A ", "B C C1 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        tree.ResetRoot();
        ASSERT_EQ(alive, 0);
        item.clear();
        SetUp();
        std::string notified;
        record = [&](_Node* p) {
            notified += NameOf(p) + " ";
            c.owner(*this, p);
        };
        EXPECT_TRUE(tree.DeleteSubtree(N(c.top), record));
        EXPECT_EQ(notified, c.notified);
        EXPECT_EQ(Walk(), c.left);
        EXPECT_EQ(alive, tree.GetItemCount());
    }
}

TEST_F(NodeFixture, AThrowingNotificationStillDestroysTheNode) {
    EXPECT_THROW(tree.DeleteSubtree(N("A1"), [](_Node*) { throw std::runtime_error("owner"); }),
                 std::runtime_error);
    EXPECT_EQ(Walk(), "A A1 A1b A2 B C C1 ");
    EXPECT_EQ(alive, 7);
    EXPECT_EQ(tree.GetItemCount(), 7);
    EXPECT_TRUE(tree.DeleteSubtree(N("A1")));
    EXPECT_EQ(Walk(), "A A2 B C C1 ");
}

TEST_F(NodeFixture, HiddenAndDisabledAreInheritedExpandedIsNot) {
    N("A1")->SetFlag(_Node::flagHidden, TRUE);
    N("C")->SetFlag(_Node::flagDisabled, TRUE);
    struct Case {
        const char* node;
        BOOL hidden, disabled, visible;
    } cases[] = {
        {"A", 0, 0, 1}, {"A1", 1, 0, 0}, {"A1b", 1, 0, 0}, {"A2", 0, 0, 1},
        {"B", 0, 0, 1}, {"C", 0, 1, 1},  {"C1", 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        EXPECT_EQ(tree.IsItemHidden(item[c.node]), c.hidden);
        EXPECT_EQ(tree.IsItemDisabled(item[c.node]), c.disabled);
        EXPECT_EQ(tree.IsItemVisible(item[c.node]), c.visible);
    }
    N("A1")->SetFlag(_Node::flagHidden, FALSE);

    // Collapsing A hides its descendants without touching their own expansion.
    N("A")->SetExpanded(FALSE);
    EXPECT_TRUE(tree.IsItemExpanded(item["A1"]));
    EXPECT_FALSE(tree.IsItemVisible(item["A1"]));
    EXPECT_FALSE(tree.IsItemVisible(item["A1a"]));
    N("A")->SetExpanded(TRUE);
    EXPECT_TRUE(tree.IsItemVisible(item["A1a"]));
    tree.GetRootNode()->SetExpanded(FALSE);
    EXPECT_FALSE(tree.IsItemVisible(item["A"]));
}

TEST_F(NodeFixture, ChildCountsAndClaims) {
    N("A")->SetExpanded(FALSE);
    struct Case {
        const char* node;
        BOOL recursive, expandedOnly;
        int count;
    } cases[] = {
        {nullptr, 0, 0, 3}, {nullptr, 1, 0, 8}, {nullptr, 1, 1, 4},
        {"A", 0, 0, 2},     {"A", 1, 0, 4},     {"A", 1, 1, 4}, // A's own state does not count
        {"B", 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.node ? c.node : "root") << c.recursive << c.expandedOnly);
        EXPECT_EQ(tree.GetChildCount(c.node ? item[c.node] : nullptr, c.recursive, c.expandedOnly),
                  c.count);
    }
    N("B")->m_item.cChildren = 1;
    N("A")->m_item.cChildren = 0;
    EXPECT_TRUE(tree.ItemClaimsChildren(item["B"]));
    EXPECT_FALSE(tree.ItemClaimsChildren(item["A"])) << "has child nodes";
    N("B")->m_item.cChildren = I_CHILDRENCALLBACK;
    EXPECT_FALSE(tree.ItemClaimsChildren(item["B"]));
    EXPECT_TRUE(tree.ItemClaimsChildren(item["B"], [](_Node*) { return 2; }));
}

TEST_F(NodeFixture, SkippedLevelJoinsTheChildrenOfTheHiddenDepth) {
    SECTreeNode* pRoot = tree.GetRootNode();
    EXPECT_EQ(NameOf(pRoot->GetFirstChild()), "A");
    EXPECT_EQ(N("A1")->GetSkippedLevel(), 0);

    // Depth 1 (A, B, C) hidden: their children form one chain under the root; B has none.
    ASSERT_TRUE(N("A1a")->SetSkippedLevel(1));
    EXPECT_EQ(tree.GetRootNode()->GetSkippedLevel(), 1);
    EXPECT_EQ(Children(pRoot), "A1 A2 C1 ");
    EXPECT_EQ(NameOf(N("C1")->GetPrevSibling()), "A2");
    EXPECT_EQ(NameOf(N("A1")->GetPrevSibling()), "-");
    EXPECT_EQ(N("C1")->GetParent(), pRoot);
    EXPECT_EQ(N("A1a")->GetDepth(), 2);
    EXPECT_EQ(Walk(), "A1 A1a A1b A2 C1 ");
    EXPECT_EQ(NameOf(pRoot->GetLastChild()), "C1");
    EXPECT_EQ(tree.GetParentItem(item["A1"]), nullptr);

    // Depth 2 hidden: A1's children join A2's (none) under A.
    ASSERT_TRUE(tree.GetRootNode()->SetSkippedLevel(2));
    EXPECT_EQ(Children(N("A")), "A1a A1b ");
    EXPECT_EQ(Walk(), "A A1a A1b B C ");

    // Deletion follows the raw tree whatever the getters show.
    std::string notified;
    tree.DeleteSubtree(N("A"), [&](_Node* p) { notified += NameOf(p) + " "; });
    EXPECT_EQ(notified, "A1a A1b A1 A2 A ");

    ASSERT_TRUE(N("C1")->SetSkippedLevel(0));
    EXPECT_FALSE(SECTreeNodeX::AnyLevelSkipped());
    EXPECT_EQ(Walk(), "B C C1 ");
}

// The last child is kept for speed; chains rewritten through the setters must not leave it
// stale.
TEST_F(NodeFixture, LastChildFollowsChainsRewrittenThroughTheSetters) {
    _Node* pA1 = N("A1");
    _Node* pFirst = N("A1a");
    _Node* pSecond = N("A1b");
    EXPECT_EQ(pA1->GetLastChild(), pSecond);
    pA1->SetFirstChild(pSecond);
    pSecond->SetPrevSibling(nullptr);
    pSecond->SetNextSibling(pFirst);
    pFirst->SetPrevSibling(pSecond);
    pFirst->SetNextSibling(nullptr);
    EXPECT_EQ(pA1->GetLastChild(), pFirst);
    EXPECT_EQ(pSecond->GetLastSibling(), pFirst);
    EXPECT_EQ(NameOf(NodeOf(Add("tail", "A1"))->GetPrevSibling()), "A1a");
}

} // namespace

// A chain 100,000 deep and 100,000 siblings: every walk and the deletion are iterative and
// linear (a recursive or quadratic one overflows the stack or never ends here).
TEST(TreeNodeScale, DeepChainAndWideLevel) {
    const int n = 100000;
    SECTreeNodes tree;
    _Node* pParent = tree.GetRootNode();
    for (int i = 0; i < n; ++i) {
        auto pNode = std::make_unique<_Node>();
        pNode->SetExpanded(TRUE);
        pNode->m_item.lParam = i;
        pParent =
            reinterpret_cast<_Node*>(tree.Link(std::move(pNode), pParent, SECTreeNode::addLast));
        ASSERT_NE(pParent, nullptr);
    }
    _Node* pDeepest = pParent;
    EXPECT_EQ(pDeepest->GetDepth(), n);
    EXPECT_EQ(tree.GetRootNode()->GetLastDescendant(), pDeepest);
    EXPECT_TRUE(tree.IsItemVisible(pDeepest->m_item.hItem));
    EXPECT_EQ(tree.GetChildCount(TVI_ROOT, TRUE, TRUE), n);
    EXPECT_EQ(NodeOf(tree.GetRootItem(pDeepest->m_item.hItem))->m_item.lParam, 0);
    int nWalked = 0;
    for (SECTreeNode* p = tree.GetRootNode()->GetNextInOrder(); p != nullptr;
         p = p->GetNextInOrder())
        ++nWalked;
    EXPECT_EQ(nWalked, n);
    int nBack = 0;
    for (SECTreeNode* p = pDeepest; p != tree.GetRootNode(); p = p->GetPrevInOrder())
        ++nBack;
    EXPECT_EQ(nBack, n);
    LPARAM expect = n - 1;
    bool bInOrder = true;
    ASSERT_TRUE(tree.DeleteSubtree(tree.GetRootNode(), [&](_Node* p) {
        bInOrder = bInOrder && p->m_item.lParam == expect--;
    }));
    EXPECT_TRUE(bInOrder) << "deepest first";
    EXPECT_EQ(tree.GetItemCount(), 0);

    for (int i = 0; i < n; ++i)
        ASSERT_NE(tree.Link(std::make_unique<_Node>(), tree.GetRootNode(), SECTreeNode::addLast),
                  nullptr);
    EXPECT_EQ(tree.GetChildCount(nullptr), n);
    // Made again as a raw chain and left to the destructors.
    auto pTop = std::make_unique<_Node>();
    SECTreeNode* pAt = pTop.get();
    for (int i = 0; i < n; ++i) {
        auto* pChild = new _Node();
        pAt->AddChild(pChild, SECTreeNode::addFirst);
        pAt = pChild;
    }
    pTop.reset();
}

// Random links, moves and deletions against a plain reference tree; every link must agree
// after each step.
TEST(TreeNodeScale, RandomEditsAgreeWithAReferenceTree) {
    const unsigned seed = (unsigned)GetTickCount();
    std::printf("seed %u\n", seed);
    srand(seed);
    SECTreeNodes tree;
    std::map<SECTreeNode*, std::vector<SECTreeNode*>> children; // the reference
    std::vector<_Node*> nodes;
    auto pick = [&]() -> _Node* {
        return nodes.empty() || rand() % 8 == 0 ? tree.GetRootNode() : nodes[rand() % nodes.size()];
    };
    auto forget = [&](_Node* p) {
        nodes.erase(std::find(nodes.begin(), nodes.end(), p));
        children.erase(p);
        auto& siblings = children[p->RawParent()];
        siblings.erase(std::find(siblings.begin(), siblings.end(), p));
    };
    children[tree.GetRootNode()];
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        _Node* pParent = pick();
        auto& kids = children[pParent];
        const int nAt = kids.empty() ? -1 : rand() % (int)kids.size();
        const int nKind = rand() % 4;
        UINT_PTR position = nKind == 0   ? SECTreeNode::addFirst
                            : nKind == 1 ? SECTreeNode::addLast
                            : nAt < 0    ? SECTreeNode::addLastToo
                                         : (UINT_PTR)kids[nAt];
        size_t nInsertAt = nKind == 0 ? 0 : (nKind == 1 || nAt < 0) ? kids.size() : nAt + 1;
        const int nOp = nodes.size() < 50 ? 0 : rand() % 3;
        if (nOp == 0) {
            auto pNode = std::make_unique<_Node>();
            _Node* p = pNode.get();
            ASSERT_NE(tree.Link(std::move(pNode), pParent, position), nullptr);
            kids.insert(kids.begin() + nInsertAt, p);
            nodes.push_back(p);
        } else if (nOp == 1) {
            _Node* pMove = nodes[rand() % nodes.size()];
            SECTreeNode* pOldParent = pMove->RawParent();
            const bool bValid =
                pMove != pParent && !pMove->IsAncestorOf(pParent) && position != (UINT_PTR)pMove;
            const bool bMoved = tree.Relink(pMove, pParent, position) != FALSE;
            ASSERT_EQ(bMoved, bValid);
            if (bMoved) {
                auto& old = children[pOldParent];
                auto it = std::find(old.begin(), old.end(), pMove);
                const size_t nOld = it - old.begin();
                old.erase(it);
                if (pOldParent == pParent && nOld < nInsertAt)
                    --nInsertAt;
                kids.insert(kids.begin() + nInsertAt, pMove);
            }
        } else {
            _Node* pTop = nodes[rand() % nodes.size()];
            std::vector<_Node*> gone;
            for (SECTreeNode* p = pTop; p != nullptr; p = p->GetNextInOrderWithin(pTop))
                gone.push_back(AsNode(p));
            for (auto it = gone.rbegin(); it != gone.rend(); ++it)
                if (*it != pTop)
                    forget(*it);
            forget(pTop);
            ASSERT_TRUE(tree.DeleteSubtree(pTop));
        }
        // Check every link against the reference.
        ASSERT_EQ(tree.GetItemCount(), (int)nodes.size());
        for (auto& entry : children) {
            SECTreeNode* pPrev = nullptr;
            SECTreeNode* pAt = entry.first->GetFirstChild();
            for (SECTreeNode* pExpected : entry.second) {
                ASSERT_EQ(pAt, pExpected);
                ASSERT_EQ(pAt->GetParent(), entry.first);
                ASSERT_EQ(pAt->GetPrevSibling(), pPrev);
                pPrev = pAt;
                pAt = pAt->GetNextSibling();
            }
            ASSERT_EQ(pAt, nullptr);
            ASSERT_EQ(entry.first->GetLastChild(), pPrev);
        }
    }
}
