// The popup takes its own window down from inside its handlers, again and again, by every way
// out; and a dialog may go while its popup is open.
#include "controls_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Each way out, many times over: a stale pointer or a double free shows within a few rounds
// under the heap checks.
const int kRounds = 7 * 20;

enum class WayOut { Escape, Return, SpaceUp, CellClick, ClickOutside, FocusLost, Other };

void Leave(ControlsDialog& dlg, SECPopupColorWell& popup, WayOut way) {
    const HWND hPopup = popup.m_hWnd;
    const CPoint cell = popup.GetCellRect(1, 1).CenterPoint();
    switch (way) {
    case WayOut::Escape:
        ::SendMessageW(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
        break;
    case WayOut::Return:
        ::SendMessageW(hPopup, WM_KEYDOWN, VK_RETURN, 0);
        break;
    case WayOut::SpaceUp:
        ::SendMessageW(hPopup, WM_KEYUP, VK_SPACE, 0);
        break;
    case WayOut::CellClick:
        ::SendMessageW(hPopup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
        break;
    case WayOut::ClickOutside:
        ::SendMessageW(hPopup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-400, -400));
        break;
    case WayOut::FocusLost:
        dlg.GetDlgItem(IDC_TARGET)->SetFocus();
        PumpFor(0);
        break;
    case WayOut::Other: {
        popup.OnOtherButton();
        // The colour dialog it asks for is not wanted here.
        MSG msg;
        while (::PeekMessageW(&msg, dlg.m_wellButton.m_hWnd, WM_COLORWELL_OTHER, WM_COLORWELL_OTHER,
                              PM_REMOVE)) {
        }
        break;
    }
    }
}

} // namespace

TEST(PopupLifetime, EveryWayOutAFewHundredTimes) {
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Open());
    SECPopupColorWell* popup = dlg.m_wellButton.GetPopup();
    const WayOut ways[] = {WayOut::Escape,    WayOut::Return,       WayOut::SpaceUp,
                           WayOut::CellClick, WayOut::ClickOutside, WayOut::FocusLost,
                           WayOut::Other};
    int nConfirmed = 0;
    for (int i = 0; i < kRounds; ++i) {
        const WayOut way = ways[i % 7];
        dlg.m_wellButton.OnClicked();
        ASSERT_TRUE(popup->IsPopupActive()) << i;
        const HWND hPopup = popup->m_hWnd;
        Leave(dlg, *popup, way);
        ASSERT_FALSE(popup->IsPopupActive()) << "way " << int(way) << " round " << i;
        ASSERT_FALSE(::IsWindow(hPopup));
        nConfirmed += way == WayOut::Return || way == WayOut::SpaceUp || way == WayOut::CellClick;
        PumpFor(0);
    }
    EXPECT_EQ(dlg.m_colorMessages.size(), size_t(nConfirmed));
}

TEST(PopupLifetime, DialogDestroyedWithThePopupOpen) {
    for (int i = 0; i < 20; ++i) {
        auto dlg = std::make_unique<ControlsDialog>();
        ASSERT_TRUE(dlg->Open());
        dlg->m_wellButton.OnClicked();
        const HWND hPopup = dlg->m_wellButton.GetPopup()->m_hWnd;
        ASSERT_TRUE(::IsWindow(hPopup));
        if (i % 2 == 0) {
            dlg->DestroyWindow();
            EXPECT_FALSE(dlg->m_wellButton.GetPopup()->IsPopupActive());
        }
        dlg.reset();
        EXPECT_FALSE(::IsWindow(hPopup));
        PumpFor(0);
    }
}
