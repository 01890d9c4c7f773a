// One host-filled list window: the host's items in list order, its columns and callback words,
// and the control that shows them. The administrator owns it; the host names it by its id.
#pragma once

#include "framework/afx.h"
#include "include/list.h"
#include "windows/list/list_item.h"

#include <deque>
#include <memory>
#include <vector>

class CListTree;

using CListItemArray = std::deque<std::unique_ptr<CListItem>>;

// The three style words of the tree control that the host's style bits translate to.
struct ListStyleWords {
    DWORD tree = 0;
    DWORD treeEx = 0;
    DWORD listEx = 0;
};
ListStyleWords TranslateListStyle(uint32_t bits);

class CListWindow : public CObject {
public:
    CListWindow(intptr_t id, const ListMenuEntry* pMenu);
    ~CListWindow() override;

    intptr_t Id() const { return m_id; }
    CListTree* Tree() const { return m_pTree.get(); }
    std::unique_ptr<CListTree> TakeTree();
    const ListMenuEntry* Menu() const { return m_pMenu; }

    // Callback words: 0 for an unknown code or one the host did not set.
    uintptr_t Callback(int nCode) const;
    BOOL SetCallback(int nCode, uintptr_t value);

    // Items.
    int ItemCount() const { return (int)m_items.size(); }
    CListItem* Item(int nIndex) const;
    int IndexOf(const CListItem* pItem) const;
    bool Owns(const CListItem* pItem) const { return IndexOf(pItem) >= 0; }
    int Insert(const ListItemRecord& record);
    BOOL Update(int nIndex, const ListItemRecord& record);
    BOOL SetItemImage(int nIndex, int nImage, int nStateImage);
    BOOL DeleteItem(int nIndex); // a negative index deletes all
    void DeleteAllItems();
    // Reset and rebuild of a refill.
    void Reset(uint32_t flags);
    void Rebuild();
    // Items of the list order in depth-first order of the tree (for copying all).
    const CListItemArray& Items() const { return m_items; }
    // Deletions so far: a callback that ran past one may have lost its item.
    unsigned Deletions() const { return m_nDeletions; }

    // Columns.
    int ColumnCount() const { return (int)m_columnFlags.size(); }
    uint32_t ColumnFlags(int nColumn) const;
    const CString& ColumnTitle(int nColumn) const;
    BOOL SetColumn(int nColumn, const CString& title, uint32_t flags);
    BOOL SetColumnTitle(int nColumn, const CString& title);
    int GetColumnWidth(int nColumn);
    BOOL SetColumnWidth(int nColumn, int nWidth);
    void SetColumnHidden(int nColumn, bool bHidden);
    // The width the host gave (pixels with flag 8, else percent), 0 when none.
    int ColumnWidthSpec(int nColumn) const;
    void SetColumnWidthSpec(int nColumn, int nSpec);
    // The n-th shown column (the control's column n), -1 when none.
    int ShownColumn(int n) const;
    int ShownBefore(int nColumn) const;

    // Styles.
    void SetStyle(uint32_t remove, uint32_t add);
    uint32_t ItemState(int nIndex);

    uint32_t m_resetFlags = 0;

private:
    CListItem* ParentFor(const ListItemRecord& record, int* pParentIndex);
    void ForgetItem(const CListItem* pItem);

    intptr_t m_id;
    const ListMenuEntry* m_pMenu;
    std::unique_ptr<CListTree> m_pTree;
    CListItemArray m_items;
    uintptr_t m_callbacks[11] = {};
    std::vector<uint32_t> m_columnFlags;
    std::vector<int> m_columnPositions;
    std::vector<CString> m_columnTitles;
    std::vector<int> m_columnWidths;
    CListItem* m_pRememberedParent = nullptr;
    CListItem* m_pRememberedSelection = nullptr;
    unsigned m_nDeletions = 0;
};
