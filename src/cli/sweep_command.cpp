// kovary sweep: one run per row of a sweep file, side by side, with the
// chosen series and a summary line per row; shards for many machines, and
// their merge.
#include "cli/cli_host.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "config/run_configuration.h"
#include "config/whole_file.h"
#include "costs/run_costs.h"
#include "replicates/replicate_set.h"
#include "results/run_for_results.h"
#include "scenarios/write_comparison.h" // checkOutputFolder
#include "sweeps/shards.h"
#include "sweeps/sweep_file.h"
#include "sweeps/sweep_outputs.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <unistd.h>

namespace kov::cli {
namespace {

/// "12 of 64 runs done, about 3 min left" on a terminal, redrawn in place.
class SweepProgress {
public:
    explicit SweepProgress(int total) : total_(total), shown_(isatty(STDERR_FILENO) != 0) {}
    void done() {
        std::lock_guard<std::mutex> lock(mutex_);
        ++done_;
        if (!shown_) return;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const double left = done_ > 0 ? seconds / done_ * (total_ - done_) : 0;
        std::fprintf(stderr, "\r%d of %d runs done, about %s left   ", done_, total_,
                     left < 90 ? (std::to_string(static_cast<int>(left + 0.5)) + " s").c_str()
                               : (std::to_string(static_cast<int>(left / 60 + 0.5)) + " min").c_str());
        if (done_ == total_) std::fputc('\n', stderr);
        std::fflush(stderr);
    }

private:
    std::mutex mutex_;
    const int total_;
    int done_ = 0;
    const bool shown_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace

int cmdSweep(const std::string& kovPath, const std::string& sweepPath, const SweepOptions& options) {
    if (!options.mergeFolder.empty()) {
        std::string error;
        const auto written = sweeps::mergeShards(options.mergeFolder, error);
        for (const std::string& path : written) std::printf("Wrote %s\n", path.c_str());
        return error.empty() ? ExitOk : refuse(error);
    }
    if (kovPath.empty() || sweepPath.empty()) return refuse("give BASE.kov and SWEEP.csv, or --merge DIR");
    if (options.jobs < 0 || options.replicates < 0) return refuse("--jobs and --replicates must be at least 1");
    if (options.outDir.empty()) return refuse("--out is needed: the folder the sweep goes to");
    int shard = 1, shards = 1;
    if (!options.shard.empty() && !sweeps::parseShard(options.shard, shard, shards))
        return refuse("--shard \"" + options.shard + "\" is not I/N with 1 <= I <= N");

    RunConfiguration base;
    if (!loadConfiguration(kovPath, base) || !applyOverrides(options.overrides, base)) return ExitFailed;
    const std::string dir = dataDirectoryFor(kovPath, options.dataDir);
    if (!checkDataDirectory(dir)) return ExitFailed;
    std::string error;
    const auto file = sweeps::readSweepFile(sweepPath, error);
    if (!file) return refuse(error);
    std::optional<costs::CostFile> costFile;
    if (!options.costsFile.empty()) {
        costFile = costs::readCostFile(options.costsFile, error);
        if (costFile) error = costs::missingTables(*costFile, base);
        if (!error.empty()) return refuse(error);
    }
    const std::string out = absoluteFolder(options.outDir);
    if (const std::string why = scenarios::checkOutputFolder(out); !why.empty()) return refuse(why);

    // Every replicate of every row of this shard is one run.
    std::vector<const sweeps::SweepRow*> rows;
    for (const sweeps::SweepRow& row : file->rows)
        if (sweeps::inShard(row, shard, shards)) rows.push_back(&row);
    std::vector<sweeps::RowOutcome> outcomes;
    std::vector<int> runnable; // index into outcomes of each row that can run
    for (const sweeps::SweepRow* row : rows) {
        outcomes.push_back({row, false, row->error, {}});
        if (row->error.empty()) runnable.push_back(static_cast<int>(outcomes.size() - 1));
    }
    const int replicates = std::max(1, options.replicates);
    const int runs = static_cast<int>(runnable.size()) * replicates;
    installInterruptHandler();
    const int jobs = options.jobs > 0 ? options.jobs : everyCore();
    std::fprintf(stderr, "Running %d run%s (%zu rows%s) on %d thread%s...\n", runs, runs == 1 ? "" : "s", rows.size(),
                 shards > 1 ? (", shard " + options.shard).c_str() : "", jobs, jobs == 1 ? "" : "s");
    SweepProgress progress(runs);
    // Each runnable row's configuration, built once for all its replicates.
    std::vector<RunConfiguration> configurations;
    for (int index : runnable) {
        configurations.push_back(base);
        for (const Override& o : outcomes[static_cast<std::size_t>(index)].row->scenario.settings)
            applyOverride(configurations.back(), o);
    }
    // Every row reads the microdata from one copy (a row may name other files).
    std::vector<RunInputs> inputs;
    for (const RunConfiguration& cfg : configurations) inputs.push_back({cfg, dir});
    const std::shared_ptr<const HeldFiles> held = readMicrodata(inputs);
    std::vector<FinishedRun> finished = runSideBySide(
        runs, jobs,
        [&](int k) {
            const auto i = static_cast<std::size_t>((k - 1) / replicates);
            const sweeps::SweepRow& row = *outcomes[static_cast<std::size_t>(runnable[i])].row;
            FinishedRun run = replicates::runReplicate(configurations[i], dir, (k - 1) % replicates + 1,
                                                       interruptRequested, row.scenario.changes, held);
            sweeps::keepWhatTheSweepReads(run.result, options.series, costFile);
            return run;
        },
        interruptRequested, [&progress](int) { progress.done(); });

    bool allOk = true;
    for (std::size_t i = 0; i < runnable.size(); ++i) {
        sweeps::RowOutcome& o = outcomes[static_cast<std::size_t>(runnable[i])];
        o.ok = true;
        for (int r = 0; r < replicates; ++r) {
            FinishedRun& run = finished[i * static_cast<std::size_t>(replicates) + static_cast<std::size_t>(r)];
            if (!run.ok) {
                o.ok = false;
                o.message = run.message;
                break;
            }
            o.runs.push_back(std::move(run.result));
        }
        if (!o.ok) o.runs.clear();
    }
    for (const sweeps::RowOutcome& o : outcomes) allOk = allOk && o.ok;

    const std::vector<std::string> tables = sweeps::sweepTables(outcomes, options.series);
    for (const std::string& path :
         replaceFilesIn(out,
                        {{sweeps::shardFileName("sweep", shard, shards), sweeps::sweepCsv(outcomes, tables, replicates)},
                         {sweeps::shardFileName("summary", shard, shards), sweeps::summaryCsv(*file, outcomes, costFile)}},
                        error))
        std::printf("Wrote %s\n", path.c_str());
    if (!error.empty()) return refuse(error);
    if (interruptRequested()) {
        std::fprintf(stderr, "kovary: stopped; the rows that finished are written, the others say \"not run\"\n");
        return ExitCanceled;
    }
    if (!allOk) {
        for (const sweeps::RowOutcome& o : outcomes)
            if (!o.ok) std::fprintf(stderr, "kovary: row %d (\"%s\") failed: %s\n", o.row->index + 1, o.row->name.c_str(), o.message.c_str());
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace kov::cli
