// Replicate statistics worked out by hand, and the runner's promise that a
// replicate's result does not depend on how many threads ran the set.
#include "replicates/replicate_runner.h"
#include "replicates/replicate_stats.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kov {
namespace {

TEST(Replicates, StatisticsByHand) {
    const std::vector<CsvRecords> runs = {
        {{"T", "Total", 2025, 1, 1.0}},
        {{"T", "Total", 2025, 1, 4.0}, {"U", "Male", 2025, 2, 7.0}},
        {{"T", "Total", 2025, 1, 2.0}},
    };
    const auto rows = replicates::replicateStats(runs);
    ASSERT_EQ(rows.size(), 2u);
    const auto& t = rows[0];
    EXPECT_EQ(t.n, 3);
    EXPECT_DOUBLE_EQ(t.mean, 7.0 / 3.0);
    EXPECT_DOUBLE_EQ(t.sd, std::sqrt(7.0 / 3.0)); // squares 16/9 + 1/9 + 25/9 over n - 1 = 2
    EXPECT_DOUBLE_EQ(t.p05, 1.1);                  // rank 0.1 between 1 and 2
    EXPECT_DOUBLE_EQ(t.p50, 2.0);
    EXPECT_DOUBLE_EQ(t.p95, 3.8);                  // rank 1.9 between 2 and 4
    const auto& u = rows[1];
    EXPECT_EQ(u.n, 1);
    EXPECT_TRUE(std::isnan(u.sd));
    EXPECT_EQ(replicates::replicatesCsv(rows),
              "table,category,year,month,mean,sd,p05,p50,p95,n\n"
              "T,Total,2025,1,2.3333333333333335,1.5275252316519468,1.1000000000000001,2,3.7999999999999998,3\n"
              "U,Male,2025,2,7,NaN,7,7,7,1\n");
}

TEST(Replicates, EachResultIsTheSameWhateverTheThreads) {
    auto run = [](int k) {
        replicates::ReplicateRun r{true, {}, {}};
        for (int m = 1; m <= 12; ++m) r.series.push_back({"T", "Total", 2025, m, k * 100.0 + m});
        if (k == 4) return replicates::ReplicateRun{false, "replicate 4 failed", {}};
        return r;
    };
    const auto one = replicates::runReplicates(1, 9, 1, run);
    const auto four = replicates::runReplicates(1, 9, 4, run);
    ASSERT_EQ(one.size(), 9u);
    ASSERT_EQ(four.size(), 9u);
    for (std::size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(one[i].ok, i != 3);
        EXPECT_EQ(four[i].ok, one[i].ok);
        EXPECT_EQ(four[i].message, one[i].message);
        ASSERT_EQ(four[i].series.size(), one[i].series.size());
        for (std::size_t j = 0; j < one[i].series.size(); ++j) EXPECT_EQ(four[i].series[j].value, one[i].series[j].value);
    }
    EXPECT_EQ(replicates::replicateSeed("25001", 3), "25003");
    EXPECT_EQ(replicates::replicateSeed(" 87571.5", 2), "87572.5");
}

} // namespace
} // namespace kov
