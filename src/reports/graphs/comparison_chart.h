#pragma once
// Draws a comparison chart (scenarios/compare_charts.h) with Qt Charts, large
// enough to read in a report, into PNG, SVG or PDF.
#include "scenarios/compare_charts.h"

#include <string>

class QWidget;

namespace kov::reports {

/// Writes the chart to path, its suffix choosing the format (png, svg, pdf).
/// False when it could not be written.
bool saveComparisonChart(const scenarios::CompareChart& chart, const std::string& path);

/// The same two panels in a widget, for a window that shows the chart as it is saved.
QWidget* comparisonChartWidget(const scenarios::CompareChart& chart, QWidget* parent = nullptr);

} // namespace kov::reports
