#include "listtree/tree_nodes.h"

#include <algorithm>

SECTreeNodes::SECTreeNodes() : m_pRoot(NewRoot(nullptr)) {}

SECTreeNodes::~SECTreeNodes() {
    m_items.clear();
    m_pRoot.reset();
}

std::unique_ptr<_Node> SECTreeNodes::NewRoot(std::unique_ptr<_Node> pRoot) {
    if (pRoot == nullptr)
        pRoot = std::make_unique<_Node>();
    pRoot->DeleteChildren();
    pRoot->Unlink();
    pRoot->SetExpanded(TRUE);
    return pRoot;
}

BOOL SECTreeNodes::ResetRoot(std::unique_ptr<_Node> pRoot) {
    if (!m_deletions.empty())
        return FALSE;
    std::unique_ptr<_Node> pOld = std::move(m_pRoot);
    m_pRoot = NewRoot(std::move(pRoot));
    m_items.clear();
    m_nNested = m_nClaiming = 0;
    pOld.reset();
    ++m_nChanges;
    return TRUE;
}

void SECTreeNodes::Count(const _Node* pNode, bool bNested, int nDelta) {
    if (bNested)
        m_nNested += nDelta;
    if (pNode->m_item.cChildren != 0)
        m_nClaiming += nDelta;
}

void SECTreeNodes::SetClaimedChildren(_Node* pNode, int nChildren) {
    const bool bLive = IsItem(pNode);
    if (bLive)
        Count(pNode, false, -1);
    pNode->m_item.cChildren = nChildren;
    if (bLive)
        Count(pNode, false, +1);
}

_Node* SECTreeNodes::ItemFromHandle(HTREEITEM hItem) const {
    if (hItem == nullptr || hItem == TVI_ROOT)
        return m_pRoot.get();
    const SECTreeNode* pNode = reinterpret_cast<const SECTreeNode*>(hItem);
    if (!IsLive(pNode))
        return nullptr;
    return AsNode(const_cast<SECTreeNode*>(pNode));
}

BOOL SECTreeNodes::IsItem(const SECTreeNode* pNode) const {
    return pNode != nullptr && m_items.count(pNode) != 0;
}

BOOL SECTreeNodes::IsBeingDeleted(const _Node* pNode) const {
    return std::find(m_dying.begin(), m_dying.end(), pNode) != m_dying.end();
}

BOOL SECTreeNodes::CanHoldChildren(const _Node* pParent) const {
    return IsLive(pParent) && !IsBeingDeleted(pParent);
}

BOOL SECTreeNodes::IsValidPosition(const _Node* pParent, UINT_PTR position,
                                   const _Node* pMoving) const {
    if (position == SECTreeNode::addFirst || position == SECTreeNode::addLast ||
        position == SECTreeNode::addLastToo)
        return TRUE;
    const SECTreeNode* pAfter = reinterpret_cast<const SECTreeNode*>(position);
    return IsItem(pAfter) && pAfter->RawParent() == pParent && pAfter != pMoving;
}

HTREEITEM SECTreeNodes::Link(std::unique_ptr<_Node> pNode, _Node* pParent, UINT_PTR position) {
    if (pNode == nullptr || pNode->RawParent() != nullptr || pNode->RawFirstChild() != nullptr ||
        pNode->RawNextSibling() != nullptr || pNode->RawPrevSibling() != nullptr)
        return nullptr;
    if (!CanHoldChildren(pParent) || !IsValidPosition(pParent, position, nullptr))
        return nullptr;
    m_items.insert(pNode.get()); // may throw: the node then goes with pNode
    if (!pParent->AddChild(pNode.get(), position)) {
        m_items.erase(pNode.get());
        return nullptr;
    }
    HTREEITEM hItem = HandleOfNode(pNode.get());
    pNode->m_item.hItem = hItem;
    Count(pNode.get(), pParent != m_pRoot.get(), +1);
    pNode.release();
    ++m_nChanges;
    return hItem;
}

