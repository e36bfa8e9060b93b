#pragma once
// Draws a comparison chart (scenarios/compare_charts.h) with Qt Charts, large
// enough to read in a report, into PNG, SVG or PDF.
#include "scenarios/compare_charts.h"

#include <string>

namespace kov::reports {

/// Writes the chart to path, its suffix choosing the format (png, svg, pdf).
/// False when it could not be written.
bool saveComparisonChart(const scenarios::CompareChart& chart, const std::string& path);

} // namespace kov::reports
