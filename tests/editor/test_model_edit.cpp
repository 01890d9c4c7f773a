// The text model's transactions, notifications and per-line data.
#include "editor_test_support.h"

#include <gtest/gtest.h>

namespace {

using edtest::TestModel;
using edtest::TextOf;

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override { model.ResetDocument(); }
    void Type(int line, int column, const wchar_t* text) {
        ASSERT_TRUE(model.InsertTextAt(line, column, text));
    }
    TestModel model;
    edtest::TempDir dir;
};

TEST_F(ModelTest, UndoToTheSavedTextIsUnmodifiedAndANewEditAfterwardsIsNot) {
    Type(0, 0, L"abc");
    const std::wstring path = dir.Path(L"a.txt");
    ASSERT_TRUE(model.SaveFile(path.c_str()));
    EXPECT_FALSE(model.IsModified());
    Type(0, 3, L"d");
    EXPECT_TRUE(model.IsModified());
    model.Undo();
    EXPECT_FALSE(model.IsModified());
    // Undo past the save, then edit: the saved command is gone, and a new command may take
    // its address. The text differs from the file, so it must stay modified.
    model.Undo();
    EXPECT_TRUE(model.IsModified());
    for (int i = 0; i < 20; ++i) {
        Type(0, 0, L"x");
        EXPECT_TRUE(model.IsModified()) << i;
        model.Undo();
    }
}

TEST_F(ModelTest, NestedCompoundStepsStayOneStep) {
    Type(0, 0, L"base");
    model.BeginCompound(1);
    Type(0, 4, L"1");
    model.BeginCompound(1); // an inner operation opens its own step
    Type(0, 5, L"2");
    ASSERT_TRUE(model.DeleteText(0, 0, 0, 1));
    model.EndCompound();
    Type(0, 5, L"3"); // still inside the outer step
    model.EndCompound();
    EXPECT_EQ(TextOf(model), L"ase123");
    EXPECT_EQ(model.GetUndoCount(), 2);
    model.Undo();
    EXPECT_EQ(TextOf(model), L"base");
    model.Redo();
    EXPECT_EQ(TextOf(model), L"ase123");
}

// Logging a command that the open step already holds must leave it there, alive: the step
// owns it and runs it again on undo.
TEST_F(ModelTest, LoggingAMemberOfTheOpenStepAgainKeepsIt) {
    struct Watched : corvalis::foundation::CMvcCommand {
        explicit Watched(bool& deleted) : m_deleted(deleted) {}
        ~Watched() override { m_deleted = true; }
        bool& m_deleted;
    };
    bool deleted = false;
    auto* command = new Watched(deleted);
    model.BeginCompound(1);
    model.Log(command);
    model.Log(command);
    ASSERT_FALSE(deleted);
    model.EndCompound();
    EXPECT_EQ(model.GetUndoCount(), 1);
    EXPECT_NE(model.Undo(), nullptr);
    EXPECT_FALSE(deleted);
    model.ClearTransactions();
    EXPECT_TRUE(deleted);
}

TEST_F(ModelTest, MergeWithLastMakesOneStep) {
    Type(0, 0, L"a");
    auto* extra = new SECEditCommand(&model, TRUE);
    extra->m_range = SECEditRange(0, 1, 0, 1);
    extra->m_text = L"b";
    ASSERT_TRUE(extra->Execute());
    ASSERT_TRUE(model.MergeWithLast(extra, FALSE));
    EXPECT_EQ(TextOf(model), L"ab");
    model.Undo();
    EXPECT_EQ(TextOf(model), L"");
}

TEST_F(ModelTest, DeletionReadsItsTextSoThatUndoRestoresIt) {
    Type(0, 0, L"one\ntwo\nthree");
    ASSERT_TRUE(model.DeleteText(0, 2, 2, 1));
    EXPECT_EQ(TextOf(model), L"onhree");
    model.Undo();
    EXPECT_EQ(TextOf(model), L"one\ntwo\nthree");
    EXPECT_FALSE(model.DeleteText(0, 0, 7, 0));
    EXPECT_FALSE(model.InsertTextAt(9, 0, L"x"));
    EXPECT_EQ(model.GetUndoCount(), 1);
}

