// The tree's items: inserting, reading and writing them, their rows, deleting them, and the
// walks over rows and selection.
#pragma once

#include "listtree/impl/tree_walk.h"
#include "listtree/tree_base.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>

template <class TList> SECTreeImpl<TList>::SECTreeImpl() {
    this->m_dwListStyle |= LVS_REPORT | LVS_SHAREIMAGELISTS;
    // No bit set: single selection, no wrap, no header, no label tips.
    SetTreeExStyle(0, FALSE);
}

template <class TList> SECTreeImpl<TList>::~SECTreeImpl() {
    m_pStorage.reset();
    m_rowHint.clear();
    m_known.clear();
    m_nodes.ResetRoot(); // every item goes, without notification
}

template <class TList> _Node* SECTreeImpl<TList>::NewNode() {
    return new _Node;
}

template <class TList> _Node* SECTreeImpl<TList>::LiveItem(HTREEITEM hItem) const {
    _Node* pNode = m_nodes.ItemFromHandle(hItem);
    return pNode != nullptr && pNode != RootNode() ? pNode : nullptr;
}

// ---- Rows of nodes.

template <class TList> _Node* SECTreeImpl<TList>::NodeOfRow(int nRow) const {
    SECListItem* pRow = this->GetItemAt(nRow);
    if (pRow == NULL)
        return nullptr;
    auto* pNode = reinterpret_cast<const SECTreeNode*>(pRow->lParam);
    return m_nodes.IsItem(pNode) ? AsNode(const_cast<SECTreeNode*>(pNode)) : nullptr;
}

// The row is looked for where it was last seen, moved by the rows inserted and removed since,
// by the removals alone, by the inserts alone, or not at all: one of them is exact when those
// changes lay all above or all below it (appending, deleting from the top, opening or closing a
// branch further down). Otherwise the search widens around all four at once, so that it ends
// near whichever was closest.
template <class TList> int SECTreeImpl<TList>::RowOf(const _Node* pNode) {
    auto it = m_rowHint.find(pNode);
    if (it == m_rowHint.end())
        return -1;
    const int nCount = this->GetItemCount();
    const LPARAM lKey = reinterpret_cast<LPARAM>(pNode);
    auto at = [&](long long r) {
        return r >= 0 && r < nCount &&
               static_cast<SECListItem*>(this->m_arItems[(INT_PTR)r])->lParam == lKey;
    };
    RowHint& hint = it->second;
    auto found = [&](long long r) {
        hint = RowHint{(int)r, m_nRowsInserted, m_nRowsRemoved};
        return (int)r;
    };
    const long long nInserted = m_nRowsInserted - hint.nInsertedAt;
    const long long nRemoved = m_nRowsRemoved - hint.nRemovedAt;
    long long guesses[] = {hint.nRow + nInserted - nRemoved, hint.nRow - nRemoved,
                           hint.nRow + nInserted, hint.nRow};
    for (long long& g : guesses) {
        g = std::max<long long>(0, std::min<long long>(g, nCount - 1));
        if (at(g))
            return found(g);
    }
    for (long long d = 1; d < nCount; ++d)
        for (const long long g : guesses) {
            if (at(g - d))
                return found(g - d);
            if (at(g + d))
                return found(g + d);
        }
    m_rowHint.erase(it);
    return -1;
}

template <class TList> int SECTreeImpl<TList>::MakeRow(_Node* pNode, int nRow) {
    SECListItem* pRow = this->NewItem();
    if (pRow == NULL)
        return -1;
    pRow->lParam = reinterpret_cast<LPARAM>(pNode);
    pRow->cy = pNode->m_nRowHeight > 0 ? pNode->m_nRowHeight : -1;
    pRow->bDirty = TRUE;
    pRow->iImage = pNode->m_item.iImage;
    pRow->state = pNode->m_item.state & (TVIS_CUT | 0xFF00);
    pRow->stateEx = pNode->m_dwFlags & (_Node::flagDisabled | _Node::flagHidden);
    // A new row is never selected: the node follows.
    pNode->m_item.state &= ~(TVIS_SELECTED | TVIS_DROPHILITED);
    const int nAt = TList::InsertRow(nRow, pRow);
    if (nAt < 0) {
        delete pRow;
        return -1;
    }
    ++m_nRowsInserted;
    m_rowHint[pNode] = RowHint{nAt, m_nRowsInserted, m_nRowsRemoved};
    return nAt;
}

// The node's row goes directly below the nearest visible node before it.
template <class TList> int SECTreeImpl<TList>::MakeRowInPlace(_Node* pNode) {
    _Node* pPrev = PrevVisibleNode(pNode);
    int nRow = 0;
    if (pPrev != nullptr) {
        const int nPrev = RowOf(pPrev);
        if (nPrev < 0)
            return -1;
        nRow = nPrev + 1;
    }
    return MakeRow(pNode, nRow);
}

template <class TList> _Node* SECTreeImpl<TList>::LastVisibleDescendant(_Node* pNode) const {
    for (;;) {
        if (!pNode->IsExpanded())
            return pNode;
        SECTreeNode* pChild = pNode->GetLastChild();
        while (pChild != nullptr && AsNode(pChild)->HasFlag(_Node::flagHidden))
            pChild = pChild->GetPrevSibling();
        if (pChild == nullptr)
            return pNode;
        pNode = AsNode(pChild);
    }
}

// For a visible node: the visible node before it in pre-order; null for the first row.
template <class TList> _Node* SECTreeImpl<TList>::PrevVisibleNode(_Node* pNode) const {
    for (SECTreeNode* p = pNode->GetPrevSibling(); p != nullptr; p = p->GetPrevSibling())
        if (!AsNode(p)->HasFlag(_Node::flagHidden))
            return LastVisibleDescendant(AsNode(p));
    SECTreeNode* pParent = pNode->GetParent();
    return pParent == nullptr || pParent == RootNode() ? nullptr : AsNode(pParent);
}

template <class TList> int SECTreeImpl<TList>::CountVisibleDescendants(_Node* pNode) const {
    int nCount = 0;
    SECTreeWalkVisible<TList>(pNode, [&](_Node*) {
        ++nCount;
        return true;
    });
    return nCount;
}

