// CDocument: views, title and path, modified state, and the open / save / close life cycle.
#include "framework/docview/document.h"

#include "framework/core/archive.h"
#include "framework/docview/doctemplate.h"
#include "framework/core/file.h"
#include "framework/docview/frame.h"
#include "framework/docview/frameids.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

#include <vector>

namespace {
// Serialises the document over the open file and closes it. A failure abandons the file and
// hands back the exception for the caller to report.
CException* SerializeThrough(CDocument& doc, CFile& file, UINT nMode) {
    try {
        CArchive ar(&file, nMode | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = &doc;
        doc.Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        return e;
    }
    return nullptr;
}
} // namespace

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace {
CString FullPathOf(LPCTSTR lpszPath) {
    wchar_t buffer[MAX_PATH];
    DWORD n = ::GetFullPathNameW(lpszPath, MAX_PATH, buffer, NULL);
    return (n == 0 || n >= MAX_PATH) ? CString(lpszPath) : CString(buffer);
}

CString FileNameOf(const CString& strPath) {
    int nSlash = -1;
    for (int i = 0; i < strPath.GetLength(); ++i)
        if (strPath[i] == L'\\' || strPath[i] == L'/' || strPath[i] == L':')
            nSlash = i;
    return strPath.Mid(nSlash + 1);
}
} // namespace

CDocument::CDocument() {}

CDocument::~CDocument() {
    // Views outliving their document must not reach back into it.
    POSITION pos = m_viewList.GetHeadPosition();
    while (pos != NULL)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
    m_strTitle = lpszTitle ? lpszTitle : L"";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
    if (lpszPathName == nullptr || *lpszPathName == 0)
        return;
    m_strPathName = FullPathOf(lpszPathName);
    SetTitle(FileNameOf(m_strPathName));
    if (bAddToMRU)
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
}

// Views.
CView* CDocument::GetNextView(POSITION& rPosition) const {
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView) {
    if (pView == nullptr || pView->m_pDocument == this)
        return;
    if (pView->m_pDocument != nullptr)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList(); // may close (and delete) the document
}

void CDocument::OnChangedViewList() {
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

// Window numbers: a document shown in several frames numbers them 1, 2, ...; one frame shows
// the title alone.
void CDocument::UpdateFrameCounts() {
    std::vector<CFrameWnd*> frames;
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetSafeHwnd() ? pView->GetParentFrame() : nullptr;
        bool bKnown = false;
        for (CFrameWnd* p : frames)
            bKnown = bKnown || p == pFrame;
        if (pFrame != nullptr && !bKnown)
            frames.push_back(pFrame);
    }
    int nWindow = 0;
    for (CFrameWnd* pFrame : frames) {
        pFrame->m_nWindow = frames.size() == 1 ? 0 : ++nWindow;
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

// Life cycle.
BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, 0);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(); // a half-read document is not clean
    if (CException* e = SerializeThrough(*this, file, CArchive::load)) {
        DeleteContents(); // nothing half-read stays behind
        ReportSaveLoadException(lpszPathName, e, FALSE, 0);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

// Writes a temporary file that replaces the target only when everything was written: a failed
// save leaves the old file as it was.
BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
    CMirrorFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive,
                   &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, 0);
        return FALSE;
    }
    if (CException* e = SerializeThrough(*this, file, CArchive::store)) {
        ReportSaveLoadException(lpszPathName, e, TRUE, 0);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                        UINT nIDPDefault) {
    wchar_t text[512] = L"";
    if (e == nullptr || !e->GetErrorMessage(text, 512)) {
        CString strPrompt;
        if (nIDPDefault == 0 || !strPrompt.LoadString(nIDPDefault))
            strPrompt.Format(bSaving ? L"Failed to save document %s."
                                     : L"Failed to open document %s.",
                             lpszPathName ? lpszPathName : L"");
        AfxMessageBox(strPrompt, MB_ICONEXCLAMATION);
        return;
    }
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
    // Destroying the frames removes the views; the document must outlive that.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetSafeHwnd() ? pView->GetParentFrame() : nullptr;
        if (pFrame != nullptr) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        } else if (pView->GetSafeHwnd() != NULL) {
            pView->DestroyWindow();
        }
        // A view whose window could not go is let go of all the same: never loop forever.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg) {
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetSafeHwnd() ? pView->GetParentFrame() : nullptr;
        if (pFrame != nullptr && pFrame != pFrameArg)
            return TRUE; // another frame still shows the document
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::SaveModified() {
    if (!IsModified())
        return TRUE;
    CString strName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CString strPrompt;
    if (strPrompt.LoadString(AFX_IDP_ASK_TO_SAVE))
        strPrompt.Replace(L"%1", strName);
    else
        strPrompt.Format(L"Save changes to %s?", strName.GetString());
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave() {
    DWORD dwAttrib = ::GetFileAttributesW(m_strPathName);
    if (m_strPathName.IsEmpty() ||
        (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
    CString strNewName = lpszPathName ? lpszPathName : L"";
    if (strNewName.IsEmpty()) {
        strNewName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
        CDocManager* pManager = AfxGetDocManager();
        if (pManager == nullptr ||
            !pManager->DoPromptFileName(strNewName, 0, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                                        FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(strNewName))
        return FALSE;
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose() {
    if (SaveModified())
        OnCloseDocument();
}

void CDocument::OnFileSave() {
    DoFileSave();
}
void CDocument::OnFileSaveAs() {
    DoSave(nullptr);
}
