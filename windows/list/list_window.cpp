#include "windows/list/list_window.h"

#include "windows/list/list_tree.h"

#include <algorithm>

namespace {
constexpr int kCallbackCodes[11] = {1, 2, 4, 8, 32, 512, 1024, 2048, 4096, 8192, 16384};

int CallbackSlot(int nCode) {
    for (int i = 0; i < 11; ++i)
        if (kCallbackCodes[i] == nCode)
            return i;
    return -1;
}

// A state image the 4-bit field cannot hold is no state image.
UINT StateBits(int nStateImage) {
    return nStateImage >= 0 && nStateImage <= 15 ? INDEXTOSTATEIMAGEMASK(nStateImage) : 0;
}

const CString& NoTitle() {
    static const CString none;
    return none;
}
} // namespace

ListStyleWords TranslateListStyle(uint32_t bits) {
    ListStyleWords w;
    static const struct {
        uint32_t bit;
        DWORD ListStyleWords::*word;
        DWORD value;
    } kMap[] = {
        {1, &ListStyleWords::tree, 1},
        {2, &ListStyleWords::tree, 4},
        {4, &ListStyleWords::tree, 2},
        {8, &ListStyleWords::tree, 8},
        {16, &ListStyleWords::tree, 0x400},
        {0x40000, &ListStyleWords::tree, 32},
        {32, &ListStyleWords::treeEx, 0x200000},
        {64, &ListStyleWords::treeEx, 0x100000},
        {128, &ListStyleWords::treeEx, 0x800000},
        {0x100, &ListStyleWords::treeEx, 0x400000},
        {0x200, &ListStyleWords::treeEx, 0x1000000},
        {0x400, &ListStyleWords::treeEx, 0x2000000},
        {0x4000, &ListStyleWords::treeEx, 0x4000000},
        {0x8000, &ListStyleWords::listEx, 0x2000000},
        {0x10000, &ListStyleWords::listEx, 0x4000000},
        {0x20000, &ListStyleWords::listEx, 0x10000000},
    };
    for (const auto& m : kMap)
        if (bits & m.bit)
            w.*(m.word) |= m.value;
    // Either of 0x1000 and 0x2000 alone, or both together.
    if (bits & 0x1000)
        w.listEx |= 0x400000;
    if (bits & 0x2000)
        w.listEx |= 0x800000;
    return w;
}

CListWindow::CListWindow(intptr_t id, const ListMenuEntry* pMenu)
    : m_id(id), m_pMenu(pMenu), m_pTree(std::make_unique<CListTree>(this)) {}

CListWindow::~CListWindow() {
    if (m_pTree)
        m_pTree->Detach();
}

std::unique_ptr<CListTree> CListWindow::TakeTree() {
    return std::move(m_pTree);
}

uintptr_t CListWindow::Callback(int nCode) const {
    const int nSlot = CallbackSlot(nCode);
    return nSlot >= 0 ? m_callbacks[nSlot] : 0;
}

BOOL CListWindow::SetCallback(int nCode, uintptr_t value) {
    const int nSlot = CallbackSlot(nCode);
    if (nSlot < 0)
        return FALSE;
    m_callbacks[nSlot] = value;
    if (nCode == ListCallback::image && m_pTree->GetSafeHwnd())
        m_pTree->Invalidate(FALSE);
    return TRUE;
}

CListItem* CListWindow::Item(int nIndex) const {
    return nIndex >= 0 && nIndex < (int)m_items.size() ? m_items[nIndex].get() : nullptr;
}

int CListWindow::IndexOf(const CListItem* pItem) const {
    if (pItem == nullptr)
        return -1;
    // The newest items are asked for most: from the back.
    for (int i = (int)m_items.size() - 1; i >= 0; --i)
        if (m_items[i].get() == pItem)
            return i;
    return -1;
}

