// `kovary bench --parallel`: replicates of the demonstration data and a sweep
// over generated cases, on one thread and on every core, in this process:
// wall time, runs per second, the speed-up, and whether every run came out
// the same on both.
#include "cli/bench.h"
#include "cli/commands.h"
#include "config/overrides.h"
#include "config/run_configuration.h"
#include "replicates/replicate_set.h"
#include "results/run_for_results.h"

#include "demo_generator/generator.h"

#include <chrono>
#include <cstdio>

namespace kov::cli {

namespace {

struct Timed {
    double seconds = 0;
    std::vector<FinishedRun> runs;
};

Timed timeRuns(int count, int jobs, const RunOne& run) {
    const auto start = std::chrono::steady_clock::now();
    Timed t;
    t.runs = runSideBySide(count, jobs, run);
    t.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return t;
}

bool sameResults(const Timed& a, const Timed& b) {
    if (a.runs.size() != b.runs.size()) return false;
    for (std::size_t i = 0; i < a.runs.size(); ++i) {
        if (!a.runs[i].ok || !b.runs[i].ok || a.runs[i].result.series != b.runs[i].result.series) return false;
    }
    return true;
}

/// One line per thread count, and whether the runs agree.
bool report(const char* what, int count, const RunOne& run, int cores) {
    const Timed one = timeRuns(count, 1, run);
    const Timed all = timeRuns(count, cores, run);
    for (const Timed* t : {&one, &all})
        std::printf("%-34s %7d %9.2f %10.2f %9.2f\n", what, t == &one ? 1 : cores, t->seconds, count / t->seconds,
                    t == &one ? 1.0 : one.seconds / all.seconds);
    const bool same = sameResults(one, all);
    std::printf("%-34s every run the same on 1 and %d threads: %s\n", "", cores, same ? "yes" : "NO");
    std::fflush(stdout);
    return same;
}

} // namespace

int cmdBenchParallel(const BenchOptions& options, const std::string& base) {
    const std::string demoDir = base + "/demo", sweepDir = base + "/cases-100000";
    if (!generateBenchData(demoDir, 3000) || !generateBenchData(sweepDir, 100000)) return ExitFailed;
    RunConfiguration demoCfg, sweepCfg;
    demoCfg.filePath = demoDir + "/" + demo::files::kStockConfig;
    sweepCfg.filePath = sweepDir + "/" + demo::files::kStockConfig;
    demoCfg.ReadFromFile();
    sweepCfg.ReadFromFile();
    const int cores = options.jobs > 0 ? options.jobs : everyCore();
    // As kovary run --replicates and kovary sweep do: the microdata read once.
    const auto demoHeld = readMicrodata({{demoCfg, demoDir}});
    const auto sweepHeld = readMicrodata({{sweepCfg, sweepDir}});

    std::printf("Runs for their results only, in this process (demo-stock.kov of each data set).\n");
    std::printf("%-34s %7s %9s %10s %9s\n", "", "threads", "wall s", "runs/s", "speed-up");
    bool same = report("32 replicates, demo (3000 cases)", 32, [&](int k) {
        return replicates::runReplicate(demoCfg, demoDir, k, {}, {}, demoHeld);
    }, cores);
    same = report("64-row sweep, 100000 cases", 64, [&](int k) {
        RunConfiguration cfg = sweepCfg;
        cfg.setValue(SecRun, RandomStartingNumberKey, std::to_string(25000 + k));
        std::string error;
        const auto preRelease =
            parseOverrides({"RELEASE PARAMETERS/Length of pre-release=" + std::to_string(1 + k % 6)}, error);
        for (const Override& o : preRelease.value_or(std::vector<Override>{})) applyOverride(cfg, o);
        return runForResults(cfg, sweepDir, {}, {}, sweepHeld);
    }, cores) && same;
    return same ? ExitOk : ExitFailed;
}

} // namespace kov::cli
