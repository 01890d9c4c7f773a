// Templates make documents with frames and views; documents close with their last view.
#include "test_app.h"

#include <fstream>

namespace {
std::wstring TempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

void WriteFile(const std::wstring& path, const std::string& text) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    ::WriteFile(h, text.data(), (DWORD)text.size(), &written, NULL);
    ::CloseHandle(h);
}

int CountDocs(CDocTemplate* pTemplate) {
    int n = 0;
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL; ++n)
        pTemplate->GetNextDoc(pos);
    return n;
}
} // namespace

TEST_F(DocViewTest, TemplatesMakeMdiChildrenWithTheirViewClasses) {
    CFrameWnd* pTextFrame = nullptr;
    CDocument* pText = OpenNew(TestApp().m_pTextTemplate, &pTextFrame);
    ASSERT_NE(nullptr, pText);
    EXPECT_TRUE(pText->IsKindOf(RUNTIME_CLASS(CTextDoc)));
    ASSERT_NE(nullptr, pTextFrame);
    EXPECT_TRUE(pTextFrame->IsKindOf(RUNTIME_CLASS(CTextFrame)));
    EXPECT_EQ(m_pMain->m_hWndMDIClient, ::GetParent(pTextFrame->m_hWnd));
    EXPECT_TRUE(pTextFrame->GetActiveView()->IsKindOf(RUNTIME_CLASS(CTextView)));
    EXPECT_EQ(pText, pTextFrame->GetActiveDocument());
    EXPECT_EQ(1, static_cast<CTextView*>(pTextFrame->GetActiveView())->m_nInitialUpdates);
    EXPECT_EQ(TestApp().m_pTextTemplate, pText->GetDocTemplate());

    CFrameWnd* pNoteFrame = nullptr;
    CDocument* pNote = OpenNew(TestApp().m_pNoteTemplate, &pNoteFrame);
    ASSERT_NE(nullptr, pNote);
    EXPECT_TRUE(pNoteFrame->IsKindOf(RUNTIME_CLASS(CStaticSplitFrame)));
    EXPECT_EQ(pNoteFrame, m_pMain->MDIGetActive());
    EXPECT_EQ(m_pMain->GetActiveFrame(), pNoteFrame);

    // Untitled documents are named after the template's document name and numbered.
    EXPECT_STREQ(L"Text", pText->GetTitle().Left(4).GetString());
    EXPECT_STREQ(L"Note", pNote->GetTitle().Left(4).GetString());
    CDocument* pNext = OpenNew(TestApp().m_pTextTemplate);
    EXPECT_EQ(_wtoi(pText->GetTitle().Mid(4)) + 1, _wtoi(pNext->GetTitle().Mid(4)));
    CString strCaption;
    pTextFrame->GetWindowText(strCaption);
    EXPECT_STREQ(pText->GetTitle().GetString(), strCaption.GetString());
    CString strName;
    EXPECT_TRUE(TestApp().m_pNoteTemplate->GetDocString(strName, CDocTemplate::docName));
    EXPECT_STREQ(L"Note", strName.GetString());
    EXPECT_EQ(2, CountDocs(TestApp().m_pTextTemplate));
}

TEST_F(DocViewTest, OpeningAPathPicksTheTemplateByExtensionAndNeverOpensTwice) {
    std::wstring path = TempPath(L"docview_open.note");
    WriteFile(path, "note");
    CDocument* pDoc = TestApp().OpenDocumentFile(path.c_str());
    ASSERT_NE(nullptr, pDoc);
    EXPECT_TRUE(pDoc->IsKindOf(RUNTIME_CLASS(CNoteDoc)));
    EXPECT_STREQ(L"docview_open.note", pDoc->GetTitle().GetString());
    EXPECT_EQ(pDoc, TestApp().OpenDocumentFile(path.c_str()));
    EXPECT_EQ(1, CountDocs(TestApp().m_pNoteTemplate));
    ::DeleteFileW(path.c_str());
}

