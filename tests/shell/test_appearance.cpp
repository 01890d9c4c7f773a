// The shared list fonts and colours, from the host or the system, and their changes; read back
// with GetObject.
#include "tests/shell/bound_host.h"

#include "shell/app/appearance.h"

namespace {

LOGFONTW Read(HFONT font) {
    LOGFONTW lf{};
    EXPECT_EQ(static_cast<int>(sizeof lf), GetObjectW(font, sizeof lf, &lf));
    return lf;
}

HFONT MakeFont(const wchar_t* face, LONG weight, LONG height) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    wcscpy(lf.lfFaceName, face);
    return CreateFontIndirectW(&lf);
}

TEST(SharedAppearance, WithoutAHostOf36TheSystemsFontsAndColours) {
    BindTestHost(HostVersion(3, 5));
    InitFontsAndColors();
    const SharedAppearance& a = Appearance();
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), a.text);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), a.background);
    EXPECT_EQ(RGB(255, 0, 0), a.secondText);
    EXPECT_EQ(300, Read(a.italic).lfWeight);
    EXPECT_EQ(1, Read(a.italic).lfItalic);
    EXPECT_EQ(700, Read(a.boldItalic).lfWeight);
    EXPECT_EQ(1, Read(a.boldItalic).lfItalic);
    EXPECT_EQ(700, Read(a.bold).lfWeight);
    EXPECT_TRUE(CallLines().empty()); // GetFontAndColors is not asked before 3.6
    FreeSharedAppearance();
}

TEST(SharedAppearance, AHostOf36GivesFontsAndColoursAndKeepsItsHandles) {
    BindTestHost(HostVersion(3, 6));
    HostState::Get().colors[0] = RGB(1, 2, 3);
    InitFontsAndColors();
    const SharedAppearance& a = Appearance();
    EXPECT_EQ(RGB(1, 2, 3), a.text);
    const LOGFONTW host = Read(static_cast<HFONT>(HostState::Get().font));
    EXPECT_STREQ(host.lfFaceName, Read(a.plain).lfFaceName);
    EXPECT_NE(HostState::Get().font, a.plain); // a font of the library's own
    EXPECT_EQ(1, Read(a.italic).lfItalic);
    EXPECT_EQ(host.lfWeight, Read(a.italic).lfWeight);
    EXPECT_EQ(700, Read(a.bold).lfWeight);
    EXPECT_EQ(1, Read(a.boldItalic).lfItalic);
    EXPECT_EQ(OBJ_FONT, GetObjectType(HostState::Get().font));
    FreeSharedAppearance();
}

TEST(SharedAppearance, ChangingTheFontRemakesAllFourAndCopiesTheMemoryFont) {
    BindTestHost(HostVersion(3, 13));
    InitFontsAndColors();
    InitWindowFonts();
    HFONT font = MakeFont(L"Courier New", 400, -40);
    EXPECT_TRUE(ChangeSharedFonts(font, nullptr));
    const SharedAppearance& a = Appearance();
    EXPECT_EQ(700, Read(a.bold).lfWeight);
    EXPECT_EQ(0, Read(a.bold).lfItalic);
    EXPECT_EQ(400, Read(a.italic).lfWeight);
    EXPECT_EQ(1, Read(a.italic).lfItalic);
    EXPECT_NE(font, a.memoryFont);
    EXPECT_EQ(-40, Read(a.memoryFont).lfHeight);
    EXPECT_GT(a.memoryMetrics.tmHeight, 30);
    // The host may delete its font: the library's copies stay.
    DeleteObject(font);
    EXPECT_EQ(OBJ_FONT, GetObjectType(a.memoryFont));
    FreeSharedAppearance();
}

TEST(SharedAppearance, WhatIsNoFontOrNoColourChangesNothing) {
    BindTestHost(HostVersion(3, 13));
    InitFontsAndColors();
    const SharedAppearance& a = Appearance();
    const LOGFONTW before = Read(a.plain);
    EXPECT_FALSE(ChangeSharedFonts(static_cast<HFONT>(GetStockObject(WHITE_BRUSH)), nullptr));
    EXPECT_FALSE(ChangeSharedFonts(nullptr, nullptr));
    EXPECT_STREQ(before.lfFaceName, Read(a.plain).lfFaceName);
    EXPECT_EQ(before.lfHeight, Read(a.plain).lfHeight);
    const COLORREF background = a.background;
    EXPECT_FALSE(ChangeSharedColors(RGB(9, 9, 9), 0x01000000, RGB(8, 8, 8)));
    EXPECT_EQ(RGB(9, 9, 9), a.text);
    EXPECT_EQ(background, a.background);
    EXPECT_EQ(RGB(8, 8, 8), a.secondText);
    FreeSharedAppearance();
}

} // namespace
