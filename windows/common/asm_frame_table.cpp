#include "windows/common/asm_frame_table.h"

void CAsmFrameTable::Reset() {
    m_entries.assign(1, Entry{});
}

BOOL CAsmFrameTable::Set(CFrameWnd* pFrame, bool bDocked, int nIndex, intptr_t tag) {
    if (nIndex < 0 || nIndex > kMaxIndex)
        return FALSE;
    if (nIndex >= GetSize())
        m_entries.resize(static_cast<size_t>(nIndex) + 10);
    const HWND hFrame = pFrame != nullptr ? pFrame->GetSafeHwnd() : NULL;
    Entry& entry = m_entries[static_cast<size_t>(nIndex)];
    entry.hMdiFrame = bDocked ? NULL : hFrame;
    entry.hDockedFrame = bDocked ? hFrame : NULL;
    entry.tag = tag != 0 ? tag : reinterpret_cast<intptr_t>(hFrame);
    return TRUE;
}

BOOL CAsmFrameTable::SetMdiFrame(CFrameWnd* pFrame, int nIndex, intptr_t tag) {
    return Set(pFrame, false, nIndex, tag);
}

BOOL CAsmFrameTable::SetDockedFrame(CFrameWnd* pFrame, int nIndex, intptr_t tag) {
    return Set(pFrame, true, nIndex, tag);
}

const CAsmFrameTable::Entry* CAsmFrameTable::GetEntry(int nIndex) const {
    return nIndex >= 0 && nIndex < GetSize() ? &m_entries[static_cast<size_t>(nIndex)] : nullptr;
}

CFrameWnd* CAsmFrameTable::GetFrame(int nIndex) const {
    const Entry* pEntry = GetEntry(nIndex);
    if (pEntry == nullptr)
        return nullptr;
    // A frame that went without its entry being cleared reads as none.
    for (HWND hFrame : {pEntry->hMdiFrame, pEntry->hDockedFrame})
        if (hFrame != NULL && ::IsWindow(hFrame))
            if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hFrame)))
                return pFrame;
    return nullptr;
}

void CAsmFrameTable::ClearFrame(HWND hFrame) {
    if (hFrame == NULL)
        return;
    for (Entry& entry : m_entries)
        if (entry.hMdiFrame == hFrame || entry.hDockedFrame == hFrame ||
            entry.tag == reinterpret_cast<intptr_t>(hFrame))
            entry = Entry{};
}

CAsmFrameTable& AsmFrameTable() {
    static CAsmFrameTable table;
    return table;
}