template <class TList> void SECTreeImpl<TList>::AddDescendantRows(_Node* pNode, int nRow) {
    const bool bAnimate = (m_dwTreeExStyle & TVXS_ANIMATE) && GetSafeHwnd() != NULL;
    int r = nRow;
    SECTreeWalkVisible<TList>(pNode, [&](_Node* pChild) {
        if (MakeRow(pChild, r + 1) < 0)
            return false;
        ++r;
        if (bAnimate && ++m_nAnimCounter <= m_nAnimSteps)
            this->InvalidateItem(r, FALSE, TRUE, TRUE, TRUE);
        return true;
    });
}

template <class TList> void SECTreeImpl<TList>::RemoveDescendantRows(_Node* pNode, int nRow) {
    const int nCount = CountVisibleDescendants(pNode);
    if (nCount <= 0 || nRow + nCount >= this->GetItemCount() + 1)
        return;
    const int nFirst = nRow + 1, nLast = nRow + nCount;
    // Deselect the rows that go (their nodes hear of it).
    std::vector<int> selected;
    for (INT_PTR i = 0; i < this->m_arSelected.GetSize(); ++i) {
        const int s = (int)this->m_arSelected[i];
        if (s >= nFirst && s <= nLast)
            selected.push_back(s);
    }
    for (int s : selected)
        TList::SetItemState(s, 0, LVIS_SELECTED);
    if (!(m_dwTreeExStyle & TVXS_ANIMATE) || GetSafeHwnd() == NULL) {
        DeleteRowRange(nFirst, nCount);
        return;
    }
    const int nStep = std::max(1, nCount / std::max(1, m_nAnimSteps));
    const auto token = this->LifeToken();
    for (int i = 0; i < nCount && this->IsValidRow(nFirst); ++i) {
        DeleteRowRange(nFirst, 1);
        if (!this->Alive(token))
            return;
        if (i % nStep == 0)
            ::UpdateWindow(m_hWnd);
    }
    ::UpdateWindow(m_hWnd);
}

// Rows deleted through the list (its owner told once); their nodes forget the row-level bits.
template <class TList> void SECTreeImpl<TList>::DeleteRowRange(int nFirst, int nCount) {
    std::vector<_Node*> nodes;
    for (int r = nFirst; r < nFirst + nCount && r < this->GetItemCount(); ++r)
        if (_Node* p = NodeOfRow(r)) {
            nodes.push_back(p);
            m_rowHint.erase(p);
        }
    const auto token = this->LifeToken();
    TList::DeleteItems(nFirst, nCount);
    if (!this->Alive(token))
        return;
    m_nRowsRemoved += nCount;
    for (_Node* p : nodes)
        if (AliveNode(p) && !HasRow(p))
            p->m_item.state &= ~(UINT)(TVIS_SELECTED | TVIS_DROPHILITED);
}

// One node's row, deleted as the list deletes a row (its owner told), the scroll bars left for
// FinishRowRemoval.
template <class TList> void SECTreeImpl<TList>::RemoveRowOf(_Node* pNode) {
    const int nRow = RowOf(pNode);
    if (nRow < 0)
        return;
    m_rowHint.erase(pNode);
    const auto token = this->LifeToken();
    if (this->m_nEditItem == nRow) {
        this->EndLabelEdit(FALSE);
        if (!this->Alive(token))
            return;
    }
    SECListItem* pRow = this->GetItemAt(nRow);
    const unsigned nGeneration = this->m_nGeneration;
    TList::NotifyDeleteItem(nRow);
    if (!this->Alive(token))
        return;
    const int nAt = nGeneration == this->m_nGeneration ? nRow : this->IndexOfItem(pRow);
    if (nAt < 0)
        return;
    this->RemoveRows(nAt, 1);
    ++m_nRowsRemoved;
    pNode->m_item.state &= ~(UINT)(TVIS_SELECTED | TVIS_DROPHILITED);
}

template <class TList> void SECTreeImpl<TList>::FinishRowRemoval() {
    if (this->m_arSelected.GetSize() == 0 && this->m_nFocusIndex >= 0)
        this->FocusItem(this->GetFocusIndex(), TRUE);
    this->UpdateScrollBars();
}

// ---- Inserting.

template <class TList>
UINT_PTR SECTreeImpl<TList>::SortedPosition(_Node* pParent, _Node* pNew, BOOL bDescending) {
    SECTreeNode* pAfter = nullptr;
    const HTREEITEM hNew = HandleOfNode(pNew);
    for (SECTreeNode* p = pParent->GetFirstChild(); p != nullptr; p = p->GetNextSibling()) {
        if (p == pNew)
            continue;
        const int n = CompareItems(HandleOfNode(p), hNew);
        if (!AliveNode(pNew) || !m_nodes.IsLive(pParent))
            return SECTreeNode::addLast;
        if (bDescending ? n < 0 : n > 0)
            break;
        pAfter = p;
    }
    return pAfter == nullptr ? (UINT_PTR)SECTreeNode::addFirst : reinterpret_cast<UINT_PTR>(pAfter);
}

template <class TList>
UINT_PTR SECTreeImpl<TList>::ResolveInsertAfter(_Node* pParent, HTREEITEM hAfter, BOOL* pbSort,
                                                BOOL* pbDesc) {
    *pbSort = *pbDesc = FALSE;
    if (hAfter == TVI_LAST || hAfter == TVI_ROOT || hAfter == NULL)
        return SECTreeNode::addLast;
    if (hAfter == TVI_FIRST)
        return SECTreeNode::addFirst;
    if (hAfter == TVI_SORT || hAfter == TVI_SORTDESCENDING) {
        *pbSort = TRUE;
        *pbDesc = hAfter == TVI_SORTDESCENDING;
        return SECTreeNode::addLast;
    }
    if (pParent->GetFirstChild() == nullptr)
        return SECTreeNode::addLast;
    return reinterpret_cast<UINT_PTR>(hAfter);
}

