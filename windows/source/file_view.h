// The file viewer's view: the plain editor view over the viewer's model, which keeps its caret
// place while it is away from the focus.
#pragma once

#include "editor/edit_view.h"

class CFileDoc;

class CFileView : public SECEditView {
    DECLARE_DYNCREATE(CFileView)
public:
    CFileView();
    ~CFileView() override;

    // The viewer's own model in its document.
    SECEditModel* CreateModel() override;
    BOOL UsesController() override;

    // Shows a 1-based line, no further than lastLine (-1: the line itself).
    void GotoLine(int line, int lastLine);
    void SetFilePath(LPCTSTR lpszPath) { m_filePath = lpszPath; }
    const CString& GetFilePath() const { return m_filePath; }
    CFileDoc* GetDocument() const;
    int GetSavedLine() const { return m_savedLine; }
    int GetSavedColumn() const { return m_savedColumn; }

protected:
    void PostNcDestroy() override;
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    CString m_filePath;
    int m_savedLine = 0;
    int m_savedColumn = 0;
    SECEditController* m_controller = nullptr; // the viewport owns it
};

// The file view that was created last and is not destroyed yet, or null.
CFileView* CurrentFileView();
