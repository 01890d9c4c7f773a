// Print preview: a view of three pages previewed on the stand-in page device, read back by its
// pixels.
#include "test_app.h"
#include "tests/support/window_capture.h"

#include <commdlg.h>

#include <algorithm>

namespace {
const COLORREF kPageColours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200)};
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// Three pages: the top half of each in its own colour, and a black inch square 1 inch from the
// left and 6 inches down, placed in English units so that the page's resolution decides it.
class CPagesView : public CView {
public:
    void OnDraw(CDC*) override {}
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
        if (m_nPages != 0)
            pInfo->SetMaxPage(m_nPages);
        return m_bRefuse ? FALSE : DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override {
        m_log.push_back("begin");
        m_bPreviewJob = pInfo->m_bPreview;
        m_bPrintingDC = pDC->IsPrinting();
    }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override {
        m_log.push_back("prepare " + std::to_string(pInfo ? pInfo->m_nCurPage : 0));
        CView::OnPrepareDC(pDC, pInfo);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
        m_dpi = CSize(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
        m_res = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        pDC->FillSolidRect(0, 0, m_res.cx, m_res.cy / 2, kPageColours[(pInfo->m_nCurPage - 1) % 3]);
        pDC->SetMapMode(MM_LOENGLISH);
        pDC->FillSolidRect(CRect(100, -600, 200, -700), kBlack);
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override {
        m_log.push_back("end");
        ++s_nEnded;
    }
    void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CView* pView) override {
        m_log.push_back("end preview");
        CView::OnEndPrintPreview(pDC, pInfo, point, pView);
    }

    static int s_nEnded; // outlives the view
    UINT m_nPages = 3;   // 0: the view does not say
    BOOL m_bRefuse = FALSE;
    BOOL m_bPreviewJob = FALSE;
    BOOL m_bPrintingDC = FALSE;
    CSize m_dpi, m_res;
    std::vector<std::string> m_log;
    DECLARE_MESSAGE_MAP()
};
int CPagesView::s_nEnded = 0;
BEGIN_MESSAGE_MAP(CPagesView, CView)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

bool PrinterInstalled() {
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT;
    const BOOL bOK = ::PrintDlgW(&pd);
    if (pd.hDevMode)
        ::GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        ::GlobalFree(pd.hDevNames);
    return bOK != FALSE;
}

// A frame of its own with a strip bar and the pages view, the view holding the focus.
class PreviewTest : public DocViewTest {
protected:
    void SetUp() override {
        DocViewTest::SetUp();
        if (PrinterInstalled())
            GTEST_SKIP() << "a printer is installed: the stand-in page is not used";
        ASSERT_TRUE(CPageDevice::SetStandIn(CSize(850, 1100), CSize(100, 100)));
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, L"Preview", WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 560)));
        ASSERT_TRUE(m_bar.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pFrame,
                                 AFX_IDW_TOOLBAR));
        m_pView = new CPagesView;
        ASSERT_TRUE(m_pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10),
                                    m_pFrame, AFX_IDW_PANE_FIRST));
        m_pFrame->SetActiveView(m_pView);
        m_pFrame->RecalcLayout();
        m_pView->SetFocus();
        PumpPending();
    }
    void TearDown() override {
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd)) {
            m_bar.DestroyWindow();
            m_pFrame->DestroyWindow();
        }
        PumpPending();
        DocViewTest::TearDown();
    }
    CPreviewView* OpenPreview() {
        m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
        return DYNAMIC_DOWNCAST(CPreviewView, m_pFrame->GetActiveView());
    }
    // The colour at (fx, fy) of the page in slot nSlot, as fractions of the page.
    static COLORREF PageColour(CPreviewView* pPreview, int nSlot, double fx, double fy) {
        const Picture c = CaptureClient(pPreview->m_hWnd);
        const CRect r = pPreview->GetPageRect(nSlot);
        return c.At(r.left + (int)(fx * r.Width()), r.top + (int)(fy * r.Height()));
    }
    static std::wstring BarText(CPreviewView* pPreview, UINT nID) {
        wchar_t text[64] = {};
        ::GetDlgItemTextW(pPreview->GetBar().m_hWnd, (int)nID, text, 64);
        return text;
    }
    // Showing as far as the window itself goes: the frame stays hidden (see DocViewTest).
    static bool Shown(CWnd* pWnd) { return (pWnd->GetStyle() & WS_VISIBLE) != 0; }
    static BOOL BarEnabled(CPreviewView* pPreview, UINT nID) {
        return ::IsWindowEnabled(::GetDlgItem(pPreview->GetBar().m_hWnd, nID));
    }
    CFrameWnd* m_pFrame = nullptr;
    CPagesView* m_pView = nullptr;
    CTopBar m_bar; // a tool bar the preview must put aside
};
} // namespace

