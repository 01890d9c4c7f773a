// The tree's configuration: its two style words and what they do to the list's styles, creating
// the window (the tree column first), replacing a dialog's placeholder, sorting children, columns
// and the indent that follows the image list.
#pragma once

#include "listtree/impl/tree_walk.h"
#include "listtree/tree_base.h"

#include <algorithm>
#include <exception>

template <class TList> BOOL SECTreeImpl<TList>::GetTreeStyles(DWORD* pStyle, DWORD* pExStyle) {
    if (pStyle != nullptr)
        *pStyle = GetTreeStyle();
    if (pExStyle != nullptr)
        *pExStyle = GetTreeExStyle();
    return TRUE;
}

template <class TList>
BOOL SECTreeImpl<TList>::SetTreeStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw) {
    SetTreeStyle(dwStyle, FALSE);
    return SetTreeExStyle(dwExStyle, bRedraw);
}

template <class TList> DWORD SECTreeImpl<TList>::GetTreeStyle() {
    DWORD dw = m_dwTreeStyle;
    if (this->HasStyle(LVS_EDITLABELS))
        dw |= TVS_EDITLABELS;
    if (this->HasStyle(LVS_SHOWSELALWAYS))
        dw |= TVS_SHOWSELALWAYS;
    return dw;
}

template <class TList> DWORD SECTreeImpl<TList>::GetTreeExStyle() {
    return m_dwTreeExStyle;
}

template <class TList> BOOL SECTreeImpl<TList>::SetTreeStyle(DWORD dwStyle, BOOL bRedraw) {
    m_dwTreeStyle = dwStyle & SECTREE_STYLE_MASK;
    DWORD dwRemove = 0, dwAdd = 0;
    ((dwStyle & TVS_EDITLABELS) ? dwAdd : dwRemove) |= LVS_EDITLABELS;
    ((dwStyle & TVS_SHOWSELALWAYS) ? dwAdd : dwRemove) |= LVS_SHOWSELALWAYS;
    return this->ModifyListStyle(dwRemove, dwAdd, bRedraw);
}

template <class TList> BOOL SECTreeImpl<TList>::SetTreeExStyle(DWORD dwExStyle, BOOL bRedraw) {
    m_dwTreeExStyle = dwExStyle;
    DWORD dwRemove = 0, dwAdd = 0, dwExRemove = 0, dwExAdd = 0;
    ((dwExStyle & TVXS_MULTISEL) ? dwRemove : dwAdd) |= LVS_SINGLESEL;
    ((dwExStyle & TVXS_WORDWRAP) ? dwRemove : dwAdd) |= LVS_NOLABELWRAP;
    ((dwExStyle & TVXS_COLUMNHEADER) ? dwRemove : dwAdd) |= LVS_NOCOLUMNHEADER;
    ((dwExStyle & TVXS_LABELTIPS) ? dwExAdd : dwExRemove) |= LVXS_LABELTIPS;
    const bool bSortable = (dwExStyle & TVXS_COLUMNHEADER) && (dwExStyle & TVXS_SORTHEADER);
    (bSortable ? dwRemove : dwAdd) |= LVS_NOSORTHEADER;
    const bool bDrag = (dwExStyle & TVXS_SORTHEADER) && (dwExStyle & TVXS_HEADERDRAG);
    (bDrag ? dwExAdd : dwExRemove) |= LVXS_HEADERDRAG;
    return this->ModifyStyles(dwRemove, dwAdd, dwExRemove, dwExAdd, bRedraw);
}

template <class TList>
BOOL SECTreeImpl<TList>::ModifyTreeStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw) {
    return SetTreeStyle((GetTreeStyle() & ~dwRemove) | dwAdd, bRedraw) > 0;
}

template <class TList>
BOOL SECTreeImpl<TList>::ModifyTreeExStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw) {
    return SetTreeExStyle((GetTreeExStyle() & ~dwRemove) | dwAdd, bRedraw) > 0;
}

