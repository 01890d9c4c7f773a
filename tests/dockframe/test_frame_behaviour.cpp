// The docking main frame's floating, showing, menus, help, customize mode and the floating
// windows' shared activation.
#include "dockframe_fixture.h"

#include "docking/frame_docking.h"
#include "tests/support/screenshot.h"
#include "layout_dump.h"
#include "toolbars/bmpmenu.h"
#include "toolbars/toolbar_manager.h"

namespace {
CFrameTestBar* NewBar(CFrameWnd* pFrame, UINT nID, DWORD dwStyle = WS_VISIBLE | CBRS_TOP) {
    auto* pBar = new CFrameTestBar;
    pBar->m_bAutoDelete = TRUE;
    if (!pBar->Make(pFrame, nID, L"Bar", dwStyle))
        return nullptr;
    return pBar;
}

CRect WorkArea() {
    CRect rect;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0);
    return rect;
}

CWnd* FloatingFrameOf(CControlBar* pBar) {
    return pBar->m_pDockBar != nullptr ? pBar->m_pDockBar->GetParent() : nullptr;
}
} // namespace

TEST_F(FrameTest, FloatingKeepsTenPixelsOnTheWorkAreaAndABarAloneOnlyMoves) {
    CFrameTestBar* pBar = NewBar(m_pFrame, ID_BAR_OUTPUT);
    ASSERT_NE(pBar, nullptr);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    PumpIdle();
    const CRect work = WorkArea();
    m_pFrame->FloatControlBar(pBar, CPoint(work.right + 500, work.bottom + 500));
    PumpIdle();
    ASSERT_TRUE(pBar->IsFloating());
    CWnd* pMini = FloatingFrameOf(pBar);
    CRect rect;
    pMini->GetWindowRect(&rect);
    EXPECT_EQ(rect.left, work.right - 10);
    EXPECT_EQ(rect.top, work.bottom - 10);

    // Far to the upper left: the bar's far edges stay 10 pixels inside.
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    m_pFrame->FloatControlBar(pBar, CPoint(work.left - 5000, work.top - 5000));
    PumpIdle();
    EXPECT_EQ(FloatingFrameOf(pBar), pMini) << "a bar alone in its frame only moves";
    pMini->GetWindowRect(&rect);
    EXPECT_EQ(rect.left + rectBar.Width(), work.left + 10);
    EXPECT_EQ(rect.top + rectBar.Height(), work.top + 10);
}

TEST_F(FrameTest, FloatingInTheMainWindowCascadesAndWraps) {
    CRect client;
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &client);
    std::vector<CPoint> expected;
    CPoint next(30, 30);
    for (int i = 0; i < 30; ++i) {
        expected.push_back(next);
        next.Offset(20, 23);
        if (next.x > client.Width() - 30)
            next.x = 30;
        if (next.y > client.Height() - 30)
            next.y = 30;
    }
    bool bWrapped = false;
    for (int i = 0; i < 30; ++i) {
        CFrameTestBar* pBar = NewBar(m_pFrame, ID_BAR_FIRST_MANY + (UINT)i);
        ASSERT_NE(pBar, nullptr);
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->FloatControlBarAsMDIChild(pBar, -1, -1, CBRS_ALIGN_TOP);
        CWnd* pChild = FloatingFrameOf(pBar);
        ASSERT_NE(pChild, nullptr);
        ASSERT_EQ(::GetParent(pChild->m_hWnd), m_pFrame->m_hWndMDIClient);
        CRect rect;
        pChild->GetWindowRect(&rect);
        ::MapWindowPoints(NULL, m_pFrame->m_hWndMDIClient, (LPPOINT)&rect, 2);
        const CPoint want(expected[(size_t)i].x,
                          std::min<int>(expected[(size_t)i].y, client.Height() - 30));
        EXPECT_EQ(rect.TopLeft(), want) << i;
        bWrapped = bWrapped || (i > 0 && expected[(size_t)i].y < expected[(size_t)i - 1].y);
    }
    EXPECT_TRUE(bWrapped);
}

