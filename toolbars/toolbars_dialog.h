// The modal Toolbars dialog (show, hide, rename, reset, delete and create toolbars, and the
// three settings) and the prompt for a new toolbar's name.
#pragma once

#include "framework/afx.h"
#include "toolbars/toolbars_base.h"

class SECToolBarsDlg : public CDialog, public SECToolBarsBase {
    DECLARE_DYNAMIC(SECToolBarsDlg)
public:
    explicit SECToolBarsDlg(CWnd* pParent = nullptr);
    ~SECToolBarsDlg() override;
    // IDOK, IDCANCEL or 43099 (open the customize sheet next). Every window the dialog
    // disabled, the frame too, is enabled again afterwards.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;
    // Applies the settings, leaves customize mode and ends with nResult.
    void Close(int nResult);

    afx_msg void OnSelChange();
    afx_msg void OnCheckChanged();
    afx_msg void OnNameKillFocus();
    afx_msg void OnNew();
    afx_msg void OnReset();
    afx_msg void OnSettings();
    afx_msg void OnCustomize();
    afx_msg LRESULT OnBarNotifyMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bInCustomize = FALSE;
};

class SECNewToolBar : public CDialog {
    DECLARE_DYNAMIC(SECNewToolBar)
public:
    explicit SECNewToolBar(CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;
    CString m_strName; // at most 128 characters

protected:
    void OnOK() override;
    afx_msg void OnNameChange();
    DECLARE_MESSAGE_MAP()
};

// The frames' floating toolbars take the dialog's activation look.
void SECShowFloatingBarsActive(SECToolBarManager* pManager, BOOL bActive);
