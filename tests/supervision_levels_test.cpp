// Supervision level lists, worked from the auto-reduction rule: the first
// block of L months at the sentenced level, then blocks of L + 1 months, each
// one level lower, never below 0.
#include "engine/supervision_levels.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <limits>

namespace kov {
namespace {

TEST(SupervisionLevels, AutoReductionStepsDownBlockByBlock) {
    LevelList levels{};
    levels.fill(9);
    stepLevels(levels, 10, 20, 3, 2); // 10..11 at 3, 12..14 at 2, 15..17 at 1, 18..20 at 0
    const int want[] = {3, 3, 2, 2, 2, 1, 1, 1, 0, 0, 0};
    for (int m = 10; m <= 20; ++m) EXPECT_EQ(levels[static_cast<std::size_t>(m)], want[m - 10]) << m;
    EXPECT_EQ(levels[9], 9) << "before the range";
    EXPECT_EQ(levels[21], 9) << "after the range";

    // Starting before the list: the months that are in it keep their block.
    levels.fill(9);
    stepLevels(levels, -4, 3, 4, 2); // -4..-3 at 4, -2..0 at 3, 1..3 at 2
    EXPECT_EQ(levels[0], 3);
    EXPECT_EQ(levels[1], 2);
    EXPECT_EQ(levels[3], 2);
    EXPECT_EQ(levels[4], 9);

    // A length of 0 drops a level every month; a negative one counts as 0.
    for (int length : {0, -5}) {
        levels.fill(9);
        stepLevels(levels, 100, 200, 2, length); // 100 at 1, 101 at 0, clipped at 119
        EXPECT_EQ(levels[99], 9);
        EXPECT_EQ(levels[100], 1);
        EXPECT_EQ(levels[101], 0);
        EXPECT_EQ(levels[119], 0);
    }
}

TEST(SupervisionLevels, WholeMonthsTruncatesAndBounds) {
    EXPECT_EQ(wholeMonths(4.9), 4);
    EXPECT_EQ(wholeMonths(-4.9), -4);
    EXPECT_EQ(wholeMonths(1e300), 1000000);
    EXPECT_EQ(wholeMonths(-1e300), -1000000);
    EXPECT_EQ(wholeMonths(1000000.5), 1000000);
    EXPECT_EQ(wholeMonths(std::numeric_limits<double>::quiet_NaN()), 0);
}

} // namespace
} // namespace kov
