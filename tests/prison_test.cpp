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
    return e;
}

void admit(TestEngine& e, int s, double w, int S, int code = -99, int L = 0) {
    e.prison({.role = {.table = 7, .countsTotals = true}, .pop = &e.st.Tops[7], .category = 1, .month = s, .weight = w, .sentence = S, .parole = L, .ageCode = code,
              .cell = {1, 2, 3}, .groups = {1, 1, 1, 1}});
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
    e.prison({.role = {.table = 3, .countsTotals = true}, .extra = &e.st.CrimeByAgeAndGender, .category = 2, .month = 20, .weight = 10.0, .sentence = 12, .parole = 2,
              .cell = {1, 2, 3}, .groups = {2, 3, 2, 2}});
    const Series& cell = e.st.CrimeByAgeAndGender[1][2];
    expectRow(cell, 1, sumOf({{20, 31, 5.0}, {23, 24, 2.0}}), "offense 2");
    EXPECT_NEAR(sideTablesTotal(e), total(cell), 1e-9) << "only that array moved";

    // A gender past the array is left out, not written elsewhere.
    const double before = sideTablesTotal(e);
    e.prison({.role = {.table = 3, .countsTotals = true}, .extra = &e.st.CrimeByAgeAndGender, .category = 2, .month = 20, .weight = 10.0, .sentence = 12, .parole = 2,
              .cell = {1, 2, 3}, .groups = {3, 3, 2, 2}});
    EXPECT_EQ(sideTablesTotal(e), before);
}

TEST(Prison, IndexesOutsideTheTablesAreLeftOut) {
    TestEngine e;
    makeEngine(e, 0.5);
    e.st.Tops[0].assign(2 * 120, 0.0);
    e.st.PrisonDemosByFelonyType.resize(2);
    e.st.PrisonDemosByFelonyType[1][0].assign(2 * 120, 0.0);
    e.st.TotalsByAdmissionGroupAndOffense.assign(2, SeriesList(3, Series(120, 0.0)));
    // Category 3 of two, felony type 5 of two: only the admission count remains.
    e.prison({.role = {.table = 0, .countsTotals = true}, .pop = &e.st.Tops[0], .category = 3, .month = 20, .weight = 10.0, .sentence = 12, .cell = {1, 2, 3}, .groups = {1, 1, 5, 1}});
    EXPECT_EQ(total(e.st.Tops[0]) + total(e.st.PrisonDemosByFelonyType[1][0]), 0.0);
    expectEvents(e.st.Entry, {{20, 5.0}}, "Entry");
    // Category 2, felony type 2, offense 9 of three: no offense totals.
    e.prison({.role = {.table = 0, .countsTotals = true}, .pop = &e.st.Tops[0], .category = 2, .month = 20, .weight = 10.0, .sentence = 12, .cell = {1, 2, 3}, .groups = {1, 1, 2, 9}});
    expectRow(e.st.Tops[0], 1, sumOf({{20, 31, 5.0}}), "category 2");
    expectRow(e.st.PrisonDemosByFelonyType[1][0], 1, sumOf({{20, 31, 5.0}}), "felony type 2");
    double offenses = 0.0;
    for (const auto& f : e.st.TotalsByAdmissionGroupAndOffense)
        for (const auto& o : f) offenses += total(o);
    EXPECT_EQ(offenses, 0.0);
    // Grid table 2 of one, and a cell past the table: no probabilities, no flows.
    const double before = total(e.st.Tops[0]) + total(e.st.Entry);
    e.prison({.role = {.table = 0, .countsTotals = true}, .pop = &e.st.Tops[0], .category = 1, .month = 20, .weight = 10.0, .sentence = 12, .cell = {2, 2, 3}, .groups = {1, 1, 2, 1}});
    e.prison({.role = {.table = 0, .countsTotals = true}, .pop = &e.st.Tops[0], .category = 1, .month = 20, .weight = 10.0, .sentence = 12, .cell = {1, 3, 1}, .groups = {1, 1, 2, 1}});
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
