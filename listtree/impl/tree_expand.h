// Expanding and collapsing, making items visible, the drop highlight, hiding, disabling and
// moving items. Every walk here is iterative: a chain of any depth costs no stack.
#pragma once

#include "listtree/impl/tree_walk.h"
#include "listtree/tree_base.h"

template <class TList>
BOOL SECTreeImpl<TList>::Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw, BOOL bForce) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return FALSE;
    if (!bForce && pNode->GetFirstChild() == nullptr && !ItemClaimsChildren(hItem))
        return TRUE;
    if (!AliveNode(pNode))
        return FALSE;
    CRect rcBefore;
    this->GetInsideRect(&rcBefore);
    if (nCode == TVE_TOGGLE)
        nCode = pNode->IsExpanded() ? TVE_COLLAPSE : TVE_EXPAND;
    const auto token = this->LifeToken();
    ++m_nExpandCalls;
    if (NotifyItemExpanding(hItem, nCode) == 1)
        return FALSE;
    if (!this->Alive(token) || !AliveNode(pNode))
        return FALSE;
    int nRow = RowOf(pNode);
    if (nCode == TVE_COLLAPSE || nCode == TVE_COLLAPSERESET ||
        nCode == (TVE_COLLAPSE | TVE_COLLAPSERESET)) {
        if (pNode->IsExpanded()) {
            const int nCaret = this->GetFocusIndex();
            const int nBelow = nRow >= 0 ? CountVisibleDescendants(pNode) : 0;
            if (nRow >= 0 && nCaret > nRow && nCaret <= nRow + nBelow) {
                NotifySelChanging(nRow, nCaret, 1);
                if (!this->Alive(token) || !AliveNode(pNode))
                    return FALSE;
                SetFocusItem(hItem);
                NotifySelChanged(RowOf(pNode), nCaret, 1);
                if (!this->Alive(token) || !AliveNode(pNode))
                    return FALSE;
                nRow = RowOf(pNode);
            }
            if (nRow >= 0)
                RemoveDescendantRows(pNode, nRow);
            if (!this->Alive(token) || !AliveNode(pNode))
                return FALSE;
            pNode->SetExpanded(FALSE);
        }
        if (nCode & TVE_COLLAPSERESET) {
            while (SECTreeNode* pChild = pNode->GetFirstChild()) {
                if (!DeleteItemTree(HandleOfNode(pChild)) || !this->Alive(token) ||
                    !AliveNode(pNode))
                    break;
            }
            if (!this->Alive(token) || !AliveNode(pNode))
                return FALSE;
        }
    } else if (nCode == TVE_EXPAND) {
        if (pNode->IsExpanded())
            return TRUE;
        if (pNode->GetFirstChild() == nullptr)
            return FALSE;
        pNode->SetExpanded(TRUE);
        if (m_dwTreeExStyle & TVXS_ANIMATE)
            m_nAnimCounter = 0;
        // A node without a row only changes its flag: its rows come with its ancestors'.
        if (nRow >= 0)
            AddDescendantRows(pNode, nRow);
    }
    NotifyItemExpanded(hItem, nCode);
    if (!this->Alive(token) || !AliveNode(pNode))
        return TRUE;
    if (!bRedraw)
        return TRUE;
    if (nCode == TVE_EXPAND && m_bScrollOnExpand)
        ScrollAfterExpand(pNode);
    if (!this->Alive(token) || !AliveNode(pNode))
        return TRUE;
    // The rows that came or went are the only change: the others keep their heights (measuring
    // them all again would cost a page of text measurements each time a host opens an item),
    // and the scroll bars follow, wrapped rows measured again there.
    this->UpdateScrollBars();
    CRect rcAfter;
    this->GetInsideRect(&rcAfter);
    if (rcAfter == rcBefore)
        RedrawItem(hItem, FALSE, TRUE, TRUE, FALSE);
    else
        this->Repaint(TRUE);
    return TRUE;
}

template <class TList> void SECTreeImpl<TList>::ScrollAfterExpand(_Node* pNode) {
    const int nRow = RowOf(pNode);
    if (nRow < 0 || pNode->GetFirstChild() == nullptr)
        return;
    const int nLast = nRow + CountVisibleDescendants(pNode);
    if (nLast > nRow)
        TList::EnsureRangeVisible(
            nRow, std::min(nLast, nRow + std::max(1, this->GetCountPerPage()) - 1), FALSE);
    if (nRow < this->GetTopIndex()) {
        this->SetTopIndex(nRow);
        this->FocusItem(nRow, TRUE);
    }
}

