// Documents through a docking template in a docking main frame: an MDI child docked, floated
// and made an MDI child again with the same views; opening docked; command routing and
// activation between docked frames and MDI children; frames that go or never come.
#include "docframe_test_support.h"

#include "docking/dialog_bar.h"
#include "docking/sys_command_filters.h"
#include "docking_test_ids.h"

using namespace nsSysCommandEx;

TEST_F(DocFrameTest, AnMDIChildDocksFloatsAndComesBackWithItsViews) {
    CFrameWnd* pChild = Open(FALSE);
    ASSERT_NE(nullptr, pChild);
    ASSERT_TRUE(pChild->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
    CDocument* pDoc = pChild->GetActiveDocument();
    CView* pView = pChild->GetActiveView();
    ASSERT_NE(nullptr, pView);
    pChild->m_nWindow = 2;
    const CString strTitle = pDoc->GetTitle();
    EXPECT_EQ(-1, m_pTemplate->GetDockSide(pChild));

    CFrameWnd* pDocked = m_pTemplate->DockMDIChild(pChild, AFX_IDW_DOCKBAR_LEFT);
    PumpDocMessages();
    ASSERT_NE(nullptr, pDocked);
    EXPECT_TRUE(m_pTemplate->IsDockedFrame(pDocked));
    EXPECT_EQ(1, m_pTemplate->GetDockSide(pDocked));
    EXPECT_EQ(pView, pDocked->GetActiveView());
    EXPECT_EQ(pDocked->m_hWnd, ::GetParent(pView->m_hWnd));
    EXPECT_EQ(pDoc, pDocked->GetActiveDocument());
    EXPECT_EQ(2, pDocked->m_nWindow);
    CString strText;
    pDocked->GetWindowText(strText);
    EXPECT_EQ(strTitle + L":2", strText);
    // A docked frame docks no further.
    EXPECT_EQ(nullptr, m_pTemplate->DockMDIChild(pDocked, AFX_IDW_DOCKBAR_TOP));

    auto* pDockable = static_cast<SECDockableFrame*>(pDocked);
    SECControlBar* pBar = pDockable->GetHostBar();
    ASSERT_NE(nullptr, pBar);
    m_pMain->FloatControlBar(pBar, CPoint(300, 300), CBRS_ALIGN_TOP);
    PumpDocMessages();
    EXPECT_EQ(4, m_pTemplate->GetDockSide(pDocked));

    CFrameWnd* pBack = m_pTemplate->UndockToMDIChild(pDocked);
    PumpDocMessages();
    ASSERT_NE(nullptr, pBack);
    EXPECT_TRUE(pBack->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
    EXPECT_EQ(-1, m_pTemplate->GetDockSide(pBack));
    EXPECT_EQ(pView, pBack->GetActiveView());
    EXPECT_EQ(pDoc, pBack->GetActiveDocument());
    EXPECT_EQ(2, pBack->m_nWindow);
    EXPECT_EQ(nullptr, m_pTemplate->UndockToMDIChild(pBack));
    // No empty bar or floating frame is left of the docked form.
    for (POSITION pos = m_pMain->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        auto* pLeft = static_cast<CControlBar*>(m_pMain->m_listControlBars.GetNext(pos));
        EXPECT_FALSE(pLeft->IsKindOf(RUNTIME_CLASS(SECFrameBar)));
    }
}

TEST_F(DocFrameTest, AShellOpenOfAPathDocked) {
    CDocument* pDoc = m_pTemplate->OpenDocumentFileEx(L"C:\\src\\a.c", TRUE, TRUE, 0);
    PumpDocMessages();
    ASSERT_NE(nullptr, pDoc);
    CFrameWnd* pFrame = FrameOf(pDoc);
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(m_pTemplate->IsDockedFrame(pFrame));
    EXPECT_GE(m_pTemplate->GetDockSide(pFrame), 0);
    EXPECT_EQ(CString(L"a.c"), pDoc->GetTitle());
    EXPECT_EQ(CString(L"C:\\src\\a.c"), pDoc->GetPathName());
    // A side asked for is the side taken; the other two shell forms open MDI children.
    CDocument* pRight =
        m_pTemplate->OpenDocumentFileEx(L"C:\\src\\b.c", TRUE, TRUE, AFX_IDW_DOCKBAR_RIGHT);
    PumpDocMessages();
    EXPECT_EQ(3, m_pTemplate->GetDockSide(FrameOf(pRight)));
    CDocument* pChild = m_pTemplate->OpenDocumentFileEx(L"C:\\src\\c.c", TRUE, FALSE, 0);
    CDocument* pHidden = m_pTemplate->OpenDocumentFileEx(L"C:\\src\\d.c", FALSE, FALSE, 0);
    PumpDocMessages();
    EXPECT_TRUE(FrameOf(pChild)->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
    EXPECT_TRUE(FrameOf(pHidden)->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
}

TEST_F(DocFrameTest, CommandsReachTheActiveDockedViewFirst) {
    CFrameWnd* pChild = Open(FALSE);
    CFrameWnd* pDocked = Open(TRUE);
    ASSERT_NE(nullptr, pChild);
    ASSERT_NE(nullptr, pDocked);
    auto* pChildView = static_cast<CDocTestView*>(pChild->GetActiveView());
    auto* pDockedView = static_cast<CDocTestView*>(pDocked->GetActiveView());
    pDocked->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_pMain->m_hWnd,
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(pDocked, m_pMain->GetActiveFrame());
    m_pMain->SendMessage(WM_COMMAND, ID_TEST_COMMAND, 0);
    ASSERT_EQ(1u, CDocTestView::Handled().size());
    EXPECT_EQ(pDockedView, CDocTestView::Handled()[0]);

    // Activating the MDI child leaves no docked frame active.
    pChild->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_pMain->m_hWnd,
                        MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    PumpDocMessages();
    EXPECT_EQ(nullptr, m_pMain->GetActiveDockedFrame());
    EXPECT_EQ(pChild, m_pMain->GetActiveFrame());
    m_pMain->SendMessage(WM_COMMAND, ID_TEST_COMMAND, 0);
    ASSERT_EQ(2u, CDocTestView::Handled().size());
    EXPECT_EQ(pChildView, CDocTestView::Handled()[1]);
}

TEST_F(DocFrameTest, LifetimeDestroyingTheActiveDockedFrameLeavesNoneDangling) {
    CFrameWnd* pFirst = Open(TRUE, AFX_IDW_DOCKBAR_LEFT);
    CFrameWnd* pSecond = Open(TRUE, AFX_IDW_DOCKBAR_BOTTOM);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    m_pMain->ActivateDockedFrame(static_cast<SECDockableFrame*>(pFirst), 0);
    ASSERT_EQ(pFirst, m_pMain->GetActiveDockedFrame());
    // No MDI child is shown and another docked frame is: the active one still goes.
    const int nBars = BarCount();
    pFirst->DestroyWindow();
    PumpDocMessages();
    EXPECT_NE(pFirst, m_pMain->GetActiveDockedFrame());
    EXPECT_NE(pFirst, m_pMain->GetActiveFrame());
    EXPECT_EQ(nBars - 1, BarCount()); // its bar went with it
    m_pMain->SendMessage(WM_COMMAND, ID_TEST_COMMAND, 0);
}

TEST_F(DocFrameTest, AFrameThatFailsToLoadLeavesNoBarBehind) {
    CFrameWnd* pChild = Open(FALSE);
    ASSERT_NE(nullptr, pChild);
    const int nBars = BarCount();
    m_pTemplate->m_pDockingFrameClass = RUNTIME_CLASS(CFailingDockedFrame);
    EXPECT_EQ(nullptr, m_pTemplate->DockMDIChild(pChild, AFX_IDW_DOCKBAR_LEFT));
    PumpDocMessages();
    EXPECT_EQ(nBars, BarCount());
    // The child keeps its document and view, and the template its view class.
    EXPECT_NE(nullptr, pChild->GetActiveView());
    EXPECT_EQ(RUNTIME_CLASS(CDocTestView), m_pTemplate->m_pViewClass);
    EXPECT_EQ((UINT)IDR_TEST_DOC, m_pTemplate->m_nIDResource);
}

TEST_F(DocFrameTest, OptionWords) {
    EXPECT_EQ(7u, m_pTemplate->GetMDIChildOptions());
    EXPECT_EQ(7u, m_pTemplate->GetDockedFrameOptions());
    EXPECT_FALSE(m_pTemplate->IsCaptionButtonOn());
    EXPECT_FALSE(m_pTemplate->IsDblClickOn());
    EXPECT_TRUE(m_pTemplate->IsContextMenuOn());
    m_pTemplate->SetCaptionButtonOption(TRUE, TRUE);
    EXPECT_EQ(5u, m_pTemplate->GetMDIChildOptions());
    m_pTemplate->SetDblClickOption(TRUE, TRUE);
    EXPECT_TRUE(m_pTemplate->IsDblClickOn());
    EXPECT_FALSE(m_pTemplate->IsContextMenuOn());
    m_pTemplate->SetContextMenuOption(TRUE, TRUE);
    EXPECT_TRUE(m_pTemplate->IsContextMenuOn());
    EXPECT_FALSE(m_pTemplate->IsDblClickOn());
}

TEST_F(DocFrameTest, ACaptionDoubleClickFloatsAndDocksTheHostBar) {
    CFrameWnd* pDocked = Open(TRUE, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pDocked);
    EXPECT_EQ(1, m_pTemplate->GetDockSide(pDocked));
    CRect rect;
    pDocked->GetWindowRect(&rect);
    const CPoint point(rect.left + 20, rect.top + 6);
    pDocked->PostMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(point.x, point.y));
    PumpDocMessages();
    EXPECT_EQ(4, m_pTemplate->GetDockSide(pDocked));
    pDocked->PostMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(point.x, point.y));
    PumpDocMessages();
    EXPECT_EQ(1, m_pTemplate->GetDockSide(pDocked));
}

TEST_F(DocFrameTest, TemplateUtilitiesFindTheTemplateOfAFrame) {
    // A second template of another document class and resource.
    auto* pOther = new SECMultiDocTemplate(IDR_TEST_MAIN, RUNTIME_CLASS(CDocument), NULL,
                                           RUNTIME_CLASS(CDocTestView));
    AfxGetDocManager()->AddDocTemplate(pOther);
    CFrameWnd* pChild = Open(FALSE);
    CFrameWnd* pDocked = Open(TRUE);
    ASSERT_TRUE(pChild && pDocked);
    SECDocTemplateUtils utils;
    EXPECT_EQ(m_pTemplate, utils.FindTemplate(pChild->GetActiveDocument(), pChild, FALSE));
    EXPECT_EQ(m_pTemplate, utils.FindTemplate(pDocked->GetActiveDocument(), pDocked, TRUE));
    EXPECT_EQ((UINT)IDR_TEST_DOC, utils.GetFrameResourceID(pChild));
    EXPECT_EQ(0u, utils.GetFrameResourceID(nullptr));
    EXPECT_TRUE(utils.IsDockableFrame(pDocked));
    EXPECT_FALSE(utils.IsDockableFrame(pChild));
    EXPECT_EQ(RUNTIME_CLASS(SECDockableFrame), utils.GetFrameClass(m_pTemplate, TRUE));
    EXPECT_EQ(RUNTIME_CLASS(SECMDIChildWnd), utils.GetFrameClass(m_pTemplate, FALSE));
    // By the document string's file type id: one template each.
    EXPECT_EQ(0, utils.GetTemplateIndexByName(m_pTemplate, L"Source.Document"));
    EXPECT_EQ(m_pTemplate, utils.GetTemplateByIndex(L"Source.Document", 0));
    EXPECT_EQ(nullptr, utils.GetTemplateByIndex(L"Source.Document", 1));
    SECDocTemplateUtils byName(SECDocTemplateUtils::byFileTypeName);
    EXPECT_EQ(m_pTemplate, byName.GetTemplateByIndex(L"Source Document", 0));
    AfxGetDocManager()->RemoveDocTemplate(pOther);
    delete pOther;
}

TEST_F(DocFrameTest, RefreshFramesAppliesTheOptionsToEveryFrame) {
    CFrameWnd* pChild = Open(FALSE);
    CFrameWnd* pDocked = Open(TRUE);
    ASSERT_TRUE(pChild && pDocked);
    auto button = [](SECMsgFilterChain& chain) {
        SECMsgFilter* pFilter = chain.GetRoot()->FindFilter(258, NULL, -1);
        return pFilter != nullptr && pFilter->IsEnabled();
    };
    auto& childFilters = static_cast<SECMDIChildWnd*>(pChild)->GetFilters();
    auto& dockedFilters = static_cast<SECDockableFrame*>(pDocked)->GetFilters();
    EXPECT_FALSE(button(childFilters));
    EXPECT_FALSE(button(dockedFilters));
    m_pTemplate->SetCaptionButtonOption(TRUE, TRUE);
    EXPECT_TRUE(button(childFilters));
    EXPECT_TRUE(button(dockedFilters));
    m_pTemplate->SetCaptionButtonOption(FALSE, TRUE);
    EXPECT_FALSE(button(childFilters));
}
