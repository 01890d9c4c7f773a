// Custom toolbars under the real mouse (SendInput): presses that become commands, releases
// outside, disabled buttons, check buttons, and the hot button following the cursor.
#include "toolbar_test_frame.h"

#include <list>

namespace {
const UINT kA = 40001, kB = 40002, kC = 40003;

class ToolBarMouseTest : public ToolBarFrameTest {
protected:
    SECCustomToolBar* MakeBar(UINT nID, std::vector<UINT> ids) {
        m_ids.push_back(ids);
        auto* pBar = new SECCustomToolBar;
        EXPECT_TRUE(m_pFrame->Manager().CreateManagedBar(pBar, nID, L"Bar"));
        pBar->SetButtons(m_ids.back().data(), static_cast<int>(ids.size()));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, nullptr);
        m_pFrame->RecalcLayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        PumpToolBarMessages();
        return pBar;
    }
    static CPoint ScreenMiddle(SECCustomToolBar* pBar, int nIndex) {
        CRect rect;
        pBar->GetButtonRect(nIndex, rect);
        pBar->ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    void TearDown() override {
        ::SetCursorPos(0, 0);
        ToolBarFrameTest::TearDown();
    }
    std::list<std::vector<UINT>> m_ids;
};
} // namespace

TEST_F(ToolBarMouseTest, APressBecomesOneCommandOnlyWhenReleasedOnItsEnabledButton) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB, 0, kC});
    m_pFrame->m_nDisabledID = kC;
    pBar->OnUpdateCmdUI(m_pFrame, TRUE);
    const CPoint outside = ScreenMiddle(pBar, 0) + CPoint(0, 80);
    struct Case {
        int nButton;
        bool bBackIn; // moved out, then back in before the release
        std::vector<UINT> commands;
    } cases[] = {
        {0, true, {kA}}, // out and in: still one command
        {1, false, {}},  // released outside
    };
    for (const Case& c : cases) {
        m_pFrame->m_commands.clear();
        const CPoint at = ScreenMiddle(pBar, c.nButton);
        MoveMouseTo(at);
        PressMouse(TRUE);
        EXPECT_TRUE(pBar->GetButtonStyle(c.nButton) & SEC_TBBS_PRESSED);
        EXPECT_EQ(pBar->m_hWnd, ::GetCapture());
        MoveMouseTo(outside);
        EXPECT_FALSE(pBar->GetButtonStyle(c.nButton) & SEC_TBBS_PRESSED) << c.nButton;
        if (c.bBackIn) {
            MoveMouseTo(at);
            EXPECT_TRUE(pBar->GetButtonStyle(c.nButton) & SEC_TBBS_PRESSED);
        }
        PressMouse(FALSE);
        EXPECT_EQ(c.commands, m_pFrame->m_commands) << c.nButton;
        EXPECT_EQ(NULL, ::GetCapture()) << c.nButton;
        EXPECT_FALSE(pBar->GetButtonStyle(c.nButton) & SEC_TBBS_PRESSED);
    }
    // A disabled button leaves the press to the bar (a drag of the bar that the release ends).
    m_pFrame->m_commands.clear();
    MoveMouseTo(ScreenMiddle(pBar, 3));
    ClickMouse();
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_FALSE(pBar->GetButtonStyle(3) & SEC_TBBS_PRESSED);
}

// The second press of a double click presses an enabled button again; on a disabled button (as
// on the gripper) it starts no drag of the bar but floats it, and docks it back.
TEST_F(ToolBarMouseTest, ADoubleClickPressesAnEnabledButtonAndTogglesOnADisabledOne) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB, 0, kC});
    m_pFrame->m_nDisabledID = kC;
    pBar->OnUpdateCmdUI(m_pFrame, TRUE);
    const auto doubleClick = [&](int nButton) {
        MoveMouseTo(ScreenMiddle(pBar, nButton));
        PumpUntil([] { return false; }, ::GetDoubleClickTime() + 50); // no pairing with before
        ClickMouse();
        ClickMouse();
        EXPECT_EQ(NULL, ::GetCapture()) << nButton;
    };
    doubleClick(0);
    EXPECT_EQ((std::vector<UINT>{kA, kA}), m_pFrame->m_commands);
    m_pFrame->m_commands.clear();
    doubleClick(3);
    EXPECT_TRUE(pBar->IsFloating());
    doubleClick(3);
    EXPECT_FALSE(pBar->IsFloating());
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(ToolBarMouseTest, ACheckButtonTogglesEverySameIdButtonBeforeItsCommand) {
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB});
    SECCustomToolBar* pOther = MakeBar(59393, {kC, kB});
    pBar->SetButtonStyle(1, pBar->GetButtonStyle(1) | SEC_TBBS_CHECKBOX);
    std::vector<DWORD> seen;
    m_pFrame->m_onCommand = [&](UINT) { seen.push_back(pOther->GetButtonStyle(1)); };
    for (int i = 0; i < 2; ++i) {
        MoveMouseTo(ScreenMiddle(pBar, 1));
        PressMouse(TRUE);
        PressMouse(FALSE);
    }
    ASSERT_EQ(2u, seen.size());
    EXPECT_TRUE(seen[0] & SEC_TBBS_CHECKED);
    EXPECT_FALSE(seen[1] & SEC_TBBS_CHECKED);
    EXPECT_EQ((std::vector<UINT>{kB, kB}), m_pFrame->m_commands);
    EXPECT_FALSE(pOther->GetButtonStyle(0) & SEC_TBBS_CHECKED);
}

