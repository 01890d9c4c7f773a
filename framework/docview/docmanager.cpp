// CDocManager: the application's document templates, and the application's members that use
// them.
#include "framework/docview/doctemplate.h"

#include "framework/docview/document.h"
#include "framework/docview/frame.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

#include <commdlg.h>

#include <memory>
#include <vector>

CDocManager* AfxGetDocManager() {
    static CDocManager manager;
    return &manager;
}

CDocManager::~CDocManager() {
    DeleteTemplates();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate == nullptr || m_templateList.Find(pTemplate) != NULL)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

void CDocManager::RemoveDocTemplate(CDocTemplate* pTemplate) {
    if (POSITION pos = m_templateList.Find(pTemplate))
        m_templateList.RemoveAt(pos);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const {
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

int CDocManager::GetDocumentCount() const {
    int nCount = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        for (POSITION p = pTemplate->GetFirstDocPosition(); p != NULL; ++nCount)
            pTemplate->GetNextDoc(p);
    }
    return nCount;
}

void CDocManager::DeleteTemplates() {
    while (!m_templateList.IsEmpty()) {
        auto* pTemplate = static_cast<CDocTemplate*>(m_templateList.RemoveHead());
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
}

namespace {
// Brings the frame of an open document to the front.
void ActivateDocument(CDocument* pDoc) {
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos ? pDoc->GetNextView(pos) : nullptr;
    CFrameWnd* pFrame = pView ? pView->GetParentFrame() : nullptr;
    if (pFrame != nullptr)
        pFrame->ActivateFrame();
}
} // namespace

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName) {
    if (lpszFileName == nullptr || *lpszFileName == 0)
        return nullptr;
    wchar_t szPath[MAX_PATH];
    DWORD n = ::GetFullPathNameW(lpszFileName, MAX_PATH, szPath, NULL);
    if (n == 0 || n >= MAX_PATH) {
        CString strPrompt;
        strPrompt.Format(L"The file name %s is not valid.", lpszFileName);
        AfxMessageBox(strPrompt, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    CDocTemplate* pBest = nullptr;
    CDocTemplate::Confidence best = CDocTemplate::noAttempt;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pOpen = nullptr;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pOpen);
        if (match == CDocTemplate::yesAlreadyOpen && pOpen != nullptr) {
            ActivateDocument(pOpen);
            return pOpen;
        }
        if (match > best) {
            best = match;
            pBest = pTemplate;
        }
    }
    return pBest ? pBest->OpenDocumentFile(szPath) : nullptr;
}

CDocument* CDocManager::OnFileNew() {
    POSITION pos = GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = pos ? GetNextDocTemplate(pos) : nullptr;
    return pTemplate ? pTemplate->OpenDocumentFile(nullptr) : nullptr;
}

BOOL CDocManager::SaveAllModified() {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                   BOOL bOpenFileDialog, CDocTemplate* pTemplate) {
    // Filter: the template's own type first, then every file.
    std::wstring filter;
    CString strName, strExt;
    if (pTemplate != nullptr && pTemplate->GetDocString(strName, CDocTemplate::filterName) &&
        pTemplate->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty()) {
        filter += strName.GetString();
        filter += L'\0';
        filter += strExt.GetString();
        filter += L'\0';
    }
    filter += L"All Files (*.*)";
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    lstrcpynW(buffer.data(), fileName.GetString(), MAX_PATH);
    CString strTitle;
    if (nIDSTitle != 0)
        strTitle.LoadString(nIDSTitle);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    CWnd* pMain = AfxGetMainWnd();
    ofn.hwndOwner = pMain ? pMain->GetSafeHwnd() : NULL;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = strTitle.IsEmpty() ? nullptr : strTitle.GetString();
    ofn.Flags = lFlags | OFN_EXPLORER | OFN_PATHMUSTEXIST;
    BOOL bOK = bOpenFileDialog ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    if (bOK)
        fileName = buffer.data();
    return bOK;
}

// The application's side.
void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    AfxGetDocManager()->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
    return AfxGetDocManager()->GetFirstDocTemplatePosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
    return AfxGetDocManager()->GetNextDocTemplate(pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
    return AfxGetDocManager()->OpenDocumentFile(lpszFileName);
}

void CWinApp::OnFileNew() {
    AfxGetDocManager()->OnFileNew();
}
