#pragma once
// A data set copied to a scratch folder with its configuration read, and runs
// of it with the core text writers, as the programs make them.
#include "config/run_configuration.h"
#include "run/simulation.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <functional>
#include <memory>
#include <string>

namespace kov::test {

struct SetRun {
    ScratchDir dir;
    RunConfiguration cfg;
    RecordingHost host;

    /// Copies tests/<set> ("reference/set1", "../data/demo") and reads its configuration kov.
    explicit SetRun(const std::string& set, const std::string& kov = "run.kov");
    /// Reads the configuration file again, after the test changed it.
    void reread();
    /// A simulation of cfg over the folder, reporting to host, with the core writers installed.
    std::unique_ptr<Simulation> simulation();
    /// Runs one such simulation; setUp may change it first.
    RunOutcome run(const std::function<void(Simulation&)>& setUp = {});
};

} // namespace kov::test
