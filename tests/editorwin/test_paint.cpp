// What the editor paints: colour groups, the selection in every mode, whitespace marks, the
// gutter, the caret and sideways scrolling, sampled where no glyph ink falls.
#include "tests/support/editorwin_support.h"

#include "editor/edit_find_state.h"

#include <gtest/gtest.h>

namespace {

using namespace ewtest;

// The top pixel row of a cell: glyphs leave it blank.
COLORREF CellBack(Host& host, const Picture& p, int line, int column) {
    const CPoint at = host.PointOf(line, column);
    return p.At(at.x + 1, at.y);
}

struct CellCase {
    const char* what;
    int line, column;
    COLORREF back;
};

void ExpectCells(Host& host, const std::vector<CellCase>& cases) {
    const Picture p = CaptureShownClient(host.Ctrl().m_hWnd);
    for (const CellCase& c : cases)
        EXPECT_EQ(Hex(CellBack(host, p, c.line, c.column)), Hex(c.back))
            << c.what << " at " << c.line << "," << c.column;
}

TEST(EditorPaint, ColourGroupsFillTheirCells) {
    Host host;
    host.Load(kFixture);
    ExpectCells(host, {{"keyword", 0, 0, kKeywordBack},
                       {"keyword after text", 0, 9, kKeywordBack},
                       {"plain text", 0, 4, kTextBack},
                       {"comment, first line", 2, 5, kCommentBack},
                       {"comment, continued", 3, 8, kCommentBack},
                       {"string", 4, 12, kStringBack},
                       {"plain line", 6, 2, kTextBack},
                       {"beyond the line", 6, 30, kTextBack},
                       {"below the text", 9, 0, kTextBack}});
}

TEST(EditorPaint, SelectionsMarkTheirCellsByMode) {
    Host host;
    host.Load(kFixture);
    SECEditController& c = host.Controller();
    c.SetKeepSelectionVisible(TRUE);

    // A stream over three lines: one line-break cell after each fully selected line.
    c.SetSelection(SECEditRange(1, 0, 3, 5), SECEditSelection::modeStream);
    host.Repaint();
    ExpectCells(host, {{"selected text", 1, 0, kSelectionBack},
                       {"line break of line 1", 1, 1, kSelectionBack},
                       {"after the break cell", 1, 2, kTextBack},
                       {"line break of line 2", 2, 16, kSelectionBack},
                       {"end line, selected", 3, 4, kSelectionBack},
                       {"end line, after the end", 3, 5, kCommentBack},
                       {"before the selection", 0, 3, kTextBack}});

    // Ending at column 0: the line above shows its break, the end line nothing.
    c.SetSelection(SECEditRange(4, 4, 5, 0), SECEditSelection::modeStream);
    host.Repaint();
    ExpectCells(host, {{"break above the end", 4, 18, kSelectionBack},
                       {"end line untouched", 5, 0, kTextBack},
                       {"end line's break untouched", 5, 1, kTextBack}});

    // A column block, into the virtual space of the short line between.
    c.SetSelection(SECEditRange(0, 1, 2, 3), SECEditSelection::modeBlock);
    host.Repaint();
    ExpectCells(host, {{"block on a long line", 0, 2, kSelectionBack},
                       {"right of the block", 0, 3, kTextBack},
                       {"block in virtual space", 1, 2, kSelectionBack},
                       {"block start in virtual space", 1, 1, kSelectionBack},
                       {"left of the block", 2, 0, kTextBack}});

    // A stream whose end lies in virtual space: selected blanks up to the end column.
    c.SetSelection(SECEditRange(6, 10, 6, 20), SECEditSelection::modeStream);
    host.Repaint();
    ExpectCells(host, {{"inside the line", 6, 12, kSelectionBack},
                       {"virtual space", 6, 19, kSelectionBack},
                       {"after the end column", 6, 20, kTextBack}});
}

TEST(EditorPaint, SelectionShowsOnlyWithFocusOrWhenKeptVisible) {
    Host host;
    host.Load(kFixture);
    host.Controller().SetSelection(SECEditRange(0, 0, 0, 3), SECEditSelection::modeStream);
    ::SetFocus(host.Frame().m_hWnd);
    host.Repaint();
    ExpectCells(host, {{"no focus", 0, 1, kKeywordBack}});
    ::SetFocus(host.Ctrl().m_hWnd);
    host.Repaint();
    ExpectCells(host, {{"focus", 0, 1, kSelectionBack}});
    ::SetFocus(host.Frame().m_hWnd);
    SECEditGetFindReplaceState().m_pViewport = &host.Ctrl();
    host.Repaint();
    ExpectCells(host, {{"searched by the find dialog", 0, 1, kSelectionBack}});
    SECEditGetFindReplaceState().m_pViewport = nullptr;
}

// Whether any pixel of a row strip differs from the background.
bool Inked(const Picture& p, int left, int right, int top, int bottom, COLORREF back) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (p.At(x, y) != back)
                return true;
    return false;
}

