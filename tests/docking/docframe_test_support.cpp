#include "docframe_test_support.h"

#include "docking/sys_command_filters.h"
#include "docking_test_ids.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CDocTestDoc, CDocument)
IMPLEMENT_DYNCREATE(CDocTestView, CView)
IMPLEMENT_DYNCREATE(CFailingDockedFrame, SECDockableFrame)

BEGIN_MESSAGE_MAP(CDocTestView, CView)
ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CFailingDockedFrame, SECDockableFrame)
ON_WM_CREATE()
END_MESSAGE_MAP()

BOOL CDocTestDoc::OnOpenDocument(LPCTSTR lpszPathName) {
    // Any path opens: the tests care for frames, not contents.
    CString strPath = lpszPathName;
    const int nSlash = std::max(strPath.ReverseFind(L'\\'), strPath.ReverseFind(L'/'));
    SetTitle(strPath.Mid(nSlash + 1));
    return TRUE;
}

void CDocTestView::OnDraw(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, RGB(255, 255, 255));
    const CString strTitle = GetDocument() != nullptr ? GetDocument()->GetTitle() : CString();
    pDC->TextOut(4, 4, strTitle);
}

std::vector<CDocTestView*>& CDocTestView::Handled() {
    static std::vector<CDocTestView*> s_views;
    return s_views;
}

void CDocTestView::OnTestCommand() {
    Handled().push_back(this);
}

int CFailingDockedFrame::OnCreate(LPCREATESTRUCT) {
    return -1;
}

void PumpDocMessages() {
    MSG msg;
    for (int i = 0; i < 4; ++i) {
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        AfxGetApp()->OnIdle(0);
    }
}

void DocFrameTest::SetUp() {
    CDocTestView::Handled().clear();
    m_pMain = new SECMDIFrameWnd;
    ASSERT_TRUE(m_pMain->LoadFrame(IDR_TEST_MAIN, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    m_pMain->EnableDocking(CBRS_ALIGN_ANY);
    m_pMain->SetWindowPos(NULL, 20, 20, 900, 680, SWP_NOZORDER | SWP_NOACTIVATE);
    AfxGetApp()->m_pMainWnd = m_pMain;
    m_pMain->ShowWindow(SW_SHOW);
    m_pTemplate = new SECMultiDocTemplate(IDR_TEST_DOC, RUNTIME_CLASS(CDocTestDoc), NULL,
                                          RUNTIME_CLASS(CDocTestView));
    AfxGetDocManager()->AddDocTemplate(m_pTemplate);
    PumpDocMessages();
}

void DocFrameTest::TearDown() {
    if (m_pMain != nullptr && ::IsWindow(m_pMain->m_hWnd)) {
        m_pMain->ShowWindow(SW_HIDE);
        m_pMain->DestroyWindow();
    }
    PumpDocMessages();
    AfxGetApp()->m_pMainWnd = nullptr;
    AfxGetDocManager()->RemoveDocTemplate(m_pTemplate);
    delete m_pTemplate;
}

CFrameWnd* DocFrameTest::FrameOf(CDocument* pDoc) {
    CView* pView = ViewOf(pDoc);
    return pView != nullptr ? pView->GetParentFrame() : nullptr;
}

CView* DocFrameTest::ViewOf(CDocument* pDoc) {
    POSITION pos = pDoc != nullptr ? pDoc->GetFirstViewPosition() : NULL;
    return pos != NULL ? pDoc->GetNextView(pos) : nullptr;
}

CFrameWnd* DocFrameTest::Open(BOOL bDocked, UINT nDockBarID) {
    CDocument* pDoc = m_pTemplate->OpenDocumentFileEx(NULL, TRUE, bDocked, nDockBarID);
    PumpDocMessages();
    return FrameOf(pDoc);
}

void DocFrameTest::SendTarget(CFrameWnd* pFrame, int nTarget) {
    nsSysCommandEx::SysCommandExRecord record = {};
    record.hWnd = pFrame->m_hWnd;
    record.nTarget = nTarget;
    nsSysCommandEx::SendSysCommandEx(pFrame->m_hWnd, nsSysCommandEx::cmdExecute, record);
    PumpDocMessages();
}

int DocFrameTest::QueryState(CFrameWnd* pFrame) {
    nsSysCommandEx::SysCommandExRecord record = {};
    record.hWnd = pFrame->m_hWnd;
    nsSysCommandEx::SendSysCommandEx(pFrame->m_hWnd, nsSysCommandEx::cmdQuery, record);
    return record.nState;
}

int DocFrameTest::BarCount() const {
    return (int)m_pMain->m_listControlBars.GetCount();
}
