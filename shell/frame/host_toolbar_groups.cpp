#include "shell/frame/host_toolbar_groups.h"

#include <algorithm>

void HostToolbarGroups::Add(LPCTSTR lpszTitle, int nIndex) {
    HostToolbarButtonGroup group;
    group.toolbarIndex = nIndex;
    group.title = lpszTitle;
    m_groups.push_back(group);
}

void HostToolbarGroups::NoteButton(int nIndex, UINT nID) {
    if (nIndex < 0)
        return;
    auto group = std::find_if(m_groups.begin(), m_groups.end(),
                              [nIndex](const auto& g) { return g.toolbarIndex == nIndex; });
    if (group != m_groups.end() && group->count < HostToolbarButtonGroup::kMaxIds)
        group->ids[group->count++] = nID;
}

void HostToolbarGroups::ToolbarRemoved(int nIndex) {
    for (HostToolbarButtonGroup& group : m_groups)
        if (group.toolbarIndex == nIndex)
            group.toolbarIndex = -1;
        else if (group.toolbarIndex > nIndex)
            --group.toolbarIndex;
}
