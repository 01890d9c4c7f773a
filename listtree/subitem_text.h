// The texts of a tree item's columns past the first, kept apart from the rows so that collapsed
// and hidden items keep them. Element i of an item's array is the text of column i + 1; an
// element that was never set is the empty text.
#pragma once

#include "framework/core/maps.h"

#include <commctrl.h>

class SECSubItemTextStorage {
public:
    SECSubItemTextStorage() {}
    SECSubItemTextStorage(const SECSubItemTextStorage&) = delete;
    SECSubItemTextStorage& operator=(const SECSubItemTextStorage&) = delete;
    virtual ~SECSubItemTextStorage();

    // Stores the text (null: the empty text) of column nColumn (1 or more), growing the item's
    // array. FALSE for column 0 or less, for a column past 65536, or when memory runs out
    // (nothing changed then).
    BOOL SetText(HTREEITEM hItem, int nColumn, LPCWSTR pszText);
    // Copies the column's text into the buffer, cut to nBufferSize - 1 characters and always
    // terminated. FALSE when the item keeps no text for the column (the buffer then holds "")
    // and when there is no room for even the terminator (nothing written).
    BOOL GetText(HTREEITEM hItem, int nColumn, LPWSTR pszBuffer, int nBufferSize) const;
    // Forgets the item's texts; FALSE when it had none.
    BOOL RemoveItem(HTREEITEM hItem);
    // Takes the text of column nFrom out and puts it in at column nTo, the texts between moving
    // up or down by one, as when a column moves in the header. Columns past the stored texts
    // count as empty. FALSE for a column below 1 or past 65536, or when the item keeps no texts.
    BOOL MoveText(HTREEITEM hItem, int nFrom, int nTo);
    // A new empty column nColumn in every item's texts; the texts from there on move right.
    void InsertColumnText(int nColumn);
    // Column nColumn leaves every item's texts; the texts after it move left.
    void DeleteColumnText(int nColumn);

    // The item's texts, or null.
    const CStringArray* GetTexts(HTREEITEM hItem) const;
    int GetItemCount() const { return (int)m_map.GetCount(); }

private:
    CMap<HTREEITEM, HTREEITEM, CStringArray*, CStringArray*> m_map;

    CStringArray* Find(HTREEITEM hItem) const;
    template <class Change> void ForEachItem(Change&& change);
    void GrowTable();
};
