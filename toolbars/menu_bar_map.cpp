#include "toolbars/menu_bar_map.h"

#include "toolbars/drawing/resourcedata.h"
#include "toolbars/menu_bar.h"

BOOL SECMenuButtonMap::LoadMenu(UINT nMenuId, UINT nFirstId) {
    DWORD cbSize = 0;
    const BYTE* pData = LockResourceData(MAKEINTRESOURCEW(nMenuId), RT_MENU, cbSize);
    if (pData == NULL) {
        FromTemplate(NULL, 0, nMenuId, nFirstId);
        return FALSE;
    }
    return FromTemplate(pData, cbSize, nMenuId, nFirstId);
}

BOOL SECMenuButtonMap::FromTemplate(const void* pTemplate, DWORD cbSize, UINT nMenuId,
                                    UINT nFirstId) {
    m_entries.assign(1, SECBtnMapEntry{});
    m_ids.clear();
    m_texts.clear();
    std::vector<SECMenuTemplateItem> items;
    if (!ReadMenuTemplateItems(pTemplate, cbSize, items))
        return FALSE;
    m_entries.clear();
    for (size_t i = 0; i < items.size(); ++i) {
        m_texts.push_back(MenuButtonText(items[i].strText));
        SECBtnMapEntry entry = {};
        entry.m_pClass = &SECTBMenuBtn::classSECTBMenuBtn;
        // A command keeps its own id, which its button sends; a popup takes the next free one.
        entry.m_nID = items[i].bPopup ? nFirstId + static_cast<UINT>(i) : items[i].nID;
        entry.m_data[0] = nMenuId;
        entry.m_data[1] = i;
        entry.m_data[2] = reinterpret_cast<UINT_PTR>(m_texts.back().GetString());
        entry.m_data[3] = SEC_MENUBTN_ALWAYS;
        m_entries.push_back(entry);
        m_ids.push_back(entry.m_nID);
    }
    m_entries.push_back(SECBtnMapEntry{});
    return TRUE;
}
