// The list view in a frame from a document template: its notifications, its end, and printing
// page by page through the print preview on the stand-in page.
#include "list_fixture.h"
#include "list_ids.h"
#include "tests/support/window_capture.h"

#include "framework/docview/page_device.h"
#include "framework/docview/preview_bar.h"
#include "listtree/list_view.h"

#include <commdlg.h>

#include <memory>
#include <string>

namespace {

class CListDoc : public CDocument {
    DECLARE_DYNCREATE(CListDoc)
};
IMPLEMENT_DYNCREATE(CListDoc, CDocument)

// The frame the view notifies (its parent).
class CListFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CListFrame)
public:
    static std::vector<UINT> s_codes;
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override {
        const UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
        if (code != (UINT)NM_KILLFOCUS && code != (UINT)LVN_GETDISPINFOW)
            s_codes.push_back(code);
        *pResult = 0;
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(CListFrame, CMDIChildWnd)
std::vector<UINT> CListFrame::s_codes;

// Records each printed page's rows and fonts, and screen paints.
class CRecordedListView : public SECListView {
    DECLARE_DYNCREATE(CRecordedListView)
public:
    CRecordedListView() { ++s_nAlive; }
    ~CRecordedListView() override { --s_nAlive; }
    struct Page {
        int top, last;
        std::wstring face;
    };
    static int s_nAlive;
    std::vector<Page> pages;
    int nScreenPaints = 0;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
        SECListView::OnPrint(pDC, pInfo);
        LOGFONT lf = {};
        GetPrinterItemFont()->GetLogFont(&lf);
        pages.push_back({GetTopIndex(), GetLastFullyVisibleIndex(NULL), lf.lfFaceName});
    }
    void DoPaint(CDC* pDC) override {
        if (!pDC->IsPrinting())
            ++nScreenPaints;
        SECListView::DoPaint(pDC);
    }
};
IMPLEMENT_DYNCREATE(CRecordedListView, SECListView)
int CRecordedListView::s_nAlive = 0;

class CListApp : public CWinApp {
public:
    CListApp() : CWinApp(L"ListViewTests") {}
    CDocTemplate* pTemplate = nullptr;
};
CListApp theApp;

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

class ListView : public ::testing::Test {
protected:
    void SetUp() override {
        if (theApp.pTemplate == nullptr) {
            theApp.pTemplate =
                new CMultiDocTemplate(IDR_LISTVIEW, RUNTIME_CLASS(CListDoc),
                                      RUNTIME_CLASS(CListFrame), RUNTIME_CLASS(CRecordedListView));
            theApp.AddDocTemplate(theApp.pTemplate);
        }
        pMain = new CMDIFrameWnd;
        ASSERT_TRUE(pMain->LoadFrame(IDR_LISTMAIN));
        theApp.m_pMainWnd = pMain;
        pDoc = theApp.pTemplate->OpenDocumentFile(nullptr);
        ASSERT_NE(nullptr, pDoc);
        POSITION pos = pDoc->GetFirstViewPosition();
        pView = static_cast<CRecordedListView*>(pDoc->GetNextView(pos));
        pFrame = pView->GetParentFrame();
        pMain->SetWindowPos(NULL, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->SetWindowPos(NULL, 0, 0, 700, 480, SWP_NOZORDER | SWP_NOACTIVATE);
        pView->ModifyListStyle(LVS_TYPEMASK, LVS_REPORT, FALSE);
        pView->SetHeaderStyle(TRUE, TRUE);
        pView->SetRedrawFlag(TRUE);
        pView->DeleteAllColumns(); // the one column a view outside report view starts with
        for (int i = 0; i < 3; ++i)
            pView->AppendColumnArgs((L"Column " + std::to_wstring(i)).c_str(), LVCFMT_LEFT, 120);
        CListFrame::s_codes.clear();
        PumpPending();
    }
    void TearDown() override {
        AfxGetDocManager()->CloseAllDocuments(FALSE);
        if (theApp.m_pMainWnd != nullptr)
            theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        PumpPending();
        EXPECT_EQ(0, CRecordedListView::s_nAlive); // the view deleted itself
    }
    void Fill(int nRows) {
        pView->SetRedrawFlag(FALSE);
        for (int r = 0; r < nRows; ++r)
            pView->InsertItemText(r, (L"row " + std::to_wstring(r)).c_str());
        pView->SetRedrawFlag(TRUE);
        pView->RecalcLayout();
    }
    CPreviewView* OpenPreview() {
        pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
        // An MDI child's view previews in the main frame.
        return DYNAMIC_DOWNCAST(CPreviewView, pMain->GetActiveView());
    }
    CMDIFrameWnd* pMain = nullptr;
    CDocument* pDoc = nullptr;
    CRecordedListView* pView = nullptr;
    CFrameWnd* pFrame = nullptr;
};

TEST_F(ListView, NotifiesItsFrameLikeTheControlAndDeletesItself) {
    Fill(8);
    pView->SetFocus();
    CListFrame::s_codes.clear();
    CRect rc;
    ASSERT_TRUE(pView->GetSubItemRect(2, 0, &rc, LVIR_LABEL));
    const LPARAM pt = MAKELPARAM(rc.left + 2, rc.top + 2);
    pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, pt);
    pView->SendMessage(WM_LBUTTONUP, 0, pt);
    pView->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, pt);
    pView->SendMessage(WM_LBUTTONUP, 0, pt);
    EXPECT_EQ((std::vector<UINT>{(UINT)NM_CLICK, (UINT)NM_DBLCLK, (UINT)NM_CLICK}),
              CListFrame::s_codes);
    EXPECT_EQ(2, pView->GetFocusIndex());
    CListFrame::s_codes.clear();
    pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pView->GetColumnLeft(1) + 10, 8));
    pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pView->GetColumnLeft(1) + 10, 8));
    EXPECT_EQ((std::vector<UINT>{(UINT)LVN_COLUMNCLICK, (UINT)NM_CLICK}), CListFrame::s_codes);
    CListFrame::s_codes.clear();
    pView->DeleteItems(1, 3);
    pView->DeleteAllItems();
    EXPECT_EQ((std::vector<UINT>{(UINT)LVN_DELETEITEM}), CListFrame::s_codes);
}

