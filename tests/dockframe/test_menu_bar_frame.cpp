// A docking MDI frame that shows its menus in a menu bar: the toolbar manager makes the bar
// first among the default bars, the saved layout brings it back through the manager, and the
// menu keys reach it with the focus deep in an MDI child.
#include "dockframe_fixture.h"

#include "tests/support/screenshot.h"
#include "toolbars/menu_bar.h"
#include "toolbars/menu_bar_feature.h"
#include "toolbars/toolbar_manager.h"

#include <memory>

namespace {
const wchar_t kProfile[] = L"MenuBarFrame";
const UINT kToolBarIds[] = {ID_TEST_FIRST_COMMAND, 0, 0x8201};

class CMenuBarTestView : public CView {
    DECLARE_DYNCREATE(CMenuBarTestView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CMenuBarTestView, CView)

// The application's keys pass the frames' pre-translation before they are dispatched.
void PumpAsApplication() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT || AfxGetApp()->PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void PressAndRelease(WORD vk) {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = vk;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    ::Sleep(20);
    PumpAsApplication();
}

CString ButtonText(SECCustomToolBar* pBar, int nIndex) {
    auto* pBtn = dynamic_cast<SECTBMenuBtn*>(pBar->GetButton(nIndex));
    return pBtn != nullptr ? pBtn->m_strText : CString(L"(not a menu button)");
}

// The frame owns its toolbar manager, as the application's main frame does: the manager goes
// with the frame, while the frame's bar list still stands.
class CMenuBarTestFrame : public CTestMainFrame {
public:
    std::unique_ptr<SECToolBarManager> m_pManager{new SECToolBarManager(this, nullptr)};
};

class MenuBarFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearTestProfile();
        AfxGetApp()->SetRegistryKey(kTestRegistryKey);
    }
    void TearDown() override {
        Close();
        ClearTestProfile();
    }
    // A frame with a toolbar manager and one default toolbar; with bMenuBar an MDI menu bar.
    void Open(BOOL bMenuBar, BOOL bBitmapMenus = FALSE) {
        auto* pFrame = new CMenuBarTestFrame;
        m_pFrame = pFrame;
        m_pManager = pFrame->m_pManager.get();
        m_pFrame->SetControlBarManager(m_pManager);
        m_pFrame->EnableBitmapMenus(bBitmapMenus, FALSE);
        m_pManager->DefineDefaultToolBar(59392, L"Standard", 3, kToolBarIds, CBRS_ALIGN_ANY,
                                         AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
        if (bMenuBar) {
            ASSERT_TRUE(m_pFrame->SetMenuBar(new SECMDIMenuBar));
            SECMDIMenuBar other;
            EXPECT_FALSE(m_pFrame->SetMenuBar(&other)) << "one menu bar a frame";
        }
        ASSERT_TRUE(m_pFrame->Open(640, 400));
        AfxGetApp()->m_pMainWnd = m_pFrame;
    }
    void Close() {
        CloseFrame(m_pFrame);
        m_pFrame = nullptr;
        m_pManager = nullptr;
    }
    SECMenuBar* Bar() const { return m_pFrame->GetMenuBar(); }

    CTestMainFrame* m_pFrame = nullptr;
    SECToolBarManager* m_pManager = nullptr; // the frame's
};
} // namespace

TEST_F(MenuBarFrameTest, TheDefaultBarsStartWithTheMenuBarShowingTheFramesMenu) {
    Open(TRUE);
    ASSERT_NE(nullptr, Bar());
    ASSERT_TRUE(m_pManager->CreateDefaultToolBars());
    m_pFrame->RecalcLayout();
    PumpIdle();

    SECMenuBar* pBar = Bar();
    ASSERT_NE(HWND(NULL), pBar->GetSafeHwnd());
    EXPECT_EQ(pBar, m_pFrame->GetControlBar(SEC_IDW_MENUBAR));
    EXPECT_EQ(SEC_BARTYPE_MENUBAR, m_pManager->GetBarTypeId(pBar));
    EXPECT_EQ(m_pManager, pBar->GetToolBarManager());
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, (UINT)pBar->GetParent()->GetDlgCtrlID());
    CString strTitle;
    pBar->GetWindowText(strTitle);
    EXPECT_STREQ(L"Menu bar", strTitle);
    // The buttons are the frame's menu, which no longer hangs on the window itself.
    EXPECT_EQ(HMENU(NULL), ::GetMenu(m_pFrame->m_hWnd));
    ASSERT_EQ(2, pBar->GetButtonCount());
    EXPECT_STREQ(L"&File", ButtonText(pBar, 0));
    EXPECT_STREQ(L"&Window", ButtonText(pBar, 1));
    EXPECT_EQ((UINT)IDR_TEST_MAIN, pBar->GetMenuId());
    // First: the menu bar's row above the default toolbar's.
    CControlBar* pToolBar = m_pFrame->GetControlBar(59392);
    ASSERT_NE(nullptr, pToolBar);
    CRect rcMenu, rcTool;
    pBar->GetWindowRect(&rcMenu);
    pToolBar->GetWindowRect(&rcTool);
    EXPECT_LE(rcMenu.bottom, rcTool.top);
    CRect rcDock;
    pBar->GetParent()->GetWindowRect(&rcDock);
    EXPECT_GE(rcMenu.right, rcDock.right - 8) << "the menu bar takes its row's whole length";
    EXPECT_LE(rcMenu.right, rcDock.right);
    // Its window is made once: a restore finds it there and makes none.
    SECControlBarInfo info;
    info.m_dwTypeID = SEC_BARTYPE_MENUBAR;
    info.m_nBarID = SEC_IDW_MENUBAR;
    EXPECT_EQ(nullptr, m_pManager->CreateBar(&info));

    CRect shot;
    m_pFrame->GetWindowRect(&shot);
    EXPECT_TRUE(SaveScreenPng(shot, ScreenshotPath(L"menubar-frame.png").c_str()));
}

