// Syntax colouring of keywords, numbers, operators and tags, single- and multi-line.
#include "editor/lang_ini.h"
#include "editor_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

namespace {

using Runs = std::vector<std::pair<int, int>>; // (length, group)

const wchar_t kIni[] =
    L"[ColorGroups]\nNumGroups=4\nGroup1=Keyword\nGroup2=Comment\nGroup3=String\n"
    L"Group4=Highlight\n"
    L"[Keywords]\nwhile=Keyword\nreturn=Keyword\npublic:=Keyword\n"
    L"[Parser]\nOperators=+-*/=()\nDelimiters=+-*/=();:\"\nKWEndChars=:\nNumTags=3\n"
    L"[Tag1]\nBeginTag=/*\nEndTag=*/\nMultiLine=1\nColorGroup=Comment\n"
    L"[Tag2]\nBeginTag=//\nColorGroup=Comment\n"
    L"[Tag3]\nBeginTag=\"\nEndTag=\"\nEscapeChar=\\\nColorGroup=String\n";

enum { T = 0, Num = 2, Op = 3, K = 4, C = 5, S = 6, H = 7 };

class Colouring : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring path = dir.Path(L"lang.ini");
        edtest::WriteText(path, kIni);
        auto* reader = new SECEditLangIniReader(path.c_str());
        ASSERT_TRUE(reader->Read(config));
        reader->Release();
        Load(model, L"");
        model.AddObserver(&observer);
    }
    void TearDown() override {
        model.RemoveObserver(&observer);
        config->Release();
    }
    void Load(edtest::TestModel& m, const wchar_t* text) {
        m.SetLangConfig(config);
        m.ResetDocument();
        m.InsertTextAt(0, 0, text);
    }
    static Runs RunsOf(edtest::TestModel& m, int line) {
        Runs runs;
        const SECEditLineColouring* c = m.GetLineColouring(line);
        if (c)
            for (int i = 0; i < c->GetSize(); ++i)
                runs.emplace_back(SegmentLength(c->GetAt(i)), SegmentGroup(c->GetAt(i)));
        return runs;
    }
    edtest::TempDir dir;
    SECEditLangConfig* config = new SECEditLangConfig;
    edtest::TestModel model;
    edtest::RecordingObserver observer;
};

TEST_F(Colouring, KeywordsNumbersAndOperators) {
    model.InsertTextAt(0, 0, L"while (x1 + 0x1F) return;\n\npublic: x");
    EXPECT_EQ(RunsOf(model, 0), (Runs{{5, K},
                                      {1, T},
                                      {1, Op},
                                      {3, T},
                                      {1, Op},
                                      {1, T},
                                      {4, Num},
                                      {1, Op},
                                      {1, T},
                                      {6, K},
                                      {1, T}}));
    EXPECT_EQ(RunsOf(model, 1), (Runs{{0, T}})); // an empty line has one empty run
    // A keyword with the word-end character behind it is looked up with it.
    EXPECT_EQ(RunsOf(model, 2), (Runs{{7, K}, {2, T}}));
}

TEST_F(Colouring, StringsHonourTheirEscapeCharacter) {
    model.InsertTextAt(0, 0, L"s = \"a\\\"b\" + \"c\\\\\" + d\nx // note");
    EXPECT_EQ(RunsOf(model, 0), (Runs{{2, T},
                                      {1, Op},
                                      {1, T},
                                      {6, S},
                                      {1, T},
                                      {1, Op},
                                      {1, T},
                                      {5, S},
                                      {1, T},
                                      {1, Op},
                                      {2, T}}));
    EXPECT_EQ(RunsOf(model, 1), (Runs{{2, T}, {7, C}})); // no end text: to the end of the line
}

TEST_F(Colouring, BlockCommentOverSeveralLines) {
    model.InsertTextAt(0, 0, L"a\nb\nc\nx /* start\nin\n\nside\nend */ y\nz");
    observer.entries.clear();
    EXPECT_EQ(RunsOf(model, 7), (Runs{{6, C}, {2, T}}));
    EXPECT_EQ(RunsOf(model, 3), (Runs{{2, T}, {8, C}}));
    EXPECT_EQ(RunsOf(model, 4), (Runs{{2, C}}));
    EXPECT_EQ(RunsOf(model, 5), (Runs{{0, C}}));
    EXPECT_EQ(RunsOf(model, 6), (Runs{{4, C}}));
    EXPECT_EQ(RunsOf(model, 8), (Runs{{1, T}}));
    ASSERT_EQ(observer.Count(SECEDIT_HINT_LINES), 1);
    EXPECT_EQ(observer.entries[0].first, 3);
    EXPECT_EQ(observer.entries[0].last, 7);
}