TEST_F(ModelTest, EditsAreSentToObserversAndMarkChangedLines) {
    edtest::RecordingObserver observer;
    model.AddObserver(&observer);
    Type(0, 0, L"a\nb\nc");
    EXPECT_EQ(observer.Count(SECEDIT_HINT_COMMAND), 1);
    EXPECT_TRUE(model.GetLineFlag(2, SECEDIT_FLAG_CHANGED));
    model.SetLineFlag(1, 3, TRUE);
    EXPECT_EQ(observer.Count(SECEDIT_HINT_GUTTER), 1);
    model.SetReadOnly(TRUE);
    const size_t before = observer.entries.size();
    model.SetReadOnly(TRUE); // no change, no message
    EXPECT_EQ(observer.entries.size(), before);
    model.RemoveObserver(&observer);
    EXPECT_EQ(observer.refs, 0);
}

TEST_F(ModelTest, LineDataMovesWithTheLineWhenTextGoesInAtColumnZero) {
    Type(0, 0, L"  first\nsecond");
    model.SetLineValue(1, 42);
    Type(1, 0, L"new\n"); // at column 0: the data moves down with "second"
    EXPECT_EQ(model.GetLineValue(2), 42);
    EXPECT_EQ(model.GetLineValue(1), 0);
    model.SetLineValue(0, 7);
    Type(0, 4, L"x\n"); // behind the indentation: the data stays on the first line
    EXPECT_EQ(model.GetLineValue(0), 7);
    EXPECT_EQ(model.CountFlaggedLines(SECEDIT_FLAG_CHANGED), model.GetLineCount());
}

TEST_F(ModelTest, FlagsAreFoundAndClearedOnEveryLineIncludingTheStart) {
    Type(0, 0, L"0\n1\n2\n3\n4");
    model.ClearFlagEverywhere(SECEDIT_FLAG_CHANGED);
    EXPECT_EQ(model.CountFlaggedLines(SECEDIT_FLAG_CHANGED), 0);
    model.SetLineFlag(0, 5, TRUE);
    model.SetLineFlag(3, 5, TRUE);
    EXPECT_EQ(model.FindFlaggedLine(0, 5, TRUE), 3);
    EXPECT_EQ(model.FindFlaggedLine(3, 5, TRUE), 0); // wraps
    EXPECT_EQ(model.FindFlaggedLine(0, 5, FALSE), 3);
    EXPECT_EQ(model.FindFlaggedLine(0, 6, TRUE), -1);
    EXPECT_EQ(model.FindFlaggedLine(9, 5, TRUE), -1);
    for (int before : {-1, -7}) { // a start before the first line searches the whole text
        EXPECT_EQ(model.FindFlaggedLine(before, 5, TRUE), 0) << before;
        EXPECT_EQ(model.FindFlaggedLine(before, 5, FALSE), 3) << before;
    }
    model.ClearFlagEverywhere(5);
    EXPECT_EQ(model.CountFlaggedLines(5), 0);
    EXPECT_FALSE(model.GetLineFlag(0, 5));
    EXPECT_EQ(model.FindFlaggedLine(-1, 5, TRUE), -1); // no endless search
}

TEST_F(ModelTest, GivenDisplayInformationIsKept) {
    auto info = std::make_unique<SECEditDisplayInfo>();
    SECEditDisplayInfo* given = info.get();
    model.SetDisplayInfo(std::move(info));
    EXPECT_EQ(model.GetDisplayInfo(), given);
    EXPECT_EQ(given->GetCharWidth(), 8); // never measured: still usable
    EXPECT_EQ(given->GetLineHeight(), 12);
}

