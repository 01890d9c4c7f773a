// SECFrameWnd: a single-document frame with the docking machinery: dock bars of the library's
// own kind, sized docking, floating frames, a bar manager, dock-state persistence, a menu
// plug-in, its own caption when asked for. It is the base of the document frame that docks.
#pragma once

#include "docking/dock_bar.h"
#include "framework/afx.h"

#include <memory>

class SECControlBarManager;
class SECDockState;
class SECMenuBar;
namespace corvalis {
namespace foundation {
class SECWndPlugIn;
}
} // namespace corvalis

// Registered message: wParam a menu id, lParam a sub-menu position; answers the sub-menu or 0.
#define SEC_WM_GETMENU_NAME L"WM_SECGETMENU"
UINT SECGetMenuMessage();

#ifndef ID_CONTEXT_HELP
#define ID_CONTEXT_HELP 57669
#endif
#ifndef ID_DEFAULT_HELP
#define ID_DEFAULT_HELP 57671
#endif

// Commands the frames answer with nothing (their menu items stay as they are).
#define ID_SEC_RESERVED_FIRST 43007
#define ID_SEC_RESERVED_RANGE_FIRST 43031
#define ID_SEC_RESERVED_RANGE_LAST 43039

class SECFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(SECFrameWnd)
public:
    SECFrameWnd();
    ~SECFrameWnd() override;

    virtual CDockBar* CreateDockBar();
    virtual void FloatControlBar(CControlBar* pBar, int x, int y, DWORD dwStyle);
    using CFrameWnd::FloatControlBar;
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) override {
        FloatControlBar(pBar, point.x, point.y, dwStyle);
    }
    virtual void DockControlBarSized(CControlBar* pBar, SECDockPos* pPos, UINT nDockBarID,
                                     SECDockSize* pSize);
    void LoadBarState(LPCTSTR lpszProfileName) override;
    void SaveBarState(LPCTSTR lpszProfileName) const override;
    virtual void SetDockState(SECDockState& state);
    virtual void GetDockState(SECDockState& state) const;
    // The framework's forms: the same capture and apply as SaveBarState and LoadBarState.
    void GetDockState(CDockState& state) const override;
    void SetDockState(const CDockState& state) override;
    virtual SECControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
    virtual SECControlBarManager* SetControlBarManager(SECControlBarManager* pManager) {
        return m_pControlBarManager = pManager;
    }
    virtual BOOL CreateCaptionFontItalic(CFont& font);
    virtual BOOL CreateCaptionFont(CFont& font);
    virtual void DrawGradientCaption();
    virtual HMENU FindMenuByID(UINT nID);
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    using CFrameWnd::OnUpdateFrameMenu;
    virtual void OnIdleLayout(UINT nWhy, CWnd* pWho);
    HMENU GetDefaultMenu() override;
    virtual CObject* CreateFramePlugIn(WPARAM w1, WPARAM w2, CRuntimeClass* pClass, WPARAM w3);

    // Docking on the sides of dwDockStyle with the library's dock bars.
    void EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle = 0);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;
    void EnableBitmapMenus(BOOL bEnable, BOOL bSecond = TRUE);
    // The drag tracker's entries.
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL) override;
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
    void FloatControlBarAt(CControlBar* pBar, int x, int y, DWORD dwStyle);
    using CFrameWnd::DockControlBar;

    BOOL HasMenuBar() const { return m_pMenuBar != nullptr; }
    SECMenuBar* GetMenuBar() const { return m_pMenuBar; }
    // Gives the frame a menu bar that shows its menus in place of a Windows menu; the frame owns
    // it from then on, and its toolbar manager creates its window with the other bars. Only
    // before the window is created, and once: FALSE otherwise (the caller keeps the bar).
    template <class TMenuBar> BOOL SetMenuBar(TMenuBar* pMenuBar) {
        return AttachMenuBar(pMenuBar, pMenuBar);
    }
    BOOL AttachMenuBar(SECMenuBar* pMenuBar, CControlBar* pBar);
    // Own caption: returns the previous state.
    BOOL EnableOwnCaption(BOOL bEnable);
    BOOL HasOwnCaption() const { return m_bOwnCaption; }
    // The client area left after the bars, from the last layout.
    CRect GetInsideRect() const { return m_rectInside; }
    corvalis::foundation::SECWndPlugIn* GetMenuPlugIn() const { return m_pMenuPlugIn.get(); }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnClose();
    afx_msg void OnDestroy();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnSysColorChange();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg LRESULT OnSecGetMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    afx_msg void OnReservedCommand(UINT nID);
    afx_msg void OnUpdateReservedCommand(CCmdUI* pCmdUI);

    // Context help: the mode runs, or waits to be entered.
    BOOL m_bHelpMode = FALSE;
    BOOL m_bHelpPending = FALSE;

    // Fields, in the frame's order.
    BOOL m_bWin4 = TRUE;
    void* m_pReserved = nullptr;
    std::unique_ptr<CObject> m_pFramePlugIn;
    CRect m_rectInside;
    DWORD m_dwReserved = 0;
    BOOL m_bOwnCaption = FALSE;
    BOOL m_bCaptionActive = FALSE;
    SECControlBarManager* m_pControlBarManager = nullptr;
    std::unique_ptr<corvalis::foundation::SECWndPlugIn> m_pMenuPlugIn;
    BOOL m_bBitmapMenus = FALSE;
    BOOL m_bBitmapMenus2 = FALSE;
    SECMenuBar* m_pMenuBar = nullptr;
    std::unique_ptr<CControlBar> m_pMenuBarOwned; // the menu bar above, owned
    HMENU m_hMenuDefaultBar = NULL;
    UINT m_nDefaultMenuID = 0;
    // Bars the dock state made while loading; the frame owns them.
    CObList m_listCreatedBars;

    DECLARE_MESSAGE_MAP()
};