TEST_F(ToolBarMouseTest, TheHotButtonFollowsTheCursor) {
    m_pFrame->Manager().SetCoolLook(TRUE);
    SECCustomToolBar* pBar = MakeBar(59392, {kA, kB, 0, kC});
    m_pFrame->m_nDisabledID = kC;
    pBar->OnUpdateCmdUI(m_pFrame, TRUE);
    ASSERT_TRUE(pBar->IsCoolLook());
    MoveMouseTo(ScreenMiddle(pBar, 0));
    EXPECT_TRUE(PumpUntil([&] { return pBar->GetHotButton() == 0; }));
    MoveMouseTo(ScreenMiddle(pBar, 1));
    EXPECT_TRUE(PumpUntil([&] { return pBar->GetHotButton() == 1; }));
    EXPECT_TRUE(pBar->GetButtonStyle(1) & SEC_TBBS_HOT);
    EXPECT_FALSE(pBar->GetButtonStyle(0) & SEC_TBBS_HOT);
    MoveMouseTo(ScreenMiddle(pBar, 3)); // disabled: none
    EXPECT_TRUE(PumpUntil([&] { return pBar->GetHotButton() == -1; }));
    MoveMouseTo(ScreenMiddle(pBar, 1));
    EXPECT_TRUE(PumpUntil([&] { return pBar->GetHotButton() == 1; }));
    // Off the bar, the timer takes the highlight away.
    MoveMouseTo(ScreenMiddle(pBar, 1) + CPoint(0, 120));
    EXPECT_TRUE(PumpUntil([&] { return pBar->GetHotButton() == -1; }));
    EXPECT_FALSE(pBar->GetButtonStyle(1) & SEC_TBBS_HOT);
}

// Cool-look borders, read from the screen: raised on a dockable bar, an etched double line at
// the top of one that cannot be docked.
TEST_F(ToolBarMouseTest, CoolBordersAreRaisedAndEtchedAtTheTopOfAFixedBar) {
    m_pFrame->Manager().SetCoolLook(TRUE);
    SECCustomToolBar* pDocked = MakeBar(59392, {kA, kB});
    auto* pFixed = new SECCustomToolBar;
    ASSERT_TRUE(pFixed->CreateEx(
        0x100, m_pFrame, WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_ANY | CBRS_BORDER_3D, 59400));
    pFixed->m_bAutoDelete = TRUE;
    const UINT ids[] = {kA, kB};
    pFixed->SetButtons(ids, 2);
    pDocked->SetBarStyle(pDocked->GetBarStyle() | CBRS_BORDER_ANY);
    m_pFrame->RecalcLayout();
    PumpToolBarMessages();
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    auto pixels = [](CWnd* pBar, std::initializer_list<CPoint> points) {
        pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        std::vector<COLORREF> colours;
        CRect client;
        pBar->GetClientRect(&client);
        HDC hdc = ::GetDC(NULL);
        for (CPoint pt : points) {
            CPoint at(pt.x < 0 ? client.right + pt.x : pt.x,
                      pt.y < 0 ? client.bottom + pt.y : pt.y);
            pBar->ClientToScreen(&at);
            colours.push_back(::GetPixel(hdc, at.x, at.y));
        }
        ::ReleaseDC(NULL, hdc);
        return colours;
    };
    // Top, right and bottom edges of the dockable bar; its left edge lies past the dock bar's
    // edge (a toolbar starts a pixel before it).
    EXPECT_EQ((std::vector<COLORREF>{hilite, shadow, shadow}),
              pixels(pDocked, {CPoint(20, 0), CPoint(-1, 10), CPoint(20, -1)}));
    // The fixed bar's top: shadow, then highlight.
    EXPECT_EQ((std::vector<COLORREF>{shadow, hilite}),
              pixels(pFixed, {CPoint(20, 0), CPoint(20, 1)}));
}