TEST_F(FrameTest, DelayedShowAndHideAndTheFloatingFrameFollowTheLastBar) {
    CFrameTestBar* pBar = NewBar(m_pFrame, ID_BAR_OUTPUT);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    PumpIdle();
    // Shown or hidden at once, the frame lays out at once.
    const CRect inside = m_pFrame->GetInsideRect();
    m_pFrame->ShowControlBar(pBar, FALSE, FALSE);
    EXPECT_LT(m_pFrame->GetInsideRect().top, inside.top);
    m_pFrame->ShowControlBar(pBar, TRUE, FALSE);
    EXPECT_EQ(m_pFrame->GetInsideRect(), inside);
    // Hidden then shown again before idle time: shown.
    m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
    m_pFrame->ShowControlBar(pBar, TRUE, TRUE);
    PumpIdle();
    EXPECT_TRUE(pBar->IsWindowVisible());
    m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
    PumpIdle();
    EXPECT_FALSE(pBar->GetStyle() & WS_VISIBLE);
    m_pFrame->ShowControlBar(pBar, TRUE, FALSE);

    m_pFrame->FloatControlBar(pBar, CPoint(300, 300));
    PumpIdle();
    CWnd* pMini = FloatingFrameOf(pBar);
    ASSERT_NE(pMini, nullptr);
    EXPECT_TRUE(pMini->IsWindowVisible());
    m_pFrame->ShowControlBar(pBar, FALSE, FALSE);
    PumpIdle();
    EXPECT_FALSE(pMini->IsWindowVisible());
    m_pFrame->ShowControlBar(pBar, TRUE, TRUE);
    PumpIdle();
    EXPECT_TRUE(pMini->IsWindowVisible());
}

TEST_F(FrameTest, SizedDockingPicksASideEvenForABarWithoutOne) {
    EXPECT_EQ(sec_docking::LayoutModeFor(AFX_IDW_DOCKBAR_TOP), 0x2Au);
    EXPECT_EQ(sec_docking::LayoutModeFor(AFX_IDW_DOCKBAR_BOTTOM), 0x2Au);
    EXPECT_EQ(sec_docking::LayoutModeFor(AFX_IDW_DOCKBAR_LEFT), 0x10u);
    EXPECT_EQ(sec_docking::LayoutModeFor(AFX_IDW_DOCKBAR_RIGHT), 0x10u);
    EXPECT_EQ(sec_docking::LayoutModeFor(AFX_IDW_DOCKBAR_FLOAT), 0x26u);

    const struct {
        DWORD align;
        UINT expected;
    } cases[] = {{CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                 {0, AFX_IDW_DOCKBAR_BOTTOM},
                 {CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM}};
    UINT nID = ID_BAR_FIRST_MANY;
    for (const auto& c : cases) {
        CFrameTestBar* pBar = NewBar(m_pFrame, nID++, WS_VISIBLE | CBRS_TOP);
        pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | c.align);
        SECDockSize size{0.5f, 90};
        m_pFrame->DockControlBarSized(pBar, nullptr, 0, &size);
        ASSERT_NE(pBar->m_pDockBar, nullptr) << c.align;
        EXPECT_EQ((UINT)pBar->m_pDockBar->GetDlgCtrlID(), c.expected) << c.align;
        EXPECT_FLOAT_EQ(pBar->m_fFloatProportion, 0.5f);
    }
}

TEST_F(FrameTest, MenusByIdAndTheRegisteredMenuQuery) {
    const UINT nGetMenu = SECGetMenuMessage();
    EXPECT_EQ(m_pFrame->SendMessage(nGetMenu, IDR_TEST_EXTRA, 0), 0);
    EXPECT_FALSE(m_pFrame->LoadAdditionalMenus(2, IDR_TEST_EXTRA, IDR_TEST_MISSING));
    EXPECT_NE(m_pFrame->SendMessage(nGetMenu, IDR_TEST_EXTRA, 0), 0) << "loaded before the bad id";
    EXPECT_EQ(m_pFrame->SendMessage(nGetMenu, IDR_TEST_EXTRA, 5), 0) << "no such sub-menu";
    EXPECT_EQ(m_pFrame->SendMessage(nGetMenu, IDR_TEST_MISSING, 0), 0);
    EXPECT_TRUE(m_pFrame->LoadAdditionalMenus(0));
}

TEST_F(FrameTest, CustomizeModeRefusesHitsAndClose) {
    SECToolBarManager manager(m_pFrame);
    m_pFrame->SetControlBarManager(&manager);
    CRect rect;
    m_pFrame->GetWindowRect(&rect);
    const LPARAM pt = MAKELPARAM(rect.left + 50, rect.top + 5);
    EXPECT_NE(m_pFrame->SendMessage(WM_NCHITTEST, 0, pt), HTERROR);
    manager.EnterConfigMode();
    EXPECT_EQ(m_pFrame->SendMessage(WM_NCHITTEST, 0, pt), HTERROR);
    MSG msg = {};
    msg.hwnd = m_pFrame->m_hWnd;
    msg.message = WM_SYSCOMMAND;
    msg.wParam = SC_CLOSE;
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&msg));
    EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));
    manager.ExitConfigMode();
    EXPECT_FALSE(m_pFrame->PreTranslateMessage(&msg));
    m_pFrame->SetControlBarManager(nullptr);
}

