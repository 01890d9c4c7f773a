// The image effects, the rectangle blend, the masked copy, embossing and the themed glyph on
// small fixtures in memory bitmaps.
#include "tests/support/drawing_test_support.h"
#include "toolbars/drawing/emboss.h"
#include "toolbars/drawing/imageeffects.h"
#include "toolbars/drawing/themeapi.h"

#include <gtest/gtest.h>
#include <vsstyle.h>

#include <functional>

namespace {

const COLORREF kKey = RGB(255, 0, 255);  // the fixture's transparent colour
const COLORREF kDest = RGB(10, 200, 30); // the destination before drawing
const COLORREF kPaint = RGB(0, 0, 255);  // the effects' colour
const COLORREF kWhite = RGB(255, 255, 255);

// Luminances (77 R + 153 G + 26 B) at and around the effects' thresholds.
const std::vector<COLORREF> kGlyph = {
    kKey,
    RGB(255, 255, 255),
    RGB(0, 0, 0), // -, 65280, 0
    RGB(200, 100, 50),
    RGB(250, 250, 250),
    RGB(100, 100, 100), // 32000, 64000, 25600
    RGB(180, 180, 180),
    RGB(181, 181, 181),
    RGB(99, 99, 99), // 46080, 46336, 25344
};

struct Effect {
    const char* name;
    std::function<BOOL(CDC*, int, int, CDC*, int, int, COLORREF)> bitmapForm;
    std::function<BOOL(CDC*, CImageList*, int, int)> imageForm;
    std::vector<COLORREF> expected; // with kDest under the glyph
};

const COLORREF D = kDest, P = kPaint;
std::vector<Effect> Effects() {
    return {
        {"brightened",
         [](CDC* d, int x, int y, CDC* s, int sx, int sy, COLORREF t) {
             return DrawBitmapBrightened(d, x, y, 3, 3, s, sx, sy, t, TRUE);
         },
         [](CDC* d, CImageList* l, int x, int y) {
             return DrawImageBrightened(d, l, 0, x, y, 3, 3, TRUE);
         },
         {D, RGB(32, 32, 32), kWhite, RGB(232, 132, 82), kWhite, RGB(132, 132, 132),
          RGB(212, 212, 212), RGB(213, 213, 213), kWhite}},
        {"unbrightened",
         [](CDC* d, int x, int y, CDC* s, int sx, int sy, COLORREF t) {
             return DrawBitmapBrightened(d, x, y, 3, 3, s, sx, sy, t, FALSE);
         },
         [](CDC* d, CImageList* l, int x, int y) {
             return DrawImageBrightened(d, l, 0, x, y, 3, 3, FALSE);
         },
         {D, kGlyph[1], kGlyph[2], kGlyph[3], kGlyph[4], kGlyph[5], kGlyph[6], kGlyph[7],
          kGlyph[8]}},
        {"blended",
         [](CDC* d, int x, int y, CDC* s, int sx, int sy, COLORREF t) {
             return DrawBitmapBlended(d, x, y, 3, 3, s, sx, sy, t, kPaint, 128);
         },
         [](CDC* d, CImageList* l, int x, int y) {
             return DrawImageBlended(d, l, 0, x, y, 3, 3, kPaint, 128);
         },
         {D, RGB(127, 127, 254), RGB(0, 0, 126), RGB(100, 50, 151), RGB(125, 125, 251),
          RGB(50, 50, 176), RGB(90, 90, 216), RGB(90, 90, 217), RGB(49, 49, 176)}},
        {"shadow",
         [](CDC* d, int x, int y, CDC* s, int sx, int sy, COLORREF t) {
             return DrawBitmapShadow(d, x, y, 3, 3, s, sx, sy, t, kPaint);
         },
         [](CDC* d, CImageList* l, int x, int y) {
             return DrawImageShadow(d, l, 0, x, y, 3, 3, kPaint);
         },
         {D, D, P, P, D, P, P, D, P}},
        {"silhouette",
         [](CDC* d, int x, int y, CDC* s, int sx, int sy, COLORREF t) {
             return DrawBitmapSilhouette(d, x, y, 3, 3, s, sx, sy, t, kPaint);
         },
         [](CDC* d, CImageList* l, int x, int y) {
             return DrawImageSilhouette(d, l, 0, x, y, 3, 3, kPaint);
         },
         {D, P, P, P, P, P, P, P, P}},
    };
}

// The 3x3 pixels at (x, y) of a canvas, and whether everything else kept colour.
std::vector<COLORREF> Region(const Canvas& canvas, int x, int y, COLORREF around, bool& clean) {
    std::vector<COLORREF> region;
    clean = true;
    const std::vector<COLORREF> pixels = canvas.Pixels();
    for (int row = 0; row < canvas.cy; ++row)
        for (int col = 0; col < canvas.cx; ++col) {
            const COLORREF c = pixels[size_t(row * canvas.cx + col)];
            if (col >= x && col < x + 3 && row >= y && row < y + 3)
                region.push_back(c);
            else if (c != around)
                clean = false;
        }
    return region;
}

} // namespace