template <class TList> BOOL SECTreeImpl<TList>::ExpandAll(HTREEITEM hItem, BOOL bRedraw) {
    _Node* pTop = m_nodes.ItemFromHandle(hItem);
    if (pTop == nullptr)
        return FALSE;
    BarsDeferred deferred(this);
    const auto token = this->LifeToken();
    // Parents first, in pre-order; a parent that does not open keeps its children closed. In a
    // tree where no item can open, no item is visited at all.
    SECTreeNode* p = pTop == RootNode() ? pTop->GetFirstChild() : pTop;
    if (pTop == RootNode() && m_nodes.NoItemCanOpen())
        p = nullptr;
    const unsigned nCallsBefore = m_nExpandCalls;
    while (p != nullptr) {
        _Node* pNode = AsNode(p);
        const BOOL bOpen = Expand(HandleOfNode(pNode), TVE_EXPAND, FALSE) && this->Alive(token);
        if (!this->Alive(token) || !m_nodes.IsLive(pTop))
            return FALSE;
        if (!AliveNode(pNode))
            break; // the owner deleted it: its siblings are no longer known
        SECTreeNode* pDown = bOpen && pNode->IsExpanded() ? pNode->GetFirstChild() : nullptr;
        p = pDown != nullptr ? pDown : pNode->GetNextSkippingChildren(pTop);
        if (p == pTop)
            break;
    }
    // Nothing opened and no owner was asked: the picture is unchanged.
    if (bRedraw && m_nExpandCalls != nCallsBefore) {
        this->RecalcLayout();
        this->Repaint(TRUE);
    }
    return TRUE;
}

template <class TList> BOOL SECTreeImpl<TList>::CollapseAll(HTREEITEM hItem, BOOL bRedraw) {
    _Node* pTop = m_nodes.ItemFromHandle(hItem);
    if (pTop == nullptr)
        return FALSE;
    BarsDeferred deferred(this);
    const auto token = this->LifeToken();
    // Children before parents: a post-order walk over the expanded nodes.
    std::vector<_Node*> order;
    SECTreeNode* p = pTop->GetFirstChild();
    while (p != nullptr && pTop->IsExpanded()) {
        _Node* pNode = AsNode(p);
        if (pNode->IsExpanded() && pNode->GetFirstChild() != nullptr)
            order.push_back(pNode);
        SECTreeNode* pDown = pNode->IsExpanded() ? pNode->GetFirstChild() : nullptr;
        p = pDown != nullptr ? pDown : pNode->GetNextSkippingChildren(pTop);
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (!AliveNode(*it))
            continue;
        Expand(HandleOfNode(*it), TVE_COLLAPSE, FALSE);
        if (!this->Alive(token))
            return FALSE;
    }
    if (pTop != RootNode() && AliveNode(pTop))
        Expand(HandleOfNode(pTop), TVE_COLLAPSE, FALSE);
    if (bRedraw && this->Alive(token)) {
        this->RecalcLayout();
        this->Repaint(TRUE);
    }
    return TRUE;
}

template <class TList> BOOL SECTreeImpl<TList>::EnsureVisible(HTREEITEM hItem, BOOL bShowRange) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return FALSE;
    const auto token = this->LifeToken();
    BarsDeferred deferred(this);
    if (!HasRow(pNode)) {
        // Top-down, so that every expansion finds its node's row. The owner hears of each
        // expansion and may move or delete items then: when any link changed, the ancestors
        // are taken again (those opened already are passed over), up to a bound for an owner
        // that never stops.
        std::vector<_Node*> chain;
        auto takeChain = [&] {
            chain.clear();
            for (SECTreeNode* p = pNode->GetParent(); p != nullptr && p != RootNode();
                 p = p->GetParent())
                chain.push_back(AsNode(p));
        };
        takeChain();
        const int kMaxRetakes = 64;
        int nRetakes = 0;
        for (size_t i = chain.size(); i > 0;) {
            _Node* pAncestor = chain[--i];
            if (pAncestor->IsExpanded())
                continue;
            const unsigned nChanges = m_nodes.GetChangeCount();
            if (!Expand(HandleOfNode(pAncestor), TVE_EXPAND, FALSE) || !this->Alive(token) ||
                !AliveNode(pNode))
                return FALSE;
            if (m_nodes.GetChangeCount() != nChanges) {
                if (++nRetakes > kMaxRetakes)
                    return FALSE;
                takeChain();
                i = chain.size();
            }
        }
        if (!HasRow(pNode))
            RebuildRows();
        this->UpdateScrollBars();
        this->Repaint(TRUE);
    }
    const int nRow = RowOf(pNode);
    if (nRow < 0)
        return FALSE;
    if (bShowRange) {
        SECTreeNode* pParent = pNode->GetParent();
        const int nFrom = pParent != RootNode() ? RowOf(AsNode(pParent)) : nRow;
        return TList::EnsureRangeVisible(nFrom >= 0 ? nFrom : nRow, nRow, FALSE);
    }
    return TList::EnsureVisible(nRow, FALSE);
}

