// A docking main frame with a test document template: documents that open as MDI children or
// docked frames, views that note the commands they handle, and a docked frame that refuses to
// load.
#pragma once

#include "docking/doc_template.h"
#include "docking/dockable_frame.h"
#include "docking/mdi_child_wnd.h"
#include "docking/mdi_frame.h"
#include "framework/afx.h"

#include <gtest/gtest.h>

#include <vector>

class CDocTestDoc : public CDocument {
    DECLARE_DYNCREATE(CDocTestDoc)
public:
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
};

class CDocTestView : public CView {
    DECLARE_DYNCREATE(CDocTestView)
public:
    void OnDraw(CDC* pDC) override;
    // The views that handled the test command, in order.
    static std::vector<CDocTestView*>& Handled();

protected:
    afx_msg void OnTestCommand();
    DECLARE_MESSAGE_MAP()
};

// A docked frame whose window cannot be made.
class CFailingDockedFrame : public SECDockableFrame {
    DECLARE_DYNCREATE(CFailingDockedFrame)
protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};

// A shown docking main frame with one test template registered for each test.
class DocFrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a new document (bDocked: docked where the main frame chooses) and returns its frame.
    CFrameWnd* Open(BOOL bDocked, UINT nDockBarID = 0);
    static CFrameWnd* FrameOf(CDocument* pDoc);
    static CView* ViewOf(CDocument* pDoc);
    // The command filter's docking command, as the caption extras send it.
    void SendTarget(CFrameWnd* pFrame, int nTarget);
    int QueryState(CFrameWnd* pFrame);
    int BarCount() const;

    SECMDIFrameWnd* m_pMain = nullptr;
    SECMultiDocTemplate* m_pTemplate = nullptr;
};

void PumpDocMessages();
