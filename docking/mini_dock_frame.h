// SECMiniDockFrameWnd: the floating frame of docked bars, around a SECDockBar.
#pragma once

#include "framework/docview/miniframe.h"

#define IDS_SEC_HIDE_MENU 61457

class SECMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(SECMiniDockFrameWnd)
public:
    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    CDockBar* NewDockBar() override;
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
