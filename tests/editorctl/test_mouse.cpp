// The mouse: clicks, drags (held past the edges), double click, Shift and Ctrl clicks, the
// margin, Alt-drag blocks and the wheel; and a window destroyed while a drag selects.
#include "editorctl_support.h"

#include "editor/edit_controller.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ectest;

LPARAM At(CPoint p) {
    return MAKELPARAM(short(p.x), short(p.y));
}

// The real cursor goes there too: the auto-scroll timer reads it.
void Mouse(HWND w, UINT message, CPoint p, WPARAM keys = 0) {
    POINT screen = p;
    ::ClientToScreen(w, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageW(w, message, keys, At(p));
    PumpTranslated();
}

std::wstring Numbered(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += (i ? L"\n" : L"") + std::wstring(L"line ") + std::to_wstring(i);
    return text;
}

void ExpectSelection(Editor& e, SECEditRange expect, const char* what) {
    SECEditRange got;
    ASSERT_TRUE(e.Controller().GetSelection(got, FALSE)) << what;
    EXPECT_TRUE(got == expect) << what << ": " << got.m_start.m_line << "," << got.m_start.m_column
                               << " - " << got.m_end.m_line << "," << got.m_end.m_column;
}

TEST(EditorMouse, ClicksDragsAndWords) {
    Editor e;
    e.Load(L"alpha beta\ngamma delta\nend");
    const HWND w = e.Window();
    Mouse(w, WM_LBUTTONDOWN, e.PointOf(0, 2) + CPoint(1, 2), MK_LBUTTON);
    Mouse(w, WM_MOUSEMOVE, e.PointOf(1, 3) + CPoint(1, 2), MK_LBUTTON); // the first is ignored
    Mouse(w, WM_MOUSEMOVE, e.PointOf(1, 3) + CPoint(1, 2), MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, e.PointOf(1, 3) + CPoint(1, 2));
    ExpectSelection(e, SECEditRange(0, 2, 1, 3), "drag");
    EXPECT_FALSE(e.Controller().IsMouseSelecting());
    EXPECT_EQ(::GetCapture(), HWND(NULL)) << "capture released";

    Mouse(w, WM_LBUTTONDOWN, e.PointOf(2, 1) + CPoint(1, 2), MK_LBUTTON | MK_SHIFT);
    ExpectSelection(e, SECEditRange(0, 2, 2, 1), "Shift-click extends from the anchor");
    Mouse(w, WM_LBUTTONUP, e.PointOf(2, 1) + CPoint(1, 2));

    Mouse(w, WM_LBUTTONDOWN, e.PointOf(0, 1) + CPoint(1, 2), MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, e.PointOf(0, 1) + CPoint(1, 2));
    EXPECT_FALSE(e.Controller().HasSelection()) << "a click clears";
    Mouse(w, WM_LBUTTONDOWN, e.PointOf(1, 8) + CPoint(1, 2), MK_LBUTTON | MK_CONTROL);
    Mouse(w, WM_LBUTTONUP, e.PointOf(1, 8) + CPoint(1, 2));
    ExpectSelection(e, SECEditRange(1, 6, 1, 11), "Ctrl-click selects the word");
    Mouse(w, WM_LBUTTONDOWN, e.PointOf(0, 1) + CPoint(1, 2), MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, e.PointOf(0, 1) + CPoint(1, 2));
    Mouse(w, WM_LBUTTONDBLCLK, e.PointOf(0, 1) + CPoint(1, 2), MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, e.PointOf(0, 1) + CPoint(1, 2));
    ExpectSelection(e, SECEditRange(0, 0, 0, 5), "double click selects the word");
    EXPECT_EQ(e.Caret().m_column, 5);
}

TEST(EditorMouse, TheMarginSelectsLines) {
    Editor e;
    e.Load(L"one\ntwo\nthree");
    const HWND w = e.Window();
    const int y1 = e.PointOf(1, 0).y + 2;
    ASSERT_GT(e.TextLeft(), 2) << "the test needs a margin";
    Mouse(w, WM_LBUTTONDOWN, CPoint(2, y1), MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, CPoint(2, y1));
    ExpectSelection(e, SECEditRange(1, 0, 2, 0), "a margin click takes the line and its break");
    EXPECT_EQ(e.Controller().GetSelectionMode(), SECEditSelection::modeLine);

    Mouse(w, WM_LBUTTONDOWN, CPoint(2, y1), MK_LBUTTON);
    Mouse(w, WM_MOUSEMOVE, CPoint(2, e.PointOf(2, 0).y + 2), MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, CPoint(2, e.PointOf(2, 0).y + 2));
    ExpectSelection(e, SECEditRange(1, 0, 2, 5), "dragged down the margin to the last line");

    Mouse(w, WM_LBUTTONDOWN, CPoint(2, y1), MK_LBUTTON | MK_CONTROL);
    Mouse(w, WM_LBUTTONUP, CPoint(2, y1));
    ExpectSelection(e, SECEditRange(0, 0, 2, 5), "Ctrl in the margin selects everything");
    EXPECT_EQ(e.Caret().m_line, 2);
}

TEST(EditorMouse, AltDragMakesABlockAndAZeroWideOneGoes) {
    Editor e;
    e.Load(L"0123456789\n0123456789\n0123456789\n0123456789\n0123456789\n0123456789");
    const HWND w = e.Window();
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    ::SetKeyboardState(keys);
    Mouse(w, WM_LBUTTONDOWN, e.PointOf(2, 4) + CPoint(1, 2), MK_LBUTTON);
    keys[VK_MENU] = 0;
    ::SetKeyboardState(keys);
    Mouse(w, WM_MOUSEMOVE, e.PointOf(5, 7) + CPoint(1, 2), MK_LBUTTON);
    Mouse(w, WM_MOUSEMOVE, e.PointOf(5, 7) + CPoint(1, 2), MK_LBUTTON);
    EXPECT_EQ(e.Controller().GetSelectionMode(), SECEditSelection::modeBlockDrag);
    Mouse(w, WM_LBUTTONUP, e.PointOf(5, 7) + CPoint(1, 2));
    EXPECT_TRUE(e.Controller().IsColumnSelection());
    int first = 0, last = 0;
    EXPECT_TRUE(e.Controller().GetColumnSpan(3, first, last));
    EXPECT_EQ(first, 4);
    EXPECT_EQ(last, 7);
    EXPECT_FALSE(e.Controller().GetColumnSpan(1, first, last)) << "line 1 is outside";
    e.Repaint();
    const Picture pixels = CaptureShownClient(w);
    const CPoint inside = e.PointOf(3, 5) + CPoint(1, e.LineHeight() / 2);
    const CPoint outside = e.PointOf(3, 8) + CPoint(1, e.LineHeight() / 2);
    EXPECT_EQ(pixels.At(inside.x, inside.y), ewtest::kSelectionBack) << "the block is painted";
    EXPECT_NE(pixels.At(outside.x, outside.y), ewtest::kSelectionBack);

    keys[VK_MENU] = 0x80;
    ::SetKeyboardState(keys);
    Mouse(w, WM_LBUTTONDOWN, e.PointOf(1, 3) + CPoint(1, 2), MK_LBUTTON);
    keys[VK_MENU] = 0;
    ::SetKeyboardState(keys);
    Mouse(w, WM_MOUSEMOVE, e.PointOf(4, 3) + CPoint(1, 2), MK_LBUTTON);
    Mouse(w, WM_MOUSEMOVE, e.PointOf(4, 3) + CPoint(1, 2), MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, e.PointOf(4, 3) + CPoint(1, 2));
    EXPECT_FALSE(e.Controller().HasSelection()) << "zero wide: cleared";
}

TEST(EditorMouse, DragsPastTheEdgesAndTheWheel) {
    Editor e(480, 240);
    e.Load(Numbered(200).c_str());
    const HWND w = e.Window();
    CRect client;
    ::GetClientRect(w, &client);
    e.Controller().ScrollLines(50, 0);
    e.Repaint();
    Mouse(w, WM_LBUTTONDOWN, e.PointOf(55, 2) + CPoint(1, 2), MK_LBUTTON);
    Mouse(w, WM_MOUSEMOVE, CPoint(60, 10), MK_LBUTTON);
    // Held above the window: signed points, every move scrolls further up.
    for (int i = 0; i < 40; ++i)
        Mouse(w, WM_MOUSEMOVE, CPoint(60, -30), MK_LBUTTON);
    EXPECT_EQ(e.Caret().m_line, 0) << "reached line 0, not the last line";
    EXPECT_EQ(e.Ctrl().GetLogOrigin().y, 0);
    for (int i = 0; i < 120; ++i)
        Mouse(w, WM_MOUSEMOVE, CPoint(60, client.bottom + 30), MK_LBUTTON);
    EXPECT_EQ(e.Caret().m_line, 199) << "reached the last line";
    Mouse(w, WM_LBUTTONUP, CPoint(60, client.bottom + 30));

    e.Controller().ScrollLines(-1000, 0);
    const int lh = e.LineHeight();
    auto top = [&] { return e.Ctrl().GetLogOrigin().y / lh; };
    ::SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0);
    EXPECT_EQ(top(), 3) << "a notch down is three lines";
    ::SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(top(), 0);
    for (int i = 0; i < 4; ++i)
        ::SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-30)), 0);
    EXPECT_EQ(top(), 3) << "small steps add up to a notch";
    ::SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0);
    EXPECT_EQ(top(), 3);
    ::SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-120000 % 65536))), 0);
    const int page = client.Height() / lh;
    EXPECT_LE(top(), 200 - page) << "large steps stop where the last line is at the bottom";
    EXPECT_GE(top(), 0);
    for (int i = 0; i < 3; ++i)
        ::SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-32000))), 0);
    EXPECT_EQ(top(), 200 - page);
    ::SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(32000))), 0);
    EXPECT_EQ(top(), 0) << "and up to the top";
}

TEST(EditorMouseLifetime, TheWindowDestroyedWhileSelecting) {
    for (int round = 0; round < 3; ++round) {
        auto e = std::make_unique<Editor>();
        e->Load(L"some text\nmore text");
        const HWND w = e->Window();
        Mouse(w, WM_LBUTTONDOWN, e->PointOf(0, 1) + CPoint(1, 2), MK_LBUTTON);
        Mouse(w, WM_MOUSEMOVE, e->PointOf(1, 3) + CPoint(1, 2), MK_LBUTTON);
        ASSERT_TRUE(e->Controller().IsMouseSelecting());
        EXPECT_EQ(::GetCapture(), w);
        e.reset();
        EXPECT_FALSE(::IsWindow(w));
        EXPECT_EQ(::GetCapture(), HWND(NULL)) << "capture released";
        // A timer message still queued for the gone window finds nothing to run.
        ::Sleep(150);
        PumpTranslated();
    }
}

} // namespace
