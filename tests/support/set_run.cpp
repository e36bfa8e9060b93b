#include "support/set_run.h"

#include "results/core_writers.h"

namespace kov::test {

SetRun::SetRun(const std::string& set, const std::string& kov) : dir(set) {
    cfg.filePath = dir.file(kov);
    reread();
}

void SetRun::reread() { cfg.ReadFromFile(); }

std::unique_ptr<Simulation> SetRun::simulation() {
    auto sim = std::make_unique<Simulation>(cfg, dir.str(), host);
    installCoreWriters(sim->reports);
    return sim;
}

RunOutcome SetRun::run(const std::function<void(Simulation&)>& setUp) {
    const auto sim = simulation();
    if (setUp) setUp(*sim);
    return sim->OnRunSim();
}

} // namespace kov::test
