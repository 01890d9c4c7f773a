#include "framework/dialogs/commondialog.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

HWND CCommonDialog::OwnerHwnd() const {
    if (m_pParentWnd != NULL && m_pParentWnd->GetSafeHwnd() != NULL)
        return m_pParentWnd->GetSafeHwnd();
    return CWnd::GetSafeOwner(NULL)->GetSafeHwnd();
}