CListItem* CListWindow::ParentFor(const ListItemRecord& record, int* pParentIndex) {
    *pParentIndex = ListParent::root;
    if (!m_pTree->m_bTreeMode)
        return nullptr;
    if (record.parent == ListParent::childOfRemembered) {
        *pParentIndex = m_pRememberedParent ? IndexOf(m_pRememberedParent) : ListParent::root;
        return m_pRememberedParent;
    }
    // An index past the items makes a root.
    if (CListItem* pParent = Item(record.parent)) {
        *pParentIndex = record.parent;
        return pParent;
    }
    return nullptr;
}

int CListWindow::Insert(const ListItemRecord& record) {
    const bool bFront = (m_resetFlags & 2) != 0;
    auto pOwned = std::make_unique<CListItem>(record, ColumnCount());
    CListItem* pItem = pOwned.get();
    pItem->m_nExpanded = (record.flags & ListItemFlag::expanded) ? 1 : 0;
    int nParentIndex = ListParent::root;
    CListItem* pParent = ParentFor(record, &nParentIndex);
    pItem->m_nParent = pParent ? nParentIndex : ListParent::root;
    const HTREEITEM hParent = pParent ? pParent->m_hItem : TVI_ROOT;
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = bFront ? TVI_FIRST : TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    insert.item.pszText = LPSTR_TEXTCALLBACKW;
    insert.item.lParam = reinterpret_cast<LPARAM>(pItem);
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.state = StateBits(record.stateImage);
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    // Open from the start in a tree: its children get their rows as they come, and the rebuild
    // has nothing left to open.
    if (pItem->m_nExpanded && m_pTree->m_bTreeMode) {
        insert.item.state |= TVIS_EXPANDED;
        insert.item.stateMask |= TVIS_EXPANDED;
    }
    if (bFront)
        m_items.push_front(std::move(pOwned));
    else
        m_items.push_back(std::move(pOwned));
    pItem->m_hItem = m_pTree->InsertItem(&insert);
    if (!Owns(pItem)) // the owner's answer to the insertion emptied the list
        return -1;
    if (record.flags & ListItemFlag::select)
        m_pRememberedSelection = pItem;
    if (record.parent == ListParent::rememberedRoot)
        m_pRememberedParent = pItem;
    else if (record.parent == ListParent::root)
        m_pRememberedParent = nullptr;
    return bFront ? 0 : (int)m_items.size() - 1;
}

BOOL CListWindow::Update(int nIndex, const ListItemRecord& record) {
    CListItem* pItem = Item(nIndex);
    if (pItem == nullptr)
        return FALSE;
    pItem->Assign(record, ColumnCount());
    m_pTree->SetItemState(pItem->m_hItem, StateBits(record.stateImage), TVIS_STATEIMAGEMASK);
    const int nRow = m_pTree->RowOfItem(pItem);
    if (nRow >= 0 && m_pTree->GetSafeHwnd())
        m_pTree->InvalidateItem(nRow);
    return TRUE;
}

BOOL CListWindow::SetItemImage(int nIndex, int nImage, int nStateImage) {
    CListItem* pItem = Item(nIndex);
    if (pItem == nullptr)
        return FALSE;
    const uint16_t image = (uint16_t)(nImage < 0 ? 0xFFFF : nImage);
    const uint16_t state = (uint16_t)(nStateImage < 0 ? 0xFFFF : nStateImage);
    pItem->m_images = (uint32_t(image) << 16) | state;
    m_pTree->SetItemState(pItem->m_hItem, state == 0xFFFF ? 0 : StateBits(state),
                          TVIS_STATEIMAGEMASK);
    const int nRow = m_pTree->RowOfItem(pItem);
    if (nRow >= 0 && m_pTree->GetSafeHwnd())
        m_pTree->InvalidateItem(nRow);
    return TRUE;
}

void CListWindow::ForgetItem(const CListItem* pItem) {
    if (m_pRememberedParent == pItem)
        m_pRememberedParent = nullptr;
    if (m_pRememberedSelection == pItem)
        m_pRememberedSelection = nullptr;
}

