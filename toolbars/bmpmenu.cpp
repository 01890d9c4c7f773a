#include "toolbars/bmpmenu.h"

#include "docking/frame_menu.h"

#include <algorithm>

namespace {

// Commands of the system menu's range keep their standard look.
bool IsSystemCommandId(UINT nID) {
    return nID >= 0xF000 && nID < 0xFF00;
}

// Type, id, submenu, state, data and the whole text of an item.
struct ItemRead {
    MENUITEMINFOW mii;
    CString text;
};

bool ReadItem(HMENU hMenu, UINT nPos, ItemRead& item) {
    MENUITEMINFOW& mii = item.mii;
    mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_DATA | MIIM_STRING;
    if (!::GetMenuItemInfoW(hMenu, nPos, TRUE, &mii))
        return false;
    item.text.Empty();
    if ((mii.fType & (MFT_OWNERDRAW | MFT_BITMAP | MFT_SEPARATOR)) == 0 && mii.cch > 0) {
        std::vector<wchar_t> buffer(mii.cch + 1, L'\0');
        MENUITEMINFOW text = {};
        text.cbSize = sizeof(text);
        text.fMask = MIIM_STRING;
        text.dwTypeData = buffer.data();
        text.cch = static_cast<UINT>(buffer.size());
        if (::GetMenuItemInfoW(hMenu, nPos, TRUE, &text))
            item.text = buffer.data();
    }
    return true;
}

// A converted item as a plain string again, or (bOwnerDraw) owner-drawn with pInfo as its data.
void SetItemForm(HMENU hMenu, UINT nPos, const SECBmpMenuItemInfo& info, BOOL bOwnerDraw) {
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    if (!::GetMenuItemInfoW(hMenu, nPos, TRUE, &mii))
        return;
    mii.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    mii.fType &= ~MFT_OWNERDRAW;
    std::vector<wchar_t> text(info.m_strText.GetString(),
                              info.m_strText.GetString() + info.m_strText.GetLength() + 1);
    mii.dwTypeData = text.data();
    mii.dwItemData = info.m_oldItemData;
    ::SetMenuItemInfoW(hMenu, nPos, TRUE, &mii);
    if (bOwnerDraw) {
        mii.fMask = MIIM_FTYPE | MIIM_DATA;
        mii.fType |= MFT_OWNERDRAW;
        mii.dwItemData = reinterpret_cast<ULONG_PTR>(&info);
        ::SetMenuItemInfoW(hMenu, nPos, TRUE, &mii);
    }
}

// The docking frames make their bitmap-menu plug-in through this maker.
const SECMenuPlugInFactoryOf<SECBmpMenuPlugIn>
    kBitmapMenuMaker(SECMenuPlugInFactory::kindBitmapMenus);

} // namespace

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-local-typedefs"
// Its run-time class names its base only as a window.
IMPLEMENT_DYNCREATE(SECBmpMenuPlugIn, CWnd)

BEGIN_MESSAGE_MAP(SECBmpMenuPlugIn, corvalis::foundation::SECWndPlugIn)
ON_WM_INITMENUPOPUP()
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
ON_WM_MENUCHAR()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_SETTINGCHANGE()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()
#pragma GCC diagnostic pop

SECBmpMenuPlugIn::SECBmpMenuPlugIn(BOOL bOwnCheckBitmaps)
    : m_bOwnCheckBitmaps(bOwnCheckBitmaps), m_pBmpMgr(new SECBmpMgr), m_bRadioDot(FALSE) {
    RefreshColors();
    m_pBmpMgr->SetBothSets(TRUE);
    if (m_bOwnCheckBitmaps)
        m_bRadioDot = AcquireRadioDot() != NULL;
}

SECBmpMenuPlugIn::~SECBmpMenuPlugIn() {
    RestoreAll();
    m_ownInfos.clear();
    m_menus.clear();
    if (m_bRadioDot)
        ReleaseRadioDot();
    m_pBmpMgr->Release();
}

void SECBmpMenuPlugIn::SetBmpMgr(SECBmpMgr* pBmpMgr) {
    if (pBmpMgr == NULL || pBmpMgr == m_pBmpMgr)
        return;
    pBmpMgr->AddRef();
    m_pBmpMgr->Release();
    m_pBmpMgr = pBmpMgr;
    m_pBmpMgr->SetBothSets(TRUE);
}

