// The caption extras driven by posted mouse messages, as a user drives them: each conversion
// destroys the frame whose filters saw the message (run again under the checked heap).
#include "docframe_test_support.h"

#include "docking/msgfilter_control.h"
#include "docking/sys_command_filters.h"

using namespace nsSysCommandEx;

namespace {

SECCaptionControlMsgFilter* CaptionButton(CFrameWnd* pFrame) {
    SECMsgFilterChain& chain = pFrame->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd))
                                   ? static_cast<SECMDIChildWnd*>(pFrame)->GetFilters()
                                   : static_cast<SECDockableFrame*>(pFrame)->GetFilters();
    return DYNAMIC_DOWNCAST(SECCaptionControlMsgFilter, chain.GetRoot()->FindFilter(258, NULL, -1));
}

CPoint CaptionPoint(CFrameWnd* pFrame) {
    CRect rect;
    pFrame->GetWindowRect(&rect);
    return CPoint(rect.left + 30, rect.top + ::GetSystemMetrics(SM_CYFRAME) + 6);
}

} // namespace

TEST_F(DocFrameTest, CaptionButtonClickDocksAnMDIChild) {
    m_pTemplate->SetCaptionButtonOption(TRUE, TRUE);
    CFrameWnd* pChild = Open(FALSE);
    ASSERT_NE(nullptr, pChild);
    CDocument* pDoc = pChild->GetActiveDocument();
    pChild->SendMessage(WM_NCACTIVATE, TRUE); // lays the caption controls out
    SECCaptionControlMsgFilter* pButton = CaptionButton(pChild);
    ASSERT_NE(nullptr, pButton);
    ASSERT_FALSE(pButton->GetControlRect().IsRectEmpty());
    CRect rectWindow;
    pChild->GetWindowRect(&rectWindow);
    CPoint point = pButton->GetControlRect().CenterPoint() + rectWindow.TopLeft();
    CPoint client = point;
    pChild->ScreenToClient(&client);
    pChild->PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    pChild->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    PumpDocMessages();
    CFrameWnd* pFrame = FrameOf(pDoc);
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(m_pTemplate->IsDockedFrame(pFrame));
}

TEST_F(DocFrameTest, CaptionRightDoubleClickTogglesTheForm) {
    m_pTemplate->SetDblClickOption(TRUE, TRUE);
    CFrameWnd* pChild = Open(FALSE);
    ASSERT_NE(nullptr, pChild);
    CDocument* pDoc = pChild->GetActiveDocument();
    CView* pView = pChild->GetActiveView();
    CPoint point = CaptionPoint(pChild);
    pChild->PostMessage(WM_NCRBUTTONDBLCLK, HTCAPTION, MAKELPARAM(point.x, point.y));
    PumpDocMessages();
    CFrameWnd* pDocked = FrameOf(pDoc);
    ASSERT_TRUE(m_pTemplate->IsDockedFrame(pDocked));
    EXPECT_EQ(pView, pDocked->GetActiveView());
    point = CaptionPoint(pDocked);
    pDocked->PostMessage(WM_NCRBUTTONDBLCLK, HTCAPTION, MAKELPARAM(point.x, point.y));
    PumpDocMessages();
    CFrameWnd* pBack = FrameOf(pDoc);
    ASSERT_NE(nullptr, pBack);
    EXPECT_TRUE(pBack->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
    EXPECT_EQ(pView, pBack->GetActiveView());
}

TEST_F(DocFrameTest, CaptionStatesAndSideTargets) {
    CFrameWnd* pChild = Open(FALSE);
    ASSERT_NE(nullptr, pChild);
    CDocument* pDoc = pChild->GetActiveDocument();
    EXPECT_EQ(stateMDIChildRestored, QueryState(pChild));
    SendTarget(pChild, stateDockedLeft);
    CFrameWnd* pDocked = FrameOf(pDoc);
    ASSERT_TRUE(m_pTemplate->IsDockedFrame(pDocked));
    // Its menu would check "&Docked" and "&Left".
    EXPECT_EQ(stateDockedLeft, QueryState(pDocked));
    SendTarget(pDocked, stateFloating);
    EXPECT_EQ(stateFloating, QueryState(pDocked));
    // Target 8 on a floating frame docks it at the right, in a new first row.
    SendTarget(pDocked, stateDockedRight);
    EXPECT_EQ(stateDockedRight, QueryState(pDocked));
    auto* pBar = static_cast<SECDockableFrame*>(pDocked)->GetHostBar();
    auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, pBar->GetParent());
    ASSERT_NE(nullptr, pDockBar);
    int nRow = -1, nCol = -1, nThickness = 0;
    ASSERT_TRUE(pDockBar->GetBarRowPosition(pBar, nRow, nCol, nThickness));
    EXPECT_EQ(0, nRow);
    EXPECT_EQ(0, nCol);
    SendTarget(pDocked, stateMDIChildMaximized);
    CFrameWnd* pBack = FrameOf(pDoc);
    ASSERT_TRUE(pBack->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)));
    EXPECT_EQ(stateMDIChildMaximized, QueryState(pBack));
    // From a maximised child to floating: docked first, then floated.
    SendTarget(pBack, stateFloating);
    EXPECT_EQ(stateFloating, QueryState(FrameOf(pDoc)));
}