int FirstInk(const Picture& p, int left, int right, int top, int bottom, COLORREF back) {
    for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y)
            if (p.At(x, y) != back)
                return x;
    return -1;
}

TEST(EditorPaint, TabsStopOnTheGridAndShowTheirMark) {
    Host host;
    host.Load(L"a\tb\nab\tc");
    SECEditLangConfig* config = host.Model().GetLangConfig();
    const int lh = host.LineHeight();
    for (BOOL show : {FALSE, TRUE}) {
        config->SetShowWhitespace(show);
        host.Repaint();
        const Picture p = CaptureShownClient(host.Ctrl().m_hWnd);
        const int tabWidth = host.Controller().GetTabWidth();
        const CPoint b = host.PointOf(0, 2);
        EXPECT_EQ(b.x, host.TextLeft() + tabWidth) << "b at the stop, show " << show;
        EXPECT_EQ(host.PointOf(1, 3).x, host.TextLeft() + tabWidth) << "c at the same stop";
        const CPoint tab = host.PointOf(0, 1);
        // The mark lies over the start of the tab's cell; without it the tab is blank.
        EXPECT_EQ(Inked(p, tab.x, b.x - 1, 0, lh, kTextBack), show != FALSE) << "show " << show;
        const int ink = FirstInk(p, b.x, b.x + host.CharWidth(), 0, lh, kTextBack);
        EXPECT_GE(ink, b.x) << "b drawn at its stop, show " << show;
    }
    config->SetShowWhitespace(FALSE);
}

TEST(EditorPaint, NulCharactersTakeOneCellEach) {
    Host host;
    const wchar_t text[] = L"a\0b\0\0c";
    host.Model().SetLangConfigByName(TestLanguage());
    host.Model().SetText(text, 6);
    host.Repaint();
    const Picture p = CaptureShownClient(host.Ctrl().m_hWnd);
    EXPECT_EQ(host.Model().GetLineTextLength(0), 6);
    // Every position lies one cell further than the one before it.
    for (int column = 1; column <= 6; ++column)
        EXPECT_GT(host.PointOf(0, column).x, host.PointOf(0, column - 1).x) << column;
    const CPoint c = host.PointOf(0, 5);
    EXPECT_TRUE(Inked(p, c.x, c.x + host.CharWidth(), 0, host.LineHeight(), kTextBack));
    SECEditPosition back;
    host.Controller().PositionFromPoint(back, CPoint(c.x + 1, 1), 0);
    EXPECT_EQ(back.m_column, 5);
}

TEST(EditorPaint, Mark19FillsTheRowWithTheHighlightGroup) {
    Host host;
    host.Load(kFixture);
    host.Controller().ToggleFlag19(6);
    host.Repaint();
    ExpectCells(host, {{"text of the line", 6, 1, kHighlightBack},
                       {"rest of the row", 6, 40, kHighlightBack},
                       {"the line above", 5, 4, kTextBack}});
    // With a selection over it: nothing is left unpainted or painted twice.
    host.Controller().SetKeepSelectionVisible(TRUE);
    host.Controller().SetSelection(SECEditRange(5, 0, 6, 40), SECEditSelection::modeStream);
    host.Repaint();
    ExpectCells(host, {{"selected text", 6, 1, kSelectionBack}});
}

