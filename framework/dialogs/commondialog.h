// The base of the system's common dialogs (file, font, colour, print). They run through their
// own system call rather than a template of ours; DoModal returns IDOK or IDCANCEL, and on
// IDCANCEL CommDlgExtendedError tells a failure from the user's cancel.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "framework/dialogs/dialog.h"

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog((UINT)0, pParentWnd) {
        m_lpszTemplateName = NULL;
    }

protected:
    // The window the dialog belongs to: the parent's top-level window, or the main window.
    HWND OwnerHwnd() const;
    // The dialog's value of IDOK / IDCANCEL for a system call's result.
    static INT_PTR ResultOf(BOOL bOK) { return bOK ? IDOK : IDCANCEL; }
};