TEST_F(DocViewTest, ADocumentThatCannotBeReadLeavesNothingBehind) {
    MessageBoxAnswer answer(IDOK);
    std::wstring missing = TempPath(L"docview_missing.txt");
    ::DeleteFileW(missing.c_str());
    std::wstring bad = TempPath(L"docview_bad.txt");
    WriteFile(bad, "bad contents");
    for (const std::wstring& path : {missing, bad}) {
        EXPECT_EQ(nullptr, TestApp().m_pTextTemplate->OpenDocumentFile(path.c_str()));
        EXPECT_EQ(0, CTextDoc::s_nAlive);
        EXPECT_EQ(nullptr, m_pMain->MDIGetActive());
    }
    EXPECT_EQ(2u, MessageBoxAnswer::s_texts.size());
    ::DeleteFileW(bad.c_str());
}

// A frame that cannot be made (its view refuses, or there is no MDI frame to hold it) is
// reported, and neither the document nor the frame object stays behind.
TEST_F(DocViewTest, FrameFailuresAreReportedAndTheDocumentGoes) {
    for (bool bWithoutMain : {false, true}) {
        MessageBoxAnswer answer(IDOK);
        CDocTemplate* pTemplate =
            bWithoutMain ? TestApp().m_pTextTemplate : TestApp().m_pFailTemplate;
        if (bWithoutMain)
            TestApp().m_pMainWnd = nullptr;
        EXPECT_EQ(nullptr, pTemplate->OpenDocumentFile(nullptr));
        TestApp().m_pMainWnd = m_pMain;
        ASSERT_EQ(1u, MessageBoxAnswer::s_texts.size());
        EXPECT_EQ(L"Failed to create empty document.", MessageBoxAnswer::s_texts[0]);
        EXPECT_EQ(0, CTextDoc::s_nAlive);
        EXPECT_EQ(nullptr, m_pMain->MDIGetActive());
    }
}

TEST_F(DocViewTest, ClosingTheLastViewClosesTheDocument) {
    CFrameWnd* pFirst = nullptr;
    CDocument* pDoc = OpenNew(TestApp().m_pTextTemplate, &pFirst);
    ASSERT_NE(nullptr, pDoc);
    // A second window on the same document.
    m_pMain->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    CMDIChildWnd* pSecond = m_pMain->MDIGetActive();
    ASSERT_NE(pFirst, pSecond);
    EXPECT_EQ(pDoc, pSecond->GetActiveDocument());
    CString strCaption;
    pSecond->GetWindowText(strCaption);
    EXPECT_STREQ((pDoc->GetTitle() + L":2").GetString(), strCaption.GetString());

    pFirst->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(1, CTextDoc::s_nAlive);
    pSecond->GetWindowText(strCaption);
    EXPECT_STREQ(pDoc->GetTitle().GetString(), strCaption.GetString());

    pSecond->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(0, CTextDoc::s_nAlive);
    EXPECT_EQ(0, CountDocs(TestApp().m_pTextTemplate));
    EXPECT_EQ(nullptr, m_pMain->MDIGetActive());
}

// Closing a frame asks about unsaved changes: Cancel keeps everything, No discards.
TEST_F(DocViewTest, AModifiedDocumentAsksBeforeItsFrameCloses) {
    CFrameWnd* pFrame = nullptr;
    CDocument* pDoc = OpenNew(TestApp().m_pTextTemplate, &pFrame);
    ASSERT_NE(nullptr, pDoc);
    pDoc->SetModifiedFlag();
    {
        MessageBoxAnswer answer(IDCANCEL);
        pFrame->SendMessage(WM_CLOSE);
        EXPECT_EQ(1u, MessageBoxAnswer::s_texts.size());
        EXPECT_EQ(L"Save changes to " + std::wstring(pDoc->GetTitle().GetString()) + L"?",
                  MessageBoxAnswer::s_texts[0]);
        EXPECT_EQ(1, CTextDoc::s_nAlive);
        EXPECT_EQ(pFrame, m_pMain->MDIGetActive());
    }
    {
        MessageBoxAnswer answer(IDNO);
        pFrame->SendMessage(WM_CLOSE);
        PumpPending();
        EXPECT_EQ(0, CTextDoc::s_nAlive);
    }
}

