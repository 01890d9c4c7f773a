// The regular-expression adapter and the store's regular-expression search.
#include "editor/regexp.h"
#include "editor/regexp_bounded.h"
#include "editor/text_store.h"

#include <boost/regex.hpp>
#include <gtest/gtest.h>

#include <algorithm>
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

// What a backward search must find: of the non-empty matches a forward scan of each line meets
// in the text before the start (its real context before it, and "$" only at the real end), the
// last.
int LastMatchByBruteForce(const std::wstring& text, const wchar_t* pattern, int from, int before,
                          int& length) {
    const boost::wregex e(pattern, boost::regex::ECMAScript | boost::regex::no_mod_m |
                                       boost::regex::no_mod_s);
    const wchar_t* base = text.c_str();
    auto flags = boost::match_not_null;
    if (before < static_cast<int>(text.size()))
        flags |= boost::match_not_eob | boost::match_not_eol;
    int best = -1;
    for (int line = 0; line < before;) {
        const int next = static_cast<int>(text.find(L'\n', line)) + 1;
        const int lineEnd = next > 0 ? next : static_cast<int>(text.size()) + 1;
        for (int p = std::max(line, from); p < std::min(lineEnd, before);) {
            boost::match_results<const wchar_t*> m;
            // "^" is the text's start only, "\b" sees the character before.
            const auto at = p > 0 ? flags | boost::match_prev_avail | boost::match_not_bob : flags;
            if (!boost::regex_search(base + p, base + before, m, e, at))
                break;
            const int found = static_cast<int>(m[0].first - base);
            if (found >= lineEnd)
                break;
            best = found;
            length = static_cast<int>(m.length(0));
            p = found + length;
        }
        line = lineEnd;
    }
    return best;
}

// Windows as small as one character put window edges inside matches, and matches longer than
// the window, at every start position.
TEST(BoundedRegExp, BackwardSearchEqualsABruteForceScanWhateverTheWindow) {
    const std::wstring text = L"ab aab\nb aaa ab\n\nabab a wordy words\naab";
    const int size = static_cast<int>(text.size());
    const wchar_t* patterns[] = {L"a+b",    L"b",         L"a*b",    L"^a",   L"\\bab",
                                 L"ab\\b",  L"\\Bb",      L"b$",     L"a$",   L"(ab)+",
                                 L"[a-z]+", L"b\\n\\n?a", L"a(?=b)", L"w.*s", L"(?!a)[a-z]"};
    for (const wchar_t* pattern : patterns) {
        SECEditBoundedRegExp engine;
        engine.SetPattern(pattern);
        for (int window : {1, 2, 3, 7, 4096})
            for (int from : {0, 4})
                for (int before = from; before <= size; ++before) {
                    int expectedLength = 0, length = 0;
                    const int expected =
                        LastMatchByBruteForce(text, pattern, from, before, expectedLength);
                    const wchar_t* base = text.c_str();
                    const int at = engine.SearchLast(base, base + from, base + before, base + size,
                                                     length, window);
                    const std::string where = CString(pattern).ToMultiByte(CP_UTF8) + " window " +
                                              std::to_string(window) + " from " +
                                              std::to_string(from) + " before " +
                                              std::to_string(before);
                    ASSERT_EQ(at, expected) << where;
                    if (at >= 0) {
                        EXPECT_EQ(length, expectedLength) << where;
                    }
                    EXPECT_FALSE(engine.WasStopped()) << where;
                }
    }
}

// Forward searches go window by window: whatever the window, the first match is the one a
// single search of the whole rest of the text finds, matches over a window's edge included.
TEST(BoundedRegExp, ForwardSearchEqualsOneSearchOfTheWholeTextWhateverTheWindow) {
    const std::wstring text = L"ab aab\nb aaa ab\n\nabab a wordy words\naab";
    const int size = static_cast<int>(text.size());
    const wchar_t* patterns[] = {L"a+b",         L"b",    L"a*b",    L"^a",   L"\\bab",
                                 L"ab\\b",       L"\\Bb", L"b$",     L"a$",   L"(ab)+",
                                 L"[a-z]+",      L"a+",   L"a(?=b)", L"w.*s", L"(?!a)[a-z]",
                                 L"words\\naab", L"x"};
    const boost::regex_constants::syntax_option_type syntax =
        boost::regex::ECMAScript | boost::regex::no_mod_m | boost::regex::no_mod_s;
    for (const wchar_t* pattern : patterns) {
        const boost::wregex e(pattern, syntax);
        SECEditBoundedRegExp engine;
        engine.SetPattern(pattern);
        const wchar_t* base = text.c_str();
        for (int from = 0; from <= size; ++from) {
            boost::match_results<const wchar_t*> m;
            const auto flags =
                from > 0 ? boost::match_prev_avail | boost::match_not_bob : boost::match_default;
            const bool found = boost::regex_search(base + from, base + size, m, e, flags);
            const int expected = found ? static_cast<int>(m[0].first - base) : -1;
            for (int window : {1, 2, 3, 7, 4096}) {
                int length = -1;
                const int at = engine.Search(base, base + from, base + size, length, window);
                const std::string where = CString(pattern).ToMultiByte(CP_UTF8) + " window " +
                                          std::to_string(window) + " from " + std::to_string(from);
                ASSERT_EQ(at, expected) << where;
                if (found) {
                    EXPECT_EQ(length, static_cast<int>(m.length(0))) << where;
                }
                EXPECT_FALSE(engine.WasStopped()) << where;
            }
        }
    }
}

// Through the store: a match never runs past the start, "$" is only the text's real end, and a
// match far behind the first window, or straddling its edge, is found.
TEST(BoundedRegExp, BackwardSearchThroughTheStore) {
    struct Case {
        const wchar_t* text;
        const wchar_t* pattern;
        int startLine, startColumn;
        int line, column, length; // length 0: nothing found
    };
    const std::wstring farText = L"x needle\n" + std::wstring(9000, L'y');
    std::wstring edgeText(6000, L'y');
    edgeText.replace(6000 - 4096 - 3, 6, L"needle");
    const Case cases[] = {
        {L"ab aab", L"a+b", 0, 6, 0, 3, 3},
        {L"ab aab", L"a+b", 0, 5, 0, 0, 2},
        {L"ab\nab", L"a$", 1, 1, -1, -1, 0},
        {L"b\nab", L"^a", 1, 2, -1, -1, 0},
        {L"ab\nab", L"^a", 1, 2, 0, 0, 1},
        {L"ab\nab", L"ab$", 1, 2, 1, 0, 2},
        {farText.c_str(), L"n[a-z]+", 1, 9000, 0, 2, 6},
        {edgeText.c_str(), L"needle", 0, 6000, 0, 6000 - 4096 - 3, 6},
    };
    for (const Case& c : cases) {
        SECEditTextStore store;
        SECEditRange r;
        store.InsertText(r, c.text, -1);
        int line = -1, column = -1;
        const int length = store.Find(c.startLine, c.startColumn, line, column, c.pattern, FALSE,
                                      FALSE, TRUE, FALSE, TRUE, -1, -1);
        const std::string what = CString(c.pattern).ToMultiByte(CP_UTF8);
        EXPECT_EQ(length, c.length) << what;
        EXPECT_FALSE(store.WasSearchStopped()) << what;
        if (c.length > 0) {
            EXPECT_EQ(line, c.line) << what;
            EXPECT_EQ(column, c.column) << what;
        }
    }
}

} // namespace
