// The paged store of per-line objects against a plain vector that has the same things done to
// it: objects must land on the right lines across page boundaries when lines come and go.
#include "editor/sparse_lines.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

using Lines = SECEditSparseLines<int>;

void ExpectSame(const Lines& lines, const std::vector<int>& reference, int step) {
    ASSERT_EQ(lines.GetSize(), static_cast<int>(reference.size())) << "step " << step;
    int count = 0;
    for (int line = 0; line < static_cast<int>(reference.size()); ++line) {
        const int* got = lines.Get(line);
        if (reference[line] == 0) {
            ASSERT_EQ(got, nullptr) << "line " << line << ", step " << step;
            continue;
        }
        ++count;
        ASSERT_NE(got, nullptr) << "line " << line << ", step " << step;
        ASSERT_EQ(*got, reference[line]) << "line " << line << ", step " << step;
    }
    ASSERT_EQ(lines.GetCount(), count) << "step " << step;
    // The walks in both directions meet exactly the lines with objects.
    std::vector<int> forward, backward;
    for (int line = lines.NextFrom(0); line >= 0; line = lines.NextFrom(line + 1))
        forward.push_back(line);
    for (int line = lines.PreviousFrom(lines.GetSize() - 1); line >= 0;
         line = lines.PreviousFrom(line - 1))
        backward.insert(backward.begin(), line);
    ASSERT_EQ(static_cast<int>(forward.size()), count) << "step " << step;
    ASSERT_EQ(forward, backward) << "step " << step;
}

TEST(SparseLines, RandomEditsKeepEveryObjectOnItsLine) {
    std::mt19937 random(20261210);
    Lines lines;
    lines.Clear(1);
    std::vector<int> reference(1, 0);
    int next = 1;
    for (int step = 0; step < 4000; ++step) {
        const int size = static_cast<int>(reference.size());
        const int line = static_cast<int>(random() % (size + 1));
        switch (random() % 5) {
        case 0:
        case 1:
            if (line < size) {
                lines.Set(line, std::make_unique<int>(next));
                reference[line] = next++;
            }
            break;
        case 2:
            if (line < size) {
                const std::unique_ptr<int> taken = lines.Take(line);
                ASSERT_EQ(taken ? *taken : 0, reference[line]) << "step " << step;
                reference[line] = 0;
            }
            break;
        case 3: {
            // Small and page-sized insertions alike.
            const int count = random() % 3 == 0 ? static_cast<int>(random() % 300) + 1
                                                : static_cast<int>(random() % 4) + 1;
            lines.Insert(line, count);
            reference.insert(reference.begin() + line, count, 0);
            break;
        }
        default: {
            const int count = static_cast<int>(random() % 150) + 1;
            const int first = std::min(line, size - 1);
            const int removed = std::min(count, size - first);
            if (size - removed < 1)
                break;
            lines.Erase(first, count);
            reference.erase(reference.begin() + first, reference.begin() + first + removed);
            break;
        }
        }
        ExpectSame(lines, reference, step);
    }
}

TEST(SparseLines, OutsideLinesHoldNothingAndChangeNothing) {
    Lines lines;
    lines.Clear(70);
    EXPECT_EQ(lines.Set(70, std::make_unique<int>(1)), nullptr);
    EXPECT_EQ(lines.Set(-1, std::make_unique<int>(1)), nullptr);
    EXPECT_EQ(lines.Get(-1), nullptr);
    EXPECT_EQ(lines.Get(70), nullptr);
    EXPECT_EQ(lines.Take(1000), nullptr);
    EXPECT_EQ(lines.GetCount(), 0);
    EXPECT_EQ(lines.NextFrom(0), -1);
    EXPECT_EQ(lines.PreviousFrom(69), -1);
    lines.Set(69, std::make_unique<int>(7));
    lines.Erase(60, 1000); // clamped to the lines there are
    EXPECT_EQ(lines.GetSize(), 60);
    EXPECT_EQ(lines.GetCount(), 0);
}

} // namespace

namespace {

// Lines coming and going in front of many objects shift them all at once: the steps an edit
// takes stay near the logarithm of the objects held, not their number or the lines behind.
TEST(SparseLines, EditsInFrontOfManyObjectsTakeFewSteps) {
    constexpr int kLines = 1000000;
    Lines lines;
    lines.Clear(kLines);
    for (int line = 0; line < kLines; line += 10)
        lines.Set(line, std::make_unique<int>(line));
    const int64_t before = lines.GetSteps();
    for (int i = 0; i < 1000; ++i) {
        lines.Insert(5, 3);
        lines.Erase(7, 2);
        lines.Set(6, std::make_unique<int>(-1));
        ASSERT_NE(lines.Take(6), nullptr);
    }
    // Each round moved every object behind line 5 on by one line.
    const int64_t steps = lines.GetSteps() - before;
    EXPECT_LT(steps, int64_t(4000) * 200) << steps;
    EXPECT_EQ(lines.GetSize(), kLines + 1000);
    EXPECT_EQ(lines.GetCount(), kLines / 10);
    for (int line = 10; line < kLines; line += 99990) {
        ASSERT_NE(lines.Get(line + 1000), nullptr) << line;
        EXPECT_EQ(*lines.Get(line + 1000), line);
        EXPECT_EQ(lines.Get(line + 999), nullptr);
    }
    EXPECT_EQ(lines.NextFrom(1), 1010);
    EXPECT_EQ(lines.PreviousFrom(1009), 0);
}

} // namespace
