#pragma once
// A finished run's results as data: every monthly series its output tables
// select (the set the CSV export writes), unrounded, keyed by table,
// category, year and month as the export keys them, with the run's first
// year. Readers that compare, cost or check runs read this, not the engine.
#include "config/run_configuration.h"
#include "config/run_parameters.h"
#include "reports/csv/csv_format.h"

#include <string>
#include <vector>

namespace kov {

class Simulation;

struct RunResult {
    RunConfiguration configuration; ///< as the run read it, overrides included
    RunParameters parameters;       ///< the values the run worked with
    long cases = 0;                 ///< court cases read
    int firstYear = 0;
    int years = 10;
    CsvRecords series;
    /// The CSV export's files in order, each with how many of series' records it holds.
    std::vector<CsvFilePart> files;
    /// The classification variables' names in table order ("Gender", "Race",
    /// ...): the prison breakdown tables are "Prison " and the name.
    std::vector<std::string> breakdowns;

    /// The 12 x years values of one series, month by month from the first
    /// year (monthlySeries of the run's series).
    std::vector<double> monthly(const std::string& table, const std::string& category) const;
    /// The categories of a table in the order the run writes them.
    std::vector<std::string> categories(const std::string& table) const;
    bool has(const std::string& table) const;
};

/// What a run for its results keeps: every series, or the total series only
/// (a live re-projection, the bands of replicates), each as in a full run.
enum class ResultScope { All, Totals };

/// The 12 x years values of one series of records, month by month from
/// firstYear. A month the series lacks reads 0, as does every month of a
/// series the records do not hold: the readers compare runs month by month.
std::vector<double> monthlySeries(const CsvRecords& records, const std::string& table, const std::string& category,
                                  int firstYear, int years);

/// The results of a run that went through (call from inspectFinishedState).
RunResult resultOf(const Simulation& finished, ResultScope scope = ResultScope::All);

/// The title of the series that holds a population's total per month
/// ("Prison - Total Count Per Month:"), as the tables print it.
std::string totalSeriesTitle(const std::string& population);

} // namespace kov
