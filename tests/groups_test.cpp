#include "input/groups.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace kov {
namespace {

std::vector<LabelEntry> labels(std::initializer_list<const char*> texts) {
    std::vector<LabelEntry> out;
    for (const char* t : texts) out.push_back({t, 1.0});
    return out;
}

TEST(Groups, ThresholdsFromTheLeadingIntegers) {
    // Label k holds the lower bound of category k+1; the last text is never read.
    const Groups g(3, labels({"0", "18", "99"}));
    EXPECT_EQ(g.count(), 3);
    EXPECT_EQ(g.lookup(5), 1);
    EXPECT_EQ(g.lookup(0), 1);
    EXPECT_EQ(g.lookup(18), 2);
    EXPECT_EQ(g.lookup(40), 2);
    EXPECT_EQ(g.lookup(99), 2) << "the last label is never compared";
    EXPECT_EQ(g.lookup(-1), 3);
}

TEST(Groups, SmallValuesAgreeWithTheThresholdsEitherSideOfTheTable) {
    // Small values are looked up in a table made once; thresholds inside and
    // past it must give the same categories as comparing: 0..99 -> 1,
    // 100..254 -> 2, 255..299 -> 3, from 300 on -> 4, below 0 -> 5.
    const Groups g(5, labels({"0", "100", "255", "300", "x"}));
    EXPECT_EQ(g.lookup(0), 1);
    EXPECT_EQ(g.lookup(99), 1);
    EXPECT_EQ(g.lookup(100), 2);
    EXPECT_EQ(g.lookup(254), 2);
    EXPECT_EQ(g.lookup(255), 3);
    EXPECT_EQ(g.lookup(256), 3);
    EXPECT_EQ(g.lookup(299), 3);
    EXPECT_EQ(g.lookup(300), 4);
    EXPECT_EQ(g.lookup(INT_MAX), 4);
    EXPECT_EQ(g.lookup(-1), 5);
    EXPECT_EQ(g.lookup(INT_MIN), 5);
    // A copy keeps the table.
    const Groups copy = g;
    EXPECT_EQ(copy.lookup(254), 2);
    EXPECT_EQ(copy.lookup(255), 3);
}

TEST(Groups, ReferenceAgeAndJailLengthLabels) {
    // Age: 18-24, 25-34, 35-49, 50+, Under 18 -> bounds 18, 25, 35, 50.
    const Groups age(5, labels({"18-24", "25-34", "35-49", "50+", "Under 18"}));
    EXPECT_EQ(age.lookup(17), 5);
    EXPECT_EQ(age.lookup(18), 1);
    EXPECT_EQ(age.lookup(24), 1);
    EXPECT_EQ(age.lookup(25), 2);
    EXPECT_EQ(age.lookup(49), 3);
    EXPECT_EQ(age.lookup(50), 4);
    EXPECT_EQ(age.lookup(90), 4);
    EXPECT_EQ(age.lookup(INT_MIN), 5) << "below every threshold";
    // Jail length: 1-30, 31-90, 91+, None -> bounds 1, 31, 91; 0 days is "None".
    const Groups jail(4, labels({"1-30", "31-90", "91+", "None"}));
    EXPECT_EQ(jail.lookup(0), 4);
    EXPECT_EQ(jail.lookup(30), 1);
    EXPECT_EQ(jail.lookup(31), 2);
    EXPECT_EQ(jail.lookup(365), 3);
    // Texts without a leading number count as 0; leading blanks are skipped.
    const Groups loose(3, labels({"x", "  7 days", "rest"}));
    EXPECT_EQ(loose.lookup(7), 2);
    EXPECT_EQ(loose.lookup(6), 1);
    EXPECT_EQ(loose.lookup(0), 1);
    EXPECT_EQ(loose.lookup(-6), 3);
}

TEST(Groups, FewLabelsAndMismatchedCounts) {
    EXPECT_EQ(Groups(1, labels({"50"})).lookup(0), 1);
    EXPECT_EQ(Groups(1, labels({"50"})).lookup(100), 1);
    EXPECT_EQ(Groups(0, {}).lookup(5), 0);
    EXPECT_EQ(Groups().lookup(5), 0);
    // A count beyond the label list reads the missing texts as empty (0), never past the list.
    const Groups g(3, labels({"10"}));
    EXPECT_EQ(g.lookup(5), 2);
    EXPECT_EQ(g.lookup(-5), 3);
}

TEST(Groups, KeepsNoReferenceToTheLabels) {
    Groups g;
    {
        auto l = labels({"0", "18", "99"});
        g = Groups(3, l);
        l.clear();
    }
    EXPECT_EQ(g.lookup(20), 2);
}

} // namespace
} // namespace kov
