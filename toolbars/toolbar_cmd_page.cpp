// The Commands page of the customize sheet.
#include "toolbars/toolbar_cmd_page.h"

#include "toolbars/registered_messages.h"
#include "toolbars/toolbar_manager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(SECToolBarCmdPage, CPropertyPage)

BEGIN_MESSAGE_MAP(SECToolBarCmdPage, CPropertyPage)
ON_LBN_SELCHANGE(SEC_IDC_CATEGORIES, OnCategoryChange)
ON_REGISTERED_MESSAGE(WM_BARNOTIFY, OnBarNotifyMsg)
ON_REGISTERED_MESSAGE(WM_TOOLBARSTYLECHANGING, OnStyleChanging)
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
// Palette ids count down from the last user bar id and skip the dock bars' ids.
const UINT kFirstGroupID = 59646;
const UINT kDockBarFirst = 59419;
const UINT kDockBarLast = 59423;
const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

void CollectMenuCommands(HMENU hMenu, std::vector<UINT>& ids) {
    const int nCount = hMenu != NULL ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < nCount; ++i) {
        if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
            CollectMenuCommands(hSub, ids);
            continue;
        }
        const UINT nID = ::GetMenuItemID(hMenu, i);
        if (nID != 0 && nID != static_cast<UINT>(-1) &&
            std::find(ids.begin(), ids.end(), nID) == ids.end())
            ids.push_back(nID);
    }
}
} // namespace

SECToolBarCmdPage::SECToolBarCmdPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption) {}

SECToolBarCmdPage::~SECToolBarCmdPage() {
    if (m_pManager != nullptr) {
        m_pManager->RemoveNotifyWnd(this);
        m_pManager->SetCustomizeWnd(nullptr);
    }
    m_groups.clear();
}

void SECToolBarCmdPage::SetManager(SECToolBarManager* pManager) {
    m_pManager = pManager;
    if (pManager != nullptr)
        pManager->AddNotifyWnd(this); // no window yet: done again when it exists
}

void SECToolBarCmdPage::DefineBtnGroup(LPCTSTR lpszTitle, int nCount, const UINT* pIDs) {
    m_groups.push_back(std::make_unique<SECTBBtnGroup>(lpszTitle, nCount, pIDs));
}

void SECToolBarCmdPage::DefineMenuBtnGroup(LPCTSTR lpszTitle, int nCount, const UINT* pIDs) {
    m_groups.push_back(std::make_unique<SECMenuBtnGroup>(lpszTitle, nCount, pIDs));
}

void SECToolBarCmdPage::DefineMenuGroup(LPCTSTR lpszTitle) {
    std::vector<UINT> ids;
    CFrameWnd* pFrame = m_pManager != nullptr ? m_pManager->GetFrameWnd() : nullptr;
    if (pFrame != nullptr && pFrame->m_hWnd != NULL)
        CollectMenuCommands(::GetMenu(pFrame->m_hWnd), ids);
    DefineMenuBtnGroup(lpszTitle, static_cast<int>(ids.size()), ids.data());
}

SECBtnGroup* SECToolBarCmdPage::GetGroup(int nIndex) const {
    return nIndex >= 0 && nIndex < GetGroupCount() ? m_groups[nIndex].get() : nullptr;
}

BOOL SECToolBarCmdPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (m_pManager != nullptr)
        m_pManager->AddNotifyWnd(this);
    // The dialog font's average character: the 52 letters' extent, rounded.
    {
        CClientDC dc(this);
        CFont* pOld = dc.SelectObject(GetFont());
        const CSize extent = dc.GetTextExtent(kAlphabet, 52);
        dc.SelectObject(pOld);
        m_charSize = CSize((extent.cx / 26 + 1) / 2, extent.cy);
    }
    m_categories.SubclassDlgItem(SEC_IDC_CATEGORIES, this);
    if (CWnd* pBox = GetDlgItem(SEC_IDC_BUTTONS_BOX)) {
        // The box paints its whole face: it must leave the group windows inside it alone.
        pBox->ModifyStyle(0, WS_CLIPSIBLINGS);
        pBox->GetWindowRect(&m_rcButtons);
        ScreenToClient(&m_rcButtons);
        // Inside the box's frame and below its title.
        m_rcButtons.DeflateRect(m_charSize.cx, m_charSize.cy + m_charSize.cy / 4, m_charSize.cx,
                                m_charSize.cy / 2);
    }
    UINT nID = kFirstGroupID;
    for (auto& pGroup : m_groups) {
        if (nID >= kDockBarFirst && nID <= kDockBarLast)
            nID = kDockBarFirst - 1;
        if (pGroup->Create(this, m_pManager, nID)) {
            pGroup->GetWnd()->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0,
                                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            pGroup->Fit(m_rcButtons);
        }
        --nID;
        if (CWnd* pWnd = pGroup->GetWnd())
            if (pWnd->m_hWnd != NULL && pGroup.get() != m_groups.front().get())
                pWnd->ShowWindow(SW_HIDE);
        m_categories.AddString(pGroup->GetTitle());
    }
    m_nCurGroup = m_groups.empty() ? -1 : 0;
    m_categories.SetCurSel(m_nCurGroup);
    return TRUE;
}

