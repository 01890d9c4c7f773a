#include <gtest/gtest.h>

#include "shell/hostlink.h"

namespace {

TEST(FindMenuItemByText, MatchesExactTextWithTrailingBlanksRemoved) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 10, L"E&xit");
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 1, L"&Open");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, 2, L"e&xit");
    AppendMenuW(menu, MF_STRING, 3, L"E&xit  ");
    AppendMenuW(menu, MF_STRING, 4, L"&Run\tF5");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"&File");
    struct {
        const wchar_t* text;
        int position;
    } cases[] = {
        {L"E&xit", 3}, // trailing blanks removed; the lower-case twin does not match
        {L"e&xit", 2},    {L"&Run", -1}, // the accelerator text is part of the item's text
        {L"&Run\tF5", 4}, {L"&File", 5},    {L"", -1}, // separators never match
        {L"E&xit  ", -1}, {L"Missing", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.position, FindMenuItemByText(menu, c.text)) << c.text;
    EXPECT_EQ(-1, FindMenuItemByText(nullptr, L"&Open"));
    DestroyMenu(menu);
}

TEST(Conversion, NullTextGivesNullResult) {
    wchar_t* wide = reinterpret_cast<wchar_t*>(1);
    EXPECT_FALSE(AnsiToWideHeap(nullptr, &wide));
    EXPECT_EQ(nullptr, wide);
    char* ansi = reinterpret_cast<char*>(1);
    EXPECT_FALSE(WideToAnsiHeap(nullptr, &ansi));
    EXPECT_EQ(nullptr, ansi);
}

TEST(Conversion, RoundTripsThroughTheProcessHeap) {
    for (const char* text : {"", "main.c", "C(& main.c\\@LINE 12)"}) {
        wchar_t* wide = nullptr;
        ASSERT_TRUE(AnsiToWideHeap(text, &wide));
        char* back = nullptr;
        ASSERT_TRUE(WideToAnsiHeap(wide, &back));
        EXPECT_STREQ(text, back);
        EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, wide));
        EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, back));
    }
}

TEST(Conversion, LongTextIsNotCut) {
    std::string text(100000, 'x');
    wchar_t* wide = nullptr;
    ASSERT_TRUE(AnsiToWideHeap(text.c_str(), &wide));
    EXPECT_EQ(text.size(), wcslen(wide));
    HeapFree(GetProcessHeap(), 0, wide);
}

} // namespace
