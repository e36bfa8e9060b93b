// The jail and sanctions of the gender, race and region tables: summed over
// the cases of each category and added, scaled by each table's factor, only
// when the tables are next read.
#include "engine/case_profile.h"
#include "support/test_engine.h"

#include <gtest/gtest.h>

#include <memory>

namespace kov {
namespace {

TEST(CaseProfile, DemographicSumsWaitForTheReadAndScaleByEachTable) {
    test::TestEngine e;
    e.setLabels(VarGender, {"M", "F"});
    e.setLabels(VarRace, {"A", "B", "C"});
    e.setLabels(VarRegion, {"N", "S"});
    e.st.Values[VarGender].labelsptr[1].value = 2.0; // F
    e.st.Values[VarRace].labelsptr[2].value = 0.5;   // C
    e.st.Values[VarRegion].labelsptr[0].value = 3.0; // N
    for (int k : {VarGender, VarRace, VarRegion}) {
        e.st.Tjail[static_cast<std::size_t>(k)].assign(3 * 85, 0.0);
        e.st.Thd[static_cast<std::size_t>(k)].assign(3 * 73, 0.0);
    }
    e.profile = std::make_unique<CaseProfile>();
    auto setRows = [&](int gender, int race, int region) {
        const int categories[] = {gender, race, region};
        const int tables[] = {VarGender, VarRace, VarRegion};
        for (int j = 0; j < 3; ++j) {
            CaseRow& r = e.caseRows[static_cast<std::size_t>(tables[j])];
            r.category = r.sanctionCategory = categories[j];
            r.factor = e.st.Values[static_cast<std::size_t>(tables[j])].labelsptr[static_cast<std::size_t>(categories[j] - 1)].value;
            r.sharedSanctions = tables[j] != VarGender;
            r.sharedSanctionRows = tables[j] == VarGender;
        }
    };
    auto addCase = [&](double jail, double homeDetention) {
        CaseProfile& p = *e.profile;
        p.jail[4] = jail;
        p.jailSpan.widen(4, 4);
        p.sanctions[1][10] = homeDetention;
        p.sanctionSpans[1].widen(10, 10);
        e.addCaseProfile();
    };

    // Two cases F, C, N and one M, A, S.
    setRows(2, 3, 1);
    addCase(1.0, 4.0);
    addCase(2.0, 8.0);
    setRows(1, 1, 2);
    addCase(5.0, 0.0);
    EXPECT_EQ(e.st.Tjail[VarGender][85 + 4], 0.0) << "nothing before the tables are read";

    e.flushRanges();
    // Row c of each table: factor x the sum of its cases: F 2 x 3, C 0.5 x 3,
    // N 3 x 3; M, A and S have factor 1.
    EXPECT_DOUBLE_EQ(e.st.Tjail[VarGender][85 + 4], 6.0);
    EXPECT_DOUBLE_EQ(e.st.Tjail[VarRace][2 * 85 + 4], 1.5);
    EXPECT_DOUBLE_EQ(e.st.Tjail[VarRegion][4], 9.0);
    EXPECT_DOUBLE_EQ(e.st.Thd[VarGender][73 + 10], 24.0);
    EXPECT_DOUBLE_EQ(e.st.Thd[VarRace][2 * 73 + 10], 6.0);
    EXPECT_DOUBLE_EQ(e.st.Thd[VarRegion][10], 36.0);
    EXPECT_DOUBLE_EQ(e.st.Tjail[VarGender][4], 5.0);
    EXPECT_DOUBLE_EQ(e.st.Tjail[VarRace][4], 5.0);
    EXPECT_DOUBLE_EQ(e.st.Tjail[VarRegion][85 + 4], 5.0);
    EXPECT_EQ(e.st.Thd[VarGender][10], 0.0) << "a zero amount leaves a zero cell";
    EXPECT_EQ(e.st.Tjail[VarGender][85 + 5], 0.0);

    // Read again with nothing new: nothing is added twice.
    e.flushRanges();
    EXPECT_DOUBLE_EQ(e.st.Tjail[VarGender][85 + 4], 6.0);
}

TEST(CaseProfile, TheAgeTableKeepsItsOwnJailWhenItsSanctionsAreSummed) {
    // Age, offense and felony type are summed together; the age table's
    // jail goes in by age call by call, so the sums leave it alone.
    test::TestEngine e;
    e.setLabels(VarAge, {"18", "30", "0"});
    e.setLabels(VarOffense, {"1", "2"});
    e.setLabels(VarFelonyType, {"1", "2"});
    e.st.Values[VarOffense].labelsptr[1].value = 4.0;
    for (int k : {VarAge, VarOffense, VarFelonyType}) {
        e.st.Tjail[static_cast<std::size_t>(k)].assign(3 * 85, 0.0);
        e.st.Trt[static_cast<std::size_t>(k)].assign(3 * 73, 0.0);
    }
    e.profile = std::make_unique<CaseProfile>();
    const int tables[] = {VarAge, VarOffense, VarFelonyType};
    const int categories[] = {2, 2, 1};
    for (int j = 0; j < 3; ++j) {
        CaseRow& r = e.caseRows[static_cast<std::size_t>(tables[j])];
        r.category = r.sanctionCategory = categories[j];
        r.factor = tables[j] == VarOffense ? 4.0 : 1.0;
        r.sharedSanctions = tables[j] != VarAge;
        r.sharedSanctionRows = tables[j] == VarAge;
    }
    CaseProfile& p = *e.profile;
    p.jail[0] = 1.0;
    p.jailSpan.widen(0, 0);
    p.sanctions[0][72] = 2.0;
    p.sanctionSpans[0].widen(72, 72);
    e.addCaseProfile();
    e.flushRanges();
    EXPECT_EQ(e.st.Tjail[VarAge][85], 0.0);
    EXPECT_DOUBLE_EQ(e.st.Trt[VarAge][73 + 72], 2.0);
    EXPECT_DOUBLE_EQ(e.st.Tjail[VarOffense][85], 4.0);
    EXPECT_DOUBLE_EQ(e.st.Trt[VarOffense][73 + 72], 8.0);
    EXPECT_DOUBLE_EQ(e.st.Tjail[VarFelonyType][0], 1.0);
    EXPECT_DOUBLE_EQ(e.st.Trt[VarFelonyType][72], 2.0);
}

} // namespace
} // namespace kov