BOOL SECTreeNodes::Relink(_Node* pNode, _Node* pParent, UINT_PTR position) {
    if (!IsItem(pNode) || IsBeingDeleted(pNode) || !CanHoldChildren(pParent) ||
        !IsValidPosition(pParent, position, pNode))
        return FALSE;
    const bool bWasNested = pNode->RawParent() != m_pRoot.get();
    if (!pParent->AddChild(pNode, position)) // refuses pParent inside pNode
        return FALSE;
    m_nNested += (pParent != m_pRoot.get() ? 1 : 0) - (bWasNested ? 1 : 0);
    ++m_nChanges;
    return TRUE;
}

void SECTreeNodes::Destroy(_Node* pNode, bool bNested) {
    if (m_items.erase(pNode) != 0)
        Count(pNode, bNested, -1);
    for (Deletion* pDeletion : m_deletions)
        if (pDeletion->pTop == pNode)
            pDeletion->bTopGone = true;
    delete pNode;
    ++m_nChanges;
}

BOOL SECTreeNodes::DeleteSubtree(_Node* pTop, const std::function<void(_Node*)>& notify) {
    if (!IsLive(pTop) || IsBeingDeleted(pTop))
        return FALSE;
    const bool bRoot = pTop == m_pRoot.get();
    Deletion self{pTop, false};
    m_deletions.push_back(&self);
    struct PopDeletion {
        std::vector<Deletion*>& list;
        ~PopDeletion() { list.pop_back(); }
    } popDeletion{m_deletions};

    SECTreeNode* pAt = pTop;
    for (;;) {
        while (pAt->RawFirstChild() != nullptr)
            pAt = pAt->RawFirstChild();
        if (bRoot && pAt == pTop)
            return TRUE;
        _Node* pNode = AsNode(pAt);
        SECTreeNode* pParent = pNode->RawParent();
        const bool bLast = pNode == pTop;
        const bool bNested = pParent != m_pRoot.get();
        pNode->Unlink();
        m_dying.push_back(pNode);
        const unsigned nChanges = m_nChanges;
        {
            // The node goes whatever notify does, an exception included.
            struct Finish {
                SECTreeNodes* pNodes;
                _Node* pNode;
                bool bNested;
                ~Finish() {
                    auto& dying = pNodes->m_dying;
                    dying.erase(std::find(dying.begin(), dying.end(), pNode));
                    pNodes->Destroy(pNode, bNested);
                }
            } finish{this, pNode, bNested};
            if (notify)
                notify(pNode);
        }
        if (bLast || self.bTopGone)
            return TRUE;
        // Untouched by the owner: go on from the parent. Otherwise pParent may be gone or the
        // first leaf elsewhere: start again from the top, which is still alive.
        pAt = m_nChanges == nChanges + 1 ? pParent : pTop;
    }
}

HTREEITEM SECTreeNodes::GetChildItem(HTREEITEM hItem) const {
    _Node* pNode = ItemFromHandle(hItem);
    return pNode != nullptr ? HandleOfNode(pNode->GetFirstChild()) : nullptr;
}

HTREEITEM SECTreeNodes::GetNextSiblingItem(HTREEITEM hItem) const {
    _Node* pNode = ItemFromHandle(hItem);
    return pNode != nullptr ? HandleOfNode(pNode->GetNextSibling()) : nullptr;
}

HTREEITEM SECTreeNodes::GetPrevSiblingItem(HTREEITEM hItem) const {
    _Node* pNode = ItemFromHandle(hItem);
    return pNode != nullptr ? HandleOfNode(pNode->GetPrevSibling()) : nullptr;
}

HTREEITEM SECTreeNodes::GetParentItem(HTREEITEM hItem) const {
    _Node* pNode = ItemFromHandle(hItem);
    if (pNode == nullptr || pNode == m_pRoot.get())
        return nullptr;
    SECTreeNode* pParent = pNode->GetParent();
    return pParent == m_pRoot.get() ? nullptr : HandleOfNode(pParent);
}