// Where a colour shows in a column strip of the gutter.
bool ColourIn(const Picture& p, int left, int right, int top, int bottom, COLORREF colour) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (p.At(x, y) == colour)
                return true;
    return false;
}

// The system's scroll-bar colour for a test; Wine's own is white, like the pattern's other half.
class SysColour {
public:
    SysColour(int index, COLORREF colour) : m_index(index), m_old(::GetSysColor(index)) {
        ::SetSysColors(1, &m_index, &colour);
    }
    ~SysColour() { ::SetSysColors(1, &m_index, &m_old); }

private:
    int m_index;
    COLORREF m_old;
};

TEST(EditorPaint, GutterModesPlaceMarksAndLineNumbers) {
    SysColour grey(COLOR_SCROLLBAR, RGB(192, 192, 192));
    Host host;
    host.Load(kFixture);
    host.Model().SetLineFlag(0, 16, TRUE);
    host.Model().SetLineFlag(1, 17, TRUE);
    SECEditController& c = host.Controller();
    const int lh = host.LineHeight();
    const COLORREF darkRed = RGB(128, 0, 0), cyan = RGB(0, 255, 255);
    c.SetLineNumberColour(RGB(0, 0, 0));
    struct Case {
        int mode;
        bool marks, numbers, marksLeft;
    } cases[] = {{SECEDIT_GUTTER_MARKS_LEFT, true, true, true},
                 {SECEDIT_GUTTER_MARKS_RIGHT, true, true, false},
                 {SECEDIT_GUTTER_MARKS_ONLY, true, false, true},
                 {SECEDIT_GUTTER_NO_MARGIN, false, true, false},
                 {SECEDIT_GUTTER_NONE, false, false, false}};
    for (const Case& k : cases) {
        c.SetGutterMode(k.mode);
        host.Repaint();
        const Picture p = CaptureShownClient(host.Ctrl().m_hWnd);
        const int textLeft = c.GetTextLeft();
        EXPECT_EQ(textLeft, c.GetMarginWidth() + c.GetGutterWidth()) << k.mode;
        EXPECT_EQ(k.marks, c.GetMarginWidth() > 0) << k.mode;
        EXPECT_EQ(k.numbers, c.GetGutterWidth() > 0) << k.mode;
        const int numbersLeft = k.marksLeft ? c.GetMarginWidth() : 0;
        const int marksLeft = k.marksLeft ? 0 : c.GetGutterWidth();
        if (k.marks) {
            EXPECT_TRUE(ColourIn(p, marksLeft, marksLeft + c.GetMarginWidth(), 0, lh, darkRed))
                << "mark 16, mode " << k.mode;
            EXPECT_TRUE(ColourIn(p, marksLeft, marksLeft + c.GetMarginWidth(), lh, 2 * lh, cyan))
                << "mark 17, mode " << k.mode;
        }
        if (k.numbers) {
            // Line numbers in black, in their own area.
            EXPECT_TRUE(
                ColourIn(p, numbersLeft, numbersLeft + c.GetGutterWidth(), 0, lh, RGB(0, 0, 0)))
                << "number, mode " << k.mode;
        }
        if (k.marks) {
            // The checkerboard of the gutter's brush in an empty marker cell.
            const int y = 5 * lh + lh / 2;
            const COLORREF a = p.At(marksLeft + 4, y), b = p.At(marksLeft + 5, y);
            EXPECT_NE(a, b) << "checkerboard, mode " << k.mode;
            EXPECT_TRUE(a == RGB(255, 255, 255) || b == RGB(255, 255, 255)) << k.mode;
            EXPECT_TRUE(a == ::GetSysColor(COLOR_SCROLLBAR) || b == ::GetSysColor(COLOR_SCROLLBAR))
                << k.mode;
        }
        if (textLeft == 0) {
            EXPECT_EQ(Hex(CellBack(host, p, 0, 0)), Hex(kKeywordBack)) << "no gutter";
        }
    }
}

