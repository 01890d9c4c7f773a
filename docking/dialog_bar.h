// SECDialogBar: a sizable control bar whose contents come from a dialog template, its controls
// scaling with it. SECFrameBar: the bar that hosts a docked document frame.
#pragma once

#include "docking/control_bar.h"

class SECDialogBar : public SECControlBar {
    DECLARE_DYNCREATE(SECDialogBar)
public:
    SECDialogBar() = default;
    ~SECDialogBar() override;

    // FALSE, with no window, when the window, the template or its initialisation data fail.
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, DWORD dwStyle, DWORD dwExStyle,
                        UINT nID);
    using SECControlBar::Create;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void GetBarInfoEx(SECControlBarInfo* pInfo) override;
    // Kept for a container of dialog controls; this library makes no such controls.
    BOOL SetOccDialogInfo(void* pOccDialogInfo) {
        m_pOccDialogInfo = pOccDialogInfo;
        return TRUE;
    }

    UINT m_nResourceID = 0;
    void* m_pOccDialogInfo = nullptr;
    UINT m_nTemplateInCreation = 0;

protected:
    afx_msg LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class SECFrameBar : public SECControlBar {
    DECLARE_DYNCREATE(SECFrameBar)
public:
    // The hosted frame's accelerators and messages pass: no tooltip or status-line handling.
    BOOL PreTranslateMessage(MSG* pMsg) override { return CWnd::PreTranslateMessage(pMsg); }

protected:
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
