#include <gtest/gtest.h>

#include "shell/frame/dock_share.h"

namespace {

TEST(DockShare, IsRoundedToAWholePercent) {
    const struct {
        float share;
        int percent;
    } cases[] = {
        {0.29f, 29}, {0.57f, 57},  {0.58f, 58},   {0.5f, 50},  {1.0f, 100},
        {0.0f, 0},   {0.994f, 99}, {0.996f, 100}, {0.005f, 1}, {0.0049f, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.percent, SharePercent(c.share)) << c.share;
}

} // namespace
