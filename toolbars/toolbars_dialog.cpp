// The modal Toolbars dialog and the new-toolbar prompt.
#include "toolbars/toolbars_dialog.h"

#include "toolbars/registered_messages.h"
#include "toolbars/toolbar_manager.h"

IMPLEMENT_DYNAMIC(SECToolBarsDlg, CDialog)
IMPLEMENT_DYNAMIC(SECNewToolBar, CDialog)

BEGIN_MESSAGE_MAP(SECToolBarsDlg, CDialog)
ON_LBN_SELCHANGE(SEC_IDC_TOOLBAR_LIST, OnSelChange)
ON_CLBN_CHKCHANGE(SEC_IDC_TOOLBAR_LIST, OnCheckChanged)
ON_EN_KILLFOCUS(SEC_IDC_TOOLBAR_NAME, OnNameKillFocus)
ON_BN_CLICKED(SEC_IDC_NEW_TOOLBAR, OnNew)
ON_BN_CLICKED(SEC_IDC_RESET_TOOLBAR, OnReset)
ON_BN_CLICKED(SEC_IDC_TOOLTIPS, OnSettings)
ON_BN_CLICKED(SEC_IDC_COOLLOOK, OnSettings)
ON_BN_CLICKED(SEC_IDC_LARGEBUTTONS, OnSettings)
ON_BN_CLICKED(SEC_IDC_CUSTOMIZE, OnCustomize)
ON_REGISTERED_MESSAGE(WM_BARNOTIFY, OnBarNotifyMsg)
ON_WM_ACTIVATE()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

void SECShowFloatingBarsActive(SECToolBarManager* pManager, BOOL bActive) {
    if (pManager == nullptr)
        return;
    for (SECCustomToolBar* pBar : pManager->GetToolBars())
        if (pBar->IsFloating())
            if (CFrameWnd* pFloat = pBar->GetParentFrame())
                pFloat->SendMessage(WM_NCACTIVATE, bActive, 0);
}

SECToolBarsDlg::SECToolBarsDlg(CWnd* pParent) : CDialog(SEC_IDD_TOOLBARS, pParent) {}

SECToolBarsDlg::~SECToolBarsDlg() {
    if (m_bInCustomize)
        LeaveCustomize();
}

INT_PTR SECToolBarsDlg::DoModal() {
    CFrameWnd* pFrame = m_pManager != nullptr ? m_pManager->GetFrameWnd() : nullptr;
    const HWND hFrame = pFrame != nullptr ? pFrame->m_hWnd : NULL;
    if (m_pParentWnd == nullptr)
        m_pParentWnd = pFrame;
    const INT_PTR nResult = CDialog::DoModal();
    if (m_bInCustomize) {
        LeaveCustomize();
        m_bInCustomize = FALSE;
    }
    // Leaving config mode disables the frame for the dialog's end to enable; whatever owner
    // the dialog ended up with, the frame must not stay disabled.
    if (hFrame != NULL && ::IsWindow(hFrame))
        ::EnableWindow(hFrame, TRUE);
    return nResult;
}

BOOL SECToolBarsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    InitToolBarsBase(this);
    EnterCustomize(this);
    m_bInCustomize = TRUE;
    CenterWindow();
    return TRUE;
}

void SECToolBarsDlg::Close(int nResult) {
    if (nResult != IDCANCEL)
        ApplySettings();
    if (m_bInCustomize) {
        LeaveCustomize();
        m_bInCustomize = FALSE;
    }
    EndDialog(nResult);
}

void SECToolBarsDlg::OnOK() {
    Close(IDOK);
}

void SECToolBarsDlg::OnCancel() {
    // Settings the boxes applied stay applied.
    Close(IDCANCEL);
}

void SECToolBarsDlg::OnCustomize() {
    Close(SEC_IDC_CUSTOMIZE);
}

void SECToolBarsDlg::OnSelChange() {
    UpdateControls();
}

void SECToolBarsDlg::OnCheckChanged() {
    OnCheckChange();
}

void SECToolBarsDlg::OnNameKillFocus() {
    OnRename();
}

void SECToolBarsDlg::OnNew() {
    if (!OnNewToolBar())
        return;
    // The sheet that follows opens on the new bar.
    if (m_pManager != nullptr)
        m_pManager->SetBarToSelect(m_nNewBarID);
    Close(SEC_IDC_CUSTOMIZE);
}

void SECToolBarsDlg::OnReset() {
    OnResetOrDelete();
}

void SECToolBarsDlg::OnSettings() {
    OnSettingsClicked();
}

LRESULT SECToolBarsDlg::OnBarNotifyMsg(WPARAM wParam, LPARAM lParam) {
    return OnBarNotify(wParam, lParam);
}

void SECToolBarsDlg::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CDialog::OnActivate(nState, pWndOther, bMinimized);
    SECShowFloatingBarsActive(m_pManager, nState != WA_INACTIVE);
}

LRESULT SECToolBarsDlg::OnFloatStatus(WPARAM wParam, LPARAM) {
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE))
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0, 0);
    return 0;
}

// ---- The new toolbar's name.

BEGIN_MESSAGE_MAP(SECNewToolBar, CDialog)
ON_EN_CHANGE(SEC_IDC_NEW_TOOLBAR_NAME, OnNameChange)
END_MESSAGE_MAP()

SECNewToolBar::SECNewToolBar(CWnd* pParent) : CDialog(SEC_IDD_NEW_TOOLBAR, pParent) {}

BOOL SECNewToolBar::OnInitDialog() {
    CDialog::OnInitDialog();
    SendDlgItemMessage(SEC_IDC_NEW_TOOLBAR_NAME, EM_LIMITTEXT, SEC_MAX_TOOLBAR_NAME, 0);
    SetDlgItemText(SEC_IDC_NEW_TOOLBAR_NAME, m_strName.Left(SEC_MAX_TOOLBAR_NAME));
    OnNameChange();
    return TRUE;
}

void SECNewToolBar::OnNameChange() {
    CString strName;
    GetDlgItemText(SEC_IDC_NEW_TOOLBAR_NAME, strName);
    if (CWnd* pOK = GetDlgItem(IDOK))
        pOK->EnableWindow(!strName.IsEmpty());
}

void SECNewToolBar::OnOK() {
    CString strName;
    GetDlgItemText(SEC_IDC_NEW_TOOLBAR_NAME, strName);
    if (strName.IsEmpty())
        return; // OK stays off while there is no name; Enter does nothing either
    m_strName = strName.Left(SEC_MAX_TOOLBAR_NAME);
    EndDialog(IDOK);
}

// ---- The manager's entry.

INT_PTR SECToolBarManager::RunToolBarsDialog() {
    SECToolBarsDlg dlg(GetFrameWnd());
    dlg.SetManager(this);
    return dlg.DoModal();
}