TEST_F(DocViewTest, SavingWritesTheDocumentAndAFailedSaveKeepsTheOldFile) {
    std::wstring path = TempPath(L"docview_save.txt");
    WriteFile(path, "old");
    CDocument* pDoc = TestApp().m_pTextTemplate->OpenDocumentFile(path.c_str());
    ASSERT_NE(nullptr, pDoc);
    auto* pText = static_cast<CTextDoc*>(pDoc);
    EXPECT_EQ("old", pText->m_strText);
    pText->m_strText = "new";
    pDoc->SetModifiedFlag();
    EXPECT_TRUE(pDoc->DoFileSave());
    EXPECT_FALSE(pDoc->IsModified());
    std::ifstream in(path.c_str(), std::ios::binary);
    std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ("new", contents);
    in.close();

    // Writing fails half-way: the save reports it and the file is untouched.
    MessageBoxAnswer answer(IDOK);
    pText->m_strText = "bad and lost?";
    EXPECT_FALSE(pDoc->OnSaveDocument(path.c_str()));
    EXPECT_EQ(1u, MessageBoxAnswer::s_texts.size());
    std::ifstream again(path.c_str(), std::ios::binary);
    std::string kept((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
    EXPECT_EQ("new", kept);
    again.close();
    ::DeleteFileW(path.c_str());
}

TEST_F(DocViewTest, ClosingTheMainFrameClosesEveryDocumentAndEndsTheApplication) {
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pTextTemplate));
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pNoteTemplate));
    CDocument* pModified = OpenNew(TestApp().m_pTextTemplate);
    pModified->SetModifiedFlag();
    {
        MessageBoxAnswer answer(IDCANCEL);
        m_pMain->SendMessage(WM_CLOSE);
        EXPECT_EQ(2, CTextDoc::s_nAlive);
        EXPECT_EQ(m_pMain, TestApp().m_pMainWnd);
    }
    MessageBoxAnswer answer(IDNO);
    m_pMain->SendMessage(WM_CLOSE);
    EXPECT_EQ(0, CTextDoc::s_nAlive);
    EXPECT_EQ(0, CNoteDoc::s_nAlive);
    EXPECT_EQ(nullptr, TestApp().m_pMainWnd);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(DocViewTest, UpdateAllViewsReachesEveryViewButTheSender) {
    CFrameWnd* pFrame = nullptr;
    CDocument* pDoc = OpenNew(TestApp().m_pDynTemplate, &pFrame);
    ASSERT_NE(nullptr, pDoc);
    auto* pSplit = static_cast<CDynSplitFrame*>(pFrame);
    ASSERT_TRUE(pSplit->m_wndSplitter.SplitRow(60));
    auto* pTop = static_cast<CTextView*>(pSplit->m_wndSplitter.GetPane(0, 0));
    auto* pBottom = static_cast<CTextView*>(pSplit->m_wndSplitter.GetPane(1, 0));
    int nViews = 0;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL; ++nViews)
        pDoc->GetNextView(pos);
    EXPECT_EQ(2, nViews);
    pTop->m_nUpdates = pBottom->m_nUpdates = 0;
    pDoc->UpdateAllViews(pTop, 7);
    EXPECT_EQ(0, pTop->m_nUpdates);
    EXPECT_EQ(1, pBottom->m_nUpdates);
    EXPECT_EQ(7, pBottom->m_lLastHint);
}

// A template that goes while its documents are open leaves them without a template rather
// than with a dangling one.
TEST_F(DocViewTest, DocumentsOutliveADeletedTemplate) {
    auto* pTemplate = new CMultiDocTemplate(IDR_TEXT, RUNTIME_CLASS(CTextDoc),
                                            RUNTIME_CLASS(CTextFrame), RUNTIME_CLASS(CTextView));
    CFrameWnd* pFrame = nullptr;
    CDocument* pDoc = OpenNew(pTemplate, &pFrame);
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(pTemplate, pDoc->GetDocTemplate());
    delete pTemplate;
    EXPECT_EQ(nullptr, pDoc->GetDocTemplate());
    m_pMain->SendMessage(WM_COMMAND, ID_TEST_DOC); // routes through the document
    EXPECT_EQ(std::vector<std::string>{"doc"}, g_log);
    pFrame->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(0, CTextDoc::s_nAlive);
}
