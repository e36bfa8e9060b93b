// The summary report: byte-exact sections against the reference runs, and the
// label, average and failure rules on hand-made state.
#include "config/run_configuration.h"
#include "engine/programs.h"
#include "input/grid.h"
#include "input/labels.h"
#include "input/state_tables_ops.h"
#include "run/recording_host.h"
#include "run/simulation.h"
#include "run/summary_report.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

// The part of text from the first `from` up to (not including) the next `to`.
std::string between(const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t a = text.find(from);
    if (a == std::string::npos) return "<no " + from + ">";
    const std::size_t b = text.find(to, a + from.size());
    return text.substr(a, b == std::string::npos ? std::string::npos : b - a);
}

// A simulation over one reference set, with the state the report reads loaded
// the way a run loads it (configuration, grid, labels, state tables).
struct ReferenceRun {
    ScratchDir dir;
    RunConfiguration cfg;
    RecordingHost host;
    std::unique_ptr<Simulation> sim;
    std::string expected;

    explicit ReferenceRun(int set) {
        const std::string name = "reference/set" + std::to_string(set);
        dir.copyFrom(name);
        cfg.filePath = dir.file("run.kov");
        cfg.ReadFromFile();
        sim = std::make_unique<Simulation>(cfg, dir.str(), host);
        Simulation& s = *sim;
        resetStateTables(s.st);
        ApplyToRunParameters(cfg, s.ctx.params, nullptr);
        s.postprisonOption = s.ctx.params.PostprisonOption;
        s.ctx.now = referenceClockTime;
        s.err.m_CaseNumber = 300;
        EXPECT_TRUE(readTableDefinitions(s.filePath(GridFile), s.filePath(StockGridFile), s.postprisonOption,
                                         s.ctx.params.DualGuidelines, s.st, host));
        EXPECT_TRUE(readLabels(s.filePath(LabelsFile), s.st, host));
        EXPECT_TRUE(allocateStateTables(s.st, TableSwitches{}, host)) << host.joined();

        const std::string out = "expected/tables_10" + std::to_string(set) + ".out";
        expected = replaceAll(replaceAll(test::readBytes(test::testDataPath(name + "/" + out)), "@DATADIR@", dir.str()),
                              "@CONFIG@", cfg.filePath);
    }

    std::string written() {
        sim->writeSummaryReport();
        return test::readBytes(sim->tablesOutputPath());
    }
};

TEST(SummaryReport, Set1HeaderYearsAndFirstGridReproduceTheReference) {
    ReferenceRun r(1);
    Simulation& s = *r.sim;
    // Printed values of the reference: month 11 of each year is the "12th Mo."
    // value; the other eleven months are chosen so that the mean is the
    // printed average: x = (12 * average - twelfth) / 11.
    const double twelfth[10] = {144, 209, 249, 267, 273, 272, 273, 269, 266, 262};
    const double average[10] = {103, 182, 229, 256, 267, 268, 268, 267, 263, 259};
    s.low = {70, 153, 213, 247, 261, 263, 260, 261, 256, 253};
    s.high = {144, 209, 250, 270, 278, 276, 277, 274, 270, 267};
    Series& tops = s.st.Tops[7];
    ASSERT_EQ(tops.size(), 120u);
    for (int y = 0; y < 10; ++y)
        for (int m = 0; m < 12; ++m)
            tops[static_cast<std::size_t>(y * 12 + m)] = m == 11 ? twelfth[y] : (12 * average[y] - twelfth[y]) / 11;

    // The counts are weighted, printed unrounded with "%5.0f": the reference's
    // row III (12 19 14 = 44) and totals (40 63 49 153) only add up with
    // fractions, e.g. these, where every cell, sum and total rounds as printed.
    const double counts[4][3] = {{4, 12.7, 10}, {13, 11, 9}, {11.7, 18.7, 14}, {11.7, 21, 16}};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j) s.st.m_ProbCounts.at(0, i, j) = counts[i][j];
    s.st.P[0] = {Series{0.526, 0.055, 0.676, 0.235, 0.440, 0.597, 0.023, 0.723, 0.563, 0.523, 0.015, 0.053}};

    const std::string out = r.written();
    const std::size_t end = r.expected.find("\n Average Misdemeanor");
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(out.substr(0, end), r.expected.substr(0, end));
    EXPECT_TRUE(r.host.messages.empty()) << r.host.joined();
}

