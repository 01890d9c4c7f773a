// SECToolBarManager: a frame's custom toolbars as one family: the ToolTips, CoolLook and
// LargeButtons settings and their persistence, the application's default bars, user bars with
// free ids, bars made again by type id when a dock state is restored, the shared image store
// and drawing cache, and the frame-wide customize (config) mode.
#pragma once

#include "docking/bar_manager.h"
#include "framework/afx.h"
#include "toolbars/custom_toolbar.h"
#include "toolbars/tbbtn_cache.h"

#include <memory>
#include <utility>
#include <vector>

// Filled while a button's command is sent: where the button was and that it was pressed.
// Shared, so a bar destroyed by its own command leaves the record to whoever still holds it.
struct SECPressedBtnInfo {
    CRect m_rect;
    BOOL m_bPressed = FALSE;
};

// "WM_BARNOTIFY" codes (wParam: the bar id).
const LPARAM SEC_BARNOTIFY_SHOWN = 0;
const LPARAM SEC_BARNOTIFY_HIDDEN = 1;
const LPARAM SEC_BARNOTIFY_CREATED = 2;
const LPARAM SEC_BARNOTIFY_DESTROYED = 3;
const LPARAM SEC_BARNOTIFY_SELECTION = 4;

const UINT SEC_IDS_MENUBAR_TITLE = 20619;
const UINT SEC_IDS_USERBAR_TITLE = 20674;
// The window style of every bar the manager makes, before tips and fly-by.
const DWORD SEC_MANAGED_BAR_STYLE = 0x50002804;

class SECMenuBar;
class SECToolBarManager : public SECControlBarManager {
    DECLARE_DYNAMIC(SECToolBarManager)
public:
    struct DefaultToolBar {
        UINT nBarID;
        CString strTitle;
        std::vector<UINT> ids; // a copy: callers hand in lists that do not outlive the call
        DWORD dwAlignment;
        UINT nDockBarID;
        UINT nNeighbourID;
        BOOL bDocked;
        BOOL bVisible;
    };

    explicit SECToolBarManager(CFrameWnd* pFrameWnd = nullptr, CWnd* pOwner = nullptr);
    ~SECToolBarManager() override;

    BOOL LoadStateFromNode(SECPersistentTreeNode* pNode) override;
    void LoadState(LPCTSTR lpszProfileName) override;
    BOOL SaveStateToNode(SECPersistentTreeNode* pNode, SECPersistentTreeNode* pParent) override;
    void SaveState(LPCTSTR lpszProfileName) override;
    DWORD GetBarTypeId(CControlBar* pBar) override;
    SECControlBarInfoEx* CreateBarInfo(SECControlBarInfo* pInfo) override;
    CControlBar* CreateBar(SECControlBarInfo* pInfo) override;
    virtual SECCustomToolBar* ToolBarFromRect(const CRect& rect);
    virtual SECCustomToolBar* FindToolBar(UINT nID);
    virtual BOOL CreateDefaultToolBars();
    virtual BOOL ApplyButtonSettings();
    virtual BOOL RefreshToolBars();

    void DefineDefaultToolBar(UINT nBarID, LPCTSTR lpszTitle, int nCount, const UINT* pIDs,
                              DWORD dwAlignment, UINT nDockBarID, UINT nNeighbourID = 0,
                              BOOL bDocked = TRUE, BOOL bVisible = TRUE);
    // Command ids from an RT_TOOLBAR resource. FALSE when it cannot be read.
    BOOL DefineDefaultToolBar(UINT nBarID, LPCTSTR lpszTitle, UINT nToolBarResource,
                              DWORD dwAlignment, UINT nDockBarID, UINT nNeighbourID = 0,
                              BOOL bDocked = TRUE, BOOL bVisible = TRUE);
    BOOL LoadToolBarResource(LPCTSTR lpszSmall, LPCTSTR lpszLarge = nullptr);
    BOOL AddToolBarBitmap(HBITMAP hSmall, HBITMAP hLarge, const UINT* pIDs, int nCount);
    SECBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
    BOOL NoOp() { return TRUE; }

    BOOL GetToolTips() const { return m_bToolTips; }
    BOOL GetFlyBy() const { return m_bFlyBy; }
    BOOL GetCoolLook() const { return m_bCoolLook; }
    BOOL GetLargeButtons() const { return m_bLargeButtons; }
    void SetToolTips(BOOL bToolTips);
    void SetCoolLook(BOOL bCoolLook, DWORD dwBits = 0x300);
    void SetLargeButtons(BOOL bLarge);

