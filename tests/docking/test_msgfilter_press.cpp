// A caption control driven by the mouse messages its frame receives: press, tracking with the
// capture, release inside and outside, the right press, and the press-and-hold timer.
#include "test_msgfilter_frame.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_capture.h"

#include <gtest/gtest.h>

namespace {

using C = SECCaptionControlMsgFilter;

struct CaptionPress : testing::Test {
    void SetUp() override {
        ProbeCaptionControl::Fired().clear();
        ProbeCaptionControl::s_nDestroyOnKind = -1;
        // Topmost, away from where other programs' windows open: the caption is read back.
        pFrame =
            FilterTestFrame::Open(WS_OVERLAPPEDWINDOW, WS_EX_TOPMOST, CRect(760, 640, 1160, 880));
        ASSERT_NE(pFrame, nullptr);
        hFrame = pFrame->m_hWnd;
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pList = AddCaptionControls(*pFrame, {C::kindClose, C::kindMaximize},
                                   RUNTIME_CLASS(ProbeCaptionControl));
        pControl = ControlOf(pList, C::kindMaximize);
        pControl->SetHoldDelay(60000); // no hold unless a test asks for one
        inside = ScreenCentre(*pControl);
        CRect rectWindow;
        pFrame->GetWindowRect(&rectWindow);
        outside = CPoint(rectWindow.left + 20, rectWindow.bottom - 20);
    }
    void TearDown() override {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        EXPECT_EQ(FilterTestFrame::s_nAlive, 0);
    }
    LRESULT Press(CPoint screen, UINT message = WM_NCLBUTTONDOWN, WPARAM hit = HTCAPTION) {
        return ::SendMessageW(hFrame, message, hit, MAKELPARAM(screen.x, screen.y));
    }
    void Move(CPoint screen) {
        ::SendMessageW(hFrame, WM_MOUSEMOVE, MK_LBUTTON, ClientLParam(hFrame, screen));
    }
    void Release(CPoint screen) {
        ::SendMessageW(hFrame, WM_LBUTTONUP, 0, ClientLParam(hFrame, screen));
    }
    std::vector<FiredAction>& Fired() { return ProbeCaptionControl::Fired(); }

    FilterTestFrame* pFrame = nullptr;
    HWND hFrame = NULL;
    SECCaptionControlListMsgFilter* pList = nullptr;
    SECCaptionControlMsgFilter* pControl = nullptr;
    CPoint inside, outside;
};

} // namespace

TEST_F(CaptionPress, PressMoveOutAndInReleaseInsideClicksOnce) {
    Press(inside);
    EXPECT_TRUE(pControl->IsTracking());
    EXPECT_TRUE(pControl->IsPressed());
    EXPECT_EQ(::GetCapture(), hFrame);
    // The hold timer is an invisible child of the frame.
    ASSERT_NE(pControl->GetTimer(), nullptr);
    const HWND hTimer = pControl->GetTimer()->m_hWnd;
    EXPECT_EQ(::GetParent(hTimer), hFrame);
    EXPECT_FALSE(::IsWindowVisible(hTimer));
    EXPECT_TRUE(pControl->GetTimer()->IsRunning());

    Move(outside);
    EXPECT_TRUE(pControl->IsTracking());
    EXPECT_FALSE(pControl->IsPressed());
    EXPECT_EQ(pControl->GetTimer(), nullptr);
    EXPECT_FALSE(::IsWindow(hTimer));
    Move(inside);
    EXPECT_TRUE(pControl->IsPressed());
    EXPECT_NE(pControl->GetTimer(), nullptr);

    Release(inside);
    EXPECT_FALSE(pControl->IsTracking());
    EXPECT_FALSE(pControl->IsPressed());
    EXPECT_NE(::GetCapture(), hFrame);
    EXPECT_EQ(pControl->GetTimer(), nullptr);
    EXPECT_EQ(Fired(), (std::vector<FiredAction>{{C::fireClick, inside}}));
    // The standard maximise control asks its frame to maximise, at the click point.
    ASSERT_EQ(pFrame->m_sysCommands.size(), 1u);
    EXPECT_EQ(pFrame->m_sysCommands[0].first, WPARAM(SC_MAXIMIZE));
    EXPECT_EQ(pFrame->m_sysCommands[0].second, MAKELPARAM(inside.x, inside.y));

    // Moves and releases after the press is over are the frame's again.
    Release(inside);
    EXPECT_EQ(Fired().size(), 1u);
}

