#include "cli/commands.h"

#include "actuals/actuals_file.h"
#include "actuals/run_accuracy.h"
#include "cli/cli_host.h"
#include "cli/command_support.h"
#include "cli/report_writers.h"
#include "config/overrides.h"
#include "config/paths.h"
#include "config/replace_file.h"
#include "config/run_configuration.h"
#include "costs/cost_file.h"
#include "costs/run_costs.h"
#include "replicates/replicate_set.h"
#include "replicates/replicate_stats.h"
#include "replicates/replicate_band.h"
#include "results/run_for_results.h"
#include "results/side_by_side.h"
#include "run/simulation.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

namespace kov::cli {
namespace fs = std::filesystem;

namespace {

// replicates.csv beside the tables output, once every replicate went through.
int writeReplicates(std::vector<FinishedRun> runs, const std::string& folder, int jobs, bool graphs) {
    std::vector<CsvRecords> series;
    bool allOk = true;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        if (runs[k].ok) {
            series.push_back(std::move(runs[k].result.series));
            continue;
        }
        allOk = false;
        std::fprintf(stderr, "kovary: error: replicate %zu failed: %s\n", k + 1, runs[k].message.c_str());
    }
    if (!allOk) {
        std::fprintf(stderr, "kovary: error: replicates.csv was not written\n");
        return ExitFailed;
    }
    const std::string path = folder + "/replicates.csv";
    std::string reason;
    const std::vector<replicates::SeriesStats> stats = replicates::replicateStats(series);
    if (!replaceFileContents(path, replicates::replicatesCsv(stats), &reason)) {
        std::fprintf(stderr, "kovary: error: cannot write %s: %s\n", path.c_str(), reason.c_str());
        return ExitFailed;
    }
    std::printf("Replicates: %s (%zu runs on %d thread%s)\n", path.c_str(), runs.size(), jobs, jobs == 1 ? "" : "s");
    if (!graphs) return ExitOk;
    const BandChartWriter draw = bandChartWriter();
    if (!draw) {
        std::fprintf(stderr, "kovary: the replicates' band chart is not drawn: this kovary is built without Qt\n");
        return ExitOk;
    }
    const replicates::BandChart band = replicates::bandOf(stats, "Prison - Total Count Per Month:", "Prison",
                                                          static_cast<int>(runs.size()));
    if (band.mean.empty()) return ExitOk; // the tables write no prison total
    for (const char* format : {"png", "svg"}) {
        const std::string chart = folder + "/replicates-prison." + format;
        if (!draw(band, chart)) {
            std::fprintf(stderr, "kovary: error: cannot write %s\n", chart.c_str());
            return ExitFailed;
        }
        std::printf("Graph: %s\n", chart.c_str());
    }
    return ExitOk;
}

// A cost file is read and matched to the selected tables before the run, so a
// fault in it costs no run and writes nothing. nullopt and a message on a fault.
std::optional<costs::CostFile> readCostsFor(const std::string& path, const RunConfiguration& cfg,
                                            const fs::path& outputFolder) {
    std::string error;
    std::optional<costs::CostFile> file = costs::readCostFile(path, error);
    if (file) error = costs::missingTables(*file, cfg);
    for (const char* name : {costs::CostsTextName, costs::CostsCsvName}) {
        std::error_code ec;
        if (error.empty() && fs::equivalent(path, outputFolder / name, ec))
            error = "the cost file " + path + " is where the run writes its costs; give it another name";
    }
    if (error.empty()) return file;
    refuse(error);
    return std::nullopt;
}

// An actuals file is read and checked before the run, as a cost file is.
std::optional<actuals::ActualsFile> readActualsFor(const std::string& path, const fs::path& outputFolder) {
    std::string error;
    std::optional<actuals::ActualsFile> file = actuals::readActualsFile(path, error);
    for (const char* name : {actuals::AccuracyTextName, actuals::AccuracyCsvName}) {
        std::error_code ec;
        if (file && fs::equivalent(path, outputFolder / name, ec)) {
            error = "the actuals file " + path + " is where the run writes its accuracy; give it another name";
            file.reset();
        }
    }
    if (file) return file;
    refuse(error);
    return std::nullopt;
}

} // namespace

int cmdNew(const std::string& kovPath, bool force) {
    std::error_code ec;
    if (!force && fs::exists(kovPath, ec)) {
        std::fprintf(stderr, "kovary: error: %s exists and was left as it is (use --force to replace it)\n",
                     kovPath.c_str());
        return ExitFailed;
    }
    RunConfiguration cfg;
    cfg.SetDefaults();
    cfg.modified = 1;
    cfg.filePath = kovPath;
    CliHost host;
    if (!cfg.Save(host)) return ExitFailed;
    std::printf("Wrote a configuration with every default to %s\n", kovPath.c_str());
    return ExitOk;
}

int cmdCheck(const std::string& kovPath, const std::string& dataDir, const OverrideTexts& overrides) {
    RunConfiguration cfg;
    if (!loadConfiguration(kovPath, cfg) || !applyOverrides(overrides, cfg)) return ExitFailed;
    const std::string dir = dataDirectoryFor(kovPath, dataDir);
    if (!checkDataDirectory(dir)) return ExitFailed;
    CliHost host;
    Simulation sim(cfg, dir, host);
    const bool loaded = sim.CheckInputs();
    const std::size_t warnings = numericWarnings(cfg).size();
    host.finishLine();
    if (!loaded) {
        std::fprintf(stderr, "kovary: %s: the inputs did not load; see the messages above\n", kovPath.c_str());
        return ExitFailed;
    }
    if (warnings > 0) {
        std::fprintf(stderr, "kovary: %s: every input loaded, with %zu configuration warning%s above\n",
                     kovPath.c_str(), warnings, warnings == 1 ? "" : "s");
        return ExitFailed;
    }
    std::printf("%s: every input loaded from %s\n", kovPath.c_str(), dir.c_str());
    return ExitOk;
}

