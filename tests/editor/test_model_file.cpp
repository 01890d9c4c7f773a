// Files load and save byte for byte; loading is not an edit.
#include "editor_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>

namespace {

using edtest::ReadBytes;
using edtest::TestModel;
using edtest::TextOf;
using edtest::WriteBytes;

struct RoundTrip {
    const char* name;
    std::string bytes;
};

std::string Utf16(const std::wstring& text) {
    std::string out("\xFF\xFE", 2);
    out.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    return out;
}

std::vector<RoundTrip> Cases() {
    std::vector<RoundTrip> cases = {
        {"8-bit with LF", "int main()\n{\n\treturn 0;\n}\n"},
        {"8-bit with CR LF", "line one\r\nline two\r\n"},
        {"last line without terminator", "a\nb\nlast"},
        {"empty file", ""},
        {"non-ASCII 8-bit", "caf\xC3\xA9 na\xC3\xAFve\n"},
        {"UTF-16 with BOM", Utf16(L"x = \x3b1 + \x3b2;\r\n// \x6f22\x5b57\r\nend")},
        {"UTF-16 empty", Utf16(L"")},
        {"UTF-16 surrogate pair", Utf16(L"\xD83D\xDE00 smile\n")},
        {"a two-byte character across the first read chunk's end", ""},
        {"long 8-bit file over several read chunks", ""},
    };
    // 5119 lines of 100 bytes and 99 more bytes: the character's first byte ends the chunk.
    std::string& split = cases[cases.size() - 2].bytes;
    for (int i = 0; i < 5119; ++i)
        split += std::string(99, 'a') + "\n";
    split += std::string(99, 'a') + "\xC3\xA9 tail\n";
    std::string& big = cases.back().bytes;
    for (int i = 0; big.size() < 1300000; ++i)
        big += "static int value_" + std::to_string(i) + " = " + std::to_string(i * 7) + ";\r\n";
    return cases;
}

class FileRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(FileRoundTrip, LoadsAndSavesByteForByte) {
    const RoundTrip c = GetParam();
    edtest::TempDir dir;
    const std::wstring in = dir.Path(L"in.txt"), out = dir.Path(L"out.txt");
    WriteBytes(in, c.bytes);
    TestModel model;
    model.IsUnicodeFile(in.c_str());
    ASSERT_TRUE(model.OpenFile(in.c_str())) << c.name;
    EXPECT_FALSE(model.IsModified()) << c.name;
    EXPECT_EQ(model.Undo(), nullptr) << c.name; // loading is nothing to undo
    EXPECT_EQ(TextOf(model).empty(), c.bytes.empty() || c.bytes.size() == 2) << c.name;
    ASSERT_TRUE(model.SaveFile(out.c_str())) << c.name;
    EXPECT_TRUE(ReadBytes(out) == c.bytes) << c.name;
    EXPECT_TRUE(model.messages.empty()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Files, FileRoundTrip, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<RoundTrip>& info) {
                             return "case" + std::to_string(info.index);
                         });

TEST(ModelFile, AVeryLongLineIsBrokenAtColumn2048) {
    edtest::TempDir dir;
    const std::wstring in = dir.Path(L"long.txt");
    WriteBytes(in, std::string(3000, 'q'));
    TestModel model;
    model.IsUnicodeFile(in.c_str());
    ASSERT_TRUE(model.OpenFile(in.c_str()));
    ASSERT_EQ(model.GetLineCount(), 2);
    EXPECT_EQ(model.GetLineTextLength(0), 2048);
    EXPECT_EQ(model.GetLineTextLength(1), 952);
    EXPECT_EQ(model.Undo(), nullptr);
}

// Files of one huge line, broken on the way in: the text is the file's with line breaks put
// in, every line fits the width limit, and no break splits a surrogate pair, also where the
// pair straddles two pieces of the read.
TEST(ModelFile, WideLinesAreBrokenWithoutSplittingPairs) {
    struct Case {
        const char* name;
        bool unicode;
        std::wstring text;
    };
    const std::wstring grin = L"\xD83D\xDE00";
    auto times = [](int n, const std::wstring& piece) {
        std::wstring out;
        for (int i = 0; i < n; ++i)
            out += piece;
        return out;
    };
    const Case cases[] = {
        {"pair at the break column", true, times(2047, L"a") + grin + times(10, L"b")},
        {"pair across two pieces of the read", true,
         times(255999, L"x") + grin + times(3000, L"y")},
        {"pairs throughout", true, times(3000, L"c" + grin)},
        {"8-bit with tabs", false, times(20000, L"ab\tc") + L"\n" + times(30, L"short\n")},
        {"8-bit lone CR before a long run", false, L"\r" + times(7000, L"x")},
    };
    edtest::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = dir.Path(L"wide.txt");
        std::string bytes = c.unicode ? "\xFF\xFE" : "";
        for (wchar_t ch : c.text) {
            if (c.unicode)
                bytes += static_cast<char>(ch & 0xFF), bytes += static_cast<char>(ch >> 8);
            else
                bytes += static_cast<char>(ch);
        }
        WriteBytes(path, bytes);
        TestModel model;
        model.IsUnicodeFile(path.c_str());
        ASSERT_TRUE(model.OpenFile(path.c_str()));
        ASSERT_EQ(model.GetLangConfig()->GetTabSize(), 4);
        EXPECT_EQ(edtest::CheckBrokenCopy(TextOf(model), c.text), "");
        EXPECT_GT(model.GetLineCount(), 1);
        EXPECT_TRUE(model.IsModified()); // the breaks are not in the file
        EXPECT_EQ(model.Undo(), nullptr);
        ASSERT_TRUE(model.InsertTextAt(0, 0, L"e"));
        ASSERT_NE(model.Undo(), nullptr);
        EXPECT_TRUE(model.IsModified()); // undoing an edit does not bring the file back
    }
}