TEST_F(PreviewTest, PagesShowOnThePageDeviceAndStepForwardAndBack) {
    CPreviewView* pPreview = OpenPreview();
    ASSERT_NE(nullptr, pPreview);
    EXPECT_EQ(m_pView, pPreview->GetPrintView());
    EXPECT_TRUE(m_pView->m_bPreviewJob);
    EXPECT_TRUE(m_pView->m_bPrintingDC);
    EXPECT_FALSE(Shown(m_pView));
    EXPECT_FALSE(Shown(&m_bar));
    EXPECT_EQ(pPreview->m_hWnd, ::GetFocus());

    // The page is drawn where it is shown, in its proportions: top half in colour, the inch
    // square where the page's 100 dots per inch put it, white elsewhere.
    const CRect page = pPreview->GetPageRect(0);
    EXPECT_NEAR(1100.0 / 850.0, (double)page.Height() / page.Width(), 0.01);
    const struct {
        UINT nCommand;
        UINT nPage;
        COLORREF top;
        BOOL bPrev, bNext;
    } steps[] = {{0, 1, kPageColours[0], FALSE, TRUE},
                 {AFX_ID_PREVIEW_NEXT, 2, kPageColours[1], TRUE, TRUE},
                 {AFX_ID_PREVIEW_NEXT, 3, kPageColours[2], TRUE, FALSE},
                 {AFX_ID_PREVIEW_NEXT, 3, kPageColours[2], TRUE, FALSE}, // stays on the last
                 {AFX_ID_PREVIEW_PREV, 2, kPageColours[1], TRUE, TRUE}};
    for (const auto& step : steps) {
        if (step.nCommand != 0)
            pPreview->SendMessage(WM_COMMAND, step.nCommand);
        SCOPED_TRACE(step.nPage);
        EXPECT_EQ(step.nPage, pPreview->GetCurrentPage());
        EXPECT_EQ(step.top, PageColour(pPreview, 0, 0.5, 0.25));
        EXPECT_EQ(kWhite, PageColour(pPreview, 0, 0.5, 0.75));
        EXPECT_EQ(kBlack, PageColour(pPreview, 0, 1.5 / 8.5, 6.5 / 11));
        EXPECT_EQ(kWhite, PageColour(pPreview, 0, 2.5 / 8.5, 6.5 / 11));
        EXPECT_EQ(step.bPrev, BarEnabled(pPreview, AFX_ID_PREVIEW_PREV));
        EXPECT_EQ(step.bNext, BarEnabled(pPreview, AFX_ID_PREVIEW_NEXT));
    }
    EXPECT_EQ(CSize(100, 100), m_pView->m_dpi);
    EXPECT_EQ(CSize(850, 1100), m_pView->m_res);

    // Keys and the wheel step too.
    pPreview->SendMessage(WM_KEYDOWN, VK_PRIOR);
    EXPECT_EQ(1u, pPreview->GetCurrentPage());
    pPreview->SendMessage(WM_KEYDOWN, VK_NEXT);
    EXPECT_EQ(2u, pPreview->GetCurrentPage());
    pPreview->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA));
    EXPECT_EQ(3u, pPreview->GetCurrentPage());
}

