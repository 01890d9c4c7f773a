#include "test_app.h"

std::vector<std::string> g_log;
int CTextDoc::s_nAlive = 0;
int CNoteDoc::s_nAlive = 0;
int CTextFrame::s_nAlive = 0;

static CTestApp theApp;
CTestApp& TestApp() {
    return theApp;
}

IMPLEMENT_DYNCREATE(CTextDoc, CDocument)
BEGIN_MESSAGE_MAP(CTextDoc, CDocument)
ON_COMMAND(ID_TEST_DOC, OnDocCommand)
ON_UPDATE_COMMAND_UI(ID_TEST_DOC, OnUpdateDoc)
ON_COMMAND_EX(ID_TEST_ALL, OnAll)
ON_COMMAND(ID_TEST_NOT_VIEW, OnNotView)
END_MESSAGE_MAP()

void CTextDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.Write(m_strText.data(), (UINT)m_strText.size());
        if (m_strText.rfind("bad", 0) == 0)
            AfxThrowArchiveException(CArchiveException::badIndex, NULL);
        return;
    }
    char buffer[256];
    for (UINT n; (n = ar.Read(buffer, sizeof(buffer))) > 0;)
        m_strText.append(buffer, n);
    if (m_strText.rfind("bad", 0) == 0)
        AfxThrowArchiveException(CArchiveException::badIndex, NULL);
}

IMPLEMENT_DYNCREATE(CNoteDoc, CDocument)

IMPLEMENT_DYNCREATE(CTextView, CView)
BEGIN_MESSAGE_MAP(CTextView, CView)
ON_WM_VSCROLL()
ON_COMMAND(ID_TEST_VIEW, OnViewCommand)
ON_COMMAND_EX(ID_TEST_ALL, OnAll)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(CNoteView, CView)
IMPLEMENT_DYNCREATE(CSideView, CView)

IMPLEMENT_DYNCREATE(CFailView, CView)
BEGIN_MESSAGE_MAP(CFailView, CView)
ON_WM_CREATE()
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(CTextFrame, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CTextFrame, CMDIChildWnd)
ON_COMMAND(ID_TEST_FRAME, OnFrameCommand)
ON_COMMAND_EX(ID_TEST_ALL, OnAll)
ON_COMMAND(ID_TEST_NOT_VIEW, OnNotView)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(CStaticSplitFrame, CMDIChildWnd)
BOOL CStaticSplitFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    return m_wndSplitter.CreateStatic(this, 1, 2) &&
           m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CSideView), CSize(80, 100), pContext) &&
           m_wndSplitter.CreateView(0, 1, pContext->m_pNewViewClass, CSize(0, 0), pContext);
}

IMPLEMENT_DYNCREATE(CDynSplitFrame, CMDIChildWnd)
BOOL CDynSplitFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    return m_wndSplitter.Create(this, 2, 2, CSize(10, 10), pContext);
}

IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
ON_COMMAND(ID_TEST_MAIN, OnMainCommand)
ON_COMMAND_EX(ID_TEST_ALL, OnAll)
ON_COMMAND(ID_TEST_NOT_VIEW, OnNotView)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_TEST_APP, OnAppCommand)
ON_COMMAND_EX(ID_TEST_ALL, OnAll)
ON_COMMAND(ID_TEST_NOT_VIEW, OnNotView)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

void CTestApp::AddTemplates() {
    if (m_pTextTemplate != nullptr)
        return;
    m_pTextTemplate = new CMultiDocTemplate(IDR_TEXT, RUNTIME_CLASS(CTextDoc),
                                            RUNTIME_CLASS(CTextFrame), RUNTIME_CLASS(CTextView));
    m_pNoteTemplate =
        new CMultiDocTemplate(IDR_NOTE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CStaticSplitFrame),
                              RUNTIME_CLASS(CNoteView));
    m_pDynTemplate = new CMultiDocTemplate(IDR_DYN, RUNTIME_CLASS(CTextDoc),
                                           RUNTIME_CLASS(CDynSplitFrame), RUNTIME_CLASS(CTextView));
    m_pFailTemplate = new CMultiDocTemplate(IDR_FAIL, RUNTIME_CLASS(CTextDoc),
                                            RUNTIME_CLASS(CTextFrame), RUNTIME_CLASS(CFailView));
    AddDocTemplate(m_pTextTemplate);
    AddDocTemplate(m_pNoteTemplate);
    AddDocTemplate(m_pDynTemplate);
    AddDocTemplate(m_pFailTemplate);
}

BEGIN_MESSAGE_MAP(CTopBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

LRESULT CTopBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + 20);
    AfxRepositionWindow(pLayout, m_hWnd, &rect);
    pLayout->rect.top += 20;
    ++m_nCalls;
    return 0;
}

void PumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

int MessageBoxAnswer::s_nAnswer = IDOK;
std::vector<std::wstring> MessageBoxAnswer::s_texts;

namespace {
int AnswerBox(LPCTSTR lpszText, UINT) {
    MessageBoxAnswer::s_texts.push_back(lpszText);
    return MessageBoxAnswer::s_nAnswer;
}
} // namespace

MessageBoxAnswer::MessageBoxAnswer(int nAnswer) : m_previous(AfxSetMessageBoxHook(&AnswerBox)) {
    s_nAnswer = nAnswer;
    s_texts.clear();
}
MessageBoxAnswer::~MessageBoxAnswer() {
    AfxSetMessageBoxHook(m_previous);
}

void DocViewTest::SetUp() {
    g_log.clear();
    TestApp().AddTemplates();
    m_pMain = new CTestMainFrame;
    ASSERT_TRUE(m_pMain->LoadFrame(IDR_MAINFRAME));
    TestApp().m_pMainWnd = m_pMain;
    // The frame stays hidden: destroying a shown top-level window under Xvfb without a window
    // manager waits seconds for a withdrawal that never comes.
}

void DocViewTest::TearDown() {
    MessageBoxAnswer noPrompts(IDNO);
    AfxGetDocManager()->CloseAllDocuments(FALSE);
    if (CWnd* pMain = TestApp().m_pMainWnd)
        pMain->DestroyWindow();
    TestApp().m_pMainWnd = nullptr;
    PumpPending();
    EXPECT_EQ(0, CTextDoc::s_nAlive);
    EXPECT_EQ(0, CNoteDoc::s_nAlive);
    EXPECT_EQ(0, CTextFrame::s_nAlive); // frames, failed ones included, delete themselves
}

CDocument* DocViewTest::OpenNew(CDocTemplate* pTemplate, CFrameWnd** ppFrame) {
    CDocument* pDoc = pTemplate->OpenDocumentFile(nullptr);
    if (ppFrame != nullptr) {
        *ppFrame = nullptr;
        if (pDoc != nullptr) {
            POSITION pos = pDoc->GetFirstViewPosition();
            *ppFrame = pos ? pDoc->GetNextView(pos)->GetParentFrame() : nullptr;
        }
    }
    return pDoc;
}