TEST_F(CaptionPress, ReleaseOutsideRightPressAndOtherHitsFireNoCommand) {
    Press(inside);
    Move(outside);
    Release(outside);
    EXPECT_FALSE(pControl->IsTracking());
    EXPECT_NE(::GetCapture(), hFrame);
    EXPECT_TRUE(Fired().empty());

    // A right press acts at once, but the standard control has no command for it.
    Press(inside, WM_NCRBUTTONDOWN);
    EXPECT_EQ(Fired(), (std::vector<FiredAction>{{C::fireRightPress, inside}}));
    EXPECT_FALSE(pControl->IsTracking());

    EXPECT_TRUE(pFrame->m_sysCommands.empty());

    // Not the caption, or not over the control: not the control's. The press on the bare
    // caption reaches the frame's own handling, which asks to move the frame.
    Fired().clear();
    Press(inside, WM_NCLBUTTONDOWN, HTCLIENT);
    EXPECT_FALSE(pControl->IsTracking());
    CRect rectWindow;
    pFrame->GetWindowRect(&rectWindow);
    Press(CPoint(rectWindow.left + 40, inside.y));
    EXPECT_FALSE(pControl->IsTracking());
    EXPECT_TRUE(Fired().empty());
    ASSERT_EQ(pFrame->m_sysCommands.size(), 1u);
    EXPECT_EQ(pFrame->m_sysCommands[0].first & 0xFFF0, WPARAM(SC_MOVE));
}

TEST_F(CaptionPress, ADisabledControlSwallowsThePress) {
    pFrame->ModifyStyle(WS_MAXIMIZEBOX, 0);
    pList->LayoutControls();
    ASSERT_TRUE(pControl->IsDisabled());
    // Handled: the frame's default handling (the move loop) never starts.
    EXPECT_EQ(Press(inside), 0);
    Press(inside, WM_NCRBUTTONDOWN);
    EXPECT_FALSE(pControl->IsTracking());
    EXPECT_NE(::GetCapture(), hFrame);
    EXPECT_TRUE(Fired().empty());
}

TEST_F(CaptionPress, LosingTheCaptureEndsThePressWithoutAction) {
    Press(inside);
    ASSERT_TRUE(pControl->IsTracking());
    ::SendMessageW(hFrame, WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(pControl->IsTracking());
    EXPECT_FALSE(pControl->IsPressed());
    EXPECT_EQ(pControl->GetTimer(), nullptr);
    Release(inside);
    EXPECT_TRUE(Fired().empty());
}

TEST_F(CaptionPress, HoldingFiresTheHoldOnceAtTheLastPointInside) {
    pControl->SetHoldDelay(40);
    Press(inside);
    Move(outside);
    const CPoint second(inside.x + 1, inside.y + 1);
    Move(second);
    const HWND hTimer = pControl->GetTimer()->m_hWnd;
    ASSERT_TRUE(PumpTimersUntil([&] { return !Fired().empty() && !::IsWindow(hTimer); }));
    EXPECT_EQ(Fired(), (std::vector<FiredAction>{{C::fireHold, second}}));
    EXPECT_FALSE(pControl->IsTracking());
    EXPECT_NE(::GetCapture(), hFrame);
    // The timer window went after its tick.
    EXPECT_EQ(pControl->GetTimer(), nullptr);
    EXPECT_FALSE(::IsWindow(hTimer));
    // The release that follows the hold is no click.
    Release(inside);
    EXPECT_EQ(Fired().size(), 1u);

    // Without a delay the press is the hold.
    pControl->SetHoldDelay(0);
    Press(inside);
    EXPECT_EQ(Fired().back(), (FiredAction{C::fireHold, inside}));
    EXPECT_FALSE(pControl->IsTracking());
    EXPECT_EQ(pControl->GetTimer(), nullptr);
}

TEST_F(CaptionPress, StandardControlsDrawnInTheCaption) {
    pFrame->SetWindowText(L"Caption controls");
    Press(inside); // drawn pressed while the mouse is held
    ::RedrawWindow(hFrame, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    MSG msg;
    while (::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageW(&msg);
    // The row in the caption, read back from the window.
    const Picture shown = CaptureShownWindow(hFrame);
    // The pressed control's face differs from the released close control beside it.
    const CRect rectPressed = pControl->GetControlRect();
    const CRect rectClose = ControlOf(pList, C::kindClose)->GetControlRect();
    int nDiffer = 0;
    for (int y = 1; y < rectPressed.Height() - 1; ++y) {
        nDiffer += shown.At(rectPressed.left + 1, rectPressed.top + y) !=
                   shown.At(rectClose.left + 1, rectClose.top + y);
    }
    // The right end of the caption, three times enlarged, for a person to look at.
    const int cxShot = 120, cyShot = 36, nScale = 3;
    Picture shot;
    shot.cx = cxShot * nScale;
    shot.cy = cyShot * nScale;
    shot.pixels.assign((size_t)shot.cx * shot.cy, 0);
    for (int y = 0; y < shot.cy; ++y)
        for (int x = 0; x < shot.cx; ++x)
            shot.Set(x, y, shown.At(shown.cx - cxShot + x / nScale, y / nScale));
    EXPECT_TRUE(SavePng(shot, ScreenshotPath(L"caption-controls.png")));
    EXPECT_GT(nDiffer, 0);
    Release(outside);
}
