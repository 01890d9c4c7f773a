#include "docking/bar_mdi_child.h"

#include "framework/docview/mdiframe.h"
#include "framework/win/winapp.h"

IMPLEMENT_DYNCREATE(SECControlBarMDIChildWnd, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECControlBarMDIChildWnd, SECMDIChildWnd)
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL SECControlBarMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!SECMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL SECControlBarMDIChildWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*) {
    return m_host.Create(this, DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd()));
}

void SECControlBarMDIChildWnd::RecalcLayout(BOOL bNotify) {
    if (m_bInRecalcLayout)
        return;
    SECMDIChildWnd::RecalcLayout(bNotify);
    m_host.ShowTextAsCaption(this);
}

void SECControlBarMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    SECFloatBarHost::KeepCaption(this, [&] { SECMDIChildWnd::OnUpdateFrameTitle(bAddToTitle); });
}

void SECControlBarMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
    m_host.OnSize(cx, cy);
    SECMDIChildWnd::OnSize(nType, cx, cy);
}

void SECControlBarMDIChildWnd::OnClose() {
    if (!m_host.OnClose(this))
        SECMDIChildWnd::OnClose();
}

void SECControlBarMDIChildWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    m_host.OnWindowPosChanged(this);
    SECMDIChildWnd::OnWindowPosChanged(lpwndpos);
}

void SECControlBarMDIChildWnd::OnShowWindow(BOOL, UINT) {
    Default();
    auto* pMain = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    if (pMain != NULL && pMain->m_hWndMDIClient != NULL)
        ::PostMessageW(pMain->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}