    BOOL IsConfigMode() const override { return m_bConfigMode; }
    // The frame's bitmap-menu plug-in draws this manager's button images.
    void ShareMenuImages(CWnd* pMenuPlugIn) override;
    void EnterConfigMode();
    void ExitConfigMode();
    BOOL GetCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bCustomize);
    void SetCustomizeWnd(CWnd* pWnd) {
        m_hCustomizeWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : NULL;
    }
    void GetCustomizeWndRect(CRect& rect) const;
    HWND GetCustomizeWnd() const { return m_hCustomizeWnd; }

    void AddNotifyWnd(CWnd* pWnd);
    void RemoveNotifyWnd(CWnd* pWnd);
    void BroadcastBarNotify(WPARAM wParam, LPARAM lParam);
    void NotifyButtons(UINT nID, UINT nCode, void* pData);
    BOOL GetDefaultToolBarButtons(UINT nBarID, int& nCount, const UINT*& pIDs) const;
    SECCustomToolBar* CreateUserToolBar(LPCTSTR lpszTitle = nullptr);
    // The bar the next Toolbars list opens on (the one a closing form just made), taken once;
    // 0 for none.
    void SetBarToSelect(UINT nBarID) { m_nBarToSelect = nBarID; }
    UINT TakeBarToSelect() { return std::exchange(m_nBarToSelect, 0u); }
    void GetMenuBarIds(const UINT*& pIDs, int& nCount) const;
    void SetMenuBarIds(const UINT* pIDs, int nCount);

    // Every custom toolbar of the frame, in the frame's bar order.
    std::vector<SECCustomToolBar*> GetToolBars() const;
    void SetBarClass(CRuntimeClass* pClass) { m_pBarClass = pClass; }
    CRuntimeClass* GetBarClass() const { return m_pBarClass; }
    void SetSelectionBar(SECCustomToolBar* pBar) { m_pSelectionBar = pBar; }
    SECCustomToolBar* GetSelectionBar() const { return m_pSelectionBar; }
    const SECBtnMapEntry* GetButtonMap() const { return m_pBtnMap; }
    const SECBtnMapEntry* GetButtonMap2() const { return m_pBtnMap2; }
    void SetButtonMap(const SECBtnMapEntry* pMap) { m_pBtnMap = pMap; }
    std::shared_ptr<SECPressedBtnInfo> GetPressedBtnInfo() const { return m_pPressed; }
    SECBtnDrawingCache& GetDrawingCache() { return m_cache; }
    CWnd* GetOwnerWnd() const { return m_pOwner; }
    // One default toolbar, docked at its default place (beside its neighbour when that is
    // docked); then the defaults' visibility and docking as defined.
    BOOL CreateDefaultToolBar(const DefaultToolBar& rec);
    void PlaceDefaultToolBars(const std::vector<const DefaultToolBar*>& bars);
    // Readies a new bar object: owner, manager, store; then makes its window.
    // bAutoDelete: the bar goes with its window (the frame's menu bar is the frame's own).
    BOOL CreateManagedBar(SECCustomToolBar* pBar, UINT nID, LPCTSTR lpszTitle,
                          BOOL bAutoDelete = TRUE);
    // The frame's menu bar when it has one whose window is still to be made; else NULL.
    SECMenuBar* MenuBarToCreate() const;
    // Step one of the default bars: the frame's menu bar, docked at the top. FALSE when the
    // frame has a menu bar that cannot be made.
    BOOL CreateDefaultMenuBar();
    DWORD GetBarStyle() const;
    // Gives a bar the store's current image size.
    void ApplyImageSize(SECCustomToolBar* pBar);
    // The modal Toolbars dialog on the frame; its result (43099: the customize sheet next).
    INT_PTR RunToolBarsDialog();

protected:
    void DelayFrameLayout();
    void ApplySettings(BOOL bToolTips, BOOL bCoolLook, BOOL bLarge);

    std::vector<HWND> m_disabledWnds;
    std::vector<std::unique_ptr<DefaultToolBar>> m_defaults;
    std::vector<HWND> m_notifyWnds;
    HWND m_hCustomizeWnd = NULL;
    UINT m_nBarToSelect = 0;
    BOOL m_bConfigMode = FALSE;
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bToolTips = TRUE;
    BOOL m_bFlyBy = TRUE;
    BOOL m_bCoolLook = FALSE;
    BOOL m_bLargeButtons = FALSE;
    const SECBtnMapEntry* m_pBtnMap = nullptr;
    const SECBtnMapEntry* m_pBtnMap2 = nullptr;
    SECCustomToolBar* m_pSelectionBar = nullptr;
    std::shared_ptr<SECPressedBtnInfo> m_pPressed;
    std::vector<UINT> m_menuBarIds;
    SECBmpMgr* m_pBmpMgr = nullptr;
    SECBtnDrawingCache m_cache;
    CWnd* m_pOwner;
    CRuntimeClass* m_pBarClass;
};
