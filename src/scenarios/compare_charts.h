#pragma once
// What the charts of a comparison show: for each total population, the base
// and each scenario month by month, and each scenario's difference from the
// base on a second axis. Drawing is left to the caller's writer.
#include "actuals/actuals_file.h"
#include "scenarios/compare_bands.h"
#include "scenarios/comparison.h"

#include <functional>
#include <string>
#include <vector>

namespace kov::scenarios {

struct CompareChart {
    std::string title;
    std::string yTitle;
    int firstYear = 0;
    std::vector<std::string> names; ///< base first
    std::vector<std::vector<double>> monthly; ///< per run, month 1 of the first year on
    /// Observed counts by month (NaN where none), drawn as points; empty: none.
    std::vector<double> actuals;
    std::string table;    ///< the total series it draws
    std::string fileStem; ///< "compare-prison"
    /// The base drawn thin and pale under the others: a what-if against it.
    bool faintBase = false;
    std::string differenceTitle = "Scenario less base"; ///< the lower panel's axis
    /// Runs of each run the bands come from; 1: no bands.
    int replicates = 1;
    /// Per run, base first, when replicated: shaded around the run's line.
    std::vector<ReplicateBand> bands;
};

/// What a chart's caption says of its bands ("shaded: 90% of 3 replicates");
/// empty without them.
std::string bandCaption(const CompareChart& chart);

/// One chart per total series of the base.
std::vector<CompareChart> compareCharts(const Comparison& c);

/// The observed counts of a chart's total series by month of a projection of
/// `years` years; NaN where none, empty when the file has none of it.
std::vector<double> observedMonths(const actuals::ActualsFile& file, const CompareChart& chart, int years);

/// Draws a chart into a file whose suffix names the format; false on failure.
using ChartWriter = std::function<bool(const CompareChart&, const std::string& path)>;

} // namespace kov::scenarios
