// The tree's mouse, keys and timer, its hit test, and what it tells its owner: the tree view's
// notifications in place of the list's, and the registered message after a finished edit.
#pragma once

#include "listtree/impl/list_notify.h"
#include "listtree/tree_base.h"

#include <cwchar>
#include <type_traits>

template <class TList> LRESULT SECTreeImpl<TList>::SendTree(NMHDR* pHdr, UINT nCode) {
    return SECListSend(this, pHdr, nCode);
}

template <class TList> void SECTreeImpl<TList>::FillNotifyItem(TVITEMW* pDest, int nRow) {
    if (_Node* pNode = NodeOfRow(nRow)) {
        *pDest = pNode->m_item;
        pDest->hItem = HandleOfNode(pNode);
    }
}

static inline UINT SECTreeAction(BOOL bHow) {
    return bHow == 0 ? TVC_BYKEYBOARD : (bHow == 1 ? TVC_BYMOUSE : TVC_UNKNOWN);
}

template <class TList>
LRESULT SECTreeImpl<TList>::NotifySelChanging(int nRow, int nOldRow, BOOL bHow) {
    NMTREEVIEWW nm = {};
    nm.action = SECTreeAction(bHow);
    if (nOldRow != -1)
        FillNotifyItem(&nm.itemOld, nOldRow);
    if (nRow != -1)
        FillNotifyItem(&nm.itemNew, nRow);
    return SendTree(&nm.hdr, TVN_SELCHANGINGW);
}

template <class TList> void SECTreeImpl<TList>::NotifySelChanged(int nRow, int nOldRow, BOOL bHow) {
    NMTREEVIEWW nm = {};
    nm.action = SECTreeAction(bHow);
    if (nOldRow != -1)
        FillNotifyItem(&nm.itemOld, nOldRow);
    if (nRow != -1)
        FillNotifyItem(&nm.itemNew, nRow);
    SendTree(&nm.hdr, TVN_SELCHANGEDW);
}

template <class TList> LRESULT SECTreeImpl<TList>::NotifyGetDispInfo(TVITEMW* pItem) {
    NMTVDISPINFOW nm = {};
    nm.item = *pItem;
    const LRESULT lResult = SendTree(&nm.hdr, TVN_GETDISPINFOW);
    *pItem = nm.item;
    return lResult;
}

template <class TList> void SECTreeImpl<TList>::NotifySetDispInfo(TVITEMW* pItem) {
    NMTVDISPINFOW nm = {};
    nm.item = *pItem;
    SendTree(&nm.hdr, TVN_SETDISPINFOW);
}

template <class TList>
LRESULT SECTreeImpl<TList>::NotifyItemExpanding(HTREEITEM hItem, UINT nCode) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return 1;
    NMTREEVIEWW nm = {};
    nm.action = nCode;
    nm.itemNew = pNode->m_item;
    return SendTree(&nm.hdr, TVN_ITEMEXPANDINGW);
}

template <class TList> void SECTreeImpl<TList>::NotifyItemExpanded(HTREEITEM hItem, UINT nCode) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return;
    NMTREEVIEWW nm = {};
    nm.action = nCode;
    nm.itemNew = pNode->m_item;
    nm.itemNew.state = pNode->IsExpanded() ? TVIS_EXPANDED : 0;
    SendTree(&nm.hdr, TVN_ITEMEXPANDEDW);
}

template <class TList> void SECTreeImpl<TList>::NotifyDeleteItem(HTREEITEM hItem) {
    _Node* pNode = LiveItem(hItem);
    if (pNode == nullptr)
        return;
    NMTREEVIEWW nm = {};
    nm.itemOld.mask = TVIF_PARAM | TVIF_HANDLE;
    nm.itemOld.hItem = hItem;
    nm.itemOld.lParam = pNode->m_item.lParam;
    SendTree(&nm.hdr, TVN_DELETEITEMW);
    // The texts go whatever the owner did (the address may come back as a new item).
    if (m_pStorage != nullptr)
        m_pStorage->RemoveItem(hItem);
}

