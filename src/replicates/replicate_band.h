#pragma once
// What the replicates' band chart shows: a total series' mean month by month
// with the band the middle 90% of the replicates fall in (p05 to p95).
#include "replicates/replicate_stats.h"

#include <string>
#include <vector>

namespace kov::replicates {

struct BandChart {
    std::string title;
    std::string yTitle;
    int firstYear = 0;
    std::vector<double> mean, low, high; ///< month by month
};

/// The band of one table's "Total" over the replicates' stats; empty months
/// when the replicates did not write it.
BandChart bandOf(const std::vector<SeriesStats>& stats, const std::string& table, const std::string& population,
                 int replicates);

} // namespace kov::replicates
