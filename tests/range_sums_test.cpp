// Range sums against adding every month: by hand on small tables, and on a
// whole run of the demonstration data, table by table.
#include "engine/range_sums.h"
#include "support/set_run.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <utility>

namespace kov {
namespace {

TEST(RangeSums, FlushAddsEveryRangeAndLeavesUncoveredCellsAlone) {
    Series table(10, 0.0);
    table[9] = -0.0; // a cell no range covers keeps even its sign
    table[0] = 5.0;
    RangeSums sums;
    sums.of(table).add(0, 3, 1.5);   // cells 0..3
    sums.of(table).add(2, 8, 0.25);  // cells 2..8, the last one before the end
    sums.add(table, 6, 6, 2.0);      // one cell
    EXPECT_FALSE(sums.empty());
    sums.flush();
    const double want[] = {6.5, 1.5, 1.75, 1.75, 0.25, 0.25, 2.25, 0.25, 0.25};
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(table[i], want[i]) << i;
    EXPECT_TRUE(std::signbit(table[9]));

    // A flush forgets what it added; ranges to the very last cell need the
    // spare difference after it.
    sums.add(table, 5, 9, 1.0);
    sums.flush();
    sums.flush();
    EXPECT_EQ(table[4], 0.25);
    EXPECT_EQ(table[5], 1.25);
    EXPECT_EQ(table[9], 1.0);
}

TEST(RangeSums, SmallCountsBesideLargeOnesComeOutExact) {
    // 1e17 opens at 0 and closes after cell 1; a small 0.1 runs over 1..4. A
    // plain running sum would give 1e17 + 0.1 - 1e17 = 0 at cell 2; the
    // carried rounding error gives the 0.1 that adding month by month gives.
    Series table(6, 0.0);
    RangeSums sums;
    sums.add(table, 0, 1, 1e17);
    sums.add(table, 1, 4, 0.1);
    sums.flush();
    EXPECT_EQ(table[0], 1e17);
    EXPECT_EQ(table[2], 0.1);
    EXPECT_EQ(table[4], 0.1);
    // Where every range has closed the sum is exactly 0: nothing is added,
    // not even the rounding of what closed.
    EXPECT_EQ(table[5], 0.0);
    EXPECT_FALSE(std::signbit(table[5]));
}

// Every table the case loop fills, by name.
using Tables = std::map<std::string, Series>;

void collect(const Simulation& sim, Tables& out) {
    const Engine& e = sim.engine();
    const StateTables& st = e.st;
    auto put = [&](const std::string& name, const Series& s) { out[name] = s; };
    auto putAll = [&](const std::string& name, const auto& list) {
        for (std::size_t i = 0; i < list.size(); ++i) put(name + "[" + std::to_string(i) + "]", list[i]);
    };
    auto putNested = [&](const std::string& name, const auto& lists) {
        for (std::size_t i = 0; i < lists.size(); ++i) putAll(name + "[" + std::to_string(i) + "]", lists[i]);
    };
    const std::pair<const char*, const std::array<Series, 8>*> eights[] = {
        {"Tops", &st.Tops}, {"Tjail", &st.Tjail}, {"Trt", &st.Trt},     {"Thd", &st.Thd},
        {"Tcs", &st.Tcs},   {"Trest", &st.Trest}, {"Tfine", &st.Tfine}};
    for (const auto& [name, list] : eights) putAll(name, *list);
    const std::pair<const char*, const std::array<Series, 3>*> threes[] = {
        {"Tprt", &st.Tprt}, {"Tphd", &st.Tphd}, {"Tpcs", &st.Tpcs}, {"Tprest", &st.Tprest}, {"Tpfine", &st.Tpfine}};
    for (const auto& [name, list] : threes) putAll(name, *list);
    putNested("TotalsByAdmissionGroupAndOffense", st.TotalsByAdmissionGroupAndOffense);
    putNested("CrimeByAgeAndGender", st.CrimeByAgeAndGender);
    putNested("PrisonDemosByFelonyType", st.PrisonDemosByFelonyType);
    putNested("EntryExitTablesByFelony", st.EntryExitTablesByFelony);
    putAll("Tjailc", st.Tjailc);
    putAll("Jailtot", st.Jailtot);
    putAll("Jaildays", st.Jaildays);
    for (const auto& [name, s] : std::map<std::string, const Series*>{
             {"Entry", &st.Entry}, {"Prc", &st.Prc}, {"Parc", &st.Parc}, {"Work", &st.Work}, {"Pwrc", &st.Pwrc},
             {"Totc", &st.Totc}, {"Rel", &st.Rel}, {"CourtReleases", &st.CourtReleases},
             {"Violations", &st.Violations}, {"JailViolations", &st.JailViolations}, {"JailEntry", &st.JailEntry},
             {"m_JailByDays", &e.m_JailByDays}, {"m_JailTotals", &e.m_JailTotals}, {"m_Tsup", &e.m_Tsup},
             {"m_Tpsup", &e.m_Tpsup}, {"courtTotals", &e.courtTotals}})
        put(name, *s);
    put("low", Series(e.low.begin(), e.low.end()));
    put("high", Series(e.high.begin(), e.high.end()));
}

struct DemoRun {
    Tables tables;
    std::string printed; ///< every output file, the clock and the scratch folder masked
    long long counterOperations = 0;
};

// "+factors" after the configuration's name: category factors other than 1,
// one of them negative, so that some tables scale the shared flows and the
// gender table, which stands for the totals, cannot share them.
DemoRun runDemo(std::string config, bool monthByMonth) {
    const std::size_t plus = config.find("+factors");
    test::SetRun demo("../data/demo", config.substr(0, plus));
    const test::ScratchDir& dir = demo.dir;
    if (plus != std::string::npos) {
        std::string labels = dir.read("labels.inp");
        for (const auto& [from, to] : {std::pair{"Female ........ 1.00", "Female ........ -0.50"},
                                       std::pair{"Black ........ 1.00", "Black ........ 0.75"},
                                       std::pair{"25 ........ 1.00", "25 ........ 1.30"}}) {
            const std::size_t at = labels.find(from);
            EXPECT_NE(at, std::string::npos) << from;
            if (at != std::string::npos) labels.replace(at, std::string(from).size(), to);
        }
        dir.write("labels.inp", labels);
    }
    // Every table on, so that the side tables are filled too.
    for (int key : {OutFelonyByAgeAndGender, OutPrisonDemosByFelonyType}) demo.cfg.setValue(SecOutputTables, key, "1");
    DemoRun run;
    EXPECT_EQ(demo.run([&](Simulation& sim) {
        sim.options.monthByMonth = monthByMonth;
        sim.inspectFinishedState = [&](const Simulation& s) {
            collect(s, run.tables);
            run.counterOperations = s.engine().counterOperations;
        };
    }), RunOutcome::Completed) << demo.host.joined();
    for (const char* file : {"tables.out", "county.out", "stock.out"}) {
        if (!dir.exists(file)) continue;
        const std::string text = test::replaceAll(test::withoutClockLines(dir.read(file)), dir.str(), "@DIR@");
        run.printed.append(file).append(":\n").append(text);
    }
    return run;
}

// The releases are differences of neighbouring months' populations: their
// rounding is that of the populations, so they are compared at that scale.
bool isBalance(const std::string& name) {
    return name == "Rel" || name == "CourtReleases" || name.rfind("EntryExitTablesByFelony[5]", 0) == 0 ||
           name.rfind("EntryExitTablesByFelony[6]", 0) == 0;
}

class BothWays : public ::testing::TestWithParam<const char*> {};

TEST_P(BothWays, AgreeToTwelveDigitsAndPrintTheSame) {
    const DemoRun straight = runDemo(GetParam(), true);
    const DemoRun ranges = runDemo(GetParam(), false);
    ASSERT_FALSE(straight.tables.empty());
    EXPECT_EQ(straight.printed, ranges.printed);
    // The tables that share a case's flows get them without operations of their own.
    EXPECT_LT(2 * ranges.counterOperations, straight.counterOperations);
    double populationScale = 0.0;
    for (double v : straight.tables.at("Tops[7]")) populationScale = std::max(populationScale, std::abs(v));
    ASSERT_GT(populationScale, 0.0);
    std::size_t compared = 0, differing = 0;
    for (const auto& [name, a] : straight.tables) {
        const Series& b = ranges.tables.at(name);
        ASSERT_EQ(a.size(), b.size()) << name;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const double scale = isBalance(name) ? populationScale : std::max(std::abs(a[i]), std::abs(b[i]));
            EXPECT_LE(std::abs(a[i] - b[i]), 1e-12 * scale) << name << "[" << i << "]: " << a[i] << " " << b[i];
            if (a[i] == 0.0 || b[i] == 0.0) {
                EXPECT_EQ(a[i], b[i]) << name << "[" << i << "] zero one way only";
            }
            ++compared;
            differing += a[i] != b[i];
        }
    }
    EXPECT_GT(compared, 10000u);
    EXPECT_GT(differing, 0u) << "the two ways really are two ways";
}

INSTANTIATE_TEST_SUITE_P(Demo, BothWays, ::testing::Values("demo.kov", "demo-stock.kov", "demo.kov+factors"),
                         [](const auto& param) {
                             return std::string(param.index == 0 ? "Court" : param.index == 1 ? "StockMicrodata" : "CourtWithFactors");
                         });

} // namespace
} // namespace kov