template <class TList> void SECTreeImpl<TList>::OnBeginDrag(int nRow, int x, int y) {
    if (!(m_dwTreeStyle & TVS_DISABLEDRAGDROP)) {
        NMTREEVIEWW nm = {};
        FillNotifyItem(&nm.itemNew, nRow);
        nm.ptDrag.x = x;
        nm.ptDrag.y = y;
        SendTree(&nm.hdr, TVN_BEGINDRAGW);
    }
    this->m_bItemDrag = FALSE;
}

template <class TList> void SECTreeImpl<TList>::OnBeginRDrag(int nRow, int x, int y) {
    if (!(m_dwTreeStyle & TVS_DISABLEDRAGDROP)) {
        NMTREEVIEWW nm = {};
        FillNotifyItem(&nm.itemNew, nRow);
        nm.ptDrag.x = x;
        nm.ptDrag.y = y;
        SendTree(&nm.hdr, TVN_BEGINRDRAGW);
    }
    this->m_bItemDrag = FALSE;
}

template <class TList> LRESULT SECTreeImpl<TList>::NotifyBeginLabelEdit(int nRow, int nSubItem) {
    if (nSubItem != 0)
        return TList::NotifyBeginLabelEdit(nRow, nSubItem);
    NMTVDISPINFOW nm = {};
    FillNotifyItem(&nm.item, nRow);
    nm.item.mask |= TVIF_TEXT;
    return SendTree(&nm.hdr, TVN_BEGINLABELEDITW);
}

template <class TList>
BOOL SECTreeImpl<TList>::NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) {
    if (nSubItem != 0)
        return TList::NotifyEndLabelEdit(nRow, nSubItem, pText, bAccept);
    _Node* pNode = NodeOfRow(nRow);
    if (pNode == nullptr)
        return FALSE;
    NMTVDISPINFOW nm = {};
    FillNotifyItem(&nm.item, nRow);
    nm.item.mask |= TVIF_TEXT;
    std::unique_ptr<wchar_t[]> pBuffer;
    if (bAccept) {
        pBuffer.reset(new wchar_t[SECLIST_TEXT_MAX]);
        SECListCopyText(pBuffer.get(), SECLIST_TEXT_MAX, pText != nullptr ? (LPCTSTR)*pText : L"");
        nm.item.pszText = pBuffer.get();
        nm.item.cchTextMax = SECLIST_TEXT_MAX;
    } else {
        nm.item.pszText = NULL;
        nm.item.cchTextMax = 0;
    }
    const auto token = this->LifeToken();
    const LRESULT lAnswer = SendTree(&nm.hdr, TVN_ENDLABELEDITW);
    if (!this->Alive(token) || !AliveNode(pNode) || !bAccept || lAnswer == 0)
        return FALSE;
    // The answer is read where pszText points now, bounded.
    if (pText != nullptr && nm.item.pszText != NULL && nm.item.pszText != LPSTR_TEXTCALLBACKW)
        *pText = CString(nm.item.pszText, (int)::wcsnlen(nm.item.pszText, SECLIST_TEXT_MAX - 1));
    return TRUE;
}