class ListViewPrint : public ListView {
protected:
    void SetUp() override {
        if (PrinterInstalled())
            GTEST_SKIP() << "a printer is installed: the stand-in page is not used";
        ListView::SetUp();
        ASSERT_TRUE(CPageDevice::SetStandIn(CSize(850, 1100), CSize(100, 100)));
    }
};

TEST_F(ListViewPrint, PagesBreakAfterTheLastWholeRowAndCloseRestoresTheList) {
    Fill(200);
    CFont itemFont;
    itemFont.CreatePointFont(90, L"Arial");
    pView->SetItemFont(&itemFont);
    pView->RecalcLayout();
    pView->SetTopIndex(30);
    CRect rcRow;
    ASSERT_TRUE(pView->GetSubItemRect(31, 0, &rcRow, LVIR_BOUNDS));
    const int nRowHeight = rcRow.Height();
    const int nTop = pView->GetTopIndex();

    CPreviewView* pPreview = OpenPreview();
    ASSERT_NE(nullptr, pPreview);
    EXPECT_TRUE(pView->IsPrintingJob());
    const UINT nPages = pPreview->GetPrintInfo()->GetMaxPage();
    EXPECT_GT(nPages, 2u);
    EXPECT_LT(nPages, 200u);
    const Picture c = CaptureClient(pPreview->m_hWnd); // the preview draws as it paints
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    CaptureClient(pPreview->m_hWnd);
    ASSERT_GE(pView->pages.size(), 2u);
    const auto first = pView->pages.front();
    const auto second = pView->pages.back();
    EXPECT_EQ(0, first.top);
    EXPECT_EQ(first.last + 1, second.top); // page 2 begins after page 1's last whole row
    EXPECT_EQ(L"Arial", first.face);       // a copy of the list's own font
    // Every page starts with the header: the band at the page's top is the header's face.
    const CRect page = pPreview->GetPageRect(0);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), c.At(page.left + page.Width() / 2, page.top + 3));
    EXPECT_TRUE(SavePng(c, ScreenshotPath(L"list_preview.png")));

    // No screen paint while printing.
    pView->nScreenPaints = 0;
    pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(0, pView->nScreenPaints);

    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpPending();
    EXPECT_FALSE(pView->IsPrintingJob());
    EXPECT_EQ(nTop, pView->GetTopIndex());
    EXPECT_EQ(&itemFont, pView->GetItemFont());
    ASSERT_TRUE(pView->GetSubItemRect(31, 0, &rcRow, LVIR_BOUNDS));
    EXPECT_EQ(nRowHeight, rcRow.Height());
    pView->SetItemFont(NULL);
}

TEST_F(ListViewPrint, AnEmptyListIsOnePageAndAFontThatCannotBeCopiedFallsBack) {
    CFont broken; // no font behind it: copying fails
    pView->SetItemFont(&broken);
    CPreviewView* pPreview = OpenPreview();
    ASSERT_NE(nullptr, pPreview);
    EXPECT_EQ(1u, pPreview->GetPrintInfo()->GetMaxPage());
    CaptureClient(pPreview->m_hWnd);
    ASSERT_FALSE(pView->pages.empty());
    EXPECT_EQ(L"Times New Roman", pView->pages.back().face);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpPending();
    pView->SetItemFont(NULL);
}

TEST_F(ListViewPrint, ARowTallerThanThePageStillEndsThePreview) {
    Fill(3);
    pView->ModifyListStyle(LVS_NOLABELWRAP, 0, FALSE); // wrapped labels may grow tall
    std::wstring tall;
    for (int i = 0; i < 400; ++i)
        tall += L"line\n";
    pView->SetItemText(1, 0, tall.c_str());
    CPreviewView* pPreview = OpenPreview();
    ASSERT_NE(nullptr, pPreview);
    EXPECT_EQ(3u, pPreview->GetPrintInfo()->GetMaxPage()); // a row a page at the least
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpPending();
}

} // namespace
