// CMDIChildWnd: a document frame inside the MDI client of a CMDIFrameWnd.
#pragma once

#include "framework/docview/frame.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    // Created by the MDI client (WM_MDICREATE) with the module that holds the framework.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = nullptr,
                        CCreateContext* pContext = nullptr);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    void MDIDestroy();

    // MDI children go through the client to be destroyed.
    BOOL DestroyWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // Shows the menu of the active document's template in the MDI frame (when it has one).
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    using CFrameWnd::OnUpdateFrameMenu;

    HMENU m_hMenuShared = NULL; // the template's menu (not owned)

protected:
    // While loading, before the window exists: the menu the child shows while active, by
    // default its template's.
    virtual void TakeSharedMenu(UINT nIDResource, CCreateContext* pContext);
    CCreateContext* GetCreateContext(LPCREATESTRUCT lpcs) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
