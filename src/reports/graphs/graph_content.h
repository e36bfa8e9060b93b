#pragma once
// The ten graphs of a run: which series each draws, their names, the title,
// and the one vertical scale all of them share; and the live totals chart.
#include "config/run_parameters.h"
#include "input/state_tables.h"
#include "reports/graphs/line_chart.h"

#include <string>
#include <vector>

namespace kov::reports {

constexpr int GraphCount = 10;

/// The breakdown table (index into Tops) drawn by graph 0..6. Graph 3
/// "Sentence Length" draws the sentence-length table, graph 4 "Offense Type"
/// the offense table, as their names say.
int graphTable(int graph);

/// Upper limit of a y axis from the largest of the first 120 values: raised
/// to the next multiple of 1000 by the integer part (12,345.6 gives
/// 13,000.6), kept when the integer part is already a multiple.
double axisUpperLimit(const Series& totals);

/// Graph 0..9 of a finished run (state tables alive, month labels made).
LineChart graphChart(int graph, const StateTables& st, const RunParameters& p,
                     const std::vector<std::string>& monthLabels);

/// The run dialog's totals chart: y axis from 0, never of zero height.
LineChart liveTotalsChart(const Series& totals, const std::vector<std::string>& monthLabels);

} // namespace kov::reports