TEST_F(MenuBarFrameTest, TheMenuBarsMenusDrawTheToolbarImagesOnlyWithBitmapMenusOn) {
    for (BOOL bBitmapMenus : {FALSE, TRUE}) {
        Open(TRUE, bBitmapMenus);
        auto* pFeature = dynamic_cast<SECBmpMenuPlugIn*>(m_pFrame->GetMenuPlugIn());
        ASSERT_NE(nullptr, pFeature);
        EXPECT_TRUE(pFeature->IsPluggedIn());
        EXPECT_EQ(bBitmapMenus != FALSE, pFeature->GetBmpMgr() == m_pManager->GetBmpMgr())
            << bBitmapMenus;
        Close();
    }
}

TEST_F(MenuBarFrameTest, ASavedLayoutBringsTheMenuBarBackThroughTheManager) {
    Open(TRUE);
    ASSERT_TRUE(m_pManager->CreateDefaultToolBars());
    PumpIdle();
    m_pFrame->SaveBarState(kProfile);
    Close();

    // A new frame with its own menu bar, nothing made yet: the layout makes both bars.
    Open(TRUE);
    ASSERT_EQ(HWND(NULL), Bar()->GetSafeHwnd());
    m_pFrame->LoadBarState(kProfile);
    m_pFrame->RecalcLayout();
    PumpIdle();
    SECMenuBar* pBar = Bar();
    ASSERT_NE(HWND(NULL), pBar->GetSafeHwnd());
    EXPECT_EQ(pBar, m_pFrame->GetControlBar(SEC_IDW_MENUBAR));
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, (UINT)pBar->GetParent()->GetDlgCtrlID());
    EXPECT_NE(nullptr, m_pFrame->GetControlBar(59392));
    // The drop-down buttons come back as drop-down buttons, not as the separators that their
    // saved command-less records would make.
    ASSERT_EQ(2, pBar->GetButtonCount());
    EXPECT_STREQ(L"&File", ButtonText(pBar, 0));
    EXPECT_STREQ(L"&Window", ButtonText(pBar, 1));
    Close();

    // A frame without a menu bar skips the saved menu bar and keeps the rest.
    Open(FALSE);
    SECControlBarInfo info;
    info.m_dwTypeID = SEC_BARTYPE_MENUBAR;
    info.m_nBarID = SEC_IDW_MENUBAR;
    EXPECT_EQ(nullptr, m_pManager->CreateBar(&info));
    m_pFrame->LoadBarState(kProfile);
    PumpIdle();
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(SEC_IDW_MENUBAR));
    EXPECT_NE(nullptr, m_pFrame->GetControlBar(59392));
    EXPECT_NE(HMENU(NULL), ::GetMenu(m_pFrame->m_hWnd)) << "its menu stays on the window";
}

