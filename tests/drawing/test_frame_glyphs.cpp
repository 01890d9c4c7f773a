// Caption buttons and arrows whose glyphs are drawn by lines, as where the system's symbol font
// is missing: each shows its own shape, pressed moves it, greyed greys it.
#include "toolbars/drawing/frame_glyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/support/drawing_test_support.h"
#include "tests/support/screenshot.h"

namespace {

const int kSize = 16;

// The glyph's pixels (drawn in the colour given) of a button drawn on a canvas: inside its
// face, whose two-pixel edges may be dark too.
std::vector<POINT> GlyphOf(UINT nType, UINT nState, COLORREF ink) {
    Canvas canvas(kSize, kSize, RGB(1, 2, 3));
    EXPECT_TRUE(DrawFrameGlyph(canvas.dc.GetSafeHdc(), RECT{0, 0, kSize, kSize}, nType, nState));
    const std::vector<COLORREF> pixels = canvas.Pixels();
    std::vector<POINT> glyph;
    for (int y = 2; y < kSize - 2; ++y)
        for (int x = 2; x < kSize - 2; ++x)
            if (pixels[y * kSize + x] == ink)
                glyph.push_back(POINT{x, y});
    return glyph;
}

std::vector<POINT> Glyph(UINT nType, UINT nState) {
    return GlyphOf(nType, nState, GetSysColor(COLOR_BTNTEXT));
}

RECT Bounds(const std::vector<POINT>& points) {
    RECT r{kSize, kSize, -1, -1};
    for (const POINT& p : points) {
        r.left = std::min<LONG>(r.left, p.x);
        r.top = std::min<LONG>(r.top, p.y);
        r.right = std::max<LONG>(r.right, p.x + 1);
        r.bottom = std::max<LONG>(r.bottom, p.y + 1);
    }
    return r;
}

// Pixels of the glyph in one row.
int InRow(const std::vector<POINT>& points, int y) {
    int n = 0;
    for (const POINT& p : points)
        n += p.y == y;
    return n;
}

int InColumn(const std::vector<POINT>& points, int x) {
    int n = 0;
    for (const POINT& p : points)
        n += p.x == x;
    return n;
}

std::set<std::pair<LONG, LONG>> AsSet(const std::vector<POINT>& points) {
    std::set<std::pair<LONG, LONG>> set;
    for (const POINT& p : points)
        set.insert({p.x, p.y});
    return set;
}

TEST(FrameGlyphs, EachButtonShowsItsOwnShapeInsideTheButton) {
    const struct {
        const char* name;
        UINT type, kind;
        // What tells the shape: its first and last rows or columns compared.
        bool (*shape)(const std::vector<POINT>&, const RECT&);
    } cases[] = {
        {"close: a cross, as wide at the top as at the bottom", DFC_CAPTION, DFCS_CAPTIONCLOSE,
         [](const std::vector<POINT>& g, const RECT& b) {
             return InRow(g, b.top) == InRow(g, b.bottom - 1) &&
                    InRow(g, (b.top + b.bottom) / 2) < b.right - b.left;
         }},
        {"minimise: a bar low in the button", DFC_CAPTION, DFCS_CAPTIONMIN,
         [](const std::vector<POINT>&, const RECT& b) {
             return b.top > kSize / 2 && b.right - b.left > 2 * (b.bottom - b.top);
         }},
        {"maximise: a box with a thick top", DFC_CAPTION, DFCS_CAPTIONMAX,
         [](const std::vector<POINT>& g, const RECT& b) {
             return InRow(g, b.top) == b.right - b.left && InRow(g, (b.top + b.bottom) / 2) == 2;
         }},
        {"restore: two boxes", DFC_CAPTION, DFCS_CAPTIONRESTORE,
         [](const std::vector<POINT>& g, const RECT& b) {
             return InRow(g, b.top) < b.right - b.left && InRow(g, b.bottom - 1) < b.right - b.left;
         }},
        {"up: the tip at the top", DFC_SCROLL, DFCS_SCROLLUP,
         [](const std::vector<POINT>& g, const RECT& b) {
             return InRow(g, b.top) == 1 && InRow(g, b.bottom - 1) > 1;
         }},
        {"down: the tip at the bottom", DFC_SCROLL, DFCS_SCROLLDOWN,
         [](const std::vector<POINT>& g, const RECT& b) {
             return InRow(g, b.bottom - 1) == 1 && InRow(g, b.top) > 1;
         }},
        {"left: the tip at the left", DFC_SCROLL, DFCS_SCROLLLEFT,
         [](const std::vector<POINT>& g, const RECT& b) {
             return InColumn(g, b.left) == 1 && InColumn(g, b.right - 1) > 1;
         }},
        {"right: the tip at the right", DFC_SCROLL, DFCS_SCROLLRIGHT,
         [](const std::vector<POINT>& g, const RECT& b) {
             return InColumn(g, b.right - 1) == 1 && InColumn(g, b.left) > 1;
         }},
    };
    std::set<std::set<std::pair<LONG, LONG>>> seen;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<POINT> glyph = Glyph(c.type, c.kind);
        ASSERT_FALSE(glyph.empty());
        const RECT b = Bounds(glyph);
        // Clear of the face's edges, with room to move when pressed.
        EXPECT_GE(b.left, 3);
        EXPECT_GE(b.top, 3);
        EXPECT_LE(b.right, kSize - 3);
        EXPECT_LE(b.bottom, kSize - 3);
        EXPECT_TRUE(c.shape(glyph, b));
        EXPECT_TRUE(seen.insert(AsSet(glyph)).second) << "the same glyph as another";
        // Pressed: the same glyph, one pixel down and right.
        std::vector<POINT> moved = glyph;
        for (POINT& p : moved)
            p.x += 1, p.y += 1;
        EXPECT_EQ(AsSet(moved), AsSet(Glyph(c.type, c.kind | DFCS_PUSHED)));
        // Greyed: no glyph in the text colour; a shadow one where it was.
        EXPECT_TRUE(Glyph(c.type, c.kind | DFCS_INACTIVE).empty());
        EXPECT_EQ(AsSet(glyph),
                  AsSet(GlyphOf(c.type, c.kind | DFCS_INACTIVE, GetSysColor(COLOR_BTNSHADOW))));
    }
}