TEST(ModelFile, SixHundredTabsBreakAtTheFiveHundredTwelfth) {
    edtest::TempDir dir;
    const std::wstring in = dir.Path(L"tabs.txt");
    WriteBytes(in, std::string(600, '\t'));
    TestModel model;
    model.GetLangConfig(); // nothing yet: the reset picks "Default" with tab size 4
    model.IsUnicodeFile(in.c_str());
    ASSERT_TRUE(model.OpenFile(in.c_str()));
    ASSERT_EQ(model.GetLangConfig()->GetTabSize(), 4);
    ASSERT_EQ(model.GetLineCount(), 2);
    EXPECT_EQ(model.GetLineTextLength(0), 512);
}

TEST(ModelFile, BigEndianMarkStaysWithThe8BitReader) {
    edtest::TempDir dir;
    const std::wstring in = dir.Path(L"be.txt");
    WriteBytes(in, "\xFE\xFFz");
    TestModel model;
    EXPECT_FALSE(model.IsUnicodeFile(in.c_str()));
    ASSERT_TRUE(model.OpenFile(in.c_str()));
    EXPECT_EQ(model.GetLineTextLength(0), 3); // nothing taken for a byte-order mark
}

TEST(ModelFile, UnicodeReaderWithoutMarkDoesNotEatACharacter) {
    edtest::TempDir dir;
    const std::wstring in = dir.Path(L"plain.txt");
    WriteBytes(in, "plain");
    TestModel model; // reads as UTF-16 unless told otherwise
    ASSERT_TRUE(model.OpenFile(in.c_str()));
    EXPECT_EQ(TextOf(model), L"plain");
}

TEST(ModelFile, OddLengthUtf16IsRefusedNotTruncated) {
    edtest::TempDir dir;
    const std::wstring in = dir.Path(L"odd.txt");
    WriteBytes(in, std::string("\xFF\xFE"
                               "a\0b",
                               5));
    TestModel model;
    model.IsUnicodeFile(in.c_str());
    EXPECT_FALSE(model.OpenFile(in.c_str()));
    ASSERT_EQ(model.messages.size(), 1u);
    EXPECT_EQ(model.messages[0], L"Unable to Open File");
    EXPECT_EQ(TextOf(model), L"");
}

