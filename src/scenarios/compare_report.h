#pragma once
// compare.txt: each total population of the base and every scenario by
// year, as the summary report shows the prison population (12th month, low
// and high month, average), with each scenario's difference from the base and
// its percent change.
#include "scenarios/comparison.h"

#include <array>
#include <string>
#include <vector>

namespace kov::scenarios {

/// A year's 12th month, lowest and highest month and average of a monthly series.
struct YearFigures {
    double end = 0, low = 0, high = 0, average = 0;
};
std::vector<YearFigures> yearFigures(const std::vector<double>& monthly);

/// The difference as a percent of the base; empty when the base is 0.
std::string percentChange(double base, double value);

/// The text of compare.txt. baseFile names the base configuration.
std::string compareText(const Comparison& c, const std::string& baseFile);

} // namespace kov::scenarios