TEST_F(PreviewTest, TwoPagesShowSideBySideAndStopAtTheLastPair) {
    CPreviewView* pPreview = OpenPreview();
    ASSERT_NE(nullptr, pPreview);
    const int cxOne = pPreview->GetPageRect(0).Width();
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(2u, pPreview->GetPagesShown());
    EXPECT_EQ(L"Pages 1-2", BarText(pPreview, 1));
    EXPECT_EQ(L"&One Page", BarText(pPreview, AFX_ID_PREVIEW_NUMPAGE));
    const CRect left = pPreview->GetPageRect(0), right = pPreview->GetPageRect(1);
    EXPECT_LT(left.right, right.left);
    EXPECT_LE(left.Width(), cxOne);
    EXPECT_EQ(kPageColours[0], PageColour(pPreview, 0, 0.5, 0.25));
    EXPECT_EQ(kPageColours[1], PageColour(pPreview, 1, 0.5, 0.25));

    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(2u, pPreview->GetCurrentPage());
    EXPECT_EQ(kPageColours[1], PageColour(pPreview, 0, 0.5, 0.25));
    EXPECT_EQ(kPageColours[2], PageColour(pPreview, 1, 0.5, 0.25));
    EXPECT_FALSE(BarEnabled(pPreview, AFX_ID_PREVIEW_NEXT));

    // The picture is of the frame as it shows: buttons and caption paint only when shown.
    m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    m_pFrame->RedrawWindow(
        NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
    PumpPending();
    EXPECT_TRUE(
        SavePng(CaptureShownWindow(m_pFrame->m_hWnd), ScreenshotPath(L"print-preview.png")));

    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(1u, pPreview->GetPagesShown());
    EXPECT_TRUE(pPreview->GetPageRect(1).IsRectEmpty());
}

TEST_F(PreviewTest, ZoomEnlargesThePageWithScrollBarsAndZoomsBackToFit) {
    CPreviewView* pPreview = OpenPreview();
    ASSERT_NE(nullptr, pPreview);
    const int cxFit = pPreview->GetPageRect(0).Width();
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;

    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    const int cxZoom = pPreview->GetPageRect(0).Width();
    EXPECT_GE(cxZoom, cxFit * 3 / 2);
    ASSERT_TRUE(::GetScrollInfo(pPreview->m_hWnd, SB_VERT, &si));
    EXPECT_GT(si.nPage, 0u);
    EXPECT_EQ(kPageColours[0], PageColour(pPreview, 0, 0.5, 0.25));

    // Scrolled to the bottom the page's foot shows; its top has left the window.
    pPreview->SendMessage(WM_VSCROLL, SB_BOTTOM);
    CRect client;
    pPreview->GetClientRect(&client);
    EXPECT_LT(pPreview->GetPageRect(0).top, 0);
    EXPECT_GT(pPreview->GetPageRect(0).bottom, 0);
    EXPECT_LE(pPreview->GetPageRect(0).bottom, client.bottom);
    EXPECT_EQ(kBlack, PageColour(pPreview, 0, 1.5 / 8.5, 6.5 / 11));

    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(2 * cxZoom, pPreview->GetPageRect(0).Width());
    EXPECT_FALSE(BarEnabled(pPreview, AFX_ID_PREVIEW_ZOOMIN));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(cxFit, pPreview->GetPageRect(0).Width());
    EXPECT_FALSE(BarEnabled(pPreview, AFX_ID_PREVIEW_ZOOMOUT));
    EXPECT_FALSE(::GetScrollInfo(pPreview->m_hWnd, SB_VERT, &si) && si.nPage > 0);
    EXPECT_EQ(kPageColours[0], PageColour(pPreview, 0, 0.5, 0.25));
}

TEST_F(PreviewTest, CloseEndsPrintingThenGivesTheFrameBackWithItsFocus) {
    const struct {
        const char* how;
        UINT message;
        WPARAM wParam;
    } ways[] = {{"escape", WM_KEYDOWN, VK_ESCAPE}, {"close", WM_COMMAND, AFX_ID_PREVIEW_CLOSE}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        CRect rectView;
        m_pView->GetWindowRect(&rectView);
        CPreviewView* pPreview = OpenPreview();
        ASSERT_NE(nullptr, pPreview);
        const HWND hPreview = pPreview->m_hWnd, hBar = pPreview->GetBar().m_hWnd;
        m_pView->m_log.clear();
        pPreview->SendMessage(way.message, way.wParam);
        EXPECT_EQ((std::vector<std::string>{"end", "end preview"}), m_pView->m_log);
        EXPECT_FALSE(::IsWindow(hPreview));
        EXPECT_FALSE(::IsWindow(hBar));
        EXPECT_EQ(m_pView, m_pFrame->GetActiveView());
        EXPECT_EQ(AFX_IDW_PANE_FIRST, m_pView->GetDlgCtrlID());
        EXPECT_TRUE(Shown(m_pView));
        EXPECT_TRUE(Shown(&m_bar));
        EXPECT_EQ(m_pView->m_hWnd, ::GetFocus());
        CRect rectAfter;
        m_pView->GetWindowRect(&rectAfter);
        EXPECT_EQ(rectView, rectAfter);
    }
}

TEST_F(PreviewTest, PrintLeavesThePreviewAndSaysNoPrinterIsInstalled) {
    CPreviewView* pPreview = OpenPreview();
    ASSERT_NE(nullptr, pPreview);
    MessageBoxAnswer answer(IDOK);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PRINT);
    EXPECT_EQ(m_pView, m_pFrame->GetActiveView());
    PumpPending();
    ASSERT_EQ(1u, MessageBoxAnswer::s_texts.size());
    EXPECT_EQ(L"No printer is installed.", MessageBoxAnswer::s_texts[0]);
    // Nothing was printed: the only job begun was the preview's.
    EXPECT_EQ(1, std::count(m_pView->m_log.begin(), m_pView->m_log.end(), std::string("begin")));
}