template <class TList> void SECTreeImpl<TList>::OnEndLabelEditDone(int nRow, int nSubItem) {
    if (nSubItem != 0) {
        TList::OnEndLabelEditDone(nRow, nSubItem);
        return;
    }
    _Node* pNode = NodeOfRow(nRow);
    CWnd* pTarget = this->GetNotifyTarget();
    if (pNode == nullptr || pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
        return;
    const UINT nMessage = std::is_base_of<CView, TList>::value ? SECTreeViewEndLabelEditMessage()
                                                               : SECTreeEndLabelEditMessage();
    ::SendMessageW(pTarget->m_hWnd, nMessage, (WPARAM)::GetDlgCtrlID(m_hWnd),
                   (LPARAM)HandleOfNode(pNode));
}

template <class TList> LRESULT SECTreeImpl<TList>::NotifyKeyDown(UINT nVKey) {
    NMTVKEYDOWN nm = {};
    nm.wVKey = (WORD)nVKey;
    nm.flags = 0;
    return SendTree(&nm.hdr, TVN_KEYDOWN);
}

// Column texts through the list's own callbacks come from the storage.
template <class TList> LRESULT SECTreeImpl<TList>::NotifyGetDispInfo(LVITEM* pItem) {
    if (pItem != nullptr && pItem->iSubItem > 0 && (pItem->mask & LVIF_TEXT) &&
        m_pStorage != nullptr) {
        if (_Node* pNode = NodeOfRow(pItem->iItem)) {
            if (pItem->pszText != NULL && pItem->cchTextMax > 0)
                m_pStorage->GetText(HandleOfNode(pNode), pItem->iSubItem, pItem->pszText,
                                    pItem->cchTextMax);
            if (pItem->mask == LVIF_TEXT)
                return 0;
        }
    }
    return TList::NotifyGetDispInfo(pItem);
}

template <class TList> void SECTreeImpl<TList>::NotifySetDispInfo(LVITEM* pItem) {
    if (pItem != nullptr && pItem->iSubItem > 0 && (pItem->mask & LVIF_TEXT) &&
        m_pStorage != nullptr)
        if (_Node* pNode = NodeOfRow(pItem->iItem)) {
            m_pStorage->SetText(HandleOfNode(pNode), pItem->iSubItem, pItem->pszText);
            return;
        }
    TList::NotifySetDispInfo(pItem);
}

// ---- Keys.

template <class TList> BOOL SECTreeImpl<TList>::OnReturnKey(int, int, BOOL, BOOL, UINT, UINT) {
    this->NotifyParent(NM_RETURN);
    return TRUE;
}

template <class TList> BOOL SECTreeImpl<TList>::OnLeftKey(int nRow, int, BOOL, BOOL, UINT, UINT) {
    _Node* pNode = NodeOfRow(nRow);
    if (pNode == nullptr)
        return TRUE;
    const HTREEITEM hItem = HandleOfNode(pNode);
    const auto token = this->LifeToken();
    if (pNode->IsExpanded() && (pNode->GetFirstChild() != nullptr || ItemClaimsChildren(hItem))) {
        Expand(hItem, TVE_COLLAPSE, TRUE);
    } else if (HTREEITEM hParent = GetParentItem(hItem)) {
        // The owner is asked first; the selection changes only when it agrees.
        const int nParentRow = FindItemIndex(hParent);
        if (nParentRow >= 0 && NotifySelChanging(nParentRow, nRow, 0) != 1 && this->Alive(token) &&
            LiveItem(hParent) != nullptr) {
            this->DeselectAllExcept(-1);
            const int nOld = this->GetFocusIndex();
            if (SetFocusItem(hParent))
                NotifySelChanged(FindItemIndex(hParent), nOld, 0);
            if (this->Alive(token))
                TList::EnsureVisible(std::max(0, FindItemIndex(hParent)), FALSE);
        }
    }
    if (this->Alive(token))
        this->HideTip();
    return TRUE;
}

template <class TList>
BOOL SECTreeImpl<TList>::OnBackKey(int nRow, int nSub, BOOL bShift, BOOL bCtrl, UINT nRep,
                                   UINT nFlags) {
    return OnLeftKey(nRow, nSub, bShift, bCtrl, nRep, nFlags);
}

template <class TList> BOOL SECTreeImpl<TList>::OnRightKey(int nRow, int, BOOL, BOOL, UINT, UINT) {
    _Node* pNode = NodeOfRow(nRow);
    if (pNode == nullptr)
        return TRUE;
    const HTREEITEM hItem = HandleOfNode(pNode);
    const auto token = this->LifeToken();
    if (pNode->IsExpanded() && pNode->GetFirstChild() != nullptr) {
        const HTREEITEM hChild = HandleOfNode(pNode->GetFirstChild());
        const int nChildRow = FindItemIndex(hChild);
        if (nChildRow >= 0 && NotifySelChanging(nChildRow, nRow, 0) != 1 && this->Alive(token) &&
            LiveItem(hChild) != nullptr) {
            this->DeselectAllExcept(-1);
            const int nOld = this->GetFocusIndex();
            if (SetFocusItem(hChild))
                NotifySelChanged(FindItemIndex(hChild), nOld, 0);
            if (this->Alive(token))
                TList::EnsureVisible(std::max(0, FindItemIndex(hChild)), FALSE);
        }
    } else if (pNode->GetFirstChild() != nullptr || ItemClaimsChildren(hItem)) {
        Expand(hItem, TVE_EXPAND, TRUE);
    }
    if (this->Alive(token))
        this->HideTip();
    return TRUE;
}

template <class TList>
BOOL SECTreeImpl<TList>::OnMultiplyKey(int nRow, int, BOOL, BOOL, UINT, UINT) {
    if (_Node* pNode = NodeOfRow(nRow))
        ExpandAll(HandleOfNode(pNode), TRUE);
    return TRUE;
}

template <class TList> void SECTreeImpl<TList>::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == L'-' || nChar == L'_' || nChar == L'=' || nChar == L'+' || nChar == L'*')
        return;
    TList::OnChar(nChar, nRepCnt, nFlags);
}

