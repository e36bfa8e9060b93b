// The age runs must give every month the category Engine::aging gives it,
// bit for bit, on both of their ways: whole arithmetic for ordinary ages and
// factors, the floating expression itself for the rest.
#include "engine/age_runs.h"
#include "support/test_engine.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace kov {
namespace {

using test::TestEngine;

// One category per whole age 0..99 (thresholds 1..99, then "below 1"), so a
// run that ends a month early or late shows as a wrong category.
void ageByYear(TestEngine& e) {
    std::vector<std::string> labels;
    for (int a = 1; a <= 99; ++a) labels.push_back(std::to_string(a));
    labels.push_back("0");
    e.setLabels(VarAge, labels);
}

TEST(AgeRuns, EveryMonthOfEveryRunHasTheCategoryOfAging) {
    TestEngine e;
    ageByYear(e);
    const std::vector<int> ages = {-30, -13, -2, -1, 0, 1, 2, 17, 18, 45, 98, 99, 150, (1 << 30), (1 << 30) + 1,
                                   -(1 << 30) - 1, INT_MAX, INT_MIN};
    std::vector<int> factors;
    for (int k = -16; k <= 16; ++k) factors.push_back(k);
    for (int k : {341, 342, 1000, -342, -1000}) factors.push_back(k); // on both sides of the whole-arithmetic bound
    for (int age : ages) {
        for (int k : factors) {
            AgeRuns walked(e.ageGroups, age, k, 120);
            for (long long m = 1; m <= 120; ++m) {
                long long end = 0;
                AgeRuns fresh(e.ageGroups, age, k, 120);
                const int c = fresh.category(m, end);
                ASSERT_EQ(c, e.aging(age, static_cast<int>(m), k)) << age << " " << k << " " << m;
                ASSERT_GE(end, m);
                ASSERT_LE(end, 120);
                for (long long t = m; t <= end; ++t)
                    ASSERT_EQ(e.aging(age, static_cast<int>(t), k), c) << age << " " << k << " " << m << ".." << t;
                long long walkedEnd = 0;
                ASSERT_EQ(walked.category(m, walkedEnd), c) << "a run found earlier is reused";
                ASSERT_GE(walkedEnd, m);
            }
            // The runs of a window of months, walked at once, cover it in order.
            for (const auto& [from, to] : {std::pair{1LL, 120LL}, std::pair{7LL, 7LL}, std::pair{13LL, 100LL}}) {
                AgeRuns runs(e.ageGroups, age, k, 120);
                long long next = from;
                runs.forEachRun(from, to, [&](int c, long long a, long long b) {
                    ASSERT_EQ(a, next) << age << " " << k;
                    ASSERT_LE(a, b);
                    ASSERT_LE(b, to);
                    for (long long t = a; t <= b; ++t)
                        ASSERT_EQ(e.aging(age, static_cast<int>(t), k), c) << age << " " << k << " " << a << ".." << t;
                    next = b + 1;
                });
                ASSERT_EQ(next, to + 1) << age << " " << k;
            }
        }
    }
}

TEST(AgeRuns, OrdinaryAgesChangeOnceAYearTimesTheFactor) {
    TestEngine e;
    ageByYear(e);
    // 30 at month 0, factor 2: 24 months per year of age; 31 from month 24.
    AgeRuns runs(e.ageGroups, 30, 2, 120);
    long long end = 0;
    EXPECT_EQ(runs.category(1, end), 30);
    EXPECT_EQ(end, 23);
    EXPECT_EQ(runs.category(24, end), 31);
    EXPECT_EQ(end, 47);
    // A negative factor (back-dated admissions) makes the age fall: 30 - t/36.
    AgeRuns falling(e.ageGroups, 30, -3, 120);
    EXPECT_EQ(falling.category(1, end), 29);
    EXPECT_EQ(end, 36) << "30 - 36/36 = 29 still";
    EXPECT_EQ(falling.category(37, end), 28);
    // No factor: below every threshold, for the whole horizon.
    AgeRuns none(e.ageGroups, 30, 0, 120);
    EXPECT_EQ(none.category(5, end), 100);
    EXPECT_EQ(end, 120);
}

} // namespace
} // namespace kov