// A view that does not count its pages has as many as OnPrepareDC lets through; the preview
// finds the end by asking and stays on the last page there is.
TEST_F(PreviewTest, AnUncountedJobEndsWhereTheViewStops) {
    m_pView->m_nPages = 0;
    CPreviewView* pPreview = OpenPreview();
    ASSERT_NE(nullptr, pPreview);
    EXPECT_EQ(kPageColours[0], PageColour(pPreview, 0, 0.5, 0.25));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    CaptureClient(pPreview->m_hWnd);
    EXPECT_EQ(1u, pPreview->GetCurrentPage());
    EXPECT_EQ(kPageColours[0], PageColour(pPreview, 0, 0.5, 0.25));
    EXPECT_FALSE(BarEnabled(pPreview, AFX_ID_PREVIEW_NEXT));
}

TEST_F(PreviewTest, ARefusedJobOrAClosingFrameLeavesNothingBehind) {
    m_pView->m_bRefuse = TRUE;
    EXPECT_EQ(nullptr, OpenPreview());
    EXPECT_EQ(m_pView, m_pFrame->GetActiveView());
    EXPECT_TRUE(Shown(m_pView));
    EXPECT_EQ(0, std::count(m_pView->m_log.begin(), m_pView->m_log.end(), std::string("begin")));

    // The frame going with the preview open still ends the job, once.
    m_pView->m_bRefuse = FALSE;
    ASSERT_NE(nullptr, OpenPreview());
    CPagesView::s_nEnded = 0;
    m_bar.DestroyWindow();
    m_pFrame->DestroyWindow();
    m_pFrame = nullptr;
    PumpPending();
    EXPECT_EQ(1, CPagesView::s_nEnded);
}

// A view in an MDI child previews in the main frame, in the MDI client's place; a second preview
// waits for the first to close.
TEST_F(DocViewTest, AnMdiViewPreviewsInTheMainFrame) {
    if (PrinterInstalled())
        GTEST_SKIP() << "a printer is installed: the stand-in page is not used";
    CFrameWnd* pChild = nullptr;
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pTextTemplate, &pChild));
    CView* pView = pChild->GetActiveView();
    ASSERT_NE(nullptr, pView);
    const HWND hClient = m_pMain->m_hWndMDIClient;
    CPreviewView* pPreview = CPreviewView::Open(pView);
    ASSERT_NE(nullptr, pPreview);
    EXPECT_EQ(m_pMain, pPreview->GetParent());
    EXPECT_EQ(pPreview, m_pMain->GetActiveView());
    EXPECT_FALSE(::GetWindowLongW(hClient, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(nullptr, CPreviewView::Open(pView));
    // The view does not count its pages: one page, and once it is drawn Next has nowhere to go.
    CaptureClient(pPreview->m_hWnd);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    CaptureClient(pPreview->m_hWnd);
    EXPECT_EQ(1u, pPreview->GetCurrentPage());
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(pPreview->GetBar().m_hWnd, AFX_ID_PREVIEW_NEXT)));

    pPreview->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(::GetWindowLongW(hClient, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(hClient));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CPreviewView, m_pMain->GetActiveView()));
}

TEST(PageDevice, TheStandInRefusesPagesWithoutDots) {
    const CSize size = CPageDevice::GetStandInSize(), dpi = CPageDevice::GetStandInDpi();
    EXPECT_FALSE(CPageDevice::SetStandIn(CSize(0, 100), CSize(100, 100)));
    EXPECT_FALSE(CPageDevice::SetStandIn(CSize(100, 100), CSize(100, -1)));
    EXPECT_EQ(size, CPageDevice::GetStandInSize());
    EXPECT_EQ(dpi, CPageDevice::GetStandInDpi());
    ASSERT_TRUE(CPageDevice::SetStandIn(CSize(400, 300), CSize(50, 60)));
    CPageDevice page(NULL);
    EXPECT_TRUE(page.IsStandIn());
    EXPECT_EQ(CSize(400, 300), page.GetSize());
    CPreviewDC dc(page);
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(60, dc.GetDeviceCaps(LOGPIXELSY));
    EXPECT_EQ(400, dc.GetDeviceCaps(HORZRES));
    EXPECT_EQ(203, dc.GetDeviceCaps(HORZSIZE)); // 8 inches in millimetres
    CPageDevice::SetStandIn(size, dpi);
}
