// SECMDIFrameWnd: the main window of the docking system: an MDI frame whose bars dock on four
// sides, float in mini frames or in the main window as MDI children, and whose documents may
// live docked in bars as well as in MDI children. A docked document frame can be the active
// frame: commands, help and the menu follow it as they follow an MDI child.
#pragma once

#include "docking/dock_bar.h"
#include "docking/msgfilter.h"
#include "docking/msgfilter_chain.h"
#include "docking/sdi_frame.h"
#include "framework/afx.h"

#include <memory>
#include <unordered_map>
#include <vector>

// The icon resource a bar floated in the main window is loaded with (its child frame's id).
#define IDR_SEC_MDIFLOAT 20514
// Caption-button descriptor ids.
#define SEC_FILTER_SYSCOMMANDEX 257
#define SEC_FILTER_CAPTIONLIST 256
#define SEC_FILTER_MAXCHILD_BUTTON 260
#define SEC_FILTER_MAXCHILD_NCRDBLCLK 261

class SECMDIFrameWnd : public CMDIFrameWnd {
    DECLARE_DYNCREATE(SECMDIFrameWnd)
public:
    SECMDIFrameWnd();
    ~SECMDIFrameWnd() override;

    // Docking (the frame's own virtuals, in their order).
    virtual CDockBar* CreateDockBar();
    virtual void DockControlBarSized(CControlBar* pBar, SECDockPos* pPos, UINT nDockBarID,
                                     SECDockSize* pSize);
    // Docks at row a, column b of the dock bar (a position of {a, b, 0}).
    virtual void DockControlBarAt(CControlBar* pBar, UINT nDockBarID, int b, int a,
                                  float fProportion, int nLength);
    virtual void FloatControlBar(CControlBar* pBar, int x, int y, DWORD dwStyle);
    using CFrameWnd::FloatControlBar;
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) override {
        FloatControlBar(pBar, point.x, point.y, dwStyle);
    }
    // Floats pBar in an MDI child of this frame; x or y negative: the next cascade position.
    virtual void FloatControlBarAsMDIChild(CControlBar* pBar, int x, int y, DWORD dwStyle);
    virtual CFrameWnd* CreateControlBarMDIChild(DWORD dwStyle, CControlBar* pBar);
    virtual void ActivateDockedFrame(SECFrameWnd* pFrame, BOOL bFlag = TRUE);
    virtual void DeactivateDockedFrame(BOOL bReactivateMDIChild = FALSE);
    void LoadBarState(LPCTSTR lpszProfileName) override;
    void SaveBarState(LPCTSTR lpszProfileName) const override;
    virtual void SetDockState(SECDockState& state);
    virtual void GetDockState(SECDockState& state) const;
    void GetDockState(CDockState& state) const override;
    void SetDockState(const CDockState& state) override;
    virtual SECControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
    virtual SECControlBarManager* SetControlBarManager(SECControlBarManager* pManager) {
        return m_pControlBarManager = pManager;
    }
    virtual BOOL CreateCaptionFontItalic(CFont& font);
    virtual BOOL CreateCaptionFont(CFont& font);
    virtual void DrawGradientCaption();
    // Bits: 0x1 caption buttons on; 0x2 none on a maximised child; 0x4 no right double-click.
    virtual void EnableCaptionButtons(DWORD dwFlags);
    HMENU GetDefaultMenu() override;
    virtual void SwitchMenuBarMenu(UINT nID = 0);
    virtual void RefreshMDIMenuBarButtons();
    virtual void UpdateWindowMenu();
    virtual SECMenuBar* QueryMenuBar() const { return m_pMenuBar; }
    virtual CObject* CreateFramePlugIn(WPARAM w1, WPARAM w2, CRuntimeClass* pClass, WPARAM w3);
    virtual SECFrameWnd* GetBarHostedFrame(CControlBar* pBar);
    virtual void SwapPreFloatStyle(SECFrameWnd* pFrame, BOOL bFloating);
    virtual void FitToParent(CWnd* pWnd);
    virtual void ActivateFrameEx(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    virtual HMENU FindMenuByID(UINT nID);
    // Where the next docked document goes: a dock-bar id, its position and size records.
    virtual void GetNextDockingPosition(UINT& nDockBarID, SECDockPos& pos, SECDockSize& size);
    virtual void OnIdleLayout(UINT nWhy, CWnd* pWho);

    // Non-virtual entries.
    void EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle = 0);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;
    void EnableBitmapMenus(BOOL bEnable, BOOL bSecond = TRUE);
    CMenu* GetCurrentMenu();
    BOOL HasMenuBar() const { return m_pMenuBar != nullptr; }
    SECMenuBar* GetMenuBar() const { return m_pMenuBar; }
    // Gives the frame a menu bar that shows its menus in place of a Windows menu; the frame owns
    // it from then on, and its toolbar manager creates its window with the other bars. Only
    // before the window is created, and once: FALSE otherwise (the caller keeps the bar).
    template <class TMenuBar> BOOL SetMenuBar(TMenuBar* pMenuBar) {
        return AttachMenuBar(pMenuBar, pMenuBar);
    }
    BOOL AttachMenuBar(SECMenuBar* pMenuBar, CControlBar* pBar);
    BOOL LoadAdditionalMenus(UINT nCount, ...);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL) override;
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
    void FloatControlBarAt(CControlBar* pBar, int x, int y, DWORD dwStyle);
    using CFrameWnd::DockControlBar;
    // Own caption: returns the previous state.
    BOOL EnableOwnCaption(BOOL bEnable);
    BOOL HasOwnCaption() const { return m_bOwnCaption; }
    CRect GetInsideRect() const { return m_rectInside; }
    SECFrameWnd* GetActiveDockedFrame() const { return m_pActiveDockedFrame; }
    // A docked frame is going: it is no longer the active one.
    void OnDockedFrameDestroyed(SECFrameWnd* pFrame);
    SECMsgFilter* GetRootFilter() const { return m_filters.GetRoot(); }
    SECMsgFilterChain& GetFilterChain() { return m_filters; }
    corvalis::foundation::SECWndPlugIn* GetMenuPlugIn() const { return m_pMenuPlugIn.get(); }
    // The runtime class of bars floated in the main window (SECControlBarMDIChildWnd by default,
    // set by EnableDocking when empty).
    CRuntimeClass* m_pFloatingMDIChildClass = nullptr;
    // The runtime class made by CreateDockBar (SECDockBar when empty).
    CRuntimeClass* m_pSECDockBarClass = nullptr;
    // While CreateControlBarMDIChild loads a child: the bar style its dock bar takes.
    DWORD m_dwCreatingFloatStyle = 0;
    // The position the next bar floated in the main window takes.
    CPoint GetNextFloatPosition() const { return m_ptNextFloat; }

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // Offers the message being handled to the filters; FALSE when none took it.
    BOOL RouteToFilters(LRESULT* pResult);
    // The view an activation of the frame goes to: its own active view, else the active frame's.
    CView* GetActivationView();

    afx_msg void OnSysColorChange();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSecGetMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExtendContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    afx_msg void OnReservedCommand(UINT nID);
    afx_msg void OnUpdateReservedCommand(CCmdUI* pCmdUI);

    // Fields, in the frame's order.
    CRect m_rectInside;
    DWORD m_dwReserved1 = 0, m_dwReserved2 = 0;
    CPoint m_ptNextFloat{30, 30};
    SECFrameWnd* m_pActiveDockedFrame = nullptr;
    SECControlBarManager* m_pControlBarManager = nullptr;
    BOOL m_bActivating = FALSE;
    DWORD m_dwReserved3 = 0;
    BOOL m_bCaptionActive = FALSE;
    BOOL m_bOwnCaption = FALSE;
    SECMsgFilterChain m_filters; // the root filter and the descriptor table
    SECMsgFilter::Descriptor* m_pCapConLstDescriptor = nullptr;
    DWORD m_dwReserved4 = 0;
    SECMenuBar* m_pMenuBar = nullptr;
    std::unique_ptr<CControlBar> m_pMenuBarOwned; // the menu bar above, owned
    std::unique_ptr<corvalis::foundation::SECWndPlugIn> m_pMenuPlugIn;
    BOOL m_bBitmapMenus = FALSE;
    BOOL m_bBitmapMenus2 = FALSE;
    HMENU m_hMenuDefaultBar = NULL;
    std::unordered_map<UINT, HMENU> m_menuMap;
    UINT m_nCurrentMenuID = 0;
    UINT m_nDefaultMenuID = 0;
    CObList m_listCreatedBars; // bars the dock state made while loading; owned
    std::unique_ptr<CObject> m_pFramePlugIn;
    BOOL m_bWin4 = TRUE;
    std::vector<UINT> m_dockRing;
    UINT m_nNextRingIndex = 0;
    // A menu bar was told of border space an in-place tool took.
    BOOL m_bMenuBarBorderNegotiated = FALSE;
    // Context help: the mode runs, or waits to be entered.
    BOOL m_bHelpMode = FALSE;
    BOOL m_bHelpPending = FALSE;

    DECLARE_MESSAGE_MAP()
};
