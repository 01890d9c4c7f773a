#include "listtree/tree_node.h"

#include <atomic>
#include <cstring>
#include <cwchar>
#include <memory>

namespace {

// Top nodes whose skipped level is not 0. While there are none (always, in practice), every
// getter is its raw link and needs no look at the top of its tree.
std::atomic<int> g_nSkippingTops{0};

// Values that cannot be a node's address: the small codes and the TVI_* family.
bool CannotBeNode(UINT_PTR value) {
    return value < 0x10000 || value >= (UINT_PTR)TVI_ROOT;
}

} // namespace

// ---- SECTreeNode --------------------------------------------------------------------------------

SECTreeNode::~SECTreeNode() {
    DeleteChildren();
    Unlink();
}

void SECTreeNode::SetNextSibling(SECTreeNode* pNode) {
    m_pNextSibling = pNode;
    if (m_pParent != nullptr)
        m_pParent->m_pLastChildCache = nullptr;
}

void SECTreeNode::SetFirstChild(SECTreeNode* pNode) {
    m_pFirstChild = pNode;
    m_pLastChildCache = nullptr;
}

SECTreeNode* SECTreeNode::RawLastChild() const {
    if (m_pFirstChild == nullptr)
        return nullptr;
    if (m_pLastChildCache == nullptr) {
        SECTreeNode* n = m_pFirstChild;
        while (n->m_pNextSibling != nullptr)
            n = n->m_pNextSibling;
        m_pLastChildCache = n;
    }
    return m_pLastChildCache;
}

SECTreeNode* SECTreeNode::RawFirstLeaf() const {
    SECTreeNode* n = m_pFirstChild;
    if (n == nullptr)
        return nullptr;
    while (n->m_pFirstChild != nullptr)
        n = n->m_pFirstChild;
    return n;
}

BOOL SECTreeNode::WouldCycle(const SECTreeNode* pNode) const {
    if (pNode == this)
        return TRUE;
    if (pNode->m_pFirstChild == nullptr)
        return FALSE; // a leaf is nobody's ancestor
    for (const SECTreeNode* p = m_pParent; p != nullptr; p = p->m_pParent)
        if (p == pNode)
            return TRUE;
    return FALSE;
}

void SECTreeNode::LinkFirst(SECTreeNode* pNode) {
    SECTreeNode* pOldFirst = m_pFirstChild;
    SECTreeNode* pLast = m_pLastChildCache;
    pNode->SetParent(this);
    pNode->SetPrevSibling(nullptr);
    pNode->SetNextSibling(pOldFirst);
    if (pOldFirst != nullptr)
        pOldFirst->SetPrevSibling(pNode);
    SetFirstChild(pNode);
    m_pLastChildCache = pOldFirst == nullptr ? pNode : pLast;
}

void SECTreeNode::LinkAfter(SECTreeNode* pNode, SECTreeNode* pAfter) {
    SECTreeNode* pLast = m_pLastChildCache;
    SECTreeNode* pNext = pAfter->m_pNextSibling;
    pNode->SetParent(this);
    pNode->SetPrevSibling(pAfter);
    pNode->SetNextSibling(pNext);
    if (pNext != nullptr)
        pNext->SetPrevSibling(pNode);
    pAfter->SetNextSibling(pNode);
    m_pLastChildCache = pNext == nullptr ? pNode : pLast;
}

BOOL SECTreeNode::AddChild(SECTreeNode* pNode, UINT_PTR position) {
    if (pNode == nullptr || WouldCycle(pNode))
        return FALSE;
    const bool bCode = position == addFirst || position == addLast || position == addLastToo;
    SECTreeNode* pAfter = nullptr;
    if (!bCode) {
        if (CannotBeNode(position))
            return FALSE;
        pAfter = reinterpret_cast<SECTreeNode*>(position);
        if (pAfter->m_pParent != this || pAfter == pNode)
            return FALSE;
    }
    pNode->Unlink();
    if (position == addFirst)
        LinkFirst(pNode);
    else if (bCode)
        pAfter = RawLastChild();
    if (position != addFirst) {
        if (pAfter != nullptr)
            LinkAfter(pNode, pAfter);
        else
            LinkFirst(pNode);
    }
    return TRUE;
}

void SECTreeNode::Unlink() {
    SECTreeNode* pParent = m_pParent;
    SECTreeNode* pPrev = m_pPrevSibling;
    SECTreeNode* pNext = m_pNextSibling;
    if (pParent == nullptr && pPrev == nullptr && pNext == nullptr)
        return;
    SECTreeNode* pLast = pParent != nullptr ? pParent->m_pLastChildCache : nullptr;
    SetParent(nullptr);
    if (pPrev != nullptr)
        pPrev->SetNextSibling(pNext);
    else if (pParent != nullptr && pParent->m_pFirstChild == this)
        pParent->SetFirstChild(pNext);
    if (pNext != nullptr)
        pNext->SetPrevSibling(pPrev);
    SetPrevSibling(nullptr);
    SetNextSibling(nullptr);
    if (pParent != nullptr) {
        if (pParent->m_pFirstChild == nullptr)
            pParent->m_pLastChildCache = nullptr;
        else if (pNext == nullptr)
            pParent->m_pLastChildCache = pPrev; // this was the last child
        else
            pParent->m_pLastChildCache = pLast == this ? nullptr : pLast;
    }
}

