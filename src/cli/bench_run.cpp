// One size of `kovary bench`, in a process of its own so that its peak memory
// is its own: the full run of the data set in a folder, then a pass that only
// reads and checks the same court microdata lines.
#include "cli/bench.h"
#include "cli/commands.h"

#include "config/run_configuration.h"
#include "results/core_writers.h"
#include "run/microdata_check.h"
#include "run/simulation.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace kov::cli {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

/// Counts the messages of the run and shows the ones that stop it.
class BenchHost final : public Host {
public:
    void message(const std::string& text, MessageIcon icon) override {
        ++messages;
        if (icon == MessageIcon::Stop) std::fprintf(stderr, "kovary bench: %s\n", text.c_str());
    }
    void status(const std::string&) override {}
    void prompt(const std::string&) override {}
    bool pump() override { return false; }
    int messages = 0;
};

/// Reads and checks every court case of the run's microdata against its
/// loaded inputs, as the case loop does, with no engine behind it.
double readAndCheckOnly(const Simulation& sim, int& failures) {
    const Clock::time_point start = Clock::now();
    NullHost quiet;
    const MicrodataCheck check = checkCourtMicrodata(sim, quiet, 0);
    if (!check.opened) ++failures;
    failures += check.bad;
    return secondsSince(start);
}

} // namespace

int cmdBenchRun(const std::string& dataDir, bool monthByMonth) {
    RunConfiguration cfg;
    cfg.filePath = dataDir + "/demo.kov";
    cfg.ReadFromFile();
    BenchHost host;
    Simulation sim(cfg, dataDir, host);
    installCoreWriters(sim.reports);
    sim.options.monthByMonth = monthByMonth;
    BenchMeasurement m;
    int failures = 0;
    double inspecting = 0.0;
    sim.inspectFinishedState = [&](const Simulation& s) {
        const Clock::time_point start = Clock::now();
        m.cases = s.engine().err.m_CaseNumber;
        m.counterOperations = s.engine().counterOperations;
        m.readSeconds = readAndCheckOnly(s, failures);
        inspecting = secondsSince(start);
    };
    const Clock::time_point start = Clock::now();
    const RunOutcome outcome = sim.OnRunSim();
    m.runSeconds = secondsSince(start) - inspecting;
    if (outcome != RunOutcome::Completed || failures > 0) {
        std::fprintf(stderr, "kovary bench: the run of %s failed: %s\n", dataDir.c_str(), sim.m_Message.c_str());
        return ExitFailed;
    }
    std::printf("%s\n", formatMeasurement(m).c_str());
    return ExitOk;
}

} // namespace kov::cli
