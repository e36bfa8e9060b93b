#pragma once
// Export Chart of the Compare and What-if windows: asks where, then writes
// the two-panel chart as PNG, SVG or PDF by the name's ending.
#include "scenarios/compare_charts.h"

class QWidget;

namespace kov::ui {

class Prompts;

/// False when nothing was written (the person cancelled, or the write failed and was reported).
bool exportComparisonChart(QWidget* parent, Prompts& prompts, const scenarios::CompareChart& chart);

} // namespace kov::ui
