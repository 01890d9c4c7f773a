// Property sheets: a tabbed dialog of the system (CPropertySheet) whose pages are framework
// dialogs (CPropertyPage) made from templates of the library's resources.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <vector>

#include "framework/core/cstring.h"
#include "framework/dialogs/dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // The page becomes current: TRUE to accept. The default loads the members into the
    // controls (the first time OnInitDialog has done it).
    virtual BOOL OnSetActive();
    // The page is about to be left or the sheet confirmed: FALSE keeps it current. The default
    // saves and validates the controls.
    virtual BOOL OnKillActive();
    // The sheet is confirmed (OK or Apply): FALSE keeps it open. The default calls OnOK.
    virtual BOOL OnApply();
    // The sheet is cancelled; the default calls OnCancel.
    virtual void OnReset();
    // May the sheet be cancelled? The default agrees.
    virtual BOOL OnQueryCancel();
    // A page does not end anything itself: the defaults do nothing.
    void OnOK() override;
    void OnCancel() override;

    // Marks the page changed (enables Apply) or unchanged.
    void SetModified(BOOL bChanged = TRUE);

    PROPSHEETPAGEW m_psp;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    friend class CPropertySheet;
    CString m_strCaption;
    BOOL m_bFirstSetActive = TRUE;
    CPropertySheet* m_pSheet = NULL;
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    // Pages are shown in the order they were added; the sheet does not own them.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return (int)m_pages.size(); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(const CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);

    // IDOK when the sheet was confirmed, IDCANCEL when cancelled, -1 when it cannot be made.
    virtual INT_PTR DoModal();
    // Modeless; FALSE when the sheet cannot be made.
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    void EndDialog(int nEndID);
    BOOL PressButton(int nButton);

    // The sheet's window exists and its pages can be reached.
    virtual BOOL OnInitDialog();

    PROPSHEETHEADERW m_psh;
    CWnd* m_pParentWnd;
    int m_nModalResult = IDCANCEL;

private:
    friend class CPropertyPage;
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
    void PrepareHeader();

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEW> m_pageInfo;
    CString m_strCaption;
};
