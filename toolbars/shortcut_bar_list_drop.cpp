// Dragging items between shortcut lists of this process: the drag data, the drag from a list
// and the drop target that takes the data.
#include "toolbars/shortcut_bar_list.h"

#include "toolbars/registered_messages.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace {
constexpr SIZE_T kItemRecordSize = SECSHORTCUT_DRAGITEM_SIZE;
constexpr SIZE_T kKeyOffset = 0;
constexpr SIZE_T kItemOffset = 16;
static_assert(kItemOffset + kItemRecordSize == SECSHORTCUT_DRAGDATA_SIZE, "key, then the item");
} // namespace

// ---- Drag out.

SECShortcutListCtrl::ListDropTarget* SECShortcutListCtrl::NewDropTarget() {
    return new ListDropTarget;
}

SECShortcutListCtrl::ScrollButton* SECShortcutListCtrl::NewUpButton() {
    return new ScrollButton(TRUE);
}

SECShortcutListCtrl::ScrollButton* SECShortcutListCtrl::NewDownButton() {
    return new ScrollButton(FALSE);
}

void SECShortcutListCtrl::BeginItemDrag(COleDataSource* pSource, int nRow) {
    if (pSource == NULL || !IsValidRow(nRow))
        return;
    SetHotState(nRow, SECSHORTCUT_STATE_MASK, FALSE);
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
    LVITEM item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = nRow;
    if (!GetItem(&item, FALSE, TRUE))
        return;
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SECSHORTCUT_DRAGDATA_SIZE);
    if (hData == NULL)
        AfxThrowMemoryException();
    auto* pBytes = static_cast<BYTE*>(::GlobalLock(hData));
    if (pBytes == NULL) {
        ::GlobalFree(hData);
        AfxThrowMemoryException();
    }
    std::memcpy(pBytes + kKeyOffset, &GetSourceKey(), sizeof(GUID));
    std::memcpy(pBytes + kItemOffset, &item, kItemRecordSize);
    ::GlobalUnlock(hData);
    pSource->CacheGlobalData((CLIPFORMAT)SEC_CF_LISTCTRL, hData);
}

DROPEFFECT SECShortcutListCtrl::RunItemDrag(COleDataSource* pSource) {
    return pSource->DoDragDrop(DROPEFFECT_MOVE);
}

void SECShortcutListCtrl::DragItem(int nRow) {
    SECListItem* pItem = GetItemAt(nRow);
    if (pItem == NULL || SEC_CF_LISTCTRL == 0)
        return;
    COleDataSource* pSource = new COleDataSource; // reference counted: released below
    DROPEFFECT effect = DROPEFFECT_NONE;
    const std::weak_ptr<int> alive = LifeToken();
    m_pDragItem = pItem;
    try {
        BeginItemDrag(pSource, nRow);
        effect = RunItemDrag(pSource);
    } catch (...) {
        pSource->InternalRelease();
        throw;
    }
    pSource->InternalRelease();
    if (!Alive(alive))
        return;
    // The drop may have put a copy into this very list: the dragged row is found again by
    // identity, never by its old index.
    SECListItem* pDragged = m_pDragItem;
    m_pDragItem = NULL;
    if ((effect & DROPEFFECT_MOVE) && pDragged != NULL && IndexOfItem(pDragged) >= 0) {
        m_nHotItem = -1;
        DeleteItemObject(pDragged);
        RecalcLayout();
        Invalidate();
    }
}

// ---- Dropping in.

int SECShortcutListCtrl::InsertDroppedItem(const LVITEM& record, int nPosition) {
    LVITEM item = {};
    item.mask = record.mask & (LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM);
    item.lParam = record.lParam;
    CImageList* pList = GetImageList(IsLargeIcons() ? LVSIL_NORMAL : LVSIL_SMALL);
    const int nImages =
        pList != NULL && pList->GetSafeHandle() != NULL ? pList->GetImageCount() : 0;
    item.iImage = record.iImage >= 0 && record.iImage < nImages ? record.iImage : 0;
    std::wstring text;
    if (item.mask & LVIF_TEXT) {
        if (SECListIsCallback(record.pszText))
            item.pszText = LPSTR_TEXTCALLBACK;
        else {
            if (record.pszText != NULL)
                text.assign(record.pszText, ::wcsnlen(record.pszText, SECLIST_TEXT_MAX));
            item.pszText = const_cast<LPTSTR>(text.c_str());
        }
    }
    const int nCount = GetItemCount();
    if (nPosition == SECSHORTCUT_DROP_FRONT)
        item.iItem = 0;
    else if (nPosition >= 0 && nPosition < nCount)
        item.iItem = nPosition + 1;
    else
        item.iItem = nCount; // after the last item
    const int nRow = InsertItem(&item);
    RecalcLayout();
    if (GetSafeHwnd() != NULL)
        Invalidate();
    return nRow;
}

