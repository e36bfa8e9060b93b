// Sweeps: a row is the plain run with its values, a bad row costs only itself,
// and shards put together are the unsplit sweep.
#include "support/run_cli.h"
#include "support/scratch_dir.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kov {
namespace {

namespace fs = std::filesystem;

constexpr const char* PrisonTotal = "Prison - Total Count Per Month:,Total,";

/// "year,month,value" of every month of the prison total in CSV lines that
/// start with prefix (a scenario's name and comma, or nothing).
std::vector<std::string> prisonMonths(const std::string& csv, const std::string& prefix) {
    std::vector<std::string> months;
    for (const std::string& line : test::splitLines(csv))
        if (line.rfind(prefix + PrisonTotal, 0) == 0) months.push_back(line.substr(prefix.size() + std::string(PrisonTotal).size()));
    return months;
}

TEST(Sweeps, RowsAreThePlainRunsAndShardsMakeTheWhole) {
    test::ScratchDir dir("../data/demo");
    dir.write("sweep.csv", "scenario,RUN PARAMETERS/Random Starting Number,RELEASE PARAMETERS/Length of pre-release,changes\n"
                           "plain,,,\n"
                           "other seed,4242,3,\n"
                           "bad value,,three,\n"
                           "\"drug, halved\",,,probability prison table Drug x 0.5 from 2027\n");
    const std::string kov = dir.quoted("demo-stock.kov");
    const std::string sweep = kov + " " + dir.quoted("sweep.csv") + " --jobs 2 --out ";
    auto r = test::kovary(dir, "sweep " + sweep + dir.quoted("all"));
    EXPECT_EQ(r.code, 1) << "a failed row makes the exit code say so";
    EXPECT_NE(r.err.find("row 3 (\"bad value\") failed"), std::string::npos) << r.err;
    const std::string all = dir.read("all/sweep.csv"), summary = dir.read("all/summary.csv");
    const auto rows = test::splitLines(summary);
    ASSERT_GE(rows.size(), 5u);
    EXPECT_NE(rows[3].find(",failed,"), std::string::npos) << rows[3];
    EXPECT_NE(rows[3].find("line 4, column"), std::string::npos) << rows[3];
    EXPECT_NE(rows[4].find(",ok,"), std::string::npos) << rows[4];

    // A row equals the plain run with the same values.
    r = test::kovary(dir, "run " + kov + " --set \"RUN PARAMETERS/Random Starting Number=4242\"" +
                              " --set \"RELEASE PARAMETERS/Length of pre-release=3\" --csv " + dir.quoted("plain"));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto plain = prisonMonths(dir.read("plain/prison.csv"), "");
    ASSERT_EQ(plain.size(), 120u);
    EXPECT_EQ(prisonMonths(all, "other seed,"), plain);
    EXPECT_NE(prisonMonths(all, "plain,"), plain);

    // Two shards, on "two machines", put together.
    for (const auto& [shard, code] : {std::pair{"1/2", 1}, std::pair{"2/2", 0}}) { // rows 1 and 3, rows 2 and 4
        r = test::kovary(dir, "sweep " + sweep + dir.quoted("shards") + " --shard " + shard);
        EXPECT_EQ(r.code, code) << shard << r.err;
    }
    EXPECT_FALSE(dir.exists("shards/sweep.csv"));
    r = test::kovary(dir, "sweep --merge " + dir.quoted("shards"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(dir.read("shards/sweep.csv"), all);
    EXPECT_EQ(dir.read("shards/summary.csv"), summary);

    fs::remove(dir.path() / "shards" / "summary-2-of-2.csv");
    r = test::kovary(dir, "sweep --merge " + dir.quoted("shards"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("shard 2 of 2 is missing"), std::string::npos) << r.err;
}

} // namespace
} // namespace kov
