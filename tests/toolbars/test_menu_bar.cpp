// The menu bar on a test frame: buttons and mnemonics from a menu, keyboard mode driven by the
// real keyboard, popups opened and moved along the bar, captured from inside their loop.
#include "toolbar_test_frame.h"

#include "tests/support/modal_script.h"
#include "tests/support/screenshot.h"
#include "shortcut_test_ids.h"
#include "toolbars/drawing/resourcedata.h"
#include "toolbars/menu_bar_feature.h"
#include "toolbars/menu_bar_map.h"
#include "toolbars/toolbars_base.h"

namespace {
const UINT kOpen = 40001, kExit = 40002, kCopy = 40003, kWrap = 40004, kAbout = 40005;

// A strip of coloured squares for the commands' images.
HBITMAP MakeStrip(int nCount) {
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16 * nCount, 15);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT all = {0, 0, 16 * nCount, 15};
    ::FillRect(hDC, &all, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 200)};
    for (int i = 0; i < nCount; ++i) {
        HBRUSH hBrush = ::CreateSolidBrush(colours[i % 3]);
        RECT r = {i * 16 + 2, 2, i * 16 + 14, 13};
        ::FillRect(hDC, &r, hBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

// Ends a menu loop that never goes idle, so that a test cannot hang in it.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR, DWORD) {
    ::EndMenu();
}

class MenuBarTest : public ToolBarFrameTest {
protected:
    void SetUp() override {
        ToolBarFrameTest::SetUp();
        m_hMenu = ::CreateMenu();
        HMENU hFile = ::CreatePopupMenu();
        ::AppendMenuW(hFile, MF_STRING, kOpen, L"&Open...");
        ::AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(hFile, MF_STRING, kExit, L"E&xit");
        HMENU hEdit = ::CreatePopupMenu();
        ::AppendMenuW(hEdit, MF_STRING, kCopy, L"&Copy");
        HMENU hView = ::CreatePopupMenu();
        ::AppendMenuW(hView, MF_STRING | MF_CHECKED, kWrap, L"&Word wrap");
        ::AppendMenuW(m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hFile), L"&File");
        ::AppendMenuW(m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hEdit), L"&Edit");
        ::AppendMenuW(m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hView), L"&View");
        ::AppendMenuW(m_hMenu, MF_STRING, kAbout, L"&About");

        m_pBar = new SECMenuBar;
        m_pBar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(m_pBar->CreateEx(0, m_pFrame, WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC,
                                     SEC_IDW_MENUBAR, L"Menu bar"));
        ASSERT_TRUE(m_pBar->SetMenu(m_hMenu, 0));
        m_pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(m_pBar, AFX_IDW_DOCKBAR_TOP, nullptr);
        m_hStrip = MakeStrip(3);
        const UINT images[] = {kOpen, kCopy, kWrap};
        SECBmpMgr* pStore = new SECBmpMgr;
        pStore->AddRef();
        pStore->AddBitmap(m_hStrip, NULL, images, 3);
        m_feature.SetBmpMgr(pStore);
        pStore->Release();
        m_feature.SetMenuBar(m_pBar);
        m_feature.PlugInTo(m_pFrame);
        m_pFrame->m_pPlugIn = &m_feature;
        m_pFrame->RecalcLayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        m_pFrame->SetFocus();
        PumpToolBarMessages();
    }
    void TearDown() override {
        m_pFrame->m_pPlugIn = nullptr;
        m_pFrame->m_onMenuIdle = nullptr;
        m_feature.SetMenuBar(nullptr);
        m_feature.UnPlug();
        ToolBarFrameTest::TearDown();
        ::DestroyMenu(m_hMenu);
        ::DeleteObject(m_hStrip);
    }
    CPoint ScreenMiddle(int nIndex) const {
        CRect rect;
        m_pBar->GetButtonRect(nIndex, rect);
        m_pBar->ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    // Runs work while a safety timer ends a menu loop that never goes idle.
    void WithMenuGuard(const std::function<void()>& work) {
        const UINT_PTR timer = ::SetTimer(NULL, 0, 5000, &EndStuckMenu);
        work();
        ::KillTimer(NULL, timer);
    }
    static HMENU MenuOfPopup(HWND hPopup) {
        if (hPopup == NULL)
            hPopup = ::FindWindowW(L"#32768", NULL);
        return reinterpret_cast<HMENU>(::SendMessageW(hPopup, MN_GETHMENU, 0, 0));
    }
    HMENU m_hMenu = NULL;
    HBITMAP m_hStrip = NULL;
    SECMenuBar* m_pBar = nullptr;
    SECMenuBarFeature m_feature;
};
} // namespace

