// The list window as a drag source and a drop target of the host's drag-and-drop service.
#include "windows/list/list_tree.h"

#include "shell/hostlink.h"
#include "windows/list/list_window.h"

namespace {
constexpr size_t kMaxKindName = 255;
// The kind name and a column title: bounded whatever their lengths.
constexpr size_t kMaxDragType = kMaxKindName + 256;
} // namespace

BOOL CListTree::SetDragSource(ListDragSourceFn pfn, const char* lpszKind, int nId) {
    IDragDrop* service = DragDropService();
    if (service == nullptr || lpszKind == nullptr || *lpszKind == 0)
        return FALSE;
    UnregisterDrag();
    m_pfnDrag = pfn;
    m_kindName.assign(lpszKind, strnlen(lpszKind, kMaxKindName));
    m_nId = nId;
    // The tree is the drop target the system's drags find (registered at its creation).
    service->RegisterDropTarget(m_kindName.c_str(), m_nId);
    service->RegisterDragSource(m_kindName.c_str(), m_nId);
    m_bDragRegistered = true;
    return TRUE;
}

void CListTree::UnregisterDrag() {
    if (!m_bDragRegistered)
        return;
    m_bDragRegistered = false;
    if (IDragDrop* service = DragDropService()) {
        service->UnregisterDropTarget(m_kindName.c_str(), m_nId);
        service->UnregisterDragSource(m_kindName.c_str(), m_nId);
    }
}

std::string CListTree::DragType(CPoint point) {
    std::string type = m_kindName;
    if (m_pWindow == nullptr || m_pWindow->ColumnCount() < 2 || GetSafeHwnd() == NULL)
        return type;
    UINT nHit = 0;
    int nCol = -1;
    SECListBaseC::HitTest(point.x, point.y, &nHit, &nCol);
    const int nHost = HostColumnOfControl(nCol < 0 ? 0 : nCol);
    char* title = nullptr;
    WideToAnsiHeap(m_pWindow->ColumnTitle(nHost < 0 ? 0 : nHost), &title);
    if (title != nullptr) {
        type.append(title, strnlen(title, kMaxDragType - type.size()));
        ::HeapFree(::GetProcessHeap(), 0, title);
    }
    return type;
}

void CListTree::StartDrag(CPoint point, int nRow) {
    IDragDrop* service = DragDropService();
    CListItem* pItem = ItemOfRow(nRow);
    if (service == nullptr || pItem == nullptr || m_pfnDrag == nullptr)
        return;
    const std::string type = DragType(point);
    void* record = nullptr;
    int nStart = 0;
    {
        CListCallScope scope(this);
        nStart = m_pfnDrag(pItem->Data(), nRow, &record, m_nUser);
    }
    if (nStart != 0 && record != nullptr && GetSafeHwnd() != NULL)
        service->StartDrag(m_kindName.c_str(), m_nId, type.c_str(), record);
}

DROPEFFECT CListTree::OnDragEnter(COleDataObject*, DWORD dwKeyState, CPoint point) {
    uint32_t effect = 0;
    if (IDragDrop* service = DragDropService(); service && !m_kindName.empty())
        service->DragEnter(m_kindName.c_str(), m_nId, DragType(point).c_str(), dwKeyState, &effect);
    return effect;
}

DROPEFFECT CListTree::OnDragOver(COleDataObject*, DWORD dwKeyState, CPoint point) {
    uint32_t effect = 0;
    if (IDragDrop* service = DragDropService(); service && !m_kindName.empty())
        service->DragOver(m_kindName.c_str(), m_nId, DragType(point).c_str(), dwKeyState, &effect);
    return effect;
}

DROPEFFECT CListTree::OnDrop(COleDataObject*, DROPEFFECT, CPoint point) {
    IDragDrop* service = DragDropService();
    if (service == nullptr || m_kindName.empty())
        return DROPEFFECT_NONE;
    return service->Drop(m_kindName.c_str(), m_nId, DragType(point).c_str());
}

void CListTree::OnDragLeave() {
    if (IDragDrop* service = DragDropService(); service && !m_kindName.empty())
        service->DragLeave(m_kindName.c_str(), m_nId);
}
