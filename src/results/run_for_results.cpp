#include "results/run_for_results.h"

#include "config/paths.h"
#include "config/run_configuration.h"
#include "config/run_parameters.h"
#include "run/simulation.h"

namespace kov {
namespace {

/// Keeps the first message that stopped the run, with its place.
class KeepingHost final : public Host {
public:
    explicit KeepingHost(const std::function<bool()>& stop) : stop_(stop) {}
    void message(const std::string& text, MessageIcon icon) override {
        if (icon == MessageIcon::Stop && first_.empty()) first_ = text;
    }
    void messageAt(const std::string& text, MessageIcon icon, const Location& where) override {
        message(where.empty() ? text : text + " (" + where.text() + ")", icon);
    }
    void status(const std::string&) override {}
    void prompt(const std::string&) override {}
    bool pump() override { return stop_ && stop_(); }
    const std::string& first() const { return first_; }

private:
    const std::function<bool()>& stop_;
    std::string first_;
};

/// Post-prison option 2 of a run (3 in the file) builds the stock from the
/// stock microdata; no other run opens that file.
bool buildsStockFromMicrodata(const RunConfiguration& cfg) {
    RunParameters p;
    ApplyToRunParameters(cfg, p, nullptr);
    return p.PostprisonOption == 2;
}

} // namespace

FinishedRun runForResults(const RunConfiguration& cfg, const std::string& dataDirectory, const PolicyChanges& policy,
                          const std::function<bool()>& stop, std::shared_ptr<const HeldFiles> held, ResultScope scope) {
    KeepingHost host(stop);
    Simulation sim(cfg, dataDirectory, host);
    sim.writesFiles = false;
    sim.policy = policy;
    sim.heldFiles = std::move(held);
    sim.options.totalsOnly = scope == ResultScope::Totals;
    FinishedRun run;
    sim.inspectFinishedState = [&run, scope](const Simulation& s) { run.result = resultOf(s, scope); };
    run.ok = sim.OnRunSim() == RunOutcome::Completed;
    if (!run.ok) run.message = host.first().empty() ? sim.m_Message : host.first();
    return run;
}

std::vector<std::string> microdataPaths(const RunConfiguration& cfg, const std::string& dataDirectory) {
    std::vector<std::string> paths{dataPath(dataDirectory, cfg.value(SecFiles, CourtMicrodataFile))};
    if (buildsStockFromMicrodata(cfg)) paths.push_back(dataPath(dataDirectory, cfg.value(SecFiles, StockMicrodataFile)));
    return paths;
}

std::shared_ptr<const HeldFiles> readMicrodata(const std::vector<RunInputs>& runs) {
    std::vector<std::string> paths;
    for (const RunInputs& run : runs)
        for (std::string& path : microdataPaths(run.cfg, run.dataDirectory)) paths.push_back(std::move(path));
    return HeldFiles::read(paths);
}

} // namespace kov
