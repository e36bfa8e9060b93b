// The demonstration runs' outputs compared with committed golden files.
// Regenerate a golden file only when a change of numbers is intended, and say
// why in the commit: KOVARY_UPDATE_GOLDEN=1 ctest -R Golden.
#include "config/run_configuration.h"
#include "results/core_writers.h"
#include "run/simulation.h"
#include "reports/text/summary_report.h"
#include "support/configuration.h"
#include "support/engine_access.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

// Runs one demonstration configuration on a copy of the demo data with the
// fixed report clock; returns the named outputs with the folder made neutral.
std::vector<std::string> demoOutputs(const std::string& kov, const std::vector<std::string>& outputs) {
    ScratchDir dir;
    dir.copyFrom("../data/demo");
    RunConfiguration cfg = kov::test::readConfiguration(dir.file(kov));
    RecordingHost host;
    Simulation sim(cfg, dir.str(), host);
    installCoreWriters(sim.reports);
    test::EngineAccess::of(sim).ctx.now = referenceClockTime;
    EXPECT_EQ(sim.OnRunSim(), RunOutcome::Completed) << host.joined();
    std::vector<std::string> texts;
    for (const auto& output : outputs) texts.push_back(test::replaceAll(dir.read(output), dir.str(), "@DATADIR@"));
    return texts;
}

std::string demoOutput(const std::string& kov, const std::string& output) { return demoOutputs(kov, {output})[0]; }

void compareWithGolden(const std::string& actual, const std::string& golden) {
    const std::string path = test::testDataPath("golden/" + golden);
    if (std::getenv("KOVARY_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << actual;
        GTEST_SKIP() << "rewrote " << path;
    }
    const std::string expected = test::readBytes(path);
    ASSERT_FALSE(expected.empty()) << "missing golden file " << path;
    std::istringstream want(expected), got(actual);
    std::string w, g;
    for (int line = 1; std::getline(want, w); ++line) {
        ASSERT_TRUE(static_cast<bool>(std::getline(got, g))) << golden << ": output ends before line " << line;
        ASSERT_EQ(w, g) << golden << " line " << line;
    }
    EXPECT_FALSE(static_cast<bool>(std::getline(got, g))) << golden << ": output has more lines: " << g;
}

TEST(Golden, DemonstrationWithBackDatedCourtCases) {
    compareWithGolden(demoOutput("demo.kov", "tables.out"), "demo_tables.out");
}

TEST(Golden, DemonstrationWithStockMicrodataAndEveryTableKind) {
    const auto out = demoOutputs("demo-stock.kov", {"tables-stock.out", "county-stock.out", "stock.out", "feltab.out"});
    compareWithGolden(out[0], "demo_stock_tables.out");
    compareWithGolden(out[1], "demo_stock_county.out");
    compareWithGolden(out[2], "demo_stock_stock.out");
    compareWithGolden(out[3], "demo_stock_feltab.out");
}

TEST(Golden, TwoRunsInOneProcessGiveTheSameNumbers) {
    // Each run seeds its own generators from its own configuration.
    EXPECT_EQ(demoOutput("demo-stock.kov", "tables-stock.out"), demoOutput("demo-stock.kov", "tables-stock.out"));
}

} // namespace
} // namespace kov
