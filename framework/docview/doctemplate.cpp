// CDocTemplate and CMultiDocTemplate: making documents with their frames and views.
#include "framework/docview/doctemplate.h"

#include "framework/docview/document.h"
#include "framework/docview/frame.h"
#include "framework/docview/frameids.h"
#include "framework/win/resources.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

#include <vector>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() {}

void CDocTemplate::LoadTemplate() {
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
    return AfxExtractSubString(rString, m_strDocStrings, (int)index, L'\n');
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
    CObject* pObject = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    if (pObject == nullptr)
        return nullptr;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CDocument))) {
        delete pObject;
        return nullptr;
    }
    auto* pDoc = static_cast<CDocument*>(pObject);
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    context.m_pLastView = pOther ? pOther->GetActiveView() : nullptr;
    CObject* pObject = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    if (pObject == nullptr)
        return nullptr;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        delete pObject;
        return nullptr;
    }
    auto* pFrame = static_cast<CFrameWnd*>(pObject);
    // A frame that fails to load has deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    if (pFrame != nullptr)
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) {
    rpDocMatch = nullptr;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (pDoc->GetPathName().CompareNoCase(lpszPathName) == 0) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty()) {
        // Each extension of the field ("*.c;*.h" or ".c") against the path's end.
        CString strPath = lpszPathName;
        int iStart = 0;
        for (CString strExt = strFilterExt.Tokenize(L";", iStart); iStart >= 0;
             strExt = strFilterExt.Tokenize(L";", iStart)) {
            strExt.TrimLeft(L'*');
            if (!strExt.IsEmpty() && strPath.GetLength() >= strExt.GetLength() &&
                strPath.Right(strExt.GetLength()).CompareNoCase(strExt) == 0)
                return yesAttemptNative;
        }
    }
    return yesAttemptForeign;
}

BOOL CDocTemplate::SaveAllModified() {
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
    // Closing changes the list: work from a copy, and skip documents already gone.
    std::vector<CDocument*> docs;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
        docs.push_back(GetNextDoc(pos));
    for (CDocument* pDoc : docs) {
        bool bStillOpen = false;
        for (POSITION p = GetFirstDocPosition(); p != NULL && !bStillOpen;)
            bStillOpen = GetNextDoc(p) == pDoc;
        if (bStillOpen)
            pDoc->OnCloseDocument();
    }
}

void CDocTemplate::ReportFailure(UINT nIDPrompt, LPCTSTR lpszFallback) {
    CString strPrompt;
    if (!strPrompt.LoadString(nIDPrompt))
        strPrompt = lpszFallback;
    AfxMessageBox(strPrompt, MB_OK | MB_ICONEXCLAMATION);
}

// CMultiDocTemplate.
CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                     CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate() {
    // Documents still open lose their template rather than keep a dangling pointer.
    while (!m_docList.IsEmpty())
        RemoveDocument(static_cast<CDocument*>(m_docList.GetHead()));
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::LoadTemplate() {
    CDocTemplate::LoadTemplate();
    if (m_hMenuShared == NULL)
        m_hMenuShared = AfxLoadMenu(MAKEINTRESOURCE(m_nIDResource));
    if (m_hAccelTable == NULL)
        m_hAccelTable = AfxLoadAccelerators(MAKEINTRESOURCE(m_nIDResource));
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const {
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
    if (m_docList.Find(pDoc) == NULL)
        m_docList.AddTail(pDoc);
    CDocTemplate::AddDocument(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
    if (POSITION pos = m_docList.Find(pDoc))
        m_docList.RemoveAt(pos);
    CDocTemplate::RemoveDocument(pDoc);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString strName;
    if (!GetDocString(strName, docName) || strName.IsEmpty())
        strName = L"Untitled";
    CString strTitle;
    strTitle.Format(L"%s%u", strName.GetString(), m_nUntitledCount + 1);
    pDocument->SetTitle(strTitle);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* pDoc = CreateNewDocument();
    if (pDoc == nullptr) {
        ReportFailure(AFX_IDP_FAILED_TO_CREATE_DOC, L"Failed to create empty document.");
        return nullptr;
    }
    // While the frame is made the document must survive views that come and go.
    const BOOL bAutoDelete = pDoc->m_bAutoDelete;
    pDoc->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDoc, nullptr);
    pDoc->m_bAutoDelete = bAutoDelete;
    if (pFrame == nullptr) {
        ReportFailure(AFX_IDP_FAILED_TO_CREATE_DOC, L"Failed to create empty document.");
        delete pDoc;
        return nullptr;
    }
    BOOL bOpened;
    if (lpszPathName == nullptr) {
        SetDefaultTitle(pDoc);
        bOpened = pDoc->OnNewDocument();
    } else {
        pDoc->BeginWaitCursor();
        bOpened = pDoc->OnOpenDocument(lpszPathName);
        pDoc->EndWaitCursor();
    }
    if (!bOpened) {
        // Destroying the frame closes the (auto-delete) document with its last view.
        pFrame->DestroyWindow();
        return nullptr;
    }
    if (lpszPathName == nullptr)
        ++m_nUntitledCount;
    else
        pDoc->SetPathName(lpszPathName);
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}
