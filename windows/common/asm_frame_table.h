// The assembler windows' frames by core id: one entry a core, with the window's frame in its
// MDI form or its docked form, and a tag (the frame's handle unless one is given).
#pragma once

#include <cstdint>
#include <vector>

#include "framework/afx.h"

class CAsmFrameTable {
public:
    struct Entry {
        HWND hMdiFrame = NULL;
        HWND hDockedFrame = NULL;
        intptr_t tag = 0;
    };
    // The largest core id an entry is made for: a wild id from the host grows nothing.
    static constexpr int kMaxIndex = 4095;

    // One entry long, entry 0 empty.
    void Reset();
    // Fill the entry with the frame in one form and nothing in the other; an index at or past
    // the end first grows the table to index + 10 entries. FALSE for an index out of range.
    BOOL SetMdiFrame(CFrameWnd* pFrame, int nIndex, intptr_t tag = 0);
    BOOL SetDockedFrame(CFrameWnd* pFrame, int nIndex, intptr_t tag = 0);
    // The MDI frame, else the docked frame, while it exists; null past the end.
    CFrameWnd* GetFrame(int nIndex) const;
    const Entry* GetEntry(int nIndex) const;
    int GetSize() const { return static_cast<int>(m_entries.size()); }
    // Empties the entry that holds the frame or carries its handle as tag.
    void ClearFrame(HWND hFrame);

private:
    BOOL Set(CFrameWnd* pFrame, bool bDocked, int nIndex, intptr_t tag);
    std::vector<Entry> m_entries = std::vector<Entry>(1);
};
CAsmFrameTable& AsmFrameTable();