TEST_F(MenuBarTest, ButtonsAndMnemonicsComeFromTheMenu) {
    ASSERT_EQ(4, m_pBar->GetButtonCount());
    EXPECT_EQ(59647, m_pBar->GetDlgCtrlID());
    EXPECT_EQ(SEC_BARTYPE_MENUBAR, m_pFrame->Manager().GetBarTypeId(m_pBar));
    EXPECT_TRUE(m_pBar->IsCoolLook());
    EXPECT_TRUE(m_pBar->GetBarStyle() & CBRS_HIDE_INPLACE);
    EXPECT_FALSE(m_pBar->QueryNegotiatedBorder());
    m_feature.SetNegotiatedBorder();
    EXPECT_TRUE(m_pBar->QueryNegotiatedBorder());
    EXPECT_FALSE(m_pBar->QueryNegotiatedBorder()) << "once";
    const WCHAR mnemonics[] = {L'F', L'E', L'V', L'A'};
    for (int i = 0; i < 4; ++i) {
        auto* pBtn = dynamic_cast<SECTBMenuBtn*>(m_pBar->GetButton(i));
        ASSERT_NE(nullptr, pBtn);
        EXPECT_EQ(mnemonics[i], pBtn->m_cMnemonic);
        EXPECT_EQ(i, m_pBar->FindMnemonic(static_cast<WCHAR>(mnemonics[i] + (L'a' - L'A'))));
    }
    EXPECT_EQ(kAbout, m_pBar->GetButtonId(3)) << "a top-level command keeps its id";
    EXPECT_EQ(-1, m_pBar->FindMnemonic(L'x')) << "only top-level items count";
    // The buttons lie in one row, each as wide as its text, in the menu font.
    CRect first, second;
    m_pBar->GetButtonRect(0, first);
    m_pBar->GetButtonRect(1, second);
    EXPECT_EQ(first.top, second.top);
    EXPECT_EQ(first.right, second.left);
    EXPECT_GT(first.Width(), 10);
    // A hidden button has no mnemonic; a mask disables the buttons whose flag misses it.
    m_pBar->HideButton(1, TRUE);
    EXPECT_EQ(-1, m_pBar->FindMnemonic(L'e'));
    m_pBar->HideButton(1, FALSE);
    m_pBar->EnableMenuButtons(0, FALSE);
    EXPECT_TRUE(m_pBar->GetButtonStyle(0) & SEC_TBBS_DISABLED);
    m_pBar->EnableMenuButtons(SEC_MENUBTN_ALWAYS, TRUE);
    EXPECT_FALSE(m_pBar->GetButtonStyle(0) & SEC_TBBS_DISABLED);
    // A grayed top-level item stays disabled; a menu that is gone builds nothing.
    ::EnableMenuItem(m_hMenu, 2, MF_BYPOSITION | MF_GRAYED);
    m_pBar->ResetMenu(FALSE);
    EXPECT_TRUE(m_pBar->GetButtonStyle(2) & SEC_TBBS_DISABLED);
    EXPECT_FALSE(m_pBar->SetMenu(reinterpret_cast<HMENU>(0x1234), 0));
    EXPECT_EQ(4, m_pBar->GetButtonCount());
}

TEST_F(MenuBarTest, FloatingItKeepsItsButtonsInAFrameWithoutASystemMenu) {
    CRect rect;
    m_pFrame->GetWindowRect(&rect);
    m_pFrame->FloatControlBar(m_pBar, CPoint(rect.right + 10, rect.top + 40));
    PumpToolBarMessages();
    ASSERT_TRUE(m_pBar->IsFloating());
    CFrameWnd* pFloating = m_pBar->GetParentFrame();
    ASSERT_NE(m_pFrame, pFloating);
    EXPECT_FALSE(pFloating->GetStyle() & WS_SYSMENU);
    EXPECT_EQ(4, m_pBar->GetButtonCount());
    CRect button;
    m_pBar->GetButtonRect(3, button);
    CRect client;
    m_pBar->GetClientRect(&client);
    EXPECT_TRUE(client.PtInRect(button.BottomRight() - CSize(1, 1))) << "every button shows";
    CRect floating;
    pFloating->GetWindowRect(&floating);
    EXPECT_LT(floating.Width(), button.right + 40) << "as wide as its buttons";
}

