#include "input/state_tables_ops.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <utility>

namespace kov {

namespace {

/// Distinct counts so a table sized by the wrong variable shows:
/// G 2, R 3, A 4, O 5, L 7, F 3, region 6, jail length 8; two grids 3x4 and 5x2; two counties.
StateTables smallConfiguration() {
    StateTables st;
    resetStateTables(st);
    const int counts[VariableCount] = {2, 3, 4, 5, 7, 3, 6, 8};
    for (int k = 0; k < VariableCount; ++k) {
        auto& v = st.Values[static_cast<std::size_t>(k)];
        v.name = "Variable " + std::to_string(k);
        v.count = counts[k];
        v.labelsptr.resize(static_cast<std::size_t>(counts[k]));
    }
    for (auto [rows, cols] : {std::pair{3, 4}, std::pair{5, 2}}) {
        auto def = std::make_shared<TableDef>();
        def->rows = rows;
        def->cols = cols;
        st.m_Tables.push_back(def);
    }
    st.Counties.resize(2);
    return st;
}

template <std::size_t N>
std::vector<std::size_t> sizes(const std::array<Series, N>& a) {
    std::vector<std::size_t> s;
    for (const auto& v : a) s.push_back(v.size());
    return s;
}

using Sizes = std::vector<std::size_t>;

void expectAllReleased(const StateTables& st) {
    for (const Series* s : {&st.Entry, &st.Prc, &st.Parc, &st.Work, &st.Pwrc, &st.Totc, &st.Rel, &st.CourtReleases,
                            &st.Violations, &st.Timers, &st.JailViolations, &st.JailEntry, &st.StockSum}) {
        EXPECT_TRUE(s->empty());
        EXPECT_EQ(s->capacity(), 0u);
    }
    for (const auto* t : {&st.Tprt, &st.Tphd, &st.Tpcs, &st.Tprest, &st.Tpfine})
        EXPECT_EQ(sizes(*t), Sizes(3, 0));
    for (const auto* t : {&st.Tjail, &st.Trt, &st.Thd, &st.Tcs, &st.Trest, &st.Tfine, &st.Tops, &st.Stocks})
        EXPECT_EQ(sizes(*t), Sizes(8, 0));
    EXPECT_EQ(sizes(st.TrendsByAdmissionGroup), Sizes(15, 0));
    EXPECT_TRUE(st.TotalsByAdmissionGroupAndOffense.empty() && st.StockForAdmissionGroups.empty() &&
                st.CrimeByAgeAndGender.empty() && st.StockForFelonyType.empty() && st.PrisonDemosByFelonyType.empty() &&
                st.StockForAgeAndGender.empty());
    for (const auto& series : st.EntryExitTablesByFelony) EXPECT_TRUE(series.empty());
    EXPECT_TRUE(st.Tjailc.empty() && st.Jailtot.empty() && st.Jaildays.empty());
    EXPECT_TRUE(st.m_ProbCounts.empty() && st.m_GridNow.empty());
    EXPECT_EQ(st.m_ProbCounts.d0, 0);
    EXPECT_TRUE(st.m_Tables.empty() && st.Postables.empty() && st.Counties.empty());
    for (const auto& v : st.Values) EXPECT_TRUE(v.labelsptr.empty());
}

} // namespace

// No reference or demonstration run asks for the workbook of offenses, so
// nothing else would notice these tables made too small.
TEST(StateTables, TheOffensesWorkbookSwitchBringsItsTables) {
    StateTables st = smallConfiguration();
    RecordingHost host;
    TableSwitches sw;
    sw.excelFileForOffenses = true;
    ASSERT_TRUE(allocateStateTables(st, sw, host)) << host.joined();
    ASSERT_EQ(st.TotalsByAdmissionGroupAndOffense.size(), 3u);
    ASSERT_EQ(st.StockForAdmissionGroups.size(), 3u);
    for (std::size_t f = 0; f < 3; ++f) {
        ASSERT_EQ(st.TotalsByAdmissionGroupAndOffense[f].size(), 5u);
        ASSERT_EQ(st.StockForAdmissionGroups[f].size(), 5u);
        for (std::size_t o = 0; o < 5; ++o) {
            EXPECT_EQ(st.TotalsByAdmissionGroupAndOffense[f][o].size(), 120u);
            EXPECT_EQ(st.StockForAdmissionGroups[f][o].size(), 121u);
        }
    }
    EXPECT_TRUE(st.CrimeByAgeAndGender.empty() && st.StockForFelonyType.empty());
    FreeMemoryArrays(st);
    expectAllReleased(st);
}

TEST(StateTables, TimersCoverEverySentenceLengthCategory) {
    StateTables st = smallConfiguration();
    st.Values[VarSentenceLength].count = 9;
    RecordingHost host;
    ASSERT_TRUE(allocateStateTables(st, TableSwitches{}, host)) << host.joined();
    EXPECT_EQ(st.Timers.size(), 9u);
    EXPECT_EQ(st.Stocks[4].size(), 9u * 121u);
    FreeMemoryArrays(st);

    st = smallConfiguration();
    st.Values[VarSentenceLength].count = 3;
    ASSERT_TRUE(allocateStateTables(st, TableSwitches{}, host));
    EXPECT_EQ(st.Timers.size(), 7u);
}

TEST(StateTables, ReleaseTwiceFreesSharedGridDefinitionsOnce) {
    StateTables st = smallConfiguration();
    // Single grid: the postprison tables designate the court definitions.
    st.Postables = st.m_Tables;
    st.m_TableNames = {"A", "B"};
    std::weak_ptr<TableDef> first = st.m_Tables[0];
    st.P[1].assign(2, Series(12, 0.5));
    st.Pp[0].assign(2, Series(12, 0.5));
    st.Suplengths[1] = {1, 2, 3};
    st.Parray[1].assign(3, Series(5, 0.0));
    st.Pparray[0].assign(5, 0.0);
    RecordingHost host;
    TableSwitches all{true, true, true};
    ASSERT_TRUE(allocateStateTables(st, all, host)) << host.joined();

    FreeMemoryArrays(st);
    EXPECT_TRUE(first.expired());
    expectAllReleased(st);
    EXPECT_TRUE(st.P[1].empty() && st.Pp[0].empty() && st.Suplengths[1].empty() && st.Parray[1].empty() &&
                st.Pparray[0].empty());
    // The labels reader owns the names and counts; only the label entries go.
    EXPECT_EQ(st.Values[VarJailLength].count, 8);
    EXPECT_EQ(st.Values[VarJailLength].name, "Variable 7");

    FreeMemoryArrays(st);
    expectAllReleased(st);
}

TEST(StateTables, OversizedTableStopsWithItsMessageButTrendsAndStocksStillComeUp) {
    StateTables st = smallConfiguration();
    // 200000 jail-length groups x 2520 days exceeds the per-table limit.
    st.Values[VarJailLength].count = 200000;
    RecordingHost host;
    EXPECT_FALSE(allocateStateTables(st, TableSwitches{true, true, true}, host));
    EXPECT_EQ(host.only(), "Unable to allocate memory for Tjail[4]");
    EXPECT_EQ(st.Tjail[3].size(), 425u);
    EXPECT_TRUE(st.Trt[4].empty());
    EXPECT_TRUE(st.Entry.empty());
    EXPECT_EQ(sizes(st.TrendsByAdmissionGroup), Sizes(15, 3));
    EXPECT_EQ(sizes(st.Stocks), (Sizes{242, 363, 484, 605, 847, 363, 726, 121}));
    EXPECT_TRUE(st.StockSum.empty() && st.m_ProbCounts.empty());
    // What a failed allocation made is released as a whole one is, twice over.
    FreeMemoryArrays(st);
    expectAllReleased(st);
    FreeMemoryArrays(st);
    expectAllReleased(st);
}

TEST(StateTables, NegativeCountsFailWithTheItemMessage) {
    {
        StateTables st = smallConfiguration();
        st.Values[VarAge].count = -1;
        RecordingHost host;
        EXPECT_FALSE(allocateStateTables(st, TableSwitches{}, host));
        // Tjail[2] stops the allocation; the stock step still runs and fails at its own age table.
        EXPECT_EQ(host.joined(), "Unable to allocate memory for Tjail[2]|Unable to allocate memory for Stocks[2]");
        EXPECT_EQ(st.Stocks[1].size(), 363u);
        EXPECT_TRUE(st.Stocks[3].empty());
    }
    {
        StateTables st = smallConfiguration();
        st.Values[VarFelonyType].count = -2;
        RecordingHost host;
        TableSwitches sw;
        sw.prisonDemosByFelonyType = true;
        EXPECT_FALSE(allocateStateTables(st, sw, host));
        // The felony-type jail table comes first; the trend step fails too, and
        // the stock step still runs after it.
        EXPECT_EQ(host.joined(), "Unable to allocate memory for Tjail[5]|"
                                 "Unable to allocate memory for TrendsByAdmissionGroup[0]|"
                                 "Unable to allocate memory for Stocks[5]");
        for (const auto& m : host.messages) EXPECT_EQ(m.icon, MessageIcon::Stop);
    }
}

TEST(StateTables, GridArraysTooLargeReportTheReason) {
    StateTables st = smallConfiguration();
    st.m_Tables[1]->rows = INT_MAX;
    st.m_Tables[1]->cols = INT_MAX;
    RecordingHost host;
    EXPECT_FALSE(allocateStateTables(st, TableSwitches{}, host));
    EXPECT_EQ(host.only(), "Could not create m_ProbCounts because the table is larger than the limit");
    EXPECT_TRUE(st.m_ProbCounts.empty() && st.m_GridNow.empty());
    EXPECT_EQ(st.m_ProbCounts.d1, 0); // no shape left behind without storage
    EXPECT_EQ(st.StockSum.size(), 121u);
}

TEST(StateTables, CountsThatEachFitCannotMultiplyIntoAnImpossibleAllocation) {
    // 3000 genders x 3000 age groups x 50 offenses x 120 months would be 54e9
    // doubles; each count alone is acceptable.
    StateTables st = smallConfiguration();
    st.Values[VarGender].count = 3000;
    st.Values[VarAge].count = 3000;
    st.Values[VarOffense].count = 50;
    RecordingHost host;
    EXPECT_FALSE(allocateStateTables(st, TableSwitches{false, true, false}, host));
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].text.rfind("Unable to allocate memory for CrimeByAgeAndGender[", 0), 0u)
        << host.joined();
}

} // namespace kov