TEST_F(Colouring, HighlightFlagWinsUntilItIsCleared) {
    model.InsertTextAt(0, 0, L"while x");
    const Runs normal = RunsOf(model, 0);
    model.SetLineFlag(0, SECEDIT_FLAG_HIGHLIGHT, TRUE);
    EXPECT_EQ(RunsOf(model, 0), (Runs{{7, H}}));
    model.ClearFlagEverywhere(SECEDIT_FLAG_HIGHLIGHT);
    EXPECT_EQ(RunsOf(model, 0), normal);
}

// Finding where a comment ends moves the text's gap over the rest of the line when the gap
// is near and the text behind it long; the words behind the comment must still be read from
// where the line now is. Here the line is coloured again after its highlight mark went.
TEST_F(Colouring, WordsBehindACommentOnALineThatTheGapMovesOver) {
    std::wstring text = L"a /* b */ while x\nX\n";
    // One insertion of this length leaves a gap of a few characters, so later moves overlap.
    const size_t length = 32000 - 5;
    while (text.size() + 7 <= length)
        text += L"filler\n";
    text.append(length - text.size(), L'z');
    const Runs expected{{2, T}, {7, C}, {1, T}, {5, K}, {2, T}};
    model.InsertTextAt(0, 0, text.c_str());
    ASSERT_EQ(RunsOf(model, 0), expected);
    model.InsertTextAt(1, 0, L"Y"); // the gap now sits just behind line 0
    model.SetLineFlag(0, SECEDIT_FLAG_HIGHLIGHT, TRUE);
    model.SetLineFlag(0, SECEDIT_FLAG_HIGHLIGHT, FALSE);
    EXPECT_EQ(RunsOf(model, 0), expected);
}

TEST_F(Colouring, AfterEditsTheColouringIsThatOfTheSameTextFresh) {
    constexpr unsigned kSeed = 7;
    SCOPED_TRACE("seed " + std::to_string(kSeed));
    std::mt19937 rng(kSeed);
    const wchar_t* const pieces[] = {L"/*", L"*/", L"\n", L"x", L"\"", L"while ", L"// "};
    model.InsertTextAt(0, 0, L"one\n/* two\nthree */ four\nfive \"six\"\n/* seven\neight */");
    for (int step = 0; step < 400; ++step) {
        for (int line = 0; line < model.GetLineCount(); ++line)
            RunsOf(model, line);
        const int line = std::uniform_int_distribution<int>(0, model.GetLastLine())(rng);
        const int length = model.GetLineTextLength(line);
        const int column = std::uniform_int_distribution<int>(0, length)(rng);
        std::string edit = "at " + std::to_string(line) + "," + std::to_string(column) + " ";
        const std::wstring before = edtest::TextOf(model);
        if (step % 3 == 2 && column < length) {
            model.DeleteText(line, column, line, column + 1);
            edit += "delete";
        } else {
            const wchar_t* piece = pieces[std::uniform_int_distribution<int>(0, 6)(rng)];
            model.InsertTextAt(line, column, piece);
            edit += "insert " + CString(piece).ToMultiByte(CP_UTF8);
        }
        edtest::TestModel fresh;
        Load(fresh, edtest::TextOf(model).c_str());
        for (int l = model.GetLastLine(); l >= 0; --l)
            ASSERT_EQ(RunsOf(model, l), RunsOf(fresh, l))
                << "step " << step << " line " << l << " " << edit << "\n"
                << CString(before).ToMultiByte(CP_UTF8) << "\n----\n"
                << CString(edtest::TextOf(model)).ToMultiByte(CP_UTF8);
    }
}

} // namespace

namespace {

TEST_F(Colouring, LinesOfManyRunsKeepEveryRun) {
    // Runs beyond those held inline, through every block size and past the largest.
    for (int pairs : {7, 8, 40, 700, 2100}) {
        std::wstring text;
        for (int i = 0; i < pairs; ++i)
            text += L"x+";
        Load(model, text.c_str());
        Runs expected;
        for (int i = 0; i < pairs; ++i) {
            expected.emplace_back(1, T);
            expected.emplace_back(1, Op);
        }
        if (static_cast<int>(text.size()) > model.GetMaxLineColumns())
            expected.resize(model.GetMaxLineColumns()); // the rest went to the next line
        EXPECT_EQ(RunsOf(model, 0), expected) << pairs << " pairs";
    }
}

TEST(LineColouring, CopiesAndReuseKeepTheRuns) {
    SECEditLineColouring runs;
    for (int i = 0; i < 5000; ++i)
        runs.Add(i % 7 + 1, i % 3);
    SECEditLineColouring copy(runs);
    runs.RemoveAll();
    runs.Add(70000, 2); // split: one segment holds 65,535 characters
    ASSERT_EQ(copy.GetSize(), 5000);
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(copy.GetAt(i), MakeColourSegment(i % 7 + 1, i % 3)) << i;
    ASSERT_EQ(runs.GetSize(), 2);
    EXPECT_EQ(runs.Covered(), 70000);
    copy = runs;
    EXPECT_EQ(copy.GetSize(), 2);
    EXPECT_EQ(copy.GetAt(1), MakeColourSegment(70000 - 65535, 2));
}

} // namespace