HTREEITEM SECTreeNodes::GetRootItem(HTREEITEM hItem) const {
    SECTreeNode* pNode = ItemFromHandle(hItem);
    if (pNode == nullptr)
        return nullptr;
    if (pNode == m_pRoot.get())
        return HandleOfNode(pNode->GetFirstChild());
    for (SECTreeNode* pParent = pNode->GetParent(); pParent != nullptr && pParent != m_pRoot.get();
         pParent = pNode->GetParent())
        pNode = pParent;
    return HandleOfNode(pNode);
}

BOOL SECTreeNodes::IsItemExpanded(HTREEITEM hItem) const {
    _Node* pNode = ItemFromHandle(hItem);
    return pNode != nullptr && pNode->IsExpanded();
}

BOOL SECTreeNodes::ItemHasChildren(HTREEITEM hItem) const {
    _Node* pNode = ItemFromHandle(hItem);
    return pNode != nullptr && pNode->GetFirstChild() != nullptr;
}

BOOL SECTreeNodes::ItemClaimsChildren(HTREEITEM hItem,
                                      const std::function<int(_Node*)>& childrenOf) const {
    _Node* pNode = ItemFromHandle(hItem);
    if (pNode == nullptr || pNode->GetFirstChild() != nullptr)
        return FALSE;
    const int nClaimed = childrenOf ? childrenOf(pNode) : pNode->m_item.cChildren;
    return nClaimed >= 1;
}

int SECTreeNodes::GetChildCount(HTREEITEM hItem, BOOL bRecursive, BOOL bExpandedOnly) const {
    const SECTreeNode* pTop = ItemFromHandle(hItem);
    if (pTop == nullptr)
        return 0;
    int nCount = 0;
    const SECTreeNode* pNode = pTop->GetFirstChild();
    while (pNode != nullptr) {
        ++nCount;
        SECTreeNode* pNext = nullptr;
        if (bRecursive && (!bExpandedOnly || pNode->IsExpanded()))
            pNext = pNode->GetFirstChild();
        pNode = pNext != nullptr ? pNext : pNode->GetNextSkippingChildren(pTop);
    }
    return nCount;
}

BOOL SECTreeNodes::HasFlagUp(HTREEITEM hItem, DWORD dwFlag) const {
    _Node* pNode = ItemFromHandle(hItem);
    for (SECTreeNode* p = pNode; p != nullptr && p != m_pRoot.get(); p = p->GetParent())
        if (AsNode(p)->HasFlag(dwFlag))
            return TRUE;
    return FALSE;
}

BOOL SECTreeNodes::IsItemHidden(HTREEITEM hItem) const {
    return HasFlagUp(hItem, _Node::flagHidden);
}

BOOL SECTreeNodes::IsItemDisabled(HTREEITEM hItem) const {
    return HasFlagUp(hItem, _Node::flagDisabled);
}

BOOL SECTreeNodes::IsItemVisible(HTREEITEM hItem) const {
    _Node* pNode = ItemFromHandle(hItem);
    if (pNode == nullptr || pNode == m_pRoot.get() || pNode->HasFlag(_Node::flagHidden))
        return FALSE;
    for (SECTreeNode* p = pNode->GetParent(); p != nullptr; p = p->GetParent()) {
        if (!p->IsExpanded())
            return FALSE;
        if (p == m_pRoot.get())
            return TRUE;
        if (AsNode(p)->HasFlag(_Node::flagHidden))
            return FALSE;
    }
    return FALSE; // not under the root: being deleted
}

std::unique_ptr<HTREEITEM[]> SECTreeNodes::GetChildArray(HTREEITEM hItem, int& nCount) const {
    nCount = 0;
    _Node* pNode = ItemFromHandle(hItem);
    if (pNode == nullptr || pNode->GetFirstChild() == nullptr)
        return nullptr;
    for (SECTreeNode* p = pNode->GetFirstChild(); p != nullptr; p = p->GetNextSibling())
        ++nCount;
    std::unique_ptr<HTREEITEM[]> children(new HTREEITEM[nCount]);
    int i = 0;
    for (SECTreeNode* p = pNode->GetFirstChild(); p != nullptr; p = p->GetNextSibling())
        children[i++] = HandleOfNode(p);
    return children;
}
