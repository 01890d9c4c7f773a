#include "editor/text_store.h"
#include "framework/core/file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <random>
#include <string>
#include <vector>

namespace {

SECEditRange Insert(SECEditTextStore& store, int line, int column, const wchar_t* text) {
    SECEditRange r(line, column, line, column);
    EXPECT_TRUE(store.InsertText(r, text, -1));
    return r;
}

CString All(SECEditTextStore& store) {
    return CString(store.Data(), store.TextLength());
}

TEST(TextStore, EmptyAfterReset) {
    SECEditTextStore store;
    EXPECT_EQ(store.GetLineCount(), 1);
    EXPECT_EQ(store.GetLineLength(0), 0);
    EXPECT_EQ(store.PositionToOffset(0, 0), 0);
    EXPECT_EQ(store.PositionToOffset(1, 0), -1);
    EXPECT_EQ(store.GetLineLength(1), -1);
}

TEST(TextStore, LineLengthsWithAndWithoutTerminators) {
    SECEditTextStore store;
    const SECEditRange r = Insert(store, 0, 0, L"a\nbc");
    EXPECT_EQ(r.m_end, SECEditPosition(1, 2));
    EXPECT_EQ(store.GetLineCount(), 2);
    EXPECT_EQ(store.GetLineLength(0), 2);
    EXPECT_EQ(store.GetLineTextLength(0), 1);
    SECEditTextStore crlf;
    Insert(crlf, 0, 0, L"ab\r\nxyz");
    EXPECT_EQ(crlf.GetLineLength(0), 4);
    EXPECT_EQ(crlf.GetLineTextLength(0), 2);
    EXPECT_EQ(crlf.GetLineTextLength(1), 3);
}

TEST(TextStore, ColumnBehindTheTerminatorIsTheNextLineStart) {
    SECEditTextStore store;
    Insert(store, 0, 0, L"ab\ncd");
    EXPECT_EQ(store.PositionToOffset(0, 3), 3);
    EXPECT_EQ(store.PositionToOffset(0, 4), -1);
    int line = -1, column = -1;
    ASSERT_TRUE(store.OffsetToPosition(3, line, column));
    EXPECT_EQ(line, 1);
    EXPECT_EQ(column, 0);
    EXPECT_FALSE(store.OffsetToPosition(6, line, column));
    EXPECT_FALSE(store.OffsetToPosition(-1, line, column));
}

TEST(TextStore, EmptyInsertAndJoiningDelete) {
    SECEditTextStore store;
    Insert(store, 0, 0, L"a\nb");
    SECEditRange r(0, 1, 9, 9);
    EXPECT_TRUE(store.InsertText(r, L"", 0));
    EXPECT_EQ(r.m_end, SECEditPosition(0, 1));
    EXPECT_TRUE(store.DeleteText(SECEditRange(0, 1, 1, 0)));
    EXPECT_EQ(All(store), L"ab");
    EXPECT_EQ(store.GetLineCount(), 1);
}

TEST(TextStore, InvalidPositionsChangeNothing) {
    SECEditTextStore store;
    Insert(store, 0, 0, L"abc");
    SECEditRange r(4, 0, 4, 0);
    EXPECT_FALSE(store.InsertText(r, L"x", 1)); // a failed insertion is not a success
    EXPECT_FALSE(store.DeleteText(SECEditRange(0, 0, 0, 9)));
    CString out;
    EXPECT_FALSE(store.GetText(out, 2, 0, 2, 1));
    EXPECT_EQ(All(store), L"abc");
}

TEST(TextStore, LineZeroLengthFollowsEdits) {
    SECEditTextStore store;
    Insert(store, 0, 0, L"abc\ndef");
    EXPECT_EQ(store.GetLineTextLength(0), 3); // cached now
    Insert(store, 0, 1, L"XY");
    EXPECT_EQ(store.GetLineTextLength(0), 5);
    EXPECT_TRUE(store.DeleteText(SECEditRange(0, 0, 0, 4)));
    EXPECT_EQ(store.GetLineTextLength(0), 1);
}

TEST(TextStore, GetTextToTheEndOfTheLine) {
    SECEditTextStore store;
    Insert(store, 0, 0, L"one\ntwo\n");
    CString out;
    ASSERT_TRUE(store.GetText(out, 0, 1, -1, -1));
    EXPECT_EQ(out, L"ne\n");
    const wchar_t* p = nullptr;
    EXPECT_EQ(store.GetTextPointer(&p, 1, 0, 2, 0), 4);
    EXPECT_EQ(CString(p, 4), L"two\n");
}

TEST(TextStore, GetTextCopiesAroundTheGapWithoutMovingIt) {
    SECEditTextStore store;
    Insert(store, 0, 0, L"first\nsecond\nthird\n");
    Insert(store, 1, 3, L"XY"); // the gap now stands inside line 1, behind "secXY"
    const uint32_t moves = store.GetTextMoves();
    struct Case {
        int line1, col1, line2, col2;
        const wchar_t* text;
    };
    for (const Case& c : {Case{0, 0, -1, -1, L"first\n"}, Case{1, 0, -1, -1, L"secXYond\n"},
                          Case{2, 0, -1, -1, L"third\n"}, Case{1, 2, 1, 6, L"cXYo"},
                          Case{0, 3, 2, 2, L"st\nsecXYond\nth"},
                          Case{2, 2, 0, 3, L"st\nsecXYond\nth"}, Case{3, 0, -1, -1, L""}}) {
        CString out(L"longer than any of the texts above, to be reused");
        ASSERT_TRUE(store.GetText(out, c.line1, c.col1, c.line2, c.col2))
            << c.line1 << "," << c.col1;
        EXPECT_EQ(out, c.text) << c.line1 << "," << c.col1;
    }
    EXPECT_EQ(store.GetTextMoves(), moves); // copying out moved no characters
    CString out(L"x");
    EXPECT_FALSE(store.GetText(out, 4, 0, -1, -1));
    EXPECT_FALSE(store.GetText(out, -1, 0, -1, -1));
    EXPECT_TRUE(out.IsEmpty());
}

struct FindCase {
    const char* name;
    int line, column;
    const wchar_t* pattern;
    BOOL forward, wrap, matchCase, wholeWord;
    int stopLine, stopColumn;
    int foundLine, foundColumn, length; // length 0: not found
};

class TextStoreFind : public ::testing::TestWithParam<FindCase> {};

TEST_P(TextStoreFind, Finds) {
    const FindCase c = GetParam();
    SECEditTextStore store;
    Insert(store, 0, 0, L"int count = 0;\nfor (count) { Count++; }\nrecount(count)\nend");
    int line = -1, column = -1;
    const int n = store.Find(c.line, c.column, line, column, c.pattern, c.forward, c.wrap,
                             c.matchCase, c.wholeWord, FALSE, c.stopLine, c.stopColumn);
    EXPECT_EQ(n, c.length) << c.name;
    if (c.length > 0) {
        EXPECT_EQ(line, c.foundLine) << c.name;
        EXPECT_EQ(column, c.foundColumn) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextStoreFind,
    ::testing::Values(
        FindCase{"forward", 0, 0, L"count", TRUE, FALSE, TRUE, FALSE, -1, -1, 0, 4, 5},
        FindCase{"next one", 0, 5, L"count", TRUE, FALSE, TRUE, FALSE, -1, -1, 1, 5, 5},
        FindCase{"case blind", 1, 6, L"COUNT", TRUE, FALSE, FALSE, FALSE, -1, -1, 1, 14, 5},
        FindCase{"whole word skips recount", 2, 0, L"count", TRUE, FALSE, TRUE, TRUE, -1, -1, 2, 8,
                 5},
        FindCase{"wrap finds before the start", 3, 0, L"int", TRUE, TRUE, TRUE, FALSE, -1, -1, 0, 0,
                 3},
        FindCase{"no wrap finds nothing", 3, 0, L"int", TRUE, FALSE, TRUE, FALSE, -1, -1, 0, 0, 0},
        FindCase{"backward starts one before", 1, 5, L"count", FALSE, FALSE, TRUE, FALSE, -1, -1, 0,
                 4, 5},
        FindCase{"stop position honoured", 0, 5, L"count", TRUE, FALSE, TRUE, FALSE, 1, 4, 0, 0, 0},
        FindCase{"whole word in parentheses", 1, 0, L"count", TRUE, FALSE, TRUE, TRUE, -1, -1, 1, 5,
                 5},
        FindCase{"empty pattern", 0, 0, L"", TRUE, TRUE, TRUE, FALSE, -1, -1, 0, 0, 0},
        // A stop line below -1 names no line: the search goes once round, as with -1.
        FindCase{"stop below -1 still wraps", 3, 0, L"int", TRUE, TRUE, TRUE, FALSE, -7, 0, 0, 0,
                 3},
        FindCase{"stop below -1 backward", 0, 3, L"end", FALSE, TRUE, TRUE, FALSE, -2, 0, 3, 0,
                 3}));

} // namespace

namespace {

TEST(TextStoreSave, UnicodeHasTheMarkAnd8BitHasNone) {
    SECEditTextStore store;
    Insert(store, 0, 0, L"ab\r\nc");
    CMemFile wide;
    ASSERT_TRUE(store.Save(&wide, TRUE));
    ASSERT_EQ(wide.GetLength(), 2u + 5u * 2u);
    CMemFile narrow;
    ASSERT_TRUE(store.Save(&narrow, FALSE));
    ASSERT_EQ(narrow.GetLength(), 5u);
    wide.SeekToBegin();
    unsigned char bytes[12] = {};
    wide.Read(bytes, 12);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes[2], 'a');
    EXPECT_EQ(bytes[3], 0);
}

} // namespace