template <class TList>
void SECTreeImpl<TList>::ApplyToNode(_Node* pNode, const TVITEMW* pItem, BOOL bNotify) {
    const UINT m = pItem->mask;
    UINT nCallbacks = 0;
    TVITEMW& it = pNode->m_item;
    if (m & TVIF_CHILDREN) {
        if (it.cChildren == I_CHILDRENCALLBACK)
            nCallbacks |= TVIF_CHILDREN;
        else
            m_nodes.SetClaimedChildren(pNode, pItem->cChildren);
    }
    if (m & TVIF_IMAGE) {
        if (it.iImage == I_IMAGECALLBACK)
            nCallbacks |= TVIF_IMAGE;
        else
            it.iImage = pItem->iImage;
    }
    if (m & TVIF_PARAM)
        it.lParam = pItem->lParam;
    if (m & TVIF_SELECTEDIMAGE) {
        if (it.iSelectedImage == I_IMAGECALLBACK)
            nCallbacks |= TVIF_SELECTEDIMAGE;
        else
            it.iSelectedImage = pItem->iSelectedImage;
    }
    if (m & TVIF_STATE) {
        // The expanded bit is the rows' business: only Expand changes it.
        const UINT nMask = pItem->stateMask & ~(UINT)TVIS_EXPANDED;
        it.state = (it.state & ~nMask) | (pItem->state & nMask);
    }
    if (m & TVIF_TEXT) {
        if (pItem->pszText == LPSTR_TEXTCALLBACKW) {
            pNode->SetText(LPSTR_TEXTCALLBACKW); // the old copy is freed
            nCallbacks |= TVIF_TEXT;
        } else if (pNode->HasCallbackText()) {
            nCallbacks |= TVIF_TEXT;
        } else {
            pNode->SetText(pItem->pszText); // null stores ""
        }
    }
    if (bNotify && nCallbacks != 0) {
        TVITEMW copy = *pItem;
        copy.mask = nCallbacks;
        copy.hItem = HandleOfNode(pNode);
        NotifySetDispInfo(&copy);
    }
}

template <class TList> HTREEITEM SECTreeImpl<TList>::InsertItem(LPTVINSERTSTRUCTW pInsert) {
    if (pInsert == nullptr)
        return NULL;
    // The record as callers of every version fill it: parent, insert-after and the item up to
    // the integral height (52 bytes in a 32-bit process).
    constexpr size_t cbFilled =
        offsetof(TVINSERTSTRUCTW, itemex) + offsetof(TVITEMEXW, iIntegral) + sizeof(int);
    static_assert(sizeof(void*) != 4 || cbFilled == 52, "the insert record");
    TVINSERTSTRUCTW is;
    std::memset(&is, 0, sizeof(is));
    std::memcpy(&is, pInsert, cbFilled);
    _Node* pParent = m_nodes.ItemFromHandle(is.hParent);
    if (pParent == nullptr || m_nodes.IsBeingDeleted(pParent))
        return NULL;
    std::unique_ptr<_Node> pOwned(NewNode());
    if (pOwned == nullptr)
        return NULL;
    TVITEMW item;
    std::memcpy(&item, &is.itemex, sizeof(TVITEMW));
    ApplyToNode(pOwned.get(), &item, FALSE);
    BOOL bSort = FALSE, bDesc = FALSE;
    const UINT_PTR position = ResolveInsertAfter(pParent, is.hInsertAfter, &bSort, &bDesc);
    _Node* pNode = pOwned.get();
    if (m_nodes.Link(std::move(pOwned), pParent, position) == NULL)
        return NULL; // deleted there: nothing half-linked
    if (bSort) {
        const UINT_PTR sorted = SortedPosition(pParent, pNode, bDesc);
        if (!AliveNode(pNode))
            return NULL;
        if (sorted != SECTreeNode::addLast)
            m_nodes.Relink(pNode, pParent, sorted);
    }
    if ((item.mask & TVIF_STATE) && (item.stateMask & TVIS_EXPANDED) &&
        (item.state & TVIS_EXPANDED))
        pNode->SetExpanded(TRUE);
    // Visible when its parent is open and shown: no walk up a chain of any depth.
    if (!pNode->HasFlag(_Node::flagHidden) && pParent->IsExpanded() &&
        (pParent == RootNode() || HasRow(pParent)))
        MakeRowInPlace(pNode);
    // Other rows keep their heights: the scroll bars follow (wrapped rows are measured again
    // there), and the window is painted.
    if (this->IsRedrawOn()) {
        this->UpdateScrollBars();
        this->Repaint(TRUE);
    }
    return HandleOfNode(pNode);
}

template <class TList>
HTREEITEM SECTreeImpl<TList>::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage,
                                         int nSelectedImage, UINT nState, UINT nStateMask,
                                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hAfter) {
    TVINSERTSTRUCTW is = {};
    is.hParent = hParent;
    is.hInsertAfter = hAfter;
    is.item.mask = nMask;
    is.item.pszText = const_cast<LPWSTR>(lpszItem);
    if (lpszItem != NULL && lpszItem != LPSTR_TEXTCALLBACKW)
        is.item.cchTextMax = (int)::wcslen(lpszItem) + 1;
    is.item.iImage = nImage;
    is.item.iSelectedImage = nSelectedImage;
    is.item.state = nState;
    is.item.stateMask = nStateMask;
    is.item.lParam = lParam;
    return InsertItem(&is);
}

template <class TList>
HTREEITEM SECTreeImpl<TList>::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hAfter) {
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hAfter);
}

template <class TList>
HTREEITEM SECTreeImpl<TList>::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage,
                                         HTREEITEM hParent, HTREEITEM hAfter) {
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage,
                      0, 0, 0, hParent, hAfter);
}

