// The customize dialogs driven from inside their modal loops: the Toolbars dialog's list and
// what its buttons do, a new toolbar, the settings on Cancel, and in the customize sheet buttons
// copied, reordered and removed with the real mouse; afterwards every window is enabled and the
// bars come back from a profile as they were left.
#include "toolbar_test_frame.h"

#include "tests/support/modal_script.h"
#include "shortcut_test_ids.h"
#include "tests/support/screenshot.h"
#include "toolbars/registered_messages.h"
#include "toolbars/toolbar_cmd_page.h"
#include "toolbars/toolbar_sheet.h"
#include "toolbars/toolbars_dialog.h"

#include <algorithm>
#include <list>
#include <string>

// A failed requirement inside a script step ends its dialog.
#define REQUIRE(cond)                                                                              \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            ADD_FAILURE() << #cond;                                                                \
            return IDCANCEL;                                                                       \
        }                                                                                          \
    } while (0)

namespace {
const UINT kA = 40001, kB = 40002, kC = 40003, kD = 40004, kE = 40005, kF = 40006;
const UINT kStandard[] = {kA, kB, 0, kC};
const UINT kLeft[] = {kD};
const UINT kPalette[] = {kE, 0, kF};

std::vector<UINT> IdsOf(const SECCustomToolBar* pBar) {
    std::vector<UINT> ids;
    for (int i = 0; pBar != nullptr && i < pBar->GetButtonCount(); ++i)
        ids.push_back((pBar->GetButtonStyle(i) & SEC_TBBS_SEPARATOR) ? 0 : pBar->GetButtonId(i));
    return ids;
}

CString TitleOf(const CWnd* pWnd) {
    CString title;
    pWnd->GetWindowText(title);
    return title;
}

// Coloured squares with a dark frame, one image per command.
HBITMAP MakeImages(int cx, int cy, int nCount) {
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx * nCount, cy);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT all = {0, 0, cx * nCount, cy};
    ::FillRect(hDC, &all, (HBRUSH)::GetStockObject(LTGRAY_BRUSH));
    const COLORREF colours[] = {RGB(200, 0, 0),   RGB(0, 150, 0),   RGB(0, 0, 200),
                                RGB(200, 150, 0), RGB(150, 0, 150), RGB(0, 150, 150)};
    for (int i = 0; i < nCount; ++i) {
        HBRUSH hBrush = ::CreateSolidBrush(colours[i % 6]);
        RECT r = {i * cx + 2, 2, i * cx + cx - 2, cy - 2};
        ::FillRect(hDC, &r, hBrush);
        ::FrameRect(hDC, &r, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

// A button's middle on the screen.
POINT ButtonPoint(SECCustomToolBar* pBar, int nIndex, int dx = 0) {
    CRect rect;
    pBar->GetButtonRect(nIndex, rect);
    pBar->ClientToScreen(&rect);
    return POINT{rect.CenterPoint().x + dx, rect.CenterPoint().y};
}

CCheckListBox* ListOf(HWND hDlg) {
    return dynamic_cast<CCheckListBox*>(
        CWnd::FromHandlePermanent(::GetDlgItem(hDlg, SEC_IDC_TOOLBAR_LIST)));
}

std::wstring ItemText(HWND hDlg, UINT nID) {
    wchar_t text[300] = L"";
    ::GetDlgItemTextW(hDlg, nID, text, 300);
    return text;
}

struct Row {
    std::wstring text;
    UINT nID;
    int nCheck;
    bool operator==(const Row& o) const {
        return text == o.text && nID == o.nID && nCheck == o.nCheck;
    }
};

std::vector<Row> RowsOf(HWND hDlg) {
    std::vector<Row> rows;
    CCheckListBox* pList = ListOf(hDlg);
    for (int i = 0; pList != nullptr && i < pList->GetCount(); ++i) {
        CString text;
        pList->GetText(i, text);
        rows.push_back(
            {text.GetString(), static_cast<UINT>(pList->GetItemData(i)), pList->GetCheck(i)});
    }
    return rows;
}

void Notify(HWND hDlg, UINT nID, UINT nCode) {
    ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(nID, nCode), (LPARAM)::GetDlgItem(hDlg, nID));
}

void SelectRow(HWND hDlg, int nRow) {
    ::SendDlgItemMessageW(hDlg, SEC_IDC_TOOLBAR_LIST, LB_SETCURSEL, nRow, 0);
    Notify(hDlg, SEC_IDC_TOOLBAR_LIST, LBN_SELCHANGE);
}

class ToolBarCustomizeTest : public ToolBarFrameTest {
protected:
    void SetUp() override {
        ToolBarFrameTest::SetUp();
        SECToolBarManager& m = Manager();
        const UINT images[] = {kA, kB, kC, kD, kE, kF};
        m.GetBmpMgr()->SetLargeImageSize(32, 30);
        ASSERT_TRUE(m.AddToolBarBitmap(MakeImages(16, 15, 6), MakeImages(32, 30, 6), images, 6));
        m.DefineDefaultToolBar(59392, L"Standard", 4, kStandard, CBRS_ALIGN_ANY,
                               AFX_IDW_DOCKBAR_TOP);
        m.DefineDefaultToolBar(59393, L"Left", 1, kLeft, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_LEFT);
        m.DefineDefaultToolBar(59394, L"Hidden", 1, kLeft, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0,
                               TRUE, FALSE);
        ASSERT_TRUE(m.CreateDefaultToolBars());
        // A view of the frame: config mode disables it for a while.
        m_hView = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 200, 200, 50, 50,
                                    m_pFrame->m_hWnd, NULL, NULL, NULL);
        PumpToolBarMessages();
    }
    SECToolBarManager& Manager() { return m_pFrame->Manager(); }
    SECCustomToolBar* Bar(UINT nID) { return Manager().FindToolBar(nID); }
    // Every window of the frame enabled, the frame too, and no customize state left.
    void ExpectAllEnabled() {
        EXPECT_TRUE(::IsWindowEnabled(m_pFrame->m_hWnd));
        EXPECT_TRUE(::IsWindowEnabled(m_hView));
        for (SECCustomToolBar* pBar : Manager().GetToolBars()) {
            EXPECT_TRUE(pBar->IsWindowEnabled()) << pBar->GetDlgCtrlID();
            EXPECT_FALSE(pBar->IsCustomizeMode()) << pBar->GetDlgCtrlID();
        }
        EXPECT_FALSE(Manager().IsConfigMode());
        EXPECT_FALSE(Manager().GetCustomizeMode());
        CRect rect;
        Manager().GetCustomizeWndRect(rect);
        EXPECT_TRUE(rect.IsRectEmpty());
    }
    HWND m_hView = NULL;
};
} // namespace

