// The regular-expression adapter and the store's regular-expression search.
#include "editor/regexp.h"
#include "editor/text_store.h"

#include <gtest/gtest.h>

namespace {

class RegExp : public ::testing::Test {
protected:
    void SetUp() override {
        if (!engine.Create())
            GTEST_SKIP() << "VBScript.RegExp is not available here";
    }
    SECEditVBRegExp engine;
};

TEST_F(RegExp, FindsTheFirstMatch) {
    engine.SetPattern(L"c[a-z]+t");
    EXPECT_EQ(engine.GetPattern(), L"c[a-z]+t");
    int start = -1, length = -1;
    CString matched;
    ASSERT_TRUE(engine.Find(L"the count of cats", start, length, matched));
    EXPECT_EQ(start, 4);
    EXPECT_EQ(length, 5);
    EXPECT_EQ(matched, L"count");
    EXPECT_FALSE(engine.Find(L"nothing here", start, length));
    engine.SetIgnoreCase(TRUE);
    EXPECT_TRUE(engine.GetIgnoreCase());
    EXPECT_TRUE(engine.Find(L"COUNT", start, length));
}

TEST_F(RegExp, ReplaceReportsWhetherTheTextChanged) {
    engine.SetPattern(L"o");
    CString text = L"foo";
    EXPECT_TRUE(engine.Replace(text, L"0", TRUE));
    EXPECT_EQ(text, L"f00");
    CString same = L"xyz";
    EXPECT_FALSE(engine.Replace(same, L"0", TRUE));
    EXPECT_EQ(same, L"xyz");
}

TEST_F(RegExp, AMistypedExpressionIsReportedAsInvalid) {
    for (const wchar_t* bad : {L"(unclosed", L"[z-a]", L"*lead", L"a{2,1}"}) {
        engine.SetPattern(bad);
        int start = 0, length = 0;
        EXPECT_FALSE(engine.Find(L"some (unclosed text", start, length));
        EXPECT_TRUE(engine.IsPatternInvalid()) << CString(bad).ToMultiByte(CP_UTF8);
    }
    engine.SetPattern(L"fine");
    int start = 0, length = 0;
    EXPECT_FALSE(engine.Find(L"nope", start, length));
    EXPECT_FALSE(engine.IsPatternInvalid());
}

TEST_F(RegExp, StoreSearchRunsThroughTheAdapter) {
    SECEditTextStore store;
    SECEditRange r;
    store.InsertText(r, L"alpha 12\nbeta 345\ngamma", -1);
    int line = -1, column = -1;
    EXPECT_EQ(store.Find(0, 3, line, column, L"[0-9]+", TRUE, FALSE, TRUE, FALSE, TRUE, -1, -1), 2);
    EXPECT_EQ(line, 0);
    EXPECT_EQ(column, 6);
    EXPECT_EQ(store.Find(1, 0, line, column, L"[0-9]+", TRUE, FALSE, TRUE, FALSE, TRUE, -1, -1), 3);
    EXPECT_EQ(line, 1);
    // Backward from the end of "beta 345": the last match that starts before it.
    EXPECT_EQ(store.Find(1, 8, line, column, L"[0-9]+", FALSE, FALSE, TRUE, FALSE, TRUE, -1, -1),
              3);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(column, 5);
    EXPECT_EQ(store.Find(0, 0, line, column, L"(bad", TRUE, TRUE, TRUE, FALSE, TRUE, -1, -1), 0);
}

} // namespace