BOOL CListWindow::DeleteItem(int nIndex) {
    if (nIndex < 0) {
        DeleteAllItems();
        return TRUE;
    }
    CListItem* pItem = Item(nIndex);
    if (pItem == nullptr)
        return FALSE;
    // The item goes with its subtree: every item whose tree item went with it goes too.
    m_pTree->DeleteItem(pItem->m_hItem);
    ++m_nDeletions;
    for (auto it = m_items.begin(); it != m_items.end();) {
        CListItem* p = it->get();
        if (p->m_hItem != NULL && m_pTree->ItemFromHandle(p->m_hItem) != nullptr && p != pItem) {
            ++it;
            continue;
        }
        ForgetItem(p);
        it = m_items.erase(it);
    }
    return TRUE;
}

void CListWindow::DeleteAllItems() {
    m_pTree->DeleteAllItems();
    m_pRememberedParent = nullptr;
    m_pRememberedSelection = nullptr;
    ++m_nDeletions;
    m_items.clear();
}

void CListWindow::Reset(uint32_t flags) {
    m_resetFlags = flags;
    m_pTree->SuspendRedraw(1);
    m_pRememberedSelection = nullptr;
    if (flags & (2 | 4))
        m_pRememberedSelection = m_pTree->SelectedListItem();
    if (!(flags & (1 | 8)))
        return;
    DeleteAllItems();
    if (flags & 1) {
        while (m_pTree->GetColumnCount() > 1)
            m_pTree->DeleteColumn(m_pTree->GetColumnCount() - 1);
        m_columnFlags.clear();
        m_columnPositions.clear();
        m_columnTitles.clear();
        m_columnWidths.clear();
        m_pTree->m_columnShares.clear();
    }
}

void CListWindow::Rebuild() {
    const bool bFront = (m_resetFlags & 2) != 0;
    m_resetFlags = 0;
    // The selection and the scrolling below paint nothing: the rows are painted once, at the end.
    CListPaintHold hold(m_pTree.get());
    m_pTree->ResumeRedraw(1, FALSE);
    if (m_pTree->GetSafeHwnd() == NULL)
        return;
    CListItem* pSelect = m_pRememberedSelection;
    if (pSelect == nullptr && m_pTree->GetItemCount() > 0)
        pSelect = m_pTree->ItemOfRow(bFront ? 0 : m_pTree->GetItemCount() - 1);
    const unsigned nDeletions = m_nDeletions;
    for (size_t i = 0; i < m_items.size() && nDeletions == m_nDeletions; ++i)
        if (m_items[i]->m_nExpanded && !m_pTree->IsItemExpanded(m_items[i]->m_hItem))
            m_pTree->SECTreeCtrl::Expand(m_items[i]->m_hItem, TVE_EXPAND, FALSE);
    if (pSelect != nullptr && Owns(pSelect) && m_pTree->GetSafeHwnd()) {
        m_pTree->DeselectAllExcept(-1);
        // Scrolled there first: the selection then finds its row on the page, and no row of
        // the page it would leave is measured.
        m_pTree->SelectSetFirstVisible(pSelect->m_hItem);
        if (Owns(pSelect) && m_pTree->GetSafeHwnd())
            m_pTree->SelectItem(pSelect->m_hItem);
        if (Owns(pSelect) && m_pTree->GetSafeHwnd())
            m_pTree->SelectSetFirstVisible(pSelect->m_hItem);
    }
    m_pRememberedSelection = nullptr;
    if (m_pTree->GetSafeHwnd() == NULL)
        return;
    m_pTree->LayoutColumns();
    hold.Release(TRUE);
    // The paint measured the rows it shows as they are drawn: the bars follow those heights.
    if (m_pTree->GetSafeHwnd())
        m_pTree->UpdateScrollBars();
}