BOOL SECShortcutListCtrl::ListDropTarget::Attach(SECShortcutListCtrl* pList) {
    if (pList == NULL || pList->GetSafeHwnd() == NULL)
        return FALSE;
    m_pList = pList;
    if (!Register(pList)) {
        m_pList = NULL;
        return FALSE;
    }
    return TRUE;
}

void SECShortcutListCtrl::ListDropTarget::Detach() {
    m_pList = NULL;
    Revoke();
}

BOOL SECShortcutListCtrl::ListDropTarget::ReadDragData(COleDataObject* pDataObject,
                                                       SECShortcutDragData* pData) const {
    if (pDataObject == NULL || SEC_CF_LISTCTRL == 0 ||
        !pDataObject->IsDataAvailable((CLIPFORMAT)SEC_CF_LISTCTRL))
        return FALSE;
    HGLOBAL hData = pDataObject->GetGlobalData((CLIPFORMAT)SEC_CF_LISTCTRL);
    if (hData == NULL)
        return FALSE;
    BOOL bOk = FALSE;
    if (::GlobalSize(hData) >= SECSHORTCUT_DRAGDATA_SIZE) {
        if (const auto* pBytes = static_cast<const BYTE*>(::GlobalLock(hData))) {
            std::memset(pData, 0, sizeof(*pData));
            std::memcpy(&pData->key, pBytes + kKeyOffset, sizeof(GUID));
            std::memcpy(&pData->item, pBytes + kItemOffset, kItemRecordSize);
            ::GlobalUnlock(hData);
            bOk = ::IsEqualGUID(pData->key, SECShortcutListCtrl::GetSourceKey());
        }
    }
    ::GlobalFree(hData);
    return bOk;
}

DROPEFFECT SECShortcutListCtrl::ListDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject,
                                                            DWORD, CPoint) {
    SECShortcutDragData data;
    m_key = GUID{};
    if (m_pList == NULL || !ReadDragData(pDataObject, &data))
        return DROPEFFECT_NONE;
    m_key = data.key;
    return DROPEFFECT_MOVE;
}

void SECShortcutListCtrl::ListDropTarget::EraseMarker() {
    if (m_pList == NULL || m_pList->GetSafeHwnd() == NULL || m_rcMarker.IsRectEmpty())
        return;
    CClientDC dc(m_pList);
    dc.FillSolidRect(&m_rcMarker, m_pList->GetBkColor());
    m_pList->InvalidateRect(&m_rcMarker, FALSE);
    m_rcMarker.SetRectEmpty();
}

DROPEFFECT SECShortcutListCtrl::ListDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD,
                                                           CPoint point) {
    if (m_pList == NULL || !::IsEqualGUID(m_key, SECShortcutListCtrl::GetSourceKey()))
        return DROPEFFECT_NONE;
    EraseMarker();
    CRect rcMarker;
    const int nPosition = m_pList->FindDropPosition(point, &rcMarker);
    if (nPosition == SECSHORTCUT_DROP_NONE)
        return DROPEFFECT_NONE;
    if (m_pList->GetSafeHwnd() != NULL) {
        m_pList->UpdateWindow();
        CClientDC dc(m_pList);
        m_pList->DrawInsertMarker(&dc, nPosition);
        m_rcMarker = rcMarker;
    }
    return DROPEFFECT_MOVE;
}

void SECShortcutListCtrl::ListDropTarget::OnDragLeave(CWnd*) {
    EraseMarker();
}

BOOL SECShortcutListCtrl::ListDropTarget::OnDrop(CWnd*, COleDataObject* pDataObject,
                                                 DROPEFFECT dropEffect, CPoint point) {
    EraseMarker();
    m_key = GUID{};
    if (m_pList == NULL || !(dropEffect & DROPEFFECT_MOVE))
        return FALSE;
    const int nPosition = m_pList->FindDropPosition(point, NULL);
    SECShortcutDragData data;
    if (nPosition == SECSHORTCUT_DROP_NONE || !ReadDragData(pDataObject, &data))
        return FALSE;
    return m_pList->InsertDroppedItem(data.item, nPosition) >= 0;
}