TEST_F(FrameTest, HelpRequestsReachTheApplicationOnce) {
    HelpCalls().clear();
    m_pFrame->SendMessage(WM_COMMANDHELP, 0, 1234);
    ASSERT_EQ(HelpCalls().size(), 1u);
    EXPECT_EQ(HelpCalls()[0].first, 1234u);
    EXPECT_EQ(HelpCalls()[0].second, (UINT)HELP_CONTEXT);

    // Context help ended by Esc asks for nothing.
    HelpCalls().clear();
    m_pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    m_pFrame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP, 0);
    EXPECT_TRUE(HelpCalls().empty());
    EXPECT_NE(::GetCapture(), m_pFrame->m_hWnd);

    // While the frame cannot enter it, the request waits once, not over and over.
    ::SetCapture(m_pFrame->m_hWnd);
    m_pFrame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP, 0);
    m_pFrame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP, 0);
    MSG msg;
    int nPosted = 0;
    while (::PeekMessageW(&msg, m_pFrame->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        nPosted += msg.wParam == ID_CONTEXT_HELP ? 1 : 0;
    ::ReleaseCapture();
    EXPECT_EQ(nPosted, 1);
}

TEST_F(FrameTest, FloatingFramesShareTheMainFramesActivation) {
    CFrameTestBar* pBar = NewBar(m_pFrame, ID_BAR_OUTPUT);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(pBar, CPoint(400, 300));
    PumpIdle();
    CWnd* pMini = FloatingFrameOf(pBar);
    ASSERT_NE(pMini, nullptr);
    EXPECT_NE(pMini->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 0);
    // The mini frame taking the activation keeps the main frame's caption active.
    m_pFrame->SyncActivation(WA_INACTIVE, pMini);
    EXPECT_TRUE(m_pFrame->m_bStayActive);
    // Another program's window taking it does not.
    m_pFrame->SyncActivation(WA_INACTIVE, nullptr);
    EXPECT_FALSE(m_pFrame->m_bStayActive);
}

TEST_F(FrameTest, ScreenshotOfBarsDockedOnEverySideAndFloating) {
    const struct {
        UINT id;
        const wchar_t* name;
        UINT side;
        int col, row;
        float share;
    } bars[] = {
        {ID_BAR_OUTPUT, L"Output", AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 0.6f},
        {ID_BAR_WATCH, L"Watch", AFX_IDW_DOCKBAR_BOTTOM, 1, 0, 0.4f},
        {ID_BAR_LOCALS, L"Locals", AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f},
        {ID_BAR_MEMORY, L"Memory", AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f},
        {ID_BAR_STACK, L"Stack", AFX_IDW_DOCKBAR_TOP, 0, 0, 1.0f},
    };
    for (const auto& b : bars) {
        auto* pBar = new CFrameTestBar;
        pBar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(pBar->Make(m_pFrame, b.id, b.name, WS_VISIBLE | CBRS_TOP,
                               CBRS_EX_GRIPPER | CBRS_EX_GRIPPER_CLOSE | CBRS_EX_STDCONTEXTMENU));
        m_pFrame->DockControlBarAt(pBar, b.side, b.col, b.row, b.share, 90);
    }
    auto* pFloating = new CFrameTestBar;
    pFloating->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pFloating->Make(m_pFrame, ID_BAR_THREADS, L"Threads"));
    m_pFrame->DockControlBar(pFloating, AFX_IDW_DOCKBAR_TOP);
    CRect frame;
    m_pFrame->GetWindowRect(&frame);
    m_pFrame->FloatControlBar(pFloating, CPoint(frame.right - 260, frame.bottom - 220));
    PumpIdle();
    m_pFrame->UpdateWindow();
    PumpIdle();
    // Every side holds its bars, the inside rectangle is what they leave.
    const CRect inside = m_pFrame->GetInsideRect();
    EXPECT_FALSE(inside.IsRectEmpty());
    for (const auto& b : bars) {
        CRect rect;
        m_pFrame->GetControlBar(b.id)->GetWindowRect(&rect);
        m_pFrame->ScreenToClient(&rect);
        CRect overlap;
        EXPECT_FALSE(overlap.IntersectRect(&rect, &inside)) << b.id;
    }
    CRect mini;
    pFloating->GetParent()->GetParent()->GetWindowRect(&mini);
    CRect shot;
    shot.UnionRect(&frame, &mini);
    EXPECT_TRUE(SaveScreenPng(shot, ScreenshotPath(L"dockframe_layout.png").c_str()));
}