TEST_F(DocFrameTest, CaptionCommandsWithoutADockingTemplateChangeNothing) {
    CFrameWnd* pChild = Open(FALSE);
    ASSERT_NE(nullptr, pChild);
    CDocument* pDoc = pChild->GetActiveDocument();
    AfxGetDocManager()->RemoveDocTemplate(m_pTemplate);
    SysCommandExRecord record = {};
    record.hWnd = pChild->m_hWnd;
    record.nTarget = stateToggle;
    EXPECT_EQ(0, SendSysCommandEx(pChild->m_hWnd, cmdExecute, record));
    PumpDocMessages();
    AfxGetDocManager()->AddDocTemplate(m_pTemplate);
    EXPECT_EQ(pChild, FrameOf(pDoc));
    // A record that no caption extra of this thread is sending is ignored.
    EXPECT_EQ(0, pChild->SendMessage(Corvalis::WM_SYSCOMMANDEX(), cmdExecute, (LPARAM)&record));
    EXPECT_EQ(0, pChild->SendMessage(Corvalis::WM_SYSCOMMANDEX(), cmdExecute, 0));
    PumpDocMessages();
    EXPECT_EQ(pChild, FrameOf(pDoc));
}

TEST_F(DocFrameTest, CaptionButtonHoldAsksForTheMenuBelowTheButton) {
    m_pTemplate->SetCaptionButtonOption(TRUE, TRUE);
    CFrameWnd* pChild = Open(FALSE);
    ASSERT_NE(nullptr, pChild);
    pChild->SendMessage(WM_NCACTIVATE, TRUE);
    auto* pButton = DYNAMIC_DOWNCAST(
        ScxButtonMsgFilter,
        static_cast<SECMDIChildWnd*>(pChild)->GetFilters().GetRoot()->FindFilter(258, NULL, -1));
    ASSERT_NE(nullptr, pButton);
    EXPECT_EQ((UINT)ScxButtonMsgFilter::holdDelay, pButton->GetHoldDelay());
    // What a hold (the left button still down) and a click send.
    CWnd* pWnd = nullptr;
    UINT nMessage = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    ASSERT_TRUE(pButton->GetSysCommand(MK_LBUTTON, 5, 6, pWnd, nMessage, wParam, lParam));
    const auto* pRecord = reinterpret_cast<const SysCommandExRecord*>(lParam);
    CRect rectWindow;
    pChild->GetWindowRect(&rectWindow);
    CPoint origin(0, 0);
    pChild->ClientToScreen(&origin);
    const CRect button = pButton->GetControlRect() + rectWindow.TopLeft();
    EXPECT_EQ(pChild, pWnd);
    EXPECT_EQ(Corvalis::WM_SYSCOMMANDEX(), nMessage);
    EXPECT_EQ((WPARAM)cmdMenu, wParam);
    EXPECT_EQ((uint32_t)flagPosition, pRecord->dwFlags);
    EXPECT_EQ(button.left - (origin.x - rectWindow.left), pRecord->x);
    EXPECT_EQ(button.bottom - (origin.y - rectWindow.top), pRecord->y);
    EXPECT_EQ(button, CRect(pRecord->rectButton));
    ASSERT_TRUE(pButton->GetSysCommand(0, 5, 6, pWnd, nMessage, wParam, lParam));
    pRecord = reinterpret_cast<const SysCommandExRecord*>(lParam);
    EXPECT_EQ((WPARAM)cmdExecute, wParam);
    EXPECT_EQ(stateToggle, pRecord->nTarget);
    EXPECT_EQ(CPoint(5, 6), CPoint(pRecord->x, pRecord->y));
}

namespace {

// Another thread sends the docking command with a record of its own, live on that thread.
struct ForeignSend {
    HWND hWnd = NULL;
    SysCommandExRecord record = {};
    LRESULT resultLive = -1;
    LRESULT resultRaw = -1;
};

DWORD WINAPI SendFromAnotherThread(LPVOID pParam) {
    auto* pSend = static_cast<ForeignSend*>(pParam);
    pSend->resultLive = SendSysCommandEx(pSend->hWnd, cmdExecute, pSend->record);
    pSend->resultRaw = ::SendMessageW(pSend->hWnd, Corvalis::WM_SYSCOMMANDEX(), cmdExecute,
                                      (LPARAM)&pSend->record);
    return 0;
}

// Runs the send on a new thread; this thread serves the sent messages until it ends.
bool RunForeignSend(ForeignSend& send) {
    HANDLE hThread = ::CreateThread(NULL, 0, &SendFromAnotherThread, &send, 0, NULL);
    if (hThread == NULL)
        return false;
    const DWORD dwStart = ::GetTickCount();
    bool bDone = false;
    while (!bDone && ::GetTickCount() - dwStart < 10000) {
        const DWORD dwWait = ::MsgWaitForMultipleObjects(1, &hThread, FALSE, 100, QS_ALLINPUT);
        bDone = dwWait == WAIT_OBJECT_0;
        PumpDocMessages();
    }
    ::CloseHandle(hThread);
    return bDone;
}

} // namespace

TEST_F(DocFrameTest, CaptionCommandRecordFromAnotherThreadIsIgnored) {
    CFrameWnd* pChild = Open(FALSE);
    ASSERT_NE(nullptr, pChild);
    CDocument* pDoc = pChild->GetActiveDocument();
    ForeignSend send;
    send.hWnd = pChild->m_hWnd;
    send.record.hWnd = pChild->m_hWnd;
    send.record.nTarget = stateToggle;
    ASSERT_TRUE(RunForeignSend(send));
    EXPECT_EQ(0, send.resultLive);
    EXPECT_EQ(0, send.resultRaw);
    PumpDocMessages();
    EXPECT_EQ(pChild, FrameOf(pDoc));
    EXPECT_EQ(stateMDIChildRestored, QueryState(pChild));
}
