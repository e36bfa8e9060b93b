#pragma once
// A comparison: the base run and each scenario's, run side by side for their
// results, and the series every output of a comparison reads.
#include "config/run_configuration.h"
#include "engine/policy_changes.h"
#include "results/run_result.h"

#include <functional>
#include <string>
#include <vector>

namespace kov::scenarios {

/// One run of a comparison: a name, the configuration as the run reads it,
/// where its inputs are, and what the policy changes in them.
struct ComparedRun {
    std::string name;
    RunConfiguration cfg;
    std::string dataDirectory;
    PolicyChanges policy;
    std::vector<std::string> changes; ///< the changes as written, for the report
    /// First calendar year a change touches; 0: the run's first (a value of
    /// the configuration, or a change without a year).
    int effectYear = 0;
};

/// The base first, then the scenarios, each with its results.
struct Comparison {
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> changes;
    std::vector<int> effectYears; ///< calendar years, resolved against each run's first
    std::vector<RunResult> results; ///< replicate 1 of each: the plain run
    /// Runs of each; replicate k draws from Random Starting Number + k - 1.
    int replicates = 1;
    /// With replicates > 1, per run: each replicate's total series (replicate
    /// 1 first), for the spread of what one run happens to draw.
    std::vector<std::vector<CsvRecords>> replicateTotals;
};

/// Runs every run `replicates` times with `jobs` threads. On the first failed
/// run, nullopt and error naming the run and why it failed.
std::optional<Comparison> runComparison(const std::vector<ComparedRun>& runs, int jobs,
                                        const std::function<bool()>& stop, std::string& error,
                                        int replicates = 1);

/// A population's total series in a result: its title and the population's
/// name as a report says it ("Prison", "Supervision (all levels)").
struct TotalSeries {
    std::string table;
    std::string population;
};

/// Whether a table is a population's total per month (or supervision's over all levels).
bool isTotalSeries(const std::string& table);

/// The total series the base writes, in the order it writes them: prison,
/// jail, each sanction, supervision.
std::vector<TotalSeries> totalSeries(const RunResult& base);

/// Monthly values of a table's category in every run, base first; a run
/// without the series reads 0 throughout, as its table printed no cases.
std::vector<std::vector<double>> monthlyOfEach(const Comparison& c, const std::string& table,
                                               const std::string& category);

} // namespace kov::scenarios