TEST(FrameMenus, BitmapMenusPlugInAndShareTheManagersImages) {
    ClearTestProfile();
    auto* pFrame = new CTestMainFrame;
    SECToolBarManager manager(pFrame);
    pFrame->SetControlBarManager(&manager);
    pFrame->EnableBitmapMenus(TRUE, TRUE);
    ASSERT_TRUE(pFrame->Open());
    auto* pPlugIn = dynamic_cast<SECBmpMenuPlugIn*>(pFrame->GetMenuPlugIn());
    ASSERT_NE(pPlugIn, nullptr);
    EXPECT_TRUE(pPlugIn->IsPluggedIn());
    EXPECT_EQ(pPlugIn->GetBmpMgr(), manager.GetBmpMgr());
    // A drop-down of the frame's menu is drawn by the plug-in once the frame has updated it.
    HMENU hFile = ::GetSubMenu(::GetMenu(pFrame->m_hWnd), 0);
    ASSERT_NE(hFile, nullptr);
    pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hFile, 0);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(hFile, 0, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(pPlugIn->IsMenuRecorded(hFile));
    pFrame->SetControlBarManager(nullptr);
    CloseFrame(pFrame);
}

TEST(SdiFrame, DocksFloatsAndComesBackFromItsSavedLayout) {
    ClearTestProfile();
    AfxGetApp()->SetRegistryKey(kTestRegistryKey);
    std::map<UINT, BarPlace> saved;
    for (int pass = 0; pass < 2; ++pass) {
        auto* pFrame = new SECFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, L"SDI", WS_OVERLAPPEDWINDOW, CRect(40, 40, 740, 560)));
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->ShowWindow(SW_SHOWNA);
        for (UINT id : {ID_BAR_OUTPUT, ID_BAR_WATCH, ID_BAR_LOCALS}) {
            CFrameTestBar* pBar = NewBar(pFrame, id);
            pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        }
        PumpIdle();
        if (pass == 0) {
            SECDockPos pos{0, 0, 0};
            SECDockSize size{1.0f, 120};
            pFrame->DockControlBarSized(pFrame->GetControlBar(ID_BAR_WATCH), &pos,
                                        AFX_IDW_DOCKBAR_RIGHT, &size);
            pFrame->FloatControlBar(pFrame->GetControlBar(ID_BAR_LOCALS), CPoint(500, 400));
            PumpIdle();
            pFrame->SaveBarState(L"SDI");
            saved = CaptureLayout(pFrame);
            EXPECT_EQ(saved.at(ID_BAR_WATCH).dockBar, (UINT)AFX_IDW_DOCKBAR_RIGHT);
            EXPECT_EQ(saved.at(ID_BAR_LOCALS).host, 1);
        } else {
            pFrame->LoadBarState(L"SDI");
            PumpIdle();
            EXPECT_EQ(CompareLayouts(saved, CaptureLayout(pFrame)), "");
        }
        CloseFrame(pFrame);
    }
    ClearTestProfile();
}

TEST_F(FrameTest, AFloatingFrameShowsTheMainFramesCaptionState) {
    CFrameTestBar* pBar = NewBar(m_pFrame, ID_BAR_OUTPUT);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(pBar, CPoint(400, 300));
    PumpIdle();
    CWnd* pMini = FloatingFrameOf(pBar);
    ASSERT_NE(pMini, nullptr);
    // The caption colour just inside the left border, half way down the caption.
    const auto captionPixel = [&] {
        pMini->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        HDC hdc = ::GetWindowDC(pMini->m_hWnd);
        const int y = ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION) / 2;
        const COLORREF c = ::GetPixel(hdc, ::GetSystemMetrics(SM_CXFRAME) + 2, y);
        ::ReleaseDC(pMini->m_hWnd, hdc);
        return c;
    };
    m_pFrame->NotifyFloatingWindows(FS_ACTIVATE);
    const COLORREF active = captionPixel();
    m_pFrame->NotifyFloatingWindows(FS_DEACTIVATE);
    const COLORREF inactive = captionPixel();
    EXPECT_NE(active, inactive);
    // Back to active with the main frame: the same caption again.
    m_pFrame->NotifyFloatingWindows(FS_ACTIVATE);
    EXPECT_EQ(captionPixel(), active);
}

