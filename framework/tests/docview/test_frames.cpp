// Frames: the size-parent layout, status prompts, titles and the MDI child operations.
#include "test_app.h"

TEST_F(DocViewTest, BarsTakeTheirSpaceFirstAndTheClientGetsTheRest) {
    CTopBar bar;
    ASSERT_TRUE(bar.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pMain,
                           AFX_IDW_CONTROLBAR_FIRST + 5));
    m_pMain->RecalcLayout();
    EXPECT_GE(bar.m_nCalls, 1);
    CRect client, mdi;
    m_pMain->GetClientRect(&client);
    ::GetWindowRect(m_pMain->m_hWndMDIClient, &mdi);
    m_pMain->ScreenToClient(&mdi);
    EXPECT_EQ(CRect(0, 20, client.right, client.bottom), mdi);

    CRect query;
    m_pMain->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposQuery, &query);
    EXPECT_EQ(CRect(0, 20, client.right, client.bottom), query);
    bar.DestroyWindow();
}

TEST_F(DocViewTest, StatusPromptsComeFromTheCommandStrings) {
    CWnd status;
    ASSERT_TRUE(status.CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, 100, 20), m_pMain,
                                AFX_IDW_STATUS_BAR));
    const struct {
        UINT nID;
        const wchar_t* prompt;
    } cases[] = {{ID_TEST_VIEW, L"Runs the view's command"},
                 {ID_TEST_APP, L"Runs the application's command"},
                 {ID_TEST_NONE, L""}};
    for (const auto& c : cases) {
        m_pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(c.nID, MF_STRING), 0);
        CString text;
        status.GetWindowText(text);
        EXPECT_STREQ(c.prompt, text.GetString()) << c.nID;
    }
    m_pMain->SetMessageText(L"plain");
    CString text;
    status.GetWindowText(text);
    EXPECT_STREQ(L"plain", text.GetString());
    status.DestroyWindow();
}

TEST_F(DocViewTest, TheMainTitleNamesTheActiveDocument) {
    CString title;
    m_pMain->GetWindowText(title);
    EXPECT_STREQ(L"DocView Test", title.GetString());
    CFrameWnd* pFrame = nullptr;
    CDocument* pDoc = OpenNew(TestApp().m_pTextTemplate, &pFrame);
    ASSERT_NE(nullptr, pDoc);
    m_pMain->GetWindowText(title);
    EXPECT_STREQ((L"DocView Test - " + pDoc->GetTitle()).GetString(), title.GetString());
}

TEST_F(DocViewTest, MdiChildrenActivateMaximiseAndCycle) {
    CFrameWnd* pOne = nullptr;
    CFrameWnd* pTwo = nullptr;
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pTextTemplate, &pOne));
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pNoteTemplate, &pTwo));
    auto* pChildOne = static_cast<CMDIChildWnd*>(pOne);
    auto* pChildTwo = static_cast<CMDIChildWnd*>(pTwo);
    EXPECT_EQ(m_pMain, pChildOne->GetMDIFrame());
    EXPECT_EQ(pChildTwo, m_pMain->MDIGetActive());
    m_pMain->MDINext();
    EXPECT_EQ(pChildOne, m_pMain->MDIGetActive());
    pChildTwo->MDIActivate();
    EXPECT_EQ(pChildTwo, m_pMain->MDIGetActive());

    BOOL bMaximized = FALSE;
    pChildTwo->MDIMaximize();
    EXPECT_EQ(pChildTwo, m_pMain->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_TRUE(pChildTwo->IsZoomed());
    pChildTwo->MDIRestore();
    m_pMain->MDIGetActive(&bMaximized);
    EXPECT_FALSE(bMaximized);

    // The Window menu lists the children.
    HMENU hWindow = m_pMain->GetWindowMenuPopup(::GetMenu(m_pMain->m_hWnd));
    ASSERT_NE(nullptr, hWindow);
    EXPECT_NE((UINT)-1, ::GetMenuState(hWindow, AFX_IDM_FIRST_MDICHILD, MF_BYCOMMAND));
    m_pMain->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD); // picks the first child
    EXPECT_EQ(pChildOne, m_pMain->MDIGetActive());
    pChildTwo->MDIActivate();
    pChildTwo->MDIDestroy();
    PumpPending();
    EXPECT_EQ(0, CNoteDoc::s_nAlive);
    EXPECT_EQ(pChildOne, m_pMain->MDIGetActive());
}