template <class TList>
BOOL SECTreeImpl<TList>::ModifyTreeStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwExRemove,
                                          DWORD dwExAdd, BOOL bRedraw) {
    ModifyTreeStyle(dwRemove, dwAdd, FALSE);
    return ModifyTreeExStyle(dwExRemove, dwExAdd, bRedraw);
}

template <class TList> BOOL SECTreeImpl<TList>::EnableWordWrap(BOOL bEnable) {
    m_dwTreeExStyle =
        bEnable ? (m_dwTreeExStyle | TVXS_WORDWRAP) : (m_dwTreeExStyle & ~TVXS_WORDWRAP);
    return TList::EnableWordWrap(bEnable);
}

template <class TList> BOOL SECTreeImpl<TList>::EnableLabelTips(BOOL bEnable) {
    m_dwTreeExStyle =
        bEnable ? (m_dwTreeExStyle | TVXS_LABELTIPS) : (m_dwTreeExStyle & ~TVXS_LABELTIPS);
    return TList::EnableLabelTips(bEnable);
}

template <class TList> BOOL SECTreeImpl<TList>::EnableMultiSelect(BOOL bEnable) {
    m_dwTreeExStyle =
        bEnable ? (m_dwTreeExStyle | TVXS_MULTISEL) : (m_dwTreeExStyle & ~TVXS_MULTISEL);
    return TList::EnableMultiSelect(bEnable);
}

template <class TList> BOOL SECTreeImpl<TList>::SetHeaderStyle(BOOL bShow, BOOL bSortable) {
    m_dwTreeExStyle &= ~(TVXS_COLUMNHEADER | TVXS_SORTHEADER);
    if (bShow)
        m_dwTreeExStyle |= TVXS_COLUMNHEADER;
    if (bSortable)
        m_dwTreeExStyle |= TVXS_SORTHEADER;
    return TList::SetHeaderStyle(bShow, bSortable);
}

// ---- Creation.

template <class TList> BOOL SECTreeImpl<TList>::SplitCreateStyles(CREATESTRUCT* pcs) {
    if (pcs == nullptr)
        return FALSE;
    // Every way of creating the window comes here first: the tree column exists before it.
    if (this->GetColumnCount() == 0)
        TList::InsertColumnArgs(0, L"", LVCFMT_CENTER, 0, 0, -1, FALSE);
    const DWORD dwTree = pcs->style & SECTREE_CREATE_STYLE_MASK;
    const DWORD dwTreeEx = pcs->dwExStyle & SECTREE_CREATE_EXSTYLE_MASK;
    pcs->style &= ~SECTREE_CREATE_STYLE_MASK;
    pcs->dwExStyle &= ~SECTREE_CREATE_EXSTYLE_MASK;
    TList::SplitCreateStyles(pcs);
    this->m_dwListStyle |= LVS_REPORT | LVS_SHAREIMAGELISTS;
    ModifyTreeStyle(0, dwTree, FALSE);
    ModifyTreeExStyle(0, dwTreeEx, FALSE);
    return TRUE;
}

template <class TList>
BOOL SECTreeImpl<TList>::CreateEx(DWORD dwStyle, DWORD dwExStyle, const RECT& rect,
                                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    if (this->GetColumnCount() == 0)
        TList::InsertColumnArgs(0, L"", LVCFMT_CENTER, 0, 0, -1, FALSE);
    return TList::CreateEx(dwStyle, dwExStyle, rect, pParentWnd, nID, pContext);
}

template <class TList>
BOOL SECTreeImpl<TList>::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                CCreateContext* pContext) {
    return CreateEx(dwStyle, 0, rect, pParentWnd, nID, pContext);
}

