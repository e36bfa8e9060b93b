// Monthly counters at their edges, worked by hand: what every reference run
// adds up in the middle of the horizon its tables already show.
#include "support/test_engine.h"

#include <gtest/gtest.h>

#include <climits>

namespace kov {
namespace {

using test::TestEngine;

TEST(Counters, SenditClipsToTheMonthRangeAndAddsToItsRowOnly) {
    TestEngine e;
    Series a(2 * 122, 0.0);            // two categories, last month 120
    e.sendit(a, 2, -5, 10, 1.5, 120);  // months 0..4 of category 2
    e.sendit(a, 1, 121, 5, 1.0, 120);  // beyond the last month: nothing
    e.sendit(a, 1, 118, 10, 2.0, 120); // 118..120, not the spare cell after them
    e.sendit(a, 1, 10, 0, 9.0, 120);   // no months
    for (int m = 0; m < 122; ++m) {
        EXPECT_EQ(a[static_cast<std::size_t>(m)], m >= 118 && m <= 120 ? 2.0 : 0.0) << m;
        EXPECT_EQ(a[static_cast<std::size_t>(122 + m)], m <= 4 ? 1.5 : 0.0) << m;
    }
    EXPECT_THROW(e.sendit(a, 3, 0, 1, 1.0, 120), std::out_of_range) << "a category past the rows is a fault";
}

TEST(Counters, SenditForAgeMovesTheCaseUpAGroupEveryTwelveMonths) {
    TestEngine e;
    // Lower bounds 30, 31, 32: 30 is group 1, 31 group 2, 32 and over group 3, below 30 group 4.
    e.setLabels(VarAge, {"30", "31", "32", "0"});
    // The years count from the base month 5: months 0..16 at 30 (before and in
    // the first year), 17..28 at 31, 29..30 at 32.
    Series b(4 * 85, 0.0);
    e.SenditForAge(b, 0, 31, 1.0, 83, 5, 30);
    double total = 0;
    for (double v : b) total += v;
    EXPECT_EQ(total, 31.0);
    for (int m = 0; m <= 30; ++m) {
        const int group = m <= 16 ? 1 : m <= 28 ? 2 : 3;
        EXPECT_EQ(b[static_cast<std::size_t>((group - 1) * 85 + m)], 1.0) << "month " << m;
    }
    // A base month after the range: no year has passed in any of its months.
    Series c(4 * 85, 0.0);
    e.SenditForAge(c, 2, 5, 1.0, 83, 60, 31);
    for (int m = 2; m <= 6; ++m) EXPECT_EQ(c[static_cast<std::size_t>(85 + m)], 1.0) << "month " << m;
    Series threeRows(3 * 85, 0.0);
    EXPECT_THROW(e.SenditForAge(threeRows, 0, 30, 1.0, 83, 0, 29), std::out_of_range) << "age 29 is group 4, past the rows";
}

TEST(Counters, AgingWithoutAYearFactorFallsInTheLastGroup) {
    TestEngine e;
    e.setLabels(VarAge, {"18", "25", "40", "0"});
    EXPECT_EQ(e.aging(24, 12, 1), 2) << "24 + 1 = 25 reaches the 25 group";
    EXPECT_EQ(e.aging(30, 6, 0), 4) << "no year factor: below every threshold";
    EXPECT_EQ(e.aging(INT_MAX, INT_MAX, 1), 4) << "outside the integer range";
}

} // namespace
} // namespace kov
