#pragma once
// Draws the replicates' band chart (replicates/replicate_band.h) with Qt Charts.
#include "replicates/replicate_band.h"

#include <string>

namespace kov::reports {

/// Writes the chart to path, its suffix choosing the format (png, svg, pdf).
/// False when it could not be written.
bool saveBandChart(const replicates::BandChart& chart, const std::string& path);

} // namespace kov::reports