TEST(EditorPaint, Mark16IsAnOddCircleSizedByItsRow) {
    // 16 high, 20 wide: 13; 17 high: 15.
    struct Case {
        int height, diameter;
    } cases[] = {{16, 13}, {17, 15}};
    for (const Case& k : cases) {
        Host host;
        host.Load(L"x");
        host.Model().SetLineFlag(0, 16, TRUE);
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 40, 40);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        CRect all(0, 0, 40, 40);
        ::FillRect(dc, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        CDC* cdc = CDC::FromHandle(dc);
        host.Ctrl().DrawLineMark16(0, cdc, 0, 0, 20, k.height);
        int left = 40, right = -1, top = 40, bottom = -1;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                if (::GetPixel(dc, x, y) == RGB(128, 0, 0)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        EXPECT_EQ(right - left + 1, k.diameter) << k.height;
        EXPECT_EQ(bottom - top + 1, k.diameter) << k.height;
    }
}

TEST(EditorPaint, CaretStandsAtItsLineAndDisplayColumnAndHidesLeftOfTheText) {
    Host host;
    host.Load(L"\tx = 1;\nsecond line that is quite a bit longer than the window is wide, "
              L"so that it scrolls sideways");
    host.Controller().SetGutterMode(SECEDIT_GUTTER_MARKS_RIGHT);
    ::SetFocus(host.Ctrl().m_hWnd);
    SECEditController& c = host.Controller();
    c.SetCaretPosition(0, 1, FALSE);
    CPoint caret;
    ::GetCaretPos(&caret);
    const CPoint expected = host.PointOf(0, 1);
    EXPECT_EQ(caret.x, expected.x - 1);
    EXPECT_EQ(caret.y, expected.y);
    EXPECT_EQ(expected.x, host.TextLeft() + c.GetTabWidth()) << "after the tab";
    EXPECT_TRUE(c.IsCaretShown());
    // Scrolled so that the caret's column lies left of the text area.
    for (int i = 0; i <= c.GetTabWidth() / host.CharWidth(); ++i)
        ::SendMessageW(host.Ctrl().m_hWnd, WM_HSCROLL, SB_LINERIGHT, 0);
    ::GetCaretPos(&caret);
    EXPECT_LT(caret.x, host.TextLeft());
    EXPECT_FALSE(c.IsCaretShown());
    ::SendMessageW(host.Ctrl().m_hWnd, WM_HSCROLL, SB_THUMBPOSITION, 0);
    EXPECT_TRUE(c.IsCaretShown());
    ::SetFocus(host.Frame().m_hWnd);
    EXPECT_FALSE(c.HasCaret()) << "destroyed with the focus";
}

TEST(EditorPaint, SidewaysScrollMovesTheTextByWholeColumnsAndKeepsTheGutter) {
    Host host(400, 120);
    std::wstring text;
    for (int line = 0; line < 4; ++line) {
        for (int i = 0; i < 150; ++i)
            text += wchar_t(L'a' + (i * 7 + line) % 26);
        text += L'\n';
    }
    host.Load(text.c_str());
    host.Model().SetLineFlag(1, 17, TRUE);
    host.Controller().SetGutterMode(SECEDIT_GUTTER_MARKS_RIGHT);
    host.Repaint();
    const int cw = host.CharWidth();
    const int textLeft = host.TextLeft();
    const HWND w = host.Ctrl().m_hWnd;
    struct Case {
        UINT code;
        int columns; // -1: a page
    } cases[] = {{SB_LINERIGHT, 1}, {SB_PAGERIGHT, -1}, {SB_LINELEFT, 1}};
    for (const Case& k : cases) {
        const Picture before = CaptureShownClient(w);
        const int originBefore = host.Ctrl().GetLogOrigin().x;
        ::SendMessageW(w, WM_HSCROLL, k.code, 0);
        Pump();
        const Picture after = CaptureShownClient(w);
        const int moved = host.Ctrl().GetLogOrigin().x - originBefore;
        ASSERT_NE(moved, 0) << k.code;
        EXPECT_EQ(moved % cw, 0) << "whole columns";
        if (k.columns > 0) {
            EXPECT_EQ(std::abs(moved), k.columns * cw);
        } else {
            EXPECT_EQ(moved, (before.cx - textLeft) / cw * cw) << "a page of columns";
        }
        // The gutter stays; the text moved by exactly the origin's change.
        for (int y = 0; y < 4 * host.LineHeight(); ++y) {
            for (int x = 0; x < textLeft; ++x)
                ASSERT_EQ(before.At(x, y), after.At(x, y)) << "gutter " << x << "," << y;
            for (int x = textLeft; x < after.cx; ++x) {
                const int from = x + moved;
                if (from >= textLeft && from < before.cx) {
                    ASSERT_EQ(after.At(x, y), before.At(from, y)) << "text " << x << "," << y;
                }
            }
        }
    }
}

TEST(EditorPaint, OneLineHintRepaintsThatRowAlone) {
    Host host;
    host.Load(kFixture);
    host.Controller().SetGutterMode(SECEDIT_GUTTER_MARKS_RIGHT);
    host.Repaint();
    const HWND w = host.Ctrl().m_hWnd;
    const int lh = host.LineHeight();
    const Picture before = CaptureShownClient(w);
    // The mark changes what line 3 paints; the hint alone makes it show.
    host.Model().SetLineFlag(3, SECEDIT_FLAG_HIGHLIGHT, TRUE);
    ::ValidateRect(w, nullptr);
    SECEditLineMsg hint(3, 3);
    host.Ctrl().OnUpdate(&host.Model(), &hint);
    CRect update;
    ASSERT_TRUE(::GetUpdateRect(w, &update, FALSE));
    EXPECT_EQ(update, CRect(0, 3 * lh, before.cx, 4 * lh));
    ::UpdateWindow(w);
    const Picture after = CaptureShownClient(w);
    EXPECT_TRUE(after.SameRows(before, 0, 3 * lh)) << "rows above";
    EXPECT_TRUE(after.SameRows(before, 4 * lh, after.cy)) << "rows below";
    EXPECT_FALSE(after.SameRows(before, 3 * lh, 4 * lh)) << "the row itself";

    // A caret move tells the model's observers but repaints nothing.
    ::ValidateRect(w, nullptr);
    host.Controller().MoveCaret(SECEditController::moveCharRight, FALSE);
    CRect moved;
    EXPECT_FALSE(::GetUpdateRect(w, &moved, FALSE));

    // Ranges outside the text or upside down invalidate nothing outside the view.
    struct Case {
        int first, last;
        bool any;
    } cases[] = {{5, 2, false}, {-4, 0, true}, {40, 50, false}, {6, -1, true}, {-3, -1, true}};
    for (const Case& k : cases) {
        ::ValidateRect(w, nullptr);
        SECEditLineMsg odd(k.first, k.last);
        host.Ctrl().OnUpdate(&host.Model(), &odd);
        CRect r;
        const BOOL any = ::GetUpdateRect(w, &r, FALSE);
        EXPECT_EQ(any != FALSE, k.any) << k.first << ".." << k.last;
        if (any) {
            CRect client;
            ::GetClientRect(w, &client);
            CRect inside;
            inside.IntersectRect(r, client);
            EXPECT_EQ(inside, r) << k.first << ".." << k.last;
        }
    }
}

TEST(EditorPaint, Screenshot) {
    Host host(520, 200);
    host.Load(kFixture);
    host.Model().SetLineFlag(0, 16, TRUE);
    host.Model().SetLineFlag(2, 17, TRUE);
    host.Model().GetLangConfig()->SetShowWhitespace(TRUE);
    host.Controller().SetGutterMode(SECEDIT_GUTTER_MARKS_RIGHT);
    host.Controller().SetKeepSelectionVisible(TRUE);
    host.Controller().SetSelection(SECEditRange(5, 0, 6, 5), SECEditSelection::modeStream);
    host.Repaint();
    const Picture p = CaptureShownClient(host.Ctrl().m_hWnd);
    host.Model().GetLangConfig()->SetShowWhitespace(FALSE);
    EXPECT_TRUE(SavePng(p, ScreenshotPath(L"editor_view.png")));
}

} // namespace
