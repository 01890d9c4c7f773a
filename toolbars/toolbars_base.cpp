// The Toolbars dialog's and page's shared part: the list of the frame's bars and what its
// buttons and boxes do to them.
#include "toolbars/toolbars_base.h"

#include "framework/docview/dockbar.h"
#include "toolbars/menu_bar.h"
#include "toolbars/registered_messages.h"
#include "toolbars/toolbar_manager.h"
#include "toolbars/toolbars_dialog.h"

BOOL SECIsMenuBar(const CWnd* pBar) {
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(SECMenuBar));
}

CFrameWnd* SECToolBarsBase::Frame() const {
    return m_pManager != nullptr ? m_pManager->GetFrameWnd() : nullptr;
}

void SECToolBarsBase::InitToolBarsBase(CWnd* pDialog) {
    m_pDialog = pDialog;
    if (m_toolBarList.m_hWnd == NULL)
        m_toolBarList.SubclassDlgItem(SEC_IDC_TOOLBAR_LIST, pDialog);
    if (CWnd* pName = pDialog->GetDlgItem(SEC_IDC_TOOLBAR_NAME))
        ::SendMessageW(pName->m_hWnd, EM_LIMITTEXT, SEC_MAX_TOOLBAR_NAME, 0);
    FillToolBarList();
    ShowSettings();
}

void SECToolBarsBase::ShowSettings() {
    if (m_pDialog == nullptr)
        return;
    m_pDialog->CheckDlgButton(SEC_IDC_TOOLTIPS, m_bToolTips ? BST_CHECKED : BST_UNCHECKED);
    m_pDialog->CheckDlgButton(SEC_IDC_COOLLOOK, m_bCoolLook ? BST_CHECKED : BST_UNCHECKED);
    m_pDialog->CheckDlgButton(SEC_IDC_LARGEBUTTONS, m_bLargeButtons ? BST_CHECKED : BST_UNCHECKED);
}

void SECToolBarsBase::RestoreStartSettings() {
    m_bToolTips = m_bFirstToolTips;
    m_bCoolLook = m_bFirstCoolLook;
    m_bLargeButtons = m_bFirstLargeButtons;
    ApplySettings();
    ShowSettings();
}

void SECToolBarsBase::InsertRow(SECCustomToolBar* pBar) {
    const UINT nID = static_cast<UINT>(pBar->GetDlgCtrlID());
    int nAt = m_toolBarList.GetCount();
    for (int i = 0; i < m_toolBarList.GetCount(); ++i)
        if (static_cast<UINT>(m_toolBarList.GetItemData(i)) > nID) {
            nAt = i;
            break;
        }
    CString strTitle;
    pBar->GetWindowText(strTitle);
    nAt = m_toolBarList.InsertString(nAt, strTitle);
    if (nAt < 0)
        return;
    m_toolBarList.SetItemData(nAt, nID);
    m_toolBarList.SetCheck(nAt, pBar->IsWindowVisible() ? 1 : 0);
}

void SECToolBarsBase::FillToolBarList() {
    if (m_toolBarList.m_hWnd == NULL || m_pManager == nullptr)
        return;
    m_toolBarList.ResetContent();
    for (SECCustomToolBar* pBar : m_pManager->GetToolBars()) {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        const int nRow = m_toolBarList.AddString(strTitle);
        if (nRow < 0)
            continue;
        m_toolBarList.SetItemData(nRow, static_cast<UINT>(pBar->GetDlgCtrlID()));
        m_toolBarList.SetCheck(nRow, pBar->IsWindowVisible() ? 1 : 0);
    }
    const int nSelect = RowOf(m_pManager->TakeBarToSelect());
    m_toolBarList.SetCurSel(nSelect >= 0 ? nSelect : 0);
    UpdateControls();
}

int SECToolBarsBase::RowOf(UINT nBarID) const {
    for (int i = 0; i < m_toolBarList.GetCount(); ++i)
        if (static_cast<UINT>(m_toolBarList.GetItemData(i)) == nBarID)
            return i;
    return -1;
}

void SECToolBarsBase::DeleteRow(int nRow) {
    const BOOL bSelected = m_toolBarList.GetCurSel() == nRow;
    m_toolBarList.DeleteString(nRow);
    const int nCount = m_toolBarList.GetCount();
    if (bSelected && nCount > 0)
        m_toolBarList.SetCurSel(nRow < nCount ? nRow : nCount - 1);
    UpdateControls();
}

