// The sentencing decision end to end on a tiny state whose numbers can be
// worked by hand: one grid cell where every case goes to prison, nothing else.
#include "config/run_configuration.h"
#include "results/core_writers.h"
#include "run/simulation.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

const char* kOutcomes[] = {"Misdemeanor probability", "Prison probability", "Jail probability (county level 1)",
                           "Jail probability (county level 2)", "Jail probability (county level 3)",
                           "residential treatment (region level 1)", "residential treatment (region level 2)",
                           "residential treatment (region level 3)", "home detention (region level 1)",
                           "home detention (region level 2)", "home detention (region level 3)",
                           "community service (region level 1)", "community service (region level 2)",
                           "community service (region level 3)", "restitution (region level 1)",
                           "restitution (region level 2)", "restitution (region level 3)", "fines (region level 1)",
                           "fines (region level 2)", "fines (region level 3)", "supervision revocation probability"};

struct TinyState {
    ScratchDir dir;
    RunConfiguration cfg;
    RecordingHost host;

    // One 1 x 1 grid table whose cell sends every case to prison.
    explicit TinyState(const std::string& microdata) {
        dir.write("labels.inp", "Gender ........ 2\nMale ........ 1.0\nFemale ........ 0.5\n"
                                "Race ........ 1\nAll ........ 1.0\n"
                                "Age ........ 2\n18 ........ 1.0\nUnder 18 ........ 1.0\n"
                                "Offense ........ 1\nAll ........ 1.0\n"
                                "Sentence Length ........ 1\nAll ........ 1.0\n"
                                "Felony Type ........ 1\nAll ........ 1.0\n"
                                "Region ........ 1\nAll ........ 1.0\n"
                                "Jail Length ........ 1\n0 ........ 1.0\n");
        dir.write("grid.inp", "Number of grid tables ........ 1\nOnly. 1 1\nLevel ........ 1\nL1\nHistory ........ 1\nH1\n");
        dir.write("county.inp", "1 Only ........ 0 0 0 0 1\n");
        std::string probs;
        for (int p = 0; p < 21; ++p) probs += std::string("\n") + kOutcomes[p] + "\n   H1\n" + (p == 1 ? "1.0" : "0.0") + "\n";
        dir.write("courtp.inp", probs);
        dir.write("courtm.inp", microdata);
        dir.write("stock121.kov", "");
        cfg.SetDefaults();
        cfg.setValue(SecPostprison, PostprisonOptions, "1"); // no post-prison processing
        cfg.setValue(SecRun, NorvaleCustomizationsKey, "0");
        cfg.setValue(SecRun, RandomizeMonthKey, "0");
        cfg.setValue(SecRun, CourtVolumeKey, "1.5");
        cfg.filePath = dir.file("tiny.kov");
    }

    // The "12th Mo." row of the report: the population in the last month of each year.
    std::vector<double> yearEnds() {
        Simulation sim(cfg, dir.str(), host);
        installCoreWriters(sim.reports);
        EXPECT_EQ(sim.OnRunSim(), RunOutcome::Completed) << host.joined();
        const std::string report = dir.read("tables.out");
        std::istringstream line(report.substr(report.find(" 12th Mo.") + 9));
        std::vector<double> v(10);
        for (double& x : v) line >> x;
        return v;
    }
};

// Fields: id gender race age offense sentence felony region prison-days jail-days
// restitution-days level county row column table month weight parole.
const char* kCase = "1 1 1 30 1 24 1 1 0 0 0 1 1 1 1 1 1 2 0\n";

TEST(Runproj, EveryYearAdmitsTheCaseAgainWithItsYearWeight) {
    // Weight 2 x court volume 1.5 / sampling 1 = 3, admitted in month 12y + 1
    // for 24 months: month 12 holds year 0's admission only, every later year
    // end two overlapping admissions.
    TinyState t(kCase);
    const std::vector<double> want{3, 6, 6, 6, 6, 6, 6, 6, 6, 6};
    EXPECT_EQ(t.yearEnds(), want);
}

TEST(Runproj, TrendWeightsMultiplyOutwardFromTheFirstSimulatedYear) {
    // Simulation year two's weight 2.0 doubles every admission from year two
    // on (the multipliers are running products): year ends 3, 3+6, 6+6, ...
    TinyState t(kCase);
    t.cfg.setValue(SecTrendSimulation, 1, "2.0");
    const std::vector<double> want{3, 9, 12, 12, 12, 12, 12, 12, 12, 12};
    EXPECT_EQ(t.yearEnds(), want);
}

TEST(Runproj, SamplingKeepsDrawsAtMostTheFractionAndScalesTheWeight) {
    // Seed 1 draws 41, 18467, 6334, 26500, 19169, 15724 ...: case 1 keeps
    // (41/32767) and takes the random day 18467; case 2 keeps (6334) with day
    // 26500; case 3 is out (19169/32767 = 0.585 > 0.5); case 4 keeps (15724).
    // Three cases of weight 2 x 1.5 / 0.5 = 6 each: 18 per admission.
    TinyState t(std::string(kCase) + kCase + kCase + kCase);
    t.cfg.setValue(SecRun, SamplingFractionKey, "0.5");
    t.cfg.setValue(SecRun, RandomStartingNumberKey, "1");
    const std::vector<double> want{18, 36, 36, 36, 36, 36, 36, 36, 36, 36};
    EXPECT_EQ(t.yearEnds(), want);
}

TEST(Runproj, AZeroSamplingFractionBehavesAsAnEmptyFile) {
    TinyState t(kCase);
    t.cfg.setValue(SecRun, SamplingFractionKey, "0");
    Simulation sim(t.cfg, t.dir.str(), t.host);
    installCoreWriters(sim.reports);
    EXPECT_EQ(sim.OnRunSim(), RunOutcome::Failed);
    EXPECT_EQ(sim.m_Message, "Simulation Canceled, an error occurred");
    EXPECT_TRUE(t.host.messages.empty()) << t.host.joined();
}

TEST(Runproj, ABadFieldStopsTheRunWithItsMessageAndKeepsThePreviousOutput) {
    TinyState t(std::string(kCase) + "2 3 1 30 1 24 1 1 0 0 0 1 1 1 1 1 1 2 0\n");
    t.dir.write("tables.out", "previous\n");
    Simulation sim(t.cfg, t.dir.str(), t.host);
    installCoreWriters(sim.reports);
    EXPECT_EQ(sim.OnRunSim(), RunOutcome::Failed);
    EXPECT_TRUE(t.host.saw("Illegal Gender = 3, Case Number = 2")) << t.host.joined();
    EXPECT_EQ(t.dir.read("tables.out.bak"), "previous\n");
    EXPECT_FALSE(t.dir.exists("tables.out"));
}

TEST(Runproj, CancelStopsWithinAHundredCases) {
    std::string many;
    for (int i = 0; i < 350; ++i) many += kCase;
    TinyState t(many);
    t.host.cancelAfterPumps = 1; // the second pump reports the press
    Simulation sim(t.cfg, t.dir.str(), t.host);
    installCoreWriters(sim.reports);
    EXPECT_EQ(sim.OnRunSim(), RunOutcome::Canceled);
    EXPECT_EQ(sim.m_Message, "User Canceled Simulation");
    EXPECT_EQ(sim.err.m_CaseNumber, 200);
    EXPECT_FALSE(t.dir.exists("tables.out")) << "no report for a cancelled run";
}

} // namespace
} // namespace kov