template <class TList> void SECTreeImpl<TList>::RebuildRows() {
    // The rows the nodes should have, in order; rows that differ are made again from there.
    std::vector<_Node*> want;
    SECTreeWalkVisible<TList>(RootNode(), [&](_Node* pNode) {
        want.push_back(pNode);
        return true;
    });
    int nFirstDiff = 0;
    const int nCount = this->GetItemCount();
    while (nFirstDiff < nCount && nFirstDiff < (int)want.size() &&
           NodeOfRow(nFirstDiff) == want[nFirstDiff])
        ++nFirstDiff;
    if (nFirstDiff == nCount && nFirstDiff == (int)want.size())
        return;
    BarsDeferred deferred(this);
    std::vector<_Node*> selected;
    for (INT_PTR i = 0; i < this->m_arSelected.GetSize(); ++i)
        if (_Node* p = NodeOfRow((int)this->m_arSelected[i]))
            selected.push_back(p);
    _Node* pCaret = NodeOfRow(this->GetFocusIndex());
    if (nFirstDiff < nCount)
        DeleteRowRange(nFirstDiff, nCount - nFirstDiff);
    for (size_t i = nFirstDiff; i < want.size(); ++i)
        MakeRow(want[i], (int)i);
    RestoreSelection(selected, pCaret);
}

template <class TList>
void SECTreeImpl<TList>::RestoreSelection(const std::vector<_Node*>& selected, _Node* pCaret) {
    this->DeselectAllExcept(-1);
    for (_Node* p : selected)
        if (AliveNode(p)) {
            const int r = RowOf(p);
            if (r >= 0)
                TList::SelectItem(r, TRUE);
        }
    if (pCaret != nullptr && AliveNode(pCaret)) {
        const int r = RowOf(pCaret);
        if (r >= 0)
            this->SetFocusIndex(r);
    }
}

template <class TList> BOOL SECTreeImpl<TList>::SetSkippedLevel(WORD wLevel) {
    RootNode()->SetSkippedLevel(wLevel);
    m_known.clear();
    if (this->GetItemCount() > 0)
        DeleteRowRange(0, this->GetItemCount());
    m_rowHint.clear();
    RebuildRows();
    return TRUE;
}

template <class TList> WORD SECTreeImpl<TList>::GetSkippedLevel() const {
    return RootNode()->GetSkippedLevel();
}

// ---- Drop highlight and hover expansion.

template <class TList>
BOOL SECTreeImpl<TList>::SelectDropTarget(HTREEITEM hItem, BOOL bMakeVisible) {
    if (hItem == NULL) {
        this->SetDropHilite(-1);
        if (m_nHoverTimer != 0 && GetSafeHwnd() != NULL)
            ::KillTimer(m_hWnd, m_nHoverTimer);
        m_nHoverTimer = 0;
        return TRUE;
    }
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return FALSE;
    if (bMakeVisible && !EnsureVisible(hItem, FALSE))
        return FALSE;
    const int nRow = RowOf(pNode);
    if (nRow < 0)
        return FALSE;
    const int nOld = this->GetDropHilite();
    this->SetDropHilite(nRow);
    if ((m_dwTreeExStyle & TVXS_HOVEREXPAND) && nOld != nRow && GetSafeHwnd() != NULL) {
        if (m_nHoverTimer != 0)
            ::KillTimer(m_hWnd, m_nHoverTimer);
        m_nHoverTimer = ::SetTimer(m_hWnd, SECTREE_HOVER_TIMER, m_nHoverDelay, NULL);
    }
    return TRUE;
}

// ---- Hiding and disabling.

