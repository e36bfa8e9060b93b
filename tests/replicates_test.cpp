// Replicate statistics worked out by hand, and the runner's promise that a
// replicate is the plain run with its random start, whatever the threads.
#include "config/run_configuration.h"
#include "reports/csv/csv_rows.h"
#include "results/run_for_results.h"
#include "replicates/replicate_set.h"
#include "replicates/replicate_band.h"
#include "replicates/replicate_stats.h"
#include "scenarios/compare_bands.h"
#include "scenarios/compare_report.h"
#include "scenarios/scenario_file.h"
#include "support/configuration.h"
#include "support/run_cli.h"
#include "support/scratch_dir.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

namespace kov {
namespace {

TEST(Replicates, StatisticsByHand) {
    const std::vector<CsvRecords> runs = {
        {{"T", "Total", 2025, 1, 1.0}},
        {{"T", "Total", 2025, 1, 4.0}, {"U", "Male", 2025, 2, 7.0}},
        {{"T", "Total", 2025, 1, 2.0}},
    };
    // T: mean 7/3; sd sqrt(7/3), the squares 16/9 + 1/9 + 25/9 over n - 1 = 2; p05 1.1, rank 0.1 between 1
    // and 2; p50 2; p95 3.8, rank 1.9 between 2 and 4. U: one value, no sd.
    EXPECT_EQ(replicates::replicatesCsv(replicates::replicateStats(runs)),
              "table,category,year,month,mean,sd,p05,p50,p95,n\n"
              "T,Total,2025,1,2.3333333333333335,1.5275252316519468,1.1000000000000001,2,3.7999999999999998,3\n"
              "U,Male,2025,2,7,NaN,7,7,7,1\n");
}

// The tidy CSV export read back, one record a row.
CsvRecords readCsvExport(const std::string& text) {
    std::vector<CsvRow> rows;
    int line = 0;
    EXPECT_TRUE(splitCsvRows(text, rows, line)) << line;
    CsvRecords out;
    for (const CsvRow& r : rows) {
        const auto& f = r.fields;
        if (f.size() == 5 && f[0] != "table") out.push_back({f[0], f[1], std::stoll(f[2]), std::stoi(f[3]), std::stod(f[4])});
    }
    return out;
}

CsvRecords readExports(const test::ScratchDir& dir, const std::string& folder) {
    CsvRecords all;
    for (const char* name : {"prison.csv", "jail.csv", "county.csv", "sanctions.csv", "felony.csv"}) {
        if (!dir.exists(folder + "/" + name)) continue;
        CsvRecords part = readCsvExport(dir.read(folder + "/" + name));
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// A set with sampling, drawn months and prison programs: every replicate is
// the plain run with its random start, whatever the number of threads.
TEST(Replicates, EachReplicateIsThePlainRunWithItsRandomStart) {
    test::ScratchDir dir("reference/set5");
    const std::string run = "run " + dir.quoted("run.kov");
    const auto seed = [](int s) { return " --set \"RUN PARAMETERS/Random Starting Number=" + std::to_string(s) + "\""; };
    std::vector<CsvRecords> plain;
    std::string plainTables;
    for (int k = 1; k <= 3; ++k) {
        const auto r = test::kovary(dir, run + seed(1000 + k - 1) + " --csv " + dir.quoted("plain" + std::to_string(k)));
        ASSERT_EQ(r.code, 0) << r.err;
        plain.push_back(readExports(dir, "plain" + std::to_string(k)));
        ASSERT_FALSE(plain.back().empty());
        if (k == 1) plainTables = test::withoutClockLines(dir.read("tables_105.out"));
    }
    EXPECT_NE(plain[0].front().value, plain[1].front().value) << "the random start must matter in this set";

    auto r = test::kovary(dir, run + seed(1000) + " --replicates 3 --jobs 2");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(test::withoutClockLines(dir.read("tables_105.out")), plainTables) << "replicate 1 writes the plain outputs";
    const std::string twoThreads = dir.read("replicates.csv");
    EXPECT_EQ(twoThreads, replicates::replicatesCsv(replicates::replicateStats(plain)));

    r = test::kovary(dir, run + seed(1000) + " --replicates 3 --jobs 1");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(dir.read("replicates.csv"), twoThreads);

    // A run for its results needs no output of the runs before and leaves the folder as it was.
    test::ScratchDir fresh("reference/set5");
    auto names = [&fresh] {
        std::set<std::string> all;
        for (const auto& entry : std::filesystem::directory_iterator(fresh.path())) all.insert(entry.path().filename());
        return all;
    };
    const auto before = names();
    RunConfiguration cfg = kov::test::readConfiguration(fresh.file("run.kov"));
    cfg.setValue(SecRun, RandomStartingNumberKey, "1000");
    const FinishedRun second = replicates::runReplicate(cfg, fresh.str(), 2, {});
    EXPECT_TRUE(second.ok) << second.message;
    EXPECT_EQ(names(), before);
    CsvRecords prisonOfSecond;
    for (const CsvRecord& rec : second.result.series)
        if (rec.table.rfind("Prison", 0) == 0) prisonOfSecond.push_back(rec);
    ASSERT_FALSE(prisonOfSecond.empty());
    EXPECT_EQ(prisonOfSecond.front().value, plain[1].front().value);

    for (const char* bad : {" --replicates 0", " --replicates 2 --jobs 0", " --replicates -3"}) {
        test::ScratchDir empty("reference/set5");
        r = test::kovary(empty, "run " + empty.quoted("run.kov") + bad);
        EXPECT_EQ(r.code, 1) << bad;
        EXPECT_NE(r.err.find("must be at least 1"), std::string::npos) << r.err;
        EXPECT_FALSE(empty.exists("tables_105.out")) << bad;
    }
}

// A comparison of replicates on a set with random parts: replicate 1 of each
// run is the plain comparison's run, and each band is the one the run's
// replicates give when run one by one.
TEST(Replicates, AComparisonsBandsAreThoseOfEachRunsReplicates) {
    test::ScratchDir dir("reference/set5");
    dir.write("s.txt", "[Longer]\nsentence table 1 x 1.5\n");
    const RunConfiguration cfg = kov::test::readConfiguration(dir.file("run.kov"));
    std::string error;
    const auto scenario = scenarios::readScenarioFile(dir.file("s.txt"), error);
    ASSERT_TRUE(scenario) << error;
    std::vector<scenarios::ComparedRun> runs{{"base", cfg, dir.str(), {}, {}, 0}};
    runs.push_back(scenarios::scenarioRun(scenario->front(), runs.front()));
    const auto plain = scenarios::runComparison(runs, 2, {}, error);
    const auto banded = scenarios::runComparison(runs, 2, {}, error, 3);
    ASSERT_TRUE(plain && banded) << error;

    const auto held = readMicrodata({{cfg, dir.str()}});
    bool spread = false;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(banded->results[i].series, plain->results[i].series) << "replicate 1 is the plain run";
        std::vector<RunResult> alone;
        std::vector<CsvRecords> series;
        for (int k = 1; k <= 3; ++k) {
            FinishedRun r = replicates::runReplicate(runs[i].cfg, dir.str(), k, {}, runs[i].policy, held);
            ASSERT_TRUE(r.ok) << r.message;
            series.push_back(r.result.series);
            alone.push_back(std::move(r.result));
        }
        const auto stats = replicates::replicateStats(series);
        for (const auto& total : scenarios::totalSeries(plain->results.front())) {
            const auto expected = replicates::bandOf(stats, total.table, total.population, 3);
            const auto band = scenarios::replicateBands(*banded, total).at(i);
            EXPECT_EQ(expected.firstYear, alone[0].firstYear) << "drawn from the chart's first month";
            EXPECT_EQ(band.low, expected.low) << total.table;
            EXPECT_EQ(band.high, expected.high) << total.table;
            spread = spread || band.low != band.high;
            // By year: p05 and p95 of the three averages, ranks 0.1 and 1.9.
            for (std::size_t y = 0; y < band.yearLow.size(); ++y) {
                std::vector<double> a;
                for (const RunResult& r : alone) a.push_back(scenarios::yearFigures(r.monthly(total.table, "Total"))[y].average);
                std::sort(a.begin(), a.end());
                EXPECT_DOUBLE_EQ(band.yearLow[y], a[0] + 0.1 * (a[1] - a[0])) << total.table << " year " << y;
                EXPECT_DOUBLE_EQ(band.yearHigh[y], a[1] + 0.9 * (a[2] - a[1])) << total.table << " year " << y;
            }
        }
    }
    EXPECT_TRUE(spread) << "the replicates of this set must differ";
    EXPECT_TRUE(scenarios::replicateBands(*plain, {"Prison - Total Count Per Month:", "Prison"}).empty());

    // kovary compare --replicates: every file but the charts stays replicate 1's.
    const auto compare = [&dir](const std::string& out, const std::string& options) {
        return test::kovary(dir, "compare " + dir.quoted("run.kov") + " " + dir.quoted("s.txt") + " --out \"" +
                                     dir.file(out) + "\" " + options);
    };
    ASSERT_EQ(compare("one", "--no-charts").code, 0);
    ASSERT_EQ(compare("three", "--replicates 3 --jobs 2").code, 0);
    for (const char* name : {"compare.csv", "compare.txt", "difference.csv"})
        EXPECT_EQ(dir.read(std::string("three/") + name), dir.read(std::string("one/") + name)) << name;
}

// The runs of a set read the microdata from one copy read before they start:
// a file changed on disk meanwhile changes none of them.
TEST(Replicates, MicrodataIsReadOnceForTheSet) {
    test::ScratchDir dir("reference/set4"); // court and stock microdata
    const RunConfiguration cfg = kov::test::readConfiguration(dir.file("run.kov"));
    const FinishedRun fromDisk = runForResults(cfg, dir.str(), {}, {});
    ASSERT_TRUE(fromDisk.ok) << fromDisk.message;

    const auto held = readMicrodata({{cfg, dir.str()}});
    EXPECT_EQ(held->count(), 2u);
    // With its stock from the court microdata (as sets 3, 5 and 6) the stock
    // microdata is never opened: it is not held.
    RunConfiguration courtStock = cfg;
    courtStock.setValue(SecPostprison, PostprisonOptions, "4");
    EXPECT_EQ(readMicrodata({{courtStock, dir.str()}})->count(), 1u);
    for (const char* name : {"court_micro_104.dat", "stockm.inp"}) dir.write(name, "1 x\n");
    const FinishedRun fromHeld = runForResults(cfg, dir.str(), {}, {}, held);
    ASSERT_TRUE(fromHeld.ok) << fromHeld.message;
    EXPECT_EQ(fromHeld.result.series, fromDisk.result.series);
    EXPECT_FALSE(runForResults(cfg, dir.str(), {}, {}).ok) << "the file on disk is bad now";

    // A file that cannot be read is not held: the run says what is wrong, as alone.
    dir.write("stockm.inp", test::readBytes(test::testDataPath("reference/set4/stockm.inp")));
    std::filesystem::remove(dir.file("court_micro_104.dat"));
    const FinishedRun missing = runForResults(cfg, dir.str(), {}, {}, readMicrodata({{cfg, dir.str()}}));
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.message.find("could not be opened"), std::string::npos) << missing.message;
}

// A held file is read from its numbers, not its text: a bad field or line
// still stops the run with the message the file on disk gives, naming the
// same file, line and field.
TEST(Replicates, HeldMicrodataTellsBadInputAsItsText) {
    test::ScratchDir dir;
    dir.copyFrom("reference/set4"); // court and stock microdata
    const RunConfiguration cfg = kov::test::readConfiguration(dir.file("run.kov"));
    const auto withLine = [&dir](const char* name, std::size_t line, const std::string& text) {
        std::string bytes = test::readBytes(test::testDataPath(std::string("reference/set4/") + name));
        std::size_t from = 0;
        for (std::size_t n = 1; n < line; ++n) from = bytes.find('\n', from) + 1;
        bytes.replace(from, bytes.find('\n', from) - from, text);
        dir.write(name, bytes);
    };
    struct Bad {
        const char* file;
        std::size_t line;
        std::string text;
        const char* told;
    };
    // Line 5 of the court microdata is in the sample, which line 3 is not.
    const std::vector<Bad> bads = {
        {"court_micro_104.dat", 5, "5 1 x 15 3 15.0 1 2 0 0 0 5 1 1 3 2 2 1.5 34 2 0 42 12 12", "Race"},
        {"court_micro_104.dat", 5, "5 1 2 15 3 1e999 1 2 0 0 0 5 1 1 3 2 2 1.5 34 2 0 42 12 12", "Sentence Length"},
        {"court_micro_104.dat", 5, "5 1 2 15 3 15.0 1 2 0 0 0 5 1 1 3 2 2", "Weight"},
        {"court_micro_104.dat", 4, std::string("4 2 2\0", 6), "is not text"},
        {"stockm.inp", 2, "2 2 2 54 1 33.49 3 1 27 -0.5 0 1 7 2 2 3 1 2.00", "lenp2"},
        {"stockm.inp", 3, "3  2  1  22  3  50  3  2  3  70.49  0  1  10  4  9  1  2  1.5", "Grid row"},
    };
    for (const Bad& bad : bads) {
        for (const char* name : {"court_micro_104.dat", "stockm.inp"})
            dir.write(name, test::readBytes(test::testDataPath(std::string("reference/set4/") + name)));
        withLine(bad.file, bad.line, bad.text);
        const auto held = readMicrodata({{cfg, dir.str()}});
        ASSERT_EQ(held->count(), 2u);
        const FinishedRun fromDisk = runForResults(cfg, dir.str(), {}, {});
        const FinishedRun fromHeld = runForResults(cfg, dir.str(), {}, {}, held);
        EXPECT_FALSE(fromDisk.ok || fromHeld.ok) << bad.told;
        EXPECT_EQ(fromHeld.message, fromDisk.message);
        EXPECT_NE(fromHeld.message.find(bad.told), std::string::npos) << fromHeld.message;
        EXPECT_NE(fromHeld.message.find(std::string(bad.file) + ", line " + std::to_string(bad.line)), std::string::npos)
            << fromHeld.message;
    }
}

} // namespace
} // namespace kov