SECCustomToolBar* SECToolBarsBase::SelectedBar() {
    const int nRow = m_toolBarList.m_hWnd != NULL ? m_toolBarList.GetCurSel() : -1;
    if (nRow < 0 || m_pManager == nullptr)
        return nullptr;
    SECCustomToolBar* pBar =
        m_pManager->FindToolBar(static_cast<UINT>(m_toolBarList.GetItemData(nRow)));
    if (pBar == nullptr)
        DeleteRow(nRow);
    return pBar;
}

void SECToolBarsBase::UpdateControls() {
    if (m_pDialog == nullptr)
        return;
    CWnd* pName = m_pDialog->GetDlgItem(SEC_IDC_TOOLBAR_NAME);
    CWnd* pLabel = m_pDialog->GetDlgItem(SEC_IDC_TOOLBAR_NAME_LABEL);
    m_pDialog->SetDlgItemText(SEC_IDC_TOOLBAR_NAME, L"");
    m_pDialog->SetDlgItemText(SEC_IDC_RESET_TOOLBAR, L"&Reset");
    const int nRow = m_toolBarList.m_hWnd != NULL ? m_toolBarList.GetCurSel() : -1;
    SECCustomToolBar* pBar =
        nRow >= 0 && m_pManager != nullptr
            ? m_pManager->FindToolBar(static_cast<UINT>(m_toolBarList.GetItemData(nRow)))
            : nullptr;
    const BOOL bUser = pBar != nullptr && pBar->IsUserBar() && !SECIsMenuBar(pBar);
    if (pBar != nullptr) {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        m_pDialog->SetDlgItemText(SEC_IDC_TOOLBAR_NAME, strTitle);
    }
    if (bUser)
        m_pDialog->SetDlgItemText(SEC_IDC_RESET_TOOLBAR, L"&Delete");
    if (pName != nullptr) {
        pName->EnableWindow(bUser);
        ::SendMessageW(pName->m_hWnd, EM_SETMODIFY, FALSE, 0);
    }
    if (pLabel != nullptr)
        pLabel->EnableWindow(bUser);
}

void SECToolBarsBase::OnCheckChange() {
    CFrameWnd* pFrame = Frame();
    if (pFrame == nullptr || m_toolBarList.m_hWnd == NULL)
        return;
    // The changed check need not be the selected row's: every row's bar follows its check.
    for (int i = m_toolBarList.GetCount() - 1; i >= 0; --i) {
        SECCustomToolBar* pBar =
            m_pManager->FindToolBar(static_cast<UINT>(m_toolBarList.GetItemData(i)));
        if (pBar == nullptr) {
            DeleteRow(i);
            continue;
        }
        const BOOL bShow = m_toolBarList.GetCheck(i) == 1;
        if (SECIsMenuBar(pBar))
            m_toolBarList.SetCheck(i, 1); // the menu bar cannot be hidden
        else if (!bShow != !pBar->IsWindowVisible())
            pFrame->ShowControlBar(pBar, bShow, FALSE);
    }
    pFrame->RecalcLayout();
}

void SECToolBarsBase::OnRename() {
    CWnd* pName = m_pDialog != nullptr ? m_pDialog->GetDlgItem(SEC_IDC_TOOLBAR_NAME) : nullptr;
    if (pName == nullptr || !pName->IsWindowEnabled() ||
        !::SendMessageW(pName->m_hWnd, EM_GETMODIFY, 0, 0))
        return;
    const int nRow = m_toolBarList.GetCurSel();
    SECCustomToolBar* pBar = SelectedBar();
    if (pBar == nullptr)
        return;
    CString strTitle;
    pName->GetWindowText(strTitle);
    strTitle = strTitle.Left(SEC_MAX_TOOLBAR_NAME);
    pBar->SetWindowText(strTitle);
    if (pBar->IsFloating())
        if (CFrameWnd* pFloat = pBar->GetParentFrame())
            pFloat->SetWindowText(strTitle);
    const int nCheck = m_toolBarList.GetCheck(nRow);
    const DWORD_PTR dwData = m_toolBarList.GetItemData(nRow);
    m_toolBarList.DeleteString(nRow);
    const int nNew = m_toolBarList.InsertString(nRow, strTitle);
    m_toolBarList.SetItemData(nNew, dwData);
    m_toolBarList.SetCheck(nNew, nCheck);
    m_toolBarList.SetCurSel(nNew);
    ::SendMessageW(pName->m_hWnd, EM_SETMODIFY, FALSE, 0);
}

