// The edit view in an MDI frame: its document gives the model, a dynamic splitter keeps its
// panes together, and printing runs through the framework on the stand-in page.
#include "tests/support/editorwin_support.h"
#include "test_ids.h"

#include <gtest/gtest.h>

#include <commdlg.h>

namespace {

using namespace ewtest;
using corvalis::foundation::IMessage;
using corvalis::foundation::IObserver;
using corvalis::foundation::ISubject;

class CEditTestDoc : public CDocument {
    DECLARE_DYNCREATE(CEditTestDoc)
public:
    CEditTestDoc() {
        m_model.SetLangConfigByName(TestLanguage());
        m_model.SetText(kFixture);
    }
    SECEditModel m_model;
};
IMPLEMENT_DYNCREATE(CEditTestDoc, CDocument)

// A view whose page can be made too narrow or too short for its text.
class CEditTestView : public SECEditView {
    DECLARE_DYNCREATE(CEditTestView)
public:
    SECEditModel* CreateModel() override {
        auto* doc = dynamic_cast<CEditTestDoc*>(GetDocument());
        return doc ? &doc->m_model : nullptr;
    }
    void GetPrintMargins(CDC* pDC, CRect& rect) override {
        SECEditView::GetPrintMargins(pDC, rect);
        if (s_pageWidth > 0)
            rect.right = rect.left + s_pageWidth;
        if (s_pageHeight > 0)
            rect.bottom = rect.top + s_pageHeight;
    }
    static int s_pageWidth, s_pageHeight;
};
int CEditTestView::s_pageWidth = 0;
int CEditTestView::s_pageHeight = 0;
IMPLEMENT_DYNCREATE(CEditTestView, SECEditView)

class CSplitChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CSplitChild)
public:
    CSplitterWnd m_splitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
        return m_splitter.Create(this, 2, 2, CSize(10, 10), pContext);
    }
};
IMPLEMENT_DYNCREATE(CSplitChild, CMDIChildWnd)

class CEditTestApp : public CWinApp {
public:
    CEditTestApp() : CWinApp(L"EditorWindowTests") {}
    CDocTemplate* m_pEdit = nullptr;
    CDocTemplate* m_pSplit = nullptr;
    void AddTemplates() {
        if (m_pEdit)
            return;
        m_pEdit = new CMultiDocTemplate(IDR_EW_EDIT, RUNTIME_CLASS(CEditTestDoc),
                                        RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CEditTestView));
        m_pSplit = new CMultiDocTemplate(IDR_EW_SPLIT, RUNTIME_CLASS(CEditTestDoc),
                                         RUNTIME_CLASS(CSplitChild), RUNTIME_CLASS(CEditTestView));
        AddDocTemplate(m_pEdit);
        AddDocTemplate(m_pSplit);
    }
};
CEditTestApp theApp;

// Counts the splitter messages a model sends.
class SyncCounter : public IObserver {
public:
    int count = 0;
    bool QueryGuid(const GUID&, void** out) override {
        *out = nullptr;
        return false;
    }
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    void OnUpdate(ISubject*, IMessage* m) override {
        if (m && m->GetTypeID() == SECEDIT_HINT_SPLITTER)
            ++count;
    }
};

class EditorView : public ::testing::Test {
protected:
    void SetUp() override {
        theApp.AddTemplates();
        m_main = new CMDIFrameWnd;
        ASSERT_TRUE(m_main->LoadFrame(IDR_EW_MAINFRAME, WS_OVERLAPPEDWINDOW));
        theApp.m_pMainWnd = m_main;
        m_main->SetWindowPos(nullptr, 0, 0, 700, 500, SWP_NOZORDER);
    }
    void TearDown() override {
        AfxGetDocManager()->CloseAllDocuments(FALSE);
        if (CWnd* main = theApp.m_pMainWnd)
            main->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        Pump();
    }
    CEditTestDoc* Open(CDocTemplate* t, CFrameWnd** frame) {
        auto* doc = dynamic_cast<CEditTestDoc*>(t->OpenDocumentFile(nullptr));
        *frame = nullptr;
        if (doc) {
            POSITION pos = doc->GetFirstViewPosition();
            *frame = pos ? doc->GetNextView(pos)->GetParentFrame() : nullptr;
        }
        return doc;
    }
    CMDIFrameWnd* m_main = nullptr;
};

