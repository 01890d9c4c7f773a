// CDialog: a window made from a dialog template of the library's resources, run modally
// (DoModal) or modelessly (Create). Its controls exchange their values with member variables
// through DoDataExchange, driven by UpdateData.
#pragma once

#include <windows.h>

#include "framework/win/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);

    // Modeless: the dialog of the template (or the one given at construction). FALSE when the
    // template is missing or OnInitDialog fails the creation.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);

    // Modal: runs until EndDialog and returns its result; -1 when the dialog cannot be made.
    virtual INT_PTR DoModal();
    // Modal from an in-memory template (instead of a resource).
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);

    // Ends a modal dialog with nResult (a modeless one is hidden).
    void EndDialog(int nResult);

    // Controls to members (bSaveAndValidate) or members to controls. FALSE when a value failed
    // validation; the user has been told and the focus is on the control at fault.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void SetDefID(UINT nID);
    DWORD GetDefID() const;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The template: a resource name, or an id when m_lpszTemplateName is an integer resource.
    LPCTSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;
    // The result EndDialog was last given; derived dialogs also keep their state here.
    int m_nModalResult;

    // After the controls exist: the default exchanges the members into them and lets the
    // system give the focus to the first control (TRUE).
    virtual BOOL OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // OK: save and validate, then end with IDOK; Cancel: end with IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();

    LPCDLGTEMPLATE m_lpDialogTemplate;

    DECLARE_MESSAGE_MAP()

public:
    // Set when OnInitDialog ended with an exception (the dialog is then taken down).
    BOOL m_bInitFailed = FALSE;

private:
    HWND OwnerWindow(CWnd* pParentWnd) const;
    LPCDLGTEMPLATE LoadTemplate() const;
};

// Binds the next dialog created on this thread (the first that reaches the framework's dialog
// procedure) to pDialog before any of its handlers run. Returns the previous pending dialog,
// which the caller restores afterwards.
// The dialog procedure of every framework dialog and property page.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