TEST_F(MenuBarFrameTest, F10WithTheFocusInAChildsViewOpensKeyboardModeOnTheBar) {
    Open(TRUE);
    ASSERT_TRUE(m_pManager->CreateDefaultToolBars());
    auto* pFeature = dynamic_cast<SECMenuBarFeature*>(m_pFrame->GetMenuPlugIn());
    ASSERT_NE(nullptr, pFeature) << "the frame runs its menu bar through the menu-bar feature";
    EXPECT_EQ(Bar(), pFeature->GetMenuBar());

    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMenuBarTestView);
    auto* pChild = new CMDIChildWnd;
    ASSERT_TRUE(pChild->Create(NULL, L"Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                               CRect(10, 10, 300, 200), m_pFrame, &context));
    CWnd* pView = pChild->GetDlgItem(AFX_IDW_PANE_FIRST);
    ASSERT_NE(nullptr, pView);
    m_pFrame->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    pView->SetFocus();
    PumpAsApplication();
    ASSERT_EQ(pView->m_hWnd, ::GetFocus());

    PressAndRelease(VK_F10);
    EXPECT_TRUE(pFeature->InKeyboardMode());
    EXPECT_EQ(0, Bar()->GetTrackingButton()) << "the first button is highlighted";
    PressAndRelease(VK_RIGHT);
    EXPECT_EQ(1, Bar()->GetTrackingButton());
    PressAndRelease(VK_ESCAPE);
    EXPECT_FALSE(pFeature->InKeyboardMode());
    EXPECT_EQ(pView->m_hWnd, ::GetFocus()) << "the focus never left the view";
}

// The frame owns its bar whether or not the bar's window was ever made (checked under Wine's
// heap checks): a frame closed before its bars, and one never opened.
TEST_F(MenuBarFrameTest, AFrameDeletesAMenuBarWhoseWindowWasNeverMade) {
    Open(TRUE);
    ASSERT_EQ(HWND(NULL), Bar()->GetSafeHwnd());
    Close();
    auto pUnopened = std::make_unique<CMenuBarTestFrame>();
    EXPECT_TRUE(pUnopened->SetMenuBar(new SECMenuBar));
    EXPECT_TRUE(pUnopened->HasMenuBar());
}

// The single-document frame: its menu shows in its bar from the load on, and its keys pass the
// menu-bar feature in the same way.
TEST_F(MenuBarFrameTest, TheSingleDocumentFrameShowsItsMenuInItsBar) {
    struct CSDIMenuBarFrame : SECFrameWnd {
        std::unique_ptr<SECToolBarManager> m_pManager{new SECToolBarManager(this, nullptr)};
    };
    auto* pFrame = new CSDIMenuBarFrame;
    SECToolBarManager& manager = *pFrame->m_pManager;
    pFrame->SetControlBarManager(&manager);
    ASSERT_TRUE(pFrame->SetMenuBar(new SECMenuBar));
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_MAIN, WS_OVERLAPPEDWINDOW));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(manager.CreateDefaultToolBars());
    pFrame->ShowWindow(SW_SHOWNA);
    PumpIdle();
    SECMenuBar* pBar = pFrame->GetMenuBar();
    EXPECT_EQ(pBar, pFrame->GetControlBar(SEC_IDW_MENUBAR));
    EXPECT_EQ(HMENU(NULL), ::GetMenu(pFrame->m_hWnd));
    ASSERT_EQ(2, pBar->GetButtonCount());
    EXPECT_STREQ(L"&File", ButtonText(pBar, 0));
    EXPECT_NE(nullptr, dynamic_cast<SECMenuBarFeature*>(pFrame->GetMenuPlugIn()));
    CloseFrame(pFrame);
}

TEST_F(MenuBarFrameTest, ABorderNegotiationTellsTheMenuBarAndMakesRoom) {
    Open(TRUE);
    ASSERT_TRUE(m_pManager->CreateDefaultToolBars());
    m_pFrame->RecalcLayout();
    PumpIdle();
    ASSERT_NE(nullptr, Bar());
    Bar()->QueryNegotiatedBorder(); // nothing told yet
    CRect before;
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &before);
    const struct {
        const char* what;
        UINT nCmd;
        bool bRect;
        CRect border;
        BOOL bTold;
        CRect inset; // of the MDI client, from before
    } cases[] = {
        {"tools on every side", CFrameWnd::borderSet, true, CRect(4, 6, 24, 26), TRUE,
         CRect(4, 6, 24, 26)},
        {"a request", CFrameWnd::borderRequest, true, CRect(8, 8, 30, 30), TRUE,
         CRect(4, 6, 24, 26)},
        {"the tools gone", CFrameWnd::borderSet, true, CRect(0, 0, 0, 0), FALSE, CRect()},
        {"tools again", CFrameWnd::borderSet, true, CRect(4, 6, 24, 26), TRUE, CRect(4, 6, 24, 26)},
        {"no rectangle: no tools", CFrameWnd::borderSet, false, CRect(), FALSE, CRect()},
    };
    for (const auto& c : cases) {
        CRect border = c.border;
        m_pFrame->NegotiateBorderSpace(c.nCmd, c.bRect ? &border : nullptr);
        EXPECT_EQ(c.bTold, Bar()->QueryNegotiatedBorder()) << c.what;
        EXPECT_FALSE(Bar()->QueryNegotiatedBorder()) << c.what << ": told once";
        CRect now;
        ::GetWindowRect(m_pFrame->m_hWndMDIClient, &now);
        EXPECT_EQ(c.inset, CRect(now.left - before.left, now.top - before.top,
                                 before.right - now.right, before.bottom - now.bottom))
            << c.what;
    }
}
