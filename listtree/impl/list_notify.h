// What the list tells its owner (WM_NOTIFY with the list view's codes) and how its parts and
// derived code reach it (SECListClient).
#pragma once

#include "listtree/list_base.h"

#include <cwchar>

template <class TBase> CWnd* SECListImpl<TBase>::GetNotifyWnd() {
    return m_pNotifyWnd;
}

template <class TBase> BOOL SECListImpl<TBase>::SetNotifyWnd(CWnd* pWnd) {
    m_pNotifyWnd = pWnd;
    return TRUE;
}

template <class TBase> CWnd* SECListImpl<TBase>::GetNotifyTarget() {
    if (m_pNotifyWnd != NULL)
        return m_pNotifyWnd;
    return GetSafeHwnd() != NULL ? TBase::GetParent() : NULL;
}

template <class TBase>
typename SECListImpl<TBase>::NotifyRoute SECListImpl<TBase>::ReadNotifyRoute() {
    NotifyRoute route;
    CWnd* pTarget = GetNotifyTarget();
    if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL || GetSafeHwnd() == NULL)
        return route;
    route.hTarget = pTarget->m_hWnd;
    route.nID = ::GetDlgCtrlID(m_hWnd);
    return route;
}

// Every notification goes this way: the header filled, sent (not posted) to the target. A
// target gone within a batch (its route fixed) makes the send fail, with the same 0.
template <class TBase>
static LRESULT SECListSend(SECListImpl<TBase>* pList, NMHDR* pHdr, UINT nCode) {
    if (pList->GetSafeHwnd() == NULL)
        return 0;
    const auto* pFixed = pList->FixedNotifyRoute();
    const auto route = pFixed != nullptr ? *pFixed : pList->ReadNotifyRoute();
    if (route.hTarget == NULL)
        return 0;
    pHdr->hwndFrom = pList->m_hWnd;
    pHdr->idFrom = (UINT_PTR)route.nID;
    pHdr->code = nCode;
    return ::SendMessageW(route.hTarget, WM_NOTIFY, (WPARAM)route.nID, (LPARAM)pHdr);
}

template <class TBase> LRESULT SECListImpl<TBase>::NotifyParent(UINT nCode) {
    if (GetNotifyTarget() == NULL)
        return 0;
    NMHDR hdr = {};
    m_lLastNotifyResult = SECListSend(this, &hdr, nCode);
    return m_lLastNotifyResult;
}

template <class TBase> LRESULT SECListImpl<TBase>::NotifyInsertItem(int nRow) {
    NMLISTVIEW nm = {};
    nm.iItem = nRow;
    return SECListSend(this, &nm.hdr, LVN_INSERTITEM);
}

template <class TBase> LRESULT SECListImpl<TBase>::NotifyDeleteItem(int nRow) {
    NMLISTVIEW nm = {};
    nm.iItem = nRow;
    nm.lParam = GetItemData(nRow);
    return SECListSend(this, &nm.hdr, LVN_DELETEITEM);
}

template <class TBase> LRESULT SECListImpl<TBase>::NotifyColumnClick(int nCol) {
    NMLISTVIEW nm = {};
    nm.iItem = -1;
    nm.iSubItem = nCol;
    return SECListSend(this, &nm.hdr, LVN_COLUMNCLICK);
}

template <class TBase> LRESULT SECListImpl<TBase>::NotifyKeyDown(UINT nVKey) {
    NMLVKEYDOWN nm = {};
    nm.wVKey = (WORD)nVKey;
    nm.flags = 0;
    return SECListSend(this, &nm.hdr, LVN_KEYDOWN);
}

template <class TBase> LRESULT SECListImpl<TBase>::NotifyBeginLabelEdit(int nRow, int nSubItem) {
    NMLVDISPINFOW nm = {};
    nm.item.mask = LVIF_TEXT;
    nm.item.iItem = nRow;
    nm.item.iSubItem = nSubItem;
    nm.item.lParam = GetItemData(nRow);
    return SECListSend(this, &nm.hdr, LVN_BEGINLABELEDITW);
}

template <class TBase>
BOOL SECListImpl<TBase>::NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) {
    NMLVDISPINFOW nm = {};
    nm.item.mask = LVIF_TEXT;
    nm.item.iItem = nRow;
    nm.item.iSubItem = nSubItem;
    nm.item.lParam = GetItemData(nRow);
    std::unique_ptr<wchar_t[]> pBuffer;
    if (bAccept) {
        pBuffer.reset(new wchar_t[SECLIST_TEXT_MAX]);
        SECListCopyText(pBuffer.get(), SECLIST_TEXT_MAX, pText != NULL ? (LPCTSTR)*pText : L"");
        nm.item.pszText = pBuffer.get();
        nm.item.cchTextMax = SECLIST_TEXT_MAX;
    }
    const LRESULT lAnswer = SECListSend(this, &nm.hdr, LVN_ENDLABELEDITW);
    if (!bAccept || lAnswer == 0)
        return FALSE;
    // The answer is read where pszText points now, bounded; NULL keeps the typed text.
    if (pText != NULL && nm.item.pszText != NULL && !SECListIsCallback(nm.item.pszText)) {
        const size_t nLen = ::wcsnlen(nm.item.pszText, SECLIST_TEXT_MAX - 1);
        *pText = CString(nm.item.pszText, (int)nLen);
    }
    return TRUE;
}

template <class TBase> LRESULT SECListImpl<TBase>::NotifyGetDispInfo(LVITEM* pItem) {
    NMLVDISPINFOW nm = {};
    SECListCopyItemCore(&nm.item, pItem);
    const LRESULT lResult = SECListSend(this, &nm.hdr, LVN_GETDISPINFOW);
    SECListCopyItemCore(pItem, &nm.item);
    return lResult;
}

template <class TBase> void SECListImpl<TBase>::NotifySetDispInfo(LVITEM*) {}
template <class TBase> void SECListImpl<TBase>::NotifyGetDispInfoEx(SECListItemEx*) {}
template <class TBase> void SECListImpl<TBase>::NotifySetDispInfoEx(SECListItemEx*) {}
template <class TBase> void SECListImpl<TBase>::OnBeginDrag(int, int, int) {}
template <class TBase> void SECListImpl<TBase>::OnBeginRDrag(int, int, int) {}
template <class TBase> void SECListImpl<TBase>::OnEndLabelEditDone(int, int) {}
template <class TBase> void SECListImpl<TBase>::NotifySelChanged(int, int, BOOL) {}
template <class TBase> LRESULT SECListImpl<TBase>::NotifySelChanging(int, int, BOOL) {
    return 0;
}

// ---- The client interface.

template <class TBase> CString SECListImpl<TBase>::QueryItemText(int nRow, int nSubItem) {
    if (!IsValidRow(nRow))
        return CString();
    // A private buffer: the owner's answer may itself ask for other cells.
    std::unique_ptr<wchar_t[]> pBuffer(new wchar_t[SECLIST_TEXT_MAX]);
    const int nLen = GetItemText(nRow, nSubItem, pBuffer.get(), SECLIST_TEXT_MAX);
    return CString(pBuffer.get(), nLen);
}

template <class TBase> void SECListImpl<TBase>::ClientToScreen(RECT* pRect) {
    if (pRect != NULL && GetSafeHwnd() != NULL)
        TBase::ClientToScreen(pRect);
}

template <class TBase> CWnd* SECListImpl<TBase>::SetCapture(BOOL bCapture) {
    if (!bCapture || GetSafeHwnd() == NULL)
        return NULL;
    return CWnd::FromHandle(::SetCapture(m_hWnd));
}
