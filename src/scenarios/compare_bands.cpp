#include "scenarios/compare_bands.h"

#include "replicates/replicate_band.h"
#include "replicates/replicate_stats.h"
#include "scenarios/compare_report.h"

#include <algorithm>

namespace kov::scenarios {
namespace {

/// A series' "Total" month by month from firstYear, 0 where it wrote none.
std::vector<double> monthlyTotal(const CsvRecords& records, const std::string& table, int firstYear, int years) {
    std::vector<double> months(static_cast<std::size_t>(12 * years), 0.0);
    for (const CsvRecord& r : records) {
        if (r.table != table || r.category != "Total") continue;
        const long long i = (r.year - firstYear) * 12 + r.month - 1;
        if (i >= 0 && i < static_cast<long long>(months.size())) months[static_cast<std::size_t>(i)] = r.value;
    }
    return months;
}

} // namespace

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
            const auto figures = yearFigures(monthlyTotal(r, total.table, result.firstYear, result.years));
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
