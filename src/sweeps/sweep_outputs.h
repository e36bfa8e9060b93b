#pragma once
// The files of a sweep: sweep.csv, the chosen series of every row's run
// (tidy, keyed as the CSV export keys them), and summary.csv, one line per
// row with its values, whether it ran, its year-end prison population and,
// with a cost file, its cost by fiscal year.
#include "costs/cost_file.h"
#include "results/run_result.h"
#include "sweeps/sweep_file.h"

#include <optional>
#include <string>
#include <vector>

namespace kov::sweeps {

/// What became of one row: its runs (one per replicate) or why it did not run.
struct RowOutcome {
    const SweepRow* row = nullptr;
    bool ok = false;
    std::string message; ///< empty and not ok: not run (stopped)
    std::vector<RunResult> runs;
};

/// Drops from a finished run every series the sweep's files do not read (a
/// sweep holds every row's run until the end): the given tables or every
/// total series, and the series the cost file's populations are counted from.
void keepWhatTheSweepReads(RunResult& run, const std::vector<std::string>& given,
                           const std::optional<costs::CostFile>& costs);

/// The tables a sweep writes: the given ones, or every total series of the
/// first run that went through.
std::vector<std::string> sweepTables(const std::vector<RowOutcome>& rows, const std::vector<std::string>& given);

/// "scenario,table,category,year,month,value"; with more than one replicate
/// a row, "scenario,table,category,year,month,mean,sd,p05,p50,p95,n".
std::string sweepCsv(const std::vector<RowOutcome>& rows, const std::vector<std::string>& tables, int replicates);

/// "row,scenario,<the file's columns>,status,message,prison_<year>...," and,
/// with costs, "average_cost_FY<year>,marginal_cost_FY<year>..." (every
/// population of the cost file summed; the mean of the replicates).
std::string summaryCsv(const SweepFile& file, const std::vector<RowOutcome>& rows,
                       const std::optional<costs::CostFile>& costs);

} // namespace kov::sweeps
