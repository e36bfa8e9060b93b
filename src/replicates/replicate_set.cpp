#include "replicates/replicate_set.h"

#include "config/run_configuration.h"
#include "reports/csv/csv_tables.h"
#include "run/simulation.h"

namespace kov::replicates {
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

} // namespace

CsvRecords seriesOf(const Simulation& finished) {
    return CsvTables(finished, finished.tableOptions()).selected();
}

ReplicateRun runForResults(const RunConfiguration& cfg, const std::string& dataDirectory, int replicate,
                           const std::function<bool()>& stop) {
    RunConfiguration own = cfg;
    own.setValue(SecRun, RandomStartingNumberKey, replicateSeed(cfg.value(SecRun, RandomStartingNumberKey), replicate));
    KeepingHost host(stop);
    Simulation sim(own, dataDirectory, host);
    sim.writesFiles = false;
    ReplicateRun result;
    sim.inspectFinishedState = [&result](const Simulation& s) { result.series = seriesOf(s); };
    result.ok = sim.OnRunSim() == RunOutcome::Completed;
    if (!result.ok) result.message = host.first().empty() ? sim.m_Message : host.first();
    return result;
}

} // namespace kov::replicates
