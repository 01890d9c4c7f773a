#include "framework/dialogs/dialog.h"

#include "framework/core/guard.h"

#include "framework/dialogs/dataexchange.h"
#include "framework/core/exceptions.h"
#include "framework/win/resources.h"
#include "framework/win/wnd_state.h"

#include <prsht.h>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {
// The object bound to a dialog window. A dialog was bound by the creation hook; a property page,
// whose window the sheet makes, is bound to the page its WM_INITDIALOG names.
CDialog* DialogOf(HWND hWnd, UINT message, LPARAM lParam) {
    if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd))
        return DYNAMIC_DOWNCAST(CDialog, pWnd);
    CDialog* pDialog = NULL;
    if (message == WM_INITDIALOG && lParam != 0) {
        // Only pages made by the framework reach this procedure with a parameter.
        auto* pPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        if (pPage->pfnDlgProc == &AfxDlgProc)
            pDialog = reinterpret_cast<CDialog*>(pPage->lParam);
    }
    if (pDialog == NULL || !pDialog->SubclassWindow(hWnd))
        return NULL;
    return pDialog;
}

INT_PTR InitDialog(CDialog* pDialog, HWND hWnd) {
    AfxCaughtException caught;
    INT_PTR result = FALSE;
    if (AfxTryCall([&] { result = pDialog->OnInitDialog(); }, &caught))
        return result;
    AfxReportBoundaryException(L"dialog initialisation", caught);
    // A dialog that could not set itself up is not shown half made.
    pDialog->m_bInitFailed = TRUE;
    ::EndDialog(hWnd, -1);
    return FALSE;
}
} // namespace

// Messages reach the object through the window procedure it subclassed; this procedure sees
// what the dialog manager hands it, of which only WM_INITDIALOG is the framework's.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    return AfxGuardWndProc(L"dialog procedure", (INT_PTR)FALSE, [&]() -> INT_PTR {
        CDialog* pDialog = DialogOf(hWnd, message, lParam);
        if (pDialog == NULL || message != WM_INITDIALOG)
            return FALSE;
        return InitDialog(pDialog, hWnd);
    });
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_nIDHelp(0), m_pParentWnd(NULL), m_nModalResult(-1),
      m_lpDialogTemplate(NULL) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd), m_nModalResult(-1), m_lpDialogTemplate(NULL) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_nIDHelp(0), m_pParentWnd(pParentWnd),
      m_nModalResult(-1), m_lpDialogTemplate(NULL) {
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
}

LPCDLGTEMPLATE CDialog::LoadTemplate() const {
    if (m_lpDialogTemplate != NULL)
        return m_lpDialogTemplate;
    if (m_lpszTemplateName == NULL)
        return NULL;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    return hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
}

HWND CDialog::OwnerWindow(CWnd* pParentWnd) const {
    if (pParentWnd != NULL)
        return pParentWnd->GetSafeHwnd();
    return CWnd::GetSafeOwner(NULL)->GetSafeHwnd();
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    m_lpDialogTemplate = NULL;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    LPCDLGTEMPLATE lpTemplate = LoadTemplate();
    return lpTemplate != NULL && CreateIndirect(lpTemplate, pParentWnd);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    if (lpDialogTemplate == NULL || m_hWnd != NULL)
        return FALSE;
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    HWND hParent = OwnerWindow(m_pParentWnd);
    m_bInitFailed = FALSE;
    HWND hWnd = NULL;
    {
        CWndCreationScope scope(this, WC_DIALOG);
        if (scope.Hooked())
            hWnd = ::CreateDialogIndirectParamW(AfxGetResourceHandle(), lpDialogTemplate, hParent,
                                                AfxDlgProc, 0);
    }
    if (hWnd == NULL)
        return FALSE;
    if (m_hWnd != hWnd || m_bInitFailed) {
        // The window never reached the framework, or failed to set itself up.
        m_bInitFailed = FALSE;
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    if (lpDialogTemplate == NULL)
        return FALSE;
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    LPCDLGTEMPLATE lpTemplate = LoadTemplate();
    if (lpTemplate == NULL || m_hWnd != NULL)
        return -1;
    HWND hOwner = OwnerWindow(m_pParentWnd);
    m_nModalResult = -1;
    INT_PTR nResult = -1;
    {
        CWndCreationScope scope(this, WC_DIALOG);
        if (scope.Hooked())
            nResult = ::DialogBoxIndirectParamW(AfxGetResourceHandle(), lpTemplate, hOwner,
                                                AfxDlgProc, 0);
    }
    // The owner comes back to the front once the dialog is gone.
    if (hOwner != NULL && ::IsWindow(hOwner) && ::GetActiveWindow() == NULL)
        ::SetActiveWindow(hOwner);
    return nResult;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_hWnd != NULL)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    if (m_hWnd == NULL)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (CUserException* e) {
        // Validation has told the user and put the focus on the control.
        e->Delete();
    } catch (CException* e) {
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
    }
    return FALSE;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    HWND hWndCtrl = pWndCtrl->GetSafeHwnd();
    if (m_hWnd != NULL && hWndCtrl != NULL)
        SendMessage(WM_NEXTDLGCTL, (WPARAM)hWndCtrl, 1L);
}

void CDialog::NextDlgCtrl() const {
    SendMessage(WM_NEXTDLGCTL, 0, 0);
}
void CDialog::PrevDlgCtrl() const {
    SendMessage(WM_NEXTDLGCTL, 1, 0);
}
void CDialog::SetDefID(UINT nID) {
    SendMessage(DM_SETDEFID, nID);
}

DWORD CDialog::GetDefID() const {
    return (DWORD)SendMessage(DM_GETDEFID);
}

// A modeless dialog needs the dialog manager's keyboard handling (Tab, Enter, Escape,
// mnemonics) from the application's message loop; a modal one has it from its own loop.
BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (m_hWnd == NULL || pMsg == NULL)
        return FALSE;
    const bool bInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                        (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!bInput || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
