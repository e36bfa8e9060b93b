#pragma once
// The files of a comparison, into one folder: compare.txt, compare.csv,
// difference.csv, impact.txt, impact.csv, the charts, and with a cost file
// compare-costs.txt and compare-costs.csv; with observed counts, the base's
// accuracy.txt and accuracy.csv, and the counts on the charts.
#include "actuals/actuals_file.h"
#include "costs/cost_file.h"
#include "scenarios/compare_charts.h"

#include <optional>
#include <string>
#include <vector>

namespace kov::scenarios {

/// Makes the folder when it is missing and checks a file can be written in
/// it; an empty string when it can, else why not.
std::string checkOutputFolder(const std::string& folder);

struct ComparisonOutputs {
    std::string baseFile;                  ///< the base configuration, for the report
    std::optional<costs::CostFile> costs;
    std::optional<actuals::ActualsFile> actuals;
    ChartWriter chart;                     ///< empty: no charts
    std::vector<std::string> chartFormats{"png", "svg"};
};

/// Writes every file, each replacing an older one whole. The paths written;
/// error set when a file could not be written (the ones before it stay).
std::vector<std::string> writeComparison(const Comparison& c, const ComparisonOutputs& outputs,
                                         const std::string& folder, std::string& error);

} // namespace kov::scenarios