namespace {

// The text with its gap put at `gapAt` by an insertion and its removal there.
void PutGap(SECEditTextStore& store, int gapAt) {
    int line = 0, column = 0;
    ASSERT_TRUE(store.OffsetToPosition(gapAt, line, column));
    SECEditRange r(line, column, line, column);
    ASSERT_TRUE(store.InsertText(r, L"#", 1));
    ASSERT_TRUE(store.DeleteText(SECEditRange(line, column, r.m_end.m_line, r.m_end.m_column)));
}

TEST(TextStoreSearch, FindTextSeesTheTextWhereverTheGapLies) {
    const std::wstring text = L"ab/*cd*/ /* x\n*/ ab/ * /*\n/";
    for (int gapAt = 0; gapAt <= static_cast<int>(text.size()); ++gapAt) {
        SECEditTextStore store;
        Insert(store, 0, 0, text.c_str());
        PutGap(store, gapAt);
        for (const wchar_t* pattern : {L"/*", L"*/", L"/", L"ab/", L" /* x\n"}) {
            const int n = static_cast<int>(std::wcslen(pattern));
            for (int from = 0; from <= static_cast<int>(text.size()); ++from)
                for (int to : {from + n - 1, from + n, static_cast<int>(text.size())}) {
                    size_t expected = text.find(pattern, from);
                    if (expected != std::wstring::npos && static_cast<int>(expected) + n > to)
                        expected = std::wstring::npos;
                    ASSERT_EQ(store.FindText(pattern, n, from, to),
                              expected == std::wstring::npos ? -1 : static_cast<int>(expected))
                        << "gap " << gapAt << " pattern " << CString(pattern).ToMultiByte(CP_UTF8)
                        << " in [" << from << ", " << to << ")";
                }
        }
    }
}

TEST(TextStoreSearch, LineOfOffsetFromAnyEarlierLine) {
    SECEditTextStore store;
    std::wstring text;
    for (int i = 0; i < 300; ++i)
        text += std::wstring(i % 7, L'x') + L"\n";
    Insert(store, 0, 0, text.c_str());
    PutGap(store, 100); // lines behind the edit are found again on demand
    for (int offset = 0; offset <= store.TextLength(); offset += 3) {
        int line = 0, column = 0;
        ASSERT_TRUE(store.OffsetToPosition(offset, line, column));
        for (int from : {0, line / 2, std::max(0, line - 1), line})
            ASSERT_EQ(store.LineOfOffset(offset, from), line) << offset << " from " << from;
        // A start line behind the offset still gives the right line.
        ASSERT_EQ(store.LineOfOffset(offset, store.GetLineCount() - 1), line) << offset;
    }
    EXPECT_EQ(store.LineOfOffset(-1, 0), -1);
    EXPECT_EQ(store.LineOfOffset(store.TextLength() + 1, 0), -1);
}

TEST(TextStore, LengthsWithoutTerminatorsFollowEditsAndTerminators) {
    SECEditTextStore store;
    Insert(store, 0, 0, L"ab\rcd\r\nef");
    EXPECT_EQ(store.GetLineTextLength(0), 2); // up to the first CR
    EXPECT_EQ(store.GetLineTextLength(1), 2);
    Insert(store, 0, 0, L"xy");
    EXPECT_EQ(store.GetLineTextLength(0), 4);
    store.SetAltLineTerminator(0); // CR no longer ends the measured length
    EXPECT_EQ(store.GetLineTextLength(0), 8);
    EXPECT_EQ(store.GetLineTextLength(1), 2);
    store.SetAltLineTerminator(L'\r');
    EXPECT_TRUE(store.DeleteText(SECEditRange(0, 0, 0, 5)));
    EXPECT_EQ(store.GetLineTextLength(0), 2);
    EXPECT_EQ(store.GetLineLength(0), 4);
}

// While every carriage return ends a line, lengths are read from the line ends; an edit that
// leaves one inside a line must be seen.
TEST(TextStore, CarriageReturnsLeftInsideALineByEdits) {
    struct Case {
        const char* name;
        const wchar_t* text;
        int line, column, endLine, endColumn; // deleted, or an insertion of `insert` when equal
        const wchar_t* insert;
        int expected; // line 0's length without terminators afterwards
    } const cases[] = {
        {"line feed deleted", L"ab\r\ncd\r\n", 0, 3, 1, 0, nullptr, 2},
        {"text between", L"ab\r\ncd", 0, 3, 0, 3, L"xy", 2},
        {"return inserted", L"ab\r\ncd", 0, 1, 0, 1, L"\r", 1},
        {"pair inserted", L"ab\r\ncd", 0, 1, 0, 1, L"\r\n", 1},
        {"return at the end", L"ab\r", 0, 3, 0, 3, L"c", 2},
        {"nothing lone", L"ab\r\ncd", 1, 2, 1, 2, L"\r\n", 2},
    };
    for (const Case& c : cases) {
        SECEditTextStore store;
        Insert(store, 0, 0, c.text);
        EXPECT_EQ(store.GetLineTextLength(0), 2) << c.name;
        if (c.insert)
            Insert(store, c.line, c.column, c.insert);
        else
            EXPECT_TRUE(store.DeleteText(SECEditRange(c.line, c.column, c.endLine, c.endColumn)));
        EXPECT_EQ(store.GetLineTextLength(0), c.expected) << c.name;
        for (int line = 0; line < store.GetLineCount(); ++line) {
            // Against a plain count of the line's characters up to a CR or LF.
            const wchar_t* p = nullptr;
            const int n = store.GetTextPointer(&p, line, 0, -1, -1);
            int expected = 0;
            while (expected < n && p[expected] != L'\r' && p[expected] != L'\n')
                ++expected;
            EXPECT_EQ(store.GetLineTextLength(line), expected) << c.name << " line " << line;
        }
    }
}

} // namespace