// Every reference set: from the data directory to the first grid table, the
// report is the configuration, the stock option and message, the admission
// group weights and the programs.
class ReferenceParameters : public ::testing::TestWithParam<int> {};

TEST_P(ReferenceParameters, FilesAndParametersMatchTheReference) {
    ReferenceRun r(GetParam());
    Simulation& s = *r.sim;
    if (GetParam() == 4) s.stockMessage = "Stock output file stock_104.out created.";
    if (s.ctx.params.NorvaleCustomizations != 0) {
        // What the trend-weight reader leaves: backup weights 1.0, and per year
        // one weight per admission group (the file holds a group per line).
        for (int k = 0; k < 15; ++k) s.ctx.params.TrendWeights[static_cast<std::size_t>(k)] = 1.0;
        std::ifstream in(s.filePath(TrendWeightsByGroup));
        for (int g = 0; g < s.st.count(VarFelonyType); ++g)
            for (auto& year : s.st.TrendsByAdmissionGroup) in >> year[static_cast<std::size_t>(g)];
        ASSERT_TRUE(in) << "trend weights of set " << GetParam();
    }
    if (GetParam() == 5) {
        // The three programs of the definitions file; release from prison makes
        // the completion probability 1.0.
        auto programs = std::make_unique<Programs>();
        programs->felonyTypes = 3;
        programs->offenses = 4;
        auto add = [&](const char* name, std::vector<int> n, double completion, std::vector<double> p) {
            Program& pr = programs->programs.emplace_back();
            pr.name = name;
            pr.startMonth = n[0], pr.endMonth = n[1], pr.length = n[2], pr.minimumSavings = n[3];
            pr.backupYears = n[4], pr.capacity = n[5], pr.randomSeed = n[6];
            pr.randomizeEntryMonth = n[7], pr.releaseFromPrison = n[8];
            pr.completionProbability = completion;
            pr.entryProbability = std::move(p);
        };
        add("Drug Treatment", {1, 100, 6, 2, 2, 40, 12345, 1, 0}, 0.85,
            {1, 1, 0.5, 0.5, 1, 1, 0, 0, 1, 0, 1, 0.25});
        add("Work Release", {13, 110, 4, 1, 0, 15, 777, 0, 1}, 1.0,
            {0.5, 0.25, 1, 0.75, 0.25, 1, 0.25, 1, 1, 1, 1, 1});
        add("Boot Camp", {1, 90, 3, 0, 5, 6, 4242, 1, 0}, 0.60,
            {0.5, 0.75, 0.75, 1, 0.5, 0.25, 0, 0.5, 0.75, 0, 0.5, 1});
        s.programs = std::move(programs);
    }
    const std::string from = "\n\nDirectory for input", to = "\n\n COUNT OF CASES BY GRID CELL";
    EXPECT_EQ(between(r.written(), from, to), between(r.expected, from, to));
}

INSTANTIATE_TEST_SUITE_P(Sets, ReferenceParameters, ::testing::Values(1, 2, 3, 4, 5, 6));

// Renders one part of the report into a string.
std::string render(void (*part)(std::FILE*, const Simulation&), const Simulation& sim) {
    std::FILE* f = std::tmpfile();
    if (!f) return "<no tmpfile>";
    part(f, sim);
    std::string text(static_cast<std::size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    const std::size_t n = std::fread(text.data(), 1, text.size(), f);
    std::fclose(f);
    text.resize(n);
    return text;
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
        resetStateTables(sim->st);
    }
    void addTable(const char* name, std::vector<std::string> rows, std::vector<std::string> cols) {
        auto def = std::make_shared<TableDef>();
        def->rows = static_cast<int>(rows.size());
        def->cols = static_cast<int>(cols.size());
        def->rowlabels = std::move(rows);
        def->collabels = std::move(cols);
        sim->st.m_Tables.push_back(def);
        sim->st.m_TableNames.push_back(name);
    }
};

