#pragma once
// The run dialog's live totals chart: the prison total per month with the
// remaining stock, redrawn every few cases while the run goes on.
#include "input/state_tables.h"

#include <QChart>
#include <QImage>

#include <memory>
#include <string>
#include <vector>

class QChartView;

namespace kov::reports {

/// The chart, for a chart view of the desktop program.
std::unique_ptr<QChart> makeLiveTotalsChart(const Series& totals, const std::vector<std::string>& monthLabels);
/// The chart drawn into a 400 x 250 image.
QImage renderLiveTotalsChart(const Series& totals, const std::vector<std::string>& monthLabels);
/// Replaces the chart that view shows.
void showLiveTotalsChart(QChartView& view, const Series& totals, const std::vector<std::string>& monthLabels);

} // namespace kov::reports