TEST_F(DocViewTest, CreatingALiveMdiChildAgainFailsAndKeepsIt) {
    CFrameWnd* pFrame = nullptr;
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pTextTemplate, &pFrame));
    auto* pChild = static_cast<CMDIChildWnd*>(pFrame);
    const int nFrames = CTextFrame::s_nAlive;
    HWND hWnd = pChild->m_hWnd;
    EXPECT_FALSE(pChild->Create(nullptr, L"again", WS_CHILD | WS_OVERLAPPEDWINDOW,
                                CFrameWnd::rectDefault, m_pMain));
    EXPECT_EQ(nFrames, CTextFrame::s_nAlive); // the object of the live window stays
    EXPECT_EQ(pChild, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(pChild, m_pMain->MDIGetActive());
}

TEST_F(DocViewTest, FileNewOnTheApplicationOpensTheFirstTemplate) {
    m_pMain->SendMessage(WM_COMMAND, ID_FILE_NEW);
    CMDIChildWnd* pChild = m_pMain->MDIGetActive();
    ASSERT_NE(nullptr, pChild);
    EXPECT_TRUE(pChild->GetActiveDocument()->IsKindOf(RUNTIME_CLASS(CTextDoc)));
    // File Close on the document's route closes it.
    m_pMain->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    PumpPending();
    EXPECT_EQ(0, CTextDoc::s_nAlive);
}

// A frame of its own (not MDI) builds its view from the context and routes to the application.
TEST_F(DocViewTest, ATopLevelFrameHoldsItsViewAndClosesWithItsDocument) {
    CDocTemplate* pTemplate = TestApp().m_pTextTemplate;
    CDocument* pDoc = pTemplate->CreateNewDocument();
    ASSERT_NE(nullptr, pDoc);
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = RUNTIME_CLASS(CTextView);
    context.m_pNewDocTemplate = pTemplate;
    auto* pFrame = new CFrameWnd;
    ASSERT_TRUE(
        pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context));
    pFrame->InitialUpdateFrame(pDoc, FALSE);
    auto* pView = DYNAMIC_DOWNCAST(CTextView, pFrame->GetActiveView());
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(1, pView->m_nInitialUpdates);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());
    EXPECT_NE(nullptr, ::GetMenu(pFrame->m_hWnd));

    pFrame->SendMessage(WM_COMMAND, ID_TEST_ALL);
    EXPECT_EQ((std::vector<std::string>{"view", "doc", "app"}), g_log);

    CRect client, view;
    pFrame->GetClientRect(&client);
    pView->GetWindowRect(&view);
    pFrame->ScreenToClient(&view);
    EXPECT_EQ(client, view);

    pFrame->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(0, CTextDoc::s_nAlive);
    EXPECT_EQ(m_pMain, TestApp().m_pMainWnd); // not the main window: the application goes on
}

namespace {
// A view whose "printer" is a memory DC, on which a print job cannot start.
class CPrintTestView : public CView {
public:
    void OnDraw(CDC*) override { ++m_nDrawn; }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
        pInfo->SetMaxPage(3);
        pInfo->m_hPrinterDC = ::CreateCompatibleDC(NULL);
        return TRUE;
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo*) override { m_bPrinting = pDC->IsPrinting(); }
    void OnEndPrinting(CDC*, CPrintInfo*) override { ++m_nEnded; }
    BOOL m_bPrinting = FALSE;
    int m_nEnded = 0;
    int m_nDrawn = 0;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPrintTestView, CView)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
END_MESSAGE_MAP()
} // namespace

TEST_F(DocViewTest, AFailingPrintJobIsReportedAndClosedCleanly) {
    CPrintTestView* pView = new CPrintTestView;
    ASSERT_TRUE(pView->Create(NULL, NULL, WS_CHILD, CRect(0, 0, 50, 50), m_pMain, 0x7000));
    MessageBoxAnswer answer(IDOK);
    pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_TRUE(pView->m_bPrinting);
    EXPECT_EQ(1, pView->m_nEnded);
    EXPECT_EQ(0, pView->m_nDrawn);
    ASSERT_EQ(1u, MessageBoxAnswer::s_texts.size());
    EXPECT_EQ(L"Printing failed.", MessageBoxAnswer::s_texts[0]);
    pView->DestroyWindow();
}
