// A tiny state (one grid cell where every case goes to prison) run end to end:
// a zero sampling fraction, a bad field, and a cancel.
#include "config/run_configuration.h"
#include "results/core_writers.h"
#include "run/simulation.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <string>

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
};

// Fields: id gender race age offense sentence felony region prison-days jail-days
// restitution-days level county row column table month weight parole.
const char* kCase = "1 1 1 30 1 24 1 1 0 0 0 1 1 1 1 1 1 2 0\n";

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
    EXPECT_EQ(sim.engine().err.m_CaseNumber, 200);
    EXPECT_FALSE(t.dir.exists("tables.out")) << "no report for a cancelled run";
}

} // namespace
} // namespace kov
