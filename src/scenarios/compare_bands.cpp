#include "scenarios/compare_bands.h"

#include "replicates/replicate_band.h"
#include "replicates/replicate_stats.h"
#include "results/run_result.h"
#include "scenarios/compare_report.h"

#include <algorithm>

namespace kov::scenarios {

std::vector<ReplicateBand> replicateBands(const Comparison& c, const TotalSeries& total) {
    std::vector<ReplicateBand> bands;
    for (std::size_t run = 0; run < c.replicateTotals.size() && run < c.results.size(); ++run) {
        const std::vector<CsvRecords>& draws = c.replicateTotals[run];
        const replicates::BandChart months = replicates::bandOf(replicates::replicateStats(draws), total.table,
                                                                total.population, c.replicates);
        ReplicateBand band{months.low, months.high, {}, {}};
        // Each replicate's average by year, then the spread of those.
        const RunResult& result = c.results[run];
        std::vector<std::vector<double>> byYear(static_cast<std::size_t>(result.years));
        for (const CsvRecords& r : draws) {
            const auto figures = yearFigures(monthlySeries(r, total.table, "Total", result.firstYear, result.years));
            for (std::size_t y = 0; y < figures.size() && y < byYear.size(); ++y) byYear[y].push_back(figures[y].average);
        }
        for (std::vector<double>& averages : byYear) {
            std::sort(averages.begin(), averages.end());
            band.yearLow.push_back(replicates::quantile(averages, 0.05));
            band.yearHigh.push_back(replicates::quantile(averages, 0.95));
        }
        bands.push_back(std::move(band));
    }
    return bands;
}

} // namespace kov::scenarios
