// `kovary bench --what-if`: the desktop's live re-projection timed as the
// window does it. The microdata are read once; then each of 50 lever changes
// is a run for its results with that change, timed from the change to the
// finished prison series. Median and 95th percentile per data set.
#include "cli/bench.h"
#include "cli/commands.h"
#include "config/run_configuration.h"
#include "results/run_for_results.h"
#include "scenarios/scenario_file.h"

#include "demo_generator/generator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace kov::cli {
namespace {

constexpr int LeverChanges = 50;

/// Lever change i as the What-if mode writes it: admissions as percent a
/// year, and scales of the prison probability and of sentence lengths.
std::string leverChange(int i) {
    char line[96];
    switch (i % 3) {
    case 0: std::snprintf(line, sizeof line, "admissions \"Class E\" x %.2f", 1.0 + (i % 11 - 5) / 100.0); break;
    case 1: std::snprintf(line, sizeof line, "probability prison table Nondrug rows 5-6 x %.2f", 0.8 + (i % 40) / 100.0); break;
    default: std::snprintf(line, sizeof line, "sentence table Nondrug row 7 x %.2f", 0.9 + (i % 30) / 100.0); break;
    }
    return line;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const double rank = p * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(rank);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (rank - static_cast<double>(below)) * (values[above] - values[below]);
}

bool measure(const std::string& dir, int cases, ResultScope scope) {
    RunConfiguration cfg;
    cfg.filePath = dir + "/" + demo::files::kStockConfig;
    cfg.ReadFromFile();
    const auto held = readMicrodata({{cfg, dir}});
    std::vector<double> ms;
    for (int i = 0; i < LeverChanges; ++i) {
        scenarios::Scenario lever;
        std::string error;
        if (!scenarios::parseChangeLine("lever", leverChange(i), lever, error)) {
            std::fprintf(stderr, "kovary: %s\n", error.c_str());
            return false;
        }
        const auto start = std::chrono::steady_clock::now();
        const FinishedRun run = runForResults(cfg, dir, lever.changes, {}, held, scope);
        if (!run.ok) {
            std::fprintf(stderr, "kovary: %s\n", run.message.c_str());
            return false;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("%-16s %-8s %8d %10.1f %10.1f %10.1f\n", "demo-stock.kov", scope == ResultScope::Totals ? "totals" : "all",
                cases, percentile(ms, 0.5), percentile(ms, 0.95),
                *std::max_element(ms.begin(), ms.end()));
    std::fflush(stdout);
    return true;
}

} // namespace

int cmdBenchWhatIf(const std::string& base) {
    std::printf("Re-projection after a lever change, %d changes, one thread, microdata read once.\n", LeverChanges);
    std::printf("Results: \"totals\" as the What-if window runs, \"all\" every series as a full run.\n");
    std::printf("%-16s %-8s %8s %10s %10s %10s\n", "configuration", "results", "cases", "median ms", "p95 ms", "max ms");
    for (const int cases : {3000, 15000}) {
        const std::string dir = base + "/what-if-" + std::to_string(cases);
        if (!generateBenchData(dir, cases)) return ExitFailed;
        for (const ResultScope scope : {ResultScope::Totals, ResultScope::All})
            if (!measure(dir, cases, scope)) return ExitFailed;
    }
    return ExitOk;
}

} // namespace kov::cli
