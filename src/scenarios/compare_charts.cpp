#include "scenarios/compare_charts.h"

#include <cctype>
#include <limits>

namespace kov::scenarios {
namespace {

/// "Home Detention" as "home-detention", "Supervision (all levels)" as "supervision".
std::string stemOf(const std::string& population) {
    std::string stem = "compare-";
    for (char ch : population.substr(0, population.find(" ("))) {
        const auto c = static_cast<unsigned char>(ch);
        if (std::isalnum(c))
            stem += static_cast<char>(std::tolower(c));
        else if (stem.back() != '-')
            stem += '-';
    }
    while (stem.back() == '-') stem.pop_back();
    return stem;
}

} // namespace

std::vector<CompareChart> compareCharts(const Comparison& c) {
    std::vector<CompareChart> charts;
    for (const TotalSeries& total : totalSeries(c.results.front())) {
        CompareChart chart;
        chart.title = total.population + " population: base and scenarios";
        chart.yTitle = total.population + " population";
        chart.firstYear = c.results.front().firstYear;
        chart.names = c.names;
        chart.monthly = monthlyOfEach(c, total.table, "Total");
        chart.table = total.table;
        chart.fileStem = stemOf(total.population);
        chart.replicates = c.replicates;
        chart.bands = replicateBands(c, total);
        charts.push_back(std::move(chart));
    }
    return charts;
}

std::string bandCaption(const CompareChart& chart) {
    if (chart.bands.empty()) return {};
    return "shaded: 90% of " + std::to_string(chart.replicates) + " replicates (5th to 95th percentile)";
}

std::vector<double> observedMonths(const actuals::ActualsFile& file, const CompareChart& chart, int years) {
    std::vector<double> months(static_cast<std::size_t>(12 * years), std::numeric_limits<double>::quiet_NaN());
    bool any = false;
    for (const actuals::Actual& a : file.values) {
        if (a.table != chart.table || a.category != "Total") continue;
        const long long i = (a.year - chart.firstYear) * 12 + a.month - 1;
        if (i < 0 || i >= static_cast<long long>(months.size())) continue;
        months[static_cast<std::size_t>(i)] = a.value;
        any = true;
    }
    return any ? months : std::vector<double>{};
}

} // namespace kov::scenarios
