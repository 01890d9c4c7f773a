// SECControlBarMDIChildWnd: the MDI child that hosts a control bar floated in the main window.
// Its caption is the bar's text; closing it hides the bar and keeps the child.
#pragma once

#include "docking/float_bar_host.h"
#include "docking/mdi_child_wnd.h"

class SECControlBarMDIChildWnd : public SECMDIChildWnd {
    DECLARE_DYNCREATE(SECControlBarMDIChildWnd)
public:
    SECControlBarMDIChildWnd() = default;
    ~SECControlBarMDIChildWnd() override = default;

    SECDockBar* GetFloatDockBar() { return &m_host.GetDockBar(); }
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

    SECFloatBarHost m_host;
};