void SECTreeNode::DeleteChildren() {
    // The first leaf after a deletion is the first leaf under the deleted leaf's parent, or the
    // parent itself: going on from there keeps the walk linear whatever the depth.
    SECTreeNode* pAt = this;
    while (m_pFirstChild != nullptr) {
        while (pAt->m_pFirstChild != nullptr)
            pAt = pAt->m_pFirstChild;
        SECTreeNode* pParent = pAt->m_pParent;
        pAt->Unlink();
        delete pAt;
        pAt = pParent;
    }
}

int SECTreeNode::GetDepth() const {
    int nDepth = 0;
    for (const SECTreeNode* p = GetParent(); p != nullptr; p = p->GetParent())
        ++nDepth;
    return nDepth;
}

SECTreeNode* SECTreeNode::GetRoot() const {
    const SECTreeNode* n = this;
    while (n->m_pParent != nullptr)
        n = n->m_pParent;
    return const_cast<SECTreeNode*>(n);
}

SECTreeNode* SECTreeNode::GetLastSibling() const {
    if (!SECTreeNodeX::AnyLevelSkipped() && m_pParent != nullptr)
        return m_pParent->RawLastChild();
    const SECTreeNode* n = this;
    while (SECTreeNode* pNext = n->GetNextSibling())
        n = pNext;
    return const_cast<SECTreeNode*>(n);
}

SECTreeNode* SECTreeNode::GetLastChild() const {
    if (!SECTreeNodeX::AnyLevelSkipped())
        return RawLastChild();
    SECTreeNode* pFirst = GetFirstChild();
    return pFirst != nullptr ? pFirst->GetLastSibling() : nullptr;
}

SECTreeNode* SECTreeNode::GetFirstLeaf() const {
    SECTreeNode* n = m_pFirstChild;
    if (n == nullptr)
        return nullptr;
    while (SECTreeNode* pChild = n->GetFirstChild())
        n = pChild;
    return n;
}

SECTreeNode* SECTreeNode::GetLastDescendant() const {
    const SECTreeNode* n = this;
    while (SECTreeNode* pChild = n->GetLastChild())
        n = pChild;
    return const_cast<SECTreeNode*>(n);
}

SECTreeNode* SECTreeNode::GetNextInOrder() const {
    return GetNextInOrderWithin(nullptr);
}

SECTreeNode* SECTreeNode::GetNextInOrderWithin(const SECTreeNode* pTop) const {
    if (SECTreeNode* pChild = GetFirstChild())
        return pChild;
    return GetNextSkippingChildren(pTop);
}

SECTreeNode* SECTreeNode::GetNextSkippingChildren(const SECTreeNode* pTop) const {
    for (const SECTreeNode* n = this; n != nullptr && n != pTop; n = n->GetParent())
        if (SECTreeNode* pNext = n->GetNextSibling())
            return pNext;
    return nullptr;
}

SECTreeNode* SECTreeNode::GetPrevInOrder() const {
    if (SECTreeNode* pPrev = GetPrevSibling())
        return pPrev->GetLastDescendant();
    return GetParent();
}

BOOL SECTreeNode::IsAncestorOf(const SECTreeNode* pNode) const {
    if (pNode == nullptr)
        return FALSE;
    for (const SECTreeNode* p = pNode->GetParent(); p != nullptr; p = p->GetParent())
        if (p == this)
            return TRUE;
    return FALSE;
}

// ---- SECTreeNodeX -------------------------------------------------------------------------------
//
// With the level L of the tree's top node not 0, the nodes at depth L (the top at depth 0) are
// hidden and their children joined into one sibling chain. A hidden node without children
// breaks no chain: the joins go on to the next (or previous) hidden node that has children.

SECTreeNodeX::~SECTreeNodeX() {
    if (m_wSkippedLevel != 0)
        g_nSkippingTops.fetch_sub(1, std::memory_order_relaxed);
}

bool SECTreeNodeX::AnyLevelSkipped() noexcept {
    return g_nSkippingTops.load(std::memory_order_relaxed) != 0;
}

WORD SECTreeNodeX::TreeLevel(int& nDepth) const {
    nDepth = 0;
    const SECTreeNode* n = this;
    while (n->RawParent() != nullptr) {
        n = n->RawParent();
        ++nDepth;
    }
    const SECTreeNodeX* pTop = dynamic_cast<const SECTreeNodeX*>(n);
    return pTop != nullptr ? pTop->m_wSkippedLevel : 0;
}