// ---- Mouse and timer.

template <class TList> HTREEITEM SECTreeImpl<TList>::HitTest(CPoint pt, UINT* pFlags) {
    UINT nList = 0;
    int nCol = -1;
    const int nRow = TList::HitTest(pt.x, pt.y, &nList, &nCol);
    UINT nTree = 0;
    HTREEITEM hItem = NULL;
    if (nList & SECLVHT_ONROW) {
        hItem = GetItemFromIndex(nRow);
        const bool bMain = nCol >= 0 && this->GetColumnSubItem(nCol) == 0;
        if (!bMain) {
            nTree = TVHT_ONROW;
            if (!this->HasExStyle(LVXS_FULLROWSELECT))
                hItem = NULL;
        } else if (nList & LVHT_ONITEMLABEL) {
            nTree = TVHT_ONROW | TVHT_ONITEMLABEL;
        } else if (nList & LVHT_ONITEMICON) {
            nTree = TVHT_ONROW | TVHT_ONITEMICON;
        } else if (nList & SECLVHT_RIGHTOFLABEL) {
            nTree = TVHT_ONROW | TVHT_ONITEMRIGHT;
        } else if (nList & LVHT_ONITEMSTATEICON) {
            nTree = TVHT_ONROW | TVHT_ONITEMSTATEICON;
        } else {
            nTree = TVHT_ONROW | TVHT_ONITEMINDENT;
            if ((m_dwTreeStyle & TVS_HASBUTTONS) && hItem != NULL && GetSafeHwnd() != NULL) {
                CRect rcButton;
                SECTreePaintContext context;
                context.pNode = NodeOfRow(nRow);
                context.pItem = this->GetItemAt(nRow);
                context.lvi.iItem = nRow;
                RECT rcRow;
                if (context.pItem != NULL && context.pNode != nullptr &&
                    this->GetSubItemRect(nRow, nCol, &rcRow, LVIR_BOUNDS)) {
                    context.rect = rcRow;
                    GetButtonRect(&context, nRow, &rcButton);
                    rcButton.InflateRect(1, 1);
                    if (rcButton.PtInRect(pt))
                        nTree = TVHT_ONROW | TVHT_ONITEMBUTTON;
                }
            }
        }
    } else if (nList & SECLVHT_ONDIVIDER) {
        nTree = 0x1000;
    } else if (nList & SECLVHT_ONHEADER) {
        nTree = 0x2000;
    } else if (nList & LVHT_ABOVE) {
        nTree = TVHT_ABOVE;
    } else if (nList & LVHT_BELOW) {
        nTree = TVHT_BELOW;
    } else if (nList & LVHT_TOLEFT) {
        nTree = TVHT_TOLEFT;
    } else if (nList & LVHT_TORIGHT) {
        nTree = TVHT_TORIGHT;
    } else {
        nTree = TVHT_NOWHERE;
    }
    if (pFlags != nullptr)
        *pFlags = nTree;
    return hItem;
}

template <class TList> HTREEITEM SECTreeImpl<TList>::HitTest(TVHITTESTINFO* pInfo) {
    if (pInfo == nullptr)
        return NULL;
    pInfo->hItem = HitTest(CPoint(pInfo->pt), &pInfo->flags);
    return pInfo->hItem;
}

