// Document templates: what class of document, frame and view make up one kind of window, the
// template's strings, and the list of documents it has open. CDocManager keeps the application's
// templates.
#pragma once

#include <windows.h>

#include "framework/win/cmdtarget.h"
#include "framework/docview/createcontext.h"
#include "framework/core/cstring.h"
#include "framework/core/lists.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // Fields of the template's string resource, separated by '\n'.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    ~CDocTemplate() override;

    // Loads the strings (and, in derived templates, menu and accelerators) of m_nIDResource.
    virtual void LoadTemplate();
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual CDocument* CreateNewDocument();
    // A new frame (with its view) for pDoc; NULL when it cannot be made.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // Opens lpszPathName, or a new untitled document when it is NULL, in a new frame.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    UINT GetResourceID() const { return m_nIDResource; }

    BOOL m_bAutoDelete = TRUE; // the application deletes the template at the end
    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
    // Shows a failure to the user (string nIDPrompt, or lpszFallback when the resource lacks it).
    static void ReportFailure(UINT nIDPrompt, LPCTSTR lpszFallback);
};

// A template whose documents each get their own MDI child frame.
class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    HMENU m_hMenuShared = NULL;  // the menu the frame shows while such a document is active
    HACCEL m_hAccelTable = NULL; // likewise for accelerators

protected:
    CPtrList m_docList;
    UINT m_nUntitledCount = 0;
};

// The application's templates, in the order they were added.
class CDocManager : public CObject {
public:
    CDocManager() = default;
    ~CDocManager() override;

    void AddDocTemplate(CDocTemplate* pTemplate);
    // Takes a template out of the list (without deleting it).
    void RemoveDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    int GetDocumentCount() const;

    // Opens a path with the template that fits it best; a document already open on the same
    // path is activated instead of opened twice.
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // A new untitled document of the first template.
    CDocument* OnFileNew();
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    // Asks the user for a file name (open or save).
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                  BOOL bOpenFileDialog, CDocTemplate* pTemplate);

    // Deletes every template whose m_bAutoDelete is set and empties the list.
    void DeleteTemplates();

private:
    CPtrList m_templateList;
};

// The application's document manager.
CDocManager* AfxGetDocManager();