template <class TList>
BOOL SECTreeImpl<TList>::InsertItems(TVITEMW** ppItems, HTREEITEM hParent, int nCount,
                                     BOOL bRedraw) {
    _Node* pParent = m_nodes.ItemFromHandle(hParent);
    if (ppItems == nullptr || nCount < 1 || pParent == nullptr)
        return FALSE;
    const BOOL bVisible = pParent == RootNode() || (pParent->IsExpanded() && HasRow(pParent));
    const BOOL bParentOpen = pParent->IsExpanded();
    int nRow = -1;
    for (int i = 0; i < nCount; ++i) {
        TVITEMW* pItem = ppItems[i];
        if (pItem == nullptr)
            return FALSE;
        std::unique_ptr<_Node> pOwned(NewNode());
        TVITEMW item = *pItem;
        item.stateMask &= ~(UINT)TVIS_EXPANDED;
        ApplyToNode(pOwned.get(), &item, FALSE);
        _Node* pNode = pOwned.get();
        if (m_nodes.Link(std::move(pOwned), pParent, SECTreeNode::addLast) == NULL)
            return FALSE;
        pItem->mask |= TVIF_HANDLE;
        pItem->hItem = HandleOfNode(pNode);
        if (!bVisible || !bParentOpen || pNode->HasFlag(_Node::flagHidden))
            continue;
        nRow = nRow < 0 ? MakeRowInPlace(pNode) : MakeRow(pNode, nRow + 1);
    }
    if (bRedraw) {
        this->RecalcLayout();
        this->Repaint(TRUE);
    }
    return TRUE;
}

// ---- Reading and writing items.

template <class TList> BOOL SECTreeImpl<TList>::SetItem(TVITEMW* pItem) {
    if (pItem == nullptr)
        return FALSE;
    _Node* pNode = LiveItem(pItem->hItem);
    if (pNode == nullptr)
        return FALSE;
    const TVITEMW before = pNode->m_item;
    const CString strBefore = pNode->HasCallbackText() ? CString() : CString(pNode->GetOwnText());
    const auto token = this->LifeToken();
    ApplyToNode(pNode, pItem, TRUE);
    if (!this->Alive(token) || !AliveNode(pNode))
        return TRUE;
    const int nRow = RowOf(pNode);
    if (nRow < 0)
        return TRUE;
    LVITEM lv = {};
    lv.iItem = nRow;
    if (pItem->mask & TVIF_STATE) {
        const UINT nRowBits = TVIS_CUT | TVIS_DROPHILITED | TVIS_SELECTED | 0xF000 | 0x0F00;
        lv.mask |= LVIF_STATE;
        lv.stateMask = pItem->stateMask & nRowBits;
        lv.state = pNode->m_item.state & lv.stateMask & ~0x0F00u;
        if ((lv.stateMask & 0x0F00) && (pNode->m_item.state & 0x0F00))
            lv.state |= 0x0F00;
    }
    if (pItem->mask & TVIF_IMAGE) {
        lv.mask |= LVIF_IMAGE;
        lv.iImage = pNode->m_item.iImage;
    }
    if (lv.mask != 0)
        TList::SetItem(&lv, FALSE);
    if (!this->Alive(token) || !AliveNode(pNode))
        return TRUE;
    const UINT nDiff = before.state ^ pNode->m_item.state;
    const bool bTextChanged =
        (pItem->mask & TVIF_TEXT) &&
        (pNode->HasCallbackText() || strBefore != CString(pNode->GetOwnText()));
    const bool bDrop = (nDiff & TVIS_DROPHILITED) != 0;
    if ((bTextChanged || bDrop || (nDiff & 0xFF00) || before.iImage != pNode->m_item.iImage) &&
        nRow != this->m_nEditItem) {
        TList::ReMeasureItem(nRow);
        RedrawItem(HandleOfNode(pNode), FALSE, FALSE, TRUE, bDrop);
    }
    return TRUE;
}

template <class TList>
BOOL SECTreeImpl<TList>::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                                 int nSelectedImage, UINT nState, UINT nStateMask, LPARAM lParam) {
    TVITEMW item = {};
    item.hItem = hItem;
    item.mask = nMask | TVIF_HANDLE;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

template <class TList>
BOOL SECTreeImpl<TList>::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, NULL, nImage, nSelectedImage, 0, 0, 0);
}

template <class TList>
BOOL SECTreeImpl<TList>::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
    return SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0);
}

template <class TList> BOOL SECTreeImpl<TList>::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
    return SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, (LPARAM)dwData);
}

template <class TList> UINT SECTreeImpl<TList>::GetItemState(HTREEITEM hItem, UINT nStateMask) {
    _Node* pNode = LiveItem(hItem);
    return pNode != nullptr ? pNode->m_item.state & nStateMask : 0;
}

template <class TList> DWORD_PTR SECTreeImpl<TList>::GetItemData(HTREEITEM hItem) {
    _Node* pNode = LiveItem(hItem);
    return pNode != nullptr ? (DWORD_PTR)pNode->m_item.lParam : 0;
}

template <class TList>
BOOL SECTreeImpl<TList>::GetItem(TVITEMW* pItem, BOOL bCopyText, BOOL bCallbacks) {
    if (pItem == nullptr)
        return FALSE;
    _Node* pNode = LiveItem(pItem->hItem);
    if (pNode == nullptr)
        return FALSE;
    const TVITEMW& it = pNode->m_item;
    const UINT m = pItem->mask;
    UINT nCallbacks = 0;
    if (m & TVIF_CHILDREN) {
        pItem->cChildren = it.cChildren;
        if (it.cChildren == I_CHILDRENCALLBACK)
            nCallbacks |= TVIF_CHILDREN;
    }
    if (m & TVIF_IMAGE) {
        pItem->iImage = it.iImage;
        if (it.iImage == I_IMAGECALLBACK)
            nCallbacks |= TVIF_IMAGE;
    }
    if (m & TVIF_SELECTEDIMAGE) {
        pItem->iSelectedImage = it.iSelectedImage;
        if (it.iSelectedImage == I_IMAGECALLBACK)
            nCallbacks |= TVIF_SELECTEDIMAGE;
    }
    if (m & TVIF_PARAM)
        pItem->lParam = it.lParam;
    if (m & TVIF_STATE)
        pItem->state = it.state & pItem->stateMask;
    LPWSTR pszCaller = pItem->pszText;
    const int cchMax = pItem->cchTextMax;
    if (m & TVIF_TEXT) {
        if (pNode->HasCallbackText()) {
            nCallbacks |= TVIF_TEXT;
            if (bCopyText)
                SECListCopyText(pszCaller, cchMax, L"");
            if (!bCallbacks)
                pItem->pszText = LPSTR_TEXTCALLBACKW;
        } else if (bCopyText) {
            SECListCopyText(pszCaller, cchMax, pNode->GetOwnText());
        } else {
            pItem->pszText = const_cast<LPWSTR>(pNode->GetOwnText());
        }
    }
    if (!bCallbacks || nCallbacks == 0)
        return TRUE;
    pItem->lParam = it.lParam;
    pItem->mask = nCallbacks;
    const auto token = this->LifeToken();
    NotifyGetDispInfo(pItem);
    if (!this->Alive(token) || !AliveNode(pNode))
        return FALSE; // the owner deleted the item while answering
    if (nCallbacks & TVIF_TEXT) {
        if (pItem->pszText == NULL || pItem->pszText == LPSTR_TEXTCALLBACKW) {
            pItem->pszText = pszCaller;
            SECListCopyText(pszCaller, cchMax, L"");
        } else if (pItem->pszText != pszCaller && pszCaller != NULL && cchMax > 0 && bCopyText) {
            SECListCopyText(pszCaller, cchMax, pItem->pszText);
            pItem->pszText = pszCaller;
        } else if (pItem->pszText == pszCaller && cchMax > 0) {
            pszCaller[cchMax - 1] = 0;
        }
    }
    pItem->mask = m;
    return TRUE;
}