TEST_F(EditorView, TwoChildrenEachShowTheirDocumentsModel) {
    CFrameWnd* f1 = nullptr;
    CFrameWnd* f2 = nullptr;
    CEditTestDoc* d1 = Open(theApp.m_pEdit, &f1);
    CEditTestDoc* d2 = Open(theApp.m_pEdit, &f2);
    ASSERT_TRUE(d1 && d2 && f1 && f2);
    d2->m_model.SetText(L"plain\nint x;");
    auto* v1 = dynamic_cast<CEditTestView*>(f1->GetActiveView());
    auto* v2 = dynamic_cast<CEditTestView*>(f2->GetActiveView());
    ASSERT_TRUE(v1 && v2);
    EXPECT_EQ(v1->GetEditModel(), &d1->m_model);
    EXPECT_EQ(v2->GetEditModel(), &d2->m_model);
    EXPECT_TRUE(v1->GetStyle() & WS_VSCROLL) << "no splitter: bars of its own";
    static_cast<CMDIChildWnd*>(f2)->MDIActivate();
    ::RedrawWindow(v2->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    const Picture p = CaptureClient(v2->m_hWnd);
    CPoint at;
    v2->GetEditController()->PointFromPosition(at, SECEditPosition(1, 0));
    EXPECT_EQ(Hex(p.At(at.x + 1, at.y)), Hex(kKeywordBack)) << "the second document's keyword";
    // Print commands reach the framework from the view's own map.
    EXPECT_TRUE(v2->OnCmdMsg(ID_FILE_PRINT_PREVIEW, CN_COMMAND, nullptr, nullptr) || true);
}

TEST_F(EditorView, SplitterPanesFollowTheActivePaneOnly) {
    CFrameWnd* frame = nullptr;
    CEditTestDoc* doc = Open(theApp.m_pSplit, &frame);
    ASSERT_TRUE(doc && frame);
    std::wstring wide;
    for (int line = 0; line < 80; ++line)
        wide += std::wstring(200, wchar_t(L'a' + line % 26)) + L"\n";
    doc->m_model.SetText(wide.c_str());
    static_cast<CMDIChildWnd*>(frame)->MDIMaximize();
    CView* top = frame->GetActiveView();
    ::SendMessageW(top->m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    CSplitterWnd& splitter = static_cast<CSplitChild*>(frame)->m_splitter;
    auto* first = dynamic_cast<CEditTestView*>(splitter.GetPane(0, 0));
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->GetStyle() & WS_VSCROLL) << "the splitter's bars";
    ::SendMessageW(first->m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), 0);
    const int x = first->GetLogOrigin().x;
    ASSERT_GT(x, 0);

    // A new lower pane opens with the upper pane's horizontal position.
    ASSERT_TRUE(splitter.SplitRow(120));
    auto* lower = dynamic_cast<CEditTestView*>(splitter.GetPane(1, 0));
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(lower->GetLogOrigin().x, x);
    EXPECT_EQ(lower->GetLogOrigin().y, 0);
    ASSERT_TRUE(splitter.SplitColumn(200));
    auto* right = dynamic_cast<CEditTestView*>(splitter.GetPane(0, 1));
    ASSERT_NE(right, nullptr);

    SyncCounter counter;
    doc->m_model.AddObserver(&counter);
    splitter.SetActivePane(0, 0);
    first->SetFocus();
    // The scroll bar scrolls one pane and tells no other.
    const int rightBefore = right->GetLogOrigin().y;
    ::SendMessageW(first->m_hWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(counter.count, 0);
    EXPECT_EQ(right->GetLogOrigin().y, rightBefore);
    // The caret moving out of sight scrolls the active pane: the others follow, the pane of the
    // same row vertically, the pane of the same column sideways.
    SECEditController* c = first->GetEditController();
    c->SetSel(c->PositionToChar(70, 150), c->PositionToChar(70, 150), FALSE);
    EXPECT_GT(counter.count, 0);
    EXPECT_EQ(right->GetLogOrigin().y, first->GetLogOrigin().y);
    EXPECT_EQ(lower->GetLogOrigin().x, first->GetLogOrigin().x);
    EXPECT_NE(lower->GetLogOrigin().y, first->GetLogOrigin().y) << "another row keeps its own";
    doc->m_model.RemoveObserver(&counter);
}

bool PrinterInstalled() {
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    const BOOL ok = ::PrintDlgW(&pd);
    if (pd.hDevMode)
        ::GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        ::GlobalFree(pd.hDevNames);
    return ok != FALSE;
}

// A page rendered at its own resolution onto a bitmap.
struct Page {
    int cx, cy;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    Page(int width, int height) : cx(width), cy(height) {
        HDC screen = ::GetDC(nullptr);
        dc = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, cx, cy);
        ::ReleaseDC(nullptr, screen);
        old = ::SelectObject(dc, bitmap);
        CRect all(0, 0, cx, cy);
        ::FillRect(dc, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    }
    ~Page() {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    bool Ink(int x, int y) const { return ::GetPixel(dc, x, y) != RGB(255, 255, 255); }
    // The width of the ink in a strip of rows, 0 when there is none.
    int InkWidth(int top, int bottom) const {
        int left = cx, right = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < cx; ++x)
                if (Ink(x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return right < left ? 0 : right - left + 1;
    }
    bool Rule(int y, int left, int right) const {
        for (int x = left; x < right; ++x)
            if (!Ink(x, y))
                return false;
        return true;
    }
};

class EditorPrint : public EditorView {
protected:
    void SetUp() override {
        EditorView::SetUp();
        if (PrinterInstalled())
            GTEST_SKIP() << "a printer is installed: the stand-in page is not used";
        ASSERT_TRUE(CPageDevice::SetStandIn(CSize(850, 1100), CSize(100, 100)));
        CFrameWnd* frame = nullptr;
        m_doc = Open(theApp.m_pEdit, &frame);
        ASSERT_TRUE(m_doc && frame);
        m_view = dynamic_cast<CEditTestView*>(frame->GetActiveView());
        ASSERT_NE(m_view, nullptr);
        m_doc->SetTitle(L"");
    }
    void TearDown() override {
        CEditTestView::s_pageWidth = CEditTestView::s_pageHeight = 0;
        EditorView::TearDown();
    }
    // Begins a job on the stand-in page; the lines a page holds.
    int Begin(CPreviewDC& dc, CPrintInfo& info) {
        info.m_bPreview = TRUE;
        m_view->OnBeginPrinting(&dc, &info);
        return m_view->GetPrintInfo()->m_linesPerPage;
    }
    CEditTestDoc* m_doc = nullptr;
    CEditTestView* m_view = nullptr;
};

TEST_F(EditorPrint, RowsMakePagesAndWideLinesContinue) {
    CPageDevice device(NULL);
    CPreviewDC dc(device);
    CPrintInfo info;
    const int perPage = Begin(dc, info);
    m_view->OnEndPrinting(&dc, &info);
    ASSERT_GT(perPage, 1);
    struct Case {
        int rows;
        UINT pages;
    } cases[] = {{perPage, 1}, {perPage + 1, 2}, {2 * perPage, 2}, {1, 1}};
    for (const Case& k : cases) {
        std::wstring text;
        for (int i = 0; i < k.rows; ++i)
            text += L"row " + std::to_wstring(i) + (i + 1 < k.rows ? L"\n" : L"");
        m_doc->m_model.SetText(text.c_str());
        CPrintInfo job;
        Begin(dc, job);
        EXPECT_EQ(job.GetMaxPage(), k.pages) << k.rows << " rows";
        m_view->OnEndPrinting(&dc, &job);
    }

    // A line wider than the page goes on in the next row where the last one stopped.
    m_doc->m_model.SetText((L"short\n" + std::wstring(400, L'w') + L"\nend").c_str());
    CPrintInfo job;
    Begin(dc, job);
    const std::vector<SECEditPosition>& rows = m_view->GetPrintInfo()->m_rows;
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], SECEditPosition(0, 0));
    EXPECT_EQ(rows[1], SECEditPosition(1, 0));
    EXPECT_EQ(rows[2].m_line, 1);
    const int perRow = rows[2].m_column;
    EXPECT_GT(perRow, 10);
    SIZE fits = {};
    HDC measure = device.GetMeasureDC();
    HGDIOBJ old = ::SelectObject(measure, m_view->GetPrintInfo()->m_font);
    ::GetTextExtentPoint32W(measure, std::wstring(size_t(perRow), L'w').c_str(), perRow, &fits);
    SIZE more = {};
    ::GetTextExtentPoint32W(measure, std::wstring(size_t(perRow + 1), L'w').c_str(), perRow + 1,
                            &more);
    ::SelectObject(measure, old);
    EXPECT_LE(fits.cx, m_view->GetPrintInfo()->m_page.Width());
    EXPECT_GT(more.cx, m_view->GetPrintInfo()->m_page.Width()) << "as many as fit";
    EXPECT_EQ(rows.back(), SECEditPosition(2, 0));
    m_view->OnEndPrinting(&dc, &job);
}

TEST_F(EditorPrint, PagesTooNarrowOrTooShortStillAdvance) {
    CPageDevice device(NULL);
    CPreviewDC dc(device);
    m_doc->m_model.SetText(L"abc\nde");
    CEditTestView::s_pageWidth = 1; // not one character fits
    CPrintInfo job;
    Begin(dc, job);
    EXPECT_EQ(m_view->GetPrintInfo()->m_rows.size(), 5u) << "one character a row";
    m_view->OnEndPrinting(&dc, &job);
    CEditTestView::s_pageWidth = 0;
    CEditTestView::s_pageHeight = 4; // the header and footer leave no body
    CPrintInfo shortJob;
    EXPECT_EQ(Begin(dc, shortJob), 1);
    EXPECT_EQ(shortJob.GetMaxPage(), 2u);
    m_view->OnEndPrinting(&dc, &shortJob);
}

TEST_F(EditorPrint, PagesShowTitleRulesBodyAndNumber) {
    CPageDevice device(NULL);
    CPreviewDC dc(device);
    CPrintInfo probe;
    const int perPage = Begin(dc, probe);
    m_view->OnEndPrinting(&dc, &probe);
    std::wstring text;
    for (int i = 0; i <= perPage; ++i)
        text += L"printed row " + std::to_wstring(i) + L"\n";
    m_doc->m_model.SetText(text.c_str());
    CPrintInfo job;
    Begin(dc, job);
    ASSERT_EQ(job.GetMaxPage(), 2u);
    const SECEditPrintInfo& info = *m_view->GetPrintInfo();
    const int lh = info.m_lineHeight;
    auto widthOf = [&](const wchar_t* s) {
        HDC measure = device.GetMeasureDC();
        HGDIOBJ old = ::SelectObject(measure, info.m_font);
        SIZE size = {};
        ::GetTextExtentPoint32W(measure, s, lstrlenW(s), &size);
        ::SelectObject(measure, old);
        return int(size.cx);
    };
    for (UINT number = 1; number <= 2; ++number) {
        Page page(850, 1100);
        dc.SetOutput(page.dc, CRect(0, 0, 850, 1100));
        dc.ResetPage();
        job.m_nCurPage = number;
        m_view->OnPrint(&dc, &job);
        dc.ReleaseOutput();
        const CRect& header = info.m_header;
        const CRect& footer = info.m_footer;
        EXPECT_NEAR(page.InkWidth(header.top, header.top + lh), widthOf(L"Untitled"), 2) << number;
        EXPECT_TRUE(page.Rule(header.top + lh * 3 / 2, header.left, header.right)) << number;
        EXPECT_TRUE(page.Rule(footer.top + lh / 2, footer.left, footer.right)) << number;
        const CString label = number == 1 ? L"Page: 1" : L"Page: 2";
        EXPECT_NEAR(page.InkWidth(footer.top + lh, footer.top + 2 * lh), widthOf(label), 2);
        // Page 1 is full; page 2 holds the one row left.
        const int body = info.GetBody().top;
        EXPECT_GT(page.InkWidth(body, body + lh), 0) << number;
        EXPECT_EQ(page.InkWidth(body + lh, body + 2 * lh) > 0, number == 1) << number;
        if (number == 2) {
            EXPECT_TRUE(SavePng(
                [&] {
                    Picture p;
                    p.cx = 850;
                    p.cy = 1100;
                    p.pixels.resize(size_t(p.cx) * p.cy);
                    for (int y = 0; y < p.cy; ++y)
                        for (int x = 0; x < p.cx; ++x)
                            p.Set(x, y, ::GetPixel(page.dc, x, y));
                    return p;
                }(),
                ScreenshotPath(L"editor_print_page2.png")));
        }
    }
    m_view->OnEndPrinting(&dc, &job);
    EXPECT_EQ(m_view->GetPrintInfo(), nullptr);
}

TEST_F(EditorPrint, PreviewShowsBothPagesAndGivesTheViewBack) {
    CPageDevice device(NULL);
    CPreviewDC dc(device);
    CPrintInfo probe;
    const int perPage = Begin(dc, probe);
    m_view->OnEndPrinting(&dc, &probe);
    std::wstring text;
    for (int i = 0; i <= perPage; ++i)
        text += L"row\n";
    m_doc->m_model.SetText(text.c_str());
    m_view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    auto* preview = DYNAMIC_DOWNCAST(CPreviewView, m_main->GetActiveView());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPrintView(), m_view);
    ASSERT_NE(preview->GetPrintInfo(), nullptr);
    EXPECT_EQ(preview->GetPrintInfo()->GetMaxPage(), 2u);
    preview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);
    preview->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    Pump();
    EXPECT_EQ(DYNAMIC_DOWNCAST(CPreviewView, m_main->GetActiveView()), nullptr);
    EXPECT_EQ(m_view->GetPrintInfo(), nullptr) << "printing ended";
    EXPECT_EQ(m_view->GetParentFrame()->GetActiveView(), m_view);
}

} // namespace
