// Non-prison sanctions, supervision and jail of one case, worked by hand from
// the month rules: the case starts in month s - 1, jail months are
// ceil(days / 30), supervision ends at month 59, jail at 83, sanctions at 71.
#include "support/test_engine.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>

namespace kov {
namespace {

using test::TestEngine;

std::size_t at(long row, long rowLength, long m) { return static_cast<std::size_t>((row - 1) * rowLength + m); }
double sum(const Series& a) { return std::accumulate(a.begin(), a.end(), 0.0); }
double tsup(const TestEngine& e, int level, int m) { return e.m_Tsup[static_cast<std::size_t>(level * 60 + m)]; }

// One grid table of 2 x 2; the case sits in row 2, column 1, cell index 2.
// The other cells hold 0.77 so that a wrong cell shows.
void setP(TestEngine& e, int p, double value) {
    e.st.P[static_cast<std::size_t>(p)] = {Series{0.77, 0.77, value, 0.77}};
}

void prepare(TestEngine& e, int jailLevel = 1) {
    e.setLabels(VarGender, {"M", "F"});
    e.setLabels(VarRace, {"W", "B"});
    e.setLabels(VarAge, {"0", "31", "99"}); // ages 0..30: group 1, 31 and more: 2, below 0: 3
    e.setLabels(VarOffense, {"A", "B"});
    e.setLabels(VarSentenceLength, {"0", "12"});
    e.setLabels(VarFelonyType, {"1", "2"});
    e.setLabels(VarRegion, {"1", "2", "3", "4"});
    // Jail-length groups: 0..29 days 1, 30..59 2, 60 and more 3, below 0 4.
    e.setLabels(VarJailLength, {"0", "30", "60", "999"});
    auto def = std::make_shared<TableDef>();
    def->rows = 2;
    def->cols = 2;
    e.st.m_Tables = {def};
    for (int p = 0; p < ProbabilityTableCount; ++p) setP(e, p, 0.0);
    e.st.Counties = {County{}};
    e.st.Counties[0].jailLevel = jailLevel;
    for (std::size_t k = 0; k < 8; ++k) {
        const auto rows = static_cast<std::size_t>(e.st.countOrTotal(static_cast<int>(k)));
        e.st.Tjail[k].assign(rows * 85, 0.0);
        for (auto* t : {&e.st.Trt, &e.st.Thd, &e.st.Tcs, &e.st.Trest, &e.st.Tfine}) (*t)[k].assign(rows * 73, 0.0);
    }
    const auto jailGroups = static_cast<std::size_t>(e.st.count(VarJailLength));
    e.st.Tjail[4].assign(jailGroups * 2520, 0.0);
    e.st.Trt[4].assign(jailGroups * 2520, 0.0);
    e.st.Tjailc = {Series(145, 0.0)};
    e.st.Violations.assign(133, 0.0);
    e.m_JailByDays.assign(3600, 0.0);
    e.m_JailTotals.assign(120, 0.0);
    e.m_Tsup.assign(600, 0.0);
}

struct Call {
    int k = 0, category = 1, s = 1, T = 0, restitutionDays = 0, jailDays = 0, sentenceLevel = 1, county = 1;
    double ws = 1.0, wv = 1.0;
    int region = 1, d = 0, age = 20;
    bool totals = true; ///< the call that stands for the totals
};

void run(TestEngine& e, const Call& c) {
    e.noprison({.role = {.table = c.k, .countsTotals = c.totals},
                .category = c.category,
                .month = c.s,
                .cell = {1, 2, 1},
                .prisonTerm = c.T,
                .restitutionDays = c.restitutionDays,
                .jailDays = c.jailDays,
                .sentenceLevel = c.sentenceLevel,
                .county = c.county,
                .region = c.region,
                .randomDay = c.d,
                .age = c.age,
                .sanctionWeight = c.ws,
                .supervisionWeight = c.wv});
}

double& sanction(TestEngine& e, Sanction which) { return e.ctx.params.sanctions[static_cast<std::size_t>(which)]; }

TEST(Noprison, LateSentencingMonthsLoseJailThenSanctionsButKeepTheCountyJail) {
    TestEngine e;
    prepare(e);
    setP(e, 2, 0.5);
    run(e, {.s = 85, .jailDays = 45, .ws = 2.0}); // s - 1 = 84: no jail
    EXPECT_EQ(sum(e.st.Tjail[0]), 0.0);
    EXPECT_EQ(sum(e.m_JailTotals), 0.0);
    EXPECT_EQ(sum(e.m_JailByDays), 0.0);
    EXPECT_EQ(e.st.Tjailc[0][84], 1.0) << "the county array runs to month 143";
    EXPECT_EQ(e.st.Tjailc[0][85], 1.0);

    TestEngine f;
    prepare(f);
    setP(f, 2, 0.5);
    run(f, {.s = 84, .jailDays = 45, .ws = 2.0}); // months 83..84
    EXPECT_EQ(sum(f.st.Tjail[0]), 1.0) << "only month 83 fits the jail table";
    EXPECT_EQ(f.st.Tjail[0][83], 1.0);
    EXPECT_EQ(f.m_JailTotals[83], 1.0);
    EXPECT_EQ(f.m_JailTotals[84], 1.0);
    EXPECT_EQ(f.m_JailByDays[83 * 30], 1.0);
    EXPECT_EQ(f.m_JailByDays[83 * 30 + 44], 1.0);
    EXPECT_EQ(sum(f.m_JailByDays), 45.0);

    // Home detention 0.5 x ws 2 for 3 months, sanctions end at month 71.
    for (const auto& [s, want] : {std::pair{73, 0.0}, std::pair{72, 1.0}}) {
        TestEngine g;
        prepare(g);
        setP(g, 8, 0.5);
        sanction(g, LenHomeDetention) = 3;
        run(g, {.s = s, .ws = 2.0});
        EXPECT_EQ(sum(g.st.Thd[0]), want) << "s = " << s;
        EXPECT_EQ(g.st.Thd[0][71], want) << "s = " << s;
    }

    // Supervision from month 55 for 20 months is kept up to month 59.
    TestEngine h;
    prepare(h); // Pp = Pm = 0: Psup = 1
    run(h, {.s = 56, .T = 20, .wv = 2.0});
    EXPECT_EQ(tsup(h, 0, 54), 0.0);
    for (int m = 55; m < 60; ++m) EXPECT_EQ(tsup(h, 0, m), 2.0) << m;
    EXPECT_EQ(sum(h.m_Tsup), 10.0);
}

TEST(Noprison, AutoReductionStepsTheLevelDownAndNeverLoops) {
    // 20 months at level 3 (index 2), Lauto 6: 0..5 at 2, 6..12 at 1, 13..19 at 0.
    TestEngine e;
    prepare(e);
    sanction(e, LenSupervisionBeforeAutoReduction) = 6;
    run(e, {.T = 20, .sentenceLevel = 3, .wv = 2.0});
    for (int m = 0; m < 20; ++m) {
        const int level = m <= 5 ? 2 : m <= 12 ? 1 : 0;
        EXPECT_EQ(tsup(e, level, m), 2.0) << m;
    }
    EXPECT_EQ(sum(e.m_Tsup), 40.0);

    // No reduction, and negative lengths treated as none: every month at index 2.
    for (double lauto : {0.0, -1.0, -4.0}) {
        TestEngine f;
        prepare(f);
        sanction(f, LenSupervisionBeforeAutoReduction) = lauto;
        run(f, {.T = 20, .sentenceLevel = 3});
        for (int m = 0; m < 20; ++m) EXPECT_EQ(tsup(f, 2, m), 1.0) << "Lauto " << lauto << " month " << m;
        EXPECT_EQ(sum(f.m_Tsup), 20.0);
    }
}

TEST(Noprison, CountyJailLevelOutsideTheTablesGivesNoJail) {
    // Level 1 -> table 2, 19 -> table 20, -1 -> table 0; 25 and -2 name no table.
    for (const auto& [level, table] : {std::pair{1, 2}, std::pair{19, 20}, std::pair{-1, 0}, std::pair{25, -1},
                                      std::pair{-2, -1}}) {
        TestEngine e;
        prepare(e, level);
        for (int p = 0; p < ProbabilityTableCount; ++p) setP(e, p, p == table ? 0.5 : 0.0);
        run(e, {.jailDays = 30, .ws = 2.0});
        EXPECT_EQ(sum(e.st.Tjail[0]), table >= 0 ? 1.0 : 0.0) << "level " << level;
        EXPECT_EQ(sum(e.st.Tjailc[0]), table >= 0 ? 1.0 : 0.0) << "level " << level;
    }
}

TEST(Noprison, SentenceLengthTableCountsByDayAndSkipsGroupsBeyondItsRows) {
    // Table 4, jail-length group 3. s 2, d 5: the day range starts at 35.
    // Jail 40 days as read (45 passed in): days 35..74. Treatment 60 days as
    // read is group 3: days 35..94. Pj 0.5, Prt 0.5, Phd 0.5, ws 2: 1.0 each.
    TestEngine e;
    prepare(e);
    setP(e, 2, 0.5);
    setP(e, 5, 0.5);
    setP(e, 8, 0.5);
    sanction(e, LenHomeDetention) = 2;
    run(e, {.k = 4, .category = 3, .s = 2, .restitutionDays = 65, .jailDays = 45, .ws = 2.0, .d = 5});
    EXPECT_EQ(e.st.Tjail[4][at(3, 2520, 34)], 0.0);
    EXPECT_EQ(e.st.Tjail[4][at(3, 2520, 35)], 1.0);
    EXPECT_EQ(e.st.Tjail[4][at(3, 2520, 74)], 1.0);
    EXPECT_EQ(e.st.Tjail[4][at(3, 2520, 75)], 0.0);
    EXPECT_EQ(sum(e.st.Tjail[4]), 40.0);
    EXPECT_EQ(e.st.Trt[4][at(3, 2520, 35)], 1.0);
    EXPECT_EQ(e.st.Trt[4][at(3, 2520, 94)], 1.0);
    EXPECT_EQ(sum(e.st.Trt[4]), 60.0);
    EXPECT_EQ(e.m_JailTotals[1] + e.m_JailTotals[2], 2.0) << "months 1..2";
    EXPECT_EQ(sum(e.m_JailByDays), 40.0);
    EXPECT_EQ(sum(e.st.Thd[4]), 0.0) << "two sentence-length rows, no row for group 3";

    run(e, {.k = 4, .category = 2, .s = 2, .restitutionDays = 65, .jailDays = 45, .ws = 2.0, .d = 5, .totals = false});
    EXPECT_EQ(e.st.Thd[4][at(2, 73, 1)], 1.0);
    EXPECT_EQ(e.st.Thd[4][at(2, 73, 2)], 1.0);

    // Near the end the day range is cut at day 2520: 83 x 30 + 5 = 2495..2519.
    TestEngine f;
    prepare(f);
    setP(f, 2, 0.5);
    run(f, {.k = 4, .category = 1, .s = 84, .jailDays = 45, .ws = 2.0, .d = 5});
    EXPECT_EQ(sum(f.st.Tjail[4]), 25.0);
    EXPECT_EQ(f.st.Tjail[4][2519], 1.0);
    EXPECT_EQ(sum(f.m_JailByDays), 40.0) << "the daily jail array runs to day 3599";
}

TEST(Noprison, NegativeLengthsStayInsideTheArrays) {
    // Jail 90 days (3 months): supervision from month 3 to 12. Lviol -5 puts
    // the violation at month -2: nothing by month, and the by-day range
    // -60..29 is cut to 0..29. The raise by -3 stops at level 0.
    TestEngine e;
    prepare(e);
    setP(e, 1, 0.5);
    sanction(e, ProbSupervisionViolation) = 1.0;
    sanction(e, LenSupervisionBeforeViolation) = -5;
    sanction(e, LenJailDaysAfterSupervisionViolation) = 30;
    sanction(e, LenIncreasedSupervisionAfterViolation) = 3;
    sanction(e, IncrementSupervisionForViolation) = -3;
    run(e, {.k = 4, .category = 4, .T = 10, .jailDays = 90, .ws = 2.0});
    EXPECT_EQ(sum(e.st.Tjail[4]), 30.0) << "Pnp 0.5 x Pviol 1 x ws 2 for days 0..29";
    EXPECT_EQ(e.st.Tjail[4][at(4, 2520, 29)], 1.0);
    EXPECT_EQ(sum(e.st.Tjailc[0]), 0.0);
    EXPECT_EQ(sum(e.st.Violations), 0.0);
    for (int level = 1; level < 10; ++level)
        for (int m = 0; m < 60; ++m) EXPECT_EQ(tsup(e, level, m), 0.0) << level << " " << m;
}

} // namespace
} // namespace kov