// A file too large for the memory left is a file that cannot be opened, not a crash: the
// store here runs out of memory on the first large piece of text it is given.
TEST(ModelFile, RunningOutOfMemoryWhileReadingIsAFailedOpen) {
    class StarvedStore : public SECEditTextStore {
    public:
        int AppendLines(const wchar_t* text, int length, SECEditLineBreaker& breaker) override {
            if (length > 1000)
                throw std::bad_alloc();
            return SECEditTextStore::AppendLines(text, length, breaker);
        }
    };
    class StarvedModel : public TestModel {
    protected:
        std::unique_ptr<SECEditTextStore> CreateStore() override {
            return std::make_unique<StarvedStore>();
        }
    };
    edtest::TempDir dir;
    const std::wstring ansi = dir.Path(L"big8.txt"), wide = dir.Path(L"big16.txt");
    WriteBytes(ansi, std::string(5000, 'a'));
    WriteBytes(wide, "\xFF\xFE" + std::string(10000, '\0'));
    for (const std::wstring& path : {ansi, wide}) {
        SCOPED_TRACE(CString(path.c_str()).ToMultiByte(CP_UTF8));
        StarvedModel model;
        model.IsUnicodeFile(path.c_str());
        EXPECT_FALSE(model.OpenFile(path.c_str()));
        ASSERT_EQ(model.messages.size(), 1u);
        EXPECT_EQ(model.messages[0], L"Unable to Open File");
        EXPECT_EQ(TextOf(model), L"");
    }
}

TEST(ModelFile, MissingFileIsReported) {
    edtest::TempDir dir;
    TestModel model;
    model.ResetDocument();
    EXPECT_FALSE(model.OpenFile(dir.Path(L"nothing.txt").c_str()));
    EXPECT_EQ(model.messages.size(), 1u);
}

TEST(ModelFile, SavingOverAReadOnlyFileLeavesItAlone) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"ro.txt");
    WriteBytes(path, "original");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    TestModel model;
    model.ResetDocument();
    model.SetUnicode(FALSE);
    model.InsertTextAt(0, 0, L"changed");
    EXPECT_FALSE(model.SaveFile(path.c_str()));
    ASSERT_EQ(model.messages.size(), 1u);
    EXPECT_EQ(model.messages[0],
              CString(L"The file '") + path.c_str() +
                  L"' exists and is read-only. Please save to a different filename.");
    EXPECT_EQ(ReadBytes(path), "original");
    EXPECT_TRUE(model.IsModified());
}

TEST(ModelFile, SavingIntoAMissingFolderFailsCleanly) {
    edtest::TempDir dir;
    TestModel model;
    model.ResetDocument();
    model.InsertTextAt(0, 0, L"text");
    EXPECT_FALSE(model.SaveFile(dir.Path(L"no\\such\\folder.txt").c_str()));
    EXPECT_TRUE(model.IsModified());
    EXPECT_FALSE(model.messages.empty());
}

} // namespace

