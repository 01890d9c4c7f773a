// The test program's MDI application: documents, views and frames with a command handler at
// every level of the route, and a log of who handled what.
#pragma once

#include "framework/afx.h"

#include "test_ids.h"

#include <string>
#include <vector>

// Every handler appends its level ("view", "doc", "frame", "main", "app").
extern std::vector<std::string> g_log;

class CTextDoc : public CDocument {
    DECLARE_DYNCREATE(CTextDoc)
public:
    CTextDoc() { ++s_nAlive; }
    ~CTextDoc() override { --s_nAlive; }
    void Serialize(CArchive& ar) override;
    void DeleteContents() override { m_strText.clear(); }
    static int s_nAlive;
    std::string m_strText;

protected:
    afx_msg void OnDocCommand() { g_log.push_back("doc"); }
    afx_msg BOOL OnAll(UINT) { return g_log.push_back("doc"), FALSE; }
    afx_msg void OnNotView() { g_log.push_back("doc"); }
    afx_msg void OnUpdateDoc(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

class CNoteDoc : public CDocument {
    DECLARE_DYNCREATE(CNoteDoc)
public:
    CNoteDoc() { ++s_nAlive; }
    ~CNoteDoc() override { --s_nAlive; }
    static int s_nAlive;
};

class CTextView : public CView {
    DECLARE_DYNCREATE(CTextView)
public:
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override {
        ++m_nInitialUpdates;
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override {
        ++m_nUpdates;
        m_lLastHint = lHint;
        CView::OnUpdate(pSender, lHint, pHint);
    }
    int m_nInitialUpdates = 0;
    int m_nUpdates = 0;
    LPARAM m_lLastHint = 0;
    int m_nLastVScroll = -1;

protected:
    afx_msg void OnVScroll(UINT nSBCode, UINT, CScrollBar*) { m_nLastVScroll = (int)nSBCode; }
    afx_msg void OnViewCommand() { g_log.push_back("view"); }
    afx_msg BOOL OnAll(UINT) { return g_log.push_back("view"), FALSE; }
    DECLARE_MESSAGE_MAP()
};

class CNoteView : public CView {
    DECLARE_DYNCREATE(CNoteView)
public:
    void OnDraw(CDC*) override {}
};

class CSideView : public CView {
    DECLARE_DYNCREATE(CSideView)
public:
    void OnDraw(CDC*) override {}
};

// A view whose window refuses to be created.
class CFailView : public CView {
    DECLARE_DYNCREATE(CFailView)
public:
    void OnDraw(CDC*) override {}

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

class CTextFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CTextFrame)
public:
    CTextFrame() { ++s_nAlive; }
    ~CTextFrame() override { --s_nAlive; }
    static int s_nAlive;

protected:
    afx_msg void OnFrameCommand() { g_log.push_back("frame"); }
    afx_msg BOOL OnAll(UINT) { return g_log.push_back("frame"), FALSE; }
    afx_msg void OnNotView() { g_log.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};

// A static splitter: a side pane and the template's view.
class CStaticSplitFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CStaticSplitFrame)
public:
    CSplitterWnd m_wndSplitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
};

// A dynamic splitter of the template's view, up to 2 x 2.
class CDynSplitFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CDynSplitFrame)
public:
    CSplitterWnd m_wndSplitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
};

class CTestMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CTestMainFrame)
protected:
    afx_msg void OnMainCommand() { g_log.push_back("main"); }
    afx_msg BOOL OnAll(UINT) { return g_log.push_back("main"), FALSE; }
    afx_msg void OnNotView() { g_log.push_back("main"); }
    DECLARE_MESSAGE_MAP()
};

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(L"DocViewTests") {}
    CDocTemplate* m_pTextTemplate = nullptr;
    CDocTemplate* m_pNoteTemplate = nullptr;
    CDocTemplate* m_pDynTemplate = nullptr;
    CDocTemplate* m_pFailTemplate = nullptr;
    // Adds the templates once.
    void AddTemplates();

protected:
    afx_msg void OnAppCommand() { g_log.push_back("app"); }
    afx_msg BOOL OnAll(UINT) { return g_log.push_back("app"), FALSE; }
    afx_msg void OnNotView() { g_log.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};

CTestApp& TestApp();
void PumpPending();

// A bar that takes a strip of 20 pixels off the top, the way control bars will.
class CTopBar : public CWnd {
public:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    int m_nCalls = 0;
    DECLARE_MESSAGE_MAP()
};

// Answers every message box with a fixed button and records the texts.
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(int nAnswer);
    ~MessageBoxAnswer();
    static int s_nAnswer;
    static std::vector<std::wstring> s_texts;

private:
    AFX_MSGBOX_HOOK m_previous;
};

// A fresh main frame for each test; every document is closed and the frame destroyed after it.
#include <gtest/gtest.h>
class DocViewTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Opens a new document of pTemplate; the frame of its first view in *ppFrame.
    CDocument* OpenNew(CDocTemplate* pTemplate, CFrameWnd** ppFrame = nullptr);
    CTestMainFrame* m_pMain = nullptr;
};
