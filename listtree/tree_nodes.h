// The nodes of one tree control: its hidden root, the set of its live items, and the item
// queries that take handles. A handle is a node's address; null and TVI_ROOT stand for the
// hidden root, which is never handed out. Any other value that is not a live item of this tree
// (a deleted item, TVI_FIRST, TVI_LAST, TVI_SORT, a stray pointer) is no item: queries give 0
// or null and change nothing, and such a value is never read as a node.
//
// Items are linked and deleted only here, so that the live set always matches the tree. An
// owner may re-enter from the notification sent for a deleted item (delete or insert items,
// delete the same subtree again): the deletion notices and touches no freed node.
#pragma once

#include "listtree/tree_node.h"

#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

class SECTreeNodes {
public:
    SECTreeNodes();
    SECTreeNodes(const SECTreeNodes&) = delete;
    SECTreeNodes& operator=(const SECTreeNodes&) = delete;
    ~SECTreeNodes();

    _Node* GetRootNode() const { return m_pRoot.get(); }
    // Puts a fresh hidden root (pRoot, or a plain node), expanded, in place of the old one; the
    // old root's items go without notification. FALSE, nothing changed, while a deletion runs.
    BOOL ResetRoot(std::unique_ptr<_Node> pRoot = nullptr);

    // The hidden root for null and TVI_ROOT (and the root's own address), a live item for its
    // handle, otherwise null.
    _Node* ItemFromHandle(HTREEITEM hItem) const;
    // A live item of this tree (not the root).
    BOOL IsItem(const SECTreeNode* pNode) const;
    // The root or a live item.
    BOOL IsLive(const SECTreeNode* pNode) const { return pNode == m_pRoot.get() || IsItem(pNode); }
    int GetItemCount() const { return (int)m_items.size(); }
    // No item lies below another item, and none claims a child count of its own: then no item
    // can open, and a whole-tree expansion has nothing to do.
    BOOL NoItemCanOpen() const { return m_nNested == 0 && m_nClaiming == 0; }
    // Stores an item's claimed child count (cChildren), keeping the count of claiming items.
    void SetClaimedChildren(_Node* pNode, int nChildren);

    // Links a new node (no links of its own) under pParent (the root or an item) at position: an
    // AddChild code or a child of pParent after which it goes. The node's hItem becomes its
    // address. On failure (a parent that is null, no node of this tree or being deleted, a
    // position that is not its child) the node is deleted and null returned: nothing
    // half-linked, nothing leaked.
    HTREEITEM Link(std::unique_ptr<_Node> pNode, _Node* pParent, UINT_PTR position);
    // Moves a live item with its subtree under pParent at position. FALSE, the tree unchanged,
    // when the item, the parent or the position is not valid or the parent lies inside the item.
    BOOL Relink(_Node* pNode, _Node* pParent, UINT_PTR position);

    // Deletes pTop's subtree, leaves first by raw links (children before parents, earlier
    // siblings before later ones), pTop last; for the root every item but the root itself.
    // Each node is unlinked, then handed to notify while its handle is still live, then
    // destroyed; the owner may change the tree inside notify. FALSE when pTop is not live or
    // is already being deleted; TRUE otherwise, also when a nested call finished the job.
    BOOL DeleteSubtree(_Node* pTop, const std::function<void(_Node*)>& notify = nullptr);
    // The node is unlinked and waiting for its notification to end.
    BOOL IsBeingDeleted(const _Node* pNode) const;

    // Item queries; every handle goes through ItemFromHandle.
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    // The parent; null when it is the hidden root.
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    // The top-level ancestor (the item itself when top-level); for the root the first
    // top-level item.
    HTREEITEM GetRootItem(HTREEITEM hItem) const;
    BOOL IsItemExpanded(HTREEITEM hItem) const;
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    // No child node, but the claimed child count is 1 or more; childrenOf answers the claim
    // (the tree asks its owner for I_CHILDRENCALLBACK), by default the stored cChildren.
    BOOL ItemClaimsChildren(HTREEITEM hItem,
                            const std::function<int(_Node*)>& childrenOf = nullptr) const;
    // Children; with bRecursive their descendants too, with bExpandedOnly only below children
    // that are expanded.
    int GetChildCount(HTREEITEM hItem, BOOL bRecursive = FALSE, BOOL bExpandedOnly = FALSE) const;
    // The item or an ancestor carries the flag; 0 for the root.
    BOOL IsItemHidden(HTREEITEM hItem) const;
    BOOL IsItemDisabled(HTREEITEM hItem) const;
    // The item has a place among the rows: neither it nor an ancestor hidden, every ancestor
    // (the hidden root too) expanded. Never the root.
    BOOL IsItemVisible(HTREEITEM hItem) const;
    // The children in order and their number; null (and 0) when there are none.
    std::unique_ptr<HTREEITEM[]> GetChildArray(HTREEITEM hItem, int& nCount) const;
    // Grows with every link and destruction: a caller that saw it unchanged across a call that
    // may re-enter knows that no item moved or went.
    unsigned GetChangeCount() const { return m_nChanges; }

private:
    struct Deletion {
        const _Node* pTop;
        bool bTopGone;
    };

    std::unique_ptr<_Node> m_pRoot;
    std::unordered_set<const SECTreeNode*> m_items;
    std::vector<const _Node*> m_dying;  // unlinked, in their notification
    std::vector<Deletion*> m_deletions; // running DeleteSubtree calls, outermost first
    unsigned m_nChanges = 0;            // links and destructions, to notice re-entry
    int m_nNested = 0;                  // live items whose parent is an item
    int m_nClaiming = 0;                // live items whose stored cChildren is not 0

    static std::unique_ptr<_Node> NewRoot(std::unique_ptr<_Node> pRoot);
    BOOL CanHoldChildren(const _Node* pParent) const;
    BOOL IsValidPosition(const _Node* pParent, UINT_PTR position, const _Node* pMoving) const;
    void Destroy(_Node* pNode, bool bNested);
    void Count(const _Node* pNode, bool bNested, int nDelta);
    BOOL HasFlagUp(HTREEITEM hItem, DWORD dwFlag) const;
};

inline _Node* AsNode(SECTreeNode* pNode) {
    return static_cast<_Node*>(pNode);
}