template <class TList> CString SECTreeImpl<TList>::NodeText(_Node* pNode) {
    std::unique_ptr<wchar_t[]> pBuffer(new wchar_t[SECLIST_TEXT_MAX]);
    pBuffer[0] = 0;
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = HandleOfNode(pNode);
    item.pszText = pBuffer.get();
    item.cchTextMax = SECLIST_TEXT_MAX;
    if (!GetItem(&item, TRUE, TRUE) || item.pszText == NULL)
        return CString();
    return CString(item.pszText, (int)::wcsnlen(item.pszText, SECLIST_TEXT_MAX - 1));
}

template <class TList> int SECTreeImpl<TList>::CompareItems(HTREEITEM hItem1, HTREEITEM hItem2) {
    _Node* p1 = LiveItem(hItem1);
    _Node* p2 = LiveItem(hItem2);
    if (p1 == nullptr || p2 == nullptr)
        return 0;
    const CString s1 = NodeText(p1);
    const CString s2 = NodeText(p2);
    return ::_wcsicmp(s1, s2);
}

template <class TList> BOOL SECTreeImpl<TList>::SetItemEx(TVITEMW* pItem, SECListItemEx* pItemEx) {
    if (pItem == nullptr || pItemEx == nullptr)
        return FALSE;
    _Node* pNode = LiveItem(pItem->hItem);
    if (pNode == nullptr)
        return FALSE;
    if (!(pItemEx->mask & 1))
        return TRUE;
    const DWORD dwMask = pItemEx->stateMask & (_Node::flagDisabled | _Node::flagHidden);
    pNode->m_dwFlags = (pNode->m_dwFlags & ~dwMask) | (pItemEx->state & dwMask);
    ForgetKnown();
    OnSetItemEx(pItemEx);
    const int nRow = RowOf(pNode);
    if (nRow >= 0) {
        LVITEM lv = {};
        lv.iItem = nRow;
        SECListItemEx ext;
        ext.mask = 1;
        ext.state = pNode->m_dwFlags & dwMask;
        ext.stateMask = dwMask;
        TList::SetItemEx(&lv, &ext);
    }
    return TRUE;
}

template <class TList>
BOOL SECTreeImpl<TList>::GetItemEx(TVITEMW* pItem, SECListItemEx* pItemEx, BOOL bCallbacks) {
    if (pItem == nullptr || pItemEx == nullptr)
        return FALSE;
    if (LiveItem(pItem->hItem) == nullptr)
        return FALSE;
    if (!(pItemEx->mask & 1))
        return TRUE;
    pItemEx->state = 0;
    if (this->GetExStateCallback() && bCallbacks) {
        pItemEx->mask = 1;
        OnGetItemEx(pItemEx);
        return TRUE;
    }
    const Known& known = KnownOf(LiveItem(pItem->hItem));
    if ((pItemEx->stateMask & _Node::flagDisabled) && known.bDisabled)
        pItemEx->state |= _Node::flagDisabled;
    if ((pItemEx->stateMask & _Node::flagHidden) && known.bHidden)
        pItemEx->state |= _Node::flagHidden;
    return TRUE;
}

// ---- The list's calls on column 0 reach the node.

constexpr UINT SECTREE_NODE_STATE_BITS = TVIS_CUT | TVIS_DROPHILITED | TVIS_SELECTED | 0xFF00;

template <class TList> BOOL SECTreeImpl<TList>::SetItem(LVITEM* pItem, BOOL bRedraw) {
    if (pItem == nullptr || pItem->iSubItem != 0)
        return TList::SetItem(pItem, bRedraw);
    _Node* pNode = NodeOfRow(pItem->iItem);
    if (pNode == nullptr)
        return TList::SetItem(pItem, bRedraw);
    if (pItem->mask & LVIF_STATE) {
        const UINT nMask = pItem->stateMask & SECTREE_NODE_STATE_BITS;
        pNode->m_item.state = (pNode->m_item.state & ~nMask) | (pItem->state & nMask);
    }
    if (pItem->mask & (LVIF_TEXT | LVIF_IMAGE)) {
        TVITEMW tv = {};
        tv.hItem = HandleOfNode(pNode);
        tv.mask = TVIF_HANDLE | ((pItem->mask & LVIF_TEXT) ? TVIF_TEXT : 0) |
                  ((pItem->mask & LVIF_IMAGE) ? TVIF_IMAGE : 0);
        tv.pszText = pItem->pszText;
        tv.iImage = pItem->iImage;
        const auto token = this->LifeToken();
        SetItem(&tv);
        if (!this->Alive(token))
            return FALSE;
    }
    LVITEM rest = *pItem;
    rest.mask &= ~(LVIF_TEXT | LVIF_IMAGE | LVIF_DI_SETITEM);
    return rest.mask != 0 ? TList::SetItem(&rest, bRedraw) : TRUE;
}