uint32_t CListWindow::ColumnFlags(int nColumn) const {
    return nColumn >= 0 && nColumn < ColumnCount() ? m_columnFlags[nColumn] : 0;
}

const CString& CListWindow::ColumnTitle(int nColumn) const {
    return nColumn >= 0 && nColumn < ColumnCount() ? m_columnTitles[nColumn] : NoTitle();
}

int CListWindow::ShownColumn(int n) const {
    for (int i = 0; i < ColumnCount(); ++i)
        if (!(m_columnFlags[i] & ListColumnFlag::hidden) && n-- == 0)
            return i;
    return -1;
}

int CListWindow::ShownBefore(int nColumn) const {
    int n = 0;
    for (int i = 0; i < nColumn && i < ColumnCount(); ++i)
        if (!(m_columnFlags[i] & ListColumnFlag::hidden))
            ++n;
    return n;
}

BOOL CListWindow::SetColumn(int nColumn, const CString& title, uint32_t flags) {
    if (nColumn != ColumnCount())
        return FALSE;
    if ((flags & ListColumnFlag::fill) &&
        std::any_of(m_columnFlags.begin(), m_columnFlags.end(),
                    [](uint32_t f) { return (f & ListColumnFlag::fill) != 0; }))
        flags &= ~ListColumnFlag::fill;
    m_columnFlags.push_back(flags & ~ListColumnFlag::hidden);
    m_columnPositions.push_back(-1);
    m_columnTitles.push_back(title);
    m_columnWidths.push_back(0);
    if (nColumn == 0) {
        m_pTree->SetColumnText(0, title);
    } else {
        const int nPos = m_pTree->GetColumnCount();
        m_pTree->InsertColumnArgs(nPos, title, LVCFMT_LEFT, 80, -1, -1, FALSE);
    }
    m_columnPositions[nColumn] = ShownBefore(nColumn);
    if (m_pTree->GetSafeHwnd()) {
        CRect rc;
        ::GetClientRect(m_pTree->m_hWnd, &rc);
        if (rc.Width() > 0)
            m_pTree->LayoutColumns();
    }
    return TRUE;
}

BOOL CListWindow::SetColumnTitle(int nColumn, const CString& title) {
    if (nColumn < 0 || nColumn >= ColumnCount())
        return FALSE;
    m_columnTitles[nColumn] = title;
    if (!(m_columnFlags[nColumn] & ListColumnFlag::hidden)) {
        m_pTree->SetColumnText(ShownBefore(nColumn), title);
        if (m_pTree->GetSafeHwnd())
            m_pTree->Invalidate(FALSE);
    }
    return TRUE;
}

int CListWindow::GetColumnWidth(int nColumn) {
    if (nColumn < 0 || nColumn >= ColumnCount() ||
        (m_columnFlags[nColumn] & ListColumnFlag::hidden))
        return 0;
    return m_pTree->GetColumnWidth(ShownBefore(nColumn));
}

BOOL CListWindow::SetColumnWidth(int nColumn, int nWidth) {
    if (nColumn < 0 || nColumn >= ColumnCount() || nWidth < 0)
        return FALSE;
    if (!(m_columnFlags[nColumn] & ListColumnFlag::pixels))
        nWidth = std::min(nWidth, 100);
    m_columnWidths[nColumn] = nWidth;
    // A width in pixels stands at the column's place at once, before the list has a width:
    // remembered shares are taken from it.
    if ((m_columnFlags[nColumn] & ListColumnFlag::pixels) &&
        !(m_columnFlags[nColumn] & ListColumnFlag::hidden) && m_pTree->GetSafeHwnd())
        m_pTree->SetColumnWidth(ShownBefore(nColumn), nWidth);
    if (nColumn < (int)m_pTree->m_columnShares.size() &&
        !(m_columnFlags[nColumn] & ListColumnFlag::pixels))
        m_pTree->m_columnShares[nColumn] = (WORD)nWidth;
    CRect rc;
    if (m_pTree->GetSafeHwnd())
        ::GetClientRect(m_pTree->m_hWnd, &rc);
    // Only a share waits for the width to come; a width in pixels stands as it is.
    if (rc.Width() == 0 && !(m_columnFlags[nColumn] & ListColumnFlag::pixels))
        m_pTree->m_dwOptions |= ListTreeOption::rememberedWidths;
    m_pTree->LayoutColumns();
    if (m_pTree->GetSafeHwnd())
        m_pTree->Invalidate(FALSE);
    return TRUE;
}