TEST_F(ToolBarCustomizeTest, TheToolbarsListFollowsTheFrameBarsAndItsButtonsChangeThem) {
    SECToolBarManager& m = Manager();
    ASSERT_NE(nullptr, m.CreateUserToolBar(L"One"));
    SECCustomToolBar* pTwo = m.CreateUserToolBar(L"Two");
    ASSERT_NE(nullptr, m.CreateUserToolBar(L"Three"));
    pTwo->DestroyWindow();
    m.FindToolBar(59424)->SetButtons(kLeft, 1);
    PumpToolBarMessages();

    bool bRan = false;
    ModalScript script;
    script.Then(L"Toolbars", [&](HWND hDlg) -> int {
        bRan = true;
        // The frame's bars in order: title, id, visible.
        EXPECT_EQ((std::vector<Row>{{L"Standard", 59392, 1},
                                    {L"Left", 59393, 1},
                                    {L"Hidden", 59394, 0},
                                    {L"One", 59424, 1},
                                    {L"Three", 59426, 1}}),
                  RowsOf(hDlg));
        EXPECT_EQ(0, ListOf(hDlg)->GetCurSel());
        EXPECT_EQ(L"&Reset", ItemText(hDlg, SEC_IDC_RESET_TOOLBAR));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hDlg, SEC_IDC_TOOLBAR_NAME)));
        // Config mode: the frame stays usable, its other windows wait.
        EXPECT_TRUE(m.IsConfigMode());
        EXPECT_TRUE(Bar(59392)->IsCustomizeMode());
        EXPECT_TRUE(::IsWindowEnabled(m_pFrame->m_hWnd));
        EXPECT_FALSE(::IsWindowEnabled(m_hView));

        // A new bar of the frame gets its row by id; a bar of no frame gets none.
        SECCustomToolBar* pAgain = m.CreateUserToolBar(L"Two again");
        REQUIRE(pAgain != nullptr);
        EXPECT_EQ(59425, pAgain->GetDlgCtrlID());
        ::SendMessageW(hDlg, WM_BARNOTIFY, 59600, SEC_BARNOTIFY_CREATED);
        std::vector<Row> rows = RowsOf(hDlg);
        REQUIRE(rows.size() == 6u);
        EXPECT_EQ((Row{L"Two again", 59425, 1}), rows[4]);

        // Hide and show by the check box.
        SelectRow(hDlg, 1);
        HWND hList = ::GetDlgItem(hDlg, SEC_IDC_TOOLBAR_LIST);
        ::SendMessageW(hList, WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_FALSE(Bar(59393)->IsWindowVisible());
        EXPECT_EQ(0, ListOf(hDlg)->GetCheck(1));
        ::SendMessageW(hList, WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_TRUE(Bar(59393)->IsWindowVisible());
        EXPECT_EQ(1, ListOf(hDlg)->GetCheck(1));

        // A user bar: named in the edit, deleted rather than reset; a long name is cut.
        SelectRow(hDlg, 3);
        EXPECT_EQ(L"&Delete", ItemText(hDlg, SEC_IDC_RESET_TOOLBAR));
        HWND hName = ::GetDlgItem(hDlg, SEC_IDC_TOOLBAR_NAME);
        EXPECT_TRUE(::IsWindowEnabled(hName));
        EXPECT_EQ(L"One", ItemText(hDlg, SEC_IDC_TOOLBAR_NAME));
        const std::wstring longName(200, L'n');
        ::SendMessageW(hName, WM_SETTEXT, 0, (LPARAM)longName.c_str());
        ::SendMessageW(hName, EM_SETMODIFY, TRUE, 0);
        Notify(hDlg, SEC_IDC_TOOLBAR_NAME, EN_KILLFOCUS);
        EXPECT_EQ(128, TitleOf(Bar(59424)).GetLength());
        rows = RowsOf(hDlg);
        EXPECT_EQ(128u, rows[3].text.size());
        EXPECT_EQ(59424u, rows[3].nID);
        EXPECT_EQ(3, ListOf(hDlg)->GetCurSel());

        ::SendMessageW(::GetDlgItem(hDlg, SEC_IDC_RESET_TOOLBAR), BM_CLICK, 0, 0);
        PumpToolBarMessages();
        EXPECT_EQ(nullptr, Bar(59424));
        rows = RowsOf(hDlg);
        REQUIRE(rows.size() == 5u);
        EXPECT_EQ(3, ListOf(hDlg)->GetCurSel()); // the row that took its place
        EXPECT_EQ(59425u, rows[3].nID);

        // A default bar goes back to its default buttons.
        Bar(59392)->RemoveButton(0);
        Bar(59392)->InsertButton(0, kD, FALSE);
        SelectRow(hDlg, 0);
        ::SendMessageW(::GetDlgItem(hDlg, SEC_IDC_RESET_TOOLBAR), BM_CLICK, 0, 0);
        EXPECT_EQ((std::vector<UINT>{kA, kB, 0, kC}), IdsOf(Bar(59392)));

        // A bar gone behind the dialog's back loses its row when it is touched.
        const HWND hThree = Bar(59426)->m_hWnd;
        SelectRow(hDlg, 4);
        m.RemoveNotifyWnd(CWnd::FromHandle(hDlg));
        ::DestroyWindow(hThree);
        m.AddNotifyWnd(CWnd::FromHandle(hDlg));
        ::SendMessageW(::GetDlgItem(hDlg, SEC_IDC_RESET_TOOLBAR), BM_CLICK, 0, 0);
        EXPECT_EQ(4u, RowsOf(hDlg).size());
        return IDOK;
    });
    EXPECT_EQ(IDOK, m.RunToolBarsDialog());
    EXPECT_TRUE(bRan);
    ExpectAllEnabled();
}