// Both forms give the rule's pixels; the glyph is read at an offset and drawn at another.
TEST(ImageEffects, EachEffectGivesItsPixelsInBothForms) {
    Canvas source(5, 4, kKey);
    for (int i = 0; i < 9; ++i)
        source.dc.SetPixel(1 + i % 3, 1 + i / 3, kGlyph[size_t(i)]);
    // The image list's own mask marks the transparent pixel; its bitmap is a copy.
    CImageList list;
    ASSERT_TRUE(list.Create(3, 3, ILC_COLOR24 | ILC_MASK, 1, 1));
    {
        Canvas image(3, 3, kKey);
        image.SetPixels(kGlyph);
        image.Unselect();
        ASSERT_EQ(::ImageList_AddMasked(list, image.bitmap, kKey), 0);
        image.Reselect();
    }
    for (const Effect& effect : Effects()) {
        for (bool imageForm : {false, true}) {
            Canvas dest(6, 5, kDest);
            const BOOL ok = imageForm ? effect.imageForm(&dest.dc, &list, 2, 1)
                                      : effect.bitmapForm(&dest.dc, 2, 1, &source.dc, 1, 1, kKey);
            EXPECT_TRUE(ok);
            bool clean = false;
            EXPECT_EQ(Region(dest, 2, 1, kDest, clean), effect.expected)
                << effect.name << (imageForm ? " (image list)" : "");
            EXPECT_TRUE(clean) << effect.name << ": drawn outside the glyph";
        }
    }
}

TEST(ImageEffects, BlendRectsMixesEveryPixel) {
    Canvas source(3, 3, RGB(200, 100, 0));
    source.dc.SetPixel(1, 1, kKey); // no colour is transparent here
    Canvas dest(5, 5, RGB(0, 50, 255));
    EXPECT_TRUE(BlendRects(&dest.dc, 1, 1, 3, 3, &source.dc, 0, 0, 99));
    bool clean = false;
    const std::vector<COLORREF> region = Region(dest, 1, 1, RGB(0, 50, 255), clean);
    EXPECT_TRUE(clean);
    EXPECT_EQ(region[0], RGB(2, 51, 252)); // 99 % of the destination
    EXPECT_EQ(region[4], RGB(3, 50, 255)); // 1 % of the source's magenta
}

// A mask as wide as the rectangle: transparent pixels in the last column stay transparent.
TEST(ImageEffects, TransparentBitBltLeavesKeyPixelsOfTheDestination) {
    Canvas source(6, 2, RGB(1, 2, 3));
    source.dc.SetPixel(5, 0, kKey);
    source.dc.SetPixel(0, 1, kKey);
    source.dc.SetPixel(3, 1, kKey);
    Canvas dest(8, 4, kDest);
    const COLORREF srcBk = source.dc.SetBkColor(RGB(9, 9, 9));
    dest.dc.SetTextColor(RGB(7, 7, 7));
    EXPECT_TRUE(TransparentBitBlt(&dest.dc, 1, 1, 6, 2, &source.dc, 0, 0, 6, 2, kKey));
    const std::vector<COLORREF> pixels = dest.Pixels();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 1 && x < 7 && y >= 1 && y < 3;
            const bool key = inside && source.dc.GetPixel(x - 1, y - 1) == kKey;
            EXPECT_EQ(pixels[size_t(y * 8 + x)], inside && !key ? RGB(1, 2, 3) : kDest)
                << x << "," << y;
        }
    // The colours it borrowed are given back.
    EXPECT_EQ(source.dc.SetBkColor(srcBk), RGB(9, 9, 9));
    EXPECT_EQ(dest.dc.GetTextColor(), RGB(7, 7, 7));
}

