// The regular-expression adapter and the store's regular-expression search.
#include "editor/regexp.h"
#include "editor/regexp_bounded.h"
#include "editor/text_store.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The automation object and the in-process engine answer alike.
template <class Engine> class RegExp : public ::testing::Test {
protected:
    void SetUp() override {
        if (!engine.Create())
            GTEST_SKIP() << "VBScript.RegExp is not available here";
    }
    Engine engine;
};
using Engines = ::testing::Types<SECEditVBRegExp, SECEditBoundedRegExp>;
TYPED_TEST_SUITE(RegExp, Engines);

TYPED_TEST(RegExp, FindsTheFirstMatch) {
    auto& engine = this->engine;
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

TYPED_TEST(RegExp, ReplaceReportsWhetherTheTextChanged) {
    auto& engine = this->engine;
    engine.SetPattern(L"o");
    CString text = L"foo";
    EXPECT_TRUE(engine.Replace(text, L"0", TRUE));
    EXPECT_EQ(text, L"f00");
    CString same = L"xyz";
    EXPECT_FALSE(engine.Replace(same, L"0", TRUE));
    EXPECT_EQ(same, L"xyz");
}

TYPED_TEST(RegExp, AMistypedExpressionIsReportedAsInvalid) {
    auto& engine = this->engine;
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

TEST(StoreRegExp, FindsForwardAndBackward) {
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

TEST(BoundedRegExp, AnchorsAndGroupsAsTheAutomationObjectReadsThem) {
    SECEditBoundedRegExp engine;
    int start = -1, length = -1;
    // "$" ends the text, not a line; "." stops at a line end.
    engine.SetPattern(L"a.b$");
    EXPECT_FALSE(engine.Find(L"a\nb", start, length));
    EXPECT_FALSE(engine.Find(L"axb\nc", start, length));
    EXPECT_TRUE(engine.Find(L"c\naxb", start, length));
    EXPECT_EQ(start, 2);
    engine.SetPattern(L"(o)");
    CString text = L"foo";
    EXPECT_TRUE(engine.Replace(text, L"[$1]", TRUE));
    EXPECT_EQ(text, L"f[o][o]");
    CString once = L"foo";
    EXPECT_TRUE(engine.Replace(once, L"0", FALSE));
    EXPECT_EQ(once, L"f0o");
}

// Patterns that backtrack exponentially: past the budget the search stops, and says so.
TEST(BoundedRegExp, ACatastrophicPatternStopsTheSearchLeavingTheTextAlone) {
    for (int n : {26, 30, 5000}) {
        SECEditTextStore store;
        SECEditRange r;
        const std::wstring text = L"x\n" + std::wstring(n, L'a') + L"!";
        store.InsertText(r, text.c_str(), -1);
        for (BOOL forward : {TRUE, FALSE}) {
            int line = -1, column = -1;
            const int startLine = forward ? 0 : 1, startColumn = forward ? 0 : n + 1;
            EXPECT_EQ(store.Find(startLine, startColumn, line, column, L"(a+)+$", forward, TRUE,
                                 TRUE, FALSE, TRUE, -1, -1),
                      0);
            EXPECT_TRUE(store.WasSearchStopped()) << n << " " << forward;
            EXPECT_FALSE(store.WasPatternInvalid());
        }
        CString after;
        store.GetText(after, 0, 0, 1, n + 1);
        EXPECT_EQ(after.str(), text);
        // Not finding is not stopping.
        int line = -1, column = -1;
        EXPECT_EQ(store.Find(0, 0, line, column, L"b+", TRUE, TRUE, TRUE, FALSE, TRUE, -1, -1), 0);
        EXPECT_FALSE(store.WasSearchStopped());
        EXPECT_EQ(store.Find(0, 0, line, column, L"(a+", TRUE, TRUE, TRUE, FALSE, TRUE, -1, -1), 0);
        EXPECT_TRUE(store.WasPatternInvalid());
    }
}

// Backward: the last match that starts before the start position, as a forward scan of the
// line would meet them, for every start position of a text with many overlapping candidates.
TEST(BoundedRegExp, BackwardSearchFindsTheLastMatchBeforeTheStart) {
    const std::wstring text = L"ab aab\nb aaa ab\n\nabab a";
    SECEditTextStore store;
    SECEditRange r;
    store.InsertText(r, text.c_str(), -1);
    for (const wchar_t* pattern : {L"a+b", L"b", L"a*b", L"^a", L"\\bab"}) {
        SECEditBoundedRegExp engine;
        engine.SetPattern(pattern);
        // Every match of a forward scan, one after another.
        std::vector<std::pair<int, int>> matches;
        const wchar_t* base = text.c_str();
        for (int p = 0; p < static_cast<int>(text.size());) {
            int len = 0;
            const int at = engine.Search(base, base + p, base + text.size(), len);
            if (at < 0)
                break;
            if (len > 0)
                matches.emplace_back(at, len);
            p = at + std::max(len, 1);
        }
        for (int start = 0; start <= static_cast<int>(text.size()); ++start) {
            int expected = -1, expectedLength = 0;
            for (const auto& m : matches)
                if (m.first < start) {
                    expected = m.first;
                    expectedLength = m.second;
                }
            int line = 0, column = 0, outLine = -1, outColumn = -1;
            store.OffsetToPosition(start, line, column);
            const int length = store.Find(line, column, outLine, outColumn, pattern, FALSE, FALSE,
                                          TRUE, FALSE, TRUE, -1, -1);
            if (expected < 0) {
                EXPECT_EQ(length, 0) << start;
                continue;
            }
            EXPECT_EQ(length, expectedLength) << start;
            EXPECT_EQ(store.PositionToOffset(outLine, outColumn), expected) << start;
        }
    }
}

} // namespace