TEST_F(ToolBarCustomizeTest, NewMakesAFloatingUserBarAndEndsForTheSheetUnlessNoIdIsFree) {
    SECToolBarManager& m = Manager();
    bool bOKOffWhenEmpty = false;
    ModalScript script;
    script.Then(L"Toolbars", [](HWND) { return static_cast<int>(SEC_IDC_NEW_TOOLBAR); })
        .Then(L"New Toolbar", [&](HWND hNew) {
            bOKOffWhenEmpty = !::IsWindowEnabled(::GetDlgItem(hNew, IDOK));
            const std::wstring name(200, L'w');
            ::SetDlgItemTextW(hNew, SEC_IDC_NEW_TOOLBAR_NAME, name.c_str());
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hNew, IDOK)));
            return IDOK;
        });
    EXPECT_EQ(static_cast<INT_PTR>(SEC_IDC_CUSTOMIZE), m.RunToolBarsDialog());
    EXPECT_TRUE(bOKOffWhenEmpty);
    SECCustomToolBar* pNew = Bar(59424);
    ASSERT_NE(nullptr, pNew);
    EXPECT_TRUE(pNew->IsFloating());
    EXPECT_EQ(127, TitleOf(pNew).GetLength()); // the longest title a bar keeps
    ExpectAllEnabled();

    // Every user id taken: a beep, and the dialog stays.
    while (m.CreateUserToolBar(L"More") != nullptr) {
    }
    const size_t nBars = m.GetToolBars().size();
    bool bStayed = false;
    ModalScript full;
    full.Then(L"Toolbars", [](HWND) { return static_cast<int>(SEC_IDC_NEW_TOOLBAR); })
        .Then(L"New Toolbar",
              [](HWND hNew) {
                  ::SetDlgItemTextW(hNew, SEC_IDC_NEW_TOOLBAR_NAME, L"Full");
                  return IDOK;
              })
        .Then(L"Toolbars", [&](HWND) {
            bStayed = true;
            return IDCANCEL;
        });
    EXPECT_EQ(IDCANCEL, m.RunToolBarsDialog());
    EXPECT_TRUE(bStayed);
    EXPECT_EQ(nBars, m.GetToolBars().size());
    ExpectAllEnabled();
}

