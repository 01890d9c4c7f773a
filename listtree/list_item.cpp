#include "listtree/list_item.h"

#include <cwchar>

void SECListFreeText(LPTSTR& pszSlot) {
    if (pszSlot != NULL && !SECListIsCallback(pszSlot))
        delete[] pszSlot;
    pszSlot = NULL;
}

void SECListStoreText(LPTSTR& pszSlot, LPCTSTR lpsz) {
    if (SECListIsCallback(lpsz)) {
        SECListFreeText(pszSlot);
        pszSlot = LPSTR_TEXTCALLBACK;
        return;
    }
    const size_t nLen = lpsz != NULL ? ::wcslen(lpsz) : 0;
    LPTSTR pszNew = new wchar_t[nLen + 1];
    if (nLen != 0)
        ::wmemcpy(pszNew, lpsz, nLen);
    pszNew[nLen] = 0;
    SECListFreeText(pszSlot);
    pszSlot = pszNew;
}

int SECListCopyText(LPTSTR pszDest, int cchMax, LPCTSTR lpsz) {
    if (pszDest == NULL || cchMax <= 0)
        return 0;
    if (lpsz == NULL || SECListIsCallback(lpsz)) {
        pszDest[0] = 0;
        return 0;
    }
    int n = 0;
    while (n < cchMax - 1 && lpsz[n] != 0) {
        pszDest[n] = lpsz[n];
        ++n;
    }
    pszDest[n] = 0;
    return n;
}

SECListSubItem::~SECListSubItem() {
    SECListFreeText(pszText);
}

SECListItem::~SECListItem() {
    SECListFreeText(pszText);
    for (INT_PTR i = 0; i < m_subItems.GetSize(); ++i)
        delete static_cast<SECListSubItem*>(m_subItems[i]);
    m_subItems.RemoveAll();
}

SECListSubItem* SECListItem::GetSubItem(int nSubItem) const {
    if (nSubItem < 1 || nSubItem > GetSubItemCount())
        return NULL;
    return static_cast<SECListSubItem*>(m_subItems[nSubItem - 1]);
}

void SECListCopyItemCore(LVITEM* pDest, const LVITEM* pSrc) {
    pDest->mask = pSrc->mask;
    pDest->iItem = pSrc->iItem;
    pDest->iSubItem = pSrc->iSubItem;
    pDest->state = pSrc->state;
    pDest->stateMask = pSrc->stateMask;
    pDest->pszText = pSrc->pszText;
    pDest->cchTextMax = pSrc->cchTextMax;
    pDest->iImage = pSrc->iImage;
    pDest->lParam = pSrc->lParam;
    pDest->iIndent = pSrc->iIndent;
}
