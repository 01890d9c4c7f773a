// The frames of host-filled windows (host windows and the file viewer): an MDI child and its
// docked twin that keep their content window (the view) laid over their client area, pass
// moves and focus on to it, and leave closing to it.
#pragma once

#include "docking/dockable_frame.h"
#include "docking/mdi_child_wnd.h"
#include "framework/afx.h"
#include "windows/common/content_window.h"

class CWndFrm : public SECMDIChildWnd {
    DECLARE_DYNCREATE(CWndFrm)
public:
    HWND ContentWindow() { return m_content.Get(m_hWnd); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    CContentWindow m_content;
};

class CDocWndFrm : public SECDockableFrame {
    DECLARE_DYNCREATE(CDocWndFrm)
public:
    HWND ContentWindow() { return m_content.Get(m_hWnd); }
    // The docking frame's own close, which the content window's request to close never runs.
    void Close();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    CContentWindow m_content;
};