TEST_F(ToolBarCustomizeTest, CancelRestoresLargeButtonsOnThePageButNotInTheDialog) {
    SECToolBarManager& m = Manager();
    auto clickLarge = [](HWND hForm) {
        ::SendMessageW(::GetDlgItem(hForm, SEC_IDC_LARGEBUTTONS), BM_CLICK, 0, 0);
    };
    {
        SECToolBarSheet sheet;
        SECToolBarsPage page;
        page.SetManager(&m);
        sheet.AddPage(&page);
        ModalScript script;
        script.Then(L"Customize", [&](HWND) {
            clickLarge(page.m_hWnd);
            EXPECT_TRUE(m.GetLargeButtons()); // applied at once
            CRect rect;
            Bar(59392)->GetButtonRect(0, rect);
            EXPECT_EQ(CSize(39, 37), rect.Size());
            return IDCANCEL;
        });
        sheet.DoModal();
        EXPECT_TRUE(script.Finished());
    }
    EXPECT_FALSE(m.GetLargeButtons());
    ExpectAllEnabled();

    ModalScript script;
    script.Then(L"Toolbars", [&](HWND hDlg) {
        clickLarge(hDlg);
        return IDCANCEL;
    });
    EXPECT_EQ(IDCANCEL, m.RunToolBarsDialog());
    EXPECT_TRUE(m.GetLargeButtons());
    ExpectAllEnabled();
}

