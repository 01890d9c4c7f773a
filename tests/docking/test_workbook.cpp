// The workbook in a real frame: sheets and their tabs (hidden ones closing up), tabs that follow
// activation, closing and renaming, tips only for cut labels, the tab drawing on a 32-bpp DIB,
// a picture of a workbook with docked and floating document frames, and bars floated into the
// workbook as sheets of their own (also after a save and load).
#include "docframe_test_support.h"

#include "docking/workbook.h"
#include "docking_test_ids.h"
#include "tests/support/picture_canvas.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_capture.h"

#include <cstdlib>
#include <string>

namespace {

class WorkbookTest : public DocFrameTest {
protected:
    void SetUp() override {
        CDocTestView::Handled().clear();
        MakeBook();
        m_pTemplate =
            new SECMultiDocTemplate(IDR_TEST_DOC, RUNTIME_CLASS(CDocTestDoc),
                                    RUNTIME_CLASS(SECWorksheetWnd), RUNTIME_CLASS(CDocTestView));
        AfxGetDocManager()->AddDocTemplate(m_pTemplate);
        PumpDocMessages();
    }

    void MakeBook() {
        m_pBook = new SECWorkbookWnd;
        m_pMain = m_pBook;
        ASSERT_TRUE(m_pBook->LoadFrame(IDR_TEST_MAIN, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        m_pBook->EnableDocking(CBRS_ALIGN_ANY);
        m_pBook->SetWindowPos(NULL, 20, 20, 900, 680, SWP_NOZORDER | SWP_NOACTIVATE);
        AfxGetApp()->m_pMainWnd = m_pBook;
        m_pBook->ShowWindow(SW_SHOW);
        m_pBook->SetWorkbookMode(TRUE);
    }

    SECWorksheetWnd* OpenSheet(LPCTSTR lpszPath) {
        CDocument* pDoc = m_pTemplate->OpenDocumentFileEx(lpszPath, TRUE, FALSE, 0);
        PumpDocMessages();
        return DYNAMIC_DOWNCAST(SECWorksheetWnd, FrameOf(pDoc));
    }

    // A point inside the sheet's tab, frame client coordinates.
    CPoint TabPoint(SECWorksheetWnd* pSheet) {
        std::vector<POINT> points;
        m_pBook->GetTabPolygon(pSheet, points);
        return CPoint((points[0].x + points[5].x) / 2, points[0].y + 10);
    }

    void Click(CPoint point) {
        m_pBook->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_pBook->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        PumpDocMessages();
    }

    SECWorkbookWnd* m_pBook = nullptr;
};

} // namespace

TEST_F(WorkbookTest, AHiddenSheetHasNoTabAndTheOthersCloseUp) {
    SECWorksheetWnd* pA = OpenSheet(L"C:\\a.c");
    SECWorksheetWnd* pB = OpenSheet(L"C:\\b.c");
    SECWorksheetWnd* pC = OpenSheet(L"C:\\c.c");
    ASSERT_TRUE(pA && pB && pC);
    ASSERT_EQ(3, m_pBook->GetSheetCount());
    EXPECT_EQ(2, pC->m_nSheetIndex);
    pB->ShowWindow(SW_HIDE);
    PumpDocMessages();
    EXPECT_EQ(0, m_pBook->GetTabColumn(pA));
    EXPECT_EQ(1, m_pBook->GetTabColumn(pC));
    // Two tabs: a's and c's, c's where b's was.
    EXPECT_EQ(pA, m_pBook->SheetFromPoint(TabPoint(pA), FALSE));
    EXPECT_EQ(pC, m_pBook->SheetFromPoint(TabPoint(pC), FALSE));
    CRect client;
    ::GetWindowRect(m_pBook->m_hWndMDIClient, &client);
    EXPECT_EQ(std::min((client.Width() + 5) / 3, 90), m_pBook->GetTabWidth());
    std::vector<POINT> points;
    m_pBook->GetTabPolygon(pA, points);
    const int nRight = points[5].x;
    EXPECT_EQ(nullptr, m_pBook->SheetFromPoint(
                           CPoint(nRight + 2 * m_pBook->GetTabWidth(), points[0].y + 10), FALSE));
}

TEST_F(WorkbookTest, TabsFollowActivationClosingAndRenaming) {
    SECWorksheetWnd* pA = OpenSheet(L"C:\\a.c");
    SECWorksheetWnd* pB = OpenSheet(L"C:\\b.c");
    SECWorksheetWnd* pC = OpenSheet(L"C:\\c.c");
    ASSERT_TRUE(pA && pB && pC);
    EXPECT_EQ(pC, m_pBook->MDIGetActive());
    Click(TabPoint(pA));
    EXPECT_EQ(pA, m_pBook->MDIGetActive());
    EXPECT_FALSE(pA->m_bPressed);
    Click(TabPoint(pB));
    EXPECT_EQ(pB, m_pBook->MDIGetActive());

    // Closing a sheet renumbers the rest.
    pB->DestroyWindow();
    PumpDocMessages();
    ASSERT_EQ(2, m_pBook->GetSheetCount());
    EXPECT_EQ(pA, m_pBook->GetSheet(0));
    EXPECT_EQ(pC, m_pBook->GetSheet(1));
    EXPECT_EQ(1, pC->m_nSheetIndex);
    EXPECT_EQ(pC, m_pBook->SheetFromPoint(TabPoint(pC), FALSE));

    // A renamed document renames its tab.
    pC->GetActiveDocument()->SetTitle(L"renamed.c");
    EXPECT_EQ(CString(L"renamed.c"), m_pBook->GetTabLabel(pC));
}

TEST_F(WorkbookTest, OnlyACutLabelHasATip) {
    SECWorksheetWnd* pShort = OpenSheet(L"C:\\a.c");
    SECWorksheetWnd* pLong = OpenSheet(L"C:\\a_source_file_with_a_very_long_name.c");
    ASSERT_TRUE(pShort && pLong);
    EXPECT_TRUE(m_pBook->TabLabelFits(pShort));
    EXPECT_FALSE(m_pBook->TabLabelFits(pLong));
    TOOLINFO ti = {};
    ti.cbSize = sizeof ti;
    EXPECT_EQ(-1, m_pBook->OnToolHitTest(TabPoint(pShort), &ti));
    EXPECT_EQ(nullptr, ti.lpszText);
    EXPECT_EQ(pLong->m_nSheetIndex + 1, m_pBook->OnToolHitTest(TabPoint(pLong), &ti));
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_STREQ(L"a_source_file_with_a_very_long_name.c", ti.lpszText);
    EXPECT_EQ(m_pBook->m_hWnd, ti.hwnd);
    std::free(ti.lpszText);
}

TEST_F(WorkbookTest, WithWorkbookModeOffSheetsAreListedWithoutMargins) {
    m_pBook->SetWorkbookMode(FALSE);
    PumpDocMessages();
    SECWorksheetWnd* pA = OpenSheet(L"C:\\a.c");
    ASSERT_NE(nullptr, pA);
    EXPECT_EQ(1, m_pBook->GetSheetCount());
    int l, r, t, b;
    m_pBook->GetClientWnd()->GetMargins(l, r, t, b);
    EXPECT_EQ(0, l + r + t + b);
    m_pBook->SetWorkbookMode(TRUE);
    m_pBook->GetClientWnd()->GetMargins(l, r, t, b);
    EXPECT_EQ(13, l);
    EXPECT_EQ(33, b);
    m_pBook->SetFlatTabs(TRUE);
    m_pBook->GetClientWnd()->GetMargins(l, r, t, b);
    EXPECT_EQ(3, l);
    EXPECT_EQ(5, r);
    EXPECT_EQ(30, b);
}

TEST_F(WorkbookTest, TabOutlineOnA32BitDib) {
    SECWorksheetWnd* pA = OpenSheet(L"C:\\a.c");
    SECWorksheetWnd* pB = OpenSheet(L"C:\\b.c");
    ASSERT_TRUE(pA && pB);
    CRect rectFrame;
    m_pBook->GetClientRect(&rectFrame);
    PictureCanvas canvas(rectFrame.Width(), rectFrame.Height());
    ::PatBlt(canvas.DC().m_hDC, 0, 0, rectFrame.Width(), rectFrame.Height(), WHITENESS);
    m_pBook->DrawTab(&canvas.DC(), pA); // inactive (b is active), raised look
    const Picture drawn = canvas.Take();
    ASSERT_FALSE(drawn.Empty());
    std::vector<POINT> p;
    m_pBook->GetTabPolygon(pA, p);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), shadow = ::GetSysColor(COLOR_BTNSHADOW),
                   light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    struct Case {
        int x, y;
        COLORREF expected;
        const char* what;
    };
    const Case cases[] = {
        {(p[2].x + p[3].x) / 2, p[2].y - 1, RGB(0, 0, 0), "black bottom edge"},
        {(p[2].x + p[3].x) / 2, p[2].y - 2, shadow, "shadow above it"},
        {p[0].x, (p[0].y + p[1].y) / 2, light, "highlight left edge"},
        {(p[0].x + p[5].x) / 2, p[0].y + 8, face, "face inside"},
        {p[3].x + 4, p[3].y + 2, RGB(255, 255, 255), "outside the cut corner"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, drawn.At(c.x, c.y)) << c.what << " at " << c.x << "," << c.y;
}

TEST_F(WorkbookTest, ScreenWorkbookWithDockedAndFloatingDocuments) {
    m_pTemplate->SetCaptionButtonOption(TRUE, TRUE);
    OpenSheet(L"C:\\src\\main.c");
    OpenSheet(L"C:\\src\\registers_and_peripherals.c");
    OpenSheet(L"C:\\src\\util.h");
    CDocument* pLeft =
        m_pTemplate->OpenDocumentFileEx(L"C:\\src\\startup.s", TRUE, TRUE, AFX_IDW_DOCKBAR_LEFT);
    CDocument* pBottom =
        m_pTemplate->OpenDocumentFileEx(L"C:\\src\\trace.log", TRUE, TRUE, AFX_IDW_DOCKBAR_BOTTOM);
    CDocument* pFloat =
        m_pTemplate->OpenDocumentFileEx(L"C:\\src\\memory.map", TRUE, TRUE, AFX_IDW_DOCKBAR_RIGHT);
    PumpDocMessages();
    ASSERT_TRUE(pLeft && pBottom && pFloat);
    auto* pFloatFrame = static_cast<SECDockableFrame*>(FrameOf(pFloat));
    CRect rectBook;
    m_pBook->GetWindowRect(&rectBook);
    m_pBook->FloatControlBar(pFloatFrame->GetHostBar(),
                             CPoint(rectBook.right - 340, rectBook.top + 150), CBRS_ALIGN_TOP);
    PumpDocMessages();
    m_pBook->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    PumpDocMessages();
    ::Sleep(200);
    PumpDocMessages();
    EXPECT_EQ(3, m_pBook->GetSheetCount());
    EXPECT_EQ(4, m_pTemplate->GetDockSide(pFloatFrame));
    EXPECT_TRUE(SaveScreenPng(rectBook, ScreenshotPath(L"docking_frames.png").c_str()));
}

namespace {

const wchar_t kBookKey[] = L"MoxDockingWorkbookTests";

void ClearBookKey() {
    std::wstring key = L"Software\\";
    key += kBookKey;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

// A sizable bar the workbook's profile can save, docked at the top.
SECControlBar* NewDockedBar(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszName) {
    auto* pBar = new SECControlBar;
    if (!pBar->Create(pFrame, lpszName, WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC,
                      CBRS_EX_ALLOW_MDI_FLOAT, nID)) {
        delete pBar;
        return nullptr;
    }
    pBar->m_bAutoDelete = TRUE;
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    return pBar;
}

SECControlBarWorksheet* SheetOf(CControlBar* pBar) {
    CWnd* pDockBar = pBar->GetParent();
    return pDockBar != nullptr ? DYNAMIC_DOWNCAST(SECControlBarWorksheet, pDockBar->GetParent())
                               : nullptr;
}

class WorkbookBarTest : public WorkbookTest {
protected:
    void SetUp() override {
        ClearBookKey();
        AfxGetApp()->SetRegistryKey(kBookKey);
        WorkbookTest::SetUp();
    }
    void TearDown() override {
        WorkbookTest::TearDown();
        AfxGetApp()->SetRegistryKey(L"");
        ClearBookKey();
    }
};

} // namespace

TEST_F(WorkbookBarTest, ABarFloatedInTheWorkbookIsASheetWithATab) {
    OpenSheet(L"C:\\a.c");
    SECControlBar* pBar = NewDockedBar(m_pBook, 0xE8E0, L"Registers");
    ASSERT_NE(nullptr, pBar);
    HICON hIcon = ::LoadIconW(NULL, IDI_INFORMATION);
    pBar->SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    m_pBook->FloatControlBarAsMDIChild(pBar, -1, -1, CBRS_ALIGN_TOP);
    PumpDocMessages();
    SECControlBarWorksheet* pSheet = SheetOf(pBar);
    ASSERT_NE(nullptr, pSheet);
    const HWND hSheet = pSheet->m_hWnd;
    ASSERT_EQ(2, m_pBook->GetSheetCount());
    EXPECT_EQ(pSheet, m_pBook->GetSheet(1));
    // Its tab: the bar's text and the bar's icon, clickable like any other.
    EXPECT_STREQ(L"Registers", m_pBook->GetTabLabel(pSheet));
    EXPECT_EQ(1, m_pBook->GetTabColumn(pSheet));
    EXPECT_EQ(pSheet, m_pBook->SheetFromPoint(TabPoint(pSheet), FALSE));
    EXPECT_NE((HICON)NULL, m_pBook->GetTabIcon(pSheet));
    EXPECT_EQ((LRESULT)hIcon, pSheet->SendMessage(WM_GETICON, ICON_BIG, 0));
    Click(TabPoint(m_pBook->GetSheet(0)));
    Click(TabPoint(pSheet));
    EXPECT_EQ(pSheet, m_pBook->MDIGetActive());

    // The bar's floating size and place follow the sheet's.
    pSheet->SetWindowPos(NULL, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER);
    PumpDocMessages();
    const CSize sizeBefore = pBar->m_szFloat;
    pSheet->SetWindowPos(NULL, 30, 40, 360, 260, SWP_NOZORDER);
    PumpDocMessages();
    EXPECT_EQ(CSize(40, 60), pBar->m_szFloat - sizeBefore);
    CRect rect;
    pSheet->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), pBar->m_pDockContext->m_ptMRUFloatPos);