SECTreeNode* SECTreeNodeX::GetParent() const {
    SECTreeNode* p = RawParent();
    if (p == nullptr || !AnyLevelSkipped())
        return p;
    int nDepth;
    WORD wLevel = TreeLevel(nDepth);
    return wLevel != 0 && nDepth == wLevel + 1 ? p->RawParent() : p;
}

SECTreeNode* SECTreeNodeX::GetFirstChild() const {
    SECTreeNode* pChild = RawFirstChild();
    if (pChild == nullptr || !AnyLevelSkipped())
        return pChild;
    int nDepth;
    WORD wLevel = TreeLevel(nDepth);
    if (wLevel == 0 || nDepth != wLevel - 1)
        return pChild;
    for (SECTreeNode* pHidden = pChild; pHidden != nullptr; pHidden = pHidden->RawNextSibling())
        if (SECTreeNode* pJoined = pHidden->RawFirstChild())
            return pJoined;
    return nullptr;
}

SECTreeNode* SECTreeNodeX::GetNextSibling() const {
    SECTreeNode* pNext = RawNextSibling();
    if (pNext != nullptr || RawParent() == nullptr || !AnyLevelSkipped())
        return pNext;
    int nDepth;
    WORD wLevel = TreeLevel(nDepth);
    if (wLevel == 0 || nDepth != wLevel + 1)
        return nullptr;
    for (SECTreeNode* p = RawParent()->RawNextSibling(); p != nullptr; p = p->RawNextSibling())
        if (SECTreeNode* pJoined = p->RawFirstChild())
            return pJoined;
    return nullptr;
}

SECTreeNode* SECTreeNodeX::GetPrevSibling() const {
    SECTreeNode* pPrev = RawPrevSibling();
    if (pPrev != nullptr || RawParent() == nullptr || !AnyLevelSkipped())
        return pPrev;
    int nDepth;
    WORD wLevel = TreeLevel(nDepth);
    if (wLevel == 0 || nDepth != wLevel + 1)
        return nullptr;
    for (SECTreeNode* p = RawParent()->RawPrevSibling(); p != nullptr; p = p->RawPrevSibling())
        if (SECTreeNode* pJoined = p->RawLastChild())
            return pJoined;
    return nullptr;
}

BOOL SECTreeNodeX::SetSkippedLevel(WORD wLevel) {
    SECTreeNodeX* pTop = dynamic_cast<SECTreeNodeX*>(GetRoot());
    if (pTop == nullptr)
        return FALSE;
    if (pTop->m_wSkippedLevel == 0 && wLevel != 0)
        g_nSkippingTops.fetch_add(1, std::memory_order_relaxed);
    else if (pTop->m_wSkippedLevel != 0 && wLevel == 0)
        g_nSkippingTops.fetch_sub(1, std::memory_order_relaxed);
    pTop->m_wSkippedLevel = wLevel;
    return TRUE;
}

WORD SECTreeNodeX::GetSkippedLevel() const {
    int nDepth;
    return TreeLevel(nDepth);
}

// ---- _Node --------------------------------------------------------------------------------------

_Node::_Node() noexcept
    : m_item(), m_bHangingIndent(FALSE), m_nBeforeMarkerWidth(0), m_dwFlags(0), m_nRowHeight(0) {
    m_item.iImage = -12;
    m_item.iSelectedImage = -12;
}

_Node::~_Node() {
    FreeText();
}

void _Node::SetExpanded(BOOL bExpanded) {
    if (bExpanded)
        m_item.state |= TVIS_EXPANDED;
    else
        m_item.state &= ~(UINT)TVIS_EXPANDED;
}

void _Node::SetText(LPCWSTR pszText) {
    if (pszText == LPSTR_TEXTCALLBACKW) {
        FreeText();
        m_item.pszText = LPSTR_TEXTCALLBACKW;
        return;
    }
    if (pszText == nullptr)
        pszText = L"";
    const size_t nLength = wcslen(pszText);
    // Copied before the old text goes: pszText may be that text.
    std::unique_ptr<wchar_t[]> copy(new wchar_t[nLength + 1]);
    memcpy(copy.get(), pszText, (nLength + 1) * sizeof(wchar_t));
    FreeText();
    m_item.pszText = copy.release();
}

LPCWSTR _Node::GetOwnText() const {
    if (m_item.pszText == LPSTR_TEXTCALLBACKW)
        return nullptr;
    return m_item.pszText != nullptr ? m_item.pszText : L"";
}

void _Node::FreeText() noexcept {
    if (m_item.pszText != nullptr && m_item.pszText != LPSTR_TEXTCALLBACKW)
        delete[] m_item.pszText;
    m_item.pszText = nullptr;
}