TEST_F(ToolBarCustomizeTest, TheSheetCopiesReordersAndRemovesButtonsWithTheMouse) {
    SECToolBarManager& m = Manager();
    // A user bar of one button, docked at the bottom.
    SECCustomToolBar* pLone = m.CreateUserToolBar(L"Lone");
    ASSERT_NE(nullptr, pLone);
    pLone->SetButtons(kLeft, 1);
    m_pFrame->DockControlBar(pLone, AFX_IDW_DOCKBAR_BOTTOM, nullptr);
    m_pFrame->RecalcLayout();
    PumpToolBarMessages();
    SECToolBarSheet sheet(SEC_IDS_CUSTOMIZE, m_pFrame);
    SECToolBarsPage toolbarsPage;
    toolbarsPage.SetManager(&m);
    SECToolBarCmdPage commandsPage;
    commandsPage.SetManager(&m);
    commandsPage.DefineBtnGroup(L"Main", 3, kPalette);
    commandsPage.DefineBtnGroup(L"More", 1, kLeft);
    sheet.AddPage(&toolbarsPage);
    sheet.AddPage(&commandsPage);
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    // Empty places of the frame's client area, clear of the sheet.
    const POINT emptyA = {rcFrame.left + 240, rcFrame.top + 120};
    const POINT emptyB = {rcFrame.left + 90, rcFrame.top + 190};
    const POINT emptyC = {rcFrame.left + 340, rcFrame.top + 110};
    const POINT emptyD = {rcFrame.left + 540, rcFrame.top + 190};

    bool bRan = false;
    ModalScript script;
    script.Then(L"Customize", [&](HWND hSheet) -> int {
        bRan = true;
        ::SetWindowPos(hSheet, NULL, rcFrame.left + 370, rcFrame.top + 270, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER);
        ::SendMessageW(hSheet, PSM_SETCURSEL, 1, 0);
        PumpFor(100);
        EXPECT_TRUE(m.IsConfigMode());
        EXPECT_FALSE(::IsWindowEnabled(m_hView));
        auto* pGroup = dynamic_cast<SECTBBtnGroup*>(commandsPage.GetGroup(0));
        REQUIRE(pGroup != nullptr);
        SECCustomizeToolBar* pPalette = pGroup->GetBar();
        REQUIRE(pPalette != nullptr);
        EXPECT_EQ(59646, pPalette->GetDlgCtrlID());
        EXPECT_EQ(59645, commandsPage.GetGroup(1)->GetWnd()->GetDlgCtrlID());
        EXPECT_TRUE(pPalette->IsWindowVisible());
        EXPECT_FALSE(commandsPage.GetGroup(1)->GetWnd()->IsWindowVisible());
        SECCustomToolBar* pStandard = Bar(59392);
        pPalette->UpdateWindow();

        // A palette button copied onto the bar, before the button under its left half.
        CRect rcC, rcE;
        pStandard->GetButtonRect(3, rcC);
        pPalette->GetButtonRect(0, rcE);
        POINT from = ButtonPoint(pPalette, 0);
        POINT to = ButtonPoint(pStandard, 3, 5 - (rcC.Width() / 2 - rcE.Width() / 2));
        DragWithMouse(from, to);
        EXPECT_EQ((std::vector<UINT>{kA, kB, 0, kE, kC}), IdsOf(pStandard));
        EXPECT_EQ((std::vector<UINT>{kE, 0, kF}), IdsOf(pPalette)); // copied, not moved
        EXPECT_EQ(3, pStandard->GetSelection());
        EXPECT_EQ(L"", ItemText(commandsPage.m_hWnd, SEC_IDC_DESCRIPTION));

        // Reordered within the bar: the first button to the end.
        pStandard->GetButtonRect(4, rcC);
        DragWithMouse(ButtonPoint(pStandard, 0), {ButtonPoint(pStandard, 4).x + rcC.Width() / 2 + 2,
                                                  ButtonPoint(pStandard, 4).y});
        EXPECT_EQ((std::vector<UINT>{kB, 0, kE, kC, kA}), IdsOf(pStandard));

        // Dropped onto the sheet: nothing changes.
        CRect rcSheet;
        ::GetWindowRect(hSheet, &rcSheet);
        DragWithMouse(ButtonPoint(pStandard, 0), rcSheet.CenterPoint());
        EXPECT_EQ((std::vector<UINT>{kB, 0, kE, kC, kA}), IdsOf(pStandard));

        // Dragged off every bar: removed, with the separator it leaves first.
        DragWithMouse(ButtonPoint(pStandard, 0), emptyA);
        EXPECT_EQ((std::vector<UINT>{kE, kC, kA}), IdsOf(pStandard));

        // Copied with Ctrl into empty space: a new floating user bar holds it.
        DragWithMouse(ButtonPoint(pStandard, 1), emptyB, true);
        EXPECT_EQ((std::vector<UINT>{kE, kC, kA}), IdsOf(pStandard));
        SECCustomToolBar* pCopy = Bar(59425);
        REQUIRE(pCopy != nullptr);
        EXPECT_TRUE(pCopy->IsFloating());
        EXPECT_EQ((std::vector<UINT>{kC}), IdsOf(pCopy));
        // Its button where the drop left it.
        const POINT landed = ButtonPoint(pCopy, 0);
        EXPECT_LE(std::abs(landed.x - emptyB.x), 2);
        EXPECT_LE(std::abs(landed.y - emptyB.y), 2);
        // ...inside its floating frame, where it shows.
        CRect rcCopy, rcClient, rcShown;
        pCopy->GetWindowRect(&rcCopy);
        pCopy->GetParentFrame()->GetClientRect(&rcClient);
        pCopy->GetParentFrame()->ClientToScreen(&rcClient);
        rcShown.IntersectRect(&rcCopy, &rcClient);
        EXPECT_EQ(rcCopy, rcShown);
        // ...and the Toolbars page lists it.
        EXPECT_EQ((Row{L"ToolBar2", 59425, 1}), RowsOf(toolbarsPage.m_hWnd).back());

        // A palette button dropped in empty space makes a bar too.
        DragWithMouse(ButtonPoint(pPalette, 2), emptyC);
        SECCustomToolBar* pFromPalette = Bar(59426);
        REQUIRE(pFromPalette != nullptr);
        EXPECT_EQ((std::vector<UINT>{kF}), IdsOf(pFromPalette));

        // A user bar's only button dragged off empties it; it goes once that drag is over.
        const HWND hLone = pLone->m_hWnd;
        DragWithMouse(ButtonPoint(pLone, 0), emptyD);
        PumpToolBarMessages();
        EXPECT_FALSE(::IsWindow(hLone));
        EXPECT_EQ(nullptr, Bar(59424));
        std::vector<Row> rows = RowsOf(toolbarsPage.m_hWnd);
        EXPECT_EQ(5u, rows.size());
        EXPECT_TRUE(
            std::none_of(rows.begin(), rows.end(), [](const Row& r) { return r.nID == 59424; }));

        // The description follows the selection.
        DragWithMouse(ButtonPoint(pStandard, 0), ButtonPoint(pStandard, 0));
        PumpFor(100);
        ::RedrawWindow(NULL, NULL, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(200);
        CRect rcShot = rcFrame;
        rcShot.UnionRect(&rcShot, &rcSheet);
        EXPECT_TRUE(SaveScreenPng(rcShot, ScreenshotPath(L"toolbar-customize.png").c_str()));

        // Large buttons from the Toolbars page; OK keeps them.
        ::SendMessageW(hSheet, PSM_SETCURSEL, 0, 0);
        PumpFor(50);
        ::SendMessageW(::GetDlgItem(toolbarsPage.m_hWnd, SEC_IDC_LARGEBUTTONS), BM_CLICK, 0, 0);
        // The palettes follow the image size too.
        CRect rcLarge;
        pPalette->GetButtonRect(0, rcLarge);
        EXPECT_EQ(CSize(39, 37), rcLarge.Size());
        return IDOK;
    });
    EXPECT_EQ(IDOK, sheet.DoModal());
    ASSERT_TRUE(bRan);
    PumpToolBarMessages();
    ExpectAllEnabled();
    EXPECT_TRUE(m.GetLargeButtons());

    // Saved to a profile, then a new frame made again from it has the same bars.
    struct Saved {
        UINT nID;
        CString title;
        std::vector<UINT> ids;
    };
    std::vector<Saved> saved;
    m.SaveState(L"TbCustomize");
    int nBar = 0;
    for (SECCustomToolBar* pBar : m.GetToolBars()) {
        SECControlBarInfo info(&m);
        info.m_dwTypeID = m.GetBarTypeId(pBar);
        info.m_pBarInfoEx = m.CreateBarInfo(&info);
        ASSERT_NE(nullptr, info.m_pBarInfoEx);
        pBar->OnGetBarInfoEx(&info);
        CString section;
        section.Format(L"TbCustomize-Bar%d", nBar++);
        ASSERT_TRUE(info.m_pBarInfoEx->SaveToProfile(section, &m));
        saved.push_back({static_cast<UINT>(pBar->GetDlgCtrlID()), TitleOf(pBar), IdsOf(pBar)});
    }
    ASSERT_EQ(5u, saved.size());
    EXPECT_EQ((std::vector<UINT>{kE, kC, kA}), saved[0].ids);

    auto* pAgain = new CToolBarTestFrame;
    ASSERT_TRUE(pAgain->Open());
    SECToolBarManager& again = pAgain->Manager();
    again.GetBmpMgr()->SetLargeImageSize(32, 30);
    for (size_t i = 0; i < saved.size(); ++i) {
        SECControlBarInfo info(&again);
        info.m_dwTypeID = SEC_BARTYPE_CUSTOMTOOLBAR;
        info.m_nBarID = saved[i].nID;
        info.m_pBarInfoEx = again.CreateBarInfo(&info);
        CString section;
        section.Format(L"TbCustomize-Bar%d", static_cast<int>(i));
        ASSERT_TRUE(info.m_pBarInfoEx->LoadFromProfile(section, &again));
        auto* pBar = dynamic_cast<SECCustomToolBar*>(again.CreateBar(&info));
        ASSERT_NE(nullptr, pBar);
        pBar->OnSetBarInfoEx(&info, pAgain);
        pAgain->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, nullptr);
        AfxGetApp()->WriteProfileString(section, nullptr, nullptr);
    }
    again.LoadState(L"TbCustomize");
    AfxGetApp()->WriteProfileString(L"TbCustomize-ToolBarManager", nullptr, nullptr);
    PumpToolBarMessages();
    std::vector<SECCustomToolBar*> bars = again.GetToolBars();
    ASSERT_EQ(saved.size(), bars.size());
    for (size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(saved[i].nID, static_cast<UINT>(bars[i]->GetDlgCtrlID()));
        EXPECT_STREQ(saved[i].title.GetString(), TitleOf(bars[i]).GetString());
        EXPECT_EQ(saved[i].ids, IdsOf(bars[i]));
    }
    EXPECT_TRUE(again.GetLargeButtons());
    EXPECT_EQ(m.GetToolTips(), again.GetToolTips());
    EXPECT_EQ(m.GetCoolLook(), again.GetCoolLook());
    CRect rect;
    bars[0]->GetButtonRect(0, rect);
    EXPECT_EQ(CSize(39, 37), rect.Size());
    pAgain->DestroyWindow();
    PumpToolBarMessages();
}

