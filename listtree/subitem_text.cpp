#include "listtree/subitem_text.h"

#include "framework/core/exceptions.h"

#include <cwchar>
#include <memory>
#include <new>
#include <stdexcept>

namespace {

// Built from the characters: a CString made from a small pointer value would load a string
// resource instead.
CString TextOf(LPCWSTR pszText) {
    return pszText != nullptr ? CString(pszText, (int)wcslen(pszText)) : CString();
}

// Runs a change that may need more memory than there is: FALSE then, the change not made.
template <class Change> BOOL WithinMemory(Change&& change) {
    try {
        return change();
    } catch (CMemoryException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return FALSE;
}

// Far more columns than any header holds. A larger column is refused before the item's array
// grows towards it: on a 64-bit heap such a growth would be attempted, not refused.
constexpr int kMaxColumn = 1 << 16;

} // namespace

template <class Change> void SECSubItemTextStorage::ForEachItem(Change&& change) {
    POSITION pos = m_map.GetStartPosition();
    while (pos != NULL) {
        HTREEITEM hItem;
        CStringArray* pTexts;
        m_map.GetNextAssoc(pos, hItem, pTexts);
        change(*pTexts);
    }
}

SECSubItemTextStorage::~SECSubItemTextStorage() {
    ForEachItem([](CStringArray& texts) { delete &texts; });
    m_map.RemoveAll();
}

CStringArray* SECSubItemTextStorage::Find(HTREEITEM hItem) const {
    CStringArray* pTexts = nullptr;
    return m_map.Lookup(hItem, pTexts) ? pTexts : nullptr;
}

const CStringArray* SECSubItemTextStorage::GetTexts(HTREEITEM hItem) const {
    return Find(hItem);
}

// The map starts with its 17 buckets; a tree of many thousand items would make every look-up a
// long chain walk, so the table grows with the items (before an insertion, which then cannot
// fail half-way).
void SECSubItemTextStorage::GrowTable() {
    const INT_PTR nCount = m_map.GetCount();
    const UINT nSize = m_map.GetHashTableSize();
    if (nCount + 1 > (INT_PTR)nSize * 2)
        m_map.InitHashTable(nSize * 4 + 1);
}

BOOL SECSubItemTextStorage::SetText(HTREEITEM hItem, int nColumn, LPCWSTR pszText) {
    if (nColumn < 1 || nColumn > kMaxColumn)
        return FALSE;
    return WithinMemory([&] {
        CString text = TextOf(pszText);
        if (CStringArray* pTexts = Find(hItem)) {
            pTexts->SetAtGrow(nColumn - 1, text);
            return TRUE;
        }
        auto pTexts = std::make_unique<CStringArray>();
        pTexts->SetAtGrow(nColumn - 1, text);
        GrowTable();
        m_map.SetAt(hItem, pTexts.get());
        pTexts.release();
        return TRUE;
    });
}

BOOL SECSubItemTextStorage::GetText(HTREEITEM hItem, int nColumn, LPWSTR pszBuffer,
                                    int nBufferSize) const {
    if (pszBuffer == nullptr || nBufferSize <= 0)
        return FALSE;
    const CStringArray* pTexts = Find(hItem);
    if (pTexts == nullptr || nColumn < 1 || nColumn > pTexts->GetSize()) {
        pszBuffer[0] = L'\0';
        return FALSE;
    }
    const CString& text = pTexts->GetAt(nColumn - 1);
    int nCopy = text.GetLength();
    if (nCopy > nBufferSize - 1)
        nCopy = nBufferSize - 1;
    wmemcpy(pszBuffer, text.GetString(), (size_t)nCopy);
    pszBuffer[nCopy] = L'\0';
    return TRUE;
}

BOOL SECSubItemTextStorage::RemoveItem(HTREEITEM hItem) {
    CStringArray* pTexts = Find(hItem);
    if (pTexts == nullptr)
        return FALSE;
    m_map.RemoveKey(hItem);
    delete pTexts;
    return TRUE;
}

BOOL SECSubItemTextStorage::MoveText(HTREEITEM hItem, int nFrom, int nTo) {
    CStringArray* pTexts = Find(hItem);
    if (pTexts == nullptr || nFrom < 1 || nTo < 1 || nFrom > kMaxColumn || nTo > kMaxColumn)
        return FALSE;
    const INT_PTR nSize = pTexts->GetSize();
    if (nFrom == nTo || (nFrom > nSize && nTo > nSize))
        return TRUE; // only empty texts move
    return WithinMemory([&] {
        // Grown first, so that a size memory cannot hold fails before any text has moved.
        const INT_PTR nNeeded = nFrom > nTo ? nFrom : nTo;
        if (nNeeded > nSize)
            pTexts->SetSize(nNeeded);
        CString text = pTexts->GetAt(nFrom - 1);
        pTexts->RemoveAt(nFrom - 1);
        pTexts->InsertAt(nTo - 1, text);
        return TRUE;
    });
}

void SECSubItemTextStorage::InsertColumnText(int nColumn) {
    if (nColumn < 1)
        return;
    ForEachItem([&](CStringArray& texts) {
        if (nColumn - 1 < texts.GetSize())
            texts.InsertAt(nColumn - 1, CString());
    });
}

void SECSubItemTextStorage::DeleteColumnText(int nColumn) {
    if (nColumn < 1)
        return;
    ForEachItem([&](CStringArray& texts) {
        if (nColumn - 1 < texts.GetSize())
            texts.RemoveAt(nColumn - 1);
    });
}