TEST_F(MenuBarTest, F10RightAndDownOpenThePopupsAlongTheBar) {
    PressKey(VK_F10);
    ASSERT_TRUE(m_feature.InKeyboardMode());
    EXPECT_EQ(0, m_pBar->GetTrackingButton());
    EXPECT_TRUE(m_pBar->GetButtonStyle(0) & SEC_TBBS_HOT);
    PressKey(VK_RIGHT);
    EXPECT_EQ(1, m_pBar->GetTrackingButton());
    EXPECT_FALSE(m_pBar->GetButtonStyle(0) & SEC_TBBS_HOT);

    // Down opens Edit; Right inside it moves on to View, captured there.
    std::vector<HMENU> opened;
    HBITMAP shot = NULL;
    m_pFrame->m_onMenuIdle = [&](HWND hPopup) {
        const HMENU hMenu = MenuOfPopup(hPopup);
        if (opened.empty() || opened.back() != hMenu)
            opened.push_back(hMenu);
        if (opened.size() == 1) {
            EXPECT_TRUE(IsTrackingMenu());
            // The popup's messages reached the frame: its bitmap menus drew the items.
            MENUITEMINFOW mii = {};
            mii.cbSize = sizeof(mii);
            mii.fMask = MIIM_FTYPE | MIIM_DATA;
            ASSERT_TRUE(::GetMenuItemInfoW(hMenu, 0, TRUE, &mii));
            EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
            EXPECT_NE(nullptr, m_feature.FindInfo(hMenu, mii.dwItemData));
            m_pBar->PostMessage(WM_KEYDOWN, VK_RIGHT, 0);
            return;
        }
        if (shot == NULL) {
            CRect frame, popup;
            m_pFrame->GetWindowRect(&frame);
            ::GetWindowRect(hPopup != NULL ? hPopup : ::FindWindowW(L"#32768", NULL), &popup);
            frame.bottom = std::max<LONG>(popup.bottom + 10, frame.top + 160);
            frame.right = frame.left + 360;
            ::RedrawWindow(NULL, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
            EXPECT_TRUE(SaveScreenPng(frame, ScreenshotPath(L"menubar.png").c_str()));
            shot = reinterpret_cast<HBITMAP>(1);
        }
        ::EndMenu();
    };
    WithMenuGuard([&] {
        PressKey(VK_DOWN);
        PumpUntil([&] { return opened.size() >= 2 && !IsTrackingMenu(); }, 3000);
    });
    ASSERT_EQ(2u, opened.size());
    EXPECT_EQ(::GetSubMenu(m_hMenu, 1), opened[0]);
    EXPECT_EQ(::GetSubMenu(m_hMenu, 2), opened[1]);
    EXPECT_FALSE(IsTrackingMenu());
    EXPECT_EQ(-1, m_pBar->GetTrackingButton());
    EXPECT_FALSE(m_feature.InKeyboardMode());
}

TEST_F(MenuBarTest, AMnemonicOpensItsPopupAndEnterCarriesOutTheFirstItem) {
    std::vector<HMENU> opened;
    m_pFrame->m_onMenuIdle = [&](HWND hPopup) {
        opened.push_back(MenuOfPopup(hPopup));
        m_pBar->PostMessage(WM_KEYDOWN, VK_RETURN, 0); // the first item is selected
    };
    WithMenuGuard([&] {
        PressKey(VK_F10);
        PressKey('E');
        PumpUntil([&] { return !m_pFrame->m_commands.empty(); }, 3000);
    });
    ASSERT_FALSE(opened.empty());
    EXPECT_EQ(::GetSubMenu(m_hMenu, 1), opened[0]);
    EXPECT_EQ((std::vector<UINT>{kCopy}), m_pFrame->m_commands);
    EXPECT_FALSE(m_feature.InKeyboardMode());
    // Escape in a popup closes only the popup: its button stays highlighted for the keys.
    m_pFrame->m_onMenuIdle = [&](HWND) { m_pBar->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0); };
    WithMenuGuard([&] {
        PressKey(VK_F10);
        PressKey(VK_RIGHT);
        PressKey(VK_RIGHT);
        PressKey(VK_DOWN);
        PumpUntil([&] { return !IsTrackingMenu(); }, 3000);
    });
    EXPECT_TRUE(m_feature.InKeyboardMode());
    EXPECT_EQ(2, m_pBar->GetTrackingButton());
    EXPECT_FALSE(m_pBar->GetButtonStyle(2) & SEC_TBBS_PRESSED);
    PressKey(VK_ESCAPE);
    m_pFrame->m_onMenuIdle = [&](HWND hPopup) {
        opened.push_back(MenuOfPopup(hPopup));
        ::EndMenu();
    };
    // Escape leaves keyboard mode; an unknown letter too, with nothing opened.
    PressKey(VK_F10);
    EXPECT_TRUE(m_feature.InKeyboardMode());
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(m_feature.InKeyboardMode());
    EXPECT_EQ(-1, m_pBar->GetTrackingButton());
    opened.clear();
    PressKey(VK_F10);
    PressKey('Q');
    PumpToolBarMessages();
    EXPECT_FALSE(m_feature.InKeyboardMode());
    EXPECT_TRUE(opened.empty());
}