template <class TList> BOOL SECTreeImpl<TList>::CreateFromDlgItem(UINT nID, CWnd* pParentWnd) {
    HWND hItem = pParentWnd != nullptr ? ::GetDlgItem(pParentWnd->GetSafeHwnd(), (int)nID) : NULL;
    if (hItem == NULL)
        return FALSE;
    const DWORD dwStyle = (DWORD)::GetWindowLongW(hItem, GWL_STYLE);
    DWORD dwExStyle = (DWORD)::GetWindowLongW(hItem, GWL_EXSTYLE);
    if (!(dwStyle & TVS_NOTOOLTIPS))
        dwExStyle |= TVXS_LABELTIPS;
    CRect rc;
    ::GetWindowRect(hItem, &rc);
    ::MapWindowPoints(NULL, pParentWnd->m_hWnd, (LPPOINT)&rc, 2);
    HWND hBefore = ::GetWindow(hItem, GW_HWNDPREV);
    ::DestroyWindow(hItem);
    if (!CreateEx(dwStyle, dwExStyle, rc, pParentWnd, nID, NULL))
        return FALSE;
    ::SetWindowPos(m_hWnd, hBefore != NULL ? hBefore : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    return TRUE;
}

// ---- Image lists and indent.

template <class TList> BOOL SECTreeImpl<TList>::SetIndent(int nIndent) {
    m_nIndent = std::max(0, (nIndent + 1) & ~1);
    this->RecalcLayout();
    this->Repaint(TRUE);
    return TRUE;
}

template <class TList> CImageList* SECTreeImpl<TList>::GetImageList(int nWhich) {
    return TList::GetImageList(nWhich);
}

template <class TList>
CImageList* SECTreeImpl<TList>::SetImageList(CImageList* pImageList, int nWhich) {
    if (nWhich == TVSIL_NORMAL && pImageList != nullptr && pImageList->GetSafeHandle() != NULL) {
        IMAGEINFO info = {};
        if (pImageList->GetImageInfo(0, &info)) {
            const int cx = info.rcImage.right - info.rcImage.left;
            if (cx > m_nIndent)
                m_nIndent = (cx + 1) & ~1;
        }
    }
    return TList::SetImageList(pImageList, nWhich);
}

// ---- Sorting.

namespace sectree_detail {
// What the sort of one parent compares with; a throw is kept here, never let out of the sort.
struct SortState {
    std::function<int(_Node*, _Node*)> compare;
    bool bFailed = false;
};
} // namespace sectree_detail

template <class TList>
BOOL SECTreeImpl<TList>::SortNodes(_Node* pParent, BOOL bRecursive,
                                   int (*)(const void*, const void*), const void* pContext) {
    auto* pState = static_cast<sectree_detail::SortState*>(const_cast<void*>(pContext));
    // Parents in pre-order; each sort rewrites one sibling chain.
    std::vector<_Node*> parents{pParent};
    for (size_t k = 0; k < parents.size(); ++k) {
        _Node* pAt = parents[k];
        if (!m_nodes.IsLive(pAt))
            continue;
        std::vector<_Node*> before;
        for (SECTreeNode* p = pAt->GetFirstChild(); p != nullptr; p = p->GetNextSibling())
            before.push_back(AsNode(p));
        if (before.empty())
            continue;
        std::vector<_Node*> sorted = before;
        std::stable_sort(sorted.begin(), sorted.end(), [&](_Node* a, _Node* b) {
            if (pState->bFailed)
                return false;
            try {
                return pState->compare(a, b) < 0;
            } catch (...) {
                pState->bFailed = true;
                return false;
            }
        });
        // The owner may have changed the tree while answering: then it keeps its order.
        bool bSame = m_nodes.IsLive(pAt) && !pState->bFailed;
        size_t i = 0;
        for (SECTreeNode* p = bSame ? pAt->GetFirstChild() : nullptr; bSame && p != nullptr;
             p = p->GetNextSibling(), ++i)
            bSame = i < before.size() && before[i] == p;
        if (!bSame || i != before.size())
            continue;
        SECTreeNode* pAfter = nullptr;
        for (_Node* p : sorted) {
            m_nodes.Relink(p, pAt,
                           pAfter == nullptr ? (UINT_PTR)SECTreeNode::addFirst
                                             : reinterpret_cast<UINT_PTR>(pAfter));
            pAfter = p;
        }
        if (bRecursive)
            for (_Node* p : sorted)
                if (p->GetFirstChild() != nullptr)
                    parents.push_back(p);
    }
    return !pState->bFailed;
}

template <class TList> void SECTreeImpl<TList>::RewriteSortedRows(_Node* pParent) {
    int nRow = 0;
    if (pParent != RootNode()) {
        nRow = RowOf(pParent);
        if (nRow < 0 || !pParent->IsExpanded())
            return;
        ++nRow;
    }
    const int nFirst = nRow;
    SECTreeWalkVisible<TList>(pParent, [&](_Node* pNode) {
        SECListItem* pRow = this->GetItemAt(nRow);
        if (pRow == NULL)
            return false;
        pRow->lParam = reinterpret_cast<LPARAM>(pNode);
        pRow->iImage = pNode->m_item.iImage;
        pRow->state =
            (pRow->state & ~(TVIS_CUT | 0xFF00u)) | (pNode->m_item.state & (TVIS_CUT | 0xFF00));
        pRow->stateEx = pNode->m_dwFlags & (_Node::flagDisabled | _Node::flagHidden);
        pRow->bDirty = TRUE;
        m_rowHint[pNode] = RowHint{nRow++, m_nRowsInserted, m_nRowsRemoved};
        return true;
    });
    this->Changed();
    this->InvalidateItem(nFirst, FALSE, TRUE, TRUE, FALSE);
    this->RecalcLayout();
}

template <class TList> BOOL SECTreeImpl<TList>::SortChildrenCB(LPTVSORTCB pSort, BOOL bRecursive) {
    if (pSort == nullptr || pSort->lpfnCompare == nullptr)
        return FALSE;
    _Node* pParent = m_nodes.ItemFromHandle(pSort->hParent);
    if (pParent == nullptr)
        return FALSE;
    if (pParent->GetFirstChild() == nullptr)
        return TRUE;
    const TVSORTCB sort = *pSort;
    sectree_detail::SortState state;
    state.compare = [&sort](_Node* a, _Node* b) {
        return sort.lpfnCompare(a->m_item.lParam, b->m_item.lParam, sort.lParam);
    };
    return SortAndRestore(pParent, bRecursive, state);
}

template <class TList>
BOOL SECTreeImpl<TList>::SortChildren(HTREEITEM hItem, BOOL bRecursive, BOOL bAscending) {
    _Node* pParent = m_nodes.ItemFromHandle(hItem);
    if (pParent == nullptr)
        return FALSE;
    if (pParent->GetFirstChild() == nullptr)
        return TRUE;
    sectree_detail::SortState state;
    state.compare = [this, bAscending](_Node* a, _Node* b) {
        if (!AliveNode(a) || !AliveNode(b))
            return 0;
        const CString s1 = NodeText(a), s2 = NodeText(b);
        const int n = ::wcscmp(s1, s2);
        return bAscending ? n : -n;
    };
    return SortAndRestore(pParent, bRecursive, state);
}

template <class TList>
BOOL SECTreeImpl<TList>::SortAndRestore(_Node* pParent, BOOL bRecursive,
                                        sectree_detail::SortState& state) {
    const bool bOuter = m_nSortDepth == 0;
    if (!bOuter)
        m_bNestedSort = TRUE;
    else
        m_bNestedSort = FALSE;
    struct Depth {
        int& n;
        ~Depth() { --n; }
    } depth{++m_nSortDepth};
    HCURSOR hOldCursor = bOuter ? ::SetCursor(::LoadCursorW(NULL, IDC_WAIT)) : NULL;
    const auto token = this->LifeToken();
    std::vector<_Node*> selected;
    for (INT_PTR i = 0; i < this->m_arSelected.GetSize(); ++i)
        if (_Node* p = NodeOfRow((int)this->m_arSelected[i]))
            selected.push_back(p);
    _Node* pCaret = NodeOfRow(this->GetFocusIndex());
    const BOOL bSorted = SortNodes(pParent, bRecursive, nullptr, &state);
    if (!this->Alive(token))
        return FALSE;
    if (bOuter) {
        this->DeselectAllExcept(-1);
        RewriteSortedRows(m_bNestedSort || !m_nodes.IsLive(pParent) ? RootNode() : pParent);
        for (_Node* p : selected)
            if (AliveNode(p) && HasRow(p)) {
                SelectItem(HandleOfNode(p));
                if (!this->Alive(token))
                    return FALSE;
            }
        if (pCaret != nullptr && AliveNode(pCaret) && HasRow(pCaret))
            Select(HandleOfNode(pCaret), TVGN_CARET);
        if (hOldCursor != NULL && this->Alive(token))
            ::SetCursor(hOldCursor);
    }
    return bSorted ? TRUE : FALSE;
}

// ---- Columns. Column 0 is the tree column; the texts of the others stay under their headings.

template <class TList>
int SECTreeImpl<TList>::InsertColumnArgs(int nCol, LPCTSTR lpszHeading, int nFormat, int nWidth,
                                         int nSubItem, int nImage, BOOL bRedraw) {
    const int nCount = this->GetColumnCount();
    nCol = std::max(0, std::min(nCol, nCount));
    if (nCol == 0 && nCount > 0)
        nCol = 1;
    const int nAt =
        TList::InsertColumnArgs(nCol, lpszHeading, nFormat, nWidth, nSubItem, nImage, FALSE);
    if (nAt < 0)
        return nAt;
    if (m_pStorage != nullptr && nAt >= 1)
        m_pStorage->InsertColumnText(nAt);
    if (nCount == 0)
        RebuildRows(); // rows come back with the tree column
    if (bRedraw) {
        this->RecalcLayout();
        this->Repaint(TRUE);
    }
    return nAt;
}

template <class TList> BOOL SECTreeImpl<TList>::DeleteColumn(int nCol) {
    const int nCount = this->GetColumnCount();
    if (nCol < 0 || nCol >= nCount || (nCol == 0 && nCount > 1))
        return FALSE;
    if (nCol == 0) {
        // The last column: the rows go with it, the items stay.
        this->EndEditForChange();
        m_rowHint.clear();
        TList::DeleteAllItems();
        delete this->GetColumnAt(0);
        this->m_arColumns.RemoveAll();
        this->Changed();
        this->Repaint(TRUE);
        return TRUE;
    }
    if (m_pStorage != nullptr)
        m_pStorage->DeleteColumnText(nCol);
    if (!TList::DeleteColumn(nCol))
        return FALSE;
    this->RecalcLayout();
    this->Repaint(TRUE);
    return TRUE;
}

template <class TList> BOOL SECTreeImpl<TList>::DeleteColumnByName(LPCTSTR lpszHeading) {
    int nCol = -1;
    return this->FindColumn(lpszHeading, &nCol, NULL) ? DeleteColumn(nCol) : FALSE;
}

template <class TList> void SECTreeImpl<TList>::OnColumnMoved(int nFrom, int nTo) {
    if (m_pStorage == nullptr || nFrom < 1 || nTo < 1)
        return;
    // Every item's texts follow the headings, those of collapsed and hidden items too.
    for (SECTreeNode* p = RootNode()->GetFirstChild(); p != nullptr;
         p = p->GetNextInOrderWithin(RootNode()))
        m_pStorage->MoveText(HandleOfNode(p), nFrom, nTo);
}
