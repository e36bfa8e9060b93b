// The program step of one simulated year at its capacity and backup-year edges.
#include "engine/programs.h"
#include "support/program_builder.h"
#include "support/test_engine.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

using test::ProgramSetup;
using test::TestEngine;

Program& addTo(TestEngine& e, const ProgramSetup& setup) {
    if (!e.programs) {
        e.programs = std::make_unique<Programs>();
        e.programs->felonyTypes = e.programs->offenses = 1;
    }
    return test::addProgram(*e.programs, e.ctx.crt, setup);
}

void setCase(TestEngine& e) {
    e.off.felonyType = 1;
    e.off.offense = 1;
    e.off.programReturn = 2;
}

TEST(ProgramStep, OccupancyGrowsOnlyWhileBelowCapacityPlusOne) {
    TestEngine e;
    setCase(e);
    ProgramSetup setup;
    setup.capacity = 10;
    Program& g = addTo(e, setup);
    g.occupancy[8] = 10.8;  // month 9: 11.1 would not stay below 11
    g.occupancy[9] = 10.6;  // month 10: 10.9 does
    int S = 20, parole = 0;
    e.programStep(0, 5, 0.3, S, parole);
    EXPECT_DOUBLE_EQ(g.occupancy[7], 0.3);
    EXPECT_EQ(g.occupancy[8], 10.8);
    EXPECT_DOUBLE_EQ(g.occupancy[9], 10.9);
    EXPECT_DOUBLE_EQ(g.occupancy[10], 0.3);
}

TEST(ProgramStep, LaterYearsOnlyFillTheProgramsWithinTheirBackupYears) {
    ProgramSetup setup;
    setup.backupYears = 1;
    TestEngine e;
    setCase(e);
    Program& g = addTo(e, setup);
    int S = 20, parole = 0;
    EXPECT_TRUE(e.programStep(10, 125, 1.0, S, parole)) << "years from 10 on end after the step";
    EXPECT_EQ(g.admissionCount, 1);
    EXPECT_EQ(g.occupancy[127], 1.0) << "month 128 filled";

    const double before = g.occupancy[127];
    S = 20;
    EXPECT_TRUE(e.programStep(11, 125, 1.0, S, parole)) << "11 >= 10 + 1 backup year";
    EXPECT_EQ(e.off.programReturn, Programs::Completed);
    EXPECT_EQ(S, 20) << "nothing changed";
    EXPECT_EQ(g.admissionCount, 1);
    EXPECT_EQ(g.occupancy[127], before);
}

TEST(ProgramStep, NoProgramKeepsTheTermWhateverTheNumberOfPrograms) {
    TestEngine e;
    setCase(e);
    int S = 20, parole = 7;
    EXPECT_FALSE(e.programStep(3, 5, 1.0, S, parole)) << "no collection at all";
    EXPECT_EQ(e.off.programReturn, Programs::NoProgram);

    ProgramSetup closed;
    closed.p = 0.0;
    for (int i = 0; i < Programs::MaxPrograms; ++i) addTo(e, closed);
    EXPECT_FALSE(e.programStep(3, 5, 1.0, S, parole));
    EXPECT_EQ(e.off.programReturn, Programs::NoProgram);
    EXPECT_EQ(e.off.programIndex, 5) << "one past the last program, never read";
    EXPECT_EQ(S, 20);
    EXPECT_EQ(parole, 7);
    EXPECT_TRUE(e.programStep(12, 137, 1.0, S, parole));
    EXPECT_EQ(S, 20);
}

} // namespace
} // namespace kov