template <class TList> void SECTreeImpl<TList>::HideBranch(_Node* pTop, BOOL bHide) {
    // Pre-order over the subtree: each node's flag, then its row as its visibility says. The
    // owner hears of the rows that go and may change the tree then: the walk holds handles, and
    // starts again from the top when the node it stood on left the subtree (a node already done
    // asks for nothing the second time).
    ForgetKnown();
    const HTREEITEM hTop = HandleOfNode(pTop);
    SECTreeNode* p = pTop;
    const auto token = this->LifeToken();
    while (p != nullptr) {
        _Node* pNode = AsNode(p);
        const HTREEITEM hNode = HandleOfNode(pNode);
        if (pNode->HasFlag(_Node::flagHidden) != bHide)
            pNode->SetFlag(_Node::flagHidden, bHide);
        const BOOL bVisible = m_nodes.IsItemVisible(hNode);
        const int nRow = RowOf(pNode);
        if (bVisible && nRow < 0) {
            MakeRowInPlace(pNode);
        } else if (!bVisible && nRow >= 0) {
            if (this->IsSelected(nRow))
                TList::SetItemState(nRow, 0, LVIS_SELECTED);
            if (!this->Alive(token) || LiveItem(hTop) == nullptr)
                return;
            pNode = LiveItem(hNode);
            const int nAt = pNode != nullptr ? RowOf(pNode) : -1;
            if (nAt >= 0)
                DeleteRowRange(nAt, 1);
            if (!this->Alive(token) || LiveItem(hTop) == nullptr)
                return;
            pNode = LiveItem(hNode);
            pTop = LiveItem(hTop);
            if (pNode == nullptr || (pNode != pTop && !pTop->IsAncestorOf(pNode))) {
                p = pTop;
                continue;
            }
        }
        p = pNode->GetNextInOrderWithin(pTop);
    }
}

template <class TList> BOOL SECTreeImpl<TList>::HideItem(HTREEITEM hItem, BOOL bHide) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return FALSE;
    // Rows are removed top-down while they still follow their parents: hide parents first,
    // show them first too (a child's row goes below its parent's).
    BarsDeferred deferred(this);
    HideBranch(pNode, bHide);
    this->UpdateScrollBars();
    this->Repaint(TRUE);
    return TRUE;
}

template <class TList> BOOL SECTreeImpl<TList>::SetItemDisabled(HTREEITEM hItem, BOOL bDisable) {
    _Node* pTop = LiveItem(hItem);
    if (pTop == nullptr)
        return FALSE;
    ForgetKnown();
    for (SECTreeNode* p = pTop; p != nullptr; p = p->GetNextInOrderWithin(pTop)) {
        _Node* pNode = AsNode(p);
        pNode->SetFlag(_Node::flagDisabled, bDisable);
        const int nRow = RowOf(pNode);
        if (nRow >= 0) {
            SECListItem* pRow = this->GetItemAt(nRow);
            pRow->stateEx = bDisable ? (pRow->stateEx | _Node::flagDisabled)
                                     : (pRow->stateEx & ~_Node::flagDisabled);
            RedrawItem(HandleOfNode(pNode));
        }
    }
    if (m_bHideDisabled && bDisable)
        HideItem(hItem, TRUE);
    return TRUE;
}

template <class TList> BOOL SECTreeImpl<TList>::SetHideDisabled(BOOL bMode) {
    m_bHideDisabled = bMode;
    BarsDeferred deferred(this);
    const auto token = this->LifeToken();
    for (SECTreeNode* p = RootNode()->GetFirstChild(); p != nullptr;) {
        _Node* pNode = AsNode(p);
        if (!pNode->HasFlag(_Node::flagDisabled)) {
            p = pNode->GetNextInOrderWithin(RootNode());
            continue;
        }
        const HTREEITEM hNode = HandleOfNode(pNode);
        HideItem(hNode, bMode);
        if (!this->Alive(token))
            return TRUE;
        // The owner may have deleted the branch while its rows went: start again from the top
        // (branches done already ask for nothing).
        pNode = LiveItem(hNode);
        p = pNode != nullptr ? pNode->GetNextSkippingChildren(RootNode())
                             : RootNode()->GetFirstChild();
    }
    return TRUE;
}

// ---- Moving.

