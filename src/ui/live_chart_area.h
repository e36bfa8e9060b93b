#pragma once
// The run dialog's live totals chart, drawn by the chart writers into the
// dialog's chart area.
#include "input/state_tables.h"

#include <string>
#include <vector>

class QWidget;

namespace kov::ui {

/// Shows the totals chart in chartArea, in a chart view made there the first
/// time; later calls replace the chart the view shows.
void drawLiveTotalsChart(QWidget* chartArea, const Series& totals, const std::vector<std::string>& monthLabels);

} // namespace kov::ui