SECBmpMenuItemInfo* SECBmpMenuPlugIn::FindInfo(ULONG_PTR itemData) const {
    SECBmpMenuItemInfo* pInfo = SECBmpMenuItemInfo::FromItemData(itemData);
    return pInfo != NULL && m_ownInfos.count(pInfo) != 0 ? pInfo : NULL;
}

SECBmpMenuItemInfo* SECBmpMenuPlugIn::FindInfo(HMENU hMenu, ULONG_PTR itemData) const {
    SECBmpMenuItemInfo* pInfo = FindInfo(itemData);
    auto it = m_menus.find(hMenu);
    if (pInfo == NULL || it == m_menus.end())
        return NULL;
    const auto& infos = it->second->infos;
    const bool bInRecord = std::any_of(infos.begin(), infos.end(),
                                       [pInfo](const auto& p) { return p.get() == pInfo; });
    return bInRecord ? pInfo : NULL;
}

void SECBmpMenuPlugIn::InitMenuPopup(HMENU hMenu, UINT, BOOL bSysMenu) {
    if (bSysMenu || hMenu == NULL || !::IsMenu(hMenu))
        return;
    std::unique_ptr<MenuRecord>& slot = m_menus[hMenu];
    if (!slot) {
        slot = std::make_unique<MenuRecord>();
        slot->hMenu = hMenu;
    }
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos)
        ConvertItem(*slot, hMenu, static_cast<UINT>(nPos));
}

void SECBmpMenuPlugIn::ConvertItem(MenuRecord& record, HMENU hMenu, UINT nPos) {
    ItemRead item;
    if (!ReadItem(hMenu, nPos, item))
        return;
    MENUITEMINFOW& mii = item.mii;
    const UINT nID = mii.hSubMenu != NULL ? 0 : mii.wID;
    if (mii.fType & MFT_BITMAP)
        return;
    if (mii.fType & MFT_OWNERDRAW) {
        // Drawn by someone else: that id is theirs from now on.
        if (FindInfo(mii.dwItemData) == NULL)
            m_foreignIds.insert(nID);
        return;
    }
    if ((mii.fType & MFT_SEPARATOR) || IsSystemCommandId(nID) || IsForeignId(nID))
        return;
    // An item someone turned back into a plain string (a renamed window-list entry, say) may
    // still carry one of this plug-in's infos as its data: the data it had before is that
    // info's.
    ULONG_PTR oldData = mii.dwItemData;
    if (const SECBmpMenuItemInfo* pStale = FindInfo(oldData))
        oldData = pStale->m_oldItemData;
    auto pInfo = std::make_unique<SECBmpMenuItemInfo>(nID, item.text, oldData);
    MENUITEMINFOW change = {};
    change.cbSize = sizeof(change);
    change.fMask = MIIM_FTYPE | MIIM_DATA;
    change.fType = mii.fType | MFT_OWNERDRAW;
    change.dwItemData = reinterpret_cast<ULONG_PTR>(pInfo.get());
    if (!::SetMenuItemInfoW(hMenu, nPos, TRUE, &change))
        return;
    m_ownInfos.insert(pInfo.get());
    record.infos.push_back(std::move(pInfo));
}

void SECBmpMenuPlugIn::ForEachConvertedItem(
    const MenuRecord& record, const std::function<void(UINT, SECBmpMenuItemInfo&)>& fn) {
    const int nCount = ::GetMenuItemCount(record.hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos) {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_DATA;
        if (!::GetMenuItemInfoW(record.hMenu, nPos, TRUE, &mii) || !(mii.fType & MFT_OWNERDRAW))
            continue;
        if (SECBmpMenuItemInfo* pInfo = FindInfo(record.hMenu, mii.dwItemData))
            fn(static_cast<UINT>(nPos), *pInfo);
    }
}

void SECBmpMenuPlugIn::PurgeMenus() {
    for (auto it = m_menus.begin(); it != m_menus.end();) {
        MenuRecord& record = *it->second;
        std::unordered_set<const SECBmpMenuItemInfo*> inUse;
        const bool bAlive = ::IsMenu(record.hMenu) != FALSE;
        if (bAlive)
            ForEachConvertedItem(record,
                                 [&](UINT, SECBmpMenuItemInfo& info) { inUse.insert(&info); });
        auto& infos = record.infos;
        for (auto info = infos.begin(); info != infos.end();) {
            if (inUse.count(info->get()) != 0) {
                ++info;
                continue;
            }
            m_ownInfos.erase(info->get());
            info = infos.erase(info);
        }
        if (bAlive)
            ++it;
        else
            it = m_menus.erase(it);
    }
}

