// A tiny state (one grid cell where every case goes to prison) run end to end:
// a zero sampling fraction and a cancel.
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

struct TinyState {
    ScratchDir dir;
    RunConfiguration cfg;
    RecordingHost host;

    // One 1 x 1 grid table whose cell sends every case to prison.
    explicit TinyState(const std::string& microdata) {
        dir.write("labels.inp", test::readBytes(test::testDataPath("data/labels_101.inp")));
        dir.write("grid.inp", "Number of grid tables ........ 1\nOnly. 1 1\nLevel ........ 1\nL1\nHistory ........ 1\nH1\n");
        dir.write("county.inp", "1 Only ........ 0 0 0 0 1\n");
        std::string probs;
        // 21 blocks, outcome by outcome; the second is the prison's.
        for (int p = 0; p < 21; ++p) probs += "\nOutcome " + std::to_string(p) + "\n   H1\n" + (p == 1 ? "1.0" : "0.0") + "\n";
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
