// SECDockableFrame: the frame of a document that lives in a control bar (docked in the main
// frame or floating) instead of an MDI child. Towards the main frame it behaves as an MDI child
// does: a click makes it the active frame, its menu and accelerators apply, and its caption
// carries the docking extras. Dragging its caption drags the bar.
#pragma once

#include "docking/sdi_frame.h"
#include "docking/msgfilter_chain.h"

class SECMDIFrameWnd;
class SECControlBar;

class SECDockableFrame : public SECFrameWnd {
    DECLARE_DYNCREATE(SECDockableFrame)
public:
    SECDockableFrame();
    ~SECDockableFrame() override;

    // The host bar floats.
    virtual BOOL IsInFloatingBar();
    // Switches the caption extras for a template's option bits.
    virtual void EnableCaptionButtons(DWORD dwOptions);

    // Destroys the host bar, and with it this frame.
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) override;
    using SECFrameWnd::OnUpdateFrameMenu;

    // The main frame the frame docks in: its parent frame, else the application's main window.
    SECMDIFrameWnd* GetDockingMainFrame() const;
    // The bar that hosts the frame, or NULL.
    SECControlBar* GetHostBar() const;
    SECMsgFilterChain& GetFilters() { return m_filters; }

    HMENU m_hMenuDocked = NULL; // the template's docked menu (not owned)

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ActivateInMainFrame();

    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    SECMsgFilterChain m_filters;
};