void SECBmpMenuPlugIn::RestoreAll() {
    for (const auto& entry : m_menus) {
        const MenuRecord& record = *entry.second;
        if (::IsMenu(record.hMenu))
            ForEachConvertedItem(record, [&](UINT nPos, SECBmpMenuItemInfo& info) {
                SetItemForm(record.hMenu, nPos, info, FALSE);
            });
    }
}

void SECBmpMenuPlugIn::RemeasureAll() {
    for (const auto& entry : m_menus) {
        const MenuRecord& record = *entry.second;
        ForEachConvertedItem(record, [&](UINT nPos, SECBmpMenuItemInfo& info) {
            SetItemForm(record.hMenu, nPos, info, TRUE);
        });
    }
}

void SECBmpMenuPlugIn::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    InitMenuPopup(pPopupMenu->GetSafeHmenu(), nIndex, bSysMenu);
}

void SECBmpMenuPlugIn::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMIS) {
    if (lpMIS == NULL || lpMIS->CtlType != ODT_MENU)
        return;
    const SECBmpMenuItemInfo* pInfo = FindInfo(lpMIS->itemData);
    if (pInfo == NULL)
        return; // another component's item: its owner measures it
    const CSize size = MeasureInfo(*pInfo);
    lpMIS->itemWidth = static_cast<UINT>(size.cx);
    lpMIS->itemHeight = static_cast<UINT>(size.cy);
    SetExitFlag(TRUE);
    SetResult(TRUE);
}

void SECBmpMenuPlugIn::OnDrawItem(int, LPDRAWITEMSTRUCT lpDIS) {
    if (lpDIS == NULL || lpDIS->CtlType != ODT_MENU)
        return;
    const HMENU hMenu = reinterpret_cast<HMENU>(lpDIS->hwndItem);
    if (!::IsMenu(hMenu))
        return;
    const SECBmpMenuItemInfo* pInfo = FindInfo(hMenu, lpDIS->itemData);
    if (pInfo == NULL)
        return;
    DrawInfo(*lpDIS, *pInfo);
    SetResult(TRUE);
}

LRESULT SECBmpMenuPlugIn::OnMenuChar(UINT nChar, UINT, CMenu* pMenu) {
    const HMENU hMenu = pMenu->GetSafeHmenu();
    if (hMenu == NULL || !::IsMenu(hMenu))
        return 0;
    const WCHAR typed = UpperMnemonic(static_cast<WCHAR>(nChar));
    std::vector<int> matches;
    int nHighlighted = -1;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos) {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
        if (!::GetMenuItemInfoW(hMenu, nPos, TRUE, &mii))
            continue;
        if (mii.fState & MFS_HILITE)
            nHighlighted = nPos;
        if (!(mii.fType & MFT_OWNERDRAW))
            continue;
        const SECBmpMenuItemInfo* pInfo = FindInfo(mii.dwItemData);
        if (pInfo != NULL && typed != 0 && pInfo->m_cMnemonic == typed)
            matches.push_back(nPos);
    }
    if (matches.empty())
        return 0; // the frame goes on with its own processing
    LRESULT result;
    if (matches.size() == 1) {
        result = MAKELRESULT(matches.front(), MNC_EXECUTE);
    } else {
        auto next = std::find_if(matches.begin(), matches.end(),
                                 [nHighlighted](int nPos) { return nPos > nHighlighted; });
        result = MAKELRESULT(next != matches.end() ? *next : matches.front(), MNC_SELECT);
    }
    SetExitFlag(TRUE);
    SetResult(result);
    return result;
}

LRESULT SECBmpMenuPlugIn::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    PurgeMenus();
    return 0;
}

void SECBmpMenuPlugIn::OnSettingChange(UINT, LPCTSTR) {
    m_menuFont.DeleteObject();
    m_boldMenuFont.DeleteObject();
    m_pBmpMgr->ReloadBitmaps(TRUE);
    PurgeMenus();
    RemeasureAll();
}

void SECBmpMenuPlugIn::OnSysColorChange() {
    RefreshColors();
    m_checkedImageBrush.DeleteObject();
    m_checkBitmap.DeleteObject();
    m_pBmpMgr->ReloadBitmaps(TRUE);
}
