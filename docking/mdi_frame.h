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

class SECMDIFrameWnd : public SECFrameImpl<CMDIFrameWnd> {
    DECLARE_DYNCREATE(SECMDIFrameWnd)
public:
    SECMDIFrameWnd();
    ~SECMDIFrameWnd() override;

    // Docking.
    CDockBar* CreateDockBar() override;
    // Docks at row a, column b of the dock bar (a position of {a, b, 0}).
    virtual void DockControlBarAt(CControlBar* pBar, UINT nDockBarID, int b, int a,
                                  float fProportion, int nLength);
    // Floats pBar in an MDI child of this frame; x or y negative: the next cascade position.
    virtual void FloatControlBarAsMDIChild(CControlBar* pBar, int x, int y, DWORD dwStyle);
    virtual CFrameWnd* CreateControlBarMDIChild(DWORD dwStyle, CControlBar* pBar);
    virtual void ActivateDockedFrame(SECFrameWnd* pFrame, BOOL bFlag = TRUE);
    virtual void DeactivateDockedFrame(BOOL bReactivateMDIChild = FALSE);
    // Bits: 0x1 caption buttons on; 0x2 none on a maximised child; 0x4 no right double-click.
    virtual void EnableCaptionButtons(DWORD dwFlags);
    virtual void SwitchMenuBarMenu(UINT nID = 0);
    virtual void RefreshMDIMenuBarButtons();
    virtual void UpdateWindowMenu();
    virtual SECMenuBar* QueryMenuBar() const { return m_pMenuBar; }
    virtual SECFrameWnd* GetBarHostedFrame(CControlBar* pBar);
    void SwapPreFloatStyle(SECFrameWnd* pFrame, BOOL bFloating) override;
    virtual void FitToParent(CWnd* pWnd);
    virtual void ActivateFrameEx(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    HMENU FindMenuByID(UINT nID) override;
    // Where the next docked document goes: a dock-bar id, its position and size records.
    virtual void GetNextDockingPosition(UINT& nDockBarID, SECDockPos& pos, SECDockSize& size);

    // Non-virtual entries.
    void EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle = 0);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;
    CMenu* GetCurrentMenu();
    BOOL LoadAdditionalMenus(UINT nCount, ...);
    SECFrameWnd* GetActiveDockedFrame() const { return m_pActiveDockedFrame; }
    // A docked frame is going: it is no longer the active one.
    void OnDockedFrameDestroyed(SECFrameWnd* pFrame);
    SECMsgFilter* GetRootFilter() const { return m_filters.GetRoot(); }
    SECMsgFilterChain& GetFilterChain() { return m_filters; }
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
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    CFrameWnd* GetRoutingChild() override;
    SECFrameWnd* HostedFrameOf(CControlBar* pBar) override { return GetBarHostedFrame(pBar); }
    void OnMenuBarMenuLoaded(UINT nIDResource) override;
    void OfferCaptionPaint(BOOL bActivating) override;
    // Offers the message being handled to the filters; FALSE when none took it.
    BOOL RouteToFilters(LRESULT* pResult);
    // The view an activation of the frame goes to: its own active view, else the active frame's.
    CView* GetActivationView();

    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExtendContextMenu(WPARAM wParam, LPARAM lParam);

    CPoint m_ptNextFloat{30, 30};
    SECFrameWnd* m_pActiveDockedFrame = nullptr;
    BOOL m_bActivating = FALSE;
    SECMsgFilterChain m_filters; // the root filter and the descriptor table
    SECMsgFilter::Descriptor* m_pCapConLstDescriptor = nullptr;
    std::unordered_map<UINT, HMENU> m_menuMap;
    UINT m_nCurrentMenuID = 0;
    std::vector<UINT> m_dockRing;
    UINT m_nNextRingIndex = 0;
    // A menu bar was told of border space an in-place tool took.
    BOOL m_bMenuBarBorderNegotiated = FALSE;

    DECLARE_MESSAGE_MAP()
};