// A new document measures the font again only when the configuration's font changed, and
// never keeps a caller's display information as its own.
TEST_F(ModelTest, ANewDocumentKeepsTheMeasuredFontUntilTheConfigurationChangesIt) {
    SECEditDisplayInfo* first = model.GetDisplayInfo();
    ASSERT_NE(first, nullptr);
    model.SetText(L"a\nb");
    EXPECT_EQ(model.GetDisplayInfo(), first);
    SECEditLangConfig* config = model.GetLangConfig();
    ASSERT_NE(config, nullptr);
    const int size = config->GetSize();
    config->SetSize(size + 4);
    model.ResetDocument();
    SECEditDisplayInfo* larger = model.GetDisplayInfo();
    EXPECT_EQ(larger->GetPointSize(), size + 4);
    config->SetSize(size);
    model.SetDisplayInfo(std::make_unique<SECEditDisplayInfo>());
    model.ResetDocument();
    EXPECT_EQ(model.GetDisplayInfo()->GetPointSize(), size);
}

TEST_F(ModelTest, TypingIntoAFullLineBreaksItInTheSameStep) {
    const std::wstring full(2048, L'x');
    Type(0, 0, full.c_str());
    EXPECT_EQ(model.GetLineCount(), 1);
    Type(0, 100, L"y");
    ASSERT_EQ(model.GetLineCount(), 2);
    EXPECT_EQ(model.GetLineTextLength(0), 101);
    EXPECT_EQ(model.GetLineTextLength(1), 1948);
    model.Undo();
    EXPECT_EQ(TextOf(model), full);
}

TEST_F(ModelTest, TabArithmetic) {
    model.GetLangConfig()->SetTabSize(4);
    Type(0, 0, L"a\tbc\td");
    EXPECT_EQ(model.CharToDisplayColumn(2, 0, 0, nullptr), 4);
    EXPECT_EQ(model.CharToDisplayColumn(5, 0, 0, nullptr), 8);
    int snapped = -1;
    EXPECT_EQ(model.CharToDisplayColumn(2, 1, 0, &snapped), 1); // inside the first tab
    EXPECT_EQ(snapped, 1);
    EXPECT_EQ(model.CharToDisplayColumn(5, 1, 0, &snapped), 3);
    EXPECT_EQ(model.CharToDisplayColumn(50, 1, 0, &snapped), 6);
    EXPECT_EQ(snapped, 9);
    EXPECT_EQ(model.TabSpan(0, 2), 4);
    EXPECT_EQ(model.TabSpan(0, 3), 3);
    CString ws;
    model.MakeWhitespace(ws, 2, 0, 3, FALSE);
    EXPECT_EQ(ws, L"  ");
    model.MakeWhitespace(ws, 9, 0, 3, FALSE);
    EXPECT_EQ(ws, L"\t\t  ");
    model.GetLangConfig()->SetTabSize(0); // rejected: tab arithmetic divides by it
    EXPECT_GE(model.GetLangConfig()->GetTabSize(), 1);
    model.GetLangConfig()->SetTabSize(4);
}

} // namespace