// The buttons at the sizes of a caption, in rows: as they are, pressed, greyed.
TEST(FrameGlyphs, Screenshot) {
    const std::pair<UINT, UINT> buttons[] = {
        {DFC_CAPTION, DFCS_CAPTIONCLOSE}, {DFC_CAPTION, DFCS_CAPTIONMIN},
        {DFC_CAPTION, DFCS_CAPTIONMAX},   {DFC_CAPTION, DFCS_CAPTIONRESTORE},
        {DFC_SCROLL, DFCS_SCROLLUP},      {DFC_SCROLL, DFCS_SCROLLDOWN},
        {DFC_SCROLL, DFCS_SCROLLLEFT},    {DFC_SCROLL, DFCS_SCROLLRIGHT}};
    const UINT states[] = {0, DFCS_PUSHED, DFCS_INACTIVE};
    const int cx = 18, cy = 16, gap = 4;
    Canvas canvas(8 * (cx + gap) + gap, 3 * (cy + gap) + gap, GetSysColor(COLOR_BTNFACE));
    for (int row = 0; row < 3; ++row)
        for (int i = 0; i < 8; ++i) {
            const RECT rect{gap + i * (cx + gap), gap + row * (cy + gap), gap + i * (cx + gap) + cx,
                            gap + row * (cy + gap) + cy};
            EXPECT_TRUE(DrawFrameGlyph(canvas.dc.GetSafeHdc(), rect, buttons[i].first,
                                       buttons[i].second | states[row]));
        }
    canvas.Unselect();
    EXPECT_TRUE(WriteBitmapPng(static_cast<HBITMAP>(canvas.bitmap.GetSafeHandle()),
                               ScreenshotPath(L"frame_glyphs.png")));
    canvas.Reselect();
}

TEST(FrameGlyphs, OtherControlsAndTinyButtonsAreLeftToTheSystem) {
    Canvas canvas(4, 4, RGB(1, 2, 3));
    EXPECT_FALSE(
        DrawFrameGlyph(canvas.dc.GetSafeHdc(), RECT{0, 0, 4, 4}, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_FALSE(
        DrawFrameGlyph(canvas.dc.GetSafeHdc(), RECT{0, 0, 4, 4}, DFC_CAPTION, DFCS_CAPTIONHELP));
    EXPECT_FALSE(DrawFrameGlyph(NULL, RECT{0, 0, 4, 4}, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    // Too small for a glyph: the face only.
    EXPECT_TRUE(
        DrawFrameGlyph(canvas.dc.GetSafeHdc(), RECT{0, 0, 4, 4}, DFC_CAPTION, DFCS_CAPTIONCLOSE));
}

} // namespace