TEST_F(MenuBarTest, TheMouseOpensAPopupAndMovingOverTheNextButtonSwitchesToIt) {
    std::vector<HMENU> opened;
    m_pFrame->m_onMenuIdle = [&](HWND hPopup) {
        const HMENU hMenu = MenuOfPopup(hPopup);
        if (!opened.empty() && opened.back() == hMenu)
            return;
        opened.push_back(hMenu);
        if (opened.size() == 1) {
            // Only the input: the menu loop itself takes the move.
            const CPoint to = ScreenMiddle(1);
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dx = (to.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) /
                          (::GetSystemMetrics(SM_CXSCREEN) - 1);
            input.mi.dy = (to.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) /
                          (::GetSystemMetrics(SM_CYSCREEN) - 1);
            input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            ::SendInput(1, &input, sizeof(input));
        } else
            ::EndMenu();
    };
    MoveMouseTo(ScreenMiddle(0));
    WithMenuGuard([&] {
        PressMouse(TRUE);
        PressMouse(FALSE);
        PumpUntil([&] { return opened.size() >= 2 && !IsTrackingMenu(); }, 3000);
    });
    ASSERT_EQ(2u, opened.size());
    EXPECT_EQ(::GetSubMenu(m_hMenu, 0), opened[0]);
    EXPECT_EQ(::GetSubMenu(m_hMenu, 1), opened[1]);
    EXPECT_FALSE(m_pBar->GetButtonStyle(1) & SEC_TBBS_PRESSED);
    // The top-level command goes to the frame like a menu's.
    m_pFrame->m_onMenuIdle = nullptr;
    MoveMouseTo(ScreenMiddle(3));
    PressMouse(TRUE);
    PressMouse(FALSE);
    PumpToolBarMessages();
    EXPECT_EQ((std::vector<UINT>{kAbout}), m_pFrame->m_commands);
    ::SetCursorPos(0, 0);
}

// The frame destroys the bar while its popup is open: the loop ends and nothing touches the
// bar afterwards (run again under the heap checks).
TEST_F(MenuBarTest, TheBarDestroyedWhileItsPopupIsOpenIsLeftAlone) {
    const HWND hBar = m_pBar->m_hWnd;
    bool bDestroyed = false;
    m_pFrame->m_onMenuIdle = [&](HWND) {
        if (!bDestroyed) {
            bDestroyed = true;
            ::DestroyWindow(hBar);
        }
    };
    WithMenuGuard([&] {
        PressKey(VK_F10);
        PressKey(VK_DOWN);
        PumpUntil([&] { return bDestroyed && !IsTrackingMenu(); }, 3000);
    });
    EXPECT_TRUE(bDestroyed);
    EXPECT_FALSE(::IsWindow(hBar));
    EXPECT_FALSE(IsTrackingMenu());
    EXPECT_FALSE(m_feature.InKeyboardMode());
    EXPECT_EQ(nullptr, m_feature.GetMenuBar());
    m_pBar = nullptr;
    // No bar: Alt and F10 are the frame's again (its system menu).
    EXPECT_FALSE(m_feature.OnKeyMenu(0));
    EXPECT_FALSE(m_feature.InKeyboardMode());
}

