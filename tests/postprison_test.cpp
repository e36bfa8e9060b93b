// Post-prison supervision, revocation periods and sanctions of one released
// case, worked by hand: release month t, supervision from r0 = t - 1 to at
// most month 119; a revocation period starts Lrel months after its start b.
#include "support/test_engine.h"

#include <gtest/gtest.h>

#include <numeric>

namespace kov {
namespace {

using test::TestEngine;

double sum(const Series& a) { return std::accumulate(a.begin(), a.end(), 0.0); }
double tpsup(const TestEngine& e, int level, int m) { return e.m_Tpsup[static_cast<std::size_t>(level * 120 + m)]; }
double& rel(TestEngine& e, Release which) { return e.ctx.params.release[static_cast<std::size_t>(which)]; }

void prepare(TestEngine& e) {
    e.setLabels(VarGender, {"M", "F"});
    e.setLabels(VarRace, {"W", "B", "H"});
    for (std::size_t k = 0; k < 3; ++k) {
        const std::size_t rows = k == 0 ? 2 : k == 1 ? 3 : 1;
        for (auto* t : {&e.st.Tprt, &e.st.Tphd, &e.st.Tpcs, &e.st.Tprest, &e.st.Tpfine}) (*t)[k].assign(rows * 121, 0.0);
    }
    e.st.JailViolations.assign(121, 0.0);
    e.st.JailEntry.assign(121, 0.0);
    e.st.Parc.assign(121, 0.0);
    e.st.Tops[0].assign(2 * 120, 0.0);
    e.st.Tops[7].assign(120, 0.0);
    e.m_Tpsup.assign(1200, 0.0);
    e.postprisonOption = 3;
}

struct Call {
    int k = 7, category = 1, t = 11;
    double w = 1.0;
    int f21 = 0, f22 = 0, f23 = 0, f24 = 0, f20 = 1;
    double P = 1.0;
};

void run(TestEngine& e, const Call& c) {
    e.postprison({.role = {.table = c.k, .countsTotals = true},
                  .pop = &e.st.Tops[static_cast<std::size_t>(c.k)],
                  .category = c.category,
                  .releaseMonth = c.t,
                  .weight = c.w,
                  .supervisionProbability = c.P,
                  .supervisionMonths = c.f21,
                  .treatmentDays = c.f22,
                  .firstParole = c.f23,
                  .secondParole = c.f24,
                  .level = c.f20});
}

TEST(Postprison, SupervisionLevelsStayWithinTheFiveLevels) {
    // t 1, 10 months: 0..9, no reduction within them. Violation at month 2
    // for 1 month, increase over 3..4.
    auto setup = [](TestEngine& e, double increment) {
        prepare(e);
        rel(e, RelLenSupervisionBeforeAutoReduction) = 100;
        rel(e, RelProbSupervisionViolation) = 0.5;
        rel(e, RelLenSupervisionBeforeViolation) = 2;
        rel(e, RelLenJailDaysAfterSupervisionViolation) = 30;
        rel(e, RelLenIncreasedSupervisionAfterViolation) = 2;
        rel(e, RelIncrementSupervisionForViolation) = increment;
    };
    // Level 1 and Iviol 10: index 0 + 10 stops at 4.
    TestEngine e;
    setup(e, 10);
    run(e, {.t = 1, .f21 = 10, .f20 = 1});
    for (int m = 0; m < 10; ++m) {
        const bool raised = m == 3 || m == 4;
        EXPECT_EQ(tpsup(e, 0, m), raised ? 0.0 : 1.0) << m;
        EXPECT_EQ(tpsup(e, 4, m), raised ? 1.0 : 0.0) << m;
    }
    // Levels 0 and 12 from the data are brought to indexes 0 and 4.
    TestEngine f;
    setup(f, 0);
    run(f, {.t = 1, .f21 = 10, .f20 = 0});
    EXPECT_EQ(sum(f.m_Tpsup), 10.0);
    for (int m = 0; m < 10; ++m) EXPECT_EQ(tpsup(f, 0, m), 1.0) << m;
    TestEngine g;
    setup(g, 10);
    run(g, {.t = 1, .f21 = 10, .f20 = 12});
    EXPECT_EQ(sum(g.m_Tpsup), 10.0);
    for (int m = 0; m < 10; ++m) EXPECT_EQ(tpsup(g, 4, m), 1.0) << m;
    // A negative increment stops at index 0: level 3 (index 2) drops to 0 on 3..4.
    TestEngine h;
    setup(h, -5);
    run(h, {.t = 1, .f21 = 10, .f20 = 3});
    EXPECT_EQ(tpsup(h, 0, 3) + tpsup(h, 0, 4), 2.0);
    EXPECT_EQ(sum(h.m_Tpsup), 10.0);
}

TEST(Postprison, NoAutoReductionLengthMeansNoSupervisionNorRevocations) {
    for (double lauto : {0.0, -1.0, -6.0}) {
        TestEngine e;
        prepare(e);
        rel(e, RelLenSupervisionBeforeAutoReduction) = lauto;
        rel(e, LenReleaseBeforeRevocation) = 1;
        e.postCell[5] = 1.0;
        run(e, {.t = 1, .f21 = 5, .f23 = 2, .f20 = 3});
        EXPECT_EQ(sum(e.m_Tpsup) + sum(e.st.Tops[7]) + sum(e.st.Parc), 0.0) << "Lauto " << lauto;
    }
    // 0.5 is not 0, so supervision runs, stepping from an empty first block:
    // month 0 at index 1, then index 0. Its integer part 0 allows no revocation.
    TestEngine e;
    prepare(e);
    rel(e, RelLenSupervisionBeforeAutoReduction) = 0.5;
    rel(e, RelLenSupervisionBeforeViolation) = 100;
    rel(e, LenReleaseBeforeRevocation) = 1;
    e.postCell[5] = 1.0;
    run(e, {.t = 1, .f21 = 5, .f23 = 2, .f20 = 3});
    EXPECT_EQ(tpsup(e, 1, 0), 1.0);
    for (int m = 1; m < 5; ++m) EXPECT_EQ(tpsup(e, 0, m), 1.0) << m;
    EXPECT_EQ(sum(e.m_Tpsup), 5.0);
    EXPECT_EQ(sum(e.st.Tops[7]), 0.0);
}

TEST(Postprison, ReleaseAfterTheLastMonthRecordsNothing) {
    auto setup = [](TestEngine& e) {
        prepare(e);
        rel(e, RelLenSupervisionBeforeAutoReduction) = 6;
        rel(e, LenReleaseBeforeRevocation) = 1;
        rel(e, RelLenHomeDetention) = 2;
        e.postCell = {0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
    };
    TestEngine e;
    setup(e);
    run(e, {.k = 0, .t = 121, .f21 = 10, .f22 = 60, .f23 = 3});
    double all = sum(e.m_Tpsup) + sum(e.st.Tops[0]) + sum(e.st.Parc);
    for (auto* t : {&e.st.Tprt, &e.st.Tphd, &e.st.Tpcs, &e.st.Tprest, &e.st.Tpfine}) all += sum((*t)[0]);
    EXPECT_EQ(all, 0.0);
    // Month 120 still has its last month, 119.
    TestEngine f;
    setup(f);
    run(f, {.k = 0, .t = 120, .f21 = 10, .f22 = 60, .f23 = 3});
    EXPECT_EQ(f.st.Tphd[0][119], 0.5);
    EXPECT_EQ(tpsup(f, 0, 119), 1.0);
}

TEST(Postprison, ViolationBeforeTheFirstMonthIsNotCounted) {
    // Lviol -3 from r0 = 0: violation month -3, jail -3..-3 and the increase
    // from month -2 lie before the horizon; supervision 0..9 stays.
    TestEngine e;
    prepare(e);
    rel(e, RelLenSupervisionBeforeAutoReduction) = 6;
    rel(e, RelProbSupervisionViolation) = 1.0;
    rel(e, RelLenSupervisionBeforeViolation) = -3;
    rel(e, RelLenJailDaysAfterSupervisionViolation) = 30;
    rel(e, RelLenIncreasedSupervisionAfterViolation) = 5;
    rel(e, RelIncrementSupervisionForViolation) = 1;
    run(e, {.t = 1, .f21 = 10});
    EXPECT_EQ(sum(e.st.JailEntry) + sum(e.st.JailViolations), 0.0);
    EXPECT_EQ(sum(e.m_Tpsup), 10.0);
    EXPECT_EQ(tpsup(e, 0, 0), 1.0);
}

} // namespace
} // namespace kov
