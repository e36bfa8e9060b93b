#pragma once
// The spread of a comparison's replicates around each run's line: the band
// the middle 90% of a run's replicates fall in (5th to 95th percentile),
// month by month and for each year's average.
#include "scenarios/comparison.h"

#include <vector>

namespace kov::scenarios {

struct ReplicateBand {
    std::vector<double> low, high;         ///< p05 and p95 by month
    std::vector<double> yearLow, yearHigh; ///< p05 and p95 of the average by year
};

/// One band per run of a total series, base first; none when the comparison
/// ran one replicate of each.
std::vector<ReplicateBand> replicateBands(const Comparison& c, const TotalSeries& total);

} // namespace kov::scenarios
