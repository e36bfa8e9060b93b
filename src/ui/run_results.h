#pragma once
// What the main window shows of the last run: the prison counts by year of
// the summary report, each total per month the output tables hold, and the
// files the run wrote. Taken from the finished run through the output tables'
// records, never from the engine's arrays.
#include "reports/csv/csv_format.h"

#include <string>
#include <vector>

namespace kov {
class Simulation;
}

namespace kov::ui {

/// One total population per month: "Prison", "Jail", a sanction.
struct TotalSeries {
    std::string name;
    long long firstYear = 0;
    std::vector<double> months; ///< twelve a year from January of firstYear
};

/// One column of the summary report's prison counts.
struct YearCounts {
    long long year = 0;
    double twelfthMonth = 0.0, low = 0.0, high = 0.0, average = 0.0;
};

struct RunResults {
    long cases = 0;
    std::vector<TotalSeries> totals; ///< the prison total first, then those the tables select
    std::vector<std::string> files;  ///< written by the run, the tables output first
};

/// The totals per month among the records, in their order.
std::vector<TotalSeries> totalSeries(const CsvRecords& records);

/// The summary report's rows from the prison total per month: the count at
/// the 12th month, the lowest, the highest and the average month of each year.
std::vector<YearCounts> countsByYear(const TotalSeries& prison);

/// A count as the summary report prints it ("%.0f" of the unrounded value).
std::string countText(double value);

/// The totals of a finished run (for Simulation::inspectFinishedState): the
/// prison total whatever the tables select, then each other total they select.
std::vector<TotalSeries> finishedRunTotals(const Simulation& finished);

/// The output files of a run that has just ended: those of its paths that
/// were written since startedAt (seconds since the epoch), tables output first.
std::vector<std::string> writtenOutputFiles(const Simulation& run, long long startedAt);

} // namespace kov::ui