template <class TList>
BOOL SECTreeImpl<TList>::GetItem(LVITEM* pItem, BOOL bCopyText, BOOL bNotify) {
    if (pItem == nullptr || pItem->iSubItem != 0)
        return TList::GetItem(pItem, bCopyText, bNotify);
    _Node* pNode = NodeOfRow(pItem->iItem);
    if (pNode == nullptr)
        return TList::GetItem(pItem, bCopyText, bNotify);
    TVITEMW tv = {};
    tv.hItem = HandleOfNode(pNode);
    tv.mask = TVIF_HANDLE | ((pItem->mask & LVIF_TEXT) ? TVIF_TEXT : 0) |
              ((pItem->mask & LVIF_IMAGE) ? TVIF_IMAGE : 0) | TVIF_STATE;
    tv.stateMask = SECTREE_NODE_STATE_BITS;
    tv.pszText = pItem->pszText;
    tv.cchTextMax = pItem->cchTextMax;
    if (!GetItem(&tv, bCopyText, bNotify))
        return FALSE;
    LVITEM rest = *pItem;
    rest.mask &= ~(LVIF_TEXT | LVIF_IMAGE);
    if (rest.mask != 0 && !TList::GetItem(&rest, FALSE, bNotify))
        return FALSE;
    if (pItem->mask & LVIF_TEXT)
        pItem->pszText = tv.pszText;
    if (pItem->mask & LVIF_IMAGE)
        pItem->iImage = tv.iImage;
    if (pItem->mask & LVIF_STATE) {
        const UINT nNodeBits = pItem->stateMask & (TVIS_CUT | 0xFF00);
        pItem->state = (rest.state & ~nNodeBits) | (tv.state & nNodeBits);
    }
    if (pItem->mask & LVIF_PARAM)
        pItem->lParam = rest.lParam;
    return TRUE;
}

template <class TList> BOOL SECTreeImpl<TList>::SetItemEx(LVITEM* pItem, SECListItemEx* pItemEx) {
    if (pItem != nullptr && pItemEx != nullptr && pItem->iSubItem == 0)
        if (_Node* pNode = NodeOfRow(pItem->iItem)) {
            TVITEMW tv = {};
            tv.hItem = HandleOfNode(pNode);
            return SetItemEx(&tv, pItemEx);
        }
    return TList::SetItemEx(pItem, pItemEx);
}

template <class TList>
BOOL SECTreeImpl<TList>::GetItemEx(LVITEM* pItem, SECListItemEx* pItemEx, BOOL bNotify) {
    if (pItem != nullptr && pItemEx != nullptr && pItem->iSubItem == 0)
        if (_Node* pNode = NodeOfRow(pItem->iItem)) {
            TVITEMW tv = {};
            tv.hItem = HandleOfNode(pNode);
            pItemEx->mask |= 1;
            return GetItemEx(&tv, pItemEx, bNotify);
        }
    return TList::GetItemEx(pItem, pItemEx, bNotify);
}

template <class TList> LPARAM SECTreeImpl<TList>::GetItemParam(SECListItem* pItem) {
    if (pItem == NULL)
        return 0;
    auto* pNode = reinterpret_cast<const SECTreeNode*>(pItem->lParam);
    return m_nodes.IsItem(pNode) ? AsNode(const_cast<SECTreeNode*>(pNode))->m_item.lParam : 0;
}

template <class TList> BOOL SECTreeImpl<TList>::ItemNeedsDispInfo(int nRow) {
    if (_Node* pNode = NodeOfRow(nRow)) {
        const TVITEMW& it = pNode->m_item;
        if (pNode->HasCallbackText() || it.cChildren == I_CHILDRENCALLBACK ||
            it.iImage == I_IMAGECALLBACK || it.iSelectedImage == I_IMAGECALLBACK)
            return TRUE;
    }
    return TList::ItemNeedsDispInfo(nRow);
}

// ---- Texts of items and columns.

template <class TList>
BOOL SECTreeImpl<TList>::SetItemText(HTREEITEM hItem, int nCol, LPCTSTR lpszText) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr || nCol < 0)
        return FALSE;
    if (nCol == 0)
        return SetItemText(hItem, lpszText);
    if (m_pStorage != nullptr) {
        if (nCol >= this->GetColumnCount())
            return FALSE;
        if (!m_pStorage->SetText(hItem, nCol, lpszText))
            return FALSE;
        const int nRow = RowOf(pNode);
        if (nRow >= 0) {
            TList::ReMeasureItem(nRow);
            RedrawItem(hItem);
        }
        return TRUE;
    }
    const int nRow = RowOf(pNode);
    return nRow >= 0 ? TList::SetItemText(nRow, nCol, lpszText) : FALSE;
}

template <class TList> BOOL SECTreeImpl<TList>::SetItemText(HTREEITEM hItem, LPCTSTR lpszText) {
    return SetItem(hItem, TVIF_TEXT, lpszText, 0, 0, 0, 0, 0);
}

template <class TList> CString SECTreeImpl<TList>::GetItemText(HTREEITEM hItem, int nCol) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr || nCol < 0)
        return CString();
    if (nCol == 0)
        return NodeText(pNode);
    if (m_pStorage != nullptr) {
        std::unique_ptr<wchar_t[]> pBuffer(new wchar_t[SECLIST_TEXT_MAX]);
        m_pStorage->GetText(hItem, nCol, pBuffer.get(), SECLIST_TEXT_MAX);
        return CString(pBuffer.get());
    }
    const int nRow = RowOf(pNode);
    return nRow >= 0 ? this->QueryItemText(nRow, nCol) : CString();
}

template <class TList>
BOOL SECTreeImpl<TList>::CopyItemText(HTREEITEM hItem, int nCol, CString* pText) {
    if (pText == nullptr)
        return FALSE;
    *pText = GetItemText(hItem, nCol);
    return TRUE;
}

