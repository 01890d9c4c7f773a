// The library's main frame without its bars, menus and saved layout: the window that drop
// targets and window operations need, and docking on every side.
#pragma once

#include "shell/frame/mainframe.h"

class CBareMainFrame : public CMainFrame {
protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        if (CMainFrameBase::OnCreate(lpcs) == -1)
            return -1;
        EnableDocking(CBRS_ALIGN_ANY);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
