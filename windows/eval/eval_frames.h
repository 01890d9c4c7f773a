// The evaluation window's frames and view: an MDI child and its docked twin (both leave
// closing to the host) and the view that holds the evaluation tree and keeps the value
// column's share of its width.
#pragma once

#include "docking/dockable_frame.h"
#include "docking/mdi_child_wnd.h"
#include "framework/afx.h"
#include "windows/common/docview.h"
#include "windows/common/frame_families.h"
#include "windows/eval/eval_ctrl.h"

class CEvalView : public CDocView {
    DECLARE_DYNCREATE(CEvalView)
public:
    CEvalCtrl& Ctrl() { return m_ctrl; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CEvalCtrl m_ctrl;
    int m_nLastWidth = 1;
    int m_nLastValueWidth = 0;
};

class CEvalWnd : public SECMDIChildWnd {
    DECLARE_DYNCREATE(CEvalWnd)
protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

class CDocEvalWnd : public SECDockableFrame {
    DECLARE_DYNCREATE(CDocEvalWnd)
public:
    // The docking frame's own close, which the user's close (a request to the host) never runs.
    void CloseFrame() { SECDockableFrame::OnClose(); }

protected:
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

// The evaluation tree of a frame of either form (its active view's), or null.
CEvalCtrl* EvalCtrlOfFrame(CWnd* pFrame);

// The evaluation family: placement and icon pass to the new frame; a docked frame closes
// through the docking frame's own close.
class CEvalFamilySteps : public CPlacedFrameSteps {
public:
    void CloseDocked(CFrameWnd* pDocked) override;
};