template <class TList> BOOL SECTreeImpl<TList>::EnableSubItemTextStorage(BOOL bEnable) {
    if (bEnable && m_pStorage == nullptr)
        m_pStorage.reset(new SECSubItemTextStorage);
    else if (!bEnable)
        m_pStorage.reset();
    return m_pStorage != nullptr;
}

template <class TList> BOOL SECTreeImpl<TList>::HasSubItemTextStorage() {
    return m_pStorage != nullptr;
}

// ---- Deleting.

template <class TList> BOOL SECTreeImpl<TList>::DeleteItemTree(HTREEITEM hItem) {
    _Node* pTop = m_nodes.ItemFromHandle(hItem);
    if (pTop == nullptr)
        return FALSE;
    const bool bWindow = GetSafeHwnd() != NULL;
    const auto token = this->LifeToken();
    BarsDeferred deferred(this);
    typename TList::RouteFixed route(this);
    if (pTop == RootNode()) {
        const BOOL bDone = m_nodes.DeleteSubtree(pTop, [&](_Node* pNode) {
            if (bWindow && this->Alive(token))
                NotifyDeleteItem(HandleOfNode(pNode));
            else if (m_pStorage != nullptr)
                m_pStorage->RemoveItem(HandleOfNode(pNode));
            m_rowHint.erase(pNode);
            m_known.erase(pNode);
        });
        if (!this->Alive(token))
            return bDone;
        m_rowHint.clear();
        m_nContentWidth = 0;
        TList::DeleteAllItems(); // the list's own: the tree's would come back here
        return bDone;
    }
    const BOOL bDone = m_nodes.DeleteSubtree(pTop, [&](_Node* pNode) {
        if (bWindow && this->Alive(token)) {
            RemoveRowOf(pNode);
            if (this->Alive(token))
                NotifyDeleteItem(HandleOfNode(pNode));
        } else if (m_pStorage != nullptr) {
            m_pStorage->RemoveItem(HandleOfNode(pNode));
        }
        m_rowHint.erase(pNode);
        m_known.erase(pNode);
    });
    if (this->Alive(token))
        FinishRowRemoval();
    return bDone;
}

template <class TList> BOOL SECTreeImpl<TList>::DeleteItem(HTREEITEM hItem) {
    const auto token = this->LifeToken();
    // Emptying the tree empties the list, which brings the bars up to date and repaints.
    const bool bAll = m_nodes.ItemFromHandle(hItem) == RootNode();
    {
        // The bars follow the deletion and the layout once, not once for each.
        BarsDeferred deferred(this);
        if (!DeleteItemTree(hItem))
            return FALSE;
        if (!bAll && this->Alive(token) && this->IsRedrawOn())
            this->UpdateScrollBars();
    }
    if (!bAll && this->Alive(token) && this->IsRedrawOn())
        this->Repaint(TRUE);
    return TRUE;
}

template <class TList> BOOL SECTreeImpl<TList>::DeleteAllItems() {
    return DeleteItem(TVI_ROOT);
}

// ---- Rows, carets and walks.

template <class TList> HTREEITEM SECTreeImpl<TList>::GetItemFromIndex(int nRow) {
    return HandleOfNode(NodeOfRow(nRow));
}

