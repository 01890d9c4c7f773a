// One item of a host-filled list: the host's texts, flags and data block, kept by the library.
#pragma once

#include "framework/afx.h"
#include "include/list.h"

#include <vector>

class CListItem : public CObject {
public:
    // Made from the host's record for a window of nColumns columns: missing or null texts are
    // blanks, a null data pointer copies nothing whatever its length.
    CListItem(const ListItemRecord& record, int nColumns);
    // The texts, flags, images and data of the record replace the item's own.
    void Assign(const ListItemRecord& record, int nColumns);

    // The item's copy of the host's data block, null when it has none.
    void* Data() { return m_data.empty() ? nullptr : m_data.data(); }
    size_t DataLength() const { return m_data.size(); }
    // The text of a column; a column the item has no text for reads as a blank.
    const CString& Text(int nColumn) const;
    void SetText(int nColumn, const CString& text);
    // Its column texts each followed by a tab.
    CString CopyText() const;

    uint32_t m_flags = 0;
    // Display marks.
    BYTE m_bBold = 0;
    BYTE m_bItalic = 0;
    BYTE m_bGrey = 0;
    BYTE m_bSecond = 0;
    int m_nExpanded = 0;
    int m_nParent = ListParent::root;
    HTREEITEM m_hItem = NULL;
    uint32_t m_images = 0; // image in the high half, state image in the low half
    uint32_t m_word = 0;

    int Image() const { return (int)(m_images >> 16); }
    int StateImage() const { return (int)(m_images & 0xFFFF); }

private:
    void SetMarks();
    std::vector<BYTE> m_data;
    std::vector<CString> m_texts;
};