int cmdRun(const std::string& kovPath, const std::string& dataDir, const RunOptions& options) {
    if (options.replicates < 0 || options.jobs < 0) {
        std::fprintf(stderr, "kovary: error: %s must be at least 1\n", options.replicates < 0 ? "--replicates" : "--jobs");
        return ExitFailed;
    }
    RunConfiguration cfg;
    if (!loadConfiguration(kovPath, cfg) || !applyOverrides(options.overrides, cfg)) return ExitFailed;
    const std::string dir = dataDirectoryFor(kovPath, dataDir);
    if (!checkDataDirectory(dir)) return ExitFailed;
    // The menu check items switch their keys on for this run only; the file stays as it is.
    if (options.excel) cfg.setValue(SecOutputTables, OutExcelFile, "1");
    if (options.excelFelony) cfg.setValue(SecOutputTables, OutPrisonDemosByFelonyType, "1");
    if (options.excelOffenses) cfg.setValue(SecOutputTables, OutExcelFileForOffenses, "1");
    // Costs and replicates go beside the tables output.
    const std::string tablesPath = dataPath(dir, cfg.value(SecFiles, TablesOutputFile));
    const std::string folder = fs::path(tablesPath).parent_path().string();
    std::optional<costs::CostFile> costFile;
    if (!options.costsFile.empty()) {
        costFile = readCostsFor(options.costsFile, cfg, folder);
        if (!costFile) return ExitFailed;
    }
    std::optional<actuals::ActualsFile> actualsFile;
    if (!options.actualsFile.empty()) {
        actualsFile = readActualsFor(options.actualsFile, folder);
        if (!actualsFile) return ExitFailed;
    }
    const ReportHooks reportHooks = runReportHooks();
    noteMissingWriters(cfg, reportHooks);
    installInterruptHandler();
    CliHost host;
    const bool replicated = options.replicates > 0;
    const std::string csvDirectory = absoluteFolder(options.csvDir);
    // Replicate 1 is the plain run with every output; it runs on this thread,
    // the others (results only, each with its own context) beside it.
    RunOutcome outcome = RunOutcome::Failed;
    std::string message;
    std::vector<std::string> written;
    // Replicates read the microdata from one copy; a single run streams it.
    const std::shared_ptr<const HeldFiles> held = replicated ? readMicrodata({{cfg, dir}}) : nullptr;
    auto runFirst = [&] {
        Simulation sim(cfg, dir, host);
        sim.heldFiles = held;
        sim.csvDirectory = csvDirectory;
        FinishedRun first;
        if (costFile || actualsFile || replicated)
            sim.inspectFinishedState = [&first](const Simulation& s) { first.result = resultOf(s); };
        sim.reports = reportHooks;
        outcome = sim.OnRunSim();
        host.finishLine();
        message = sim.m_Message;
        for (const std::string& file : sim.m_GraphFiles) written.push_back("Graph: " + file);
        for (const WrittenWorkbook& book : sim.m_Workbooks) written.push_back("Workbook: " + book.path);
        first.ok = outcome == RunOutcome::Completed;
        return first;
    };
    const int jobs = options.jobs > 0 ? options.jobs : everyCore();
    std::vector<FinishedRun> runs = runSideBySide(
        replicated ? options.replicates : 1, jobs,
        [&](int k) {
            return k == 1 ? runFirst() : replicates::runReplicate(cfg, dir, k, interruptRequested, {}, held);
        },
        interruptRequested);

    if (outcome == RunOutcome::Canceled || (outcome == RunOutcome::Completed && interruptRequested())) {
        std::fprintf(stderr, "kovary: %s\n", outcome == RunOutcome::Canceled ? message.c_str() : "User Canceled Simulation");
        return ExitCanceled;
    }
    if (outcome != RunOutcome::Completed) {
        std::fprintf(stderr, "kovary: %s\n", message.c_str());
        return ExitFailed;
    }
    std::printf("%s\nTables output: %s\n", message.c_str(), tablesPath.c_str());
    if (!csvDirectory.empty()) std::printf("CSV tables: %s\n", csvDirectory.c_str());
    for (const std::string& line : written) std::printf("%s\n", line.c_str());
    if (costFile) {
        std::string error;
        for (const std::string& file : costs::writeCosts(*costFile, runs.front().result.series, folder, error))
            std::printf("Costs: %s\n", file.c_str());
        if (!error.empty()) return refuse(error);
    }
    if (actualsFile) {
        std::string error;
        const std::vector<std::string> files =
            actuals::writeAccuracy(*actualsFile, runs.front().result.series, runs.front().result.firstYear, folder, error);
        for (const std::string& file : files) std::printf("Accuracy: %s\n", file.c_str());
        if (!error.empty()) return refuse(error);
    }
    if (!replicated) return ExitOk;
    return writeReplicates(std::move(runs), folder, jobs, cfg.isOn(SecRun, CreateGraphs));
}

} // namespace kov::cli
