// What the host answers the source windows through its command table, on the sample program
// stopped in its loop with breakpoints on a line, a column and a disabled one.
#include <cstring>
#include <string>
#include <vector>

#include "tests/host/target_fixture.h"

namespace {

class SourceAnswers : public TargetTest {
protected:
    void SetUp() override {
        TargetTest::SetUp();
        main = File("main.c");
        tag = SourceContextTag(main, 0);
        ASSERT_TRUE(M().RunTo(0, Line(19)));
        ASSERT_TRUE(M().SetLineBreakpoint(main, 20, 0));
        ASSERT_TRUE(M().SetLineBreakpoint(main, 18, 17));
        ASSERT_TRUE(M().SetLineBreakpoint(main, 22, 0));
        M().EnableBreakpoint(Line(22), false);
    }
    uint32_t Line(int line, int column = 0, const char* module = "main.c") {
        uint32_t address = 0;
        EXPECT_TRUE(Sample().AddressOfLine(File(module), line, column, address));
        return address;
    }
    std::vector<HostBlockRecord> Blocks(uint32_t address, int capacity = kHostBlockCapacity) {
        auto buffer = std::make_unique<HostBlockBuffer>();
        const uint64_t wide = address;
        if (!T().ReadTargetMemory(&wide, buffer.get(), capacity, buffer->record))
            return {};
        return {buffer->record, buffer->record + buffer->count};
    }
    int main = -1;
    int tag = 0;
};

TEST_F(SourceAnswers, LineRecordsCarryTheFlagsOfEachCodeLine) {
    const struct {
        int line;
        uint32_t flags;
    } expected[] = {{14, kLineCode},
                    {16, kLineCode},
                    {17, kLineCode | kLineStatements},
                    {18, kLineCode | kLineColumns | kLineBreakpoint},
                    {19, kLineCode | kLineCurrent},
                    {20, kLineCode | kLineBreakpoint},
                    {22, kLineCode | kLineBreakpoint},
                    {23, kLineCode},
                    {24, kLineCode}};
    const SourceLineRecord* r = SourceLineRecords(main, 0);
    for (const auto& e : expected) {
        ASSERT_NE(nullptr, r) << e.line;
        EXPECT_EQ(e.line, r->line);
        EXPECT_EQ(e.flags, r->flags) << "line " << e.line;
        r = r->next;
    }
    EXPECT_EQ(nullptr, r);
    // The list handed out before stays readable while the next one is built.
    const SourceLineRecord* before = SourceLineRecords(main, 0);
    const SourceLineRecord* after = SourceLineRecords(main, 0);
    EXPECT_NE(before, after);
    EXPECT_EQ(14, before->line);
}

TEST_F(SourceAnswers, BackgroundsShowTheCurrentLineAndTheBreakpoints) {
    const struct {
        int line, column, context;
        uint32_t colour;
    } cases[] = {{19, 1, tag, kCurrentLineColor},
                 {19, 27, tag, kCurrentLineColor},
                 {20, 9, tag, kBreakpointColor},
                 {18, 17, tag, kBreakpointColor},
                 {18, 21, tag, kBreakpointColor},
                 {18, 22, tag, kNoSourceColor},
                 {18, 10, tag, kNoSourceColor},
                 {18, 24, tag, kNoSourceColor},
                 {22, 5, tag, kDisabledBreakpointColor},
                 {16, 5, tag, kNoSourceColor},
                 {3, 1, tag, kNoSourceColor},
                 {19, 9, 0, kNoSourceColor},
                 {19, 9, SourceContextTag(9, 0), kNoSourceColor},
                 {19, 9, SourceContextTag(main, 1), kNoSourceColor},
                 {19, 9, SourceContextTag(File("util.c"), 0), kNoSourceColor}};
    for (const auto& c : cases)
        EXPECT_EQ(c.colour, T().GetSourceColor(c.line, c.column, c.context))
            << c.line << ":" << c.column << " tag " << c.context;
}

TEST_F(SourceAnswers, ColumnWordsAndStatementEntriesDescribeTheirLine) {
    const uint32_t* words = nullptr;
    ASSERT_EQ(3, T().QuerySourceLine(tag, 18, &words));
    const uint32_t expected[] = {10u << 1 | 5u << 16 | kColumnLengthGiven,
                                 kColumnBreakpoint | 17u << 1 | 5u << 16 | kColumnLengthGiven,
                                 24u << 1 | 3u << 16 | kColumnLengthGiven};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(expected[i], words[i]) << i;
    EXPECT_EQ(0, T().QuerySourceLine(tag, 17, &words));
    EXPECT_EQ(0, T().QuerySourceLine(0, 18, &words));

    int count = -1;
    const HostLineEntry* entries = nullptr;
    ASSERT_TRUE(M().SetAddressBreakpoint(Line(17, 19)));
    ASSERT_EQ(1, T().QueryLineInfo("main.c", 17, 0, &count, &entries));
    ASSERT_EQ(2, count);
    EXPECT_STREQ("origin.x = 1;", entries[0].text);
    EXPECT_EQ(Line(17, 5), entries[0].value);
    EXPECT_EQ(0u, entries[0].flags);
    EXPECT_STREQ("origin.y = 2;", entries[1].text);
    EXPECT_EQ(1u, entries[1].flags);
    EXPECT_EQ(0, T().QueryLineInfo("main.c", 16, 0, &count, &entries));
    EXPECT_EQ(0, count);
    EXPECT_EQ(0, T().QueryLineInfo(nullptr, 17, 0, &count, &entries));
    EXPECT_EQ(0, T().QueryLineInfo("other.c", 17, 0, &count, &entries));
    EXPECT_EQ(1, T().QueryLineInfo("C:\\src\\main.c", 17, 0, &count, &entries));
}

TEST_F(SourceAnswers, CodeAddressesInEveryFormTheWindowsBuildEvaluate) {
    const struct {
        const char* text;
        uint32_t address;
    } good[] = {{"C(& main.c\\@LINE 20)", Line(20)},
                {"C(& \"main.c\"\\@LINE 18:17)", Line(18, 17)},
                {"C(& {\"sample\"}\"main.c\"\\@LINE 18:24)", Line(18, 24)},
                {"C(& {\".\"}\"main.c\"\\@LINE 18)", Line(18, 10)},
                {"C(main.c\\@LINE 17:19)", Line(17, 19)},
                {"C(& C:\\src\\UTIL.C\\@LINE 9)", Line(9, 0, "util.c")},
                {"main.c\\@LINE 16", Line(16)},
                {"square", Sample().FindSymbol("square")->address},
                {"&total", 0x4218},
                {"total", 0x4218},
                {"0x4218", 0x4218},
                {"CORE:0(main)", Sample().FindSymbol("main")->address}};
    for (const auto& g : good) {
        uint64_t address = 0;
        EXPECT_EQ(1, T().EvaluateAddress(g.text, &address)) << g.text;
        EXPECT_EQ(g.address, address) << g.text;
    }
    for (const char* bad :
         {"C(& main.c\\@LINE 15)", "C(& nofile.c\\@LINE 3)", "C(& main.c\\@LINE 18:11)",
          "C(& main.c\\@LINE x)", "C(& main.c\\@LINE 0)", "C(& main.c\\@LINE 20:)", "nothing", "",
          "0x10000", "CORE:5(main)", "origin.z", "buffer[4]"}) {
        uint64_t address = 7;
        EXPECT_EQ(0, T().EvaluateAddress(bad, &address)) << bad;
        EXPECT_EQ(7u, address) << bad;
    }
    EXPECT_EQ(0, T().EvaluateAddress(nullptr, nullptr));
}

TEST_F(SourceAnswers, TooltipsShowValuesOfTheStoppedProgram) {
    M().Breakpoints().clear();
    ASSERT_TRUE(M().RunTo(0, Line(22)));
    ASSERT_EQ("main.c:22:5", At());
    const struct {
        const char* expression;
        const char* answer;
    } cases[] = {{"total", "total: 14"},
                 {"origin", "origin: {x=1, y=2}"},
                 {"origin.y", "origin.y: 2"},
                 {"buffer", "buffer: {0, 1, 4, 9}"},
                 {"buffer[3]", "buffer[3]: 9"},
                 {"buffer[i - 1]", nullptr},
                 {"i", "i: 4"},
                 {"*&total", "*&total: 14"},
                 {" (total) ", "(total): 14"},
                 {"R0", "R0: 0x00000004"},
                 {"n", nullptr},
                 {"nothing", nullptr},
                 {"", nullptr}};
    for (const auto& c : cases) {
        const char* result = "untouched";
        int mode = 2;
        const int answered = T().EvaluateForTooltip(c.expression, &result, &mode);
        EXPECT_EQ(c.answer != nullptr, answered != 0) << c.expression;
        if (c.answer)
            EXPECT_STREQ(c.answer, result) << c.expression;
        else
            EXPECT_EQ(nullptr, result) << c.expression;
    }
    EXPECT_EQ(0, T().EvaluateForTooltip(nullptr, nullptr, nullptr));
    // A selection of a whole file is no expression, however it nests.
    const std::string deep = std::string(200000, '*') + "total";
    const char* result = nullptr;
    int mode = 0;
    EXPECT_EQ(0, T().EvaluateForTooltip(deep.c_str(), &result, &mode));
    EXPECT_EQ(0, T().EvaluateForTooltip(("(" + std::string(100000, '(') + "total").c_str(), &result,
                                        &mode));
}

TEST_F(SourceAnswers, CodeBlocksOfALineAndTheirCommentsFollowExecution) {
    const std::vector<HostBlockRecord> blocks = Blocks(Line(18, 24));
    std::vector<HostBlockRecord> ofLine;
    for (const HostBlockRecord& b : blocks)
        if (b.word[0] & kBlockOfLine)
            ofLine.push_back(b);
    // i = 0 ran once, i++ not yet, the condition was taken once and never fell through.
    ASSERT_EQ(3u, ofLine.size());
    EXPECT_EQ(kBlockKindPlain, BlockKindOf(ofLine[0].word[0]));
    EXPECT_EQ(Line(18, 10), ofLine[0].word[1]);
    EXPECT_EQ(1u, ofLine[0].word[4]);
    EXPECT_EQ(Line(18, 24), ofLine[1].word[1]);
    EXPECT_EQ(0u, ofLine[1].word[4]);
    EXPECT_EQ(kBlockKindBranch, BlockKindOf(ofLine[2].word[0]));
    EXPECT_EQ(1u, ofLine[2].word[4]);
    EXPECT_EQ(0u, ofLine[2].word[5]);
    EXPECT_EQ(12u, blocks.size()) << "every statement of main";

    // A comment on the block that did not run: added after it, edited, deleted.
    T().ReportEvaluationError(1, &ofLine[1].word[1]);
    std::vector<HostBlockRecord> commented = Blocks(Line(18, 24));
    ASSERT_EQ(13u, commented.size());
    size_t i = 0;
    while (i < commented.size() && commented[i].word[1] != Line(18, 24))
        ++i;
    ASSERT_LT(i + 1, commented.size());
    EXPECT_EQ(kBlockKindComment | 1u << 14 | kBlockOfLine, commented[i + 1].word[0]);
    EXPECT_EQ("not reached: i++", BlockComments().at(Line(18, 24)));
    T().ReportEvaluationError(-1, &ofLine[1].word[1]);
    EXPECT_EQ("not reached: i++ (reviewed)", BlockComments().at(Line(18, 24)));
    T().ReportEvaluationError(0, &ofLine[1].word[1]);
    EXPECT_TRUE(BlockComments().empty());
    T().ReportEvaluationError(-1, &ofLine[1].word[1]);
    EXPECT_EQ("no block comment to edit", S().lastError);
    T().ReportEvaluationError(1, nullptr);
    EXPECT_TRUE(BlockComments().empty());

    // The capacity bounds what the host writes; outside the program there is nothing.
    EXPECT_EQ(2u, Blocks(Line(18), 2).size());
    EXPECT_TRUE(Blocks(Line(18), 0).empty());
    EXPECT_TRUE(Blocks(0x4218).empty());
    EXPECT_EQ(0, T().ReadTargetMemory(nullptr, nullptr, 4, nullptr));
}

TEST_F(SourceAnswers, CoverageTextsNamesCoresAndDefinitions) {
    const CoverageRecord* r = CoverageRecords(main, 0);
    ASSERT_NE(nullptr, r);
    // A record a row from the first line; line 14 is the first with code.
    EXPECT_EQ(0, r->lineKey);
    EXPECT_STREQ("", r->textName);
    EXPECT_EQ(kNoSourceColor, r->colour);
    while (r && r->lineKey != 13)
        r = r->next;
    ASSERT_NE(nullptr, r);
    EXPECT_STREQ("cov main.c 14", r->textName);
    EXPECT_EQ(0xC0FFC0u, r->colour);
    while (r && r->lineKey != 19)
        r = r->next;
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(0xC0C0FFu, r->colour);
    EXPECT_EQ(std::string("1x<NL>main.c line 16: every statement ran at least 1 times"),
              T().GetMultiLineText("cov main.c 16", 0));
    EXPECT_STREQ("0x<NL>main.c line 20: every statement ran at least 0 times",
                 T().GetMultiLineText("cov main.c 20", 0));
    for (const char* none : {"cov main.c 15", "cov other.c 3", "main.c", ""})
        EXPECT_STREQ("", T().GetMultiLineText(none, 0)) << none;
    EXPECT_STREQ("", T().GetMultiLineText(nullptr, 0));

    char name[10];
    std::memset(name, 'x', sizeof name);
    EXPECT_EQ(1, T().GetCoreName(name, 3, 0));
    EXPECT_STREQ("Co", name);
    EXPECT_EQ(1, T().GetCoreName(name, 10, 0));
    EXPECT_STREQ("Core0", name);
    EXPECT_EQ(0, T().GetCoreName(name, 10, 1)) << "a core the single-core target lacks";
    EXPECT_EQ(0, T().GetCoreName(name, 0, 0));

    const struct {
        const char* symbol;
        int answer;
    } jumps[] = {{"square", 1}, {"&total", 1}, {"origin", 1}, {"i", 0}, {"nothing", 0}};
    for (const auto& j : jumps) {
        int out = -1;
        EXPECT_EQ(1, T().CanJumpToDefinition(j.symbol, &out));
        EXPECT_EQ(j.answer, out) << j.symbol;
    }
    EXPECT_STREQ("sample", T().GetContextName(tag));
    EXPECT_EQ(nullptr, T().GetContextName(0));
    EXPECT_NE(0, T().GetDocumentKey(tag));
    EXPECT_EQ(0, T().GetDocumentKey(0));
}

} // namespace
