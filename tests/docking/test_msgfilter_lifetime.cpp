// Caption-control actions that destroy the frame that owns the control, and with it the whole
// filter tree: from the hold timer's own tick, from a release, from a press without a delay,
// and a frame that goes while a hold timer runs. Run again under Wine's heap checks.
#include "test_msgfilter_frame.h"

#include <gtest/gtest.h>

namespace {

using C = SECCaptionControlMsgFilter;

const int kRounds = 30;

struct Owned {
    FilterTestFrame* pFrame;
    HWND hFrame;
    SECCaptionControlMsgFilter* pControl;
    CPoint inside;
};

Owned OpenWithControl(UINT nHoldDelay) {
    FilterTestFrame* pFrame = FilterTestFrame::Open(WS_OVERLAPPEDWINDOW);
    if (pFrame == NULL)
        return {};
    SECCaptionControlListMsgFilter* pList = AddCaptionControls(
        *pFrame, {C::kindClose, C::kindMaximize}, RUNTIME_CLASS(ProbeCaptionControl));
    SECCaptionControlMsgFilter* pControl = ControlOf(pList, C::kindMaximize);
    pControl->SetHoldDelay(nHoldDelay);
    return {pFrame, pFrame->m_hWnd, pControl, ScreenCentre(*pControl)};
}

void PressAt(HWND hFrame, CPoint screen) {
    ::SendMessageW(hFrame, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

struct FilterLifetime : testing::Test {
    void SetUp() override {
        ProbeCaptionControl::Fired().clear();
        ProbeCaptionControl::s_nDestroyOnKind = -1;
    }
    void TearDown() override {
        ProbeCaptionControl::s_nDestroyOnKind = -1;
        EXPECT_EQ(FilterTestFrame::s_nAlive, 0);
    }
};

} // namespace

TEST_F(FilterLifetime, AHoldActionThatDestroysTheOwner) {
    ProbeCaptionControl::s_nDestroyOnKind = C::fireHold;
    for (int round = 0; round < kRounds; ++round) {
        const Owned owned = OpenWithControl(15);
        ASSERT_NE(owned.pFrame, nullptr);
        PressAt(owned.hFrame, owned.inside);
        const HWND hTimer = owned.pControl->GetTimer()->m_hWnd;
        ASSERT_TRUE(PumpTimersUntil([&] { return !::IsWindow(owned.hFrame); })) << round;
        EXPECT_FALSE(::IsWindow(hTimer));
        EXPECT_EQ(FilterTestFrame::s_nAlive, 0);
        EXPECT_EQ(ProbeCaptionControl::Fired().size(), size_t(round + 1));
    }
}

TEST_F(FilterLifetime, APressOrClickActionThatDestroysTheOwner) {
    for (int round = 0; round < kRounds; ++round) {
        // Without a delay the press itself is the hold.
        const bool bClick = round % 2 == 0;
        ProbeCaptionControl::s_nDestroyOnKind = bClick ? C::fireClick : C::fireHold;
        const Owned owned = OpenWithControl(bClick ? 60000 : 0);
        ASSERT_NE(owned.pFrame, nullptr);
        PressAt(owned.hFrame, owned.inside);
        if (bClick)
            ::SendMessageW(owned.hFrame, WM_LBUTTONUP, 0, ClientLParam(owned.hFrame, owned.inside));
        ASSERT_FALSE(::IsWindow(owned.hFrame)) << round;
        EXPECT_EQ(FilterTestFrame::s_nAlive, 0);
        PumpTimers(0);
    }
}

TEST_F(FilterLifetime, TheOwnerGoesWhileTheHoldTimerRuns) {
    for (int round = 0; round < kRounds; ++round) {
        const Owned owned = OpenWithControl(20);
        ASSERT_NE(owned.pFrame, nullptr);
        PressAt(owned.hFrame, owned.inside);
        const HWND hTimer = owned.pControl->GetTimer()->m_hWnd;
        ::DestroyWindow(owned.hFrame);
        EXPECT_FALSE(::IsWindow(hTimer));
        PumpTimers(40);
        EXPECT_TRUE(ProbeCaptionControl::Fired().empty());
    }
}
