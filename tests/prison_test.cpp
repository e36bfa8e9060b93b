// Prison term flows, every expected value worked by hand from the rules of the
// term, pre-release, pre-release failure, release and supervision revocation.
#include "support/test_engine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kov {
namespace {

using test::TestEngine;

std::size_t at(int v) { return static_cast<std::size_t>(v); }

// One grid table of 2 x 3; the case sits in row 2, column 3 (cell 5). The
// other cells hold 0.9 so that a wrong cell index shows.
void setGrid(TestEngine& e, double P, double Q, double R) {
    auto def = std::make_shared<TableDef>();
    def->rows = 2;
    def->cols = 3;
    e.st.m_Tables = {def};
    const std::pair<int, double> tables[] = {{1, P}, {0, Q}, {20, R}};
    for (const auto& [outcome, value] : tables) {
        Series cells(6, 0.9);
        cells[5] = value;
        e.st.P[at(outcome)] = {cells};
    }
}

void allocateCounters(TestEngine& e) {
    for (Series* c : {&e.st.Entry, &e.st.Prc, &e.st.Parc, &e.st.Work, &e.st.Pwrc}) c->assign(121, 0.0);
}

TestEngine& makeEngine(TestEngine& e, double P, double Q = 0.0, double R = 0.0) {
    setGrid(e, P, Q, R);
    allocateCounters(e);
    e.st.Tops[7].assign(120, 0.0);
    e.currentTable = 7;
    return e;
}

void admit(TestEngine& e, int s, double w, int S, int code = -99, int L = 0) {
    e.prison(&e.st.Tops[7], 1, s, 2, 3, 1, w, S, code, L, nullptr, 1, 1, 1, 1);
}

struct Flow {
    int a, b; // months, 1-based, inclusive
    double d;
};

Series sumOf(std::initializer_list<Flow> flows) {
    Series x(120, 0.0);
    for (const Flow& f : flows)
        for (int m = f.a; m <= f.b; ++m) x[at(m - 1)] += f.d;
    return x;
}

// Months 1..120 of row `row` (0-based) of a table of 120-month rows.
void expectRow(const Series& actual, int row, const Series& want, const std::string& what) {
    ASSERT_GE(actual.size(), at(row + 1) * 120) << what;
    for (int m = 1; m <= 120; ++m)
        EXPECT_NEAR(actual[at(row * 120 + m - 1)], want[at(m - 1)], 1e-9) << what << ", month " << m;
}

// A counter holds exactly the given month events (cell m - 1), zero elsewhere.
void expectEvents(const Series& counter, std::initializer_list<std::pair<int, double>> events,
                  const std::string& what) {
    Series want(counter.size(), 0.0);
    for (const auto& [m, d] : events) want[at(m - 1)] += d;
    ASSERT_EQ(counter.size(), want.size()) << what;
    for (std::size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(counter[i], want[i], 1e-9) << what << ", cell " << i;
}

double total(const Series& a) {
    double t = 0.0;
    for (double v : a) t += v;
    return t;
}

// Ppre 0.4, Lpre 6, Pcomp 0.5, Ladd 3, Prel 0.2, Lrel 2, Lrev1 4, Lsr 6.
void setRelease(TestEngine& e) {
    auto& r = e.ctx.params.release;
    r[ProbPreRelease] = 0.4, r[LenPreRelease] = 6, r[ProbCompletePreRelease] = 0.5;
    r[LenAddedTermAfterPreReleaseRevoked] = 3, r[ProbReleaseRevocation] = 0.2;
    r[LenReleaseBeforeRevocation] = 2, r[LenPrison1stRevocation] = 4;
    e.ctx.params.sanctions[LenSupervisionBeforeRevocation] = 6;
}

TEST(Prison, WithoutATermOnlySupervisionRevocationsEnterPrison) {
    // Release parameters that would show if any later step ran.
    {   // P = 0: d = (1 - 0 - 0.2) x 0.5 x 10 = 4 over 26..37 (r = 20 + 6, L = 12).
        TestEngine e;
        makeEngine(e, 0.0, 0.2, 0.5);
        setRelease(e);
        admit(e, 20, 10.0, 24, -99, 12);
        expectRow(e.st.Tops[7], 0, sumOf({{26, 37, 4.0}}), "P = 0");
        expectEvents(e.st.Prc, {{26, 4.0}}, "Prc");
        for (const Series* c : {&e.st.Entry, &e.st.Work, &e.st.Pwrc, &e.st.Parc}) EXPECT_EQ(total(*c), 0.0);
    }
    {   // S = 0, P = 0.5: d = (1 - 0.5 - 0.2) x 0.5 x 10 = 1.5.
        TestEngine e;
        makeEngine(e, 0.5, 0.2, 0.5);
        setRelease(e);
        admit(e, 20, 10.0, 0, -99, 12);
        expectRow(e.st.Tops[7], 0, sumOf({{26, 37, 1.5}}), "S = 0");
        expectEvents(e.st.Prc, {{26, 1.5}}, "Prc");
        EXPECT_EQ(total(e.st.Entry) + total(e.st.Work) + total(e.st.Pwrc) + total(e.st.Parc), 0.0);
    }
    {   // No parole months, or q = (109 + 11) / 12 = 10: no revocation either.
        TestEngine e;
        makeEngine(e, 0.0, 0.2, 0.5);
        setRelease(e);
        admit(e, 20, 10.0, 0, -99, 0);
        admit(e, 109, 10.0, 0, -99, 3); // r = 115 is inside the horizon
        EXPECT_EQ(total(e.st.Tops[7]), 0.0);
        EXPECT_EQ(total(e.st.Prc), 0.0);
    }
}

TEST(Prison, ALateAdmissionFillsTheHorizonAndIsStillCounted) {
    // s = 115, S = 24: w x P = 5 over 115..min(138, 120); Entry at 115.
    TestEngine e;
    makeEngine(e, 0.5);
    admit(e, 115, 10.0, 24);
    expectRow(e.st.Tops[7], 0, sumOf({{115, 120, 5.0}}), "term");
    expectEvents(e.st.Entry, {{115, 5.0}}, "Entry");
    EXPECT_EQ(e.err.m_FunctionName, std::string("prison"));
    EXPECT_EQ(e.err.m_LineNumber, 7000);
}

TEST(Prison, PreReleaseTakesTheLastMonthsOfTheTerm) {
    // s = 1, S = 24, Lpre = 6: e = 24, p = 19; d = 10 x 0.4 x 0.5 = 2 leaves 19..24.
    // Pcomp = 1 keeps failures at 0. The admission a year earlier (j = 1) moves
    // to pre-release at p - 12 = 7 until e - 12 = 12 with v = 10 x TrendWeights[14].
    for (double backup : {0.0, 1.0}) {
        TestEngine e;
        makeEngine(e, 0.5);
        auto& r = e.ctx.params.release;
        r[ProbPreRelease] = 0.4, r[LenPreRelease] = 6, r[ProbCompletePreRelease] = 1.0;
        for (int i = 10; i < 15; ++i) e.ctx.params.TrendWeights[at(i)] = backup;
        admit(e, 1, 10.0, 24);
        const double earlier = 0.4 * 10.0 * backup * 0.5;
        expectRow(e.st.Tops[7], 0, sumOf({{1, 24, 5.0}, {19, 24, -2.0}, {7, 12, -earlier}}), "term");
        expectEvents(e.st.Work, {{19, 2.0}, {7, earlier}}, "Work");
        expectEvents(e.st.Entry, {{1, 5.0}}, "Entry");
    }
}

TEST(Prison, PreReleaseNeedsALengthAboveOneMonthButFailuresDoNot) {
    // s = 20, S = 24: e = 43. Failures: f = 43 + 1 - trunc(Lpre / 2) = 44 for Lpre 1,
    // end = 43 + 3 = 46, d = 10 x 0.5 x 0.4 x (1 - 0.5) = 1.
    for (double Lpre : {1.0, 1.5}) {
        TestEngine e;
        makeEngine(e, 0.5);
        auto& r = e.ctx.params.release;
        r[ProbPreRelease] = 0.4, r[LenPreRelease] = Lpre, r[ProbCompletePreRelease] = 0.5;
        r[LenAddedTermAfterPreReleaseRevoked] = 3;
        admit(e, 20, 10.0, 24);
        if (Lpre == 1.0) {
            expectRow(e.st.Tops[7], 0, sumOf({{20, 43, 5.0}, {44, 46, 1.0}}), "Lpre 1.0");
            EXPECT_EQ(total(e.st.Work), 0.0);
        } else {
            // 1.5 exceeds 1.0 but counts as one month: p = 43 - 1 + 1 = 43, d = 2.
            expectRow(e.st.Tops[7], 0, sumOf({{20, 43, 5.0}, {43, 43, -2.0}, {44, 46, 1.0}}), "Lpre 1.5");
            expectEvents(e.st.Work, {{43, 2.0}}, "Work");
        }
        expectEvents(e.st.Pwrc, {{44, 1.0}}, "Pwrc");
    }
}

// s = 5, S = 24, w = 10, P = 0.5, Q = 0.1, R = 0.5, Lsr = 6, L = 12, Lpre = 6,
// Ppre = 0.4, Pcomp = 0.5, Ladd = 3, Prel = 0.2, Lrel = 2, Lrev1 = 4; e = 28.
// Every case: term 5 over 5..28; failures f = 26, 1 over 26..31; release r = 31,
// 1 over 31..34, earlier years 1 over 19..22 and 7..10 (r - 12, r - 24).
// Not back-dated also: supervision r = 11, d = 0.4 x 0.5 x 10 = 2 over 11..22;
// pre-release p = 23, 2 off 23..28, a year earlier 2 off 11..16; earlier
// failures 0.5 x 0.5 x 0.4 x 10 = 1 over 14..19 and 2..7.
TEST(Prison, BackDatedAdmissionsSkipSupervisionRevocationAndPreRelease) {
    auto run = [](TestEngine& e, int code) {
        makeEngine(e, 0.5, 0.1, 0.5);
        e.postprisonOption = 3;
        setRelease(e);
        admit(e, 5, 10.0, 24, code, 12);
    };
    const Series common = sumOf({{5, 28, 5.0}, {26, 31, 1.0}, {31, 34, 1.0}, {19, 22, 1.0}, {7, 10, 1.0}});
    for (int code : {-66, -83}) {
        TestEngine e;
        run(e, code);
        expectRow(e.st.Tops[7], 0, common, "back-dated " + std::to_string(code));
        EXPECT_EQ(total(e.st.Prc), 0.0);
        EXPECT_EQ(total(e.st.Work), 0.0);
        expectEvents(e.st.Pwrc, {{26, 1.0}}, "Pwrc");
        expectEvents(e.st.Parc, {{31, 1.0}, {19, 1.0}, {7, 1.0}}, "Parc");
    }
    TestEngine e;
    run(e, -99);
    Series want = common;
    const Series more = sumOf({{11, 22, 2.0}, {23, 28, -2.0}, {11, 16, -2.0}, {14, 19, 1.0}, {2, 7, 1.0}});
    for (std::size_t i = 0; i < want.size(); ++i) want[i] += more[i];
    expectRow(e.st.Tops[7], 0, want, "ordinary");
    expectEvents(e.st.Prc, {{11, 2.0}}, "Prc");
    expectEvents(e.st.Work, {{23, 2.0}, {11, 2.0}}, "Work");
    expectEvents(e.st.Pwrc, {{26, 1.0}, {14, 1.0}, {2, 1.0}}, "Pwrc");
}

// w = 8, P = 0.5, Q = 0.1, R = 0.5, S = 36, Lsr = 30, L = 6, no pre-release,
// Ppre = 0.4, Pcomp = 0.5, Ladd = 6, Prel = 0.25, Lrel = 12, Lrev1 = 3;
// TrendWeights[15] = 2, [14] = 0.5, [13] = 4, [12] = 0.25, [11] = 2, [10] = 1.
TEST(Prison, OnlyFirstYearAdmissionsCarryTheEarlierYears) {
    auto run = [](TestEngine& e, int s) {
        makeEngine(e, 0.5, 0.1, 0.5);
        auto& r = e.ctx.params.release;
        r[ProbPreRelease] = 0.4, r[ProbCompletePreRelease] = 0.5, r[LenAddedTermAfterPreReleaseRevoked] = 6;
        r[ProbReleaseRevocation] = 0.25, r[LenReleaseBeforeRevocation] = 12, r[LenPrison1stRevocation] = 3;
        e.ctx.params.sanctions[LenSupervisionBeforeRevocation] = 30;
        auto& tw = e.ctx.params.TrendWeights;
        tw[15] = 2, tw[14] = 0.5, tw[13] = 4, tw[12] = 0.25, tw[11] = 2, tw[10] = 1;
        admit(e, s, 8.0, 36, -99, 6);
    };
    {   // s = 3: e = 38.
        // Supervision r = 33, d = 0.4 x 0.5 x 8 = 1.6; earlier 1.6 / 2 x 0.5 = 0.4 at 21, 9.
        // Failures f = 39..44, 0.8; earlier v = 4, 16, 4: 0.4 at 27..32, 1.6 at 15..20, 0.4 at 3..8.
        // Release r = 51..53, 1; earlier v = 4, 16, 4, 8: 0.5 at 39, 2 at 27, 0.5 at 15, 1 at 3.
        TestEngine e;
        run(e, 3);
        expectRow(e.st.Tops[7], 0,
                  sumOf({{3, 38, 4.0}, {33, 38, 1.6}, {21, 26, 0.4}, {9, 14, 0.4}, {39, 44, 0.8}, {27, 32, 0.4},
                         {15, 20, 1.6}, {3, 8, 0.4}, {51, 53, 1.0}, {39, 41, 0.5}, {27, 29, 2.0}, {15, 17, 0.5},
                         {3, 5, 1.0}}),
                  "s = 3");
        expectEvents(e.st.Entry, {{3, 4.0}}, "Entry");
        expectEvents(e.st.Prc, {{33, 1.6}, {21, 0.4}, {9, 0.4}}, "Prc");
        expectEvents(e.st.Pwrc, {{39, 0.8}, {27, 0.4}, {15, 1.6}, {3, 0.4}}, "Pwrc");
        expectEvents(e.st.Parc, {{51, 1.0}, {39, 0.5}, {27, 2.0}, {15, 0.5}, {3, 1.0}}, "Parc");
    }
    {   // s = 15: e = 50; only this year's flows.
        TestEngine e;
        run(e, 15);
        expectRow(e.st.Tops[7], 0, sumOf({{15, 50, 4.0}, {45, 50, 1.6}, {51, 56, 0.8}, {63, 65, 1.0}}), "s = 15");
        expectEvents(e.st.Prc, {{45, 1.6}}, "Prc");
        expectEvents(e.st.Pwrc, {{51, 0.8}}, "Pwrc");
        expectEvents(e.st.Parc, {{63, 1.0}}, "Parc");
    }
}

// TrendWeights[14] = 0.5, [13] = 2, [12] = 0.25, the others 1; s = 1, w = 10, P = 0.5.
TEST(Prison, EarlierYearsBeyondTheHorizonAreSkippedWithTheirOwnWeightRules) {
    auto setTrend = [](TestEngine& e) {
        auto& tw = e.ctx.params.TrendWeights;
        tw[14] = 0.5, tw[13] = 2, tw[12] = 0.25;
    };
    {   // Pre-release, S = 140, Lpre = 6: p = 135 is past the term's last month 120.
        // j = 1: p = 123 skipped before its weight; j = 2: v = 10 x 2 = 20, 4 off 111..116;
        // j = 3..5: v = 5, 1 off 99..104, 87..92, 75..80.
        TestEngine e;
        makeEngine(e, 0.5);
        setTrend(e);
        auto& r = e.ctx.params.release;
        r[ProbPreRelease] = 0.4, r[LenPreRelease] = 6, r[ProbCompletePreRelease] = 1.0;
        admit(e, 1, 10.0, 140);
        expectRow(e.st.Tops[7], 0,
                  sumOf({{1, 120, 5.0}, {111, 116, -4.0}, {99, 104, -1.0}, {87, 92, -1.0}, {75, 80, -1.0}}),
                  "pre-release");
        expectEvents(e.st.Work, {{111, 4.0}, {99, 1.0}, {87, 1.0}, {75, 1.0}}, "Work");
    }
    {   // Release revocation, S = 139, Lrel = 0, Lrev1 = 2: r = 140. The weight moves first:
        // j = 1: v = 5, r = 128 skipped; j = 2: v = 10, 0.5 x 0.2 x 10 = 1 at 116..117;
        // j = 3..5: v = 2.5, 0.25 at 104..105, 92..93, 80..81.
        TestEngine e;
        makeEngine(e, 0.5);
        setTrend(e);
        auto& r = e.ctx.params.release;
        r[ProbReleaseRevocation] = 0.2, r[LenPrison1stRevocation] = 2;
        admit(e, 1, 10.0, 139);
        expectRow(e.st.Tops[7], 0,
                  sumOf({{1, 120, 5.0}, {116, 117, 1.0}, {104, 105, 0.25}, {92, 93, 0.25}, {80, 81, 0.25}}),
                  "release revocation");
        expectEvents(e.st.Parc, {{116, 1.0}, {104, 0.25}, {92, 0.25}, {80, 0.25}}, "Parc");
    }
}

TEST(Prison, TheAgeTableRegroupsTheAgeEveryMonth) {
    // Lower bounds 20, 30, 31, 32: 20..29 group 1, 30 group 2, 31 group 3, 32+ group 4, below 20 group 5.
    auto run = [](TestEngine& e, int s, int S) {
        makeEngine(e, 0.5);
        e.setLabels(VarAge, {"20", "30", "31", "32", "0"});
        e.st.Tops[2].assign(5 * 120, 0.0);
        e.st.PrisonDemosByFelonyType.resize(1);
        e.st.PrisonDemosByFelonyType[0][2].assign(5 * 120, 0.0);
        e.currentTable = 2;
        e.inTotals = false;
        e.postprisonOption = 3;
        e.prison(&e.st.Tops[2], 1, s, 2, 3, 1, 10.0, S, 30, 0, nullptr, 1, 1, 1, 1);
    };
    {   // s = 20: q = 31 / 12 = 2, age 30 + m / 24: months 20..23 at 30, 24..47 at 31, 48..59 at 32.
        TestEngine e;
        run(e, 20, 40);
        for (const Series* table : {&e.st.Tops[2], &e.st.PrisonDemosByFelonyType[0][2]}) {
            expectRow(*table, 0, sumOf({}), "group 1");
            expectRow(*table, 1, sumOf({{20, 23, 5.0}}), "group 2");
            expectRow(*table, 2, sumOf({{24, 47, 5.0}}), "group 3");
            expectRow(*table, 3, sumOf({{48, 59, 5.0}}), "group 4");
            expectRow(*table, 4, sumOf({}), "group 5");
        }
        EXPECT_EQ(total(e.st.Entry), 0.0) << "not the totals' call";
    }
    {   // Back-dated s = -20: q = -9 / 12 = 0 (toward zero), no ageing factor: the last group.
        // The term s..s + 29 = 9 starts at month 1 under post-prison option 3.
        TestEngine e;
        run(e, -20, 30);
        expectRow(e.st.Tops[2], 4, sumOf({{1, 9, 5.0}}), "q = 0");
        EXPECT_NEAR(total(e.st.Tops[2]), 45.0, 1e-9);
    }
    {   // s = -30: q = -19 / 12 = -1, age 30 - m / 12 is 29.x over months 1..9: group 1.
        TestEngine e;
        run(e, -30, 40);
        expectRow(e.st.Tops[2], 0, sumOf({{1, 9, 5.0}}), "q = -1");
        EXPECT_NEAR(total(e.st.Tops[2]), 45.0, 1e-9);
    }
}

// Felony types F = 2 and offenses O = 3; every side table allocated.
void allocateSideTables(TestEngine& e) {
    e.st.PrisonDemosByFelonyType.resize(2);
    for (auto& f : e.st.PrisonDemosByFelonyType) {
        f[3].assign(3 * 120, 0.0);
        f[7].assign(120, 0.0);
    }
    e.st.TotalsByAdmissionGroupAndOffense.assign(2, SeriesList(3, Series(120, 0.0)));
    for (auto& event : e.st.EntryExitTablesByFelony) event.assign(2, Series(121, 0.0));
    e.st.CrimeByAgeAndGender.assign(2, SeriesList(3, Series(3 * 120, 0.0)));
}

double sideTablesTotal(const TestEngine& e) {
    double t = 0.0;
    for (const auto& f : e.st.PrisonDemosByFelonyType)
        for (const auto& k : f) t += total(k);
    for (const auto* list : {&e.st.TotalsByAdmissionGroupAndOffense, &e.st.CrimeByAgeAndGender})
        for (const auto& l : *list)
            for (const auto& s : l) t += total(s);
    for (const auto& event : e.st.EntryExitTablesByFelony)
        for (const auto& s : event) t += total(s);
    for (const Series* c : {&e.st.Entry, &e.st.Prc, &e.st.Parc, &e.st.Work, &e.st.Pwrc}) t += total(*c);
    return t + total(e.st.Tops[3]) + total(e.st.Tops[7]);
}

TEST(Prison, TheCrimeByAgeAndGenderCallTouchesNothingElse) {
    // Offense 2 of gender 2, age group 3: term 5 over 20..31; supervision r = 23,
    // d = (1 - 0.5 - 0.1) x 0.5 x 10 = 2 over 23..24.
    TestEngine e;
    makeEngine(e, 0.5, 0.1, 0.5);
    e.st.Tops[3].assign(3 * 120, 0.0);
    allocateSideTables(e);
    e.ctx.params.sanctions[LenSupervisionBeforeRevocation] = 3;
    e.inTotals = true;
    e.currentTable = 3;
    e.prison(nullptr, 2, 20, 2, 3, 1, 10.0, 12, -99, 2, &e.st.CrimeByAgeAndGender, 2, 3, 2, 2);
    const Series& cell = e.st.CrimeByAgeAndGender[1][2];
    expectRow(cell, 1, sumOf({{20, 31, 5.0}, {23, 24, 2.0}}), "offense 2");
    EXPECT_NEAR(sideTablesTotal(e), total(cell), 1e-9) << "only that array moved";

    // A gender past the array is left out, not written elsewhere.
    const double before = sideTablesTotal(e);
    e.prison(nullptr, 2, 20, 2, 3, 1, 10.0, 12, -99, 2, &e.st.CrimeByAgeAndGender, 3, 3, 2, 2);
    EXPECT_EQ(sideTablesTotal(e), before);
}

TEST(Prison, CountersAndOffenseTotalsMoveOnlyForTheTotalsCall) {
    // Felony type 2, offense 3, s = 20, S = 12: 5 over 20..31; Lpre = 6, p = 26, 2 off 26..31.
    for (bool inTotals : {false, true}) {
        TestEngine e;
        makeEngine(e, 0.5);
        allocateSideTables(e);
        auto& r = e.ctx.params.release;
        r[ProbPreRelease] = 0.4, r[LenPreRelease] = 6, r[ProbCompletePreRelease] = 1.0;
        e.inTotals = inTotals;
        e.prison(&e.st.Tops[7], 1, 20, 2, 3, 1, 10.0, 12, -99, 0, nullptr, 1, 1, 2, 3);
        const Series term = sumOf({{20, 31, 5.0}, {26, 31, -2.0}});
        expectRow(e.st.Tops[7], 0, term, "population");
        expectRow(e.st.PrisonDemosByFelonyType[1][7], 0, term, "felony type 2, totals table");
        const double scale = inTotals ? 1.0 : 0.0;
        Series offense = term;
        for (double& v : offense) v *= scale;
        expectRow(e.st.TotalsByAdmissionGroupAndOffense[1][2], 0, offense, "felony 2, offense 3");
        expectEvents(e.st.Entry, {{20, 5.0 * scale}}, "Entry");
        expectEvents(e.st.Work, {{26, 2.0 * scale}}, "Work");
        expectEvents(e.st.EntryExitTablesByFelony[0][1], {{20, 5.0 * scale}}, "entries of felony 2");
        expectEvents(e.st.EntryExitTablesByFelony[3][1], {{26, 2.0 * scale}}, "pre-release of felony 2");
        // Pwrc counts 0 (Pcomp = 1), so with the felony 2 rows above this is everything.
        const double felony2 = 2 * total(term) + scale * (total(term) + 5.0 + 2.0 + 5.0 + 2.0);
        EXPECT_NEAR(sideTablesTotal(e), felony2, 1e-9);
    }
}

TEST(Prison, IndexesOutsideTheTablesAreLeftOut) {
    TestEngine e;
    makeEngine(e, 0.5);
    e.st.Tops[0].assign(2 * 120, 0.0);
    e.st.PrisonDemosByFelonyType.resize(2);
    e.st.PrisonDemosByFelonyType[1][0].assign(2 * 120, 0.0);
    e.st.TotalsByAdmissionGroupAndOffense.assign(2, SeriesList(3, Series(120, 0.0)));
    e.currentTable = 0;
    // Category 3 of two, felony type 5 of two: only the admission count remains.
    e.prison(&e.st.Tops[0], 3, 20, 2, 3, 1, 10.0, 12, -99, 0, nullptr, 1, 1, 5, 1);
    EXPECT_EQ(total(e.st.Tops[0]) + total(e.st.PrisonDemosByFelonyType[1][0]), 0.0);
    expectEvents(e.st.Entry, {{20, 5.0}}, "Entry");
    // Category 2, felony type 2, offense 9 of three: no offense totals.
    e.prison(&e.st.Tops[0], 2, 20, 2, 3, 1, 10.0, 12, -99, 0, nullptr, 1, 1, 2, 9);
    expectRow(e.st.Tops[0], 1, sumOf({{20, 31, 5.0}}), "category 2");
    expectRow(e.st.PrisonDemosByFelonyType[1][0], 1, sumOf({{20, 31, 5.0}}), "felony type 2");
    double offenses = 0.0;
    for (const auto& f : e.st.TotalsByAdmissionGroupAndOffense)
        for (const auto& o : f) offenses += total(o);
    EXPECT_EQ(offenses, 0.0);
    // Grid table 2 of one, and a cell past the table: no probabilities, no flows.
    const double before = total(e.st.Tops[0]) + total(e.st.Entry);
    e.prison(&e.st.Tops[0], 1, 20, 2, 3, 2, 10.0, 12, -99, 0, nullptr, 1, 1, 2, 1);
    e.prison(&e.st.Tops[0], 1, 20, 3, 1, 1, 10.0, 12, -99, 0, nullptr, 1, 1, 2, 1);
    EXPECT_EQ(total(e.st.Tops[0]) + total(e.st.Entry), before);
}

TEST(Prison, MonthParametersBeyondThe32BitRangeOnlyMoveFlowsOffTheHorizon) {
    // Clamped to 32 bits, every derived month lies far outside 1..120: only the term
    // (5 over 20..31) and its admission remain.
    TestEngine e;
    makeEngine(e, 0.5, 0.1, 0.5);
    auto& r = e.ctx.params.release;
    r[ProbPreRelease] = 0.4, r[LenPreRelease] = 1e12, r[ProbCompletePreRelease] = 0.5;
    r[LenAddedTermAfterPreReleaseRevoked] = 1e12, r[ProbReleaseRevocation] = 0.2;
    r[LenReleaseBeforeRevocation] = 1e12, r[LenPrison1stRevocation] = 1e12;
    e.ctx.params.sanctions[LenSupervisionBeforeRevocation] = -1e12;
    admit(e, 20, 10.0, 12, -99, 12);
    expectRow(e.st.Tops[7], 0, sumOf({{20, 31, 5.0}}), "term only");
    expectEvents(e.st.Entry, {{20, 5.0}}, "Entry");
    EXPECT_EQ(total(e.st.Prc) + total(e.st.Work) + total(e.st.Pwrc) + total(e.st.Parc), 0.0);
}

} // namespace
} // namespace kov