TEST(SummaryReport, GridBlockLabelsSumsAndAverages) {
    HandMade h;
    Simulation& s = *h.sim;
    // A 3-character column label follows three blanks, an 8-character one is
    // cut to 6; a 15-character row label is cut to 15 (overrunning the 14).
    h.addTable("Tab", {"Row one", "Fifteen chars!!xyz"}, {"abc", "Longer12"});
    s.st.m_ProbCounts.create(1, 2, 2);
    s.st.m_GridNow.create(1, 2, 2);
    s.st.m_ProbCounts.at(0, 0, 0) = 1;
    s.st.m_ProbCounts.at(0, 0, 1) = 2.4;
    s.st.m_ProbCounts.at(0, 1, 0) = 3;
    s.st.m_ProbCounts.at(0, 1, 1) = 4;
    // Weights 1 and 3 on the first row: misdemeanor (1 * 0.2 + 3 * 0.6) / 4 = 0.5.
    s.st.m_GridNow.at(0, 0, 0) = 1;
    s.st.m_GridNow.at(0, 0, 1) = 3;
    for (auto& byTable : s.st.P) byTable = {Series{0.0, 0.0, 0.0, 0.0}};
    s.st.P[0][0] = {0.2, 0.6, 0.25, 1.0};
    s.st.P[20][0] = {0.2, 0.0, 1.0, 1.0}; // (1 * 0.2 + 3 * 0) / 4 = 0.05
    s.err.m_CaseNumber = 7;

    const std::string expected =
        "\n\n COUNT OF CASES BY GRID CELL:\n\n"
        "                  abcLonger Total\n\n"
        "Row one            1     2     3\n"
        "Fifteen chars!!     3     4     7\n"
        "\nTotals             4     6    10\n\n"
        " Total number of cases processed (unweighted) =     7\n\n"
        "Tab: Misdemeanor probability by grid cell: \n\n"
        "               abcLonger\n\n"
        "Row one        0.200 0.600\n"
        "Fifteen chars!! 0.250 1.000\n"
        "\n Average Misdemeanor probability (weighted) = 0.500\n\n"
        "Tab: Supervision revocation probability by grid cell: \n\n"
        "               abcLonger\n\n"
        "Row one        0.200 0.000\n"
        "Fifteen chars!! 1.000 1.000\n"
        "\n Average Supervision revocation probability (weighted) = 0.050\n\n";
    EXPECT_EQ(render(writeGridTables, s), expected);

    // No weight in any cell: every average is 0.000, not a division by zero.
    s.st.m_GridNow.create(1, 2, 2);
    const std::string zero = render(writeGridTables, s);
    EXPECT_NE(zero.find(" Average Misdemeanor probability (weighted) = 0.000\n"), std::string::npos) << zero;
    EXPECT_NE(zero.find(" Average Supervision revocation probability (weighted) = 0.000\n"), std::string::npos);
}