TEST_F(FrameTest, BarMenusOfferFloatingInTheMainWindow) {
    CFrameTestBar* pBar = NewBar(m_pFrame, ID_BAR_OUTPUT);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    const auto extend = [&](WPARAM wParam, CMenu& menu) {
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, ID_SEC_ALLOWDOCKING, L"Allow Docking");
        m_pFrame->SendMessage(WM_SEC_EXTENDCONTEXTMENU, wParam, (LPARAM)&menu);
    };
    CMenu docked;
    extend((WPARAM) static_cast<CObject*>(pBar), docked);
    ASSERT_EQ(docked.GetMenuItemCount(), 3u);
    CString text;
    docked.GetMenuString(ID_SEC_FLOATMAINWINDOW, text, MF_BYCOMMAND);
    EXPECT_STREQ((LPCTSTR)text, L"Float In Main Window");
    EXPECT_FALSE(docked.GetMenuState(ID_SEC_FLOATMAINWINDOW, MF_BYCOMMAND) & MF_CHECKED);

    m_pFrame->FloatControlBarAsMDIChild(pBar, -1, -1, CBRS_ALIGN_TOP);
    CMenu inMain;
    extend((WPARAM) static_cast<CObject*>(pBar), inMain);
    EXPECT_TRUE(inMain.GetMenuState(ID_SEC_FLOATMAINWINDOW, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(inMain.GetMenuState(ID_SEC_ALLOWDOCKING, MF_BYCOMMAND) & MF_GRAYED);

    // Anything that is not one of the frame's bars is not taken for one.
    CMenu forged;
    int notABar = 0;
    extend((WPARAM)&notABar, forged);
    EXPECT_EQ(forged.GetMenuItemCount(), 1u);
}

TEST_F(FrameTest, AHostedFrameGetsBackOnlyTheStylesItHadDocked) {
    CFrameTestBar* pBar = NewBar(m_pFrame, ID_BAR_OUTPUT);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
    auto* pHosted = new SECFrameWnd;
    ASSERT_TRUE(pHosted->Create(NULL, L"doc", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 60), pBar));
    EXPECT_EQ(m_pFrame->GetBarHostedFrame(pBar), pHosted);
    const DWORD dwDocked = pHosted->GetStyle();
    // Never floated through the frame: nothing stored, nothing taken away.
    m_pFrame->SwapPreFloatStyle(pHosted, FALSE);
    EXPECT_EQ(pHosted->GetStyle(), dwDocked);
    // Floated and docked again: the docked styles come back.
    m_pFrame->FloatControlBar(pBar, CPoint(300, 300));
    PumpIdle();
    EXPECT_TRUE(pHosted->GetStyle() & WS_CAPTION);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
    PumpIdle();
    EXPECT_EQ(pHosted->GetStyle() & ~WS_VISIBLE, dwDocked & ~WS_VISIBLE);
    EXPECT_EQ(::GetPropW(pHosted->m_hWnd, L"SECDockableFrame PreFloat Docked Style"), nullptr);
}

TEST_F(FrameTest, CaptionButtonOptionsSwitchTheFourFilters) {
    const struct {
        DWORD flags;
        bool on[4]; // 257, 256, 260, 261
    } cases[] = {{0x1, {true, true, true, true}},
                 {0x1 | 0x2, {true, false, false, true}},
                 {0x1 | 0x4, {true, true, true, false}},
                 {0x0, {false, false, false, false}}};
    const int ids[] = {SEC_FILTER_SYSCOMMANDEX, SEC_FILTER_CAPTIONLIST, SEC_FILTER_MAXCHILD_BUTTON,
                       SEC_FILTER_MAXCHILD_NCRDBLCLK};
    for (const auto& c : cases) {
        m_pFrame->EnableCaptionButtons(c.flags);
        for (int i = 0; i < 4; ++i) {
            SECMsgFilter* pFilter = m_pFrame->GetRootFilter()->FindFilter(ids[i], nullptr, -1);
            const bool bOn = pFilter != nullptr && pFilter->IsEnabled();
            // A filter switched off may also never have been made.
            EXPECT_EQ(bOn, c.on[i]) << "flags " << c.flags << " filter " << ids[i];
        }
    }
}
