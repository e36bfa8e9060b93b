// kovary: the command line over the projection library.
#include "cli/bench.h"
#include "cli/commands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    CLI::App app{"Kovary: prison, jail and supervision population projections"};
    app.require_subcommand(1);

    std::string kovPath, dataDir;
    bool force = false;
    kov::cli::RunOptions runOptions;

    auto* cNew = app.add_subcommand("new", "Write a configuration (.kov) with every default");
    cNew->add_option("FILE", kovPath, "configuration file to create")->required();
    cNew->add_flag("--force", force, "replace an existing file");

    auto* cCheck = app.add_subcommand("check", "Load every input a run would load and report each problem");
    cCheck->add_option("FILE", kovPath, "configuration file")->required();
    cCheck->add_option("--data-dir", dataDir, "folder of the input and output files (default: the configuration's folder)");
    const char* const setHelp =
        "read the configuration as if it held this value, e.g. \"RUN PARAMETERS/Sampling Fraction=0.5\" (repeatable)";
    cCheck->add_option("--set", runOptions.overrides, setHelp)->expected(1)->take_all();

    auto* cRun = app.add_subcommand("run", "Run the projection and write its outputs");
    cRun->add_option("FILE", kovPath, "configuration file")->required();
    cRun->add_option("--data-dir", dataDir, "folder of the input and output files (default: the configuration's folder)");
    cRun->add_option("--set", runOptions.overrides, setHelp)->expected(1)->take_all();
    int replicates = 0, jobs = 0;
    cRun->add_option("--replicates", replicates,
                     "also run N replicates (random start + 0 .. N-1) and write replicates.csv beside the tables output");
    cRun->add_option("--jobs", jobs, "threads for the replicates (default: every core)");
    cRun->add_option("--costs", runOptions.costsFile,
                     "write the cost of each population by fiscal year (fiscal-costs.txt, fiscal-costs.csv) from this cost file");
    cRun->add_option("--actuals", runOptions.actualsFile,
                     "set the projection beside the observed counts of this file (accuracy.txt, accuracy.csv)");
    cRun->add_option("--csv", runOptions.csvDir, "also write the tables' monthly series as CSV files into this folder");
    cRun->add_flag("--excel", runOptions.excel, "write the prison workbook (key \"Excel File\")");
    cRun->add_flag("--excel-felony", runOptions.excelFelony,
                   "write the felony-type tables and workbook (key \"PrisonDemos By Felony Type\")");
    cRun->add_flag("--excel-offenses", runOptions.excelOffenses,
                   "write the admission-groups workbook (key \"Excel File For Offenses\"; needs the customizations and programs)");

    kov::cli::BenchOptions bench;
    kov::cli::CompareOptions compare;
    int compareJobs = 0, compareReplicates = 0;
    auto* cCompare = app.add_subcommand("compare", "Run a base and policy scenarios and write their differences");
    cCompare->add_option("BASE", kovPath, "base configuration file")->required();
    cCompare->add_option("SCENARIOS", compare.scenarioFiles,
                         "scenario files, or policy configurations (.kov) named by their file name");
    cCompare->add_option("--out", compare.outDir, "folder the comparison's files go to (made when missing)")->required();
    cCompare->add_option("--data-dir", compare.dataDir, "folder of the input files (default: each configuration's folder)");
    cCompare->add_option("--set", compare.overrides, setHelp)->expected(1)->take_all();
    cCompare->add_option("--costs", compare.costsFile, "cost file: adds the cost differences by fiscal year");
    cCompare->add_option("--actuals", compare.actualsFile,
                         "observed counts (CSV): the base's accuracy, and the counts on the charts");
    cCompare->add_option("--jobs", compareJobs, "threads for the runs (default: every core)");
    cCompare->add_option("--replicates", compareReplicates,
                         "runs of each, random start + k - 1: the charts shade the band 90% of them fall in "
                         "(default 1; the other files stay replicate 1's)");
    cCompare->add_flag("--no-charts", compare.noCharts, "write no chart");

    kov::cli::SweepOptions sweep;
    std::string sweepPath;
    int sweepJobs = 0, sweepReplicates = 0;
    auto* cSweep = app.add_subcommand("sweep", "One run per row of a sweep file, side by side, or merge its shards");
    cSweep->add_option("BASE", kovPath, "base configuration file");
    cSweep->add_option("SWEEP", sweepPath, "sweep file (CSV: a scenario column, one column per SECTION/Key, changes)");
    cSweep->add_option("--out", sweep.outDir, "folder the sweep's files go to (made when missing)");
    cSweep->add_option("--data-dir", sweep.dataDir, "folder of the input files (default: the configuration's folder)");
    cSweep->add_option("--set", sweep.overrides, setHelp)->expected(1)->take_all();
    cSweep->add_option("--costs", sweep.costsFile, "cost file: each row's cost by fiscal year in summary.csv");
    cSweep->add_option("--series", sweep.series, "a table of sweep.csv, as the CSV export names it (repeatable; "
                                                 "default: every total series)")->expected(1)->take_all();
    cSweep->add_option("--shard", sweep.shard, "I/N: run the rows whose index mod N is I - 1 (one of N machines)");
    cSweep->add_option("--merge", sweep.mergeFolder, "put the shards' files in this folder together");
    cSweep->add_option("--jobs", sweepJobs, "threads for the runs (default: every core)");
    cSweep->add_option("--replicates", sweepReplicates, "runs of each row, random start + k - 1 (default 1)");

    auto* cBench = app.add_subcommand("bench", "Time full runs of demonstration data of each size");
    cBench->add_option("--cases", bench.cases, "court cases of each data set (default: 100000 1000000)")
        ->check(CLI::Range(1, 10000000));
    cBench->add_option("--dir", bench.dir, "folder for the data and outputs, kept (default: a temporary one)");
    cBench->add_flag("--month-by-month", bench.monthByMonth, "add every month of every stay at once, no range sums");
    cBench->add_flag("--parallel", bench.parallel,
                     "32 replicates of the demo and a 64-row sweep over 100000 cases, on 1 thread and on --jobs");
    cBench->add_option("--jobs", bench.jobs, "threads of --parallel (default: every core)");
    cBench->add_flag("--what-if", bench.whatIf,
                     "re-projection time after each of 50 lever changes, demo (3000 cases) and state-sized (15000)");

    std::string benchDir;
    bool benchMonthByMonth = false;
    auto* cBenchRun = app.add_subcommand("bench-run", "One size of bench, in its own process")->group("");
    cBenchRun->add_option("DIR", benchDir)->required();
    cBenchRun->add_flag("--month-by-month", benchMonthByMonth);

    CLI11_PARSE(app, argc, argv);

    // Last resort: anything unexpected becomes a message and a failed command.
    try {
        if (*cNew) return kov::cli::cmdNew(kovPath, force);
        if (*cCheck) return kov::cli::cmdCheck(kovPath, dataDir, runOptions.overrides);
        if (*cRun) {
            // 0 stands for "not given" inside; a 0 given here is refused like any value below 1.
            if (cRun->count("--replicates") > 0) runOptions.replicates = replicates > 0 ? replicates : -1;
            if (cRun->count("--jobs") > 0) runOptions.jobs = jobs > 0 ? jobs : -1;
            return kov::cli::cmdRun(kovPath, dataDir, runOptions);
        }
        if (*cCompare) {
            if (cCompare->count("--jobs") > 0) compare.jobs = compareJobs > 0 ? compareJobs : -1;
            if (cCompare->count("--replicates") > 0) compare.replicates = compareReplicates > 0 ? compareReplicates : -1;
            return kov::cli::cmdCompare(kovPath, compare);
        }
        if (*cSweep) {
            if (cSweep->count("--jobs") > 0) sweep.jobs = sweepJobs > 0 ? sweepJobs : -1;
            if (cSweep->count("--replicates") > 0) sweep.replicates = sweepReplicates > 0 ? sweepReplicates : -1;
            return kov::cli::cmdSweep(kovPath, sweepPath, sweep);
        }
        if (*cBench) return kov::cli::cmdBench(bench);
        if (*cBenchRun) return kov::cli::cmdBenchRun(benchDir, benchMonthByMonth);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kovary: error: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "kovary: error: unexpected failure\n");
    }
    return kov::cli::ExitFailed;
}