namespace {
// A frame whose keys pass its menu-bar feature before they are dispatched, as the application's
// message loop offers them.
void PumpTranslated(SECMenuBarFeature& feature) {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT || feature.PreTranslateKey(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys, SECMenuBarFeature& feature) {
    for (const auto& key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key.first;
        input.ki.dwFlags = key.second ? 0 : KEYEVENTF_KEYUP;
        ::SendInput(1, &input, sizeof(input));
        ::Sleep(10);
        PumpTranslated(feature);
    }
}
} // namespace

// With the focus in a child window the frame never sees SC_KEYMENU: the keys reach the menu
// bar through the frame's pre-translation.
TEST_F(MenuBarTest, AltAndF10WorkWithTheFocusInAChildWindow) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 80, 200, 110), m_pFrame, 100));
    edit.SetFocus();
    ASSERT_EQ(edit.m_hWnd, ::GetFocus());
    SendKeys({{VK_MENU, true}, {VK_MENU, false}}, m_feature);
    EXPECT_TRUE(m_feature.InKeyboardMode()) << "Alt alone";
    EXPECT_EQ(0, m_pBar->GetTrackingButton());
    SendKeys({{VK_MENU, true}, {VK_MENU, false}}, m_feature);
    EXPECT_FALSE(m_feature.InKeyboardMode()) << "Alt again leaves";
    SendKeys({{VK_F10, true}, {VK_F10, false}}, m_feature);
    EXPECT_TRUE(m_feature.InKeyboardMode()) << "F10";
    SendKeys({{VK_ESCAPE, true}, {VK_ESCAPE, false}}, m_feature);
    EXPECT_FALSE(m_feature.InKeyboardMode());
    // Alt with another key between is a shortcut, not the menu.
    SendKeys({{VK_MENU, true}, {VK_SHIFT, true}, {VK_SHIFT, false}, {VK_MENU, false}}, m_feature);
    EXPECT_FALSE(m_feature.InKeyboardMode());
    EXPECT_EQ(edit.m_hWnd, ::GetFocus());
    edit.DestroyWindow();
}

// The bar's buttons from a menu resource through the manager's button records and menu-bar ids;
// a popup is then built from the template when it opens.
TEST_F(MenuBarTest, ButtonsFromAMenuResourceThroughTheManager) {
    SECMenuButtonMap map;
    ASSERT_TRUE(map.LoadMenu(IDR_TEST_MAIN, 0xE900));
    ASSERT_EQ((std::vector<UINT>{0xE900, ID_TEST_GO, 65281}), map.GetIds());
    EXPECT_STREQ(L"&Go", reinterpret_cast<LPCWSTR>(map.GetMap()[1].m_data[2]));
    EXPECT_EQ(nullptr, map.GetMap()[3].m_pClass) << "the table ends";

    // A template cut anywhere gives no records.
    DWORD cbSize = 0;
    const BYTE* pData = LockResourceData(MAKEINTRESOURCEW(IDR_TEST_MAIN), RT_MENU, cbSize);
    ASSERT_NE(nullptr, pData);
    for (DWORD cb : {DWORD(0), DWORD(3), DWORD(10), cbSize / 2, cbSize - 1}) {
        SECMenuButtonMap cut;
        EXPECT_FALSE(cut.FromTemplate(pData, cb, IDR_TEST_MAIN, 0xE900)) << cb;
        EXPECT_TRUE(cut.GetIds().empty());
        EXPECT_EQ(nullptr, cut.GetMap()->m_pClass);
    }
    EXPECT_FALSE(SECMenuButtonMap().LoadMenu(4242, 0xE900));

    SECToolBarManager& manager = m_pFrame->Manager();
    manager.SetButtonMap(map.GetMap());
    manager.SetMenuBarIds(map.GetIds().data(), static_cast<int>(map.GetIds().size()));
    auto* pBar = new SECMenuBar;
    ASSERT_TRUE(manager.CreateManagedBar(pBar, 59646, L"Menu"));
    pBar->ResetMenu(FALSE);
    ASSERT_EQ(3, pBar->GetButtonCount());
    EXPECT_EQ(0, pBar->FindMnemonic(L'f'));
    EXPECT_EQ(1, pBar->FindMnemonic(L'g'));
    EXPECT_EQ(ID_TEST_GO, pBar->GetButtonId(1));
    pBar->ShowWindow(SW_SHOW);
    int nItems = -1;
    m_pFrame->m_onMenuIdle = [&](HWND hPopup) {
        nItems = ::GetMenuItemCount(MenuOfPopup(hPopup));
        ::EndMenu();
    };
    WithMenuGuard([&] { pBar->TrackPopup(0, FALSE); });
    EXPECT_EQ(5, nItems) << "File: Open, Close, a separator, Recent, More";
    EXPECT_FALSE(IsTrackingMenu());
    manager.SetButtonMap(nullptr);
    pBar->DestroyWindow();
    PumpToolBarMessages();
}

