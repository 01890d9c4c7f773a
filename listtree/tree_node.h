// The nodes behind tree items. A node is at once an item's storage and its handle: the
// HTREEITEM handed out is the node's address. SECTreeNode holds the links, SECTreeNodeX can hide
// one depth of its tree (the skipped level), _Node carries the item itself.
//
// Walks go through the four virtual getters, so that a skipped level (or a derived node) shapes
// every walk; structural changes (linking, unlinking, deleting) read the raw links, so that they
// always cover the real tree. No walk recurses: a chain of any depth costs no stack.
#pragma once

#include "framework/core/cstring.h"

#include <commctrl.h>

class SECTreeNode {
public:
    // AddChild positions; any other value is the child after which the node goes.
    enum : UINT_PTR { addFirst = 0, addLast = 1, addLastToo = 2 };

    SECTreeNode() noexcept {}
    SECTreeNode(const SECTreeNode&) = delete;
    SECTreeNode& operator=(const SECTreeNode&) = delete;
    // Deletes every descendant (leaves first) and leaves the node's own place in its tree.
    virtual ~SECTreeNode();

    virtual SECTreeNode* GetParent() const { return m_pParent; }
    virtual SECTreeNode* GetNextSibling() const { return m_pNextSibling; }
    virtual SECTreeNode* GetPrevSibling() const { return m_pPrevSibling; }
    virtual SECTreeNode* GetFirstChild() const { return m_pFirstChild; }
    virtual void SetParent(SECTreeNode* pNode) { m_pParent = pNode; }
    virtual void SetNextSibling(SECTreeNode* pNode);
    virtual void SetPrevSibling(SECTreeNode* pNode) { m_pPrevSibling = pNode; }
    virtual void SetFirstChild(SECTreeNode* pNode);
    virtual int NodeHook(DWORD_PTR, DWORD_PTR) { return 0; }
    virtual BOOL IsExpanded() const { return FALSE; }
    virtual void SetExpanded(BOOL) {}

    // Links pNode as a child of this node at position: a code of the enum, or a child of this
    // node after which pNode goes (a node address; values that cannot be one are refused
    // without being read). A node still linked elsewhere moves. Returns 0 with nothing changed
    // (a new node stays wholly unlinked) when position is not among this node's children, or
    // when pNode is null, this node or one of its ancestors.
    BOOL AddChild(SECTreeNode* pNode, UINT_PTR position);
    // Leaves the sibling chain (the neighbours are joined) and the parent; children stay.
    void Unlink();
    // Deletes every descendant, leaves first: children before parents, earlier before later.
    void DeleteChildren();

    // Ancestors counted through GetParent: a top-level item (child of the hidden root) has 1.
    int GetDepth() const;
    // The top node, by raw parent links.
    SECTreeNode* GetRoot() const;
    SECTreeNode* GetLastSibling() const;
    SECTreeNode* GetLastChild() const;
    // From the raw first child down the first children; null for a leaf.
    SECTreeNode* GetFirstLeaf() const;
    // Down the last children; this node for a leaf.
    SECTreeNode* GetLastDescendant() const;
    SECTreeNode* GetNextInOrder() const;
    // The pre-order successor that stays inside pTop's subtree (null after its last node).
    SECTreeNode* GetNextInOrderWithin(const SECTreeNode* pTop) const;
    // The pre-order successor outside this node's own subtree, inside pTop's (null: anywhere).
    SECTreeNode* GetNextSkippingChildren(const SECTreeNode* pTop = nullptr) const;
    // The pre-order predecessor: for a first child its parent (the hidden root for the first
    // top-level item).
    SECTreeNode* GetPrevInOrder() const;
    // This node is a strict ancestor of pNode (through GetParent); FALSE for null.
    BOOL IsAncestorOf(const SECTreeNode* pNode) const;

