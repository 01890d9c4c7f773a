// The code blocks of a line: uncovered runs and comments counted, the block a comment acts on,
// and the walk bounded by the buffer whatever count the host writes.
#include "tests/srcwnd/source_host.h"
#include "windows/source/src_coverage.h"

namespace {

HostBlockRecord Of(uint32_t kind, uint32_t c4 = 0, uint32_t c5 = 0, uint32_t sub = 0) {
    return Block(kBlockOfLine | kind | sub << 14, c4, c5, 0x1000 + kind);
}
HostBlockRecord Foreign(uint32_t kind) {
    return Block(kind);
}

struct CountCase {
    const char* name;
    std::vector<HostBlockRecord> records;
    int uncovered, comments;
};

class BlockCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(BlockCounts, CountRunsAndComments) {
    const CountCase& c = GetParam();
    LineBlockCounts counts = CountLineBlocks(c.records.data(), static_cast<int>(c.records.size()));
    EXPECT_EQ(c.uncovered, counts.uncoveredRuns);
    EXPECT_EQ(c.comments, counts.comments);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BlockCounts,
    ::testing::Values(CountCase{"Empty", {}, 0, 0},
                      CountCase{"AllCovered", {Of(1, 1), Of(2, 5), Of(3, 1, 1)}, 0, 0},
                      // Kind 3 needs both counts; kind 4 is never covered.
                      CountCase{"OneRun", {Of(1, 1), Of(3, 1, 0), Of(4)}, 1, 0},
                      CountCase{"TwoRuns", {Of(1), Of(2, 1), Of(2)}, 2, 0},
                      CountCase{"OtherLinesDoNotCount", {Of(1, 1), Foreign(1), Of(1, 1)}, 0, 0},
                      CountCase{"CommentsOnlyWithARun", {Of(4, 0, 0, 1), Of(1, 2)}, 1, 1},
                      // The first record counts with sub-kind 0 or 1, the others with 1 only.
                      CountCase{"FirstCommentSubKindZero",
                                {Of(4, 0, 0, 0), Of(4, 0, 0, 0), Of(4, 0, 0, 1)},
                                1,
                                2},
                      CountCase{"NoCommentsWithoutARun", {Of(1, 1)}, 0, 0}),
    [](const ::testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

TEST(CommentBlock, TheFirstUncoveredOrCommentBlockOfTheLineIsChosen) {
    std::vector<HostBlockRecord> records = {Foreign(1), Of(1, 1), Of(3, 1, 1), Of(3, 1, 0), Of(1)};
    EXPECT_EQ(&records[3], ChooseCommentBlock(records.data(), 5));
    std::vector<HostBlockRecord> comment = {Of(2, 1), Of(4, 0, 0, 2), Of(4, 0, 0, 1)};
    EXPECT_EQ(&comment[2], ChooseCommentBlock(comment.data(), 3));
    EXPECT_EQ(nullptr, ChooseCommentBlock(records.data(), 3));
}

TEST(CommentBlock, TheHostIsHandedTheBlockOrTheAddress) {
    struct Case {
        int evaluate, read;
        std::vector<HostBlockRecord> blocks;
        std::vector<std::pair<int, uint64_t>> reported;
    };
    const Case cases[] = {
        {0, 1, {Of(1)}, {}},                       // cannot evaluate: nothing
        {1, 0, {Of(1)}, {{-1, 0x4010}}},           // cannot read: the address itself
        {1, 1, {Of(1, 1), Of(2)}, {{-1, 0x1002}}}, // the chosen block's address
        {1, 1, {Of(1, 1)}, {}},                    // nothing to act on
    };
    for (const Case& c : cases) {
        SourceHost::Bind(HostVersion(3, 13));
        SourceHost::Get().evaluateResult = c.evaluate;
        SourceHost::Get().readResult = c.read;
        SourceHost::Get().blocks = c.blocks;
        RunBlockComment(-1, "C(main.c\\@LINE 12:1)");
        EXPECT_EQ(c.reported, SourceHost::Get().reported);
    }
}

TEST(CommentBlock, TheWalkStaysInsideTheBufferWhateverCountTheHostWrites) {
    SourceHost::Bind(HostVersion(3, 13));
    SourceHost::Get().blocks.assign(kHostBlockCapacity, Of(1, 1));
    SourceHost::Get().reportedCount = 0x7FFFFFFF;
    LineBlocks blocks;
    ASSERT_TRUE(EvaluateLineAddress("C(main.c\\@LINE 1:1)", blocks));
    ASSERT_TRUE(ReadLineBlocks(blocks));
    EXPECT_EQ(static_cast<int>(kHostBlockCapacity), blocks.count);
    EXPECT_EQ(0, CountLineBlocks(blocks.records(), blocks.count).uncoveredRuns);
}

} // namespace
