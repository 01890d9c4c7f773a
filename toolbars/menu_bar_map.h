// The button records of a menu bar made from a menu resource: one drop-down button
// (SECTBMenuBtn) per top-level item, holding the menu id, the item's position and its text,
// for the toolbar manager's button-class table and menu-bar ids.
#pragma once

#include "toolbars/custom_toolbar.h"
#include "toolbars/tbbtn_menu.h"

#include <deque>
#include <vector>

class SECMenuButtonMap {
public:
    // Records for the template of menu resource nMenuId; the buttons take the command ids from
    // nFirstId on. FALSE, with no records, when the resource is missing or its template broken.
    BOOL LoadMenu(UINT nMenuId, UINT nFirstId);
    BOOL FromTemplate(const void* pTemplate, DWORD cbSize, UINT nMenuId, UINT nFirstId);
    // The records, ended by an empty one; valid while this map lives and is not loaded again.
    const SECBtnMapEntry* GetMap() const { return m_entries.data(); }
    const std::vector<UINT>& GetIds() const { return m_ids; }

private:
    std::vector<SECBtnMapEntry> m_entries{SECBtnMapEntry{}};
    std::vector<UINT> m_ids;
    std::deque<CString> m_texts; // the records point at these
};