    // The raw links, for code that must see the real tree whatever the getters show.
    SECTreeNode* RawParent() const { return m_pParent; }
    SECTreeNode* RawNextSibling() const { return m_pNextSibling; }
    SECTreeNode* RawPrevSibling() const { return m_pPrevSibling; }
    SECTreeNode* RawFirstChild() const { return m_pFirstChild; }
    SECTreeNode* RawLastChild() const;
    // The first node to delete under this one: the leftmost, deepest by raw links; null for a
    // leaf.
    SECTreeNode* RawFirstLeaf() const;

private:
    SECTreeNode* m_pParent = nullptr;
    SECTreeNode* m_pNextSibling = nullptr;
    SECTreeNode* m_pPrevSibling = nullptr;
    SECTreeNode* m_pFirstChild = nullptr;
    // The raw last child, kept by AddChild and Unlink so that appending stays O(1); null while
    // unknown (a setter rewrote the chain), then found again by one walk.
    mutable SECTreeNode* m_pLastChildCache = nullptr;

    void LinkFirst(SECTreeNode* pNode);
    void LinkAfter(SECTreeNode* pNode, SECTreeNode* pAfter);
    BOOL WouldCycle(const SECTreeNode* pNode) const;
};

class SECTreeNodeX : public SECTreeNode {
public:
    SECTreeNodeX() noexcept {}
    ~SECTreeNodeX() override;

    SECTreeNode* GetParent() const override;
    SECTreeNode* GetNextSibling() const override;
    SECTreeNode* GetPrevSibling() const override;
    SECTreeNode* GetFirstChild() const override;

    // The level hidden in this node's tree, kept by its top node (GetRoot); 0 hides nothing.
    BOOL SetSkippedLevel(WORD wLevel);
    WORD GetSkippedLevel() const;

    // FALSE while no tree in the process hides a level: then every getter is its raw link.
    static bool AnyLevelSkipped() noexcept;

private:
    WORD m_wSkippedLevel = 0;

    // The skipped level of this node's tree and this node's raw depth (the top at 0).
    WORD TreeLevel(int& nDepth) const;
};

// The tree control's node.
class _Node : public SECTreeNodeX {
public:
    enum : DWORD { flagDisabled = 0x100, flagHidden = 0x200 };

    _Node() noexcept;
    ~_Node() override;

    BOOL IsExpanded() const override { return (m_item.state & TVIS_EXPANDED) != 0; }
    void SetExpanded(BOOL bExpanded) override;
    virtual int ItemHook(DWORD_PTR, DWORD_PTR, DWORD_PTR) { return 0; }

    // Replaces the text: a heap copy the node owns, or the callback marker kept as it is; null
    // stores the empty text. The old copy is freed; on failure nothing changes.
    void SetText(LPCWSTR pszText);
    BOOL HasCallbackText() const { return m_item.pszText == LPSTR_TEXTCALLBACKW; }
    // The own text: "" for none, null for the callback marker.
    LPCWSTR GetOwnText() const;

    BOOL HasFlag(DWORD dwFlag) const { return (m_dwFlags & dwFlag) != 0; }
    void SetFlag(DWORD dwFlag, BOOL bOn) {
        m_dwFlags = bOn ? (m_dwFlags | dwFlag) : (m_dwFlags & ~dwFlag);
    }

    TVITEMW m_item;        // mask, stateMask and cchTextMax stay 0
    BOOL m_bHangingIndent; // the text holds the hanging-indent marker
    CString m_strBeforeMarker;
    CString m_strAfterMarker;
    int m_nBeforeMarkerWidth; // pixels
    DWORD m_dwFlags;          // flagDisabled, flagHidden
    int m_nRowHeight;         // copied into the row made for the node

private:
    void FreeText() noexcept;
};

static_assert(sizeof(void*) != 4 || sizeof(TVITEMW) == 40, "the item record is ten words");

// Handles and nodes: a handle is the node's address.
inline HTREEITEM HandleOfNode(const SECTreeNode* pNode) {
    return reinterpret_cast<HTREEITEM>(const_cast<SECTreeNode*>(pNode));
}