TEST_F(ToolBarCustomizeTest, AMenuListRowDragsANewButtonForItsCommand) {
    SECToolBarManager& m = Manager();
    HMENU hMenu = ::LoadMenuW(::GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDR_TEST_MAIN));
    ASSERT_NE(nullptr, hMenu);
    ::SetMenu(m_pFrame->m_hWnd, hMenu); // the frame destroys it
    m_pFrame->RecalcLayout();
    PumpToolBarMessages();
    SECToolBarSheet sheet(SEC_IDS_CUSTOMIZE, m_pFrame);
    SECToolBarCmdPage commandsPage;
    commandsPage.SetManager(&m);
    const UINT menuIds[] = {ID_TEST_OPEN, 0, ID_TEST_CLOSE, 39999}; // the last in no menu
    commandsPage.DefineMenuBtnGroup(L"Menus", 4, menuIds);
    sheet.AddPage(&commandsPage);
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);

    bool bRan = false;
    ModalScript script;
    script.Then(L"Customize", [&](HWND hSheet) -> int {
        bRan = true;
        ::SetWindowPos(hSheet, NULL, rcFrame.left + 370, rcFrame.top + 270, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER);
        PumpFor(100);
        auto* pList = dynamic_cast<SECMenuListBox*>(commandsPage.GetGroup(0)->GetWnd());
        REQUIRE(pList != nullptr);
        EXPECT_EQ(WS_EX_CLIENTEDGE, pList->GetExStyle() & WS_EX_CLIENTEDGE);
        // One row per menu command: its text without "&" and the key, its id as data.
        REQUIRE(pList->GetCount() == 2);
        CString text;
        pList->GetText(0, text);
        EXPECT_STREQ(L"Open ...", text.GetString());
        pList->GetText(1, text);
        EXPECT_STREQ(L"Close", text.GetString());
        EXPECT_EQ(static_cast<DWORD_PTR>(ID_TEST_CLOSE), pList->GetItemData(1));

        SECCustomToolBar* pStandard = Bar(59392);
        CRect rcRow;
        pList->GetItemRect(1, &rcRow);
        pList->ClientToScreen(&rcRow);
        const POINT end = ButtonPoint(pStandard, 3, 14); // past its middle: after it
        DragWithMouse({rcRow.left + 10, rcRow.CenterPoint().y}, end);
        EXPECT_EQ((std::vector<UINT>{kA, kB, 0, kC, ID_TEST_CLOSE}), IdsOf(pStandard));
        EXPECT_EQ(1, pList->GetCurSel());
        // The command's prompt, up to its line break.
        EXPECT_EQ(L"Close the window", ItemText(commandsPage.m_hWnd, SEC_IDC_DESCRIPTION));
        return IDOK;
    });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(bRan);
    ExpectAllEnabled();
}
