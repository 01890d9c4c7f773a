// The popup well under the real mouse and keyboard: hovering, choosing, leaving by Escape, by a
// click elsewhere or on its own button, Tab to "&Other..." and the colour dialog behind it.
#include "controls_test_support.h"
#include "tests/support/dialog_test_support.h"

#include <gtest/gtest.h>

namespace {

class PopupMouse : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Open());
        ASSERT_FALSE(dlg.m_bInitFailed);
        popup = dlg.m_wellButton.GetPopup();
    }
    void TearDown() override {
        if (popup->IsPopupActive())
            ::SendMessageW(popup->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        MoveMouseTo(POINT{2, 2});
    }
    // Opens the popup with a real click on its button.
    void OpenByClick() {
        ClickAt(CentreOf(dlg.m_wellButton.m_hWnd));
        ASSERT_TRUE(PumpUntil([&] { return popup->IsPopupActive() != FALSE; }));
        ASSERT_EQ(::GetCapture(), popup->m_hWnd) << "the button's own release took the capture";
    }
    POINT CellOnScreen(int col, int row) {
        return ClientToScreenPoint(popup->m_hWnd, popup->GetCellRect(col, row).CenterPoint());
    }

    ControlsDialog dlg;
    SECPopupColorWell* popup = nullptr;
};

} // namespace

TEST_F(PopupMouse, HoverMovesTheSelectionAndAClickSendsExactlyOneMessage) {
    OpenByClick();
    MoveMouseTo(CellOnScreen(2, 3));
    EXPECT_TRUE(
        PumpUntil([&] { return popup->GetSelectedCol() == 2 && popup->GetSelectedRow() == 3; }));
    MoveMouseTo(CellOnScreen(1, 2));
    EXPECT_TRUE(
        PumpUntil([&] { return popup->GetSelectedCol() == 1 && popup->GetSelectedRow() == 2; }));
    EXPECT_TRUE(dlg.m_colorMessages.empty());

    ClickAt(CellOnScreen(2, 3));
    EXPECT_TRUE(PumpUntil([&] { return !popup->IsPopupActive(); }));
    PumpFor(100);
    ASSERT_EQ(dlg.m_colorMessages.size(), 1u);
    EXPECT_EQ(dlg.m_colorMessages[0],
              std::make_pair(WPARAM(IDC_WELL_BUTTON), LPARAM(RGB(0, 255, 0))));
    EXPECT_EQ(dlg.m_wellButton.GetColor(), RGB(0, 255, 0));
}

TEST_F(PopupMouse, EscapeClosesWithoutAMessage) {
    OpenByClick();
    const HWND hPopup = popup->m_hWnd;
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hPopup); }));
    EXPECT_FALSE(popup->IsPopupActive());
    EXPECT_TRUE(dlg.m_colorMessages.empty());
}

TEST_F(PopupMouse, ReturnChoosesTheSelectedCell) {
    OpenByClick();
    ::SendMessageW(popup->m_hWnd, WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageW(popup->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(PumpUntil([&] { return !popup->IsPopupActive(); }));
    ASSERT_EQ(dlg.m_colorMessages.size(), 1u);
    EXPECT_EQ(dlg.m_colorMessages[0].second, LPARAM(RGB(128, 0, 0)));
}

TEST_F(PopupMouse, ClickOutsideClosesAndReachesTheWindowUnderneath) {
    OpenByClick();
    ClickAt(CentreOf(dlg.GetDlgItem(IDC_TARGET)->m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_nTargetClicks == 1; }));
    EXPECT_FALSE(popup->IsPopupActive());
    EXPECT_TRUE(dlg.m_colorMessages.empty());
}

TEST_F(PopupMouse, ClickOnTheOwnerButtonIsSwallowed) {
    OpenByClick();
    const HWND hPopup = popup->m_hWnd;
    ClickAt(CentreOf(dlg.m_wellButton.m_hWnd));
    PumpFor(100);
    EXPECT_TRUE(popup->IsPopupActive());
    EXPECT_EQ(popup->m_hWnd, hPopup); // the same popup, not a second one
    EXPECT_EQ(::GetCapture(), hPopup);
    EXPECT_TRUE(dlg.m_colorMessages.empty());
}

TEST_F(PopupMouse, TabToOtherKeepsThePopupOpen) {
    OpenByClick();
    PressKey(VK_TAB);
    ASSERT_NE(popup->GetOtherButton(), nullptr);
    EXPECT_EQ(::GetFocus(), popup->GetOtherButton()->m_hWnd);
    EXPECT_TRUE(popup->IsPopupActive());
    PressKey(VK_TAB); // back to the cells
    EXPECT_EQ(::GetFocus(), popup->m_hWnd);
    EXPECT_TRUE(popup->IsPopupActive());
    // Focus leaving the popup from its button closes it.
    dlg.GetDlgItem(IDC_TARGET)->SetFocus();
    EXPECT_TRUE(PumpUntil([&] { return !popup->IsPopupActive(); }));
}

TEST_F(PopupMouse, OtherRunsTheColourDialogAndTheCustomCellShowsItsColour) {
    DialogDismisser answer(IDOK, dlg.m_hWnd);
    AnswerColorDialog(answer, RGB(10, 20, 30));
    OpenByClick();
    ClickAt(CentreOf(popup->GetOtherButton()->m_hWnd));
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_wellButton.GetColor() == RGB(10, 20, 30); }, 5000));
    EXPECT_EQ(answer.m_titles.size(), 1u);
    ASSERT_EQ(dlg.m_colorMessages.size(), 1u);
    EXPECT_EQ(dlg.m_colorMessages[0],
              std::make_pair(WPARAM(IDC_WELL_BUTTON), LPARAM(RGB(10, 20, 30))));

    OpenByClick();
    EXPECT_TRUE(popup->IsCustomCellVisible());
    EXPECT_TRUE(popup->IsCustomCell(popup->GetSelectedCol(), popup->GetSelectedRow()));
    EXPECT_EQ(popup->GetColor(), RGB(10, 20, 30));
}