template <class TList>
BOOL SECTreeImpl<TList>::MoveItem(HTREEITEM hItem, HTREEITEM hNewParent, BOOL bRedraw,
                                  HTREEITEM hInsertAfter) {
    _Node* pNode = LiveItem(hItem);
    _Node* pNewParent = m_nodes.ItemFromHandle(hNewParent);
    if (pNode == nullptr || pNewParent == nullptr || pNewParent == pNode ||
        pNode->IsAncestorOf(pNewParent))
        return FALSE;
    BOOL bSort = FALSE, bDesc = FALSE;
    UINT_PTR position = ResolveInsertAfter(pNewParent, hInsertAfter, &bSort, &bDesc);
    // The place is checked before anything moves: a bad insert-after loses nothing.
    if (position != SECTreeNode::addFirst && position != SECTreeNode::addLast) {
        auto* pAfter = reinterpret_cast<const SECTreeNode*>(position);
        if (!m_nodes.IsItem(pAfter) || pAfter->RawParent() != pNewParent || pAfter == pNode)
            return FALSE;
    }
    const auto token = this->LifeToken();
    auto gone = [&] { return !this->Alive(token) || !AliveNode(pNode); };
    BarsDeferred deferred(this);
    _Node* pCaret = NodeOfRow(this->GetFocusIndex());
    this->DeselectAllExcept(-1);
    _Node* pOldParent = AsNode(pNode->GetParent());
    // An open item closes for the move and opens again at its new place; the parents it leaves
    // and joins close and open again. The owner hears of each as of any other expansion.
    BOOL bReopen = FALSE;
    if (HasRow(pNode) && pNode->IsExpanded()) {
        Expand(hItem, TVE_COLLAPSE, FALSE);
        if (gone())
            return FALSE;
        bReopen = !pNode->IsExpanded();
    }
    const int nRow = RowOf(pNode);
    if (nRow >= 0) {
        RemoveDescendantRows(pNode, nRow); // an owner that kept it open
        if (gone())
            return FALSE;
        const int nAt = RowOf(pNode);
        if (nAt >= 0)
            DeleteRowRange(nAt, 1);
        if (gone())
            return FALSE;
    }
    m_known.clear(); // the subtree changes level
    // The owner may have taken the place away while it heard of the collapse: the item then
    // stays where it was.
    const BOOL bMoved = m_nodes.Relink(pNode, pNewParent, position);
    if (bMoved && bSort) {
        const UINT_PTR sorted = SortedPosition(pNewParent, pNode, bDesc);
        if (AliveNode(pNode) && sorted != SECTreeNode::addLast)
            m_nodes.Relink(pNode, pNewParent, sorted);
    }
    if (gone())
        return FALSE;
    if (m_nodes.IsItemVisible(hItem)) {
        const int nNew = MakeRowInPlace(pNode);
        if (nNew >= 0)
            AddDescendantRows(pNode, nNew);
    }
    if (bMoved && (!ReopenBranch(pOldParent) || !ReopenBranch(pNewParent)))
        return FALSE;
    if (bReopen && !gone())
        Expand(hItem, TVE_EXPAND, FALSE);
    if (!this->Alive(token))
        return FALSE;
    if (bRedraw) {
        this->RecalcLayout();
        this->Repaint(TRUE);
    }
    this->DeselectAllExcept(-1);
    _Node* pShow = pCaret != nullptr && AliveNode(pCaret) && HasRow(pCaret) ? pCaret : nullptr;
    if (pShow == nullptr && pNewParent != RootNode() && AliveNode(pNewParent) && HasRow(pNewParent))
        pShow = pNewParent;
    if (pShow != nullptr) {
        const int r = RowOf(pShow);
        this->FocusItem(r, TRUE);
        TList::EnsureVisible(r, FALSE);
    }
    return bMoved;
}

// Closes and opens again a parent that shows its children, so that its rows are made anew;
// FALSE when the window went meanwhile.
template <class TList> BOOL SECTreeImpl<TList>::ReopenBranch(_Node* pParent) {
    if (pParent == RootNode() || !AliveNode(pParent) || !HasRow(pParent) || !pParent->IsExpanded())
        return TRUE;
    const auto token = this->LifeToken();
    Expand(HandleOfNode(pParent), TVE_COLLAPSE, FALSE);
    if (this->Alive(token) && AliveNode(pParent))
        Expand(HandleOfNode(pParent), TVE_EXPAND, FALSE);
    return this->Alive(token);
}

template <class TList> void SECTreeImpl<TList>::UpdateScrollBars() {
    if (m_nDeferBars > 0) {
        m_bBarsPending = TRUE;
        return;
    }
    TList::UpdateScrollBars();
}