TEST(SummaryReport, GridTablesSmallerThanTheirDefinitionsPrintZeros) {
    HandMade h;
    Simulation& s = *h.sim;
    h.addTable("T", {"R"}, {"C1", "C2"});
    // No counts, weights or probabilities at all: nothing is read out of range.
    const std::string text = render(writeGridTables, s);
    EXPECT_NE(text.find("R                  0     0     0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("R              0.000 0.000\n"), std::string::npos) << text;
}

TEST(SummaryReport, StockOptionDecidesFileLinesStockMessageAndSecondReleaseBlock) {
    HandMade h;
    Simulation& s = *h.sim;
    s.stockMessage = "Stock output file stock.out created.";
    auto fileLines = [](const std::string& text) {
        const std::string list = between(text, "were used:\n", "Configuration file:");
        int n = 0;
        for (char c : list) n += c == '\n';
        return n - 1; // the heading's own line end
    };
    s.postprisonOption = 0;
    std::string text = render(writeRunParameters, s);
    EXPECT_EQ(fileLines(text), 12);
    EXPECT_NE(text.find("Stock Tables File : stock121.kov\nConfiguration file:  \n"), std::string::npos) << text;
    EXPECT_EQ(text.find("FOR SANCTIONS"), std::string::npos);
    EXPECT_EQ(text.find("Stock output file"), std::string::npos);

    s.postprisonOption = 2;
    text = render(writeRunParameters, s);
    EXPECT_EQ(fileLines(text), 19);
    EXPECT_NE(text.find("\nStock Option = 2\nStock output file stock.out created.\n"), std::string::npos);
    EXPECT_NE(text.find("options 1,2, and 3:\n\n Probability of supervision violation :"), std::string::npos);

    s.postprisonOption = 3;
    EXPECT_EQ(render(writeRunParameters, s).find("Stock output file"), std::string::npos);
}

TEST(SummaryReport, ClockAndLabelHelpers) {
    EXPECT_EQ(reportDate(referenceClockTime()), "01/01/00");
    EXPECT_EQ(reportTime(referenceClockTime()), "00:00:00");
    std::tm tm{};
    tm.tm_year = 113, tm.tm_mon = 6, tm.tm_mday = 4, tm.tm_hour = 15, tm.tm_min = 6, tm.tm_sec = 9, tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    EXPECT_EQ(reportDate(t), "07/04/13");
    EXPECT_EQ(reportTime(t), "15:06:09");

    EXPECT_EQ(columnHeading("abc"), "   abc");
    EXPECT_EQ(columnHeading("Medium"), "Medium");
    EXPECT_EQ(columnHeading("Habitual"), "Habitu");
    EXPECT_EQ(columnHeading(""), "      ");
    EXPECT_EQ(rowHeading("Level I"), "Level I       ");
    EXPECT_EQ(rowHeading("Fourteen chars"), "Fourteen chars");
    EXPECT_EQ(rowHeading("exactly 15 char"), "exactly 15 char");
    EXPECT_EQ(rowHeading("a label of twenty..."), "a label of twen");

    EXPECT_EQ(releaseParameterLabel(0), "Probability of pre-release :" + std::string(26, ' '));
    EXPECT_EQ(releaseParameterLabel(14).substr(0, 45), "Length of supervision before auto-reduction :");
    for (int i = 0; i < ReleaseCount; ++i) EXPECT_EQ(releaseParameterLabel(i).size(), 54u) << i;
}

TEST(SummaryReport, UnopenableOutputIsReportedAndSkipped) {
    HandMade h;
    h.cfg.setValue(SecFiles, TablesOutputFile, "no_such_folder/tables.out");
    Simulation sim(h.cfg, h.dir.str(), h.host);
    sim.writeSummaryReport();
    ASSERT_EQ(h.host.messages.size(), 1u) << h.host.joined();
    EXPECT_EQ(h.host.messages[0].text, "Unable to open file " + sim.tablesOutputPath());
    EXPECT_EQ(h.host.messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(std::filesystem::exists(sim.tablesOutputPath()));
}

TEST(SummaryReport, WriteFailureIsReportedOnce) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    HandMade h;
    h.cfg.setValue(SecFiles, TablesOutputFile, "/dev/full");
    Simulation sim(h.cfg, h.dir.str(), h.host);
    resetStateTables(sim.st);
    sim.writeSummaryReport();
    ASSERT_EQ(h.host.messages.size(), 1u) << h.host.joined();
    EXPECT_EQ(h.host.messages[0].text, "Error writing file /dev/full");
    EXPECT_EQ(h.host.messages[0].icon, MessageIcon::Stop);
}

} // namespace
} // namespace kov