namespace {

// Begin texts inside strings, line comments and other comments; a comment left open to the
// end. Whatever order the lines are asked for in, each gets the colouring of a fresh model
// asked from the top.
TEST_F(Colouring, AnyOrderOfLinesGivesTheSameColouring) {
    std::wstring text;
    for (int i = 0; i < 40; ++i) {
        text += L"x = \"/* not\"; // nor /* this\n";
        text += L"/* one\n  two /* still one\n  three */ while /* two\n*/\n";
        text += L"return \"a\\\"/*\" /* end */ x\n";
    }
    text += L"/* open\nto the\nend";
    edtest::TestModel reference;
    Load(reference, text.c_str());
    const int lines = reference.GetLineCount();
    std::vector<Runs> expected;
    for (int line = 0; line < lines; ++line)
        expected.push_back(RunsOf(reference, line));
    std::vector<std::vector<int>> orders(3);
    for (int line = lines - 1; line >= 0; --line)
        orders[0].push_back(line);
    for (int line = 0; line < lines; ++line)
        orders[1].push_back((line * 37) % lines);
    orders[2] = {lines / 2, lines - 1, 3, lines / 3};
    for (size_t o = 0; o < orders.size(); ++o) {
        edtest::TestModel m;
        Load(m, text.c_str());
        for (int line : orders[o])
            ASSERT_EQ(RunsOf(m, line), expected[line]) << "order " << o << ", line " << line;
        for (int line = 0; line < lines; ++line)
            ASSERT_EQ(RunsOf(m, line), expected[line]) << "order " << o << ", again line " << line;
    }
    // The open comment covers the last lines whole.
    EXPECT_EQ(expected[lines - 2], (Runs{{6, C}}));
    EXPECT_EQ(expected[lines - 1], (Runs{{3, C}}));
}

} // namespace

