// The "Customize" sheet's groups of the host toolbars: one per host toolbar ever created, in
// creation order, with the command ids of the buttons added to it.
#pragma once

#include <vector>

#include "framework/afx.h"

struct HostToolbarButtonGroup {
    static constexpr int kMaxIds = 256;
    // The index its toolbar has among the host toolbars now; -1 once the toolbar is deleted.
    int toolbarIndex = -1;
    CString title;
    int count = 0;
    UINT ids[kMaxIds] = {};
};

class HostToolbarGroups {
public:
    void Add(LPCTSTR lpszTitle, int nIndex);
    // A button added to the toolbar that has that index now; a group keeps 256 ids, the
    // buttons beyond them work but are not listed.
    void NoteButton(int nIndex, UINT nID);
    // The toolbar at that index is gone and the later ones moved down one index: each group
    // follows its own toolbar, and the deleted toolbar's group takes no more buttons.
    void ToolbarRemoved(int nIndex);
    const std::vector<HostToolbarButtonGroup>& Groups() const { return m_groups; }

private:
    std::vector<HostToolbarButtonGroup> m_groups;
};
