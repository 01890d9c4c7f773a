// SECBmpMenuPlugIn: makes a frame's drop-down menus owner-drawn, so that each command shows the
// toolbar image of the same command id beside its text. It is plugged into the frame and sees
// the frame's messages first; the frame goes on with its own handling unless the plug-in sets
// the exit flag (after measuring one of its items, or when a mnemonic matched).
#pragma once

#include "editor/plugin/wnd_plugin.h"
#include "framework/afx.h"
#include "toolbars/bmpmenu_item.h"
#include "toolbars/drawing/bmpmgr.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The check-mark bitmap of items without a toolbar image.
const UINT IDB_SECBMPMENU_CHECK = 20525;

// The process-wide radio dot of checked radio items: a 16 x 15 monochrome bitmap, black dot
// on white. Shared by reference; NULL when it cannot be made.
HBITMAP AcquireRadioDot();
void ReleaseRadioDot();
HBITMAP GetRadioDot();

class SECBmpMenuPlugIn : public corvalis::foundation::SECWndPlugIn {
    DECLARE_DYNCREATE(SECBmpMenuPlugIn)
public:
    // bOwnCheckBitmaps: check marks from bitmap 20525 and a radio dot of the plug-in's own;
    // otherwise the system's check mark.
    explicit SECBmpMenuPlugIn(BOOL bOwnCheckBitmaps = TRUE);
    // Gives every converted item of every live menu back its plain string.
    ~SECBmpMenuPlugIn() override;

    // Drops the infos of items that are gone and the records of menus that are gone.
    virtual void PurgeMenus();
    virtual void CreateMenuFont();
    virtual void CreateBoldMenuFont();
    // Drawing of the image column; see bmpmenu_draw.cpp.
    virtual HDC CreateImageMask(int cx, int cy, CDC* pSrcDC, int sx);
    virtual void DrawCheckedImage(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx);
    virtual void DrawDisabledImage(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrcDC, int sx);
    virtual void DrawImage(const DRAWITEMSTRUCT* pDIS, CDC* pDC, CRect& rect, HBITMAP hBitmap,
                           int nIndex, int cx, int cy);

    // Shares a store: takes a reference on it and releases the old one. The store then holds
    // both image sets, as menus always draw the small images.
    void SetBmpMgr(SECBmpMgr* pBmpMgr);
    SECBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }

    // The conversion of WM_INITMENUPOPUP, for frames that call it directly.
    void InitMenuPopup(HMENU hMenu, UINT nIndex, BOOL bSysMenu);

    // The plug-in's info behind an item's data, or NULL: the data of other owner-drawn items
    // is never taken for an info.
    SECBmpMenuItemInfo* FindInfo(ULONG_PTR itemData) const;
    // The info of this plug-in's record of hMenu behind itemData, or NULL.
    SECBmpMenuItemInfo* FindInfo(HMENU hMenu, ULONG_PTR itemData) const;
    BOOL IsForeignId(UINT nID) const { return m_foreignIds.count(nID) != 0; }
    BOOL IsMenuRecorded(HMENU hMenu) const { return m_menus.count(hMenu) != 0; }

    // The system colours the items are drawn in, read for every plug-in together.
    struct Colors {
        COLORREF face, highlight, highlight2, shadow, selection, menu, grayText, selectionText,
            menuText;
    };
    static const Colors& GetColors();
    static void RefreshColors();

protected:
    struct MenuRecord {
        HMENU hMenu;
        std::vector<std::unique_ptr<SECBmpMenuItemInfo>> infos;
    };

    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

    // The measured size of an item's info.
    CSize MeasureInfo(const SECBmpMenuItemInfo& info);
    void DrawInfo(const DRAWITEMSTRUCT& dis, const SECBmpMenuItemInfo& info);
    // The glyph of a checked or radio item without a toolbar image.
    HBITMAP CheckGlyph(const MENUITEMINFOW& mii);
    CBrush* GetCheckedImageBrush();

    std::unordered_map<HMENU, std::unique_ptr<MenuRecord>> m_menus;
    std::unordered_set<UINT> m_foreignIds;
    BOOL m_bOwnCheckBitmaps;
    SECBmpMgr* m_pBmpMgr;
    CFont m_menuFont;
    CFont m_boldMenuFont;
    CBrush m_checkedImageBrush;
    CBitmap m_checkBitmap; // bitmap 20525 in the current colours, loaded on first use

private:
    void ConvertItem(MenuRecord& record, HMENU hMenu, UINT nPos);
    // Calls fn with the position and info of every item of the record's menu that is owner-drawn
    // with one of the record's infos.
    void ForEachConvertedItem(const MenuRecord& record,
                              const std::function<void(UINT, SECBmpMenuItemInfo&)>& fn);
    // Owner-drawn again with the same info, so that the system measures the item anew.
    void RemeasureAll();
    // Every converted item of every live menu back to its plain string.
    void RestoreAll();
    std::unordered_set<const SECBmpMenuItemInfo*> m_ownInfos;
    BOOL m_bRadioDot; // this plug-in holds a reference on the shared radio dot
};