// The Toolbars dialog lists the menu bar with the frame's bars: its row cannot be unchecked, and
// Reset builds its buttons again from its menu.
TEST_F(MenuBarTest, TheToolbarsDialogKeepsTheMenuBarShownAndResetsItFromItsMenu) {
    m_pBar->RemoveButton(1);
    ::AppendMenuW(m_hMenu, MF_STRING, kExit, L"&Quit");
    ASSERT_EQ(3, m_pBar->GetButtonCount());
    bool bRan = false;
    ModalScript script;
    script.Then(L"Toolbars", [&](HWND hDlg) {
        bRan = true;
        HWND hList = ::GetDlgItem(hDlg, SEC_IDC_TOOLBAR_LIST);
        int nRow = -1;
        const int nCount = static_cast<int>(::SendMessageW(hList, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < nCount; ++i)
            if (::SendMessageW(hList, LB_GETITEMDATA, i, 0) == SEC_IDW_MENUBAR)
                nRow = i;
        if (nRow < 0) {
            ADD_FAILURE() << "the menu bar has no row";
            return IDCANCEL;
        }
        auto* pList = dynamic_cast<CCheckListBox*>(CWnd::FromHandlePermanent(hList));
        if (pList == nullptr) {
            ADD_FAILURE() << "no check list";
            return IDCANCEL;
        }
        EXPECT_EQ(1, pList->GetCheck(nRow));
        ::SendMessageW(hList, LB_SETCURSEL, nRow, 0);
        ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(SEC_IDC_TOOLBAR_LIST, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(hList));
        wchar_t text[32] = L"";
        ::GetDlgItemTextW(hDlg, SEC_IDC_RESET_TOOLBAR, text, 32);
        EXPECT_STREQ(L"&Reset", text) << "the menu bar is reset, never deleted";
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hDlg, SEC_IDC_TOOLBAR_NAME)));

        ::SendMessageW(hList, WM_KEYDOWN, VK_SPACE, 0); // uncheck
        EXPECT_EQ(1, pList->GetCheck(nRow));
        EXPECT_TRUE(m_pBar->IsWindowVisible());

        ::SendMessageW(::GetDlgItem(hDlg, SEC_IDC_RESET_TOOLBAR), BM_CLICK, 0, 0);
        EXPECT_EQ(5, m_pBar->GetButtonCount());
        EXPECT_EQ(1, m_pBar->FindMnemonic(L'e'));
        EXPECT_EQ(4, m_pBar->FindMnemonic(L'q'));
        EXPECT_EQ(kExit, m_pBar->GetButtonId(4));
        EXPECT_TRUE(::IsWindow(m_pBar->m_hWnd));
        return IDOK;
    });
    EXPECT_EQ(IDOK, m_pFrame->Manager().RunToolBarsDialog());
    EXPECT_TRUE(bRan);
    EXPECT_TRUE(m_pBar->IsWindowVisible());
    EXPECT_EQ(5, m_pBar->GetButtonCount());
    EXPECT_TRUE(::IsWindowEnabled(m_pFrame->m_hWnd));
}