int CListWindow::ColumnWidthSpec(int nColumn) const {
    return nColumn >= 0 && nColumn < (int)m_columnWidths.size() ? m_columnWidths[nColumn] : 0;
}

void CListWindow::SetColumnWidthSpec(int nColumn, int nSpec) {
    if (nColumn >= 0 && nColumn < (int)m_columnWidths.size())
        m_columnWidths[nColumn] = nSpec;
}

void CListWindow::SetColumnHidden(int nColumn, bool bHidden) {
    if (nColumn < 0 || nColumn >= ColumnCount())
        return;
    if (bHidden)
        m_columnFlags[nColumn] |= ListColumnFlag::hidden;
    else
        m_columnFlags[nColumn] &= ~ListColumnFlag::hidden;
    for (int i = 0; i < ColumnCount(); ++i)
        m_columnPositions[i] =
            (m_columnFlags[i] & ListColumnFlag::hidden) ? m_columnPositions[i] : ShownBefore(i);
}

void CListWindow::SetStyle(uint32_t remove, uint32_t add) {
    const ListStyleWords r = TranslateListStyle(remove);
    const ListStyleWords a = TranslateListStyle(add);
    CListTree* t = m_pTree.get();
    t->ModifyTreeStyles(r.tree, a.tree, r.treeEx, a.treeEx, FALSE);
    t->ModifyListExStyle(r.listEx, a.listEx, FALSE);
    t->m_bTreeMode = (add & 7) == 7 ? 1 : 0;
    DWORD& o = t->m_dwOptions;
    if (add & 0x40000)
        o = (o & ~ListTreeOption::pairB4) | ListTreeOption::pairB8;
    else if (add & 0x200000)
        o = (o & ~ListTreeOption::pairB8) | ListTreeOption::pairB4;
    if (add & 0x100000)
        o = (o & ~ListTreeOption::pairA1) | ListTreeOption::pairA2;
    else if (add & 0x80000)
        o = (o & ~ListTreeOption::pairA2) | ListTreeOption::pairA1;
    if (add & 0x400000)
        o |= ListTreeOption::inputLocked;
    if (add & 0x800000)
        o |= ListTreeOption::hostScrolling;
    if (add & 0x1000000)
        o |= ListTreeOption::rememberedWidths;
    if (add & 0x2000000)
        t->SuspendRedraw(2);
    else if (remove & 0x2000000)
        t->ResumeRedraw(2, TRUE);
    if (t->GetSafeHwnd()) {
        if (o & ListTreeOption::hostScrolling)
            t->UpdateScrollBars();
        t->Invalidate(FALSE);
    }
}

uint32_t CListWindow::ItemState(int nIndex) {
    CListItem* pItem = Item(nIndex);
    if (pItem == nullptr)
        return 0;
    uint32_t bits = pItem->m_nExpanded ? ListItemState::expanded : 0;
    bool bShown = !m_pTree->m_bTreeMode || pItem->m_nParent < 0;
    if (!bShown) {
        // The nearest earlier item with another parent index decides.
        for (int i = nIndex - 1; i >= 0; --i)
            if (m_items[i]->m_nParent != pItem->m_nParent) {
                bShown = m_items[i]->m_nExpanded != 0;
                break;
            }
    }
    if (bShown)
        bits |= ListItemState::shown;
    if (m_pTree->SelectedListItem() == pItem)
        bits |= ListItemState::selected;
    return bits;
}
