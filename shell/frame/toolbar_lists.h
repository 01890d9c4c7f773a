// The button lists of the frame's default toolbars and of the "Customize" sheet's built-in
// command groups. Both follow the host's mode and abilities; the groups also follow whether
// memory mapping is enabled.
#pragma once

#include <windows.h>

#include <vector>

struct ToolbarButtonList {
    const wchar_t* title;
    UINT barId;
    std::vector<UINT> ids; // 0 is a separator
};

// In the order the bars are defined.
std::vector<ToolbarButtonList> DefaultToolbarLists();
// In the order the Commands page lists them.
std::vector<ToolbarButtonList> CustomizeGroupLists(BOOL bMemoryMapping);
