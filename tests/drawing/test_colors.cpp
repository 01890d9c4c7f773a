// Colour arithmetic, the contrast rule, the hue-lightness-saturation conversion and the toolkit
// colour table, without windows.
#include "toolbars/drawing/colors.h"
#include "toolbars/drawing/toolkitcolors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
} // namespace

TEST(Colors, BlendWeightsArePercentBelowHundredAndPerMilleFromIt) {
    const COLORREF a = RGB(200, 100, 0), b = RGB(0, 50, 255);
    struct Case {
        BYTE weight;
        COLORREF expected;
    } cases[] = {
        {0, b},                  // all b
        {99, RGB(198, 100, 3)},  // 99 % of a
        {100, RGB(20, 55, 230)}, // 10 % of a, not 100 %
        {165, RGB(33, 58, 213)}, // 16.5 % of a
        {255, RGB(51, 63, 190)}, // 25.5 % of a
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendColors(a, b, c.weight), c.expected) << int(c.weight);
}

TEST(Colors, LightenClampsAndDarknessIsStrict) {
    EXPECT_EQ(LightenColor(RGB(0xF0, 0xF0, 0xF0), 32), kWhite);
    EXPECT_EQ(LightenColor(RGB(10, 200, 250), 32), RGB(42, 232, 255));
    EXPECT_FALSE(IsColorDark(RGB(100, 100, 100), 100)); // exactly at the threshold
    EXPECT_TRUE(IsColorDark(RGB(99, 100, 100), 100));
    EXPECT_NEAR(ColorDistance(kBlack, kWhite), 440.85, 0.01);
    EXPECT_DOUBLE_EQ(AdjustContrastThreshold(0.0, 50.0), 100.0);
    EXPECT_DOUBLE_EQ(AdjustContrastThreshold(220.0, 50.0), 50.0);
}

// The moved colour lies at the (adjusted) distance from the background, on the side the rule
// picks: away from black on black, toward black on white, toward white from a middle grey.
TEST(Colors, EnsureContrastMovesTooCloseColoursToTheThreshold) {
    struct Case {
        COLORREF fg, bg;
        int minDistance;
        COLORREF expected;
        double threshold;
    } cases[] = {
        {RGB(30, 30, 30), kBlack, 100, RGB(0x74, 0x74, 0x74), 200.0},
        {RGB(220, 220, 220), kWhite, 100, RGB(0xC5, 0xC5, 0xC5), 100.0},
        {RGB(140, 140, 140), RGB(128, 128, 128), 100, RGB(0xBA, 0xBA, 0xBA), 100.0},
        {kWhite, kBlack, 100, kWhite, 200.0}, // far enough: fg itself
        {RGB(1, 2, 3), kWhite, 100, RGB(1, 2, 3), 100.0},
    };
    for (const Case& c : cases) {
        const COLORREF result = EnsureContrast(c.fg, c.bg, c.minDistance);
        EXPECT_EQ(result, c.expected) << std::hex << c.fg << " on " << c.bg;
        EXPECT_GE(ColorDistance(result, c.bg), c.threshold - 1.0);
    }
    // Called directly with a distance shorter than the background's distance from the line
    // through fg, the nearest point of that line is taken, not black.
    EXPECT_EQ(MoveColorForContrast(RGB(255, 0, 0), RGB(0, 0, 255), 10.0), RGB(255, 7, 7));
}

TEST(Colors, HueLightnessSaturationOnTheTwoFortyScale) {
    struct Case {
        COLORREF c;
        WORD h, l, s;
    } cases[] = {
        {RGB(255, 0, 0), 0, 120, 240},
        {RGB(0, 255, 0), 80, 120, 240},
        {RGB(0, 0, 255), 160, 120, 240},
        {kWhite, 160, 240, 0},
        {kBlack, 160, 0, 0},
        {RGB(128, 128, 128), 160, 120, 0},
        {RGB(255, 0, 128), 220, 120, 240},
    };
    for (const Case& c : cases) {
        WORD h = 999, l = 999, s = 999;
        RgbToHls(c.c, h, l, s);
        EXPECT_EQ(h, c.h) << std::hex << c.c;
        EXPECT_EQ(l, c.l) << std::hex << c.c;
        EXPECT_EQ(s, c.s) << std::hex << c.c;
    }
    EXPECT_EQ(HlsToRgb(0, 120, 0), HlsToRgb(200, 120, 0)); // no saturation: no hue
    EXPECT_EQ(HlsToRgb(0, 120, 240), RGB(255, 0, 0));
    EXPECT_EQ(HlsToRgb(160, 240, 0), kWhite);
}

