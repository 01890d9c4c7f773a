// The frames of host-filled windows (host windows and the file viewer): an MDI child and its
// docked twin that keep their content window (the view) laid over their client area, pass
// moves and focus on to it, and leave closing to it. Both forms behave alike: one template on
// either base.
#pragma once

#include "docking/dockable_frame.h"
#include "docking/mdi_child_wnd.h"
#include "framework/afx.h"
#include "windows/common/content_window.h"

template <class Base> class CHostFrame : public Base {
public:
    HWND ContentWindow() { return m_content.Get(this->m_hWnd); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    CContentWindow m_content;
};

class CWndFrm : public CHostFrame<SECMDIChildWnd> {
    DECLARE_DYNCREATE(CWndFrm)
};

class CDocWndFrm : public CHostFrame<SECDockableFrame> {
    DECLARE_DYNCREATE(CDocWndFrm)
public:
    // The docking frame's own close, which the content window's request to close never runs.
    void Close() { SECDockableFrame::OnClose(); }
};