    // Closing hides the bar and the tab; the sheet stays, and both come back with the bar.
    pSheet->SendMessage(WM_CLOSE);
    PumpDocMessages();
    ASSERT_TRUE(::IsWindow(hSheet));
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(hSheet));
    EXPECT_EQ(2, m_pBook->GetSheetCount());
    EXPECT_EQ(nullptr, m_pBook->SheetFromPoint(TabPoint(pSheet), FALSE));
    m_pBook->ShowControlBar(pBar, TRUE, FALSE);
    PumpDocMessages();
    EXPECT_TRUE(::IsWindowVisible(hSheet));
    EXPECT_EQ(pSheet, m_pBook->SheetFromPoint(TabPoint(pSheet), FALSE));
}

TEST_F(WorkbookBarTest, ABarInTheWorkbookComesBackAsASheetAfterSaveAndLoad) {
    SECControlBar* pBar = NewDockedBar(m_pBook, 0xE8E0, L"Registers");
    ASSERT_NE(nullptr, pBar);
    m_pBook->FloatControlBarAsMDIChild(pBar, -1, -1, CBRS_ALIGN_TOP);
    PumpDocMessages();
    SECControlBarWorksheet* pSheet = SheetOf(pBar);
    ASSERT_NE(nullptr, pSheet);
    pSheet->SetWindowPos(NULL, 50, 60, 340, 220, SWP_NOZORDER);
    PumpDocMessages();
    WINDOWPLACEMENT saved = {};
    saved.length = sizeof saved;
    ASSERT_TRUE(pSheet->GetWindowPlacement(&saved));
    m_pBook->SaveBarState(L"Book");

    m_pBook->ShowWindow(SW_HIDE);
    m_pBook->DestroyWindow();
    PumpDocMessages();
    MakeBook();
    pBar = NewDockedBar(m_pBook, 0xE8E0, L"Registers");
    ASSERT_NE(nullptr, pBar);
    PumpDocMessages();
    ASSERT_EQ(nullptr, SheetOf(pBar));
    m_pBook->LoadBarState(L"Book");
    PumpDocMessages();
    pSheet = SheetOf(pBar);
    ASSERT_NE(nullptr, pSheet);
    ASSERT_EQ(1, m_pBook->GetSheetCount());
    EXPECT_EQ(pSheet, m_pBook->GetSheet(0));
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(pSheet, m_pBook->SheetFromPoint(TabPoint(pSheet), FALSE));
    // The caption comes from the loaded bar, as when the bar was floated here.
    EXPECT_STREQ(L"Registers", m_pBook->GetTabLabel(pSheet));
    EXPECT_NE((HICON)NULL, m_pBook->GetTabIcon(pSheet));
    WINDOWPLACEMENT loaded = {};
    loaded.length = sizeof loaded;
    ASSERT_TRUE(pSheet->GetWindowPlacement(&loaded));
    EXPECT_EQ(CRect(saved.rcNormalPosition), CRect(loaded.rcNormalPosition));
}

