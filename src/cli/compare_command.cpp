// kovary compare: the base and each scenario or policy configuration, run
// side by side, written as one comparison into a folder.
#include "cli/cli_host.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/report_writers.h"
#include "config/overrides.h"
#include "actuals/actuals_file.h"
#include "config/run_configuration.h"
#include "costs/run_costs.h"
#include "results/side_by_side.h"
#include "scenarios/comparison.h"
#include "scenarios/scenario_file.h"
#include "scenarios/write_comparison.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace kov::cli {
namespace fs = std::filesystem;

namespace {

bool isConfiguration(const std::string& path) { return fs::path(path).extension() == ".kov"; }

bool fail(const std::string& text) {
    refuse(text);
    return false;
}

/// The runs of the comparison: the base, then each file's scenarios or its
/// policy configuration. False after a message on the first fault.
bool comparedRuns(const RunConfiguration& base, const std::string& baseDirectory, const CompareOptions& options,
                  std::vector<scenarios::ComparedRun>& runs) {
    runs.push_back({scenarios::BaseName, base, baseDirectory, {}, {}, 0});
    auto taken = [&runs](const std::string& name) {
        for (const auto& r : runs)
            if (r.name == name) return true;
        return false;
    };
    for (const std::string& file : options.scenarioFiles) {
        if (isConfiguration(file)) {
            scenarios::ComparedRun policy;
            policy.name = fs::path(file).stem().string();
            if (taken(policy.name)) return fail("two runs of the comparison are named \"" + policy.name + "\"");
            if (!loadConfiguration(file, policy.cfg)) return false;
            policy.dataDirectory = dataDirectoryFor(file, options.dataDir);
            if (!checkDataDirectory(policy.dataDirectory)) return false;
            policy.changes = {"the configuration " + policy.cfg.filePath};
            runs.push_back(std::move(policy));
            continue;
        }
        std::string error;
        const auto list = scenarios::readScenarioFile(file, error);
        if (!list) return fail(error);
        for (const scenarios::Scenario& s : *list) {
            if (taken(s.name))
                return fail(file + ", line " + std::to_string(s.line) + ": a run of the comparison is already named \"" +
                            s.name + "\"");
            runs.push_back(scenarios::scenarioRun(s, runs.front()));
        }
    }
    return true;
}

} // namespace

int cmdCompare(const std::string& kovPath, const CompareOptions& options) {
    if (options.jobs < 0 || options.replicates < 0)
        return refuse(std::string(options.jobs < 0 ? "--jobs" : "--replicates") + " must be at least 1");
    if (options.outDir.empty()) return refuse("--out is needed: the folder the comparison goes to");
    RunConfiguration base;
    if (!loadConfiguration(kovPath, base) || !applyOverrides(options.overrides, base)) return ExitFailed;
    const std::string dir = dataDirectoryFor(kovPath, options.dataDir);
    if (!checkDataDirectory(dir)) return ExitFailed;

    std::vector<scenarios::ComparedRun> runs;
    if (!comparedRuns(base, dir, options, runs)) return ExitFailed;
    if (runs.size() < 2) return refuse("nothing to compare: give a scenario file or a policy configuration");

    scenarios::ComparisonOutputs outputs;
    outputs.baseFile = base.filePath;
    if (!options.costsFile.empty()) {
        std::string error;
        outputs.costs = costs::readCostFile(options.costsFile, error);
        for (std::size_t i = 0; outputs.costs && error.empty() && i < runs.size(); ++i) {
            error = costs::missingTables(*outputs.costs, runs[i].cfg);
            if (!error.empty() && i > 0) error = "in \"" + runs[i].name + "\": " + error;
        }
        if (!error.empty()) return refuse(error);
    }
    if (!options.actualsFile.empty()) {
        std::string error;
        outputs.actuals = actuals::readActualsFile(options.actualsFile, error);
        if (!outputs.actuals) return refuse(error);
    }
    const std::string out = absoluteFolder(options.outDir);
    std::error_code ec;
    const bool existed = fs::exists(out, ec);
    if (const std::string why = scenarios::checkOutputFolder(out); !why.empty()) return refuse(why);
    // A folder made for the comparison goes again when nothing comes into it.
    auto failed = [&](const std::string& why, int code = ExitFailed) {
        if (!why.empty()) fail(why);
        std::error_code ignored;
        if (!existed && fs::is_empty(out, ignored)) fs::remove(out, ignored);
        return code;
    };

    if (!options.noCharts) {
        outputs.chart = comparisonChartWriter();
        if (!outputs.chart) std::fprintf(stderr, "kovary: charts are not drawn: this kovary is built without Qt\n");
    }

    installInterruptHandler();
    const int jobs = options.jobs > 0 ? options.jobs : everyCore();
    const int replicates = std::max(1, options.replicates);
    std::fprintf(stderr, "Running %zu projections on %d thread%s...\n", runs.size() * static_cast<std::size_t>(replicates),
                 jobs, jobs == 1 ? "" : "s");
    std::string error;
    const auto comparison = scenarios::runComparison(runs, jobs, interruptRequested, error, replicates);
    if (interruptRequested()) {
        std::fprintf(stderr, "kovary: User Canceled Simulation; nothing was written\n");
        return failed({}, ExitCanceled);
    }
    if (!comparison) return failed(error + "; nothing was written");
    for (std::size_t i = 1; i < comparison->results.size(); ++i)
        if (comparison->results[i].firstYear != comparison->results.front().firstYear)
            return failed("\"" + comparison->names[i] + "\" starts in " +
                          std::to_string(comparison->results[i].firstYear) + " and the base in " +
                          std::to_string(comparison->results.front().firstYear) +
                          ": runs of a comparison must start in the same year; nothing was written");

    const auto written = scenarios::writeComparison(*comparison, outputs, out, error);
    for (const std::string& path : written) std::printf("Wrote %s\n", path.c_str());
    if (!error.empty()) return refuse(error);
    return ExitOk;
}

} // namespace kov::cli
