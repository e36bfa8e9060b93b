// The placement decision, worked by hand. The draws are the rand stream of
// the program's seed: srand(5056) gives 16549, 22318, 1113, ... (uniforms
// 0.50505, 0.68111, 0.03397); srand(1106900357) starts with 32767 (1.0).
#include "engine/programs.h"
#include "support/program_builder.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

using test::addProgram;
using test::ProgramSetup;

constexpr int Seed5056 = 5056;
constexpr int SeedOfOne = 1106900357;

struct Decision {
    int result = -1, entry = 0, exit = -1, index = -1, month = 0;
};

struct Fixture {
    CRand crt; // outlives the generators
    Programs ps;
    Fixture() { ps.felonyTypes = ps.offenses = 1; }
    Program& add(const ProgramSetup& setup) { return addProgram(ps, crt, setup); }
    Decision decide(int entryMonth, double w, int sentenceMonths, int felonyType = 1) {
        Decision d;
        d.entry = entryMonth;
        d.result = ps.Decide(d.entry, d.exit, felonyType, 1, w, sentenceMonths, d.index, d.month);
        return d;
    }
};

TEST(ProgramsDecide, CertainEntryPassesEvenTheLargestDraw) {
    ProgramSetup setup;
    setup.seed = SeedOfOne;
    Fixture certain;
    Program& g = certain.add(setup);
    const Decision d = certain.decide(8, 1.0, 20);
    EXPECT_EQ(d.result, Programs::Completed) << "r = 1.0, yet p = 1 enters";
    EXPECT_EQ(d.index, 0);
    EXPECT_EQ(d.month, 8);
    EXPECT_EQ(d.entry, 8);
    EXPECT_EQ(d.exit, 4);
    EXPECT_EQ(g.entryDraw->position(), 1u) << "the entry draw is made even for p = 1";
    EXPECT_EQ(g.startDraw->position(), 0u) << "no start draw without a randomized entry month";
    EXPECT_EQ(g.dropOutDraw->position(), 4u) << "one drop-out draw per month";
    for (int i = 0; i < 50; ++i) EXPECT_NE(certain.decide(8, 1.0, 20).result, Programs::NoProgram);
    EXPECT_EQ(g.entryDraw->position(), 51u);

    setup.p = 0.99999;
    Fixture almost;
    Program& h = almost.add(setup);
    const Decision e = almost.decide(8, 1.0, 20);
    EXPECT_EQ(e.result, Programs::NoProgram) << "0.99999 <= 1.0";
    EXPECT_EQ(e.index, 1) << "the number of programs";
    EXPECT_EQ(e.month, 8);
    EXPECT_EQ(e.exit, 0);
    EXPECT_EQ(h.entryDraw->position(), 1u);
    EXPECT_EQ(h.dropOutDraw->position(), 0u);
}

TEST(ProgramsDecide, ZeroProbabilityNeverEntersAndDrawsNothing) {
    Fixture f;
    ProgramSetup closed;
    closed.p = 0.0;
    closed.randomize = 1;
    f.add(closed);
    f.add(ProgramSetup{});
    for (int i = 0; i < 20; ++i) EXPECT_EQ(f.decide(8, 1.0, 20).index, 1) << "the search goes on to the next";
    const Program& a = f.ps.programs[0];
    EXPECT_EQ(a.entryDraw->position() + a.startDraw->position() + a.dropOutDraw->position(), 0u);
    EXPECT_EQ(f.ps.programs[1].entryDraw->position(), 20u);
    // A felony type outside the table has no probability at all.
    const Decision d = f.decide(8, 1.0, 20, 2);
    EXPECT_EQ(d.result, Programs::NoProgram);
    EXPECT_EQ(d.index, 2);
}