namespace {

// Colours through the base class's steps, but as a class of its own: a model that takes over
// a step of the tokeniser, so every line is scanned token by token.
class StepByStepModel : public edtest::TestModel {
public:
    int ScanTag(int line, const wchar_t* text, int column, int lineLength) override {
        return SECEditModel::ScanTag(line, text, column, lineLength);
    }
};

// A tokeniser step that sees things differently: a tag at the very start of a line is text.
class MarginBlindModel : public edtest::TestModel {
public:
    int ScanTag(int line, const wchar_t* text, int column, int lineLength) override {
        return column == 0 ? 0 : SECEditModel::ScanTag(line, text, column, lineLength);
    }
};

// Generated text of the constructs that carry a state from line to line, and of the ones that
// look like them: comments opened at a line's start, behind blanks, behind code, inside
// strings and single-line comments, nested and unclosed; escaped quotes and backslashes; tags
// at line ends; lone carriage returns; surrogate pairs; a begin text that starts with a blank.
std::wstring GeneratedSource(unsigned seed, int lines) {
    std::mt19937 rng(seed);
    const wchar_t* const starts[] = {
        L"/*",     L"  /*",           L"\t/*", L" \t /**/", L"x /*",     L"// /*",
        L"\"/*\"", L"\"\\\"/*",       L"*/",   L"",         L"while /*", L"(*",
        L"  (*",   L"\xD83D\xDE00/*", L"/**",  L"  <",      L"\t <"};
    const wchar_t* const pieces[] = {
        L" word",       L" /*",        L" */",           L" /* /* */ */",
        L" \"a\\\"b\"", L" \"c\\\\\"", L" \"open",       L" //",
        L"\r",          L"\r/*",       L" \xD83D\xDE00", L" while",
        L"\t",          L" *)",        L" (*",           L"/",
        L" <",          L">"};
    std::wstring text;
    for (int line = 0; line < lines; ++line) {
        text += starts[std::uniform_int_distribution<int>(0, std::size(starts) - 1)(rng)];
        const int count = std::uniform_int_distribution<int>(0, 4)(rng);
        for (int i = 0; i < count; ++i)
            text += pieces[std::uniform_int_distribution<int>(0, std::size(pieces) - 1)(rng)];
        text += L"\n";
    }
    return text;
}

const wchar_t kQuirkyIni[] =
    L"[ColorGroups]\nNumGroups=4\nGroup1=Keyword\nGroup2=Comment\nGroup3=String\n"
    L"Group4=Highlight\n"
    L"[Keywords]\nwhile=Keyword\n"
    L"[Parser]\nOperators=+-*/=()\t\nDelimiters=+-*/=();:\"\nNumTags=6\n"
    L"[Tag1]\nBeginTag=/*\nEndTag=*/\nMultiLine=1\nColorGroup=Comment\n"
    L"[Tag2]\nBeginTag=//\nColorGroup=Comment\n"
    L"[Tag3]\nBeginTag=\"\nEndTag=\"\nEscapeChar=\\\nColorGroup=String\n"
    L"[Tag4]\nBeginTag=(*\nEndTag=*)\nMultiLine=1\nColorGroup=String\n"
    L"[Tag5]\nBeginTag=/**\nEndTag=*/\nColorGroup=String\n"
    L"[Tag6]\nBeginTag=\" <\"\nEndTag=>\nMultiLine=1\nColorGroup=Comment\n";

TEST_F(Colouring, FarLinesColourAsTheStepByStepScanDoes) {
    // A line far down is coloured once every multi-line tag above it is known: most lines
    // with a tag's begin text are scanned without their token steps. Colours, the tags found
    // and what the observers hear must be those of the step-by-step scan.
    SECEditLangConfig* quirky = new SECEditLangConfig;
    const std::wstring quirkyPath = dir.Path(L"quirky.ini");
    edtest::WriteText(quirkyPath, kQuirkyIni);
    auto* reader = new SECEditLangIniReader(quirkyPath.c_str());
    ASSERT_TRUE(reader->Read(quirky));
    reader->Release();
    for (SECEditLangConfig* language : {config, quirky}) {
        for (unsigned seed = 1; seed <= 6; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed) +
                         (language == quirky ? ", quirky language" : ""));
            const std::wstring text = GeneratedSource(seed, 400);
            auto load = [&](edtest::TestModel& m) {
                m.SetLangConfig(language);
                m.ResetDocument();
                m.InsertTextAt(0, 0, text.c_str());
            };
            StepByStepModel reference;
            load(reference);
            const int lines = reference.GetLineCount();
            std::vector<Runs> expected;
            for (int line = 0; line < lines; ++line)
                expected.push_back(RunsOf(reference, line));
            // Far lines first, then every line: the same questions to both kinds of model.
            const std::vector<int> order = {lines / 2, lines - 1, lines / 3, 2 * lines / 3};
            StepByStepModel stepwise;
            edtest::TestModel quick;
            edtest::RecordingObserver heardStepwise, heardQuick;
            load(stepwise);
            load(quick);
            stepwise.AddObserver(&heardStepwise);
            quick.AddObserver(&heardQuick);
            for (int line : order) {
                ASSERT_EQ(RunsOf(stepwise, line), expected[line]) << "line " << line;
                ASSERT_EQ(RunsOf(quick, line), expected[line]) << "line " << line;
            }
            for (int line = 0; line < lines; ++line)
                ASSERT_EQ(RunsOf(quick, line), expected[line]) << "again, line " << line;
            ASSERT_EQ(heardQuick.entries.size(), heardStepwise.entries.size());
            for (size_t i = 0; i < heardQuick.entries.size(); ++i) {
                EXPECT_EQ(heardQuick.entries[i].hint, heardStepwise.entries[i].hint) << i;
                EXPECT_EQ(heardQuick.entries[i].first, heardStepwise.entries[i].first) << i;
                EXPECT_EQ(heardQuick.entries[i].last, heardStepwise.entries[i].last) << i;
            }
            stepwise.RemoveObserver(&heardStepwise);
            quick.RemoveObserver(&heardQuick);

            // A model whose own step disagrees is asked, not passed by.
            MarginBlindModel blindTop, blindFar;
            load(blindTop);
            load(blindFar);
            std::vector<Runs> blindExpected;
            for (int line = 0; line < lines; ++line)
                blindExpected.push_back(RunsOf(blindTop, line));
            ASSERT_NE(blindExpected, expected); // the generated text shows the difference
            for (int line : order)
                ASSERT_EQ(RunsOf(blindFar, line), blindExpected[line]) << "blind, line " << line;
        }
    }
    quirky->Release();
}

} // namespace