namespace {

// The rows of the frame's tab strip: those under the MDI client.
std::pair<int, int> StripRows(SECWorkbookWnd* pBook) {
    CRect client;
    ::GetWindowRect(pBook->m_hWndMDIClient, &client);
    pBook->ScreenToClient(&client);
    return {client.bottom, client.bottom + 34};
}

} // namespace

TEST_F(WorkbookTest, TabClicksRepaintOnlyTheirTabsAndLeaveTheStripAsAFullPaintDraws) {
    std::vector<SECWorksheetWnd*> sheets;
    for (int i = 0; i < 8; ++i) {
        CString strPath;
        strPath.Format(L"C:\\sheet%d.c", i);
        sheets.push_back(OpenSheet(strPath));
        ASSERT_NE(nullptr, sheets.back());
    }
    m_pBook->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Neighbours, far ones, back again: each click repaints what the click changed.
    for (int nSheet : {3, 4, 0, 7, 6, 3}) {
        SECWorksheetWnd* pSheet = sheets[(size_t)nSheet];
        const CPoint point = TabPoint(pSheet);
        m_pBook->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_pBook->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        m_pBook->UpdateWindow();
        ASSERT_EQ(pSheet, m_pBook->MDIGetActive());
        const Picture afterClick = CaptureShownClient(m_pBook->m_hWnd);
        m_pBook->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
        const Picture full = CaptureShownClient(m_pBook->m_hWnd);
        ASSERT_FALSE(full.Empty());
        const auto strip = StripRows(m_pBook);
        EXPECT_TRUE(afterClick.SameRows(full, strip.first, strip.second))
            << "after the click on sheet " << nSheet;
    }
}
