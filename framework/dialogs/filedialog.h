// CFileDialog: the system's Open and Save As dialogs.
#pragma once

#include <vector>

#include "framework/dialogs/commondialog.h"
#include "framework/core/cstring.h"

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: pairs of description and patterns separated by '|' and ended by "||", e.g.
    // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||". lpszDefExt is added to a typed name
    // without extension. dwSize is accepted for compatibility and ignored.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL,
                         LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL, DWORD dwSize = 0);

    INT_PTR DoModal() override;

    // The chosen file: full path, name with extension, extension without the dot, name
    // without extension.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

    // The system's description of the dialog; callers may adjust it (title, flags, initial
    // folder) before DoModal. lpstrFile points into a buffer large enough for any path.
    OPENFILENAMEW m_ofn;
    BOOL m_bOpenFileDialog;

private:
    std::wstring m_strFilter; // the filter with '\0' separators
    std::wstring m_strDefExt;
    std::vector<wchar_t> m_fileBuffer;
};