// Through the 0..255 channels and back, hue and lightness come back within one step. Saturation
// cannot: 241 saturation steps do not fit in the channel values of every lightness, and it comes
// back within five.
TEST(Colors, HueLightnessSaturationRoundTrip) {
    for (int h = 0; h < 240; h += 3)
        for (int l = 40; l <= 200; l += 4)
            for (int s = 120; s <= 240; s += 6) {
                WORD h2, l2, s2;
                RgbToHls(HlsToRgb(WORD(h), WORD(l), WORD(s)), h2, l2, s2);
                const int hueError = std::abs(h2 - h) % 240;
                ASSERT_LE(std::min(hueError, 240 - hueError), 1) << h << "," << l << "," << s;
                ASSERT_LE(std::abs(l2 - l), 1) << h << "," << l << "," << s;
                ASSERT_LE(std::abs(s2 - s), 5) << h << "," << l << "," << s;
            }
}

// Two schemes: the classic light one, and a dark one whose entries the contrast rule moves.
TEST(ToolkitColors, TableFromEightFixedColours) {
    const ToolkitBaseColors classic = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(212, 208, 200),
                                       RGB(128, 128, 128), RGB(0, 0, 0), RGB(10, 36, 106),
                                       RGB(128, 128, 128), RGB(0, 0, 0)};
    const COLORREF classicTable[kToolkitColorCount] = {
        0xD1D8DB, 0xA6A6A6, 0x000000, 0xD1D8DB, 0xD1D8DB, 0xD2BDB6, 0x6A240A, 0xB59285, 0x6A240A,
        0xD1D8DB, 0xD1D8DB, 0xDDDBDB, 0x6A240A, 0xB59285, 0x6A240A, 0xF7F8F9, 0x000000, 0xF7F8F9,
        0xA6A6A6, 0xD2BDB6, 0x6A240A, 0x000000, 0xF7F8F9, 0xA6A6A6, 0x6A240A, 0xD1D8DB, 0x666666,
        0xA6A6A6, 0xC8D0D4, 0x000000, 0x9E8E89, 0x8D8D8D, 0xA0A0A0};
    const ToolkitBaseColors dark = {RGB(30, 30, 30),    RGB(220, 220, 220), RGB(60, 60, 64),
                                    RGB(40, 40, 40),    RGB(230, 230, 230), RGB(0, 120, 215),
                                    RGB(110, 110, 110), RGB(200, 200, 200)};
    const COLORREF darkTable[kToolkitColorCount] = {
        0x3A3737, 0x0A0A0A, 0xE6E6E6, 0x3A3737, 0x3A3737, 0x110B04, 0xE19A3F, 0x7B4B0F, 0xD77800,
        0x3A3737, 0x3A3737, 0x3A3129, 0xD77800, 0x7C4D11, 0xE4A453, 0x232222, 0xDCDCDC, 0x232222,
        0x727272, 0x110B04, 0xE19A3F, 0xD2D2D2, 0x232222, 0x565656, 0xE19A3F, 0x3A3737, 0x929292,
        0x0A0A0A, 0x403C3C, 0xE6E6E6, 0x0D0803, 0x272727, 0x848484};
    struct Scheme {
        const ToolkitBaseColors& base;
        const COLORREF* table;
    } schemes[] = {{classic, classicTable}, {dark, darkTable}};
    for (const Scheme& scheme : schemes) {
        UpdateToolkitColors(scheme.base);
        for (int i = 0; i < kToolkitColorCount; ++i)
            EXPECT_EQ(GetToolkitColor(i), scheme.table[i]) << "entry " << i;
    }
    EXPECT_EQ(GetToolkitColor(kToolkitColorCount), kWhite);
    EXPECT_EQ(GetToolkitColor(-1), kWhite);

    UpdateToolkitColors(); // from the system again
    EXPECT_EQ(GetToolkitColor(28), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetToolkitColor(12), ::GetSysColor(COLOR_HIGHLIGHT));
}
