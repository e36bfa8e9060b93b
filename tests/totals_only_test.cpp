// A run for its totals only (the What-if window, the bands) leaves the
// breakdown tables empty; its totals must be those of a full run to the last
// bit, on every reference set and under every kind of scenario change.
#include "results/run_for_results.h"
#include "scenarios/comparison.h"
#include "scenarios/scenario_file.h"
#include "support/configuration.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kov {
namespace {

void expectSameTotals(const RunConfiguration& cfg, const std::string& dir, const PolicyChanges& policy,
                      const std::string& what) {
    const FinishedRun full = runForResults(cfg, dir, policy, {});
    const FinishedRun totals = runForResults(cfg, dir, policy, {}, {}, ResultScope::Totals);
    ASSERT_TRUE(full.ok && totals.ok) << what << ": " << full.message << totals.message;
    CsvRecords expected = full.result.series;
    std::erase_if(expected, [](const CsvRecord& r) { return !scenarios::isTotalSeries(r.table); });
    ASSERT_FALSE(expected.empty()) << what;
    EXPECT_EQ(totals.result.series, expected) << what;
}

TEST(TotalsOnly, EachTotalIsThatOfAFullRun) {
    for (int set = 1; set <= 6; ++set) {
        test::ScratchDir dir;
        dir.copyFrom("reference/set" + std::to_string(set));
        expectSameTotals(test::readConfiguration(dir.file("run.kov")), dir.str(), {}, "set " + std::to_string(set));
    }
    // The demonstration's scenarios change admissions, probabilities and
    // sentences from a later year, with prison programs running.
    test::ScratchDir dir;
    dir.copyFrom("../data/demo");
    std::string error;
    const auto scenarios = scenarios::readScenarioFile(dir.file("scenarios.txt"), error);
    ASSERT_TRUE(scenarios) << error;
    for (const char* config : {"demo.kov", "demo-stock.kov"}) {
        const scenarios::ComparedRun base{config, test::readConfiguration(dir.file(config)), dir.str(), {}, {}, 0};
        expectSameTotals(base.cfg, dir.str(), {}, config);
        if (base.name != "demo-stock.kov") continue; // the scenarios are written for it
        for (const scenarios::Scenario& s : *scenarios) {
            const scenarios::ComparedRun run = scenarios::scenarioRun(s, base);
            expectSameTotals(run.cfg, dir.str(), run.policy, s.name);
        }
    }
}

} // namespace
} // namespace kov