template <class TList> int SECTreeImpl<TList>::FindItemIndex(HTREEITEM hItem, int nStart) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return -1;
    const int nRow = RowOf(pNode);
    return nRow >= nStart ? nRow : -1;
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetNextSiblingItem(HTREEITEM hItem) const {
    _Node* pNode = m_nodes.ItemFromHandle(hItem);
    return pNode == nullptr || pNode == RootNode() ? NULL : m_nodes.GetNextSiblingItem(hItem);
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetPrevSiblingItem(HTREEITEM hItem) const {
    _Node* pNode = m_nodes.ItemFromHandle(hItem);
    return pNode == nullptr || pNode == RootNode() ? NULL : m_nodes.GetPrevSiblingItem(hItem);
}

template <class TList> BOOL SECTreeImpl<TList>::ItemClaimsChildren(HTREEITEM hItem) {
    return m_nodes.ItemClaimsChildren(hItem, [this](_Node* pNode) {
        if (pNode->m_item.cChildren != I_CHILDRENCALLBACK)
            return pNode->m_item.cChildren;
        TVITEMW item = {};
        item.mask = TVIF_CHILDREN | TVIF_HANDLE;
        item.hItem = HandleOfNode(pNode);
        return GetItem(&item, FALSE, TRUE) ? item.cChildren : 0;
    });
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetNextItem(HTREEITEM hItem, UINT nCode) {
    switch (nCode) {
    case TVGN_ROOT:
        return GetRootItem(hItem);
    case TVGN_NEXT:
        return GetNextSiblingItem(hItem);
    case TVGN_PREVIOUS:
        return GetPrevSiblingItem(hItem);
    case TVGN_PARENT:
        return GetParentItem(hItem);
    case TVGN_CHILD:
        return GetChildItem(hItem);
    case TVGN_FIRSTVISIBLE:
        return GetFirstVisibleItem();
    case TVGN_NEXTVISIBLE:
        return GetNextVisibleItem(hItem);
    case TVGN_PREVIOUSVISIBLE:
        return GetPrevVisibleItem(hItem);
    case TVGN_DROPHILITE:
        return GetDropHilightItem();
    case TVGN_CARET:
        return GetSelectedItem();
    case 0x20:
        return GetFirstSelectedItem();
    case 0x21:
        return GetNextSelectedItem(hItem);
    case 0x22:
        return GetPrevSelectedItem(hItem);
    default:
        return NULL;
    }
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetSelectedItem() {
    return GetItemFromIndex(this->GetFocusIndex());
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetFirstVisibleItem() {
    return GetItemFromIndex(this->GetTopIndex());
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetDropHilightItem() {
    return GetItemFromIndex(this->GetDropHilite());
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetFirstSelectedItem() {
    return GetItemFromIndex(TList::GetNextItem(-1, LVNI_SELECTED));
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetNextSelectedItem(HTREEITEM hItem) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return NULL;
    int nRow = RowOf(pNode);
    if (nRow < 0) {
        // Search from the nearest visible item before it in pre-order.
        SECTreeNode* p = pNode->GetPrevInOrder();
        for (; p != nullptr && p != RootNode(); p = p->GetPrevInOrder())
            if ((nRow = RowOf(AsNode(p))) >= 0)
                break;
    }
    return GetItemFromIndex(TList::GetNextItem(nRow, LVNI_SELECTED));
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetPrevSelectedItem(HTREEITEM hItem) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return NULL;
    int nRow = RowOf(pNode);
    if (nRow < 0) {
        nRow = this->GetItemCount();
        for (SECTreeNode* p = pNode->GetNextInOrder(); p != nullptr; p = p->GetNextInOrder()) {
            const int r = RowOf(AsNode(p));
            if (r >= 0) {
                nRow = r;
                break;
            }
        }
    }
    return GetItemFromIndex(TList::GetNextItem(nRow, LVNI_SELECTED | LVNI_ABOVE));
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetNextVisibleItem(HTREEITEM hItem) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return NULL;
    const int nRow = RowOf(pNode);
    if (nRow >= 0)
        return GetItemFromIndex(nRow + 1);
    for (SECTreeNode* p = pNode->GetNextInOrder(); p != nullptr; p = p->GetNextInOrder())
        if (HasRow(AsNode(p)))
            return HandleOfNode(p);
    return NULL;
}

template <class TList> HTREEITEM SECTreeImpl<TList>::GetPrevVisibleItem(HTREEITEM hItem) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return NULL;
    const int nRow = RowOf(pNode);
    if (nRow >= 0)
        return GetItemFromIndex(nRow - 1);
    for (SECTreeNode* p = pNode->GetPrevInOrder(); p != nullptr && p != RootNode();
         p = p->GetPrevInOrder())
        if (HasRow(AsNode(p)))
            return HandleOfNode(p);
    return NULL;
}

template <class TList> BOOL SECTreeImpl<TList>::SetFocusItem(HTREEITEM hItem) {
    _Node* pNode = LiveItem(hItem);
    const int nRow = pNode != nullptr ? RowOf(pNode) : -1;
    return nRow >= 0 ? this->FocusItem(nRow, TRUE) : FALSE;
}

template <class TList>
BOOL SECTreeImpl<TList>::SelectRange(HTREEITEM hItem1, HTREEITEM hItem2, BOOL bSelect) {
    const int r1 = FindItemIndex(hItem1), r2 = FindItemIndex(hItem2);
    if (r1 < 0 || r2 < 0)
        return FALSE;
    return TList::SelectRange(r1, r2, bSelect);
}

template <class TList> BOOL SECTreeImpl<TList>::SelectSetFirstVisible(HTREEITEM hItem) {
    // A node that has its row is not scrolled into view first: the top index is set outright,
    // and only the page it lands on is measured, not the page it leaves.
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr || (!HasRow(pNode) && !EnsureVisible(hItem, FALSE)))
        return FALSE;
    const int nRow = FindItemIndex(hItem);
    if (nRow < 0)
        return FALSE;
    this->SetTopIndex(nRow);
    return TRUE;
}

template <class TList> BOOL SECTreeImpl<TList>::Select(HTREEITEM hItem, UINT nCode) {
    const auto token = this->LifeToken();
    if (!EnsureVisible(hItem, FALSE) || !this->Alive(token))
        return FALSE;
    switch (nCode) {
    case TVGN_FIRSTVISIBLE:
        return SelectSetFirstVisible(hItem);
    case TVGN_DROPHILITE:
        return SelectDropTarget(hItem, TRUE);
    case TVGN_CARET: {
        _Node* pNode = LiveItem(hItem);
        const int nRow = pNode != nullptr ? RowOf(pNode) : -1;
        if (nRow < 0)
            return FALSE;
        const int nOld = this->GetFocusIndex();
        if (NotifySelChanging(nRow, nOld, 2) == 1 || !this->Alive(token) || !AliveNode(pNode))
            return FALSE;
        if (!SetFocusItem(hItem))
            return FALSE;
        NotifySelChanged(RowOf(pNode), nOld, 2);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

template <class TList> BOOL SECTreeImpl<TList>::SelectItem(HTREEITEM hItem) {
    const auto token = this->LifeToken();
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr || !EnsureVisible(hItem, FALSE) || !this->Alive(token) ||
        !AliveNode(pNode))
        return FALSE;
    int nRow = RowOf(pNode);
    if (nRow < 0)
        return FALSE;
    const int nOld = this->GetFocusIndex();
    if (NotifySelChanging(nRow, nOld, 2) == 1 || !this->Alive(token) || !AliveNode(pNode))
        return FALSE;
    nRow = RowOf(pNode);
    if (nRow < 0 || !TList::SelectItem(nRow, TRUE))
        return FALSE;
    NotifySelChanged(nRow, nOld, 2);
    if (!this->Alive(token) || !AliveNode(pNode))
        return FALSE;
    if (!(m_dwTreeExStyle & TVXS_MULTISEL))
        return Select(hItem, TVGN_CARET);
    return TRUE;
}

template <class TList>
BOOL SECTreeImpl<TList>::GetItemRect(HTREEITEM hItem, RECT* pRect, BOOL bTextOnly) {
    const int nRow = FindItemIndex(hItem);
    if (nRow < 0 || pRect == nullptr)
        return FALSE;
    return this->GetSubItemRect(nRow, 0, pRect, bTextOnly ? LVIR_LABEL : LVIR_BOUNDS);
}

template <class TList> void SECTreeImpl<TList>::ReMeasureItem(HTREEITEM hItem) {
    const int nRow = FindItemIndex(hItem);
    if (nRow < 0)
        return;
    TList::ReMeasureItem(nRow);
    this->UpdateScrollBars();
}

template <class TList>
BOOL SECTreeImpl<TList>::RedrawItem(HTREEITEM hItem, BOOL bLabelOnly, BOOL bToBottom, BOOL bErase,
                                    BOOL bUpdateNow) {
    const int nRow = FindItemIndex(hItem);
    if (nRow < 0)
        return FALSE;
    return this->InvalidateItem(nRow, bLabelOnly, bToBottom, bErase, bUpdateNow);
}