template <class TList> void SECTreeImpl<TList>::OnLButtonDown(UINT nFlags, CPoint point) {
    const auto token = this->LifeToken();
    SECListTip* pTip = this->GetTipWnd();
    if (pTip != NULL && pTip->GetSafeHwnd() != NULL && pTip->IsWindowVisible()) {
        HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT);
        ::SendMessageW(m_hWnd, WM_MOUSEACTIVATE, (WPARAM)hTop,
                       MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        if (!this->Alive(token))
            return;
    }
    if (::GetFocus() != m_hWnd) {
        ::SetFocus(m_hWnd);
        if (!this->Alive(token))
            return;
    }
    const HTREEITEM hCaret = GetSelectedItem();
    UINT nHit = 0;
    const HTREEITEM hHit = HitTest(point, &nHit);
    if ((m_dwTreeStyle & TVS_SINGLEEXPAND) && hCaret != NULL && hHit != NULL) {
        TList::OnLButtonDown(nFlags, point);
        if (!this->Alive(token))
            return;
        const HTREEITEM hNew = GetSelectedItem();
        if (hNew != hHit)
            return;
        if (hNew != hCaret) {
            _Node* pOld = LiveItem(hCaret);
            _Node* pNew = LiveItem(hNew);
            if (pOld != nullptr && pNew != nullptr && pOld->IsExpanded() &&
                !pOld->IsAncestorOf(pNew))
                Expand(hCaret, TVE_COLLAPSE, TRUE);
            if (this->Alive(token) && LiveItem(hNew) != nullptr)
                Expand(hNew, TVE_EXPAND, TRUE);
        } else {
            Expand(hHit, TVE_TOGGLE, TRUE);
        }
        return;
    }
    if ((nHit & TVHT_ONITEMBUTTON) == TVHT_ONITEMBUTTON && hHit != NULL) {
        Expand(hHit, TVE_TOGGLE, TRUE);
        return;
    }
    TList::OnLButtonDown(nFlags, point);
}

template <class TList> void SECTreeImpl<TList>::OnLButtonDblClk(UINT nFlags, CPoint point) {
    const auto token = this->LifeToken();
    TList::OnLButtonDblClk(nFlags, point);
    if (!this->Alive(token) || this->m_nPendingEdit >= 0)
        return;
    UINT nHit = 0;
    const HTREEITEM hHit = HitTest(point, &nHit);
    if (hHit != NULL && !(nFlags & (MK_SHIFT | MK_CONTROL)) &&
        (nHit & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMBUTTON)))
        Expand(hHit, TVE_TOGGLE, TRUE);
    if (this->Alive(token))
        this->HideTip();
}

template <class TList> void SECTreeImpl<TList>::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == m_nHoverTimer && m_nHoverTimer != 0) {
        ::KillTimer(m_hWnd, m_nHoverTimer);
        m_nHoverTimer = 0;
        if (m_dwTreeExStyle & TVXS_HOVEREXPAND) {
            const HTREEITEM hDrop = GetDropHilightItem();
            _Node* pNode = LiveItem(hDrop);
            if (pNode != nullptr && !pNode->IsExpanded()) {
                const auto token = this->LifeToken();
                Expand(hDrop, TVE_EXPAND, TRUE);
                if (!this->Alive(token))
                    return;
                ::UpdateWindow(m_hWnd);
            }
        }
        return;
    }
    TList::OnTimer(nIDEvent);
}

template <class TList> void SECTreeImpl<TList>::OnDestroy() {
    if (m_nHoverTimer != 0)
        ::KillTimer(m_hWnd, m_nHoverTimer);
    m_nHoverTimer = 0;
    DeleteItem(TVI_ROOT);
    TList::OnDestroy();
}

template <class TList> BOOL SECTreeImpl<TList>::EditLabel(HTREEITEM hItem, int nCol) {
    if (!this->HasStyle(LVS_EDITLABELS))
        return FALSE;
    const int nRow = FindItemIndex(hItem);
    if (nRow < 0)
        return FALSE;
    m_nEditColumn = nCol;
    return TList::EditLabel(nRow, nCol);
}