TEST(ProgramsDecide, DropOutFollowsTheDrawsMonthByMonth) {
    // Completion 0.6 over 4 months: q / length = 0.1; the third draw, 0.034, is below.
    ProgramSetup setup;
    setup.seed = Seed5056;
    setup.completion = 0.6;
    Fixture f;
    Program& g = f.add(setup);
    const Decision d = f.decide(8, 1.0, 20);
    EXPECT_EQ(d.result, Programs::DroppedOut);
    EXPECT_EQ(d.exit, 2);
    EXPECT_EQ(g.dropOutDraw->position(), 3u);

    // Completion 1: q = 0 is never above a draw.
    setup.completion = 1.0;
    Fixture sure;
    sure.add(setup);
    for (int i = 0; i < 100; ++i) {
        const Decision e = sure.decide(8, 1.0, 20);
        EXPECT_EQ(e.result, Programs::Completed);
        EXPECT_EQ(e.exit, 4);
    }

    // Entered at month 118 of L = 120: months 118, 119, 120 pass, 121 > L stops,
    // and stopping short of the length counts as a drop-out.
    Fixture edge;
    Program& h = edge.add(ProgramSetup{});
    const Decision e = edge.decide(118, 1.0, 200);
    EXPECT_EQ(e.result, Programs::DroppedOut);
    EXPECT_EQ(e.exit, 3);
    EXPECT_EQ(h.dropOutDraw->position(), 4u);
}

TEST(ProgramsDecide, SentencesTooShortForTheProgramAreNotPlaced) {
    // Length 6, minimum savings 3: S - 9 <= 0 skips before any draw; S = 10 and
    // 11 pass that test but 3 + 6 months exceed S - 3; S = 12 fits exactly.
    ProgramSetup setup;
    setup.seed = Seed5056;
    setup.length = 6;
    setup.minimumSavings = 3;
    setup.randomize = 1;
    Fixture f;
    Program& g = f.add(setup);
    for (int S = 3; S <= 9; ++S) EXPECT_EQ(f.decide(8, 1.0, S).result, Programs::NoProgram) << S;
    EXPECT_EQ(g.startDraw->position(), 0u);
    EXPECT_EQ(f.decide(8, 1.0, 10).result, Programs::NoProgram);
    EXPECT_EQ(f.decide(8, 1.0, 11).result, Programs::NoProgram);
    EXPECT_EQ(g.startDraw->position(), 2u) << "the entry month was drawn, then refused";
    EXPECT_EQ(g.entryDraw->position(), 0u);

    setup.randomize = 0;
    Fixture fixed;
    fixed.add(setup);
    EXPECT_NE(fixed.decide(8, 1.0, 12).result, Programs::NoProgram);
}

TEST(ProgramsDecide, CapacityMustStayStrictlyAboveTheOccupancy) {
    ProgramSetup setup;
    setup.capacity = 10;
    Fixture f;
    Program& g = f.add(setup);
    g.occupancy[7] = 9.5; // month 8
    EXPECT_EQ(f.decide(8, 0.5, 20).result, Programs::NoProgram) << "10 is not above 10.0";
    const Decision d = f.decide(8, 0.4, 20);
    EXPECT_EQ(d.result, Programs::Completed);
    EXPECT_EQ(g.entryDraw->position(), 2u);
    EXPECT_EQ(g.occupancy[7], 9.5) << "the decision itself fills nothing";
}

TEST(ProgramsDecide, EntryMonthWindowAndRandomizedStart) {
    // s = 5, S = 20, length 4: room 16, and 16549 mod 16 = 5, so month 8 + 5.
    ProgramSetup setup;
    setup.seed = Seed5056;
    setup.randomize = 1;
    Fixture f;
    Program& g = f.add(setup);
    const Decision d = f.decide(8, 1.0, 20);
    EXPECT_EQ(d.month, 13);
    EXPECT_EQ(d.entry, 13);
    EXPECT_EQ(g.startDraw->position(), 1u);

    // Window: from start month 10 up to backup years * 12 + end month = 42.
    ProgramSetup window;
    window.start = 10;
    window.end = 30;
    window.backupYears = 1;
    Fixture w;
    w.add(window);
    EXPECT_EQ(w.decide(9, 1.0, 20).result, Programs::NoProgram);
    EXPECT_NE(w.decide(10, 1.0, 20).result, Programs::NoProgram);
    EXPECT_NE(w.decide(42, 1.0, 20).result, Programs::NoProgram);
    EXPECT_EQ(w.decide(43, 1.0, 20).result, Programs::NoProgram);
    // No month at or beyond L = max(200, 120).
    ProgramSetup late;
    late.end = 200;
    Fixture l;
    l.add(late);
    EXPECT_NE(l.decide(199, 1.0, 20).result, Programs::NoProgram);
    EXPECT_EQ(l.decide(200, 1.0, 20).result, Programs::NoProgram);
}

} // namespace
} // namespace kov