namespace {

// The offset of each line's start in a plain string, for checking the store against.
std::vector<int> StartsOf(const std::wstring& text) {
    std::vector<int> starts(1, 0);
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == L'\n')
            starts.push_back(static_cast<int>(i + 1));
    return starts;
}

// Edits inside lines and edits that add or join lines, at random places, with the lines asked
// for in random order in between: the starts owed a shift by the edits inside a line, and
// those found again behind the others, must always give the plain string's lines.
TEST(TextStore, RandomEditsAndQueriesKeepEveryLineStart) {
    std::mt19937 rng(1210);
    SECEditTextStore store;
    std::wstring text;
    for (int i = 0; i < 400; ++i)
        text += std::wstring(i % 9, L'a') + L"\n";
    Insert(store, 0, 0, text.c_str());
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (int step = 0; step < 3000; ++step) {
        const std::vector<int> starts = StartsOf(text);
        const int lines = static_cast<int>(starts.size());
        const int line = pick(lines);
        const int lineEnd = line + 1 < lines ? starts[line + 1] - 1 : static_cast<int>(text.size());
        const int length = lineEnd - starts[line];
        const int column = pick(length + 1);
        const int at = starts[line] + column;
        switch (pick(4)) {
        case 0:
        case 1: {
            const wchar_t* piece = pick(6) == 0 ? L"x\ny" : L"zz";
            Insert(store, line, column, piece);
            text.insert(size_t(at), piece);
            break;
        }
        default: {
            // Within the line mostly; now and then across its end into the next.
            int end = at + pick(length - column + 1);
            if (pick(6) == 0 && line + 1 < lines)
                end = starts[line + 1] + pick(2);
            end = std::min(end, static_cast<int>(text.size()));
            int endLine = 0, endColumn = 0;
            ASSERT_TRUE(store.OffsetToPosition(end, endLine, endColumn)) << step;
            ASSERT_TRUE(store.DeleteText(SECEditRange(line, column, endLine, endColumn))) << step;
            text.erase(size_t(at), size_t(end - at));
            break;
        }
        }
        const std::vector<int> now = StartsOf(text);
        ASSERT_EQ(store.GetLineCount(), static_cast<int>(now.size())) << step;
        for (int probe = 0; probe < 4; ++probe) {
            const int l = pick(static_cast<int>(now.size()));
            ASSERT_EQ(store.PositionToOffset(l, 0), now[l]) << "step " << step << " line " << l;
            const int offset = pick(static_cast<int>(text.size()) + 1);
            int gotLine = -1, gotColumn = -1;
            ASSERT_TRUE(store.OffsetToPosition(offset, gotLine, gotColumn)) << step;
            const int expected =
                static_cast<int>(std::upper_bound(now.begin(), now.end(), offset) - now.begin()) -
                1;
            ASSERT_EQ(gotLine, expected) << "step " << step << " offset " << offset;
            ASSERT_EQ(gotColumn, offset - now[expected]) << step;
            ASSERT_EQ(store.LineOfOffset(offset, pick(expected + 1)), expected) << step;
        }
    }
    EXPECT_EQ(All(store), CString(text.c_str()));
}

