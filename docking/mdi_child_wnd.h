// SECMDIChildWnd: the MDI child frame of the docking main frame. Activating it deactivates the
// main frame's docked document frame, and its caption carries the docking extras (button, right
// double-click, context menu) run by its message filters.
#pragma once

#include "docking/msgfilter_chain.h"
#include "framework/docview/mdichild.h"

class SECMDIChildWnd : public CMDIChildWnd {
    DECLARE_DYNCREATE(SECMDIChildWnd)
public:
    SECMDIChildWnd();
    ~SECMDIChildWnd() override;

    // The child's menu in the main frame, for pActivateWnd.
    virtual void ActivateFrameMenu(CWnd* pActivateWnd);
    // Switches the caption extras for a template's option bits.
    virtual void EnableCaptionButtons(DWORD dwOptions);

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) override;
    using CMDIChildWnd::OnUpdateFrameMenu;

    SECMsgFilterChain& GetFilters() { return m_filters; }

    UINT m_nMenuID = 0;          // the template's resource id while the main frame has a menu bar
    BOOL m_bUsesMenuBar = FALSE; // the main frame had a menu bar when this child was loaded
    HMENU m_hMenuAlt = NULL;     // the last alternative menu

protected:
    // A main frame with a menu bar shows the child's menu there, by the template's id.
    void TakeSharedMenu(UINT nIDResource, CCreateContext* pContext) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Makes this child the active one (after a click or a mouse activation).
    void ActivateFromClick();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnChildActivate();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    DECLARE_MESSAGE_MAP()

    SECMsgFilterChain m_filters;
};