// Glyph pixels (neither face nor highlight) come out as highlight one down and right, then
// shadow in place; with the trim the highlight stays inside the glyph box.
TEST(Emboss, GlyphPixelsBecomeHighlightAndShadow) {
    const COLORREF face = RGB(192, 192, 192), hi = RGB(255, 255, 250), sh = RGB(128, 128, 120);
    for (BOOL trim : {FALSE, TRUE}) {
        Canvas source(4, 4, face);
        source.dc.SetPixel(1, 1, RGB(0, 0, 0));
        source.dc.SetPixel(3, 2, RGB(255, 0, 0));
        source.dc.SetPixel(2, 2, hi); // highlight pixels are background
        Canvas dest(7, 7, face);
        EXPECT_TRUE(DrawEmbossed(&dest.dc, 1, 1, 4, 4, &source.dc, 0, 0, face, hi, sh, trim));
        std::vector<COLORREF> expected(49, face);
        expected[size_t(3 * 7 + 3)] = hi; // (1,1) of the glyph, moved by (1,1) and (1,1)
        expected[size_t(2 * 7 + 2)] = sh;
        if (!trim)
            expected[size_t(4 * 7 + 5)] = hi; // (3,2): its highlight leaves the glyph box
        expected[size_t(3 * 7 + 4)] = sh;
        EXPECT_EQ(dest.Pixels(), expected) << "trim " << trim;
    }
    // Its own picture as source, as a button draws its disabled look over its face.
    Canvas self(6, 6, face);
    self.dc.SetPixel(2, 2, RGB(0, 0, 0));
    EXPECT_TRUE(DrawEmbossed(&self.dc, 1, 1, 3, 3, &self.dc, 1, 1, face, hi, sh, TRUE));
    EXPECT_EQ(self.dc.GetPixel(2, 2), sh);
    EXPECT_EQ(self.dc.GetPixel(3, 3), hi);
}

// Themed: the theme's button face under the glyph; unthemed: E_FAIL and nothing drawn.
TEST(ThemedBitmap, DrawsBackgroundAndGlyphOnlyWhileThemed) {
    Canvas glyph(4, 4, kKey);
    glyph.dc.FillSolidRect(1, 1, 2, 2, RGB(0, 0, 0));
    glyph.Unselect();
    const COLORREF face = RGB(1, 1, 1);
    {
        Canvas dest(30, 20, face);
        ASSERT_TRUE(IsThemed());
        EXPECT_EQ(DrawThemedBitmap(NULL, &dest.dc, &glyph.bitmap, L"BUTTON", BP_PUSHBUTTON,
                                   PBS_NORMAL, 0, 0, 30, 20, 10, 8, 4, 4, kKey),
                  S_OK);
        EXPECT_EQ(dest.dc.GetPixel(11, 9), RGB(0, 0, 0)); // glyph
        EXPECT_NE(dest.dc.GetPixel(10, 8), kKey);         // transparent glyph pixel
        EXPECT_NE(dest.dc.GetPixel(15, 3), face);         // themed face
        EXPECT_EQ(DrawThemedBitmap(NULL, &dest.dc, &glyph.bitmap, L"NoSuchClass", 1, 1, 0, 0, 30,
                                   20, 10, 8, 4, 4, kKey),
                  E_FAIL);
    }
    FreeThemeApi();
    Canvas dest(30, 20, face);
    EXPECT_EQ(DrawThemedBitmap(NULL, &dest.dc, &glyph.bitmap, L"BUTTON", BP_PUSHBUTTON, PBS_NORMAL,
                               0, 0, 30, 20, 10, 8, 4, 4, kKey),
              E_FAIL);
    EXPECT_EQ(dest.dc.GetPixel(11, 9), face);
    InitThemeApi();
    glyph.Reselect();
}
