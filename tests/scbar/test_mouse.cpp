// The mouse on the list: clicks and hot tracking, the wheel, the scroll buttons held with the
// real cursor, the icon-size commands and a picture of the list.
#include "scbar_fixture.h"

#include "tests/support/picture.h"
#include "tests/support/screenshot.h"

TEST_F(ShortcutFixture, ClickNotifiesAndMakesTheItemHot) {
    Fill(left, 3);
    const CPoint pt = IconPoint(left, 1);
    Send(left, WM_MOUSEMOVE, 0, pt);
    EXPECT_EQ(1, left.GetHotItem());
    EXPECT_EQ(SECSHORTCUT_STATE_HOT, left.GetHotState(1));
    Send(left, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    EXPECT_EQ(SECSHORTCUT_STATE_PRESSED, left.GetHotState(1));
    Send(left, WM_LBUTTONUP, 0, pt);
    EXPECT_EQ(SECSHORTCUT_STATE_HOT, left.GetHotState(1));
    const std::vector<std::pair<UINT, int>> expected = {{NM_CLICK, -1},
                                                        {SECSHORTCUT_NOTIFY_CLICK, 1}};
    EXPECT_EQ(expected, parent.notes);
    // Off every item the hot state goes.
    Send(left, WM_MOUSEMOVE, 0, CPoint(3, 299));
    EXPECT_EQ(0u, left.GetHotState(1));
    EXPECT_EQ(-1, left.GetHotItem());
    // Deleting items forgets the hot one.
    Send(left, WM_MOUSEMOVE, 0, pt);
    left.DeleteItems(0, 1);
    EXPECT_EQ(-1, left.GetHotItem());
}

TEST_F(ShortcutFixture, WheelFollowsTheSignOfTheDeltaOverTheList) {
    Fill(left, 12);
    CRect rc;
    left.GetWindowRect(&rc);
    const CPoint inside = rc.CenterPoint();
    auto wheel = [&](short delta, CPoint screen) {
        left.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)delta), MAKELPARAM(screen.x, screen.y));
    };
    wheel(-120, inside);
    EXPECT_EQ(1, left.GetTopIndex());
    wheel(-120, inside); // the same turn again scrolls on, down
    EXPECT_EQ(2, left.GetTopIndex());
    wheel(-240, inside);
    EXPECT_EQ(3, left.GetTopIndex());
    wheel(120, inside);
    EXPECT_EQ(2, left.GetTopIndex());
    wheel(120, inside);
    EXPECT_EQ(1, left.GetTopIndex());
    wheel(-120, CPoint(rc.right + 30, rc.top + 10)); // over the other list: nothing here
    EXPECT_EQ(1, left.GetTopIndex());
}

TEST_F(ShortcutFixture, HeldDownButtonRepeatsUntilReleasedOrLeft) {
    Fill(left, 12);
    const CRect rcDown = left.GetDownButton()->m_rect;
    CPoint screen = rcDown.CenterPoint();
    left.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    Send(left, WM_LBUTTONDOWN, MK_LBUTTON, rcDown.CenterPoint());
    EXPECT_EQ(1, left.GetTopIndex());
    EXPECT_EQ(SECSHORTCUT_REPEAT_TIMER, left.GetRepeatTimer());
    PumpFor(700); // two or three ticks of 250 ms
    const int nHeld = left.GetTopIndex();
    EXPECT_GE(nHeld, 3);
    EXPECT_LE(nHeld, 4);

    // Moving off the button stops it.
    CPoint off = CPoint(10, 100);
    left.ClientToScreen(&off);
    ::SetCursorPos(off.x, off.y);
    PumpFor(600);
    const int nLeft = left.GetTopIndex();
    EXPECT_LE(nLeft, nHeld + 1);

    // Back on it while still pressed: a fresh press repeats again, a release stops it.
    ::SetCursorPos(screen.x, screen.y);
    Send(left, WM_LBUTTONDOWN, MK_LBUTTON, rcDown.CenterPoint());
    Send(left, WM_LBUTTONUP, 0, rcDown.CenterPoint());
    const int nReleased = left.GetTopIndex();
    EXPECT_EQ(nLeft + 1, nReleased);
    EXPECT_FALSE(left.GetDownButton()->IsPressed());
    PumpFor(600);
    EXPECT_EQ(nReleased, left.GetTopIndex());
}

TEST_F(ShortcutFixture, IconSizeCommandsAndHitTestOfSmallIcons) {
    Fill(left, 3);
    left.SendMessage(WM_COMMAND, ID_SECSHORTCUT_SMALLICON, 0);
    EXPECT_EQ(1u, left.GetListStyle() & 3);
    EXPECT_FALSE(left.IsLargeIcons());
    // A small-icon row is the list's own row: its hit test answers.
    UINT nFlags = 0;
    EXPECT_EQ(0, left.HitTest(30, 14, &nFlags, NULL));
    left.SendMessage(WM_COMMAND, ID_SECSHORTCUT_LARGEICON, 0);
    EXPECT_EQ(0u, left.GetListStyle() & 3);
    // The scroll buttons answer before any item.
    EXPECT_EQ(SECSHORTCUT_HIT_UP, left.HitTest(left.GetUpButton()->m_rect.CenterPoint().x,
                                               left.GetUpButton()->m_rect.CenterPoint().y));
    EXPECT_EQ(SECSHORTCUT_HIT_DOWN, left.HitTest(left.GetDownButton()->m_rect.CenterPoint().x,
                                                 left.GetDownButton()->m_rect.CenterPoint().y));
}

TEST_F(ShortcutFixture, LargeIconsWithScrollButtonsPicture) {
    Fill(left, 12);
    Fill(right, 12);
    right.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    right.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    Send(left, WM_MOUSEMOVE, 0, IconPoint(left, 1));
    parent.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(50);
    CRect rcParent;
    parent.GetWindowRect(&rcParent);
    HBITMAP hbm = CaptureScreen(rcParent);
    EXPECT_TRUE(WriteBitmapPng(hbm, ScreenshotPath(L"shortcut-list.png")));
    const Picture shot = PictureOfBitmap(hbm);
    ::DeleteObject(hbm);

    const COLORREF rgbBk = ::GetSysColor(COLOR_BTNSHADOW);
    const CRect upL = left.GetUpButton()->m_rect, downL = left.GetDownButton()->m_rect;
    // The left list is at its top: no up button, a down button.
    EXPECT_EQ(rgbBk, shot.At(upL.left + 2, upL.top + 2));
    EXPECT_NE(rgbBk, shot.At(downL.left + 2, downL.top + 2));
    // The right one is scrolled: an up button too.
    const int xRight = 170;
    const CRect upR = right.GetUpButton()->m_rect;
    EXPECT_NE(rgbBk, shot.At(xRight + upR.left + 2, upR.top + 2));
    // The hot icon has a raised frame: highlight above it.
    const CPoint icon = IconPoint(left, 1);
    int y = icon.y;
    while (y > 0 && shot.At(icon.x, y - 1) == RGB(40, 180, 40))
        --y;
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), shot.At(icon.x, y - 1));
}
