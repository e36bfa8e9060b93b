// The summary report on hand-made state: long row labels, empty weights and
// cells, the clock (masked in the reference runs) and output failures.
#include "config/run_configuration.h"
#include "input/state_tables_ops.h"
#include "results/core_writers.h"
#include "run/simulation.h"
#include "reports/text/summary_report.h"
#include "support/engine_access.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

// Renders the grid tables part of the report.
std::string gridTables(const Simulation& sim) {
    return test::writtenBy([&](std::FILE* f) { writeGridTables(f, sim); });
}

// A simulation over a default configuration, with no files behind it.
struct HandMade {
    ScratchDir dir;
    RunConfiguration cfg;
    RecordingHost host;
    std::unique_ptr<Simulation> sim;
    HandMade() {
        // Only "Misdemeanor" and "Supervision Revocation" are printed.
        cfg.setValue(SecProbabilityTables, 1, "0");
        cfg.setValue(SecProbabilityTables, 0, "1");
        cfg.setValue(SecProbabilityTables, 20, "1");
        sim = std::make_unique<Simulation>(cfg, dir.str(), host);
        installCoreWriters(sim->reports);
        resetStateTables(engine().st);
    }
    Engine& engine() { return test::EngineAccess::of(*sim); }
    void addTable(const char* name, std::vector<std::string> rows, std::vector<std::string> cols) {
        auto def = std::make_shared<TableDef>();
        def->rows = static_cast<int>(rows.size());
        def->cols = static_cast<int>(cols.size());
        def->rowlabels = std::move(rows);
        def->collabels = std::move(cols);
        engine().st.m_Tables.push_back(def);
        engine().st.m_TableNames.push_back(name);
    }
};

TEST(SummaryReport, LongRowLabelsOverrunTheirColumnAndEmptyWeightsAverageZero) {
    HandMade h;
    Simulation& s = *h.sim;
    // The reference grids' row labels are short (their sums, averages and column
    // cuts are pinned there): one of 15 characters or more is cut to 15,
    // overrunning the 14 of its column.
    h.addTable("Tab", {"Row one", "Fifteen chars!!xyz"}, {"abc", "Longer12"});
    h.engine().st.m_ProbCounts.create(1, 2, 2);
    h.engine().st.m_GridNow.create(1, 2, 2);
    h.engine().st.m_ProbCounts.at(0, 1, 0) = 3;
    h.engine().st.m_ProbCounts.at(0, 1, 1) = 4;
    for (auto& byTable : h.engine().st.P) byTable = {Series{0.2, 0.6, 0.25, 1.0}};
    const std::string text = gridTables(s);
    EXPECT_NE(text.find("\nFifteen chars!!     3     4     7\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nFifteen chars!! 0.250 1.000\n"), std::string::npos) << text;
    // No weight in any cell: every average is 0.000, not a division by zero.
    EXPECT_NE(text.find(" Average Misdemeanor probability (weighted) = 0.000\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" Average Supervision revocation probability (weighted) = 0.000\n"), std::string::npos);
}

TEST(SummaryReport, GridTablesSmallerThanTheirDefinitionsPrintZeros) {
    HandMade h;
    Simulation& s = *h.sim;
    h.addTable("T", {"R"}, {"C1", "C2"});
    // No counts, weights or probabilities at all: nothing is read out of range.
    const std::string text = gridTables(s);
    EXPECT_NE(text.find("R                  0     0     0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("R              0.000 0.000\n"), std::string::npos) << text;
}

TEST(SummaryReport, ReportClockPrintsDateAndTimeOfTheRun) {
    EXPECT_EQ(reportDate(referenceClockTime()), "01/01/00");
    EXPECT_EQ(reportTime(referenceClockTime()), "00:00:00");
    std::tm tm{};
    tm.tm_year = 113, tm.tm_mon = 6, tm.tm_mday = 4, tm.tm_hour = 15, tm.tm_min = 6, tm.tm_sec = 9, tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    EXPECT_EQ(reportDate(t), "07/04/13");
    EXPECT_EQ(reportTime(t), "15:06:09");
}

TEST(SummaryReport, UnopenableOutputIsReportedAndSkipped) {
    // A folder that is not there, and a device that takes no bytes: the failure shows once, at the flush.
    for (const std::string name : {"no_such_folder/tables.out", "/dev/full"}) {
        HandMade h;
        h.cfg.setValue(SecFiles, TablesOutputFile, name);
        Simulation sim(h.cfg, h.dir.str(), h.host);
        installCoreWriters(sim.reports);
        resetStateTables(test::EngineAccess::of(sim).st);
        writeSummaryReport(sim, sim.host);
        const bool device = name == "/dev/full";
        EXPECT_EQ(h.host.only(), (device ? "Error writing file " : "Unable to open file ") + sim.tablesOutputPath());
        if (!device) {
            EXPECT_FALSE(std::filesystem::exists(sim.tablesOutputPath()));
        }
    }
}

} // namespace
} // namespace kov