namespace {

// Under a double-byte code page, a lead byte at the end of a read chunk belongs to the next.
TEST(ModelFile, DoubleByteCharacterAcrossTheChunkEnd) {
    const edtest::ThreadLocale japanese(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    if (!japanese.HasCodePage(932))
        GTEST_SKIP() << "the thread's code page does not follow a Japanese locale";
    std::string bytes;
    for (int i = 0; i < 5119; ++i)
        bytes += std::string(99, 'a') + "\n";
    bytes += std::string(99, 'a') + "\x82\xA0 tail\n"; // HIRAGANA A, lead byte last in chunk
    edtest::TempDir dir;
    const std::wstring in = dir.Path(L"sjis.txt"), out = dir.Path(L"sjis_out.txt");
    WriteBytes(in, bytes);
    TestModel model;
    model.SetUnicode(FALSE);
    const BOOL opened = model.OpenFile(in.c_str());
    const BOOL saved = opened && model.SaveFile(out.c_str());
    CString last;
    model.GetText(last, 5119, 99, 5119, 100);
    ASSERT_TRUE(opened);
    ASSERT_TRUE(saved);
    EXPECT_EQ(last, L"\x3042");
    EXPECT_TRUE(ReadBytes(out) == bytes);
}

} // namespace

namespace {

TEST(ModelFile, CharactersTheCodePageCannotHoldAreNotSavedAsQuestionMarks) {
    const edtest::ThreadLocale english(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (!english.HasCodePage(1252))
        GTEST_SKIP() << "the thread's code page does not follow an English locale";
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"lossy.txt");
    WriteBytes(path, "before");
    TestModel model;
    model.ResetDocument();
    model.SetUnicode(FALSE);
    model.InsertTextAt(0, 0, L"kanji \x6f22 here");
    EXPECT_FALSE(model.SaveFile(path.c_str()));
    EXPECT_EQ(ReadBytes(path), "before");
    EXPECT_TRUE(model.IsModified());
    ASSERT_EQ(model.messages.size(), 1u);
    model.SetUnicode(TRUE); // as UTF-16 it fits
    EXPECT_TRUE(model.SaveFile(path.c_str()));
}

} // namespace

namespace {

// The model says at load whether a save would write the same bytes back.
TEST(ModelFile, ReportsWhetherAn8BitFileConvertedExactly) {
    const edtest::ThreadLocale japanese(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    if (!japanese.HasCodePage(932))
        GTEST_SKIP() << "the thread's code page does not follow a Japanese locale";
    struct Case {
        const char* bytes;
        bool exact;
    };
    const Case cases[] = {
        {"plain\r\n\x82\xA0 kana\r\n", true}, {"", true},
        {"lead byte last\x82", false},        {"bad trail \x82\x20 here", false},
        {"bad trail \x81\x7F here", false},
    };
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"exact.txt");
    for (const Case& c : cases) {
        WriteBytes(path, c.bytes);
        TestModel model;
        model.SetUnicode(FALSE);
        ASSERT_TRUE(model.OpenFile(path.c_str())) << c.bytes;
        EXPECT_EQ(model.IsTextExact() != FALSE, c.exact) << c.bytes;
        if (c.exact) {
            ASSERT_TRUE(model.SaveFile(path.c_str()));
            EXPECT_EQ(ReadBytes(path), c.bytes);
        }
    }
    // A UTF-16 file is always kept as it is; a new load starts afresh.
    TestModel model;
    WriteBytes(path, "x\x82");
    model.SetUnicode(FALSE);
    model.OpenFile(path.c_str());
    EXPECT_FALSE(model.IsTextExact());
    WriteBytes(path, std::string("\xFF\xFE"
                                 "a\0\x00\xD8",
                                 6));
    model.SetUnicode(TRUE);
    ASSERT_TRUE(model.OpenFile(path.c_str()));
    EXPECT_TRUE(model.IsTextExact());
}

} // namespace

// Setting the text of a model breaks over-wide lines exactly as loading the same text from a
// file does, and in one pass: lines of megabytes come in as fast as they load. Loading a text
// from memory gives the file's model outright: the same lines, no undo step, modified only
// when lines were broken.
TEST(ModelFile, SetTextBreaksWideLinesLikeTheFileLoad) {
    struct Case {
        const char* name;
        std::wstring text;
    };
    auto times = [](int n, const std::wstring& piece) {
        std::wstring out;
        out.reserve(n * piece.size());
        for (int i = 0; i < n; ++i)
            out += piece;
        return out;
    };
    const Case cases[] = {
        {"one line of 3 MB", times(3000000, L"x")},
        {"pairs and tabs on a line of 2 MB", times(400000, L"a\xD83D\xDE00\tb")},
        {"wide CR LF lines among short ones",
         L"head\r\n" + times(700000, L"yz") + L"\r\nmid\r\n" + times(5000, L"w") + L"\r\n"},
        {"short LF lines without a last break", L"1\n2\n\n10"},
    };
    edtest::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = dir.Path(L"wide.txt");
        std::string bytes = "\xFF\xFE";
        bytes.append(reinterpret_cast<const char*>(c.text.data()), c.text.size() * 2);
        WriteBytes(path, bytes);
        TestModel loaded;
        loaded.IsUnicodeFile(path.c_str());
        ASSERT_TRUE(loaded.OpenFile(path.c_str()));
        TestModel set;
        set.SetText(c.text.c_str(), static_cast<int>(c.text.size()));
        ASSERT_EQ(set.GetLineCount(), loaded.GetLineCount());
        EXPECT_TRUE(TextOf(set) == TextOf(loaded));
        EXPECT_EQ(edtest::CheckBrokenCopy(TextOf(set), c.text), "");
        EXPECT_TRUE(set.IsModified());
        EXPECT_EQ(set.Undo(), nullptr);
        TestModel text;
        text.InsertTextAt(0, 0, L"stale\n");
        ASSERT_TRUE(text.LoadText(c.text.c_str(), static_cast<int>(c.text.size())));
        ASSERT_EQ(text.GetLineCount(), loaded.GetLineCount());
        EXPECT_TRUE(TextOf(text) == TextOf(loaded));
        EXPECT_EQ(text.IsModified(), loaded.IsModified());
        EXPECT_EQ(text.Undo(), nullptr);
    }
}