namespace {

// An edit on a text that fits the width limit; afterwards every line fits again, no break
// splits a surrogate pair, and one undo gives the text back.
struct WideEdit {
    const char* name;
    std::wstring before;
    bool insert;
    SECEditRange range; // where to insert, or what to delete
    std::wstring text;  // what is inserted
};

std::wstring Times(int n, const wchar_t* piece) {
    std::wstring out;
    for (int i = 0; i < n; ++i)
        out += piece;
    return out;
}

const wchar_t kGrin[] = L"\xD83D\xDE00"; // U+1F600

std::vector<WideEdit> WideEdits() {
    const std::wstring pairLine = Times(2047, L"p") + L"\xD83D\n\xDE00" + Times(100, L"q");
    return {
        {"pair typed at the end of a 2047-column line", Times(2047, L"a"), true,
         SECEditRange(0, 2047, 0, 2047), kGrin},
        {"lone CR then 7000 columns", L"", true, SECEditRange(), L"\r" + Times(7000, L"x")},
        {"line break and 1788 columns typed at column 1743", Times(2048, L"v"), true,
         SECEditRange(0, 1743, 0, 1743), L"\r\n" + Times(1788, L"w")},
        {"pasted line of pairs, each across a break column", L"tail", true, SECEditRange(),
         L"a" + Times(5, (Times(2046, L"z") + kGrin).c_str())},
        {"tabs typed in front of a full line", Times(2040, L"t"), true, SECEditRange(),
         Times(9, L"\t")},
        {"two full lines joined", Times(2000, L"p") + L"\n" + Times(2000, L"q"), false,
         SECEditRange(0, 2000, 1, 0), L""},
        {"halves of a pair joined at the break column", pairLine, false,
         SECEditRange(0, 2048, 1, 0), L""},
    };
}

TEST_F(ModelTest, EditsLeaveEveryLineWithinTheWidthLimit) {
    model.GetLangConfig()->SetTabSize(4);
    for (const WideEdit& c : WideEdits()) {
        SCOPED_TRACE(c.name);
        model.ResetDocument();
        Type(0, 0, c.before.c_str());
        ASSERT_EQ(edtest::CheckBrokenCopy(TextOf(model), c.before), "");
        model.ClearUndo();
        std::wstring expected = c.before;
        const int from = model.PositionToOffset(c.range.m_start.m_line, c.range.m_start.m_column);
        if (c.insert) {
            SECEditRange at = c.range;
            ASSERT_TRUE(model.InsertText(at, c.text.c_str(), static_cast<int>(c.text.size())));
            expected.insert(from, c.text);
        } else {
            const int to = model.PositionToOffset(c.range.m_end.m_line, c.range.m_end.m_column);
            ASSERT_TRUE(model.DeleteText(c.range.m_start.m_line, c.range.m_start.m_column,
                                         c.range.m_end.m_line, c.range.m_end.m_column));
            expected.erase(from, to - from);
        }
        EXPECT_EQ(edtest::CheckBrokenCopy(TextOf(model), expected), "");
        ASSERT_NE(model.Undo(), nullptr);
        EXPECT_TRUE(TextOf(model) == c.before);
        EXPECT_EQ(model.Undo(), nullptr); // the edit and its breaks were one step
    }
}

} // namespace

namespace {

// A Replace All over a large file as the model sees it: a deletion and an insertion on every
// tenth line inside one step, undone and redone. Each edit may cost the lines between it and
// the next; the lines behind it found again at each edit would be millions here.
TEST_F(ModelTest, ReplacingOnEveryTenthLineCostsEachLineOnceAStep) {
    constexpr int kLines = 100000;
    std::wstring text;
    for (int i = 0; i < kLines; ++i)
        text += i % 10 == 0 ? L"    int value = needle + other;\n"
                            : L"    int value = count + other;\n";
    model.SetText(text.c_str(), static_cast<int>(text.size()));
    const int64_t before = model.GetStore()->GetLinesRescanned();
    model.BeginCompound(1);
    for (int line = 0; line < kLines; line += 10) {
        ASSERT_TRUE(model.DeleteText(line, 16, line, 22));
        ASSERT_TRUE(model.InsertTextAt(line, 16, L"thread"));
    }
    model.EndCompound();
    EXPECT_EQ(model.GetUndoCount(), 1);
    std::wstring replaced = text;
    for (size_t at = replaced.find(L"needle"); at != std::wstring::npos;
         at = replaced.find(L"needle", at))
        replaced.replace(at, 6, L"thread");
    EXPECT_EQ(TextOf(model), replaced);
    model.Undo();
    EXPECT_EQ(TextOf(model), text);
    model.Redo();
    EXPECT_EQ(TextOf(model), replaced);
    EXPECT_LT(model.GetStore()->GetLinesRescanned() - before, int64_t(4) * kLines);
}

} // namespace
