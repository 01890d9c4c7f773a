// The customize sheet and its Toolbars page.
#include "toolbars/toolbar_sheet.h"

#include "toolbars/registered_messages.h"
#include "toolbars/toolbar_cmd_page.h"
#include "toolbars/toolbar_manager.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(SECToolBarsPage, CPropertyPage)
IMPLEMENT_DYNAMIC(SECToolBarSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(SECToolBarsPage, CPropertyPage)
ON_LBN_SELCHANGE(SEC_IDC_TOOLBAR_LIST, OnSelChange)
ON_CLBN_CHKCHANGE(SEC_IDC_TOOLBAR_LIST, OnCheckChanged)
ON_EN_KILLFOCUS(SEC_IDC_TOOLBAR_NAME, OnNameKillFocus)
ON_BN_CLICKED(SEC_IDC_NEW_TOOLBAR, OnNew)
ON_BN_CLICKED(SEC_IDC_RESET_TOOLBAR, OnReset43100)
ON_BN_CLICKED(SEC_IDC_TOOLTIPS, OnSettings)
ON_BN_CLICKED(SEC_IDC_COOLLOOK, OnSettings)
ON_BN_CLICKED(SEC_IDC_LARGEBUTTONS, OnSettings)
ON_REGISTERED_MESSAGE(WM_BARNOTIFY, OnBarNotifyMsg)
ON_WM_DESTROY()
END_MESSAGE_MAP()

SECToolBarsPage::SECToolBarsPage() : CPropertyPage(SEC_IDD_TOOLBARS_PAGE) {}

SECToolBarsPage::~SECToolBarsPage() {
    if (m_pManager != nullptr) {
        m_pManager->RemoveNotifyWnd(this);
        m_pManager->SetCustomizeWnd(nullptr);
    }
}

BOOL SECToolBarsPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    InitToolBarsBase(this);
    if (m_pManager != nullptr)
        m_pManager->AddNotifyWnd(this);
    return TRUE;
}

BOOL SECToolBarsPage::OnSetActive() {
    if (!CPropertyPage::OnSetActive())
        return FALSE;
    EnterCustomize(GetParent());
    return TRUE;
}

BOOL SECToolBarsPage::OnKillActive() {
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    LeaveCustomize(FALSE);
    if (CWnd* pSheet = GetParent())
        pSheet->EnableWindow(TRUE);
    return TRUE;
}

void SECToolBarsPage::OnOK() {
    ApplySettings();
    LeaveCustomize(FALSE);
}

void SECToolBarsPage::OnCancel() {
    RestoreStartSettings();
    LeaveCustomize(FALSE);
}

void SECToolBarsPage::OnDestroy() {
    LeaveCustomize(TRUE);
    CPropertyPage::OnDestroy();
}

void SECToolBarsPage::OnSelChange() {
    UpdateControls();
}

void SECToolBarsPage::OnCheckChanged() {
    OnCheckChange();
}

void SECToolBarsPage::OnNameKillFocus() {
    OnRename();
}

void SECToolBarsPage::OnNew() {
    OnNewToolBar();
}

void SECToolBarsPage::OnReset43100() {
    OnResetOrDelete();
}

void SECToolBarsPage::OnSettings() {
    OnSettingsClicked();
}

LRESULT SECToolBarsPage::OnBarNotifyMsg(WPARAM wParam, LPARAM lParam) {
    return OnBarNotify(wParam, lParam);
}

// ---- The sheet.

SECToolBarSheet::SECToolBarSheet(UINT nIDCaption, CWnd* pParent, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParent, iSelectPage) {
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

INT_PTR SECToolBarSheet::DoModal() {
    std::vector<HWND> frames;
    for (int i = 0; i < GetPageCount(); ++i) {
        SECToolBarManager* pManager = nullptr;
        if (auto* pBase = dynamic_cast<SECToolBarsBase*>(GetPage(i)))
            pManager = pBase->m_pManager;
        else if (auto* pCommands = dynamic_cast<SECToolBarCmdPage*>(GetPage(i)))
            pManager = pCommands->GetManager();
        CFrameWnd* pFrame = pManager != nullptr ? pManager->GetFrameWnd() : nullptr;
        if (pFrame != nullptr &&
            std::find(frames.begin(), frames.end(), pFrame->m_hWnd) == frames.end())
            frames.push_back(pFrame->m_hWnd);
    }
    const INT_PTR nResult = CPropertySheet::DoModal();
    // Leaving config mode disables a frame for the sheet's end to enable; the sheet may have
    // had another owner, so no frame is left disabled.
    for (HWND hFrame : frames)
        if (::IsWindow(hFrame))
            ::EnableWindow(hFrame, TRUE);
    return nResult;
}
