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
    e.inTotals = true;
    e.postprisonOption = 3;
}

struct Call {
    int k = 7, category = 1, t = 11;
    double w = 1.0;
    int f21 = 0, f22 = 0, f23 = 0, f24 = 0, f20 = 1;
    double P = 1.0;
};

void run(TestEngine& e, const Call& c) {
    e.postprison(c.k, c.category, c.t, c.w, c.f21, c.f22, c.f23, c.f24, c.f20, e.st.Tops[static_cast<std::size_t>(c.k)],
                 c.P);
}

TEST(Postprison, SupervisionStepsDownAndRisesAfterAViolation) {
    // t 11: months 10..39 (e = 11 - 2 + 30). Level 3 is index 2; Lauto 6:
    // 10..15 at 2, 16..22 at 1, 23..39 at 0. P x w = 1. Violation at 10 + 4
    // = 14 for int(45 / 30.0) = 1 month: P x Pviol x w = 0.25. Then months
    // 15..17 rise by 1: 15 to index 3, 16..17 to index 2.
    TestEngine e;
    prepare(e);
    rel(e, RelLenSupervisionBeforeAutoReduction) = 6;
    rel(e, RelProbSupervisionViolation) = 0.25;
    rel(e, RelLenSupervisionBeforeViolation) = 4;
    rel(e, RelLenJailDaysAfterSupervisionViolation) = 45;
    rel(e, RelLenIncreasedSupervisionAfterViolation) = 3;
    rel(e, RelIncrementSupervisionForViolation) = 1;
    run(e, {.w = 2.0, .f21 = 30, .f20 = 3, .P = 0.5});
    for (int m = 0; m < 120; ++m) {
        const double l0 = m >= 23 && m <= 39 ? 1.0 : 0.0;
        const double l1 = m >= 18 && m <= 22 ? 1.0 : 0.0;
        const double l2 = (m >= 10 && m <= 14) || m == 16 || m == 17 ? 1.0 : 0.0;
        const double l3 = m == 15 ? 1.0 : 0.0;
        EXPECT_EQ(tpsup(e, 0, m), l0) << m;
        EXPECT_EQ(tpsup(e, 1, m), l1) << m;
        EXPECT_EQ(tpsup(e, 2, m), l2) << m;
        EXPECT_EQ(tpsup(e, 3, m), l3) << m;
    }
    EXPECT_EQ(e.st.JailViolations[14], 0.25);
    EXPECT_EQ(sum(e.st.JailViolations), 0.25);
    EXPECT_EQ(e.st.JailEntry[14], 0.25);
    EXPECT_EQ(sum(e.st.Tops[7]) + sum(e.st.Parc), 0.0) << "no revocation probability";
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

TEST(Postprison, RevocationsChainThreePeriods) {
    // t 11, f21 60: e = 70. Lrel 7, q = 0.2 x 5 = 1. Stock flag: no
    // supervision, no sanctions, revocations still run (levels all 0).
    //   first  b 11, n 6:  a 18, z 23
    //   second b 23, n 1:  a 30, z 30
    //   third  b 30, n = 70 - 30 - 1 + 7 = 46: a 37, z 82, cut at 70
    auto setup = [](TestEngine& e) {
        prepare(e);
        rel(e, RelLenSupervisionBeforeAutoReduction) = 6;
        rel(e, LenReleaseBeforeRevocation) = 7;
        e.postCell = {0.5, 0.5, 0.5, 0.5, 0.5, 0.2};
        rel(e, RelLenHomeDetention) = 4;
        e.stockFlag = true;
    };
    TestEngine e;
    setup(e);
    run(e, {.k = 0, .w = 5.0, .f21 = 60, .f22 = 60, .f23 = 6, .f24 = 1});
    for (int m = 0; m < 120; ++m) {
        const double in = (m >= 18 && m <= 23) || m == 30 || (m >= 37 && m <= 70) ? 1.0 : 0.0;
        EXPECT_EQ(e.st.Tops[0][static_cast<std::size_t>(m)], in) << m;
        EXPECT_EQ(tpsup(e, 0, m), -in) << m;
    }
    EXPECT_EQ(sum(e.st.Tops[0]), 41.0);
    EXPECT_EQ(e.st.Parc[17] + e.st.Parc[29] + e.st.Parc[36], 3.0) << "cell a - 1";
    EXPECT_EQ(sum(e.st.Parc), 3.0);
    EXPECT_EQ(sum(e.st.Tprt[0]) + sum(e.st.Tphd[0]), 0.0);

    // Without a first period there is no start for the second or the third.
    TestEngine f;
    setup(f);
    run(f, {.k = 0, .w = 5.0, .f21 = 60, .f23 = 0, .f24 = 5});
    EXPECT_EQ(sum(f.st.Tops[0]) + sum(f.st.Parc), 0.0);
    // Without a second period the third is skipped.
    TestEngine g;
    setup(g);
    run(g, {.k = 0, .w = 5.0, .f21 = 60, .f23 = 6, .f24 = 0});
    EXPECT_EQ(sum(g.st.Tops[0]), 6.0);
    EXPECT_EQ(g.st.Tops[0][23], 1.0);
}

TEST(Postprison, StockMicrodataReleasesCarryEarlierYears) {
    // Option 2, t 5: a 12, z 12 + 20 - 1 = 31; e = 64. Earlier year j 1:
    // months 0..19, not counted in Parc (a_1 = 0); j 2 starts below 0.
    TestEngine e;
    prepare(e);
    e.postprisonOption = 2;
    rel(e, RelLenSupervisionBeforeAutoReduction) = 6;
    rel(e, LenReleaseBeforeRevocation) = 7;
    e.postCell[5] = 1.0;
    run(e, {.t = 5, .f21 = 60, .f23 = 20});
    for (int m = 0; m < 120; ++m) {
        const double want = m <= 11 ? 1.0 : m <= 19 ? 2.0 : m <= 31 ? 1.0 : 0.0;
        EXPECT_EQ(e.st.Tops[7][static_cast<std::size_t>(m)], want) << m;
    }
    EXPECT_EQ(e.st.Parc[11], 1.0);
    EXPECT_EQ(sum(e.st.Parc), 1.0);
}

TEST(Postprison, NoSupervisionTermStillGetsSanctions) {
    // Field 21 = 0. Gender row 2 from month 10: treatment 75 / 30 = 2 months
    // x 0.5 x 2; home detention 3 months x 0.25 x 2; community service has
    // no length, restitution no probability; fines 1 month x 1.0 x 2.
    auto setup = [](TestEngine& e) {
        prepare(e);
        rel(e, RelLenSupervisionBeforeAutoReduction) = 6;
        rel(e, LenReleaseBeforeRevocation) = 7;
        rel(e, RelLenHomeDetention) = 3;
        rel(e, RelLenCommunityService) = 0;
        rel(e, RelLenRestitutionPayoff) = 5;
        rel(e, RelLenFinePayoff) = 1;
        e.postCell = {0.5, 0.25, 0.9, 0.0, 1.0, 0.2};
    };
    TestEngine e;
    setup(e);
    run(e, {.k = 0, .category = 2, .w = 2.0, .f22 = 75, .f23 = 6});
    EXPECT_EQ(sum(e.m_Tpsup) + sum(e.st.Tops[0]) + sum(e.st.Parc), 0.0);
    EXPECT_EQ(e.st.Tprt[0][121 + 10], 1.0);
    EXPECT_EQ(e.st.Tprt[0][121 + 11], 1.0);
    EXPECT_EQ(sum(e.st.Tprt[0]), 2.0);
    EXPECT_EQ(e.st.Tphd[0][121 + 12], 0.5);
    EXPECT_EQ(sum(e.st.Tphd[0]), 1.5);
    EXPECT_EQ(sum(e.st.Tpcs[0]) + sum(e.st.Tprest[0]), 0.0);
    EXPECT_EQ(e.st.Tpfine[0][121 + 10], 2.0);
    EXPECT_EQ(sum(e.st.Tpfine[0]), 2.0);

    // The offense table has no sanctions, except into the total row under option 1.
    TestEngine f;
    setup(f);
    f.st.Tops[3].assign(2 * 120, 0.0);
    run(f, {.k = 3, .w = 2.0, .f22 = 75});
    EXPECT_EQ(sum(f.st.Tprt[0]) + sum(f.st.Tprt[1]) + sum(f.st.Tprt[2]), 0.0);
    f.postprisonOption = 1;
    run(f, {.k = 3, .w = 2.0, .f22 = 75});
    EXPECT_EQ(f.st.Tprt[2][10] + f.st.Tprt[2][11], 2.0);
    EXPECT_EQ(sum(f.st.Tprt[0]), 0.0);
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

TEST(Postprison, OtherTablesCountNoEventsAndReuseTheTreatmentMonths) {
    TestEngine e;
    prepare(e);
    rel(e, RelLenSupervisionBeforeAutoReduction) = 6;
    rel(e, LenReleaseBeforeRevocation) = 7;
    e.postCell = {0.5, 0.0, 0.0, 0.0, 0.0, 0.2};
    run(e, {.k = 0, .w = 5.0, .f22 = 60}); // in totals: 60 / 30 = 2 treatment months
    EXPECT_EQ(sum(e.st.Tprt[0]), 5.0);

    // Not in totals: revocation population only; treatment keeps 2 months.
    e.inTotals = false;
    e.st.Tops[1].assign(3 * 120, 0.0);
    run(e, {.k = 1, .w = 5.0, .f21 = 30, .f22 = 300, .f23 = 6});
    EXPECT_EQ(e.st.Tprt[1][10] + e.st.Tprt[1][11], 5.0);
    EXPECT_EQ(sum(e.st.Tprt[1]), 5.0);
    EXPECT_EQ(sum(e.m_Tpsup) + sum(e.st.Parc), 0.0);
    EXPECT_EQ(e.st.Tops[1][18], 1.0) << "a = 11 + 7";
    EXPECT_EQ(sum(e.st.Tops[1]), 6.0);
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
