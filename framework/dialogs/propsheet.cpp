#include "framework/dialogs/propsheet.h"

#include "framework/core/guard.h"

#include <algorithm>
#include <cstring>

#include "framework/core/exceptions.h"
#include "framework/win/resources.h"
#include "framework/win/wnd_state.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {
CString LoadCaption(UINT nIDCaption) {
    CString caption;
    if (nIDCaption != 0)
        caption.LoadString(nIDCaption);
    return caption;
}

// A notification's answer goes back as the result and, for the dialog manager, as the
// dialog's message result.
BOOL Answer(HWND hWnd, LRESULT* pResult, LRESULT lResult) {
    ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, lResult);
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}
} // namespace

// ---- CPropertyPage ----------------------------------------------------------------------------

CPropertyPage::CPropertyPage() {
    Construct((LPCTSTR)NULL, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) {
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) {
    Construct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption) {
    Construct(MAKEINTRESOURCEW(nIDTemplate), nIDCaption);
    m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption) {
    m_lpszTemplateName = lpszTemplateName;
    m_strCaption = LoadCaption(nIDCaption);
    std::memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = &AfxDlgProc;
    m_psp.lParam = (LPARAM)this;
    if (!m_strCaption.IsEmpty()) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

BOOL CPropertyPage::OnSetActive() {
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() {
    OnCancel();
}
BOOL CPropertyPage::OnQueryCancel() {
    return TRUE;
}
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}

void CPropertyPage::SetModified(BOOL bChanged) {
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet != NULL)
        ::SendMessageW(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == NULL || pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        return Answer(m_hWnd, pResult, OnSetActive() ? 0 : -1);
    case PSN_KILLACTIVE:
        return Answer(m_hWnd, pResult, OnKillActive() ? FALSE : TRUE);
    case PSN_APPLY: {
        if (!OnApply())
            return Answer(m_hWnd, pResult, PSNRET_INVALID_NOCHANGEPAGE);
        // The sheet's OK (not Apply) confirms the whole sheet.
        if (m_pSheet != NULL && reinterpret_cast<PSHNOTIFY*>(lParam)->lParam)
            m_pSheet->m_nModalResult = IDOK;
        return Answer(m_hWnd, pResult, PSNRET_NOERROR);
    }
    case PSN_RESET:
        OnReset();
        return Answer(m_hWnd, pResult, 0);
    case PSN_QUERYCANCEL:
        return Answer(m_hWnd, pResult, OnQueryCancel() ? FALSE : TRUE);
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}

// ---- CPropertySheet ---------------------------------------------------------------------------

CPropertySheet::CPropertySheet() : m_pParentWnd(NULL) {
    std::memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet() {
    m_strCaption = LoadCaption(nIDCaption);
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet() {
    if (pszCaption != NULL)
        m_strCaption = pszCaption;
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
    if (pPage == NULL || GetPageIndex(pPage) >= 0)
        return;
    m_pages.push_back(pPage);
    pPage->m_pSheet = this;
    if (m_hWnd != NULL) {
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPageW(&pPage->m_psp);
        if (hPage == NULL || !::SendMessageW(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage)) {
            if (hPage != NULL)
                ::DestroyPropertySheetPage(hPage);
            m_pages.pop_back();
        }
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
    RemovePage(GetPageIndex(pPage));
}

void CPropertySheet::RemovePage(int nPage) {
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd != NULL)
        ::SendMessageW(m_hWnd, PSM_REMOVEPAGE, (WPARAM)nPage, 0);
    m_pages.erase(m_pages.begin() + nPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[(size_t)nPage] : NULL;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const {
    auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    return it == m_pages.end() ? -1 : (int)(it - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    if (m_hWnd == NULL)
        return GetPage((int)m_psh.nStartPage);
    HWND hPage = (HWND)::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    return DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hPage));
}

int CPropertySheet::GetActiveIndex() const {
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    return GetPageIndex(GetActivePage());
}

BOOL CPropertySheet::SetActivePage(int nPage) {
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == NULL) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessageW(m_hWnd, PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) {
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle) {
    m_strCaption = lpszText != NULL ? lpszText : L"";
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != NULL)
        ::SendMessageW(m_hWnd, PSM_SETTITLEW, nStyle, (LPARAM)(LPCWSTR)m_strCaption);
}

void CPropertySheet::PrepareHeader() {
    m_pageInfo.clear();
    for (CPropertyPage* pPage : m_pages) {
        pPage->m_bFirstSetActive = TRUE;
        pPage->m_pSheet = this;
        m_pageInfo.push_back(pPage->m_psp);
    }
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)m_pageInfo.size();
    m_psh.ppsp = m_pageInfo.empty() ? NULL : m_pageInfo.data();
    m_psh.pfnCallback = &CPropertySheet::SheetCallback;
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
    HWND hParent = m_pParentWnd != NULL ? m_pParentWnd->GetSafeHwnd()
                                        : CWnd::GetSafeOwner(NULL)->GetSafeHwnd();
    m_psh.hwndParent = hParent;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM) {
    // The creation hook bound the sheet to its window when the window was made.
    CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(hWnd));
    if (message != PSCB_INITIALIZED || pSheet == NULL)
        return 0;
    return AfxGuardWndProc(L"property sheet callback", 0, [&] {
        pSheet->OnInitDialog();
        // A sheet of its own comes up over the middle of its owner, as dialogs do.
        if (!(pSheet->GetStyle() & WS_CHILD))
            pSheet->CenterWindow();
        return 0;
    });
}

BOOL CPropertySheet::OnInitDialog() {
    return TRUE;
}

INT_PTR CPropertySheet::DoModal() {
    if (m_hWnd != NULL || m_pages.empty())
        return -1;
    PrepareHeader();
    m_psh.dwFlags &= ~PSH_MODELESS;
    m_nModalResult = IDCANCEL;
    INT_PTR nResult = -1;
    {
        CWndCreationScope scope(this, WC_DIALOG);
        if (scope.Hooked())
            nResult = ::PropertySheetW(&m_psh);
    }
    if (nResult < 0)
        return -1;
    return nResult > 0 ? IDOK : m_nModalResult;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
    if (m_hWnd != NULL || m_pages.empty())
        return FALSE;
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    PrepareHeader();
    m_psh.dwFlags |= PSH_MODELESS;
    HWND hWnd = NULL;
    {
        CWndCreationScope scope(this, WC_DIALOG);
        if (scope.Hooked())
            hWnd = (HWND)::PropertySheetW(&m_psh);
    }
    if (hWnd == NULL || (INT_PTR)hWnd == -1 || m_hWnd != hWnd)
        return FALSE;
    if (dwStyle != (DWORD)-1)
        ModifyStyle((DWORD)-1, dwStyle);
    if (dwExStyle != 0)
        ModifyStyleEx(0, dwExStyle);
    return TRUE;
}

void CPropertySheet::EndDialog(int nEndID) {
    m_nModalResult = nEndID;
    if (m_hWnd != NULL)
        ::SendMessageW(m_hWnd, PSM_PRESSBUTTON, nEndID == IDOK ? PSBTN_OK : PSBTN_CANCEL, 0);
}

BOOL CPropertySheet::PressButton(int nButton) {
    if (m_hWnd == NULL)
        return FALSE;
    ::SendMessageW(m_hWnd, PSM_PRESSBUTTON, (WPARAM)nButton, 0);
    return TRUE;
}
