#include "replicates/replicate_band.h"

namespace kov::replicates {

BandChart bandOf(const std::vector<SeriesStats>& stats, const std::string& table, const std::string& population,
                 int replicates) {
    BandChart chart;
    chart.title = population + " population: mean of " + std::to_string(replicates) +
                  " replicates, and the band 90% of them fall in (5th to 95th percentile)";
    chart.yTitle = population + " population";
    for (const SeriesStats& s : stats) {
        if (s.table != table || s.category != "Total") continue;
        if (chart.mean.empty()) chart.firstYear = static_cast<int>(s.year);
        chart.mean.push_back(s.mean);
        chart.low.push_back(s.p05);
        chart.high.push_back(s.p95);
    }
    return chart;
}

} // namespace kov::replicates