void SECToolBarCmdPage::SelectGroup(int nIndex) {
    if (SECBtnGroup* pOld = GetGroup(m_nCurGroup))
        pOld->Activate(FALSE);
    m_nCurGroup = GetGroup(nIndex) != nullptr ? nIndex : -1;
    for (int i = 0; i < GetGroupCount(); ++i)
        if (CWnd* pWnd = m_groups[i]->GetWnd())
            if (pWnd->m_hWnd != NULL)
                pWnd->ShowWindow(i == m_nCurGroup ? SW_SHOW : SW_HIDE);
    if (SECBtnGroup* pNew = GetGroup(m_nCurGroup))
        pNew->Activate(TRUE);
    SetDlgItemText(SEC_IDC_DESCRIPTION, L"");
}

void SECToolBarCmdPage::OnCategoryChange() {
    SelectGroup(m_categories.GetCurSel());
}

BOOL SECToolBarCmdPage::OnSetActive() {
    if (!CPropertyPage::OnSetActive())
        return FALSE;
    if (m_pManager != nullptr) {
        m_pManager->EnterConfigMode();
        m_pManager->SetCustomizeMode(TRUE);
        m_pManager->SetCustomizeWnd(GetParent());
        m_pManager->AddNotifyWnd(this);
    }
    if (SECBtnGroup* pGroup = GetGroup(m_nCurGroup))
        pGroup->Activate(TRUE);
    return TRUE;
}

void SECToolBarCmdPage::Leave() {
    if (m_pManager == nullptr)
        return;
    m_pManager->ExitConfigMode();
    m_pManager->SetCustomizeMode(FALSE);
}

BOOL SECToolBarCmdPage::OnKillActive() {
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    if (SECBtnGroup* pGroup = GetGroup(m_nCurGroup))
        pGroup->Activate(FALSE);
    Leave();
    if (CWnd* pSheet = GetParent())
        pSheet->EnableWindow(TRUE);
    return TRUE;
}

void SECToolBarCmdPage::OnOK() {
    Leave();
}

void SECToolBarCmdPage::OnCancel() {
    Leave();
}

void SECToolBarCmdPage::OnDestroy() {
    Leave();
    if (m_pManager != nullptr) {
        m_pManager->RemoveNotifyWnd(this);
        m_pManager->SetCustomizeWnd(nullptr);
    }
    // The groups' windows go with the page's; their objects stay until the page goes.
    CPropertyPage::OnDestroy();
}

void SECToolBarCmdPage::ShowDescription(UINT nID) {
    if (m_hWnd != NULL)
        SetDlgItemText(SEC_IDC_DESCRIPTION, SECCommandPrompt(nID));
}

LRESULT SECToolBarCmdPage::OnBarNotifyMsg(WPARAM, LPARAM lParam) {
    if (lParam != SEC_BARNOTIFY_SELECTION || m_pManager == nullptr)
        return 0;
    SECCustomToolBar* pBar = m_pManager->GetSelectionBar();
    const int nSel = pBar != nullptr ? pBar->GetSelection() : -1;
    ShowDescription(nSel >= 0 ? pBar->GetButtonId(nSel) : 0);
    return 0;
}

void SECToolBarCmdPage::RefitGroups() {
    for (auto& pGroup : m_groups)
        pGroup->Fit(m_rcButtons);
}

LRESULT SECToolBarCmdPage::OnStyleChanging(WPARAM wParam, LPARAM) {
    if (m_pManager == nullptr)
        return 0;
    for (auto& pGroup : m_groups) {
        auto* pTB = dynamic_cast<SECTBBtnGroup*>(pGroup.get());
        SECCustomizeToolBar* pBar = pTB != nullptr ? pTB->GetBar() : nullptr;
        if (pBar == nullptr || pBar->m_hWnd == NULL)
            continue;
        if (wParam == 1)
            m_pManager->ApplyImageSize(pBar);
        else if (wParam == 2)
            pBar->ModifyBarStyleEx(m_pManager->GetCoolLook() ? 0 : 0x300,
                                   m_pManager->GetCoolLook() ? 0x300 : 0, FALSE);
    }
    RefitGroups();
    return 0;
}
