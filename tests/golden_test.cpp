// The demonstration runs' outputs compared with committed golden files.
// Regenerate a golden file only when a change of numbers is intended, and say
// why in the commit: KOVARY_UPDATE_GOLDEN=1 ctest -R Golden.
#include "reports/text/summary_report.h"
#include "support/engine_access.h"
#include "support/set_run.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

namespace kov {
namespace {

// Runs one demonstration configuration on a copy of the demo data with the
// fixed report clock; returns the named outputs with the folder made neutral.
std::vector<std::string> demoOutputs(const std::string& kov, const std::vector<std::string>& outputs) {
    test::SetRun demo("../data/demo", kov);
    EXPECT_EQ(demo.run([](Simulation& sim) { test::EngineAccess::of(sim).ctx.now = referenceClockTime; }), RunOutcome::Completed)
        << demo.host.joined();
    std::vector<std::string> texts;
    for (const auto& output : outputs)
        texts.push_back(test::replaceAll(demo.dir.read(output), demo.dir.str(), "@DATADIR@"));
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
    const auto want = test::splitLines(expected), got = test::splitLines(actual);
    for (std::size_t i = 0; i < want.size() && i < got.size(); ++i)
        ASSERT_EQ(want[i], got[i]) << golden << " line " << i + 1;
    EXPECT_EQ(want.size(), got.size()) << golden << ": the output has another number of lines";
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