void SECToolBarsBase::OnResetOrDelete() {
    SECCustomToolBar* pBar = SelectedBar();
    CFrameWnd* pFrame = Frame();
    if (pBar == nullptr || pFrame == nullptr)
        return;
    if (SECIsMenuBar(pBar)) {
        static_cast<SECMenuBar*>(pBar)->ResetMenu(FALSE);
        pFrame->RecalcLayout();
        return;
    }
    if (pBar->IsUserBar()) {
        // Its row goes with the notice of its destruction.
        pBar->DestroyWindow();
        pFrame->RecalcLayout();
        return;
    }
    int nCount = 0;
    const UINT* pIDs = nullptr;
    if (!m_pManager->GetDefaultToolBarButtons(static_cast<UINT>(pBar->GetDlgCtrlID()), nCount,
                                              pIDs))
        return;
    pBar->SetButtons(pIDs, nCount);
    if (pBar->IsFloating())
        if (CFrameWnd* pFloat = pBar->GetParentFrame())
            pFloat->RecalcLayout();
    pFrame->RecalcLayout();
    pBar->Invalidate();
}

BOOL SECToolBarsBase::OnNewToolBar() {
    CFrameWnd* pFrame = Frame();
    if (pFrame == nullptr)
        return FALSE;
    m_pManager->ExitConfigMode();
    SECNewToolBar dlg(m_pDialog);
    const INT_PTR nResult = dlg.DoModal();
    m_pManager->EnterConfigMode();
    if (nResult != IDOK)
        return FALSE;
    SECCustomToolBar* pBar =
        m_pManager->CreateUserToolBar(dlg.m_strName.Left(SEC_MAX_TOOLBAR_NAME));
    if (pBar == nullptr) {
        ::MessageBeep(MB_ICONEXCLAMATION); // every user id is taken
        return FALSE;
    }
    CRect rect;
    if (CWnd* pTop = pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))
        pTop->GetWindowRect(&rect);
    else {
        pFrame->GetClientRect(&rect);
        pFrame->ClientToScreen(&rect);
    }
    pFrame->FloatControlBar(pBar, CPoint(rect.left + 5, rect.top + 5), CBRS_ALIGN_TOP);
    // The user goes on with the bar just made: its name and buttons come next.
    const UINT nID = static_cast<UINT>(pBar->GetDlgCtrlID());
    const int nRow = RowOf(nID);
    if (nRow >= 0) {
        m_toolBarList.SetCurSel(nRow);
        UpdateControls();
    }
    m_nNewBarID = nID;
    return TRUE;
}

void SECToolBarsBase::OnSettingsClicked() {
    if (m_pDialog == nullptr)
        return;
    m_bToolTips = m_pDialog->IsDlgButtonChecked(SEC_IDC_TOOLTIPS) == BST_CHECKED;
    m_bCoolLook = m_pDialog->IsDlgButtonChecked(SEC_IDC_COOLLOOK) == BST_CHECKED;
    m_bLargeButtons = m_pDialog->IsDlgButtonChecked(SEC_IDC_LARGEBUTTONS) == BST_CHECKED;
    ApplySettings();
}

LRESULT SECToolBarsBase::OnBarNotify(WPARAM wParam, LPARAM lParam) {
    if (m_toolBarList.m_hWnd == NULL || m_pManager == nullptr)
        return 0;
    const UINT nID = static_cast<UINT>(wParam);
    const int nRow = RowOf(nID);
    switch (lParam) {
    case SEC_BARNOTIFY_SHOWN:
    case SEC_BARNOTIFY_HIDDEN:
        if (nRow >= 0)
            m_toolBarList.SetCheck(nRow, lParam == SEC_BARNOTIFY_SHOWN ? 1 : 0);
        break;
    case SEC_BARNOTIFY_CREATED:
        // Only the frame's own bars have rows: palette bars announce themselves too.
        if (nRow < 0)
            if (SECCustomToolBar* pBar = m_pManager->FindToolBar(nID))
                InsertRow(pBar);
        break;
    case SEC_BARNOTIFY_DESTROYED:
        if (nRow >= 0)
            DeleteRow(nRow);
        break;
    default:
        break;
    }
    return 0;
}

void SECToolBarsBase::EnterCustomize(CWnd* pCustomizeWnd) {
    if (m_pManager == nullptr)
        return;
    m_pManager->EnterConfigMode();
    m_pManager->SetCustomizeMode(TRUE);
    m_pManager->SetCustomizeWnd(pCustomizeWnd);
    m_pManager->AddNotifyWnd(m_pDialog);
}

void SECToolBarsBase::LeaveCustomize(BOOL bForget) {
    if (m_pManager == nullptr)
        return;
    m_pManager->ExitConfigMode();
    m_pManager->SetCustomizeMode(FALSE);
    if (!bForget)
        return;
    m_pManager->RemoveNotifyWnd(m_pDialog);
    m_pManager->SetCustomizeWnd(nullptr);
}