// Typing on one line and then on lines further on, as a Replace All does: the lines behind
// are never searched for again, however far the table is known.
TEST(TextStore, EditsInsideLinesFindNoLineAgain) {
    SECEditTextStore store;
    std::wstring text;
    for (int i = 0; i < 20000; ++i)
        text += L"int value = 1;\n";
    Insert(store, 0, 0, text.c_str());
    ASSERT_EQ(store.PositionToOffset(20000, 0), static_cast<int>(text.size()));
    const int64_t before = store.GetLinesRescanned();
    for (int line = 0; line < 20000; line += 7) {
        Insert(store, line, 4, L"ab");
        ASSERT_TRUE(store.DeleteText(SECEditRange(line, 0, line, 1)));
        ASSERT_EQ(store.PositionToOffset(20000, 0), static_cast<int>(text.size()) + line / 7 + 1);
    }
    for (int line = 19999; line >= 0; line -= 1000)
        Insert(store, line, 0, L"q");
    EXPECT_EQ(store.GetLinesRescanned() - before, 0);
    // Edits down the text and back up again, as undoing them goes: each moves the starts
    // between it and the one before, never all that lie behind.
    const int64_t shifted = store.GetLinesShifted();
    for (int line = 0; line < 20000; line += 50)
        Insert(store, line, 1, L"u");
    for (int line = 19950; line >= 0; line -= 50)
        ASSERT_TRUE(store.DeleteText(SECEditRange(line, 1, line, 2)));
    EXPECT_LE(store.GetLinesShifted() - shifted, 3 * 20000);
    EXPECT_EQ(store.PositionToOffset(1, 0), 16); // line 0 gained two characters and lost one
}

} // namespace
